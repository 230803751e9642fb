// The choice between grey, smoothed, outlined and plain monochrome glyphs,
// and between plain, colour-keyed and per-pixel alpha buffers.
#include "gdi/text/textrender_style.h"

#include <algorithm>

#include "gdi/dc/dc_attr.h"
#include "gui/dc.h"
#include "gui/font.h"

namespace textrender {
namespace {

void copyTable(GalPixel* to, const GalPixel* from) { std::copy(from, from + kLevels, to); }

GlyphStyle greyStyle(const DC* dc) {
  GlyphStyle style;
  copyTable(style.table, dc->textColors);
  if (dc->bkMode != BM_TRANSPARENT) return style;
  if (!dc->alphaFormat || dc->rop != ROP_SET) {
    style.kind = BufferKind::kKeyed;
    style.key = dc->textColors[0];
  } else {
    style.kind = BufferKind::kAlpha;
    style.alpha = dc->alphaFormat;
  }
  return style;
}

GlyphStyle smoothStyle(const DC* dc) {
  GlyphStyle style;
  style.effect = Effect::kSmooth;
  style.kind = BufferKind::kAlpha;
  style.alpha = dc->alphaFormat;
  copyTable(style.table, dc->textColors2);
  return style;
}

GlyphStyle outlineStyle(const DC* dc) {
  GlyphStyle style;
  style.effect = Effect::kOutline;
  style.kind = BufferKind::kKeyed;
  copyTable(style.table, dc->textColors2);
  style.key = dc->textColors2[kOutlineClear];
  return style;
}

// Background pixels are left alone when the text is transparent, leans,
// or sits on the system's transparent colour.
GlyphStyle monochromeStyle(const DC* dc, bool sheared) {
  GlyphStyle style;
  const bool keyed =
      dc->bkMode == BM_TRANSPARENT || sheared || dc->bkColor == SysPixelIndex[SYSPIXEL_KEY];
  GalPixel background = dc->bkColor;
  if (keyed) {
    style.kind = BufferKind::kKeyed;
    style.key = background == dc->textColor ? background ^ 1 : background;
    background = style.key;
  }
  std::fill(style.table, style.table + kLevels - 1, background);
  style.table[kLevels - 1] = dc->textColor;
  return style;
}

}  // namespace

GlyphStyle ChooseGlyphStyle(DC* dc, const LogFont* lf, bool grey, bool sheared) {
  gui::dc::ResolveTextTables(dc);
  if (grey) return greyStyle(dc);
  if ((lf->style & FONT_WEIGHT_GREY) && dc->alphaFormat) return smoothStyle(dc);
  if ((lf->style & FONT_WEIGHT_OUTLINE) && dc->bkColor != dc->textColor) return outlineStyle(dc);
  return monochromeStyle(dc, sheared);
}

}  // namespace textrender

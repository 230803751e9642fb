// How a glyph becomes pixels in a given DC: which effect, which buffer kind,
// and the 17-entry table its ink levels map through.
#ifndef TOOLKIT_GDI_TEXT_TEXTRENDER_STYLE_H
#define TOOLKIT_GDI_TEXT_TEXTRENDER_STYLE_H

#include "gdi/text/textrender_blit.h"
#include "gdi/text/textrender_glyph.h"

namespace textrender {

struct GlyphStyle {
  Effect effect = Effect::kPlain;
  BufferKind kind = BufferKind::kPlain;
  GalPixel key = 0;
  const GalPixelFormat* alpha = nullptr;
  GalPixel table[kLevels] = {};
};

// grey: the font gave a grey pixmap; sheared: the glyph leans for italic.
GlyphStyle ChooseGlyphStyle(DC* dc, const LogFont* lf, bool grey, bool sheared);

}  // namespace textrender

#endif

// Logical fonts: creation binds a request to its device fonts; metrics and
// glyphs are answered by those device fonts.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "gdi/text/devfont_list.h"

extern "C" {
LogFont* g_SysLogFont[SYS_LOGFONT_SLOTS];
}

namespace {

constexpr int kMinSize = 4;
constexpr int kMaxSize = 256;

struct LogFontDeleter {
  void operator()(LogFont* lf) const { DestroyLogFont(lf); }
};
using LogFontPtr = std::unique_ptr<LogFont, LogFontDeleter>;

void copyField(char* to, const char* from) {
  std::snprintf(to, FONT_FIELD_LEN + 1, "%s", from ? from : "");
}

DevFont* bindInstance(LogFont* lf, DevFont* df, BOOL singleByte) {
  if (df && df->fontOps->newInstance) return df->fontOps->newInstance(lf, df, singleByte);
  return df;
}

// The family and charset a LogFont ends up with are those of the device font
// that serves its own charset.
void takeNamesFrom(LogFont* lf, const DevFont* df) {
  char family[FONT_FIELD_LEN + 1];
  if (fontGetFamilyFromName(df->name, family)) copyField(lf->family, family);
  if (df->charsetOps) copyField(lf->charset, df->charsetOps->name);
}

int heightOf(LogFont* lf, DevFont* df) { return df->fontOps->fontHeight(lf, df); }
int descentOf(LogFont* lf, DevFont* df) { return df->fontOps->descent(lf, df); }

LogFont* createLogFont(const char* type, const char* family, const char* charset, uint32_t style,
                       int size, int rotation) {
  if (style == FONT_STYLE_INVALID || !charset || !GetCharsetOps(charset)) return nullptr;
  LogFontPtr lf(new (std::nothrow) LogFont{});
  if (!lf) return nullptr;
  copyField(lf->type, type ? type : "*");
  copyField(lf->family, family);
  copyField(lf->charset, charset);
  lf->style = style;
  lf->size = std::clamp(size, kMinSize, kMaxSize);
  lf->rotation = rotation;
  lf->multiByteScale = 1;
  lf->singleByteScale = 1;

  lf->singleByteDevFont = bindInstance(lf.get(), MatchSingleByteDevFont(lf.get()), TRUE);
  if (!lf->singleByteDevFont) return nullptr;
  lf->multiByteDevFont = bindInstance(lf.get(), MatchMultiByteDevFont(lf.get()), FALSE);

  DevFont* sbc = lf->singleByteDevFont;
  DevFont* mbc = lf->multiByteDevFont;
  takeNamesFrom(lf.get(), mbc ? mbc : sbc);
  int height = heightOf(lf.get(), sbc);
  int descentGap = 0;
  if (mbc) {
    height = std::max(height, heightOf(lf.get(), mbc));
    descentGap = std::abs(descentOf(lf.get(), sbc) - descentOf(lf.get(), mbc));
  }
  lf->size = height + descentGap;
  return lf.release();
}

// The device font that draws the character: the multi-byte one when the
// bytes start one of its characters.
DevFont* servingFont(const LogFont* lf, const unsigned char* mchar, int len) {
  DevFont* mbc = lf->multiByteDevFont;
  if (mbc && mbc->charsetOps->pos_first_char(mchar, len) == 0) return mbc;
  return lf->singleByteDevFont;
}

}  // namespace

extern "C" {

LogFont* CreateLogFont(const char* type, const char* family, const char* charset, char weight,
                       char slant, char flip, char other, char underline, char struckout, int size,
                       int rotation) {
  const char letters[] = {weight, slant, flip, other, underline, struckout, '\0'};
  return createLogFont(type, family, charset, fontConvertStyle(letters), size, rotation);
}

LogFont* CreateLogFontByName(const char* name) {
  char type[FONT_FIELD_LEN + 1], family[FONT_FIELD_LEN + 1], charset[FONT_FIELD_LEN + 1];
  if (!fontGetTypeNameFromName(name, type) || !fontGetFamilyFromName(name, family) ||
      !fontGetCharsetFromName(name, charset))
    return nullptr;
  int height = fontGetHeightFromName(name);
  if (height == -1) return nullptr;
  return createLogFont(type, family, charset, fontGetStyleFromName(name), height, 0);
}

LogFont* CreateLogFontIndirect(const LogFont* from) {
  if (!from) return nullptr;
  return createLogFont(from->type, from->family, from->charset, from->style, from->size,
                       from->rotation);
}

void DestroyLogFont(LogFont* lf) {
  if (!lf) return;
  for (DevFont* df : {lf->singleByteDevFont, lf->multiByteDevFont})
    if (df && df->fontOps->deleteInstance) df->fontOps->deleteInstance(lf, df);
  delete lf;
}

void GetFontMetrics(LogFont* lf, FontMetrics* m) {
  if (!lf || !m || !lf->singleByteDevFont) return;
  DevFont* sbc = lf->singleByteDevFont;
  DevFont* mbc = lf->multiByteDevFont;
  const FontOps* sops = sbc->fontOps;
  m->fontHeight = lf->size;
  m->ascent = sops->ascent(lf, sbc);
  m->maxWidth = sops->maxWidth(lf, sbc);
  m->averageWidth = sops->averageWidth(lf, sbc);
  if (mbc) {
    const FontOps* mops = mbc->fontOps;
    m->ascent = std::max(m->ascent, mops->ascent(lf, mbc));
    m->maxWidth = std::max(m->maxWidth, mops->maxWidth(lf, mbc));
    m->averageWidth = mops->averageWidth(lf, mbc);
  }
  m->descent = m->fontHeight - m->ascent;
}

void GetGlyphBitmap(LogFont* lf, const unsigned char* mchar, int len, GlyphBitmap* g) {
  if (!lf || !mchar || !g || !lf->singleByteDevFont) return;
  DevFont* df = servingFont(lf, mchar, len);
  const FontOps* ops = df->fontOps;
  if (ops->charBoundingBox) {
    g->bboxX = g->bboxY = 0;
    ops->charBoundingBox(lf, df, mchar, len, &g->bboxX, &g->bboxY, &g->bboxW, &g->bboxH);
  } else {
    g->bboxX = 0;
    g->bboxY = ops->descent(lf, df);
    g->bboxW = ops->charWidth(lf, df, mchar, len);
    g->bboxH = ops->fontHeight(lf, df);
  }
  if (ops->charAdvance) {
    ops->charAdvance(lf, df, mchar, len, &g->advanceX, &g->advanceY);
  } else {
    g->advanceX = g->bboxW;
    g->advanceY = 0;
  }
  int scale = devfont::IsMultiByteCharset(df->charsetOps) ? lf->multiByteScale : lf->singleByteScale;
  if (scale > 1) {
    for (int32_t* v : {&g->bboxX, &g->bboxY, &g->bboxW, &g->bboxH, &g->advanceX, &g->advanceY})
      *v /= scale;
  }
  g->bitmapPitch = (g->bboxW + 7) / 8;
  g->bitmapSize = g->bitmapPitch * g->bboxH;
  unsigned short bitsScale = 1;
  g->bits = ops->charBitmap(lf, df, mchar, len, &bitsScale);
}

}  // extern "C"

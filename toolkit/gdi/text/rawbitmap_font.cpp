// Operations of raw bitmap fonts, scaled by whole multiples.
#include "gdi/text/rawbitmap_font.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gdi/readable_file.h"

#include "gdi/text/devfont_list.h"

namespace rawfont {
namespace {

constexpr int kMaxScale = 256;

RawBitmapFont& fontOf(const DevFont* df) { return *static_cast<RawBitmapFont*>(df->data); }

bool isMultiByte(const DevFont* df) { return devfont::IsMultiByteCharset(df->charsetOps); }

int scaleOf(const LogFont* lf, const DevFont* df) {
  int scale = isMultiByte(df) ? lf->multiByteScale : lf->singleByteScale;
  return scale > 0 ? scale : 1;
}

int cellWidth(LogFont* lf, DevFont* df) { return fontOf(df).width * scaleOf(lf, df); }
int charWidth(LogFont* lf, DevFont* df, const unsigned char*, int) { return cellWidth(lf, df); }
int fontHeight(LogFont* lf, DevFont* df) { return fontOf(df).height * scaleOf(lf, df); }
int descent(LogFont* lf, DevFont* df) { return DescentForHeight(fontHeight(lf, df)); }
int ascent(LogFont* lf, DevFont* df) {
  int h = fontHeight(lf, df);
  return h - DescentForHeight(h);
}

int fontSize(LogFont* lf, DevFont* df, int expect) {
  int height = fontOf(df).height;
  int scale = (lf->style & FONT_OTHER_SCALE) ? NearestMultiple(height, expect) : 1;
  if (isMultiByte(df))
    lf->multiByteScale = static_cast<uint16_t>(scale);
  else
    lf->singleByteScale = static_cast<uint16_t>(scale);
  return scale * height;
}

int glyphIndex(const RawBitmapFont& font, const unsigned char* mchar, int len) {
  const CharsetOps* cs = font.charset;
  int index = cs->char_glyph_value(mchar, len);
  if (index >= 0 && index < font.nrChars) return index;
  index = cs->char_glyph_value(cs->def_char, sizeof cs->def_char);
  return index >= 0 && index < font.nrChars ? index : 0;
}

const unsigned char* charBitmap(LogFont* lf, DevFont* df, const unsigned char* mchar, int len,
                                unsigned short* scale) {
  RawBitmapFont& font = fontOf(df);
  if (scale) *scale = static_cast<unsigned short>(scaleOf(lf, df));
  return font.glyphs() + font.glyphBytes() * glyphIndex(font, mchar, len);
}

}  // namespace

const unsigned char* RawBitmapFont::glyphs() {
  std::call_once(read_, [this] {
    data_.assign(dataSize, 0);
    files::ReadableFile source(file.c_str(), files::kMaxBinaryFile);
    std::unique_ptr<FILE, int (*)(FILE*)> in(source.TakeStream(), std::fclose);
    // A file cut short since loading leaves the rest blank.
    if (in && dataSize > 0) static_cast<void>(std::fread(data_.data(), 1, dataSize, in.get()));
  });
  return data_.data();
}

int NearestMultiple(int glyphHeight, int expect) {
  if (glyphHeight < 1) return 1;
  int best = 1;
  int bestDistance = std::abs(expect - glyphHeight);
  for (int scale = 2; scale <= kMaxScale; ++scale) {
    int distance = std::abs(expect - scale * glyphHeight);
    if (distance > bestDistance) break;
    best = scale;
    bestDistance = distance;
  }
  return best;
}

int DescentForHeight(int h) {
  if (h >= 40) return 6;
  if (h >= 20) return 3;
  if (h >= 15) return 2;
  if (h >= 10) return 1;
  return 0;
}

const FontOps kRawBitmapOps = {
    charWidth, cellWidth, cellWidth, fontHeight, fontSize, ascent, descent, charBitmap,
    nullptr,   nullptr,   nullptr,   nullptr,    nullptr,  nullptr,
};

}  // namespace rawfont

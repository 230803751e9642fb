// The glyph cache of outline fonts, keyed like the width caches by the
// device font's identity and the whole character, and by the image kind.
#include "gdi/text/textrender_glyphcache.h"

#include <unordered_map>


namespace textrender {
namespace {

constexpr size_t kMaxGlyphs = 4096;
constexpr int kMaxCharBytes = 4;

struct KeptGlyph {
  GlyphDesc desc;
  std::vector<unsigned char> bits;
  std::vector<InkRun> runs;
};

std::unordered_map<uint64_t, KeptGlyph>& Kept() {
  static std::unordered_map<uint64_t, KeptGlyph> glyphs;
  return glyphs;
}

uint64_t KeyOf(uint32_t fontId, bool grey, const unsigned char* ch, int len) {
  uint32_t code = 0;
  for (int i = 0; i < len && i < kMaxCharBytes; ++i) code = code << 8 | ch[i];
  const uint64_t bytes = static_cast<uint64_t>(len < kMaxCharBytes ? len : kMaxCharBytes);
  return static_cast<uint64_t>(fontId) << 36 | static_cast<uint64_t>(grey) << 35 | bytes << 32 | code;
}

bool wantsGrey(const LogFont* lf, const DevFont* df) {
  return (lf->style & FONT_WEIGHT_GREY) && df->fontOps->charGreyPixmap;
}

void fetchImage(LogFont* lf, DevFont* df, const unsigned char* ch, int len, GlyphDesc* d) {
  const FontOps* ops = df->fontOps;
  unsigned short scale = 1;
  GlyphSource& s = d->source;
  s.width = d->width;
  s.height = d->height;
  s.grey = wantsGrey(lf, df);
  if (s.grey) {
    int pitch = 0;
    s.bits = ops->charGreyPixmap(lf, df, ch, len, &pitch, &scale);
    s.pitch = pitch;
  } else {
    s.bits = ops->charBitmap(lf, df, ch, len, &scale);
  }
  s.scale = scale > 0 ? scale : 1;
  if (!s.grey) s.pitch = (s.width / s.scale + 7) / 8;
}

// Straight from the font's operations.
GlyphDesc describeFromFont(LogFont* lf, DevFont* df, int ascent, int height,
                           const unsigned char* ch, int len) {
  const FontOps* ops = df->fontOps;
  GlyphDesc d;
  if (ops->charBoundingBox) {
    int bx = 0, by = 0;
    ops->charBoundingBox(lf, df, ch, len, &bx, &by, &d.width, &d.height);
    d.dx = bx;
    d.dy = by;
  } else {
    d.dy = -ascent;
    d.width = ops->charWidth(lf, df, ch, len);
    d.height = height;
    d.advance = d.width;
  }
  fetchImage(lf, df, ch, len, &d);
  if (ops->charAdvance) {
    int x = 0, y = 0;
    ops->charAdvance(lf, df, ch, len, &x, &y);
    d.advance = x;
    d.advanceOp = true;
  }
  return d;
}

// Kerning makes a glyph's advance depend on the one before: not kept.
bool cacheable(const LogFont* lf, const DevFont* df, uint32_t fontId) {
  return fontId && df->fontOps->charBoundingBox && !(lf->style & FONT_OTHER_KERNING);
}

}  // namespace

GlyphDesc DescribeGlyph(LogFont* lf, DevFont* df, uint32_t fontId, int ascent, int height,
                        const unsigned char* ch, int len) {
  if (!cacheable(lf, df, fontId)) return describeFromFont(lf, df, ascent, height, ch, len);
  const uint64_t key = KeyOf(fontId, wantsGrey(lf, df), ch, len);
  auto& kept = Kept();
  auto it = kept.find(key);
  if (it != kept.end()) return it->second.desc;

  GlyphDesc d = describeFromFont(lf, df, ascent, height, ch, len);
  if (kept.size() >= kMaxGlyphs) kept.clear();
  KeptGlyph& k = kept[key];
  if (d.source.bits) {
    const size_t rows = static_cast<size_t>(d.source.height / d.source.scale);
    k.bits.assign(d.source.bits, d.source.bits + rows * static_cast<size_t>(d.source.pitch));
    d.source.bits = k.bits.data();
    if (!d.source.grey) {
      LevelImage image;
      ExpandLevels(d.source, GlyphShape{}, &image);
      InkRunsOf(image, &k.runs);
      d.runs = &k.runs;
    }
  }
  k.desc = d;
  return d;
}

void ClearGlyphCache() { Kept().clear(); }

}  // namespace textrender

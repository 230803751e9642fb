// Glyph expansion: source bits or grey bytes to a grid of ink levels, then
// levels to surface pixels.
#include "gdi/text/textrender_glyph.h"

#include <algorithm>
#include <cstring>

namespace textrender {
namespace {

constexpr uint8_t kFullInk = 16;

uint8_t sourceLevel(const GlyphSource& src, int sx, int sy) {
  const unsigned char* row = src.bits + static_cast<size_t>(sy) * src.pitch;
  if (src.grey) {
    const int g = row[sx];
    return static_cast<uint8_t>(g == 255 ? kFullInk : g / 16);
  }
  return (row[sx / 8] >> (7 - sx % 8)) & 1 ? kFullInk : 0;
}

// One monochrome row at scale 1: set bits become full ink, shifted and
// emboldened; empty bytes cost one test.
void placeMonoRow(const unsigned char* src, int srcW, int shift, int bold, uint8_t* row, int width) {
  for (int byte = 0; byte * 8 < srcW; ++byte) {
    const unsigned bits = src[byte];
    if (!bits) continue;
    for (int bit = 0; bit < 8; ++bit) {
      if (!(bits & (0x80u >> bit))) continue;
      const int x = byte * 8 + bit;
      if (x >= srcW) break;
      const int at = std::min(width - 1, x + shift);
      for (int b = 0; b <= bold; ++b) row[std::min(width - 1, at + b)] = kFullInk;
    }
  }
}

// Scaled source pixels, sheared for italic and emboldened, in a grid of
// (width + italic + bold) x height.
void placeInk(const GlyphSource& src, const GlyphShape& shape, LevelImage* out) {
  const int scale = std::max(1, src.scale);
  const int srcW = src.width / scale, srcH = src.height / scale;
  const int h = src.height;
  for (int y = 0; y < h; ++y) {
    const int sy = y / scale;
    if (sy >= srcH) break;
    // Row y of h leans (h - 1 - y) / 2 pixels right: the top row by the
    // whole italic width, the bottom row not at all.
    const int shift = shape.italic ? std::min(shape.italic, (h - 1 - y) / 2) : 0;
    uint8_t* row = &out->levels[static_cast<size_t>(y) * out->width];
    const unsigned char* srcRow = src.bits + static_cast<size_t>(sy) * src.pitch;
    if (!src.grey && scale == 1) {
      placeMonoRow(srcRow, srcW, shift, shape.bold, row, out->width);
      continue;
    }
    for (int x = 0; x < srcW * scale; ++x) {
      const uint8_t level = sourceLevel(src, x / scale, sy);
      if (!level) continue;
      const int at = std::min(out->width - 1, x + shift);
      row[at] = std::max(row[at], level);
      // Bold repeats ink one pixel to the right (monochrome glyphs).
      for (int b = 1; b <= shape.bold && !src.grey; ++b)
        row[std::min(out->width - 1, at + b)] = kFullInk;
    }
  }
}

bool inkAt(const LevelImage& img, int x, int y) {
  return x >= 0 && y >= 0 && x < img.width && y < img.height && img.at(x, y) != 0;
}

// A clear pixel takes 3 per ink neighbour across an edge, 1 per diagonal.
uint8_t smoothLevel(const LevelImage& ink, int x, int y) {
  if (inkAt(ink, x, y)) return kFullInk;
  int level = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      if ((dx || dy) && inkAt(ink, x + dx, y + dy)) level += (dx && dy) ? 1 : 3;
    }
  return static_cast<uint8_t>(std::min<int>(level, kFullInk));
}

uint8_t outlineLevel(const LevelImage& ink, int x, int y) {
  if (inkAt(ink, x, y)) return kOutlineInk;
  const bool edge = inkAt(ink, x - 1, y) || inkAt(ink, x + 1, y) || inkAt(ink, x, y - 1) ||
                    inkAt(ink, x, y + 1);
  return edge ? kOutlineEdge : kOutlineClear;
}

void withBorder(const LevelImage& ink, Effect effect, LevelImage* out) {
  out->width = ink.width + 2;
  out->height = ink.height + 2;
  out->levels.assign(static_cast<size_t>(out->width) * out->height, 0);
  for (int y = 0; y < out->height; ++y)
    for (int x = 0; x < out->width; ++x)
      out->levels[static_cast<size_t>(y) * out->width + x] =
          effect == Effect::kSmooth ? smoothLevel(ink, x - 1, y - 1) : outlineLevel(ink, x - 1, y - 1);
}

void mirror(LevelImage* img) {
  for (int y = 0; y < img->height; ++y) {
    auto row = img->levels.begin() + static_cast<ptrdiff_t>(y) * img->width;
    std::reverse(row, row + img->width);
  }
}

void flip(LevelImage* img) {
  for (int y = 0; y < img->height / 2; ++y) {
    auto top = img->levels.begin() + static_cast<ptrdiff_t>(y) * img->width;
    auto bottom = img->levels.begin() + static_cast<ptrdiff_t>(img->height - 1 - y) * img->width;
    std::swap_ranges(top, top + img->width, bottom);
  }
}

}  // namespace

// The image's storage is reused from glyph to glyph.
void ExpandLevels(const GlyphSource& src, const GlyphShape& shape, LevelImage* out) {
  static thread_local LevelImage scratch;
  const bool bordered = shape.effect != Effect::kPlain && !src.grey;
  LevelImage& ink = bordered ? scratch : *out;
  ink.width = std::max(0, src.width + shape.italic + shape.bold);
  ink.height = std::max(0, src.height);
  ink.levels.assign(static_cast<size_t>(ink.width) * ink.height, 0);
  if (src.bits && ink.width > 0) placeInk(src, shape, &ink);
  if (bordered) withBorder(ink, shape.effect, out);
  if (shape.mirror) mirror(out);
  if (shape.flip) flip(out);
}

void InkRunsOf(const LevelImage& image, std::vector<InkRun>* runs) {
  runs->clear();
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = &image.levels[static_cast<size_t>(y) * image.width];
    for (int x = 0; x < image.width;) {
      while (x < image.width && row[x] != kFullInk) ++x;
      const int start = x;
      while (x < image.width && row[x] == kFullInk) ++x;
      if (x > start)
        runs->push_back(InkRun{static_cast<int16_t>(y), static_cast<int16_t>(start), static_cast<int16_t>(x)});
    }
  }
}

void MapLevels(const LevelImage& image, const GalPixel table[kLevels], int bytesPerPixel,
               uint8_t* pixels, int pitch) {
  for (int y = 0; y < image.height; ++y) {
    uint8_t* p = pixels + static_cast<size_t>(y) * pitch;
    for (int x = 0; x < image.width; ++x, p += bytesPerPixel)
      WritePixel(p, bytesPerPixel, table[image.at(x, y)]);
  }
}

}  // namespace textrender

// Expansion of one glyph image into pixels of the target surface: bold,
// italic shear, scaling, grey levels, smoothing and outlining, mirroring.
// Works on plain buffers so that it can be checked without a DC.
#ifndef TOOLKIT_GDI_TEXT_TEXTRENDER_GLYPH_H
#define TOOLKIT_GDI_TEXT_TEXTRENDER_GLYPH_H

#include <cstdint>
#include <cstring>
#include <vector>

#include "gui/common.h"

namespace textrender {

constexpr int kLevels = 17;  // 0 (nothing) .. 16 (full ink)

// What a font handed over for one character.
struct GlyphSource {
  const unsigned char* bits = nullptr;
  int pitch = 0;      // bytes per source row
  bool grey = false;  // one byte per pixel, else one bit (MSB first)
  int width = 0;      // drawn size in pixels, after scaling
  int height = 0;
  int scale = 1;      // each source pixel covers scale x scale pixels
};

enum class Effect { kPlain, kSmooth, kOutline };

struct GlyphShape {
  int bold = 0;    // extra columns of emboldening
  int italic = 0;  // extra columns of shear
  Effect effect = Effect::kPlain;
  bool mirror = false;
  bool flip = false;
};

// Ink levels 0..16 per pixel, row-major; smoothing and outlining add a
// one-pixel border on each side.
struct LevelImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> levels;
  uint8_t at(int x, int y) const { return levels[static_cast<size_t>(y) * width + x]; }
};

void ExpandLevels(const GlyphSource& src, const GlyphShape& shape, LevelImage* out);

// A glyph ready to draw: the full-ink spans of each row, relative to the
// image's top-left corner, row by row from the top.
struct InkRun {
  int16_t row;
  int16_t left, right;  // columns left .. right - 1
};
void InkRunsOf(const LevelImage& image, std::vector<InkRun>* runs);

// Levels to pixels through a 17-entry table (outlined images use entries
// 0, 1 and 2 only), written little-endian with bytesPerPixel bytes each.
void MapLevels(const LevelImage& image, const GalPixel table[kLevels], int bytesPerPixel,
               uint8_t* pixels, int pitch);

// Level codes an outlined image uses, as table indexes.
constexpr uint8_t kOutlineClear = 0;
constexpr uint8_t kOutlineEdge = 1;
constexpr uint8_t kOutlineInk = 2;

// Little-endian pixels of 1 to 4 bytes.
inline GalPixel ReadPixel(const uint8_t* p, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 4: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
    case 3:
      return p[0] | static_cast<GalPixel>(p[1]) << 8 | static_cast<GalPixel>(p[2]) << 16;
    case 2:
      return p[0] | static_cast<GalPixel>(p[1]) << 8;
    default:
      return p[0];
  }
}

inline void WritePixel(uint8_t* p, int bytesPerPixel, GalPixel value) {
  if (bytesPerPixel == 4) {
    std::memcpy(p, &value, 4);
    return;
  }
  for (int i = 0; i < bytesPerPixel; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace textrender

#endif

// Small surfaces of every depth and a per-pixel picture of them, for the
// DC, pixel, line and polygon tests.
#ifndef GDI_DC_TESTS_DC_TEST_SUPPORT_H
#define GDI_DC_TESTS_DC_TEST_SUPPORT_H

#include <memory>
#include <vector>

#include "gdi/gal/tests/guarded_surface.h"

namespace dctest {

inline std::unique_ptr<GuardedSurface> MakeSurface(int width, int height, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1:
      return std::make_unique<GuardedSurface>(width, height, 8);
    case 2:
      return std::make_unique<GuardedSurface>(width, height, 16, 0xF800, 0x07E0, 0x001F);
    case 3:
      return std::make_unique<GuardedSurface>(width, height, 24, 0xFF0000, 0xFF00, 0xFF);
    default:
      return std::make_unique<GuardedSurface>(width, height, 32, 0xFF0000, 0xFF00, 0xFF);
  }
}

inline uint32_t MaskOf(int bytesPerPixel) {
  return bytesPerPixel == 4 ? 0xFFFFFFFFu : (1u << (8 * bytesPerPixel)) - 1;
}

// Every pixel of a surface, row by row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Picture& o) const { return pixels == o.pixels; }
};

inline Picture Snapshot(const GuardedSurface& s) {
  Picture p;
  p.width = s.get()->w;
  p.height = s.get()->h;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) p.pixels.push_back(s.pixel(x, y));
  return p;
}

// Fills the surface with a pattern that differs from pixel to pixel.
inline void Scribble(GuardedSurface& s, uint32_t seed) {
  const uint32_t mask = MaskOf(s.get()->format->bytesPerPixel);
  for (int y = 0; y < s.get()->h; ++y)
    for (int x = 0; x < s.get()->w; ++x)
      s.setPixel(x, y, ((x * 2654435761u) ^ (y * 40503u) ^ seed) & mask);
}

}  // namespace dctest

#endif

// Pixel access shared by the row loops: reading and writing 1..4-byte
// pixels, splitting them into channels, widening alpha, the blend rule of
// the general loops and the 3-3-2 packing of palette destinations.
#ifndef GDI_GAL_BLIT_PIXEL_H
#define GDI_GAL_BLIT_PIXEL_H

#include <cstdint>
#include <cstring>

#include "gui/gal.h"

namespace gal::px {

inline uint32_t read(const uint8_t* p, int bytes) {
  switch (bytes) {
    case 1: return p[0];
    case 2: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case 3: return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
    default: { uint32_t v; std::memcpy(&v, p, 4); return v; }
  }
}

inline void write(uint8_t* p, int bytes, uint32_t v) {
  switch (bytes) {
    case 1: p[0] = static_cast<uint8_t>(v); break;
    case 2: { uint16_t w = static_cast<uint16_t>(v); std::memcpy(p, &w, 2); break; }
    case 3:
      p[0] = static_cast<uint8_t>(v);
      p[1] = static_cast<uint8_t>(v >> 8);
      p[2] = static_cast<uint8_t>(v >> 16);
      break;
    default: std::memcpy(p, &v, 4); break;
  }
}

struct Rgb {
  int r, g, b;
};

inline int channel(uint32_t pixel, uint32_t mask, uint8_t shift, uint8_t loss) {
  return static_cast<int>((((pixel & mask) >> shift) << loss) & 0xFF);
}

inline Rgb split(uint32_t pixel, const GalPixelFormat* f) {
  return Rgb{channel(pixel, f->rMask, f->rShift, f->rLoss),
             channel(pixel, f->gMask, f->gShift, f->gLoss),
             channel(pixel, f->bMask, f->bShift, f->bLoss)};
}

inline uint32_t assemble(const Rgb& c, const GalPixelFormat* f) {
  return (static_cast<uint32_t>(c.r) >> f->rLoss << f->rShift) |
         (static_cast<uint32_t>(c.g) >> f->gLoss << f->gShift) |
         (static_cast<uint32_t>(c.b) >> f->bLoss << f->bShift);
}

inline uint32_t alphaBits(int a, const GalPixelFormat* f) {
  if (!f->aMask) return 0;
  return (static_cast<uint32_t>(a) >> f->aLoss << f->aShift) & f->aMask;
}

// An alpha of 8 - loss bits widened to 8 bits; the top value of each width
// reads as fully opaque.
inline int widenAlpha(uint32_t a, int loss) {
  switch (loss) {
    case 1: return a * 2 == 254 ? 255 : static_cast<int>(a * 2);
    case 2: return a * 4 == 252 ? 255 : static_cast<int>(a * 4);
    case 3: return a * 8 == 248 ? 255 : static_cast<int>(a * 8);
    case 4: return static_cast<int>(a * 17);
    case 5: return a * 36 == 252 ? 255 : static_cast<int>(a * 36);
    case 6: return static_cast<int>(a * 85);
    case 7: return static_cast<int>(a * 255);
    default: return static_cast<int>(a & 0xFF);
  }
}

inline int pixelAlpha(uint32_t pixel, const GalPixelFormat* f) {
  return widenAlpha((pixel & f->aMask) >> f->aShift, f->aLoss);
}

// d + (s - d) * a / 255, signed, truncating toward zero, kept to 8 bits.
inline int blend255(int s, int d, int a) { return (d + (s - d) * a / 255) & 0xFF; }

inline Rgb blend255(const Rgb& s, const Rgb& d, int a) {
  return Rgb{blend255(s.r, d.r, a), blend255(s.g, d.g, a), blend255(s.b, d.b, a)};
}

inline uint32_t pack332(const Rgb& c) {
  return static_cast<uint32_t>((c.r >> 5) << 5 | (c.g >> 5) << 2 | (c.b >> 6));
}

// A palette destination's byte for a colour: through the table when the
// map has one.
inline uint8_t indexByte(const Rgb& c, const uint8_t* table) {
  uint32_t i = pack332(c);
  return static_cast<uint8_t>(table ? table[i] : i);
}

inline Rgb paletteColor(const GalPixelFormat* f, uint32_t index) {
  const GalPalette* pal = f->palette;
  if (!pal || static_cast<int32_t>(index) >= pal->ncolors) return Rgb{0, 0, 0};
  const GalColor& c = pal->colors[index];
  return Rgb{c.r, c.g, c.b};
}

}  // namespace gal::px

#endif

// Pixel formats: construction from a depth and masks, colour <-> pixel
// mapping, the generated 3-3-2 palette, row pitch and YUV conversion.
#include <cstdio>
#include <memory>
#include <new>

#include "gdi/gal_internal.h"

namespace {

int trailingZeros(uint32_t mask) {
  int n = 0;
  while (mask && !(mask & 1u)) {
    mask >>= 1;
    ++n;
  }
  return n;
}

// Set bits in the run that starts at the mask's lowest set bit.
int runLength(uint32_t mask) {
  mask >>= trailingZeros(mask);
  int n = 0;
  while (mask & 1u) {
    mask >>= 1;
    ++n;
  }
  return n;
}

void setChannel(uint32_t mask, uint8_t& shift, uint8_t& loss, uint32_t& stored) {
  shift = mask ? static_cast<uint8_t>(trailingZeros(mask)) : 0;
  loss = static_cast<uint8_t>(8 - (mask ? runLength(mask) : 0));
  stored = mask;
}

void makeDefaultMasks(GalPixelFormat& f, int bpp) {
  int depth = bpp < 24 ? bpp : 24;
  int n = depth / 3, rest = depth % 3;
  f.rLoss = f.bLoss = static_cast<uint8_t>(8 - n);
  f.gLoss = static_cast<uint8_t>(8 - n - rest);
  f.bShift = 0;
  f.gShift = static_cast<uint8_t>(n);
  f.rShift = static_cast<uint8_t>(2 * n + rest);
  f.rMask = (0xFFu >> f.rLoss) << f.rShift;
  f.gMask = (0xFFu >> f.gLoss) << f.gShift;
  f.bMask = (0xFFu >> f.bLoss) << f.bShift;
}

// 8 - n bits of loss widen back to 8 bits by repeating the top bits.
uint8_t widen(uint32_t v, uint8_t loss) {
  if (loss >= 8) return 0;
  return static_cast<uint8_t>((v << loss) + (v >> (8 - loss)));
}

}  // namespace

namespace gal {

std::unique_ptr<GalPalette, PaletteDeleter> allocPalette(int ncolors) {
  std::unique_ptr<GalPalette, PaletteDeleter> pal(new (std::nothrow) GalPalette{});
  if (!pal) return nullptr;
  pal->colors = new (std::nothrow) GalColor[ncolors]();
  if (!pal->colors) return nullptr;
  pal->ncolors = ncolors;
  return pal;
}

void PaletteDeleter::operator()(GalPalette* pal) const {
  if (!pal) return;
  delete[] pal->colors;
  delete pal;
}

void reportOutOfMemory() { std::fputs("Out of memory\n", stderr); }

int64_t rowPitch(const GalPixelFormat* f, int64_t rowBytes) {
  if (f->bitsPerPixel == 1)
    rowBytes = (rowBytes + 7) / 8;
  else if (f->bitsPerPixel == 4)
    rowBytes = (rowBytes + 1) / 2;
  return (rowBytes + 3) & ~int64_t{3};
}

}  // namespace gal

extern "C" {

GalPixelFormat* GAL_AllocFormat(int bpp, uint32_t rMask, uint32_t gMask, uint32_t bMask,
                                uint32_t aMask) {
  std::unique_ptr<GalPixelFormat> f(new (std::nothrow) GalPixelFormat{});
  if (!f) {
    gal::reportOutOfMemory();
    return nullptr;
  }
  f->alpha = 255;
  f->bitsPerPixel = static_cast<uint8_t>(bpp);
  f->bytesPerPixel = static_cast<uint8_t>((bpp + 7) / 8);
  if (bpp == 1 || bpp == 4 || bpp == 8) {
    auto pal = gal::allocPalette(1 << bpp);
    if (!pal) {
      gal::reportOutOfMemory();
      return nullptr;
    }
    if (bpp == 1) pal->colors[0] = GalColor{255, 255, 255, 0};
    f->rLoss = f->gLoss = f->bLoss = f->aLoss = 8;
    f->palette = pal.release();
    return f.release();
  }
  setChannel(rMask, f->rShift, f->rLoss, f->rMask);
  setChannel(gMask, f->gShift, f->gLoss, f->gMask);
  setChannel(bMask, f->bShift, f->bLoss, f->bMask);
  setChannel(aMask, f->aShift, f->aLoss, f->aMask);
  if (bpp > 8 && !rMask && !gMask && !bMask) makeDefaultMasks(*f, bpp);
  return f.release();
}

void GAL_FreeFormat(GalPixelFormat* format) {
  if (!format) return;
  gal::PaletteDeleter()(format->palette);
  delete format;
}

uint16_t GAL_CalculatePitch(GalSurface* surface) {
  const GalPixelFormat* f = surface->format;
  const uint16_t rowBytes = static_cast<uint16_t>(f->bytesPerPixel * surface->w);
  return static_cast<uint16_t>(gal::rowPitch(f, rowBytes));
}

void MakeRGB332Palette(GalColor* colors, int bpp) {
  if (bpp != 8) return;
  for (int i = 0; i < 256; ++i) {
    int r = i & 0xE0, g = (i & 0x1C) << 3, b = i & 0x03;
    colors[i].r = static_cast<uint8_t>(r | r >> 3 | r >> 6);
    colors[i].g = static_cast<uint8_t>(g | g >> 3 | g >> 6);
    colors[i].b = static_cast<uint8_t>(b | b << 2 | b << 4 | b << 6);
    colors[i].unused = 0;
  }
}

uint8_t GAL_FindColor(GalPalette* palette, uint8_t r, uint8_t g, uint8_t b) {
  if (!palette || palette->ncolors <= 0) return 0;
  unsigned best = ~0u;
  int pick = 0;
  for (int i = 0; i < palette->ncolors; ++i) {
    const GalColor& c = palette->colors[i];
    int dr = c.r - r, dg = c.g - g, db = c.b - b;
    unsigned distance = static_cast<unsigned>(dr * dr + dg * dg + db * db);
    if (distance < best) {
      best = distance;
      pick = i;
      if (distance == 0) break;
    }
  }
  return static_cast<uint8_t>(pick);
}

GalPixel GAL_MapRGB(const GalPixelFormat* f, uint8_t r, uint8_t g, uint8_t b) {
  if (!f->palette)
    return ((r >> f->rLoss) << f->rShift) | ((g >> f->gLoss) << f->gShift) |
           ((b >> f->bLoss) << f->bShift) | f->aMask;
  if (!f->isGeneratedPalette) return GAL_FindColor(f->palette, r, g, b);
  if (f->bitsPerPixel != 8) return 0;
  return (r & 0xE0u) | ((g & 0xE0u) >> 3) | (b >> 6);
}

GalPixel GAL_MapRGBA(const GalPixelFormat* f, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (f->palette) return GAL_MapRGB(f, r, g, b);
  return ((r >> f->rLoss) << f->rShift) | ((g >> f->gLoss) << f->gShift) |
         ((b >> f->bLoss) << f->bShift) | (((a >> f->aLoss) << f->aShift) & f->aMask);
}

void GAL_GetRGBA(GalPixel pixel, const GalPixelFormat* f, uint8_t* r, uint8_t* g, uint8_t* b,
                 uint8_t* a) {
  if (f->palette) {
    GalColor c = pixel < static_cast<uint32_t>(f->palette->ncolors) ? f->palette->colors[pixel]
                                                                    : GalColor{0, 0, 0, 0};
    *r = c.r;
    *g = c.g;
    *b = c.b;
    *a = 255;
    return;
  }
  *r = widen((pixel & f->rMask) >> f->rShift, f->rLoss);
  *g = widen((pixel & f->gMask) >> f->gShift, f->gLoss);
  *b = widen((pixel & f->bMask) >> f->bShift, f->bLoss);
  *a = f->aMask ? widen((pixel & f->aMask) >> f->aShift, f->aLoss) : 255;
}

void GAL_GetRGB(GalPixel pixel, const GalPixelFormat* f, uint8_t* r, uint8_t* g, uint8_t* b) {
  uint8_t a;
  GAL_GetRGBA(pixel, f, r, g, b, &a);
}

void RGBToYUV(uint8_t r, uint8_t g, uint8_t b, uint8_t* y, uint8_t* u, uint8_t* v) {
  int rv = r * 219 / 255 + 16, gv = g * 219 / 255 + 16, bv = b * 219 / 255 + 16;
  *y = static_cast<uint8_t>((2991 * rv + 5849 * gv + 1159 * bv + 5000) / 10000);
  *u = static_cast<uint8_t>((-1725 * rv - 3373 * gv + 5097 * bv + 1285000) / 10000);
  *v = static_cast<uint8_t>((5097 * rv - 4254 * gv - 843 * bv + 1285000) / 10000);
}

void PixelToYUV(GalPixel pixel, const GalPixelFormat* f, uint8_t* y, uint8_t* u, uint8_t* v) {
  uint8_t r, g, b;
  GAL_GetRGB(pixel, f, &r, &g, &b);
  RGBToYUV(r, g, b, y, u, v);
}

uint32_t ReadPixelValue(const uint8_t* p, int bytesPerPixel) {
  if (!p) return ~0u;
  switch (bytesPerPixel) {
    case 1: return p[0];
    case 2: return p[0] | p[1] << 8;
    case 3: return p[0] | p[1] << 8 | p[2] << 16;
    case 4: return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    default: return 0;
  }
}

}  // extern "C"

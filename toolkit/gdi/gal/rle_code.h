// The encoded form of a run-length surface and the walkers that blit and
// decode it. Every read is checked against the end of the code, and a row
// ends exactly when its skips and runs reach the surface width, so a
// damaged code stops the walk instead of reading or writing past a buffer.
#ifndef GDI_GAL_RLE_CODE_H
#define GDI_GAL_RLE_CODE_H

#include <cstddef>
#include <cstdint>

#include "gui/gal.h"

namespace gal::rle {

// The blit map's auxiliary data while a surface is in run-length form.
struct Code {
  uint8_t* bytes = nullptr;  // malloc'ed
  size_t size = 0;
  bool perPixelAlpha = false;
};

constexpr size_t kAlphaHeader = 24;

Code* codeOf(const GalSurface* surface);

// Where a blit writes: the destination pixel of the source box's first
// column, rows `pitch` apart.
struct Target {
  uint8_t* start;
  ptrdiff_t pitch;
};

// Colour-keyed code of a surface `width` wide in format `f`: draws the
// rows and columns of `box` with `alpha` (255 copies).
void keyBlit(const Code& code, const GalPixelFormat* f, int width, uint8_t alpha,
             const GalRect& box, const Target& to);
// Per-pixel-alpha code: the header names the destination format, which
// must have `dstBytes` bytes per pixel.
void alphaBlit(const Code& code, int width, const GalRect& box, const Target& to, int dstBytes);
// Rebuilds 32-bit pixels of `f` from a per-pixel-alpha code (the rows the
// code holds; the rest stays as it is).
void decodeAlpha(const Code& code, const GalPixelFormat* f, int width, int height,
                 const Target& to);

// Puts a surface into run-length form with the given code bytes (copied),
// as the encoder would; for tests and fuzzing. False without memory.
bool adoptCode(GalSurface* s, const uint8_t* bytes, size_t size, bool perPixelAlpha);

// Encoders: false when memory runs out or the formats are not served.
bool encodeKey(const GalSurface* s, Code* out);
bool encodeAlpha(const GalSurface* s, const GalPixelFormat* dst, Code* out);

}  // namespace gal::rle

#endif

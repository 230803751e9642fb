// The encoded form of a run-length surface and the walkers that blit and
// decode it. Every read is checked against the end of the code, and a row
// ends exactly when its skips and runs reach the surface width, so a
// damaged code stops the walk instead of reading or writing past a buffer.
#ifndef GDI_GAL_RLE_CODE_H
#define GDI_GAL_RLE_CODE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/gal.h"

namespace gal::rle {

// The walk of the sound rows at the top of a colour-keyed code, worked out
// once: where each segment's counts sit and what they held, and where each
// run's pixels lie and land. A blit compares the counts at those places,
// which needs no count to wait for the one before it, and then copies the
// runs; a row whose counts differ is walked as the code says.
struct KeyPlan {
  struct Check {
    uint32_t at;      // offset of the counts in the code
    uint32_t counts;  // their bytes, as read by readCounts
  };
  struct Run {
    uint32_t from;   // offset of the pixels in the code
    uint32_t to;     // byte offset in the row
    uint32_t bytes;  // never 0
  };
  std::vector<Check> checks;
  std::vector<Run> runs;
  std::vector<uint32_t> rowChecks, rowRuns;  // ends of each row's entries
  uint32_t end = 0;  // where the first row past the plan starts
  int width = 0, bpp = 0;
};

// The blit map's auxiliary data while a surface is in run-length form.
struct Code {
  uint8_t* bytes = nullptr;  // malloc'ed
  size_t size = 0;
  bool perPixelAlpha = false;
  KeyPlan plan;  // colour-keyed codes of small surfaces
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

// Plans the colour-keyed code of a surface `width` wide with `bpp` bytes
// per pixel; codes with many segments keep a plan of their first rows
// only, and none without memory.
void planKey(Code* code, int width, int bpp);

// Puts a surface into run-length form with the given code bytes (copied),
// as the encoder would; for tests and fuzzing. False without memory.
bool adoptCode(GalSurface* s, const uint8_t* bytes, size_t size, bool perPixelAlpha);

// Encoders: false when memory runs out or the formats are not served.
bool encodeKey(const GalSurface* s, Code* out);
bool encodeAlpha(const GalSurface* s, const GalPixelFormat* dst, Code* out);

}  // namespace gal::rle

#endif

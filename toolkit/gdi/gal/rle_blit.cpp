// Blits and decoding of run-length codes.
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gdi/gal/blit_loops.h"
#include "gdi/gal/blit_pixel.h"
#include "gdi/gal/rle_walk.h"
#include "gdi/gal/row_copy.h"

namespace gal::rle {

namespace {

#if defined(__SSE2__)
inline void copy16(uint8_t* d, const uint8_t* s) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
}
#else
inline void copy16(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 16); }
#endif

// Runs are short: inline moves beat a library call each. The last move of
// a run overlaps the one before it instead of branching on the tail; the
// code and the destination never share memory (a surface blitted onto
// itself reads a copy of its code).
inline void copyRun(uint8_t* d, const uint8_t* s, size_t bytes) {
  if (bytes >= 16) {
    for (size_t at = 0; at + 16 < bytes; at += 16) copy16(d + at, s + at);
    copy16(d + bytes - 16, s + bytes - 16);
  } else {
    copyTail(d, s, bytes);
  }
}

// How one run of n source pixels lands on the destination.
struct RunDraw {
  enum Kind { kNothing, kCopy, k565, k555, kHalf565, kHalf555, k888, kHalf888, kGeneral } kind;
  const GalPixelFormat* f;
  uint32_t alpha;
  int bpp;

  void operator()(uint8_t* d, const uint8_t* s, uint32_t n) const {
    switch (kind) {
      case kNothing: return;
      case kCopy: copyRun(d, s, static_cast<size_t>(n) * bpp); return;
      case kHalf565:
      case kHalf555:
        // Byte copies of the run keep it free of alignment assumptions.
        for (uint32_t i = 0; i < n; ++i) {
          uint16_t a = static_cast<uint16_t>(px::read(s + 2 * i, 2));
          uint16_t b = static_cast<uint16_t>(px::read(d + 2 * i, 2));
          px::write(d + 2 * i, 2, average16(a, b, kind == kHalf565 ? gal::kHalf565 : gal::kHalf555));
        }
        return;
      default: break;
    }
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t sp = px::read(s + i * bpp, bpp), dp = px::read(d + i * bpp, bpp);
      px::write(d + i * bpp, bpp, blendOne(sp, dp));
    }
  }

  uint32_t blendOne(uint32_t s, uint32_t d) const {
    switch (kind) {
      case k565: return blendSpread(spread16(s, kSpread565), spread16(d, kSpread565), alpha >> 3, kSpread565);
      case k555: return blendSpread(spread16(s, kSpread555), spread16(d, kSpread555), alpha >> 3, kSpread555);
      case k888: return blend888(s, d, alpha);
      case kHalf888: return average888(s, d);
      default: break;
    }
    px::Rgb a = px::split(s, f), b = px::split(d, f);
    auto mix = [this](int sc, int dc) { return (dc + (((sc - dc) * static_cast<int>(alpha)) >> 8)) & 0xFF; };
    return px::assemble(px::Rgb{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)}, f);
  }
};

bool hasMask(const GalPixelFormat* f, uint32_t m) {
  return f->rMask == m || f->gMask == m || f->bMask == m;
}

RunDraw chooseRunDraw(const GalPixelFormat* f, uint32_t alpha) {
  int bpp = f->bytesPerPixel;
  RunDraw r{RunDraw::kGeneral, f, alpha, bpp};
  uint32_t sum = f->rMask | f->gMask | f->bMask;
  if (alpha == 255)
    r.kind = RunDraw::kCopy;
  else if (bpp == 1)
    r.kind = RunDraw::kNothing;
  else if (bpp == 2 && sum == 0xFFFF && hasMask(f, 0x07E0))
    r.kind = alpha == 128 ? RunDraw::kHalf565 : RunDraw::k565;
  else if (bpp == 2 && sum == 0x7FFF && hasMask(f, 0x03E0))
    r.kind = alpha == 128 ? RunDraw::kHalf555 : RunDraw::k555;
  else if (bpp == 4 && sum == 0x00FFFFFF && hasMask(f, 0x0000FF00))
    r.kind = alpha == 128 ? RunDraw::kHalf888 : RunDraw::k888;
  return r;
}

// The counts of one segment.
template <int Bpp>
struct Segment {
  static constexpr size_t kBytes = Bpp == 4 ? 4 : 2;
  uint32_t skip = 0, n = 0;
  void read(const uint8_t* p) {
    if constexpr (Bpp == 4) {
      skip = static_cast<uint32_t>(p[0] | p[1] << 8);
      n = static_cast<uint32_t>(p[2] | p[3] << 8);
    } else {
      skip = p[0];
      n = p[1];
    }
  }
};

// Whole rows of a colour-keyed code copied as they are, with the checks of
// walkRow: a (0, 0) segment ends the walk (the end at a row's start, damage
// inside one), as do a run past the width and a code that stops short.
// Each segment's counts are read before the run before them is written: a
// read behind the writes would wait on them.
template <int Bpp>
void copyRows(const uint8_t* p, const uint8_t* end, int width, int rows, uint8_t* row, ptrdiff_t pitch) {
  using Counts = Segment<Bpp>;
  const uint32_t w = static_cast<uint32_t>(width);
  Counts at;
  if (static_cast<size_t>(end - p) >= Counts::kBytes) at.read(p);
  for (int y = 0; y < rows; ++y, row += pitch) {
    uint32_t offset = 0;
    do {
      const Counts now = at;
      if (now.skip == 0 && now.n == 0) return;
      const uint8_t* pixels = p + Counts::kBytes;
      const size_t bytes = static_cast<size_t>(now.n) * Bpp;
      if (offset + now.skip + now.n > w || static_cast<size_t>(end - pixels) < bytes) return;
      p = pixels + bytes;
      at = Counts{};  // the code ends here unless it holds another segment
      if (static_cast<size_t>(end - p) >= Counts::kBytes) at.read(p);
      offset += now.skip;
      copyRun(row + static_cast<size_t>(offset) * Bpp, pixels, bytes);
      offset += now.n;
    } while (offset < w);
  }
}

// The number of rows from the top, up to `rows`, whose counts still hold
// what the plan found: all rows at once, then row by row only when one
// differs, which only a change to the code after its plan brings about.
template <size_t CountBytes>
size_t rowsAsPlanned(const KeyPlan& plan, const uint8_t* code, size_t rows) {
  const KeyPlan::Check* checks = plan.checks.data();
  auto same = [&](size_t from, size_t to) {
    for (size_t k = from; k < to; ++k)
      if (readCounts<CountBytes>(code + checks[k].at) != checks[k].counts) return false;
    return true;
  };
  if (rows == 0 || same(0, plan.rowChecks[rows - 1])) return rows;
  for (size_t y = 0; y < rows; ++y)
    if (!same(y ? plan.rowChecks[y - 1] : 0, plan.rowChecks[y])) return y;
  return rows;
}

void copyPlannedRows(const KeyPlan& plan, const uint8_t* code, size_t first, size_t stop, uint8_t* row,
                     ptrdiff_t pitch) {
  const KeyPlan::Run* runs = plan.runs.data();
  size_t k = first ? plan.rowRuns[first - 1] : 0;
  for (size_t y = first; y < stop; ++y, row += pitch)
    for (const size_t last = plan.rowRuns[y]; k < last; ++k) copyRun(row + runs[k].to, code + runs[k].from, runs[k].bytes);
}

// Whole rows of a planned code: the planned rows from the box's first on
// that still hold as planned are copied from the plan. Returns how many
// rows of the box that is (0 when the plan does not serve this blit) and
// sets `rest` to where the next row starts in the code.
template <int Bpp>
size_t copyAsPlanned(const Code& code, int width, const GalRect& box, const Target& to, const uint8_t** rest) {
  const KeyPlan& plan = code.plan;
  const size_t planned = plan.rowChecks.size(), first = static_cast<size_t>(box.y),
               stop = first + static_cast<size_t>(box.h);
  if (plan.width != width || plan.bpp != Bpp || first >= planned) return 0;
  constexpr size_t kCountBytes = Bpp == 4 ? 4 : 2;
  const size_t held = rowsAsPlanned<kCountBytes>(plan, code.bytes, std::min(stop, planned));
  if (held <= first) return 0;  // the walk meets the change before the box
  copyPlannedRows(plan, code.bytes, first, held, to.start, to.pitch);
  *rest = code.bytes + (held < planned ? plan.checks[plan.rowChecks[held - 1]].at : plan.end);
  return held - first;
}

// Cuts a run at `offset` of n pixels to the columns [left, right) and
// hands the rest to `draw(column - left, first source pixel, length)`.
template <typename Draw>
void clipRun(uint32_t offset, uint32_t n, uint32_t left, uint32_t right, Draw draw) {
  if (offset >= right) return;
  uint32_t start = left > offset ? left - offset : 0;
  if (start >= n) return;
  uint32_t len = n - start;
  if (offset + start + len > right) len = right - (offset + start);
  draw(offset + start - left, start, len);
}

struct AlphaLayout {
  int bpp;
  bool is565;
  GalPixelFormat stored;  // channels of the stored pixels
};

bool readHeader(const Code& code, AlphaLayout* out) {
  if (code.size < kAlphaHeader) return false;
  const uint8_t* h = code.bytes;
  if (h[0] != 2 && h[0] != 4) return false;
  GalPixelFormat& f = out->stored;
  f = GalPixelFormat{};
  f.bytesPerPixel = h[0];
  f.rLoss = h[1] & 7;
  f.gLoss = h[2] & 7;
  f.bLoss = h[3] & 7;
  f.rShift = h[4] & 31;
  f.gShift = h[5] & 31;
  f.bShift = h[6] & 31;
  f.aShift = h[7] & 31;
  std::memcpy(&f.rMask, h + 8, 4);
  std::memcpy(&f.gMask, h + 12, 4);
  std::memcpy(&f.bMask, h + 16, 4);
  std::memcpy(&f.aMask, h + 20, 4);
  out->bpp = h[0];
  out->is565 = hasMask(&f, 0x07E0);
  return true;
}

// Walks the first `rows` rows of an alpha code without drawing; false at
// the end marker or damage.
bool skipAlphaRows(Reader& r, const AlphaLayout& l, int width, int rows) {
  auto none = [](uint32_t, uint32_t, const uint8_t*) {};
  for (int y = 0; y < rows; ++y) {
    if (walkRow(r, width, l.bpp == 2 ? 1 : 2, l.bpp, true, none) != Walk::kRowDone) return false;
    if (l.bpp == 2) r.align4();
    if (walkRow(r, width, 2, 4, false, none) != Walk::kRowDone) return false;
  }
  return true;
}

}  // namespace

namespace {

// Walks the first `rows` rows of a colour-keyed code without drawing; false
// at the end or damage.
bool skipRows(Reader& r, int width, int countWidth, int bpp, int rows) {
  auto none = [](uint32_t, uint32_t, const uint8_t*) {};
  for (int y = 0; y < rows; ++y)
    if (walkRow(r, width, countWidth, bpp, true, none) != Walk::kRowDone) return false;
  return true;
}

}  // namespace

void keyBlit(const Code& code, const GalPixelFormat* f, int width, uint8_t alpha,
             const GalRect& box, const Target& to) {
  int bpp = f->bytesPerPixel, cw = bpp == 4 ? 2 : 1;
  uint32_t left = static_cast<uint32_t>(box.x), right = left + static_cast<uint32_t>(box.w);
  const bool whole = left == 0 && right == static_cast<uint32_t>(width);
  const bool copy = alpha == 255;
  if (whole && copy) {  // the common case, kept tight
    size_t done = 0;
    const uint8_t* rest = nullptr;
    switch (bpp) {
      case 1: done = copyAsPlanned<1>(code, width, box, to, &rest); break;
      case 2: done = copyAsPlanned<2>(code, width, box, to, &rest); break;
      case 3: done = copyAsPlanned<3>(code, width, box, to, &rest); break;
      default: done = copyAsPlanned<4>(code, width, box, to, &rest); break;
    }
    const uint8_t* p = rest;
    const uint8_t* const end = code.bytes + code.size;
    if (!done) {
      Reader r(code);
      if (!skipRows(r, width, cw, bpp, box.y)) return;
      p = r.p;
    }
    const int rows = box.h - static_cast<int>(done);
    uint8_t* row = to.start + static_cast<ptrdiff_t>(done) * to.pitch;
    switch (bpp) {
      case 1: return copyRows<1>(p, end, width, rows, row, to.pitch);
      case 2: return copyRows<2>(p, end, width, rows, row, to.pitch);
      case 3: return copyRows<3>(p, end, width, rows, row, to.pitch);
      default: return copyRows<4>(p, end, width, rows, row, to.pitch);
    }
  }
  Reader r(code);
  if (!skipRows(r, width, cw, bpp, box.y)) return;
  uint8_t* row = to.start;
  RunDraw draw = chooseRunDraw(f, alpha);
  for (int y = 0; y < box.h; ++y, row += to.pitch) {
    auto run = [&](uint32_t o, uint32_t n, const uint8_t* pixels) {
      if (whole) return draw(row + static_cast<size_t>(o) * bpp, pixels, n);
      clipRun(o, n, left, right, [&](uint32_t col, uint32_t from, uint32_t len) {
        draw(row + static_cast<size_t>(col) * bpp, pixels + static_cast<size_t>(from) * bpp, len);
      });
    };
    if (walkRow(r, width, cw, bpp, true, run) != Walk::kRowDone) return;
  }
}

void alphaBlit(const Code& code, int width, const GalRect& box, const Target& to, int dstBytes) {
  AlphaLayout l;
  if (!readHeader(code, &l) || l.bpp != dstBytes) return;
  Reader r(code, kAlphaHeader);
  if (!skipAlphaRows(r, l, width, box.y)) return;
  uint32_t left = static_cast<uint32_t>(box.x), right = left + static_cast<uint32_t>(box.w);
  uint32_t mask = l.is565 ? kSpread565 : kSpread555;
  int bpp = l.bpp;
  uint8_t* row = to.start;
  for (int y = 0; y < box.h; ++y, row += to.pitch) {
    auto opaque = [&](uint32_t o, uint32_t n, const uint8_t* pixels) {
      clipRun(o, n, left, right, [&](uint32_t col, uint32_t from, uint32_t len) {
        std::memcpy(row + static_cast<size_t>(col) * bpp, pixels + static_cast<size_t>(from) * bpp,
                    static_cast<size_t>(len) * bpp);
      });
    };
    auto translucent = [&](uint32_t o, uint32_t n, const uint8_t* pixels) {
      clipRun(o, n, left, right, [&](uint32_t col, uint32_t from, uint32_t len) {
        for (uint32_t i = 0; i < len; ++i) {
          uint32_t word = px::read(pixels + 4 * (from + i), 4);
          uint8_t* d = row + static_cast<size_t>(col + i) * bpp;
          uint32_t dp = px::read(d, bpp);
          if (bpp == 4)
            px::write(d, 4, blend888(word, dp, word >> 24));
          else
            px::write(d, 2, blendSpread(word & mask, spread16(dp, mask), (word & 0x03E0) >> 5, mask));
        }
      });
    };
    if (walkRow(r, width, bpp == 2 ? 1 : 2, bpp, true, opaque) != Walk::kRowDone) return;
    if (bpp == 2) r.align4();
    if (walkRow(r, width, 2, 4, false, translucent) != Walk::kRowDone) return;
  }
}

void decodeAlpha(const Code& code, const GalPixelFormat* f, int width, int height,
                 const Target& to) {
  AlphaLayout l;
  if (!readHeader(code, &l)) return;
  Reader r(code, kAlphaHeader);
  int bpp = l.bpp;
  uint8_t* row = to.start;
  for (int y = 0; y < height; ++y, row += to.pitch) {
    auto opaque = [&](uint32_t o, uint32_t n, const uint8_t* pixels) {
      for (uint32_t i = 0; i < n; ++i) {
        uint32_t p = px::read(pixels + i * bpp, bpp);
        int a = bpp == 4 ? static_cast<int>(p >> 24) : 255;
        px::write(row + 4 * (o + i), 4, px::assemble(px::split(p, &l.stored), f) | px::alphaBits(a, f));
      }
    };
    auto translucent = [&](uint32_t o, uint32_t n, const uint8_t* pixels) {
      for (uint32_t i = 0; i < n; ++i) {
        uint32_t w = px::read(pixels + 4 * i, 4);
        uint32_t colour = bpp == 4 ? w : ((w & ~0x03E0u) | w >> 16);
        int a = static_cast<int>(bpp == 4 ? w >> 24 : (w >> 2) & 0xF8);
        px::write(row + 4 * (o + i), 4,
                  px::assemble(px::split(colour, &l.stored), f) | px::alphaBits(a, f));
      }
    };
    if (walkRow(r, width, bpp == 2 ? 1 : 2, bpp, true, opaque) != Walk::kRowDone) return;
    if (bpp == 2) r.align4();
    if (walkRow(r, width, 2, 4, false, translucent) != Walk::kRowDone) return;
  }
}

}  // namespace gal::rle

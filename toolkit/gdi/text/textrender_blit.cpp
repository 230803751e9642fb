// Clipped fills and puts for text: every rectangle of the DC's effective
// region, cut to the output rectangle.
#include "gdi/text/textrender_blit.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gdi/dc/rect_inline.h"
#include "gui/dc.h"


namespace textrender {
namespace {

template <typename RowFn>
void forEachVisibleRow(DC* dc, const Rect& box, RowFn row) {
  Rect limit;
  if (!gui::rect::Intersect(&limit, box, dc->rcOutput)) return;
  for (const ClipRect* c = dc->effClip.head; c; c = c->next) {
    Rect part;
    if (!gui::rect::Intersect(&part, limit, c->rc)) continue;
    for (int y = part.top; y < part.bottom; ++y) row(y, part.left, part.right);
  }
}

// Spans of one pixel value. Plain copies at 2 and 4 bytes a pixel are
// written straight into the DC's pixels; other raster operations and
// depths go through the DC's span operation.
class SpanWriter {
 public:
  SpanWriter(DC* dc, GalPixel pixel) : dc_(dc), pixel_(pixel) {
    const int bytes = dc->surface->format->bytesPerPixel;
    direct_ = dc->rop == ROP_SET && dc->geomPixels && (bytes == 2 || bytes == 4) ? bytes : 0;
    dc->curPixel = pixel;
    dc->step = 1;
  }
  void Span(int y, int left, int right) const {
    if (direct_ == 4) {
      fill(row(y) + 4 * left, right - left, static_cast<uint32_t>(pixel_));
    } else if (direct_ == 2) {
      fill(row(y) + 2 * left, right - left, static_cast<uint16_t>(pixel_));
    } else {
      dc_->moveTo(dc_, left, y);
      dc_->setSpan(dc_, right - left);
    }
  }

 private:
  uint8_t* row(int y) const { return dc_->geomPixels + static_cast<ptrdiff_t>(dc_->geomPitch) * y; }
  // Sixteen bytes a store; the last store may overlap the one before, which
  // writes the same pixels again.
  template <typename Pixel>
  static void fill(uint8_t* p, int count, Pixel value) {
#if defined(__SSE2__)
    const size_t bytes = static_cast<size_t>(count) * sizeof value;
    if (bytes >= 16) {
      const __m128i v = sizeof value == 4 ? _mm_set1_epi32(static_cast<int>(value))
                                          : _mm_set1_epi16(static_cast<short>(value));
      for (size_t at = 0; at + 16 < bytes; at += 16) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + at), v);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + bytes - 16), v);
      return;
    }
#endif
    for (int i = 0; i < count; ++i, p += sizeof value) std::memcpy(p, &value, sizeof value);
  }
  DC* dc_;
  GalPixel pixel_;
  int direct_ = 0;
};

uint8_t blend(int d, int s, int a) { return static_cast<uint8_t>(d + (s - d) * a / 255); }

void putAlphaPixel(DC* dc, int x, int y, GalPixel source, const GalPixelFormat* alpha) {
  const GalPixelFormat* format = dc->surface->format;
  const int bytes = format->bytesPerPixel;
  uint8_t* dst = dc->geomPixels + static_cast<ptrdiff_t>(dc->geomPitch) * y +
                 static_cast<ptrdiff_t>(bytes) * x;
  uint8_t sr, sg, sb, sa, dr, dg, db;
  GAL_GetRGBA(source, alpha, &sr, &sg, &sb, &sa);
  if (sa == 0) return;
  GAL_GetRGB(ReadPixel(dst, bytes), format, &dr, &dg, &db);
  dc->curPixel = GAL_MapRGB(format, blend(dr, sr, sa), blend(dg, sg, sa), blend(db, sb, sa));
  dc->moveTo(dc, x, y);
  dc->setPixel(dc);
}

// Runs of pixels that are not the key, written with the put-span operation.
void putKeyedRow(DC* dc, const uint8_t* src, int left, int right, int y, GalPixel key, int bytes) {
  int x = left;
  while (x < right) {
    while (x < right && ReadPixel(src + (x - left) * bytes, bytes) == key) ++x;
    const int start = x;
    while (x < right && ReadPixel(src + (x - left) * bytes, bytes) != key) ++x;
    if (x > start) {
      dc->moveTo(dc, start, y);
      dc->putSpan(dc, src + (start - left) * bytes, x - start);
    }
  }
}

}  // namespace

void FillClipped(DC* dc, const Rect& box, GalPixel pixel) {
  const SpanWriter spans(dc, pixel);
  forEachVisibleRow(dc, box, [&spans](int y, int left, int right) { spans.Span(y, left, right); });
}

void PutClipped(DC* dc, int x, int y, const PixelBuffer& buffer) {
  const int bytes = buffer.bytesPerPixel;
  const Rect box{x, y, x + buffer.width, y + buffer.height};
  const GalPixel savedSkip = dc->skipPixel;
  dc->skipPixel = buffer.key;
  dc->step = 1;
  forEachVisibleRow(dc, box, [&](int row, int left, int right) {
    const uint8_t* src = buffer.pixels + static_cast<ptrdiff_t>(buffer.pitch) * (row - y) +
                         static_cast<ptrdiff_t>(bytes) * (left - x);
    switch (buffer.kind) {
      case BufferKind::kPlain:
        dc->moveTo(dc, left, row);
        dc->putSpan(dc, src, right - left);
        break;
      case BufferKind::kKeyed:
        putKeyedRow(dc, src, left, right, row, buffer.key, bytes);
        break;
      case BufferKind::kAlpha:
        for (int col = left; col < right; ++col, src += bytes)
          putAlphaPixel(dc, col, row, ReadPixel(src, bytes), buffer.alpha);
        break;
    }
  });
  dc->skipPixel = savedSkip;
}

void PutInkRuns(DC* dc, int x, int y, const std::vector<InkRun>& runs, int width, int height,
                GalPixel ink) {
  Rect limit;
  const Rect box{x, y, x + width, y + height};
  if (!gui::rect::Intersect(&limit, box, dc->rcOutput)) return;
  const SpanWriter spans(dc, ink);
  for (const ClipRect* c = dc->effClip.head; c; c = c->next) {
    Rect part;
    if (!gui::rect::Intersect(&part, limit, c->rc)) continue;
    for (const InkRun& run : runs) {
      const int row = y + run.row;
      if (row < part.top) continue;
      if (row >= part.bottom) break;
      const int left = std::max(part.left, x + run.left), right = std::min(part.right, x + run.right);
      if (left < right) spans.Span(row, left, right);
    }
  }
}

void PutInkRuns(DC* dc, int x, int y, const LevelImage& image, GalPixel ink) {
  constexpr uint8_t kFull = kLevels - 1;
  dc->curPixel = ink;
  dc->step = 1;
  const Rect box{x, y, x + image.width, y + image.height};
  forEachVisibleRow(dc, box, [&](int row, int left, int right) {
    const uint8_t* levels = &image.levels[static_cast<size_t>(row - y) * image.width];
    int col = left;
    while (col < right) {
      while (col < right && levels[col - x] != kFull) ++col;
      const int start = col;
      while (col < right && levels[col - x] == kFull) ++col;
      if (col > start) {
        dc->moveTo(dc, start, row);
        dc->setSpan(dc, col - start);
      }
    }
  });
}

}  // namespace textrender

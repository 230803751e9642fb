// Clipped fills and puts for text: every rectangle of the DC's effective
// region, cut to the output rectangle.
#include "gdi/text/textrender_blit.h"


namespace textrender {
namespace {

template <typename RowFn>
void forEachVisibleRow(DC* dc, const Rect& box, RowFn row) {
  Rect limit;
  if (!IntersectRect(&limit, &box, &dc->rcOutput)) return;
  for (const ClipRect* c = dc->effClip.head; c; c = c->next) {
    Rect part;
    if (!IntersectRect(&part, &limit, &c->rc)) continue;
    for (int y = part.top; y < part.bottom; ++y) row(y, part.left, part.right);
  }
}

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
  dc->curPixel = pixel;
  dc->step = 1;
  forEachVisibleRow(dc, box, [dc](int y, int left, int right) {
    dc->moveTo(dc, left, y);
    dc->setSpan(dc, right - left);
  });
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

// BitBlt and StretchBlt: copies between two DCs, plain through the
// surfaces' blit (with the source's colour key and alpha) or scaled through
// the destination's pixel operations.
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "gdi/bitmap/surface_clip.h"
#include "gdi/clipped_spans.h"
#include "gdi/dc_cursor.h"
#include "gdi/dc_record.h"
#include "gdi/gal_internal.h"
#include "gui/bitmap.h"
#include "gui/dc.h"

using namespace gui::dc;

namespace {

DC* SourceDC(HDC hdc) { return hdc == HDC_SCREEN ? ScreenDC() : DcFromHandle(hdc); }

int DevWidth(const DC* dc) { return dc->devRect.right - dc->devRect.left; }
int DevHeight(const DC* dc) { return dc->devRect.bottom - dc->devRect.top; }

Rect BoxAt(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

// Bound rectangles and the cursor guard of a copy between two DCs: a
// source on the screen from another surface keeps the cursor out of its box.
class CopyBracket {
 public:
  CopyBracket(DC* src, DC* dst, const Rect& srcBox, const Rect& dstBox) : src_(src) {
    const bool sameSurface = src->surface == dst->surface;
    dst->rcOutput = dstBox;
    if (sameSurface) UnionRect(&dst->rcOutput, &dstBox, &srcBox);
    guarded_ = !sameSurface && src->surface == CurrentScreenSurface();
    if (guarded_) {
      src->rcOutput = srcBox;
      GuardCursorForDC(0, src);
    }
  }
  ~CopyBracket() {
    if (guarded_) GuardCursorForDC(1, src_);
  }
  CopyBracket(const CopyBracket&) = delete;
  CopyBracket& operator=(const CopyBracket&) = delete;

 private:
  DC* src_;
  bool guarded_ = false;
};

struct StretchRows {
  DC* dc;
  uint8_t* line;
  int x, y, w;
  bool resetBand;
};

void* StretchLine(void* context, int) { return static_cast<StretchRows*>(context)->line; }

// One destination row, clip rectangle by clip rectangle of its band,
// through the DC's raster operation.
void StretchPut(void* context, void* line, int row) {
  auto* s = static_cast<StretchRows*>(context);
  DC* dc = s->dc;
  if (s->resetBand) dc->curClipBand = nullptr;
  const int y = s->y + row;
  ClipRect* band = FindClipBand(dc, y);
  const int bpp = dc->surface->format->bytesPerPixel;
  for (ClipRect* node = band; node && node->rc.top == band->rc.top; node = node->next) {
    if (y < node->rc.top || y >= node->rc.bottom) continue;
    Rect cut;
    if (!IntersectRect(&cut, &node->rc, &dc->rcOutput)) continue;
    const int x0 = std::max(cut.left, s->x), x1 = std::min(cut.right, s->x + s->w);
    if (x1 <= x0) continue;
    dc->moveTo(dc, x0, y);
    dc->putSpan(dc, static_cast<uint8_t*>(line) + static_cast<size_t>(x0 - s->x) * bpp, x1 - x0);
  }
}

// Negative corners become 0; sizes below 1 or past the area reach its edge.
bool FitToArea(int* x, int* y, int* w, int* h, int areaW, int areaH) {
  *x = std::max(*x, 0);
  *y = std::max(*y, 0);
  if (*x >= areaW || *y >= areaH) return false;
  if (*w < 1 || *x + *w > areaW) *w = areaW - *x;
  if (*h < 1 || *y + *h > areaH) *h = areaH - *y;
  return true;
}

}  // namespace

extern "C" {

void BitBlt(HDC hdcSrc, int sx, int sy, int sw, int sh, HDC hdcDst, int dx, int dy, uint32_t) {
  LockedDC dst(hdcDst);
  DC* src = SourceDC(hdcSrc);
  if (!dst || !src || !src->surface) return;
  if (sw < 1) sw = DevWidth(src);
  if (sh < 1) sh = DevHeight(src);
  LogicalToDevice(src, &sx, &sy);
  LogicalToDevice(dst.get(), &dx, &dy);
  const Rect srcBox = BoxAt(sx, sy, sw, sh), dstBox = BoxAt(dx, dy, sw, sh);
  const bool sameSurface = src->surface == dst->surface;
  CopyBracket bracket(src, dst.get(), srcBox, dstBox);
  DrawingScope drawing(dst.get());
  if (!drawing) return;
  std::vector<const ClipRect*> nodes;
  for (const ClipRect* node = dst->effClip.head; node; node = node->next) nodes.push_back(node);
  // A copy downward on one surface walks the clip rectangles last first,
  // so no row is overwritten before it is read.
  if (sameSurface && dy > sy) std::reverse(nodes.begin(), nodes.end());
  SurfaceClipScope clip(dst->surface);
  for (const ClipRect* node : nodes) {
    Rect cut;
    if (!IntersectRect(&cut, &node->rc, &dstBox)) continue;
    GalRect clipRect{cut.left, cut.top, cut.right - cut.left, cut.bottom - cut.top};
    GAL_SetClipRect(dst->surface, &clipRect);
    GalRect from{sx, sy, sw, sh}, to{dx, dy, 0, 0};
    GAL_BlitSurface(src->surface, &from, dst->surface, &to);
  }
}

void StretchBlt(HDC hdcSrc, int sx, int sy, int sw, int sh, HDC hdcDst, int dx, int dy, int dw,
                int dh) {
  LockedDC dst(hdcDst);
  DC* src = SourceDC(hdcSrc);
  if (!dst || !src || !src->surface) return;
  const GalPixelFormat* sf = src->surface->format;
  if (sf->bitsPerPixel != dst->surface->format->bitsPerPixel) return;
  if (!FitToArea(&sx, &sy, &sw, &sh, DevWidth(src), DevHeight(src)) ||
      !FitToArea(&dx, &dy, &dw, &dh, DevWidth(dst.get()), DevHeight(dst.get())))
    return;
  sx += src->devRect.left;
  sy += src->devRect.top;
  dx += dst->devRect.left;
  dy += dst->devRect.top;
  const gal::Geometry g = gal::geometryFor(src->surface, GetDCDisplay(src));
  if (!g.pixels) return;
  Bitmap box{};
  box.bmBitsPerPixel = sf->bitsPerPixel;
  box.bmBytesPerPixel = sf->bytesPerPixel;
  box.bmWidth = static_cast<uint32_t>(sw);
  box.bmHeight = static_cast<uint32_t>(sh);
  box.bmPitch = static_cast<uint32_t>(g.pitch);
  box.bmBits = g.pixels + static_cast<size_t>(sy) * g.pitch + static_cast<size_t>(sx) * sf->bytesPerPixel;
  const Rect srcBox = BoxAt(sx, sy, sw, sh), dstBox = BoxAt(dx, dy, dw, dh);
  std::unique_ptr<uint8_t[]> line(new (std::nothrow) uint8_t[static_cast<size_t>(dw) * sf->bytesPerPixel]);
  if (!line) return;
  CopyBracket bracket(src, dst.get(), srcBox, dstBox);
  dst->step = 1;
  dst->curClipBand = nullptr;
  DrawingScope drawing(dst.get());
  if (!drawing) return;
  Rect overlap;
  const bool overlapping = src->surface == dst->surface && IntersectRect(&overlap, &srcBox, &dstBox);
  StretchRows rows{dst.get(), line.get(), dx, dy, dw, overlapping};
  if (overlapping)
    BitmapDDAScaler2(&rows, &box, dw, dh, StretchLine, StretchPut);
  else
    BitmapDDAScaler(&rows, &box, dw, dh, StretchLine, StretchPut);
}

}  // extern "C"

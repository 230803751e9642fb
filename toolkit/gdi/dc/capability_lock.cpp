// Direct access to a DC's pixels: the display stays locked (and the cursor
// hidden over the rectangle) from LockDC to UnlockDC.
#include "gdi/dc_record.h"
#include "gui/dc.h"

using namespace gui::dc;

namespace {

// The caller's rectangle in screen coordinates, cut to the DC; false when
// nothing of the DC is left.
bool OutputRect(const DC* dc, const Rect* rect, Rect* out) {
  *out = dc->devRect;
  if (!rect) return !IsRectEmpty(out);
  Rect r = *rect;
  if (dc->dcType == kWindowDC) {
    r = Rect{FarCoord(int64_t{r.left} + dc->devRect.left), FarCoord(int64_t{r.top} + dc->devRect.top),
             FarCoord(int64_t{r.right} + dc->devRect.left), FarCoord(int64_t{r.bottom} + dc->devRect.top)};
  }
  return IntersectRect(out, &r, &dc->devRect);
}

uint8_t* FirstPixel(const DC* dc, const Rect& out) {
  return dc->geomPixels + static_cast<ptrdiff_t>(dc->geomPitch) * out.top +
         static_cast<ptrdiff_t>(dc->surface->format->bytesPerPixel) * out.left;
}

}  // namespace

extern "C" {

uint8_t* LockDC(HDC hdc, const Rect* rect, int* width, int* height, int* pitch) {
  DC* dc = CheckAndLockDC(hdc);
  if (!dc) return nullptr;
  Rect out;
  uint8_t* pixels = nullptr;
  if (OutputRect(dc, rect, &out) && IntersectRect(&out, &out, &dc->effClip.rcBound)) {
    dc->rcOutput = out;
    BeginDCDrawingUnclipped(dc);
    if (dc->geomPixels) {
      if (width) *width = out.right - out.left;
      if (height) *height = out.bottom - out.top;
      if (pitch) *pitch = dc->geomPitch;
      pixels = FirstPixel(dc, out);
    } else {
      EndDCDrawing(dc);
    }
  }
  UnlockDCClipInfo(dc);
  return pixels;
}

void UnlockDC(HDC hdc) {
  DC* dc = DcFromHandle(hdc);
  if (dc && dc->heldLock) EndDCDrawing(dc);
}

}  // extern "C"

// Raster operations, single pixels and conversions between colours and
// pixel values of a DC's surface.
#include "gdi/dc/pixel_api.h"
#include "gdi/dc/pixel_ops.h"
#include "gdi/dc_cursor.h"
#include "gdi/dc_record.h"
#include "gdi/dc_window.h"
#include "gui/dc.h"

namespace gui::dc {

void DrawClippedPixel(DC* dc, int x, int y) {
  // A point at an end of the int range gets a box that does not wrap.
  dc->rcOutput = Rect{FarCoord(int64_t{x} - 1), FarCoord(int64_t{y} - 1), FarCoord(int64_t{x} + 1),
                      FarCoord(int64_t{y} + 1)};
  DrawingScope drawing(dc);
  if (!drawing) return;
  const Rect& out = dc->rcOutput;
  if (x < out.left || x >= out.right || y < out.top || y >= out.bottom) return;
  if (!PtInRegion(&dc->effClip, x, y)) return;
  dc->moveTo(dc, x, y);
  dc->setPixel(dc);
}

}  // namespace gui::dc

namespace {

using namespace gui::dc;

// The format of a DC's surface, or null for a DC that is not set up.
const GalPixelFormat* FormatOf(HDC hdc) {
  DC* dc = DcFromHandle(hdc);
  return dc && dc->surface ? dc->surface->format : nullptr;
}

GalPixel ReadDevicePixel(const DC* dc, int x, int y) {
  const int bytes = dc->surface->format->bytesPerPixel;
  if (bytes < 1 || bytes > 4 || !dc->geomPixels) return 0;
  const uint8_t* p = dc->geomPixels + static_cast<ptrdiff_t>(dc->geomPitch) * y +
                     static_cast<ptrdiff_t>(bytes) * x;
  return ReadPixelValue(p, bytes);
}

}  // namespace

extern "C" {

int SetRasterOperation(HDC hdc, int rop) {
  DC* dc = DcFromHandle(hdc);
  if (!dc) return ROP_SET;
  const int old = dc->rop;
  if (rop < ROP_SET || rop > ROP_XOR) return old;
  dc->rop = rop;
  SelectRopOps(dc);
  return old;
}

int GetRasterOperation(HDC hdc) {
  DC* dc = DcFromHandle(hdc);
  return dc ? dc->rop : ROP_SET;
}

void SetPixel(HDC hdc, int x, int y, GalPixel pixel) {
  LockedDC dc(hdc);
  if (!dc) return;
  LogicalToDevice(dc.get(), &x, &y);
  dc->curPixel = pixel;
  DrawClippedPixel(dc.get(), x, y);
}

GalPixel SetPixelRGB(HDC hdc, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  const GalPixel pixel = RGB2Pixel(hdc, r, g, b);
  SetPixel(hdc, x, y, pixel);
  return pixel;
}

GalPixel SetPixelRGBA(HDC hdc, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  const GalPixel pixel = RGBA2Pixel(hdc, r, g, b, a);
  SetPixel(hdc, x, y, pixel);
  return pixel;
}

// Read even when the window is hidden, so the clip information is locked
// and refreshed by hand rather than through CheckAndLockDC.
GalPixel GetPixel(HDC hdc, int x, int y) {
  DC* dc = DcFromHandle(hdc);
  if (!dc || !dc->surface) return 0;
  const bool windowDC = dc->dcType == kWindowDC;
  if (windowDC) {
    if (!dc->inUse || !dc->clipInfo) return 0;
    LockClipInfo(dc->clipInfo);
    RefreshDCClipRgn(dc, false);
  }
  LogicalToDevice(dc, &x, &y);
  GalPixel pixel = 0;
  const Rect& dev = dc->devRect;
  if (x >= dev.left && y >= dev.top && x < dev.right && y < dev.bottom) {
    RefreshDCGeometry(dc);
    if (dc->dcType == kMemoryDC || !PixelUnderCursor(x, y, &pixel))
      pixel = ReadDevicePixel(dc, x, y);
  }
  if (windowDC) UnlockClipInfo(dc->clipInfo);
  return pixel;
}

GalPixel GetPixelRGB(HDC hdc, int x, int y, uint8_t* r, uint8_t* g, uint8_t* b) {
  const GalPixel pixel = GetPixel(hdc, x, y);
  Pixel2RGB(hdc, pixel, r, g, b);
  return pixel;
}

GalPixel GetPixelRGBA(HDC hdc, int x, int y, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a) {
  const GalPixel pixel = GetPixel(hdc, x, y);
  Pixel2RGBA(hdc, pixel, r, g, b, a);
  return pixel;
}

GalPixel RGB2Pixel(HDC hdc, uint8_t r, uint8_t g, uint8_t b) {
  const GalPixelFormat* format = FormatOf(hdc);
  return format ? GAL_MapRGB(format, r, g, b) : 0;
}

GalPixel RGBA2Pixel(HDC hdc, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  const GalPixelFormat* format = FormatOf(hdc);
  return format ? GAL_MapRGBA(format, r, g, b, a) : 0;
}

void Pixel2RGB(HDC hdc, GalPixel pixel, uint8_t* r, uint8_t* g, uint8_t* b) {
  const GalPixelFormat* format = FormatOf(hdc);
  if (format && r && g && b) GAL_GetRGB(pixel, format, r, g, b);
}

void Pixel2RGBA(HDC hdc, GalPixel pixel, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a) {
  const GalPixelFormat* format = FormatOf(hdc);
  if (format && r && g && b && a) GAL_GetRGBA(pixel, format, r, g, b, a);
}

}  // extern "C"

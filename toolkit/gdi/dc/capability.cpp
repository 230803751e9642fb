// Capability queries on a DC's surface.
#include <mutex>

#include "gdi/dc_record.h"
#include "gdi/gal_internal.h"
#include "gui/dc.h"

using namespace gui::dc;

namespace {

constexpr uint32_t kUnknown = 0xFFFFFFFFu;

// 15 for a 5-5-5 surface that stores its pixels in 16 bits.
uint32_t ColorDepth(const GalPixelFormat* f) {
  if (f->bitsPerPixel == 16 && f->rMask == 0x7C00 && f->gMask == 0x03E0) return 15;
  return f->bitsPerPixel;
}

uint32_t ColorCount(const GalPixelFormat* f) {
  return f->bitsPerPixel >= 32 ? kUnknown : 1u << f->bitsPerPixel;
}

}  // namespace

extern "C" {

uint32_t GetGDCapability(HDC hdc, int index) {
  const DC* dc = DcFromHandle(hdc);
  if (!dc || !dc->surface || !dc->surface->format) return kUnknown;
  const int display = GetDCDisplay(dc);
  std::lock_guard<std::mutex> hold(GdiLockOfDisplay(display));
  const GalPixelFormat* f = dc->surface->format;
  // The size of the surface as the DC's display sees it.
  const gal::Geometry geometry = gal::geometryFor(dc->surface, display);
  switch (index) {
    case GDCAP_COLORNUM: return ColorCount(f);
    case GDCAP_HPIXEL: return static_cast<uint32_t>(geometry.w);
    case GDCAP_VPIXEL: return static_cast<uint32_t>(geometry.h);
    case GDCAP_MAXX: return static_cast<uint32_t>(dc->devRect.right - dc->devRect.left - 1);
    case GDCAP_MAXY: return static_cast<uint32_t>(dc->devRect.bottom - dc->devRect.top - 1);
    case GDCAP_DEPTH: return ColorDepth(f);
    case GDCAP_BPP: return f->bytesPerPixel;
    case GDCAP_BITSPP: return f->bitsPerPixel;
    case GDCAP_RMASK: return f->rMask;
    case GDCAP_GMASK: return f->gMask;
    case GDCAP_BMASK: return f->bMask;
    default: return kUnknown;
  }
}

}  // extern "C"

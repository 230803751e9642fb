// Surfaces: creation and release, colour key, per-surface alpha and the
// clip rectangle.
#include <cstdint>
#include <memory>
#include <new>

#include "gdi/gal_internal.h"

namespace {

// Releases a half-made surface through the one release path.
struct SurfaceDeleter {
  void operator()(GalSurface* s) const {
    s->refcount = 1;
    GAL_FreeSurface(s);
  }
};
using SurfacePtr = std::unique_ptr<GalSurface, SurfaceDeleter>;

// The pitch is kept at full width: a 16-bit pitch would wrap for rows
// beyond 64 KiB and let every row write into the next.
bool setWholeGeometry(GalSurface& s, int width, int height) {
  if (width < 0 || height < 0) return false;
  const int64_t pitch = gal::rowPitch(s.format, int64_t{s.format->bytesPerPixel} * width);
  if (pitch > INT32_MAX) return false;
  s.w = s.auxW = width;
  s.h = s.auxH = height;
  s.pitch = s.auxPitch = static_cast<int32_t>(pitch);
  s.clipRect = GalRect{0, 0, width, height};
  return true;
}

bool wantsHardware(uint32_t flags, const GalVideoDevice* dev) {
  if (!dev || !dev->screen || !(dev->screen->flags & GAL_HWSURFACE)) return false;
  if ((flags & GAL_SRCCOLORKEY) && !(dev->capabilities & GAL_CAP_BLIT_HW_CC)) return false;
  if ((flags & GAL_SRCALPHA) && !(dev->capabilities & GAL_CAP_BLIT_HW_A)) return false;
  return (flags & (GAL_HWSURFACE | GAL_SRCCOLORKEY | GAL_SRCALPHA)) != 0;
}

bool isCurrentScreen(const GalSurface* s) {
  const GalVideoDevice* dev = gal::currentDevice();
  return dev && dev->screen == s;
}

}  // namespace

namespace gal {

GalBlitMap* allocBlitMap() {
  std::unique_ptr<GalBlitMap> map(new (std::nothrow) GalBlitMap{});
  if (!map) return nullptr;
  map->swData = new (std::nothrow) GalSoftBlitData{};
  if (!map->swData) return nullptr;
  map->formatVersion = ~0u;
  return map.release();
}

void freeBlitMap(GalBlitMap* map) {
  if (!map) return;
  GAL_InvalidateMap(map);
  delete map->swData;
  delete map;
}

GalSurface* createScreenSurface(GalVideoDevice* device, const GalPixelFormat& suggested,
                                uint32_t flags) {
  SurfacePtr s(new (std::nothrow) GalSurface{});
  if (!s) {
    reportOutOfMemory();
    return nullptr;
  }
  s->refcount = 1;
  s->format = GAL_AllocFormat(suggested.bitsPerPixel, suggested.rMask, suggested.gMask,
                              suggested.bMask, suggested.aMask);
  s->map = allocBlitMap();
  if (!s->format || !s->map) {
    if (s->format && !s->map) reportOutOfMemory();
    return nullptr;
  }
  s->flags = flags;
  s->video = device;
  setWholeGeometry(*s, 0, 0);
  return s.release();
}

}  // namespace gal

extern "C" {

GalSurface* GAL_CreateRGBSurface(uint32_t flags, int width, int height, int bpp, uint32_t rMask,
                                 uint32_t gMask, uint32_t bMask, uint32_t aMask) {
  GalVideoDevice* dev = gal::currentDevice();
  bool hardware = wantsHardware(flags, dev);
  SurfacePtr s(new (std::nothrow) GalSurface{});
  if (!s) {
    gal::reportOutOfMemory();
    return nullptr;
  }
  s->refcount = 1;
  s->video = hardware ? dev : nullptr;
  if (hardware) {
    const GalPixelFormat* d = dev->displayFormat;
    s->format = GAL_AllocFormat(d->bitsPerPixel, d->rMask, d->gMask, d->bMask, d->aMask);
  } else {
    s->format = GAL_AllocFormat(bpp, rMask, gMask, bMask, aMask);
  }
  if (!s->format) return nullptr;
  if (s->format->aMask) s->flags |= GAL_SRCALPHA;
  if (!setWholeGeometry(*s, width, height)) return nullptr;
  if (hardware && dev->AllocHWSurface && dev->AllocHWSurface(dev, s.get()) == 0) {
    s->flags |= GAL_HWSURFACE;
  } else {
    s->video = nullptr;
    if (width && height) {
      size_t bytes = static_cast<size_t>(s->h) * static_cast<size_t>(s->pitch);
      s->pixels = new (std::nothrow) uint8_t[bytes]();
      if (!s->pixels) {
        gal::reportOutOfMemory();
        return nullptr;
      }
      // A memory surface has one buffer: both geometries address it.
      s->auxPixels = s->pixels;
    }
    s->flags &= ~GAL_HWSURFACE;
  }
  s->map = gal::allocBlitMap();
  if (!s->map) {
    gal::reportOutOfMemory();
    return nullptr;
  }
  return s.release();
}

GalSurface* GAL_CreateRGBSurfaceFrom(void* pixels, int width, int height, int bpp, int pitch,
                                     uint32_t rMask, uint32_t gMask, uint32_t bMask,
                                     uint32_t aMask) {
  GalSurface* s = GAL_CreateRGBSurface(0, 0, 0, bpp, rMask, gMask, bMask, aMask);
  if (!s) return nullptr;
  s->flags |= GAL_PREALLOC;
  s->pixels = s->auxPixels = static_cast<uint8_t*>(pixels);
  s->w = s->auxW = width;
  s->h = s->auxH = height;
  s->pitch = s->auxPitch = pitch;
  s->clipRect = GalRect{0, 0, width, height};
  return s;
}

void GAL_FreeSurface(GalSurface* s) {
  if (!s || isCurrentScreen(s)) return;
  if (--s->refcount > 0) return;
  if (s->flags & GAL_RLEACCEL) gal::unRleSurface(s, false);
  GAL_FreeFormat(s->format);
  s->format = nullptr;
  gal::freeBlitMap(s->map);
  s->map = nullptr;
  if ((s->flags & GAL_HWSURFACE) && s->video && s->video->FreeHWSurface)
    s->video->FreeHWSurface(s->video, s);
  // Caller pixels and a hardware surface's pixels (the device's) stay.
  if (!(s->flags & (GAL_PREALLOC | GAL_HWSURFACE))) {
    if (s->auxPixels != s->pixels) delete[] s->auxPixels;
    delete[] s->pixels;
  }
  delete s;
}

int GAL_SetColorKey(GalSurface* s, uint32_t flags, uint32_t key) {
  if (!s) return 0;
  bool on = (flags & GAL_SRCCOLORKEY) != 0;
  uint32_t wanted = on ? GAL_SRCCOLORKEY | ((flags & (GAL_RLEACCELOK | GAL_RLEACCEL)) ? GAL_RLEACCELOK : 0)
                       : 0;
  if (!on) key = 0;
  uint32_t current = s->flags & (GAL_SRCCOLORKEY | GAL_RLEACCELOK);
  if (current == wanted && s->format->colorKey == key) return 0;
  if (s->flags & GAL_RLEACCEL) gal::unRleSurface(s, true);
  s->flags = (s->flags & ~(GAL_SRCCOLORKEY | GAL_RLEACCELOK)) | wanted;
  s->format->colorKey = key;
  if ((s->flags & GAL_HWACCEL) && on) {
    GalVideoDevice* dev = s->video ? s->video : gal::currentDevice();
    if (!dev || !dev->SetHWColorKey || dev->SetHWColorKey(dev, s, key) < 0)
      s->flags &= ~GAL_HWACCEL;
  }
  GAL_InvalidateMap(s->map);
  return 0;
}

int GAL_SetAlpha(GalSurface* s, uint32_t flags, uint8_t value) {
  if (!s) return 0;
  uint32_t oldFlags = s->flags;
  uint8_t oldAlpha = s->format->alpha;
  bool on = (flags & GAL_SRCALPHA) != 0;
  if (on) {
    s->flags |= GAL_SRCALPHA;
    if (flags & (GAL_RLEACCELOK | GAL_RLEACCEL)) s->flags |= GAL_RLEACCELOK;
    s->format->alpha = value;
  } else {
    s->flags &= ~GAL_SRCALPHA;
    s->format->alpha = 255;
  }
  bool keepsRle = on && (s->flags & GAL_RLEACCELOK);
  if ((s->flags & GAL_RLEACCEL) && !keepsRle)
    gal::unRleSurface(s, true);
  if ((s->flags & GAL_HWACCEL) && on) {
    GalVideoDevice* dev = s->video ? s->video : gal::currentDevice();
    if (!dev || !dev->SetHWAlpha || dev->SetHWAlpha(dev, s, value) < 0) s->flags &= ~GAL_HWACCEL;
  }
  bool sameOpacity = (oldAlpha == 255) == (s->format->alpha == 255);
  if (oldFlags != s->flags || !sameOpacity) GAL_InvalidateMap(s->map);
  return 0;
}

int GAL_SetClipRect(GalSurface* s, const GalRect* rect) {
  if (!s) return 0;
  if (!rect) {
    s->clipRect = GalRect{0, 0, s->w, s->h};
    return 1;
  }
  int32_t x0 = rect->x > 0 ? rect->x : 0;
  int32_t y0 = rect->y > 0 ? rect->y : 0;
  int64_t x1 = static_cast<int64_t>(rect->x) + rect->w;
  int64_t y1 = static_cast<int64_t>(rect->y) + rect->h;
  if (x1 > s->w) x1 = s->w;
  if (y1 > s->h) y1 = s->h;
  int32_t w = x1 > x0 ? static_cast<int32_t>(x1 - x0) : 0;
  int32_t h = y1 > y0 ? static_cast<int32_t>(y1 - y0) : 0;
  s->clipRect = GalRect{x0, y0, w, h};
  return w > 0 && h > 0;
}

}  // extern "C"

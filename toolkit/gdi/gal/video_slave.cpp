// The slave video device: a second device of a named engine beside the
// current one, for a second screen drawn through a screen-type DC.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "gdi/gal_internal.h"
#include "gdi/video_internal.h"

namespace {

// The host windows belong to the current device, so a slave has none: its
// engine's table entry makes it, and its frame buffer is memory of its own.
int SlaveVideoInit(GalVideoDevice*, GalPixelFormat* suggested) {
  const GalVideoDevice* current = gal::currentDevice();
  if (current && current->displayFormat) {
    *suggested = *current->displayFormat;
    suggested->palette = nullptr;
    return 0;
  }
  suggested->bitsPerPixel = 32;
  suggested->bytesPerPixel = 4;
  suggested->rMask = 0xFF0000;
  suggested->gMask = 0xFF00;
  suggested->bMask = 0xFF;
  return 0;
}

GalRect** SlaveListModes(GalVideoDevice*, GalPixelFormat*, uint32_t) { return GAL_ANY_MODE; }

void FreeFrameBuffer(GalSurface* surface) {
  delete[] surface->pixels;
  surface->pixels = nullptr;
}

// Packed masks of a depth, as the host layer gives them.
GalPixelFormat* FormatOfDepth(int bpp) {
  switch (bpp) {
    case 15: return GAL_AllocFormat(15, 0x7C00, 0x03E0, 0x001F, 0);
    case 16: return GAL_AllocFormat(16, 0xF800, 0x07E0, 0x001F, 0);
    case 24: case 32: return GAL_AllocFormat(bpp, 0xFF0000, 0xFF00, 0xFF, 0);
    default: return GAL_AllocFormat(bpp, 0, 0, 0, 0);
  }
}

GalSurface* SlaveSetVideoMode(GalVideoDevice*, GalSurface* surface, int width, int height, int bpp,
                              uint32_t) {
  if (bpp != surface->format->bitsPerPixel) {
    GalPixelFormat* format = FormatOfDepth(bpp);
    if (!format) return nullptr;
    GAL_FreeFormat(surface->format);
    surface->format = format;
    GAL_InvalidateMap(surface->map);
  }
  const int64_t pitch = (int64_t{width} * surface->format->bytesPerPixel + 3) & ~int64_t{3};
  if (pitch > INT32_MAX || pitch * height > INT32_MAX) return nullptr;
  uint8_t* pixels = new (std::nothrow) uint8_t[static_cast<size_t>(pitch * height)]();
  if (!pixels) {
    std::fputs("Out of memory\n", stderr);
    return nullptr;
  }
  FreeFrameBuffer(surface);
  surface->pixels = pixels;
  surface->w = width;
  surface->h = height;
  surface->pitch = static_cast<int32_t>(pitch);
  surface->auxPixels = nullptr;
  surface->auxW = surface->auxH = surface->auxPitch = 0;
  return surface;
}

int SlaveSetColors(GalVideoDevice*, int, int, GalColor*) { return 1; }

void SlaveVideoQuit(GalVideoDevice* dev) {
  if (dev->screen) FreeFrameBuffer(dev->screen);
}

void MakeSlave(GalVideoDevice* dev) {
  dev->VideoInit = SlaveVideoInit;
  dev->ListModes = SlaveListModes;
  dev->SetVideoMode = SlaveSetVideoMode;
  dev->SetColors = SlaveSetColors;
  dev->UpdateRects = nullptr;
  dev->VideoQuit = SlaveVideoQuit;
  dev->AllocHWSurface = nullptr;
  dev->FreeHWSurface = nullptr;
}

int NumberAfter(const char* at) { return at ? std::atoi(at + 1) : 0; }

}  // namespace

extern "C" {

GalSurface* OpenSlaveVideo(const char* engineName, const char* modeText) {
  if (!modeText) return nullptr;
  GalVideoDevice* dev = gal::createDevice(engineName);
  if (!dev) return nullptr;
  MakeSlave(dev);
  GalPixelFormat suggested{};
  if (dev->VideoInit(dev, &suggested) < 0 || suggested.bitsPerPixel == 0) {
    CloseSlaveVideo(dev);
    return nullptr;
  }
  dev->screen = gal::createScreenSurface(dev, suggested, GAL_HWSURFACE);
  if (!dev->screen) {
    CloseSlaveVideo(dev);
    return nullptr;
  }
  dev->displayFormat = dev->screen->format;
  const int width = std::atoi(modeText);
  const int height = NumberAfter(std::strchr(modeText, 'x'));
  const int bpp = NumberAfter(std::strrchr(modeText, '-'));
  GalSurface* mode = gal::setVideoModeOn(dev, width, height, bpp, GAL_HWPALETTE);
  if (!mode || mode->w < width || mode->h < height) {
    CloseSlaveVideo(dev);
    return nullptr;
  }
  return mode;
}

void CloseSlaveVideo(GalVideoDevice* dev) {
  if (!dev) return;
  if (dev->VideoQuit) dev->VideoQuit(dev);
  gal::releaseScreen(dev);
  gal::freePhysicalPalette(dev);
  if (dev->FreeDevice) dev->FreeDevice(dev);
}

}  // extern "C"

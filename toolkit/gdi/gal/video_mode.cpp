// Choosing and setting video modes and forwarding dirty rectangles.
#include <cstdlib>
#include <cstring>

#include <mutex>

#include "gdi/dc_record.h"
#include "gdi/gal_internal.h"
#include "gdi/video_internal.h"
#include "gui/app_hooks.h"

namespace {

// Depths tried after the requested one, per byte width.
constexpr int kDepthPreference[4][5] = {
    {8, 16, 15, 32, 24},
    {16, 15, 32, 24, 8},
    {24, 32, 16, 15, 8},
    {32, 16, 15, 24, 8},
};

bool listHolds(GalRect** modes, int width, int height) {
  if (!modes) return false;
  for (; *modes; ++modes)
    if ((*modes)->w == width && (*modes)->h == height) return true;
  return false;
}

bool depthAccepted(GalVideoDevice* dev, int width, int height, int bpp, uint32_t flags) {
  GalPixelFormat format{};
  if (dev->displayFormat) format = *dev->displayFormat;
  format.bitsPerPixel = static_cast<uint8_t>(bpp);
  format.bytesPerPixel = static_cast<uint8_t>((bpp + 7) / 8);
  GalRect** modes = dev->ListModes ? dev->ListModes(dev, &format, flags) : nullptr;
  if (modes == GAL_ANY_MODE || dev->acceptAnySize) return true;
  return listHolds(modes, width, height);
}

void fillGeneratedPalette(GalVideoDevice* dev, GalSurface* screen) {
  GalPalette* pal = screen->format->palette;
  if (!pal) return;
  MakeRGB332Palette(pal->colors, screen->format->bitsPerPixel);
  screen->format->isGeneratedPalette = 1;
  if (dev->SetColors) dev->SetColors(dev, 0, pal->ncolors, pal->colors);
}

// The auxiliary display starts in the transparent colour; the main one is
// left as the driver made it.
void clearAuxiliary(GalSurface* screen) {
  if (!gal::hasAuxOutput()) return;
  const GalColor& key = gal::sysPixelColor(SYSPIXEL_KEY);
  GalPixel pixel = GAL_MapRGB(screen->format, key.r, key.g, key.b);
  GalRect whole{0, 0, screen->auxW, screen->auxH};
  GAL_FillRect(screen, &whole, pixel, getAuxOutputHook());
}

}  // namespace

namespace gal {

// A zero size means the whole screen; rectangles reaching past it are not
// shown.
bool wholeIfEmpty(int32_t screenW, int32_t screenH, int32_t x, int32_t y, int32_t w, int32_t h,
                  GalRect* out) {
  if (w == 0) w = screenW;
  if (h == 0) h = screenH;
  if (x < 0 || y < 0 || w < 0 || h < 0) return false;
  if (static_cast<int64_t>(x) + w > screenW || static_cast<int64_t>(y) + h > screenH) return false;
  *out = GalRect{x, y, w, h};
  return true;
}

void updateOutputRect(GalSurface* screen, int output, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!screen || !screen->video) return;
  GalVideoDevice* dev = screen->video;
  if (!dev->UpdateOutputRects) {
    GAL_UpdateRect(screen, x, y, w, h);
    return;
  }
  const Geometry g = geometryFor(screen, output);
  GalRect rect;
  if (wholeIfEmpty(g.w, g.h, x, y, w, h, &rect)) dev->UpdateOutputRects(dev, output, 1, &rect);
}

}  // namespace gal

namespace gal {

int checkVideoModeOn(GalVideoDevice* dev, int width, int height, int bpp, uint32_t flags) {
  // Negative sizes are refused like zero ones: no driver can make them.
  if (!dev || bpp < 8 || bpp > 32 || width <= 0 || height <= 0) return 0;
  if (depthAccepted(dev, width, height, bpp, flags)) return bpp;
  for (int candidate : kDepthPreference[(bpp + 7) / 8 - 1])
    if (depthAccepted(dev, width, height, candidate, flags)) return candidate;
  return 0;
}

GalSurface* setVideoModeOn(GalVideoDevice* dev, int width, int height, int bpp, uint32_t flags) {
  if (!dev || !dev->screen) return nullptr;
  if (bpp == 0) {
    flags |= GAL_ANYFORMAT;
    bpp = dev->screen->format->bitsPerPixel;
  }
  bpp = checkVideoModeOn(dev, width, height, bpp, flags);
  if (bpp == 0) return nullptr;
  if (bpp > 8) flags &= ~GAL_HWPALETTE;
  freePhysicalPalette(dev);
  GalSurface* mode = dev->SetVideoMode(dev, dev->screen, width, height, bpp, flags);
  if (!mode) return nullptr;
  dev->screen = mode;
  fillGeneratedPalette(dev, mode);
  dev->offsetX = dev->offsetY = 0;
  {
    // Threads may draw on either display meanwhile: the surface's shared
    // fields change under both display locks.
    std::scoped_lock hold(gui::dc::MainGdiLock(), gui::dc::AuxGdiLock());
    mode->offset = 0;
    GAL_SetClipRect(mode, nullptr);
    clearAuxiliary(mode);
    mode->video = dev;
  }
  dev->displayFormat = mode->format;
  return mode;
}

}  // namespace gal

extern "C" {

GalRect** GAL_ListVideoModes(GalPixelFormat* format, uint32_t flags) {
  GalVideoDevice* dev = gal::currentDevice();
  if (!dev || !dev->screen || !dev->ListModes) return nullptr;
  return dev->ListModes(dev, format ? format : dev->screen->format, flags);
}

int GAL_CheckVideoMode(int width, int height, int bpp, uint32_t flags) {
  return gal::checkVideoModeOn(gal::currentDevice(), width, height, bpp, flags);
}

int GAL_PickVideoMode(int width, int height, int* bpp, uint32_t flags) {
  if (!bpp) return 0;
  int accepted = GAL_CheckVideoMode(width, height, *bpp, flags);
  if (accepted == 0) return 0;
  *bpp = accepted;
  return 1;
}

GalSurface* GAL_SetVideoMode(int width, int height, int bpp, uint32_t flags) {
  return gal::setVideoModeOn(gal::currentDevice(), width, height, bpp, flags);
}

void GAL_UpdateRects(GalSurface* screen, int count, GalRect* rects) {
  if (!screen || !screen->video || !screen->video->UpdateRects) return;
  screen->video->UpdateRects(screen->video, count, rects);
}

void GAL_UpdateRect(GalSurface* screen, int32_t x, int32_t y, int32_t w, int32_t h) {
  GalRect rect;
  if (screen && gal::wholeIfEmpty(screen->w, screen->h, x, y, w, h, &rect))
    GAL_UpdateRects(screen, 1, &rect);
}

}  // extern "C"

// Video start-up and shut-down: the driver table, the current device, the
// engine name and the system pixel values.
#include <atomic>
#include <cstring>
#include <strings.h>

#include "gdi/core_layer.h"
#include "gdi/gal_internal.h"
#include "gdi/video_internal.h"
#include "gui/app_hooks.h"

extern "C" {
GalPixel SysPixelIndex[17];
}

namespace {

// Read by drawing threads, written at start and quit.
std::atomic<GalVideoDevice*> g_current{nullptr};

const GalColor kSysPixelColors[17] = {
    {255, 0, 255, 0}, {0, 0, 128, 0},   {0, 128, 0, 0},     {0, 128, 128, 0},
    {128, 0, 0, 0},   {128, 0, 128, 0}, {128, 128, 0, 0},   {128, 128, 128, 0},
    {192, 192, 192, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},     {0, 255, 255, 0},
    {255, 0, 0, 0},   {255, 0, 255, 0}, {255, 255, 0, 0},   {255, 255, 255, 0},
    {0, 0, 0, 0},
};

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;

}  // namespace

namespace gal {

GalVideoDevice* currentDevice() { return g_current.load(); }

GalVideoDevice* createDevice(const char* name) {
  const GalBootstrap* const drivers[] = {Core().videoDriver(), nullptr};
  for (const GalBootstrap* const* entry = drivers; *entry; ++entry) {
    const GalBootstrap& b = **entry;
    if (name && strncasecmp(b.name, name, std::strlen(b.name)) != 0) continue;
    if (!b.available()) continue;
    GalVideoDevice* dev = b.create(0);
    if (!dev) return nullptr;
    dev->name = b.name;
    dev->screen = nullptr;
    dev->physpal = nullptr;
    dev->offsetX = dev->offsetY = 0;
    dev->capabilities = 0;
    dev->spare = 0;
    dev->displayFormat = nullptr;
    return dev;
  }
  return nullptr;
}

namespace {

// The device's window is open (0) or could not be (-1).
int deviceReady() {
  GalVideoDevice* dev = g_current.load();
  if (!dev) return -1;
  return dev->VideoReady ? dev->VideoReady(dev) : 0;
}

}  // namespace

// GAL_VideoInit short of waiting for a device that opens its window in the
// background.
int beginVideoInit(const char* engineName);

int initInBackground() {
  char engine[11];
  if (GAL_GetEngineName(engine) != 0) return -22;
  if (beginVideoInit(engine) < 0) {
    GAL_VideoQuit();
    return -13;
  }
  int bpp = bitsPerPixelOfMode(colorDepthCode());
  GalSurface* screen = GAL_SetVideoMode(kDefaultWidth, kDefaultHeight, bpp, GAL_HWPALETTE);
  if (!screen) {
    GAL_VideoQuit();
    return -20;
  }
  for (int i = 0; i < 17; ++i) {
    const GalColor& c = kSysPixelColors[i];
    SysPixelIndex[i] = GAL_MapRGB(screen->format, c.r, c.g, c.b);
  }
  return 0;
}

int waitVideoReady() { return deviceReady() == 0 ? 0 : -13; }

void freePhysicalPalette(GalVideoDevice* dev) {
  PaletteDeleter()(dev->physpal);
  dev->physpal = nullptr;
}

// The screen's pixels always belong to the device, never to the layer.
void releaseScreen(GalVideoDevice* dev) {
  GalSurface* screen = dev->screen;
  dev->screen = nullptr;
  dev->displayFormat = nullptr;
  if (!screen) return;
  screen->flags |= GAL_PREALLOC;
  screen->refcount = 1;
  GAL_FreeSurface(screen);
}

}  // namespace gal

extern "C" {

int GAL_GetEngineName(char* buffer) {
  if (!buffer) return -22;
  int engine = GuiApp()->gui_get_galengin();
  const char* name = engine == 1 ? "fbcon" : engine == 2 ? "windib" : "dev9000";
  std::strncpy(buffer, name, 10);
  buffer[10] = '\0';
  return 0;
}

int InitGAL(void) {
  const int started = gal::initInBackground();
  if (started < 0) return started;
  const int ready = gal::waitVideoReady();
  if (ready < 0) GAL_VideoQuit();
  return ready;
}

int GAL_VideoInit(const char* engineName) {
  if (gal::beginVideoInit(engineName) < 0) return -1;
  if (gal::deviceReady() == 0) return 0;
  GAL_VideoQuit();
  return -1;
}

}  // extern "C"

int gal::beginVideoInit(const char* engineName) {
  if (g_current.load()) GAL_VideoQuit();
  GalVideoDevice* dev = gal::createDevice(engineName);
  if (!dev) return -1;
  g_current = dev;
  GalPixelFormat suggested{};
  if (dev->VideoInit(dev, &suggested) < 0 || suggested.bitsPerPixel == 0) {
    GAL_VideoQuit();
    return -1;
  }
  GalSurface* screen = GAL_CreateRGBSurface(0, 0, 0, suggested.bitsPerPixel, suggested.rMask,
                                            suggested.gMask, suggested.bMask, 0);
  if (!screen) {
    GAL_VideoQuit();
    return -1;
  }
  screen->video = dev;
  dev->screen = screen;
  dev->displayFormat = screen->format;
  return 0;
}

extern "C" {

void GAL_VideoQuit(void) {
  GalVideoDevice* dev = g_current.load();
  if (!dev) return;
  if (dev->VideoQuit) dev->VideoQuit(dev);
  g_current = nullptr;
  gal::releaseScreen(dev);
  gal::freePhysicalPalette(dev);
  if (dev->FreeDevice) dev->FreeDevice(dev);
}

GalVideoDevice* GAL_GetVideoDevice(void) { return g_current.load(); }

GalSurface* GAL_GetVideoSurface(void) {
  GalVideoDevice* dev = g_current.load();
  return dev ? dev->screen : nullptr;
}

}  // extern "C"

namespace gal {
const GalColor& sysPixelColor(int index) { return kSysPixelColors[index]; }
}  // namespace gal

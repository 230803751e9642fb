// The "windib" video device: a frame buffer per host display, shown in host
// windows run by the host thread.
#include <atomic>
#include <cstdio>
#include <memory>
#include <new>

#include "core/driver/host_thread.h"
#include "core/driver/windib.h"
#include "gdi/dc_record.h"
#include "gui/app_hooks.h"

struct GalPrivateVideoData {
  bool hasSection = false;
};

namespace {

constexpr int kInitialWidth = 1024;
constexpr int kInitialHeight = 768;
constexpr int kFallbackAuxWidth = 720;
constexpr int kFallbackAuxHeight = 576;

// The host windows exist once per process; one device owns them at a time.
std::atomic<GalVideoDevice*> g_owner{nullptr};

int availableAlways() { return 1; }

int alignedPitch(int width, int bytesPerPixel) { return (width * bytesPerPixel + 3) & ~3; }

bool deviceHasAuxOutput() {
  uint8_t count = 0;
  return GuiApp()->getVideoOutputCount(&count) == 0 && count > 1;
}

Size auxScreenSize() {
  Size size{0, 0};
  getOutputScreenSizeHook(getAuxOutputHook(), &size);
  if (size.cx <= 0 || size.cy <= 0) size = Size{kFallbackAuxWidth, kFallbackAuxHeight};
  return size;
}

host::FrameBufferLayout layoutFor(const GalPixelFormat* f, int width, int height) {
  host::FrameBufferLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitsPerPixel = f->bitsPerPixel;
  layout.pitch = alignedPitch(width, f->bytesPerPixel);
  layout.rMask = f->rMask;
  layout.gMask = f->gMask;
  layout.bMask = f->bMask;
  return layout;
}

void setAuxGeometry(GalSurface* surface, uint8_t* pixels, const host::FrameBufferLayout& layout) {
  surface->auxPixels = pixels;
  surface->auxW = layout.width;
  surface->auxH = layout.height;
  surface->auxPitch = layout.pitch;
}

// The auxiliary display gets its own frame buffer and window; without one
// its geometry stays empty so nothing is drawn through a null pointer.
void setAuxiliaryMode(GalSurface* surface) {
  host::HostDisplay& aux = host::Display(host::kAuxSlot);
  if (!deviceHasAuxOutput()) {
    aux.release([surface] { setAuxGeometry(surface, nullptr, host::FrameBufferLayout{}); });
    host::CloseDisplay(host::kAuxSlot);
    return;
  }
  Size size = auxScreenSize();
  host::FrameBufferLayout layout = layoutFor(surface->format, size.cx, size.cy);
  host::HostDisplay::Frame frame = host::HostDisplay::allocateFrame(layout);
  if (!frame || !host::ShowDisplay(host::kAuxSlot, layout.width, layout.height)) {
    aux.release([surface] { setAuxGeometry(surface, nullptr, host::FrameBufferLayout{}); });
    return;
  }
  aux.install(layout, std::move(frame), [&](uint8_t* pixels) { setAuxGeometry(surface, pixels, layout); });
}

int slotOfOutput(int output) { return output == getMainOutputHook() ? host::kMainSlot : host::kAuxSlot; }

int WinDibVideoInit(GalVideoDevice* device, GalPixelFormat* suggested) {
  GalVideoDevice* none = nullptr;
  if (!g_owner.compare_exchange_strong(none, device)) return -1;
  // The host reads each frame buffer under the lock its drawing holds.
  host::Display(host::kMainSlot).setFrameLock(&gui::dc::MainGdiLock());
  host::Display(host::kAuxSlot).setFrameLock(&gui::dc::AuxGdiLock());
  // The window opens while the caller goes on; VideoReady waits for it.
  if (!host::StartHostInBackground(kInitialWidth, kInitialHeight)) {
    g_owner = nullptr;
    return -1;
  }
  switch (host::GetDesktopDepth()) {
    case 8: suggested->bitsPerPixel = 8; break;
    case 15:
      *suggested = GalPixelFormat{};
      suggested->bitsPerPixel = 16;
      suggested->rMask = 0x7C00;
      suggested->gMask = 0x03E0;
      suggested->bMask = 0x001F;
      break;
    case 16:
      suggested->bitsPerPixel = 16;
      suggested->rMask = 0xF800;
      suggested->gMask = 0x07E0;
      suggested->bMask = 0x001F;
      break;
    case 24:
    case 32:
      suggested->bitsPerPixel = static_cast<uint8_t>(host::GetDesktopDepth());
      suggested->rMask = 0xFF0000;
      suggested->gMask = 0xFF00;
      suggested->bMask = 0xFF;
      break;
    default: break;
  }
  suggested->bytesPerPixel = static_cast<uint8_t>((suggested->bitsPerPixel + 7) / 8);
  return 0;
}

int WinDibVideoReady(GalVideoDevice*) { return host::FinishHostStart() ? 0 : -1; }

GalRect** WinDibListModes(GalVideoDevice*, GalPixelFormat*, uint32_t) { return GAL_ANY_MODE; }

// Rectangles of an unknown display are marked on both.
void WinDibUpdateRects(GalVideoDevice*, int count, GalRect* rects) {
  bool marked = host::Display(host::kMainSlot).copyToWindow(count, rects);
  marked = host::Display(host::kAuxSlot).copyToWindow(count, rects) || marked;
  if (marked) host::RequestPresent();
}

void WinDibUpdateOutputRects(GalVideoDevice*, int output, int count, GalRect* rects) {
  if (host::Display(slotOfOutput(output)).copyToWindow(count, rects)) host::RequestPresent();
}

GalSurface* WinDibSetVideoMode(GalVideoDevice* device, GalSurface* surface, int width, int height,
                               int bpp, uint32_t) {
  host::FrameBufferLayout layout = layoutFor(surface->format, width, height);
  // The new frame buffer and its window are made before anything changes:
  // a refused mode keeps the old buffer, size and window.
  host::HostDisplay::Frame frame = host::HostDisplay::allocateFrame(layout);
  if (!frame || !host::ShowDisplay(host::kMainSlot, width, height)) return nullptr;
  host::Display(host::kMainSlot).install(layout, std::move(frame), [&](uint8_t* pixels) {
    surface->flags = bpp <= 8 ? GAL_HWPALETTE : 0;
    surface->w = width;
    surface->h = height;
    surface->pitch = layout.pitch;
    surface->pixels = pixels;
    device->UpdateRects = WinDibUpdateRects;
    device->UpdateOutputRects = WinDibUpdateOutputRects;
  });
  device->hidden->hasSection = true;
  setAuxiliaryMode(surface);
  // The window shows the new (cleared) frame buffer before the mode is used.
  // A window still opening is new, unshown and as clear as the buffer: there
  // is nothing to hand over, and no need to wait for it.
  if (host::HostStarting())
    host::Display(host::kMainSlot).clearDirty();
  else
    host::PresentNow();
  return surface;
}

int WinDibSetColors(GalVideoDevice* device, int first, int count, GalColor* colors) {
  host::Display(host::kMainSlot).setColors(first, count, colors);
  host::Display(host::kAuxSlot).setColors(first, count, colors);
  host::RequestPresent();
  return 1;
}

void WinDibVideoQuit(GalVideoDevice* device) {
  if (g_owner.load() != device) return;
  GalSurface* screen = device->screen;
  host::Display(host::kMainSlot).release([screen, device] {
    if (screen) screen->pixels = nullptr;
    device->UpdateRects = nullptr;
    device->UpdateOutputRects = nullptr;
  });
  host::Display(host::kAuxSlot).release([screen] {
    if (screen) screen->auxPixels = nullptr;
  });
  device->hidden->hasSection = false;
  host::StopHost();
  g_owner = nullptr;
}

int WinDibAllocHWSurface(GalVideoDevice*, GalSurface*) { return -1; }
void WinDibFreeHWSurface(GalVideoDevice*, GalSurface*) {}

void WinDibDeleteDevice(GalVideoDevice* device) {
  if (!device) return;
  delete device->hidden;
  delete device;
}

}  // namespace

extern "C" {

GalVideoDevice* WinDibCreateDevice(int) {
  std::unique_ptr<GalVideoDevice> device(new (std::nothrow) GalVideoDevice{});
  std::unique_ptr<GalPrivateVideoData> hidden(new (std::nothrow) GalPrivateVideoData{});
  if (!device || !hidden) {
    std::fputs("Out of memory\n", stderr);
    return nullptr;
  }
  device->VideoInit = WinDibVideoInit;
  device->ListModes = WinDibListModes;
  device->SetVideoMode = WinDibSetVideoMode;
  device->SetColors = WinDibSetColors;
  device->UpdateRects = nullptr;
  device->UpdateOutputRects = nullptr;
  device->VideoQuit = WinDibVideoQuit;
  device->VideoReady = WinDibVideoReady;
  device->AllocHWSurface = WinDibAllocHWSurface;
  device->FreeHWSurface = WinDibFreeHWSurface;
  device->FreeDevice = WinDibDeleteDevice;
  device->hidden = hidden.release();
  return device.release();
}

const GalBootstrap WinDibBootstrap = {"windib", "Win95/98/NT/2000 GDI", availableAlways,
                                      WinDibCreateDevice};

}  // extern "C"

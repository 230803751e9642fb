// The screen DC, the GDI locks, start-up and shut-down of the DC layer and
// the coordinate rule shared by every drawing function.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <mutex>

#include "gdi/dc/dc_attr.h"
#include "gdi/dc/gdi_heap.h"
#include "gdi/dc/pixel_ops.h"
#include "gdi/dc_record.h"
#include "gdi/dc_window.h"
#include "gdi/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/font.h"

namespace gui::dc {

// Shared with the pool code in dc_pool.cpp.
DC g_dcPool[kDcPoolSize];
std::mutex g_dcPoolLock;

namespace {

DC g_screenDC;
std::mutex g_mainGdiLock;
std::mutex g_auxGdiLock;

void BindRegion(ClipRgn* region) {
  if (region->heap) EmptyClipRgn(region);
  InitClipRgn(region, GdiClipRectHeap());
}

void InitDCPool() {
  std::lock_guard<std::mutex> hold(g_dcPoolLock);
  for (DC& slot : g_dcPool) {
    BindRegion(&slot.localClip);
    BindRegion(&slot.effClip);
    slot.inUse = 0;
    slot.clipInfo = nullptr;
    slot.age = 0;
  }
}

}  // namespace

DC* ScreenDC() { return &g_screenDC; }

DC* DcFromHandle(HDC hdc) {
  if (hdc == HDC_SCREEN) return &g_screenDC;
  if (hdc == HDC_INVALID) return nullptr;
  DC* dc = reinterpret_cast<DC*>(hdc);
  return dc->dataType == kDcDataType ? dc : nullptr;
}

bool IsPoolDC(const DC* dc) { return dc >= g_dcPool && dc < g_dcPool + kDcPoolSize; }

GalSurface* CurrentScreenSurface() { return g_screenDC.surface; }

std::mutex& MainGdiLock() { return g_mainGdiLock; }
std::mutex& AuxGdiLock() { return g_auxGdiLock; }

std::mutex& GdiLockOfDisplay(int display) {
  return display == getMainOutputHook() ? g_mainGdiLock : g_auxGdiLock;
}

int GetDCDisplay(const DC* dc) { return WindowDisplay(dc->hwnd); }

int RefreshDCGeometry(DC* dc) { return RefreshDCGeometryOf(dc, GetDCDisplay(dc)); }

int RefreshDCGeometryOf(DC* dc, int display) {
  if (dc->surface) {
    const gal::Geometry geometry = gal::geometryFor(dc->surface, display);
    dc->geomPixels = geometry.pixels;
    dc->geomPitch = geometry.pitch;
  }
  return display;
}

void InitScreenDC(DC* dc, GalSurface* surface) {
  if (dc->alphaFormat) GAL_FreeFormat(dc->alphaFormat);
  DC fresh;
  fresh.localClip = dc->localClip;
  fresh.effClip = dc->effClip;
  *dc = fresh;
  BindRegion(&dc->localClip);
  BindRegion(&dc->effClip);
  dc->dcType = kScreenDC;
  dc->surface = surface;
  dc->bkColor = dc->brushColor = SysPixelIndex[SYSPIXEL_WHITE];
  dc->penColor = dc->textColor = SysPixelIndex[SYSPIXEL_BLACK];
  dc->font = g_SysLogFont[1];
  dc->devRect = Rect{0, 0, surface->w, surface->h};
  SetClipRgn(&dc->effClip, &dc->devRect);
  SelectPixelOps(dc);
  RefreshDCGeometry(dc);
  dc->curDst = dc->geomPixels;
  BuildTextColorTable(dc);
  BuildGlyphColorTable(dc);
}

OwnScreenDC::OwnScreenDC() {
  if (GalSurface* screen = CurrentScreenSurface()) InitScreenDC(&dc_, screen);
}

OwnScreenDC::~OwnScreenDC() {
  if (dc_.alphaFormat) GAL_FreeFormat(dc_.alphaFormat);
  if (dc_.localClip.heap) EmptyClipRgn(&dc_.localClip);
  if (dc_.effClip.heap) EmptyClipRgn(&dc_.effClip);
}

void LogicalToDevice(const DC* dc, int* x, int* y) {
  if (dc->dcType == kScreenDC) return;
  const auto saturate = ClampToInt;
  if (dc->mapMode != 0) {
    // A zero window extent maps every coordinate onto the viewport origin.
    // Offsets reach 2^32 and extents 2^31: the product stays below 2^63.
    auto scale = [](int v, int origin, int viewExtent, int windowExtent) -> int64_t {
      if (windowExtent == 0) return 0;
      return (int64_t{v} - origin) * viewExtent / windowExtent;
    };
    *x = saturate(int64_t{saturate(scale(*x, dc->windowOrigin.x, dc->viewExtent.x, dc->windowExtent.x))} +
                  dc->viewOrigin.x);
    *y = saturate(int64_t{saturate(scale(*y, dc->windowOrigin.y, dc->viewExtent.y, dc->windowExtent.y))} +
                  dc->viewOrigin.y);
  }
  *x = saturate(int64_t{*x} + dc->devRect.left);
  *y = saturate(int64_t{*y} + dc->devRect.top);
}

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

BOOL InitGDI(GalSurface* screen) {
  if (!screen || !screen->format) return FALSE;
  InitDCPool();
  InitScreenDC(&g_screenDC, screen);
  return TRUE;
}

// The clip-rectangle heap lives as long as the process; the nodes the DCs
// hold go back to it.
void TerminateGDI(void) {
  {
    std::lock_guard<std::mutex> hold(g_dcPoolLock);
    for (DC& slot : g_dcPool) {
      if (slot.localClip.heap) EmptyClipRgn(&slot.localClip);
      if (slot.effClip.heap) EmptyClipRgn(&slot.effClip);
      slot.inUse = 0;
      slot.clipInfo = nullptr;
    }
  }
  if (g_screenDC.localClip.heap) EmptyClipRgn(&g_screenDC.localClip);
  if (g_screenDC.effClip.heap) EmptyClipRgn(&g_screenDC.effClip);
  g_screenDC.surface = nullptr;
}

}  // extern "C"

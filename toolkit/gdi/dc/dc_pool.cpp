// Window DCs: the pool of sixteen, private DCs, their set-up from the
// window and the lazy rebuild of their effective clip region.
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>

#include "gdi/dc/dc_attr.h"
#include "gdi/dc/gdi_heap.h"
#include "gdi/dc/pixel_ops.h"
#include "gdi/dc_cursor.h"
#include "gdi/dc_record.h"
#include "gdi/dc_window.h"
#include "gdi/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/font.h"

namespace gui::dc {

extern DC g_dcPool[kDcPoolSize];
extern std::mutex g_dcPoolLock;

namespace {

// Cuts the effective region to the device rectangle, or for a control to
// the part of it inside its ancestors' client areas, and to the frame
// buffer of the window's display: the desktop clips every window to the
// main screen, and the auxiliary one may be smaller (spans past it ran off
// the end of its buffer).
void CutToDeviceRect(DC* dc) {
  Rect cut = dc->devRect;
  if (NeedsAncestorClip(dc->hwnd)) ClipRectToAncestors(&cut, dc->hwnd);
  const gal::Geometry display = gal::geometryFor(dc->surface, GetDCDisplay(dc));
  const Rect buffer{0, 0, display.w, display.h};
  if (!IntersectRect(&cut, &cut, &buffer)) cut = Rect{};
  IntersectClipRect(&dc->effClip, &cut);
}

// The effective region from the window's global region alone; the caller
// holds the clip information's mutex.
void ResetClipFromWindow(DC* dc) {
  dc->age = ClipInfoAge(dc->clipInfo);
  if (!ClipRgnCopy(&dc->effClip, ClipInfoRegion(dc->clipInfo))) EmptyClipRgn(&dc->effClip);
  dc->devRect = WindowDeviceRect(dc->hwnd, dc->client != 0);
  CutToDeviceRect(dc);
}

DC* TakePoolSlot() {
  std::lock_guard<std::mutex> hold(g_dcPoolLock);
  for (DC& slot : g_dcPool) {
    if (slot.inUse) continue;
    slot.inUse = 1;
    slot.dataType = kDcDataType;
    slot.dcType = kWindowDC;
    slot.surface = CurrentScreenSurface();
    return &slot;
  }
  return nullptr;
}

HDC GetPoolDC(WindowHandle hwnd, bool client, bool clipLater = false) {
  if (!IsLiveWindow(hwnd) || !CurrentScreenSurface()) return HDC_INVALID;
  DC* dc = TakePoolSlot();
  if (!dc) {
    // Handing out the screen DC here would let the window paint over others.
    std::printf("GetDC: all %d window DCs are in use!\n", kDcPoolSize);
    return HDC_INVALID;
  }
  SetupWindowDC(dc, hwnd, client, clipLater);
  return HandleOfDC(dc);
}

struct PrivateDCDeleter {
  void operator()(DC* dc) const { delete dc; }
};

HDC MakePrivateDC(WindowHandle hwnd, bool client) {
  if (!IsLiveWindow(hwnd) || !CurrentScreenSurface()) return 0;
  std::unique_ptr<DC, PrivateDCDeleter> dc(new (std::nothrow) DC);
  if (!dc) return 0;
  InitClipRgn(&dc->localClip, GdiClipRectHeap());
  InitClipRgn(&dc->effClip, GdiClipRectHeap());
  dc->inUse = 1;
  dc->dcType = kWindowDC;
  dc->surface = CurrentScreenSurface();
  SetupWindowDC(dc.get(), hwnd, client);
  return HandleOfDC(dc.release());
}

// Its clip is left for the next clip selection or drawing to build.
void MarkClipStale(DC* dc) {
  dc->devRect = WindowDeviceRect(dc->hwnd, dc->client != 0);
  EmptyClipRgn(&dc->effClip);
  LockClipInfo(dc->clipInfo);
  dc->age = ClipInfoAge(dc->clipInfo) - 1;
  UnlockClipInfo(dc->clipInfo);
}

}  // namespace

HDC GetClientDCClipLater(WindowHandle hwnd) {
  HDC hdc = GetPoolDC(hwnd, true, true);
  if (DC* dc = DcFromHandle(hdc)) dc->showOnRelease = true;
  return hdc;
}

void SetupWindowDC(DC* dc, WindowHandle hwnd, bool client, bool clipLater) {
  dc->hwnd = hwnd;
  const GalPixelFormat* format = dc->surface->format;
  dc->bkColor = dc->brushColor = GAL_MapRGB(format, 255, 255, 255);
  dc->penColor = dc->textColor = GAL_MapRGB(format, 0, 0, 0);
  dc->bkMode = BM_OPAQUE;
  dc->tabStop = 8;
  dc->charExtra = dc->aboveLineExtra = dc->belowLineExtra = 0;
  dc->mapMode = 0;
  const int display = RefreshDCGeometry(dc);
  dc->font = g_SysLogFont[display == getMainOutputHook() ? 1 : 6];
  dc->viewOrigin = dc->windowOrigin = Point{0, 0};
  dc->viewExtent = dc->windowExtent = Point{1, 1};
  if (dc->dcType == kWindowDC) {
    dc->localCutToNothing = false;
    dc->client = client ? 1 : 0;
    dc->clipInfo = WindowClipInfo(hwnd);
    if (dc->clipInfo && clipLater) {
      MarkClipStale(dc);
    } else if (dc->clipInfo) {
      LockClipInfo(dc->clipInfo);
      ResetClipFromWindow(dc);
      UnlockClipInfo(dc->clipInfo);
    } else {
      EmptyClipRgn(&dc->effClip);
      dc->devRect = WindowDeviceRect(hwnd, client);
    }
  }
  dc->penPos = dc->textPos = Point{0, 0};
  dc->rop = ROP_SET;
  dc->step = 1;
  SelectPixelOps(dc);
  if (dc->geomPixels) dc->moveTo(dc, dc->devRect.left, dc->devRect.top);
  for (int i = 0; i < kTextColorSlots; ++i) dc->textColors[i] = dc->textColors2[i] = 0;
  dc->alphaFormat = nullptr;
  // Owed from now, not from the first colour change: grey text on a fresh
  // DC would otherwise draw from an all-zero table.
  DeferTextTables(dc);
}

int RefreshDCClipRgn(DC* dc, bool forced) {
  if (dc->dcType != kWindowDC) return 1;
  if (!dc->clipInfo) return 0;
  if (!forced) {
    if (!IsDesktopWindow(dc->hwnd) && !IsWindowShowing(dc->hwnd)) return 0;
    if (dc->age == ClipInfoAge(dc->clipInfo)) return 1;
  }
  const ClipRgn* global = ClipInfoRegion(dc->clipInfo);
  // The device rectangle is taken first: the local region is relative to
  // its corner, which has moved when the window has.
  dc->devRect = WindowDeviceRect(dc->hwnd, dc->client != 0);
  bool ok;
  if (!LocalClipApplies(dc)) {
    ok = ClipRgnCopy(&dc->effClip, global);
  } else {
    ok = ClipRgnCopy(&dc->effClip, &dc->localClip);
    OffsetRegion(&dc->effClip, dc->devRect.left, dc->devRect.top);
    ok = ok && ClipRgnIntersect(&dc->effClip, &dc->effClip, global);
  }
  if (!ok) EmptyClipRgn(&dc->effClip);
  CutToDeviceRect(dc);
  dc->age = ClipInfoAge(dc->clipInfo);
  return 1;
}

DC* CheckAndLockDC(HDC hdc) {
  DC* dc = DcFromHandle(hdc);
  if (!dc || !dc->surface) return nullptr;
  if (dc->dcType != kWindowDC) return dc;
  if (!dc->inUse || !dc->clipInfo) return nullptr;
  LockClipInfo(dc->clipInfo);
  if (RefreshDCClipRgn(dc, false) == 0) {
    UnlockClipInfo(dc->clipInfo);
    return nullptr;
  }
  return dc;
}

void UnlockDCClipInfo(DC* dc) {
  if (dc->dcType == kWindowDC && dc->clipInfo) UnlockClipInfo(dc->clipInfo);
}

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

HDC GetDC(WindowHandle hwnd) { return GetPoolDC(hwnd, false); }

HDC GetClientDC(WindowHandle hwnd) { return GetPoolDC(hwnd, true); }

void ReleaseDC(HDC hdc) {
  DC* dc = DcFromHandle(hdc);
  if (!dc) return;
  DropDCAlphaFormat(dc);
  ShowUnshown(dc);
  dc->showOnRelease = false;
  if (dc->localClip.heap) EmptyClipRgn(&dc->localClip);
  dc->localCutToNothing = false;
  // The screen DC's region stays: emptying it would stop all screen drawing.
  if (dc->dcType != kWindowDC) return;
  if (dc->hwnd && WindowPrivateClientDC(dc->hwnd) == hdc) {
    if (!dc->clipInfo) return;
    LockClipInfo(dc->clipInfo);
    ResetClipFromWindow(dc);
    UnlockClipInfo(dc->clipInfo);
    return;
  }
  EmptyClipRgn(&dc->effClip);
  std::lock_guard<std::mutex> hold(g_dcPoolLock);
  dc->clipInfo = nullptr;
  dc->age = 0;
  dc->inUse = 0;
}

HDC CreatePrivateDC(WindowHandle hwnd) { return MakePrivateDC(hwnd, false); }

HDC CreatePrivateClientDC(WindowHandle hwnd) { return MakePrivateDC(hwnd, true); }

void DeletePrivateDC(HDC hdc) {
  if (hdc == HDC_SCREEN) return;
  DC* dc = DcFromHandle(hdc);
  if (!dc || dc->dcType != kWindowDC || IsPoolDC(dc)) return;
  DropDCAlphaFormat(dc);
  EmptyClipRgn(&dc->localClip);
  EmptyClipRgn(&dc->effClip);
  delete dc;
}

HDC GetPrivateClientDC(WindowHandle hwnd) { return WindowPrivateClientDC(hwnd); }

}  // extern "C"

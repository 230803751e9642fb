// Live-video areas: per display up to three screen rectangles where the
// video shows through the menus, planned when windows paint, move and hide
// and handed to the device layer on every change. One mutex guards both
// tables, the markers and the recorded view, since windows of several
// threads paint at once.
#include "core/livevideo/areas.h"

#include <algorithm>

#include <mutex>

#include "core/desktop/clip_info.h"
#include "gui/image.h"
#include "core/message/refresh_list.h"
#include "core/window/window_damage.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/livevideo.h"
#include "gui/window.h"

namespace {

constexpr int kViewMode = 3;

struct Display {
  LiveVideoTable table{};
  int marker[LIVE_VIDEO_SLOTS] = {};
};

struct RecordedView {
  Rect rect{};
  WindowHandle owner = GUI_INVALID_HANDLE;
  bool recorded = false;
  int slot = -1;
};

std::mutex g_lock;
Display g_main, g_aux;
RecordedView g_view;
bool g_switchRequest = false;

bool AuxCurrent() { return getCurOutputHook() != getMainOutputHook(); }
Display& CurrentDisplay() { return AuxCurrent() ? g_aux : g_main; }

bool LivePreview() { return GuiApp()->GetMouseState && GuiApp()->GetMouseState() != 0; }
bool DeviceHandlesViews() {
  return GuiApp()->hasLiveVideoAreaCapability && GuiApp()->hasLiveVideoAreaCapability() != 0;
}

Rect ScreenOf(int output) {
  Size size{};
  GetScreenExtentEx(output, &size);
  return Rect{0, 0, size.cx, size.cy};
}

Rect SlotRect(const LiveVideoTable& t, int i) {
  return Rect{t.x[i], t.y[i], t.x[i] + t.width[i], t.y[i] + t.height[i]};
}

bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
bool Within(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

void ZeroRect(LiveVideoTable& t, int i) { t.x[i] = t.y[i] = t.width[i] = t.height[i] = 0; }

void RecomputeFullScreen(LiveVideoTable& t) {
  const Rect s = ScreenOf(getCurOutputHook());
  t.fullScreen = 0;
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i)
    if (t.inUse[i] && t.x[i] == 0 && t.y[i] == 0 && t.width[i] == s.right && t.height[i] == s.bottom) t.fullScreen = 1;
}

// The device layer takes the table; in this build it has no effect.
void HandOver(const LiveVideoTable&) { returnZero(); }

void ClearSlot(Display& d, int i) {
  d.table.inUse[i] = 0;
  d.marker[i] = 0;
  ZeroRect(d.table, i);
}

void ReleaseLocked(MainWinRecord* win, bool clearFullScreen) {
  const int slot = win->previewSlot;
  if (slot < 0 || slot >= LIVE_VIDEO_SLOTS) return;
  Display& d = CurrentDisplay();
  d.table.inUse[slot] = 0;
  d.marker[slot] = 0;
  if (clearFullScreen) d.table.fullScreen = 0;
  RecomputeFullScreen(d.table);
  HandOver(d.table);
  ZeroRect(d.table, slot);
  win->previewSlot = -1;
}

int MenuAlpha() { return DeviceConfigMenuAlpha(getCurOutputHook()); }

bool Align(Rect* r) {
  int x = r->left, y = r->top, w = r->right - r->left, h = r->bottom - r->top;
  int ok = SetPixelAlign(getCurOutputHook(), &x, &y, &w, &h, 2);
  *r = Rect{x, y, x + w, y + h};
  return ok != 0;
}

MainWinRecord* CurrentPreview() { return ValidMainWindow(GetDisplayPreviewWindow(getCurOutputHook())); }

// Step 1 of the paint-time planning: a full-screen area of the preview
// gives way to a page painting over it.
bool YieldFullScreen(Display& d, MainWinRecord* win, const Rect& screen) {
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) {
    Rect r = SlotRect(d.table, i);
    if (!(d.table.fullScreen || EqualRect(&r, &screen) || Within(screen, r))) continue;
    if (d.marker[i] <= 0) return false;
    if (g_main.table.fullScreen == 1 && (win->exStyle & WS_EX_TOPMOST)) return false;
    ClearSlot(d, i);
    d.table.fullScreen = 0;
    d.table.refreshMark = 1;
    RecomputeFullScreen(d.table);
    HandOver(d.table);
    if (MainWinRecord* preview = CurrentPreview()) preview->previewSlot = -1;
    return true;
  }
  return true;
}

int FreeSlot(Display& d, MainWinRecord* preview) {
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i)
    if (Empty(SlotRect(d.table, i))) return i;
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i)
    if (d.marker[i] > 0 && (!preview || preview->previewSlot != i)) {
      d.marker[i] = 0;
      return i;
    }
  if (preview && preview->previewSlot >= 0) {
    int i = preview->previewSlot;
    preview->previewSlot = -1;
    return i;
  }
  return -1;
}

void PlanForWindow(MainWinRecord* win) {
  Display& d = CurrentDisplay();
  const Rect screen = ScreenOf(getCurOutputHook());
  if (!YieldFullScreen(d, win, screen)) return;
  if (IsPlaybackWindow(HandleOf(win)) && getPlaybackWndHook(getCurOutputHook()) != HandleOf(win)) return;
  const Rect own = GeometryOf(win).window;  // the desktop thread moves main windows
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) {
    Rect r = SlotRect(d.table, i);
    if (Empty(r)) continue;
    if (Within(own, r)) {
      if (DeviceHandlesViews() && g_view.owner == HandleOf(win) && g_main.table.mode[i] != kViewMode) {
        g_main.table.mode[i] = kViewMode;
        g_view.recorded = true;
        g_view.slot = i;
        PostMessage(g_view.owner, MSG_VIEWAREA_READY, 0, 0);
        HandOver(g_main.table);
      }
      return;
    }
    const bool visible = IsVisibleRecord(win);
    if ((win->previewSlot == i && visible) || (Within(r, own) && visible)) {
      ClearSlot(d, i);
      d.table.fullScreen = 0;
      d.table.mode[i] = MenuAlpha();
    }
  }
  const int i = FreeSlot(d, CurrentPreview());
  if (i < 0) return;
  Rect r = own;
  d.table.inUse[i] = 1;
  d.table.fullScreen = 0;
  d.table.refreshMark = 1;
  d.table.mode[i] = MenuAlpha();
  if (!Align(&r) || r.right - r.left < 9 || r.bottom - r.top < 5) {
    ClearSlot(d, i);
    return;
  }
  d.table.x[i] = r.left, d.table.y[i] = r.top, d.table.width[i] = r.right - r.left, d.table.height[i] = r.bottom - r.top;
  win->previewSlot = i;
  if (&d == &g_main && DeviceHandlesViews() && (g_view.owner == HandleOf(win) || (g_view.recorded && g_view.slot == i))) {
    g_view.slot = i;
    d.table.mode[i] = kViewMode;
    PostMessage(g_view.owner, MSG_VIEWAREA_READY, 0, 0);
  }
  RecomputeFullScreen(d.table);
  HandOver(d.table);
}

}  // namespace

void ReleaseLiveVideoSlot(MainWinRecord* win) {
  std::lock_guard<std::mutex> hold(g_lock);
  ReleaseLocked(win, false);
}

namespace {

// A window leaving the screen gives its own slot back; while the live
// view fills the screen, slot 0 and the full-screen flag go instead.
void LeaveScreenLocked(MainWinRecord* win) {
  Display& d = CurrentDisplay();
  const Rect screen = ScreenOf(getCurOutputHook()), slot0 = SlotRect(d.table, 0);
  if (d.table.fullScreen == 0 && !EqualRect(&slot0, &screen) && !Within(screen, slot0)) {
    ReleaseLocked(win, false);
    return;
  }
  d.table.inUse[0] = 0;
  d.marker[0] = 0;
  d.table.fullScreen = 0;
  RecomputeFullScreen(d.table);
  HandOver(d.table);
  ZeroRect(d.table, 0);
}

}  // namespace

void ReleaseLiveVideoSlotOnHide(MainWinRecord* win) {
  if (!LivePreview()) return;
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_main.table.fullScreen == 1 && (win->exStyle & WS_EX_TOPMOST)) return;
  LeaveScreenLocked(win);
}

void ReleaseLiveVideoSlotOnDestroy(MainWinRecord* win) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (win->previewSlot < 0 || win->previewSlot >= LIVE_VIDEO_SLOTS) return;
  LeaveScreenLocked(win);
  win->previewSlot = -1;
}

void RefreshLiveVideoAreas(WindowRecord* win) {
  if (!IsMainRecord(win) || (win->exStyle & WS_EX_PREVIEW) || !LivePreview()) return;
  if (GetWindowDisplay(HandleOf(win)) != getCurOutputHook()) return;
  std::lock_guard<std::mutex> hold(g_lock);
  PlanForWindow(static_cast<MainWinRecord*>(win));
}

void ReplanLiveVideoAreas(const Rect& damaged) {
  if (!LivePreview()) return;
  MainWinRecord* preview = CurrentPreview();
  if (!preview) return;
  std::lock_guard<std::mutex> hold(g_lock);
  Display& d = CurrentDisplay();
  const Rect screen = ScreenOf(getCurOutputHook());
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) {
    Rect r = SlotRect(d.table, i);
    if (!Empty(r) && Within(damaged, r)) return;
    if (d.table.fullScreen == 1) return;
    if (!Empty(r) && Within(r, damaged)) ClearSlot(d, i);
  }
  const int i = FreeSlot(d, preview);
  if (i < 0) return;
  Rect r = damaged;
  d.table.refreshMark = 0;
  const Rect previewRect = GeometryOf(preview).window;
  d.table.fullScreen = EqualRect(&damaged, &previewRect) || EqualRect(&damaged, &screen);
  d.table.inUse[i] = 1;
  const int alpha = MenuAlpha();
  d.table.mode[i] = alpha == 7 && DeviceHandlesViews() ? 1 : alpha;
  if (!Align(&r) || r.right - r.left <= 8 || r.bottom - r.top <= 4) {
    ClearSlot(d, i);
    return;
  }
  d.table.x[i] = r.left, d.table.y[i] = r.top, d.table.width[i] = r.right - r.left, d.table.height[i] = r.bottom - r.top;
  preview->previewSlot = i;
  d.marker[i] = 1;
  if (&d == &g_main && g_view.owner == HandleOf(preview)) d.table.mode[i] = kViewMode;
  RecomputeFullScreen(d.table);
  HandOver(d.table);
}

int ClaimPopupVideoSlot(const Rect& popup) {
  std::lock_guard<std::mutex> hold(g_lock);
  Display& d = CurrentDisplay();
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) {
    Rect r = SlotRect(d.table, i);
    if (!Empty(r) && (IsCovered(&popup, &r) || EqualRect(&popup, &r))) return -1;
  }
  const int i = FreeSlot(d, CurrentPreview());
  if (i < 0) return -1;
  d.table.fullScreen = 0;
  d.table.inUse[i] = 1;
  d.table.refreshMark = 1;
  d.table.mode[i] = MenuAlpha();
  Rect r = popup;
  if (!Align(&r) || r.right - r.left <= 8 || r.bottom - r.top <= 4) {
    d.table.inUse[i] = 0;
    ZeroRect(d.table, i);
    return -1;
  }
  d.table.x[i] = r.left, d.table.y[i] = r.top, d.table.width[i] = r.right - r.left, d.table.height[i] = r.bottom - r.top;
  HandOver(d.table);
  return i;
}

void ReleasePopupVideoSlot(int slot) {
  if (slot < 0 || slot >= LIVE_VIDEO_SLOTS) return;
  std::lock_guard<std::mutex> hold(g_lock);
  Display& d = CurrentDisplay();
  d.table.inUse[slot] = 0;
  HandOver(d.table);
  ZeroRect(d.table, slot);
}

// The desktop carries the request out once the refresh list has run empty.
void SetOutputSwitchRequest(bool raised) {
  if (!raised) return;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_switchRequest = true;
  }
  RequestDisplaySwitch();
}

void TakeOutputSwitchRequest() {
  std::lock_guard<std::mutex> hold(g_lock);
  g_switchRequest = false;
}

bool OutputSwitchRequested() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_switchRequest;
}

void ClearVideoWindowRecords(int output) {
  if (!LivePreview()) return;
  std::lock_guard<std::mutex> hold(g_lock);
  Display& d = output == getMainOutputHook() ? g_main : g_aux;
  for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) {
    ClearSlot(d, i);
    d.table.fullScreen = 0;
    HandOver(d.table);
  }
}

extern "C" {

Size* GetScreenExtentEx(int output, Size* size) {
  if (!size) return size;
  if (!IsLowResDisplay(output)) {
    int w = 0, h = 0;
    GuiApp()->getOutputResolution(DeviceConfigResolutionCode(output), &w, &h);
    size->cx = w;
    size->cy = h;
  } else {
    size->cx = 704;
    size->cy = DeviceConfigTvStandard(output) == 1 ? 480 : 576;
  }
  return size;
}

int SetPixelAlign(int output, int* x, int* y, int* w, int* h, int step) {
  if (!x || !y || !w || !h || step < 1) return 0;
  Size screen{};
  int* longOp = GuiApp()->getLongOpState ? GuiApp()->getLongOpState() : nullptr;
  // The application sets the word on its own thread.
  if (longOp && __atomic_load_n(&longOp[0], __ATOMIC_ACQUIRE))
    getOutputScreenSizeHook(getCurOutputHook(), &screen);
  else
    GetScreenExtentEx(output, &screen);
  // 64 bits: a width or position near INT_MAX must clamp, not wrap.
  int64_t x0 = std::max(*x, 0), y0 = std::max(*y, 0), w0 = *w, h0 = *h;
  const int64_t cutX = x0 % step, cutY = y0 % 2;
  x0 -= cutX, w0 += cutX;
  w0 = (w0 + step - 1) / step * step;
  y0 -= cutY, h0 += cutY;
  h0 = (h0 + 1) / 2 * 2;
  w0 = std::max<int64_t>(w0, 0);
  h0 = std::max<int64_t>(h0, 0);
  x0 = std::min<int64_t>(x0, screen.cx);
  y0 = std::min<int64_t>(y0, screen.cy);
  w0 = std::min<int64_t>(w0, screen.cx - x0);
  h0 = std::min<int64_t>(h0, screen.cy - y0);
  *x = static_cast<int>(x0), *y = static_cast<int>(y0);
  *w = static_cast<int>(w0), *h = static_cast<int>(h0);
  return *w != 0 && *h != 0 ? 1 : 0;
}

void SetPreviewViewRect(HDC hdc, int x, int y, int w, int h) {
  bool fill;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    fill = g_view.recorded || !DeviceHandlesViews();
    g_view.rect = Rect{x, y, x + w, y + h};
  }
  if (!fill) return;
  const uint32_t brush = SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, SysPixelIndex[SYSPIXEL_KEY]);
  FillBox(hdc, x, y, w, h);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, brush);
}

void ClearPreviewViewRect(WindowHandle owner, int keep) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (keep) {
    g_view.owner = owner;
    return;
  }
  if (!DeviceHandlesViews()) {
    g_view.owner = GUI_INVALID_HANDLE;
    g_view.recorded = false;
  }
  MainWinRecord* win = ValidMainWindow(owner);
  if (LivePreview() && g_view.recorded && win && win->previewSlot >= 0 && win->previewSlot < LIVE_VIDEO_SLOTS) {
    const int slot = win->previewSlot, next = (slot + 1) % LIVE_VIDEO_SLOTS;
    for (int i : {slot, next}) {
      g_main.table.inUse[i] = 0;
      ZeroRect(g_main.table, i);
    }
    HandOver(g_main.table);
  }
  g_view = RecordedView{};
}

void ClosePrevScrShow(void) {
  MainWinRecord* preview = CurrentPreview();
  if (!preview) return;
  std::lock_guard<std::mutex> hold(g_lock);
  ReleaseLocked(preview, true);
}

int RefreshMenuAlpha(int level) {
  std::lock_guard<std::mutex> hold(g_lock);
  int answer = 0;
  for (Display* d : {&g_main, &g_aux}) {
    for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) d->table.mode[i] = level & 0xFF;
    d->table.refreshMark = 1;
    for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i)
      if (d->table.inUse[i]) answer = returnZero();
  }
  return answer;
}

void GetLiveVideoTable(int auxiliary, LiveVideoTable* table) {
  if (!table) return;
  std::lock_guard<std::mutex> hold(g_lock);
  *table = (auxiliary ? g_aux : g_main).table;
}

}  // extern "C"

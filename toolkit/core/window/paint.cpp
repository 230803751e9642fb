// Painting: UpdateWindow, BeginPaint/EndPaint and the default handlers of
// erase (MSG_ERASEBKGND), paint (MSG_PAINT) and non-client paint
// (MSG_NCPAINT).
#include <mutex>

#include "core/caret/caret.h"
#include "core/desktop/zorder.h"
#include "core/livevideo/areas.h"
#include "core/nonclient/nc_paint.h"
#include "core/window/child_walk.h"
#include "core/window/default_proc_internal.h"
#include "core/window/invalidate.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gdi/clipped_spans.h"
#include "gdi/dc_record.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/font.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"

namespace {

// Through the pen's span operation, as lines draw, a clip rectangle at a
// time.
void FillWithPixel(HDC hdc, const Rect& rect, GalPixel pixel) {
  using namespace gui::dc;
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  LockedDC dc(hdc);
  if (!dc) return;
  int x0 = rect.left, y0 = rect.top, x1 = rect.right, y1 = rect.bottom;
  LogicalToDevice(dc.get(), &x0, &y0);
  LogicalToDevice(dc.get(), &x1, &y1);
  PreparePen(dc.get(), pixel, 1);
  dc->rcOutput = Rect{x0, y0, x1, y1};
  DrawingScope drawing(dc.get());
  if (!drawing) return;
  // The drawing cut the output rectangle to the clip: rows beyond it show
  // nothing, and a window 2^31 pixels high must not walk them.
  FillClippedOutput(dc.get());
}

constexpr uint32_t kExcludeChildren = 0x80000000u;
constexpr int kMainPaintFont = 1;
constexpr int kAuxPaintFont = 6;

// Read under the lock the rectangles are stored under: erasing runs on
// whichever thread invalidated.
Rect ClientArea(const WindowRecord* win) {
  const Rect client = GeometryOf(win).client;
  return Rect{0, 0, client.right - client.left, client.bottom - client.top};
}

// What another thread's damage left to the window's own thread.
void FrameAndEraseIfOwed(WindowRecord* win) {
  {
    std::lock_guard<std::mutex> hold(win->invalid.lock);
    if (!win->invalid.frameAndErase) return;
    win->invalid.frameAndErase = false;
  }
  CallProc(win, MSG_NCPAINT, 0, 0);
  CallProc(win, MSG_ERASEBKGND, 0, 0);
}

}  // namespace

// A control the calling thread draws at once (shown, or damaged with an
// erase) under ancestors that owe their frame and erase to another thread's
// damage would be erased by them at their next paint, after it drew itself,
// and lose its frame and background: they and it pay first, outermost first.
void PayOwedErase(WindowRecord* ctl) {
  WindowRecord* chain[kMaxOwedDepth];
  int depth = 0;
  {
    StackReadLock hold;  // as IsWindowVisible walks the parents
    for (WindowRecord* w = ctl; w && IsControlRecord(w) && depth < kMaxOwedDepth; w = w->parent) chain[depth++] = w;
  }
  while (depth > 0) {
    WindowRecord* w = chain[--depth];
    if (OnOwnThread(w)) FrameAndEraseIfOwed(w);
  }
}

namespace {

HDC PaintDC(WindowRecord* win) {
  if ((win->exStyle & WS_EX_PRIVATE_DC) && win->privateDC) return win->privateDC;
  return gui::dc::GetClientDCClipLater(HandleOf(win));
}

void ClipToDamage(WindowRecord* win, HDC hdc, const ClipRgn* damage) {
  Rect whole = ClientArea(win);
  if (IsEmptyClipRgn(damage)) {
    ExcludeClipRect(hdc, &whole);  // nothing to paint: nothing may be drawn
    return;
  }
  SelectClipRegion(hdc, damage);
  if (!(win->exStyle & kExcludeChildren)) return;
  ChildWalk walk;
  for (const ChildView& child : walk.Children(win)) {
    if ((child.style & WS_VISIBLE) && DoesIntersect(&child.window, &whole)) ExcludeClipRect(hdc, &child.window);
  }
}

LResult DefaultErase(WindowRecord* win, WParam wParam, LParam lParam) {
  if (IsControlRecord(win) && (win->exStyle & WS_EX_TRANSPARENT)) return 0;
  bool caretShown = HideCaretForErase(win);
  HDC hdc = wParam ? static_cast<HDC>(wParam) : GetClientDC(HandleOf(win));
  Rect area = ClientArea(win);
  if (lParam) {
    area = *reinterpret_cast<const Rect*>(lParam);
    if (IsMainRecord(win)) {
      const Rect client = GeometryOf(win).client;
      area.left -= client.left, area.right -= client.left;
      area.top -= client.top, area.bottom -= client.top;
    }
  }
  FillWithPixel(hdc, area, win->background);
  if (!wParam) ReleaseDC(hdc);
  if (caretShown) ShowCaretAfterErase(win);
  return 0;
}

bool OnCurrentDisplayOrTopmost(WindowRecord* win) {
  return (win->exStyle & WS_EX_TOPMOST) || GetWindowDisplay(HandleOf(win)) == getCurOutputHook();
}

LResult DefaultPaint(WindowRecord* win) {
  if (OnOwnThread(win)) FrameAndEraseIfOwed(win);
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  if (IsMainRecord(win) && IsVisibleRecord(win) && OnCurrentDisplayOrTopmost(win)) RefreshLiveVideoAreas(win);
  EmptyClipRgn(&win->invalid.region);
  return 0;
}

// A hidden window's frame is nowhere on screen, and showing it draws it
// whole: a page filling its closed drop-down lists would otherwise draw
// their frames and scroll bars with every item added.
bool Hidden(const WindowRecord* win) {
  GeometryReadLock hold;  // the desktop shows and hides drop-downs
  return !IsVisibleRecord(win);
}

LResult DefaultNonClientPaint(WindowRecord* win, WParam wParam, LParam lParam) {
  if (Hidden(win)) return 0;
  DrawNonClientArea(win, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
  return 0;
}

}  // namespace

LResult HandlePaintMessage(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_ERASEBKGND:
      return DefaultErase(win, wParam, lParam);
    case MSG_PAINT:
      return DefaultPaint(win);
    case MSG_NCPAINT:
      return DefaultNonClientPaint(win, wParam, lParam);
    case MSG_REPAINTALL:
      PostMessage(HandleOf(win), MSG_NCPAINT, 0, 0);
      PostMessage(HandleOf(win), MSG_ERASEBKGND, 0, 0);
      return 0;
    default:
      return 0;
  }
}

extern "C" {

void UpdateWindow(WindowHandle hwnd, BOOL erase) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return;
  if (erase) CallProc(win, MSG_SIZECHANGED, 0, 0);
  CallProc(win, MSG_NCPAINT, 0, 0);
  AddDamage(win, nullptr, erase != 0);
  // The children were damaged and erased too: their paint must come from
  // the loop, which only looks once a paint is pending.
  PostMessage(hwnd, MSG_PAINT, 0, 0);
  SendMessage(hwnd, MSG_PAINT, 0, reinterpret_cast<LParam>(&win->invalid.region));
}

BOOL GetUpdateRect(WindowHandle hwnd, Rect* rect) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !rect) return FALSE;
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  *rect = win->invalid.region.rcBound;
  return TRUE;
}

// The region stays locked, and invalidation dropped, while its damage
// becomes the DC's clip; invalidation from other threads waits for it.
HDC BeginPaint(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return HDC_INVALID;
  if (OnOwnThread(win)) FrameAndEraseIfOwed(win);
  HDC hdc = PaintDC(win);
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  ++win->invalid.paintCount;
  if (!(win->exStyle & WS_EX_TRANSPARENT)) RestoreUnderCaret(win);
  bool auxiliary = GetWindowDisplay(hwnd) == getAuxOutputHook() && getAuxOutputHook() != getMainOutputHook();
  LogFont* font = g_SysLogFont[auxiliary ? kAuxPaintFont : kMainPaintFont];
  // A fresh client DC mostly comes with this font and its colour tables
  // built for it already; a private DC may have been changed since.
  if (hdc == win->privateDC || GetCurFont(hdc) != font) SelectFont(hdc, font);
  ClipToDamage(win, hdc, &win->invalid.region);
  EmptyClipRgn(&win->invalid.region);
  --win->invalid.paintCount;
  return hdc;
}

void EndPaint(WindowHandle hwnd, HDC hdc) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return;
  RedrawCaretAfterPaint(win, hdc);
  if (hdc != win->privateDC) ReleaseDC(hdc);
}

}  // extern "C"

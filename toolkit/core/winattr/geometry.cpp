// Moving windows and converting coordinates between the screen, a window
// and its client area.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <mutex>

#include "core/desktop/clip_info.h"
#include "core/desktop/zorder.h"
#include "core/livevideo/areas.h"
#include "core/winattr/winattr_internal.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/paint.h"
#include "gui/region.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

int Even(int v) { return v & ~1; }

Rect EvenRect(const Rect& r) { return Rect{Even(r.left), Even(r.top), Even(r.right), Even(r.bottom)}; }

bool SizeDiffers(const Rect& a, const Rect& b) {
  return a.right - a.left != b.right - b.left || a.bottom - a.top != b.bottom - b.top;
}

// A combobox moves its drop-down list itself; the list is hidden.
void PlaceComboboxList(WindowRecord* win, Rect* rect) {
  WindowHandle slot = HandleOf(win);
  SendMessage(HandleOf(win), CB_GETCHILDREN, reinterpret_cast<WParam>(rect), reinterpret_cast<LParam>(&slot));
  if (slot != HandleOf(win) && ValidWindow(slot)) ShowWindow(slot, SW_HIDE);
}

bool VisibleNow(const WindowRecord* win) {
  GeometryReadLock hold;
  return IsVisibleRecord(win);
}

bool MoveStacked(WindowRecord* win, const Rect& rect) {
  const bool visible = VisibleNow(win);
  const bool forced = visible && SizeDiffers(rect, GeometryOf(win).window);
  if (IsMainRecord(win)) ReleaseLiveVideoSlot(static_cast<MainWinRecord*>(win));
  Rect copy = rect;
  // A hidden control clips nothing: the desktop would only pass the new size
  // on, which its own thread does without the round trip (a drop-down list
  // moves on every item added).
  if (!visible && IsControlRecord(win))
    CallProc(win, MSG_SIZECHANGED, reinterpret_cast<WParam>(&copy), 0);
  else
    SendMessage(__gui_hwnd_desktop, MSG_DT_MOVEMAINWIN, HandleOf(win), reinterpret_cast<LParam>(&copy));
  return forced;
}

// Another thread may be painting the parent; its count is read under the
// lock that painting holds.
bool ParentPainting(WindowRecord* parent) {
  std::lock_guard<std::mutex> hold(parent->invalid.lock);
  return parent->invalid.paintCount != 0;
}

void MoveControl(WindowRecord* win, const Rect& rect) {
  const Rect old = GeometryOf(win).window;
  CallProc(win, MSG_SIZECHANGED, reinterpret_cast<WParam>(&rect), 0);
  WindowRecord* parent = win->parent;
  if (!parent || !IsWindowVisible(HandleOf(win)) || ParentPainting(parent)) return;
  // Hidden for a moment, so the parent's erase does not skip its place.
  {
    StackWriteLock hold;
    SetStyleBits(win->style, WS_VISIBLE, false);
  }
  const Rect now = GeometryOf(win).window;
  Rect moved{now.left, now.top, now.left + (old.right - old.left), now.top + (old.bottom - old.top)};
  InvalidateWindowArea(parent, &old, true);
  InvalidateWindowArea(parent, &moved, true);
  StackWriteLock hold;
  SetStyleBits(win->style, WS_VISIBLE, true);
}

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Summed in 64 bits: a point near the int limits clamps instead of wrapping.
void Offset(WindowRecord* win, int* x, int* y, bool client, int sign) {
  GeometryReadLock hold;
  int64_t sx = *x, sy = *y;
  for (WindowRecord* w = win; w; w = w->parent) {
    const Rect& r = client ? w->client : w->window;
    sx += int64_t{sign} * r.left;
    sy += int64_t{sign} * r.top;
    if (!client) break;
  }
  *x = ClampToInt(sx);
  *y = ClampToInt(sy);
}

}  // namespace

void MoveWindowTo(WindowHandle hwnd, const Rect& rect, bool repaint) {
  MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

extern "C" {

BOOL MoveWindow(WindowHandle hwnd, int x, int y, int w, int h, BOOL repaint) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return FALSE;
  Rect requested{x, y, x + w, y + h}, result = requested;
  CallProc(win, MSG_SIZECHANGING, reinterpret_cast<WParam>(&requested), reinterpret_cast<LParam>(&result));
  const Rect current = GeometryOf(win).window;
  if (EqualRect(&result, &current)) return FALSE;
  if (IsControlOfClass(hwnd, "combobox")) PlaceComboboxList(win, &result);
  result = EvenRect(result);
  bool forced = false;
  if (IsMainRecord(win) || (win->exStyle & WS_EX_OWN_CLIPINFO))
    forced = MoveStacked(win, result);
  else
    MoveControl(win, result);
  // Device contexts of the window and its controls rebuild their clipping.
  if (win->clipInfo) win->clipInfo->age++;
  CallProc(win, MSG_NCPAINT, 0, 0);
  if (repaint || forced) InvalidateWindowArea(win, nullptr, true);
  return TRUE;
}

BOOL GetWindowRect(WindowHandle hwnd, Rect* rect) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !rect) return FALSE;
  GeometryReadLock hold;
  *rect = win->window;
  return TRUE;
}

BOOL GetClientRect(WindowHandle hwnd, Rect* rect) {
  if (!rect) return FALSE;
  if (hwnd == __gui_hwnd_desktop) {
    *rect = ScreenRect();
    return TRUE;
  }
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return FALSE;
  GeometryReadLock hold;
  *rect = Rect{0, 0, win->client.right - win->client.left, win->client.bottom - win->client.top};
  return TRUE;
}

void ScreenToClient(WindowHandle hwnd, int* x, int* y) {
  WindowRecord* win = ValidWindow(hwnd);
  if (win && x && y) Offset(win, x, y, true, -1);
}

void ClientToScreen(WindowHandle hwnd, int* x, int* y) {
  WindowRecord* win = ValidWindow(hwnd);
  if (win && x && y) Offset(win, x, y, true, 1);
}

void ScreenToWindow(WindowHandle hwnd, int* x, int* y) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !x || !y) return;
  Rect screen = ScreenRectOf(win);
  *x = ClampToInt(int64_t{*x} - screen.left);
  *y = ClampToInt(int64_t{*y} - screen.top);
}

void WindowToScreen(WindowHandle hwnd, int* x, int* y) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !x || !y) return;
  Rect screen = ScreenRectOf(win);
  *x = ClampToInt(int64_t{*x} + screen.left);
  *y = ClampToInt(int64_t{*y} + screen.top);
}

}  // extern "C"

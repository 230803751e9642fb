#include "core/window/window_damage.h"

#include "core/desktop/zorder.h"
#include "core/message/message_trace.h"
#include "core/nonclient/frame.h"
#include "core/window/invalidate.h"
#include "core/window/window_record.h"
#include "gui/window.h"

namespace {

Rect Offset(Rect r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

void AddOrigins(Rect* rect, const WindowRecord* from) {
  for (const WindowRecord* up = from; up; up = up->parent) *rect = Offset(*rect, up->client.left, up->client.top);
}

}  // namespace

Rect ScreenRectOf(const WindowRecord* win) {
  GeometryReadLock hold;
  Rect rect = win->window;
  AddOrigins(&rect, win->parent);
  return rect;
}

Rect ClientScreenRectOf(const WindowRecord* win) {
  GeometryReadLock hold;
  Rect rect = win->client;
  AddOrigins(&rect, win->parent);
  return rect;
}

WindowGeometry GeometryOf(const WindowRecord* win) {
  GeometryReadLock hold;
  return WindowGeometry{win->window, win->client};
}

void StoreWindowRect(WindowRecord* win, const Rect& rect) {
  StackWriteLock hold;
  win->window = rect;
  RecomputeClientRect(win);
}

LResult CallProc(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  if (!win || win->dataType != kWindowValid) return 0;
  const WindowProc proc = win->procedure;  // its thread may swap it meanwhile
  return proc ? CallTracedProcedure(proc, HandleOf(win), msg, wParam, lParam) : 0;
}

bool InvalidateWindowArea(WindowRecord* win, const Rect* rect, bool erase) {
  return InvalidateWindow(win, rect, erase);
}

#include "core/window/window_damage.h"

#include "gui/window.h"

namespace {

Rect Offset(Rect r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

Rect ClientArea(const WindowRecord* win) {
  return Rect{0, 0, win->client.right - win->client.left, win->client.bottom - win->client.top};
}

void AddOrigins(Rect* rect, const WindowRecord* from) {
  for (const WindowRecord* up = from; up; up = up->parent) *rect = Offset(*rect, up->client.left, up->client.top);
}

// Under the region's mutex; false while painting is in progress.
bool AddToRegion(WindowRecord* win, const Rect* rect) {
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  if (win->invalid.paintCount != 0) return false;
  Rect whole = ClientArea(win);
  if (!rect || IsCovered(&whole, rect)) {
    SetClipRgn(&win->invalid.region, &whole);
    return true;
  }
  Rect cut;
  if (IntersectRect(&cut, rect, &whole)) AddClipRect(&win->invalid.region, &cut);
  return true;
}

void DamageChildren(WindowRecord* parent, const Rect* rect);

// A child gets its frame painted, its client part added and erased, and
// passes the part on to its own children.
void DamageChild(WindowRecord* child, const Rect* rect) {
  if (!rect) {
    CallProc(child, MSG_NCPAINT, 0, 0);
    AddToRegion(child, nullptr);
    CallProc(child, MSG_ERASEBKGND, 0, 0);
    DamageChildren(child, nullptr);
    return;
  }
  Rect frame;
  if (IntersectRect(&frame, rect, &child->window)) {
    Rect local = Offset(frame, -child->window.left, -child->window.top);
    CallProc(child, MSG_NCPAINT, 0, reinterpret_cast<LParam>(&local));
  }
  Rect inner;
  if (!IntersectRect(&inner, rect, &child->client)) return;
  Rect local = Offset(inner, -child->client.left, -child->client.top);
  AddToRegion(child, &local);
  CallProc(child, MSG_ERASEBKGND, 0, reinterpret_cast<LParam>(&local));
  DamageChildren(child, &local);
}

void DamageChildren(WindowRecord* parent, const Rect* rect) {
  for (WindowRecord* child = parent->firstChild; child; child = static_cast<ControlRecord*>(child)->nextSibling) {
    if (!IsVisibleRecord(child) || (child->exStyle & kExOwnClipInfo)) continue;
    DamageChild(child, rect);
  }
}

}  // namespace

Rect ScreenRectOf(const WindowRecord* win) {
  Rect rect = win->window;
  AddOrigins(&rect, win->parent);
  return rect;
}

Rect ClientScreenRectOf(const WindowRecord* win) {
  Rect rect = win->client;
  AddOrigins(&rect, win->parent);
  return rect;
}

LResult CallProc(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  if (!win || win->dataType != kWindowValid || !win->procedure) return 0;
  return win->procedure(HandleOf(win), msg, wParam, lParam);
}

bool InvalidateWindowArea(WindowRecord* win, const Rect* rect, bool erase) {
  if (!win || win->dataType != kWindowValid || (!IsMainRecord(win) && !IsControlRecord(win))) return false;
  Rect moved;
  if (IsControlRecord(win) && (win->exStyle & kExTransparent) && win->parent) {
    moved = rect ? Offset(*rect, win->client.left, win->client.top) : win->client;
    if (!IntersectRect(&moved, &moved, &win->client)) return false;
    win = win->parent;
    rect = &moved;
    erase = true;
  }
  bool added;
  if (IsMainRecord(win)) {
    added = AddToRegion(win, rect);
    if (added && erase) {
      Rect screen = rect ? *rect : ClientArea(win);
      screen = Offset(screen, win->client.left, win->client.top);
      CallProc(win, MSG_ERASEBKGND, 0, reinterpret_cast<LParam>(&screen));
    }
  } else {
    Rect cut;
    Rect whole = ClientArea(win);
    const Rect* given = nullptr;
    if (rect && IntersectRect(&cut, rect, &whole)) given = &cut;
    if (erase && (!rect || given)) CallProc(win, MSG_ERASEBKGND, 0, reinterpret_cast<LParam>(given));
    added = AddToRegion(win, rect);
  }
  if (added) DamageChildren(win, rect);
  PostMessage(HandleOf(win), MSG_PAINT, 0, 0);
  return added;
}

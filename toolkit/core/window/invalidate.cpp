// Invalidation: damage collects in the invalid region under its mutex and
// is dropped while the window is painting; erasing happens at once, in the
// invalidating thread, outside the region's mutex; a control of another
// thread is erased at its own next paint instead.
#include "core/window/invalidate.h"

#include <pthread.h>

#include <mutex>

#include "core/desktop/clip_info.h"
#include "core/livevideo/areas.h"
#include "core/window/child_walk.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"

namespace {

std::mutex g_dirtyLock;
Rect g_dirty{};

Rect Offset(Rect r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

Rect ClientArea(const Rect& client) { return Rect{0, 0, client.right - client.left, client.bottom - client.top}; }

Rect Normalised(Rect r) {
  NormalizeRect(&r);
  return r;
}

void GrowDirty(const Rect& rect) {
  std::lock_guard<std::mutex> hold(g_dirtyLock);
  if (IsRectEmpty(&g_dirty))
    g_dirty = rect;
  else
    GetBoundRect(&g_dirty, &g_dirty, &rect);
}

void SetDirty(const Rect& rect) {
  std::lock_guard<std::mutex> hold(g_dirtyLock);
  g_dirty = rect;
}

bool IsPreviewMain(const WindowRecord* win) { return win && IsMainRecord(win) && (win->exStyle & WS_EX_PREVIEW); }

bool AuxiliaryIsCurrent() { return getCurOutputHook() == getAuxOutputHook() && getAuxOutputHook() != getMainOutputHook(); }

// The main display's preview window takes the damage of a preview window
// while the auxiliary display is current. It is the one the desktop's own
// repaints pick: made while the main display was current, it lies on the
// auxiliary display's list.
WindowRecord* PreviewTarget(WindowRecord* win) {
  if (!IsPreviewMain(win) || !AuxiliaryIsCurrent()) return win;
  WindowRecord* main = ValidWindow(FirstPreviewWindow(getMainOutputHook()));
  return IsPreviewMain(main) ? main : win;
}

// Under the region's mutex; false while painting is in progress. `client`
// is the window's client rectangle as the caller read it.
bool AddToRegion(WindowRecord* win, const Rect& client, const Rect* rect) {
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  if (win->invalid.paintCount != 0) return false;
  win->invalid.mayHoldDamage.store(true, std::memory_order_release);
  Rect whole = ClientArea(client);
  Rect r;
  if (!rect || IsCovered(&whole, &(r = Normalised(*rect)))) {
    SetClipRgn(&win->invalid.region, &whole);
    return true;
  }
  Rect cut;
  if (IntersectRect(&cut, &r, &whole)) AddClipRect(&win->invalid.region, &cut);
  return true;
}

// The part of the rectangle inside the client area, or false.
bool CutToClient(const Rect& client, const Rect* rect, Rect* cut) {
  Rect whole = ClientArea(client);
  if (!rect) {
    *cut = whole;
    return !IsRectEmpty(cut);
  }
  Rect r = Normalised(*rect);
  return IntersectRect(cut, &r, &whole) != 0;
}

void DamageChildren(const ChildWalk& walk, WindowRecord* parent, const Rect* rect);

}  // namespace

bool OnOwnThread(const WindowRecord* win) {
  return !win->mainWindow || pthread_equal(win->mainWindow->thread, pthread_self());
}

namespace {

// Children get their frame painted and their client part added and erased,
// whatever the caller's erase flag, and pass the part on to their own.
// A child of another thread is never called from here: its procedure and
// data belong to that thread, which may be destroying it. It is damaged
// whole and owes its frame and erase to its own thread's next BeginPaint
// (no message: one queued to it could outlive the record).
void DamageChild(const ChildWalk& walk, const ChildView& child, const Rect* rect) {
  WindowRecord* win = child.record;
  if (!OnOwnThread(win)) {
    if (AddToRegion(win, child.client, nullptr)) {
      std::lock_guard<std::mutex> hold(win->invalid.lock);
      win->invalid.frameAndErase = true;
    }
    DamageChildren(walk, win, nullptr);
    return;
  }
  if (!rect) {
    CallProc(win, MSG_NCPAINT, 0, 0);
    AddToRegion(win, child.client, nullptr);
    CallProc(win, MSG_ERASEBKGND, 0, 0);
    DamageChildren(walk, win, nullptr);
    return;
  }
  Rect frame;
  if (IntersectRect(&frame, rect, &child.window)) {
    Rect local = Offset(frame, -child.window.left, -child.window.top);
    CallProc(win, MSG_NCPAINT, 0, reinterpret_cast<LParam>(&local));
  }
  Rect inner;
  if (!IntersectRect(&inner, rect, &child.client)) return;
  Rect local = Offset(inner, -child.client.left, -child.client.top);
  AddToRegion(win, child.client, &local);
  CallProc(win, MSG_ERASEBKGND, 0, reinterpret_cast<LParam>(&local));
  DamageChildren(walk, win, &local);
}

void DamageChildren(const ChildWalk& walk, WindowRecord* parent, const Rect* rect) {
  for (const ChildView& child : walk.Children(parent)) {
    if (!(child.style & WS_VISIBLE) || (child.exStyle & WS_EX_OWN_CLIPINFO)) continue;
    DamageChild(walk, child, rect);
  }
}

void DamageChildren(WindowRecord* parent, const Rect* rect) {
  ChildWalk walk;
  DamageChildren(walk, parent, rect);
}

bool DamageMainWindow(WindowRecord* win, const Rect* rect, bool erase) {
  win = PreviewTarget(win);
  const Rect client = GeometryOf(win).client;
  if (!AddToRegion(win, client, rect)) return false;
  Rect cut;
  bool inside = CutToClient(client, rect, &cut);
  if (erase && inside) {
    Rect screen = Offset(cut, client.left, client.top);
    CallProc(win, MSG_ERASEBKGND, 0, reinterpret_cast<LParam>(&screen));
  }
  if (!rect || inside) DamageChildren(win, rect ? &cut : nullptr);
  return true;
}

bool DamageControl(WindowRecord* win, const Rect* rect, bool erase) {
  if (OnOwnThread(win)) PayOwedErase(win);
  const Rect client = GeometryOf(win).client;
  Rect cut;
  bool inside = CutToClient(client, rect, &cut);
  if (erase && (!rect || inside)) CallProc(win, MSG_ERASEBKGND, 0, rect ? reinterpret_cast<LParam>(&cut) : 0);
  if (!AddToRegion(win, client, rect)) return false;
  if (!rect || inside) DamageChildren(win, rect ? &cut : nullptr);
  return true;
}

// A preview window hosted by the desktop, below the topmost ones and shown,
// is repainted by the display layer too.
void MarkPreviewRepaint(WindowRecord* target, const Rect* rect) {
  if (!IsPreviewMain(target) || (target->exStyle & WS_EX_TOPMOST) || !IsVisibleRecord(target)) return;
  auto* main = static_cast<MainWinRecord*>(target);
  if (main->hosting) return;
  {
    std::lock_guard<std::mutex> hold(target->invalid.lock);
    main->repaintWord = 1;
  }
  if (rect)
    GrowDirty(Normalised(*rect));
  else
    SetDirty(ScreenRectOf(target));
}

}  // namespace

bool AddDamage(WindowRecord* win, const Rect* rect, bool erase) {
  if (!win || win->dataType != kWindowValid) return false;
  if (IsMainRecord(win)) return DamageMainWindow(win, rect, erase);
  if (IsControlRecord(win)) return DamageControl(win, rect, erase);
  return false;
}

bool InvalidateWindow(WindowRecord* win, const Rect* rect, bool erase) {
  if (!win || win->dataType != kWindowValid) return false;
  Rect moved;
  if (IsControlRecord(win) && (win->exStyle & WS_EX_TRANSPARENT) && win->parent) {
    const Rect client = GeometryOf(win).client;
    moved = rect ? Offset(Normalised(*rect), client.left, client.top) : client;
    if (!IntersectRect(&moved, &moved, &client)) return false;
    win = win->parent;
    rect = &moved;
    erase = true;
  }
  bool added = AddDamage(win, rect, erase);
  MarkPreviewRepaint(win, rect);
  PostMessage(HandleOf(win), MSG_PAINT, 0, 0);
  return added;
}

Rect DirtyScreenRect() {
  std::lock_guard<std::mutex> hold(g_dirtyLock);
  return g_dirty;
}

void ResetDirtyScreenRect() { SetDirty(Rect{}); }

extern "C" {

BOOL InvalidateRect(WindowHandle hwnd, const Rect* rect, BOOL erase) {
  return InvalidateWindow(ValidWindow(hwnd), rect, erase != 0) ? TRUE : FALSE;
}

BOOL PrevInvalidateRect(WindowHandle hwnd, const Rect* rect, BOOL erase) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!IsPreviewMain(win)) return FALSE;
  WindowRecord* target = win;
  if (AuxiliaryIsCurrent()) {
    target = ValidWindow(FirstPreviewWindow(getMainOutputHook()));
    if (!IsPreviewMain(target)) return FALSE;
  }
  Rect screen = ScreenRect();
  Rect damaged;
  if (rect) {
    damaged = Normalised(*rect);
    GrowDirty(damaged);
  } else {
    Rect whole = ScreenRectOf(target);
    IntersectRect(&whole, &whole, &screen);
    SetDirty(whole);
    damaged = Rect{0, 0, target->window.right - target->window.left, target->window.bottom - target->window.top};
    IntersectRect(&damaged, &damaged, &screen);
  }
  bool added = AddDamage(target, rect ? &damaged : nullptr, erase != 0);
  {
    std::lock_guard<std::mutex> hold(target->invalid.lock);
    static_cast<MainWinRecord*>(target)->repaintWord = 1;
  }
  PostMessage(HandleOf(target), MSG_PAINT, 0, 0);
  ReplanLiveVideoAreas(damaged);
  return added ? TRUE : FALSE;
}

}  // extern "C"

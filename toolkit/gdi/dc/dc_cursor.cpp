#include "gdi/dc_cursor.h"

#include <atomic>
#include <mutex>

#include "gdi/gal_internal.h"

namespace gui::dc {
namespace {

void FlushOnlyGuard(int after, DC* dc) {
  if (after) FlushOutputRect(dc);
}

bool NoCursorPixel(int, int, GalPixel*) { return false; }

constexpr CursorGuardOps kDefaultOps = {FlushOnlyGuard, NoCursorPixel};
std::atomic<const CursorGuardOps*> g_ops{&kDefaultOps};

}  // namespace

void SetCursorGuardOps(const CursorGuardOps* ops) { g_ops.store(ops ? ops : &kDefaultOps); }

void GuardCursorForDC(int after, DC* dc) { g_ops.load()->guard(after, dc); }

bool PixelUnderCursor(int x, int y, GalPixel* pixel) {
  return g_ops.load()->pixelUnderCursor(x, y, pixel);
}

bool OutputMeets(const DC* dc, const Rect& box) {
  Rect cut;
  if (!IntersectRect(&cut, &box, &dc->rcOutput)) return false;
  const Rect& hole = dc->rcOutputHole;
  if (IsRectEmpty(&hole)) return true;
  return !(box.left >= hole.left && box.top >= hole.top && box.right <= hole.right && box.bottom <= hole.bottom);
}

void FlushOutputRect(DC* dc) {
  const Rect& r = dc->rcOutput;
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (dc->showOnRelease && (IsRectEmpty(&dc->unshown) || dc->unshownDisplay == dc->heldDisplay)) {
    if (IsRectEmpty(&dc->unshown))
      dc->unshown = r;
    else
      GetBoundRect(&dc->unshown, &dc->unshown, &r);
    dc->unshownDisplay = dc->heldDisplay;
    return;
  }
  gal::updateOutputRect(dc->surface, dc->heldDisplay, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void ShowUnshown(DC* dc) {
  const Rect r = dc->unshown;
  dc->unshown = Rect{};
  if (IsRectEmpty(&r) || !dc->surface) return;
  // Under the display's lock, as when drawn: a mode change swaps the
  // geometry the rectangle is shown through.
  std::lock_guard<std::mutex> hold(GdiLockOfDisplay(dc->unshownDisplay));
  gal::updateOutputRect(dc->surface, dc->unshownDisplay, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace gui::dc

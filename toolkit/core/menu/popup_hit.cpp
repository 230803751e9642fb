// Which record of an open popup lies under a point, where an item's band
// begins, the repaint under a closing sub-popup, and the live-video slot
// an open popup takes.
#include "core/livevideo/areas.h"
#include "core/menu/menu_style.h"
#include "core/menu/popup_bands.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/region.h"

namespace menu {
namespace {

bool Inside(int x, int y, int left, int right, int top, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

}  // namespace

ItemRecord* PopupItemFromPoint(TrackingRecord* t, int px, int py) {
  const ItemRecord* f = t->firstShown;
  if (!f) return nullptr;
  const int l = t->frame.left, r = t->frame.right, w = r - l, tm = Metric(kTopMargin);
  const int top = t->frame.top + tm, h = f->measure, columns = ColumnsOf(f);
  const int fRight = columns == 2 ? l + w / 2 - tm : columns == 3 ? l + w / 3 - 2 * tm : r;
  if (Inside(px, py, l, fRight, top, top + h)) {
    t->itemRect = Rect{l, top, fRight, top + h};
    return const_cast<ItemRecord*>(f);
  }
  const ItemRecord* found = nullptr;
  if (columns > 1) {
    // Level with the first shown record, the record that starts column two.
    const int start = fRight + 2, width = columns == 2 ? w / 2 - tm : w / 3 - tm;
    if (Inside(px, py, start, start + width, top, top + h)) {
      const ItemRecord* target = f;
      if (t->rows >= 1) {
        target = ListAfter(f);
        for (int c = 1; target && c < t->rows; ++c) target = target->next;
      }
      if (target) t->itemRect = Rect{start, top, start + width, top + h};
      return const_cast<ItemRecord*>(target);
    }
  }
  WalkBands(t, [&](const ItemRecord* it, int c, int y) {
    if (c == 0) return true;
    int left = l, right = r;
    const int cols = ColumnsOf(it), column = ColumnOf(it, c, t->rows);
    if (cols == 2) {
      left = column == 0 ? l : l + w / 2;
      right = column == 0 ? l + w / 2 - tm : r;
    } else if (cols == 3) {
      left = column == 0 ? l : column == 1 ? l + w / 3 : l + (2 * w) / 3;
      right = column == 0 ? l + w / 3 - tm : column == 1 ? l + 2 * (w / 3) : r;
    }
    if (!Inside(px, py, left, right, y, y + it->measure)) return true;
    t->itemRect = Rect{left, y, right, y + it->measure};
    found = it;
    return false;
  });
  return const_cast<ItemRecord*>(found);
}

int ItemTop(const TrackingRecord* t, const ItemRecord* item) {
  const ItemRecord* fs = t->firstShown;
  int y = t->frame.top + Metric(kTopMargin);
  if (item == fs) return y;
  y += fs->measure;
  for (const ItemRecord* it = ListAfter(fs); it; it = it->next) {
    if (it == item) return y;
    y += it->measure;
  }
  return 0;
}

void RepaintUnderSubPopup(TrackingRecord* closing) {
  if (!closing->parent) return;
  SelectClipRect(HDC_SCREEN, &closing->head.rect);
  for (TrackingRecord* p = FirstPopup(); p && p != closing; p = p->child) {
    if (!DoesIntersect(&p->head.rect, &closing->head.rect)) continue;
    DrawPopupMenu(p);
    if (p->selected) DrawPopupMenuItem(p, p->selected, true);
  }
  SelectClipRect(HDC_SCREEN, nullptr);
}

void ClaimPopupVideoArea(TrackingRecord* t) {
  if (!IsAlphaTableMode() || (!OnMainOutput() && !OnAuxOutput())) return;
  t->videoSlot = ClaimPopupVideoSlot(t->head.rect);
}

void ReleasePopupVideoArea(TrackingRecord* t) {
  if (!IsAlphaTableMode() || t->videoSlot < 0 || t->videoSlot > 2) return;
  ReleasePopupVideoSlot(t->videoSlot);
  t->videoSlot = -1;
}

}  // namespace menu

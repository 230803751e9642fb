// Popups taller than the screen: the scrolled drawing, the scroll boxes
// and the hover over them; and the selection moved by keys, with wrap.
#include <algorithm>
#include <vector>

#include "core/element_color.h"
#include "core/control_layer.h"
#include "core/menu/menu_marks.h"
#include "gui/control_paint.h"
#include "core/menu/menu_style.h"
#include "core/menu/popup_draw.h"
#include "gui/dc.h"
#include "gui/text.h"

namespace menu {
namespace {

constexpr HDC kScreen = HDC_SCREEN;

ItemRecord* ListStart(const TrackingRecord* t) {
  return t->popup->header.kind == kPopup ? t->popup->sub : t->popup;
}

ItemRecord* FirstSelectable(ItemRecord* from) {
  for (ItemRecord* it = from; it; it = it->next)
    if (!Separator(it)) return it;
  return nullptr;
}

ItemRecord* LastSelectable(const TrackingRecord* t) {
  ItemRecord* last = nullptr;
  for (ItemRecord* it = ListStart(t); it; it = it->next)
    if (!Separator(it)) last = it;
  return last;
}

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Where a record lies below the first shown one, for the scroll test.
int OffsetOf(const TrackingRecord* t, const ItemRecord* n) {
  const ItemRecord* fs = t->firstShown;
  if (n == fs) return fs->measure;
  int offset = 2 * fs->measure;
  for (const ItemRecord* it = ListAfter(fs); it; it = it->next) {
    if (it == n) return offset;
    offset += it->measure;
  }
  return 0;
}

void DrawScrolledRecord(const TrackingRecord* t, const ItemRecord* r, int x0, int y, bool textAllowed) {
  const int h = r->measure, ox = Halve(Metric(kItemOffX));
  if (IsBitmapRecord(r)) {
    const Bitmap* own = static_cast<const Bitmap*>(r->typeData);
    const int w = own ? static_cast<int>(own->bmWidth) : 0;
    PutBitmap((r->state & MFS_CHECKED) ? r->bitmaps[1] : own, x0, y, w, h);
    DrawSubMenuArrow(r, t->frame.right, y, false);
    return;
  }
  if (Separator(r)) {
    DrawSeparator(x0, t->frame.right, y, h);
    return;
  }
  if (!textAllowed) return;
  SetDCAttr(kScreen, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(kScreen, DC_ATTR_BK_COLOR, Color(WEC_BKC_MENUITEM_NORMAL));
  if (r->header.kind == kPopup) {
    DrawHeadText(r, x0, x0 + ox, t->frame.right, y);
    return;
  }
  const Bitmap* mark = MarkOf(r, false);
  int d = ox;
  if (mark) {
    const int mh = static_cast<int>(mark->bmHeight), mw = static_cast<int>(mark->bmWidth), off = (h - mh) / 2;
    PutBitmap(mark, x0, y + off, mw, h - 2 * off);
    d = std::max(mw, ox);
  }
  SetDCAttr(kScreen, DC_ATTR_TEXT_COLOR, Color(Disabled(r) ? WEC_FC_MENUITEM_DISABLED : WEC_FC_MENUITEM_NORMAL));
  if (r->typeData) TextOutLen(kScreen, x0 + d, y + Metric(kInterItemY), static_cast<const char*>(r->typeData),
                            TextLength(r->typeData));
  DrawSubMenuArrow(r, t->frame.right, y, false);
}

}  // namespace

ItemRecord* NextSelectableItem(TrackingRecord* t, ItemRecord* item) {
  ItemRecord* start = item && item->header.kind == kItem && item->next ? item->next : ListStart(t);
  if (ItemRecord* found = FirstSelectable(start)) return found;
  return FirstSelectable(ListStart(t));
}

ItemRecord* PrevSelectableItem(TrackingRecord* t, ItemRecord* item) {
  std::vector<ItemRecord*> list;
  for (ItemRecord* it = ListStart(t); it; it = it->next) list.push_back(it);
  auto at = std::find(list.begin(), list.end(), item);
  if (at != list.end())
    while (at != list.begin())
      if (!Separator(*--at)) return *at;
  return LastSelectable(t);
}

void DrawScrollBox(const TrackingRecord* t, bool down) {
  const Rect& box = down ? t->bottomBox : t->topBox;
  const Rect& f = t->frame;
  Controls().draw3DThickFrameEx(kScreen, 0, box.left, box.top, box.right, box.bottom, 0x10, Color(WEC_BKC_MENUITEM_NORMAL));
  if (down) {  // the frame's bottom edge above the box
    HLine(kScreen, Color(WEC_3DBOX_DARK), f.left + 1, f.right - 2, f.bottom - 2);
    HLine(kScreen, Color(WEC_3DBOX_REVERSE), f.left + 1, f.right - 2, f.bottom - 1);
  }
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  for (int k = 0; k <= 4; ++k) {
    const int half = 4 - k, y = down ? cy - 2 + k : cy + 2 - k;
    HLine(kScreen, Color(WEC_FRAME_MENUITEM_HILITE), cx - half, cx + half, y);
  }
}

void DrawScrolledPopupMenu(TrackingRecord* t) {
  ItemRecord* fs = t->firstShown;
  int remaining = fs->measure;
  for (ItemRecord* it = ListAfter(fs); it; it = it->next) remaining += it->measure;
  if (t->topBox.bottom + remaining <= t->bottomBox.bottom) {
    t->frame.bottom = t->bottomBox.bottom;
    t->bottomBox = Rect{};
    t->bottomShown = false;
  }
  if (fs == t->popup) {
    t->topBox = Rect{};
    t->frame.top = t->head.rect.top;
    t->topShown = false;
  }
  const Rect& f = t->frame;
  Controls().draw3DThickFrameEx(kScreen, 0, f.left, f.top, f.right, f.bottom, 0x10, Color(WEC_BKC_MENUITEM_NORMAL));
  SelectFont(kScreen, MenuFont());
  const int x0 = f.left + Metric(kLeftMargin);
  int y = f.top + Metric(kTopMargin);
  const bool text = !(fs->type & MFT_NOTEXT);
  DrawScrolledRecord(t, fs, x0, y, text);
  y += fs->measure;
  int counted = 0;
  for (ItemRecord* it = ListAfter(fs); it && y <= f.bottom; it = it->next) {
    if (IsTextRecord(it) && ColumnsOf(it) > 1 && ++counted >= t->rows) break;
    DrawScrolledRecord(t, it, x0, y, text);
    y += it->measure;
  }
  if (t->bottomShown) DrawScrollBox(t, true);
  if (t->topShown) DrawScrollBox(t, false);
}

void Select(TrackingRecord* t, ItemRecord* item) {
  if (t->selected && t->selected != item) DrawPopupMenuItem(t, t->selected, false);
  if (item && item->header.kind != kPopup) DrawPopupMenuItem(t, item, true);
  t->selected = item;
}

bool HoverScrollBox(TrackingRecord* t, int x, int y, ItemRecord** under, bool* done) {
  const int sh = ScreenHeight(), f4 = Font4Height();
  const Rect& r = t->head.rect;
  *done = false;
  if (t->bottomShown && Inside(t->bottomBox, x, y)) {
    t->topBox = Rect{r.left, 0, r.right, f4};
    t->frame = Rect{r.left, f4, r.right, sh - f4};
    t->firstShown = NextSelectableItem(t, t->firstShown);
    t->topShown = true;
    DrawScrolledPopupMenu(t);
    *under = PopupItemFromPoint(t, x, y);
    return true;
  }
  if (!t->topShown || !Inside(t->topBox, x, y)) return false;
  ItemRecord* prev = PrevSelectableItem(t, t->firstShown);
  if (prev == LastSelectable(t) || prev == t->popup) {
    DrawPopupMenu(t);
    if (prev == t->popup) {
      DrawPopupMenuItem(t, prev, true);
      t->selected = prev;
    }
    *done = true;
    return true;
  }
  t->firstShown = prev;
  t->frame = Rect{r.left, t->topBox.bottom, r.right, sh - f4};
  t->bottomBox = Rect{r.left, t->frame.bottom, r.right, sh};
  t->bottomShown = true;
  DrawScrolledPopupMenu(t);
  *under = prev;
  return true;
}

void MoveSelectionDown(TrackingRecord* t, ItemRecord* s) {
  ItemRecord* n = NextSelectableItem(t, s);
  const Rect& r = t->head.rect;
  if (r.bottom > ScreenHeight()) {
    if ((s && !s->next) || n == t->popup) {
      DrawPopupMenu(t);
      t->selected = nullptr;
      Select(t, n);
      return;
    }
    if (t->topBox.bottom + OffsetOf(t, n) >= t->frame.bottom) {
      HoverPopup(t, (r.left + r.right) / 2, ScreenHeight() - 1);
      return;
    }
  }
  if (n != s) Select(t, n);
}

void MoveSelectionUp(TrackingRecord* t, ItemRecord* s) {
  if (!s) return;
  ItemRecord* pv = PrevSelectableItem(t, s);
  const Rect& r = t->head.rect;
  if (r.bottom <= ScreenHeight()) {
    if (pv != s) Select(t, pv);
    return;
  }
  if (pv == LastSelectable(t) || pv == t->popup) {
    DrawPopupMenu(t);
    t->selected = nullptr;
    Select(t, pv == t->popup ? pv : s);
    return;
  }
  if (s == t->firstShown) {
    HoverPopup(t, (r.left + r.right) / 2, t->topBox.top + 1);
    return;
  }
  if (pv == s) return;
  if (t->bottomShown) DrawScrollBox(t, true);
  Select(t, pv);
}

}  // namespace menu

// The "scrollview" control: a vertical list of items of their own heights
// inside a scrolled area.
#include <new>

#include "controls/registry/control_registry.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/display.h"
#include "gui/font.h"
#include "gui/keyboard.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/scrolled.h"
#include "gui/window.h"
#include "gui/window_attr.h"
#include "controls/scrolled/guilist_index.h"
#include "controls/scrolled/scrolled_internal.h"

namespace {

ScrollViewItem* SvItem(GuiListItem* item) { return reinterpret_cast<ScrollViewItem*>(item); }

int HeightOf(const GuiListItem* item) { return reinterpret_cast<const ScrollViewItem*>(item)->height; }

ScrollViewData* RecordOfList(GuiList* list) {
  return reinterpret_cast<ScrollViewData*>(reinterpret_cast<char*>(list) - offsetof(ScrollViewData, svlist));
}

ScrollViewData* DataOf(WindowHandle hwnd) {
  return reinterpret_cast<ScrollViewData*>(GetWindowAdditionalData2(hwnd));
}

int ItemRect(WindowHandle hwnd, GuiListItem* item, Rect* rc, BOOL windowCoords) {
  ScrollViewData* d = DataOf(hwnd);
  if (!d || !item || !rc) return -1;
  int top = scrollview_get_item_ypos(d, item);
  if (top < 0) return -1;
  int left = 0;
  if (windowCoords) {
    int x = 0, y = top;
    scrolled_content_to_visible(&d->scrdata, &x, &y);
    top = y + d->scrdata.topMargin;
    left = x + d->scrdata.leftMargin;
  }
  rc->top = top;
  rc->bottom = top + SvItem(item)->height;
  rc->left = left;
  rc->right = left + d->scrdata.nContWidth;
  return 1;
}

int HitTest(GuiList* list, int, int y, GuiListItem** item, int* top) {
  return scrollview_is_in_item(RecordOfList(list), y, item, top);
}

// The next item of positive height from `from` on (from included) in one
// direction; null when none.
GuiListItem* Shown(GuiList* list, GuiListItem* from, bool forward) {
  for (GuiListItem* it = from; it;
       it = forward ? guilist_get_next_item(list, it) : guilist_get_prev_item(list, it))
    if (SvItem(it)->height > 0) return it;
  return nullptr;
}

void Arrow(WindowHandle hwnd, ScrollViewData* d, int key) {
  GuiList* list = &d->svlist;
  if (list->nItemNr <= 0) return;
  GuiListItem* cur = list->currentItem;
  GuiListItem* found = nullptr;
  switch (key) {
    case KEY_DOWN: {
      GuiListItem* next = cur ? guilist_get_next_item(list, cur) : nullptr;
      found = Shown(list, next ? next : guilist_get_next_item(list, nullptr), true);
      break;
    }
    case KEY_UP: {
      GuiListItem* prev = cur ? guilist_get_prev_item(list, cur) : nullptr;
      found = Shown(list, prev ? prev : guilist_get_prev_item(list, nullptr), false);
      break;
    }
    case KEY_HOME: found = Shown(list, guilist_get_next_item(list, nullptr), true); break;
    case KEY_END: found = Shown(list, guilist_get_prev_item(list, nullptr), false); break;
    default: return;
  }
  if (!found) return;
  if (found != cur) {
    NotifyParentEx(hwnd, SVN_SELCHANGING, reinterpret_cast<LParam>(cur));
    guilist_hilight_item(list, found);
    NotifyParentEx(hwnd, SVN_SELCHANGED, reinterpret_cast<LParam>(found));
  }
  guilist_make_item_visible(list, &d->scrdata, found);
}

}  // namespace

namespace controls {

LogFont* RowFont() {
  return g_SysLogFont[IsLowResDisplay(getCurOutputHook()) ? 6 : 3];
}

}  // namespace controls

extern "C" {

int scrollview_init(WindowHandle hwnd, ScrollViewData* d) {
  if (!d) return -1;
  SetWindowAdditionalData2(hwnd, 0);
  ShowScrollBar(hwnd, SB_HORZ, FALSE);
  ShowScrollBar(hwnd, SB_VERT, FALSE);
  Rect rc{};
  GetClientRect(hwnd, &rc);
  scrolled_init(hwnd, &d->scrdata, rc.right - rc.left - 10, rc.bottom - rc.top - 10);
  scrolled_init_margins(&d->scrdata, 5, 5, 5, 5);
  guilist_init(&d->svlist, hwnd);
  d->svlist.defItemHeight = SV_DEF_ITEM_HEIGHT;
  d->svlist.iop.getRect = ItemRect;
  d->svlist.iop.isInItem = HitTest;
  d->scrdata.move_content = scrollview_set_svlist;
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  scrolled_set_hscrollinfo(hwnd, &d->scrdata);
  scrolled_set_vscrollinfo(hwnd, &d->scrdata);
  d->reserved = 0;
  d->anchor = nullptr;
  d->anchorTop = d->anchorIndex = 0;
  d->anchorVersion = 0;
  d->shownContX = d->scrdata.nContX;
  d->shownContY = d->scrdata.nContY;
  return 0;
}

void scrollview_destroy(ScrollViewData* d) {
  GuiList* list = &d->svlist;
  // From the end: the items after a deleted one do not move.
  while (GuiListItem* item = guilist_get_prev_item(list, nullptr)) {
    guilist_del_item(list, item);
    delete SvItem(item);
  }
  guilist_destroy(list);
  list->nTotalItemH = 0;
}

static ScrollViewItem* AddItem(WindowHandle hwnd, ScrollViewData* d, GuiListItem* after, GuiListItem* before,
                               const SVItemInfo* info, int* outIndex, bool fitWithRepaint) {
  ScrollViewItem* item = new (std::nothrow) ScrollViewItem{};
  if (!item) return nullptr;
  GuiList* list = &d->svlist;
  const int height = info ? static_cast<int>(info->height) : 0;
  item->height = height < 1 ? list->defItemHeight : height;
  item->base.addData = info ? info->addData : 0;
  const int index = info ? static_cast<int>(info->index) : -1;
  if (guilist_add_item(list, &item->base, after, before, index, outIndex) < 0) {
    delete item;
    return nullptr;
  }
  if (fitWithRepaint) {
    guilist::AdjustHeightFrom(hwnd, list, &d->scrdata, item->height, guilist::Top(list, &item->base, HeightOf));
  } else {
    list->nTotalItemH += item->height;
    if (!(list->flags & GUILIST_FROZEN)) scrolled_set_cont_height(hwnd, &d->scrdata, list->nTotalItemH + 1);
  }
  return item;
}

ScrollViewItem* scrollview_add_item(WindowHandle hwnd, ScrollViewData* d, GuiListItem* after,
                                    const SVItemInfo* info, int* outIndex) {
  return AddItem(hwnd, d, after, nullptr, info, outIndex, false);
}

ScrollViewItem* scrollview_add_item_ex(WindowHandle hwnd, ScrollViewData* d, GuiListItem* after,
                                       GuiListItem* before, const SVItemInfo* info, int* outIndex) {
  return AddItem(hwnd, d, after, before, info, outIndex, true);
}

int scrollview_del_item(WindowHandle hwnd, ScrollViewData* d, int index, GuiListItem* item) {
  GuiList* list = &d->svlist;
  if (!item) item = guilist_getitem_byindex(list, index);
  if (!item) return -1;
  const int height = SvItem(item)->height;
  const int64_t top = guilist::Top(list, item, HeightOf);
  if (guilist_del_item(list, item) < 0) return -1;
  delete SvItem(item);
  guilist::AdjustHeightFrom(hwnd, list, &d->scrdata, -height, top);
  return 0;
}

void scrollview_reset_content(WindowHandle hwnd, ScrollViewData* d) {
  scrollview_destroy(d);
  if (d->scrdata.sbPolicy) {
    ShowScrollBar(hwnd, SB_HORZ, FALSE);
    ShowScrollBar(hwnd, SB_VERT, FALSE);
  }
  scrolled_init_contsize(hwnd, &d->scrdata);
  scrolled_set_visible(hwnd, &d->scrdata);
  scrolled_set_hscrollinfo(hwnd, &d->scrdata);
  scrolled_set_vscrollinfo(hwnd, &d->scrdata);
  InvalidateRect(hwnd, nullptr, TRUE);
}

int scrollview_is_in_item(ScrollViewData* d, int y, GuiListItem** out, int* outTop) {
  GuiList* list = &d->svlist;
  if (y < 0 || y >= list->nTotalItemH) return -1;
  GuiListItem* item = nullptr;
  int64_t top = 0;
  const int index = guilist::ItemAtY(list, y, HeightOf, &item, &top);
  if (index < 0) return -1;
  if (out) *out = item;
  if (outTop) *outTop = static_cast<int>(top);
  return index;
}

int scrollview_get_item_ypos(ScrollViewData* d, GuiListItem* item) {
  return static_cast<int>(guilist::Top(&d->svlist, item, HeightOf));
}

int scrollview_set_item_height(WindowHandle hwnd, GuiListItem* item, int height) {
  ScrollViewData* d = DataOf(hwnd);
  if (!d || !item || height < 0 || SvItem(item)->height == height) return -1;
  const int old = SvItem(item)->height;
  SvItem(item)->height = height;
  guilist::HeightChanged(&d->svlist, item);
  guilist::AdjustHeightFrom(hwnd, &d->svlist, &d->scrdata, height - old, guilist::Top(&d->svlist, item, HeightOf));
  return old;
}

uintptr_t scrollview_get_item_adddata(GuiListItem* item) { return item ? item->addData : 0; }

int scrollview_get_item_index(WindowHandle hwnd, GuiListItem* item) {
  ScrollViewData* d = DataOf(hwnd);
  return d ? guilist_get_item_index(&d->svlist, item) : -1;
}

BOOL scrollview_is_item_hilight(WindowHandle hwnd, GuiListItem* item) {
  ScrollViewData* d = DataOf(hwnd);
  return d && item && d->svlist.currentItem == item;
}

BOOL scrollview_is_item_selected(GuiListItem* item) { return item && (item->flags & GUILIST_ITEM_SELECTED); }

void scrollview_draw(WindowHandle hwnd, HDC hdc, ScrollViewData* d) {
  ScrolledData* s = &d->scrdata;
  Rect vis;
  scrolled_visible_rect(s, &vis);
  ClipRectIntersect(hdc, &vis);
  Rect clip{};
  GetBoundsRect(hdc, &clip);
  int x0 = 0, y0 = 0, x1 = s->nContWidth, y1 = 0;
  scrolled_content_to_visible(s, &x0, &y0);
  scrolled_content_to_visible(s, &x1, &y1);
  const int base = y0 + s->topMargin;  // window y of content y 0
  GuiList* list = &d->svlist;
  // Start at the last paint's first item when the list is as it was then,
  // walking back or on to the first band that reaches the clip top.
  GuiListItem* it = guilist_get_next_item(list, nullptr);
  int top = 0, index = 0;
  if (d->anchor && d->anchorVersion == list->version) {
    it = d->anchor;
    top = d->anchorTop;
    index = d->anchorIndex;
    while (top > 0 && base + top > clip.top) {
      GuiListItem* prev = guilist_get_prev_item(list, it);
      if (!prev) break;
      it = prev;
      top -= SvItem(it)->height;
      --index;
    }
  } else if (clip.top > base) {
    // Found through the items' tops, not by a walk from the list's head
    // (the first paint after a sort).
    GuiListItem* found = nullptr;
    int64_t foundTop = 0;
    const int at = guilist::ItemAtY(list, clip.top - base, HeightOf, &found, &foundTop);
    if (at >= 0) {
      it = found;
      top = static_cast<int>(foundTop);
      index = at;
    }
  }
  while (it && base + top + SvItem(it)->height <= clip.top) {
    top += SvItem(it)->height;
    it = guilist_get_next_item(list, it);
    ++index;
  }
  d->anchor = it;
  d->anchorTop = top;
  d->anchorIndex = index;
  d->anchorVersion = list->version;
  d->shownContX = s->nContX;
  d->shownContY = s->nContY;
  Rect rc{x0 + s->leftMargin, base + top, x1 + s->leftMargin, 0};
  for (; it; it = guilist_get_next_item(list, it)) {
    const int h = SvItem(it)->height;
    rc.bottom = rc.top + h;
    if (rc.top >= clip.bottom) break;
    if (h > 0 && rc.bottom > clip.top && list->iop.drawItem) {
      Rect item = rc;
      list->iop.drawItem(hwnd, it, hdc, &item);
    }
    rc.top = rc.bottom;
  }
}

void scrollview_set_svlist(WindowHandle hwnd, ScrolledData* s, BOOL refit) {
  ScrollViewData* d = reinterpret_cast<ScrollViewData*>(s);
  // The content grew or shrank where the last paint showed it: whoever
  // changed the items repaints what changed. A move since that paint has
  // left the whole area to repaint already.
  const bool moved = s->nContX != d->shownContX || s->nContY != d->shownContY;
  if (refit) {
    InvalidateRect(hwnd, nullptr, TRUE);
    return;
  }
  // Frozen, or between LVM_STOPREDRAW and LVM_STARTREDRAW: repainted once at the end.
  if (!moved || (d->svlist.flags & GUILIST_FROZEN) || !GetListViewRedrawFlag()) return;
  Rect rc;
  scrolled_visible_rect(s, &rc);
  InvalidateRect(hwnd, &rc, TRUE);
}

LResult ScrollViewCtrlProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CREATE) {
    ScrollViewData* d = new (std::nothrow) ScrollViewData{};
    if (!d) return -1;
    scrollview_init(hwnd, d);
    if (GetWindowStyle(hwnd) & 0x0004) d->svlist.flags |= GUILIST_SORTED;
    return DefaultItemViewProc(hwnd, message, wParam, lParam, nullptr, nullptr);
  }
  ScrollViewData* d = DataOf(hwnd);
  if (!d) return DefaultControlProc(hwnd, message, wParam, lParam);
  switch (message) {
    case MSG_DESTROY:
      scrollview_destroy(d);
      SetWindowAdditionalData2(hwnd, 0);
      delete d;
      return DefaultControlProc(hwnd, message, wParam, lParam);
    case MSG_PAINT: {
      HDC hdc = BeginPaint(hwnd);
      SelectFont(hdc, controls::RowFont());
      scrollview_draw(hwnd, hdc, d);
      EndPaint(hwnd, hdc);
      return 0;
    }
    case MSG_GETDLGCODE: return 1;
    case MSG_KEYDOWN: Arrow(hwnd, d, static_cast<int>(wParam)); break;
    case SVM_ADDITEM: {
      int index = -1;
      ScrollViewItem* item = scrollview_add_item(hwnd, d, nullptr, reinterpret_cast<const SVItemInfo*>(lParam), &index);
      if (wParam) *reinterpret_cast<GuiListItem**>(wParam) = item ? &item->base : nullptr;
      return item ? index : -1;
    }
    case SVM_DELITEM:
      scrollview_del_item(hwnd, d, static_cast<int>(wParam), reinterpret_cast<GuiListItem*>(lParam));
      return 0;
    case SVM_RESETCONTENT: scrollview_reset_content(hwnd, d); return 0;
    case SVM_SETITEMHEIGHT:
      scrollview_set_item_height(hwnd, guilist_getitem_byindex(&d->svlist, static_cast<int>(wParam)),
                                 static_cast<int>(lParam));
      return 0;
    default: break;
  }
  return DefaultItemViewProc(hwnd, message, wParam, lParam, &d->scrdata, &d->svlist);
}

}  // extern "C"

namespace controls {

BOOL RegisterScrollViewControl() {
  return controls::RegisterBuiltinClass("scrollview", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], ScrollViewCtrlProc);
}

}  // namespace controls

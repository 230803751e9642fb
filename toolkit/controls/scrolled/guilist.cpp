// The item list of the item-based controls: items in display order, the
// current item, a ring of selected items and the owner's item operations.
#include <cstddef>

#include "gui/dc.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/scrolled.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

void RingInit(GuiListLink* head) { head->next = head->prev = head; }

void LinkBefore(GuiListLink* link, GuiListLink* at) {
  link->next = at;
  link->prev = at->prev;
  at->prev->next = link;
  at->prev = link;
}

void Unlink(GuiListLink* link) {
  link->prev->next = link->next;
  link->next->prev = link->prev;
  link->next = link->prev = link;
}

GuiListItem* ItemOf(GuiListLink* link) { return reinterpret_cast<GuiListItem*>(link); }

GuiListItem* ItemOfSel(GuiListLink* link) {
  return reinterpret_cast<GuiListItem*>(reinterpret_cast<char*>(link) - offsetof(GuiListItem, selLink));
}

void Mark(GuiList* list, GuiListItem* item) {
  if (item->flags & GUILIST_ITEM_SELECTED) return;
  item->flags |= GUILIST_ITEM_SELECTED;
  LinkBefore(&item->selLink, &list->selQueue);
}

void Unmark(GuiListItem* item) {
  if (!(item->flags & GUILIST_ITEM_SELECTED)) return;
  item->flags &= ~GUILIST_ITEM_SELECTED;
  Unlink(&item->selLink);
}

void Notify(WindowHandle hwnd, int code, GuiListItem* item) {
  NotifyParentEx(hwnd, code, reinterpret_cast<LParam>(item));
}

GuiListItem* ItemArg(GuiList* list, WParam index, LParam item) {
  return item ? reinterpret_cast<GuiListItem*>(item) : guilist_getitem_byindex(list, static_cast<int>(index));
}

}  // namespace

extern "C" {

int guilist_init(GuiList* list, WindowHandle hwnd) {
  list->nItemNr = 0;
  list->nTotalItemH = 0;
  list->currentItem = nullptr;
  RingInit(&list->queue);
  RingInit(&list->selQueue);
  list->itemCmp = nullptr;
  list->iop = GuiListItemOps{};
  list->hwnd = hwnd;
  list->flags = 0;
  list->defItemHeight = 0;
  list->version = 0;
  return 0;
}

int guilist_add_item(GuiList* list, GuiListItem* item, GuiListItem* after, GuiListItem* before, int index,
                     int* outIndex) {
  item->flags = 0;
  RingInit(&item->link);
  RingInit(&item->selLink);
  if (list->iop.initItem && list->iop.initItem(list->hwnd, item) < 0) return -1;
  int at = list->nItemNr;
  if ((list->flags & GUILIST_SORTED) && list->itemCmp) {
    GuiListLink* pos = list->queue.next;
    at = 0;
    for (; pos != &list->queue && list->itemCmp(item, ItemOf(pos)) >= 0; pos = pos->next) ++at;
    LinkBefore(&item->link, pos);
  } else if (after) {
    LinkBefore(&item->link, after->link.next);
  } else if (before) {
    LinkBefore(&item->link, &before->link);
  } else {
    GuiListLink* pos = list->queue.next;
    for (int i = 0; i < index && pos != &list->queue; ++i) pos = pos->next;
    LinkBefore(&item->link, index < 0 ? &list->queue : pos);
    at = (index < 0 || index > list->nItemNr) ? list->nItemNr : index;
  }
  list->nItemNr++;
  list->version++;
  if (outIndex) *outIndex = at;
  return 0;
}

int guilist_del_item(GuiList* list, GuiListItem* item) {
  if (list->iop.freeItem) list->iop.freeItem(list->hwnd, item);
  Unlink(&item->link);
  list->nItemNr--;
  list->version++;
  if (list->currentItem == item) list->currentItem = nullptr;
  Unmark(item);
  return 0;
}

int guilist_move_item(GuiList* list, GuiListItem* item, GuiListItem* before) {
  Unlink(&item->link);
  LinkBefore(&item->link, before ? &before->link : &list->queue);
  list->version++;
  return 0;
}

int guilist_adjust_items_height(WindowHandle hwnd, GuiList* list, ScrolledData* data, int diff) {
  list->nTotalItemH += diff;
  list->version++;
  if (list->flags & GUILIST_FROZEN) return 0;
  scrolled_set_cont_height(hwnd, data, list->nTotalItemH + 1);
  Rect rc;
  scrolled_visible_rect(data, &rc);
  InvalidateRect(hwnd, &rc, TRUE);
  return 0;
}

GuiListItem* guilist_getitem_byindex(GuiList* list, int index) {
  if (index < 0) return nullptr;
  GuiListLink* pos = list->queue.next;
  for (int i = 0; pos != &list->queue; pos = pos->next, ++i)
    if (i == index) return ItemOf(pos);
  return nullptr;
}

int guilist_get_item_index(GuiList* list, GuiListItem* item) {
  int i = 0;
  for (GuiListLink* pos = list->queue.next; pos != &list->queue; pos = pos->next, ++i)
    if (ItemOf(pos) == item) return i;
  return -1;
}

GuiListItem* guilist_get_next_item(GuiList* list, GuiListItem* item) {
  GuiListLink* next = item ? item->link.next : list->queue.next;
  return next == &list->queue ? nullptr : ItemOf(next);
}

GuiListItem* guilist_get_prev_item(GuiList* list, GuiListItem* item) {
  GuiListLink* prev = item ? item->link.prev : list->queue.prev;
  return prev == &list->queue ? nullptr : ItemOf(prev);
}

void guilist_hilight_item(GuiList* list, GuiListItem* item) {
  if (!item) return;
  GuiListItem* old = list->currentItem;
  list->currentItem = item;
  Mark(list, item);
  guilist_refresh_item(list, old);
  guilist_refresh_item(list, item);
}

void guilist_unselect_all(GuiList* list) {
  GuiListItem* old = list->currentItem;
  list->currentItem = nullptr;
  while (list->selQueue.next != &list->selQueue) Unmark(ItemOfSel(list->selQueue.next));
  guilist_refresh_item(list, old);
}

uintptr_t guilist_get_item_adddata(GuiListItem* item) { return item ? item->addData : 0; }

uintptr_t guilist_set_item_adddata(GuiListItem* item, uintptr_t value) {
  if (!item) return 0;
  const uintptr_t old = item->addData;
  item->addData = value;
  return old;
}

void guilist_freeze(WindowHandle hwnd, GuiList* list, BOOL on) {
  if (on) {
    list->flags |= GUILIST_FROZEN;
    return;
  }
  list->flags &= ~GUILIST_FROZEN;
  ScrolledData* data = reinterpret_cast<ScrolledData*>(GetWindowAdditionalData2(hwnd));
  if (!data) return;
  // The content keeps the one spare pixel that height fitting gives it.
  scrolled_set_cont_height(hwnd, data, list->nTotalItemH + 1);
  Rect rc;
  scrolled_visible_rect(data, &rc);
  InvalidateRect(hwnd, &rc, TRUE);
}

int guilist_sort_items(GuiList* list, void* compare, int form) {
  if (!compare || (form != 0 && form != 1)) return -1;
  const bool frozen = list->flags & GUILIST_FROZEN;
  list->flags |= GUILIST_FROZEN;
  list->version++;
  auto cmp = [&](GuiListItem* a, GuiListItem* b) {
    return form == 0 ? reinterpret_cast<GuiListCompare>(compare)(a, b)
                     : reinterpret_cast<GuiListCompare3>(compare)(list, a, b);
  };
  GuiListLink* pos = list->queue.next;
  while (pos != &list->queue) {
    GuiListLink* following = pos->next;
    for (GuiListLink* b = list->queue.next; b != pos; b = b->next) {
      if (cmp(ItemOf(pos), ItemOf(b)) < 0) {
        Unlink(pos);
        LinkBefore(pos, b);
        break;
      }
    }
    pos = following;
  }
  if (frozen) return 0;
  guilist_freeze(list->hwnd, list, FALSE);
  return 0;
}

void guilist_refresh_item(GuiList* list, GuiListItem* item) {
  if (!item || (list->flags & GUILIST_FROZEN) || !list->iop.getRect || !GetListViewRedrawFlag()) return;
  Rect rc;
  if (list->iop.getRect(list->hwnd, item, &rc, TRUE) < 0) return;
  InvalidateRect(list->hwnd, &rc, TRUE);
}

void guilist_refresh_item_ex(GuiList* list, GuiListItem* item, const Rect* part) {
  if (!item || !part || (list->flags & GUILIST_FROZEN) || !list->iop.getRect) return;
  Rect rc;
  if (list->iop.getRect(list->hwnd, item, &rc, TRUE) < 0) return;
  Rect r{rc.left + part->left, rc.top + part->top, rc.left + part->right, rc.top + part->bottom};
  if (r.left < rc.left) r.left = rc.left;
  if (r.top < rc.top) r.top = rc.top;
  if (r.right > rc.right) r.right = rc.right;
  if (r.bottom > rc.bottom) r.bottom = rc.bottom;
  if (r.left < r.right && r.top < r.bottom) InvalidateRect(list->hwnd, &r, TRUE);
}

void guilist_redraw_item(GuiList* list, GuiListItem* item) {
  if (!item || !list->iop.getRect || !list->iop.drawItem) return;
  HDC hdc = GetClientDC(list->hwnd);
  Rect rc;
  if (list->iop.getRect(list->hwnd, item, &rc, TRUE) >= 0) list->iop.drawItem(list->hwnd, item, hdc, &rc);
  ReleaseDC(hdc);
}

int guilist_make_item_visible(GuiList* list, ScrolledData* data, GuiListItem* item) {
  if (!item || !list->iop.getRect) return 0;
  Rect rc;
  const int kind = list->iop.getRect(list->hwnd, item, &rc, FALSE);
  if (kind < 0) return 0;
  const int x = kind == 1 ? -1 : (rc.left < data->nContX ? rc.left : rc.right);
  // The bottom edge is exclusive: its last row is bottom - 1.
  const int y = rc.top < data->nContY ? rc.top : (rc.bottom > rc.top ? rc.bottom - 1 : rc.top);
  return scrolled_make_pos_visible(list->hwnd, data, x, y);
}

GuiListDrawItem guilist_set_itemdraw(GuiList* list, GuiListDrawItem draw) {
  GuiListDrawItem old = list->iop.drawItem;
  list->iop.drawItem = draw;
  return old;
}

GuiList* guilist_set_itemops(GuiList* list, const GuiListItemOps* ops) {
  if (ops) list->iop = *ops;
  return list;
}

LResult DefaultItemViewProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam, ScrolledData* data,
                            GuiList* list) {
  if (!data || !list) return DefaultScrolledProc(hwnd, message, wParam, lParam);
  switch (message) {
    case MSG_FREEZECTRL: guilist_freeze(hwnd, list, wParam ? TRUE : FALSE); return 0;
    case SVM_SETITEMDRAW:
      return reinterpret_cast<LResult>(guilist_set_itemdraw(list, reinterpret_cast<GuiListDrawItem>(lParam)));
    case SVM_SETITEMOPS:
      if (const GuiListItemOps* ops = reinterpret_cast<const GuiListItemOps*>(lParam)) {
        list->iop.initItem = ops->initItem;
        list->iop.freeItem = ops->freeItem;
        list->iop.drawItem = ops->drawItem;
      }
      return 0;
    case SVM_GETCURSEL: return list->currentItem ? guilist_get_item_index(list, list->currentItem) : -1;
    case SVM_SELECTITEM:
      if (GuiListItem* item = ItemArg(list, wParam, 0)) {
        if (lParam) Mark(list, item);
        else Unmark(item);
        guilist_refresh_item(list, item);
      }
      return 0;
    case SVM_SHOWITEM: guilist_make_item_visible(list, data, ItemArg(list, wParam, lParam)); return 0;
    case SVM_CHOOSEITEM: {
      GuiListItem* item = ItemArg(list, wParam, lParam);
      if (!item) return -1;
      Mark(list, item);
      guilist_refresh_item(list, item);
      guilist_make_item_visible(list, data, item);
      return 0;
    }
    case SVM_SETCURSEL: {
      GuiListItem* item = ItemArg(list, wParam, 0);
      guilist_hilight_item(list, item);
      if (item && lParam) guilist_make_item_visible(list, data, item);
      return 0;
    }
    case SVM_SETITEMINIT: {
      GuiListInitItem old = list->iop.initItem;
      list->iop.initItem = reinterpret_cast<GuiListInitItem>(lParam);
      return reinterpret_cast<LResult>(old);
    }
    case SVM_SETITEMDESTROY: {
      GuiListFreeItem old = list->iop.freeItem;
      list->iop.freeItem = reinterpret_cast<GuiListFreeItem>(lParam);
      return reinterpret_cast<LResult>(old);
    }
    case SVM_SETITEMCMP: {
      GuiListCompare old = list->itemCmp;
      list->itemCmp = reinterpret_cast<GuiListCompare>(lParam);
      return reinterpret_cast<LResult>(old);
    }
    case SVM_SORTITEMS:
      if (guilist_sort_items(list, reinterpret_cast<void*>(lParam), 0) == 0) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case SVM_GETITEMCOUNT: return list->nItemNr;
    case SVM_GETITEMADDDATA: return static_cast<LResult>(guilist_get_item_adddata(ItemArg(list, wParam, lParam)));
    case SVM_SETITEMADDDATA:
      guilist_set_item_adddata(ItemArg(list, wParam, 0), static_cast<uintptr_t>(lParam));
      return 0;
    case SVM_REFRESHITEM: guilist_refresh_item(list, ItemArg(list, wParam, lParam)); return 0;
    case MSG_LBUTTONDOWN:
    case MSG_RBUTTONDOWN: {
      if (!list->iop.isInItem) break;
      int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
      if (x < data->leftMargin || x >= data->leftMargin + data->visibleWidth || y < data->topMargin ||
          y >= data->topMargin + data->visibleHeight)
        break;
      x -= data->leftMargin;
      y -= data->topMargin;
      scrolled_visible_to_content(data, &x, &y);
      GuiListItem* hit = nullptr;
      int top = 0;
      if (list->iop.isInItem(list, x, y, &hit, &top) < 0 || !hit) {
        guilist_unselect_all(list);
        Notify(hwnd, SVN_SELCHANGED, nullptr);
        break;
      }
      if (!(GetWindowStyle(hwnd) & 0x0001)) Notify(hwnd, SVN_CLICKED, hit);
      if (list->currentItem != hit) {
        guilist_hilight_item(list, hit);
        guilist_make_item_visible(list, data, hit);
        Notify(hwnd, SVN_SELCHANGED, hit);
      }
      break;
    }
    default: break;
  }
  return DefaultScrolledProc(hwnd, message, wParam, lParam);
}

}  // extern "C"

// The item list of the item-based controls: items in display order, the
// current item, a ring of selected items and the owner's item operations.
// Besides the ring the items sit in an array, so that an item's position
// and its top are found without walking the list.
#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

#include "controls/scrolled/guilist_index.h"

#include "gui/dc.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/scrolled.h"
#include "gui/window.h"
#include "gui/window_attr.h"

// The array is brought up to date lazily: a change at position p leaves
// the positions and tops before p as they were, and a question brings them
// up to date only as far as it needs.
struct GuiListIndex {
  std::vector<GuiListItem*> order;
  size_t positioned = 0;          // order[i]->position == i for every i below
  std::vector<int64_t> tops{0};  // tops[i]: heights before order[i]
  size_t topped = 0;              // tops[0..topped] are right
  guilist::HeightOf height = nullptr;  // what the tops were added up with
};

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

void Changed(GuiListIndex* x, size_t at) {
  x->positioned = std::min(x->positioned, at);
  x->topped = std::min(x->topped, at);
}

// Puts `item` at position `at` of the array and the ring.
void Insert(GuiList* list, GuiListItem* item, size_t at) {
  GuiListIndex* x = list->index;
  LinkBefore(&item->link, at < x->order.size() ? &x->order[at]->link : &list->queue);
  x->order.insert(x->order.begin() + static_cast<std::ptrdiff_t>(at), item);
  item->position = static_cast<int32_t>(at);
  Changed(x, at);
  if (x->positioned == at) x->positioned = at + 1;
}

void Remove(GuiList* list, GuiListItem* item, size_t at) {
  GuiListIndex* x = list->index;
  Unlink(&item->link);
  x->order.erase(x->order.begin() + static_cast<std::ptrdiff_t>(at));
  Changed(x, at);
}

// The array and the ring in the array's order after a reordering.
void Relink(GuiList* list) {
  GuiListIndex* x = list->index;
  RingInit(&list->queue);
  for (GuiListItem* item : x->order) LinkBefore(&item->link, &list->queue);
  Changed(x, 0);
}

// The tops of the first `count` items and the one after them.
void TopUpTo(GuiListIndex* x, size_t count, guilist::HeightOf height) {
  x->height = height;
  if (x->tops.size() < x->order.size() + 1) x->tops.resize(x->order.size() + 1);
  for (; x->topped < count; ++x->topped) x->tops[x->topped + 1] = x->tops[x->topped] + height(x->order[x->topped]);
}

// Whether every item is as high as the first, by the tops added up the
// way they were before (in the order the items were made, most often, so
// the few missing cost no scattered reads).
bool OneHeight(GuiListIndex* x) {
  const size_t n = x->order.size();
  if (n == 0 || !x->height) return false;
  TopUpTo(x, n, x->height);
  const int64_t height = x->tops[1];
  for (size_t i = 1; i <= n; ++i)
    if (x->tops[i] != static_cast<int64_t>(i) * height) return false;
  return true;
}

GuiListItem* ItemArg(GuiList* list, WParam index, LParam item) {
  return item ? reinterpret_cast<GuiListItem*>(item) : guilist_getitem_byindex(list, static_cast<int>(index));
}

// Stable bottom-up merge sort: an item of the right-hand run goes first only
// when it compares negative against the left-hand one, just as an insertion
// sort that moves each item before the first earlier one it compares
// negative against. For a consistent comparison (negative for "less", or
// for "less or equal") both give the same order. An intransitive one may
// give another, which no cheap check tells apart: any comparison still ends
// in a permutation of the items.
template <typename Cmp>
void MergeSortItems(std::vector<GuiListItem*>* items, const Cmp& cmp) {
  std::vector<GuiListItem*>& v = *items;
  std::vector<GuiListItem*> merged(v.size());
  const size_t n = v.size();
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) merged[k++] = cmp(v[j], v[i]) < 0 ? v[j++] : v[i++];
      while (i < mid) merged[k++] = v[i++];
      while (j < hi) merged[k++] = v[j++];
    }
    v.swap(merged);
  }
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
  list->index = nullptr;
  return 0;
}

void guilist_destroy(GuiList* list) {
  delete list->index;
  list->index = nullptr;
}

int guilist_add_item(GuiList* list, GuiListItem* item, GuiListItem* after, GuiListItem* before, int index,
                     int* outIndex) {
  if (!item || (after && guilist_get_item_index(list, after) < 0) ||
      (before && guilist_get_item_index(list, before) < 0))
    return -1;
  if (!list->index) list->index = new (std::nothrow) GuiListIndex;
  if (!list->index) return -1;
  item->flags = 0;
  item->position = -1;
  RingInit(&item->link);
  RingInit(&item->selLink);
  if (list->iop.initItem && list->iop.initItem(list->hwnd, item) < 0) {
    if (list->nItemNr == 0) guilist_destroy(list);
    return -1;
  }
  const std::vector<GuiListItem*>& order = list->index->order;
  size_t at = order.size();
  if ((list->flags & GUILIST_SORTED) && list->itemCmp) {
    // After every item it does not compare below.
    at = 0;
    while (at < order.size() && list->itemCmp(item, order[at]) >= 0) ++at;
  } else if (after) {
    at = static_cast<size_t>(guilist_get_item_index(list, after)) + 1;
  } else if (before) {
    at = static_cast<size_t>(guilist_get_item_index(list, before));
  } else if (index >= 0 && static_cast<size_t>(index) < order.size()) {
    at = static_cast<size_t>(index);
  }
  Insert(list, item, at);
  list->nItemNr++;
  list->version++;
  if (outIndex) *outIndex = static_cast<int>(at);
  return 0;
}

int guilist_del_item(GuiList* list, GuiListItem* item) {
  const int at = guilist_get_item_index(list, item);
  if (at < 0) return -1;
  if (list->iop.freeItem) list->iop.freeItem(list->hwnd, item);
  Remove(list, item, static_cast<size_t>(at));
  list->nItemNr--;
  list->version++;
  if (list->currentItem == item) list->currentItem = nullptr;
  Unmark(item);
  if (list->nItemNr == 0) guilist_destroy(list);
  return 0;
}

int guilist_move_item(GuiList* list, GuiListItem* item, GuiListItem* before) {
  const int from = guilist_get_item_index(list, item);
  if (from < 0 || item == before || (before && guilist_get_item_index(list, before) < 0)) return -1;
  Remove(list, item, static_cast<size_t>(from));
  const int to = before ? guilist_get_item_index(list, before) : list->nItemNr - 1;
  Insert(list, item, static_cast<size_t>(to));
  list->version++;
  return 0;
}

int guilist_adjust_items_height(WindowHandle hwnd, GuiList* list, ScrolledData* data, int diff) {
  return guilist::AdjustHeightFrom(hwnd, list, data, diff, 0);
}

GuiListItem* guilist_getitem_byindex(GuiList* list, int index) {
  if (index < 0 || !list->index || static_cast<size_t>(index) >= list->index->order.size()) return nullptr;
  return list->index->order[static_cast<size_t>(index)];
}

int guilist_get_item_index(GuiList* list, GuiListItem* item) { return guilist::Position(list, item); }

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
  auto cmp = [&](GuiListItem* a, GuiListItem* b) {
    return form == 0 ? reinterpret_cast<GuiListCompare>(compare)(a, b)
                     : reinterpret_cast<GuiListCompare3>(compare)(list, a, b);
  };
  guilist::Arrange(list, [&](std::vector<GuiListItem*>* order) { MergeSortItems(order, cmp); });
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
    case MSG_LBUTTONDBLCLK:  // the second press of a quick pair picks its row too
    case MSG_RBUTTONDOWN:
    case MSG_RBUTTONDBLCLK: {
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

namespace guilist {

int Position(GuiList* list, const GuiListItem* item) {
  GuiListIndex* x = list->index;
  if (!x || !item) return -1;
  const std::vector<GuiListItem*>& order = x->order;
  auto placed = [&] {
    return item->position >= 0 && static_cast<size_t>(item->position) < order.size() && order[item->position] == item;
  };
  if (placed()) return item->position;
  for (; x->positioned < order.size(); ++x->positioned) order[x->positioned]->position = static_cast<int32_t>(x->positioned);
  return placed() ? item->position : -1;
}

int64_t Top(GuiList* list, const GuiListItem* item, HeightOf height) {
  const int at = Position(list, item);
  if (at < 0) return -1;
  TopUpTo(list->index, static_cast<size_t>(at), height);
  return list->index->tops[static_cast<size_t>(at)];
}

int ItemAtY(GuiList* list, int64_t y, HeightOf height, GuiListItem** item, int64_t* top) {
  GuiListIndex* x = list->index;
  if (!x || y < 0) return -1;
  const size_t n = x->order.size();
  TopUpTo(x, n, height);
  // The last item starting at or above y; those before it at the same top
  // have no height, and it has some unless y is past the end.
  const auto end = x->tops.begin() + static_cast<std::ptrdiff_t>(n) + 1;
  const size_t at = static_cast<size_t>(std::upper_bound(x->tops.begin(), end, y) - x->tops.begin()) - 1;
  if (at >= n) return -1;
  if (item) *item = x->order[at];
  if (top) *top = x->tops[at];
  return static_cast<int>(at);
}

void Arrange(GuiList* list, const std::function<void(std::vector<GuiListItem*>*)>& arrange) {
  const bool frozen = list->flags & GUILIST_FROZEN;
  list->flags |= GUILIST_FROZEN;
  list->version++;
  if (GuiListIndex* x = list->index) {
    // Rows of one height keep their tops in any order: the first frame
    // after a sort then adds up no heights again.
    const bool topsHold = OneHeight(x);
    arrange(&x->order);
    Relink(list);
    if (topsHold) x->topped = x->order.size();
  }
  if (!frozen) guilist_freeze(list->hwnd, list, FALSE);
}

int AdjustHeightFrom(WindowHandle hwnd, GuiList* list, ScrolledData* data, int diff, int64_t from) {
  list->nTotalItemH += diff;
  list->version++;
  if (list->flags & GUILIST_FROZEN) return 0;
  scrolled_set_cont_height(hwnd, data, list->nTotalItemH + 1);
  // Between LVM_STOPREDRAW and LVM_STARTREDRAW the list view repaints once at the end.
  if (!GetListViewRedrawFlag()) return 0;
  Rect rc;
  scrolled_visible_rect(data, &rc);
  // The rows above `from` stay where they were; a row added below the
  // visible area repaints nothing.
  const int64_t fromY = from - data->nContY + data->topMargin;
  if (fromY > rc.top) rc.top = static_cast<int>(std::min<int64_t>(fromY, rc.bottom));
  if (rc.top < rc.bottom) InvalidateRect(hwnd, &rc, TRUE);
  return 0;
}

void HeightChanged(GuiList* list, const GuiListItem* item) {
  const int at = Position(list, item);
  if (at >= 0) list->index->topped = std::min(list->index->topped, static_cast<size_t>(at));
}

}  // namespace guilist

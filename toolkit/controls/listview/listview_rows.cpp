// The list view's rows, columns and cells: the row tree kept in step with
// the scroll view's item list, sorting, finding and folding.
#include <algorithm>
#include <cstring>
#include <new>

#include "controls/listview/listview_internal.h"
#include "controls/scrolled/guilist_index.h"
#include "gui/combobox.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace listview {

namespace {

ScrollViewItem* SvItem(GuiListItem* item) { return reinterpret_cast<ScrollViewItem*>(item); }

ListViewRow* LastDescendant(ListViewRow* row) {
  while (row->lastChild) row = row->lastChild;
  return row;
}

void TakeFromAncestors(ListViewRow* from, int count) {
  for (ListViewRow* a = from; a; a = a->parent) a->descendants -= count;
}

// Unlinks the row from its parent's child chain.
void UnlinkSibling(ListViewRow* row) {
  ListViewRow* parent = row->parent;
  if (!parent) return;
  ListViewRow* before = nullptr;
  if (parent->firstChild == row) {
    parent->firstChild = row->nextSibling;
  } else {
    for (before = parent->firstChild; before && before->nextSibling != row;) before = before->nextSibling;
    if (!before) return;
    before->nextSibling = row->nextSibling;
  }
  if (parent->lastChild == row) parent->lastChild = before;
  parent->childCount--;
}

// The child after which a row asked for at `index` goes: the child at
// index - 1 (the first for an index below 2), the last one when there are
// not that many; none for a parent without children.
ListViewRow* SiblingSlot(ListViewRow* parent, int index) {
  if (index >= parent->childCount) return parent->lastChild;
  ListViewRow* prev = nullptr;
  int pos = 0;
  for (ListViewRow* c = parent->firstChild; c; c = c->nextSibling, ++pos) {
    prev = c;
    if (pos >= index - 1) break;
  }
  return prev;
}

int TextCompare(ListViewData* lv, ListViewRow* a, ListViewRow* b, int column) {
  ListViewCell* ca = CellAt(a, column);
  ListViewCell* cb = CellAt(b, column);
  if (!ca || !cb) return -1;
  const char* ta = ca->hasText ? ca->text.c_str() : "";
  const char* tb = cb->hasText ? cb->text.c_str() : "";
  const size_t la = std::strlen(ta), lb = std::strlen(tb);
  return lv->textCmp(ta, tb, la > lb ? la : lb);
}

int SortCompare(GuiList* list, GuiListItem* ia, GuiListItem* ib) {
  ListViewData* lv = reinterpret_cast<ListViewData*>(reinterpret_cast<ScrollViewData*>(
      reinterpret_cast<char*>(list) - offsetof(ScrollViewData, svlist)));
  ListViewRow* a = RowOf(ia);
  ListViewRow* b = RowOf(ib);
  int r;
  if (lv->sortCmp) {
    ListViewSortInfo info{lv->sortColumn, 0, lv->hwnd};
    r = lv->sortCmp(lv->hwnd, a, b, &info);
    if (r == 0) r = TextCompare(lv, a, b, 1);
  } else {
    r = TextCompare(lv, a, b, lv->sortColumn);
  }
  return ((lv->sortDir == 2 && r < 0) || (lv->sortDir == 1 && r > 0)) ? -1 : 1;
}

// Sorts by the texts of one column: the texts are copied once into one
// buffer and the sort moves small keys, not list items it reaches through
// their rows. Gives the order the item sort gives with SortCompare. False
// when a row lacks the column.
bool SortByText(ListViewData* lv, std::vector<GuiListItem*>* order) {
  struct Key {
    size_t offset, length;
    GuiListItem* item;
  };
  std::vector<Key> keys;
  keys.reserve(order->size());
  std::string texts;
  const std::string empty;
  for (GuiListItem* item : *order) {
    const ListViewCell* cell = CellAt(RowOf(item), lv->sortColumn);
    if (!cell) return false;
    const std::string& text = cell->hasText ? cell->text : empty;
    keys.push_back(Key{texts.size(), std::strlen(text.c_str()), item});
    texts.append(text.c_str(), keys.back().length + 1);
  }
  const char* base = texts.data();
  const ListViewTextCompare cmp = lv->textCmp;
  const int dir = lv->sortDir;
  std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    const int r = cmp(base + a.offset, base + b.offset, std::max(a.length, b.length));
    return (dir == 2 && r < 0) || (dir == 1 && r > 0);
  });
  for (size_t i = 0; i < keys.size(); ++i) (*order)[i] = keys[i].item;
  return true;
}

void SetContentWidth(ListViewData* lv) {
  if (scrolled_set_cont_width(lv->hwnd, &lv->sv.scrdata, lv->totalWidth) != 0)
    InvalidateRect(lv->hwnd, nullptr, TRUE);
}

ListViewCell FreshCell() {
  ListViewCell cell;
  cell.textColor = SysPixelIndex[SYSPIXEL_BLACK];
  return cell;
}

}  // namespace

bool HasFoldedAncestor(const ListViewRow* row) {
  for (const ListViewRow* a = row->parent; a; a = a->parent)
    if (a->flags & LVIF_FOLD) return true;
  return false;
}

ListViewRow* AddRow(ListViewData* lv, ListViewRow* parent, const ListViewItemInfo* info) {
  if (!info || lv->columns.empty()) return nullptr;
  ListViewRow* row = new (std::nothrow) ListViewRow{};
  if (!row) return nullptr;
  row->cells.resize(lv->columns.size(), FreshCell());
  if (!parent) parent = &lv->root;
  ListViewRow* prev = SiblingSlot(parent, info->index);
  row->height = info->height < 1 ? lv->fontHeight + 6 : info->height;
  row->key = info->index;
  row->flags = info->flags;
  row->addData = info->addData;
  row->depth = parent->depth + 1;
  row->enabled = (info->flags & LVIF_DISABLE) ? 0 : 1;
  row->parent = parent;
  row->nextSibling = prev ? prev->nextSibling : nullptr;
  if (prev) prev->nextSibling = row;
  if (!parent->firstChild) parent->firstChild = row;
  if (!row->nextSibling) parent->lastChild = row;
  parent->childCount++;
  for (ListViewRow* a = parent; a; a = a->parent) a->descendants++;

  // Rows under any folded ancestor stay hidden, not only under a folded parent.
  const bool hidden = (parent->flags & LVIF_FOLD) || HasFoldedAncestor(row);
  SVItemInfo sv{0, row->height, reinterpret_cast<uintptr_t>(row)};
  ScrollViewItem* item = nullptr;
  WindowHandle hwnd = lv->hwnd;
  if (row->nextSibling) {
    item = scrollview_add_item_ex(hwnd, &lv->sv, nullptr, row->nextSibling->item, &sv, nullptr);
  } else if (prev) {
    item = scrollview_add_item_ex(hwnd, &lv->sv, LastDescendant(prev)->item, nullptr, &sv, nullptr);
  } else if (parent->item) {
    item = scrollview_add_item_ex(hwnd, &lv->sv, parent->item, nullptr, &sv, nullptr);
  } else {
    sv.index = -1;
    item = scrollview_add_item(hwnd, &lv->sv, nullptr, &sv, nullptr);
  }
  if (!item) {
    UnlinkSibling(row);
    TakeFromAncestors(parent, 1);
    delete row;
    return nullptr;
  }
  row->item = &item->base;
  if (hidden) scrollview_set_item_height(hwnd, row->item, 0);
  return row;
}

void FreeRowItem(WindowHandle, GuiListItem* item) { delete RowOf(item); }

int DeleteRow(ListViewData* lv, ListViewRow* row) {
  if (!row || row == &lv->root) return -1;
  UnlinkSibling(row);
  TakeFromAncestors(row->parent, row->descendants + 1);
  // The subtree goes with the row: children left behind would name a freed
  // parent. It follows the row in list order.
  std::vector<GuiListItem*> items{row->item};
  GuiList* list = ListOf(lv);
  GuiListItem* it = row->item;
  for (int i = 0; i < row->descendants && (it = guilist_get_next_item(list, it)); ++i) items.push_back(it);
  for (GuiListItem* victim : items) scrollview_del_item(lv->hwnd, &lv->sv, 0, victim);
  return 0;
}

void ResetRoot(ListViewData* lv) {
  lv->root.flags = 0;
  lv->root.depth = -1;
  lv->root.firstChild = nullptr;
  lv->root.lastChild = nullptr;
  lv->root.childCount = 0;
  lv->root.descendants = 0;
  lv->root.item = nullptr;
  lv->root.parent = nullptr;
  lv->root.nextSibling = nullptr;
}

void DeleteAllRows(ListViewData* lv) {
  const int width = lv->sv.scrdata.nContWidth;
  scrollview_reset_content(lv->hwnd, &lv->sv);
  ResetRoot(lv);
  scrolled_set_cont_width(lv->hwnd, &lv->sv.scrdata, width);
}

int AddColumn(ListViewData* lv, ListViewColumnInfo* info) {
  if (!info) return -1;
  int x = 0, y = 0, w = info->width, h = 0;
  ScaleWindowRect(GetWindowExStyle(lv->hwnd), 0, &x, &y, &w, &h);
  const int count = ColumnCount(lv);
  if (info->index < 0 || info->index >= count) info->index = count;
  const int index = info->index;
  auto col = std::unique_ptr<ListViewColumn>(new (std::nothrow) ListViewColumn{});
  if (!col) return -1;
  col->hasText = info->text != nullptr;
  if (info->text) col->text = info->text;
  col->image = info->image;
  col->compare = info->compare;
  col->flags = info->flags;
  col->width = w < 1 ? 62 : (w < 10 ? 10 : w);
  col->x = index > 0 ? lv->columns[index - 1]->x + lv->columns[index - 1]->width : 0;
  const int width = col->width;
  lv->columns.insert(lv->columns.begin() + index, std::move(col));
  for (GuiListItem* it = guilist_get_next_item(ListOf(lv), nullptr); it; it = guilist_get_next_item(ListOf(lv), it)) {
    std::vector<ListViewCell>& cells = RowOf(it)->cells;
    cells.insert(cells.begin() + std::min<size_t>(index, cells.size()), FreshCell());
  }
  for (int i = index + 1; i < ColumnCount(lv); ++i) lv->columns[i]->x += width;
  lv->totalWidth += width;
  SetContentWidth(lv);
  return 0;
}

int DeleteColumn(ListViewData* lv, int index) {
  if (index < 0 || index >= ColumnCount(lv)) return -1;
  const int width = lv->columns[index]->width;
  for (int i = index + 1; i < ColumnCount(lv); ++i) lv->columns[i]->x -= width;
  lv->columns.erase(lv->columns.begin() + index);
  for (GuiListItem* it = guilist_get_next_item(ListOf(lv), nullptr); it; it = guilist_get_next_item(ListOf(lv), it)) {
    std::vector<ListViewCell>& cells = RowOf(it)->cells;
    if (index >= static_cast<int>(cells.size())) break;
    cells.erase(cells.begin() + index);
  }
  lv->totalWidth -= width;
  SetContentWidth(lv);
  if (lv->columns.empty()) DeleteAllRows(lv);
  return 0;
}

void SetColumnWidth(ListViewData* lv, int index, int width) {
  ListViewColumn* col = Column(lv, index);
  if (!col) return;
  if (width < 10) width = 10;
  const int diff = width - col->width;
  col->width = width;
  for (int i = index + 1; i < ColumnCount(lv); ++i) lv->columns[i]->x += diff;
  lv->totalWidth += diff;
}

void RefreshRow(ListViewData* lv, ListViewRow* row) {
  if (row && row->item) guilist_refresh_item(ListOf(lv), row->item);
}

int SetCell(ListViewData* lv, ListViewRow* row, const ListViewSubItemInfo* info) {
  if (!info) return -1;
  if (!row) row = RowAtIndex(lv, info->rowIndex);
  ListViewCell* cell = row ? CellAt(row, info->column) : nullptr;
  if (!cell) return -1;
  cell->hasText = true;
  cell->text = info->text ? info->text : "";
  cell->column = info->column;
  cell->barColor = info->barColor;
  cell->barStart = info->barStart;
  cell->barEnd = info->barEnd;
  cell->textColor = info->textColor;
  cell->flags |= info->flags & (LVFLAG_BITMAP | LVFLAG_ICON | LVFLAG_CHECKBOX | LVFLAG_COMBOBOX | LVFLAG_BAR);
  cell->image = info->image;
  if (info->flags & LVFLAG_COMBOBOX) {
    ListViewColumn* col = Column(lv, info->column);
    const int h = SvItem(row->item)->height;
    CreateWindowEx("combobox", cell->text.c_str(), WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, info->rowIndex,
                   col->x - 0, info->rowIndex * h, col->width, h, lv->hwnd, 0);
  }
  RefreshRow(lv, row);
  GuiList* list = ListOf(lv);
  if (list->currentItem) {
    if (RowOf(list->currentItem)->key == row->key) guilist_hilight_item(list, row->item);
  } else if (GuiListItem* first = guilist_get_next_item(list, nullptr)) {
    guilist_hilight_item(list, first);
  }
  return 0;
}

int Sort(ListViewData* lv, ListViewCompare cmp, int direction, int column) {
  lv->sortCmp = cmp;
  lv->sortDir = direction;
  lv->sortColumn = column;
  if (!cmp && lv->textCmp && Column(lv, column)) {
    bool sorted = false;
    guilist::Arrange(ListOf(lv), [&](std::vector<GuiListItem*>* order) { sorted = SortByText(lv, order); });
    if (sorted) return 0;
  }
  return guilist_sort_items(ListOf(lv), reinterpret_cast<void*>(&SortCompare), 1);
}

ListViewRow* FindRow(ListViewData* lv, ListViewRow* parent, const ListViewFindInfo* info) {
  if (!info) return nullptr;
  GuiList* list = ListOf(lv);
  GuiListItem* it;
  int budget;
  if (parent) {
    it = parent->item;
    budget = parent->descendants;
  } else {
    it = guilist_getitem_byindex(list, info->startIndex);
    if (!it) it = lv->root.firstChild ? lv->root.firstChild->item : nullptr;
    budget = list->nItemNr;
  }
  for (; it && budget > 0; it = guilist_get_next_item(list, it), --budget) {
    ListViewRow* row = RowOf(it);
    if (info->flags & 2) {
      if (row->addData == info->addData) return row;
      continue;
    }
    if (!(info->flags & 1) || !info->texts) continue;
    bool all = true;
    for (int c = 0; c <= info->lastColumn && all; ++c) {
      ListViewCell* cell = CellAt(row, c);
      const char* want = info->texts[c] ? info->texts[c] : "";
      if (!cell) {
        all = false;
        break;
      }
      const char* have = cell->hasText ? cell->text.c_str() : "";
      const size_t la = std::strlen(have), lb = std::strlen(want);
      all = lv->textCmp(have, want, la > lb ? la : lb) == 0;
    }
    if (all) return row;
  }
  return nullptr;
}

int Fold(ListViewData* lv, ListViewRow* row, bool fold) {
  if (!row) return -1;
  if (((row->flags & LVIF_FOLD) != 0) == fold) return 0;
  if (fold) row->flags |= LVIF_FOLD;
  else row->flags &= ~LVIF_FOLD;
  // A row that is itself hidden keeps its subtree hidden when unfolded.
  if (!fold && HasFoldedAncestor(row)) return 0;
  GuiList* list = ListOf(lv);
  guilist_freeze(lv->hwnd, list, TRUE);
  GuiListItem* it = row->item;
  for (int i = 0; i < row->descendants && (it = guilist_get_next_item(list, it));) {
    ListViewRow* r = RowOf(it);
    scrollview_set_item_height(lv->hwnd, it, fold ? 0 : r->height);
    ++i;
    if (!fold && (r->flags & LVIF_FOLD)) {
      for (int k = 0; k < r->descendants; ++k) it = guilist_get_next_item(list, it);
      i += r->descendants;
    }
  }
  guilist_freeze(lv->hwnd, list, FALSE);
  return 0;
}

void SetRowHeight(ListViewData* lv, ListViewRow* row, int height) {
  row->height = height;
  // A hidden row keeps no room in the list.
  if (!HasFoldedAncestor(row)) scrollview_set_item_height(lv->hwnd, row->item, height);
}

}  // namespace listview

#include "controls/menubutton/menubutton_list.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "gui/fixstr.h"

namespace controls::mb {

namespace {

char g_empty[1] = "";

int Compare(MenuButtonCompare compare, const char* a, const char* b) {
  return compare(a, b, std::max(std::strlen(a), std::strlen(b)));
}

void FreeText(Entry* e) {
  if (e->text && e->text != g_empty) FreeFixStr(e->text);
  e->text = g_empty;
}

}  // namespace

ItemList::ItemList() {
  for (int i = kPoolSize - 1; i >= 0; --i) Give(&pool_[i]);
}

ItemList::~ItemList() { Clear(); }

Entry* ItemList::At(int index) const {
  if (index < 0) return nullptr;
  Entry* e = first_;
  for (int i = 0; e && i < index; ++i) e = e->next;
  return e;
}

Entry* ItemList::Take() {
  if (free_) {
    Entry* e = free_;
    free_ = e->next;
    *e = Entry{};
    return e;
  }
  return new (std::nothrow) Entry;
}

void ItemList::Give(Entry* e) {
  if (e >= pool_ && e < pool_ + kPoolSize) {
    e->next = free_;
    free_ = e;
  } else {
    delete e;
  }
}

bool ItemList::SetText(Entry* e, const char* text) {
  FreeText(e);
  if (!text || !*text) return true;
  char* copy = FixStrDup(text);
  if (!copy) return false;
  e->text = copy;
  return true;
}

int ItemList::SortedIndex(MenuButtonCompare compare, const char* text) const {
  if (!first_ || Compare(compare, text, first_->text) < 0) return 0;
  int index = 1;
  for (const Entry* e = first_->next; e; e = e->next, ++index)
    if (Compare(compare, text, e->text) <= 0) return index;
  return count_;
}

int ItemList::InsertAt(Entry* e, int index) {
  Entry** link = &first_;
  for (int i = 0; *link && i < index; ++i) link = &(*link)->next;
  e->next = *link;
  *link = e;
  ++count_;
  return index;
}

int ItemList::Add(int position, bool sorted, MenuButtonCompare compare, const MenuButtonItemInfo& info) {
  Entry* e = Take();
  if (!e) return kNoItem;
  e->text = g_empty;
  if (!SetText(e, info.text)) {
    Give(e);
    return MB_ERR_SPACE;
  }
  e->bitmap = info.bitmap;
  e->data = info.data;
  int index;
  if (sorted)
    index = SortedIndex(compare, e->text);
  else
    index = (position < 0 || position > count_) ? count_ : position;
  return InsertAt(e, index);
}

bool ItemList::Remove(int index) {
  Entry** link = &first_;
  for (int i = 0; *link && i < index; ++i) link = &(*link)->next;
  if (index < 0 || !*link) return false;
  Entry* e = *link;
  *link = e->next;
  FreeText(e);
  Give(e);
  --count_;
  return true;
}

void ItemList::Clear() {
  while (first_) Remove(0);
}

}  // namespace controls::mb

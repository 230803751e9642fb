// The list box's item chain: the first 16 items come from one pooled block
// (freed ones go back to it), the rest from the heap.
#include <cstring>
#include <new>

#include "controls/listbox/listbox_internal.h"
#include "gui/fixstr.h"

namespace listbox {

Data* NewData() {
  Data* d = new (std::nothrow) Data{};
  if (!d) return nullptr;
  d->poolStart = new (std::nothrow) Item[kPoolSize]{};
  if (!d->poolStart) {
    delete d;
    return nullptr;
  }
  d->poolSize = kPoolSize;
  d->poolEnd = d->poolStart + kPoolSize;
  for (int i = 0; i < kPoolSize; ++i) d->poolStart[i].next = i + 1 < kPoolSize ? &d->poolStart[i + 1] : nullptr;
  d->freeChain = d->poolStart;
  d->compare = std::strncmp;
  d->current = -1;
  return d;
}

void FreeData(Data* d) {
  if (!d) return;
  Clear(*d);
  delete[] d->poolStart;
  delete d;
}

Item* TakeItem(Data& d) {
  Item* it = d.freeChain;
  if (it)
    d.freeChain = it->next;
  else
    it = new (std::nothrow) Item;
  if (it) *it = Item{};
  return it;
}

void GiveBack(Data& d, Item* it) {
  if (it->text) FreeFixStr(it->text);
  if (it >= d.poolStart && it < d.poolEnd) {
    *it = Item{};
    it->next = d.freeChain;
    d.freeChain = it;
    return;
  }
  delete it;
}

Item* ItemAt(const Data& d, int index) {
  if (index < 0 || index >= d.count) return nullptr;
  Item* it = d.head;
  while (index-- > 0 && it) it = it->next;
  return it;
}

namespace {

int Compare(const Data& d, const char* a, const char* b) {
  // Up to the longer length the library comparison stops where strcmp
  // does: the shorter text's end differs from the longer text's byte.
  if (d.compare == std::strncmp) return std::strcmp(a, b);
  const size_t la = std::strlen(a), lb = std::strlen(b);
  return d.compare(a, b, la > lb ? la : lb);
}

// The link before which a sorted text goes, found in one walk with its
// index: after the first item unless below it, then before the first item
// it does not exceed.
Item** SortedLink(Data& d, const char* text, int* index) {
  *index = 0;
  Item** at = &d.head;
  if (!*at || Compare(d, text, (*at)->text) < 0) return at;
  at = &(*at)->next;
  int i = 1;
  while (*at && Compare(d, text, (*at)->text) > 0) {
    at = &(*at)->next;
    ++i;
  }
  *index = i;
  return at;
}

}  // namespace

int Link(Data& d, Item* it, int position, bool sorted) {
  Item** at = &d.head;
  if (sorted) {
    at = SortedLink(d, it->text, &position);
  } else {
    if (position < 0 || position > d.count) position = d.count;
    for (int i = 0; i < position; ++i) at = &(*at)->next;
  }
  it->next = *at;
  *at = it;
  ++d.count;
  return position;
}

Item* Unlink(Data& d, int index) {
  if (index < 0 || index >= d.count) return nullptr;
  Item** at = &d.head;
  for (int i = 0; i < index; ++i) at = &(*at)->next;
  Item* it = *at;
  *at = it->next;
  it->next = nullptr;
  --d.count;
  return it;
}

void Clear(Data& d) {
  while (d.head) {
    Item* it = d.head;
    d.head = it->next;
    GiveBack(d, it);
  }
  d.count = 0;
}

// Texts are cut to 255 bytes so that a 256-byte buffer always takes one;
// the cut never splits a double-byte character.
char* CopyText(const char* text) {
  int len = 0;
  while (text[len]) {
    const int step = (static_cast<unsigned char>(text[len]) >= 0x81 && text[len + 1]) ? 2 : 1;
    if (len + step > kTextMax) break;
    len += step;
  }
  char* copy = FixStrAlloc(len);
  if (!copy || len == 0) return copy;  // the shared empty string is never written
  std::memcpy(copy, text, static_cast<size_t>(len));
  copy[len] = '\0';
  return copy;
}

int SelectedIndex(const Data& d) {
  int index = 0;
  for (const Item* it = d.head; it; it = it->next, ++index)
    if (it->flags & kSelected) return index;
  return -1;
}

int FindText(const Data& d, int start, const char* text) {
  if (start < 0 || start >= d.count) start = 0;
  int index = start;
  for (const Item* it = ItemAt(d, start); it; it = it->next, ++index)
    if (std::strcmp(it->text, text) == 0) return index;
  return -1;
}

}  // namespace listbox

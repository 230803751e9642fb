// The menu button's items: a singly linked list whose first five entries
// come from a pool made with the record, the rest from the heap.
#pragma once

#include <cstddef>

#include "gui/menubutton.h"

namespace controls::mb {

struct Entry {
  char* text = nullptr;  // fixed-string heap, or the shared empty text
  const Bitmap* bitmap = nullptr;
  LParam data = 0;
  Entry* next = nullptr;
};

class ItemList {
 public:
  static constexpr int kPoolSize = 5;

  ItemList();
  ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  int Count() const { return count_; }
  Entry* At(int index) const;
  Entry* First() const { return first_; }
  // The new item's index; kNoItem without memory for an item,
  // MB_ERR_SPACE when its text cannot be stored.
  static constexpr int kNoItem = -4;
  int Add(int position, bool sorted, MenuButtonCompare compare, const MenuButtonItemInfo& info);
  bool Remove(int index);
  void Clear();
  // False when the text could not be stored (the item keeps the empty text).
  static bool SetText(Entry* e, const char* text);

 private:
  Entry* Take();
  void Give(Entry* e);
  int InsertAt(Entry* e, int index);
  int SortedIndex(MenuButtonCompare compare, const char* text) const;

  Entry pool_[kPoolSize];
  Entry* free_ = nullptr;
  Entry* first_ = nullptr;
  int count_ = 0;
};

}  // namespace controls::mb

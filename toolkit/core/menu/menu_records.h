// Menu records, their block heaps and the walks over item lists shared by
// the item calls, the bar and the popup tracking.
#pragma once

#include <cstdint>

#include "gui/menu.h"

namespace menu {

constexpr uint16_t kMenuData = 2, kFreed = 255;
constexpr uint16_t kBar = MENU_KIND_BAR, kPopup = MENU_KIND_POPUP, kItem = MENU_KIND_ITEM;
constexpr uint32_t kColumnBits = MFT_TWOCOLUMNS | MFT_THREECOLUMNS;

struct Header {
  uint16_t dataType = kMenuData;
  uint16_t kind = 0;
};

struct ItemRecord;

struct BarRecord {
  Header header;
  WindowHandle owner = 0;
  uintptr_t word1 = 0, word2 = 0;
  ItemRecord* first = nullptr;
};

struct ItemRecord {
  Header header;
  uint32_t type = 0;
  uint32_t state = 0;
  int32_t id = 0;
  const Bitmap* bitmaps[4] = {};
  uintptr_t itemData = 0;
  void* typeData = nullptr;
  int32_t measure = 0;       // width in a bar, height in a popup
  ItemRecord* sub = nullptr;  // sub-menu of an item, first item of a head
  ItemRecord* next = nullptr;
};

// Null unless the handle names a live record of that kind (any kind for 0).
Header* RecordOf(MenuHandle handle);
BarRecord* BarOf(MenuHandle handle);
ItemRecord* ItemOf(MenuHandle handle);
inline MenuHandle HandleOf(const void* record) { return reinterpret_cast<MenuHandle>(record); }

BarRecord* NewBar();
ItemRecord* NewItem(uint16_t kind);
// Frees the text of a text type and marks the record freed.
void FreeItem(ItemRecord* item);
// The item and everything below it.
void FreeItemTree(ItemRecord* item);
// An item and every item after it, each with its sub-menu.
void FreeItemList(ItemRecord* first);
void FreeBar(BarRecord* bar);

bool CarriesText(uint32_t type);
bool Separator(const ItemRecord* item);
bool Disabled(const ItemRecord* item);

// The first item of a bar or a popup head; the list head pointer to change.
ItemRecord** FirstLink(Header* menu);
// The link that points at the item by position or by id; null when none.
ItemRecord** FindLink(Header* menu, int item, bool byPosition);

}  // namespace menu

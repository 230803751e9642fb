// The item calls: building, changing and taking apart menu bars and popups.
#include <cstring>

#include "core/desktop/zorder.h"
#include "core/menu/menu_bar.h"
#include "core/menu/menu_records.h"
#include "core/menu/tracking.h"
#include "core/window/window_record.h"
#include "gui/fixstr.h"
#include "gui/desktop.h"
#include "gui/message.h"

using namespace menu;

namespace {

constexpr uint32_t kEnableBits = 0xF;

bool TextMissing(const MenuItemInfo* info) { return CarriesText(info->type) && !info->typeData; }
bool BitmapMissing(uint32_t type, const Bitmap* first) { return (type & MFT_BMPSTRING) && !first; }

void ApplyBitmapDefaults(ItemRecord* item) {
  if ((item->type & MFT_BITMAP) && !(item->type & MFT_BMPSTRING)) {
    if (!item->bitmaps[0]) item->bitmaps[0] = static_cast<const Bitmap*>(item->typeData);
    if (!item->bitmaps[1]) item->bitmaps[1] = item->bitmaps[0];
  } else if (item->type & MFT_BMPSTRING) {
    if (!item->bitmaps[1]) item->bitmaps[1] = item->bitmaps[0];
  }
}

// Text types keep their own copy; the others keep the caller's pointer.
bool TakeTypeData(ItemRecord* item, const MenuItemInfo* info) {
  if (!CarriesText(info->type)) {
    item->typeData = info->typeData;
    return true;
  }
  item->typeData = FixStrDup(static_cast<const char*>(info->typeData));
  return item->typeData != nullptr;
}

void DropTypeData(ItemRecord* item) {
  if (CarriesText(item->type)) FreeFixStr(static_cast<char*>(item->typeData));
  item->typeData = nullptr;
}

// Bars answer for their drawing; popups are drawn only while tracked.
void RedrawBarOf(Header* menu) {
  if (menu->kind != kBar) return;
  SendNotifyMessage(__gui_hwnd_desktop, MSG_PAINT, 0, 0);
}

ItemRecord* FindItem(MenuHandle handle, int item, bool byPosition) {
  Header* menu = RecordOf(handle);
  // A popup stripped of its head is its item list, searched from its first
  // item on.
  if (menu && menu->kind == kItem) {
    int position = 0;
    for (ItemRecord* it = reinterpret_cast<ItemRecord*>(menu); it; it = it->next, ++position)
      if (byPosition ? position == item : it->id == item) return it;
    return nullptr;
  }
  ItemRecord** link = FindLink(menu, item, byPosition);
  return link ? *link : nullptr;
}

int ErrorFor(MenuHandle handle) { return RecordOf(handle) ? MENU_ERR_NOT_FOUND : MENU_ERR_NOT_MENU; }

}  // namespace

extern "C" {

MenuHandle CreateMenu(void) { return HandleOf(NewBar()); }

MenuHandle CreatePopupMenu(const MenuItemInfo* info) {
  if (!info || TextMissing(info) || BitmapMissing(info->type, info->uncheckedBmp)) return 0;
  ItemRecord* head = NewItem(kPopup);
  if (!head) return 0;
  head->type = info->type;
  head->state = info->state;
  head->id = info->id;
  head->bitmaps[0] = info->uncheckedBmp;
  head->bitmaps[1] = info->checkedBmp;
  head->bitmaps[2] = info->uncheckedBmp;
  head->bitmaps[3] = info->checkedBmp;
  head->itemData = info->itemData;
  if (!TakeTypeData(head, info)) {
    FreeItem(head);
    return 0;
  }
  ApplyBitmapDefaults(head);
  return HandleOf(head);
}

int InsertMenuItem(MenuHandle menuHandle, int item, BOOL byPosition, const MenuItemInfo* info) {
  if (!info || TextMissing(info) || BitmapMissing(info->type, info->uncheckedBmp)) return MENU_ERR_INVALID_ITEM;
  if (!menuHandle) return MENU_ERR_NOT_FOUND;
  Header* menu = RecordOf(menuHandle);
  if (!menu) return MENU_ERR_NOT_MENU;
  ItemRecord** link = FindLink(menu, item, byPosition);
  if (!link) {
    link = FirstLink(menu);
    if (!link) return MENU_ERR_NOT_FOUND;
    while (*link) link = &(*link)->next;
  }
  ItemRecord* record = NewItem(kItem);
  if (!record) return MENU_ERR_NO_MEMORY;
  record->type = info->type;
  record->state = info->state;
  record->id = info->id;
  record->sub = (info->type & MFT_SEPARATOR) ? nullptr : ItemOf(info->subMenu);
  record->bitmaps[0] = info->uncheckedBmp;
  record->bitmaps[1] = info->checkedBmp;
  record->bitmaps[2] = info->uncheckedOverlay;
  record->bitmaps[3] = info->checkedOverlay;
  record->itemData = info->itemData;
  if (!TakeTypeData(record, info)) {
    FreeItem(record);
    return MENU_ERR_NO_MEMORY;
  }
  ApplyBitmapDefaults(record);
  record->next = *link;
  *link = record;
  return 0;
}

// The record is freed in every case; a sub-menu is handed back intact to
// whoever holds its handle (freeing only sub-menu-less items leaked them).
int RemoveMenu(MenuHandle menuHandle, int item, uint32_t flags) {
  ItemRecord** link = FindLink(RecordOf(menuHandle), item, flags & MF_BYPOSITION);
  if (!link) return ErrorFor(menuHandle);
  EndTrackingOf(HandleOf(*link));
  ItemRecord* removed = *link;
  *link = removed->next;
  removed->sub = nullptr;
  FreeItem(removed);
  return 0;
}

int DeleteMenu(MenuHandle menuHandle, int item, uint32_t flags) {
  Header* menu = RecordOf(menuHandle);
  ItemRecord** link = FindLink(menu, item, flags & MF_BYPOSITION);
  if (!link) return ErrorFor(menuHandle);
  EndTrackingOf(HandleOf(*link));
  ItemRecord* removed = *link;
  *link = removed->next;
  FreeItemTree(removed);
  RedrawBarOf(menu);
  return 0;
}

int DestroyMenu(MenuHandle menuHandle) {
  Header* menu = RecordOf(menuHandle);
  if (!menu) return MENU_ERR_NOT_MENU;
  // The desktop thread's tracker reads the records of the menus it shows.
  EndTrackingOf(menuHandle);
  if (menu->kind == kBar) {
    FreeBar(reinterpret_cast<BarRecord*>(menu));
  } else if (menu->kind == kItem) {
    // An item handle heads a list (a stripped popup): the items after it
    // go too, since no call reaches them any more.
    FreeItemList(reinterpret_cast<ItemRecord*>(menu));
  } else {
    FreeItemTree(reinterpret_cast<ItemRecord*>(menu));
  }
  return 0;
}

int IsMenu(MenuHandle handle) {
  Header* menu = RecordOf(handle);
  return menu ? menu->kind : 0;
}

int GetMenuItemCount(MenuHandle menuHandle) {
  Header* menu = RecordOf(menuHandle);
  if (!menu) return MENU_ERR_NOT_MENU;
  ItemRecord** link = FirstLink(menu);
  const ItemRecord* it = link ? *link : reinterpret_cast<ItemRecord*>(menu);
  int count = 0;
  for (; it; it = it->next) ++count;
  return count;
}

int GetMenuItemID(MenuHandle menuHandle, int position) {
  if (!RecordOf(menuHandle)) return MENU_ERR_NOT_MENU;
  ItemRecord* item = FindItem(menuHandle, position, true);
  return item ? item->id : MENU_ERR_NO_POSITION;
}

MenuHandle GetSubMenu(MenuHandle menuHandle, int position) {
  ItemRecord* item = FindItem(menuHandle, position, true);
  return item ? HandleOf(item->sub) : 0;
}

MenuHandle GetPopupSubMenu(MenuHandle popup) {
  ItemRecord* head = ItemOf(popup);
  return head ? HandleOf(head->sub) : 0;
}

MenuHandle StripPopupHead(MenuHandle popup) {
  ItemRecord* head = ItemOf(popup);
  if (!head || head->header.kind != kPopup) return 0;
  EndTrackingOf(popup);
  ItemRecord* first = head->sub;
  head->sub = nullptr;
  FreeItem(head);
  return HandleOf(first);
}

int GetMenuItemInfo(MenuHandle menuHandle, int itemId, BOOL byPosition, MenuItemInfo* info) {
  ItemRecord* item = FindItem(menuHandle, itemId, byPosition);
  if (!item || !info) return MENU_ERR_NOT_FOUND;
  if (info->mask & MIIM_STATE) info->state = item->state;
  if (info->mask & MIIM_ID) info->id = item->id;
  if (info->mask & MIIM_SUBMENU) info->subMenu = HandleOf(item->sub);
  if (info->mask & MIIM_CHECKMARKS) {
    info->uncheckedBmp = item->bitmaps[0];
    info->checkedBmp = item->bitmaps[1];
    info->uncheckedOverlay = item->bitmaps[2];
    info->checkedOverlay = item->bitmaps[3];
  }
  if (info->mask & MIIM_DATA) info->itemData = item->itemData;
  if (info->mask & MIIM_TYPE) {
    info->type = item->type;
    // Every type that carries text (the bitmap-and-text one too) copies it:
    // the item's own copy handed out would be freed under the caller by the
    // next change of the item, or by a set-info given the record back.
    if (CarriesText(item->type) && info->typeData && info->textLength > 0) {
      const char* text = static_cast<const char*>(item->typeData);
      size_t n = text ? std::strlen(text) : 0;
      if (n >= info->textLength) n = info->textLength - 1;
      if (n) std::memcpy(info->typeData, text, n);
      static_cast<char*>(info->typeData)[n] = '\0';
    } else if (!CarriesText(item->type)) {
      info->typeData = item->typeData;
    }
  }
  return 0;
}

int SetMenuItemInfo(MenuHandle menuHandle, int itemId, BOOL byPosition, const MenuItemInfo* info) {
  ItemRecord* item = FindItem(menuHandle, itemId, byPosition);
  if (!item || !info) return MENU_ERR_NOT_FOUND;
  const uint32_t type = (info->mask & MIIM_TYPE) ? info->type : item->type;
  const Bitmap* first = (info->mask & MIIM_CHECKMARKS) ? info->uncheckedBmp : item->bitmaps[0];
  if (BitmapMissing(type, first)) return MENU_ERR_INVALID_ITEM;
  if ((info->mask & MIIM_TYPE) && TextMissing(info)) return MENU_ERR_INVALID_ITEM;
  if (info->mask & MIIM_TYPE) {
    // The new text is copied before the old one is freed: the caller may
    // hand back the item's own text.
    ItemRecord taken = *item;
    if (!TakeTypeData(&taken, info)) return MENU_ERR_NO_MEMORY;
    DropTypeData(item);
    item->type = info->type;
    item->typeData = taken.typeData;
  }
  if (info->mask & MIIM_STATE) item->state = info->state;
  if (info->mask & MIIM_ID) item->id = info->id;
  if ((info->mask & MIIM_SUBMENU) && !Separator(item)) item->sub = ItemOf(info->subMenu);
  if (info->mask & MIIM_CHECKMARKS) {
    item->bitmaps[0] = info->uncheckedBmp;
    item->bitmaps[1] = info->checkedBmp;
    item->bitmaps[2] = info->uncheckedOverlay;
    item->bitmaps[3] = info->checkedOverlay;
  }
  if (info->mask & MIIM_DATA) item->itemData = info->itemData;
  ApplyBitmapDefaults(item);
  return 0;
}

int EnableMenuItem(MenuHandle menuHandle, int itemId, uint32_t flags) {
  ItemRecord* item = FindItem(menuHandle, itemId, flags & MF_BYPOSITION);
  if (!item) return -1;
  const int previous = static_cast<int>(item->state & kEnableBits);
  item->state = (item->state & ~kEnableBits) | (flags & kEnableBits);
  return previous;
}

int CheckMenuRadioItem(MenuHandle menuHandle, int first, int last, int checked, uint32_t flags) {
  const bool byPosition = flags & MF_BYPOSITION;
  ItemRecord* from = FindItem(menuHandle, first, byPosition);
  if (!from) return MENU_ERR_NOT_FOUND;
  int position = first;
  for (ItemRecord* it = from; it; it = it->next, ++position) {
    it->type |= MFT_RADIOCHECK;
    const bool chosen = byPosition ? position == checked : it->id == checked;
    it->state = chosen ? ((it->state & ~0x7u) | MFS_CHECKED) : (it->state & ~kEnableBits);
    if (byPosition ? position == last : it->id == last) break;
  }
  return 0;
}

int SetMenuItemBitmaps(MenuHandle menuHandle, int itemId, uint32_t flags, const Bitmap* unchecked,
                       const Bitmap* checked, const Bitmap* uncheckedOverlay, const Bitmap* checkedOverlay) {
  ItemRecord* item = FindItem(menuHandle, itemId, flags & MF_BYPOSITION);
  if (!item) return MENU_ERR_NOT_FOUND;
  if (BitmapMissing(item->type, unchecked)) return MENU_ERR_INVALID_ITEM;
  item->bitmaps[0] = unchecked;
  item->bitmaps[1] = checked;
  item->bitmaps[2] = uncheckedOverlay;
  item->bitmaps[3] = checkedOverlay;
  ApplyBitmapDefaults(item);
  return 0;
}

MenuHandle SetMenu(WindowHandle hwnd, MenuHandle barHandle) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !IsMainRecord(win)) return 0;
  MenuHandle previous = 0;
  {
    StackWriteLock hold;  // the frame geometry reads it on other threads
    previous = win->menu;
    win->menu = barHandle;
  }
  if (BarRecord* bar = BarOf(barHandle)) {
    bar->owner = hwnd;
    DrawMenuBar(hwnd, 0, nullptr);
  }
  return previous;
}

// Read under the lock SetMenu stores under, on any thread.
MenuHandle GetMenu(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !IsMainRecord(win)) return 0;
  GeometryReadLock hold;
  return win->menu;
}

MenuHandle GetSystemMenu(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !IsMainRecord(win)) return 0;
  GeometryReadLock hold;
  return win->systemMenu;
}

}  // extern "C"

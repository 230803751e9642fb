#include "core/menu/menu_records.h"

#include <atomic>
#include <mutex>
#include <new>
#include <unordered_set>

#include "core/menu/menu_marks.h"
#include "core/menu/tracking.h"
#include "gui/fixstr.h"
#include "gui/region.h"

namespace menu {
namespace {

constexpr size_t kBarsPerBlock = 64, kItemsPerBlock = 512;

BlockDataHeap g_bars, g_items;
std::atomic<bool> g_ready{false};

// The records alive now. Past its block a heap hands out general memory and
// frees it outright, so a destroyed handle can only be told by looking it
// up here, never by reading the record.
std::mutex g_liveLock;
std::unordered_set<const void*> g_live;

void Forget(const void* record) {
  std::lock_guard<std::mutex> hold(g_liveLock);
  g_live.erase(record);
}

template <typename T>
T* Take(BlockDataHeap* heap) {
  if (!g_ready) return nullptr;
  void* memory = BlockDataAlloc(heap);
  if (!memory) return nullptr;
  std::lock_guard<std::mutex> hold(g_liveLock);
  g_live.insert(memory);
  return new (memory) T();
}

}  // namespace

Header* RecordOf(MenuHandle handle) {
  if (handle == 0 || handle == ~static_cast<MenuHandle>(0)) return nullptr;
  {
    std::lock_guard<std::mutex> hold(g_liveLock);
    if (!g_live.count(reinterpret_cast<const void*>(handle))) return nullptr;
  }
  auto* header = reinterpret_cast<Header*>(handle);
  return header->dataType == kMenuData ? header : nullptr;
}

BarRecord* BarOf(MenuHandle handle) {
  Header* h = RecordOf(handle);
  return h && h->kind == kBar ? reinterpret_cast<BarRecord*>(h) : nullptr;
}

ItemRecord* ItemOf(MenuHandle handle) {
  Header* h = RecordOf(handle);
  return h && (h->kind == kPopup || h->kind == kItem) ? reinterpret_cast<ItemRecord*>(h) : nullptr;
}

BarRecord* NewBar() {
  BarRecord* bar = Take<BarRecord>(&g_bars);
  if (bar) bar->header.kind = kBar;
  return bar;
}

ItemRecord* NewItem(uint16_t kind) {
  ItemRecord* item = Take<ItemRecord>(&g_items);
  if (item) item->header.kind = kind;
  return item;
}

bool CarriesText(uint32_t type) {
  return !(type & (MFT_BITMAP | MFT_SEPARATOR)) || (type & MFT_BMPSTRING);
}

bool Separator(const ItemRecord* item) { return item->type & MFT_SEPARATOR; }
bool Disabled(const ItemRecord* item) { return item->state & MFS_DISABLED; }

void FreeItem(ItemRecord* item) {
  if (!item || item->header.dataType != kMenuData) return;
  if (CarriesText(item->type)) FreeFixStr(static_cast<char*>(item->typeData));
  item->typeData = nullptr;
  item->header.dataType = kFreed;
  Forget(item);
  if (g_ready) BlockDataFree(&g_items, item);
}

void FreeItemList(ItemRecord* first) {
  for (ItemRecord* it = first; it;) {
    ItemRecord* next = it->next;
    FreeItemTree(it);
    it = next;
  }
}

void FreeItemTree(ItemRecord* item) {
  if (!item || item->header.dataType != kMenuData) return;
  ItemRecord* sub = item->sub;
  if (item->header.kind == kPopup || (sub && sub->header.kind == kItem))
    FreeItemList(sub);  // a popup's items, or a sub-menu whose head was stripped
  else
    FreeItemTree(sub);
  FreeItem(item);
}

void FreeBar(BarRecord* bar) {
  FreeItemList(bar->first);
  bar->header.dataType = kFreed;
  Forget(bar);
  if (g_ready) BlockDataFree(&g_bars, bar);
}

ItemRecord** FirstLink(Header* menu) {
  if (!menu) return nullptr;
  if (menu->kind == kBar) return &reinterpret_cast<BarRecord*>(menu)->first;
  if (menu->kind == kPopup) return &reinterpret_cast<ItemRecord*>(menu)->sub;
  return nullptr;
}

ItemRecord** FindLink(Header* menu, int item, bool byPosition) {
  ItemRecord** link = FirstLink(menu);
  if (!link) return nullptr;
  for (int position = 0; *link; link = &(*link)->next, ++position)
    if (byPosition ? position == item : (*link)->id == item) return link;
  return nullptr;
}

}  // namespace menu

extern "C" {

BOOL InitMenu(void) {
  if (menu::g_ready) return TRUE;
  InitBlockDataHeap(&menu::g_bars, sizeof(menu::BarRecord), menu::kBarsPerBlock);
  InitBlockDataHeap(&menu::g_items, sizeof(menu::ItemRecord), menu::kItemsPerBlock);
  menu::g_ready = true;
  menu::CreateMarkBitmap();
  menu::InstallTracker();
  return TRUE;
}

void TerminateMenu(void) {
  if (!menu::g_ready) return;
  menu::RemoveTracker();
  menu::DestroyMarkBitmap();
  menu::g_ready = false;
  {
    std::lock_guard<std::mutex> hold(menu::g_liveLock);
    menu::g_live.clear();
  }
  DestroyBlockDataHeap(&menu::g_bars);
  DestroyBlockDataHeap(&menu::g_items);
}

}  // extern "C"

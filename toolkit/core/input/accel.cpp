// Accelerator tables: keys with modifier masks mapped to command
// notifications. Tables and items come from two block pools; one lock
// guards the pools' users and the set of live tables, so that a handle can
// be checked before it is touched.
#include <mutex>
#include <unordered_set>

#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/region.h"

struct AccelItem {
  int key;
  int mask;
  WParam wParam;
  LParam lParam;
  AccelItem* next;
};

struct AccelTable {
  int category;  // kAccelCategory while alive
  WindowHandle hwnd;
  AccelItem* head;
};

namespace {

constexpr int kAccelCategory = 3;
constexpr size_t kTablesPerBlock = 64;
constexpr size_t kItemsPerBlock = 512;
constexpr int kScanCodeKey = 0x100;

struct Pools {
  std::mutex lock;
  bool ready = false;
  BlockDataHeap tables{};
  BlockDataHeap items{};
  std::unordered_set<AccelTable*> live;
};

Pools& pools() {
  static Pools instance;
  return instance;
}

bool IsLive(Pools& p, AccelTable* table) { return table && p.live.count(table) && table->category == kAccelCategory; }

void FreeItems(Pools& p, AccelTable* table) {
  for (AccelItem* item = table->head; item;) {
    AccelItem* next = item->next;
    BlockDataFree(&p.items, item);
    item = next;
  }
  table->head = nullptr;
}

void FreeTable(Pools& p, AccelTable* table) {
  FreeItems(p, table);
  table->category = 0;
  p.live.erase(table);
  BlockDataFree(&p.tables, table);
}

AccelTable* NewTable(Pools& p, WindowHandle hwnd) {
  if (!p.ready) return nullptr;
  auto* table = static_cast<AccelTable*>(BlockDataAlloc(&p.tables));
  if (!table) return nullptr;
  *table = AccelTable{kAccelCategory, hwnd, nullptr};
  p.live.insert(table);
  return table;
}

int AddItem(Pools& p, AccelTable* table, int key, int mask, WParam wParam, LParam lParam) {
  for (AccelItem* item = table->head; item; item = item->next)
    if (item->key == key && item->mask == mask) return ACCEL_ERR_EXISTS;
  auto* item = p.ready ? static_cast<AccelItem*>(BlockDataAlloc(&p.items)) : nullptr;
  if (!item) return ACCEL_ERR_NO_MEMORY;
  *item = AccelItem{key, mask, wParam, lParam, table->head};
  table->head = item;
  return 0;
}

// A mask with both bits of a left/right pair accepts either side; otherwise
// the pair must be exactly as in the mask.
bool Matches(const AccelItem& item, int key, uint32_t shift) {
  if (item.key != key) return false;
  for (uint32_t pair : {0x30u, 0x0Cu, 0x03u}) {
    const uint32_t m = static_cast<uint32_t>(item.mask) & pair;
    if (m == pair ? (shift & pair) == 0 : (shift & pair) != m) return false;
  }
  return true;
}

}  // namespace

extern "C" {

BOOL InitAccel(void) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!p.ready) {
    InitBlockDataHeap(&p.tables, sizeof(AccelTable), kTablesPerBlock);
    InitBlockDataHeap(&p.items, sizeof(AccelItem), kItemsPerBlock);
    p.ready = true;
  }
  return TRUE;
}

void TerminateAccel(void) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!p.ready) return;
  while (!p.live.empty()) FreeTable(p, *p.live.begin());
  DestroyBlockDataHeap(&p.tables);
  DestroyBlockDataHeap(&p.items);
  p.ready = false;
}

AccelTable* CreateAcceleratorTable(WindowHandle hwnd) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  return NewTable(p, hwnd);
}

int DestroyAcceleratorTable(AccelTable* table) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!IsLive(p, table)) return ACCEL_ERR_NOT_TABLE;
  FreeTable(p, table);
  return 0;
}

int AddAccelerators(AccelTable* table, int key, int modifierMask, WParam wParam, LParam lParam) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!IsLive(p, table)) return ACCEL_ERR_NOT_TABLE;
  return AddItem(p, table, key, modifierMask, wParam, lParam);
}

int DeleteAccelerators(AccelTable* table, int key, int modifierMask) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!IsLive(p, table)) return ACCEL_ERR_NOT_TABLE;
  for (AccelItem** link = &table->head; *link; link = &(*link)->next) {
    AccelItem* item = *link;
    if (item->key == key && item->mask == modifierMask) {
      *link = item->next;
      BlockDataFree(&p.items, item);
      return 0;
    }
  }
  return ACCEL_ERR_NOT_FOUND;
}

// Items are added in table order, each at the head, so the copy lists them
// in reverse.
AccelTable* CopyAcceleratorTable(AccelTable* table) {
  Pools& p = pools();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!IsLive(p, table)) return nullptr;
  AccelTable* copy = NewTable(p, table->hwnd);
  if (!copy) return nullptr;
  for (AccelItem* item = table->head; item; item = item->next) {
    if (AddItem(p, copy, item->key, item->mask, item->wParam, item->lParam) != 0) {
      FreeTable(p, copy);
      return nullptr;
    }
  }
  return copy;
}

int TranslateAccelerator(AccelTable* table, const Message* msg) {
  if (!msg) return ACCEL_ERR_NOT_FOUND;
  int key = 0;
  int notification = MSG_COMMAND;
  switch (msg->message) {
    case MSG_KEYDOWN: key = static_cast<int>(msg->wParam) | kScanCodeKey; break;
    case MSG_SYSKEYDOWN: key = static_cast<int>(msg->wParam) | kScanCodeKey, notification = MSG_SYSCOMMAND; break;
    case MSG_CHAR: key = static_cast<int>(msg->wParam & 0xFF); break;
    case MSG_SYSCHAR: key = static_cast<int>(msg->wParam & 0xFF), notification = MSG_SYSCOMMAND; break;
    default: key = -1; break;
  }
  WindowHandle hwnd = 0;
  WParam wParam = 0;
  LParam lParam = 0;
  {
    Pools& p = pools();
    std::lock_guard<std::mutex> guard(p.lock);
    if (!IsLive(p, table)) return ACCEL_ERR_NOT_TABLE;
    if (msg->hwnd != table->hwnd) return ACCEL_ERR_OTHER_WINDOW;
    if (key < 0) return ACCEL_ERR_NOT_FOUND;
    const AccelItem* found = nullptr;
    for (AccelItem* item = table->head; item && !found; item = item->next)
      if (Matches(*item, key, static_cast<uint32_t>(msg->lParam))) found = item;
    if (!found) return ACCEL_ERR_NOT_FOUND;
    hwnd = table->hwnd;
    wParam = found->wParam;
    lParam = found->lParam;
  }
  return SendNotifyMessage(hwnd, notification, wParam, lParam);
}

}  // extern "C"

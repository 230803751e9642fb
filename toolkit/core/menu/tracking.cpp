// Starting popup tracking, and the tracking records' answers to the
// desktop's chain messages (start, clipped, rebuilt, end one, end all).
#include "core/menu/tracking.h"

#include <atomic>
#include <new>

#include "core/cursor/system_cursor.h"
#include "core/desktop/popup_chain.h"
#include "core/livevideo/display_switch.h"
#include "core/menu/menu_style.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/region.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace menu {
namespace {

constexpr size_t kRecordsPerBlock = 16;

BlockDataHeap g_records;
bool g_heapReady = false;
TrackingRecord* g_first = nullptr;  // desktop thread only
// Tracking records made and not yet freed: while there are none, no tracker
// reads a menu, and a menu can go without asking the desktop.
std::atomic<int> g_outstanding{0};

TrackingRecord* RecordFrom(LParam lParam) { return reinterpret_cast<TrackingRecord*>(lParam); }

void ClearHighlights(TrackingRecord* t) {
  t->popup->state &= ~MFS_HILITE;
  for (ItemRecord* it = ListAfter(t->popup); it; it = it->next) it->state &= ~MFS_HILITE;
}

// Whether target is the record, lies below it or after it in its list.
bool Reaches(const ItemRecord* from, const void* target) {
  for (; from; from = from->next)
    if (from == target || Reaches(from->sub, target)) return true;
  return false;
}

// Whether the open popups read records of the menu: it holds the outermost
// popup (every sub-popup lies below that one) or lies below it.
bool TrackingReaches(MenuHandle handle) {
  const TrackingRecord* first = g_first;
  Header* menu = RecordOf(handle);
  if (!first || !menu) return false;
  if (menu->kind == kBar) {
    const auto* bar = reinterpret_cast<const BarRecord*>(menu);
    return bar == first->bar || Reaches(bar->first, first->popup);
  }
  const auto* item = reinterpret_cast<const ItemRecord*>(menu);
  return Reaches(item, first->popup) || Reaches(first->popup, item);
}

void OnStart(TrackingRecord* t) {
  if (t->parent)
    t->parent->child = t;
  else
    g_first = t;
  LayoutPopupMenu(t);
}

void OnShown(TrackingRecord* t) {
  if (CurrentSystemCursor() != 0) ShowSystemCursor(0);
  DrawPopupMenu(t);
  ClaimPopupVideoArea(t);
}

void OnHidden(TrackingRecord* t) {
  RepaintUnderSubPopup(t);
  ClearHighlights(t);
  ReleasePopupVideoArea(t);
  if (t->head.owner != GUI_INVALID_HANDLE) PostMessage(t->head.owner, MSG_MENUHIDDEN, 0, 0);
}

void OnClosed(TrackingRecord* t) {
  if (t->parent) {
    t->parent->child = nullptr;
  } else {
    if (g_first == t) g_first = nullptr;
    if (t->bar && t->barIndex >= 0) HiliteMenuBarItem(t->bar->owner, t->barIndex, 0);
  }
  if (t->head.owner != __gui_hwnd_desktop)
    SendNotifyMessage(t->head.owner, MSG_DT_ENDTRACKMENU, HandleOf(t->popup), static_cast<LParam>(HandleOf(t->bar)));
  if (!t->parent && (t->flags & TPM_DESTROY)) DestroyMenu(HandleOf(t->popup));
  FreeTracking(t);
}

LResult Tracker(int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_DT_LAYOUTPOPUP: OnStart(RecordFrom(lParam)); return 1;
    case MSG_DT_SHOWPOPUP: OnShown(RecordFrom(lParam)); return 1;
    case MSG_DT_HIDEPOPUP: OnHidden(RecordFrom(lParam)); return 1;
    case MSG_DT_ENDTRACKMENU: OnClosed(RecordFrom(lParam)); return 1;
    case MSG_DT_CLOSEMENU:
      if (wParam) return TrackingReaches(static_cast<MenuHandle>(wParam)) ? 1 : 0;
      EndTracking(lParam);
      return 1;
    default: break;
  }
  if (!g_first) return 0;
  if (msg == MSG_KEYDOWN || msg == MSG_KEYUP) return TrackKey(msg, wParam, lParam);
  return TrackMouse(msg, wParam, lParam);
}

// Asks the desktop to open the record; frees it when refused.
int Open(TrackingRecord* t) {
  if (SendMessage(__gui_hwnd_desktop, MSG_DT_TRACKPOPUPMENU, 0, reinterpret_cast<LParam>(t)) < 0) {
    FreeTracking(t);
    return -1;
  }
  return 0;
}

}  // namespace

TrackingRecord* NewTracking(ItemRecord* popup, int x, int y, WindowHandle owner, uint32_t flags) {
  if (!g_heapReady) return nullptr;
  void* memory = BlockDataAlloc(&g_records);
  if (!memory) return nullptr;
  auto* t = new (memory) TrackingRecord();
  ++g_outstanding;
  t->head.rect = Rect{x, y, x, y};
  t->head.owner = owner;
  t->head.word1 = HandleOf(popup);
  t->popup = popup;
  t->firstShown = popup;
  t->flags = flags;
  return t;
}

void FreeTracking(TrackingRecord* t) {
  if (!t || !g_heapReady) return;
  BlockDataFree(&g_records, t);
  --g_outstanding;
}

void InstallTracker() {
  if (!g_heapReady) InitBlockDataHeap(&g_records, sizeof(TrackingRecord), kRecordsPerBlock);
  g_heapReady = true;
  SetMenuTracker(Tracker);
}

void RemoveTracker() {
  SetMenuTracker(nullptr);
  if (!g_heapReady) return;
  g_heapReady = false;
  g_first = nullptr;
  g_outstanding = 0;
  DestroyBlockDataHeap(&g_records);
}

TrackingRecord* FirstPopup() { return g_first; }

TrackingRecord* InnermostPopup() {
  TrackingRecord* t = g_first;
  while (t && t->child) t = t->child;
  return t;
}

void CloseInnermost() {
  if (TrackingRecord* t = InnermostPopup())
    SendMessage(__gui_hwnd_desktop, MSG_DT_ENDTRACKMENU, 0, reinterpret_cast<LParam>(t));
}

// From the innermost popup outwards, each loses its highlights and closes.
void EndTracking(LParam) {
  while (TrackingRecord* t = InnermostPopup()) {
    ClearHighlights(t);
    SendMessage(__gui_hwnd_desktop, MSG_DT_ENDTRACKMENU, 0, reinterpret_cast<LParam>(t));
    if (InnermostPopup() == t) break;  // the desktop did not take it back
  }
}

void EndTrackingOf(MenuHandle menu) {
  if (g_outstanding > 0) SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, static_cast<WParam>(menu), 0);
}

int OpenSubPopup(TrackingRecord* t, ItemRecord* item) {
  TrackingRecord* sub = NewTracking(item->sub, t->head.rect.right, ItemTop(t, item), t->head.owner, t->flags);
  if (!sub) return -1;
  sub->bar = t->bar;
  sub->head.word2 = static_cast<LParam>(HandleOf(t->bar));
  sub->parent = t;
  return Open(sub);
}

}  // namespace menu

using namespace menu;

extern "C" {

int TrackPopupMenu(MenuHandle popupHandle, uint32_t flags, int x, int y, WindowHandle owner) {
  ItemRecord* popup = ItemOf(popupHandle);
  if (!popup) return MENU_ERR_NOT_MENU;
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);
  TrackingRecord* t = NewTracking(popup, x, y, owner, flags);
  if (!t) return -1;
  if (owner != GUI_INVALID_HANDLE && owner != __gui_hwnd_desktop)
    SendMessage(owner, MSG_INITMENUPOPUP, 0, static_cast<LParam>(popupHandle));
  return Open(t);
}

int TrackMenuBar(WindowHandle hwnd, int position) {
  BarRecord* bar = BarOf(GetMenu(hwnd));
  Rect r{};
  ItemRecord* item = bar ? ItemOf(GetMenuBarItemRect(hwnd, position, &r)) : nullptr;
  if (!item || !item->sub) return MENU_ERR_NOT_MENU;
  bar->owner = hwnd;  // a bar given at creation never went through SetMenu
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);
  int offX = Metric(kItemOffX) / 2;
  if (HalvedOutput()) offX = (Metric(kItemOffX) - 6) / 2;
  int left = r.left, bottom = r.bottom;
  WindowToScreen(hwnd, &left, &bottom);
  TrackingRecord* t = NewTracking(item->sub, left - offX, bottom, hwnd, 0);
  if (!t) return -1;
  t->bar = bar;
  t->barIndex = position;
  t->head.word2 = static_cast<LParam>(HandleOf(bar));
  HiliteMenuBarItem(hwnd, position, 0);
  HiliteMenuBarItem(hwnd, position, 2);
  SendMessage(hwnd, MSG_INITMENUPOPUP, static_cast<WParam>(position), static_cast<LParam>(HandleOf(item->sub)));
  return Open(t);
}

}  // extern "C"

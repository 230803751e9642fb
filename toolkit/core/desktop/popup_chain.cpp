#include "core/desktop/popup_chain.h"

#include <atomic>

#include "core/desktop/clip_info.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/window_stack.h"
#include "core/window/window_damage.h"
#include "gui/desktop.h"
#include "gui/menu.h"
#include "gui/message.h"

namespace {

constexpr int kTrackerStart = 384;
constexpr int kTrackerClipped = 368;
constexpr int kTrackerRebuilt = 369;
constexpr int kTrackerEndOne = 250;
constexpr int kTrackerEndAll = 252;

std::atomic<MenuTracker> g_tracker{nullptr};

void SubtractFromList(const ZOrderList& list, const Rect& rect) {
  ForEachInList(list, [&rect](WindowRecord* win) {
    if (!win->clipInfo) return true;
    std::lock_guard<std::mutex> hold(win->clipInfo->lock);
    SubtractClipRect(&win->clipInfo->region, &rect);
    win->clipInfo->age++;
    return true;
  });
}

void RepaintUnder(const Rect& rect) {
  auto repaint = [&rect](WindowRecord* win) {
    Rect overlap;
    Rect frame = ScreenRectOf(win);
    if (IsVisibleRecord(win) && IntersectRect(&overlap, &rect, &frame)) RepaintPart(win, overlap);
    return true;
  };
  ForEachInList(TopmostList(), repaint);
  if (ZOrderList* current = CurrentDisplayList()) ForEachInList(*current, repaint);
  Rect onScreen;
  if (IntersectRect(&onScreen, &rect, &ScreenRect()))
    DesktopWinProc(__gui_hwnd_desktop, MSG_DT_BACKGROUND, 0, reinterpret_cast<LParam>(&onScreen));
}

}  // namespace

void SetMenuTracker(MenuTracker tracker) { g_tracker = tracker; }

LResult TellMenuTracker(int msg, WParam wParam, LParam lParam) {
  MenuTracker tracker = g_tracker.load();
  return tracker ? tracker(msg, wParam, lParam) : 0;
}

bool AnyPopupMenuOpen() { return !Desk().popups.empty(); }

LResult StartPopupMenu(PopupMenuHead* menu) {
  if (!menu) return 0;
  {
    StackWriteLock hold;  // IsMenuPopup reads the chain on other threads
    Desk().popups.push_back(menu);
  }
  TellMenuTracker(kTrackerStart, 0, reinterpret_cast<LParam>(menu));
  SubtractFromList(TopmostList(), menu->rect);
  if (ZOrderList* current = CurrentDisplayList()) SubtractFromList(*current, menu->rect);
  RebuildDesktopClip();
  TellMenuTracker(kTrackerClipped, 0, reinterpret_cast<LParam>(menu));
  return 0;
}

LResult EndPopupMenu(PopupMenuHead* menu) {
  auto& chain = Desk().popups;
  if (!menu || chain.empty()) return 0;
  {
    StackWriteLock hold;
    if (chain.front() == menu)
      chain.clear();
    else
      chain.pop_back();
  }
  RebuildAllClips();
  TellMenuTracker(kTrackerRebuilt, 0, reinterpret_cast<LParam>(menu));
  RepaintUnder(menu->rect);
  TellMenuTracker(kTrackerEndOne, 0, reinterpret_cast<LParam>(menu));
  return 0;
}

LResult EndAllPopupMenus() {
  auto& chain = Desk().popups;
  if (chain.empty()) return 0;
  PopupMenuHead* first = chain.front();
  if (ValidWindow(first->owner)) SendNotifyMessage(first->owner, MSG_MENUCLOSED, first->word1, first->word2);
  TellMenuTracker(kTrackerEndAll, 0, reinterpret_cast<LParam>(first));
  std::vector<Rect> closed;
  for (const PopupMenuHead* menu : chain) closed.push_back(menu->rect);
  {
    StackWriteLock hold;
    chain.clear();
  }
  RebuildAllClips();
  for (const Rect& rect : closed) RepaintUnder(rect);
  return 1;
}

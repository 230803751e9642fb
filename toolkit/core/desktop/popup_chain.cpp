#include "core/desktop/popup_chain.h"

#include <atomic>

#include "core/desktop/clip_info.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/window_stack.h"
#include "core/driver/host_thread.h"
#include "core/window/window_damage.h"
#include "gui/desktop.h"
#include "gui/menu.h"
#include "gui/message.h"

namespace {

std::atomic<MenuTracker> g_tracker{nullptr};

void SubtractFromList(const ZOrderList& list, const Rect& rect) {
  ForEachInList(list, [&rect](WindowRecord* win) {
    CutFromClip(win, rect);
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
  host::PresentHold drawing;  // the menu shows whole, in one present
  {
    StackWriteLock hold;  // IsMenuPopup reads the chain on other threads
    Desk().popups.push_back(menu);
  }
  TellMenuTracker(MSG_DT_LAYOUTPOPUP, 0, reinterpret_cast<LParam>(menu));
  SubtractFromList(TopmostList(), menu->rect);
  if (ZOrderList* current = CurrentDisplayList()) SubtractFromList(*current, menu->rect);
  RebuildDesktopClip();
  TellMenuTracker(MSG_DT_SHOWPOPUP, 0, reinterpret_cast<LParam>(menu));
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
  TellMenuTracker(MSG_DT_HIDEPOPUP, 0, reinterpret_cast<LParam>(menu));
  RepaintUnder(menu->rect);
  TellMenuTracker(MSG_DT_ENDTRACKMENU, 0, reinterpret_cast<LParam>(menu));
  return 0;
}

LResult EndAllPopupMenus() {
  auto& chain = Desk().popups;
  if (chain.empty()) return 0;
  PopupMenuHead* first = chain.front();
  if (ValidWindow(first->owner)) SendNotifyMessage(first->owner, MSG_MENUCLOSED, first->word1, first->word2);
  TellMenuTracker(MSG_DT_CLOSEMENU, 0, reinterpret_cast<LParam>(first));
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

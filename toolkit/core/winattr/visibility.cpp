// Showing, hiding and enabling windows. Main windows go through the
// desktop, which restacks and re-clips; controls change their own bits and
// repaint their place in the parent.
#include "core/desktop/desktop_state.h"
#include "core/desktop/zorder.h"
#include "core/livevideo/areas.h"
#include "core/window/invalidate.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

void SetVisibleBit(WindowRecord* win, bool visible) {
  StackWriteLock hold;
  SetStyleBits(win->style, WS_VISIBLE, visible);
}

void InvalidateInParent(WindowRecord* ctl) {
  if (ctl->parent) InvalidateWindowArea(ctl->parent, &ctl->window, true);
}

BOOL ShowMain(MainWinRecord* win, int command) {
  WindowHandle hwnd = HandleOf(win);
  if (command == SW_HIDE) {
    ReleaseLiveVideoSlotOnHide(win);
    if (!(win->exStyle & WS_EX_TOPMOST)) CloseInputHelpers();
    WindowHandle tip = Desk().bubbleTip;
    if (tip != GUI_INVALID_HANDLE && tip != hwnd && ValidWindow(tip))
      SendNotifyMessage(tip, MSG_TIPHIDE, 0, 0);
    SendMessage(__gui_hwnd_desktop, MSG_DT_HIDEMAINWIN, hwnd, 0);
  } else if (command == SW_SHOW) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_SHOWMAINWIN, hwnd, 0);
  } else if (command == SW_SHOWNORMAL) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_MOVETOTOP, hwnd, 0);
  }
  return TRUE;
}

// A control that goes out of sight stops being its parent's focus.
void DropFocusIfActive(WindowRecord* ctl) {
  WindowRecord* parent = ctl->parent;
  if (!parent || parent->activeChild != ctl) return;
  SendNotifyMessage(HandleOf(ctl), MSG_KILLFOCUS, 0, 0);
  parent->activeChild = nullptr;
}

BOOL ShowControl(ControlRecord* ctl, int command) {
  WindowHandle hwnd = HandleOf(ctl);
  bool hiding;
  if (ctl->exStyle & WS_EX_OWN_CLIPINFO) {
    if (command == SW_SHOW)
      SendMessage(__gui_hwnd_desktop, MSG_DT_SHOWCTRLWIN, hwnd, 0);
    else if (command == SW_HIDE)
      SendMessage(__gui_hwnd_desktop, MSG_DT_HIDECTRLWIN, hwnd, 0);
    else
      return FALSE;
    hiding = command == SW_HIDE;
  } else if (command == SW_HIDE) {
    hiding = true;
    if (IsVisibleRecord(ctl)) {
      SetVisibleBit(ctl, false);
      InvalidateInParent(ctl);
    }
  } else {
    hiding = false;
    if (!IsVisibleRecord(ctl)) {
      PayOwedErase(ctl);
      SetVisibleBit(ctl, true);
      CallProc(ctl, MSG_NCPAINT, 0, 0);
      InvalidateWindowArea(ctl, nullptr, true);
    }
  }
  if (hiding) DropFocusIfActive(ctl);
  return TRUE;
}

}  // namespace

extern "C" {

BOOL ShowWindow(WindowHandle hwnd, int command) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return FALSE;
  if (IsMainRecord(win)) {
    if (win->exStyle & WS_EX_PREVIEW) return FALSE;
    ShowMain(static_cast<MainWinRecord*>(win), command);
  } else if (!ShowControl(static_cast<ControlRecord*>(win), command)) {
    return FALSE;
  }
  SendNotifyMessage(hwnd, MSG_SHOWWINDOW, static_cast<WParam>(command), 0);
  return TRUE;
}

BOOL EnableWindow(WindowHandle hwnd, BOOL enable) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return FALSE;
  BOOL was;
  if (IsMainRecord(win)) {
    was = SendMessage(__gui_hwnd_desktop, MSG_DT_ENABLEMAINWIN, hwnd, enable ? 1 : 0) != 0;
  } else {
    was = !(win->style & WS_DISABLED);
    StackWriteLock hold;
    SetStyleBits(win->style, WS_DISABLED, !enable);
  }
  SendNotifyMessage(hwnd, MSG_ENABLE, enable ? 1 : 0, 0);
  return was;
}

// Checked and read under the lock: the desktop thread may be removing the
// window and writing its style at the same time.
BOOL IsWindowEnabled(WindowHandle hwnd) {
  GeometryReadLock hold;
  WindowRecord* win = ValidWindow(hwnd);
  return win && !(win->style & WS_DISABLED);
}

BOOL IsWindowVisible(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return FALSE;
  StackReadLock hold;
  for (WindowRecord* w = win; w; w = IsControlRecord(w) ? w->parent : nullptr)
    if (!IsVisibleRecord(w)) return FALSE;
  return TRUE;
}

}  // extern "C"

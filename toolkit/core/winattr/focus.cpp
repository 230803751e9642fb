// Focus within a main window, activation and capture through the desktop,
// class registration and the desktop's hooks and IME registration.
#include <cstring>

#include "core/desktop/desktop.h"
#include "core/winattr/winattr_internal.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/desktop.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

LResult Ask(int msg, WParam wParam = 0, LParam lParam = 0) { return SendMessage(__gui_hwnd_desktop, msg, wParam, lParam); }

// Makes child the parent's active child, telling both when it changes.
void Activate(WindowRecord* parent, WindowRecord* child) {
  WindowRecord* old = parent->activeChild;
  if (old == child) return;
  parent->activeChild = child;
  if (old) SendNotifyMessage(HandleOf(old), MSG_KILLFOCUS, HandleOf(child), 0);
  SendNotifyMessage(HandleOf(child), MSG_SETFOCUS, HandleOf(old), 0);
}

}  // namespace

void CaptureMouse(WindowHandle hwnd) { SetCapture(hwnd); }

extern "C" {

WindowHandle SetFocusChild(WindowHandle hwnd) {
  ControlRecord* ctl = ValidControl(hwnd);
  if (!ctl) return GUI_INVALID_HANDLE;
  for (WindowRecord* child = ctl; IsControlRecord(child) && child->parent; child = child->parent)
    Activate(child->parent, child);
  return hwnd;
}

WindowHandle GetFocusChild(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? HandleOf(win->activeChild) : GUI_INVALID_HANDLE;
}

WindowHandle SetNullFocus(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return GUI_INVALID_HANDLE;
  WindowRecord* old = win->activeChild;
  if (old) SendNotifyMessage(HandleOf(old), MSG_KILLFOCUS, 0, 0);
  win->activeChild = nullptr;
  return HandleOf(old);
}

WindowHandle SetActiveWindow(WindowHandle hwnd) {
  if (hwnd == __gui_hwnd_desktop || !ValidMainWindow(hwnd)) return GUI_INVALID_HANDLE;
  return static_cast<WindowHandle>(Ask(MSG_DT_SETACTIVEMAIN, hwnd));
}

WindowHandle GetActiveWindow(void) { return static_cast<WindowHandle>(Ask(MSG_DT_GETACTIVEMAIN)); }

WindowHandle SetCapture(WindowHandle hwnd) {
  if (hwnd == GUI_INVALID_HANDLE || (hwnd != 0 && !ValidWindow(hwnd))) return GUI_INVALID_HANDLE;
  return static_cast<WindowHandle>(Ask(MSG_DT_SETCAPTURE, hwnd == __gui_hwnd_desktop ? 0 : hwnd));
}

WindowHandle ReleaseCapture(void) { return static_cast<WindowHandle>(Ask(MSG_DT_SETCAPTURE, 0)); }

WindowHandle GetCapture(void) { return static_cast<WindowHandle>(Ask(MSG_DT_GETCAPTURE)); }

BOOL RegisterWindowClass(const WndClassInfo* info) {
  return info && Ask(MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(info)) == 0;
}

BOOL UnregisterWindowClass(const char* className) {
  return className && Ask(MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>(className)) == 0;
}

BOOL GetWindowClassInfo(WndClassInfo* info) {
  if (!info || !info->className || !info->className[0]) return FALSE;
  return Ask(MSG_DT_CTRLCLASSINFO, CLASS_INFO_READ, reinterpret_cast<LParam>(info)) == 0;
}

BOOL SetWindowClassInfo(const WndClassInfo* info) {
  if (!info || !info->className || !info->className[0]) return FALSE;
  return Ask(MSG_DT_CTRLCLASSINFO, CLASS_INFO_WRITE, reinterpret_cast<LParam>(info)) == 0;
}

MsgHook RegisterKeyMsgHook(WindowHandle context, MsgHook hook) {
  return reinterpret_cast<MsgHook>(Ask(MSG_DT_SETKEYHOOK, context, reinterpret_cast<LParam>(hook)));
}

MsgHook RegisterMouseMsgHook(WindowHandle context, MsgHook hook) {
  return reinterpret_cast<MsgHook>(Ask(MSG_DT_SETMOUSEHOOK, context, reinterpret_cast<LParam>(hook)));
}

int RegisterIMEWindow(WindowHandle hwnd) { return static_cast<int>(Ask(MSG_DT_REGIME, hwnd)); }
int UnregisterIMEWindow(WindowHandle hwnd) { return static_cast<int>(Ask(MSG_DT_UNREGIME, hwnd)); }
int GetIMEStatus(int kind) { return static_cast<int>(Ask(MSG_DT_IMEQUERY, static_cast<WParam>(kind))); }
int SetIMEStatus(int kind, int value) {
  return static_cast<int>(Ask(MSG_DT_IMECMD, static_cast<WParam>(kind), value));
}

}  // extern "C"

// Captions and texts, style bits, colours, fonts, cursors, additional data,
// call-backs and class data of a window.
#include <cstring>

#include "core/control_support.h"
#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/window/window_damage.h"
#include "core/window/window_internal.h"
#include "gui/control_class.h"
#include "gui/desktop.h"
#include "gui/fixstr.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

WindowRecord* Valid(WindowHandle hwnd) { return hwnd == __gui_hwnd_desktop ? nullptr : ValidWindow(hwnd); }

// Style words share bits the desktop changes under the stack lock.
BOOL ChangeBits(WindowHandle hwnd, std::atomic<uint32_t> WindowRecord::*field, uint32_t bits, bool set) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return FALSE;
  StackWriteLock hold;
  SetStyleBits(win->*field, bits, set);
  return TRUE;
}

template <typename T>
T Read(WindowHandle hwnd, std::atomic<T> WindowRecord::*field) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? (win->*field).load() : T{};
}

// Stores a word and answers the one it replaced.
template <typename T>
T Swap(WindowHandle hwnd, std::atomic<T> WindowRecord::*field, T value) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? (win->*field).exchange(value) : T{};
}

}  // namespace

extern "C" {

const char* GetWindowCaption(WindowHandle hwnd) {
  WindowRecord* win = Valid(hwnd);
  return win ? win->caption : nullptr;
}

BOOL SetWindowCaption(WindowHandle hwnd, const char* text) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return FALSE;
  if (IsMainRecord(win)) return SetWindowText(hwnd, text);
  char* copy = FixStrDup(text ? text : "");
  if (!copy) return FALSE;
  FreeWindowCaption(win);
  win->caption = copy;
  return TRUE;
}

int GetWindowTextLength(WindowHandle hwnd) {
  if (!Valid(hwnd)) return -1;
  return static_cast<int>(SendMessage(hwnd, MSG_GETTEXTLENGTH, 0, 0));
}

int GetWindowText(WindowHandle hwnd, char* buffer, int size) {
  if (!Valid(hwnd)) return -1;
  return static_cast<int>(SendMessage(hwnd, MSG_GETTEXT, static_cast<WParam>(size), reinterpret_cast<LParam>(buffer)));
}

BOOL SetWindowText(WindowHandle hwnd, const char* text) {
  if (!Valid(hwnd)) return FALSE;
  return SendMessage(hwnd, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text)) == 0;
}

uint32_t GetWindowStyle(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::style); }

uint32_t GetWindowExStyle(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::exStyle); }

BOOL IncludeWindowStyle(WindowHandle hwnd, uint32_t bits) { return ChangeBits(hwnd, &WindowRecord::style, bits, true); }
BOOL ExcludeWindowStyle(WindowHandle hwnd, uint32_t bits) { return ChangeBits(hwnd, &WindowRecord::style, bits, false); }
BOOL IncludeWindowExStyle(WindowHandle hwnd, uint32_t bits) {
  return ChangeBits(hwnd, &WindowRecord::exStyle, bits, true);
}
BOOL ExcludeWindowExStyle(WindowHandle hwnd, uint32_t bits) {
  return ChangeBits(hwnd, &WindowRecord::exStyle, bits, false);
}

GalPixel GetWindowBkColor(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::background); }

GalPixel SetWindowBkColor(WindowHandle hwnd, GalPixel pixel) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return 0;
  return win->background.exchange(pixel);
}

GalPixel GetControlBkColor(WindowHandle hwnd) {
  if (!IsValidHandle(hwnd)) return 0;
  return WindowOf(hwnd)->background;
}

GalPixel SetControlBkColor(WindowHandle hwnd, GalPixel pixel) {
  if (!IsValidHandle(hwnd)) return 0;
  WindowRecord* win = WindowOf(hwnd);
  GalPixel old = win->background.exchange(pixel);
  InvalidateRect(hwnd, nullptr, TRUE);
  return old;
}

LogFont* GetWindowFont(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? win->font : nullptr;
}

LogFont* SetWindowFont(WindowHandle hwnd, LogFont* font) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return nullptr;
  if (!font) font = g_SysLogFont[1];
  if (SendMessage(hwnd, MSG_FONTCHANGING, 0, reinterpret_cast<LParam>(font)) != 0) return nullptr;
  LogFont* old = win->font;
  win->font = font;
  SendNotifyMessage(hwnd, MSG_FONTCHANGED, 0, 0);
  return old;
}

uintptr_t GetWindowCursor(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::cursor); }

uintptr_t SetWindowCursor(WindowHandle hwnd, uintptr_t cursor) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return 0;
  if (IsMainRecord(win))
    return static_cast<uintptr_t>(
        SendMessage(__gui_hwnd_desktop, MSG_DT_SETWINCURSOR, hwnd, static_cast<LParam>(cursor)));
  return win->cursor.exchange(cursor);
}

LParam GetWindowAdditionalData(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::additionalData); }
LParam SetWindowAdditionalData(WindowHandle hwnd, LParam data) {
  return Swap(hwnd, &WindowRecord::additionalData, data);
}
LParam GetWindowAdditionalData2(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::additionalData2); }
LParam SetWindowAdditionalData2(WindowHandle hwnd, LParam data) {
  return Swap(hwnd, &WindowRecord::additionalData2, data);
}

WindowProc GetWindowCallbackProc(WindowHandle hwnd) { return Read(hwnd, &WindowRecord::procedure); }

WindowProc SetWindowCallbackProc(WindowHandle hwnd, WindowProc proc) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return nullptr;
  return proc ? win->procedure.exchange(proc) : win->procedure.load();
}

NotifyCallback SetNotificationCallback(WindowHandle hwnd, NotifyCallback callback) {
  WindowRecord* win = Valid(hwnd);
  if (!win) return nullptr;
  NotifyCallback old = win->notification;
  win->notification = callback;
  return old;
}

NotifyCallback GetNotificationCallback(WindowHandle hwnd) {
  WindowRecord* win = Valid(hwnd);
  return win ? win->notification : nullptr;
}

const char* GetClassName(WindowHandle hwnd) {
  if (hwnd == __gui_hwnd_desktop) return "ROOTWINDOW";
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return nullptr;
  if (IsMainRecord(win)) return "MAINWINDOW";
  if (IsControlRecord(win)) return static_cast<ControlRecord*>(win)->controlClass->name;
  return nullptr;
}

uintptr_t GetWindowClassAdditionalData(WindowHandle hwnd) {
  ControlRecord* ctl = ValidControl(hwnd);
  return ctl ? ctl->controlClass->additionalData : 0;
}

uintptr_t SetWindowClassAdditionalData(WindowHandle hwnd, uintptr_t data) {
  ControlRecord* ctl = ValidControl(hwnd);
  if (!ctl) return 0;
  uintptr_t old = ctl->controlClass->additionalData;
  ctl->controlClass->additionalData = data;
  return old;
}

}  // extern "C"

bool StoreControlFont(WindowHandle control, LogFont* font) {
  ControlRecord* ctl = ValidControl(control);
  if (!ctl) return false;
  ctl->font = font;
  return true;
}

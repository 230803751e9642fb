// Questions answered from the window records alone.
#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/message/message_trace.h"
#include "core/window/window_record.h"
#include "gui/window.h"

extern "C" {

int IsWindow(WindowHandle hwnd) {
  return hwnd != __gui_hwnd_desktop && ValidWindow(hwnd) ? 1 : 0;
}

int IsMainWindow(WindowHandle hwnd) { return hwnd != __gui_hwnd_desktop && ValidMainWindow(hwnd) ? 1 : 0; }

int IsControl(WindowHandle hwnd) { return ValidControl(hwnd) ? 1 : 0; }

int IsDialog(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return -1;
  const WindowProc proc = win->procedure;
  return proc && CallTracedProcedure(proc, hwnd, MSG_ISDIALOG, 0, 0) != 0 ? 1 : 0;
}

WindowHandle GetMainWindowHandle(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return GUI_INVALID_HANDLE;
  return HandleOf(win->mainWindow);
}

WindowHandle GetParent(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return GUI_INVALID_HANDLE;
  return HandleOf(win->parent);
}

WindowHandle GetHosting(WindowHandle hwnd) {
  MainWinRecord* win = ValidMainWindow(hwnd);
  if (!win || hwnd == __gui_hwnd_desktop) return GUI_INVALID_HANDLE;
  GeometryReadLock hold;  // see GetFirstHosted
  return win->hosting ? HandleOf(win->hosting) : __gui_hwnd_desktop;
}

// The hosted chains change on the desktop thread (a window made or removed)
// and on the host's own (its destruction ends what it hosts), under the
// stack lock: every thread reads them under it.
WindowHandle GetFirstHosted(WindowHandle hwnd) {
  MainWinRecord* win = ValidMainWindow(hwnd);
  if (!win) return GUI_INVALID_HANDLE;
  GeometryReadLock hold;
  return HandleOf(win->firstHosted);
}

WindowHandle GetNextHosted(WindowHandle hwnd, WindowHandle hosted) {
  MainWinRecord* win = ValidMainWindow(hwnd);
  if (!win) return GUI_INVALID_HANDLE;
  GeometryReadLock hold;
  if (hosted == 0) return HandleOf(win->firstHosted);
  MainWinRecord* given = ValidMainWindow(hosted);
  if (!given || given->hosting != win) return 0;
  return HandleOf(given->nextHosted);
}

WindowHandle GetNextChild(WindowHandle hwnd, WindowHandle child) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return GUI_INVALID_HANDLE;
  StackReadLock hold;  // other threads link and unlink controls meanwhile
  if (child == 0) return HandleOf(win->firstChild);
  ControlRecord* given = ValidControl(child);
  if (!given || given->parent != win) return 0;
  return HandleOf(given->nextSibling);
}

WindowHandle GetNextMainWindow(WindowHandle hwnd) {
  WParam from = 0;
  if (hwnd != 0 && hwnd != __gui_hwnd_desktop) {
    MainWinRecord* win = ValidMainWindow(hwnd);
    if (!win) return 0;
    from = HandleOf(win);
  }
  return static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, MSG_DT_GETNEXTMAINWIN, from, 0));
}

}  // extern "C"

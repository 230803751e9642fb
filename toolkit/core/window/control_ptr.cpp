// Telling controls from main windows by the window-type word of a record.
#include "core/desktop/zorder.h"
#include "core/window/window_record.h"
#include "gui/control_class.h"

namespace {

// 0 and all-ones never name a record.
WindowRecord* RecordOrNull(WindowHandle hwnd) {
  return !IsValidHandle(hwnd) ? nullptr : WindowOf(hwnd);
}

}  // namespace

extern "C" ControlRecord* GetControlPtr(WindowHandle hwnd) {
  WindowRecord* win = RecordOrNull(hwnd);
  return win && IsControlRecord(win) ? static_cast<ControlRecord*>(win) : nullptr;
}

extern "C" BOOL SetWindowExStyle(WindowHandle hwnd, uint32_t exStyle) {
  WindowRecord* win = RecordOrNull(hwnd);
  if (!win || !(IsControlRecord(win) || IsMainRecord(win))) return FALSE;
  StackWriteLock hold;
  win->exStyle = exStyle;
  return TRUE;
}

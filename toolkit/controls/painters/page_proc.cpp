// The default procedure of pages and containers: default push button
// bookkeeping and the keyboard walk between the page's controls.
#include <linux/input-event-codes.h>

#include "core/control_support.h"
#include "gui/control_class.h"
#include "gui/control_paint.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr LParam kShiftBits = 3;

LResult ControlDefault(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

LResult DialogCode(WindowHandle hwnd) { return hwnd ? SendMessage(hwnd, MSG_GETDLGCODE, 0, 0) : 0; }

LResult SwapDefaultButton(WindowHandle hwnd, WParam id, LParam lParam) {
  WindowHandle target = GetDlgItem(hwnd, static_cast<int>(id));
  if (!target || !(DialogCode(target) & DLGC_PUSHBUTTON))
    return ControlDefault(hwnd, MSG_DLG_SETDEFID, id, lParam);
  WindowHandle old = GetDlgItem(hwnd, GetDlgDefPushButton(hwnd));
  if (old) {
    ExcludeWindowStyle(old, BS_DEFPUSHBUTTON);
    InvalidateRect(old, nullptr, TRUE);
  }
  IncludeWindowStyle(target, BS_DEFPUSHBUTTON);
  InvalidateRect(target, nullptr, TRUE);
  return static_cast<LResult>(old);
}

LResult PageKey(WindowHandle hwnd, WParam wParam, LParam lParam) {
  WindowHandle focused = GetFocusChild(hwnd);
  if (focused == GUI_INVALID_HANDLE) focused = 0;
  const LResult code = DialogCode(focused);
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS)) return ControlDefault(hwnd, MSG_KEYDOWN, wParam, lParam);
  switch (static_cast<int>(wParam & 0xFFFF)) {
    case KEY_ESC:
      SendMessage(hwnd, MSG_COMMAND, IDCANCEL, 0);
      return 0;
    case KEY_TAB: {
      if (code & DLGC_WANTTAB) break;
      WindowHandle next = GetNextDlgTabItem(hwnd, focused, (lParam & kShiftBits) != 0);
      if (next && next != focused) SetFocusChild(next);
      return 0;
    }
    case KEY_ENTER: {
      if (!focused || (code & DLGC_PUSHBUTTON)) break;
      const int id = GetDlgDefPushButton(hwnd);
      if (!id) break;
      SendMessage(hwnd, MSG_COMMAND, static_cast<WParam>(id), 0);
      return 0;
    }
    case KEY_UP: case KEY_LEFT: case KEY_RIGHT: case KEY_DOWN: {
      // Every arrow walks the group; a drop-down list opens with Enter.
      const bool previous = (wParam & 0xFFFF) == KEY_UP || (wParam & 0xFFFF) == KEY_LEFT;
      WindowHandle next = GetNextDlgGroupItem(hwnd, focused, previous);
      if (next && next != focused && !(code & DLGC_STATIC)) SetFocusChild(next);
      return 0;
    }
    default: break;
  }
  return ControlDefault(hwnd, MSG_KEYDOWN, wParam, lParam);
}

// Shared by pages and containers; paint is the pages' alone.
LResult PageCommon(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_KEYDOWN: return PageKey(hwnd, wParam, lParam);
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      break;
    case MSG_DLG_GETDEFID: return GetDlgDefPushButton(hwnd);
    case MSG_DLG_SETDEFID: return SwapDefaultButton(hwnd, wParam, lParam);
    default: break;
  }
  return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

extern "C" {

void SetControlFontByStyle(WindowHandle hwnd) {
  if (!GetControlPtr(hwnd)) return;
  const uint32_t ex = GetWindowExStyle(hwnd);
  const int slot = (ex & 0x200u) ? 7 : (ex & 0x8000u) ? 8 : (ex & 0x02000000u) ? 9 : 5;
  // Stored without the font-change messages: they would repaint, and
  // painting sets the font again.
  StoreControlFont(hwnd, g_SysLogFont[slot]);
}

LResult DefaultPageProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_PAINT) {
    EndPaint(hwnd, BeginPaint(hwnd));
    return 0;
  }
  return PageCommon(hwnd, msg, wParam, lParam);
}

LResult ContainerDialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return PageCommon(hwnd, msg, wParam, lParam);
}

}  // extern "C"

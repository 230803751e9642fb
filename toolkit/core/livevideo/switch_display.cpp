// Moving the menus from one display to the other, and the flags that hold
// it off.
#include <atomic>
#include <mutex>
#include <utility>

#include "core/cursor/system_cursor.h"
#include "core/livevideo/areas.h"
#include "core/livevideo/display_switch.h"
#include "gui/cursor.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/font.h"
#include "gui/livevideo.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace {

constexpr int kImeHideCommand = 5;

std::atomic<int> g_enabled{1};
std::atomic<int> g_holds{0};
std::atomic<bool> g_inProgress{false};
// The desktop's pending close: taken together with the in-progress mark,
// so a close asked at the switch's end is either held and made, or made.
std::mutex g_pendingLock;
bool g_closePending = false;
std::atomic<int> g_crossDisplay{0};
std::mutex g_switchLock;

bool Shown(WindowHandle hwnd) {
  WindowRecord* win = ValidMainWindow(hwnd);
  return win && IsVisibleRecord(win);
}

// The held close, made on the display now current, whose preview window
// is repainted.
void CloseHeldWindows() {
  PostMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  const WindowHandle preview = GetDisplayPreviewWindow(getCurOutputHook());
  if (preview != __gui_hwnd_desktop && ValidMainWindow(preview)) InvalidateRect(preview, nullptr, TRUE);
}

void PlaceImeAfterSwitch(bool aux, const Size& screen) {
  WindowHandle ime = ImeWindow();
  if (!ValidMainWindow(ime)) return;
  const int f = GetSysFontHeight(aux ? 6 : 1);
  MoveWindow(ime, screen.cx - 540, screen.cy - (2 * f + 34), 440, 2 * f + 14, FALSE);
}

}  // namespace

void SuspendDisplaySwitching() { ++g_holds; }
void ResumeDisplaySwitching() {
  if (g_holds > 0) --g_holds;
}
bool DisplaySwitchEnabled() { return g_enabled != 0 && g_holds == 0; }
bool DisplaySwitchInProgress() { return g_inProgress; }

bool HoldCloseDuringSwitch() {
  std::lock_guard<std::mutex> hold(g_pendingLock);
  if (!g_inProgress) return false;
  g_closePending = true;
  return true;
}

extern "C" {

int EnableSwitchDispDev(int flag) {
  g_enabled = flag;
  return flag;
}

void SetCrossDisplayFlag(int value) { g_crossDisplay = value; }
int GetCrossDisplayFlag(void) { return g_crossDisplay; }

int SwitchDispDev(void) {
  if (!GuiApp()->getSessionFlag() || !DisplaySwitchEnabled() || Shown(SoftKeyboardWindow())) {
    TakeOutputSwitchRequest();
    return getCurOutputHook();
  }
  std::lock_guard<std::mutex> hold(g_switchLock);
  if (GuiApp()->isDispSwitchEnabled()) {
    {
      std::lock_guard<std::mutex> pending(g_pendingLock);
      g_inProgress = true;
    }
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 0);
    ClearInputHelperState();
    WindowHandle ime = ImeWindow();
    if (Shown(ime)) {
      PostMessage(ime, MSG_DT_IMECMD, kImeHideCommand, 0);
      ShowWindow(ime, SW_HIDE);
    }
    const bool toMain = getCurOutputHook() == getAuxOutputHook();
    setCurOutputHook(toMain ? getMainOutputHook() : getAuxOutputHook());
    Size screen{};
    GetScreenExtentEx(getCurOutputHook(), &screen);
    // The middle of the new screen (not the height twice).
    SetCursorPos(screen.cx / 2, screen.cy / 2);
    SelectFont(HDC_SCREEN, g_SysLogFont[toMain ? 1 : 6]);
    PlaceImeAfterSwitch(!toMain, screen);
    ShowSystemCursor(0);
    bool closeHeld;
    {
      std::lock_guard<std::mutex> pending(g_pendingLock);
      g_inProgress = false;
      closeHeld = std::exchange(g_closePending, false);
    }
    // Taken after the switch rather than at the output change: a close asked
    // until the mark is cleared is held, and none is left behind.
    if (closeHeld) CloseHeldWindows();
  }
  TakeOutputSwitchRequest();
  return getCurOutputHook();
}

}  // extern "C"

// TerminateGUI: the system threads end first, since they use most of what
// is torn down after them.
#include "core/desktop/desktop.h"
#include "core/element/system_res.h"
#include "core/control_layer.h"
#include "core/message/refresh_list.h"
#include "core/startup/gui_locks.h"
#include "core/startup/input_helpers.h"
#include "core/startup/system_threads.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_threads.h"
#include "core/window/default_proc_internal.h"
#include "gui/control_class.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/fixstr.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/menu.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/window.h"

namespace {

// The tool windows (input method, soft keyboard, bubble tip) run threads of
// their own: each is closed and its thread joined while the desktop still
// answers them.
void EndToolWindows() {
  for (WindowHandle (*tool)() : {ImeWindow, SoftKeyboardWindow, BubbleTip}) {
    const WindowHandle hwnd = tool();
    if (!IsValidHandle(hwnd)) continue;
    SendMessage(hwnd, MSG_CLOSE, 0, 0);
    WaitMainWindowClose(hwnd, nullptr);
  }
  // One closed earlier (the soft keyboard's Enter closes both, a close of
  // all windows reaches the tip) may still be on its way out, no longer
  // registered and with nobody waiting for it.
  JoinToolWindowThreads();
  JoinThreadsOfEndedWindows();
}

}  // namespace

extern "C" {

// The desktop is asked to end whatever rcByGUI says: a desktop left waiting
// would be a thread left behind.
void TerminateGUI(int) {
  EndToolWindows();
  StopSystemThreads();
  DestroyRefreshList();
  DestroyGuiLocks();
  TerminateTextAndFonts();
  TerminateGDI();
  TermCursors();
  TermIAL();
  GAL_VideoQuit();
  TerminateLayout();
  TermQueueRegistry();
  TerminateTimers();
  TerminateDesktop();
  UnloadSystemResources();
  TerminateAccel();
  Controls().terminateControlClass();
  TerminateMenu();
  UnloadGuiEtc();
  TermFixStr();
}

void ExitGUISafely(int exitcode) { TerminateGUI(exitcode <= 0 ? exitcode : -exitcode); }

BOOL ReinitDesktopEx(BOOL init_sys_text) {
  return SendMessage(__gui_hwnd_desktop, MSG_DT_REINIT, static_cast<WParam>(init_sys_text), 0) == 0 ? TRUE : FALSE;
}

void GetEventHintRect(int, Rect* rect) {
  if (rect) *rect = Rect{0, 0, 0, 0};
}

}  // extern "C"

// TerminateGUI: the system threads end first, since they use most of what
// is torn down after them.
#include "core/desktop/desktop.h"
#include "core/message/refresh_list.h"
#include "core/startup/gui_locks.h"
#include "core/startup/pending_stages.h"
#include "core/startup/system_threads.h"
#include "core/timer/timer_internal.h"
#include "gui/control_class.h"
#include "gui/desktop.h"
#include "gui/fixstr.h"
#include "gui/message.h"
#include "gui/startup.h"

extern "C" {

// The desktop is asked to end whatever rcByGUI says: a desktop left waiting
// would be a thread left behind.
void TerminateGUI(int) {
  StopSystemThreads();
  DestroyRefreshList();
  DestroyGuiLocks();
  StageTerminateTextAndFonts();
  StageTerminateGDI();
  StageTerminateCursors();
  StageTermIAL();
  StageGalVideoQuit();
  StageUnloadLayoutRes();
  TermQueueRegistry();
  TerminateTimers();
  StageTerminateDesktop();
  StageTerminateAccel();
  TerminateControlClass();
  StageTerminateMenu();
  StageUnloadGuiEtc();
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

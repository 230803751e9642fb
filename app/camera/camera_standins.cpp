// Stand-ins for the PTZ panel and the add-camera dialog: each
// answers as a small modal dialog with its caption and a Cancel button,
// registered like the finished window, so the live view can open, cover and
// close it.
#include <atomic>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera/camera_windows.h"
#include "app/camera.h"
#include "app/liveview_dialogs.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kCancel = 2;

std::atomic<WindowHandle> g_ptzPanel{GUI_INVALID_HANDLE};

const liveview_dialogs::DialogItem kCancelItem[] = {{kCancel, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0,
    "cancel"}};

struct Placeholder {
  const char* window;
  const char* record;
  void (*registerWindow)(WindowHandle hwnd);
  void (*leave)();  // gives back what opening it changed; may be null
};

void setPtzPanel(WindowHandle hwnd) { g_ptzPanel.store(hwnd); }

// The side menu put the output into the PTZ state: every way out of the
// panel returns it to the live view, which otherwise ignores every click.
void leavePtz() {
  const int output = getCurOutput();
  setPtzMouseMode(0);
  if (getOutputState(output) == OUTSTATE_PTZ) setOutputState(output, OUTSTATE_LIVEVIEW);
}

const Placeholder kPtz{"ptzplay", "ptzplay_win", setPtzPanel, leavePtz};
const Placeholder kAddIpc{"addipc", "addipc_win", setAddIpcWnd, nullptr};

template <const Placeholder& P>
LResult placeholderProc(WindowHandle dlg, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_INITDIALOG:
      P.registerWindow(dlg);
      liveview_dialogs::createDialogItems(dlg, P.window, kCancelItem, 1, kCancel);
      return 0;
    case MSG_PTZSHOW:  // shown again after a box or a mouse mode
      ShowWindow(dlg, SW_SHOWNORMAL);
      EnableWindow(dlg, TRUE);
      return 0;
    case MSG_PTZCOVERED:  // a box is about to cover it
      return 0;
    case MSG_COMMAND:
      if ((wParam & 0xFFFF) == kCancel) SendMessage(dlg, MSG_CLOSE, 0, 0);
      return 0;
    case MSG_CLOSE:
      P.registerWindow(GUI_INVALID_HANDLE);
      if (P.leave) P.leave();
      EndDialog(dlg, 0);
      return 0;
    default:
      return liveview_dialogs::smallDialogDefault(dlg, message, wParam, lParam, true);
  }
}

template <const Placeholder& P>
int runPlaceholder(WindowHandle owner) {
  return static_cast<int>(liveview_dialogs::runCentredDialog(owner, P.window, P.record, placeholderProc<P>));
}

}  // namespace

namespace camera_windows {

WindowHandle getPtzPlayWindow(void) { return g_ptzPanel.load(); }
int showPtzPlayDialog(WindowHandle owner) { return runPlaceholder<kPtz>(owner); }
int showAddIpcDialog(WindowHandle owner) { return runPlaceholder<kAddIpc>(owner); }

}  // namespace camera_windows

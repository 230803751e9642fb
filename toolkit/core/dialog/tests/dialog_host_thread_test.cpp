// A host whose thread runs one modal dialog after another while the user
// clicks on the host: the dialog's end changes the host's style words on the
// host's thread as the desktop thread reads them to activate the host.
#include <gtest/gtest.h>
#include <sched.h>

#include <atomic>
#include <thread>

#include "core/message/tests/watchdog.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/dialog.h"
#include "gui/window_attr.h"

namespace {

constexpr int kEnd = 0x9002;  // ends the dialog from inside its own loop
constexpr int kDialogs = 150;
// Clicks per dialog: enough to meet its end, few enough to leave room in the
// host's queue (the clicks on the disabled host only beep).
constexpr int kClicksPerDialog = 8;

LResult SelfEndingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_INITDIALOG) {
    SendNotifyMessage(hwnd, kEnd, 0, 0);  // the host's clicks may fill its queue's ring
    return 1;
  }
  if (msg == kEnd) {
    EndDialog(hwnd, IDOK);
    return 0;
  }
  return DefaultDialogProc(hwnd, msg, wParam, lParam);
}

using DialogHosts = guitest::StartedGui;

TEST_F(DialogHosts, ClicksOnAHostWhoseThreadEndsModalDialogsMeetNoRace) {
  const Rect hostFrame{0, 0, 200, 200};
  std::atomic<WindowHandle> host{0};
  std::atomic<bool> done{false};
  std::atomic<int> ended{0};
  std::atomic<int> wrongResults{0};
  std::thread owner([&] {
    MainWinCreate create = MainWindowCreation(hostFrame, DefaultMainWinProc, "host", WS_VISIBLE);
    WindowHandle made = CreateMainWindow(&create);
    host = made;
    DlgTemplate tpl{WS_BORDER, 0, 300, 300, 200, 100, "", 0, 0, 0, nullptr, 0};
    for (int i = 0; i < kDialogs && made != GUI_INVALID_HANDLE; ++i, ++ended)
      if (DialogBoxIndirectParam(&tpl, made, SelfEndingProc, 0) != IDOK) ++wrongResults;
    done = true;
    if (made != GUI_INVALID_HANDLE) {
      DestroyMainWindow(made);
      MainWindowThreadCleanup(made);
    }
  });
  while (!host.load()) sched_yield();
  if (host.load() == GUI_INVALID_HANDLE) {
    owner.join();
    FAIL() << "the host was not made";
  }
  {
    Watchdog dog(120, "clicks while a host's dialogs open and end");
    const LParam onHost = desktest::PointParam(100, 100);
    for (int round = -1, clicks = 0; !done;) {
      if (ended != round) {
        round = ended;
        clicks = 0;
      }
      if (clicks++ >= kClicksPerDialog) {
        sched_yield();
        continue;
      }
      PostMessage(__gui_hwnd_desktop, MSG_LBUTTONDOWN, 0, onHost);
      PostMessage(__gui_hwnd_desktop, MSG_LBUTTONUP, 0, onHost);
      desktest::AwaitDesktopRead();
    }
    owner.join();
  }
  EXPECT_EQ(wrongResults.load(), 0);
}

}  // namespace

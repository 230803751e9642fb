// A window shown, raised from hidden or uncovered holds the host's presents
// back until its own thread has painted it: the holds the desktop thread
// takes are given back by the painting thread, or by the queue going away.
#include "core/desktop/tests/desktop_fixture.h"
#include "core/driver/host_thread.h"

namespace desktest {
namespace {

class PresentHold : public DesktopTest {};

TEST_F(PresentHold, ShownWindowsHoldPresentsUntilTheirThreadPaintedThem) {
  ASSERT_EQ(host::HeldPresents(), 0);
  WindowHandle back = Main({0, 0, 300, 300});
  EXPECT_EQ(host::HeldPresents(), 1) << "the new window is not painted yet";
  WindowHandle front = Main({100, 100, 200, 200});
  EXPECT_EQ(host::HeldPresents(), 2);
  Drain();
  EXPECT_EQ(host::HeldPresents(), 0) << "both painted";

  Request(MSG_DT_HIDEMAINWIN, front);  // back gets the uncovered part to repaint
  EXPECT_EQ(host::HeldPresents(), 1);
  Request(MSG_DT_SHOWMAINWIN, front);
  EXPECT_EQ(host::HeldPresents(), 2);
  Drain();
  EXPECT_EQ(host::HeldPresents(), 0);

  // A window whose thread never paints it again: its queue's end gives the
  // hold back.
  Request(MSG_DT_HIDEMAINWIN, front);
  Request(MSG_DT_HIDEMAINWIN, back);
  Request(MSG_DT_SHOWMAINWIN, back);
  EXPECT_GT(host::HeldPresents(), 0);
  DestroyKept();
  EXPECT_EQ(host::HeldPresents(), 0);
}

// A thread of its own paints its window while the test thread keeps
// showing and hiding it through the desktop.
TEST_F(PresentHold, HoldsTakenAndGivenBackOnDifferentThreadsAllReturn) {
  MainWinCreate create = MainWindowCreation({20, 20, 220, 220}, OwnThreadWindow::CloseOrRecord, "own");
  OwnThreadWindow own(create);
  pthread_t thread{};
  ASSERT_EQ(CreateThreadForMainWindow(&thread, nullptr, OwnThreadWindow::Run, &own), 0);
  own.created.Wait();
  const WindowHandle theirs = own.hwnd;
  ASSERT_NE(theirs, GUI_INVALID_HANDLE);
  for (int i = 0; i < 200; ++i) Request(i % 2 ? MSG_DT_SHOWMAINWIN : MSG_DT_HIDEMAINWIN, theirs);
  PostMessage(theirs, MSG_CLOSE, 0, 0);
  EXPECT_EQ(WaitMainWindowClose(theirs, nullptr), 0);
  EXPECT_EQ(host::HeldPresents(), 0);
}

}  // namespace
}  // namespace desktest

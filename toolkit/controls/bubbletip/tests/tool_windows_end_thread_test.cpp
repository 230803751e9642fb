// TerminateGUI ends the tool windows' threads itself: the input method, the
// soft keyboard and the bubble tip, opened as the program opens them, are
// closed and joined before the system threads stop, so nothing is left
// running and a second start finds none of them registered.
#include <gtest/gtest.h>

#include "controls/bubbletip/bubbletip.h"
#include "gui/bubbletip.h"
#include "gui/desktop.h"
#include "gui/ime.h"
#include "gui/startup.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "thread_count.h"

namespace {

TEST(ToolWindowsEnd, TerminateGuiClosesAndJoinsEveryToolWindowThread) {
  const threadcount::ThreadIds before = threadcount::RunningThreads();
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(InitGUI(0, nullptr), 0);
    const threadcount::ThreadIds started = threadcount::RunningThreads();
    const WindowHandle tools[] = {GBIMEWindow(__gui_hwnd_desktop), SKBWindow(), bubbletipWindow()};
    for (WindowHandle tool : tools) {
      ASSERT_TRUE(IsValidHandle(tool)) << "round " << round;
      EXPECT_TRUE(IsWindow(tool));
    }
    EXPECT_EQ(threadcount::StartedSince(started, 3), 3);
    TerminateGUI(0);
    EXPECT_EQ(controls::BubbleTipWindow(), 0u);
    EXPECT_EQ(threadcount::StartedSince(before, 0), 0) << "round " << round;
  }
}

}  // namespace

// The copy-to-days dialog as a user clicks it: the days chosen reach the
// caller's mask only through OK, "all" reaches the disabled source day too,
// every other way out leaves 0, and the dialog looks as its reference.
#include <string>

#include "app/core/registry/tests/dialog_steps.h"
#include "app/page_frame.h"
#include "app/testing/page_harness.h"
#include "app/time_segments.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "app/page_keys.h"

namespace {

using livetest::ClickItem;
using livetest::PumpUntil;

constexpr int kAll = 4176, kDay0 = 4192;

bool Checked(WindowHandle dlg, int id) { return SendDlgItemMessage(dlg, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class CopyWeek : public livetest::LiveGui {
 protected:
  // Opens the dialog for `source`, runs `steps` in its loop, answers the mask.
  uint64_t Run(int source, const std::function<void(WindowHandle)>& steps) {
    const WindowHandle over = owner_;
    RunInLoop([source, over](WindowHandle helper) { return showCopyWeekDialog(over ? over : helper, source); }, [&] {
      const WindowHandle dlg = GetActiveWindow();
      steps(dlg);
      // A step that failed early still ends the dialog.
      if (IsWindowVisible(dlg)) SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
    return getCopyWeekMask();
  }
  static void Close(WindowHandle dlg, int id) {
    ClickItem(dlg, id);
    const bool closed = PumpUntil([dlg] { return !IsWindowVisible(dlg); });
    EXPECT_TRUE(closed) << "closed by " << id;
    if (!closed) SendMessage(dlg, MSG_CLOSE, 0, 0);  // the test ends rather than hangs
  }
  WindowHandle owner_ = 0;  // the dialogs' owner when set, else the loop's helper
};

TEST_F(CopyWeek, OkHandsBackTheCheckedDaysAndAllReachesTheDisabledSource) {
  struct Row {
    int source;
    std::vector<int> clicks;
    uint64_t mask;
  } rows[] = {{2, {kAll}, 0xFF},                          // all eight, the disabled source included
              {7, {kDay0 + 0, kDay0 + 6}, 0x41},          // the holiday is the source; days free
              {0, {kAll, kDay0 + 3}, 0xF7},               // unchecking a day drops "all" only
              {4, {}, 0},                                 // OK with nothing checked
              {-1, {kDay0 + 7, kDay0 + 7, kDay0 + 1}, 0x2}};  // no source: every box free
  for (const Row& row : rows) {
    SCOPED_TRACE("source " + std::to_string(row.source));
    bool sourceDisabled = false, allAfter = true;
    const uint64_t mask = Run(row.source, [&](WindowHandle dlg) {
      for (int id : row.clicks) {
        const bool before = Checked(dlg, id);
        ClickItem(dlg, id);
        ASSERT_TRUE(PumpUntil([&] { return Checked(dlg, id) != before; })) << id;
      }
      if (row.source >= 0) sourceDisabled = IsWindowEnabled(GetDlgItem(dlg, kDay0 + row.source)) == FALSE;
      allAfter = Checked(dlg, kAll);
      Close(dlg, PAGE_ID_OK);
    });
    EXPECT_EQ(mask, row.mask);
    if (row.source >= 0) {
      EXPECT_TRUE(sourceDisabled);
    }
    if (row.clicks.size() == 2 && row.clicks[0] == kAll) {
      EXPECT_FALSE(allAfter);
    }
  }
}

TEST_F(CopyWeek, CancelEscapeAndCloseLeaveNoDaysAndTheFocusStartsOnCancel) {
  // Opened over a stand-in for the live view, which takes a click again
  // after each way out.
  owner_ = Main({0, 0, 1024, 768}, livetest::LiveStandInProc);
  constexpr int kFreeX = 40, kFreeY = 700;
  int focused = 0;
  EXPECT_EQ(Run(1, [&](WindowHandle dlg) {
              focused = GetDlgCtrlID(GetFocusChild(dlg));
              ClickItem(dlg, kAll);
              ASSERT_TRUE(PumpUntil([&] { return Checked(dlg, kDay0 + 5); }));
              Close(dlg, IDCANCEL);
            }),
            0u);
  EXPECT_EQ(focused, IDCANCEL);
  EXPECT_TRUE(livetest::StandInTakesClick(kFreeX, kFreeY)) << "after Cancel";
  EXPECT_EQ(Run(1, [](WindowHandle dlg) {
              ClickItem(dlg, kAll);
              ASSERT_TRUE(PumpUntil([&] { return Checked(dlg, kDay0); }));
              livetest::PressKey(KEY_ESC);
              EXPECT_TRUE(PumpUntil([dlg] { return !IsWindowVisible(dlg); }));
            }),
            0u);
  EXPECT_TRUE(livetest::StandInTakesClick(kFreeX, kFreeY)) << "after Escape";
  EXPECT_EQ(Run(1, [](WindowHandle dlg) { SendMessage(dlg, MSG_CLOSE, 0, 0); }), 0u);
  EXPECT_TRUE(livetest::StandInTakesClick(kFreeX, kFreeY)) << "after the close message";
}

TEST_F(CopyWeek, TheDialogMatchesItsReference) {
  Run(3, [](WindowHandle dlg) {
    ClickItem(dlg, kDay0 + 1);
    ASSERT_TRUE(PumpUntil([&] { return Checked(dlg, kDay0 + 1); }));
    Rect r{};
    GetWindowRect(dlg, &r);
    livetest::MatchesReference(__FILE__, "copyweek", livetest::SettledGrab(r));
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
}

}  // namespace

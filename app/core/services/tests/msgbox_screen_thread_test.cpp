// The application's hint and question boxes as the user sees them: the
// toolkit's own message box titled and texted from the shipped language
// file, compared pixel for pixel with reference pictures.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <functional>

#include "app/msgbox.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/page_keys.h"
#include "app/testing/page_harness.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/dialog.h"
#include "gui/window_attr.h"

namespace {

constexpr int kShoot = 0x9002;

guitest::Picture g_shot;
// How the user leaves the box once its picture is taken.
std::function<void(WindowHandle)> g_leave;

void PressEscape(WindowHandle) { livetest::PressKey(KEY_ESC); }

// Runs inside the box's loop: the box has painted itself by the time the
// queue reaches this message; the picture is taken and the box left.
LResult ShooterProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != kShoot) return DefaultWindowProc(hwnd, msg, wParam, lParam);
  desktest::Drain();
  WindowHandle box = GetActiveWindow();
  Rect r{};
  GetWindowRect(box, &r);
  g_shot = guitest::Grab(r);
  g_leave(box);
  return 0;
}

class HintsOnScreen : public guitest::StartedGui {
 protected:
  void SetUp() override {
    MainWinCreate create = MainWindowCreation({0, 0, 10, 10}, ShooterProc, "shooter", 0);
    shooter_ = CreateMainWindow(&create);
    ASSERT_NE(shooter_, GUI_INVALID_HANDLE);
    windows_.push_back(shooter_);
    g_shot = guitest::Picture{};
  }
  void ShootNextBox(std::function<void(WindowHandle)> leave = PressEscape) {
    g_leave = std::move(leave);
    PostMessage(shooter_, kShoot, 0, 0);
  }
  WindowHandle shooter_ = 0;
};

TEST_F(HintsOnScreen, RangeHintShowsTheItemAndBothEnds) {
  ShootNextBox();
  EXPECT_EQ(showRangeHint(0, "commons", "ok", 1, 99), 0);
  guitest::MatchReference(g_shot, guitest::ReferencePath(__FILE__, "range_hint.png"));
}

TEST_F(HintsOnScreen, QuestionBoxAsksWithYesAndNo) {
  ShootNextBox();
  EXPECT_EQ(askMsgBox(0, "commons", "shutdownhint"), IDNO);
  guitest::MatchReference(g_shot, guitest::ReferencePath(__FILE__, "question_box.png"));
}

TEST_F(HintsOnScreen, EachWayOutOfABoxGivesItsAnswer) {
  const auto clicking = [](int id) { return [id](WindowHandle box) { inputtest::ClickClosing(box, id); }; };
  ShootNextBox(clicking(IDOK));
  EXPECT_EQ(showRangeHint(0, "commons", "ok", 1, 99), 0);  // returns once its OK closed it
  const struct {
    const char* way;
    std::function<void(WindowHandle)> leave;
    int answer;
  } ways[] = {{"Yes", clicking(IDYES), IDYES}, {"No", clicking(IDNO), IDNO}, {"Escape", PressEscape, IDNO}};
  for (const auto& w : ways) {
    ShootNextBox(w.leave);
    EXPECT_EQ(askMsgBox(0, "commons", "shutdownhint"), w.answer) << w.way;
  }
}

}  // namespace

// Controls the pages build alike, on a started toolkit: a control and its
// label from one rectangle, and the channel check-box block with its "all"
// boxes, filtered by the user's rights.
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/core/liveview/tests/live_gui_fixture.h"

namespace {

using livetest::LiveGui;

LResult PageProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

class ControlServices : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    page_ = Main({0, 0, 800, 600}, PageProc);
  }
  Rect At(int id) {
    Rect r{};
    GetWindowRect(GetDlgItem(page_, id), &r);
    return r;
  }
  bool Exists(int id) {
    const WindowHandle h = GetDlgItem(page_, id);
    return h != 0 && h != GUI_INVALID_HANDLE;
  }
  int State(int id) { return static_cast<int>(SendDlgItemMessage(page_, id, BM_GETCHECK, 0, 0)); }
  WindowHandle page_ = 0;
};

TEST_F(ControlServices, LabelTakesItsShareOfTheRectangleAndTheControlTheRest) {
  setCtrlScale(3, 7);
  const WindowHandle edit =
      createLabeledCtrl("button", "Name", 0x0C000002u, 0x10011u | 0x100000u, 40, 10, 20, 300, 24, page_, 0);
  ASSERT_NE(edit, GUI_INVALID_HANDLE);
  const WindowHandle label = GetDlgItem(page_, 40 + 256);
  Rect l{}, c{};
  GetWindowRect(label, &l);
  GetWindowRect(edit, &c);
  EXPECT_EQ(l.left, 10);
  EXPECT_EQ(l.right - l.left, 90);
  EXPECT_EQ(c.left, 100);
  EXPECT_EQ(c.right - c.left, 210);
  EXPECT_STREQ(GetWindowCaption(label), "Name");
  // The label follows the control's visibility and enabling bits; its
  // extended style takes the corner bits over.
  EXPECT_EQ(GetWindowStyle(label) & 0x0C000105u, 0x0C000105u);
  EXPECT_EQ(GetWindowExStyle(label) & 0x500011u, 0x500011u);
  EXPECT_EQ(GetWindowExStyle(edit) & 0x11u, 0u);
  enableLabeledCtrl(page_, 40, 1);
  showLabeledCtrl(page_, 40, 0);
  EXPECT_FALSE(IsWindowVisible(label));
  EXPECT_FALSE(IsWindowVisible(edit));
}

TEST_F(ControlServices, ChannelBoxesFillTheGridAndTheAllBoxesFollowTheirGroup) {
  const int bottom = createChanCheckBoxes(page_, "copychan", "all_analog", "all_ipc", "chan_item", 0x48000003u, 0, 2,
                                          8, 0);
  // 16 analog boxes in two rows of 8 cells of 60 x 26 from (20, 70), then
  // the IP block 8 pixels below them.
  ASSERT_TRUE(Exists(4176));
  EXPECT_EQ(At(4192 + 9).left, 80);
  EXPECT_EQ(At(4192 + 9).top, 96);
  EXPECT_STREQ(GetWindowCaption(GetDlgItem(page_, 4192 + 15)), "A16");
  EXPECT_EQ(At(4177).top, 130);
  EXPECT_STREQ(GetWindowCaption(GetDlgItem(page_, 4224)), "D1");
  EXPECT_EQ(bottom, 156);

  setChanCheckBoxes(page_, 0xFFFFull | (1ull << 16));
  EXPECT_EQ(State(4176), 1);
  EXPECT_EQ(State(4177), 1);
  EXPECT_EQ(getCheckedChanMask(page_), 0x1FFFFull);
  SendDlgItemMessage(page_, 4192 + 3, BM_SETCHECK, 0, 0);
  onChanCheckBox(page_, 4192 + 3);
  EXPECT_EQ(State(4176), 0);
  EXPECT_EQ(State(4177), 1);
  onChanAllCheckBox(page_, 4177);
  SendDlgItemMessage(page_, 4176, BM_SETCHECK, 1, 0);
  onChanAllCheckBox(page_, 4176);
  EXPECT_EQ(getCheckedChanMask(page_), 0x1FFFFull);
  setAllChanCheckBoxes(page_, 0);
  EXPECT_EQ(getCheckedChanMask(page_), 0u);
}

TEST_F(ControlServices, BoxesLeaveOutChannelsTheUserMayNotUse) {
  setLoginState(3, 1, 0);  // the guest: no recording right on any channel
  createChanCheckBoxes(page_, "copychan", "all_analog", "all_ipc", "chan_item", 0x48000003u, 0, 2, 8, 1);
  EXPECT_FALSE(Exists(4192));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, 4176)));
  EXPECT_FALSE(Exists(4224));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, 4177)));
  EXPECT_EQ(createChanCheckBoxes(page_, "copychan", nullptr, nullptr, "no_such_item", 0, 0, 2, 8, 1), -1);
}

TEST(Calendar, MonthLengthsAndLeapYears) {
  EXPECT_EQ(daysInMonth(2000, 2), 29);
  EXPECT_EQ(daysInMonth(1900, 2), 28);
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(2023, 4), 30);
  EXPECT_EQ(daysInMonth(2023, 13), -1);
  EXPECT_EQ(daysInMonth(2023, 0), -1);
}

}  // namespace

// The scroll window: its container built from a set-up record, commands of
// the panel's controls reaching the scroll window's parent as 301, line
// scrolling moving the container, the shared dialog code and the reset.
#include <gtest/gtest.h>

#include <vector>

#include "core/nonclient/tests/started_gui.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/scrollwnd.h"
#include "gui/window_attr.h"

namespace {

constexpr int kProbeCode = 7;

LResult ProbeProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_LBUTTONDOWN) NotifyParentEx(hwnd, kProbeCode, 0);
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

std::vector<LParam> g_inits;
LResult LoggingContainer(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_SVCONTAINERINIT) g_inits.push_back(lParam);
  return DefaultContainerProc(hwnd, msg, wParam, lParam);
}

CtrlData g_probes[] = {
    {"probe", WS_VISIBLE, 10, 10, 60, 20, 501, "a", 0, 0},
    {"probe", WS_VISIBLE, 10, 200, 60, 20, 502, "b", 0, 0},
    {"probe", WS_VISIBLE, 10, 400, 60, 20, 503, "c", 0, 0},
};

class ScrollWindow : public guitest::StartedGui {
 protected:
  void SetUp() override {
    WndClassInfo info{};
    info.className = "probe";
    info.windowProc = ProbeProc;
    RegisterWindowClass(&info);
    g_inits.clear();
    main_ = Main({0, 0, 400, 300}, 0);
    ContainerInfo setup{LoggingContainer, 3, g_probes, 4242};
    sw_ = CreateWindowEx("scrollwnd", "", WS_VISIBLE, 0, 90, 10, 10, 208, 158, main_,
                         reinterpret_cast<LParam>(&setup));
    ASSERT_NE(sw_, GUI_INVALID_HANDLE);
    container_ = reinterpret_cast<ScrollWndData*>(GetWindowAdditionalData2(sw_))->container;
  }
  Rect ContainerRect() {
    Rect r{};
    GetWindowRect(container_, &r);
    return r;
  }
  WindowHandle main_ = 0, sw_ = 0, container_ = 0;
};

TEST_F(ScrollWindow, ContainerCommandsReachTheParentAs301) {
  EXPECT_EQ(g_inits, std::vector<LParam>{4242});
  WindowHandle b = static_cast<WindowHandle>(SendMessage(sw_, SVM_GETCTRL, 502, 0));
  ASSERT_NE(b, 0u);
  Received(main_, MSG_SVCOMMAND);
  SendMessage(b, MSG_LBUTTONDOWN, 0, 0);
  std::vector<SeenMessage> got = Received(main_, MSG_SVCOMMAND);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wParam, (static_cast<WParam>(kProbeCode) << 16) | 502);
  EXPECT_EQ(got[0].lParam, static_cast<LParam>(b));
}

TEST_F(ScrollWindow, LinesMoveTheContainerUntilItsBottomMeetsTheVisibleArea) {
  SendMessage(sw_, SVM_SETCONTRANGE, 0, 440);
  const int top = static_cast<int>(SendMessage(sw_, SVM_GETTOPMARGIN, 0, 0));
  const int visible = static_cast<int>(SendMessage(sw_, SVM_GETVISIBLEHEIGHT, 0, 0));
  EXPECT_EQ(SendMessage(sw_, SVM_GETCONTHEIGHT, 0, 0), 440);
  // Windows are placed at even coordinates.
  auto at = [&](int offset) { return (top - offset) & ~1; };
  SendMessage(sw_, MSG_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(ContainerRect().top, at(15));
  SendMessage(sw_, MSG_KEYDOWN, 108, 0);
  EXPECT_EQ(ContainerRect().top, at(30));
  for (int i = 0; i < 40; ++i) SendMessage(sw_, MSG_MOUSEWHEELDOWN, 0, 0);
  EXPECT_EQ(SendMessage(sw_, SVM_GETCONTENTY, 0, 0), 440 - visible);
  EXPECT_EQ(ContainerRect().top, at(440 - visible));
  SendMessage(sw_, MSG_MOUSEWHEELUP, 0, 0);
  EXPECT_EQ(SendMessage(sw_, SVM_GETCONTENTY, 0, 0), 440 - visible - 15);
}

TEST_F(ScrollWindow, EnterAndEscapeSwitchTheSharedDialogCode) {
  struct Step {
    WParam key;
    LResult code;
  } steps[] = {{0, 0x11}, {28, 0x4011}, {28, 0x11}, {1, 0x11}, {28, 0x4011}, {1, 0x11}};
  for (const Step& s : steps) {
    if (s.key) SendMessage(sw_, MSG_KEYDOWN, s.key, 0);
    EXPECT_EQ(SendMessage(sw_, MSG_GETDLGCODE, 0, 0), s.code) << s.key;
  }
}

TEST_F(ScrollWindow, ResetLeavesAnEmptyContainerTheSizeOfTheVisibleArea) {
  SendMessage(sw_, SVM_SETCONTRANGE, 500, 500);
  SendMessage(sw_, SVM_SETCONTPOS, 30, 40);
  SendMessage(sw_, SVM_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(sw_, SVM_GETCTRL, 501, 0), 0);
  const Rect r = ContainerRect();
  EXPECT_EQ(r.right - r.left, SendMessage(sw_, SVM_GETVISIBLEWIDTH, 0, 0));
  EXPECT_EQ(r.bottom - r.top, SendMessage(sw_, SVM_GETVISIBLEHEIGHT, 0, 0));
  EXPECT_EQ(SendMessage(sw_, SVM_GETCONTENTY, 0, 0), 0);
  EXPECT_EQ(SendMessage(sw_, SVM_ADDCTRLS, 1, reinterpret_cast<LParam>(g_probes)), 0);
  EXPECT_NE(SendMessage(sw_, SVM_GETCTRL, 501, 0), 0);
}

}  // namespace

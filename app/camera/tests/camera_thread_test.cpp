// What the live view and the image pages use of the camera pages: channel
// lists, the copy-to-channels dialog run in its own loop, the stand-in PTZ
// panel and the add-camera error boxes.
#include <functional>

#include "app/app_messages.h"
#include "app/camera.h"
#include "app/device_backend.h"
#include "app/testing/page_harness.h"
#include "gui/app_hooks.h"
#include "gui/message.h"
#include "app/page_keys.h"

namespace {

using livetest::LiveGui;

class Camera : public LiveGui {};

TEST_F(Camera, ChannelListsNameAnalogAndIpChannelsOrSayNone) {
  struct Row {
    uint32_t low, high;
    int size;
    const char* want;
  } rows[] = {
      {0x5, 0, 64, "A1 A3 "},
      {0x8000, 0x1, 64, "A16 D17 "},  // bit 32 is channel 33, the 17th IP channel
      {0x10000, 0, 64, "D1 "},
      {0, 0x80000000u, 64, "D48 "},
      {0xFFFF, 0, 10, "A1 A2 A3 "},   // cut at the buffer's end
      {0, 0, 64, "None"},
  };
  for (const Row& row : rows) {
    char buf[64] = "x";
    EXPECT_EQ(formatChannelList(row.low, row.high, buf, row.size), 0);
    EXPECT_STREQ(buf, row.want) << row.low << " " << row.high;
  }
  EXPECT_EQ(formatChannelList(1, 0, nullptr, 8), -1);
}

TEST_F(Camera, CopyDialogGivesTheCheckedMaskOnOkAndNothingOnCancel) {
  setOutputState(3, OUTSTATE_COLORPANEL);  // opened from the colour panel
  int stateInside = -1;
  bool sourceDisabled = false;
  const int ok = RunInLoop([](WindowHandle owner) { return showImageCopyChanDialog(owner, 2, 1); }, [&] {
    WindowHandle dlg = getCopyChanWnd();
    stateInside = getOutputState(3);
    sourceDisabled = !IsWindowEnabled(GetDlgItem(dlg, 4193));
    SendDlgItemMessage(dlg, 4192 + 4, BM_SETCHECK, 1, 0);
    SendMessage(dlg, MSG_COMMAND, 4192 + 4, 0);
    MoveWindow(dlg, 100, 120, 520, 260, TRUE);
    SendMessage(dlg, MSG_COMMAND, 4097, 0);
  });
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(stateInside, 18);
  EXPECT_TRUE(sourceDisabled);
  EXPECT_EQ(getImageCopyChanMask(), 1ull << 4);  // the source channel is never a target
  EXPECT_EQ(getOutputState(3), OUTSTATE_COLORPANEL);
  Rect r{};
  getImageCopyChanRect(&r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);

  const int cancelled = RunInLoop([](WindowHandle owner) { return showImageCopyChanDialog(owner, 1, 1); }, [&] {
    WindowHandle dlg = getCopyChanWnd();
    SendDlgItemMessage(dlg, 4176, BM_SETCHECK, 1, 0);
    SendMessage(dlg, MSG_COMMAND, 4176, 0);
    SendMessage(dlg, MSG_KEYDOWN, KEY_ESC, 0);
  });
  EXPECT_EQ(cancelled, 0);
  EXPECT_EQ(getImageCopyChanMask(), 0u);
  EXPECT_EQ(getCopyChanWnd(), GUI_INVALID_HANDLE);
}

TEST_F(Camera, StandInPtzPanelIsRegisteredWhileOpenAndShowsAgainOn2064) {
  WindowHandle inside = GUI_INVALID_HANDLE;
  bool shownAgain = false;
  RunInLoop(showPtzPlayDialog, [&] {
    inside = getPtzPlayWindow();
    ShowWindow(inside, SW_HIDE);
    SendMessage(inside, MSG_PTZCOVERED, 0, 0);
    SendMessage(inside, MSG_PTZSHOW, 0, 0);
    shownAgain = IsWindowVisible(inside);
    SendMessage(inside, MSG_COMMAND, 2, 0);
  });
  EXPECT_NE(inside, GUI_INVALID_HANDLE);
  EXPECT_TRUE(shownAgain);
  EXPECT_EQ(getPtzPlayWindow(), GUI_INVALID_HANDLE);
}

TEST_F(Camera, AddCameraErrorsSayWhetherASlotWasFree) {
  showIpcAddError(0, -3);
  showIpcAddError(0, -1);
  ASSERT_EQ(livetest::Boxes().size(), 2u);
  EXPECT_EQ(livetest::Boxes()[0].text, "No free IP channel is left!");
  EXPECT_EQ(livetest::Boxes()[1].text, "Adding the IP camera failed!");
}

}  // namespace

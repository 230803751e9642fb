// What the live view and the image pages use of the camera pages: channel
// lists, the copy-to-channels dialog run in its own loop, the stand-in PTZ
// panel and the add-camera error boxes.
#include <functional>

#include "app/app_messages.h"
#include "app/camera.h"
#include "app/device_backend.h"
#include "app/control_services.h"
#include "app/core/registry/tests/dialog_steps.h"
#include "app/page_ids.h"
#include "app/testing/page_harness.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "app/page_keys.h"

namespace {

using livetest::LiveGui;

// A point of the screen that the centred dialogs leave free.
constexpr int kFreeX = 40, kFreeY = 700;

bool CopyDialogClosed() { return getCopyChanWnd() == GUI_INVALID_HANDLE; }
bool PtzPanelClosed() { return getPtzPlayWindow() == GUI_INVALID_HANDLE; }

class Camera : public LiveGui {
 protected:
  WindowHandle LiveView() { return Main({0, 0, 1024, 768}, livetest::LiveStandInProc); }

  // A user's drag of a dialog by its caption, by (dx, dy).
  static void DragByCaption(WindowHandle dlg, int dx, int dy) {
    Rect frame{};
    GetWindowRect(dlg, &frame);
    int clientLeft = 0, clientTop = 0;
    ClientToScreen(dlg, &clientLeft, &clientTop);
    // Between the frame's top and the client area: the caption.
    const int x = (frame.left + frame.right) / 2, y = (frame.top + clientTop) / 2;
    livetest::DragAt(x, y, x + dx, y + dy, [dlg] { return GetCapture() == dlg; });
    livetest::PumpUntil([] { return GetCapture() == 0; });
  }
};

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
  const WindowHandle live = LiveView();
  int stateInside = -1;
  bool sourceDisabled = false;
  Rect opened{}, dragged{};
  const int ok = RunInLoop([live](WindowHandle) { return showImageCopyChanDialog(live, 2, 1); }, [&] {
    const WindowHandle dlg = getCopyChanWnd();
    stateInside = getOutputState(3);
    sourceDisabled = !IsWindowEnabled(GetDlgItem(dlg, CHANBOX_ANALOG_FIRST + 1));
    livetest::Click(dlg, CHANBOX_ANALOG_FIRST + 1);  // the source takes no click
    livetest::Click(dlg, CHANBOX_ANALOG_FIRST + 4);
    GetWindowRect(dlg, &opened);
    DragByCaption(dlg, -120, -90);
    GetWindowRect(dlg, &dragged);
    EXPECT_TRUE(livetest::ClickClosing(dlg, PAGE_ID_OK, CopyDialogClosed));
  });
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(stateInside, OUTSTATE_COPYCHAN);
  EXPECT_TRUE(sourceDisabled);
  EXPECT_EQ(getImageCopyChanMask(), 1ull << 4);  // the source channel is never a target
  EXPECT_EQ(getOutputState(3), OUTSTATE_COLORPANEL);
  Rect r{};
  getImageCopyChanRect(&r);
  // Windows stand on even coordinates: the drag's end rounds to one.
  EXPECT_NEAR(dragged.left, opened.left - 120, 1);
  EXPECT_NEAR(dragged.top, opened.top - 90, 1);
  EXPECT_EQ(r.left, dragged.left);
  EXPECT_EQ(r.top, dragged.top);
  EXPECT_TRUE(livetest::StandInTakesClick(kFreeX, kFreeY));

  // Cancel, Escape and the close message each leave an empty mask, however
  // much was checked.
  const std::function<void(WindowHandle)> leaves[] = {
      [](WindowHandle dlg) { livetest::ClickClosing(dlg, IDCANCEL, CopyDialogClosed); },
      [](WindowHandle) { livetest::PressKey(KEY_ESC); },
      [](WindowHandle dlg) { SendMessage(dlg, MSG_CLOSE, 0, 0); },
  };
  for (const auto& leave : leaves) {
    bool allChecked = false;
    const int cancelled = RunInLoop([live](WindowHandle) { return showImageCopyChanDialog(live, 1, 1); }, [&] {
      const WindowHandle dlg = getCopyChanWnd();
      livetest::Click(dlg, CHANBOX_ALL_ANALOG);
      allChecked = SendDlgItemMessage(dlg, CHANBOX_ANALOG_FIRST + 3, BM_GETCHECK, 0, 0) == BST_CHECKED;
      leave(dlg);
      EXPECT_TRUE(livetest::PumpUntil(CopyDialogClosed));
    });
    EXPECT_TRUE(allChecked);
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(getImageCopyChanMask(), 0u);
    EXPECT_EQ(getOutputState(3), OUTSTATE_COLORPANEL);
    EXPECT_TRUE(livetest::StandInTakesClick(kFreeX, kFreeY));
  }
}

TEST_F(Camera, StandInPtzPanelIsRegisteredWhileOpenShowsAgainAndLeavesEachWay) {
  const WindowHandle live = LiveView();
  const std::function<void(WindowHandle)> leaves[] = {
      [](WindowHandle panel) { livetest::ClickClosing(panel, IDCANCEL, PtzPanelClosed); },
      [](WindowHandle) { livetest::PressKey(KEY_ESC); },
  };
  for (const auto& leave : leaves) {
    setOutputState(3, OUTSTATE_PTZ);  // as the side menu leaves it
    WindowHandle inside = GUI_INVALID_HANDLE;
    bool shownAgain = false;
    RunInLoop([live](WindowHandle) { return showPtzPlayDialog(live); }, [&] {
      inside = getPtzPlayWindow();
      // A box covers it, hides it and shows it again when it closes.
      SendMessage(inside, MSG_PTZCOVERED, 0, 0);
      ShowWindow(inside, SW_HIDE);
      SendMessage(inside, MSG_PTZSHOW, 0, 0);
      shownAgain = IsWindowVisible(inside);
      leave(inside);
      EXPECT_TRUE(livetest::PumpUntil(PtzPanelClosed));
    });
    EXPECT_NE(inside, GUI_INVALID_HANDLE);
    EXPECT_TRUE(shownAgain);
    EXPECT_EQ(getPtzPlayWindow(), GUI_INVALID_HANDLE);
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
    EXPECT_TRUE(livetest::StandInTakesClick(kFreeX, kFreeY));
  }
}

TEST_F(Camera, AddCameraErrorsSayWhetherASlotWasFree) {
  showIpcAddError(0, -3);
  showIpcAddError(0, -1);
  ASSERT_EQ(livetest::Boxes().size(), 2u);
  EXPECT_EQ(livetest::Boxes()[0].text, "No free IP channel is left!");
  EXPECT_EQ(livetest::Boxes()[1].text, "Adding the IP camera failed!");
}

}  // namespace

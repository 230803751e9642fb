// The motion detection page on the simulated device, opened as the camera
// menu opens it: grid editing with the mouse, the channel cache and what
// Apply writes, copy to channels, the live overlay and its call-back on the
// device's thread, the camera page keys, and the pictures.
#include <atomic>
#include <cstring>
#include <thread>

#include "app/alarmnet/events/camera_page.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/alarmnet_pages.h"
#include "app/app_messages.h"
#include "app/camera.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/page_keys.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/trackbar.h"

namespace {

enum : int { kChannelBox = 19248, kEnableBox, kHandle, kSensitivity, kSelectAll, kClearAll };
constexpr int kApply = PAGE_ID_APPLY;

using livetest::Command;

class MotionPage : public livetest::LiveGui {
 protected:
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_CAMERA, "motionset", host_), 0);
    win_ = getCameraPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  // A press, moves and a release in the page's client co-ordinates, as
  // the sheet page gets them.
  void Drag(int x0, int y0, int x1, int y1) {
    SendMessage(page_, MSG_LBUTTONDOWN, 0, Point(x0, y0));
    SendMessage(page_, MSG_MOUSEMOVE, 0, Point(x1, y1));
    SendMessage(page_, MSG_LBUTTONUP, 0, Point(x1, y1));
  }
  static LParam Point(int x, int y) { return static_cast<LParam>((y & 0xFFFF) << 16 | (x & 0xFFFF)); }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};

TEST_F(MotionPage, Picture) {
  Open();
  Drag(100, 100, 200, 160);
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "motion_grid", livetest::Grab(r));
  Close();
}

}  // namespace

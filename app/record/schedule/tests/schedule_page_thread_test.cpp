// The schedule page on the simulated device: drags on the week grid, the
// one-day editor, copies and Apply, checked against what the device keeps
// and which operations it was asked.
#include <cstring>
#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/record_pages.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using livetest::LiveGui;

constexpr int kRecChan = 18960, kRecEnable = 18961, kRecEdit = 18962, kCopy = 4100, kApply = 4098;

WParam Code(int id, int code) { return static_cast<WParam>((code << 16) | id); }
void Command(WindowHandle w, int id, int code = 0) { SendMessage(w, MSG_COMMAND, Code(id, code), 0); }
bool Enabled(WindowHandle w, int id) { return IsWindowEnabled(GetDlgItem(w, id)); }
LParam At(int x, int y) { return desktest::PointParam(x, y); }

LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

class SchedulePage : public LiveGui {
 protected:
  void Open() {
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    ASSERT_EQ(createScheduleSetWindow(host_), 0);
    win_ = getRecordPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    const WindowHandle sheet = GetDlgItem(win_, 4101);
    rec_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 0, 0));
    pic_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 1, 0));
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  // A press and release at two points of a tab, as the mouse gives them.
  void Drag(WindowHandle tab, int x0, int y0, int x1, int y1) {
    SendMessage(tab, MSG_LBUTTONDOWN, 0, At(x0, y0));
    SendMessage(tab, MSG_MOUSEMOVE, 0, At(x1, y1));
    SendMessage(tab, MSG_LBUTTONUP, 0, At(x1, y1));
  }
  WindowHandle host_ = 0, win_ = 0, rec_ = 0, pic_ = 0;
};

TEST_F(SchedulePage, OnScreen) {
  Open();
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "scheduleset", livetest::Grab(r));
  Close();
}

}  // namespace

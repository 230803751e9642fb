// What the disk window tests share: two local disks, the S.M.A.R.T. window
// and the advanced disk page opened beside their menus, polls driven by
// the toolkit's tick counter and readers of what the pages show.
#pragma once

#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/page_frame.h"
#include "app/record_pages.h"
#include "app/storage_pages.h"
#include "app/testing/page_harness.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/timer.h"

namespace diskstest {

constexpr int kSmartTimer = 8193, kCheckTimer = 8194, kPeriod = 50;

inline DiskInfo Disk(int number, uint32_t capacityMb) {
  DiskInfo d{};
  d.bus = static_cast<uint16_t>((number - 1) / 2);
  d.port = static_cast<uint16_t>((number - 1) % 2);
  d.capacity = capacityMb;
  d.group = 1;
  return d;
}

inline std::string Text(WindowHandle window, int id) {
  char text[512] = "";
  SendDlgItemMessage(window, id, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  return text;
}

inline std::string Caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}

inline bool Visible(WindowHandle page, int id) { return IsWindowVisible(GetDlgItem(page, id)); }

class DisksGui : public livetest::LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    setLiveViewActive(getMainOutput(), 1);
    SetPowerKeyDownFlag(0);
    Rows({Disk(1, 2000000), Disk(2, 1000000)});
  }
  void TearDown() override {
    for (WindowHandle w : {getMaintenancePageWnd(), getDiskPageWnd()})
      if (w != GUI_INVALID_HANDLE) SendMessage(w, MSG_CLOSE, 0, 0);
    setMaintenanceMenuWnd(GUI_INVALID_HANDLE);
    setDiskMenuWnd(GUI_INVALID_HANDLE);
    LiveGui::TearDown();
  }
  void Rows(const std::vector<DiskInfo>& rows) {
    rows_ = rows;
    device_seam::overrideAnswer(getDiskList, static_cast<int64_t>(rows_.size()), rows_.data(),
                                rows_.size() * sizeof(DiskInfo));
  }
  WindowHandle Page(int index) {
    return static_cast<WindowHandle>(
        SendDlgItemMessage(win_, PAGE_ID_SHEET, PSM_GETPAGE, static_cast<WParam>(index), 0));
  }
  void OpenSmart() {
    menu_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    setMaintenanceMenuWnd(menu_);
    ASSERT_EQ(createDiskSmartInfoWindow(menu_), 0);
    win_ = getMaintenancePageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  void OpenAdvance() {
    menu_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    setDiskMenuWnd(menu_);
    ASSERT_EQ(createDiskAdvanceWindow(menu_), 0);
    win_ = getDiskPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  // One period of the toolkit's clock: a due poll runs.
  void Tick() {
    TimerTick(kPeriod);
    desktest::Drain();
  }
  bool LiveViewHeld() { return isLiveViewActive(getMainOutput()) == 0; }

  std::vector<DiskInfo> rows_;
  WindowHandle menu_ = 0, win_ = 0;
};

}  // namespace diskstest

// What the network tab tests do as a user would: clicks on buttons, check
// boxes, drop-down rows and tab headers, typing, and the last box.
#pragma once

#include <string>

#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace netsteps {

inline bool Enabled(WindowHandle page, int id) { return IsWindowEnabled(GetDlgItem(page, id)); }
// Typed into the field (see TypeInto).
inline void SetText(WindowHandle page, int id, const std::string& text) {
  EXPECT_TRUE(alarmnettest::TypeInto(page, id, text)) << id << " \"" << text << "\"";
}
inline std::string Text(WindowHandle page, int id) {
  char text[128] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}
// A check box clicked when it is not as wanted. A box the page turns back
// (its refusal shown) stays as the page leaves it.
inline void Check(WindowHandle page, int id, bool on) {
  if ((SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED) != on) livetest::Click(page, id);
}
inline void Choose(WindowHandle page, int id, int value) {
  EXPECT_TRUE(livetest::Pick(page, id, value)) << id << " " << value;
}
using alarmnettest::PickRefused;
// A text longer than the field lets a hand type: typing a digit enables
// Apply, then the text is set in its place.
inline void SetBeyondLimit(WindowHandle page, int id, const std::string& text) {
  SetText(page, id, "1");
  SetDlgItemText(page, id, text.c_str());
}
inline std::string LastBox() {
  const auto& boxes = livetest::Boxes();
  return boxes.empty() ? "" : boxes.back().text + "/" + std::to_string(boxes.back().type);
}
// The page's thread moves the focus after it showed the box the test waited
// for: the focus is waited for in turn.
inline bool Focused(WindowHandle page, int id) {
  return livetest::PumpUntil([page, id] { return GetFocusChild(page) == GetDlgItem(page, id); });
}

// Stands for the system menu: closing it takes its pages along.
inline LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

// The page indexes of the window's sheet on this device.
enum NetTab { kBaseTab, kPppoeTab, kDdnsTab, kNtpTab, kEmailTab, kFtpTab, kSnmpTab, kHostTab, kTabCount };

// The window opened as the system menu opens it, through the registry.
class NetTabs : public livetest::LiveGui {
 protected:
  void Open() {
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_SYSTEM, "netset", host_), 0);
    win_ = getSystemPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    sheet_ = GetDlgItem(win_, PAGE_ID_SHEET);
    for (int i = 0; i < kTabCount; ++i) tabs_[i] = static_cast<WindowHandle>(SendMessage(sheet_, PSM_GETPAGE, i, 0));
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  void Apply(WindowHandle page) {
    livetest::Boxes().clear();
    livetest::Click(page, PAGE_ID_APPLY);
  }
  // The page of tab `tab`, shown by a click on its header.
  WindowHandle Show(NetTab tab) {
    EXPECT_TRUE(alarmnettest::ClickTab(sheet_, tab)) << "tab " << tab;
    return tabs_[tab];
  }
  WindowHandle host_ = 0, win_ = 0, sheet_ = 0;
  WindowHandle tabs_[kTabCount] = {};
};

}  // namespace netsteps

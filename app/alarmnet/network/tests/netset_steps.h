// What the network tab tests do as a user would: commands, typing with its
// change notification, check boxes and combo choices, and the last box.
#pragma once

#include <string>

#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace netsteps {

inline WParam Code(int id, int code) { return static_cast<WParam>((code << 16) | id); }
inline void Command(WindowHandle page, int id, int code = 0) { SendMessage(page, MSG_COMMAND, Code(id, code), 0); }
inline bool Enabled(WindowHandle page, int id) { return IsWindowEnabled(GetDlgItem(page, id)); }
inline void SetText(WindowHandle page, int id, const std::string& text) {
  SetDlgItemText(page, id, text.c_str());
  Command(page, id, 3);
}
inline std::string Text(WindowHandle page, int id) {
  char text[128] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}
inline void Check(WindowHandle page, int id, bool on) {
  SendDlgItemMessage(page, id, BM_SETCHECK, on ? 1 : 0, 0);
  Command(page, id);
}
inline void Choose(WindowHandle page, int id, int value) {
  SendDlgItemMessage(page, id, CB_SELECTVALUE, static_cast<WParam>(value), 0);
  Command(page, id, 1);
}
inline std::string LastBox() {
  const auto& boxes = livetest::Boxes();
  return boxes.empty() ? "" : boxes.back().text + "/" + std::to_string(boxes.back().type);
}
inline bool Focused(WindowHandle page, int id) { return GetFocusChild(page) == GetDlgItem(page, id); }

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
    Command(page, PAGE_ID_APPLY);
    desktest::Drain();
  }
  WindowHandle host_ = 0, win_ = 0, sheet_ = 0;
  WindowHandle tabs_[kTabCount] = {};
};

}  // namespace netsteps

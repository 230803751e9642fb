// The default page procedure's keys, decided by the focused control's
// dialog code, and the default push button swap.
#include <gtest/gtest.h>

#include "controls/painters/tests/page_fixture.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/static.h"

namespace {

constexpr int kPush = 10, kDefault = 11, kCheck = 12, kEater = 13, kLabel = 14;

LResult KeyEaterProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_GETDLGCODE) return DLGC_WANTCHARS;
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

class PageKeys : public pagetest::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    WndClassInfo info{};
    info.className = "keyeater";
    info.windowProc = KeyEaterProc;
    RegisterWindowClass(&info);
    Add("button", WS_TABSTOP | BS_PUSHBUTTON, kPush, 10, 10, "Push");
    Add("button", BS_DEFPUSHBUTTON, kDefault, 110, 10, "Default");
    Add("button", WS_TABSTOP | BS_AUTOCHECKBOX, kCheck, 210, 10, "Check");
    Add("keyeater", WS_TABSTOP, kEater, 10, 50);
    Add("static", SS_LEFT, kLabel, 110, 50, "Label");
    desktest::Drain();
    Commands();
  }
  int Focused() {
    desktest::Drain();
    WindowHandle f = GetFocusChild(page_);
    return IsValidHandle(f) ? GetDlgCtrlID(f) : 0;
  }
};

TEST_F(PageKeys, KeysFollowTheFocusedControlsDialogCode) {
  struct Row {
    int focus, scan;
    LParam shift;
    std::vector<WParam> commands;
    int focusAfter;
  } rows[] = {
      {kCheck, 1, 0, {IDCANCEL}, kCheck},      // Escape cancels the page
      {kCheck, 28, 0, {kDefault}, kCheck},     // Enter presses the default button
      {kPush, 28, 0, {}, kPush},               // a push button keeps its Enter
      {kEater, 1, 0, {}, kEater},              // a control that wants all keys keeps them
      {kCheck, 15, 0, {}, kEater},             // Tab walks forward
      {kCheck, 15, 1, {}, kPush},              // with shift backward
      {kCheck, 15, 2, {}, kPush},
      {kLabel, 106, 0, {}, kLabel},            // arrows leave a static's focus alone
      {kCheck, 30, 0, {}, kCheck},             // other keys go on to the default
  };
  for (const Row& r : rows) {
    SetFocusChild(GetDlgItem(page_, r.focus));
    desktest::Drain();
    Commands();
    SendMessage(page_, MSG_KEYDOWN, static_cast<WParam>(r.scan), r.shift);
    EXPECT_EQ(Commands(), r.commands) << "scan " << r.scan << " focus " << r.focus;
    EXPECT_EQ(Focused(), r.focusAfter) << "scan " << r.scan << " focus " << r.focus;
  }
}

TEST_F(PageKeys, TheDefaultButtonMovesOnlyToPushButtons) {
  EXPECT_EQ(SendMessage(page_, MSG_DLG_GETDEFID, 0, 0), kDefault);
  EXPECT_EQ(static_cast<WindowHandle>(SendMessage(page_, MSG_DLG_SETDEFID, kPush, 0)), GetDlgItem(page_, kDefault));
  EXPECT_EQ(SendMessage(page_, MSG_DLG_GETDEFID, 0, 0), kPush);
  EXPECT_EQ(GetWindowStyle(GetDlgItem(page_, kDefault)) & BS_DEFPUSHBUTTON, 0u);
  SendMessage(page_, MSG_DLG_SETDEFID, kCheck, 0);
  EXPECT_EQ(SendMessage(page_, MSG_DLG_GETDEFID, 0, 0), kPush) << "a check box cannot be the default";
  SetFocusChild(GetDlgItem(page_, kCheck));
  desktest::Drain();
  Commands();
  SendMessage(page_, MSG_KEYDOWN, 28, 0);
  EXPECT_EQ(Commands(), std::vector<WParam>{kPush});
}

TEST_F(PageKeys, FontsFollowTheExtendedStyle) {
  WindowHandle label = GetDlgItem(page_, kLabel);
  struct Row {
    uint32_t ex;
    int slot;
  } rows[] = {{0x8200, 7}, {0x8000, 8}, {0x02008000, 8}, {0x02000000, 9}, {0, 5}};
  for (const Row& r : rows) {
    ExcludeWindowExStyle(label, 0xFFFFFFFFu);
    IncludeWindowExStyle(label, r.ex);
    SetControlFontByStyle(label);
    EXPECT_EQ(GetWindowFont(label), g_SysLogFont[r.slot]) << std::hex << r.ex;
  }
  SetControlFontByStyle(main_);  // not a control: nothing happens
}

}  // namespace

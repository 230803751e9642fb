// Statics, buttons and property sheets as the user sees them, compared
// pixel for pixel with reference pictures, and a page of them driven by
// clicks and keys fed to the host window.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "controls/painters/tests/page_fixture.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/host.h"
#include "gui/listview.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/static.h"

namespace {

constexpr int kLinuxSpace = 57;

class ControlsOnScreen : public pagetest::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    SetWindowBkColor(page_, guitest::Rgb(0x18, 0x18, 0x20));
  }
  WindowHandle Control(const char* cls, uint32_t style, int x, int y, int w, int h, const char* caption,
                       LParam data = 0) {
    WindowHandle c = CreateWindowEx(cls, caption, style | WS_VISIBLE, 0, ++ids_, x, y, w, h, page_, data);
    EXPECT_NE(c, GUI_INVALID_HANDLE) << cls << " " << std::hex << style;
    return c;
  }
  void Shoot(const char* name, int w, int h) {
    UpdateWindow(page_, TRUE);
    desktest::Drain();
    int x = 0, y = 0;
    ClientToScreen(page_, &x, &y);
    guitest::MatchReference(guitest::Grab(Rect{x, y, x + w, y + h}), guitest::ReferencePath(__FILE__, name));
  }
  DlgTemplate Page(const char* title) { return DlgTemplate{0, 0, 0, 0, 0, 0, title, 0, 0, 1, &option_, 0}; }
  WindowHandle Sheet(uint32_t style, int x, int y, int w, int h, int pages, const char* caption = "") {
    WindowHandle s = Control("propsheet", style, x, y, w, h, caption);
    const char* titles[] = {"General", "Network", "Display", "Record", "Alarm", "Storage", "System"};
    for (int i = 0; i < pages; ++i) {
      DlgTemplate tpl = Page(titles[i % 7]);
      SendMessage(s, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), reinterpret_cast<LParam>(DefaultPageProc));
    }
    SendMessage(s, PSM_SETACTIVEINDEX, 1, 0);
    return s;
  }
  int ids_ = 100;
  CtrlData option_{"button", BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE, 12, 12, 130, 24, 7, "Enable", 0, 0};
};

TEST_F(ControlsOnScreen, EveryStaticKind) {
  static Bitmap image = *GetStockBitmap("pushbutton", 0, 0);
  for (uint32_t kind = 0; kind < 16; ++kind) {
    const int x = 10 + static_cast<int>(kind % 4) * 115, y = 10 + static_cast<int>(kind / 4) * 50;
    const LParam data = kind == SS_BITMAP ? reinterpret_cast<LParam>(&image) : 0;
    Control("static", kind | (kind == SS_LEFT ? SS_VCENTER : 0u), x, y, 105, 40, "Label text", data);
  }
  Control("static", SS_LEFT | SS_ELLIPSIS | SS_HILITE, 10, 210, 70, 20, "A text cut with an ellipsis");
  Control("static", SS_CENTER | WS_DISABLED, 90, 210, 100, 20, "Disabled");
  Shoot("statics.png", 480, 240);
}

TEST_F(ControlsOnScreen, EveryButtonKindInItsLooks) {
  for (uint32_t kind = 0; kind < 15; ++kind) {
    for (int look = 0; look < 5; ++look) {
      const uint32_t style = kind | (look == 4 ? WS_DISABLED : 0u);
      WindowHandle b = Control("button", style, 8 + look * 92, 6 + static_cast<int>(kind) * 30, 88, 26, "Button");
      if (look == 1) SendMessage(b, BM_SETCHECK, 1, 0);
      if (look == 2) SendMessage(b, BM_SETSTATE, 1, 0);
      if (look == 3) SendMessage(b, MSG_SETFOCUS, 0, 0);
    }
  }
  Control("button", BS_AUTOCHECKBOX | BS_PUSHLIKE, 8, 460, 88, 26, "Push-like");
  Control("button", BS_AUTOCHECKBOX | BS_FRAMED, 100, 460, 120, 26, "Framed");
  WindowHandle three = Control("button", BS_AUTO3STATE, 224, 460, 88, 26, "Maybe");
  SendMessage(three, BM_SETCHECK, 2, 0);
  Control("button", BS_PUSHBUTTON, 316, 460, 60, 26, "A caption far too long");
  Shoot("buttons.png", 470, 492);
}

TEST_F(ControlsOnScreen, SheetsInEachLayoutPlain) {
  Sheet(PSS_EQUAL | PSS_PLAIN, 10, 10, 300, 90, 3);
  Sheet(PSS_COMPACT | PSS_PLAIN, 10, 110, 300, 90, 3, "Tabs");
  Sheet(PSS_SCROLLABLE | PSS_PLAIN, 10, 210, 300, 90, 7);
  Shoot("sheets_plain.png", 320, 310);
}

TEST_F(ControlsOnScreen, SheetsInEachLayoutAndHeaderPositionSkinned) {
  Sheet(PSS_EQUAL, 10, 10, 300, 90, 3);
  Sheet(PSS_COMPACT, 10, 110, 300, 90, 3);
  Sheet(PSS_SCROLLABLE, 10, 210, 300, 90, 7);
  Sheet(PSS_EQUAL | PSS_BOTTOM, 320, 10, 300, 90, 3);
  Sheet(PSS_EQUAL | PSS_NOHEADER, 320, 110, 300, 90, 2);
  Shoot("sheets_skinned.png", 630, 310);
}

// Input fed to the host window: a click on a check box and on a sheet's
// tab, and the Space key reaching the check box focused on the sheet's
// page. The controls sit straight on the main window, which hands the
// mouse to its own children.
TEST_F(ControlsOnScreen, APageDrivenThroughTheHostWindow) {
  DestroyWindow(page_);  // the fixture's page would take the mouse first
  auto make = [&](const char* cls, uint32_t style, int id, int x, int y, int w, int h, const char* caption) {
    return CreateWindowEx(cls, caption, style | WS_VISIBLE, 0, id, x, y, w, h, main_, 0);
  };
  make("static", SS_LEFT, 1, 10, 10, 200, 20, "Settings");
  WindowHandle check = make("button", BS_AUTOCHECKBOX | WS_TABSTOP, 2, 220, 10, 120, 26, "Enable");
  WindowHandle sheet = make("propsheet", PSS_EQUAL | PSS_PLAIN, 3, 10, 50, 300, 120, "");
  for (const char* title : {"General", "Network", "Display"}) {
    DlgTemplate tpl = Page(title);
    SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), reinterpret_cast<LParam>(DefaultPageProc));
  }
  desktest::Drain();
  Received(main_, MSG_COMMAND);
  ASSERT_EQ(SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0), 2);
  auto at = [](WindowHandle w, int x, int y) {
    WindowToScreen(w, &x, &y);
    return std::make_pair(x, y);
  };
  const auto box = at(check, 5, 13);
  const auto firstTab = at(sheet, 300 - 3 * (300 * 8 / 30) + 10, 5);
  std::atomic<int> stage{0};
  auto wait = [&](int s) {
    for (int i = 0; i < 400 && stage < s; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  };
  std::thread hand([&] {
    HostInjectMouseMove(box.first, box.second);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);  // press and release together, as a touch pad taps
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    wait(1);
    HostInjectMouseMove(firstTab.first, firstTab.second);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    wait(2);
    HostInjectKey(kLinuxSpace, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    HostInjectKey(kLinuxSpace, 0);
  });
  auto until = [](auto done) {
    for (int i = 0; i < 400 && !done(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  };
  EXPECT_TRUE(until([&] { return SendMessage(check, BM_GETCHECK, 0, 0) == 1; })) << "the click checked the box";
  stage = 1;
  EXPECT_TRUE(until([&] { return SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == 0; })) << "the tab click";
  WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
  WindowHandle option = GetDlgItem(page, 7);
  ASSERT_NE(option, 0u);
  EXPECT_EQ(GetFocusChild(page), option) << "showing a page focuses its first control";
  stage = 2;
  EXPECT_TRUE(until([&] { return SendMessage(option, BM_GETCHECK, 0, 0) == 1; })) << "Space clicked the option";
  hand.join();
  bool changed = false;
  for (const SeenMessage& m : Received(main_, MSG_COMMAND))
    changed |= m.wParam == ((static_cast<WParam>(PSN_ACTIVE_CHANGED) << 16) | 3);
  EXPECT_TRUE(changed) << "the sheet told its parent";
}

// The sheet and its page are containers: a click on the check box on the
// page reaches the box through both levels; a right click there closes
// the page once, through the main window's closing key alone.
TEST_F(ControlsOnScreen, AClickReachesACheckBoxOnASheetsPage) {
  DestroyWindow(page_);
  WindowHandle sheet =
      CreateWindowEx("propsheet", "", PSS_EQUAL | PSS_PLAIN | WS_VISIBLE, 0, 3, 20, 40, 300, 150, main_, 0);
  DlgTemplate tpl = Page("General");
  SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl),
              reinterpret_cast<LParam>(pagetest::LoggedPageProc));
  desktest::Drain();
  WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
  WindowHandle option = GetDlgItem(page, 7);
  ASSERT_NE(option, 0u);
  int x = 8, y = 12;
  WindowToScreen(option, &x, &y);
  auto until = [](auto done) {
    for (int i = 0; i < 400 && !done(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  };
  std::atomic<int> stage{0};
  std::thread hand([&] {
    HostInjectMouseMove(x, y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);  // press and release together, as a touch pad taps
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    for (int i = 0; i < 400 && stage < 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
    HostInjectMouseButton(HOST_BUTTON_RIGHT, 0);
  });
  EXPECT_TRUE(until([&] { return SendMessage(option, BM_GETCHECK, 0, 0) == 1; }))
      << "the click went main window, sheet, page, box";
  EXPECT_TRUE(until([&] { return GetCapture() == 0; })) << "the box let the mouse go";
  EXPECT_EQ(GetFocusChild(page), option);
  Received(page, MSG_COMMAND);
  stage = 1;
  int cancels = 0;
  until([&] {
    for (const SeenMessage& m : Received(page, MSG_COMMAND)) cancels += m.wParam == IDCANCEL;
    return cancels > 0;
  });
  hand.join();
  for (int i = 0; i < 20; ++i) {
    for (const SeenMessage& m : Received(page, MSG_COMMAND)) cancels += m.wParam == IDCANCEL;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(cancels, 1);
}

// Two pages that each open on a drop-down box, the second shown before the
// window has read the focus notices of the first: the sheet keeps the
// second page focused, and a click on its check box reaches the box.
TEST_F(ControlsOnScreen, APageShownBeforeTheFocusNoticesAreReadTakesClicks) {
  DestroyWindow(page_);
  WindowHandle sheet =
      CreateWindowEx("propsheet", "", PSS_EQUAL | PSS_PLAIN | WS_VISIBLE, 0, 3, 20, 40, 300, 150, main_, 0);
  CtrlData controls[] = {{"combobox", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VISIBLE, 12, 12, 130, 24, 8, "", 0, 0},
                         option_};
  controls[1].y = 48;
  DlgTemplate tpl = Page("General");
  tpl.controlnr = 2;
  tpl.controls = controls;
  for (int i = 0; i < 2; ++i)
    SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), reinterpret_cast<LParam>(DefaultPageProc));
  SendMessage(sheet, PSM_SETACTIVEINDEX, 1, 0);
  WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
  WindowHandle option = GetDlgItem(page, 7);
  ASSERT_NE(option, 0u);
  int x = 8, y = 12;
  WindowToScreen(option, &x, &y);
  HostInjectMouseMove(x, y);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  bool checked = false;
  for (int i = 0; i < 400 && !checked; ++i) {
    desktest::Drain();
    checked = SendMessage(option, BM_GETCHECK, 0, 0) == 1;
    if (!checked) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(checked) << "the click reached the box";
  EXPECT_EQ(GetFocusChild(sheet), page);
}

// A list view on a sheet's page, its columns added as the page is made.
// Damage from another thread leaves the list an erase owed to its own
// thread, run when its paint begins: the header band must still show as
// after a repaint on the list's own thread.
LResult ListPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  if (message == MSG_INITPAGE) {
    WindowHandle list = GetDlgItem(page, 9);
    for (const char* caption : {"Name", "Period"}) {
      ListViewColumnInfo c{-1, 110, const_cast<char*>(caption), 0, 0, nullptr, LVCF_CHECKBOX};
      SendMessage(list, LVM_ADDCOLUMN, 0, reinterpret_cast<LParam>(&c));
    }
    ListViewItemInfo row{0, 22, 0, 0};
    SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&row));
  }
  return DefaultPageProc(page, message, wParam, lParam);
}

TEST_F(ControlsOnScreen, AListOnASheetsPageKeepsItsHeaderThroughAnOwedErase) {
  DestroyWindow(page_);
  WindowHandle sheet =
      CreateWindowEx("propsheet", "", PSS_EQUAL | PSS_PLAIN | WS_VISIBLE, 0, 3, 20, 40, 300, 180, main_, 0);
  CtrlData list{"ListView", WS_VISIBLE | WS_BORDER, 10, 10, 260, 110, 9, "", 0, 0};
  DlgTemplate tpl{0, 0, 0, 0, 0, 0, "Holidays", 0, 0, 1, &list, 0};
  SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), reinterpret_cast<LParam>(ListPageProc));
  desktest::Drain();
  WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
  WindowHandle lv = GetDlgItem(page, 9);
  ASSERT_NE(lv, 0u);
  auto band = [lv] {
    int x = 0, y = 0;
    ClientToScreen(lv, &x, &y);
    return guitest::Grab(Rect{x, y, x + 240, y + 16});
  };
  InvalidateRect(lv, nullptr, TRUE);
  desktest::Drain();
  const guitest::Picture own = band();
  bool drawn = false;
  for (size_t i = 3; i < own.rgb.size(); ++i) drawn |= own.rgb[i] != own.rgb[i % 3];
  ASSERT_TRUE(drawn) << "the header band is one colour";
  std::thread other([sheet] { InvalidateRect(sheet, nullptr, TRUE); });
  other.join();
  desktest::Drain();
  EXPECT_TRUE(band().rgb == own.rgb) << "the owed erase wiped the header";
}

}  // namespace

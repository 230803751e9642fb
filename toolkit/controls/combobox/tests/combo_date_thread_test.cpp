// The date box at a fixed time zone and today: typed dates as the box then
// shows them, no-date mode, its calendar opened, chosen from and closed as
// a table of steps, the box on screen closed and open, and on a dialog
// driven by the host's mouse and keys.
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <string>

#include "controls/combobox/tests/combo_fixture.h"
#include "controls/listbox/control_measures.h"
#include "core/input/lowlevel_event.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/monthcal.h"
#include "gui/startup.h"

namespace {

using combotest::At;

constexpr time_t kToday = 1773921600;  // 2026-03-19 12:00 UTC
time_t FixedClock() { return kToday; }

// The application's date format, read by the toolkit from any thread.
std::atomic<int> g_format{0};
int TestFormat() { return g_format.load(); }

class DateBox : public combotest::ComboTest {
 protected:
  // The call-backs go in before the toolkit starts, as the application does.
  static void SetUpTestSuite() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    SetWallClock(FixedClock);
    static GuiAppCallbacks hooks{};
    hooks.getDateFormat = TestFormat;
    SetAppCallbacks(&hooks);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() {
    ComboTest::TearDownTestSuite();
    SetAppCallbacks(nullptr);
    SetWallClock(nullptr);
  }
  void SetUp() override { g_format = 0; }
};

TEST_F(DateBox, TypedDatesAsShownAndNoDate) {
  WindowHandle cb = Make(CBS_DATE | CBS_NOTIFY);
  EXPECT_EQ(Text(cb), "2026-03-19");  // today at creation
  CheckTyped(cb, {
      {"2030-05-17", "2030-05-17"},
      {"2040-01-01", "2030-05-17"},  // past the calendar's years: the text before typing
      {"2036-02-29", "2036-02-29"},
      {"2036-02-30", "2036-02-29"},
      {"2037-13-01", "2036-02-29"},
      {"1969-12-31", "2036-02-29"},
      {"1970-01-01", "1970-01-01"},
      {"garbage", "1970-01-01"},
  });
  EXPECT_EQ(SendMessage(cb, CB_GETYEAR, 0, 0), 1970);
  EXPECT_EQ(SendMessage(cb, CB_GETMONTH, 0, 0), 1);

  // A text set by the caller reaches the calendar.
  SendMessage(cb, MSG_SETTEXT, 0, reinterpret_cast<LParam>("2031-07-04"));
  WindowHandle cal = GetDlgItem(cb, CB_CALENDAR_ID);
  ASSERT_TRUE(cal);
  EXPECT_EQ(SendMessage(cal, MCM_GETMONTH, 0, 0), 7);

  SendMessage(cb, CB_SETYEAR, static_cast<WParam>(-1), 0);
  EXPECT_EQ(Text(cb), "None");
  EXPECT_EQ(SendMessage(cb, CB_GETYEAR, 0, 0), -1);
  EXPECT_EQ(SendMessage(cb, CB_GETDAY, 0, 0), -1);
  Type(cb, "2000-01-01");  // typing from no date takes a good date
  EXPECT_EQ(Text(cb), "2000-01-01");
  SendMessage(cb, CB_SETYEAR, 2032, 0);  // leaves no-date mode
  EXPECT_EQ(SendMessage(cb, CB_GETYEAR, 0, 0), 2000);

  SendMessage(cb, CB_SETYEARRANGE, 2031, 2031);  // one year: no year shown
  EXPECT_EQ(Text(cb), "07-04");
  SendMessage(cb, CB_SETTODAY, 0, 0);
  EXPECT_EQ(Text(cb), "2026-03-19");
}

TEST_F(DateBox, DayFirstFormatInAOneYearCalendar) {
  g_format = 2;  // day, month, year
  WindowHandle cb = Make(CBS_DATE);
  EXPECT_EQ(Text(cb), "19-03-2026");
  SendMessage(cb, CB_SETYEARRANGE, 2026, 2026);
  EXPECT_EQ(Text(cb), "19-03");
  SendMessage(GetDlgItem(cb, CB_CALENDAR_ID), MCM_SETDAY, 5, 0);
  SendMessage(cb, MSG_COMMAND, static_cast<WParam>(1) << 16 | CB_CALENDAR_ID, 0);
  EXPECT_EQ(Text(cb), "05-03");
  CheckTyped(cb, {{"07-03-2026", "07-03-2026"}, {"31-02-2026", "07-03-2026"}});
  EXPECT_EQ(SendMessage(cb, CB_GETDAY, 0, 0), 7);
}

struct Step {
  const char* name;
  int msg;
  WParam wParam;
  LParam lParam;
  std::vector<int> notes;
  int open;
  const char* shown;
};

TEST_F(DateBox, OpenChooseEscapeClickOutsideAndFocusLoss) {
  WindowHandle cb = Make(CBS_DATE | CBS_NOTIFY, {10, 10, 130, 36}, {0, 0, 400, 400});
  WindowHandle cal = GetDlgItem(cb, CB_CALENDAR_ID);
  ASSERT_TRUE(cal);
  Rect r{};
  GetClientRect(cb, &r);
  const LParam button = At(r.right - 5, r.bottom / 2), edit = At(5, 5);
  constexpr int kHide = -100, kFocus = -101, kPick = -102;
  const auto choose = [](int code) { return static_cast<WParam>(code) << 16 | CB_CALENDAR_ID; };
  const std::vector<Step> steps = {
      {"the box takes the focus", kFocus, 0, 0, {CBN_SETFOCUS}, 0, "2026-03-19"},
      {"a click on the button opens", MSG_LBUTTONDOWN, 0, button, {CBN_DROPDOWN}, 1, "2026-03-19"},
      {"the calendar moves to the 5th", kPick, 0, 5, {}, 1, "2026-03-19"},
      {"a day marked leaves it open", MSG_COMMAND, choose(1), 0, {CBN_SELCHANGE}, 1, "2026-03-05"},
      {"a day confirmed closes", MSG_COMMAND, choose(2), 0, {CBN_SELECTOK, CBN_CLOSEUP, CBN_SELCHANGE}, 0,
       "2026-03-05"},
      {"a click on the edit opens", MSG_LBUTTONDOWN, 0, edit, {CBN_SETFOCUS, CBN_DROPDOWN}, 1, "2026-03-05"},
      {"Escape closes quietly", MSG_KEYDOWN, KEY_ESC, 0, {}, 0, "2026-03-05"},
      {"reopen", MSG_LBUTTONDOWN, 0, button, {CBN_DROPDOWN}, 1, "2026-03-05"},
      {"", kHide, 0, 0, {}, 0, "2026-03-05"},
      {"a click outside", MSG_TOPCTRLHIDDEN, 0, At(390, 390), {CBN_SELECTCANCEL, CBN_CLOSEUP}, 0,
       "2026-03-05"},
      {"reopen", MSG_LBUTTONDOWN, 0, button, {CBN_DROPDOWN}, 1, "2026-03-05"},
      {"losing the focus closes", MSG_KILLFOCUS, 0, 0, {CBN_SELECTCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}, 0,
       "2026-03-05"},
  };
  for (const Step& s : steps) {
    if (s.msg == kHide) {
      ShowWindow(cal, SW_HIDE);
    } else if (s.msg == kFocus) {
      SetFocusChild(cb);
    } else if (s.msg == kPick) {
      SendMessage(cal, MCM_SETDAY, static_cast<WParam>(s.lParam), 0);
    } else {
      SendMessage(cb, s.msg, s.wParam, s.msg == MSG_COMMAND ? static_cast<LParam>(cal) : s.lParam);
    }
    EXPECT_EQ(Notes(), s.notes) << s.name;
    EXPECT_EQ(IsWindowVisible(cal) ? 1 : 0, s.open) << s.name;
    EXPECT_EQ(Text(cb), s.shown) << s.name;
  }
}

TEST_F(DateBox, CalendarBelowOrAbove) {
  WindowHandle high = Make(CBS_DATE, {10, 10, 130, 36}, {0, 0, 400, 400});
  WindowHandle low = Make(CBS_DATE, {150, 340, 270, 366});
  Rect below{}, above{};
  GetWindowRect(GetDlgItem(high, CB_CALENDAR_ID), &below);
  GetWindowRect(GetDlgItem(low, CB_CALENDAR_ID), &above);
  EXPECT_GT(below.top, 26);
  EXPECT_EQ(above.bottom, -2);
  EXPECT_GE(below.right - below.left, 200);
  EXPECT_LE(below.right - below.left, 360);
}

class DateBoxOnScreen : public DateBox {};

TEST_F(DateBoxOnScreen, ClosedAndOpen) {
  WindowHandle cb = Make(CBS_DATE, {10, 10, 150, 36}, {0, 0, 400, 320});
  SetFocusChild(cb);
  ShootMain(__FILE__, "date_closed.png");
  SendMessage(cb, MSG_LBUTTONDOWN, 0, At(5, 5));
  ShootMain(__FILE__, "date_open.png");
}

// A date box on a dialog driven by the host's mouse and keyboard: opened by
// a click, its calendar takes the keys the dialog would take for itself.
class DateBoxOnADialog : public combotest::BoxOnADialog<DateBox> {
 protected:
  void SetUp() override {
    DateBox::SetUp();
    ASSERT_TRUE(Place(CBS_DATE | CBS_NOTIFY));
    desktest::Drain();
  }
};

TEST_F(DateBoxOnADialog, EscapeClosesTheCalendarAClickOpenedAndThenTheDialog) {
  ASSERT_TRUE(ClickBox()) << "the click opened the calendar";
  EXPECT_EQ(Code(), 0x4011) << "the open calendar takes the keys";
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return !Shown(); })) << "Escape closed the calendar";
  EXPECT_FALSE(heard_.Closed()) << "the dialog stays";
  EXPECT_EQ(Text(box_), "2026-03-19") << "the date is kept";
  EXPECT_EQ(GetFocusChild(dlg_), box_);
  EXPECT_EQ(Code(), 0x11);
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return heard_.Closed(); })) << "the next Escape closes the dialog";
}

TEST_F(DateBoxOnADialog, AClickOnADayChoosesItAndTheDialogHasTheKeysAgain) {
  ASSERT_TRUE(ClickBox(true)) << "a click on the button opened the calendar";
  // Monday of a lower row: a day of March other than today.
  Rect r{};
  GetClientRect(dropDown_, &r);
  int x = r.right * 2 / 9, y = r.bottom * 3 / 4;
  ClientToScreen(dropDown_, &x, &y);
  EXPECT_TRUE(ClickOnScreen(x, y, [this] { return !Shown(); })) << "the day closed the calendar";
  const int day = static_cast<int>(SendMessage(box_, CB_GETDAY, 0, 0));
  EXPECT_NE(day, 19) << "another day than today's was chosen";
  EXPECT_EQ(Text(box_), "2026-03-" + std::to_string(day));
  EXPECT_FALSE(heard_.Heard(kBelowId)) << "the button under the calendar heard nothing";
  EXPECT_EQ(Code(), 0x11);
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return heard_.Closed(); })) << "Escape closes the dialog";
}

// Any key closes the open calendar; the dialog does not walk its group with
// an arrow meanwhile, and Enter goes on to start typing as on a closed box.
TEST_F(DateBoxOnADialog, AnArrowOrEnterClosesTheCalendarForTheBox) {
  ASSERT_TRUE(ClickBox());
  EXPECT_TRUE(Key(kLinuxDown, [this] { return !Shown(); })) << "down closed the calendar";
  EXPECT_EQ(GetFocusChild(dlg_), box_) << "the focus stayed on the box";
  EXPECT_EQ(Code(), 0x11);

  ASSERT_TRUE(ClickBox()) << "the box opens again";
  EXPECT_TRUE(Key(kLinuxEnter, [this] { return !Shown() && Code() == 0x4015; })) << "Enter closed it and typing began";
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return Code() == 0x11; })) << "Escape ends the typing";
  EXPECT_FALSE(heard_.Closed()) << "and no more";
  EXPECT_EQ(Text(box_), "2026-03-19");
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return heard_.Closed(); }));
}

// The dialog code is one for all boxes: a box gone with its calendar open
// leaves the keys to the page, whichever box has the focus next.
TEST_F(DateBoxOnADialog, ABoxGoneWithItsCalendarOpenLeavesThePageItsKeys) {
  const WindowHandle other =
      CreateWindowEx("combobox", "", CBS_DATE | WS_VISIBLE | WS_TABSTOP, 0, kBelowId + 1, 200, 360, 160, 26, dlg_, 0);
  ASSERT_NE(other, GUI_INVALID_HANDLE);
  ASSERT_TRUE(ClickBox());
  DestroyWindow(box_);
  SetFocusChild(other);
  EXPECT_EQ(SendMessage(other, MSG_GETDLGCODE, 0, 0), 0x11);
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return heard_.Closed(); })) << "Escape closes the dialog";
}

// Enter, then a date typed on the host's keys over the one shown, then
// Enter: digits alone take the place of the shown date's digits, step over
// its separators, and a date the box refuses brings back the one before.
TEST_F(DateBoxOnADialog, EnterThenDigitsTypeTheDate) {
  ASSERT_TRUE(ClickBox());
  ASSERT_TRUE(Key(kLinuxEscape, [this] { return !Shown(); })) << "the box has the focus, its calendar closed";
  const struct {
    const char* typed;
    const char* shown;
  } rows[] = {
      {"20300517", "2030-05-17"},
      {"2027", "2027-05-17"},            // the year alone: the rest stays
      {"2036-02-29", "2036-02-29"},      // typed separators pass over the box's
      {"20400101", "2036-02-29"},        // past the calendar's years: the date before typing
      {"20370230", "2036-02-29"},        // no 30th of February
      {"203701019", "2037-01-01"},       // nothing past the last digit
  };
  for (const auto& row : rows) {
    TypeBetweenEnters(row.typed);
    EXPECT_EQ(Text(box_), row.shown) << row.typed;
    EXPECT_EQ(Code(), 0x11) << row.typed << ": typing ended";
  }
}

}  // namespace

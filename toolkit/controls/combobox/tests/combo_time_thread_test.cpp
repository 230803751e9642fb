// The time box: its spinner drop-down opened, stepped back and closed as a
// table of steps, typed times as the box then shows them, the box on
// screen closed and open, and on a dialog driven by the host's mouse and
// keys.
#include <string>

#include "controls/combobox/tests/combo_fixture.h"
#include "controls/listbox/control_measures.h"
#include "controls/spintime/spintime_internal.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/dialog.h"
#include "gui/keyboard.h"
#include "gui/message.h"

namespace {

using combotest::At;

constexpr int kSame = -1;

class TimeBox : public combotest::ComboTest {
 protected:
  // Hours 0..23 and minutes 0..59 at 08:30.
  WindowHandle MakeTime(uint32_t style = CBS_NOTIFY, Rect r = {10, 10, 130, 36}) {
    WindowHandle cb = Make(CBS_TIME | style, r);
    EXPECT_EQ(SendMessage(cb, CB_SETFIELDCOUNT, 2, 0), 1);
    SendMessage(cb, CB_SETFIELDRANGE1, 0, 23);
    SendMessage(cb, CB_SETFIELDRANGE2, 0, 59);
    SendMessage(cb, CB_SETFIELD, 1, 8);
    SendMessage(cb, CB_SETFIELD, 2, 30);
    Notes();
    return cb;
  }
};

struct Step {
  const char* name;
  int msg;
  WParam wParam;
  LParam lParam;
  std::vector<int> notes;
  int open;  // the spinner shown afterwards, or kSame
  const char* shown;
  int dialogCode;  // or kSame
};

TEST_F(TimeBox, OpenStepEscapeClickOutsideAndFocusLoss) {
  WindowHandle cb = MakeTime();
  WindowHandle spinner = Child(cb, true);
  ASSERT_TRUE(spinner);
  Rect r{};
  GetClientRect(cb, &r);
  const LParam button = At(r.right - 5, r.bottom / 2), edit = At(5, 5);
  constexpr int kHide = -100, kFocus = -102, kTypeText = -103;
  const std::vector<Step> steps = {
      {"the box takes the focus", kFocus, 0, 0, {CBN_SETFOCUS}, 0, "08:30", 0x11},
      {"a click on the button opens", MSG_LBUTTONDOWN, 0, button, {}, 1, "08:30", 0x4011},
      {"a field set while open shows at once", CB_SETFIELD, 2, 31, {}, 1, "08:31", kSame},
      {"a second click closes", MSG_LBUTTONDOWN, 0, button, {}, 0, "08:31", 0x11},
      {"Escape while closed changes nothing", MSG_KEYDOWN, KEY_ESC, 0, {}, 0, "08:31", 0x11},
      {"a click on the edit opens", MSG_LBUTTONDOWN, 0, edit, {CBN_SETFOCUS}, 1, "08:31", 0x4011},
      {"Escape closes", MSG_KEYDOWN, KEY_ESC, 0, {}, 0, "08:31", 0x11},
      {"reopen", MSG_LBUTTONDOWN, 0, button, {}, 1, "08:31", kSame},
      {"", kHide, 0, 0, {}, kSame, "08:31", kSame},
      {"a click outside", MSG_TOPCTRLHIDDEN, 0, At(300, 200), {CBN_SELECTCANCEL, CBN_CLOSEUP}, 0, "08:31",
       0x11},
      {"reopen from the edit", MSG_LBUTTONDOWN, 0, edit, {CBN_SETFOCUS}, 1, "08:31", 0x4011},
      {"losing the focus closes", MSG_KILLFOCUS, 0, 0, {CBN_KILLFOCUS}, 0, "08:31", 0x11},
      {"the focus comes back", MSG_SETFOCUS, 0, 0, {CBN_SETFOCUS}, 0, "08:31", kSame},
      {"Enter starts typing", MSG_KEYDOWN, KEY_ENTER, 0, {CBN_SELCHANGE}, 0, "08:31", 0x4015},
      {"a time typed", kTypeText, 0, 0, {}, 0, "9:5", 0x4015},
      {"losing the focus takes the typed time", MSG_KILLFOCUS, 0, 0, {CBN_KILLFOCUS}, 0, "09:05", 0x11},
  };
  for (const Step& s : steps) {
    if (s.msg == kHide) {
      ShowWindow(spinner, SW_HIDE);
    } else if (s.msg == kFocus) {
      SetFocusChild(cb);
    } else if (s.msg == kTypeText) {
      SendMessage(Child(cb, false), MSG_SETTEXT, 0, reinterpret_cast<LParam>("9:5"));
    } else {
      SendMessage(cb, s.msg, s.wParam, s.lParam);
    }
    EXPECT_EQ(Notes(), s.notes) << s.name;
    if (s.open != kSame) {
      EXPECT_EQ(IsWindowVisible(spinner) ? 1 : 0, s.open) << s.name;
    }
    EXPECT_EQ(Text(cb), s.shown) << s.name;
    if (s.dialogCode != kSame) {
      EXPECT_EQ(SendMessage(cb, MSG_GETDLGCODE, 0, 0), s.dialogCode) << s.name;
    }
  }
}

TEST_F(TimeBox, TypedTimesAsShownAndFieldMessages) {
  WindowHandle cb = MakeTime();
  CheckTyped(cb, {
      {"12:45", "12:45"},
      {"7:5", "07:05"},      // each piece printed with its field's format
      {"25:10", "23:10"},    // a piece past its field becomes the field's maximum
      {"09:75", "09:59"},
      {"18", "09:59"},       // no separator: the fields keep their time
      {"", "09:59"},
  });
  EXPECT_EQ(SendMessage(cb, CB_SETFIELD, 2, 75), 1);
  EXPECT_EQ(Text(cb), "09:59");
  EXPECT_EQ(SendMessage(cb, CB_SETFIELD, 1, 7), 1);
  EXPECT_EQ(SendMessage(cb, CB_GETFIELD, 1, 0), 7);
  EXPECT_EQ(SendMessage(cb, CB_SETFIELD, 3, 1), 0);  // beyond the count
  EXPECT_EQ(SendMessage(cb, CB_SETFIELD, 1, 101), 0);
  EXPECT_EQ(SendMessage(cb, CB_GETFIELD, 3, 0), 0);
  EXPECT_EQ(SendMessage(cb, CB_SETFIELDCOUNT, 5, 0), 0);
  EXPECT_EQ(SendMessage(cb, CB_SETFIELDRANGE2, 10, 5), 0);
  EXPECT_EQ(SendMessage(cb, CB_SETFIELDRANGE2, 0, 30), 1);  // the value follows into the range
  EXPECT_EQ(Text(cb), "07:30");
  EXPECT_EQ(SendMessage(cb, CB_SETSEPARATORS, 2, 0), 0);
  EXPECT_EQ(Text(cb), "07:30");
  // Typed into with two fields, the box becomes a span of four: the edit
  // takes the longer text whole.
  EXPECT_EQ(SendMessage(cb, CB_SETFIELDCOUNT, 4, 0), 1);
  const int values[] = {8, 0, 17, 30};
  for (int field = 1; field <= 4; ++field) {
    SendMessage(cb, CB_SETFIELDRANGE1 + field - 1, 0, field % 2 ? 23 : 59);
    SendMessage(cb, CB_SETFIELD, field, values[field - 1]);
  }
  EXPECT_EQ(Text(cb), "08:00-17:30");
  CheckTyped(cb, {{"09:15-18:45", "09:15-18:45"}});
}

TEST_F(TimeBox, SpinnerWidthKeptBetween200And360) {
  WindowHandle narrow = MakeTime(0, {10, 10, 110, 36});
  WindowHandle nearEdge = MakeTime(0, {300, 60, 390, 86});
  WindowHandle wide = MakeTime(0, {10, 110, 390, 136});
  struct Want {
    WindowHandle cb;
    int left, width;
  } const wants[] = {{narrow, 0, 200}, {nearEdge, 90 - 200, 200}, {wide, 0, 360}};
  for (const Want& w : wants) {
    Rect r{};
    GetWindowRect(Child(w.cb, true), &r);
    EXPECT_EQ(r.left, w.left);
    EXPECT_EQ(r.right - r.left, w.width);
  }
}

class TimeBoxOnScreen : public TimeBox {};

TEST_F(TimeBoxOnScreen, ClosedAndOpen) {
  WindowHandle cb = MakeTime(0, {10, 10, 150, 36});
  Make(CBS_TIME, {10, 60, 150, 86});  // no fields set
  SetFocusChild(cb);
  ShootMain(__FILE__, "time_closed.png");
  SendMessage(cb, MSG_LBUTTONDOWN, 0, At(5, 5));
  ShootMain(__FILE__, "time_open.png");
}

// A time box on a dialog driven by the host's mouse and keyboard: opened by
// a click, its spinner takes the keys the dialog would take for itself.
class TimeBoxOnADialog : public combotest::BoxOnADialog<TimeBox> {
 protected:
  // Hours 0..23 and minutes 0..59 at 08:30.
  void SetUp() override {
    ASSERT_TRUE(Place(CBS_TIME | CBS_NOTIFY));
    ASSERT_EQ(SendMessage(box_, CB_SETFIELDCOUNT, 2, 0), 1);
    SendMessage(box_, CB_SETFIELDRANGE1, 0, 23);
    SendMessage(box_, CB_SETFIELDRANGE2, 0, 59);
    SendMessage(box_, CB_SETFIELD, 1, 8);
    SendMessage(box_, CB_SETFIELD, 2, 30);
    desktest::Drain();
  }
};

TEST_F(TimeBoxOnADialog, EscapeClosesTheSpinnerAClickOpenedAndThenTheDialog) {
  ASSERT_TRUE(ClickBox()) << "the click opened the spinner";
  EXPECT_EQ(Code(), 0x4011) << "the open spinner takes the keys";
  // A click on the first field's up arrow steps the hours; the spinner stays.
  const Rect up = spintime::Record(dropDown_)->fields[0].up;
  int x = (up.left + up.right) / 2, y = (up.top + up.bottom) / 2;
  ClientToScreen(dropDown_, &x, &y);
  EXPECT_TRUE(ClickOnScreen(x, y, [this] { return SendMessage(box_, CB_GETFIELD, 1, 0) == 9; }))
      << "the up arrow stepped the hours";
  EXPECT_TRUE(Shown());
  EXPECT_FALSE(heard_.Heard(kBelowId)) << "the button under the spinner heard nothing";
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return !Shown(); })) << "Escape closed the spinner";
  EXPECT_FALSE(heard_.Closed()) << "the dialog stays";
  EXPECT_EQ(Text(box_), "08:30") << "and left the time as it was";
  EXPECT_EQ(SendMessage(box_, CB_GETFIELD, 1, 0), 8);
  EXPECT_EQ(GetFocusChild(dlg_), box_);
  EXPECT_EQ(Code(), 0x11);
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return heard_.Closed(); })) << "the next Escape closes the dialog";
}

// Typing begun and ended with Enter leaves the spinner open, and it keeps
// the keys: the next Escape is still its own.
TEST_F(TimeBoxOnADialog, TypingOverTheOpenSpinnerLeavesItTheKeys) {
  ASSERT_TRUE(ClickBox());
  EXPECT_TRUE(Key(kLinuxEnter, [this] { return Code() == 0x4015; })) << "Enter began typing";
  EXPECT_TRUE(Key(kLinuxEnter, [this] { return Code() == 0x4011; })) << "Enter ended it, the spinner still open";
  EXPECT_TRUE(Shown());
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return !Shown(); })) << "Escape closed the spinner";
  EXPECT_FALSE(heard_.Closed()) << "the dialog stays";
  EXPECT_EQ(Text(box_), "08:30");
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return heard_.Closed(); }));
}

// Enter, then a time typed on the host's keys over the one shown, then
// Enter: as in the date box, digits take the place of the shown digits; a
// field past its range is brought to its maximum.
TEST_F(TimeBoxOnADialog, EnterThenDigitsTypeTheTime) {
  ASSERT_TRUE(ClickBox());
  ASSERT_TRUE(Key(kLinuxEscape, [this] { return !Shown(); })) << "the box has the focus, its spinner closed";
  const struct {
    const char* typed;
    const char* shown;
  } rows[] = {
      {"1345", "13:45"},
      {"07", "07:45"},  // the hours alone
      {"2599", "23:59"},
  };
  for (const auto& row : rows) {
    TypeBetweenEnters(row.typed);
    EXPECT_EQ(Text(box_), row.shown) << row.typed;
    EXPECT_EQ(SendMessage(box_, CB_GETFIELD, 1, 0) * 100 + SendMessage(box_, CB_GETFIELD, 2, 0),
              std::stoi(std::string(row.shown).erase(2, 1)))
        << row.typed;
  }
}

}  // namespace

// The number spin as one table: each row sets the box up, does one thing
// and says what the edit shows, what was answered and what was notified.
#include "controls/combobox/tests/combo_fixture.h"
#include "controls/listbox/control_measures.h"
#include "gui/keyboard.h"

namespace {

using combotest::ComboTest;

struct Op {
  int msg;
  WParam wParam;
  LParam lParam;
};

struct SpinCase {
  const char* name;
  uint32_t style;
  std::vector<Op> setup;
  Op action;
  LResult answer;
  const char* text;
  std::vector<int> notes;
};

LParam Str(const char* s) { return reinterpret_cast<LParam>(s); }

class NumberSpin : public ComboTest {};

TEST_F(NumberSpin, TableOfStepsRangesValuesAndFormats) {
  const uint32_t spin = CBS_SPINNUMBER, notify = CBS_SPINNUMBER | CBS_NOTIFY;
  const SpinCase cases[] = {
      {"up wraps from the maximum", notify, {{CB_SETSPINVALUE, 100, 0}}, {CB_SPIN, 0, 0}, 0, "0", {CBN_EDITCHANGE}},
      {"down wraps from the minimum", notify, {{CB_SETSPINVALUE, 0, 0}}, {CB_SPIN, 1, 0}, 0, "100", {CBN_EDITCHANGE}},
      {"page step", spin, {{CB_SETSPINVALUE, 50, 0}}, {CB_FASTSPIN, 0, 0}, 0, "55", {}},
      {"line step set alone", spin, {{CB_SETSPINVALUE, 50, 0}, {CB_SETSPINPACE, 3, 0}}, {CB_FASTSPIN, 1, 0}, 0, "45", {}},
      {"an unreadable text counts as 0", spin, {{MSG_SETTEXT, 0, Str("abc")}}, {CB_SPIN, 0, 0}, 0, "1", {}},
      {"reversed range refused", spin, {{CB_SETSPINVALUE, 3, 0}}, {CB_SETSPINRANGE, 10, 5}, -3, "3", {}},
      {"range pulls the value up", spin, {{CB_SETSPINVALUE, 3, 0}}, {CB_SETSPINRANGE, 10, 20}, 0, "10", {}},
      {"range pulls the value down", spin, {{CB_SETSPINVALUE, 90, 0}}, {CB_SETSPINRANGE, 10, 20}, 0, "20", {}},
      {"value outside the range", spin, {{CB_SETSPINVALUE, 7, 0}}, {CB_SETSPINVALUE, 101, 0}, -3, "7", {}},
      {"format", spin, {{CB_SETSPINFORMAT, 0, Str("%03d")}}, {CB_SETSPINVALUE, 7, 0}, 0, "007", {}},
      {"value read with the format", spin, {{CB_SETSPINFORMAT, 0, Str("ch%d")}, {CB_SETSPINVALUE, 12, 0}},
       {CB_GETSPINVALUE, 0, 0}, 12, "ch12", {}},
      {"a format that is not one number", spin, {{CB_SETSPINVALUE, 4, 0}}, {CB_SETSPINFORMAT, 0, Str("%s")}, -3, "4", {}},
      {"up key steps and always says so", spin, {{CB_SETSPINVALUE, 4, 0}}, {MSG_KEYDOWN, KEY_UP, 0}, 0, "5",
       {CBN_SPINSTEP}},
      {"page down key", spin, {{CB_SETSPINVALUE, 40, 0}}, {MSG_KEYDOWN, KEY_PAGEDOWN, 0}, 0, "35", {}},
      {"clear", spin, {{CB_SETSPINVALUE, 40, 0}}, {CB_CLEARSPIN, 0, 0}, 0, "", {}},
  };
  for (const SpinCase& c : cases) {
    WindowHandle cb = Make(c.style);
    for (const Op& op : c.setup) SendMessage(cb, op.msg, op.wParam, op.lParam);
    Notes();
    EXPECT_EQ(SendMessage(cb, c.action.msg, c.action.wParam, c.action.lParam), c.answer) << c.name;
    EXPECT_EQ(Text(Child(cb, false)), c.text) << c.name;
    EXPECT_EQ(Notes(), c.notes) << c.name;
    DestroyWindow(cb);
  }
}

TEST_F(NumberSpin, StartsAtZeroToHundredAndSwallowsLetters) {
  WindowHandle cb = Make(CBS_SPINNUMBER);
  int lo = -1, hi = -1, line = -1, page = -1;
  SendMessage(cb, CB_GETSPINRANGE, reinterpret_cast<WParam>(&lo), reinterpret_cast<LParam>(&hi));
  SendMessage(cb, CB_GETSPINPACE, reinterpret_cast<WParam>(&line), reinterpret_cast<LParam>(&page));
  EXPECT_EQ((std::vector<int>{lo, hi, line, page}), (std::vector<int>{0, 100, 1, 5}));
  EXPECT_TRUE(GetWindowStyle(cb) & CBS_AUTOLOOP);
  WindowHandle edit = Child(cb, false);
  SendMessage(edit, MSG_SETTEXT, 0, Str("1"));  // through the filter to the edit
  SendMessage(edit, MSG_CHAR, 'a', 0);
  EXPECT_EQ(Text(edit), "1") << "a letter never reaches the edit";
}

}  // namespace

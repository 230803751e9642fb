// The time spinner inside a stand-in combo box: stepping with wrap-around
// and clamps, a held arrow (one line step, then page steps on the ticks),
// the wheel, the field under the mouse, the combo box's field operations,
// the text written back, time texts typed into it, and its layout.
#include <gtest/gtest.h>

#include <string>

#include "controls/monthcalendar/tests/calendar_fixture.h"
#include "controls/spintime/spintime_internal.h"
#include "gui/control_class.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kComboNotify = 0x8;

// What the spinner wrote into the stand-in combo box (MSG_SETTEXT).
std::string g_comboText;

LResult ComboProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_SETTEXT) {
    g_comboText = lParam ? reinterpret_cast<const char*>(lParam) : "";
    return 0;
  }
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

class TimeSpinner : public caltest::CalendarGui {
 protected:
  void SetUp() override {
    CalendarGui::SetUp();
    spintime::SetCurrentField(0);  // shared by all spinners, whatever ran before
    WndClassInfo info{};
    info.className = "testcombo";
    info.windowProc = ComboProc;
    RegisterWindowClass(&info);
    combo_ = Control("testcombo", kComboNotify, 10, 10, 600, 60, 77);
    ASSERT_NE(combo_, GUI_INVALID_HANDLE);
  }
  void TearDown() override {
    if (combo_ != GUI_INVALID_HANDLE) DestroyWindow(combo_);
    CalendarGui::TearDown();
    UnregisterWindowClass("testcombo");
  }
  WindowHandle Spinner(int fields, int width = 600) {
    WindowHandle s = CreateWindowEx("spintime", "", WS_VISIBLE, 0, 103, 0, 0, width, 50, combo_, 0);
    EXPECT_NE(s, GUI_INVALID_HANDLE);
    EXPECT_TRUE(spintime::SetFieldCount(s, fields));
    return s;
  }
  static LParam At(const Rect& r) { return ((r.top + r.bottom) / 2) << 16 | ((r.left + r.right) / 2); }
  // One repeat tick to the host, dispatched with whatever it caused.
  void Tick() {
    guitest::InjectTick(host_);
    desktest::Drain();
  }
  std::string Shown(WindowHandle s) { return spintime::Compose(*spintime::Record(s)); }
  std::string ComboText() { return g_comboText; }
  int Notices() { return static_cast<int>(Received(host_, MSG_COMMAND).size()); }
  WindowHandle combo_ = GUI_INVALID_HANDLE;
};

TEST_F(TimeSpinner, StepsWrapClampAndNotifyThroughTheComboBox) {
  WindowHandle s = Spinner(2);
  spintime::SetFieldRange(s, 1, 0, 23);
  spintime::SetFieldRange(s, 2, 0, 59);
  spintime::SetField(s, 1, 23);
  spintime::SetField(s, 2, 0);
  const spintime::Data& d = *spintime::Record(s);
  Received(host_, MSG_COMMAND);
  EXPECT_EQ(SendMessage(s, TSM_LINESTEP, 0, 0), 0);
  EXPECT_EQ(Shown(s), "23:00") << "no current field, no step";
  EXPECT_EQ(Notices(), 0);

  SendMessage(s, MSG_MOUSEMOVE, 0, At(d.fields[0].field));  // the mouse makes field 1 current
  EXPECT_EQ(spintime::CurrentField(), 1);
  const struct { int msg; WParam down; const char* shown; } steps[] = {
      {TSM_LINESTEP, 0, "00:00"}, {TSM_LINESTEP, 1, "23:00"}, {TSM_PAGESTEP, 0, "00:00"},
      {TSM_PAGESTEP, 0, "05:00"}, {TSM_PAGESTEP, 1, "00:00"}, {TSM_PAGESTEP, 1, "23:00"}};
  for (const auto& st : steps) {
    SendMessage(s, st.msg, st.down, 0);
    EXPECT_EQ(Shown(s), st.shown);
  }
  const auto notices = Received(host_, MSG_COMMAND);
  ASSERT_EQ(notices.size(), 6u);
  EXPECT_EQ(notices[0].wParam, (1u << 16) | 77u) << "code 1 from the combo box's identifier";

  ExcludeWindowStyle(s, TSS_WRAP);
  SendMessage(s, TSM_PAGESTEP, 0, 0);
  EXPECT_EQ(Shown(s), "23:00") << "without wrap-around the maximum holds";
  EXPECT_EQ(Notices(), 0) << "no change, no notice";
  SendMessage(s, MSG_MOUSEWHEELDOWN, 0, At(d.fields[0].field));  // wheel: one line down
  EXPECT_EQ(Shown(s), "22:00");
  SendMessage(s, MSG_MOUSEWHEELUP, 0, At(d.fields[1].field));  // outside the current field
  EXPECT_EQ(Shown(s), "22:00");
}

TEST_F(TimeSpinner, AHeldArrowStepsOnceThenPagesOnEachTick) {
  SetWindowCallbackProc(host_, guitest::InjectedTicksOnlyProc);
  WindowHandle s = Spinner(2);
  spintime::SetFieldRange(s, 2, 0, 59);
  spintime::SetField(s, 1, 0);
  spintime::SetField(s, 2, 0);
  const spintime::Data& d = *spintime::Record(s);
  SendMessage(s, MSG_MOUSEMOVE, 0, At(d.fields[1].up));
  EXPECT_EQ(spintime::Record(s)->fields[1].flags & spintime::kUpMarked, spintime::kUpMarked);
  SendMessage(s, MSG_LBUTTONDOWN, 0, At(d.fields[1].up));
  EXPECT_EQ(Shown(s), "00:01");
  for (const char* want : {"00:06", "00:11", "00:16"}) {
    Tick();
    EXPECT_EQ(Shown(s), want);
  }
  SendMessage(s, MSG_LBUTTONUP, 0, At(d.fields[1].up));
  Tick();
  EXPECT_EQ(Shown(s), "00:16") << "released: no more steps";

  SendMessage(s, MSG_MOUSEMOVE, 0, At(d.fields[1].down));
  SendMessage(s, MSG_LBUTTONDOWN, 0, At(d.fields[1].down));
  EXPECT_EQ(Shown(s), "00:15");
  Tick();
  EXPECT_EQ(Shown(s), "00:10");
  SendMessage(s, MSG_LBUTTONUP, 0, At(d.fields[1].down));
  SendMessage(s, MSG_MOUSEENTER, 0, 0);
  EXPECT_EQ(spintime::CurrentField(), 0);
  EXPECT_EQ(spintime::Record(s)->fields[1].flags & (spintime::kUpMarked | spintime::kDownMarked), 0);
}

TEST_F(TimeSpinner, FieldOperationsAndWriteBack) {
  WindowHandle s = Spinner(4);
  for (int f = 1; f <= 4; ++f) spintime::SetFieldRange(s, f, 0, f % 2 ? 23 : 59);
  const int values[] = {8, 0, 17, 30};
  for (int f = 1; f <= 4; ++f) EXPECT_TRUE(spintime::SetField(s, f, values[f - 1]));
  EXPECT_EQ(ComboText(), "08:00-17:30");
  EXPECT_TRUE(spintime::SetField(s, 2, 75));
  EXPECT_EQ(spintime::GetField(s, 2), 59) << "outside the range: the maximum";
  EXPECT_FALSE(spintime::SetField(s, 2, 101));
  EXPECT_FALSE(spintime::SetField(s, 5, 1));
  EXPECT_FALSE(spintime::SetFieldRange(s, 1, 10, 5));
  EXPECT_TRUE(spintime::SetFieldRange(s, 1, 10, 20));
  EXPECT_EQ(ComboText(), "10:59-17:30") << "a value below a new range becomes its minimum";
  EXPECT_FALSE(spintime::SetFieldCount(s, 5));
  EXPECT_TRUE(spintime::SetFieldCount(s, 2));
  EXPECT_EQ(spintime::GetField(s, 3), 0) << "beyond the count";
  EXPECT_EQ(spintime::Record(s)->separatorMode, 1);
}

TEST_F(TimeSpinner, FieldsShrinkToFitANarrowSpinner) {
  for (int width : {700, 300, 200}) {
    WindowHandle s = Spinner(3, width);
    const spintime::Data& d = *spintime::Record(s);
    EXPECT_EQ(d.separatorMode, 2);
    for (int i = 0; i < 3; ++i) {
      EXPECT_GE(d.fields[i].field.left, 0) << width;
      EXPECT_LE(d.fields[i].field.right, width) << width;
      EXPECT_LE(d.fields[i].up.left, d.fields[i].field.right);
      if (i) {
        EXPECT_GT(d.fields[i].field.left, d.fields[i - 1].field.right) << "a gap for the separator";
      }
    }
    DestroyWindow(s);
  }
}

// Typed time texts into spinners of each size: what the edit shows after.
TEST(TimeText, TypedTextsBecomeShownTexts) {
  const struct { int count; const char* typed; bool ok; const char* shown; } cases[] = {
      {2, "25:10", true, "23:10"},        {2, "08:30", true, "08:30"},    {2, "8:5", true, "08:05"},
      {2, "1230", false, "00:00"},        {2, "12-30", false, "00:00"},   {2, ":", true, "00:00"},
      {3, "99:99:99", true, "23:59:23"},  {3, "1:2", false, "01:00:00"},  {1, "7", true, "07"},
      {4, "08:00-17:30", true, "08:00-17:30"}, {4, "08:00:17:30", false, "08:00-00:00"},
      {4, "-5:00-24:00", true, "23:00-23:00"}};
  for (const auto& c : cases) {
    spintime::Data d;
    d.count = c.count;
    d.separatorMode = c.count <= 2 ? 1 : c.count == 3 ? 2 : 3;
    for (int i = 0; i < 4; ++i) {
      d.fields[i].maximum = i % 2 ? 59 : 23;
      spintime::Print(d.fields[i], 0);
    }
    EXPECT_EQ(spintime::ParseInto(d, c.typed), c.ok) << c.typed;
    EXPECT_EQ(spintime::Compose(d), c.shown) << c.typed;
  }
}

}  // namespace

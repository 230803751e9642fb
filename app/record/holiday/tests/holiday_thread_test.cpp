// The holiday list page and its editor on the simulated device: what each
// mode writes, when nothing is written, the refusals' boxes, and the list
// after an edit.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/page_ids.h"
#include "app/record/holiday/holiday.h"
#include "app/record/record_input_test.h"
#include "app/record_pages.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::Click;
using livetest::LiveGui;
using recordtest::ClickClosing;

constexpr int kList = 18944, kName = 18960, kEnable = 18961, kMode = 18962, kStartMon2 = 18971, kStartDay = 18972,
              kStopMon = 18973, kStopDay = 18974, kStartMon1 = 18965, kStartWeek = 18966, kStartWeekday = 18967;
constexpr int kApply = PAGE_ID_APPLY, kOk = PAGE_ID_OK, kNameColumn = 1, kEditColumn = 5;

void Choose(WindowHandle w, int combo, int value) { EXPECT_TRUE(livetest::Pick(w, combo, value)) << value; }
int Count(WindowHandle w, int combo) { return static_cast<int>(SendDlgItemMessage(w, combo, CB_GETCOUNT, 0, 0)); }
int Value(WindowHandle w, int combo) { return static_cast<int>(SendDlgItemMessage(w, combo, CB_GETSELVALUE, 0, 0)); }
bool Shown(WindowHandle w, int id) { return IsWindowVisible(GetDlgItem(w, id)); }

HolidayTable Stored() {
  HolidayTable t{};
  getHolidayConfig(nullptr, &t);
  return t;
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : livetest::Boxes()) texts.push_back(box.text);
  return texts;
}

size_t Calls(const std::string& op) {
  size_t n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

class Holidays : public LiveGui {
 protected:
  // Runs `steps` inside the editor of entry `index`.
  void Edit(int index, std::function<void(WindowHandle)> steps) {
    setDiskDlgArgs(2, index);
    RunInLoop([](WindowHandle owner) { return showHolidayEditDialog(owner); },
              [steps] {
                const WindowHandle dlg = GetActiveWindow();
                steps(dlg);
                if (IsWindow(dlg)) SendMessage(dlg, MSG_CLOSE, 0, 0);
              });
  }
};

LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

HolidayEntry ByWeek(const char* name, int enable) {
  HolidayEntry e{};
  std::snprintf(e.name, sizeof e.name, "%s", name);
  e.enable = static_cast<uint8_t>(enable);
  e.mode = HOLIDAY_BY_WEEK;
  e.period.byWeek = HolidayByWeek{4, 2, 0, 0, 4, 5, 6, 0};  // 2nd Sunday of May .. last Saturday of May
  return e;
}

TEST_F(Holidays, TheListAndTheEditorOnScreen) {
  HolidayTable table = Stored();
  table.entries[0] = ByWeek("Spring", 1);
  table.entries[1].mode = HOLIDAY_BY_MONTH;
  table.entries[1].period.byMonth = HolidayByMonth{1, 29, 2, 3, {}};
  std::snprintf(table.entries[1].name, sizeof table.entries[1].name, "Leap");
  table.entries[2].mode = HOLIDAY_BY_DATE;
  table.entries[2].period.byDate = HolidayByDate{2026, 11, 24, 2026, 11, 26};
  std::snprintf(table.entries[2].name, sizeof table.entries[2].name, "Winter");
  ASSERT_EQ(setHolidayConfig(nullptr, &table), 0);
  const WindowHandle host = Main({0, 0, 8, 8}, MenuHostProc);
  const WindowHandle helper = Main({0, 0, 4, 4}, recordtest::LoopLookProc);  // before the page, which stays active
  ASSERT_EQ(createHolidaySetWindow(host), 0);
  const WindowHandle win = getRecordPageWnd();
  ASSERT_NE(win, GUI_INVALID_HANDLE);
  const WindowHandle page =
      static_cast<WindowHandle>(SendMessage(GetDlgItem(win, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
  desktest::Drain();
  Rect r{};
  GetWindowRect(win, &r);
  livetest::MatchesReference(__FILE__, "holidayset", livetest::SettledGrab(r));
  // The first row chosen by a click on its name, its editor opened by the
  // edit key.
  const WindowHandle list = GetDlgItem(page, kList);
  livetest::ClickCell(list, 0, kNameColumn);
  ASSERT_TRUE(livetest::PumpUntil([list] { return GetCapture() == 0 && GetFocusChild(GetParent(list)) == list; }));
  EXPECT_TRUE(recordtest::InLoopOpenedBy(helper, [] { recordtest::Key(PANEL_KEY_EDIT); },
                                         recordtest::OpenedOver(win), [] {
    const WindowHandle dlg = GetActiveWindow();
    Rect d{};
    GetWindowRect(dlg, &d);
    livetest::MatchesReference(__FILE__, "holidayedit", livetest::SettledGrab(d));
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  }));
  SendMessage(win, MSG_CLOSE, 0, 0);
  desktest::Drain();
}

std::string NameText(WindowHandle dlg) {
  char text[64] = "";
  SendDlgItemMessage(dlg, kName, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  return text;
}

void SetName(WindowHandle dlg, const char* name) { EXPECT_TRUE(recordtest::Retype(dlg, kName, name)) << name; }

TEST_F(Holidays, TheStoredEntryIsShownAndAnUnchangedOneIsNotWritten) {
  HolidayTable table = Stored();
  table.entries[3] = ByWeek("Spring", 0);
  ASSERT_EQ(setHolidayConfig(nullptr, &table), 0);
  device_seam::startCallLog();
  Edit(3, [](WindowHandle dlg) {
    EXPECT_EQ(NameText(dlg), "Spring");
    EXPECT_EQ(Value(dlg, kMode), HOLIDAY_BY_WEEK);
    EXPECT_TRUE(Shown(dlg, kStartMon1));
    EXPECT_FALSE(Shown(dlg, kStartMon2));
    EXPECT_FALSE(Shown(dlg, 18963));
    EXPECT_EQ(Value(dlg, kStartWeek), 2);
    EXPECT_TRUE(ClickClosing(dlg, kOk));
  });
  EXPECT_EQ(Calls("setHolidayConfig"), 0u);
  EXPECT_EQ(isHolidayChanged(), 0);
  EXPECT_TRUE(livetest::Boxes().empty());
}

// Each mode writes its own fields; the day lists follow the months and
// start again on day 1.
TEST_F(Holidays, EachModeWritesWhatItsListsShow) {
  Edit(5, [](WindowHandle dlg) {
    EXPECT_EQ(NameText(dlg), "Holiday6");  // an empty entry gets a name and mode 1
    EXPECT_EQ(Value(dlg, kMode), HOLIDAY_BY_MONTH);
    const int days[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 0; m < 12; ++m) {
      Choose(dlg, kStartMon2, m);
      EXPECT_EQ(Count(dlg, kStartDay), days[m]) << m;
      EXPECT_EQ(Value(dlg, kStartDay), 1) << m;
    }
    Choose(dlg, kStartMon2, 1);
    Choose(dlg, kStartDay, 29);
    Choose(dlg, kStopMon, 2);
    Choose(dlg, kStopDay, 31);
    Choose(dlg, kStopMon, 3);  // April: day 31 is gone, day 1 is chosen
    Choose(dlg, kStopDay, 30);
    EXPECT_TRUE(ClickClosing(dlg, kOk));
  });
  HolidayEntry e = Stored().entries[5];
  EXPECT_STREQ(e.name, "Holiday6");
  EXPECT_EQ(e.mode, HOLIDAY_BY_MONTH);
  EXPECT_EQ(e.enable, 0);
  EXPECT_EQ(e.period.byMonth.startMonth, 1);
  EXPECT_EQ(e.period.byMonth.startDay, 29);
  EXPECT_EQ(e.period.byMonth.endMonth, 3);
  EXPECT_EQ(e.period.byMonth.endDay, 30);
  EXPECT_EQ(isHolidayChanged(), 1);

  Edit(5, [](WindowHandle dlg) {
    Choose(dlg, kMode, HOLIDAY_BY_WEEK);
    EXPECT_TRUE(Shown(dlg, kStartWeekday));
    EXPECT_FALSE(Shown(dlg, kStopDay));
    Choose(dlg, kStartMon1, 11);
    Choose(dlg, kStartWeek, 5);
    Choose(dlg, kStartWeekday, 4);
    SetName(dlg, "Advent");
    Click(dlg, kApply);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kApply)));
  });
  e = Stored().entries[5];
  EXPECT_STREQ(e.name, "Advent");
  EXPECT_EQ(e.mode, HOLIDAY_BY_WEEK);
  const HolidayByWeek want{11, 5, 4, 0, 0, 1, 0, 0};  // the end lists on their first rows
  EXPECT_EQ(std::memcmp(&e.period.byWeek, &want, sizeof want), 0);
  EXPECT_TRUE(livetest::Boxes().empty());
}

// The device refuses a table with a code; the editor stays open, shows the
// code's text and moves the focus where the fault is (a fault of no field
// leaves it on the clicked OK).
TEST_F(Holidays, RefusalsShowTheirTextsAndKeepTheEditorOpen) {
  struct Row {
    int code;
    std::string text;
    int focus;
  };
  const Row rows[] = {{1, "The holiday name is empty!", kName},
                      {2, "Name is invalid, please enter it again!", kName},
                      {3, "Choose a mode!", kMode},
                      {4, "The date is not valid!", kOk},
                      {5, "The end lies before the start!", kOk},
                      {9, "Saving failed, error code: 9", kOk}};
  for (const Row& row : rows) {
    livetest::Boxes().clear();
    device_seam::overrideAnswer(setHolidayConfig, row.code);
    const HolidayTable before = Stored();
    Edit(0, [&row](WindowHandle dlg) {
      SetName(dlg, "Refused");
      Click(dlg, kOk);
      EXPECT_TRUE(IsWindow(dlg)) << row.code;
      EXPECT_EQ(GetDlgCtrlID(GetFocusChild(dlg)), row.focus) << row.code;
      EXPECT_EQ(NameText(dlg), "Refused");
    });
    device_seam::clearOverrides();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{row.text}) << row.code;
    const HolidayTable after = Stored();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << row.code;
  }
}

TEST_F(Holidays, SwitchingAHolidayOnShowsTheScheduleHintBeforeTheWrite) {
  device_seam::overrideAnswer(setHolidayConfig, HOLIDAY_ERR_BAD_DATE);
  Edit(7, [](WindowHandle dlg) {
    ASSERT_EQ(SendDlgItemMessage(dlg, kEnable, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(dlg, kEnable);
    Click(dlg, kOk);
  });
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                            "On the days of this holiday every channel records by its holiday schedule.",
                            "The date is not valid!"}));
}

TEST_F(Holidays, TheListOpensTheEditorForTheChosenRowAndShowsItsSave) {
  const WindowHandle host = Main({0, 0, 8, 8}, MenuHostProc);
  const WindowHandle helper = Main({0, 0, 4, 4}, recordtest::LoopLookProc);  // before the page, which stays active
  ASSERT_EQ(createHolidaySetWindow(host), 0);
  const WindowHandle win = getRecordPageWnd();
  const WindowHandle page = static_cast<WindowHandle>(SendMessage(GetDlgItem(win, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
  const WindowHandle list = GetDlgItem(page, kList);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), HOLIDAY_COUNT);
  // A click on a row's edit icon, then the key on the row it chose: both open
  // that row's editor.
  const WindowHandle before = GetActiveWindow();
  const auto editorOpen = [before, page] {
    const WindowHandle active = GetActiveWindow();
    return active != before && active != page && NameText(active) != "";
  };
  EXPECT_TRUE(RunInLoopOpenedBy([list] { livetest::ClickCell(list, 4, kEditColumn); }, editorOpen, [] {
    const WindowHandle dlg = GetActiveWindow();
    EXPECT_EQ(NameText(dlg), "Holiday5");
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  })) << "the edit icon opened the editor";
  EXPECT_TRUE(recordtest::InLoopOpenedBy(helper, [] { recordtest::Key(PANEL_KEY_EDIT); }, editorOpen, [] {
    const WindowHandle dlg = GetActiveWindow();
    SetName(dlg, "Harvest");
    ASSERT_EQ(SendDlgItemMessage(dlg, kEnable, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(dlg, kEnable);
    EXPECT_TRUE(ClickClosing(dlg, kOk));
  })) << "the edit key opened the editor";
  const LResult row = SendMessage(list, LVM_GETSELECTEDITEM, 0, 0);
  ASSERT_NE(row, 0);
  for (int column : {1, 2}) {
    char text[64] = "";
    ListViewSubItemInfo cell{};
    cell.column = column;
    cell.text = text;
    cell.bufferSize = sizeof text;
    SendMessage(list, LVM_GETSUBITEMTEXT, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
    EXPECT_STREQ(text, column == 1 ? "Harvest" : "Enabled");
  }
  EXPECT_STREQ(Stored().entries[4].name, "Harvest");
  SendMessage(win, MSG_CLOSE, 0, 0);
  desktest::Drain();
  EXPECT_EQ(getRecordPageWnd(), GUI_INVALID_HANDLE);
}

TEST(HolidayTexts, PeriodsReadInTheLanguagesWordOrder) {
  // Without the layout every text is missing: -1 and an empty buffer.
  char text[64] = "x";
  EXPECT_EQ(formatHolidayMonthDate(text, sizeof text, 0, 1), -1);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(formatHolidayWeekDate(nullptr, 8, 0, 0, 0), -1);
  HolidayEntry a{}, b{};
  a.mode = b.mode = HOLIDAY_BY_MONTH;
  a.period.byMonth.unused[0] = 7;  // bytes the mode does not use are not compared
  EXPECT_EQ(holidayEntryDiffers(&a, &b), 0);
  a.mode = b.mode = HOLIDAY_BY_DATE;
  EXPECT_EQ(holidayEntryDiffers(&a, &b), 1);  // the same bytes are the start year's here
  a.mode = b.mode = 9;
  a.period.byDate.startYear = 1;
  EXPECT_EQ(holidayEntryDiffers(&a, &b), 0);
  b.enable = 1;
  EXPECT_EQ(holidayEntryDiffers(&a, &b), 1);
}

TEST_F(Holidays, PeriodTextsInBothWordOrders) {
  char text[64];
  ASSERT_EQ(formatHolidayWeekDate(text, sizeof text, 4, 1, 0), 0);
  EXPECT_STREQ(text, "2nd Sun.May");
  ASSERT_EQ(formatHolidayMonthDate(text, sizeof text, 1, 29), 0);
  EXPECT_STREQ(text, "29.February");
  EXPECT_EQ(formatHolidayWeekDate(text, sizeof text, 12, 0, 0), -1);
  EXPECT_EQ(formatHolidayWeekDate(text, sizeof text, 0, 5, 0), -1);
  EXPECT_EQ(formatHolidayWeekDate(text, sizeof text, 0, 0, -1), -1);
  const int32_t language = GetSysInfoLanguage();
  SetSysInfoLanguage(2);
  formatHolidayWeekDate(text, sizeof text, 4, 4, 6);
  EXPECT_STREQ(text, "MayLastSat");
  formatHolidayMonthDate(text, sizeof text, 11, 24);
  EXPECT_STREQ(text, "December24");
  SetSysInfoLanguage(language);
}

}  // namespace

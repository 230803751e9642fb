// List views and a scroll window as the user sees them, compared pixel for
// pixel with reference images (make update-references writes them anew):
// a plain list with focus, the current row, a disabled row, check boxes, a
// bar and cut texts; a striped list filled to the bottom; a bitmap cell of
// a right-to-left language; and a scroll window over its panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/listview/tests/listview_fixture.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/app_hooks.h"
#include "gui/paint.h"
#include "gui/scrollwnd.h"

namespace {

using guitest::Grab;

int RightToLeft() { return 1; }

class ListViewOnScreen : public lvtest::ListViewFixture {
 protected:
  // `cellFlags`: what the first cells ask for besides their rows' flag.
  void Fill(uint32_t cellFlags = LVFLAG_CHECKBOX) {
    AddColumn(70, "Camera", nullptr, LVCF_CHECKBOX);
    AddColumn(90, "A heading too long to fit");
    AddColumn(80, "Usage", nullptr, LVCF_CENTERALIGN | LVHF_CENTERALIGN);
    const char* names[] = {"Front door", "Garage", "Back yard, the long way round", "Hall"};
    for (int i = 0; i < 4; ++i) {
      HLVROW row = AddRow(nullptr, i, 0, LVIF_CHECKBOX | (i == 2 ? LVIF_DISABLE : 0));
      SetText(row, 0, i % 2 ? "D1" : "A1", cellFlags);
      SetText(row, 1, names[i]);
      ListViewSubItemInfo bar{};
      bar.flags = LVFLAG_BAR;
      bar.column = 2;
      bar.text = const_cast<char*>("40%");
      bar.barColor = guitest::Rgb(40, 160, 60);
      bar.barStart = 4;
      bar.barEnd = 4 + 18 * (i + 1);
      SendMessage(lv_, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&bar));
    }
    SendMessage(lv_, LVM_SETCHECKED, 1, 0);
    SendMessage(lv_, LVM_SELECTITEM, 3, 0);
  }
  guitest::Picture Take(WindowHandle hwnd) {
    desktest::Drain();
    Rect r{};
    GetWindowRect(hwnd, &r);
    int x = 0, y = 0;
    WindowToScreen(hwnd, &x, &y);
    return Grab(Rect{x, y, x + r.right - r.left, y + r.bottom - r.top});
  }
  void Shoot(const char* name, WindowHandle hwnd) {
    guitest::MatchReference(Take(hwnd), guitest::ReferencePath(__FILE__, name));
  }
  // The list scrolled to content row `y`, painted, and its top left corner
  // of `w` x `h` read back.
  guitest::Picture ScrolledTo(int y, int w, int h) {
    SendMessage(lv_, SVM_SETCONTPOS, static_cast<WParam>(-1), y);
    UpdateWindow(lv_, TRUE);
    int x0 = 0, y0 = 0;
    WindowToScreen(lv_, &x0, &y0);
    return Grab(Rect{x0, y0, x0 + w, y0 + h});
  }
  // Forty striped rows, more than fit: the vertical bar shows.
  void FillLong() {
    AddColumn(90, "Time");
    AddColumn(120, "Event");
    for (int i = 0; i < 40; ++i) {
      HLVROW row = AddRow(nullptr, i);
      SetText(row, 0, std::to_string(i).c_str());
      SetText(row, 1, i % 3 ? "Motion" : "Video loss");
    }
  }
};

TEST_F(ListViewOnScreen, PlainListWithFocusChecksBarsAndCutTexts) {
  ASSERT_NE(Make(0, {10, 10, 270, 160}), GUI_INVALID_HANDLE);
  Fill();
  SetFocusChild(lv_);
  Shoot("listview_plain.png", lv_);
}

TEST_F(ListViewOnScreen, StripedListFilledToTheBottom) {
  ASSERT_NE(Make(LVS_STRIPED, {10, 10, 270, 200}), GUI_INVALID_HANDLE);
  Fill();
  Shoot("listview_striped.png", lv_);
}

// A row a click ticks shows its box in its first cell whether or not the
// cell asked for one: the same list drawn either way is the same picture.
TEST_F(ListViewOnScreen, ARowThatCanBeTickedShowsItsBoxWithoutTheCellsFlag) {
  ASSERT_NE(Make(0, {10, 10, 270, 160}), GUI_INVALID_HANDLE);
  Fill();
  const guitest::Picture asked = Take(lv_);
  DestroyWindow(lv_);
  lv_ = CreateWindowEx("ListView", "", WS_VISIBLE, 0, 78, 10, 10, 260, 150, main_, 0);
  ASSERT_NE(lv_, GUI_INVALID_HANDLE);
  Fill(0);
  EXPECT_TRUE(Take(lv_).rgb == asked.rgb);
}

// Rows added between LVM_STOPREDRAW and LVM_STARTREDRAW draw nothing until
// the end, and then exactly what the same rows added one by one draw.
TEST_F(ListViewOnScreen, BulkFillBetweenStopAndStartRedrawEndsAsARowByRowFill) {
  ASSERT_NE(Make(LVS_STRIPED, {10, 10, 270, 200}), GUI_INVALID_HANDLE);
  FillLong();
  const guitest::Picture rowByRow = Take(lv_);
  DestroyWindow(lv_);
  lv_ = CreateWindowEx("ListView", "", LVS_STRIPED | WS_VISIBLE, 0, 78, 10, 10, 260, 190, main_, 0);
  ASSERT_NE(lv_, GUI_INVALID_HANDLE);
  SendMessage(lv_, LVM_STOPREDRAW, 0, 0);
  const guitest::Picture empty = Take(lv_);
  FillLong();
  EXPECT_TRUE(Take(lv_).rgb == empty.rgb) << "rows drawn before LVM_STARTREDRAW";
  SendMessage(lv_, LVM_STARTREDRAW, 0, 0);
  EXPECT_TRUE(Take(lv_).rgb == rowByRow.rgb);
}

// A right-to-left language from start-up on: the call-back table is
// installed before the toolkit starts, as the program does, not swapped
// under the threads that read it.
class ListViewRightToLeft : public ListViewOnScreen {
 protected:
  static void SetUpTestSuite() {
    GuiAppCallbacks hooks{};
    hooks.isRightToLeftLang = RightToLeft;
    SetAppCallbacks(&hooks);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() {
    TerminateGUI(0);
    SetAppCallbacks(nullptr);
  }
};

TEST_F(ListViewRightToLeft, BitmapCellSitsAtTheRight) {
  ASSERT_NE(Make(0, {10, 10, 200, 80}), GUI_INVALID_HANDLE);
  AddColumn(120, "Picture");
  guitest::SolidBitmap icon(12, 12, {{guitest::Rgb(200, 40, 40)}});
  HLVROW row = AddRow(nullptr, 0);
  ListViewSubItemInfo cell{};
  cell.flags = LVFLAG_BITMAP;
  cell.text = const_cast<char*>("icon");
  cell.textColor = guitest::Rgb(255, 255, 255);
  cell.image = reinterpret_cast<uintptr_t>(&icon.Get());
  SendMessage(lv_, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  Shoot("listview_rtl_bitmap.png", lv_);
}

TEST_F(ListViewOnScreen, ScrollWindowOverItsPanel) {
  main_ = Main({0, 0, 400, 300}, 0);
  CtrlData panel[] = {
      {"ListView", WS_VISIBLE, 4, 4, 150, 70, 601, "", 0, 0},
      {"scrollview", WS_VISIBLE, 4, 90, 150, 60, 602, "", 0, 0},
  };
  ContainerInfo setup{nullptr, 2, panel, 0};
  WindowHandle sw = CreateWindowEx("scrollwnd", "", WS_VISIBLE, 0, 90, 10, 10, 180, 120, main_,
                                   reinterpret_cast<LParam>(&setup));
  ASSERT_NE(sw, GUI_INVALID_HANDLE);
  SendMessage(sw, SVM_SETCONTRANGE, 0, 200);
  SendMessage(sw, MSG_KEYDOWN, 108, 0);
  Shoot("scrollwnd.png", sw);
}

// Painting far down the list starts from the last paint's first row; it
// must draw exactly what a paint walking from the head draws.
TEST_F(ListViewOnScreen, PaintingFromTheLastPaintsRowMatchesAFreshWalk) {
  ASSERT_NE(Make(LVS_STRIPED, {10, 10, 270, 160}), GUI_INVALID_HANDLE);
  AddColumn(120, "Row");
  for (int i = 0; i < 60; ++i) {
    HLVROW row = AddRow(nullptr, i, 0, 0, 10 + (i % 4) * 3);
    SetText(row, 0, std::to_string(i).c_str());
  }
  auto shot = [&](int y) { return ScrolledTo(y, 260, 150); };
  const int end = static_cast<int>(SendMessage(lv_, SVM_GETCONTHEIGHT, 0, 0) - SendMessage(lv_, SVM_GETVISIBLEHEIGHT, 0, 0));
  int height = 20;
  for (int y : {end / 2, end / 3, 7}) {
    shot(end);
    const auto fromEnd = shot(y);  // walks back from the end's first row
    SendMessage(lv_, LVM_SETITEMHEIGHT, static_cast<WParam>(SendMessage(lv_, LVM_GETITEMBYINDEX, 59, 0)), height++);
    const auto fresh = shot(y);  // the list changed: walks from the head
    EXPECT_EQ(fromEnd.rgb, fresh.rgb) << y;
  }
}

// A list sorted while scrolled down paints, at once and after a scroll, as
// a list given the same rows in their sorted order: rows of one height
// (whose places a sort keeps) and rows of several.
TEST_F(ListViewOnScreen, ASortedListPaintsAsOneFilledInItsOrder) {
  constexpr int kCount = 60;
  for (const bool oneHeight : {true, false}) {
    SCOPED_TRACE(oneHeight ? "one height" : "several heights");
    auto rowText = [](int i) {
      char text[8];
      std::snprintf(text, sizeof text, "r%03d", (i * 37) % kCount);
      return std::string(text);
    };
    // Several heights by the rows' values: a sort gathers the low rows first.
    auto heightOf = [oneHeight](const std::string& text) {
      return oneHeight ? 20 : 12 + std::atoi(text.c_str() + 1) / 20 * 4;
    };
    auto build = [&](const std::vector<std::string>& texts) {
      if (lv_) DestroyWindow(lv_);
      lv_ = CreateWindowEx("ListView", "", LVS_STRIPED | WS_VISIBLE, 0, 77, 10, 10, 260, 150, main_, 0);
      AddColumn(120, "Row");
      for (size_t i = 0; i < texts.size(); ++i)
        SetText(AddRow(nullptr, static_cast<int>(i), 0, 0, heightOf(texts[i])), 0, texts[i].c_str());
      UpdateWindow(lv_, TRUE);
    };
    auto shot = [&](int y) { return ScrolledTo(y, 250, 140); };
    if (!main_) {
      ASSERT_NE(Make(LVS_STRIPED, {10, 10, 270, 160}), GUI_INVALID_HANDLE);
    }
    std::vector<std::string> texts;
    for (int i = 0; i < kCount; ++i) texts.push_back(rowText(i));
    build(texts);
    const int middle = static_cast<int>(SendMessage(lv_, SVM_GETCONTHEIGHT, 0, 0) / 2);
    shot(middle);
    ASSERT_EQ(SendMessage(lv_, LVM_SORTITEMS, 0, 0), 0);
    const auto sortedAtMiddle = shot(middle), sortedNearTop = shot(30);
    std::sort(texts.begin(), texts.end());
    build(texts);
    EXPECT_EQ(sortedAtMiddle.rgb, shot(middle).rgb);
    EXPECT_EQ(sortedNearTop.rgb, shot(30).rgb);
  }
}

}  // namespace

// Rows inserted, deleted and appended while the list is shown, painted
// after each change and scrolled between them, end as a list built afresh
// with the same rows: a change repaints everything it moves.
TEST_F(ListViewOnScreen, EditsWhileShownEndAsAFreshList) {
  ASSERT_NE(Make(LVS_STRIPED, {10, 10, 270, 200}), GUI_INVALID_HANDLE);
  AddColumn(90, "Time");
  AddColumn(120, "Event");
  std::vector<std::string> rows;
  auto insert = [&](int at, const std::string& text) {
    HLVROW row = AddRow(nullptr, at);
    SetText(row, 0, text.c_str());
    SetText(row, 1, text.size() % 2 ? "Motion" : "Video loss");
    rows.insert(rows.begin() + std::min<size_t>(static_cast<size_t>(at), rows.size()), text);
    Take(lv_);
  };
  for (int i = 0; i < 20; ++i) insert(i, std::to_string(i));
  insert(0, "first");
  ASSERT_EQ(SendMessage(lv_, LVM_DELITEM, 6, 0), 0);  // 1-based: the sixth row
  rows.erase(rows.begin() + 5);
  Take(lv_);
  insert(99, "tail");
  SendMessage(lv_, SVM_SETCONTPOS, static_cast<WParam>(-1), 120);
  Take(lv_);
  insert(8, "middle");
  ASSERT_EQ(SendMessage(lv_, LVM_DELITEM, static_cast<WParam>(rows.size()), 0), 0);
  rows.pop_back();
  const guitest::Picture edited = Take(lv_);

  DestroyWindow(lv_);
  lv_ = CreateWindowEx("ListView", "", LVS_STRIPED | WS_VISIBLE, 0, 78, 10, 10, 260, 190, main_, 0);
  ASSERT_NE(lv_, GUI_INVALID_HANDLE);
  AddColumn(90, "Time");
  AddColumn(120, "Event");
  const std::vector<std::string> want = rows;
  rows.clear();
  for (size_t i = 0; i < want.size(); ++i) {
    HLVROW row = AddRow(nullptr, static_cast<int>(i));
    SetText(row, 0, want[i].c_str());
    SetText(row, 1, want[i].size() % 2 ? "Motion" : "Video loss");
  }
  SendMessage(lv_, SVM_SETCONTPOS, static_cast<WParam>(-1), 120);
  EXPECT_TRUE(Take(lv_).rgb == edited.rgb);
}

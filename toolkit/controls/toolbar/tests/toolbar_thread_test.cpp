// Tool bars pressed and released: which item the parent hears of, where
// items stand, and the new tool bar's checks, right clicks, drop-down
// call-backs, labels and size rule.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "controls/barkit/tests/bar_fixture.h"
#include "gui/input.h"
#include "gui/message.h"
#include "gui/newtoolbar.h"
#include "gui/text.h"
#include "gui/toolbar.h"
#include "gui/window.h"

namespace {

using CodeList = std::vector<int>;
const char kPicture[] = "../guiRes/rirurRes/bmp/zoom_bk_normal.bmp";

class ToolBars : public bartest::BarFixture {
 protected:
  LParam Client(int x, int y) { return (x & 0xFFFF) | (static_cast<LParam>(y) << 16); }
  LParam Screen(WindowHandle w, int x, int y) {
    ClientToScreen(w, &x, &y);
    return Client(x, y);
  }
  // Press at one client point, move and release at another, as the bar
  // holding the capture hears them (flagged, screen coordinates).
  void PressRelease(WindowHandle w, int x0, int y0, int x1, int y1, bool right = false) {
    SendMessage(w, right ? 5 : 1, 0, Client(x0, y0));
    SendMessage(w, MSG_MOUSEMOVE, KS_CAPTURED, Screen(w, x1, y1));
    SendMessage(w, right ? 6 : 2, KS_CAPTURED, Screen(w, x1, y1));
  }
  WindowHandle MakeWithData(const char* cls, uint32_t style, LParam data, int w = 300, int h = 60) {
    WindowHandle c = CreateWindowEx(cls, "", style | WS_VISIBLE, 0, kId, 10, 10, w, h, main_, data);
    EXPECT_NE(c, GUI_INVALID_HANDLE);
    Codes();
    return c;
  }
};

TEST_F(ToolBars, OnlyAReleaseOverThePressedItemReportsIt) {
  WindowHandle bar = MakeWithData("toolbar", 0, (48 << 16) | 32);
  for (int id : {11, 12, 13}) {
    auto info = std::make_unique<ToolbarItemInfo>();
    std::memset(info.get(), 0, sizeof *info);
    info->id = id;
    std::strcpy(info->normalPath, id == 13 ? "missing.bmp" : kPicture);  // a missing picture leaves it blank
    if (id == 12) std::strcpy(info->hotPath, kPicture);
    SendMessage(bar, TOOLBAR_ADDITEM, 0, reinterpret_cast<LParam>(info.get()));
  }
  struct Row {
    int x0, x1;
    CodeList codes;
  } rows[] = {
      {5, 52, {}},      // pressed on the first, released on the second
      {5, 40, {11}},    // items are 48 wide: x 40 is still the first
      {100, 140, {13}}, // the third starts at x 96
      {5, 5, {11}},
      {150, 5, {}},     // a press off every item forgets the item pressed before
      {5, 100, {}},
      {52, 31 + 48, {12}},
      {10, 10, {11}},
  };
  for (const Row& r : rows) {
    PressRelease(bar, r.x0, 10, r.x1, 10);
    EXPECT_EQ(Codes(), r.codes) << "row " << (&r - rows);
    EXPECT_EQ(GetCapture(), 0u);
  }
  PressRelease(bar, 5, 40, 5, 40);  // below the 32-pixel items
  EXPECT_EQ(Codes(), CodeList{});
  DestroyWindow(bar);  // unloads each picture once (the sanitizer build watches)
}

int g_dropped = 0;
void Dropped(WindowHandle, int id, const Rect*, int, int) { g_dropped = id; }

TEST_F(ToolBars, NewToolBarChecksRightClicksDropDownsAndLabels) {
  const GalPixel n = guitest::Rgb(10, 10, 10), h = guitest::Rgb(200, 0, 0);
  guitest::SolidBitmap image(24, 24, {{n, h, n, n}, {n, h, n, n}});
  NtbCreateData data{&image.Get(), 2, 0, 0, 0};  // 0 columns: 4, so cells 24 wide
  WindowHandle bar = MakeWithData("newtoolbar", NTBS_WITHTEXT, reinterpret_cast<LParam>(&data), 400, 80);
  char longLabel[] = "twenty-ascii-bytes!!";
  NtbItemInfo items[] = {
      {0, NTBIF_CHECKBUTTON, 7, longLabel, nullptr, 0, nullptr, {}, 0},
      {0, NTBIF_SEPARATOR, 8, nullptr, nullptr, 0, nullptr, {}, 0},
      {0, NTBIF_HOTSPOTBUTTON, 9, nullptr, nullptr, 1, Dropped, {16, 0, 25, 25}, 0},
      {0, NTBIF_PUSHBUTTON | NTBIF_DISABLED, 10, nullptr, nullptr, 1, nullptr, {}, 0},
  };
  for (NtbItemInfo& it : items) ASSERT_EQ(SendMessage(bar, NTBM_ADDITEM, 0, reinterpret_cast<LParam>(&it)), 0);
  // The first item stands at (9, 3), 25 wide; a 10-pixel blank; then 9.
  const int first = 12, dropDown = 9 + 25 + 2 + 10 + 2 + 3, dropArrow = 9 + 25 + 2 + 10 + 2 + 20;
  struct Row {
    int x;
    bool right;
    CodeList codes;
    int dropped;
  } rows[] = {
      {first, false, {7}, 0},
      {first, false, {7}, 0},
      {first, true, {0x8007}, 0},
      {dropDown, false, {9}, 0},
      {dropArrow, false, {}, 9},  // the arrow area calls back instead
      {dropArrow + 30, false, {}, 0},  // disabled: no press
  };
  for (const Row& r : rows) {
    g_dropped = 0;
    PressRelease(bar, r.x, 10, r.x, 10, r.right);
    EXPECT_EQ(Codes(), r.codes) << "row " << (&r - rows);
    EXPECT_EQ(g_dropped, r.dropped) << "row " << (&r - rows);
  }
  char label[16] = {};
  NtbItemInfo got{MTB_WHICH_FLAGS | MTB_WHICH_TEXT, 0, 0, label, nullptr, 0, nullptr, {}, 0};
  ASSERT_EQ(SendMessage(bar, NTBM_GETITEM, 7, reinterpret_cast<LParam>(&got)), 0);
  EXPECT_EQ(got.flags & NTBIF_CHECKED, 0u) << "two left clicks leave it unchecked";
  EXPECT_EQ(std::string(label), "twenty-ascii-by");
  EXPECT_EQ(SendMessage(bar, NTBM_GETITEM, 99, reinterpret_cast<LParam>(&got)), -1);
  EXPECT_EQ(SendMessage(bar, NTBM_ENABLEITEM, 99, 1), -1);
  Rect want{0, 0, 400, 100}, out{};
  SendMessage(bar, MSG_SIZECHANGING, reinterpret_cast<WParam>(&want), reinterpret_cast<LParam>(&out));
  EXPECT_EQ(out.bottom - out.top, 24 + 6 + GetSysCharHeight() + 2);
}

}  // namespace

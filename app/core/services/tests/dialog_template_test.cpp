// Dialog templates from layout records: each placement against the output's
// size, the record's caption, no record at all, and sizes a layout file may
// give that would overflow an int.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "app/app_registry.h"
#include "app/dialog_template.h"
#include "gui/nonclient.h"
#include "gui/window.h"

namespace {

using app::Placement;

constexpr uint32_t kStyle = WS_CAPTION | WS_VISIBLE | WS_BORDER, kExStyle = WS_EX_NOCLOSEBOX;

CtrlResInfo Record(int x, int y, int w, int h, const char* caption) {
  CtrlResInfo r{};
  r.x = x, r.y = y, r.w = w, r.h = h;
  r.caption = const_cast<char*>(caption);
  return r;
}

TEST(DialogTemplate, PlacesTheRecordAsAskedWithItsCaptionAndStyles) {
  const int output = getCurOutput();
  const int64_t sw = getScreenWidth(output), sh = getScreenHeight(output);
  CtrlResInfo r = Record(30, 40, 200, 100, "title");
  struct Row {
    Placement placement;
    int64_t x, y;
  } rows[] = {
      {Placement::kAsRecorded, 30, 40},
      {Placement::kCentred, (sw - 200) / 2, (sh - 100) / 2},
      {Placement::kFromBottomRight, sw - 30 - 200, sh - 40 - 100},
  };
  for (const Row& row : rows) {
    DlgTemplate t = app::templateFromRecord(&r, kStyle, kExStyle, row.placement, output);
    EXPECT_EQ(t.x, row.x);
    EXPECT_EQ(t.y, row.y);
    EXPECT_EQ(t.w, 200);
    EXPECT_EQ(t.h, 100);
    EXPECT_STREQ(t.caption, "title");
    EXPECT_EQ(t.dwStyle, kStyle);
    EXPECT_EQ(t.dwExStyle, kExStyle);
    EXPECT_EQ(t.controlnr, 0);
    EXPECT_EQ(t.controls, nullptr);
  }
}

TEST(DialogTemplate, NoRecordOrNoCaptionGivesAnEmptyCaption) {
  DlgTemplate none = app::templateFromRecord(nullptr, 1u, 2u, Placement::kCentred, getCurOutput());
  EXPECT_STREQ(none.caption, "");
  EXPECT_EQ(none.w, 0);
  EXPECT_EQ(none.h, 0);
  EXPECT_EQ(none.dwStyle, 1u);
  CtrlResInfo r = Record(0, 0, 10, 10, nullptr);
  EXPECT_STREQ(app::templateFromRecord(&r, 0, 0, Placement::kAsRecorded, getCurOutput()).caption, "");
}

TEST(DialogTemplate, ExtremeRecordsStayInRangeInsteadOfWrapping) {
  CtrlResInfo big = Record(INT_MAX, INT_MAX, INT_MAX, INT_MAX, "x");
  DlgTemplate t = app::templateFromRecord(&big, 0, 0, Placement::kFromBottomRight, getCurOutput());
  EXPECT_EQ(t.x, INT32_MIN);
  EXPECT_EQ(t.y, INT32_MIN);
  CtrlResInfo low = Record(INT_MIN, INT_MIN, INT_MIN, INT_MIN, "x");
  t = app::templateFromRecord(&low, 0, 0, Placement::kFromBottomRight, getCurOutput());
  EXPECT_EQ(t.x, INT32_MAX);
  t = app::templateFromRecord(&low, 0, 0, Placement::kCentred, getCurOutput());
  EXPECT_GT(t.x, 0);
}

}  // namespace

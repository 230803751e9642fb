#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "gdi/text/tests/text_fixture.h"
#include "gdi/text/textrender.h"
#include "gui/app_hooks.h"

namespace {

constexpr int kCell = 8;   // the Latin raw font's advance
constexpr int kLine = 16;  // and its height

class TextOutTest : public texttest::TextDrawTest {
 protected:
  void SetUp() override {
    TextDrawTest::SetUp();
    UseLatin();
  }
  void TearDown() override {
    SetAppCallbacks(nullptr);
    TextDrawTest::TearDown();
  }
  // Columns [left, right) that hold ink anywhere in rows [top, bottom).
  Rect InkBounds() const {
    Rect r{kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (At(x, y) == kInk) {
          r.left = std::min(r.left, x);
          r.top = std::min(r.top, y);
          r.right = std::max(r.right, x + 1);
          r.bottom = std::max(r.bottom, y + 1);
        }
    return r;
  }
  TextParam FirstLine(const char* text, Rect rect, int indent, uint32_t format) {
    TextParam p{};
    EXPECT_EQ(DrawTextEx2(HDC_SCREEN, text, -1, &rect, indent, format, &p), 0);
    return p;
  }
};

TEST_F(TextOutTest, TextOutMeasuresWhatItDrawsAndMovesTheTextPosition) {
  Size size{};
  const int fitted = GetTextExtentPoint(HDC_SCREEN, "Hello", 5, 0, nullptr, nullptr, nullptr, &size);
  EXPECT_EQ(fitted, 5);
  EXPECT_EQ(TextOutLen(HDC_SCREEN, 10, 4, "Hello", -1), size.cx);
  const Rect ink = InkBounds();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + size.cx);
  EXPECT_EQ(Count(kPaper, {10, 4, 10 + size.cx, 4 + kLine}) + Count(kInk, {10, 4, 10 + size.cx, 4 + kLine}),
            size.cx * kLine);
  Point pos{};
  EXPECT_EQ(GetLastTextOutPos(HDC_SCREEN, &pos), 4);
  EXPECT_EQ(pos.x, 10 + size.cx);

  dc_->charExtra = 2;
  EXPECT_EQ(GetTextExtentEx(HDC_SCREEN, "ab", 2, &size, 0), 2 * kCell + 2);
  EXPECT_EQ(size.cx, 2 * (kCell + 2));
  EXPECT_EQ(TextOutLen(HDC_SCREEN, 0, 0, "ab", 0), 0);
  EXPECT_EQ(TextOutLen(HDC_SCREEN, 0, 0, nullptr, 3), 0);
}

TEST_F(TextOutTest, FitWalkRecordsPositionsAndStopsAtTheExtent) {
  int fit = -1, pos[4] = {}, dx[4] = {};
  Size size{};
  EXPECT_EQ(GetTextExtentPoint(HDC_SCREEN, "abc", 3, 20, &fit, pos, dx, &size), 2);
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(size.cx, 16);
  EXPECT_EQ(size.cy, kLine);
  EXPECT_EQ(pos[2], 2);
  EXPECT_EQ(dx[2], 16);
  EXPECT_EQ(GetTextExtentPoint(HDC_SCREEN, "abc", 0, 20, &fit, pos, dx, &size), 0);
  EXPECT_EQ(fit, 0);
}

TEST_F(TextOutTest, TabbedTextIsOneLineHighUntilALineFeed) {
  dc_->tabStop = 4;
  Size size{};
  EXPECT_EQ(GetTabbedTextExtent(HDC_SCREEN, "a\tb", -1, &size), kLine);
  EXPECT_EQ(size.cx, kCell + 4 * kCell + kCell);
  EXPECT_EQ(size.cy, kLine);
  GetTabbedTextExtent(HDC_SCREEN, "abc\nd\r", -1, &size);
  EXPECT_EQ(size.cx, 3 * kCell);
  EXPECT_EQ(size.cy, 2 * kLine);
  EXPECT_EQ(GetTabbedTextExtentPoint(HDC_SCREEN, "ab\nc", 4, 0, nullptr, nullptr, nullptr, &size), 4);
  EXPECT_EQ(size.cy, 2 * kLine);

  EXPECT_EQ(TabbedTextOutLen(HDC_SCREEN, 0, 0, "a\nbb", -1), 2 * kCell);
  Point pos{};
  GetLastTextOutPos(HDC_SCREEN, &pos);
  EXPECT_EQ(pos.x, 2 * kCell);
  EXPECT_EQ(pos.y, kLine);
  EXPECT_GT(Count(kInk, {0, kLine, 2 * kCell, 2 * kLine}), 0);
}

TEST_F(TextOutTest, MappedDCsKeepTheTextPositionInLogicalUnits) {
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, 64, 64);
  ASSERT_NE(mem, HDC_SCREEN);
  DC* dc = gui::dc::DcFromHandle(mem);
  dc->font = dc_->font;
  // Two logical units to one device pixel.
  dc->mapMode = 1;
  dc->windowExtent = Point{2, 2};
  dc->viewExtent = Point{1, 1};
  Point pos{};
  EXPECT_EQ(TextOutLen(mem, 4, 6, "ab", -1), 4 * kCell);
  GetLastTextOutPos(mem, &pos);
  EXPECT_EQ(pos.x, 4 + 4 * kCell);
  EXPECT_EQ(pos.y, 6);
  EXPECT_EQ(TabbedTextOutLen(mem, 4, 6, "a\nbb", -1), 4 * kCell);
  GetLastTextOutPos(mem, &pos);
  EXPECT_EQ(pos.x, 4 + 4 * kCell);
  EXPECT_EQ(pos.y, 6 + 2 * kLine);
  dc->font = nullptr;
  DeleteMemDC(mem);
}

// Text positions near the ends of the int range stop at its ends: neither
// the measure added to the start, nor the mapping to the device and back
// wraps (UBSan checks the arithmetic).
TEST_F(TextOutTest, TextPositionsAtTheEndsOfTheIntRangeStopThere) {
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, 64, 64);
  ASSERT_NE(mem, HDC_SCREEN);
  DC* dc = gui::dc::DcFromHandle(mem);
  dc->font = dc_->font;
  constexpr int kTwo = 2 * kCell;  // "ab", and the last line of "a\nbb"
  const int64_t kBig = int64_t{1} << 30;
  struct Row {
    const char* what;
    int mapMode;
    Point windowExtent, viewOrigin;
    int x, y;
    Point textOut, tabbed;  // the text positions after each
  } rows[] = {
      {"plain, INT_MAX", 0, {1, 1}, {0, 0}, INT_MAX, INT_MAX, {INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}},
      {"plain, INT_MIN", 0, {1, 1}, {0, 0}, INT_MIN, INT_MIN, {INT_MIN + kTwo, INT_MIN}, {INT_MIN + kTwo, INT_MIN + kLine}},
      {"plain, -1", 0, {1, 1}, {0, 0}, -1, -1, {kTwo - 1, -1}, {kTwo - 1, kLine - 1}},
      {"2^30 logical units a pixel", 1, {static_cast<int>(kBig), static_cast<int>(kBig)}, {0, 0}, 0, 0,
       {INT_MAX, 0}, {INT_MAX, INT_MAX}},
      {"a view origin at INT_MIN", 1, {1, 1}, {INT_MIN, INT_MIN}, INT_MAX, INT_MAX, {INT_MAX, INT_MAX},
       {INT_MAX, INT_MAX}},
      {"two units a pixel, at both ends", 1, {2, 2}, {0, 0}, INT_MAX, INT_MIN, {INT_MAX, INT_MIN},
       {INT_MAX, INT_MIN + 2 * kLine}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    dc->mapMode = row.mapMode;
    dc->windowExtent = row.windowExtent;
    dc->viewExtent = Point{1, 1};
    dc->viewOrigin = row.viewOrigin;
    Point pos{};
    TextOutLen(mem, row.x, row.y, "ab", -1);
    GetLastTextOutPos(mem, &pos);
    EXPECT_EQ(pos.x, row.textOut.x);
    EXPECT_EQ(pos.y, row.textOut.y);
    TabbedTextOutLen(mem, row.x, row.y, "a\nbb", -1);
    GetLastTextOutPos(mem, &pos);
    EXPECT_EQ(pos.x, row.tabbed.x);
    EXPECT_EQ(pos.y, row.tabbed.y);
  }
  dc->mapMode = 0;
  dc->viewOrigin = Point{0, 0};
  dc->font = nullptr;
  DeleteMemDC(mem);
}

// Widths are summed in 64 bits and clamped to the int range: a character
// extra near 2^30 (or near -2^30) never wraps a width to the other sign.
TEST_F(TextOutTest, HugeCharacterExtrasClampEveryWidthInsteadOfWrapping) {
  const int kBig = 1 << 30;
  for (int extra : {kBig, INT_MAX, -kBig, INT_MIN}) {
    SCOPED_TRACE(extra);
    const bool wide = extra > 0;
    const auto sameSign = [wide](int width) { return wide ? width == INT_MAX : width <= 0; };
    dc_->charExtra = extra;
    EXPECT_TRUE(sameSign(TextOutLen(HDC_SCREEN, 0, 0, "abc", -1)));
    Point pos{};
    GetLastTextOutPos(HDC_SCREEN, &pos);
    EXPECT_TRUE(sameSign(pos.x)) << pos.x;
    Size size{};
    GetTextExtentEx(HDC_SCREEN, "ab", 2, &size, 0);
    EXPECT_TRUE(sameSign(size.cx)) << size.cx;
    GetTabbedTextExtent(HDC_SCREEN, "a\nbc", -1, &size);
    EXPECT_TRUE(wide ? size.cx == INT_MAX : size.cx == 0) << size.cx;
    // No first character fits 100 pixels when each is 2^30 wide; every
    // one does when they overlap.
    int fit = -1, dx[4] = {};
    GetTextExtentPoint(HDC_SCREEN, "abc", 3, 100, &fit, nullptr, dx, &size);
    EXPECT_EQ(fit, wide ? 0 : 3);
    GetTabbedTextExtentPoint(HDC_SCREEN, "abc", 3, 100, &fit, nullptr, dx, &size);
    EXPECT_EQ(fit, wide ? 0 : 3);
    // Drawing walks the pen the same way and stays within the surface.
    TabbedTextOutLen(HDC_SCREEN, 0, 0, "abc\tabc", -1);
  }
  dc_->charExtra = 0;
}

TEST_F(TextOutTest, ExplicitTabStopsCountFromTheStartX) {
  const int stops[] = {20, 30};
  // "a" ends at 8: first stop beyond is 20; two tabs after "b" (ends 28)
  // skip 50 and land on 80 (the default width is the last listed, 30).
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, 0, 0, "a\tb\t\tc", -1, 2, stops, 0), 80 + kCell);
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, 0, 0, "abc\nd", -1, 2, stops, 0), 3 * kCell);
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, 0, 0, "abc", 0, 2, stops, 0), 0);
}

TEST_F(TextOutTest, OmittedTextEndsInDotsOrShowsOnlyThem) {
  EXPECT_EQ(TextOutOmitted(HDC_SCREEN, 0, 0, "abcdefgh", -1, 64), 64);
  Clear(kScribble);
  EXPECT_EQ(TextOutOmitted(HDC_SCREEN, 0, 0, "abcdefgh", -1, 50), 6 * kCell);  // "abc..."
  Clear(kScribble);
  EXPECT_EQ(TextOutOmitted(HDC_SCREEN, 0, 0, "abcdefgh", -1, 30), 3 * kCell);  // "..." alone
  EXPECT_EQ(Count(kPaper, {0, 0, kWidth, kHeight}) + Count(kInk, {0, 0, kWidth, kHeight}),
            3 * kCell * kLine);
  Clear(kScribble);
  EXPECT_EQ(TextOutOmitted(HDC_SCREEN, 0, 0, "abcdefgh", -1, 24), 0);
  EXPECT_EQ(Count(kScribble, {0, 0, kWidth, kHeight}), kWidth * kHeight);

  Rect rect{0, 0, 100, 40};
  EXPECT_EQ(DrawTextOmitted(HDC_SCREEN, "abcdefgh", -1, &rect, DT_SINGLELINE, 50), kLine);
}

// A kerned font measured by a reference that starts every string afresh;
// each call is made right after drawing another text, which leaves the
// font's kerning state at that text's last glyph.
class KernedTextOutTest : public TextOutTest {
 protected:
  void SetUp() override {
    TextOutTest::SetUp();
    UseDejaVu("rrnKnn", 30);
  }
  int Fresh(const std::string& text) {
    Size size{};
    textrender::CalcTextExtent(dc_, dc_->font, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  // Bytes of the longest prefix that fits in width.
  int FittingPrefix(const std::string& text, int width) {
    size_t n = 0;
    while (n < text.size() && Fresh(text.substr(0, n + 1)) <= width) ++n;
    return static_cast<int>(n);
  }
};

TEST_F(KernedTextOutTest, MeasurementsDoNotDependOnWhatWasDrawnBefore) {
  const std::string text = "VAVAVAVA";
  const int n = static_cast<int>(text.size());
  const int dots = Fresh("...");
  for (const char* before : {"A", "V", "o", "Wave", "AV."}) {
    SCOPED_TRACE(before);
    const auto drawn = [&] { TextOutLen(HDC_SCREEN, 0, 0, before, -1); };
    Size size{};
    drawn();
    GetTextExtentPoint(HDC_SCREEN, text.c_str(), n, 0, nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(size.cx, Fresh(text));
    drawn();
    GetTabbedTextExtentPoint(HDC_SCREEN, text.c_str(), n, 0, nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(size.cx, Fresh(text));

    // A word wider than the line splits where the fresh measure says; the
    // boundaries sit one pixel either side of a prefix's extent.
    for (int chars : {3, 4, 5})
      for (int slack : {-1, 0}) {
        const int width = Fresh(text.substr(0, chars)) + slack;
        drawn();
        EXPECT_EQ(FirstLine(text.c_str(), {0, 0, width, 60}, 0, DT_WORDBREAK).bytes,
                  FittingPrefix(text, width))
            << width;
        drawn();
        const std::string shortened = text.substr(0, FittingPrefix(text, width)) + "...";
        EXPECT_EQ(TextOutOmitted(HDC_SCREEN, 0, 0, text.c_str(), n, width + dots), Fresh(shortened))
            << width;
      }
  }
}

TEST_F(TextOutTest, ExtentIsNothingWhereNoCharsetTakesAByte) {
  Size size{};
  EXPECT_EQ(GetTextExtentEx(HDC_SCREEN, "abc", 3, &size, 0), 3 * kCell);
  EXPECT_EQ(GetTextExtentEx(HDC_SCREEN, "ab\0c", 4, &size, 0), 0) << "no charset takes a zero byte";
}

// One-pixel stops far from the start x, and stops beyond the int range.
TEST_F(TextOutTest, TabStopsAreFoundByArithmeticWithoutOverflow) {
  const int one[] = {1};
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, 0, 0, "a\tb", -1, 1, one, -2000000000), 2 * kCell + 1);
  const int listed[] = {5, 7};
  // Listed stops from -1000 end at -988; then 7 apart: -1 is a stop, so
  // the first one beyond 8 is 13, and two tabs land on 20.
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, 0, 0, "a\t\tb", -1, 2, listed, -1000), 20 + kCell);
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, INT_MAX - 10, 0, "\t\t", -1, 1, one, 0), 2);
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, INT_MAX - 2, 0, "\t\t\t\t\t", -1, 1, one, 0), 2)
      << "stops past the int range are held at its end";
  EXPECT_EQ(TabbedTextOutEx(HDC_SCREEN, INT_MIN, 0, "\t", -1, 1, one, INT_MAX), INT_MAX)
      << "a stop far to the right of a start at the left end";
}

TEST_F(TextOutTest, InvalidRectanglesAndTextsDrawNothing) {
  Rect flat{10, 0, 10, 30};
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "abc", -1, &flat, 0, 0, nullptr), -1);
  Rect ok{0, 0, 50, 30};
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "", -1, &ok, 0, 0, nullptr), -1);
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, nullptr, 3, &ok, 0, 0, nullptr), -1);
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "abc", -1, nullptr, 0, 0, nullptr), -1);
  EXPECT_EQ(Count(kScribble, {0, 0, kWidth, kHeight}), kWidth * kHeight);
}

TEST_F(TextOutTest, IndentWiderThanTheRectangleStartsOnTheSecondLine) {
  const TextParam p = FirstLine("abc def", {0, 0, 40, 60}, 50, DT_WORDBREAK);
  EXPECT_EQ(p.y, kLine);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.bytes, 4);  // "abc " then "def" does not fit beside it
  const TextParam indented = FirstLine("abc def", {0, 0, 80, 60}, 10, DT_WORDBREAK);
  EXPECT_EQ(indented.x, 10);
  EXPECT_EQ(indented.y, 0);
}

TEST_F(TextOutTest, SingleLinesSitAtTheBottomOrTheMiddle) {
  dc_->aboveLineExtra = 3;
  dc_->belowLineExtra = 2;
  EXPECT_EQ(FirstLine("ab", {0, 0, 80, 50}, 0, DT_SINGLELINE | DT_BOTTOM).y, 50 - kLine);
  EXPECT_EQ(FirstLine("ab", {0, 0, 80, 51}, 0, DT_SINGLELINE | DT_VCENTER).y, (51 - kLine) / 2);
  EXPECT_EQ(FirstLine("ab", {0, 0, 80, 10}, 0, DT_SINGLELINE | DT_VCENTER).y, -3);
  const TextParam right = FirstLine("ab", {0, 0, 80, 50}, 0, DT_SINGLELINE | DT_RIGHT);
  EXPECT_EQ(right.x, 80 - 2 * kCell);
  EXPECT_EQ(right.lineHeight, kLine + 5);
  EXPECT_EQ(FirstLine("ab", {0, 0, 80, 50}, 0, DT_SINGLELINE | DT_CENTER).x, (80 - 16) / 2);
}

TEST_F(TextOutTest, LongWordsSplitWhereTheyStopFitting) {
  EXPECT_EQ(FirstLine("abcdefghij", {0, 0, 40, 60}, 0, DT_WORDBREAK).bytes, 5);
  EXPECT_EQ(FirstLine("abcdefghij", {0, 0, 4, 60}, 0, DT_WORDBREAK).bytes, 1);
  // Word-broken text that fits on one line is centred vertically.
  EXPECT_EQ(FirstLine("ab cd", {0, 0, 80, 40}, 0, DT_WORDBREAK | DT_VCENTER).y, (40 - kLine) / 2);

  Rect rect{0, 0, 20, 60};
  // Two characters (16 pixels) fit a 20-pixel line: four lines.
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "abcdefgh", -1, &rect, 0, DT_CHARBREAK, nullptr), 4 * kLine);
  EXPECT_LE(InkBounds().right, 20);
  rect = Rect{0, 0, 5, 60};
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "abc", -1, &rect, 0, DT_CHARBREAK, nullptr), 3 * kLine);
}

TEST_F(TextOutTest, MeasureOnlyGivesTheBoundsOfTheDrawnLines) {
  Rect rect{4, 2, 60, 60};
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "aaa bbbbb cc", -1, &rect, 0, DT_WORDBREAK | DT_CALCRECT, nullptr),
            3 * kLine);
  EXPECT_EQ(Count(kScribble, {0, 0, kWidth, kHeight}), kWidth * kHeight);
  EXPECT_EQ(rect.left, 4);
  EXPECT_EQ(rect.top, 2);
  EXPECT_EQ(rect.bottom, 2 + 3 * kLine);
  EXPECT_EQ(rect.right, 4 + 6 * kCell);  // "bbbbb " is the widest line

  Rect draw{4, 2, 60, 60};
  DrawTextEx2(HDC_SCREEN, "aaa bbbbb cc", -1, &draw, 0, DT_WORDBREAK, nullptr);
  const Rect ink = InkBounds();
  EXPECT_GE(ink.left, rect.left);
  EXPECT_LE(ink.right, rect.right);
  EXPECT_LE(ink.bottom, rect.bottom);
  EXPECT_GE(ink.bottom, rect.bottom - kLine);
}

TEST_F(TextOutTest, FormattingRectangleClipsUnlessAskedNotTo) {
  Rect rect{0, 0, 12, 40};
  DrawTextEx2(HDC_SCREEN, "WWWW", -1, &rect, 0, DT_SINGLELINE, nullptr);
  EXPECT_LE(InkBounds().right, 12);
  Clear(kScribble);
  DrawTextEx2(HDC_SCREEN, "WWWW", -1, &rect, 0, DT_SINGLELINE | DT_NOCLIP, nullptr);
  EXPECT_GT(InkBounds().right, 12);
}

TEST_F(TextOutTest, RightToLeftCentredTextTakesItsFirstLineFromTheEnd) {
  GuiAppCallbacks rtl{};
  rtl.isRightToLeftLang = [] { return 1; };
  SetAppCallbacks(&rtl);
  const TextParam p = FirstLine("one two three", {0, 0, 48, 60}, 0, DT_CENTER | DT_WORDBREAK);
  EXPECT_EQ(p.bytes, 6);  // " three"
  EXPECT_EQ(p.width, 6 * kCell);
  EXPECT_EQ(p.x, 0);
  const TextParam narrow = FirstLine("one two ab", {0, 0, 40, 60}, 0, DT_CENTER | DT_WORDBREAK);
  EXPECT_EQ(narrow.bytes, 3);  // " ab"
  EXPECT_EQ(narrow.x, (40 - 3 * kCell) / 2);

  Rect rect{0, 0, 48, 60};
  EXPECT_EQ(DrawTextEx2(HDC_SCREEN, "one two three", -1, &rect, 0, DT_CENTER | DT_WORDBREAK, nullptr),
            3 * kLine);
  // Rows " three", " two", "one": the last one centred in the rectangle.
  const Rect ink = InkBounds();
  EXPECT_EQ(ink.bottom <= 3 * kLine && ink.bottom > 2 * kLine, true);
  EXPECT_EQ(Count(kInk, {0, 2 * kLine, 12, 3 * kLine}), 0);
  EXPECT_GT(Count(kInk, {12, 2 * kLine, 36, 3 * kLine}), 0);
}

}  // namespace

// The cursor drawn into a 32-bit test screen: save-under, show count, the
// guard around DC drawing, pixels under the cursor, position and clip, the
// cursor file checks and the logo rectangles.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/cursor/cursor_internal.h"
#include "core/cursor/tests/cursor_fixture.h"
#include "core/input/ial.h"
#include "core/layout/layout_state.h"
#include "gdi/outline_rings.h"
#include "gui/app_hooks.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0;

// A screen that differs from pixel to pixel, so a wrong restore shows.
void Pattern(GuardedSurface& s) {
  for (int y = 0; y < s.get()->h; ++y)
    for (int x = 0; x < s.get()->w; ++x) s.setPixel(x, y, 0x010203u * static_cast<uint32_t>(x + 7 * y + 1));
}

std::vector<uint32_t> Pixels(const GuardedSurface& s) {
  std::vector<uint32_t> out;
  for (int y = 0; y < s.get()->h; ++y)
    for (int x = 0; x < s.get()->w; ++x) out.push_back(s.pixel(x, y));
  return out;
}

class CursorTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cursors_.ready());
    Pattern(cursors_.screen());
    pattern_ = Pixels(cursors_.screen());
  }
  GuardedSurface& screen() { return cursors_.screen(); }
  CursorScreen cursors_;
  std::vector<uint32_t> pattern_;
};

// The arrow (hot spot 0, 0) at the origin: its tip column is outlined in
// black, (2, 5) is inside and white, (20, 2) is outside it.
TEST_F(CursorTest, ShowCountDrawsAndRestoresExactlyOnce) {
  for (int i = 0; i < 14; ++i) EXPECT_NE(GetSystemCursor(i), 0u) << i;
  EXPECT_EQ(GetSystemCursor(14), 0u);
  EXPECT_EQ(GetSystemCursor(-1), 0u);

  SetCursorEx(GetSystemCursor(0), FALSE);
  EXPECT_EQ(GetCurrentCursorIndex(), 0);
  EXPECT_EQ(screen().pixel(0, 3), kBlack);
  EXPECT_EQ(screen().pixel(2, 5), kWhite);
  EXPECT_EQ(screen().pixel(20, 2), pattern_[20 + 2 * 64]);

  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(Pixels(screen()), pattern_);
  screen().setPixel(2, 5, 0x123456);  // drawn while hidden
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(screen().pixel(2, 5), 0x123456u) << "a second hide must not restore again";
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_EQ(screen().pixel(2, 5), 0x123456u);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(screen().pixel(2, 5), kWhite);

  // Another cursor replaces the drawn one without leaving its pixels.
  SetCursorEx(GetSystemCursor(13), FALSE);
  EXPECT_EQ(GetCurrentCursorIndex(), 13);
  SetCursorEx(0, FALSE);
  EXPECT_EQ(GetCurrentCursorIndex(), -1);
  std::vector<uint32_t> expected = pattern_;
  expected[2 + 5 * 64] = 0x123456;
  EXPECT_EQ(Pixels(screen()), expected);
}

TEST_F(CursorTest, DrawingUnderTheCursorKeepsItOnTopAndGetPixelSeesBeneath) {
  SetCursorEx(GetSystemCursor(0), FALSE);
  GalPixel saved = 0;
  ASSERT_NE(GetPixelUnderCursor(2, 5, &saved), nullptr);
  EXPECT_EQ(saved, pattern_[2 + 5 * 64]);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 2, 5), pattern_[2 + 5 * 64]);
  EXPECT_EQ(GetPixelUnderCursor(40, 40, &saved), nullptr);

  SetPixel(HDC_SCREEN, 2, 5, 0x00FF00);
  EXPECT_EQ(screen().pixel(2, 5), kWhite) << "the cursor is drawn again over the drawing";
  EXPECT_EQ(GetPixel(HDC_SCREEN, 2, 5), 0x00FF00u);
  ShowCursor(FALSE);
  EXPECT_EQ(screen().pixel(2, 5), 0x00FF00u) << "the save-under holds what was drawn";
  ShowCursor(TRUE);
}

int g_engineX = 0, g_engineY = 0;
void FakeSet(int x, int y) { g_engineX = x, g_engineY = y; }
void FakeGet(int* x, int* y) { *x = g_engineX, *y = g_engineY; }
int FakeButtons() { return IAL_MOUSE_LEFTBUTTON; }

TEST_F(CursorTest, PositionIsClampedAndMovesTheDrawnCursor) {
  IalEngine engine{};
  engine.set_mouse_xy = FakeSet;
  engine.get_mouse_xy = FakeGet;
  engine.get_mouse_button = FakeButtons;
  UseIalEngineForTest(&engine);
  SetCursorEx(GetSystemCursor(0), FALSE);
  SetCursorPos(-5, 2000);
  Point p{};
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 47);
  EXPECT_EQ(screen().pixel(2, 5), pattern_[2 + 5 * 64]) << "the old place is restored";

  g_engineX = 30, g_engineY = 10;
  int x = 0, y = 0, buttons = 0;
  EXPECT_EQ(UpdateCursorFromMouse(&x, &y, &buttons), 1);
  EXPECT_EQ(x, 30);
  EXPECT_EQ(buttons, IAL_MOUSE_LEFTBUTTON);
  EXPECT_EQ(screen().pixel(32, 15), kWhite);
  EXPECT_EQ(UpdateCursorFromMouse(&x, &y, &buttons), 0);
  UseIalEngineForTest(nullptr);
}

// Outlines drawn around, across and inside the shown cursor: a drawing that
// may touch its box hides it first, one that leaves the box alone (the box
// inside an outline's inside) need not; either way, once the cursor is
// hidden the screen holds just what the same drawing does with no cursor.
TEST_F(CursorTest, OutlinesAroundAndThroughTheCursorSurviveItsLeaving) {
  IalEngine engine{};
  engine.set_mouse_xy = FakeSet;
  engine.get_mouse_xy = FakeGet;
  UseIalEngineForTest(&engine);
  SetCursorEx(GetSystemCursor(0), FALSE);
  ShowCursor(FALSE);
  SetCursorPos(16, 8);  // the box is columns 16-47, rows 8-39
  const gui::dc::OutlineBand rings[] = {{2, 0x00FF00}, {1, 0x0000FF}};
  const std::function<void(int, int, int, int)> kinds[] = {
      [](int l, int t, int r, int b) { Rectangle(HDC_SCREEN, l, t, r, b); },
      [](int l, int t, int r, int b) { FocusRect(HDC_SCREEN, l, t, r, b); },
      [&rings](int l, int t, int r, int b) { gui::dc::DrawOutlineRings(HDC_SCREEN, l, t, r, b, rings, 2); },
  };
  SetDCAttr(HDC_SCREEN, DC_ATTR_PEN_COLOR, 0xFF00FF);
  int wrong = 0;
  for (size_t kind = 0; kind < std::size(kinds); ++kind)
    for (int l : {2, 15, 16, 17})
      for (int r : {46, 47, 48, 60})
        for (int t : {1, 7, 8, 9})
          for (int b : {38, 39, 40, 46}) {
            Pattern(screen());
            kinds[kind](l, t, r, b);
            const std::vector<uint32_t> unseen = Pixels(screen());
            Pattern(screen());
            ShowCursor(TRUE);
            kinds[kind](l, t, r, b);
            ShowCursor(FALSE);
            if (Pixels(screen()) != unseen && ++wrong <= 3)
              ADD_FAILURE() << "kind " << kind << " (" << l << "," << t << ")-(" << r << "," << b << ")";
          }
  EXPECT_EQ(wrong, 0);
  UseIalEngineForTest(nullptr);
}

TEST_F(CursorTest, ClipOutsideTheScreenIsEmptyAndTheNextClipStartsFromTheScreen) {
  const Rect outside{100, 100, 200, 200};
  ClipCursor(&outside);
  Rect r{};
  GetClipCursor(&r);
  EXPECT_TRUE(IsRectEmpty(&r));
  const Rect inside{30, 20, 10, 5};  // normalised on the way in
  ClipCursor(&inside);
  GetClipCursor(&r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 30);
  EXPECT_EQ(r.bottom, 20);
  ClipCursor(nullptr);
  GetClipCursor(&r);
  EXPECT_EQ(r.right, 63);
  EXPECT_EQ(r.bottom, 47);
}

std::vector<uint8_t> ArrowFile() {
  std::ifstream in("../guiRes/rirurRes/cursor/arrow.cur", std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(CursorTest, CursorFilesFailingAnyCheckGiveNoCursor) {
  const std::vector<uint8_t> good = ArrowFile();
  ASSERT_GT(good.size(), 100u);
  HCURSOR c = cursor::ParseCursorFile(good.data(), good.size());
  ASSERT_NE(c, 0u);
  cursor::FreeCursor(c);
  struct Mutation {
    size_t offset;
    uint8_t value;
  } const broken[] = {{2, 1}, {7, 16}, {6, 16}, {22 + 12, 2}, {22 + 14, 8}, {18, 0xF0}, {22 + 20, 16}};
  for (const Mutation& m : broken) {
    std::vector<uint8_t> bad = good;
    bad[m.offset] = m.value;
    EXPECT_EQ(cursor::ParseCursorFile(bad.data(), bad.size()), 0u) << m.offset;
  }
  for (size_t cut : {size_t{0}, size_t{21}, size_t{70}, good.size() - 1})
    EXPECT_EQ(cursor::ParseCursorFile(good.data(), cut), 0u) << cut;

  // 16 colours: XOR rows of 16 bytes through the standard table (9 is red),
  // rows bottom-up; only 32 x 32 is made.
  std::vector<uint8_t> andBits(128, 0), xorBits(512, 0x99);
  xorBits[0] = 0xCC;  // the bottom row starts blue
  HCURSOR colour = MakeCursor(3, 4, 32, 32, andBits.data(), xorBits.data(), 16);
  ASSERT_NE(colour, 0u);
  const Cursor* made = reinterpret_cast<const Cursor*>(colour);
  uint32_t top = 0, bottom = 0;
  std::memcpy(&top, made->xorBits, 4);
  std::memcpy(&bottom, made->xorBits + 31 * 32 * 4, 4);
  EXPECT_EQ(top & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(bottom & 0xFFFFFF, 0x0000FFu);
  cursor::FreeCursor(colour);
  EXPECT_EQ(MakeCursor(0, 0, 32, 16, andBits.data(), xorBits.data(), 2), 0u);
}

struct LogoCall {
  int output, index, kind;
  OutputLogoRect rect;
};
LogoCall g_logo{};
int RecordLogo(int output, const OutputLogoRect* rect, int index, int kind) {
  g_logo = LogoCall{output, index, kind, *rect};
  return 0;
}

TEST(CursorLogo, RectanglesFollowTheOutputAndIndex) {
  GuiAppCallbacks hooks{};
  hooks.setOutputLogoRect = RecordLogo;
  SetAppCallbacks(&hooks);
  const int main = GuiApp()->getVideoOutNum();
  const int height = layout::ScreenExtent(main).cy;
  EXPECT_EQ(SetOutLogoIdx(main, 3), 1);
  EXPECT_EQ(g_logo.index, 4);
  EXPECT_EQ(g_logo.kind, 2);
  EXPECT_EQ(g_logo.rect.x, 20);
  EXPECT_EQ(g_logo.rect.y, height - 84);
  EXPECT_EQ(g_logo.rect.width, 64);
  EXPECT_EQ(g_logo.rect.enabled, 1);
  SetOutLogoIdx(main, 7);
  EXPECT_EQ(g_logo.rect.x, 84);
  EXPECT_EQ(g_logo.kind, 1);
  SetOutLogoIdx(main + 1, 11);
  EXPECT_EQ(g_logo.rect.x, 72);
  EXPECT_EQ(g_logo.rect.width, 32);
  EXPECT_EQ(g_logo.rect.y, layout::ScreenExtent(main + 1).cy - 52);
  EXPECT_EQ(g_logo.kind, 1);
  SetAppCallbacks(nullptr);
}

}  // namespace

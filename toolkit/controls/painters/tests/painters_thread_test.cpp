// Every painter drawn into a small memory DC and read back pixel by pixel
// against a picture: one letter per colour the painter may use.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/painters/blitters.h"
#include "controls/painters/painter_util.h"
#include "core/element/system_res.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/element.h"

namespace {

using Picture = std::vector<std::string>;

class Painters : public guitest::StartedGui {
 protected:
  void SetUp() override {
    saved_.assign(WinElementColors, WinElementColors + WE_COLOR_COUNT);
    const std::map<int, char> letters = {{WEC_3DBOX_NORMAL, 'n'}, {WEC_3DBOX_REVERSE, 'r'}, {WEC_3DBOX_LIGHT, 'l'},
                                         {WEC_3DBOX_DARK, 'd'},   {WEC_FRAME_BORDER, 'b'},
                                         {WEC_FRAME_CONTROL_DISABLED, 'e'}};
    int shade = 10;
    for (const auto& [index, letter] : letters) {
      WinElementColors[index] = Px(letter, shade += 30);
    }
    Px('f', 200);
  }
  void TearDown() override {
    std::copy(saved_.begin(), saved_.end(), WinElementColors);
    if (dc_) DeleteMemDC(dc_);
    StartedGui::TearDown();
  }

  // A distinct pixel for a letter.
  GalPixel Px(char letter, int shade) {
    const GalPixel p = guitest::Rgb(static_cast<uint8_t>(shade), static_cast<uint8_t>(255 - shade), letter);
    colors_[p] = letter;
    return p;
  }
  GalPixel Of(char letter) const {
    for (const auto& [p, l] : colors_)
      if (l == letter) return p;
    return 0;
  }

  HDC Canvas(int w, int h) {
    if (dc_) DeleteMemDC(dc_);
    dc_ = CreateCompatibleDCEx(HDC_SCREEN, w, h);
    colors_[guitest::Rgb(0, 0, 0)] = '.';
    SetDCAttr(dc_, DC_ATTR_BRUSH_COLOR, guitest::Rgb(0, 0, 0));
    FillBox(dc_, 0, 0, w, h);
    w_ = w;
    h_ = h;
    return dc_;
  }

  Picture Read() const {
    Picture out;
    for (int y = 0; y < h_; ++y) {
      std::string row;
      for (int x = 0; x < w_; ++x) {
        auto it = colors_.find(GetPixel(dc_, x, y));
        row += it == colors_.end() ? '?' : it->second;
      }
      out.push_back(row);
    }
    return out;
  }

  std::vector<GalPixel> saved_;
  std::map<GalPixel, char> colors_;
  HDC dc_ = 0;
  int w_ = 0, h_ = 0;
};

TEST_F(Painters, ThickFrameRaisedAndPressed) {
  Draw3DThickFrameEx(Canvas(8, 8), 0, 0, 0, 7, 7, FRAME_FILL, Of('f'));
  EXPECT_EQ(Read(), (Picture{"ddddddr.", "dlllllr.", "dlfffdr.", "dlfffdr.", "dlfffdr.", "ddddddr.", "rrrrrrr.",
                             "........"}));
  Draw3DThickFrameEx(Canvas(8, 8), 0, 0, 0, 7, 7, 1 | FRAME_FILL, Of('f'));
  EXPECT_EQ(Read(), (Picture{"dddddddl", "dnnnnnnl", "dnffffnl", "dnffffnl", "dnffffnl", "dnffffnl", "dnnnnnnl",
                             "llllllll"}));
}

TEST_F(Painters, ThinFrameAndBorder) {
  Draw3DThinFrameEx(Canvas(6, 6), 0, 0, 0, 5, 5, FRAME_FILL, Of('f'));
  EXPECT_EQ(Read(), (Picture{"llllll", "lfff.d", "lfff.d", "lfff.d", "l....d", "dddddd"}));
  Draw3DBorderEx(Canvas(6, 6), 0, 0, 0, 6, 6);
  EXPECT_EQ(Read(), (Picture{"ddddd.", "dllldl", "dl..dl", "dl..dl", "dddddl", ".lllll"}));
}

TEST_F(Painters, ControlFrameIsTheSameWithSwappedCorners) {
  for (uint32_t look : {0u, 1u}) {
    Draw3DControlFrameEx(Canvas(7, 7), 0, 0, 0, 6, 6, look | FRAME_FILL, Of('f'));
    const Picture ordered = Read();
    Draw3DControlFrameEx(Canvas(7, 7), 0, 6, 6, 0, 0, look | FRAME_FILL, Of('f'));
    EXPECT_EQ(Read(), ordered) << look;
  }
  EXPECT_EQ(Read(), (Picture{"rrrrrrl", "rddddnl", "rdfffnl", "rdfffnl", "rdfffnl", "rnnnnnl", "lllllll"}));
}

TEST_F(Painters, FlatFrameCutsItsCornersUnlessTheSizeIsZero) {
  DrawFlatControlFrameEx(Canvas(6, 5), 0, 5, 4, 0, 0, 0, 0, 0);
  EXPECT_EQ(Read(), (Picture{"bbbbbb", "b....b", "b....b", "b....b", "bbbbbb"})) << "right and bottom included";
  DrawFlatControlFrameEx(Canvas(8, 8), 0, 0, 0, 7, 7, 2, 0, 0);
  EXPECT_EQ(Read(), (Picture{"..bbb...", ".b...b..", "b.....b.", "b.....b.", "b.......", ".b...b..", "..bbb...",
                             "........"}))
      << "the raised look shrinks by one";
  DrawFlatControlFrameEx(Canvas(8, 8), 0, 0, 0, 7, 7, 2, 1, 0);
  EXPECT_EQ(Read()[7], "..bbbb..");
}

TEST_F(Painters, GradientRoundsItsEndsAndRunsFromStartToEnd) {
  const GalPixel start = Px('s', 0), end = Px('e', 255);
  DrawGradientBox(Canvas(8, 6), start, end, 0, 0, 8, 6, TRUE, TRUE, 0);
  const Picture p = Read();
  EXPECT_EQ(p[5].substr(0, 2), "..");
  EXPECT_EQ(p[5].substr(6, 2), "..");
  EXPECT_EQ(p[5][2], 's') << "the bottom row is the start colour";
  uint8_t red = 0, green = 0, blue = 0;
  GetPixelRGB(dc_, 2, 0, &red, &green, &blue);
  EXPECT_EQ(red, 255) << "the top row reaches the end colour";
  EXPECT_EQ(green, 0);
  EXPECT_EQ(p[4][0], '.');
  EXPECT_EQ(p[4][7], '.');
  EXPECT_EQ(p[1][0], '.');
  EXPECT_NE(p[4][1], '.');
  EXPECT_NE(p[2][0], '.');
  EXPECT_NE(p[3][7], '.');
  int32_t inc[3];
  GradientSteps(dc_, guitest::Rgb(0, 10, 200), guitest::Rgb(3, 0, 100), 2, inc);
  EXPECT_EQ(inc[0], 98304);
  EXPECT_EQ(inc[1], -327680);
  EXPECT_EQ(inc[2], -3276800);
  GradientSteps(dc_, guitest::Rgb(0, 0, 0), guitest::Rgb(1, 2, 255), 3, inc);
  EXPECT_EQ(inc[0], 21845) << "65536 / 3 rounded";
  EXPECT_EQ(inc[1], 43691);
  DrawGradientBox(Canvas(5, 3), start, end, 0, 0, 5, 3, FALSE, FALSE, 1);
  EXPECT_EQ(Read(), (Picture{"s???e", "s???e", "s???e"})) << "columns run left to right";
}

TEST_F(Painters, TwoColorBarSplitsAtTheValue) {
  const GalPixel a = Px('a', 40), z = Px('z', 90);
  struct Case {
    int value, maximum;
    BOOL horizontal;
    std::string firstRow;
  } cases[] = {{0, 4, TRUE, "zzzz"}, {4, 4, TRUE, "aaaa"}, {1, 2, TRUE, "aazz"}, {5, 4, TRUE, "...."},
               {1, 0, TRUE, "...."}, {0, 0, TRUE, "...."}};
  for (const Case& c : cases) {
    DrawTwoColorBar(Canvas(4, 2), a, z, 0, 0, 4, 2, c.value, c.maximum, c.horizontal);
    EXPECT_EQ(Read()[0], c.firstRow) << c.value << "/" << c.maximum;
  }
  DrawTwoColorBar(Canvas(1, 4), a, z, 0, 0, 1, 4, 1, 4, FALSE);
  EXPECT_EQ(Read(), (Picture{"a", "z", "z", "z"}));
}

// A corner skin of four quadrants, one letter each.
class EditCorners : public Painters {
 protected:
  void SetUp() override {
    Painters::SetUp();
    const GalPixel q[4] = {Px('1', 11), Px('2', 22), Px('3', 33), Px('4', 44)};
    skin_ = std::make_unique<guitest::SolidBitmap>(2, 2, std::vector<std::vector<GalPixel>>{{q[0], q[1]}, {q[2], q[3]}});
    PutStockBitmapForTest("editcorner", false, skin_->Get());
  }
  void TearDown() override {
    PutStockBitmapForTest("editcorner", false, Bitmap{});
    Painters::TearDown();
  }
  std::unique_ptr<guitest::SolidBitmap> skin_;
};

TEST_F(EditCorners, EdgesAndTheChosenQuadrants) {
  const Rect r{0, 0, 6, 5};
  ASSERT_EQ(DrawEditFrame(Canvas(6, 5), 0, 0x90011, &r, TRUE, TRUE, Of('f')), 0);
  EXPECT_EQ(Read(), (Picture{"11ee22", "11ee22", "eeffee", "33ee44", "33ee44"}));
  ASSERT_EQ(DrawEditFrame(Canvas(6, 5), 0, 0, &r, TRUE, FALSE, Of('f')), 0);
  EXPECT_EQ(Read(), (Picture{"eeeeee", "eeffff", "eeffff", "eeffff", "eeeeee"})) << "square corners, no right edge";
  ASSERT_EQ(DrawEditFrame(Canvas(6, 5), 0, 0x10, &r, FALSE, FALSE, 0), 0);
  EXPECT_EQ(Read(), (Picture{"eeeeee", "ee....", "ee....", "33eeee", "33eeee"}));
  EXPECT_EQ(DrawEditFrame(dc_, 0, 0, nullptr, TRUE, TRUE, 0), -1);
}

TEST_F(Painters, BitmapBoxesRepeatTheirMiddleThird) {
  const GalPixel h = Px('h', 15), m = Px('m', 25), t = Px('t', 35);
  guitest::SolidBitmap strip(1, 2, {{h, m, t}});
  const Rect r{0, 0, 7, 2};
  ASSERT_EQ(DrawBoxWithBitmapCombine(Canvas(7, 2), &r, &strip.Get()), 0);
  EXPECT_EQ(Read(), (Picture{"hmmmmmt", "hmmmmmt"}));
  EXPECT_EQ(DrawBoxWithBitmapCombine(dc_, nullptr, &strip.Get()), -1);
  EXPECT_EQ(DrawBoxWithBitmapCombine(dc_, &r, nullptr), -1);
  guitest::SolidBitmap column(2, 1, {{h}, {m}, {t}});
  const Rect tall{0, 0, 4, 5}, flat{0, 0, 4, 1};
  DrawBoxFromBitmap(Canvas(4, 5), &tall, &column.Get(), FALSE, FALSE);
  EXPECT_EQ(Read(), (Picture{".hh.", ".mm.", ".mm.", ".mm.", ".tt."}));
  DrawBoxFromBitmap(Canvas(4, 2), &flat, &column.Get(), FALSE, FALSE);
  EXPECT_EQ(Read()[0], ".tt.") << "a short box still gets both ends, the last on top";
}

// A three-part box drawn only where it meets a limit has, inside the
// limit, the columns of the box drawn whole: for limits over its head, its
// middles (the last one cut short) and its tail, and past its ends.
TEST_F(Painters, BitmapBoxesDrawnWithinALimitMatchTheWholeBox) {
  std::vector<GalPixel> columns;
  for (int i = 0; i < 9; ++i) columns.push_back(Px(static_cast<char>('A' + i), 20 + 20 * i));
  guitest::SolidBitmap skin(1, 2, {columns});
  const Rect box{2, 0, 31, 2};  // 29 wide: head 3, eight middles, a middle of 2, tail 3
  HDC whole = CreateCompatibleDCEx(HDC_SCREEN, 34, 2);
  SetDCAttr(whole, DC_ATTR_BRUSH_COLOR, guitest::Rgb(0, 0, 0));
  FillBox(whole, 0, 0, 34, 2);
  DrawBoxWithBitmapCombine(whole, &box, &skin.Get());
  for (int left = -1; left < 34; ++left) {
    for (int width = 1; width <= 8; ++width) {
      const Rect limit{left, 0, left + width, 2};
      painters::DrawBoxWithBitmapCombineWithin(Canvas(34, 2), box, &skin.Get(), limit);
      for (int x = std::max(0, left); x < std::min(34, left + width); ++x)
        ASSERT_EQ(GetPixel(dc_, x, 1), GetPixel(whole, x, 1)) << "column " << x << " of limit " << left << "+" << width;
    }
  }
  DeleteMemDC(whole);
}

}  // namespace

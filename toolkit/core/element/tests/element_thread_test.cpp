// Element colours and metrics read from the configuration, with its bad
// values; per-window overrides; the stock-bitmap cache's lookups.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "core/element/element_attrs.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/gui_etc.h"
#include "gui/text.h"

namespace {

using guitest::Rgb;

class Elements : public guitest::StartedGui {
 protected:
  void SetUp() override {
    std::ifstream in(ETCFILEPATH, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    original_ = all.str();
    saved_ = ETCFILEPATH;
    // Tests of this suite run in parallel processes: one file each.
    path_ = std::string("element_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".cfg";
  }
  void TearDown() override {
    std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", saved_.c_str());
    std::remove(path_.c_str());
    InitWindowElementColors();
    InitExtraColors();
    InitMainWinMetrics();
    guitest::StartedGui::TearDown();
  }
  // The configuration with one line replaced (an empty replacement drops
  // it), made current.
  void UseWith(const std::string& line, const std::string& replacement) {
    std::string text = original_;
    size_t at = text.find(line + "\n");
    ASSERT_NE(at, std::string::npos) << line;
    text.replace(at, line.size() + 1, replacement.empty() ? "" : replacement + "\n");
    std::ofstream(path_, std::ios::binary) << text;
    std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", path_.c_str());
  }
  std::string original_, saved_, path_;
};

TEST_F(Elements, ColoursArePixelsOfTheScreenAndBadValuesFailTheirStage) {
  EXPECT_EQ(WinElementColors[WEC_BKC_WIN_NORMAL], Rgb(0x20, 0x28, 0x30));
  UseWith("bkc_win_normal=0x302820", "bkc_win_normal=0xFF0000");
  EXPECT_EQ(InitWindowElementColors(), 1);
  EXPECT_EQ(WinElementColors[WEC_BKC_WIN_NORMAL], Rgb(0, 0, 0xFF));
  UseWith("bkc_win_normal=0x302820", "bkc_win_normal=0x1000000");
  EXPECT_EQ(InitWindowElementColors(), 0);
  UseWith("vscroll_fill_end=0x302820", "");
  EXPECT_EQ(InitExtraColors(), 0);
  EXPECT_EQ(GetExtraColorEx(WE_EXTRA_COLOR_COUNT), static_cast<GalPixel>(-1));
}

TEST_F(Elements, MetricsTakeOperatorsOnTheSystemFontAndRefuseDivisionByZero) {
  const int base = 16;
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {{"+4", true, 20}, {"*2", true, 32}, {"%5", true, 1}, {"/3", true, 5}, {"-20", true, -4},
               {"2", true, 2},   {"x2", true, 0},  {"%0", false, 0}, {"/0", false, 0},
               // Sizes no screen shows are refused, however they are reached.
               {"2147483647", false, 0}, {"99999999999", false, 0}, {"*2147483647", false, 0},
               {"-2147483648", false, 0}, {"+8176", true, 8192}, {"8193", false, 0}, {"/-2147483648", true, 0}};
  for (const auto& c : cases) {
    int32_t value = 0;
    EXPECT_EQ(ParseElementMetric(c.text, base, &value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  UseWith("captiony=+12", "captiony=/0");
  EXPECT_EQ(InitMainWinMetrics(), 0);
  UseWith("minwidth=40", "minwidth=2147483647");
  EXPECT_EQ(InitMainWinMetrics(), 0);
  UseWith("captiony=+12", "captiony=+2");
  EXPECT_EQ(InitMainWinMetrics(), 1);
  EXPECT_EQ(WinMainMetrics[WEM_CAPTIONY], GetSysFontHeight(3) + 2);
  UseWith("defbarlen=18", "");
  EXPECT_EQ(InitMainWinMetrics(), 0);
}

TEST_F(Elements, WindowsOverrideSingleEntriesWithoutTouchingTheGlobalOnes) {
  WindowHandle hwnd = Main({0, 0, 100, 100}, 0);
  const int32_t border = WinMainMetrics[WEM_BORDER];
  EXPECT_EQ(GetWindowElementMetricsEx(hwnd, WEM_BORDER), border);
  EXPECT_EQ(SetWindowElementMetricsEx(hwnd, WEM_BORDER, 7), 7);  // no override before
  EXPECT_EQ(SetWindowElementMetricsEx(hwnd, WEM_BORDER, 9), 7);
  EXPECT_EQ(GetWindowElementMetricsEx(hwnd, WEM_BORDER), 9);
  EXPECT_EQ(WinMainMetrics[WEM_BORDER], border);
  EXPECT_EQ(SetWindowElementMetricsEx(hwnd, WE_METRIC_COUNT, 1), -1);
  EXPECT_EQ(SetWindowElementColorEx(hwnd, WE_COLOR_COUNT, 1), 0u);
  const GalPixel frame = WinElementColors[WEC_FRAME_BORDER];
  EXPECT_EQ(SetWindowElementColorEx(hwnd, WEC_FRAME_BORDER, 5), 5u);
  EXPECT_EQ(GetWindowElementColorEx(hwnd, WEC_FRAME_BORDER), 5u);
  EXPECT_EQ(GetWindowElementMetricsEx(hwnd, WEM_BORDER), 9);  // kinds kept apart
  EXPECT_EQ(SetWindowElementColorEx(0, WEC_FRAME_BORDER, 6), frame);
  EXPECT_EQ(SetWindowElementColorEx(0, WEC_FRAME_BORDER, frame), 6u);
}

TEST_F(Elements, StockBitmapsAreFoundByExactNameAndNoneIsTriedAgain) {
  EXPECT_EQ(GetStockBitmap("nosuchskin", -1, -1), nullptr);
  EXPECT_EQ(GetStockBitmap("Caption", -1, -1), nullptr);
  EXPECT_EQ(GetStockBitmap("", -1, -1), nullptr);
  PutStockBitmapForTest("caption", false, Bitmap{});
  UseWith("caption=caption.bmp", "caption=none");
  const Bitmap* none = GetStockBitmap("caption", -1, -1);
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->bmWidth, 0u);
  UseWith("caption=caption.bmp", "");
  EXPECT_EQ(GetStockBitmap("caption", -1, -1), nullptr);  // not loaded: asked again, now missing
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", saved_.c_str());
  const Bitmap* skin = GetStockBitmap("caption", 0, 0);  // the generated file, keyed by its corner
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(skin->bmHeight, 24u);
  EXPECT_EQ(skin->bmType, BMP_TYPE_COLORKEY);
}

}  // namespace

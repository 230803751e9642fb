#include <gtest/gtest.h>

#include "gui/app_hooks.h"
#include "gui/display.h"
#include "layout_test_helpers.h"

namespace layout_test {
namespace {

class DisplayTest : public LayoutTest {};

TEST_F(DisplayTest, OutputCountQueries) {
  Device().outputCount = 0;
  EXPECT_TRUE(HasNoOutput());
  EXPECT_FALSE(HasAuxOutput());
  Device().outputCount = 1;
  EXPECT_FALSE(HasNoOutput());
  EXPECT_FALSE(HasAuxOutput());
  Device().outputCount = 2;
  EXPECT_TRUE(HasAuxOutput());
  EXPECT_EQ(GetMainDisplayId(), 3);
  EXPECT_EQ(GetAuxDisplayId(), 1);
  EXPECT_FALSE(IsAuxDisplay(3));
  EXPECT_TRUE(IsAuxDisplay(1));
}

TEST_F(DisplayTest, DesignGridFollowsTheOutputKind) {
  Size size{};
  EXPECT_EQ(GetDesignResolution(3, nullptr), -1);
  ASSERT_EQ(GetDesignResolution(3, &size), 0);
  EXPECT_EQ(size.cx, 1024);
  EXPECT_EQ(size.cy, 768);
  Device().auxType = 0;
  EXPECT_TRUE(IsLowResDisplay(1));
  ASSERT_EQ(GetDesignResolution(1, &size), 0);
  EXPECT_EQ(size.cx, 704);
  EXPECT_EQ(size.cy, 480);
}

TEST_F(DisplayTest, BitsPerPixelOfModes) {
  EXPECT_EQ(BitsPerPixelOfMode(0), 32);
  EXPECT_EQ(BitsPerPixelOfMode(1), 16);
  EXPECT_EQ(BitsPerPixelOfMode(2), 16);
  EXPECT_EQ(BitsPerPixelOfMode(3), 24);
  EXPECT_EQ(BitsPerPixelOfMode(4), 32);
}

TEST_F(DisplayTest, ScalingIsOff) {
  int x = 5, w = 6;
  EXPECT_EQ(ScaleHorzToScreen(nullptr, nullptr, 3), -1);
  EXPECT_EQ(ScaleHorzToScreen(&x, &w, 3), 0);
  EXPECT_EQ(ScaleVertToScreen(&x, nullptr, 3), 0);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(w, 6);
  EXPECT_EQ(IsDisplayScaled(3), 0);
}

TEST_F(DisplayTest, WindowRectIsCentredOnALargerScreen) {
  setCurOutputHook(3);
  Device().mainResolutionCode = 5;  // 1280 x 1024
  int x = 0, y = 0, w = 100, h = 100;
  ScaleWindowRect(0x00F00000, 1, &x, &y, &w, &h);
  EXPECT_EQ(x, 128);
  EXPECT_EQ(y, 128);
  EXPECT_EQ(w, 100);
  x = y = 0;
  ScaleWindowRect(0x00500000, 1, &x, &y, &w, &h);
  EXPECT_EQ(x, 128);
  EXPECT_EQ(y, 0);
  x = y = 0;
  ScaleWindowRect(0x00F00000, 0, &x, &y, &w, &h);
  EXPECT_EQ(x, 0);

  Device().mainResolutionCode = 0;  // 1024 x 768: nothing moves
  ScaleWindowRect(0x00F00000, 1, &x, &y, &w, &h);
  EXPECT_EQ(x, 0);
  Device().mainResolutionCode = 1;  // 800 x 600 is smaller than the grid
  ScaleWindowRect(0x00F00000, 1, &x, &y, &w, &h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

}  // namespace
}  // namespace layout_test

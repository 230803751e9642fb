#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "gdi/gal/tests/guarded_surface.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/gal.h"

namespace {

struct SurfaceDeleter {
  void operator()(GalSurface* s) const { GAL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<GalSurface, SurfaceDeleter>;

TEST(SurfaceBox, SizeRoundsRowsToWords) {
  SurfacePtr s(GAL_CreateRGBSurface(0, 1, 1, 24, 0, 0, 0, 0));
  uint32_t pitch = 0;
  EXPECT_EQ(GAL_GetBoxSize(s.get(), 5, 2, &pitch), 32);
  EXPECT_EQ(pitch, 16u);
  // Sizes past an int are refused rather than wrapped to a small buffer.
  SurfacePtr wide(GAL_CreateRGBSurface(0, 1, 1, 32, 0, 0, 0, 0));
  EXPECT_EQ(GAL_GetBoxSize(wide.get(), 65536, 16386, &pitch), -1);
  EXPECT_EQ(pitch, 0u);
  EXPECT_EQ(GAL_GetBoxSize(wide.get(), 0x40000000u, 1, &pitch), -1);
  EXPECT_EQ(GAL_GetBoxSize(wide.get(), 0xFFFFFFFFu, 0xFFFFFFFFu, nullptr), -1);
  EXPECT_EQ(GAL_GetBoxSize(wide.get(), 16384, 32767, &pitch), 16384 * 4 * 32767);
}

TEST(SurfaceBox, ReadsTheClippedPartAtItsOffset) {
  GuardedSurface s(10, 6, 32);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) s.setPixel(x, y, static_cast<uint32_t>(y * 100 + x));
  Bitmap box{};
  GalRect rect{7, -2, 5, 4};
  ASSERT_EQ(GAL_GetBox(s.get(), &rect, &box), 0);
  ASSERT_NE(box.bmBits, nullptr);
  EXPECT_EQ(box.bmWidth, 5u);
  EXPECT_EQ(box.bmHeight, 4u);
  EXPECT_EQ(box.bmBytesPerPixel, 4);
  EXPECT_EQ(box.bmPitch, 20u);
  // Row 2 of the box is surface row 0, columns 7..9 at box columns 0..2.
  EXPECT_EQ(ReadPixelValue(box.bmBits + 2 * box.bmPitch, 4), 7u);
  EXPECT_EQ(ReadPixelValue(box.bmBits + 3 * box.bmPitch + 8, 4), 109u);
  std::free(box.bmBits);
  GalRect empty{0, 0, 0, 3};
  EXPECT_EQ(GAL_GetBox(s.get(), &empty, &box), -1);
}

}  // namespace

namespace {

int yuvDepthCode(uint8_t* code) {
  *code = 5;
  return 0;
}

struct YuvMode : ::testing::Test {
  void SetUp() override {
    GuiAppCallbacks cb{};
    cb.getColorDepthCode = yuvDepthCode;
    SetAppCallbacks(&cb);
  }
  void TearDown() override { SetAppCallbacks(nullptr); }
};

// In the YUV output modes a 4-byte surface holds a luma plane and two
// half-resolution chroma planes; fills write all three and the box reads
// them back as colours.
TEST_F(YuvMode, FillWritesPlanesAndBoxReadsThemBack) {
  SurfacePtr s(GAL_CreateRGBSurface(0, 8, 4, 32, 0, 0, 0, 0));
  uint8_t* p = s->pixels;
  GalRect r{2, 1, 4, 2};
  GAL_FillRect(s.get(), &r, 0xFFFFFF, getMainOutputHook());
  EXPECT_EQ(p[1 * 8 + 2], 235);
  EXPECT_EQ(p[2 * 8 + 5], 235);
  EXPECT_EQ(p[1 * 8 + 1], 0);
  EXPECT_EQ(p[3 * 8 + 2], 0);
  // Chroma rows are written on the rectangle's even rows only: row 1 maps to
  // chroma row 0, columns 1..2.
  EXPECT_EQ(p[32 + 1], 128);
  EXPECT_EQ(p[32 + 2], 128);
  EXPECT_EQ(p[32 + 3], 0);
  EXPECT_EQ(p[40 + 1], 128);

  Bitmap box{};
  GalRect whole{2, 1, 2, 1};
  ASSERT_EQ(GAL_GetBox(s.get(), &whole, &box), 0);
  EXPECT_EQ(ReadPixelValue(box.bmBits, 4), 0xFEFEFEu);
  std::free(box.bmBits);

  // The transparent colour writes zero planes.
  GAL_FillRect(s.get(), &r, 0xFF00FF, getMainOutputHook());
  EXPECT_EQ(p[1 * 8 + 2], 0);
  EXPECT_EQ(p[32 + 1], 0);
}

}  // namespace

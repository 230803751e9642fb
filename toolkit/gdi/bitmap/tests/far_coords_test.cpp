// Fills and pixels at coordinates and sizes at the ends of the int range on
// a memory DC, plain and through mappings that move and mirror the origin:
// every pixel of the DC must be what the exact (64-bit) box says.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "gdi/dc/tests/dc_fixture.h"
#include "gui/bitmap.h"
#include "gui/dc.h"

namespace {

constexpr int kW = 16, kH = 12;
constexpr uint32_t kInk = 5, kPaper = 2;

// Device = sign * logical + origin, per axis.
struct Mapping {
  const char* name;
  int sign;
  int ox, oy;
};
constexpr Mapping kMappings[] = {{"plain", 1, 0, 0}, {"moved", 1, 3, 2}, {"mirrored", -1, kW - 1, kH - 1}};

int64_t Map(const Mapping& m, int64_t v, int origin) { return m.sign * v + origin; }

void Apply(DC* dc, const Mapping& m) {
  if (m.sign == 1 && m.ox == 0 && m.oy == 0) {
    dc->mapMode = 0;
    return;
  }
  dc->mapMode = 1;
  dc->windowOrigin = {0, 0};
  dc->windowExtent = {1, 1};
  dc->viewExtent = {m.sign, m.sign};
  dc->viewOrigin = {m.ox, m.oy};
}

struct Box {
  int x, y, w, h;
};
constexpr Box kBoxes[] = {
    {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {-1, -1, INT_MAX, INT_MAX},           {2, 3, INT_MAX, INT_MAX},
    {INT_MAX, 0, 1, 5},                   {0, INT_MAX, 4, 1},
    {INT_MIN, 4, INT_MAX, 3},             {10, -5, 3, INT_MAX},
    {10, INT_MIN, 3, INT_MAX},            {INT_MIN, INT_MIN, -1, -1},
    {-1, -1, 2, 2},                       {4, 5, -1, INT_MIN},
    {INT_MAX - 1, 1, INT_MAX, 2},         {INT_MIN + 1, 2, INT_MAX, INT_MAX},
    {-3, -2, 6, 5},                       {kW - 2, kH - 2, INT_MAX, INT_MAX},
};

class FarCoords : public dctest::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    mem_ = CreateCompatibleDCEx(HDC_SCREEN, kW, kH);
    ASSERT_NE(mem_, 0u);
  }
  void TearDown() override {
    DeleteMemDC(mem_);
    ScreenTest::TearDown();
  }
  void Clear() {
    Apply(Record(mem_), kMappings[0]);
    SetDCAttr(mem_, DC_ATTR_BRUSH_COLOR, kPaper);
    FillBox(mem_, 0, 0, kW, kH);
    SetDCAttr(mem_, DC_ATTR_BRUSH_COLOR, kInk);
  }
  // Every pixel against the box [l, r) x [t, b) in device coordinates.
  void ExpectInk(int64_t l, int64_t t, int64_t r, int64_t b, const std::string& what) {
    Apply(Record(mem_), kMappings[0]);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const bool inside = x >= l && x < r && y >= t && y < b;
        ASSERT_EQ(GetPixel(mem_, x, y), inside ? kInk : kPaper) << what << " at " << x << "," << y;
      }
  }

  HDC mem_ = 0;
};
GUI_DC_ALL_DEPTHS(FarCoords);

TEST_P(FarCoords, FillsDrawTheVisiblePartOfTheExactBox) {
  uint8_t one[4] = {static_cast<uint8_t>(kInk), 0, 0, 0};
  Bitmap dot{};
  dot.bmBytesPerPixel = static_cast<uint8_t>(bytes());
  dot.bmBitsPerPixel = static_cast<uint8_t>(8 * bytes());
  dot.bmWidth = dot.bmHeight = 1;
  dot.bmPitch = static_cast<uint32_t>(bytes());
  dot.bmBits = one;
  for (const Mapping& m : kMappings)
    for (const Box& b : kBoxes)
      for (bool bitmap : {false, true}) {
        Clear();
        Apply(Record(mem_), m);
        // A one-pixel bitmap scaled to the box covers it all; a size below 1
        // takes the bitmap's, where a plain fill draws nothing.
        int64_t w = b.w, h = b.h;
        if (bitmap) {
          FillBoxWithBitmap(mem_, b.x, b.y, b.w, b.h, &dot);
          if (w < 1) w = 1;
          if (h < 1) h = 1;
        } else {
          FillBox(mem_, b.x, b.y, b.w, b.h);
        }
        const int64_t x0 = Map(m, b.x, m.ox), x1 = Map(m, b.x + w, m.ox);
        const int64_t y0 = Map(m, b.y, m.oy), y1 = Map(m, b.y + h, m.oy);
        const bool empty = w < 1 || h < 1;
        ExpectInk(std::min(x0, x1), std::min(y0, y1), empty ? 0 : std::max(x0, x1), empty ? 0 : std::max(y0, y1),
                  std::string(m.name) + (bitmap ? " bitmap " : " fill ") + std::to_string(b.x) + "," +
                      std::to_string(b.y) + " " + std::to_string(b.w) + "x" + std::to_string(b.h));
      }
}

TEST_P(FarCoords, PixelsLandWhereTheExactPointIs) {
  constexpr int kCoords[] = {INT_MIN, INT_MIN + 1, -3, -1, 0, 7, kW - 1, INT_MAX - 2, INT_MAX};
  for (const Mapping& m : kMappings)
    for (int x : kCoords)
      for (int y : kCoords) {
        Clear();
        Apply(Record(mem_), m);
        SetPixel(mem_, x, y, kInk);
        const int64_t dx = Map(m, x, m.ox), dy = Map(m, y, m.oy);
        ExpectInk(dx, dy, dx + 1, dy + 1,
                  std::string(m.name) + " pixel " + std::to_string(x) + "," + std::to_string(y));
      }
}

}  // namespace

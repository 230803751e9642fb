// A 32-bit screen (red in bits 16-23) with the DC layer on it, and reading
// back what the image loaders made.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gdi/gal/tests/guarded_surface.h"
#include "gdi/image/tests/image_files.h"
#include "gui/dc.h"
#include "gui/image.h"

namespace imagetest {

class ScreenFixture : public testing::Test {
 protected:
  static constexpr int kWidth = 64, kHeight = 48;
  void SetUp() override { ASSERT_TRUE(InitGDI(screen_.get())); }
  void TearDown() override {
    TerminateGDI();
    EXPECT_TRUE(screen_.paddingIntact());
  }
  GuardedSurface screen_{kWidth, kHeight, 32, 0xFF0000, 0xFF00, 0xFF};
};

inline uint32_t Xrgb(const uint8_t* rgba) { return uint32_t{rgba[0]} << 16 | uint32_t{rgba[1]} << 8 | rgba[2]; }

inline uint32_t BitmapPixel(const Bitmap& b, int x, int y) {
  uint32_t v = 0;
  std::memcpy(&v, b.bmBits + static_cast<size_t>(y) * b.bmPitch + static_cast<size_t>(x) * 4, 4);
  return v & 0xFFFFFF;
}

// The first difference between a decoded image and its truth, or "".
inline std::string Compare(const MyBitmap& image, const GalColor* palette, const Truth& truth,
                           bool alpha) {
  if (static_cast<int>(image.w) != truth.w || static_cast<int>(image.h) != truth.h)
    return "size " + std::to_string(image.w) + "x" + std::to_string(image.h);
  const bool bgr = (image.flags & MYBMP_TYPE_MASK) == MYBMP_TYPE_BGR;
  for (int y = 0; y < truth.h; ++y)
    for (int x = 0; x < truth.w; ++x) {
      const uint8_t* row = image.bits + static_cast<size_t>(y) * image.pitch;
      uint8_t got[4] = {0, 0, 0, 255};
      if (image.depth <= 8) {
        const int perByte = 8 / image.depth;
        const int shift = 8 - image.depth * (x % perByte + 1);
        const int index = (row[x / perByte] >> shift) & ((1 << image.depth) - 1);
        got[0] = palette[index].r, got[1] = palette[index].g, got[2] = palette[index].b;
      } else {
        const uint8_t* p = row + static_cast<size_t>(x) * (image.depth / 8);
        got[0] = bgr ? p[2] : p[0], got[1] = p[1], got[2] = bgr ? p[0] : p[2];
        if (image.depth == 32 && alpha) got[3] = p[3];
      }
      const uint8_t* want = truth.at(x, y);
      for (int c = 0; c < (alpha ? 4 : 3); ++c)
        if (got[c] != want[c])
          return "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " + std::to_string(c) +
                 ": " + std::to_string(got[c]) + " != " + std::to_string(want[c]);
    }
  return "";
}

// Decodes bytes through the loading API; the result code in *result.
struct Decoded {
  MyBitmap image{};
  GalColor palette[256] = {};
  int result = 0;
  Decoded(const Bytes& bytes, const char* ext) {
    result = LoadMyBitmapFromMem(&image, palette, bytes.data(), static_cast<int>(bytes.size()), ext);
  }
  ~Decoded() { UnloadMyBitmap(&image); }
  Decoded(const Decoded&) = delete;
  Decoded& operator=(const Decoded&) = delete;
};

}  // namespace imagetest

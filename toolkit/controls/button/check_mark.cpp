// The check mark a disabled frame button shows: a fixed pattern turned
// into a screen-format bitmap once, its background transparent.
#include <cstring>
#include <vector>

#include "controls/button/check_mark.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace {

constexpr int kWidth = 16, kHeight = 12;
const char* const kPattern[kHeight] = {
    "++++++++++++++++", "++++++++++++++++", "++++....++++++++", "+++++....+++++++",
    "++++++....++++++", "+++++++....+++++", "+++++++....+++++", "++++++....++++++",
    "+++++....+++++++", "++++....++++++++", "++++++++++++++++", "++++++++++++++++",
};

std::vector<uint8_t> g_pixels;
// Luma per pixel and a chroma pair per 2 x 2 block, for YUV video outputs.
uint8_t g_yuv[kWidth * kHeight + (kWidth / 2) * (kHeight / 2) * 2];
Bitmap g_mark{};

}  // namespace

namespace button {

bool BuildCheckMark() {
  const int bpp = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_BPP));
  if (bpp < 1 || bpp > 4) return false;
  g_pixels.assign(static_cast<size_t>(kWidth) * kHeight * bpp, 0);
  const GalPixel key = SysPixelIndex[SYSPIXEL_KEY], ink = SysPixelIndex[SYSPIXEL_BLACK];
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const GalPixel p = kPattern[y][x] == '+' ? key : ink;
      std::memcpy(&g_pixels[(static_cast<size_t>(y) * kWidth + x) * bpp], &p, static_cast<size_t>(bpp));
    }
  g_mark = Bitmap{};
  g_mark.bmType = BMP_TYPE_COLORKEY;
  g_mark.bmColorKey = key;
  g_mark.bmBytesPerPixel = static_cast<uint8_t>(bpp);
  g_mark.bmBitsPerPixel = static_cast<uint8_t>(GetGDCapability(HDC_SCREEN, GDCAP_BITSPP));
  g_mark.bmWidth = kWidth;
  g_mark.bmHeight = kHeight;
  g_mark.bmPitch = static_cast<uint32_t>(kWidth * bpp);
  g_mark.bmBits = g_pixels.data();
  g_mark.bmYPlane = g_yuv;
  LoadGetYUVFromBitmap(&g_mark);
  return true;
}

}  // namespace button

extern "C" const Bitmap* GetCheckMarkBitmap(void) { return g_mark.bmBits ? &g_mark : nullptr; }

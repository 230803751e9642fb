#include "core/menu/menu_marks.h"

#include <cstdlib>
#include <cstring>

#include "core/menu/menu_style.h"
#include "gui/dc.h"

namespace menu {
namespace {

// '+' background, '.' foreground.
const char* const kPatterns[3][kMarkHeight] = {
    {"++++++++++++++++", "++++++++++++++++", "++++++....++++++", "+++++......+++++", "++++........++++",
     "++++........++++", "++++........++++", "++++........++++", "+++++......+++++", "++++++....++++++",
     "++++++++++++++++", "++++++++++++++++"},
    {"++++++++++++++++", "++++++++++++..++", "+++++++++++...++", "++++++++++...+++", "+++++++++...++++",
     "++..++++...+++++", "++...++...++++++", "+++......+++++++", "++++....++++++++", "+++++..+++++++++",
     "++++++++++++++++", "++++++++++++++++"},
    {"+++++.++++++++++", "+++++..+++++++++", "+++++...++++++++", "+++++....+++++++", "+++++.....++++++",
     "+++++......+++++", "+++++......+++++", "+++++.....++++++", "+++++....+++++++", "+++++...++++++++",
     "+++++..+++++++++", "+++++.++++++++++"},
};

Bitmap g_mark{};

bool Allocate() {
  if (g_mark.bmBits) return true;
  int bpp = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_BPP));
  if (bpp < 1 || bpp > 4) bpp = 4;
  g_mark.bmBytesPerPixel = static_cast<uint8_t>(bpp);
  g_mark.bmBitsPerPixel = static_cast<uint8_t>(bpp * 8);
  g_mark.bmWidth = kMarkWidth;
  g_mark.bmHeight = kMarkHeight;
  g_mark.bmPitch = static_cast<uint32_t>(kMarkWidth * bpp);
  g_mark.bmBits = static_cast<uint8_t*>(std::calloc(kMarkHeight, g_mark.bmPitch));
  return g_mark.bmBits != nullptr;
}

}  // namespace

void CreateMarkBitmap() { Allocate(); }

void DestroyMarkBitmap() {
  std::free(g_mark.bmBits);
  g_mark = Bitmap{};
}

const Bitmap* MarkBitmap(Mark mark, bool highlighted) {
  if (!Allocate()) return nullptr;
  const GalPixel back = Colour(highlighted ? kBkcHilite : kBkcNormal);
  const GalPixel fore = Colour(highlighted ? kFcHilite : kFcNormal);
  const char* const* rows = kPatterns[static_cast<int>(mark) - 1];
  for (int y = 0; y < kMarkHeight; ++y)
    for (int x = 0; x < kMarkWidth; ++x) {
      const GalPixel pixel = rows[y][x] == '.' ? fore : back;
      std::memcpy(g_mark.bmBits + y * g_mark.bmPitch + x * g_mark.bmBytesPerPixel, &pixel, g_mark.bmBytesPerPixel);
    }
  g_mark.bmType = BMP_TYPE_COLORKEY;
  g_mark.bmColorKey = back;
  return &g_mark;
}

}  // namespace menu

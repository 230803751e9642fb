#include "core/menu/menu_marks.h"

#include <cstdlib>
#include <cstring>

#include "core/element_color.h"
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
// Luma per pixel and a chroma pair per 2 x 2 block, for YUV video outputs.
uint8_t g_markYuv[kMarkWidth * kMarkHeight + (kMarkWidth / 2) * (kMarkHeight / 2) * 2];

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
  g_mark.bmYPlane = g_markYuv;
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
  const GalPixel back = Color(highlighted ? WEC_BKC_MENUITEM_HILITE : WEC_BKC_MENUITEM_NORMAL);
  const GalPixel fore = Color(highlighted ? WEC_FC_MENUITEM_HILITE : WEC_FC_MENUITEM_NORMAL);
  const char* const* rows = kPatterns[static_cast<int>(mark) - 1];
  for (int y = 0; y < kMarkHeight; ++y)
    for (int x = 0; x < kMarkWidth; ++x) {
      const GalPixel pixel = rows[y][x] == '.' ? fore : back;
      std::memcpy(g_mark.bmBits + y * g_mark.bmPitch + x * g_mark.bmBytesPerPixel, &pixel, g_mark.bmBytesPerPixel);
    }
  g_mark.bmType = BMP_TYPE_COLORKEY;
  g_mark.bmColorKey = back;
  LoadGetYUVFromBitmap(&g_mark);
  return &g_mark;
}

}  // namespace menu

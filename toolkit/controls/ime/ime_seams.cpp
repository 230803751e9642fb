// Stand-ins for calls into areas built separately; see ime_seams.h.
#include "controls/ime/ime_seams.h"

#include <cstdlib>

#include "core/window/window_damage.h"
#include "core/window/window_record.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/message.h"

namespace ime_seams {

// Until the skins load, every name answers a bitmap with no pixels: the
// window never draws it.
const Bitmap* StockBitmap(const char*) {
  static const Bitmap kPlaceholder{};
  return &kPlaceholder;
}

bool InitScreenBitmap(Bitmap* bitmap, uint32_t width, uint32_t height) {
  Bitmap b{};
  b.bmBytesPerPixel = static_cast<uint8_t>(GetGDCapability(HDC_SCREEN, GDCAP_BPP));
  b.bmBitsPerPixel = static_cast<uint8_t>(GetGDCapability(HDC_SCREEN, GDCAP_BITSPP));
  b.bmWidth = width;
  b.bmHeight = height;
  b.bmPitch = b.bmBytesPerPixel * width;
  if (b.bmBytesPerPixel == 0 || b.bmBytesPerPixel > 4) return false;
  b.bmBits = static_cast<uint8_t*>(std::calloc(height, b.bmPitch));
  if (!b.bmBits) return false;
  *bitmap = b;
  return true;
}

void UnloadScreenBitmap(Bitmap* bitmap) {
  std::free(bitmap->bmBits);
  bitmap->bmBits = nullptr;
}

void RefreshYuvCopy(Bitmap*) {}

void DrawBitmap(HDC hdc, int x, int y, const Bitmap* bitmap) {
  if (!bitmap->bmBits) return;
  for (uint32_t row = 0; row < bitmap->bmHeight; ++row)
    for (uint32_t col = 0; col < bitmap->bmWidth; ++col) {
      const uint8_t* p = bitmap->bmBits + row * bitmap->bmPitch + col * bitmap->bmBytesPerPixel;
      GalPixel pixel = 0;
      for (int i = 0; i < bitmap->bmBytesPerPixel; ++i) pixel |= static_cast<GalPixel>(p[i]) << (8 * i);
      SetPixel(hdc, x + static_cast<int>(col), y + static_cast<int>(row), pixel);
    }
}

void FillBoxInBrush(HDC hdc, int x, int y, int w, int h) {
  if (w < 1 || h < 1) return;
  const Point corners[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
  FillPolygon(hdc, corners, 4);
}

// The element colours of the default configuration.
GalPixel ElementColor(WindowHandle, Element index) {
  switch (index) {
    case kBkNormal:
      return RGB2Pixel(HDC_SCREEN, 0x40, 0x48, 0x50);
    case kBkHilite:
      return RGB2Pixel(HDC_SCREEN, 0x40, 0x60, 0x80);
    default:
      return RGB2Pixel(HDC_SCREEN, 0xFF, 0xFF, 0xFF);
  }
}

Size CurrentScreenSize() {
  return Size{static_cast<int32_t>(GetGDCapability(HDC_SCREEN, GDCAP_HPIXEL)),
              static_cast<int32_t>(GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL))};
}

void ShowTool(WindowHandle hwnd, bool show) {
  SendMessage(__gui_hwnd_desktop, show ? MSG_DT_SHOWMAINWIN : MSG_DT_HIDEMAINWIN, hwnd, 0);
}

void CaptureMouse(WindowHandle hwnd) { SendMessage(__gui_hwnd_desktop, MSG_DT_SETCAPTURE, hwnd, 0); }
void ReleaseMouse() { SendMessage(__gui_hwnd_desktop, MSG_DT_SETCAPTURE, 0, 0); }

Rect ClientRect(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return Rect{0, 0, 0, 0};
  Rect r = ClientScreenRectOf(win);
  return Rect{0, 0, r.right - r.left, r.bottom - r.top};
}

Point ClientToScreenPoint(WindowHandle hwnd, int x, int y) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return Point{x, y};
  Rect r = ClientScreenRectOf(win);
  return Point{r.left + x, r.top + y};
}

}  // namespace ime_seams

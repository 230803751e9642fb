// The toolkit calls the input-method window makes, in the shapes it uses.
#include "controls/ime/ime_toolkit.h"

#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/image.h"
#include "gui/livevideo.h"
#include "gui/window_attr.h"

namespace ime_toolkit {

// A skin that does not load answers a bitmap without pixels: it is never drawn.
const Bitmap* StockBitmap(const char* name) {
  static const Bitmap kNone{};
  const Bitmap* skin = GetStockBitmap(name, -1, -1);
  return skin ? skin : &kNone;
}

bool InitScreenBitmap(Bitmap* bitmap, uint32_t width, uint32_t height) {
  return InitBitmap(HDC_SCREEN, width, height, 0, nullptr, bitmap) != FALSE;
}

void UnloadScreenBitmap(Bitmap* bitmap) { UnloadBitmap(bitmap); }
void RefreshYuvCopy(Bitmap* bitmap) { LoadGetYUVFromBitmap(bitmap); }

void DrawBitmap(HDC hdc, int x, int y, const Bitmap* bitmap) {
  if (bitmap->bmBits) FillBoxWithBitmap(hdc, x, y, 0, 0, bitmap);
}

void FillBoxInBrush(HDC hdc, int x, int y, int w, int h) { FillBox(hdc, x, y, w, h); }

GalPixel ElementColor(WindowHandle hwnd, int index) { return GetWindowElementColorEx(hwnd, index); }

Size CurrentScreenSize() {
  Size size{0, 0};
  GetScreenExtentEx(getCurOutputHook(), &size);
  return size;
}

void ShowTool(WindowHandle hwnd, bool show) { ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE); }
void CaptureMouse(WindowHandle hwnd) { SetCapture(hwnd); }
void ReleaseMouse() { ReleaseCapture(); }

Rect ClientRect(WindowHandle hwnd) {
  Rect r{0, 0, 0, 0};
  GetClientRect(hwnd, &r);
  return r;
}

Point ClientToScreenPoint(WindowHandle hwnd, int x, int y) {
  ClientToScreen(hwnd, &x, &y);
  return Point{x, y};
}

}  // namespace ime_toolkit

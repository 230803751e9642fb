// The toolkit calls the input-method window makes, in the shapes it uses.
#pragma once

#include "gui/bitmap.h"
#include "gui/common.h"

namespace ime_toolkit {

// GetStockBitmap(name, -1, -1): the cached skin of the current display, or
// null when it cannot be loaded.
const Bitmap* StockBitmap(const char* name);
// InitBitmap(HDC_SCREEN, width, height, 0, nullptr, bitmap): pixels in the
// screen's format, zeroed.
bool InitScreenBitmap(Bitmap* bitmap, uint32_t width, uint32_t height);
// UnloadBitmap(bitmap).
void UnloadScreenBitmap(Bitmap* bitmap);
// LoadGetYUVFromBitmap(bitmap).
void RefreshYuvCopy(Bitmap* bitmap);
// FillBoxWithBitmap(hdc, x, y, 0, 0, bitmap).
void DrawBitmap(HDC hdc, int x, int y, const Bitmap* bitmap);
// FillBox(hdc, x, y, w, h) in the DC's brush colour.
void FillBoxInBrush(HDC hdc, int x, int y, int w, int h);

// GetWindowElementColorEx(hwnd, index), index a WEC_* name.
GalPixel ElementColor(WindowHandle hwnd, int index);

// GetScreenExtentEx(current output).
Size CurrentScreenSize();

// ShowWindow(hwnd, 16) / ShowWindow(hwnd, 0).
void ShowTool(WindowHandle hwnd, bool show);
// SetCapture(hwnd) / ReleaseCapture().
void CaptureMouse(WindowHandle hwnd);
void ReleaseMouse();
// GetClientRect(hwnd) and ClientToScreen(hwnd, &x, &y).
Rect ClientRect(WindowHandle hwnd);
Point ClientToScreenPoint(WindowHandle hwnd, int x, int y);

}  // namespace ime_toolkit

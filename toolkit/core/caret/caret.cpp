// The caret: a block drawn by inverting the pixels under it, with a copy of
// those pixels to take it away exactly. It is used by its window's thread;
// the desktop only asks for the blinks.
#include "core/caret/caret.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/desktop/desktop.h"
#include "gui/image.h"
#include "core/window/window_damage.h"
#include "gui/caret.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/window_attr.h"

namespace {

constexpr unsigned kDefaultPeriod = 500, kShortestPeriod = 100;
constexpr int kYuvDepth = 5;

struct CaretRecord {
  int x = 0, y = 0;
  std::vector<uint8_t> saved, inverted, yuv;
  const Bitmap* shape = nullptr;
  int maxWidth = 0, maxHeight = 0;
  int width = 0, height = 0;
  uint32_t pitch = 0;
  Bitmap image{};
  bool shown = false, drawn = false;
  WindowHandle owner = 0;
  unsigned period = kDefaultPeriod;
};

CaretRecord* CaretOf(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? static_cast<CaretRecord*>(win->caret) : nullptr;
}

size_t YuvSize(int w, int h) {
  return size_t(w) * size_t(h) + size_t(w / 2) * size_t(h / 2) * 2;
}

void Capture(CaretRecord* c) {
  int sx = c->x, sy = c->y;
  ClientToScreen(c->owner, &sx, &sy);
  Bitmap box{};
  box.bmBits = c->saved.data();
  box.bmPitch = c->pitch;
  GetBitmapFromDC(HDC_SCREEN, sx, sy, c->width, c->height, &box);
  const size_t size = c->pitch * static_cast<size_t>(c->height);
  const uint32_t bits = GetGDCapability(HDC_SCREEN, GDCAP_BITSPP);
  const uint8_t mask = bits < 8 ? 0x0F : 0xFF;
  for (size_t i = 0; i < size; ++i) {
    uint8_t with = c->shape && c->shape->bmBits && i < c->shape->bmPitch * c->shape->bmHeight ? c->shape->bmBits[i] : mask;
    c->inverted[i] = c->saved[i] ^ with;
  }
  // The alpha of the pixels stays opaque.
  const int depth = GetDeviceColorDepth();
  for (size_t i = 0; i < size; ++i) {
    if (depth == 2 && (i & 1)) c->inverted[i] |= 0x80;
    if (depth == 4 && i % 4 == 3) c->inverted[i] = 0xFF;
  }
}

void Put(CaretRecord* c, std::vector<uint8_t>& buffer) {
  c->image.bmBits = buffer.data();
  c->image.bmWidth = static_cast<uint32_t>(c->width);
  c->image.bmHeight = static_cast<uint32_t>(c->height);
  HDC hdc = GetClientDC(c->owner);
  if (hdc == HDC_INVALID) return;
  FillBoxWithBitmap(hdc, c->x, c->y, c->width, c->height, &c->image);
  ReleaseDC(hdc);
}

void TellDesktop(WindowHandle hwnd, const CaretRecord* c) { SetCaretWindow(hwnd, c->period); }

std::unique_ptr<CaretRecord> MakeCaret(WindowRecord* win, const Bitmap* shape, int w, int h) {
  auto c = std::make_unique<CaretRecord>();
  c->shape = shape;
  c->width = c->maxWidth = shape ? static_cast<int>(shape->bmWidth) : w;
  c->height = c->maxHeight = shape ? static_cast<int>(shape->bmHeight) : (h & ~1);
  if (c->width < 1 || c->height < 1) return nullptr;
  // A caret larger than its display could never be drawn; refusing it also
  // keeps the saved and inverted buffers at most a screen's size.
  if (static_cast<uint32_t>(c->width) > GetGDCapability(HDC_SCREEN, GDCAP_HPIXEL) ||
      static_cast<uint32_t>(c->height) > GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL))
    return nullptr;
  GalSurface* screen = GAL_GetVideoSurface();
  const int size = screen ? GAL_GetBoxSize(screen, c->width, c->height, &c->pitch) : 0;
  if (size <= 0) return nullptr;
  c->saved.resize(static_cast<size_t>(size));
  c->inverted.resize(static_cast<size_t>(size));
  if (GetDeviceColorDepth() >= kYuvDepth) c->yuv.resize(YuvSize(c->width, c->height));
  const uint32_t bytes = GetGDCapability(HDC_SCREEN, GDCAP_BPP);
  c->image.bmBytesPerPixel = static_cast<uint8_t>(bytes);
  c->image.bmBitsPerPixel = static_cast<uint8_t>(GetGDCapability(HDC_SCREEN, GDCAP_BITSPP));
  c->image.bmPitch = c->pitch;
  c->image.bmYPlane = c->yuv.empty() ? nullptr : c->yuv.data();
  c->owner = HandleOf(win);
  c->x = 2;
  const Rect client = GeometryOf(win).client;
  c->y = (client.bottom - client.top - c->height) / 2;
  return c;
}

}  // namespace

bool HideCaretForErase(WindowRecord* win) {
  CaretRecord* c = static_cast<CaretRecord*>(win->caret);
  if (!c || !c->shown) return false;
  HideCaret(HandleOf(win));
  return true;
}

void ShowCaretAfterErase(WindowRecord* win) { ShowCaret(HandleOf(win)); }

void RestoreUnderCaret(WindowRecord* win) {
  CaretRecord* c = static_cast<CaretRecord*>(win->caret);
  if (c && c->shown && c->drawn) {
    Put(c, c->saved);
    c->drawn = false;
  }
}

void RedrawCaretAfterPaint(WindowRecord* win, HDC) {
  CaretRecord* c = static_cast<CaretRecord*>(win->caret);
  if (!c || !c->shown) return;
  Capture(c);
  Put(c, c->inverted);
  c->drawn = true;
}

void BlinkCaret(WindowRecord* win) {
  CaretRecord* c = static_cast<CaretRecord*>(win->caret);
  if (!c || !c->shown) return;
  Put(c, c->drawn ? c->saved : c->inverted);
  c->drawn = !c->drawn;
}

unsigned CaretPeriodOf(WindowHandle hwnd) {
  CaretRecord* c = CaretOf(hwnd);
  return c ? c->period : kDefaultPeriod;
}

void FreeCaretOf(WindowRecord* win) {
  // A window without a caret is left untouched: painting threads may still
  // read the word while the window goes.
  if (!win->caret) return;
  delete static_cast<CaretRecord*>(win->caret);
  win->caret = nullptr;
}

extern "C" {

BOOL CreateCaret(WindowHandle hwnd, const Bitmap* bitmap, int width, int height) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return FALSE;
  if (win->caret) {
    TellDesktop(hwnd, static_cast<CaretRecord*>(win->caret));
    return TRUE;
  }
  std::unique_ptr<CaretRecord> c = MakeCaret(win, bitmap, width, height);
  if (!c) return FALSE;
  win->caret = c.release();
  TellDesktop(hwnd, static_cast<CaretRecord*>(win->caret));
  return TRUE;
}

BOOL ActiveCaret(WindowHandle hwnd) {
  const CaretRecord* c = CaretOf(hwnd);
  if (!c) return FALSE;
  TellDesktop(hwnd, c);
  return TRUE;
}

BOOL DestroyCaret(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !win->caret) return FALSE;
  FreeCaretOf(win);
  ClearCaretWindow(hwnd);
  return TRUE;
}

BOOL ShowCaret(WindowHandle hwnd) {
  CaretRecord* c = CaretOf(hwnd);
  if (!c || c->shown) return FALSE;
  c->shown = true;
  Capture(c);
  if (!c->drawn) {
    Put(c, c->inverted);
    c->drawn = true;
  }
  return TRUE;
}

BOOL HideCaret(WindowHandle hwnd) {
  CaretRecord* c = CaretOf(hwnd);
  if (!c || !c->shown) return FALSE;
  c->shown = false;
  if (c->drawn) {
    c->drawn = false;
    Put(c, c->saved);
  }
  return TRUE;
}

// The caret sits on even screen coordinates, two pixels below the line top.
BOOL SetCaretPos(WindowHandle hwnd, int x, int y) {
  CaretRecord* c = CaretOf(hwnd);
  if (!c) return FALSE;
  ClientToScreen(hwnd, &x, &y);
  x = (x + 1) & ~1;
  y = (y + 1) & ~1;
  ScreenToClient(hwnd, &x, &y);
  y += 2;
  if (x == c->x && y == c->y) return TRUE;
  if (!c->shown) {
    c->x = x, c->y = y;
    return TRUE;
  }
  if (c->drawn) Put(c, c->saved);
  c->x = x, c->y = y;
  Capture(c);
  Put(c, c->inverted);
  c->drawn = true;
  return TRUE;
}

BOOL ChangeCaretSize(WindowHandle hwnd, int width, int height) {
  CaretRecord* c = CaretOf(hwnd);
  if (!c || width < 1 || height < 1 || width > c->maxWidth || height > c->maxHeight) return FALSE;
  if (width == c->width && height == c->height) return TRUE;
  if (c->shown && c->drawn) Put(c, c->saved);
  c->width = width;
  c->height = height;
  GAL_GetBoxSize(GAL_GetVideoSurface(), width, height, &c->pitch);
  c->image.bmPitch = c->pitch;
  if (!c->shown) return TRUE;
  Capture(c);
  Put(c, c->inverted);
  c->drawn = true;
  return TRUE;
}

BOOL GetCaretPos(WindowHandle hwnd, Point* pt) {
  CaretRecord* c = CaretOf(hwnd);
  if (!c || !pt) return FALSE;
  *pt = Point{c->x, c->y};
  return TRUE;
}

unsigned GetCaretBlinkTime(WindowHandle hwnd) {
  CaretRecord* c = CaretOf(hwnd);
  return c ? c->period : 0;
}

BOOL SetCaretBlinkTime(WindowHandle hwnd, unsigned ms) {
  CaretRecord* c = CaretOf(hwnd);
  if (!c) return FALSE;
  c->period = ms < kShortestPeriod ? kShortestPeriod : ms;
  TellDesktop(hwnd, c);
  return TRUE;
}

}  // extern "C"


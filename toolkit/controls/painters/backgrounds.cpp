// The background painters the controls answer the erase message with.
// Each skips a transparent window, borrows a client DC when none is given
// (an exhausted pool draws nothing), narrows the clip to the given
// rectangle and paints the client area.
#include "controls/painters/painter_util.h"
#include "controls/painters/blitters.h"
#include "core/element_color.h"
#include "gui/caret.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/region.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

struct Canvas {
  WindowHandle hwnd;
  HDC hdc;
  Rect client;
  bool disabled;
};

// Whether the DC's clip already lies inside the rectangle (a paint DC
// handed on with the rectangle it was clipped to): cutting would change
// nothing.
bool ClippedInside(HDC hdc, const Rect& rect) {
  Rect bounds{};
  GetBoundsRect(hdc, &bounds);
  return !IsRectEmpty(&bounds) && IsCovered(&bounds, &rect);
}

template <typename Body>
int Paint(WindowHandle hwnd, HDC given, const Rect* clip, bool hideCaret, Body body) {
  if (GetWindowExStyle(hwnd) & WS_EX_TRANSPARENT) return 0;
  HDC hdc = given ? given : GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  if (clip && !ClippedInside(hdc, *clip)) ClipRectIntersect(hdc, clip);
  Canvas c{hwnd, hdc, {}, (GetWindowStyle(hwnd) & WS_DISABLED) != 0};
  GetClientRect(hwnd, &c.client);
  const bool caretShown = hideCaret && HideCaret(hwnd);
  body(c);
  if (caretShown) ShowCaret(hwnd);
  if (!given) ReleaseDC(hdc);
  return 0;
}

void FillClient(const Canvas& c, GalPixel brush) {
  painters::Fill(c.hdc, brush, c.client.left, c.client.top, c.client.right - c.client.left,
                 c.client.bottom - c.client.top);
}

void TwoTone(const Canvas& c, int disabledIndex) {
  if (c.disabled) return FillClient(c, Color(disabledIndex));
  const int w = c.client.right - c.client.left, h = c.client.bottom - c.client.top, half = h >> 1;
  painters::Fill(c.hdc, Color(WEC_BKC_ONERASE_TOP), c.client.left, c.client.top, w, half);
  painters::Fill(c.hdc, Color(WEC_BKC_ONERASE_BOTTOM), c.client.left, c.client.top + half, w, h - half);
}

void EditFrame(const Canvas& c, bool rightEdge, GalPixel normal) {
  const GalPixel fill = c.disabled ? Color(WEC_BKC_CAPTION_DISABLED) : normal;
  DrawEditFrame(c.hdc, GetWindowStyle(c.hwnd), GetWindowExStyle(c.hwnd), &c.client, TRUE, rightEdge ? TRUE : FALSE,
                fill);
}

}  // namespace

extern "C" {

int EraseDefControlBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, true, [](const Canvas& c) {
    FillClient(c, Color(c.disabled ? WEC_BKC_CAPTION_DISABLED : WEC_BKC_DEFCONTROL_NORMAL));
  });
}

int EraseTwoToneBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, false, [](const Canvas& c) { TwoTone(c, WEC_BKC_CONTROL_SELECTED); });
}

int EraseTwoToneBkgndCaret(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, true, [](const Canvas& c) { TwoTone(c, WEC_BKC_CAPTION_DISABLED); });
}

int EraseTrackBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, false, [clip](const Canvas& c) {
    const Bitmap* skin = GetStockBitmap("timebar_bk", 0, 0);  // the time bar's own background skin
    const Rect area = clip ? *clip : c.client;
    if (!skin || !skin->bmBits) {
      painters::Fill(c.hdc, GetWindowElementColorEx(c.hwnd, WEC_BKC_TIMETAGTRACK_NORMAL), area.left, area.top,
                     area.right - area.left, area.bottom - area.top);
      return;
    }
    if (GetWindowStyle(c.hwnd) & (0x800u | 0x200u))
      FillBoxWithBitampCombineEx(c.hdc, area.left, c.client.top, area.right - area.left, 0, skin, TRUE, TRUE, FALSE);
  });
}

int EraseControlBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, false, [](const Canvas& c) {
    FillClient(c, Color(c.disabled ? WEC_BKC_CAPTION_DISABLED : WEC_BKC_CONTROL_NORMAL));
  });
}

int EraseEditFrameBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, false, [](const Canvas& c) { EditFrame(c, true, Color(WEC_BKC_CONTROL_NORMAL)); });
}

int EraseEditFrameBkgndCaret(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, true, [](const Canvas& c) { EditFrame(c, true, Color(WEC_BKC_CONTROL_NORMAL)); });
}

int EraseStaticFrameBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  return Paint(hwnd, hdc, clip, false,
               [](const Canvas& c) { EditFrame(c, false, GetExtraColorEx(WEC_EX_BKC_STATIC)); });
}

int EraseSLEditBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip, const Rect* box) {
  return Paint(hwnd, hdc, clip, true, [box](const Canvas& c) {
    const Bitmap* skin = GetEditBitmap(!c.disabled, TRUE);
    if (skin && skin->bmBits) {
      const uint32_t style = GetWindowStyle(c.hwnd);
      const bool head = (style & 0x80u) || !(style & (0x2000u | 0x4000u));
      const bool tail = !(style & 0x80u) && ((style & 0x2000u) || !(style & 0x4000u));
      FillBoxWithBitampCombineEx(c.hdc, c.client.left, c.client.top, c.client.right - c.client.left,
                                 c.client.bottom - c.client.top, skin, head, tail, FALSE);
      return;
    }
    const GalPixel brush = Color(c.disabled ? WEC_BKC_CAPTION_DISABLED : WEC_BKC_CONTROL_NORMAL);
    if (box) {
      painters::Fill(c.hdc, brush, box->left, box->top + 1, box->right - box->left, box->bottom - box->top - 2);
      return;
    }
    // Without a box the client area is inset by 2 on every side; the
    // outset the old code computed painted outside the control.
    painters::Fill(c.hdc, brush, c.client.left + 2, c.client.top + 2, c.client.right - c.client.left - 4,
                   c.client.bottom - c.client.top - 4);
  });
}

int DrawFocusEditFrame(WindowHandle hwnd, HDC hdc, const Rect* rect, BOOL focus) {
  if (!rect) return 0;
  return Paint(hwnd, hdc, nullptr, false, [rect, focus](const Canvas& c) {
    if (focus) {
      painters::Outline(c.hdc, Color(WEC_FRAME_CONTROL_HILITE), rect->left, rect->top, rect->right - 1,
                        rect->bottom - 1);
      return;
    }
    painters::Outline(c.hdc, Color(c.disabled ? WEC_FRAME_MENUITEM_DISABLED : WEC_FRAME_MENUITEM_NORMAL),
                      rect->left + 1, rect->top + 1, rect->right - 2, rect->bottom - 2);
    DrawEditFrame(c.hdc, GetWindowStyle(c.hwnd), GetWindowExStyle(c.hwnd), rect, FALSE, TRUE, 0);
  });
}

}  // extern "C"

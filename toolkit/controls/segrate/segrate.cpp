// The "segrate" control: coloured segments side by side, each showing its
// share, split by dividers that are dragged with the mouse.
#include <algorithm>
#include <cstdio>
#include <new>

#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "gui/control_paint.h"
#include "controls/segrate/segrate_class.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/font.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/segrate.h"
#include "gui/text.h"

namespace controls {

namespace {

using namespace barkit;

constexpr int kMaxSegments = 10, kMinSegments = 2;
constexpr int kSizeCursor = 18, kArrowCursor = 0;
constexpr uint32_t kEditFrameStyle = 0x2;
constexpr int kRed = 12, kGreen = 10, kBlue = 9;

struct RateSegment {
  GalPixel color;
  char text[32];
};

struct RateDivider {
  int32_t value, minimum, maximum;
  Rect grab;
};

struct SegRateData {
  int32_t count = 3;
  int32_t dragged = 0;
  RateSegment segments[kMaxSegments];
  RateDivider dividers[kMaxSegments - 1];
};

void Share(RateSegment* s, int percent) { std::snprintf(s->text, sizeof s->text, "%d%s", percent, "%"); }

void Defaults(SegRateData* d) {
  // Segments and dividers past the first three have no given defaults:
  // light grey, "0%", value 100 in 0..100.
  for (int i = 0; i < kMaxSegments; ++i) {
    d->segments[i].color = SysPixelIndex[SYSPIXEL_LIGHTGREY];
    Share(&d->segments[i], 0);
  }
  for (int i = 0; i < kMaxSegments - 1; ++i) d->dividers[i] = RateDivider{100, 0, 100, {}};
  const int shares[] = {20, 50, 30};
  const int colors[] = {kRed, kGreen, kBlue};
  for (int i = 0; i < 3; ++i) {
    d->segments[i].color = SysPixelIndex[colors[i]];
    Share(&d->segments[i], shares[i]);
  }
  d->dividers[0] = RateDivider{20, 0, 20, {}};
  d->dividers[1] = RateDivider{70, 70, 100, {}};
}

int Left(const SegRateData& d, int segment) { return segment == 0 ? 0 : d.dividers[segment - 1].value; }
int Right(const SegRateData& d, int segment) { return segment == d.count - 1 ? 100 : d.dividers[segment].value; }

Rect SegmentRect(WindowHandle hwnd, const SegRateData& d, int segment) {
  Rect c{};
  GetClientRect(hwnd, &c);
  const Rect& g = d.dividers[0].grab;
  const int left = segment == 0 ? 0 : d.dividers[segment - 1].grab.left;
  const int right = segment == d.count - 1 ? c.right : d.dividers[segment].grab.left;
  return Rect{left, g.top, right, g.bottom};
}

void SetValue(WindowHandle hwnd, SegRateData* d, int index, int value) {
  if (index < 0 || index > d->count - 2) return;
  RateDivider& div = d->dividers[index];
  value = std::max(std::min(value, div.maximum), div.minimum);
  if (value == div.value) return;
  div.value = value;
  Share(&d->segments[index], value - Left(*d, index));
  Share(&d->segments[index + 1], Right(*d, index + 1) - value);
  const Rect a = SegmentRect(hwnd, *d, index), b = SegmentRect(hwnd, *d, index + 1);
  const Rect both{std::min(a.left, b.left), 2, std::max(a.right, b.right), std::max(a.bottom, b.bottom) + 4};
  InvalidateRect(hwnd, &both, TRUE);
}

void PaintSegment(HDC hdc, const RateSegment& s, int start, int end, int barTop, int barH, int h) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, s.color);
  if (end > start) FillBox(hdc, start, barTop, end - start, barH);
  Size size{};
  GetTextExtentEx(hdc, s.text, -1, &size, 0);
  Rect r{start, barTop, end, h - 6};
  if (size.cx > end - start) r = Rect{end - size.cx, 0, end, barTop};
  DrawTextEx2(hdc, s.text, -1, &r, 0, 21, nullptr);
}

void Paint(WindowHandle hwnd, HDC hdc, SegRateData* d) {
  const Bitmap* arrow = GetStockBitmap("segrate_arrow", 0, 0);
  if (!arrow) return;
  Rect c{};
  GetClientRect(hwnd, &c);
  const int h = c.bottom - c.top, w = c.right - c.left;
  const int barH = (2 * h - 24) / 3, barTop = h - barH - 6;
  SelectFont(hdc, g_SysLogFont[7]);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, 1);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CONTROL_NORMAL));
  int start = 2;
  for (int i = 0; i < d->count; ++i) {
    const int width = (Right(*d, i) - Left(*d, i)) * (w - 4) / 100;
    if (i > 0) {
      SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, Color(WEC_BKC_CONTROL_HILITE));
      FillBox(hdc, start - 2, barTop, 2, barH);
      const int aw = static_cast<int>(arrow->bmWidth);
      FillBoxWithBitmap(hdc, start - 1 - aw / 2, h - 6, aw, static_cast<int>(arrow->bmHeight), arrow);
      d->dividers[i - 1].grab = Rect{start - 4, barTop, start, h - 6};
    }
    PaintSegment(hdc, d->segments[i], start, start + width, barTop, barH, h);
    start += width;
  }
}

LResult Erase(WindowHandle hwnd, HDC given, const Rect* clip) {
  if (GetWindowExStyle(hwnd) & WS_EX_TRANSPARENT) return 0;
  HDC hdc = given ? given : GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  if (clip) ClipRectIntersect(hdc, clip);
  Rect c{};
  GetClientRect(hwnd, &c);
  const GalPixel fill = Color(Disabled(hwnd) ? WEC_BKC_CONTROL_DISABLED : WEC_BKC_CONTROL_NORMAL);
  if (GetWindowStyle(hwnd) & kEditFrameStyle) {
    DrawEditFrame(hdc, GetWindowStyle(hwnd), GetWindowExStyle(hwnd), &c, TRUE, TRUE, fill);
  } else {
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, fill);
    FillBox(hdc, c.left, c.top, c.right - c.left, c.bottom - c.top);
  }
  if (!given) ReleaseDC(hdc);
  return 0;
}

int GrabUnder(const SegRateData& d, int x, int y) {
  for (int i = 0; i < d.count - 1; ++i)
    if (Contains(d.dividers[i].grab, x, y)) return i;
  return -1;
}

void ShowCursor(int index) { SetCursorEx(GetSystemCursor(index), FALSE); }

void Mouse(WindowHandle hwnd, SegRateData* d, int msg, LParam lParam) {
  const bool captured = GetCapture() == hwnd;
  int x = LowX(lParam), y = HighY(lParam);
  if (msg == MSG_LBUTTONDOWN) {
    if (Disabled(hwnd) || captured) return;
    const int grab = GrabUnder(*d, x, y);
    if (grab < 0) return ShowCursor(kArrowCursor);
    d->dragged = grab;
    ShowCursor(kSizeCursor);
    SetCapture(hwnd);
  } else if (msg == MSG_MOUSEMOVE) {
    if (Disabled(hwnd)) return;
    if (!captured) return ShowCursor(GrabUnder(*d, x, y) >= 0 ? kSizeCursor : kArrowCursor);
    ShowCursor(kSizeCursor);
    Rect c{};
    GetClientRect(hwnd, &c);
    const int w = c.right - c.left;
    const int percent = x < 0 ? 0 : x > w ? 100 : (w > 0 ? x * 100 / w : 0);
    SetValue(hwnd, d, d->dragged, percent);
    NotifyParentEx(hwnd, SRN_DRAGGED, 0);
  } else if (msg == MSG_LBUTTONUP && captured) {
    ReleaseCapture();
    NotifyParentEx(hwnd, SRN_DROPPED, 0);
  }
}

LResult SegRateProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  SegRateData* d = Data<SegRateData>(hwnd);
  if (msg == MSG_CREATE) {
    SegRateData* fresh = NewData<SegRateData>(hwnd);
    if (!fresh) return -1;
    Defaults(fresh);
    return 0;
  }
  if (!d) return Default(hwnd, msg, wParam, lParam);
  const int w = static_cast<int>(wParam), l = static_cast<int>(lParam);
  switch (msg) {
    case MSG_DESTROY: FreeData<SegRateData>(hwnd); break;
    case SRM_SETCOUNT:
      if (w >= kMinSegments && w <= kMaxSegments) {
        d->count = w;
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case SRM_SETRANGE: {
      const int lo = w & 0xFFFF, hi = (w >> 16) & 0xFFFF;
      if (l >= 0 && l <= d->count - 2 && hi <= 100 && lo <= hi) d->dividers[l].minimum = lo, d->dividers[l].maximum = hi;
      return 0;
    }
    case SRM_SETVALUE: SetValue(hwnd, d, l, w); return 0;
    case SRM_SETCOLOR:
      if (l >= 0 && l < d->count) {
        d->segments[l].color = static_cast<GalPixel>(wParam);
        const Rect r = SegmentRect(hwnd, *d, l);
        InvalidateRect(hwnd, &r, TRUE);
      }
      return 0;
    case SRM_GETVALUE: return (w >= 0 && w <= d->count - 2) ? d->dividers[w].value : -1;
    case MSG_GETDLGCODE: return 0x11;
    case MSG_FONTCHANGED: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case MSG_GETTEXTLENGTH: case MSG_GETTEXT: case MSG_SETTEXT: return -1;
    case MSG_ERASEBKGND: return Erase(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
    case MSG_PAINT: return PaintWith(hwnd, [&](HDC hdc) { Paint(hwnd, hdc, d); });
    case MSG_NCPAINT: return 0;
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_LBUTTONUP: case MSG_MOUSEMOVE:
      Mouse(hwnd, d, PressOf(msg), ClientPosition(hwnd, wParam, lParam));
      return 0;
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL RegisterSegRateControl() {
  return RegisterBuiltinClass("segrate", 0, Color(WEC_BKC_CONTROL_NORMAL), SegRateProc);
}

}  // namespace controls

// The "progressbar" control: a framed bar of blocks, or a continuous bar
// with a centred percentage when blocks would be narrower than 4 pixels.
#include <algorithm>
#include <cstdio>
#include <new>

#include "controls/barkit/ctl_util.h"
#include "controls/painters/painter_util.h"
#include "controls/registry/control_registry.h"
#include "controls/progressbar/progressbar_class.h"
#include "controls/progressbar/progressbar_geometry.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/progressbar.h"
#include "gui/text.h"

namespace controls {

namespace {

using namespace barkit;
using painters::Fill;
using progress::Blocks;

struct ProgressData {
  int32_t minimum = 0, maximum = 100, position = 0, step = 10;
};

constexpr int kMinBlockLength = 4;

struct Bar {
  Rect area;  // the client rectangle inset by 2
  bool vertical;
  int Length() const { return vertical ? area.bottom - area.top : area.right - area.left; }
};

Bar BarOf(WindowHandle hwnd) {
  Rect c{};
  GetClientRect(hwnd, &c);
  return Bar{{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2}, (GetWindowStyle(hwnd) & PBS_VERTICAL) != 0};
}

// Pixels of the filled part along the bar, block or continuous.
int FilledExtent(const ProgressData& d, const Bar& bar) {
  const Blocks b = progress::Measure(d.minimum, d.maximum, d.position, bar.Length());
  if (b.count <= 0) return 0;
  if (b.length >= kMinBlockLength) return std::min(progress::BlockEnd(b, b.filled) + 1, bar.Length());
  return static_cast<int>(bar.Length() * (static_cast<double>(b.filled) / b.count)) + 1;
}

void PaintFrame(HDC hdc, const Rect& c) {
  const int w = c.right - c.left, h = c.bottom - c.top;
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Color(WEC_3DBOX_NORMAL));
  Rectangle(hdc, c.left, c.top, c.right - 1, c.bottom - 1);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Color(WEC_FRAME_MENUITEM_HILITE));
  Rectangle(hdc, c.left + 1, c.top + 1, c.right - 2, c.bottom - 2);
  Rectangle(hdc, c.left + 2, c.top + 2, c.right - 3, c.bottom - 3);
  Fill(hdc, Color(WEC_BKC_CONTROL_DISABLED), c.left + 3, c.top + 3, w - 6, h - 6);
}

void PaintBlocks(HDC hdc, GalPixel hilite, const Bar& bar, const Blocks& b) {
  const Rect& a = bar.area;
  const int end = bar.Length();
  for (int i = 0; i < b.filled && i < b.count; ++i) {
    const int start = 1 + progress::BlockEnd(b, i);
    const int along = std::min(b.length + (i < b.remainder ? 1 : 0) - 1, end - start);
    if (bar.vertical)
      Fill(hdc, hilite, a.left + 1, a.bottom - start - along, a.right - a.left - 2, along);
    else
      Fill(hdc, hilite, a.left + start, a.top + 1, along, a.bottom - a.top - 2);
  }
}

void PaintPercent(WindowHandle hwnd, HDC hdc, const Bar& bar, double fraction, int filledWidth) {
  const Rect& a = bar.area;
  char text[16];
  std::snprintf(text, sizeof text, "%.0f%%", fraction * 100);
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  const int x = a.left + (a.right - a.left - size.cx) / 2, y = a.top + (a.bottom - a.top - size.cy) / 2;
  SetDCAttr(hdc, DC_ATTR_BK_MODE, 1);
  const Rect over{a.left + 1, a.top, a.left + 1 + filledWidth, a.bottom};
  const Rect rest{over.right, a.top, a.right, a.bottom};
  SelectClipRect(hdc, &over);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CONTROL_SELECTED));
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, WinColor(hwnd, WEC_BKC_CONTROL_HILITE));
  TextOutLen(hdc, x, y, text, -1);
  SelectClipRect(hdc, &rest);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CONTROL_NORMAL));
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
  TextOutLen(hdc, x, y, text, -1);
}

void Paint(WindowHandle hwnd, HDC hdc, const ProgressData& d) {
  Rect c{};
  GetClientRect(hwnd, &c);
  PaintFrame(hdc, c);
  if (d.minimum == d.maximum) return;
  const Bar bar = BarOf(hwnd);
  const Blocks b = progress::Measure(d.minimum, d.maximum, d.position, bar.Length());
  const GalPixel hilite = WinColor(hwnd, WEC_BKC_CONTROL_HILITE);
  if (b.count <= 0) return;
  if (b.length >= kMinBlockLength) return PaintBlocks(hdc, hilite, bar, b);
  const double fraction = static_cast<double>(b.filled) / b.count;
  const Rect& a = bar.area;
  if (bar.vertical) {
    const int h = static_cast<int>((a.bottom - a.top) * fraction);
    return Fill(hdc, hilite, a.left + 1, a.bottom - h, a.right - a.left - 2, h);
  }
  const int w = static_cast<int>((a.right - a.left) * fraction);
  Fill(hdc, hilite, a.left + 1, a.top + 1, w, a.bottom - a.top - 2);
  PaintPercent(hwnd, hdc, bar, fraction, w);
}

void SetPosition(WindowHandle hwnd, ProgressData* d, int position) {
  if (d->minimum == d->maximum || position == d->position) return;
  const Bar bar = BarOf(hwnd);
  const int oldExtent = FilledExtent(*d, bar);
  const int old = d->position;
  const bool notify = (GetWindowStyle(hwnd) & PBS_NOTIFY) != 0;
  d->position = position;
  if (d->position >= d->maximum) {
    d->position = d->maximum;
    if (notify) NotifyParentEx(hwnd, PBN_REACHMAX, 0);
  } else if (d->position <= d->minimum) {
    d->position = d->minimum;
    if (notify) NotifyParentEx(hwnd, PBN_REACHMIN, 0);
  }
  if (d->position == old) return;
  const int newExtent = FilledExtent(*d, bar);
  const int lo = std::min(oldExtent, newExtent), hi = std::max(oldExtent, newExtent) + 1;
  const Rect& a = bar.area;
  // The percentage sits in the middle of a horizontal bar: the whole bar
  // area holds both it and the changed span.
  const Rect changed = bar.vertical ? Rect{a.left, a.bottom - hi, a.right, a.bottom - lo + 1} : a;
  InvalidateRect(hwnd, &changed, TRUE);
}

LResult SetRange(WindowHandle hwnd, ProgressData* d, int one, int other) {
  if (one == other) return -1;
  d->minimum = std::min(one, other);
  d->maximum = std::max(one, other);
  d->position = std::clamp(d->position, d->minimum, d->maximum);
  d->step = std::min(d->step, d->maximum - d->minimum);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LResult ProgressProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  ProgressData* d = Data<ProgressData>(hwnd);
  switch (msg) {
    case MSG_CREATE:
      if (!NewData<ProgressData>(hwnd)) return -1;
      break;
    case MSG_DESTROY: FreeData<ProgressData>(hwnd); break;
    case MSG_PAINT:
      return PaintWith(hwnd, [&](HDC hdc) {
        if (d) Paint(hwnd, hdc, *d);
      });
    case MSG_NCPAINT: return 0;
    case MSG_GETDLGCODE: return 0x1000;
    case MSG_FONTCHANGED: InvalidateRect(hwnd, nullptr, TRUE); break;
    case MSG_GETTEXTLENGTH:
    case MSG_GETTEXT:
    case MSG_SETTEXT: return -1;
    case PBM_SETRANGE: return d ? SetRange(hwnd, d, static_cast<int>(wParam), static_cast<int>(lParam)) : -1;
    case PBM_SETSTEP:
      if (!d || static_cast<int>(wParam) > d->maximum - d->minimum) return -1;
      d->step = static_cast<int>(wParam);
      return 0;
    case PBM_SETPOS:
      if (d) SetPosition(hwnd, d, static_cast<int>(wParam));
      return 0;
    case PBM_DELTAPOS:
      if (d && wParam) SetPosition(hwnd, d, d->position + static_cast<int>(wParam));
      return 0;
    case PBM_STEPIT:
      if (d && d->step) SetPosition(hwnd, d, d->position + d->step);
      return 0;
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL RegisterProgressBarControl() {
  return RegisterBuiltinClass("progressbar", 0, Color(WEC_BKC_CONTROL_NORMAL), ProgressProc);
}

}  // namespace controls

// Painting of the new tool bar: frame and grip, image cells by state, the
// hot frame, labels and separator grooves.
#include "controls/barkit/ctl_util.h"
#include "controls/toolbar/newtoolbar_internal.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/text.h"

namespace controls::ntb {

namespace {

constexpr int kDark = 7, kLight = 15, kCheckFrame = 16;
constexpr uint32_t kLabelBelowFormat = 37, kLabelRightFormat = 36;

void Line(HDC hdc, int index, int x0, int y0, int x1, int y1) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, SysPixelIndex[index]);
  MoveTo(hdc, x0, y0);
  LineTo(hdc, x1, y1);
}

// Lines across the bar at offsets a and b from its start, and the grip.
void FrameAndGrip(HDC hdc, bool vertical, int w, int h) {
  auto across = [&](int index, int at) {
    vertical ? Line(hdc, index, at, 0, at, h) : Line(hdc, index, 0, at, w, at);
  };
  const int far = vertical ? w : h;
  across(kDark, 0), across(kLight, 1), across(kDark, far - 1), across(kLight, far);
  const int ridges[][2] = {{kDark, 2}, {kLight, 3}, {kDark, 5}, {kLight, 6}};
  for (const auto& r : ridges)
    vertical ? Line(hdc, r[0], 3, r[1], w - 4, r[1]) : Line(hdc, r[0], r[1], 3, r[1], h - 4);
}

int Column(const BarData& d, const Item& it, bool hot) {
  const int cols = d.columns;
  if (it.Disabled()) return cols == 4 ? 3 : 0;
  if (it.flags & NTBIF_CHECKED) return cols >= 3 ? 2 : cols == 2 ? 1 : 0;
  if (hot && d.pressed) return cols >= 3 ? 2 : 0;
  if (hot) return cols >= 2 ? 1 : 0;
  return 0;
}

void Outline(HDC hdc, const Rect& r, bool sunken) {
  const int tl = sunken ? kDark : kLight, br = sunken ? kLight : kDark;
  Line(hdc, tl, r.left, r.bottom, r.left, r.top);
  Line(hdc, tl, r.left, r.top, r.right, r.top);
  Line(hdc, br, r.right, r.top, r.right, r.bottom);
  Line(hdc, br, r.right, r.bottom, r.left, r.bottom);
}

void PaintItem(WindowHandle hwnd, HDC hdc, const BarData& d, const Item& it, bool hot) {
  const bool vertical = (d.style & NTBS_VERTICAL) != 0;
  if (it.Separator()) {
    if (!(d.style & NTBS_DRAWSEPARATOR)) return;
    const Rect& r = it.rect;
    if (vertical) {
      Line(hdc, kDark, r.left, r.top + 1, r.left + d.cellWidth - 6, r.top + 1);
      Line(hdc, kLight, r.left, r.top + 2, r.left + d.cellWidth - 6, r.top + 2);
    } else {
      Line(hdc, kDark, r.left + 1, r.top, r.left + 1, r.bottom - 1);
      Line(hdc, kLight, r.left + 2, r.top, r.left + 2, r.bottom - 4);
    }
    return;
  }
  const Rect cell{it.rect.left, it.rect.top, it.rect.left + d.cellWidth, it.rect.top + d.cellHeight};
  if (d.image)
    FillBoxWithBitmapPart(hdc, cell.left, cell.top, d.cellWidth, d.cellHeight, 0, 0, d.image,
                          Column(d, it, hot) * d.cellWidth, it.row * d.cellHeight);
  if ((it.flags & NTBIF_CHECKED) && !it.Disabled() && d.columns == 1) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, SysPixelIndex[kCheckFrame]);
    Rectangle(hdc, cell.left - 1, cell.top - 1, cell.right, cell.bottom);
  }
  if ((d.style & NTBS_DRAWSTATES) && hot && !it.Disabled()) {
    const bool below = (d.style & NTBS_WITHTEXT) && !(d.style & NTBS_TEXTRIGHT);
    const Rect frame = below ? Rect{cell.left - 1, cell.top - 1, cell.right, cell.bottom}
                             : Rect{it.rect.left - 1, it.rect.top - 1, it.rect.right, it.rect.bottom};
    Outline(hdc, frame, d.pressed);
  }
  if (d.style & NTBS_WITHTEXT) {
    Rect r = it.labelRect;
    SetDCAttr(hdc, DC_ATTR_BK_MODE, 1);
    SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CONTROL_NORMAL));
    DrawTextEx2(hdc, it.label, -1, &r, 0, (d.style & NTBS_TEXTRIGHT) ? kLabelRightFormat : kLabelBelowFormat,
                nullptr);
  }
}

}  // namespace

void Paint(WindowHandle hwnd, HDC hdc, const BarData& d) {
  Rect c{};
  GetClientRect(hwnd, &c);
  SelectFont(hdc, GetWindowFont(hwnd));
  FrameAndGrip(hdc, (d.style & NTBS_VERTICAL) != 0, c.right - c.left - 1, c.bottom - c.top - 1);
  for (size_t i = 0; i < d.items.size(); ++i) {
    const Item& it = d.items[i];
    if (it.NewLine()) {
      if (!(d.style & NTBS_MULTLINE)) break;
      continue;
    }
    PaintItem(hwnd, hdc, d, it, static_cast<int>(i) == d.hot);
  }
}

}  // namespace controls::ntb

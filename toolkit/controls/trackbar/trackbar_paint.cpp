// Painting of the three track bar faces: slider, segmented level bar and
// the time bar's scale, labels, marker, time text and base line.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "controls/barkit/ctl_util.h"
#include "controls/painters/painter_util.h"
#include "gui/control_paint.h"
#include "controls/trackbar/trackbar_internal.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/region.h"
#include "gui/text.h"

namespace controls::track {

namespace {

using namespace barkit;
using painters::Fill;

constexpr int kScaleSteps = 120, kTickW = 2, kTickH = 6;

void Blit(HDC hdc, const Bitmap* b, int x, int y) {
  if (b) FillBoxWithBitmap(hdc, x, y, Width(b), Height(b), b);
}

// Whether a box meets the part being repainted.
bool Meets(const Rect& limit, int x, int y, int w, int h) {
  const Rect box{x, y, x + w, y + h};
  return DoesIntersect(&box, &limit) != 0;
}

bool Opaque(const Bitmap* b) {
  return b && b->bmBits && !(b->bmType & (BMP_TYPE_RLE | BMP_TYPE_ALPHA | BMP_TYPE_ALPHACHANNEL | BMP_TYPE_COLORKEY));
}

// The track where the repaint needs it: an opaque thumb drawn over the
// track's whole height hides the columns beneath it.
void DrawTrackAround(HDC hdc, const Rect& box, const Bitmap* bar, const Rect& limit, const Rect& thumb,
                     const Bitmap* slider) {
  const bool hides = Opaque(slider) && thumb.top <= box.top && thumb.top + Height(slider) >= box.top + Height(bar) &&
                     thumb.left < limit.right && thumb.left + Width(slider) > limit.left;
  if (!hides) return painters::DrawBoxWithBitmapCombineWithin(hdc, box, bar, limit);
  const Rect left{limit.left, limit.top, thumb.left, limit.bottom};
  const Rect right{thumb.left + Width(slider), limit.top, limit.right, limit.bottom};
  if (left.left < left.right) painters::DrawBoxWithBitmapCombineWithin(hdc, box, bar, left);
  if (right.left < right.right) painters::DrawBoxWithBitmapCombineWithin(hdc, box, bar, right);
}

void PaintSlider(WindowHandle hwnd, HDC hdc, const TrackData& d, const Rect& c, const Rect& limit) {
  const uint32_t style = GetWindowStyle(hwnd);
  const Skins& s = CurrentSkins();
  const Rect track = TrackRect(hwnd, d);
  const Rect thumb = ThumbRect(hwnd, d, d.position);
  const Bitmap* slider = (style & TBS_VERTICAL) ? s.vslider : s.hslider;
  if (style & TBS_VERTICAL) {
    if (s.vbg) {
      const int x = (c.right - c.left - Width(s.vbg)) / 2;
      FillBoxWithBitampCombineEx(hdc, x, track.top, 0, track.bottom - track.top, s.vbg, TRUE, TRUE, TRUE);
    }
  } else if (const Bitmap* bar = GetStockBitmap("trackbar", 0, 0)) {
    const int y = (c.bottom - c.top - Height(bar)) / 2;
    const Rect box{track.left, y, track.right, y + Height(bar)};
    DrawTrackAround(hdc, box, bar, limit, thumb, slider);
    const bool ticksMet = Meets(limit, track.left, box.bottom, track.right - track.left, kTickH);
    if ((style & TBS_TICKS) && d.minimum < d.maximum && ticksMet) {
      const int64_t range = Span(d);
      const int len = track.right - track.left - kTickW;
      // Ticks closer than their own width would only paint over each other.
      const int64_t every = std::max<int64_t>(1, range / std::max(1, len / kTickW));
      for (int64_t i = 0; i <= range; i += every) {
        const int x = track.left + static_cast<int>(std::llround(static_cast<double>(i) * len / range));
        if (Meets(limit, x, box.bottom, kTickW, kTickH))
          Fill(hdc, Color(WEC_BKC_CONTROL_DISABLED), x, box.bottom, kTickW, kTickH);
      }
    }
  }
  if (Meets(limit, thumb.left, thumb.top, Width(slider), Height(slider))) Blit(hdc, slider, thumb.left, thumb.top);
  // The inset track leaves room for the focus frame; an ordinary one is
  // framed over its edges, so that the focus shows on every slider.
  if (style & (TBS_FOCUSED | TBS_ACTIVE)) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Color(WEC_FRAME_CONTROL_HILITE));
    Rectangle(hdc, c.left, c.top, c.right - 1, c.bottom - 1);
  }
}

void PaintSegmented(WindowHandle hwnd, HDC hdc, const TrackData& d, const Rect& c) {
  const int64_t span = Span(d);
  // More cells than pixels cannot be drawn one by one.
  if (span <= 0 || span > c.right - c.left) return;
  const int cells = static_cast<int>(span);
  const int step = (c.right - c.left - 2) / cells;
  const bool disabled = Disabled(hwnd);
  const GalPixel on = disabled ? RGB2Pixel(hdc, 109, 162, 100) : Color(WEC_BKC_RECTTRACKBAR_HILITE);
  const GalPixel off = disabled ? RGB2Pixel(hdc, 59, 85, 59) : Color(WEC_BKC_RECTTRACKBAR_NORMAL);
  for (int i = 0; i < cells; ++i)
    Fill(hdc, i < static_cast<int64_t>(d.position) - d.minimum ? on : off, c.left + 2 + i * step, c.top, step - 2, c.bottom - c.top);
}

void PaintLabel(HDC hdc, const Rect& c, int markX, int i, int label, int zoomLeft, int y) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", label);
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  int x = markX - size.cx / 2;
  if (i == 0 && x < c.left + zoomLeft) x = markX + 2;
  if (i == kScaleSteps && x + size.cx > c.right) x = markX - size.cx;
  TextOutLen(hdc, x, y, text, -1);
}

void PaintTimeBar(WindowHandle hwnd, HDC hdc, const TrackData& d, const Rect& c) {
  const uint32_t style = GetWindowStyle(hwnd);
  const Skins& s = CurrentSkins();
  const bool top = (style & TBS_TIMEBAR_TOP) != 0;
  const int fontH = GetFontHeight(hdc);
  const int64_t step = Span(d) / kScaleSteps;
  const int every = 24 / ZoomSpan(d.zoom), zoomLeft = ZoomArea(style, true, s);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, 1);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, Color(WEC_BKC_MENUITEM_NORMAL));
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FGC_TIMETAGTRACK_NORMAL));
  int label = TipValue(d.startTip);
  for (int i = 0; i <= kScaleSteps; ++i) {
    const bool hour = i % 5 == 0;
    const Bitmap* mark = hour ? s.hour : s.minute;
    const int x = Pixel(d.minimum + i * step);
    const int y = top ? 2 : c.bottom - Height(mark) - 2;
    Blit(hdc, mark, x, y);
    if (!hour || (i / 5) % every != 0) continue;
    const int labelY = top ? 2 + Height(s.hour) : c.bottom - Height(s.hour) - 2 - fontH;
    PaintLabel(hdc, c, x + Width(s.hour) / 2, i, label++, zoomLeft, labelY);
  }
  Fill(hdc, WinColor(hwnd, WEC_BKC_CONTROL_HILITE), Pixel(d.position), c.top + 2, 2, c.bottom - c.top - 4);
  const Rect text = TimeTextRect(hwnd, d, d.position, d.timeText);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinColor(hwnd, WEC_BKC_CONTROL_HILITE));
  TextOutLen(hdc, text.left, text.top, d.timeText, -1);
  if (s.hour) {
    const GalPixel base = GetPixelInBitmap(s.hour, 0, 0);
    Fill(hdc, base, Pixel(d.minimum), top ? 2 : c.bottom - 2, Pixel(Span(d) + Width(s.hour)), 2);
  }
}

}  // namespace

void Paint(WindowHandle hwnd, HDC hdc, const TrackData& d, const Rect& limit) {
  Rect c{};
  GetClientRect(hwnd, &c);
  const uint32_t style = GetWindowStyle(hwnd);
  // Only the time bar writes text: the others' DC needs no font.
  if (IsTimeBar(style)) {
    SelectFont(hdc, GetWindowFont(hwnd));
    return PaintTimeBar(hwnd, hdc, d, c);
  }
  if (style & TBS_SEGMENTED) return PaintSegmented(hwnd, hdc, d, c);
  PaintSlider(hwnd, hdc, d, c, limit);
}

}  // namespace controls::track

// Painting of the non-client area: border, caption with its skin, icon,
// text and buttons, and the scroll bars with arrows, thumb and track.
#include "core/nonclient/nc_paint.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/desktop/zorder.h"
#include "core/element_color.h"
#include "gui/image.h"
#include "core/nonclient/frame.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "gdi/outline_rings.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/livevideo.h"
#include "gui/menu.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/text.h"
#include "gui/window.h"

namespace {

GalPixel Color(const WindowRecord* win, int index) { return GetWindowElementColorEx(HandleOf(win), index); }

void Fill(HDC hdc, GalPixel pixel, int x, int y, int w, int h) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, pixel);
  FillBox(hdc, x, y, w, h);
}

// Whether any of (l, t, r, b) may show: a repaint of part of the frame
// leaves out what lies wholly outside that part.
bool Shows(HDC hdc, int l, int t, int r, int b) {
  const Rect area{l, t, r, b};
  return RectVisible(hdc, &area) != FALSE;
}

// The outline of (l, t)-(r, b), its corner pixels included.
bool OutlineShows(HDC hdc, int l, int t, int r, int b) {
  return Shows(hdc, l, t, r + 1, t + 1) || Shows(hdc, l, b, r + 1, b + 1) || Shows(hdc, l, t, l + 1, b + 1) ||
         Shows(hdc, r, t, r + 1, b + 1);
}

void Frame(HDC hdc, GalPixel pixel, int l, int t, int r, int b) {
  if (!OutlineShows(hdc, l, t, r, b)) return;
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pixel);
  Rectangle(hdc, l, t, r, b);
}

void Line(HDC hdc, GalPixel pixel, int x0, int y0, int x1, int y1) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pixel);
  MoveTo(hdc, x0, y0);
  LineTo(hdc, x1, y1);
  SetPixel(hdc, x0, y0, pixel);
}

// Window coordinates (the window DC's) of a record rectangle.
Rect ToWindow(const WindowRecord* win, const Rect& r) {
  const Rect at = GeometryOf(win).window;
  return Rect{r.left - at.left, r.top - at.top, r.right - at.left, r.bottom - at.top};
}

bool IsFramedClass(const WindowRecord* win) {
  WindowHandle h = HandleOf(win);
  return IsControlOfClass(h, "ListView") || IsControlOfClass(h, "MonthCalendar");
}

void DrawCorners(HDC hdc, int w, int h, int b) {
  const Bitmap* corners = GetStockBitmap("corners", -1, -1);
  if (!corners) return;
  const int qw = static_cast<int>(corners->bmWidth) / 2, qh = static_cast<int>(corners->bmHeight) / 2;
  const int bw = static_cast<int>(corners->bmWidth), bh = static_cast<int>(corners->bmHeight);
  const int right = w - b - qw, bottom = h - b - qh;  // B pixels in from the far edges
  auto put = [&](int x, int y, int fromX, int fromY) {
    if (Shows(hdc, x, y, x + qw, y + qh)) FillBoxWithBitmapPart(hdc, x, y, qw, qh, bw, bh, corners, fromX, fromY);
  };
  put(0, 0, 0, 0);
  put(right, 0, qw, 0);
  put(0, bottom, 0, qh);
  put(right, bottom, qw, qh);
}

void DrawBorder(WindowRecord* win, HDC hdc) {
  const Rect frame = GeometryOf(win).window;  // the desktop thread moves main windows
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  const int b = BorderWidth(win);
  if (!(win->style & WS_BORDER)) {
    if (!(win->style & (WS_THICKFRAME | WS_THINFRAME))) return;
    const GalPixel pixel = Color(win, WEC_FRAME_WIN_NORMAL);
    Fill(hdc, pixel, 0, 0, w, 2);
    Fill(hdc, pixel, 0, h - 2, w, 2);
    Fill(hdc, pixel, 0, 0, 2, h);
    Fill(hdc, pixel, w - 2, 0, 2, h);
    return;
  }
  if (IsControlRecord(win)) {
    if (IsFramedClass(win)) {
      SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Color(win, WEC_FRAME_CONTROL_DISABLED));
      Rectangle2(hdc, 0, 0, w, h);
    } else {
      const gui::dc::OutlineBand rings[] = {{1, Color(win, WEC_FRAME_BORDER)}, {1, Color(win, WEC_FRAME_BORDER_INNER)}};
      gui::dc::DrawOutlineRings(hdc, 0, 0, w - 1, h - 1, rings, 2);
    }
    return;
  }
  DrawCorners(hdc, w, h, b);
  // Two rings of the border colour, the inner colour between, the last
  // ring in the outer colour.
  const gui::dc::OutlineBand rings[] = {{std::min(b, 2), Color(win, WEC_FRAME_BORDER)},
                                        {std::max(b - 3, 0), Color(win, WEC_FRAME_BORDER_INNER)},
                                        {b >= 3 ? 1 : 0, Color(win, WEC_FRAME_BORDER_OUTER)}};
  gui::dc::DrawOutlineRings(hdc, 0, 0, w - 1, h - 1, rings, 3);
}

// A main window's own thread replaces its caption while the desktop thread
// may be drawing its frame: the text is copied under the lock it is
// replaced under.
std::string CaptionOf(const WindowRecord* win) {
  GeometryReadLock hold;
  return win->caption ? std::string(win->caption) : std::string();
}

bool IsActive(const WindowRecord* win) {
  if (IsMainRecord(win)) return !(win->style & WS_DISABLED);
  return win->parent && win->parent->activeChild == win;
}

void DrawCaptionButtons(WindowRecord* win, HDC hdc, int w, int b, int c) {
  const Bitmap* buttons = GetSystemBitmap(0);
  const bool close = !(win->exStyle & WS_EX_NOCLOSEBOX);
  const int gap = FrameMetric(win, WEM_SB_INTERX);
  const int cellW = buttons ? static_cast<int>(buttons->bmWidth) / 4 : 0;
  const int cellH = buttons ? static_cast<int>(buttons->bmHeight) : 0;
  const int bw = close && buttons ? cellW : FrameMetric(win, WEM_SB_WIDTH);
  const int top = ((c + b) - (close ? cellH : FrameMetric(win, WEM_SB_HEIGHT))) / 2;
  int x = w - 2 * gap - bw;
  auto put = [&](int cell) {
    if (buttons && Shows(hdc, x, top, x + cellW, top + cellH))
      FillBoxWithBitmapPart(hdc, x, top, cellW, cellH, static_cast<int>(buttons->bmWidth), cellH, buttons,
                            cell * cellW, 0);
    x -= cellW + 2 * gap;
  };
  if (close) put(3);
  if (win->style & WS_MAXIMIZEBOX) put((win->style & WS_MAXIMIZED) ? 2 : 0);
  if (win->style & WS_MINIMIZEBOX) put(1);
}

void DrawCaption(WindowRecord* win, HDC hdc, bool active) {
  const Rect frame = GeometryOf(win).window;
  const int w = frame.right - frame.left;
  const int b = BorderWidth(win), c = CaptionHeight(win);
  if (win->style & WS_THICKFRAME) {
    const GalPixel pixel = Color(win, active ? WEC_FRAME_WIN_HILITE : WEC_FRAME_WIN_NORMAL);
    const int h = frame.bottom - frame.top;
    const gui::dc::OutlineBand rings{b - 1, pixel};
    gui::dc::DrawOutlineRings(hdc, 1, 1, w - 2, h - 2, &rings, 1);
  }
  if (!(win->style & WS_CAPTION) || c == 0) return;
  Rect band{0, 0, w, c + b};
  if (!RectVisible(hdc, &band)) return;  // a repaint of another part of the frame
  ClipRectIntersect(hdc, &band);
  const bool aux = getCurOutputHook() != getMainOutputHook();
  SelectFont(hdc, g_SysLogFont[aux ? 6 : 3]);
  const Bitmap* skin = GetStockBitmap((win->style & WS_CAPTION_EXTRA) ? "winextra_caption" : "caption", -1, -1);
  const int skinWidth = (win->style & (WS_BORDER | WS_THICKFRAME)) ? w - 2 * b : w - 3 * b;
  if (skin) FillBoxWithBitampCombineEx(hdc, b, b, skinWidth, c, skin, TRUE, TRUE, FALSE);
  const bool icon = IsMainRecord(win) && win->icon;
  if (icon)
    DrawIcon(hdc, b, (c - FrameMetric(win, WEM_ICONY)) / 2 + b, FrameMetric(win, WEM_ICONX), FrameMetric(win, WEM_ICONY),
             win->icon);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(win, WEC_FC_CAPTION_NORMAL));
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, Color(win, active ? WEC_BKC_CAPTION_HILITE : WEC_BKC_CAPTION_NORMAL));
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  const std::string caption = CaptionOf(win);
  if (!caption.empty()) {
    Size size{};
    const int length = static_cast<int>(caption.size());  // the measure takes no -1
    GetTextExtentPoint(hdc, caption.c_str(), length, 0, nullptr, nullptr, nullptr, &size);
    int x = (w - size.cx) / 2 + (icon ? FrameMetric(win, WEM_ICONX) : 0);
    int y = std::abs(c - size.cy) / 2 + b - 1;
    TextOutLen(hdc, x, y, caption.c_str(), length);
  }
  DrawCaptionButtons(win, hdc, w, b, c);
  SelectClipRect(hdc, nullptr);
}

// Fill, a frame one pixel in, and two sets of three grip lines.
void DrawThumb(HDC hdc, const Rect& t, bool vertical, GalPixel fill, GalPixel lines, GalPixel shade) {
  const int w = t.right - t.left, h = t.bottom - t.top;
  if (w <= 0 || h <= 0) return;
  Fill(hdc, fill, t.left, t.top, w, h);
  Frame(hdc, lines, t.left + 1, t.top + 1, t.right - 2, t.bottom - 2);
  for (int set = 0; set < 2; ++set) {
    const GalPixel pixel = set ? shade : lines;
    for (int k = 3; k <= 5; ++k) {
      if (vertical) {
        int y = t.top + h * k / 9 + set;
        Line(hdc, pixel, t.left + w / 4 + set, y, t.left + w * 3 / 4 + set, y);
      } else {
        int x = t.left + w * k / 9 + set;
        Line(hdc, pixel, x, t.top + h / 4 + set, x, t.top + h * 3 / 4 + set);
      }
    }
  }
}

void DrawArrow(HDC hdc, const WindowRecord* win, const Rect& box, int cell, bool disabled) {
  const Bitmap* arrows = GetSystemBitmap(1);
  if (!arrows) return;
  const int cw = static_cast<int>(arrows->bmWidth) / 4, ch = static_cast<int>(arrows->bmHeight) / 2;
  FillBoxWithBitmapPart(hdc, box.left, box.top, cw, ch, static_cast<int>(arrows->bmWidth),
                        static_cast<int>(arrows->bmHeight), arrows, cell * cw, disabled ? ch : 0);
}

void DrawBar(WindowRecord* win, HDC hdc, bool vertical) {
  const ScrollBarInfo& bar = vertical ? win->vscroll : win->hscroll;
  Rect r = ToWindow(win, BarRect(win, vertical));
  if (!vertical) r.bottom = (r.bottom + 1) & ~1;
  const int arrow = ArrowSize(win, vertical);
  const bool disabled = bar.status & kBarDisabled;
  const GalPixel track = Color(win, WEC_BKC_SCROLL_HILITE);
  const int offset = ThumbOffset(win, vertical);
  Rect thumb = vertical ? Rect{r.left, r.top + offset, r.right, r.top + offset + bar.thumbLength}
                        : Rect{r.left + offset, r.top, r.left + offset + bar.thumbLength, r.bottom};
  if (vertical) {
    DrawArrow(hdc, win, Rect{r.left, r.top, r.right, r.top + arrow}, 0, disabled);
    DrawArrow(hdc, win, Rect{r.left, r.bottom - arrow, r.right, r.bottom}, 1, disabled);
    DrawThumb(hdc, thumb, true, Color(win, WEC_BKC_SCROLL_SPIN), Color(win, WEC_BKC_SCROLL_SPIN1),
              Color(win, WEC_BKC_SCROLL_SPIN2));
    Fill(hdc, track, r.left, r.top + arrow, r.right - r.left, thumb.top - r.top - arrow);
    Fill(hdc, track, r.left, thumb.bottom, r.right - r.left, r.bottom - arrow - thumb.bottom);
    return;
  }
  if (FrameMetric(win, WEM_CXHSCROLL)) {
    DrawArrow(hdc, win, Rect{r.left, r.top, r.left + arrow, r.bottom}, 2, disabled);
    DrawArrow(hdc, win, Rect{r.right - arrow, r.top, r.right, r.bottom}, 3, disabled);
  }
  DrawThumb(hdc, thumb, false, RGB2Pixel(hdc, 16, 16, 16), RGB2Pixel(hdc, 108, 108, 108), SysPixelIndex[SYSPIXEL_LIGHTGREY]);
  Fill(hdc, track, r.left + arrow, r.top, thumb.left - r.left - arrow, r.bottom - r.top);
  Fill(hdc, track, thumb.right, r.top, r.right - arrow - thumb.right, r.bottom - r.top);
}

void DrawScrollBars(WindowRecord* win, HDC hdc) {
  const bool hv = BarVisible(win, false), vv = BarVisible(win, true);
  if (HasBar(win, false) && HasBar(win, true) && (hv || vv)) {
    Rect v = ToWindow(win, BarRect(win, true)), h = ToWindow(win, BarRect(win, false));
    const int size = FrameMetric(win, WEM_CYHSCROLL);
    Fill(hdc, Color(win, WEC_BKC_SCROLL_HILITE), v.left, h.top, v.right - v.left, size);
  }
  if (hv) DrawBar(win, hdc, false);
  if (vv) DrawBar(win, hdc, true);
}

void Paint(WindowRecord* win, HDC given, const Rect* clip, bool active) {
  HDC hdc = given ? given : GetDC(HandleOf(win));
  if (hdc == HDC_INVALID) return;
  if (clip) ClipRectIntersect(hdc, clip);
  DrawBorder(win, hdc);
  DrawCaption(win, hdc, active);
  if (clip) ClipRectIntersect(hdc, clip);
  DrawScrollBars(win, hdc);
  if (IsMainRecord(win) && win->menu) DrawMenuBar(HandleOf(win), hdc, clip);  // last, over the frame
  if (!given) ReleaseDC(hdc);
}

}  // namespace

void DrawNonClientArea(WindowRecord* win, HDC hdc, const Rect* clip) { Paint(win, hdc, clip, IsActive(win)); }

void RedrawCaptionBar(WindowRecord* win, bool active) {
  HDC hdc = GetDC(HandleOf(win));
  if (hdc == HDC_INVALID) return;
  DrawCaption(win, hdc, active);
  ReleaseDC(hdc);
}

void RepaintFramePart(WindowRecord* win, const Rect& part) {
  Rect local = ToWindow(win, part);
  CallProc(win, MSG_NCPAINT, 0, reinterpret_cast<LParam>(&local));
}

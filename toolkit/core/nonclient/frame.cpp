#include "core/nonclient/frame.h"

#include <algorithm>

#include "core/desktop/zorder.h"
#include "core/window/window_damage.h"
#include "gui/element.h"
#include "gui/nonclient.h"
#include "gui/window.h"

namespace {

int Global(int index) { return WinMainMetrics[index]; }

int Round(double v) { return static_cast<int>(v + 0.5); }

int BorderOfStyle(uint32_t style, int (*metric)(int)) {
  if (style & WS_BORDER) return metric(WEM_BORDER);
  if (style & WS_THICKFRAME) return metric(WEM_THICKFRAME);
  if (style & WS_THINFRAME) return metric(WEM_THINFRAME);
  return 0;
}

int CaptionOfStyle(uint32_t style) {
  if (!(style & WS_CAPTION)) return 0;
  const Bitmap* skin = GetStockBitmap((style & WS_CAPTION_EXTRA) ? "winextra_caption" : "caption", -1, -1);
  return skin ? static_cast<int>(skin->bmHeight) : 0;
}

}  // namespace

int FrameMetric(const WindowRecord* win, int index) {
  return GetWindowElementMetricsEx(HandleOf(win), index);
}

namespace {

// Window threads change the disabled bit of the same word under the stack
// lock; the word is read under it too, the metrics after it is let go.
uint32_t StyleOf(const WindowRecord* win) {
  GeometryReadLock hold;
  return win->style;
}

}  // namespace

namespace {

// A metric may be any int; the frame's sums of border, caption and bars
// cannot wrap with a border this wide, and a negative one draws none.
constexpr int kWidestBorder = 1 << 16;

int BorderMetric(const WindowRecord* win) {
  const uint32_t style = StyleOf(win);
  if (style & WS_BORDER) return FrameMetric(win, WEM_BORDER);
  if (style & WS_THICKFRAME) return FrameMetric(win, WEM_THICKFRAME);
  if (style & WS_THINFRAME) return FrameMetric(win, WEM_THINFRAME);
  return 0;
}

}  // namespace

int BorderWidth(const WindowRecord* win) { return std::clamp(BorderMetric(win), 0, kWidestBorder); }

int CaptionHeight(const WindowRecord* win) { return CaptionOfStyle(StyleOf(win)); }

int MenuBarHeight(const WindowRecord* win) {
  if (!IsMainRecord(win) || !win->menu) return 0;
  return FrameMetric(win, WEM_MENUBARY) + 2 * FrameMetric(win, WEM_MENUBAROFFY);
}

// The style word is read locked: the desktop changes its visible bit when
// it shows or hides the window, whichever thread asks about the bars.
bool HasBar(const WindowRecord* win, bool vertical) {
  return (StyleOf(win) & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

bool BarVisible(const WindowRecord* win, bool vertical) {
  const ScrollBarInfo& bar = vertical ? win->vscroll : win->hscroll;
  return HasBar(win, vertical) && !(bar.status & kBarHidden);
}

ScrollBarInfo* BarOf(WindowRecord* win, bool vertical) { return vertical ? &win->vscroll : &win->hscroll; }

int ArrowSize(const WindowRecord* win, bool vertical) {
  return FrameMetric(win, vertical ? WEM_CYVSCROLL : WEM_CXHSCROLL);
}

Rect BarRect(const WindowRecord* win, bool vertical) {
  const int b = BorderWidth(win);
  const WindowGeometry g = GeometryOf(win);  // the desktop thread moves main windows
  const Rect& w = g.window;
  if (vertical) {
    int bottom = w.bottom - b - (BarVisible(win, false) ? FrameMetric(win, WEM_CYHSCROLL) : 0);
    return Rect{w.right - b - FrameMetric(win, WEM_CXVSCROLL), g.client.top, w.right - b, bottom};
  }
  int right = w.right - b - (BarVisible(win, true) ? FrameMetric(win, WEM_CXVSCROLL) : 0);
  return Rect{g.client.left, w.bottom - b - FrameMetric(win, WEM_CYHSCROLL), right, w.bottom - b};
}

int TrackLength(const WindowRecord* win, bool vertical) {
  Rect r = BarRect(win, vertical);
  int length = vertical ? r.bottom - r.top : r.right - r.left;
  int track = length - 2 * ArrowSize(win, vertical);
  return track > 0 ? track : 0;
}

void RecomputeThumb(WindowRecord* win, bool vertical) {
  ScrollBarInfo* bar = BarOf(win, vertical);
  if (bar->minPos == bar->maxPos) {
    bar->status |= kBarHidden;
    return;
  }
  const int track = TrackLength(win, vertical);
  const double span = static_cast<double>(bar->maxPos) - bar->minPos + 1;
  const int minLen = FrameMetric(win, WEM_MINBARLEN), defLen = FrameMetric(win, WEM_DEFBARLEN);
  int length;
  if (bar->pageStep == 0) {
    length = defLen > track ? minLen : defLen;
  } else {
    // In double (a page of 10^9 times the track wraps an int), and never
    // longer than the track, which also keeps the result an int.
    length = Round(std::min(static_cast<double>(bar->pageStep) * track / span, static_cast<double>(track)));
    if (length < minLen) length = minLen;
  }
  int start = Round((static_cast<double>(bar->curPos) - bar->minPos) * track / span);
  if (start + length > track) start = track - length;
  if (start < 0) start = 0;
  bar->thumbStart = start;
  bar->thumbLength = length;
}

int ThumbOffset(const WindowRecord* win, bool vertical) {
  const ScrollBarInfo& bar = vertical ? win->vscroll : win->hscroll;
  Rect r = BarRect(win, vertical);
  const int arrow = ArrowSize(win, vertical);
  const int length = vertical ? r.bottom - r.top : r.right - r.left;
  int offset = arrow + bar.thumbStart;
  if (offset + bar.thumbLength > length - arrow) offset = length - arrow - bar.thumbLength;
  return offset;
}

void FitWindowRect(const WindowRecord* win, Rect* rect) {
  const bool v = HasBar(win, true), h = HasBar(win, false);
  int minHeight = CaptionHeight(win) + MenuBarHeight(win);
  if (v) minHeight += 2 * (FrameMetric(win, WEM_CYVSCROLL) + FrameMetric(win, WEM_MINBARLEN));
  if (h) minHeight += FrameMetric(win, WEM_CYHSCROLL);
  int minWidth = (v ? FrameMetric(win, WEM_CXVSCROLL) : 0) + (IsMainRecord(win) ? FrameMetric(win, WEM_MINWIDTH) : 0);
  if (h) minWidth += 2 * (FrameMetric(win, WEM_CXHSCROLL) + FrameMetric(win, WEM_MINBARLEN));
  if (rect->bottom - rect->top < minHeight) rect->bottom = rect->top + minHeight;
  if (rect->right - rect->left < minWidth) rect->right = rect->left + minWidth;
}

void RecomputeClientRect(WindowRecord* win) {
  const int b = BorderWidth(win);
  Rect c = win->window;
  c.left += b;
  c.right -= b;
  c.bottom -= b;
  c.top += CaptionHeight(win) + MenuBarHeight(win) + b;
  if (BarVisible(win, false)) c.bottom -= FrameMetric(win, WEM_CYHSCROLL);
  if (BarVisible(win, true)) c.right -= FrameMetric(win, WEM_CXVSCROLL);
  win->client = c;
  for (bool vertical : {false, true})
    if (BarVisible(win, vertical)) RecomputeThumb(win, vertical);
}

Point RecordOrigin(const WindowRecord* win) {
  Rect screen = ScreenRectOf(win);
  const Rect own = GeometryOf(win).window;
  return Point{screen.left - own.left, screen.top - own.top};
}

extern "C" {

int ClientWidthToWindowWidth(uint32_t style, int clientWidth) {
  return clientWidth + 2 * BorderOfStyle(style, Global) + ((style & WS_VSCROLL) ? Global(WEM_CXVSCROLL) : 0);
}

int ClientHeightToWindowHeight(uint32_t style, int clientHeight, BOOL hasMenu) {
  int height = clientHeight + 2 * BorderOfStyle(style, Global) + CaptionOfStyle(style);
  if (style & WS_HSCROLL) height += Global(WEM_CYHSCROLL);
  if (hasMenu) height += Global(WEM_MENUBARY) + 2 * Global(WEM_MENUBAROFFY);
  return height;
}

}  // extern "C"

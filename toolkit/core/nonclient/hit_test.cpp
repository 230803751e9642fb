// What part of a window's frame a point is on: scroll bars, icon, caption
// buttons, menu bar, caption band and the resizing frame.
#include "core/nonclient/hit_test.h"

#include "core/nonclient/frame.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "gui/element.h"
#include "gui/nonclient.h"
#include "gui/window.h"

namespace {

bool In(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int FrameCode(const Rect& w, int corner, int x, int y) {
  if (x <= w.left + corner)
    return y <= w.top + corner ? HT_CORNER_TL : y < w.bottom - corner ? HT_BORDER_LEFT : HT_CORNER_BL;
  if (x < w.right - corner) return y <= w.top + corner ? HT_BORDER_TOP : HT_BORDER_BOTTOM;
  return y <= w.top + corner ? HT_CORNER_TR : y < w.bottom - corner ? HT_BORDER_RIGHT : HT_CORNER_BR;
}

// The sizes one hit test needs, read once.
struct Sizes {
  int b, c, m, width, height, gap;
  explicit Sizes(const WindowRecord* win)
      : b(BorderWidth(win)),
        c(CaptionHeight(win)),
        m(MenuBarHeight(win)),
        width(FrameMetric(win, WEM_SB_WIDTH)),
        height(FrameMetric(win, WEM_SB_HEIGHT)),
        gap(FrameMetric(win, WEM_SB_INTERX)) {}
};

// Close, maximize and minimize from the right; an absent button keeps no
// room. The rectangle of the asked one, empty when it is absent.
Rect ButtonRect(const WindowRecord* win, const Sizes& s, int hitCode) {
  const Rect frame = GeometryOf(win).window;  // the desktop thread moves main windows
  const int top = s.height < s.c + s.b ? frame.top + (s.b + s.c - s.height) / 2 + s.b : frame.top;
  int right = frame.right - s.b - s.gap;
  struct Button {
    int code;
    bool present;
  };
  const Button order[] = {
      {HT_CLOSEBUTTON, !(win->exStyle & WS_EX_NOCLOSEBOX)},
      {HT_MAXBUTTON, (win->style & WS_MAXIMIZEBOX) != 0},
      {HT_MINBUTTON, (win->style & WS_MINIMIZEBOX) != 0},
  };
  for (const Button& button : order) {
    if (!button.present) continue;
    if (button.code == hitCode) return Rect{right - s.width, top, right, top + s.height};
    right -= s.width + 2 * s.gap;
  }
  return Rect{};
}

}  // namespace

Rect CaptionButtonRect(const WindowRecord* win, int hitCode) { return ButtonRect(win, Sizes(win), hitCode); }

int ScrollPartAt(const WindowRecord* win, bool vertical, int x, int y) {
  const ScrollBarInfo& bar = vertical ? win->vscroll : win->hscroll;
  Rect r = BarRect(win, vertical);
  if ((bar.status & kBarDisabled) || !In(r, x, y)) return kPartNone;
  const int arrow = ArrowSize(win, vertical);
  const int start = vertical ? r.top : r.left, end = vertical ? r.bottom : r.right, p = vertical ? y : x;
  if (p < start + arrow) return vertical ? kPartUpArrow : kPartLeftArrow;
  if (p >= end - arrow) return vertical ? kPartDownArrow : kPartRightArrow;
  const int thumb = start + ThumbOffset(win, vertical);
  if (p < thumb) return vertical ? kPartPageUp : kPartPageLeft;
  if (p > thumb + bar.thumbLength) return vertical ? kPartPageDown : kPartPageRight;
  return kPartThumb;
}

int NonClientHitTest(WindowRecord* win, int sx, int sy) {
  const Point origin = RecordOrigin(win);
  const int x = sx - origin.x, y = sy - origin.y;
  const Rect w = GeometryOf(win).window;
  if (!In(w, x, y)) return HT_OUT;
  if (BarVisible(win, false) && In(BarRect(win, false), x, y)) return HT_HSCROLL;
  if (BarVisible(win, true) && In(BarRect(win, true), x, y)) return HT_VSCROLL;
  const Sizes sz(win);
  const int b = sz.b, c = sz.c, m = sz.m;
  if (win->style & WS_CAPTION) {
    if (IsMainRecord(win) && win->icon) {
      const int iconY = (b + c - FrameMetric(win, WEM_ICONY)) / 2 + w.top + b;
      Rect icon{w.left + b, iconY, w.left + b + FrameMetric(win, WEM_ICONX), iconY + FrameMetric(win, WEM_ICONY)};
      if (In(icon, x, y)) return HT_ICON;
    }
    for (int code : {HT_CLOSEBUTTON, HT_MAXBUTTON, HT_MINBUTTON})
      if (In(ButtonRect(win, sz, code), x, y)) return code;
    if (m && In(Rect{w.left + b, w.top + b + c + 1, w.right - b, w.top + b + c + 1 + m}, x, y)) return HT_MENUBAR;
    if (In(Rect{w.left + b, w.top + b, w.right - b, w.top + b + c}, x, y)) return HT_CAPTION;
    if (!(win->style & WS_DLGFRAME)) return FrameCode(w, c, x, y);
  } else if (m && In(Rect{w.left + b, w.top + b + 1, w.right - b, w.top + b + 1 + m}, x, y)) {
    return HT_MENUBAR;
  }
  return HT_BORDER;
}

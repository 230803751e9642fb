// The scroll-bar API: enabling, showing, range, page and position of a
// window's bars, and scrolling a window's contents.
#include <algorithm>

#include "core/desktop/zorder.h"
#include "core/nonclient/frame.h"
#include "core/nonclient/nc_paint.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "gui/caret.h"
#include "gui/desktop.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/region.h"
#include "gui/window.h"

namespace {

struct Bar {
  WindowRecord* win = nullptr;
  bool vertical = false;
  ScrollBarInfo* info = nullptr;
  explicit operator bool() const { return win != nullptr; }
};

Bar Find(WindowHandle hwnd, int which) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || (which != SB_HORZ && which != SB_VERT)) return Bar{};
  const bool vertical = which == SB_VERT;
  if (!HasBar(win, vertical)) return Bar{};
  return Bar{win, vertical, BarOf(win, vertical)};
}

void Shift(Rect* r, int dx, int dy) {
  r->left += dx, r->right += dx, r->top += dy, r->bottom += dy;
}

int MaxPosition(const ScrollBarInfo& info) { return info.maxPos - std::max(info.pageStep - 1, 0); }

int Clamp(const ScrollBarInfo& info, int pos) { return std::max(info.minPos.load(), std::min(pos, MaxPosition(info))); }

Rect ThumbRect(const Bar& bar) {
  Rect r = BarRect(bar.win, bar.vertical);
  const int offset = ThumbOffset(bar.win, bar.vertical);
  if (bar.vertical) return Rect{r.left, r.top + offset, r.right, r.top + offset + bar.info->thumbLength};
  return Rect{r.left + offset, r.top, r.left + offset + bar.info->thumbLength, r.bottom};
}

void RepaintTrack(const Bar& bar) {
  RecomputeThumb(bar.win, bar.vertical);
  RepaintFramePart(bar.win, BarRect(bar.win, bar.vertical));
}

void ApplyRange(ScrollBarInfo* info, int a, int b) {
  info->minPos = std::min(a, b);
  info->maxPos = std::max(a, b);
}

void LimitPage(ScrollBarInfo* info) {
  const long long span = static_cast<long long>(info->maxPos) - info->minPos + 1;
  if (info->pageStep < 0) info->pageStep = 0;
  if (info->pageStep > span) info->pageStep = static_cast<int>(span);
}

}  // namespace

extern "C" {

BOOL EnableScrollBar(WindowHandle hwnd, int which, BOOL enable) {
  Bar bar = Find(hwnd, which);
  if (!bar) return FALSE;
  const bool disabled = !enable;
  if (((bar.info->status & kBarDisabled) != 0) == disabled) return FALSE;
  bar.info->status = disabled ? (bar.info->status | kBarDisabled) : (bar.info->status & ~kBarDisabled);
  RepaintFramePart(bar.win, BarRect(bar.win, bar.vertical));
  return TRUE;
}

BOOL ShowScrollBar(WindowHandle hwnd, int which, BOOL show) {
  Bar bar = Find(hwnd, which);
  if (!bar) return FALSE;
  const bool hidden = !show;
  if (((bar.info->status & kBarHidden) != 0) == hidden) return FALSE;
  Rect former = BarRect(bar.win, bar.vertical);
  bar.info->status = hidden ? (bar.info->status | kBarHidden) : (bar.info->status & ~kBarHidden);
  CallProc(bar.win, MSG_SIZECHANGED, 0, 0);
  CallProc(bar.win, MSG_NCPAINT, 0, 0);
  if (hidden) {
    const Rect& c = bar.win->client;
    Rect area{former.left - 1 - c.left, former.top - 1 - c.top, former.right + 1 - c.left, former.bottom + 1 - c.top};
    InvalidateRect(hwnd, &area, TRUE);
  }
  return TRUE;
}

BOOL GetScrollPos(WindowHandle hwnd, int which, int* pos) {
  Bar bar = Find(hwnd, which);
  if (!bar || !pos) return FALSE;
  *pos = bar.info->curPos;
  return TRUE;
}

BOOL GetScrollRange(WindowHandle hwnd, int which, int* minPos, int* maxPos) {
  Bar bar = Find(hwnd, which);
  if (!bar || !minPos || !maxPos) return FALSE;
  *minPos = bar.info->minPos;
  *maxPos = bar.info->maxPos;
  return TRUE;
}

BOOL SetScrollPos(WindowHandle hwnd, int which, int pos) {
  Bar bar = Find(hwnd, which);
  if (!bar) return FALSE;
  if (pos == bar.info->curPos) return TRUE;
  Rect before = ThumbRect(bar);
  bar.info->curPos = Clamp(*bar.info, pos);
  RecomputeThumb(bar.win, bar.vertical);
  Rect after = ThumbRect(bar), span;
  GetBoundRect(&span, &before, &after);
  RepaintFramePart(bar.win, span);
  return TRUE;
}

BOOL SetScrollRange(WindowHandle hwnd, int which, int minPos, int maxPos) {
  Bar bar = Find(hwnd, which);
  if (!bar) return FALSE;
  if (bar.info->minPos == minPos && bar.info->maxPos == maxPos) return TRUE;
  ApplyRange(bar.info, minPos, maxPos);
  bar.info->curPos = std::max(bar.info->curPos.load(), bar.info->minPos.load());
  LimitPage(bar.info);
  bar.info->curPos = Clamp(*bar.info, bar.info->curPos);
  RepaintTrack(bar);
  return TRUE;
}

BOOL SetScrollInfo(WindowHandle hwnd, int which, const ScrollInfo* info, BOOL redraw) {
  Bar bar = Find(hwnd, which);
  if (!bar || !info) return FALSE;
  ScrollBarInfo* s = bar.info;
  const bool range = (info->fMask & SIF_RANGE) && (info->nMin != s->minPos || info->nMax != s->maxPos);
  const bool page = (info->fMask & SIF_PAGE) && info->nPage != s->pageStep;
  const bool pos = (info->fMask & SIF_POS) && info->nPos != s->curPos;
  if (!range && !page && !pos) return TRUE;
  if (!range && !page) return SetScrollPos(hwnd, which, info->nPos);
  if (range) ApplyRange(s, info->nMin, info->nMax);
  if (info->fMask & SIF_PAGE) s->pageStep = info->nPage;
  LimitPage(s);
  if (info->fMask & SIF_POS) s->curPos = info->nPos;
  s->curPos = Clamp(*s, std::max(s->curPos.load(), s->minPos.load()));
  if (!redraw) return TRUE;
  RepaintTrack(bar);
  return TRUE;
}

BOOL GetScrollInfo(WindowHandle hwnd, int which, ScrollInfo* info) {
  Bar bar = Find(hwnd, which);
  if (!bar || !info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = bar.info->minPos;
    info->nMax = bar.info->maxPos;
  }
  if (info->fMask & SIF_PAGE) info->nPage = bar.info->pageStep;
  if (info->fMask & SIF_POS) info->nPos = bar.info->curPos;
  return TRUE;
}

void ScrollWindow(WindowHandle hwnd, int dx, int dy, const Rect* scrollRect, const Rect* clipRect) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || (dx == 0 && dy == 0)) return;
  const Rect area = GeometryOf(win).client;  // another thread may be moving the window
  Rect client{0, 0, area.right - area.left, area.bottom - area.top};
  ScrollWindowInfo request{dx, dy, client};
  if (scrollRect && !IntersectRect(&request.rect, scrollRect, &client)) return;
  if (clipRect) {
    Rect cut;
    if (!IntersectRect(&cut, &request.rect, clipRect)) return;
    request.rect = cut;
  }
  HideCaret(hwnd);
  {
    StackWriteLock hold;
    for (WindowRecord* child = win->firstChild; child; child = static_cast<ControlRecord*>(child)->nextSibling) {
      if (clipRect && !IsCovered(&child->window, clipRect)) continue;
      Shift(&child->window, dx, dy);
      Shift(&child->client, dx, dy);
    }
  }
  SendMessage(__gui_hwnd_desktop, MSG_DT_SCROLLMAINWIN, hwnd, reinterpret_cast<LParam>(&request));
  ShowCaret(hwnd);
}

}  // extern "C"

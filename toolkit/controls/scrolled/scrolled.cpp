// The scrolling model shared by the controls whose content is larger than
// their window: offsets, content and visible sizes, steps and scroll bars.
#include <algorithm>

#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/scrolled.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

void Announce(WindowHandle hwnd, ScrolledData* d, BOOL refit) {
  if (d->move_content) d->move_content(hwnd, d, refit);
}

void SetBar(WindowHandle hwnd, ScrolledData* d, int bar, int content, int visible, int pos) {
  // A range of one position is hidden by the frame whatever is asked:
  // showing it again would resize the client and set the bars without end.
  if (d->sbPolicy == SB_POLICY_NEVER || (d->sbPolicy == SB_POLICY_AUTOMATIC && content <= visible) || content <= 1) {
    ShowScrollBar(hwnd, bar, FALSE);
    return;
  }
  ScrollInfo info{sizeof(ScrollInfo), SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1, visible, pos};
  // Bulk changes between LVM_STOPREDRAW and LVM_STARTREDRAW draw the bar
  // once, at the end, not once a row.
  SetScrollInfo(hwnd, bar, &info, GetListViewRedrawFlag() ? TRUE : FALSE);
  ShowScrollBar(hwnd, bar, TRUE);
}

int MaxX(const ScrolledData* d) { return d->nContWidth - d->visibleWidth; }
int MaxY(const ScrolledData* d) { return d->nContHeight - d->visibleHeight; }

// One axis of scrolling by a code; the new offset or -1 for no move.
int StepTo(int offset, int maximum, int step) {
  if (step > 0 && offset < maximum) return std::min(offset + step, maximum);
  if (step < 0 && offset >= 1) return std::max(offset + step, 0);
  return -1;
}

ScrolledData* DataOf(WindowHandle hwnd) { return reinterpret_cast<ScrolledData*>(GetWindowAdditionalData2(hwnd)); }

uint16_t Clip16(int v) { return static_cast<uint16_t>(std::max(0, std::min(v, 0xFFFF))); }

}  // namespace

extern "C" {

int scrolled_init(WindowHandle hwnd, ScrolledData* d, int w, int h) {
  if (w < 1 || h < 1) {
    Rect rc{};
    GetClientRect(hwnd, &rc);
    w = rc.right - rc.left;
    h = rc.bottom - rc.top;
  }
  d->leftMargin = d->topMargin = d->rightMargin = d->bottomMargin = 4;
  d->nContX = d->nContY = 0;
  d->hScrollVal = d->vScrollVal = 15;
  d->visibleWidth = Clip16(w);
  d->visibleHeight = Clip16(h);
  d->hScrollPageVal = d->visibleWidth;
  d->vScrollPageVal = d->visibleHeight;
  d->nContWidth = d->visibleWidth;
  d->nContHeight = d->visibleHeight;
  d->sbPolicy = SB_POLICY_AUTOMATIC;
  d->hSV = hwnd;
  return 0;
}

void scrolled_init_margins(ScrolledData* d, int left, int top, int right, int bottom) {
  d->leftMargin = Clip16(left);
  d->topMargin = Clip16(top);
  d->rightMargin = Clip16(right);
  d->bottomMargin = Clip16(bottom);
}

void scrolled_init_contsize(WindowHandle, ScrolledData* d) {
  d->nContX = d->nContY = 0;
  d->nContWidth = d->visibleWidth;
  d->nContHeight = d->visibleHeight;
}

int scrolled_set_hscrollinfo(WindowHandle hwnd, ScrolledData* d) {
  SetBar(hwnd, d, SB_HORZ, d->nContWidth, d->visibleWidth, d->nContX);
  return 0;
}

int scrolled_set_vscrollinfo(WindowHandle hwnd, ScrolledData* d) {
  SetBar(hwnd, d, SB_VERT, d->nContHeight, d->visibleHeight, d->nContY);
  return 0;
}

int scrolled_set_cont_pos(WindowHandle hwnd, ScrolledData* d, int x, int y) {
  bool movedX = false, movedY = false;
  if (x >= 0) {
    x = std::min(x, MaxX(d));
    if (x >= 0) {
      d->nContX = x;
      Announce(hwnd, d, FALSE);
      SetScrollPos(hwnd, SB_HORZ, x);
      movedX = true;
    }
  }
  if (y >= 0) {
    y = std::min(y, MaxY(d));
    if (y >= 0) {
      d->nContY = y;
      Announce(hwnd, d, FALSE);
      SetScrollPos(hwnd, SB_VERT, y);
      movedY = true;
    }
  }
  return (movedY || movedX) ? 1 : 0;
}

int scrolled_make_pos_visible(WindowHandle hwnd, ScrolledData* d, int x, int y) {
  int nx = -1, ny = -1;
  if (x >= 0) {
    x = std::min(x, d->nContWidth - 1);
    if (x < d->nContX)
      nx = x;
    else if (x >= d->nContX + d->visibleWidth)
      nx = x - d->visibleWidth + 1;
  }
  if (y >= 0) {
    y = std::min(y, d->nContHeight - 1);
    if (y < d->nContY)
      ny = y;
    else if (y >= d->nContY + d->visibleHeight)
      ny = y - d->visibleHeight + 1;
  }
  // An axis already in view stays untouched, so no call-back runs for it.
  if (nx < 0 && ny < 0) return 0;
  return scrolled_set_cont_pos(hwnd, d, nx, ny);
}

void scrolled_set_visible(WindowHandle hwnd, ScrolledData* d) {
  d->nContWidth = std::max<int>(d->nContWidth, d->visibleWidth);
  d->nContHeight = std::max<int>(d->nContHeight, d->visibleHeight);
  Announce(hwnd, d, TRUE);
}

int scrolled_visible_to_content(ScrolledData* d, int* x, int* y) {
  if (x) *x += d->nContX;
  if (y) *y += d->nContY;
  return 0;
}

int scrolled_content_to_visible(ScrolledData* d, int* x, int* y) {
  if (x) *x -= d->nContX;
  if (y) *y -= d->nContY;
  if (!x || !y) return -1;
  return (*x >= 0 && *x <= d->visibleWidth && *y >= 0 && *y <= d->visibleHeight) ? 0 : -1;
}

void scrolled_recalc_areas(WindowHandle hwnd, ScrolledData* d, int w, int h) {
  const bool followW = d->nContWidth == d->visibleWidth, followH = d->nContHeight == d->visibleHeight;
  d->visibleWidth = Clip16(w);
  d->visibleHeight = Clip16(h);
  scrolled_set_visible(hwnd, d);
  if (followW && d->nContWidth != d->visibleWidth) {
    d->nContWidth = d->visibleWidth;
    Announce(hwnd, d, TRUE);
  }
  if (followH && d->nContHeight != d->visibleHeight) {
    d->nContHeight = d->visibleHeight;
    Announce(hwnd, d, TRUE);
  }
  // A smaller content extent than before may leave the offset out of range.
  d->nContX = std::max(0, std::min(d->nContX, MaxX(d)));
  d->nContY = std::max(0, std::min(d->nContY, MaxY(d)));
  scrolled_set_hscrollinfo(hwnd, d);
  scrolled_set_vscrollinfo(hwnd, d);
}

void scrolled_hscroll(WindowHandle hwnd, ScrolledData* d, int code, int pos) {
  int step;
  switch (code) {
    case SB_LINELEFT: step = -d->hScrollVal; break;
    case SB_LINERIGHT: step = d->hScrollVal; break;
    case SB_PAGELEFT: step = -d->hScrollPageVal; break;
    case SB_PAGERIGHT: step = d->hScrollPageVal; break;
    case SB_THUMBPOSITION: step = pos - d->nContX; break;
    default: return;
  }
  const int x = StepTo(d->nContX, MaxX(d), step);
  if (x >= 0) scrolled_set_cont_pos(hwnd, d, x, -1);
}

void scrolled_vscroll(WindowHandle hwnd, ScrolledData* d, int code, int pos) {
  int step;
  switch (code) {
    case SB_LINEUP: step = -d->vScrollVal; break;
    case SB_LINEDOWN: step = d->vScrollVal; break;
    case SB_PAGEUP: step = -d->vScrollPageVal; break;
    case SB_PAGEDOWN: step = d->vScrollPageVal; break;
    case SB_THUMBPOSITION: step = pos - d->nContY; break;
    default: return;
  }
  const int y = StepTo(d->nContY, MaxY(d), step);
  if (y >= 0) scrolled_set_cont_pos(hwnd, d, -1, y);
}

// Content coordinates are added to window positions and margins (and a
// scrolled window moves a child of the content's size): beyond 2^28 pixels
// a few such sums would leave int.
constexpr int kMaxContent = 1 << 28;

int scrolled_set_cont_width(WindowHandle hwnd, ScrolledData* d, int width) {
  if (width < 0) return 0;
  width = std::max<int>(std::min(width, kMaxContent), d->visibleWidth);
  if (width == d->nContWidth) return 0;
  d->nContWidth = width;
  d->nContX = std::max(0, std::min(d->nContX, MaxX(d)));
  scrolled_set_hscrollinfo(hwnd, d);
  Announce(hwnd, d, FALSE);
  return width;
}

int scrolled_set_cont_height(WindowHandle hwnd, ScrolledData* d, int height) {
  if (height < 0) return 0;
  height = std::max<int>(std::min(height, kMaxContent), d->visibleHeight);
  if (height == d->nContHeight) return 0;
  d->nContHeight = height;
  d->nContY = std::max(0, std::min(d->nContY, MaxY(d)));
  scrolled_set_vscrollinfo(hwnd, d);
  Announce(hwnd, d, FALSE);
  return height;
}

void scrolled_set_scrollval(ScrolledData* d, int h, int v) {
  if (h > 0) d->hScrollVal = Clip16(h);
  if (v > 0) d->vScrollVal = Clip16(v);
}

void scrolled_set_scrollpageval(ScrolledData* d, int h, int v) {
  if (h > 0) d->hScrollPageVal = Clip16(h);
  if (v > 0) d->vScrollPageVal = Clip16(v);
}

void scrolled_set_margins(ScrolledData* d, const Rect* m) {
  if (!m) return;
  if (m->left >= 0) d->leftMargin = Clip16(m->left);
  if (m->top >= 0) d->topMargin = Clip16(m->top);
  if (m->right >= 0) d->rightMargin = Clip16(m->right);
  if (m->bottom >= 0) d->bottomMargin = Clip16(m->bottom);
  Rect rc{};
  GetClientRect(d->hSV, &rc);
  scrolled_recalc_areas(d->hSV, d, rc.right - rc.left - d->leftMargin - d->rightMargin,
                        rc.bottom - rc.top - d->topMargin - d->bottomMargin);
}

void scrolled_refresh_rect(ScrolledData* d, const Rect* rc) {
  if (!rc) return;
  Rect r{};
  r.top = rc->top - d->nContY + d->topMargin;
  r.bottom = r.top + (rc->bottom - rc->top);
  if (rc->right == 0) {
    r.left = d->leftMargin - d->nContX;
    r.right = r.left + (r.left < 0 ? d->nContWidth : d->visibleWidth);
  } else {
    r.left = rc->left - d->nContX + d->leftMargin;
    r.right = r.left + (rc->right - rc->left);
  }
  InvalidateRect(d->hSV, &r, TRUE);
}

void scrolled_visible_rect(const ScrolledData* d, Rect* rc) {
  rc->left = d->leftMargin;
  rc->top = d->topMargin;
  rc->right = d->leftMargin + d->visibleWidth;
  rc->bottom = d->topMargin + d->visibleHeight;
}

LResult DefaultScrolledProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CREATE) return DefaultControlProc(hwnd, message, wParam, lParam);
  ScrolledData* d = DataOf(hwnd);
  if (!d) return DefaultControlProc(hwnd, message, wParam, lParam);
  switch (message) {
    case MSG_KEYDOWN:
      if (wParam == KEY_PAGEUP) SendMessage(hwnd, MSG_VSCROLL, SB_PAGEUP, 0);
      if (wParam == KEY_PAGEDOWN) SendMessage(hwnd, MSG_VSCROLL, SB_PAGEDOWN, 0);
      if (wParam == KEY_LEFT) SendMessage(hwnd, MSG_HSCROLL, SB_PAGELEFT, 0);
      if (wParam == KEY_RIGHT) SendMessage(hwnd, MSG_HSCROLL, SB_PAGERIGHT, 0);
      break;
    case MSG_CALCCLIENTRECT: {
      const Rect* rc = reinterpret_cast<const Rect*>(lParam);
      if (rc)
        scrolled_recalc_areas(hwnd, d, rc->right - rc->left - d->leftMargin - d->rightMargin,
                              rc->bottom - rc->top - d->topMargin - d->bottomMargin);
      return 0;
    }
    case MSG_HSCROLL: scrolled_hscroll(hwnd, d, static_cast<int>(wParam), static_cast<int>(lParam)); break;
    case MSG_VSCROLL: scrolled_vscroll(hwnd, d, static_cast<int>(wParam), static_cast<int>(lParam)); break;
    case SVM_SETCONTWIDTH: return scrolled_set_cont_width(hwnd, d, static_cast<int>(wParam));
    case SVM_SETCONTHEIGHT: return scrolled_set_cont_height(hwnd, d, static_cast<int>(wParam));
    case SVM_GETMARGINS:
      if (Rect* rc = reinterpret_cast<Rect*>(lParam)) *rc = Rect{d->leftMargin, d->topMargin, d->rightMargin, d->bottomMargin};
      return 0;
    case SVM_SETMARGINS: scrolled_set_margins(d, reinterpret_cast<const Rect*>(lParam)); return 0;
    case SVM_GETLEFTMARGIN: return d->leftMargin;
    case SVM_GETTOPMARGIN: return d->topMargin;
    case SVM_GETRIGHTMARGIN: return d->rightMargin;
    case SVM_GETBOTTOMMARGIN: return d->bottomMargin;
    case SVM_GETVISIBLEWIDTH: return d->visibleWidth;
    case SVM_GETVISIBLEHEIGHT: return d->visibleHeight;
    case SVM_GETCONTWIDTH: return d->nContWidth;
    case SVM_GETCONTHEIGHT: return d->nContHeight;
    case SVM_SETCONTRANGE:
      scrolled_set_cont_width(hwnd, d, static_cast<int>(wParam));
      scrolled_set_cont_height(hwnd, d, static_cast<int>(lParam));
      return 0;
    case SVM_GETCONTENTX: return d->nContX;
    case SVM_GETCONTENTY: return d->nContY;
    case SVM_SETCONTPOS: scrolled_set_cont_pos(hwnd, d, static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case SVM_MAKEPOSVISIBLE:
      scrolled_make_pos_visible(hwnd, d, static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case SVM_GETHSCROLLVAL: return d->hScrollVal;
    case SVM_GETVSCROLLVAL: return d->vScrollVal;
    case SVM_GETHSCROLLPAGEVAL: return d->hScrollPageVal;
    case SVM_GETVSCROLLPAGEVAL: return d->vScrollPageVal;
    case SVM_SETSCROLLVAL: scrolled_set_scrollval(d, static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case SVM_SETSCROLLPAGEVAL:
      scrolled_set_scrollpageval(d, static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    default: break;
  }
  return DefaultControlProc(hwnd, message, wParam, lParam);
}

}  // extern "C"

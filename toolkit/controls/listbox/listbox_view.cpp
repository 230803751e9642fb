// What the list box shows: visible rows, scrolling, scroll bars, repaints
// and the current item.
#include <algorithm>

#include "controls/listbox/listbox_internal.h"
#include "gui/dc.h"
#include "gui/image.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace listbox {

namespace {

bool Grid(WindowHandle hwnd) { return GetWindowStyle(hwnd) & LBS_GRID; }

void FitBar(WindowHandle hwnd, uint32_t policy, int bar, int page, int total, int pos) {
  if (policy == kBarsHidden) {
    ShowScrollBar(hwnd, bar, FALSE);
    return;
  }
  // A range of one position is hidden by the frame whatever is asked, so
  // it counts as nothing to scroll (showing it again would resize the
  // client and fit the bars again without end).
  if (page < total && total > 1) {
    ScrollInfo info{sizeof(ScrollInfo), SIF_RANGE | SIF_PAGE | SIF_POS, 0, total - 1, page, pos};
    SetScrollInfo(hwnd, bar, &info, TRUE);
    EnableScrollBar(hwnd, bar, TRUE);
    if (policy == kBarsShow) ShowScrollBar(hwnd, bar, TRUE);
    return;
  }
  SetScrollPos(hwnd, bar, 0);
  if (policy == kBarsShow)
    ShowScrollBar(hwnd, bar, FALSE);
  else
    EnableScrollBar(hwnd, bar, FALSE);
}

}  // namespace

void Refit(WindowHandle hwnd, Data& d) {
  Rect r{};
  GetClientRect(hwnd, &r);
  d.visible = d.itemHeight > 0 ? (r.bottom - r.top) / d.itemHeight : 0;
  d.visibleWidth = r.right - r.left;
}

void FitBars(WindowHandle hwnd, Data& d) {
  if (Grid(hwnd)) return;
  FitBar(hwnd, d.barPolicy, SB_VERT, d.visible, d.count, d.top);
  FitBar(hwnd, d.barPolicy, SB_HORZ, d.visibleWidth, d.widest, d.hOffset);
}

void RepaintItem(WindowHandle hwnd, const Data& d, int index) {
  if (index < 0) return;
  if (Grid(hwnd)) {
    InvalidateRect(hwnd, nullptr, TRUE);  // the selected text below the grid changes too
    return;
  }
  Rect r{};
  GetClientRect(hwnd, &r);
  r.top = (index - d.top) * d.itemHeight;
  r.bottom = r.top + d.itemHeight;
  if (r.bottom > 0) InvalidateRect(hwnd, &r, TRUE);
}

void RepaintFrom(WindowHandle hwnd, const Data& d, int index) {
  Rect r{};
  GetClientRect(hwnd, &r);
  if (!Grid(hwnd)) r.top = std::max(0, (index - d.top) * d.itemHeight);
  InvalidateRect(hwnd, &r, TRUE);
}

int ItemWidth(WindowHandle hwnd, const Item& it) {
  const uint32_t style = GetWindowStyle(hwnd);
  int width = (style & LBS_CHECKBOX) ? 15 : 2;
  if ((style & LBS_USEICON) && it.image) {
    int w = 0, h = 0;
    if (it.flags & kBitmap)
      w = static_cast<int>(reinterpret_cast<const Bitmap*>(it.image)->bmWidth);
    else
      GetIconSize(it.image, &w, &h);
    width += w;
  }
  Size size{};
  HDC hdc = GetClientDC(hwnd);
  if (hdc) {
    GetTabbedTextExtent(hdc, it.text, -1, &size);
    ReleaseDC(hdc);
  }
  return width + 2 + size.cx + 2;
}

void ScrollTo(WindowHandle hwnd, Data& d, int top) {
  top = std::max(0, std::min(top, d.count - d.visible));
  if (top == d.top) return;
  d.top = top;
  FitBars(hwnd, d);
  InvalidateRect(hwnd, nullptr, TRUE);
}

int MakeCurrent(WindowHandle hwnd, Data& d, int index) {
  const int previous = d.current;
  if (d.count == 0) return previous;
  if (index < 0 || index >= d.count) index = 0;
  Item* it = ItemAt(d, index);
  if (index != d.current) {
    d.top = Grid(hwnd) ? 0 : std::max(0, std::min(index, d.count - d.visible));
    d.current = index;
    if (!(GetWindowStyle(hwnd) & LBS_MULTIPLESEL))
      for (Item* p = d.head; p; p = p->next) p->flags = p == it ? p->flags | kSelected : p->flags & ~kSelected;
    FitBars(hwnd, d);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return (it->flags & kDisabled) ? LB_ERR_DISABLED : previous;
}

LResult OnScroll(WindowHandle hwnd, Data& d, int msg, WParam code, LParam pos) {
  if (Grid(hwnd)) return 0;
  if (msg == MSG_VSCROLL) {
    int top = d.top;
    switch (code) {
      case SB_LINEUP: --top; break;
      case SB_LINEDOWN: ++top; break;
      case SB_PAGEUP: top -= d.visible; break;
      case SB_PAGEDOWN: top += d.visible; break;
      case SB_THUMBPOSITION: case SB_THUMBTRACK: top = static_cast<int>(pos); break;
      default: return 0;
    }
    ScrollTo(hwnd, d, top);
    return 0;
  }
  const int step = GetSysCharWidth();
  int offset = d.hOffset;
  switch (code) {
    case SB_LINELEFT: offset -= step; break;
    case SB_LINERIGHT: offset += step; break;
    case SB_PAGELEFT: offset -= d.visibleWidth; break;
    case SB_PAGERIGHT: offset += d.visibleWidth; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: offset = static_cast<int>(pos); break;
    default: return 0;
  }
  offset = std::max(0, std::min(offset, d.widest - d.visibleWidth));
  if (offset != d.hOffset) {
    d.hOffset = offset;
    FitBars(hwnd, d);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return 0;
}

}  // namespace listbox

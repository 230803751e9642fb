// Mouse input of the list view (header, column borders, rows, fold zones,
// check boxes, cells) and its answers to the bubble tip.
#include <cstring>

#include "controls/bubbletip/bubbletip.h"
#include "controls/listview/listview_internal.h"
#include "gui/app_hooks.h"
#include "gui/control_tip.h"
#include "gui/dc.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace listview {

namespace {

// The column and row of the last text handed to the bubble tip.
int g_tipColumn = -1;
ListViewRow* g_tipRow = nullptr;

struct MousePoint {
  int x, y;    // client
  int cx, cy;  // content
};

MousePoint PointOf(ListViewData* lv, LParam lParam) {
  MousePoint p{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF), 0, 0};
  p.cx = p.x - lv->sv.scrdata.leftMargin;
  p.cy = p.y - lv->sv.scrdata.topMargin;
  scrolled_visible_to_content(&lv->sv.scrdata, &p.cx, &p.cy);
  return p;
}

int HeaderCell(ListViewData* lv, const MousePoint& p) {
  if (p.y < 0 || p.y >= lv->headerHeight) return -1;
  for (int n = 0; n < ColumnCount(lv); ++n) {
    ListViewColumn* c = lv->columns[n].get();
    if (c->x + 1 <= p.cx && p.cx < c->x + c->width - 1) return n;
  }
  return -1;
}

int Border(ListViewData* lv, const MousePoint& p) {
  if (p.y < 0 || p.y > lv->headerHeight || lv->headerHeight < 1) return -1;
  for (int n = 0; n < ColumnCount(lv); ++n) {
    ListViewColumn* c = lv->columns[n].get();
    if (c->x + c->width - 1 <= p.cx && p.cx <= c->x + c->width) return n;
  }
  return -1;
}

ListViewRow* RowAt(ListViewData* lv, const MousePoint& p) {
  if (p.y < lv->sv.scrdata.topMargin) return nullptr;
  GuiListItem* item = nullptr;
  if (scrollview_is_in_item(&lv->sv, p.cy, &item, nullptr) < 0) return nullptr;
  return RowOf(item);
}

int RowColumn(ListViewData* lv, const MousePoint& p) {
  for (int n = 0; n < ColumnCount(lv); ++n) {
    ListViewColumn* c = lv->columns[n].get();
    if (c->x + 1 <= p.cx && p.cx < c->x + c->width - 1) return n;
  }
  return -1;
}

void Notify(ListViewData* lv, int code, LParam data) { NotifyParentEx(lv->hwnd, code, data); }

void CheckAll(ListViewData* lv, bool on) {
  for (GuiListItem* it = guilist_get_next_item(ListOf(lv), nullptr); it; it = guilist_get_next_item(ListOf(lv), it)) {
    ListViewRow* r = RowOf(it);
    if (!on || r->enabled) r->checked = on ? 1 : 0;
  }
  InvalidateRect(lv->hwnd, nullptr, TRUE);
}

void LeftDown(ListViewData* lv, LParam lParam) {
  if (GetCapture() == lv->hwnd) return;
  SetCapture(lv->hwnd);
  lv->mouseFlags |= kCaptured;
  const MousePoint p = PointOf(lv, lParam);
  const int head = lv->headerHeight > 0 ? HeaderCell(lv, p) : -1;
  if (head >= 0) {
    lv->mouseFlags |= kHeadPressed | kInPressed;
    lv->pressedColumn = head;
    ListViewColumn* c = lv->columns[head].get();
    if (c->flags & LVCF_CHECKBOX) {
      if (c->headerCheck != 1 && !lv->lockA && !lv->lockB) {
        c->headerCheck = 1;
        CheckAll(lv, true);
        Notify(lv, LVN_CHECKALL, 0);
      } else if (c->headerCheck == 1) {
        c->headerCheck = 0;
        CheckAll(lv, false);
        Notify(lv, LVN_UNCHECKALL, 0);
      }
    }
    return;
  }
  const int border = Border(lv, p);
  if (border >= 0) {
    lv->mouseFlags |= kDragBorder;
    lv->resizeColumn = border;
    return;
  }
  ListViewRow* row = RowAt(lv, p);
  if (!row) {
    Notify(lv, LVN_CLICKNOWHERE, 0);
    return;
  }
  if (!row->enabled) return;
  if (GetWindowStyle(lv->hwnd) & LVS_NOTIFY_ON_RELEASE) lv->mouseFlags |= kRowPressed;
  if (row->firstChild) {
    const Bitmap* fold = FoldBitmap();
    const int fw = fold ? static_cast<int>(fold->bmWidth) : 0;
    if (p.cx > 2 * row->depth * fw && p.cx < 2 * (row->depth + 1) * fw + 4) {
      Fold(lv, row, !(row->flags & LVIF_FOLD));
      Notify(lv, (row->flags & LVIF_FOLD) ? LVN_FOLDED : LVN_UNFOLDED, reinterpret_cast<LParam>(row));
    }
  }
  if ((row->flags & LVIF_CHECKBOX) && !lv->columns.empty() && p.cx >= 1 && p.cx < lv->columns[0]->width) {
    lv->columns[0]->headerCheck = 2;
    if (row->checked) {
      row->checked = 0;
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      Notify(lv, LVN_ITEMUNCHECKED, RowIndex(lv, row));
    } else if (!lv->lockB && row->enabled) {
      row->checked = 1;
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      Notify(lv, LVN_ITEMCHECKED, RowIndex(lv, row));
    }
  }
}

// Notifies the cell click under the pointer; true when one was sent.
void CellClick(ListViewData* lv, const MousePoint& p, ListViewRow* row) {
  for (int n = 0; n < ColumnCount(lv); ++n) {
    ListViewColumn* c = lv->columns[n].get();
    ListViewCell* cell = CellAt(row, n);
    if (!(c->x < p.cx && p.cx < c->x + c->width) || !cell) continue;
    if (cell->flags & LVFLAG_BITMAP) {
      if (!cell->image || (c->flags & LVHF_CENTERALIGN)) continue;
      if ((c->flags & LVHF_RIGHTALIGN) && !GuiApp()->isRightToLeftLang()) continue;
    }
    Notify(lv, LVN_CELLCLICK + n, RowIndex(lv, row));
    return;
  }
}

// True when the message is not to be passed on.
bool LeftUp(ListViewData* lv, LParam lParam) {
  if (!(lv->mouseFlags & kCaptured)) return false;
  lv->mouseFlags &= ~kCaptured;
  ReleaseCapture();
  const MousePoint p = PointOf(lv, lParam);
  if (lv->mouseFlags & kHeadPressed) {
    lv->mouseFlags &= ~(kHeadPressed | kInPressed);
    const int head = HeaderCell(lv, p);
    if (head < 0 || head != lv->pressedColumn) return false;
    ListViewColumn* c = lv->columns[head].get();
    c->sortState = c->sortState == 2 ? 1 : 2;
    if (c->compare && !(GetWindowStyle(lv->hwnd) & LVS_TREE)) {
      Sort(lv, c->compare, static_cast<int>(c->sortState), head);
      InvalidateRect(lv->hwnd, nullptr, TRUE);
    }
    return false;
  }
  if (lv->mouseFlags & kDragBorder) {
    lv->mouseFlags &= ~kDragBorder;
    if (scrolled_set_cont_width(lv->hwnd, &lv->sv.scrdata, lv->totalWidth) != 0) InvalidateRect(lv->hwnd, nullptr, TRUE);
    return false;
  }
  ListViewRow* row = RowAt(lv, p);
  if (!row || !row->enabled) return false;
  if ((lv->mouseFlags & kRowPressed) && (GetWindowStyle(lv->hwnd) & LVS_NOTIFY_ON_RELEASE))
    Notify(lv, SVN_CLICKED, lv->curColumn);
  if (!lv->columns.empty()) CellClick(lv, p, row);
  return false;
}

void Move(ListViewData* lv, LParam lParam) {
  const MousePoint p = PointOf(lv, lParam);
  if ((lv->mouseFlags & kHeadPressed) && GetCapture() == lv->hwnd) {
    const bool inside = HeaderCell(lv, p) == lv->pressedColumn;
    if (inside != ((lv->mouseFlags & kInPressed) != 0)) {
      lv->mouseFlags ^= kInPressed;
      RepaintHeader(lv);
    }
  } else if (lv->mouseFlags & kDragBorder) {
    ListViewColumn* c = Column(lv, lv->resizeColumn);
    if (!c) return;
    const int width = p.x + lv->sv.scrdata.nContX - c->x;
    if (width < 11) return;
    SetColumnWidth(lv, lv->resizeColumn, width);
    HDC hdc = GetClientDC(lv->hwnd);
    PaintHeader(lv, hdc);
    ReleaseDC(hdc);
  }
}

int TextWidth(const char* text) {
  Size size{};
  GetTextExtentEx(HDC_SCREEN, text, -1, &size, getCurOutputHook());
  return size.cx;
}

void DoubleClick(ListViewData* lv, LParam lParam) {
  const MousePoint p = PointOf(lv, lParam);
  const int border = Border(lv, p);
  if (border >= 0) {
    ListViewColumn* c = lv->columns[border].get();
    int needed = (c->hasText ? TextWidth(c->text.c_str()) : 0) + 4;
    if (c->flags & LVCF_CHECKBOX)
      if (const Bitmap* cb = CheckBoxBitmap()) needed += static_cast<int>(cb->bmWidth) / 2 + 6;
    for (GuiListItem* it = guilist_get_next_item(ListOf(lv), nullptr); it; it = guilist_get_next_item(ListOf(lv), it)) {
      ListViewCell* cell = CellAt(RowOf(it), border);
      if (!cell) break;
      int w = (cell->hasText ? TextWidth(cell->text.c_str()) : 0) + 4;
      if ((cell->flags & LVFLAG_BITMAP) && cell->image) w += static_cast<int>(reinterpret_cast<const Bitmap*>(cell->image)->bmWidth) + 4;
      if (w > needed) needed = w;
    }
    if (needed > c->width) {
      SetColumnWidth(lv, border, needed);
      scrolled_set_cont_width(lv->hwnd, &lv->sv.scrdata, lv->totalWidth);
      InvalidateRect(lv->hwnd, nullptr, TRUE);
    }
  }
  ListViewRow* row = RowAt(lv, p);
  if (row && row->enabled) Notify(lv, LVN_ITEMDBCLK, RowIndex(lv, row));
}

void RightButton(ListViewData* lv, int message, WParam wParam, LParam lParam) {
  const MousePoint p = PointOf(lv, lParam);
  WParam pair[2] = {wParam, static_cast<WParam>(lParam)};
  const LParam data = reinterpret_cast<LParam>(pair);
  if (lv->headerHeight > 0 && HeaderCell(lv, p) >= 0) {
    Notify(lv, message == MSG_RBUTTONDOWN ? LVN_HEADRDOWN : LVN_HEADRUP, data);
    return;
  }
  ListViewRow* row = RowAt(lv, p);
  if (row && row->enabled) Notify(lv, message == MSG_RBUTTONDOWN ? LVN_RBUTTONDOWN : LVN_RBUTTONUP, data);
}

void HideTip() {
  if (WindowHandle tip = controls::BubbleTipWindow()) SendNotifyMessage(tip, MSG_TIPHIDE, 0, 0);
}

LResult TipText(ListViewData* lv, BubbleTipExchange* rec, LParam screenPos) {
  if (!(GetWindowStyle(lv->hwnd) & LVS_ELLIPSIS) || !rec) return 0;
  int x = static_cast<int16_t>(screenPos & 0xFFFF), y = static_cast<int16_t>((screenPos >> 16) & 0xFFFF);
  ScreenToClient(lv->hwnd, &x, &y);
  const MousePoint p = PointOf(lv, static_cast<LParam>((y & 0xFFFF) << 16 | (x & 0xFFFF)));
  const char* text = nullptr;
  int avail = 0;
  bool changed = false;
  const Bitmap* cb = CheckBoxBitmap();
  const int cbw = cb ? static_cast<int>(cb->bmWidth) : 0;
  const int head = lv->headerHeight >= 1 ? HeaderCell(lv, p) : -1;
  if (head >= 0) {
    ListViewColumn* c = lv->columns[head].get();
    text = c->hasText ? c->text.c_str() : nullptr;
    avail = (c->flags & LVCF_CHECKBOX) ? lv->sv.scrdata.nContX - cbw / 2 + c->width - 6 : c->width - 4;
    if (avail < 0) avail = 0;
    if (head != g_tipColumn) {
      g_tipColumn = head;
      changed = true;
    }
  } else if (ListViewRow* row = RowAt(lv, p)) {
    const int n = RowColumn(lv, p);
    ListViewCell* cell = n >= 0 ? CellAt(row, n) : nullptr;
    if (cell) {
      ListViewColumn* c = lv->columns[n].get();
      text = cell->hasText ? cell->text.c_str() : nullptr;
      int from = c->x + 3;
      const Bitmap* image = reinterpret_cast<const Bitmap*>(cell->image);
      if ((cell->flags & (LVFLAG_BITMAP | LVFLAG_ICON)) && image) from += static_cast<int>(image->bmWidth) + 2;
      if (cell->flags & LVFLAG_CHECKBOX) from = c->x + 1 + cbw * 3 / 4 + 2;
      avail = c->x + c->width - 3 - from + 2;
      if (avail < 1) avail = 0;
      if (n != g_tipColumn || row != g_tipRow) {
        g_tipColumn = n;
        g_tipRow = row;
        changed = true;
      }
    }
  }
  if (!text || !*text || TextWidth(text) <= avail) {
    HideTip();
    return 0;
  }
  const size_t size = rec->bufferSize > sizeof rec->text ? sizeof rec->text : rec->bufferSize;
  if (size == 0) return 0;
  // Hidden at once, not by a notification: one queued behind the request
  // being answered would cancel it, and the new text would never show.
  if (changed || std::strncmp(rec->text, text, size) != 0)
    if (WindowHandle tip = controls::BubbleTipWindow()) SendMessage(tip, MSG_TIPHIDE, 0, 0);
  std::memset(rec->text, 0, size);
  size_t n = std::strlen(text);
  if (n > size - 1) n = size - 1;
  std::memcpy(rec->text, text, n);
  rec->flags = (rec->flags & ~0x0Bu) | 0x04u;
  return static_cast<LResult>(n);
}

}  // namespace

LResult HandleInput(ListViewData* lv, int message, WParam wParam, LParam lParam, bool* handled) {
  switch (message) {
    case MSG_LBUTTONDOWN: LeftDown(lv, lParam); break;
    case MSG_LBUTTONUP: LeftUp(lv, lParam); break;
    case MSG_LBUTTONDBLCLK:  // a press first: its release must find the capture to end
      LeftDown(lv, lParam);
      DoubleClick(lv, lParam);
      break;
    case MSG_MOUSEMOVE: Move(lv, lParam); break;
    case MSG_RBUTTONDOWN:
    case MSG_RBUTTONUP: RightButton(lv, message, wParam, lParam); break;
    case MSG_MOUSEWHEELDOWN:
    case MSG_MOUSEWHEELUP: {
      WindowHandle tip = controls::BubbleTipWindow();
      if (!((GetWindowStyle(lv->hwnd) & LVS_ELLIPSIS) && tip && IsWindowVisible(tip)))
        SendMessage(lv->hwnd, MSG_VSCROLL, message == MSG_MOUSEWHEELDOWN ? SB_LINEDOWN : SB_LINEUP, 0);
      break;
    }
    case MSG_SETCURSOR: {
      const MousePoint p = PointOf(lv, lParam);
      if ((lv->mouseFlags & kDragBorder) || Border(lv, p) >= 0) {
        *handled = true;
        return 0;
      }
      break;
    }
    case MSG_TIPQUERY:
      *handled = true;
      return (GetWindowStyle(lv->hwnd) & LVS_ELLIPSIS) ? 4 : 0;
    case MSG_TIPTEXT:
      *handled = true;
      return TipText(lv, reinterpret_cast<BubbleTipExchange*>(wParam), lParam);
    default: break;
  }
  return 0;
}

}  // namespace listview

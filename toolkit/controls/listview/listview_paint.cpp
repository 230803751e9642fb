// Painting of the list view: the header band and every row's cells.
#include <algorithm>
#include <cstring>

#include "controls/listview/listview_internal.h"
#include "controls/painters/painter_util.h"
#include "gui/control_paint.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace listview {

namespace {

constexpr uint32_t kLeft = DT_SINGLELINE | DT_VCENTER, kCenter = kLeft | DT_CENTER, kRight = kLeft | DT_RIGHT;

const Bitmap* g_fold = nullptr;
const Bitmap* g_unfold = nullptr;

void Fill(HDC hdc, GalPixel brush, int x, int y, int w, int h) {
  if (w > 0 && h > 0) painters::Fill(hdc, brush, x, y, w, h);
}

void Text(HDC hdc, bool ellipsis, const char* text, Rect rc, uint32_t format) {
  if (ellipsis)
    DrawTextOmitted(hdc, text, -1, &rc, format, rc.right - rc.left);
  else
    DrawTextEx2(hdc, text, -1, &rc, 0, format, nullptr);
}

// The list index of a painted row: rows are painted top-down, so the next
// one follows the last without a walk from the head.
int PaintIndex(ListViewData* lv, GuiListItem* item) {
  GuiList* list = ListOf(lv);
  const bool same = lv->paintItem && lv->paintVersion == list->version;  // else it may be gone
  if (same && lv->paintItem == item) return lv->paintIndex;
  if (same && guilist_get_next_item(list, lv->paintItem) == item)
    lv->paintIndex++;
  else if (item == lv->sv.anchor && lv->sv.anchorVersion == list->version)
    lv->paintIndex = lv->sv.anchorIndex;
  else
    lv->paintIndex = guilist_get_item_index(list, item);
  lv->paintItem = item;
  lv->paintVersion = list->version;
  return lv->paintIndex;
}

void DrawCheckFrame(HDC hdc, int x, int y, int col, int row, int maxWidth) {
  const Bitmap* box = CheckBoxBitmap();
  if (!box) return;
  const int fw = static_cast<int>(box->bmWidth) / 2, fh = static_cast<int>(box->bmHeight) / 2;
  const int w = std::min(fw, maxWidth);
  if (w > 0) FillBoxWithBitmapPart(hdc, x, y, w, fh, 0, 0, box, col * fw, row * fh);
}

void DrawCell(ListViewData* lv, ListViewRow* row, int n, HDC hdc, const Rect* rowRc, bool current, bool even) {
  ListViewColumn* col = lv->columns[n].get();
  ListViewCell* cell = CellAt(row, n);
  if (!cell) return;
  const uint32_t style = GetWindowStyle(lv->hwnd);
  const bool striped = style & LVS_STRIPED;
  const GalPixel bk = GetWindowBkColor(lv->hwnd);
  Rect box{col->x + rowRc->left, rowRc->top, col->x + rowRc->left + col->width + 1, rowRc->bottom};
  const int bw = box.right - box.left, bh = box.bottom - box.top;
  GalPixel textColor = cell->textColor;
  if (row->enabled && current && !(style & LVS_NOHILIGHT)) {
    Fill(hdc, lv->focusColor, box.left, box.top, bw, bh);
    if (!striped) textColor = WinElementColors[WEC_FC_CONTROL_SELECTED];
  } else if (striped) {
    const GalPixel even_ = row->enabled ? GetExtraColorEx(WEC_EX_BKC_CONTROL_FILL0_LV) : WinElementColors[WEC_BKC_MENUITEM_SELECTED];
    Fill(hdc, even ? even_ : bk, box.left, box.top, bw, bh);
  } else {
    Fill(hdc, WinElementColors[WEC_FRAME_CONTROL_DISABLED], box.left, box.bottom - 2, bw, 2);
  }
  if (!row->enabled) textColor = WinElementColors[WEC_FC_CONTROL_DISABLED];
  Rect inner{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
  const Bitmap* image = reinterpret_cast<const Bitmap*>(cell->image);
  if ((cell->flags & LVFLAG_BITMAP) && image) {
    const int iw = static_cast<int>(image->bmWidth), ih = std::min<int>(image->bmHeight, bh);
    const int y = box.top + (bh - ih) / 2;
    if (GuiApp()->isRightToLeftLang()) {
      FillBoxWithBitmap(hdc, inner.right - iw, y, iw, ih, image);
      inner.right -= iw + 2;
    } else {
      FillBoxWithBitmap(hdc, inner.left, y, iw, ih, image);
      inner.left += iw + 2;
    }
  } else if ((cell->flags & LVFLAG_ICON) && image) {
    const int iw = static_cast<int>(image->bmWidth), ih = std::min<int>(image->bmHeight, bh);
    FillBoxWithBitmap(hdc, inner.left, box.top + (bh - ih) / 2, iw, ih, image);
    inner.left += iw + 2;
  }
  // A row that a click on its first cell ticks shows its box there, whether
  // or not the cell asked for one.
  if ((cell->flags & LVFLAG_CHECKBOX) || (n == 0 && (row->flags & LVIF_CHECKBOX))) {
    if (const Bitmap* cb = CheckBoxBitmap()) {
      const int fh = static_cast<int>(cb->bmHeight) / 2;
      DrawCheckFrame(hdc, box.left + 2, box.top + (bh - fh) / 2, row->enabled ? (row->checked ? 1 : 0) : 0,
                     row->enabled ? 0 : 1, col->width);
      inner.left = box.left + 2 + static_cast<int>(cb->bmWidth) * 3 / 4;
    }
  }
  if (cell->flags & LVFLAG_BAR) {
    SetDCAttr(hdc, DC_ATTR_BK_COLOR, WinElementColors[WEC_BKC_MENUITEM_NORMAL]);
    Fill(hdc, cell->barColor, box.left + cell->barStart, box.top, cell->barEnd - cell->barStart, bh);
  }
  if (cell->hasText && !(cell->flags & LVFLAG_COMBOBOX)) {
    const uint32_t format = (col->flags & LVCF_RIGHTALIGN) ? kRight : (col->flags & LVCF_CENTERALIGN) ? kCenter : kLeft;
    SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, textColor);
    Text(hdc, style & LVS_ELLIPSIS, cell->text.c_str(), inner, format);
  }
}

}  // namespace

const Bitmap* CheckBoxBitmap() { return GetStockBitmap("checkbox", 0, 0); }
const Bitmap* FoldBitmap() { return g_fold; }

void LoadFoldBitmaps() {
  g_fold = GetStockBitmap("lvfold", 0, 0);
  g_unfold = GetStockBitmap("lvunfold", 0, 0);
}

void DrawRow(WindowHandle hwnd, GuiListItem* item, HDC hdc, Rect* rc) {
  ListViewData* lv = DataOf(hwnd);
  ListViewRow* row = RowOf(item);
  if (!lv || !row) return;
  const int index = PaintIndex(lv, item);
  const bool current = ListOf(lv)->currentItem == item;
  for (int n = 0; n < ColumnCount(lv); ++n) DrawCell(lv, row, n, hdc, rc, current, index % 2 == 0);
  if ((GetWindowStyle(hwnd) & LVS_STRIPED) && !guilist_get_next_item(ListOf(lv), item)) {
    Rect client{};
    GetClientRect(hwnd, &client);
    if (client.bottom > rc->bottom)
      Fill(hdc, GetWindowBkColor(hwnd), rc->left, rc->bottom, rc->right - rc->left, client.bottom - rc->bottom);
  }
}

void PaintHeader(ListViewData* lv, HDC hdc) {
  WindowHandle hwnd = lv->hwnd;
  Rect client{};
  GetClientRect(hwnd, &client);
  const int out = getCurOutputHook();
  SelectFont(hdc, g_SysLogFont[out == getAuxOutputHook() && out != getMainOutputHook() ? 6 : 3]);
  const int hh = lv->headerHeight, off = lv->sv.scrdata.nContX;
  if (lv->headerProcs.background && lv->headerProcs.column) {
    Rect bg{client.left, 0, client.right, hh};
    lv->headerProcs.background(hwnd, 0, hdc, &bg);
    for (int n = 0; n < ColumnCount(lv); ++n) {
      ListViewColumn* c = lv->columns[n].get();
      Rect rc{c->x - off - 1, 0, c->x + c->width - off, hh};
      lv->headerProcs.column(hwnd, n, hdc, &rc);
    }
    return;
  }
  if (const Bitmap* head = GetStockBitmap("listv_head", 0, 0)) {
    const Rect band{client.left, 0, client.right, hh};
    DrawBoxWithBitmapCombine(hdc, &band, head);
  }
  if (lv->mouseFlags & kFocusEmpty) Fill(hdc, lv->focusColor, client.left + 1, 0, client.right - client.left - 2, hh - 2);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinElementColors[WEC_FC_CONTROL_NORMAL]);
  const bool ellipsis = GetWindowStyle(hwnd) & LVS_ELLIPSIS;
  for (int n = 0; n < ColumnCount(lv); ++n) {
    ListViewColumn* c = lv->columns[n].get();
    Fill(hdc, WinElementColors[WEC_FRAME_CONTROL_DISABLED], c->x + c->width - off - 3, 0, 2, hh);
    const uint32_t format = (c->flags & LVHF_CENTERALIGN) ? kCenter : (c->flags & LVHF_RIGHTALIGN) ? kRight : kLeft;
    int left, width;
    if (c->flags & LVCF_CHECKBOX) {
      const Bitmap* cb = CheckBoxBitmap();
      const int fw = cb ? static_cast<int>(cb->bmWidth) / 2 : 0, fh = cb ? static_cast<int>(cb->bmHeight) / 2 : 0;
      DrawCheckFrame(hdc, c->x - off + 2, (hh - fh) / 2, c->headerCheck == 1 ? 1 : 0, 0, c->width + off - 6);
      left = c->x - off + fw + 2;
      width = c->width - fw + off - 6;
    } else if (c->flags & LVHF_NOSCROLL) {
      left = c->x + 2;
      width = c->width - 4;
    } else {
      left = c->x - off + 2;
      width = c->width - 4;
    }
    if (width < 1 || !c->hasText) continue;
    Rect rc = ellipsis ? Rect{left, 0, left + width, hh} : Rect{left + 2, 2, left + width, hh};
    Text(hdc, ellipsis, c->text.c_str(), rc, format);
  }
}

// Every row, the header and the margins within a frame of the focus colour.
void PaintFocus(ListViewData* lv, HDC hdc) {
  if (GetFocusChild(GetParent(lv->hwnd)) != lv->hwnd) return;
  Rect client{};
  GetClientRect(lv->hwnd, &client);
  painters::Outline(hdc, WinElementColors[WEC_FRAME_CONTROL_HILITE], client.left, client.top, client.right - 1,
                    client.bottom - 1);
}

void RepaintHeader(ListViewData* lv) {
  Rect client{};
  GetClientRect(lv->hwnd, &client);
  Rect band{client.left, 0, client.right, lv->headerHeight + 2};
  InvalidateRect(lv->hwnd, &band, FALSE);
}

}  // namespace listview

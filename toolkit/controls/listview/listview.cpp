// The "ListView" control: its record, creation and destruction, and the
// control messages; painting and input live beside it.
#include <algorithm>
#include <cstring>
#include <new>

#include "controls/barkit/ctl_util.h"
#include "controls/listview/listview_class.h"
#include "controls/listview/listview_internal.h"
#include "controls/registry/control_registry.h"
#include "controls/scrolled/scrolled_internal.h"
#include "gui/caret.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/nonclient.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

// Shared by every list view (and the redraw flag by every item list); each
// is one word written and read whole on the controls' threads.
int g_redrawFlag = 1;
int g_dialogCode = 25;
bool g_caretShown = false;

int StrNCmp(const char* a, const char* b, size_t n) { return std::strncmp(a, b, n); }

using namespace listview;

GalPixel FocusColor(WindowHandle hwnd) {
  return GetExtraColorEx(GetFocusChild(GetParent(hwnd)) == hwnd ? WEC_EX_BKC_CONTROL_HILIGHT_LV : WEC_EX_BKC_CONTROL_SELECTED_LV);
}

int HeaderBitmapHeight(ListViewData* lv) {
  const Bitmap* head = GetStockBitmap("listv_head", 0, 0);
  return head ? static_cast<int>(head->bmHeight) : lv->fontHeight + 6;
}

void SetHeaderMargins(ListViewData* lv) {
  Rect m{1, lv->headerHeight + 1, 1, 1};
  scrolled_set_margins(&lv->sv.scrdata, &m);
}

int Create(WindowHandle hwnd) {
  if (!CheckBoxBitmap()) return -1;  // rows and headers draw their check boxes from it
  ListViewData* lv = new (std::nothrow) ListViewData{};
  if (!lv) return -1;
  g_dialogCode = 25;
  lv->hwnd = hwnd;
  IncludeWindowStyle(hwnd, LVS_ELLIPSIS);
  HDC hdc = GetClientDC(hwnd);
  lv->fontHeight = GetFontHeight(hdc);
  ReleaseDC(hdc);
  lv->headerHeight = HeaderBitmapHeight(lv);
  scrollview_init(hwnd, &lv->sv);
  SetHeaderMargins(lv);
  lv->focusColor = FocusColor(hwnd);
  lv->textCmp = StrNCmp;
  GuiListItemOps ops = lv->sv.svlist.iop;
  ops.initItem = nullptr;
  ops.freeItem = FreeRowItem;
  ops.drawItem = DrawRow;
  guilist_set_itemops(&lv->sv.svlist, &ops);
  ResetRoot(lv);
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(lv));
  g_caretShown = false;
  if (GetWindowStyle(hwnd) & LVS_CARET) {
    Rect rc{};
    GetClientRect(hwnd, &rc);
    CreateCaret(hwnd, nullptr, 2, rc.bottom - rc.top - 2);
    SetCaretPos(hwnd, 0, lv->headerHeight + 1);
  }
  return 0;
}

void Destroy(WindowHandle hwnd, ListViewData* lv) {
  if (GetWindowStyle(hwnd) & LVS_CARET) DestroyCaret(hwnd);
  scrollview_destroy(&lv->sv);
  SetWindowAdditionalData2(hwnd, 0);
  delete lv;
}

void PlaceCaret(ListViewData* lv) {
  if (!(GetWindowStyle(lv->hwnd) & LVS_CARET) || !g_caretShown) return;
  ListViewColumn* col = Column(lv, lv->curColumn);
  const int x = (col ? col->x : 0) - lv->sv.scrdata.nContX + lv->caretOffset;
  Rect rc{};
  GetClientRect(lv->hwnd, &rc);
  HideCaret(lv->hwnd);
  if (x > rc.right - rc.left - 3) {
    SendMessage(lv->hwnd, MSG_HSCROLL, 10, x);
    return;
  }
  const Bitmap* head = GetStockBitmap("listv_head", 0, 0);
  ChangeCaretSize(lv->hwnd, 2, head ? static_cast<int>(head->bmHeight) : lv->fontHeight + 6);
  SetCaretPos(lv->hwnd, x, lv->headerHeight + 1);
  ShowCaret(lv->hwnd);
}

LResult CheckState(ListViewRow* row) {
  if (!row) return -1;
  return row->enabled ? static_cast<LResult>(row->checked) : 0;
}

LResult SetChecked(ListViewData* lv, ListViewRow* row, bool on) {
  if (!row) return -1;
  if (!on || row->enabled) row->checked = on ? 1 : 0;
  InvalidateRect(lv->hwnd, nullptr, TRUE);
  return 0;
}

ListViewRow* RowByKey(ListViewData* lv, int key) {
  for (GuiListItem* it = guilist_get_next_item(ListOf(lv), nullptr); it; it = guilist_get_next_item(ListOf(lv), it))
    if (RowOf(it)->key == key) return RowOf(it);
  return RowAtIndex(lv, key);
}

// The terminator counts in the size, as for LVM_GETSUBITEMTEXT: a column
// caption once wrote size + 1 bytes, one past the caller's buffer. A size
// of 0 writes nothing.
size_t CopyText(char* dst, size_t size, const std::string& text) {
  if (size == 0) return 0;
  const size_t n = text.size() < size ? text.size() : size - 1;
  std::memcpy(dst, text.data(), n);
  dst[n] = 0;
  return n;
}

LResult ColumnMessage(ListViewData* lv, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case LVM_ADDCOLUMN: return AddColumn(lv, reinterpret_cast<ListViewColumnInfo*>(lParam));
    case LVM_DELCOLUMN: return DeleteColumn(lv, static_cast<int>(wParam));
    case LVM_MODIFYHEAD: {
      const ListViewHeadText* head = reinterpret_cast<const ListViewHeadText*>(lParam);
      ListViewColumn* col = head ? Column(lv, head->column) : nullptr;
      if (!col || !head->text) return -1;
      col->text = head->text;
      col->hasText = true;
      RepaintHeader(lv);
      return 0;
    }
    case LVM_SETCOLUMN: {
      const ListViewColumnInfo* info = reinterpret_cast<const ListViewColumnInfo*>(lParam);
      ListViewColumn* col = info ? Column(lv, info->index) : nullptr;
      if (!col) return -1;
      if (info->text) {
        col->text = info->text;
        col->hasText = true;
      }
      SetColumnWidth(lv, info->index, info->width);
      scrolled_set_cont_width(lv->hwnd, &lv->sv.scrdata, lv->totalWidth);
      col->image = info->image;
      col->flags = info->flags;
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      return 0;
    }
    case LVM_GETCOLUMN: {
      ListViewColumnInfo* info = reinterpret_cast<ListViewColumnInfo*>(lParam);
      ListViewColumn* col = Column(lv, static_cast<int>(wParam));
      if (!col || !info) return -1;
      info->width = col->width;
      info->image = col->image;
      info->compare = col->compare;
      info->flags = col->flags;
      if (info->text && info->textSize >= 0) CopyText(info->text, static_cast<size_t>(info->textSize), col->text);
      return 0;
    }
    case LVM_GETCOLUMNWIDTH: {
      ListViewColumn* col = Column(lv, static_cast<int>(wParam));
      return col ? col->width : -1;
    }
    case LVM_SETHEADCHECK: {
      if (lv->columns.empty()) return -1;
      lv->columns[0]->headerCheck = static_cast<uint32_t>(wParam);
      return -2;  // passed on by the caller
    }
    case LVM_TOGGLECHECKALL: {
      if (lv->columns.empty()) return -1;
      ListViewColumn* col = lv->columns[0].get();
      col->headerCheck = col->headerCheck == 1 ? 0 : 1;
      for (GuiListItem* it = guilist_get_next_item(ListOf(lv), nullptr); it; it = guilist_get_next_item(ListOf(lv), it))
        RowOf(it)->checked = col->headerCheck;
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      return col->headerCheck;
    }
    default: return -2;
  }
}

LResult CellMessage(ListViewData* lv, int message, WParam wParam, LParam lParam) {
  if (message != LVM_FILLSUBITEM && message != LVM_SETSUBITEM && message != LVM_SETSUBITEMCOLOR &&
      message != LVM_GETSUBITEMTEXT && message != LVM_GETSUBITEMLEN && message != LVM_SETSUBITEMTEXT)
    return -2;
  ListViewSubItemInfo* info = reinterpret_cast<ListViewSubItemInfo*>(lParam);
  if (!info) return -1;
  ListViewRow* row = wParam ? reinterpret_cast<ListViewRow*>(wParam) : RowAtIndex(lv, info->rowIndex);
  ListViewCell* cell = row ? CellAt(row, info->column) : nullptr;
  switch (message) {
    case LVM_FILLSUBITEM:
    case LVM_SETSUBITEM: return SetCell(lv, row, info);
    case LVM_SETSUBITEMCOLOR:
      if (!cell) return -1;
      cell->textColor = info->textColor;
      RefreshRow(lv, row);
      return 0;
    case LVM_GETSUBITEMTEXT: {
      if (!cell || !cell->hasText || !info->text) return -1;
      // A buffer size in the record's spare word bounds the copy, terminator
      // included; without one the whole text is copied.
      size_t n = cell->text.size();
      if (info->bufferSize > 0 && n >= info->bufferSize) n = info->bufferSize - 1;
      std::memcpy(info->text, cell->text.data(), n);
      info->text[n] = 0;
      return 0;
    }
    case LVM_GETSUBITEMLEN: return cell && cell->hasText ? static_cast<LResult>(cell->text.size()) : -1;
    case LVM_SETSUBITEMTEXT:
      if (!cell || !info->text) return -1;
      cell->text = info->text;
      cell->hasText = true;
      RefreshRow(lv, row);
      return 0;
    default: return -2;
  }
}

LResult RowMessage(ListViewData* lv, int message, WParam wParam, LParam lParam) {
  GuiList* list = ListOf(lv);
  switch (message) {
    case LVM_ADDITEM: {
      if (!lParam || lv->columns.empty()) return -1;
      if (wParam) IncludeWindowStyle(lv->hwnd, LVS_TREE);
      ListViewRow* row = AddRow(lv, reinterpret_cast<ListViewRow*>(wParam), reinterpret_cast<const ListViewItemInfo*>(lParam));
      return row ? reinterpret_cast<LResult>(row) : -1;
    }
    case LVM_DELITEM: {
      const int64_t index = static_cast<int64_t>(static_cast<int>(wParam)) - 1;  // 1-based; INT_MIN must not wrap
      ListViewRow* row = lParam ? reinterpret_cast<ListViewRow*>(lParam)
                                : (index >= 0 ? RowAtIndex(lv, static_cast<int>(index)) : nullptr);
      return row ? DeleteRow(lv, row) : -1;
    }
    case LVM_COLSORT: {
      if ((GetWindowStyle(lv->hwnd) & LVS_TREE) || !Column(lv, static_cast<int>(wParam))) return -1;
      Sort(lv, Column(lv, static_cast<int>(wParam))->compare, 2, static_cast<int>(wParam));
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      return 0;
    }
    case LVM_SORTITEMS: {
      if (GetWindowStyle(lv->hwnd) & LVS_TREE) return -1;
      ListViewCompare cmp = reinterpret_cast<ListViewCompare>(lParam);
      if (!cmp && !lv->columns.empty()) cmp = lv->columns[0]->compare;
      Sort(lv, cmp, 2, 0);
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      return 0;
    }
    case LVM_FINDITEM:
      return reinterpret_cast<LResult>(FindRow(lv, reinterpret_cast<ListViewRow*>(wParam), reinterpret_cast<const ListViewFindInfo*>(lParam)));
    case LVM_GETITEMCOUNT: return list->nItemNr;
    case LVM_GETCOLUMNCOUNT: return ColumnCount(lv);
    case LVM_GETSELECTEDITEM: {
      if (!list->currentItem) return 0;
      ListViewRow* row = RowOf(list->currentItem);
      if (lParam) *reinterpret_cast<int32_t*>(lParam) = row->key;
      return reinterpret_cast<LResult>(row);
    }
    case LVM_DELALLITEM: DeleteAllRows(lv); return 0;
    case LVM_SELECTITEM: {
      ListViewRow* row = RowArg(lv, wParam, lParam);
      if (!row) return -1;
      guilist_hilight_item(list, row->item);
      return 0;
    }
    case LVM_SHOWITEM: {
      ListViewRow* row = RowArg(lv, wParam, lParam);
      if (!row) return -1;
      guilist_make_item_visible(list, &lv->sv.scrdata, row->item);
      return 0;
    }
    case LVM_CHOOSEITEM: {
      ListViewRow* row = RowArg(lv, wParam, lParam);
      if (!row) return -1;
      guilist_hilight_item(list, row->item);
      guilist_make_item_visible(list, &lv->sv.scrdata, row->item);
      return 0;
    }
    case LVM_GETITEM: {
      ListViewItemInfo* info = reinterpret_cast<ListViewItemInfo*>(lParam);
      if (!info) return -1;
      ListViewRow* row = wParam ? reinterpret_cast<ListViewRow*>(wParam) : RowAtIndex(lv, info->index);
      if (!row) return -1;
      info->addData = row->addData;
      info->height = reinterpret_cast<ScrollViewItem*>(row->item)->height;
      info->flags = row->flags;
      return 0;
    }
    case LVM_GETCHECKED: return CheckState(RowArg(lv, wParam, lParam));
    case LVM_SETCHECKED: return SetChecked(lv, RowArg(lv, wParam, lParam), true);
    case LVM_SETUNCHECKED: return SetChecked(lv, RowArg(lv, wParam, lParam), false);
    case LVM_GETCHECKEDBYKEY: return CheckState(RowByKey(lv, static_cast<int>(wParam)));
    case LVM_SETCHECKEDBYKEY: return SetChecked(lv, RowByKey(lv, static_cast<int>(wParam)), true);
    case LVM_SETUNCHECKEDBYKEY: return SetChecked(lv, RowByKey(lv, static_cast<int>(wParam)), false);
    case LVM_GETITEMBYINDEX: return reinterpret_cast<LResult>(RowAtIndex(lv, static_cast<int>(wParam)));
    case LVM_DISABLEITEM:
    case LVM_ENABLEITEM: {
      ListViewRow* row = RowArg(lv, wParam, lParam);
      if (!row) return -1;
      row->enabled = message == LVM_ENABLEITEM ? 1 : 0;
      InvalidateRect(lv->hwnd, nullptr, TRUE);
      return 0;
    }
    case LVM_SETITEMHEIGHT:
      if (!wParam) return 0;
      SetRowHeight(lv, reinterpret_cast<ListViewRow*>(wParam), static_cast<int>(lParam));
      return 1;
    case LVM_GETITEMADDDATA: {
      ListViewRow* row = RowArg(lv, wParam, lParam);
      return row ? static_cast<LResult>(row->addData) : 0;
    }
    case LVM_SETITEMADDDATA:
      if (!wParam) return -1;
      reinterpret_cast<ListViewRow*>(wParam)->addData = static_cast<uintptr_t>(lParam);
      return 0;
    case LVM_GETRELATEDITEM: {
      ListViewRow* row = reinterpret_cast<ListViewRow*>(lParam);
      if (!row) return 0;
      ListViewRow* related = nullptr;
      if (wParam == 1) related = row->parent == &lv->root ? nullptr : row->parent;
      else if (wParam == 2) related = row->firstChild;
      else if (wParam == 3) related = row->nextSibling;
      else if (wParam == 4 && row->parent)
        for (ListViewRow* c = row->parent->firstChild; c && c != row; c = c->nextSibling)
          if (c->nextSibling == row) related = c;
      return reinterpret_cast<LResult>(related);
    }
    case LVM_FOLDITEM:
      if (!lParam) return -1;
      return Fold(lv, reinterpret_cast<ListViewRow*>(lParam), wParam == 1);
    case LVM_GETITEMKEY: {
      ListViewRow* row = RowAtIndex(lv, static_cast<int>(wParam));
      return row ? row->key : -1;
    }
    default: return -2;
  }
}

LResult ListViewControlProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CREATE) {
    if (Create(hwnd) < 0) return -1;
    return __gui_def_proc[2](hwnd, message, wParam, lParam);
  }
  ListViewData* lv = DataOf(hwnd);
  if (!lv) return DefaultControlProc(hwnd, message, wParam, lParam);
  if (message == MSG_DESTROY) {
    Destroy(hwnd, lv);
    return __gui_def_proc[2](hwnd, message, wParam, lParam);
  }
  if (message >= LVM_ADDITEM && message <= LVM_SETHEADCHECK) {
    LResult r = RowMessage(lv, message, wParam, lParam);
    if (r == -2) r = CellMessage(lv, message, wParam, lParam);
    if (r == -2) r = ColumnMessage(lv, message, wParam, lParam);
    if (message == LVM_SETHEADCHECK && r == -2) return ScrollViewCtrlProc(hwnd, message, wParam, lParam);
    if (r != -2) return r;
  }
  switch (message) {
    case LVM_SETCARET:
      lv->curColumn = static_cast<int>(wParam);
      lv->caretOffset = static_cast<int>(lParam);
      g_caretShown = true;
      PlaceCaret(lv);
      return 0;
    case LVM_GETCARET:
      if (wParam) *reinterpret_cast<int32_t*>(wParam) = lv->curColumn;
      if (lParam) *reinterpret_cast<uint32_t*>(lParam) = 0;
      return lv->caretOffset;
    case LVM_SETHEADHEIGHT:
      // Heights are screen coordinates: 16 bits at most, so the rows below add safely.
      lv->headerHeight = static_cast<int>(std::clamp<intptr_t>(static_cast<intptr_t>(wParam), 0, 0x7FFF));
      SetHeaderMargins(lv);
      return 1;
    case LVM_STOPREDRAW: g_redrawFlag = 0; break;
    case LVM_STARTREDRAW:
      if (!g_redrawFlag) {
        // What the bracket deferred: the scroll bars and one repaint of the rows.
        g_redrawFlag = 1;
        scrolled_set_hscrollinfo(hwnd, &lv->sv.scrdata);
        scrolled_set_vscrollinfo(hwnd, &lv->sv.scrdata);
        Rect rc;
        scrolled_visible_rect(&lv->sv.scrdata, &rc);
        InvalidateRect(hwnd, &rc, TRUE);
      }
      break;
    case LVM_SETSTRCMPFUNC:
      if (!lParam) return -1;
      lv->textCmp = reinterpret_cast<ListViewTextCompare>(lParam);
      return 0;
    case LVM_SETCUSTOMDRAW:
      if (const ListViewHeaderProcs* procs = reinterpret_cast<const ListViewHeaderProcs*>(lParam))
        lv->headerProcs = *procs;
      return 0;
    case LVM_SETCHECKALLLOCKA: lv->lockA = static_cast<uint32_t>(wParam); break;
    case LVM_SETCHECKALLLOCKB: lv->lockB = static_cast<uint32_t>(wParam); break;
    case LVM_VSCROLL: return ScrollViewCtrlProc(hwnd, MSG_VSCROLL, wParam, lParam);
    case LVM_TOGGLECHECKALL: return ColumnMessage(lv, message, wParam, lParam);
    case MSG_GETDLGCODE: return g_dialogCode;
    case MSG_KEYDOWN:
      if (wParam == KEY_ENTER) g_dialogCode ^= DLGC_WANTALLKEYS;
      else if (wParam == KEY_ESC && (g_dialogCode & DLGC_WANTALLKEYS)) g_dialogCode = 25;
      {
        ListViewKeyInfo key{wParam, lParam};
        NotifyParentEx(hwnd, LVN_KEYDOWN, reinterpret_cast<LParam>(&key));
      }
      break;
    case MSG_SETFOCUS:
    case MSG_KILLFOCUS:
      lv->focusColor = FocusColor(hwnd);
      if (message == MSG_SETFOCUS && ListOf(lv)->nItemNr == 0) lv->mouseFlags |= kFocusEmpty;
      else lv->mouseFlags &= ~kFocusEmpty;
      InvalidateRect(hwnd, nullptr, TRUE);  // the focus outline runs round the whole list
      break;
    case MSG_HSCROLL:
      if (wParam != SB_ENDSCROLL) RepaintHeader(lv);
      break;
    case MSG_PAINT: {
      // The header is drawn once BeginPaint is done: an erase owed to this
      // thread (damage from another one, as while a sheet's page is built)
      // runs there and would wipe a header drawn before it.
      HDC hdc = BeginPaint(hwnd);
      SelectFont(hdc, controls::RowFont());
      scrollview_draw(hwnd, hdc, &lv->sv);
      EndPaint(hwnd, hdc);
      HDC over = GetClientDC(hwnd);
      if (lv->headerHeight != 0) PaintHeader(lv, over);
      PaintFocus(lv, over);
      ReleaseDC(over);
      return 0;
    }
    default: {
      // The header press, the row release and a border drag come under the
      // capture, with a screen position; the scroll view reads client ones.
      if (barkit::IsClientMouse(message)) lParam = barkit::ClientPosition(hwnd, wParam, lParam);
      bool handled = false;
      LResult r = HandleInput(lv, message, wParam, lParam, &handled);
      if (handled) return r;
      // The item view selects at the second press of a double click too.
      if (message == MSG_LBUTTONDBLCLK) message = MSG_LBUTTONDOWN;
      break;
    }
  }
  return ScrollViewCtrlProc(hwnd, message, wParam, lParam);
}

}  // namespace

extern "C" int GetListViewRedrawFlag(void) { return g_redrawFlag; }

namespace listview {

ListViewData* DataOf(WindowHandle hwnd) { return reinterpret_cast<ListViewData*>(GetWindowAdditionalData2(hwnd)); }
ListViewRow* RowOf(GuiListItem* item) { return item ? reinterpret_cast<ListViewRow*>(item->addData) : nullptr; }
GuiList* ListOf(ListViewData* lv) { return &lv->sv.svlist; }
int ColumnCount(const ListViewData* lv) { return static_cast<int>(lv->columns.size()); }

ListViewColumn* Column(ListViewData* lv, int index) {
  return index >= 0 && index < ColumnCount(lv) ? lv->columns[index].get() : nullptr;
}

ListViewRow* RowAtIndex(ListViewData* lv, int index) { return RowOf(guilist_getitem_byindex(ListOf(lv), index)); }

ListViewRow* RowArg(ListViewData* lv, WParam index, LParam row) {
  return row ? reinterpret_cast<ListViewRow*>(row) : RowAtIndex(lv, static_cast<int>(index));
}

int RowIndex(ListViewData* lv, ListViewRow* row) { return row ? guilist_get_item_index(ListOf(lv), row->item) : -1; }

ListViewCell* CellAt(ListViewRow* row, int column) {
  return column >= 0 && column < static_cast<int>(row->cells.size()) ? &row->cells[column] : nullptr;
}

}  // namespace listview

namespace controls {

BOOL RegisterListViewControl() {
  listview::LoadFoldBitmaps();
  return controls::RegisterBuiltinClass("ListView", 0, GetExtraColorEx(WEC_EX_BKC_CONTROL_NORMAL_LV), ListViewControlProc);
}

}  // namespace controls

// Painting of the list form (bands with check marks, images and texts) and
// the grid form (six numbered boxes a row, the selected text below).
#include <cstdio>

#include "controls/listbox/item_image.h"
#include "controls/listbox/listbox_internal.h"
#include "controls/painters/painter_util.h"
#include "core/element_color.h"
#include "gui/bitmap.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/image.h"
#include "gui/layout.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace listbox {

namespace {

constexpr int kCheckedX = 0, kUncheckedX = 11, kPartX = 22;

void PaintBand(WindowHandle hwnd, HDC hdc, const Data& d, const Item& it, int y, int width) {
  const uint32_t style = GetWindowStyle(hwnd);
  const int h = d.itemHeight;
  if ((style & LBS_ITEMFONT) && it.value >= 1 && it.value <= 19 && langbox_font[it.value - 1])
    SelectFont(hdc, langbox_font[it.value - 1]);
  const bool selected = it.flags & kSelected;
  const GalPixel back = selected ? Color(WEC_BKC_DEFCONTROL_SELECTED) : GetWindowBkColor(hwnd);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, back);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, back);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, selected ? BM_OPAQUE : BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(selected ? WEC_FC_CONTROL_SELECTED : WEC_FC_CONTROL_HILITE));
  FillBox(hdc, 0, y, width, h - 2);
  int x = 2 - d.hOffset;
  if (style & LBS_CHECKBOX) {
    const int frame = (it.flags & kChecked) ? kCheckedX : (it.flags & kPartChecked) ? kPartX : kUncheckedX;
    if (const Bitmap* mark = GetStockBitmap("checkmark", -1, -1))
      FillBoxWithBitmapPart(hdc, x, y + (h - kCheckSize) / 2, kCheckSize, kCheckSize, 0, 0, mark, frame, 0);
    x += 13;
  }
  if (style & LBS_USEICON) PaintItemImage(hdc, it.image, it.flags & kBitmap, x, y, h);
  TextOutLen(hdc, x + 2, y + (h - GetFontHeight(hdc)) / 2, it.text, -1);
}

void PaintList(WindowHandle hwnd, HDC hdc, const Data& d) {
  Rect r{};
  GetClientRect(hwnd, &r);
  LogFont* font = GetWindowFont(hwnd);
  const Item* it = ItemAt(d, d.top);
  for (int i = 0; it && i <= d.visible; ++i, it = it->next) {
    if (font) SelectFont(hdc, font);
    PaintBand(hwnd, hdc, d, *it, i * d.itemHeight, r.right);
  }
}

void GridColours(const Item& it, GalPixel* text, GalPixel* start, GalPixel* end) {
  if (it.flags & kStyle2) {
    *text = GetExtraColorEx(WEC_EX_FC_LBIF_STYLE2);
    *start = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL1_START), *end = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL1_END);
  } else if (it.flags & kStyle3) {
    *text = GetExtraColorEx(WEC_EX_FC_LBIF_STYLE3);
    *start = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL0_START), *end = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL0_END);
  } else if (it.flags & kStyle4) {
    *text = GetExtraColorEx(WEC_EX_FC_LBIF_STYLE3);
    *start = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL1_START), *end = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL1_END);
  } else {
    *text = Color(WEC_FC_CONTROL_HILITE);
    *start = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL0_START), *end = GetExtraColorEx(WEC_EX_LISTBOX_MATRIX_FILL0_END);
  }
}

void PaintGridBox(WindowHandle hwnd, HDC hdc, Data& d, const Item& it, int index, const Rect& box) {
  const bool disabled = it.flags & kDisabled;
  GalPixel text = Color(WEC_FC_CONTROL_HILITE);
  if (it.flags & kSelected) {
    if (disabled) {
      text = Color(WEC_FC_CONTROL_NORMAL);
    } else {
      SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, Color(WEC_BKC_CONTROL_HILITE));
      FillBox(hdc, box.left, box.top, box.right - box.left, box.bottom - box.top);
    }
  } else if (disabled) {
    text = Color(WEC_FC_CONTROL_NORMAL);
  } else {
    GalPixel start = 0, end = 0;
    GridColours(it, &text, &start, &end);
    if (GetWindowStyle(hwnd) & LBS_GRADIENT)
      DrawGradientBox(hdc, start, end, box.left, box.top, box.right, box.bottom, FALSE, FALSE, 0);
    else
      DrawTwoColorBar(hdc, start, end, box.left, box.top, box.right, box.bottom, 2, 5, FALSE);
  }
  char label[16];
  const char* caption = label;
  if (it.flags & kAllItem) {
    CtrlResInfo* info = nullptr;
    caption = GetCtrlResInfo("manualrecord", "all_static", &info) && info && info->caption ? info->caption : "";
    d.state |= kAllDrawn;
  } else {
    std::snprintf(label, sizeof label, "%d", (d.state & kAllDrawn) ? index : index + 1);
  }
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, text);
  Rect r = box;
  DrawTextEx2(hdc, caption, -1, &r, 0, DT_CENTER | DT_VCENTER | DT_SINGLELINE, nullptr);
}

void PaintGrid(WindowHandle hwnd, HDC hdc, Data& d) {
  Rect client{};
  GetClientRect(hwnd, &client);
  const int boxWidth = (client.right - 5) / kGridColumns;
  // Numbering restarts with every paint, so a removed "all" item no
  // longer shifts the numbers of the items after it.
  d.state &= ~kAllDrawn;
  int index = 0;
  const Item* selected = nullptr;
  for (const Item* it = d.head; it; it = it->next, ++index) {
    const int row = index / kGridColumns, column = index % kGridColumns;
    const int x = column * (boxWidth + 1), y = row * d.itemHeight;
    PaintGridBox(hwnd, hdc, d, *it, index, Rect{x, y, x + boxWidth, y + d.itemHeight - 1});
    if (it->flags & kSelected) selected = it;
  }
  if (!selected) return;
  const int rows = (d.count + kGridColumns - 1) / kGridColumns;
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CAPTION_SELECTED));
  TextOutLen(hdc, 1, rows * d.itemHeight + 2, selected->text, -1);
}

}  // namespace

void PaintItemImage(HDC hdc, uintptr_t image, bool bitmap, int& x, int y, int h) {
  if (!image) return;
  if (bitmap) {
    const Bitmap* bmp = reinterpret_cast<const Bitmap*>(image);
    FillBoxWithBitmap(hdc, x, y, static_cast<int>(bmp->bmWidth), h, bmp);
    x += static_cast<int>(bmp->bmWidth) + 2;
    return;
  }
  int w = 0, ih = 0;
  GetIconSize(image, &w, &ih);
  DrawIcon(hdc, x, y, w, h, image);
  x += w + 2;
}

void Paint(WindowHandle hwnd, Data& d, HDC hdc) {
  if (GetWindowStyle(hwnd) & LBS_GRID)
    PaintGrid(hwnd, hdc, d);
  else
    PaintList(hwnd, hdc, d);
  if (ShowsFocus(hwnd, d)) {
    Rect r{};
    GetClientRect(hwnd, &r);
    painters::Outline(hdc, Color(WEC_FRAME_CONTROL_HILITE), r.left, r.top, r.right - 1, r.bottom - 1);
  }
}

// A drop-down's list is its box's: the box shows the focus.
bool ShowsFocus(WindowHandle hwnd, const Data& d) {
  return (d.state & kFocused) && !IsControlOfClass(GetParent(hwnd), "combobox");
}

}  // namespace listbox

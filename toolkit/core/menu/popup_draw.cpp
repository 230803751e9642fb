// Drawing an open popup straight onto the screen: its frame, head and
// items, and one item again when the selection changes.
#include "core/menu/popup_draw.h"

#include <algorithm>

#include "core/element_color.h"
#include "core/control_layer.h"
#include "gui/bitmap.h"
#include "gui/image.h"
#include "core/menu/menu_marks.h"
#include "gui/control_paint.h"
#include "core/menu/menu_style.h"
#include "core/menu/popup_bands.h"
#include "core/menu/popup_skin.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/text.h"

namespace menu {
namespace {

constexpr HDC kScreen = HDC_SCREEN;

int Width(const Bitmap* b) { return b ? static_cast<int>(b->bmWidth) : 0; }
int Height(const Bitmap* b) { return b ? static_cast<int>(b->bmHeight) : 0; }

const char* TextOf(const ItemRecord* r) { return static_cast<const char*>(r->typeData); }

// Mark, colours and the clipped text of a text record at (x0, y).
void DrawRecordText(const ItemRecord* r, int x0, int y, int cw, bool highlighted, int markDy) {
  const int h = r->measure, ox = Halve(Metric(kItemOffX)), fh = MenuFontHeight();
  const Bitmap* mark = MarkOf(r, highlighted);
  const int indent = mark ? std::max(Width(mark), ox) : ox;
  if (mark) FillBoxWithBitmap(kScreen, x0 + indent / 2, y + (h - Height(mark)) / 2 + markDy, Width(mark), Height(mark), mark);
  SetDCAttr(kScreen, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(kScreen, DC_ATTR_BK_COLOR, Color(highlighted ? WEC_BKC_MENUITEM_HILITE : WEC_BKC_MENUITEM_NORMAL));
  SetDCAttr(kScreen, DC_ATTR_TEXT_COLOR, Color(Disabled(r) ? WEC_FC_MENUITEM_DISABLED : highlighted ? WEC_FC_MENUITEM_HILITE : WEC_FC_MENUITEM_NORMAL));
  if (!TextOf(r)) return;
  int tx = 0, ty = y + Metric(kInterItemY), maxWidth = 0;
  if (mark) {
    tx = x0 + 2 * indent;
    maxWidth = cw - 2 * indent - Metric(kLeftMargin);
    if (Height(mark) > fh) ty += (Height(mark) - fh) / 2 + (h - Height(mark)) / 2;
  } else {
    tx = x0 + indent / 2;
    maxWidth = cw - 2 * (indent / 2) - Metric(kLeftMargin);
    const int skinH = Height(HighlightSkin());
    if (skinH > fh) ty += (skinH - fh) / 2;
  }
  TextOutOmitted(kScreen, tx, ty, TextOf(r), TextLength(TextOf(r)), maxWidth);
}

// One record of the full drawing at (x0, y); right bounds its column.
void DrawRecord(const TrackingRecord* t, const ItemRecord* r, int x0, int y, int right) {
  const Rect& f = t->frame;
  const int fw = f.right - f.left, h = r->measure;
  const bool checked = r->state & MFS_CHECKED;
  if (IsBitmapRecord(r)) {
    if (r->header.kind == kPopup) {
      if (checked) {
        PutBitmap(r->bitmaps[1], x0, y, fw - 2 * Metric(kTopMargin), Height(r->bitmaps[1]));
        PutBitmap(r->bitmaps[3], x0, y, fw - 2 * Metric(kTopMargin), Height(r->bitmaps[3]));
      } else if (const Bitmap* caption = CaptionSkin()) {
        FillBoxWithBitampCombineEx(kScreen, x0, y, fw - Metric(kLeftMargin) - Metric(kRightMargin), Height(caption),
                                   caption, TRUE, TRUE, FALSE);
      }
      return;
    }
    const int w = Width(static_cast<const Bitmap*>(r->typeData));
    if (checked) {
      PutBitmap(r->bitmaps[1], x0, y, w, h);
      PutBitmap(r->bitmaps[3], x0, y, w, h);
    } else {
      PutBitmap(static_cast<const Bitmap*>(r->typeData), x0, y, w, h);
    }
    DrawSubMenuArrow(r, right, y, false);
    return;
  }
  if (Separator(r)) {
    DrawSeparator(x0, f.right, y, h);
    return;
  }
  if (r->type & MFT_NOTEXT) return;
  if (r->header.kind == kPopup) {
    DrawHeadText(r, x0, x0 + Halve(Metric(kItemOffX)) / 2, f.right, y);
    return;
  }
  if (t->popup->type & MFT_NOTEXT) return;
  DrawRecordText(r, x0, y, ColumnWidth(r, fw), false, 0);
  DrawSubMenuArrow(r, right, y, false);
}

// Column bounds of a record counted c after the first shown one.
void ColumnBounds(const TrackingRecord* t, const ItemRecord* r, int c, int* left, int* right) {
  const Rect& f = t->frame;
  const int w = f.right - f.left, lm = Metric(kLeftMargin);
  *left = f.left;
  *right = f.right;
  const int columns = ColumnsOf(r);
  if (c == 0) {
    if (columns > 1) *right = f.left + w / columns;
    return;
  }
  const int column = ColumnOf(r, c, t->rows);
  if (columns == 2) {
    if (column == 0) *right = f.left + w / 2;
    else *left = f.left + w / 2 - lm + 1;
  } else if (columns == 3) {
    if (column == 0) {
      *right = f.left + w / 3;
    } else if (column == 1) {
      *left = f.left + w / 3 - lm + 2;
      *right = *left + w / 3 + 2;
    } else {
      *left = f.left + (2 * w) / 3 - lm + 2;
    }
  }
}

}  // namespace

bool IsBitmapRecord(const ItemRecord* r) { return (r->type & MFT_BITMAP) && !(r->type & MFT_BMPSTRING); }
bool IsTextRecord(const ItemRecord* r) { return !IsBitmapRecord(r) && !Separator(r); }

const Bitmap* MarkOf(const ItemRecord* r, bool highlighted) {
  if (r->type & MFT_BMPSTRING) return r->bitmaps[(r->state & MFS_BITMAP2) ? 1 : 0];
  if (!(r->state & MFS_CHECKED)) return nullptr;
  return MarkBitmap((r->type & MFT_RADIOCHECK) ? Mark::kDot : Mark::kCheck, highlighted);
}

void DrawSubMenuArrow(const ItemRecord* r, int right, int y, bool highlighted) {
  if (!r->sub) return;
  const int h = r->measure, off = (h - kMarkHeight) / 2;
  PutBitmap(MarkBitmap(Mark::kArrow, highlighted), right - 2 * Metric(kRightMargin) - kMarkWidth, y + off, kMarkWidth,
            h - 2 * off);
}

void DrawSeparator(int x0, int right, int y, int h) {
  const int at = y + h / 2 - Metric(kInterItemY) + 1, end = right - Metric(kRightMargin);
  HLine(kScreen, Color(WEC_FRAME_MENUITEM_HILITE), x0, end, at);
  HLine(kScreen, Color(WEC_FRAME_MENUITEM_NORMAL), x0, end, at + 1);
}

void DrawHeadText(const ItemRecord* r, int x0, int textX, int right, int y) {
  const int h = r->measure, iy = Metric(kInterItemY), end = right - Metric(kRightMargin);
  SetDCAttr(kScreen, DC_ATTR_TEXT_COLOR, Color(WEC_FC_MENUITEM_NORMAL));
  SetDCAttr(kScreen, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  if (TextOf(r)) TextOutLen(kScreen, textX, y + iy, TextOf(r), TextLength(TextOf(r)));
  HLine(kScreen, Color(WEC_FC_MENUITEM_NORMAL), x0, end, y + h - 2 * iy);
  HLine(kScreen, Color(WEC_FC_MENUITEM_NORMAL), x0, end, y + h - iy);
}

void PutBitmap(const Bitmap* b, int x, int y, int w, int h) {
  if (b && w > 0 && h > 0) FillBoxWithBitmap(kScreen, x, y, w, h, b);
}

int ColumnWidth(const ItemRecord* r, int frameWidth) { return frameWidth / ColumnsOf(r); }

// Fill, corner quarters, border lines from the outside in, column dividers.
void DrawPopupFrame(const Rect& f, uint32_t type) {
  const int w = f.right - f.left, h = f.bottom - f.top;
  FillRect(kScreen, Color(WEC_BKC_MENUITEM_NORMAL), f.left, f.top, w, h);
  if (const Bitmap* corners = GetStockBitmap("corners", -1, -1)) {
    const int bw = Width(corners), bh = Height(corners), qw = bw / 2, qh = bh / 2;
    FillBoxWithBitmapPart(kScreen, f.left, f.top, qw, qh, bw, bh, corners, 0, 0);
    FillBoxWithBitmapPart(kScreen, f.right - qw, f.top, qw, qh, bw, bh, corners, qw, 0);
    FillBoxWithBitmapPart(kScreen, f.left, f.bottom - qh, qw, qh, bw, bh, corners, 0, qh);
    FillBoxWithBitmapPart(kScreen, f.right - qw, f.bottom - qh, qw, qh, bw, bh, corners, qw, qh);
  }
  const int b = Metric(kBorder);
  auto colour = [b](int i) { return Color(i < 2 ? WEC_FRAME_BORDER : i == b - 1 ? WEC_FRAME_BORDER_OUTER : WEC_FRAME_BORDER_INNER); };
  for (int i = 0; i < b; ++i) {
    SetDCAttr(kScreen, DC_ATTR_PEN_COLOR, colour(i));
    Rectangle(kScreen, f.left + i, f.top + i, f.right - 1 - i, f.bottom - 1 - i);
  }
  const int columns = (type & MFT_THREECOLUMNS) ? 3 : (type & MFT_TWOCOLUMNS) ? 2 : 1;
  for (int k = 1; k < columns; ++k) {
    const int x = f.left + (k * w) / columns - b / 2;
    for (int i = 0; i < b; ++i) VLine(kScreen, colour(i), x + i, f.top + b, f.bottom - 1 - b);
  }
}

int DrawPopupMenu(TrackingRecord* t) {
  ItemRecord* p = t->popup;
  const Rect& r = t->head.rect;
  t->frame = r;
  t->itemRect = Rect{r.left, r.top, r.right, r.top + p->measure};
  t->firstShown = p;
  t->topBox = t->bottomBox = Rect{};
  t->topShown = t->bottomShown = t->rehighlight = false;
  const int sh = ScreenHeight();
  if (r.bottom > sh && r.bottom - r.top > sh) {
    t->frame.bottom = sh - Font4Height();
    t->bottomBox = Rect{r.left, sh - Font4Height(), r.right, sh};
    t->bottomShown = true;
  }
  const Rect& f = t->frame;
  const int fw = f.right - f.left, top = f.top + Metric(kTopMargin);
  SelectFont(kScreen, MenuFont());
  DrawPopupFrame(f, p->type);
  int x0 = f.left + Metric(kLeftMargin), y = top;
  DrawRecord(t, p, x0, y, f.right);
  y += p->measure;
  int c = 0, column = 0;
  for (ItemRecord* it = ListAfter(p); it; it = it->next) {
    const int columns = ColumnsOf(it);
    if (IsTextRecord(it) && columns > 1) {
      ++c;
      if (columns == 2 && c >= t->rows) x0 = f.left + fw / 2 + 1, column = 1;
      if (columns == 3 && c >= t->rows) {
        column = c < 2 * t->rows ? 1 : 2;
        x0 = column == 1 ? f.left + fw / 3 + 1 : f.left + (2 * fw) / 3 + 2;
      }
      if (c == t->rows || (columns == 3 && c == 2 * t->rows)) y = top;
    }
    // The arrow stays in its item's column (at the frame's right edge it
    // pointed from the last column at a stranger's row).
    const int right = column + 1 >= columns ? f.right : f.left + ((column + 1) * fw) / columns;
    if (y < f.bottom) DrawRecord(t, it, x0, y, right);
    y += it->measure;
  }
  if (t->bottomShown) DrawScrollBox(t, true);
  return 0;
}

void DrawPopupMenuItem(TrackingRecord* t, ItemRecord* e, bool highlighted) {
  if (e->header.kind == kPopup || Separator(e)) return;
  int left = 0, right = 0, top = 0;
  bool found = false;
  WalkBands(t, [&](const ItemRecord* r, int c, int y) {
    if (r != e) return true;
    ColumnBounds(t, r, c, &left, &right);
    top = y;
    found = true;
    return false;
  });
  if (!found) return;
  if (highlighted)
    e->state |= MFS_HILITE;
  else
    e->state &= ~MFS_HILITE;
  const int y = top & ~1, h = ((top + e->measure) & ~1) - y;
  const int lm = Metric(kLeftMargin), rm = Metric(kRightMargin), ox = Halve(Metric(kItemOffX));
  const Bitmap* band = HighlightSkin();
  if (highlighted && band) {
    Rect box{left + lm + ox / 4, y + Metric(kInterItemY), right - lm, y + Metric(kInterItemY) + Height(band)};
    Controls().drawBoxWithBitmapCombine(kScreen, &box, band);
  } else {
    FillRect(kScreen, Color(highlighted ? WEC_BKC_MENUITEM_HILITE : WEC_BKC_MENUITEM_NORMAL), left + lm, y, right - left - rm - lm + 1, h);
  }
  const int x1 = left + lm;
  SelectFont(kScreen, MenuFont());
  if (IsBitmapRecord(e)) {
    if (e->state & MFS_CHECKED)
      PutBitmap(e->bitmaps[1], x1, y, Width(e->bitmaps[1]), Height(e->bitmaps[1]));
    else if (highlighted)
      PutBitmap(e->bitmaps[0], x1, y, Width(e->bitmaps[0]), Height(e->bitmaps[0]));
    else if (const Bitmap* caption = CaptionSkin())
      FillBoxWithBitampCombineEx(kScreen, x1, y, right - left, Height(caption), caption, TRUE, TRUE, FALSE);
    DrawSubMenuArrow(e, right, y, highlighted);
    return;
  }
  if (e->type & MFT_NOTEXT) return;
  DrawRecordText(e, x1, y, ColumnWidth(e, t->frame.right - t->frame.left), highlighted, 1);
  DrawSubMenuArrow(e, right, y, highlighted);
}

}  // namespace menu

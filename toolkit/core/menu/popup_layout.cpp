// Layout of an open popup: item heights, columns, size, alignment flags
// and fitting to the screen.
#include <algorithm>

#include "core/menu/menu_style.h"
#include "core/menu/popup_skin.h"
#include "core/menu/tracking.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/livevideo.h"
#include "gui/text.h"

namespace menu {
namespace {

constexpr int kArrowWidth = 16;

struct Measure {
  int widest = 0;
  bool indent = false, arrow = false;
  int rowMin = 0, minX = 0, skinH = 0;
};

int RowMinimum() {
  if (OnMainOutput()) return std::max(GetSysFontHeight(4), Metric(kMenuItemY));
  return OnAuxOutput() ? GetSysFontHeight(6) : 0;
}

const Bitmap* FirstBitmap(const ItemRecord* r) { return r->bitmaps[0]; }
int Height(const Bitmap* b) { return b ? static_cast<int>(b->bmHeight) : 0; }
int Width(const Bitmap* b) { return b ? static_cast<int>(b->bmWidth) : 0; }

// Height of a text row; the width grows by the bitmap of a bitmap-and-text
// record (extra: the four pixels the head and first column add).
int TextRow(const ItemRecord* r, const Measure& m, int* width, int extra) {
  if (!(r->type & MFT_BMPSTRING)) return std::max(m.skinH, m.rowMin) + 2 * Metric(kInterItemY);
  *width += Width(FirstBitmap(r)) + 2 * Metric(kItemOffX) + extra;
  return std::max({m.skinH, m.rowMin, Height(FirstBitmap(r))}) + 2 * Metric(kInterItemY);
}

void MeasureHead(ItemRecord* p, Measure& m) {
  if (p->type & MFT_NOTEXT) return;
  if (p->type & MFT_SEPARATOR) {
    p->measure = Metric(kSeparatorY) + 2 * Metric(kInterItemY);
    if (m.minX > 0) m.widest = m.minX;
    return;
  }
  if (p->type & MFT_BITMAP) {
    p->measure = Height(CaptionSkin());
    return;
  }
  Size size{};
  const char* text = static_cast<const char*>(p->typeData);
  if (text) GetTabbedTextExtent(HDC_SCREEN, text, TextLength(text), &size);
  int width = size.cx;
  p->measure = TextRow(p, m, &width, 4);
  if (p->header.kind == kPopup) p->measure += 2 * Metric(kInterItemY);
  if (width > 0) m.widest = width;
  m.indent = true;
}

// One item of any column; first says whether the head's flags apply.
void MeasureItem(ItemRecord* it, Measure& m, bool first) {
  if (it->type & MFT_NOTEXT) return;
  if (it->type & MFT_SEPARATOR) {
    it->measure = Metric(kSeparatorY) + 2 * Metric(kInterItemY);
    m.widest = std::max(m.widest, m.minX);
  } else if (it->type & MFT_BITMAP) {
    const Bitmap* b = static_cast<const Bitmap*>(it->typeData);
    it->measure = Height(b);
    m.widest = static_cast<int>(std::max(static_cast<unsigned>(m.widest), b ? b->bmWidth : 0u));
  } else {
    Size size{};
    const char* text = static_cast<const char*>(it->typeData);
    if (text) GetTextExtentEx(HDC_SCREEN, text, TextLength(text), &size, getCurOutputHook());
    int width = size.cx;
    it->measure = TextRow(it, m, &width, first ? 4 : 0);
    m.widest = std::max(m.widest, width);
    if (first && !(it->type & MFT_BMPSTRING)) m.indent = true;
  }
  if (first && it->sub) m.arrow = true;
}

int CountRecords(const ItemRecord* p) {
  int count = p->header.kind == kPopup ? 0 : 1;
  for (const ItemRecord* it = ListAfter(p); it; it = it->next) ++count;
  return count;
}

int EvenDown(int v) { return v & ~1; }

void FitToScreen(TrackingRecord* t, Rect& r, int width) {
  const int sw = ScreenWidth(), sh = ScreenHeight();
  if (r.right > sw) {
    if (const TrackingRecord* parent = t->parent) {
      const Rect& pr = parent->head.rect;
      r.left = pr.left - width;
      if (r.left < 0) {
        const int room = sw - pr.right;
        if (pr.left > room) {
          width = pr.left;
          r.left = 0;
        } else {
          width = room;
          r.left = pr.right;
        }
      }
    } else {
      r.left = sw - width;
    }
    r.right = r.left + width;
    if (r.left < 0) {
      r.left = 0;
      r.right = width;
    }
  }
  if (r.bottom > sh) {
    const int tall = r.bottom - r.top + 1;
    r.top = sh - tall;
    r.bottom = sh;
    if (r.top < 0) {
      r.top = 0;
      r.bottom = tall;
    }
  }
}

}  // namespace

void LayoutPopupMenu(TrackingRecord* t) {
  ItemRecord* p = t->popup;
  Rect r = t->head.rect;
  int bottom = r.top + Metric(kTopMargin);
  SelectFont(HDC_SCREEN, MenuFont());
  ReloadCaptionSkin();
  const Bitmap* skin = HighlightSkin();
  Measure m;
  m.rowMin = RowMinimum();
  m.minX = HalvedOutput() ? Metric(kItemMinX) >> 1 : Metric(kItemMinX);
  m.skinH = Height(skin);
  MeasureHead(p, m);
  bottom += p->measure;

  const int count = CountRecords(p);
  const int columns = count <= 10 ? 1 : count <= 20 ? 2 : 3;
  const uint32_t bit = columns == 2 ? MFT_TWOCOLUMNS : columns == 3 ? MFT_THREECOLUMNS : 0;
  p->type |= bit;
  t->rows = columns > 1 ? (count + columns - 1) / columns : 0;

  ItemRecord* it = ListAfter(p);
  for (int counted = 0; it; it = it->next) {
    it->type |= bit;
    MeasureItem(it, m, true);
    if (columns > 1 && ++counted == t->rows) break;
    bottom += it->measure;
  }
  // Later columns start level with the head; the frame grows when one of
  // them reaches lower than the first (a count that is a multiple of the
  // columns leaves one item more there).
  int columnHeight[3] = {};
  for (int c = t->rows; it; it = it->next, ++c) {
    it->type |= bit;
    MeasureItem(it, m, false);
    columnHeight[c >= 2 * t->rows && columns == 3 ? 2 : 1] += it->measure;
  }
  bottom = std::max({bottom, r.top + Metric(kTopMargin) + columnHeight[1], r.top + Metric(kTopMargin) + columnHeight[2]});
  bottom += Metric(kBottomMargin);

  int width = m.widest + (m.indent ? Metric(kItemOffX) : 0) + (m.arrow ? kArrowWidth : 0) + 2 * Width(skin) / 3;
  width = width * columns + Metric(kLeftMargin) + Metric(kRightMargin);
  r.right = r.left + width;
  r.bottom = bottom;
  if (t->flags & TPM_CENTERALIGN) r.left -= width >> 1, r.right -= width >> 1;
  if (t->flags & TPM_RIGHTALIGN) r.left -= width, r.right -= width;
  const int tall = r.bottom - r.top + 1;
  if (t->flags & TPM_VCENTERALIGN) r.top -= tall / 2, r.bottom -= tall / 2;
  if (t->flags & TPM_BOTTOMALIGN) r.top -= tall, r.bottom -= tall;
  FitToScreen(t, r, width);
  t->head.rect = Rect{EvenDown(r.left), EvenDown(r.top), EvenDown(r.right), EvenDown(r.bottom)};
}

ItemRecord* ListAfter(const ItemRecord* record) {
  return record->header.kind == kPopup ? record->sub : record->next;
}

int ColumnsOf(const ItemRecord* record) {
  if (record->type & MFT_THREECOLUMNS) return 3;
  return (record->type & MFT_TWOCOLUMNS) ? 2 : 1;
}

int Halve(int value) { return HalvedOutput() ? value >> 1 : value; }

int ScreenWidth() {
  Size s{};
  GetScreenExtentEx(getCurOutputHook(), &s);
  return s.cx;
}

int ScreenHeight() {
  Size s{};
  GetScreenExtentEx(getCurOutputHook(), &s);
  return s.cy;
}

}  // namespace menu

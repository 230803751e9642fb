// Where the new tool bar's items go, and its size rule.
#include <algorithm>
#include <cstring>

#include "controls/toolbar/newtoolbar_internal.h"
#include "gui/dc.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace controls::ntb {

namespace {

constexpr int kLabelMax = 15, kMeasureMax = 30;

struct Text {
  int fontHeight;
  int width;
};

Text Measure(WindowHandle hwnd, const char* label) {
  Text t{GetSysCharHeight(), 0};
  HDC hdc = GetClientDC(hwnd);
  if (hdc == HDC_INVALID || hdc == 0) return t;
  SelectFont(hdc, GetWindowFont(hwnd));
  t.fontHeight = GetFontHeight(hdc);
  Size size{};
  if (label && *label) GetTextExtentEx(hdc, label, -1, &size, 0);
  t.width = size.cx;
  ReleaseDC(hdc);
  return t;
}

bool Vertical(const BarData& d) { return (d.style & NTBS_VERTICAL) != 0; }

void SizeButton(WindowHandle hwnd, const BarData& d, Item& it, bool relayout) {
  Rect& r = it.rect;
  r.right = r.left + d.cellWidth + 1;
  r.bottom = r.top + d.cellHeight + 1;
  it.labelRect = r;
  if (!(d.style & NTBS_WITHTEXT)) return;
  const Text t = Measure(hwnd, it.label);
  if (d.style & NTBS_TEXTRIGHT) {
    const int left = r.left + d.cellWidth + (relayout ? 3 : 2);
    it.labelRect = Rect{left, r.top, left + t.width, r.top + d.cellHeight + 1};
    r.right = it.labelRect.right + 3;
  } else {
    const int top = r.top + d.cellHeight + 2;
    it.labelRect = Rect{r.left, top, r.right, top + t.fontHeight};
    r.bottom = it.labelRect.bottom + 1;
  }
}

// The widest label right edge of the row (column) that ends at index.
int WidestBefore(const BarData& d, size_t index) {
  int right = 0;
  for (size_t i = index; i-- > 0 && !d.items[i].NewLine();) right = std::max(right, d.items[i].labelRect.right);
  return right;
}

}  // namespace

void SetImage(BarData* d, const NtbCreateData* data) {
  d->image = data->image;
  d->rows = static_cast<int>(std::max<intptr_t>(1, data->rows));
  d->columns = static_cast<int>(data->columns > 0 ? data->columns : 4);
  const int w = d->image ? static_cast<int>(d->image->bmWidth) : 0;
  const int h = d->image ? static_cast<int>(d->image->bmHeight) : 0;
  d->cellWidth = static_cast<int>(data->cellWidth > 0 ? data->cellWidth : w / d->columns);
  d->cellHeight = static_cast<int>(data->cellHeight > 0 ? data->cellHeight : h / d->rows);
}

void CopyLabel(WindowHandle hwnd, char out[16], const char* text) {
  std::memset(out, 0, 16);
  if (!text) return;
  const int len = static_cast<int>(strnlen(text, kMeasureMax));
  int cut = std::min(len, kLabelMax);
  if (len > kLabelMax) {
    // Cut before the character that holds byte 16, so none is split.
    int pos[kMeasureMax + 1] = {};
    int count = 0;
    HDC hdc = GetClientDC(hwnd);
    if (hdc != HDC_INVALID && hdc != 0) {
      GetTextExtentPoint(hdc, text, len, 0, &count, pos, nullptr, nullptr);
      ReleaseDC(hdc);
    }
    for (int k = 0; k < count; ++k)
      if (pos[k] <= kLabelMax) cut = pos[k];
    if (count == 0) cut = kLabelMax;
  }
  std::memcpy(out, text, static_cast<size_t>(cut));
}

void Place(WindowHandle hwnd, BarData* d, size_t index, bool relayout) {
  Item& it = d->items[index];
  const bool vertical = Vertical(*d);
  Rect& r = it.rect;
  if (index == 0) {
    r = vertical ? Rect{3, 9, 3, 9} : Rect{9, 3, 9, 3};
  } else {
    const Item& last = d->items[index - 1];
    if (it.NewLine()) {
      r = vertical ? Rect{last.rect.right + 2, 9, last.rect.right + 2, 9}
                   : Rect{9, last.rect.bottom + 2, 9, last.rect.bottom + 2};
      it.labelRect = r;
      return;
    }
    if (last.NewLine())
      r.left = vertical ? WidestBefore(*d, index - 1) + 2 : 9, r.top = vertical ? 9 : last.rect.top;
    else if (vertical)
      r.left = last.rect.left, r.top = last.rect.bottom + 2;
    else
      r.left = last.rect.right + 2, r.top = last.rect.top;
  }
  if (it.NewLine()) {
    r.right = r.left, r.bottom = r.top, it.labelRect = r;
  } else if (it.Separator()) {
    const int across = (d->style & NTBS_DRAWSEPARATOR) ? 5 : 10;
    r.right = r.left + (vertical ? d->cellWidth : across);
    r.bottom = r.top + (vertical ? across : d->cellHeight);
    it.labelRect = r;
  } else {
    SizeButton(hwnd, *d, it, relayout);
  }
}

void Relayout(WindowHandle hwnd, BarData* d) {
  for (size_t i = 0; i < d->items.size(); ++i) {
    Place(hwnd, d, i, true);
    if (d->items[i].NewLine()) break;
  }
}

void SizeRule(WindowHandle hwnd, const BarData& d, const Rect* requested, Rect* out) {
  if (!requested || !out) return;
  *out = *requested;
  if (d.style & NTBS_MULTLINE) return;
  if (!Vertical(d)) {
    int h = d.cellHeight + 6;
    if ((d.style & NTBS_WITHTEXT) && !(d.style & NTBS_TEXTRIGHT)) h += Measure(hwnd, nullptr).fontHeight + 2;
    out->bottom = out->top + h;
  } else if (!(d.style & NTBS_WITHTEXT)) {
    out->right = out->left + d.cellWidth + 6;
  }
}

}  // namespace controls::ntb

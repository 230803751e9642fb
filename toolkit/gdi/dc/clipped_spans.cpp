#include "gdi/clipped_spans.h"

#include <algorithm>

#include "gdi/bitmap/box_drawing.h"
#include "gdi/dc/pixel_ops.h"

namespace gui::dc {
namespace {

bool SameBand(const ClipRect* a, const ClipRect* b) { return a->rc.top == b->rc.top; }

ClipRect* FirstOfBand(ClipRect* node) {
  while (node->prev && SameBand(node->prev, node)) node = node->prev;
  return node;
}

// Draws from (x, w, y) within every node of the band holding y.
void DrawSpan(DC* dc, int x, int w, int y) {
  ClipRect* band = FindClipBand(dc, y);
  if (!band) return;
  const int step = dc->step;
  for (ClipRect* node = band; node && SameBand(node, band); node = node->next) {
    Rect cut;
    if (!IntersectRect(&cut, &node->rc, &dc->rcOutput)) continue;
    int sx = x, sw = w;
    if (!ClipHSpan(&cut, &sx, y, &sw)) continue;
    if (step > 1) {
      const int r = sx % step;
      sx += r;
      sw -= 2 * r;
    }
    if (sw <= 0) continue;
    dc->moveTo(dc, sx, y);
    dc->setSpan(dc, sw);
  }
}

// Rows [ys, ye) of column x, every step-th from the first multiple of it.
void DrawColumn(DC* dc, int x, int ys, int ye) {
  const int step = dc->step;
  int count = ye - ys;
  int start = ys;
  if (step > 1) {
    const int r = ys % step;
    start += r;
    count -= 2 * r;
  }
  if (count <= 0) return;
  dc->moveTo(dc, x, start);
  kSetColumnOps[DepthIndexOf(dc) + kDepthCount * dc->rop](dc, count);
}

}  // namespace

ClipRect* FindClipBand(DC* dc, int y) {
  const ClipRgn& rgn = dc->effClip;
  if (!rgn.head || y >= rgn.tail->rc.bottom || y < rgn.head->rc.top) return nullptr;
  ClipRect* node = dc->curClipBand ? dc->curClipBand : rgn.head;
  if (y >= node->rc.top) {
    while (node && y >= node->rc.bottom) node = node->next;
  } else {
    while (node->prev && node->rc.top > y) node = node->prev;
    node = FirstOfBand(node);
    if (y >= node->rc.bottom) {  // between two bands: the later one
      while (node && y >= node->rc.bottom) node = node->next;
    }
  }
  dc->curClipBand = node;
  return node;
}

bool ClipHSpan(const Rect* rect, int* x, int y, int* w) {
  if (*x >= rect->right || y >= rect->bottom || *x + *w < rect->left || y < rect->top)
    return false;
  if (*x >= rect->left && *x + *w < rect->right) return true;
  if (*x < rect->left) {
    *w = *x + *w - rect->left;
    *x = rect->left;
  }
  if (*x + *w >= rect->right) *w = rect->right - *x;
  return *w > 0;
}

void DrawClippedHLine(DC* dc, int x1, int x2, int y) {
  if (x1 == x2) return;
  DrawClippedRun(dc, x1, x2, y);
}

void DrawClippedRun(DC* dc, int x1, int x2, int y) {
  if (x1 > x2) std::swap(x1, x2);
  DrawSpan(dc, x1, x2 - x1 + 1, y);
}

void FillSpanRows(DC* dc, const Rect& cut) {
  for (int row = cut.top; row < cut.bottom; ++row) {
    dc->moveTo(dc, cut.left, row);
    dc->setSpan(dc, cut.right - cut.left);
  }
}

void DrawClippedVLine(DC* dc, int y1, int y2, int x) {
  if (y1 == y2) return;
  int ymin = std::min(y1, y2);
  const int ymax = std::max(y1, y2);
  const ClipRgn& rgn = dc->effClip;
  if (!rgn.head || ymin >= rgn.tail->rc.bottom || ymax < rgn.head->rc.top) return;
  ClipRect* band = rgn.head;
  while (band && band->rc.bottom <= ymin) band = band->next;
  while (band && ymin < ymax) {
    ClipRect* node = band;
    for (; node && SameBand(node, band); node = node->next) {
      Rect cut;
      if (!IntersectRect(&cut, &node->rc, &dc->rcOutput)) continue;
      if (x < cut.left || x >= cut.right) continue;
      DrawColumn(dc, x, std::max(ymin, cut.top), std::min(ymax, cut.bottom));
    }
    ymin = std::max(ymin, band->rc.bottom);
    band = node;
  }
}

void FillClippedOutput(DC* dc) {
  const Rect& out = dc->rcOutput;
  FillClippedBox(dc, out.left, out.top, out.right - out.left, out.bottom - out.top);
}

void PreparePen(DC* dc, GalPixel pixel, int step) {
  dc->curPixel = pixel;
  dc->curClipBand = nullptr;
  dc->step = step;
}

}  // namespace gui::dc

// Polygon scan conversion: a row-buffer generator for vertically monotone
// polygons and an edge-table generator for any polygon. Both hand each row
// to a span call-back (x1 to x2 inclusive).
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "gdi/dc/polygon_rows.h"
#include "gui/polygon.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// ---- monotone polygons ----

struct RowSpan {
  int left = 0;
  int right = 0;
};

constexpr int64_t kFixOne = 0x10000;

// |dx| / dy as 16.16, rounded to nearest; saturates at 0x7FFFFFFF.
int64_t EdgeSlope(int64_t dx, int64_t dy) {
  const int64_t slope = (std::llabs(dx) * kFixOne + dy / 2) / dy;
  if (slope > 0x7FFFFFFF) {
    errno = ERANGE;
    return 0x7FFFFFFF;
  }
  return slope;
}

// Fills x of the rows [y0, y1) of the edge (x0, y0)-(x1, y1) that fall in
// the buffer (rows topY .. topY + rowCount - 1), one value per row. Each
// row's x follows from its own index, so rows outside are never visited.
void ComputeEdgeXs(int x0, int y0, int x1, int y1, int topY, int rowCount, RowSpan* rows,
                   int RowSpan::*side) {
  const int64_t dy = static_cast<int64_t>(y1) - y0;
  if (dy < 1) return;
  const int s = x1 >= x0 ? 1 : -1;
  const int64_t slope = EdgeSlope(static_cast<int64_t>(x1) - x0, dy);
  const int64_t first = std::max<int64_t>(0, static_cast<int64_t>(topY) - y0);
  const int64_t end = std::min<int64_t>(dy, static_cast<int64_t>(topY) + rowCount - y0);
  for (int64_t k = first; k < end; ++k) {
    const int64_t row = static_cast<int64_t>(y0) - topY + k;
    const int64_t product = k * slope;
    const int64_t step = product > 0x7FFFFFFF ? 32767 : (product + kFixOne - 1) / kFixOne;
    rows[row].*side = static_cast<int>(x0 + s * step);
  }
}

// Walks from the top point to the bottom point in direction `dir`,
// filling one side of every row.
void FillChain(const Point* points, int n, int top, int bottom, int dir, int topY, int rowCount,
               RowSpan* rows, int RowSpan::*side) {
  for (int i = top; i != bottom;) {
    const int next = (i + dir + n) % n;
    ComputeEdgeXs(points[i].x, points[i].y, points[next].x, points[next].y, topY, rowCount, rows,
                  side);
    i = next;
  }
}

// ---- general polygons ----

constexpr int kFracBits = 18;
constexpr int64_t kUnit = int64_t{1} << kFracBits;

struct PolygonEdge {
  int top;
  int bottom;     // inclusive
  int64_t x;      // fixed point, kFracBits fraction bits
  int64_t dx;     // change of x per row
  int64_t width;  // horizontal extent within one row
  PolygonEdge* prev;
  PolygonEdge* next;
  int64_t Key() const { return x + width / 2; }
};

void InitPolygonEdge(PolygonEdge* edge, Point t, Point b) {
  edge->top = t.y;
  edge->bottom = b.y - 1;
  edge->dx = (static_cast<int64_t>(b.x) - t.x) * kUnit / (static_cast<int64_t>(b.y) - t.y);
  edge->x = static_cast<int64_t>(t.x) * kUnit + (kUnit / 2 - 1);
  if (edge->dx < 0 && edge->dx + kUnit < 0) edge->x += edge->dx + kUnit;
  edge->width = std::llabs(edge->dx) - kUnit;
  if (edge->width < 0) edge->width = 0;
  edge->prev = edge->next = nullptr;
}

// Inserts edge in front of the first list edge for which `notSmaller` holds.
template <typename NotSmaller>
void InsertPolygonEdge(PolygonEdge** list, PolygonEdge* edge, NotSmaller notSmaller) {
  PolygonEdge* prev = nullptr;
  PolygonEdge* at = *list;
  while (at != nullptr && !notSmaller(at)) {
    prev = at;
    at = at->next;
  }
  edge->prev = prev;
  edge->next = at;
  if (at != nullptr) at->prev = edge;
  if (prev != nullptr) {
    prev->next = edge;
  } else {
    *list = edge;
  }
}

void RemovePolygonEdge(PolygonEdge** list, PolygonEdge* edge) {
  if (edge->prev != nullptr) {
    edge->prev->next = edge->next;
  } else {
    *list = edge->next;
  }
  if (edge->next != nullptr) edge->next->prev = edge->prev;
  edge->prev = edge->next = nullptr;
}

// Moves an edge whose key shrank towards the front of the active list.
void SortTowardsFront(PolygonEdge** active, PolygonEdge* edge) {
  while (edge->prev != nullptr && edge->Key() < edge->prev->Key()) {
    PolygonEdge* before = edge->prev;
    RemovePolygonEdge(active, edge);
    InsertPolygonEdge(active, edge, [before](const PolygonEdge* e) { return e == before; });
  }
}

void ReportActiveSpans(void* context, const PolygonEdge* active, int y, SpanCallback cb) {
  for (const PolygonEdge* e1 = active; e1 != nullptr && e1->next != nullptr;
       e1 = e1->next->next) {
    const PolygonEdge* e2 = e1->next;
    cb(context, static_cast<int>(e1->x >> kFracBits),
       static_cast<int>((e2->x + e2->width) >> kFracBits), y);
  }
}

// Edges that began above `first` and reach it, advanced to it and listed
// as the walk from their tops would have left them: by key; on equal keys
// the one with the larger slope was to the left a row earlier and stays
// first (equal slopes then mean equal spans, so any order will do).
PolygonEdge* EnterPartway(PolygonEdge** waiting, int first) {
  std::vector<PolygonEdge*> running;
  for (PolygonEdge* e = *waiting; e != nullptr && e->top < first;) {
    PolygonEdge* next = e->next;
    RemovePolygonEdge(waiting, e);
    if (e->bottom >= first) {
      e->x += (static_cast<int64_t>(first) - e->top) * e->dx;
      running.push_back(e);
    }
    e = next;
  }
  std::sort(running.begin(), running.end(), [](const PolygonEdge* a, const PolygonEdge* b) {
    if (a->Key() != b->Key()) return a->Key() < b->Key();
    if (a->dx != b->dx) return a->dx > b->dx;
    return a < b;
  });
  PolygonEdge* active = nullptr;
  PolygonEdge* tail = nullptr;
  for (PolygonEdge* e : running) {
    e->prev = tail;
    e->next = nullptr;
    (tail ? tail->next : active) = e;
    tail = e;
  }
  return active;
}

void AdvanceActiveEdges(PolygonEdge** active, int y) {
  for (PolygonEdge* e = *active; e != nullptr;) {
    PolygonEdge* next = e->next;
    if (y < e->bottom) {
      e->x += e->dx;
      SortTowardsFront(active, e);
    } else {
      RemovePolygonEdge(active, e);
    }
    e = next;
  }
}

}  // namespace

extern "C" {

BOOL PolygonIsMonotoneVertical(const Point* points, int count) {
  if (count < 4) return TRUE;
  if (points[count - 1].x != points[0].x || points[count - 1].y != points[0].y) return FALSE;
  int i = 0;
  int direction = 0;
  for (; i < count - 1 && direction == 0; ++i) direction = Sign(points[i].y - points[i + 1].y);
  int changes = 0;
  for (; i < count - 1; ++i) {
    const int d = Sign(points[i].y - points[i + 1].y);
    if (d == 0 || d == direction) continue;
    direction = d;
    if (++changes > 2) return FALSE;
  }
  return TRUE;
}

BOOL MonotoneVerticalPolygonGenerator(void* context, const Point* points, int count,
                                      SpanCallback cb) {
  return gui::dc::MonotonePolygonRows(context, points, count, cb, INT32_MIN, INT32_MAX) ? TRUE : FALSE;
}

BOOL PolygonGenerator(void* context, const Point* points, int count, SpanCallback cb) {
  return gui::dc::PolygonRows(context, points, count, cb, INT32_MIN, INT32_MAX) ? TRUE : FALSE;
}

}  // extern "C"

namespace gui::dc {

bool MonotonePolygonRows(void* context, const Point* points, int count, SpanCallback cb, int firstRow,
                         int lastRow) {
  if (count < 3) return true;
  int top = 0, bottom = 0;
  for (int i = 1; i < count; ++i) {
    if (points[i].y < points[top].y) top = i;
    if (points[i].y > points[bottom].y) bottom = i;
  }
  if (points[bottom].y - static_cast<int64_t>(points[top].y) < 1) return true;
  // The bottom row itself is not reported.
  const int64_t from = std::max<int64_t>(points[top].y, firstRow);
  const int64_t to = std::min<int64_t>(static_cast<int64_t>(points[bottom].y) - 1, lastRow);
  if (from > to) return true;
  if (to - from + 1 > INT32_MAX) return false;  // no row buffer of that size
  const int topY = static_cast<int>(from);
  const int rowCount = static_cast<int>(to - from + 1);
  std::unique_ptr<RowSpan[]> rows(new (std::nothrow) RowSpan[rowCount]);
  if (!rows) return false;
  FillChain(points, count, top, bottom, -1, topY, rowCount, rows.get(), &RowSpan::left);
  FillChain(points, count, top, bottom, +1, topY, rowCount, rows.get(), &RowSpan::right);
  for (int r = 0; r < rowCount; ++r) cb(context, rows[r].left, rows[r].right, topY + r);
  return true;
}

bool PolygonRows(void* context, const Point* points, int count, SpanCallback cb, int firstRow, int lastRow) {
  if (count < 1) return true;
  std::unique_ptr<PolygonEdge[]> edges(new (std::nothrow) PolygonEdge[count]);
  if (!edges) return false;
  PolygonEdge* waiting = nullptr;
  int minTop = INT32_MAX, maxBottom = INT32_MIN;
  for (int i = 0; i < count; ++i) {
    const Point a = points[i == 0 ? count - 1 : i - 1];
    const Point b = points[i];
    if (a.y == b.y) continue;
    PolygonEdge* edge = &edges[i];
    InitPolygonEdge(edge, a.y < b.y ? a : b, a.y < b.y ? b : a);
    if (edge->bottom < edge->top) continue;
    const int top = edge->top;
    InsertPolygonEdge(&waiting, edge, [top](const PolygonEdge* e) { return e->top >= top; });
    if (edge->top < minTop) minTop = edge->top;
    if (edge->bottom > maxBottom) maxBottom = edge->bottom;
  }
  if (minTop > maxBottom) return true;
  const int first = std::max(minTop, firstRow);
  const int last = std::min(maxBottom, lastRow);
  if (first > last) return true;
  PolygonEdge* active = EnterPartway(&waiting, first);
  for (int64_t row = first; row <= last; ++row) {
    const int y = static_cast<int>(row);
    while (waiting != nullptr && waiting->top == y) {
      PolygonEdge* edge = waiting;
      RemovePolygonEdge(&waiting, edge);
      const int64_t key = edge->Key();
      InsertPolygonEdge(&active, edge, [key](const PolygonEdge* e) { return e->Key() >= key; });
    }
    ReportActiveSpans(context, active, y, cb);
    AdvanceActiveEdges(&active, y);
  }
  return true;
}

}  // namespace gui::dc

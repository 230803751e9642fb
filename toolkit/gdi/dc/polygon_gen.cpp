// Polygon scan conversion: a row-buffer generator for vertically monotone
// polygons and an edge-table generator for any polygon. Both hand each row
// to a span call-back (x1 to x2 inclusive).
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

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

// Fills x of the rows [y0, y1) of the edge (x0, y0)-(x1, y1), one value per row.
void ComputeEdgeXs(int x0, int y0, int x1, int y1, int topY, int rowCount, RowSpan* rows,
                   int RowSpan::*side) {
  const int64_t dy = static_cast<int64_t>(y1) - y0;
  if (dy < 1) return;
  const int s = x1 >= x0 ? 1 : -1;
  const int64_t slope = EdgeSlope(static_cast<int64_t>(x1) - x0, dy);
  for (int64_t k = 0; k < dy; ++k) {
    const int64_t row = static_cast<int64_t>(y0) - topY + k;
    if (row < 0 || row >= rowCount) continue;
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
  if (count < 3) return TRUE;
  int top = 0, bottom = 0;
  for (int i = 1; i < count; ++i) {
    if (points[i].y < points[top].y) top = i;
    if (points[i].y > points[bottom].y) bottom = i;
  }
  const int64_t height = static_cast<int64_t>(points[bottom].y) - points[top].y;
  if (height < 1) return TRUE;
  if (height > INT32_MAX) return FALSE;  // no row buffer of that size
  const int topY = points[top].y;
  const int rowCount = static_cast<int>(height);
  std::unique_ptr<RowSpan[]> rows(new (std::nothrow) RowSpan[rowCount]);
  if (!rows) return FALSE;
  FillChain(points, count, top, bottom, -1, topY, rowCount, rows.get(), &RowSpan::left);
  FillChain(points, count, top, bottom, +1, topY, rowCount, rows.get(), &RowSpan::right);
  for (int r = 0; r < rowCount; ++r) cb(context, rows[r].left, rows[r].right, topY + r);
  return TRUE;
}

BOOL PolygonGenerator(void* context, const Point* points, int count, SpanCallback cb) {
  if (count < 1) return TRUE;
  std::unique_ptr<PolygonEdge[]> edges(new (std::nothrow) PolygonEdge[count]);
  if (!edges) return FALSE;
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
  if (minTop > maxBottom) return TRUE;
  PolygonEdge* active = nullptr;
  for (int64_t row = minTop; row <= maxBottom; ++row) {
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
  return TRUE;
}

}  // extern "C"

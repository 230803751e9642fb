// Scrolling a window's pixels (desktop request 253): what stays visible is
// copied on the screen, and only what the move uncovers is repainted.
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/desktop/window_stack.h"
#include "core/window/window_damage.h"
#include "gdi/dc_record.h"
#include "gui/dc.h"
#include "gui/desktop.h"

namespace {


struct RegionDeleter {
  void operator()(ClipRgn* region) const { DestroyClipRgn(region); }
};
using Region = std::unique_ptr<ClipRgn, RegionDeleter>;

uint8_t* PixelAt(const DC* dc, int x, int y, int bytes) {
  return dc->geomPixels + static_cast<ptrdiff_t>(dc->geomPitch) * y + static_cast<ptrdiff_t>(bytes) * x;
}

// One rectangle moves in place, rows taken in the order that reads each
// one before it is overwritten.
void MoveRect(DC* dc, const Rect& r, int dx, int dy, int bytes) {
  const size_t rowBytes = static_cast<size_t>(r.right - r.left) * bytes;
  const int first = dy > 0 ? r.bottom - 1 : r.top, last = dy > 0 ? r.top - 1 : r.bottom, step = dy > 0 ? -1 : 1;
  for (int y = first; y != last; y += step)
    std::memmove(PixelAt(dc, r.left, y, bytes), PixelAt(dc, r.left - dx, y - dy, bytes), rowBytes);
}

// Every pixel of `dest` takes the one dx, dy before it. With several
// rectangles the sources are read out first: one's source may be
// another's destination.
bool MovePixels(DC* dc, const ClipRgn& dest, int dx, int dy) {
  const Rect& b = dest.rcBound;
  const int bytes = dc->surface->format->bytesPerPixel;
  if (dest.head == dest.tail) {
    MoveRect(dc, b, dx, dy, bytes);
    return true;
  }
  const size_t rowBytes = static_cast<size_t>(b.right - b.left) * bytes;
  std::vector<uint8_t> saved;
  try {
    saved.resize(rowBytes * static_cast<size_t>(b.bottom - b.top));
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (int y = b.top; y < b.bottom; ++y)
    std::memcpy(&saved[rowBytes * (y - b.top)], PixelAt(dc, b.left - dx, y - dy, bytes), rowBytes);
  for (const ClipRect* node = dest.head; node; node = node->next) {
    const Rect& r = node->rc;
    const size_t bytesOfRow = static_cast<size_t>(r.right - r.left) * bytes;
    for (int y = r.top; y < r.bottom; ++y)
      std::memcpy(PixelAt(dc, r.left, y, bytes),
                  &saved[rowBytes * (y - b.top) + static_cast<size_t>(r.left - b.left) * bytes], bytesOfRow);
  }
  return true;
}

// On the window's client DC: moves what can be moved and fills `uncovered`
// (client coordinates) with the rest of the visible rectangle. A pixel whose
// source another window covers is uncovered too, never copied from that
// window.
void ScrollOnScreen(WindowHandle hwnd, const Rect& rect, int dx, int dy, ClipRgn* uncovered) {
  HDC hdc = GetClientDC(hwnd);
  {
    gui::dc::LockedDC dc(hdc);
    Region moved(CreateClipRgn()), dest(CreateClipRgn());
    if (dc && moved && dest) {
      Rect area{rect.left + dc->devRect.left, rect.top + dc->devRect.top, rect.right + dc->devRect.left,
                rect.bottom + dc->devRect.top};
      ClipRgnCopy(uncovered, &dc->effClip);
      IntersectClipRect(uncovered, &area);
      ClipRgnCopy(moved.get(), uncovered);
      OffsetRegion(moved.get(), dx, dy);
      ClipRgnIntersect(dest.get(), uncovered, moved.get());
      if (!IsEmptyClipRgn(dest.get())) {
        // Sources and destinations both: the cursor is kept out of either.
        const Rect& to = dest->rcBound;
        const Rect from{to.left - dx, to.top - dy, to.right - dx, to.bottom - dy};
        GetBoundRect(&dc->rcOutput, &to, &from);
        gui::dc::DrawingScope drawing(dc.get());
        if (drawing && MovePixels(dc.get(), *dest, dx, dy)) SubtractRegion(uncovered, uncovered, dest.get());
      }
      OffsetRegion(uncovered, -dc->devRect.left, -dc->devRect.top);
    }
  }
  ReleaseDC(hdc);
}

}  // namespace

LResult ScrollStackedWindow(WindowRecord* win, const ScrollWindowInfo* info) {
  if (!info || (info->dx == 0 && info->dy == 0)) return 0;
  const Rect area = GeometryOf(win).client;  // the window's thread may be moving it
  const Rect client{0, 0, area.right - area.left, area.bottom - area.top};
  Rect rect = info->rect;
  if (IsRectEmpty(&rect)) rect = client;
  if (!IntersectRect(&rect, &rect, &client)) return 0;
  Region uncovered(CreateClipRgn());
  if (!uncovered) return 0;
  ScrollOnScreen(HandleOf(win), rect, info->dx, info->dy, uncovered.get());
  for (const ClipRect* node = uncovered->head; node; node = node->next) {
    Rect part = node->rc;
    InvalidateWindowArea(win, &part, false);
  }
  return 0;
}

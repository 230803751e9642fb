#include "core/window/default_proc_seams.h"

#include <atomic>

#include "core/desktop/desktop.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "gdi/dc/clipped_spans.h"
#include "gdi/dc/dc_record.h"
#include "gui/desktop.h"
#include "gui/paint.h"

namespace {
std::atomic<uint32_t> g_cursorX{0}, g_cursorY{0};
}  // namespace


void NoteCursorPosition(int x, int y) {
  g_cursorX = static_cast<uint32_t>(x);
  g_cursorY = static_cast<uint32_t>(y);
}

void CursorPosition(int* x, int* y) {
  *x = static_cast<int>(g_cursorX.load());
  *y = static_cast<int>(g_cursorY.load());
}





// Row by row through the clipped spans, as the box fill will do.
void FillWithPixel(HDC hdc, const Rect& rect, GalPixel pixel) {
  using namespace gui::dc;
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  LockedDC dc(hdc);
  if (!dc) return;
  int x0 = rect.left, y0 = rect.top, x1 = rect.right, y1 = rect.bottom;
  LogicalToDevice(dc.get(), &x0, &y0);
  LogicalToDevice(dc.get(), &x1, &y1);
  PreparePen(dc.get(), pixel, 1);
  dc->rcOutput = Rect{x0, y0, x1, y1};
  DrawingScope drawing(dc.get());
  if (!drawing) return;
  for (int y = y0; y < y1; ++y) DrawClippedRun(dc.get(), x0, x1 - 1, y);
}

// Drawing one bitmap box into a DC: the set-up shared by the bitmap fills,
// the image painters and icons, and the clip-rectangle walks that fill or
// put a box through the DC's effective region.
#ifndef GDI_BITMAP_BOX_DRAWING_H
#define GDI_BITMAP_BOX_DRAWING_H

#include "gdi/dc_record.h"
#include "gui/bitmap.h"

namespace gui::dc {

// Device-coordinate box, clip rectangle by clip rectangle of the DC's
// effective region that meets its output rectangle: with copy through
// GAL_FillRect / GAL_PutBox, otherwise row by row through the DC's pixel
// operations (so the raster operation applies). Called while drawing.
void FillClippedBox(DC* dc, int x, int y, int w, int h);
void PutClippedBox(DC* dc, int x, int y, int w, int h, const Bitmap* box);

// The device box of logical (x, y) and size w x h, corners in 64 bits and
// kept by FarCoord before and after the mapping: far off the surface a
// corner moves, the visible part of the box does not.
Rect DeviceBox(const DC* dc, int x, int y, int w, int h);

// Inside an open drawing whose output rectangle is cut to the device box
// `box` (bitmaps not run-length encoded): the bitmap at its own size or
// scaled to the box; the part from (xo, yo) of it at nominal size bw x bh,
// which must fit (BitmapPartFits). False without memory.
bool DrawBitmapBox(DC* dc, const Rect& box, const Bitmap* bitmap);
bool BitmapPartFits(const Rect& box, int bw, int bh, int xo, int yo);
bool DrawBitmapPart(DC* dc, const Rect& box, int bw, int bh, const Bitmap* bitmap, int xo, int yo);

// Locks the DC and prepares it for one bitmap box at logical (x, y) of
// logical size w x h (below 1: the bitmap's size): output rectangle, brush
// pixel, step, skip pixel = colour key, transparent background for keyed
// bitmaps, then BeginDCDrawing. The destructor ends the drawing, restores
// the background mode and unlocks.
class BoxDrawing {
 public:
  BoxDrawing(HDC hdc, const Bitmap* bitmap, int x, int y, int w, int h);
  ~BoxDrawing();
  BoxDrawing(const BoxDrawing&) = delete;
  BoxDrawing& operator=(const BoxDrawing&) = delete;

  // False when the DC is invalid or nothing of it can be drawn.
  bool drawing() const { return drawing_; }
  bool locked() const { return locked_.get() != nullptr; }
  DC* dc() const { return locked_.get(); }
  // The box in device coordinates.
  const Rect& box() const { return box_; }

 private:
  LockedDC locked_;
  Rect box_{};
  int32_t savedBkMode_ = 0;
  bool restoreBkMode_ = false;
  bool drawing_ = false;
};

}  // namespace gui::dc

#endif

/* Detection-zone geometry of the zone editor: the capability's grid in view
 * pixels and dragging a zone's edges, corners or whole rectangle. */
#ifndef APP_ALARMNET_ZONES_ZONE_GEOMETRY_H
#define APP_ALARMNET_ZONES_ZONE_GEOMETRY_H

#include "app/device_records.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Detection zones in view pixels. The zone grid's minimum-to-maximum
 * corner rectangle inside the view (x, y, w, h in and out); the pixel size of
 * one grid step (1 on an axis without steps); a pixel size rounded up to
 * whole steps. 0, or -1 for a missing argument. */
int zoneCellsToRect(ZoneGrid grid, int* x, int* y, int* w, int* h);
int getZoneMinSize(ZoneGrid grid, int left, int top, int right, int bottom, int* stepX, int* stepY);
int snapZoneSize(ZoneGrid grid, int left, int top, int right, int bottom, int* width, int* height);

/* Zone drag modes: the free corner of a rectangle being drawn, an edge, a
 * corner or the whole rectangle. */
enum ZoneDragMode {
  ZONE_DRAG_NEW = 0,
  ZONE_DRAG_RIGHT = 1,
  ZONE_DRAG_LEFT = 2,
  ZONE_DRAG_BOTTOM = 3,
  ZONE_DRAG_TOP = 4,
  ZONE_DRAG_TOPLEFT = 5,
  ZONE_DRAG_TOPRIGHT = 6,
  ZONE_DRAG_BOTTOMLEFT = 7,
  ZONE_DRAG_BOTTOMRIGHT = 8,
  ZONE_DRAG_MOVE = 9
};
/* Moves what `mode` names towards (x, y): moved edges stop on whole steps
 * from the view's left and top (or on the view's right and bottom), stay
 * inside the view and keep at least the minimum size; a drawn rectangle
 * whose minimum finds no room collapses onto its start. `offsets` (press x
 * - left, press y - top, right - press x, bottom - press y) place a moved
 * rectangle. 1 when the rectangle changed, else 0. */
int dragZoneRect(int mode, int x, int y, int stepX, int stepY, int minWidth, int minHeight, int left, int top,
                 int right, int bottom, const int offsets[4], Rect* rect);

GUI_EXTERN_C_END

#endif

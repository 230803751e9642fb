/* What the live view and the settings pages use of the camera and PTZ
 * pages: channel lists, the copy-to-channels dialog, the PTZ panel's state
 * and the add-camera entry points. */
#ifndef APP_CAMERA_H
#define APP_CAMERA_H

#include "app/device_records.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* "A%d " / "D%d " for every channel of the mask, or ("logdetail", "none"). */
int formatChannelList(uint32_t low, uint32_t high, char* buf, int size);

/* The open PTZ panel, or GUI_INVALID_HANDLE; its mouse mode (0 normal). */
WindowHandle getPtzPlayWindow(void);
int getPtzMouseMode(void);
void setPtzMouseMode(int mode);
void createPtzStatusWindow(int output, WindowHandle liveView);
int showPtzPlayDialog(WindowHandle owner);
void refreshPtzPlayLists(int output, int channel);
void ptzMoveByDirection(void);
void freePtzPatrolTables(void);

int showCameraMenu(WindowHandle owner);
/* The page becomes the camera page, owner of the live picture. */
void attachCameraPage(WindowHandle page);
/* Sends 102 to the camera menu window, when there is one. */
void closeCameraMenu(WindowHandle page, WParam wParam, LParam lParam);
void setAddIpcChannel(int slot);
int showAddIpcDialog(WindowHandle owner);
int showIpcAddError(WindowHandle owner, int code);

/* Starts a channel's small video at a screen position: no video here, 0. */
int showViewPosVideo(WindowHandle hwnd, int channel, int x, int y);

/* The copy-to-channels dialog: 1 after OK, 0 after Cancel. The mask (bit
 * n-1 for channel n) is 0 after Cancel; the rectangle is where it was left.
 * Mode 0 offers the analog channels and the IP channels the device has. */
int showImageCopyChanDialog(WindowHandle host, int sourceChannel, int mode);
uint64_t getImageCopyChanMask(void);
void getImageCopyChanRect(Rect* out);

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

/* Registers the camera menu with the page registry. */
void registerCameraPages(void);

GUI_EXTERN_C_END

#endif

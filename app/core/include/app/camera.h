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

GUI_EXTERN_C_END

#endif

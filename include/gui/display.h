/* Questions about the two video outputs and placement of windows designed on
 * a fixed grid onto the real screen. */
#ifndef GUI_DISPLAY_H
#define GUI_DISPLAY_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Extended-style bits asking ScaleWindowRect to place x, y, width, height. */
#define WS_EX_PLACE_X 0x00100000u
#define WS_EX_PLACE_Y 0x00200000u
#define WS_EX_PLACE_W 0x00400000u
#define WS_EX_PLACE_H 0x00800000u
#define WS_EX_PLACE_MASK 0x00F00000u

/* Design grids of the two output kinds. */
#define DESIGN_MONITOR_WIDTH 1024
#define DESIGN_MONITOR_HEIGHT 768
#define DESIGN_LOWRES_WIDTH 704
#define DESIGN_LOWRES_HEIGHT 480

BOOL HasNoOutput(void);
BOOL HasAuxOutput(void);
int GetDeviceColorDepth(void);
int BitsPerPixelOfMode(int mode);
BOOL IsLowResDisplay(int display);
BOOL IsAuxDisplay(int display);
int GetMainDisplayId(void);
int GetAuxDisplayId(void);
int GetDesignResolution(int display, Size* size);
int IsDisplayScaled(int display);
int IsAlphaTableMode(void);
int IsDesktopPrefilterOn(void);
int ScaleHorzToScreen(int* x, int* width, int display);
int ScaleVertToScreen(int* y, int* height, int display);
int ScaleWindowRect(uint32_t exStyle, int center, int* x, int* y, int* width, int* height);

GUI_EXTERN_C_END

#endif

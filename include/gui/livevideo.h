/* Live-video areas of each display, moving the menus between the displays,
 * screen extents and pixel alignment, and a few drawing additions. */
#ifndef GUI_LIVEVIDEO_H
#define GUI_LIVEVIDEO_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define LIVE_VIDEO_SLOTS 3

/* One display's table, in the word order the device layer reads. */
typedef struct LiveVideoTable {
  int32_t refreshMark;
  int32_t fullScreen;
  int32_t inUse[LIVE_VIDEO_SLOTS];
  int32_t mode[LIVE_VIDEO_SLOTS];
  int32_t x[LIVE_VIDEO_SLOTS];
  int32_t y[LIVE_VIDEO_SLOTS];
  int32_t width[LIVE_VIDEO_SLOTS];
  int32_t height[LIVE_VIDEO_SLOTS];
} LiveVideoTable;

/* Message posted to the page whose view area became the recorded one. */
#define MSG_VIEWAREA_READY 183

Size* GetScreenExtentEx(int output, Size* size);
int SetPixelAlign(int output, int* x, int* y, int* w, int* h, int step);
void SetPreviewViewRect(HDC hdc, int x, int y, int w, int h);
void ClearPreviewViewRect(WindowHandle owner, int keep);
void ClosePrevScrShow(void);
int RefreshMenuAlpha(int level);
int EnableSwitchDispDev(int flag);
int SwitchDispDev(void);
void SetCrossDisplayFlag(int value);
int GetCrossDisplayFlag(void);
/* Copy of a display's table (main or auxiliary). */
void GetLiveVideoTable(int auxiliary, LiveVideoTable* table);

void SetCtrlBitmaps(WindowHandle control, const Bitmap* foreground, const Bitmap* background, int slot);
void Rectangle2(HDC hdc, int left, int top, int right, int bottom);
void DrawBandOutline(HDC hdc, int x1, int y1, int x2, int y2);

GUI_EXTERN_C_END

#endif

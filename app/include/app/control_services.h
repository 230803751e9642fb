/* Controls the pages build alike: a control with its label from one layout
 * record, the channel check-box block, and the closing of what covers the
 * live view before the menus move to the other output. */
#ifndef APP_CONTROL_SERVICES_H
#define APP_CONTROL_SERVICES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Channel check boxes. */
enum ChanBoxId {
  CHANBOX_ALL_ANALOG = 4176,
  CHANBOX_ALL_IP = 4177,
  CHANBOX_ANALOG_FIRST = 4192, /* + n - 1 for analog channel n */
  CHANBOX_IP_FIRST = 4224,     /* + n - 1 for IP channel n */
  CHANBOX_LABEL_OFFSET = 256
};

WindowHandle createLabeledCtrl(const char* className, const char* labelText, uint32_t style, uint32_t exStyle,
                               int id, int x, int y, int w, int h, WindowHandle parent, LParam data);
void enableLabeledCtrl(WindowHandle owner, int id, int enable);
void showLabeledCtrl(WindowHandle owner, int id, int show);
void showCtrlRange(WindowHandle owner, int groupId, int first, int last, int show);

int createChanCheckBoxes(WindowHandle owner, const char* section, const char* allAnalogKey, const char* allIpKey,
                         const char* itemKey, uint32_t style, uint32_t exStyle, int right, int columns,
                         int filterByRight);
void setAllChanCheckBoxes(WindowHandle owner, int state);
void onChanAllCheckBox(WindowHandle owner, int id);
void onChanCheckBox(WindowHandle owner, int id);
uint64_t getCheckedChanMask(WindowHandle owner);
void setChanCheckBoxes(WindowHandle owner, uint64_t mask);
/* Boxes of recording channels checked (1 recording, 2 the third state). */
void setChanBoxesByRecStatus(WindowHandle owner, int ignored);

/* -1 below two points. Mode 0 a poly-line (closed with `close`), mode 2 the
 * outline of a band along a segment of exactly two points. */
int drawPolyline(HDC hdc, int n, const int* xs, const int* ys);
int drawChartLine(HDC hdc, int n, const int* xs, const int* ys, int mode, int close);

/* Record-type colours of schedule bars, as RGB (0xRRGGBB). */
uint32_t getRecTypeColor(int type);
int isLeapYear(int year);
int daysInMonth(int year, int month);

int closeOverlayWindows(void);
int confirmOutputSwitch(WindowHandle hwnd);

void setLiveViewWord(int value);
int getLiveViewWord(void);
void setLastOpResult(int value);
int getLastOpResult(void);
void setExportMode(int mode);
int getExportMode(void);
int periodicYield(int index);

GUI_EXTERN_C_END

#endif

/* Controls the pages build alike: a control with its label from one layout
 * record, the channel check-box block, and the closing of what covers the
 * live view before the menus move to the other output. */
#ifndef APP_CONTROL_SERVICES_H
#define APP_CONTROL_SERVICES_H

#include "app/value_texts.h"
#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/listview.h"

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
/* Boxes of recording channels checked (1 recording, 2 the third state);
 * the box of a channel that may not be recorded (record 1) or snapshot
 * (record 0) by hand is disabled. */
void setChanBoxesByRecStatus(WindowHandle owner, int record);

/* -1 below two points. Mode 0 a poly-line (closed with `close`), mode 2 the
 * outline of a band along a segment of exactly two points. */
int drawPolyline(HDC hdc, int n, const int* xs, const int* ys);
int drawChartLine(HDC hdc, int n, const int* xs, const int* ys, int mode, int close);
/* A group frame with the edit field's corners: `rect` is scaled by the
 * layout bits of `exStyle` and written back before drawing. */
int drawRoundFrame(HDC hdc, uint32_t exStyle, Rect* rect);

/* Combo boxes of channels ("%s %d" of ("commons", "all_analog") / "all_ipc",
 * item data the channel): the first analog channel, else the first IP
 * channel valid for `flag` (any for 0), -1 when nothing was added. */
int addChanComboItems(WindowHandle owner, int comboId, int flag);
/* The same, only the channels in the current user's mask for `right`. */
int addPermittedChanItems(WindowHandle owner, int comboId, int flag, int right);
/* One item per row, data the row's value; the first row's value, -1 for none. */
int addValueComboItems(WindowHandle owner, int comboId, const ValueKeyRow* table, int count, const char* section,
                       int useSection);

/* Ids of the start and end rows of a time range. */
enum DateTimeRowId {
  DATETIME_START_LABEL = 4640,
  DATETIME_START_DATE = 4641,
  DATETIME_START_TIME = 4642,
  DATETIME_END_LABEL = 4643,
  DATETIME_END_DATE = 4644,
  DATETIME_END_TIME = 4645
};
/* The start (4640..4642) or end (4643..4645) row: label, date and time
 * fields; returns y below the row, or y unchanged when a key is missing. */
int createDateTimeRow(WindowHandle owner, const char* section, const char* labelKey, const char* dateKey,
                      const char* timeKey, int y, uint32_t labelEx, uint32_t dateEx, uint32_t timeEx, int isStart);
/* The same fields stacked: the label at (label x, y), the date field at
 * y + its record's y, the time field right below the date field at its own
 * x; returns y below the label, or the date field's bottom without one. */
int createDateTimeRowAt(WindowHandle owner, const char* section, const char* labelKey, const char* dateKey,
                        const char* timeKey, int y, uint32_t labelEx, uint32_t dateEx, uint32_t timeEx, int isStart);
/* Hours, minutes, seconds; the start field at 00:00:00, the end at 23:59:59. */
void initTimeField(WindowHandle owner, int id);
/* Makes `format` the date format and shows the date field's date in it: the
 * field is read in the format it was written in, before the switch. */
void switchDateFormatKeepingDate(WindowHandle owner, int dateId, int format);
/* The row's date and time as a local time value. */
int64_t getDateTimeRow(WindowHandle owner, int isStart);
/* Checked rows of an alarm-input (or output) list: bit i for local row i,
 * bit local count + n for a row of IP camera slot n, whose k-th checked row
 * also sets bit k of bytesOut[n] (one byte per IP slot, cleared first). */
void getCheckedAlarmIns(WindowHandle list, uint64_t* maskOut, uint8_t* bytesOut);
void getCheckedAlarmOuts(WindowHandle list, uint64_t* maskOut, uint8_t* bytesOut);
/* Bit (row key) for every checked row of a channel list. */
uint64_t getListCheckedChanMask(WindowHandle list);

/* One list-view column: the layout key of its caption and width, its
 * flags and the order it sorts by. */
typedef struct ListColumnDesc {
  char key[32];
  uint32_t flags;
  ListViewCompare compare;
} ListColumnDesc;
/* Adds `count` columns to the owner's list `listId` (width 0 and an empty
 * caption for a missing record); returns `count`. */
int addListViewColumns(WindowHandle owner, int listId, const char* section, const ListColumnDesc* table, int count);
/* One row at `index` whose cells 0..count-1 come from texts 128 bytes
 * apart; the row, or null when the list refused it. */
HLVROW addListViewItems(WindowHandle list, int index, int count, const char* texts);
/* Orders of a column: cell texts, their numbers, channel names ("A3" before
 * "D1"; -1 when either does not parse) and the texts as shown. */
int compareListText(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info);
int compareListNumber(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info);
int compareListChanName(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info);
int compareListConvText(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info);

/* The twelve list-view icons: play, lock, unlock, settings, delete, not
 * supported, tick, file, folder, folder back, migrate, stop. Loading answers
 * how many the layout has (a missing one stays empty). */
#define LISTVIEW_ICON_COUNT 12
typedef struct ListViewBitmaps {
  Bitmap icons[LISTVIEW_ICON_COUNT];
} ListViewBitmaps;
int loadListViewBitmaps(void);
const ListViewBitmaps* getListViewBitmaps(void);

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
/* The 32 bytes the event-handling pages hand each other. */
uint8_t* getHandleSetSource(void);

GUI_EXTERN_C_END

#endif

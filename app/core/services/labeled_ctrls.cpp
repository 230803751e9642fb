// Controls built from one layout record with a label to their left, and the
// small shared words and calendar helpers of the pages.
#include <strings.h>

#include <atomic>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

std::atomic<int> g_liveViewWord{0}, g_lastOpResult{0}, g_exportMode{0};
uint8_t g_handleSetSource[32];

uint32_t labelStyle(uint32_t style) { return WS_CHILD | SS_GRAYTEXT | SS_NOTIFY | (style & WS_VISIBLE) | (style & WS_DISABLED); }

uint32_t labelExStyle(uint32_t ex) {
  uint32_t label = 0;
  if (ex & EDIT_CORNER_TOPRIGHT) label |= EDIT_CORNER_TOPLEFT;
  if (ex & EDIT_CORNER_BOTTOMRIGHT) label |= EDIT_CORNER_BOTTOMLEFT;
  if (ex & (WS_EX_PLACE_X | WS_EX_PLACE_W)) label |= (WS_EX_PLACE_X | WS_EX_PLACE_W);
  return label | (ex & (EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT));
}


void showItem(WindowHandle owner, int id, int command) {
  const WindowHandle control = GetDlgItem(owner, id);
  if (IsValidHandle(control)) ShowWindow(control, command);
}

}  // namespace

extern "C" {

WindowHandle createLabeledCtrl(const char* className, const char* labelText, uint32_t style, uint32_t exStyle,
                               int id, int x, int y, int w, int h, WindowHandle parent, LParam data) {
  int k = getLabelScale();
  if (className && strcasecmp(className, "ipedit") == 0 && IsLowResDisplay(getMainOutput()) && (style & IPS_MAC))
    k = 3;
  const int labelW = w * k / 10;
  CreateWindowEx("static", labelText ? labelText : "", labelStyle(style), labelExStyle(exStyle),
                 id + CHANBOX_LABEL_OFFSET, x, y, labelW, h, parent, 0);
  return CreateWindowEx(className, "", style, exStyle & ~(EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT), id, x + labelW,
      y, w - labelW, h, parent, data);
}

void enableLabeledCtrl(WindowHandle owner, int id, int enable) {
  SendDlgItemMessage(owner, id + CHANBOX_LABEL_OFFSET, MSG_ENABLE, enable, 0);
  SendDlgItemMessage(owner, id, MSG_ENABLE, enable, 0);
}

void showLabeledCtrl(WindowHandle owner, int id, int show) {
  showItem(owner, id + CHANBOX_LABEL_OFFSET, show ? SW_SHOW : SW_HIDE);
  showItem(owner, id, show ? SW_SHOW : SW_HIDE);
}

void showCtrlRange(WindowHandle owner, int groupId, int first, int last, int show) {
  bool any = false;
  for (int id = first; id <= last; ++id) {
    const WindowHandle control = GetDlgItem(owner, id);
    if (!IsValidHandle(control)) continue;
    ShowWindow(control, show);
    any = true;
  }
  showItem(owner, groupId, any ? show : SW_HIDE);
}

uint32_t getRecTypeColor(int type) {
  switch (type) {
    case 1: return 0xD7FE87u;
    case 2: return 0xE83F42u;
    case 3: return 0xC6712Bu;
    case 4: return 0xB9E2FFu;
    default: return 0x6577FDu;
  }
}

int isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return -1;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

void setLiveViewWord(int value) { g_liveViewWord.store(value); }
int getLiveViewWord(void) { return g_liveViewWord.load(); }
void setLastOpResult(int value) { g_lastOpResult.store(value); }
int getLastOpResult(void) { return g_lastOpResult.load(); }
void setExportMode(int mode) { g_exportMode.store(mode); }
int getExportMode(void) { return g_exportMode.load(); }
uint8_t* getHandleSetSource(void) { return g_handleSetSource; }
// Long list fills call this per item; toolkit messages run on their own
// threads here, so there is nothing to yield to.
int periodicYield(int) { return 0; }

}  // extern "C"

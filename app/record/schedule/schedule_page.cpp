// The record and capture schedule page: a sheet with one tab per schedule,
// each holding a channel box, the enable box, the legend and the week grid
// over the working records of every channel.
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_caps.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/record/schedule/schedule_page.h"
#include "app/record_pages.h"
#include "gui/static.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace schedule {

const TabKeys kRecordTab{false,
                         18960,
                         "rec_camsel",
                         "rec_enable",
                         "rec_add",
                         {"rectype_time", "rectype_motion", "rectype_alarm", "rectype_motion_or_alarm",
                          "rectype_motion_and_alarm", "rectype_none"},
                         "rectype_evnet",
                         "rectype_note",
                         "rec_copy",
                         "rec_apply",
                         "rec_close",
                         "getrecordhint"};
const TabKeys kCaptureTab{true,
                          19008,
                          "pic_camsel",
                          "pic_enable",
                          "pic_add",
                          {"snaptype_time", "snaptype_motion", "snaptype_alarm", "snaptype_motion_or_alarm",
                           "snaptype_motion_and_alarm", "snaptype_none"},
                          "snaptype_evnet",
                          "snaptype_note",
                          "pic_copy",
                          "pic_apply",
                          "pic_close",
                          "getcapturehint"};

namespace {

constexpr int kLegendHeight = 20, kSwatchRoom = 20;
constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_GRIDLIST | CBS_NOTIFY | CBS_DROPDOWNLIST, kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kLegendStyle = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | BS_ELLIPSIS | BS_NOFRAME;
constexpr uint32_t kHeadingStyle = WS_CHILD | WS_VISIBLE | SS_GROUPBOX;
constexpr uint32_t kLabelStyle = WS_CHILD | WS_VISIBLE | SS_ELLIPSIS | SS_NOTIFY | SS_RESERVED15;
constexpr uint32_t kDialogButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;

TabState g_tabs[2];

TabState& tabOf(WindowHandle page, bool capture) {
  TabState& tab = g_tabs[capture ? 1 : 0];
  tab.page = page;
  return tab;
}

void create(WindowHandle page, const char* key, const char* cls, uint32_t style, int id, bool labelled,
            uint32_t exStyle = 0) {
  pageframe::createFromKey(page, kSection, {cls, key, style, exStyle, id, labelled});
}

void createLegend(TabState& tab) {
  const WindowHandle page = tab.page;
  for (int i = 0; i < kLegendItems; ++i) {
    const CtrlResInfo* r = pageframe::record(kSection, tab.keys->legend[i]);
    if (!r) continue;
    int x = r->x + kSwatchRoom, w = r->w - kSwatchRoom;
    ScaleHorzToScreen(&x, &w, getCurOutput());
    const WindowHandle button = CreateWindowEx("button", r->caption ? r->caption : "", kLegendStyle, 0,
                                               legendId(*tab.keys, i), x, r->y + (r->h - kLegendHeight) / 2, w,
                                               kLegendHeight, page, 0);
    if (!IsValidHandle(button)) continue;
    SetWindowBkColor(button, pagePixel(HDC_SCREEN, page_colours::kPageBackground));
    SetWindowCursor(button, reinterpret_cast<uintptr_t>(GetSystemCursor(kPenCursor)));
  }
  create(page, tab.keys->heading, "static", kHeadingStyle, -1, false);
  if (const CtrlResInfo* r = pageframe::record(kSection, tab.keys->note))
    CreateWindowEx("static", "", kLabelStyle, 0, noteId(*tab.keys), r->x, r->y, r->w, r->h, page, 0);
}

void createDayLabels(TabState& tab) {
  static const char* const kKeys[kDays] = {"rect_mon", "rect_tue", "rect_wed", "rect_thu",
                                           "rect_fri", "rect_sat", "rect_sun", "rect_hol"};
  const Grid& g = tab.grid;
  for (int d = 0; d < (kHolidayRow ? kDays : SCHED_DAYS); ++d) {
    const CtrlResInfo* r = pageframe::record(kSection, kKeys[d]);
    if (!r) continue;
    int x = tab.schedRect.left + 8, w = 0;
    ScaleHorzToScreen(&x, &w, getCurOutput());
    CreateWindowEx("static", r->caption ? r->caption : "", kLabelStyle, 0, kFirstDayLabel + d, x,
                   g.area.top + d * g.rowHeight, g.area.left - x, g.rowHeight, tab.page, 0);
  }
}

void createControls(TabState& tab) {
  const TabKeys& k = *tab.keys;
  create(tab.page, k.camsel, "combobox", kComboStyle, channelId(k), true);
  create(tab.page, k.enable, "button", kCheckStyle, enableId(k), true);
  create(tab.page, k.add, "button", kButtonStyle, editId(k), false);
  createLegend(tab);
  createDayLabels(tab);
  const int y = pageframe::bottomRow(tab.page);
  pageframe::createFromKey(tab.page, kSection,
                           {"button", k.copy, kButtonStyle, kDialogButtonExStyle, PAGE_ID_COPY, false}, y);
  pageframe::createBottomButtons(tab.page, kSection, k.apply, k.close, PAGE_ID_EXIT);
}

void init(TabState& tab) {
  tab.selected = 0;
  computeScheduleGrid(tab);
  loadChannels(tab);
  createControls(tab);
  const int first = addChanComboItems(tab.page, channelId(*tab.keys), 0);
  selectComboValue(tab.page, channelId(*tab.keys), first);
  tab.selected = first;
  rebuildScheduleBars(tab);
  invalidateGrid(tab);
}

void changeChannel(TabState& tab) {
  keepEnable(tab);
  // Another channel shown is no edit: Apply stays as the edits left it.
  tab.selected = comboValue(tab.page, channelId(*tab.keys));
  rebuildScheduleBars(tab);
  invalidateGrid(tab);
}

void editDay(TabState& tab) {
  keepEnable(tab);
  const WindowHandle menu = getRecordMenuWnd();
  EnableWindow(menu, FALSE);
  showEditDialog(tab.page, tab.keys->capture);
  EnableWindow(menu, TRUE);
  rebuildScheduleBars(tab);
  invalidateGrid(tab);
  enableApply(tab.page, 0, 0);
}

void copyChannels(TabState& tab) {
  const WindowHandle menu = getRecordMenuWnd();
  EnableWindow(menu, FALSE);
  showImageCopyChanDialog(tab.page, tab.selected, 0);
  EnableWindow(menu, TRUE);
  const uint64_t mask = getImageCopyChanMask();
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  keepEnable(tab);
  copyToChannels(tab, mask);
  enableApply(tab.page, 0, 0);
}

void command(TabState& tab, int id, int code) {
  const TabKeys& k = *tab.keys;
  if (id == channelId(k) && code == CBN_SELCHANGE)
    changeChannel(tab);
  else if (id == enableId(k))
    enableApply(tab.page, 0, 0);
  else if (id == editId(k))
    editDay(tab);
  else if (id == PAGE_ID_COPY)
    copyChannels(tab);
}

int save(TabState& tab) {
  keepEnable(tab);
  return saveSchedules(tab);
}

// Every message first tells the tab which keys it has. The grid and the
// legend take their own presses and the release that ends a drag; all else
// is routed on to the tab's controls.
template <bool Capture>
bool tabMessage(WindowHandle page, int message, WParam wParam, LParam lParam, LResult*) {
  TabState& tab = tabOf(page, Capture);
  tab.keys = Capture ? &kCaptureTab : &kRecordTab;
  const int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  switch (message) {
    case MSG_LBUTTONDOWN: return onMouseDown(tab, x, y);
    case MSG_LBUTTONUP:
    case MSG_NCLBUTTONUP: return onMouseUp(tab);
    case MSG_MOUSEMOVE: onMouseMove(tab, x, y); return false;
    case MSG_BROADCAST_NOTICE: onNotice(tab, wParam); return true;
    default: return false;
  }
}

template <bool Capture>
void tabPaint(WindowHandle page) {
  const HDC hdc = BeginPaint(page);
  paintGrid(tabOf(page, Capture), hdc);
  EndPaint(page, hdc);
}

template <bool Capture>
LResult tabProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{
      [](WindowHandle p) { init(tabOf(p, Capture)); },
      [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); },
      [](WindowHandle p, int id, int code) { command(tabOf(p, Capture), id, code); },
      [](WindowHandle p) { return save(tabOf(p, Capture)); },
      [](WindowHandle p, int code) { showSaveFailedIfMinus1(p, code); },
      closeRecordMenu,
      nullptr,
      nullptr,
      tabPaint<Capture>,
      nullptr,
      nullptr,
      tabMessage<Capture>};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

bool captureAvailable() { return hasCaptureSchedule() != 0; }

const pageframe::SheetPage kPages[] = {{"record", tabProc<false>, nullptr},
                                       {"snapshot", tabProc<true>, captureAvailable}};

// The active tab (0 record, 1 capture), or null without a sheet.
TabState* activeTab(WindowHandle window) {
  const WindowHandle sheet = GetDlgItem(window, PAGE_ID_SHEET);
  if (!IsValidHandle(sheet)) return nullptr;
  const auto index = SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0);
  if (index != 0 && index != 1) return nullptr;
  TabState& tab = g_tabs[index];
  return tab.keys ? &tab : nullptr;
}

bool windowMessage(WindowHandle window, int message, WParam wParam, LParam, LResult* answer) {
  switch (message) {
    case MSG_NCLBUTTONUP:
      if (TabState* tab = activeTab(window)) onMouseUp(*tab);
      *answer = 0;
      return true;
    case MSG_COMMAND:
      // A tab change ends the drag and drops the pen of both tabs.
      if (pageframe::idOf(wParam) == PAGE_ID_SHEET && pageframe::codeOf(wParam) == PSN_ACTIVE_CHANGED)
        for (TabState& tab : g_tabs)
          if (tab.keys) dropPen(tab);
      return false;
    case MSG_CLOSE: SetCursor(GetSystemCursor(kArrowCursor)); return false;
    default: return false;
  }
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kRecordSlot, windowMessage};

}  // namespace

TabState& tabState(bool capture) { return g_tabs[capture ? 1 : 0]; }

}  // namespace schedule

extern "C" {

int createScheduleSetWindow(WindowHandle host) {
  schedule::tabState(false) = schedule::TabState{};
  schedule::tabState(true) = schedule::TabState{};
  return pageframe::openWindow<schedule::kWindow>(host);
}

int showSaveFailedIfMinus1(WindowHandle window, int code) {
  if (code == -1) showMsgBox(window, "commons", "savefailed", MSGBOX_ERROR);
  return 0;
}

}  // extern "C"

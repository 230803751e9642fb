// The log search page: a time range and the major and minor log types, the
// entries found listed 100 to a page, and from a row the detail, the
// recording around the entry, or the export of everything found.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/format_text.h"
#include "app/layout_bitmaps.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "app/playback.h"
#include "app/result_paging.h"
#include "app/system/logs/log_pages.h"
#include "app/system/logs/log_rows.h"
#include "app/system/logs/log_tables.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace logs {
namespace {

constexpr int kMajorId = 20834, kMinorId = 20835, kListId = 20836, kExportId = 20837, kSearchId = 20838;
constexpr int kCloseId = IDCANCEL;
constexpr int kPlayColumn = 5, kDetailColumn = 6;
constexpr int kBeforeEntry = 60, kAfterEntry = 600;
constexpr int kFoundMore = 105;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, kPlacedEx = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL;
constexpr int kColumnCount = 7;

const ListColumnDesc kColumns[kColumnCount] = {
    {"listv_no", 0, compareListNumber}, {"listv_major", 0, compareListText}, {"listv_time", 0, compareListText},
    {"listv_minor", 0, compareListText}, {"listv_para", 0, compareListText}, {"listv_play", 0, nullptr},
    {"listv_detail", 0, nullptr}};

NamedBitmap g_bitmaps[] = {{"log_alarm_bmp", {}, 0},
                           {"log_exception_bmp", {}, 0},
                           {"log_operation_bmp", {}, 0},
                           {"log_information_bmp", {}, 0}};
LogSearchState g_state{};
int g_count = 0;

WindowHandle listOf(WindowHandle page) { return GetDlgItem(page, kListId); }

const CtrlResInfo* listRecord() { return pageframe::record(kSection, "loglist"); }

void fillMinorCombo(WindowHandle page, int major) {
  const std::vector<ValueKeyRow> rows = minorRows(major, deviceLogCaps());
  SendDlgItemMessage(page, kMinorId, CB_DELETEALL, 0, 0);
  if (rows.empty()) return;
  addValueComboItems(page, kMinorId, rows.data(), static_cast<int>(rows.size()), kSection, 1);
  selectComboValue(page, kMinorId, rows.front().value);
}

void fillList(WindowHandle page) {
  const WindowHandle list = listOf(page);
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  if (g_count <= 0) return;
  SetCursor(GetSystemCursor(SYSCURSOR_BUSY));
  SendMessage(list, LVM_STOPREDRAW, 0, 0);
  const int first = firstResultOfPage();
  const bool picture = deviceLogCaps().pictureCapture;
  for (int i = 0; i < RESULT_PAGE_ROWS; ++i) {
    const int64_t index = static_cast<int64_t>(first) + i + 1;
    if (index > g_count) break;
    LogRecord record{};
    getLogRecord(&record, &g_state, static_cast<int>(index), 0);
    addLogRow(list, i, static_cast<int>(index), record, picture);
  }
  SendMessage(list, LVM_STARTREDRAW, 0, 0);
  SetCursor(GetSystemCursor(SYSCURSOR_NORMAL));
  SendMessage(list, LVM_SELECTITEM, 0, 0);
}

void showPage(WindowHandle page) {
  fillList(page);
  showResultPageText(page, g_count);
  updatePagingButtons(page);
}

void showFound(WindowHandle page, int result) {
  if (result == -2) {
    char text[256];
    formatChecked(text, sizeof text, lookupText(kSection, "logoverload"), "dd", LOG_SEARCH_MAX, LOG_SEARCH_MAX);
    showMsgBoxText(page, text, MSGBOX_INFO);
  } else if (result <= 0) {
    showMsgBox(page, kSection, "nologfile", MSGBOX_INFO);
  }
}

uint32_t deviceTime(int64_t t) { return static_cast<uint32_t>(std::clamp<int64_t>(t, 0, UINT32_MAX)); }

void search(WindowHandle page) {
  SetCursor(GetSystemCursor(SYSCURSOR_BUSY));
  const int output = getMainOutput();
  setLiveViewActive(output, 0);
  const int major = static_cast<int>(SendDlgItemMessage(page, kMajorId, CB_GETSELVALUE, 0, 0) & 0xFFFF);
  const int minor = static_cast<int>(SendDlgItemMessage(page, kMinorId, CB_GETSELVALUE, 0, 0) & 0xFFFF);
  const int64_t start = getDateTimeRow(page, 1), end = getDateTimeRow(page, 0);
  int result = 0;
  if (end >= start) {
    setDispSwitchEnabled(0);
    result = findLogs(major, minor, deviceTime(start), deviceTime(end), &g_state);
    setDispSwitchEnabled(1);
  }
  setLiveViewActive(output, 1);
  if (end < start) {
    SetCursor(GetSystemCursor(SYSCURSOR_NORMAL));
    showMsgBox(page, kSection, "search_err_time", MSGBOX_INFO);
    return;
  }
  showFound(page, result);
  // Above the device's limit it keeps the first LOG_SEARCH_MAX entries.
  g_count = result > 0 ? result : result == -2 ? LOG_SEARCH_MAX : 0;
  EnableWindow(GetDlgItem(page, kExportId), g_count > 0 ? TRUE : FALSE);
  setResultPage(1);
  setResultPageCount(resultPageCountFor(g_count));
  showPage(page);
  SetCursor(GetSystemCursor(SYSCURSOR_NORMAL));
}

// The absolute result of the selected row, or -1 without one (a box when
// a key asked for it).
int selectedResult(WindowHandle page, bool byKey) {
  int32_t key = -1;
  const LResult row = SendMessage(listOf(page), LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key));
  if (row == 0 || row == -1 || key < 0) {
    if (byKey) showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return -1;
  }
  return firstResultOfPage() + key;
}

void openDetail(WindowHandle page, bool byKey) {
  const int selected = selectedResult(page, byKey);
  if (selected < 0) return;
  setSelectedResultRow(selected);
  runWithMaintenanceMenuDisabled(showLogDetailDialog, page);
}

int runSmallPlayback(WindowHandle page) {
  const int output = getMainOutput();
  setOutputState(output, OUTSTATE_PLAYBACK);
  setLiveViewActive(output, 0);
  runSmallPlaybackDialog(page);
  setOutputState(output, OUTSTATE_LIVEVIEW);
  setLiveViewActive(output, 1);
  return 0;
}

void play(WindowHandle page, bool byKey) {
  const int selected = selectedResult(page, byKey);
  if (selected < 0) return;
  setSelectedResultRow(selected);
  LogRecord record{};
  getLogRecord(&record, &g_state, selected + 1, 0);
  if (record.channel <= 0) return;
  if (!checkUserRight(RIGHT_LOCAL_PLAY, record.channel)) {
    showNoPermission(page);
    return;
  }
  const int output = getMainOutput();
  const int rc = searchLogPlayback(output, record.channel, static_cast<int64_t>(record.time) - kBeforeEntry,
                                   static_cast<int64_t>(record.time) + kAfterEntry);
  if (rc != 0 && rc != kFoundMore) {
    showMsgBox(page, kSection, "log_play_err_nofile", MSGBOX_INFO);
    return;
  }
  setPlaybackType(output, PLAYBACK_TYPE_LOG);
  if (const int failed = startSmallPlayback(output)) {
    showPlaybackError(output, page, failed);
    setPlaybackType(output, 0);
    return;
  }
  runWithMaintenanceMenuDisabled(runSmallPlayback, page);
}

void exportFound(WindowHandle page) {
  const int running = getExportRunning();
  if (running & EXPORT_RUNNING_LOCAL) {
    showMsgBox(page, "commons", "local_exporting_hint", MSGBOX_INFO);
  } else if (running & EXPORT_RUNNING_REMOTE) {
    showMsgBox(page, "commons", "remote_exporting_hint", MSGBOX_INFO);
  } else if (g_count > 0) {
    setExportMode(2);
    runWithMaintenanceMenuDisabled(showExportDialog, page);
  }
}

void listNotified(WindowHandle list, int, int code, LParam data) {
  const WindowHandle page = GetParent(list);
  switch (code) {
    case LVN_ITEMDBCLK:
    case LVN_CELLCLICK + kDetailColumn: openDetail(page, false); return;
    case LVN_CELLCLICK + kPlayColumn: play(page, false); return;
    case LVN_KEYDOWN: {
      const auto* key = reinterpret_cast<const ListViewKeyInfo*>(data);
      if (key && key->scanCode == PANEL_KEY_ACTION) openDetail(page, true);
      if (key && key->scanCode == PANEL_KEY_PLAY) play(page, true);
      return;
    }
    default: return;
  }
}

void createControls(WindowHandle page) {
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "search", kButtonStyle, kPlacedEx, kSearchId, false}, y);
  pageframe::createFromKey(page, kSection, {"button", "close", kButtonStyle, kPlacedEx, kCloseId, false}, y);
  const CtrlResInfo* title = pageframe::record(kSection, "starttime_title");
  const CtrlResInfo* endTitle = pageframe::record(kSection, "endtime_title");
  if (title)
    createDateTimeRow(page, kSection, "starttime_title", "starttime_date", "starttime_time", title->y, 0, 0, 0, 1);
  if (endTitle)
    createDateTimeRow(page, kSection, "endtime_title", "endtime_date", "endtime_time", endTitle->y, 0, 0, 0, 0);
  pageframe::createFromKey(page, kSection, {"combobox", "majortype", kComboStyle, 0, kMajorId, true});
  pageframe::createFromKey(page, kSection, {"combobox", "minortype", kComboStyle, 0, kMinorId, true});
  const CtrlResInfo* r = listRecord();
  if (r) {
    const Rect area{r->x, r->y, r->x + r->w, r->y + r->h};
    const int barTop = createPagingBar(page, &area);
    const WindowHandle list =
        CreateWindowEx("ListView", "", kListStyle, 0, kListId, r->x, r->y, r->w, barTop - r->y, page, 0);
    if (IsValidHandle(list)) {
      SetNotificationCallback(list, listNotified);
      addListViewColumns(page, kListId, kSection, kColumns, kColumnCount);
    }
  }
  pageframe::createFromKey(page, kSection,
                           {"button", "export", kButtonStyle | WS_DISABLED, kPlacedEx, kExportId, false}, y);
}

void init(WindowHandle page) {
  // Copies of the layout's bitmaps: taken again with each page, so none
  // outlives a layout that was loaded again.
  loadNamedBitmaps(kSection, g_bitmaps, 4, 0);
  loadListViewBitmaps();
  g_count = 0;
  setResultPage(1);
  setResultPageCount(1);
  createControls(page);
  initTimeField(page, DATETIME_START_TIME);
  initTimeField(page, DATETIME_END_TIME);
  const Table majors = majorTable();
  addValueComboItems(page, kMajorId, majors.rows, majors.count, kSection, 1);
  selectComboValue(page, kMajorId, majors.rows[0].value);
  fillMinorCombo(page, majors.rows[0].value);
  showResultPageText(page, 0);
  updatePagingButtons(page);
}

void paint(WindowHandle page, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseWith(page, wParam, lParam, [](HDC hdc, const Rect& client) {
    fillColour(hdc, page_colours::kPageBackground, client.left, client.top, client.right - client.left,
               client.bottom - client.top);
    if (const CtrlResInfo* r = listRecord()) drawListRowDivider(hdc, r->x, r->y, r->w, r->h, 1);
  });
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kSearchId: search(page); return;
    case kExportId: exportFound(page); return;
    case kCloseId: closeMaintenanceMenu(); return;
    case kMajorId:
      if (code == CBN_SELCHANGE)
        fillMinorCombo(page, comboValue(page, kMajorId));
      return;
    default:
      if (onPagingCommand(page, id, code) == 1) showPage(page);
      return;
  }
}

const pageframe::PageHooks kHooks{init, paint, command, nullptr, nullptr, closeMaintenanceMenu};

}  // namespace

LogSearchState* getLogSearchState() { return &g_state; }
int getLogCount() { return g_count; }

int runWithMaintenanceMenuDisabled(int (*open)(WindowHandle), WindowHandle owner) {
  const WindowHandle menu = getMaintenanceMenuWnd();
  const bool hasMenu = IsValidHandle(menu);
  if (hasMenu) EnableWindow(menu, FALSE);
  const int rc = open(owner);
  if (hasMenu) EnableWindow(menu, TRUE);
  return rc;
}

LResult searchPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace logs

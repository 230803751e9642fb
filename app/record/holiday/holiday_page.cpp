// The holiday list page: the device's 32 holidays with name, state, start
// and end; a chosen row opens the editor and is shown anew after a save.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "app/record/holiday/holiday.h"
#include "app/record_pages.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace holiday {
namespace {

constexpr int kListId = 18944, kAddId = 18945;
constexpr int kEditColumn = 5, kTextColumns = 5, kTextSize = 128;
constexpr int kSettingsIcon = 3;  // "listv_bmp_set"
constexpr int kDiskDlgHoliday = 2;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_ELLIPSIS | LVS_TREE;
constexpr uint32_t kListExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;

const ListColumnDesc kColumns[] = {{"list_no", 0, nullptr},     {"list_name", 0, nullptr},
                                   {"list_status", 0, nullptr}, {"list_start", 0, nullptr},
                                   {"list_end", 0, nullptr},    {"list_edit", 0, nullptr}};

WindowHandle listOf(WindowHandle page) { return GetDlgItem(page, kListId); }

void rowTexts(int index, const HolidayEntry& e, char (&texts)[kTextColumns][kTextSize]) {
  std::snprintf(texts[0], kTextSize, "%d", index + 1);
  std::snprintf(texts[1], kTextSize, "%.*s", static_cast<int>(sizeof e.name), e.name);
  const char* status = lookupText(kPageSection, e.enable ? "holidaystatus_on" : "holidaystatus_off");
  std::snprintf(texts[2], kTextSize, "%s", status ? status : "");
  formatPeriod(e, false, texts[3], kTextSize);
  formatPeriod(e, true, texts[4], kTextSize);
}

void setCell(WindowHandle list, HLVROW row, int column, char* text, const Bitmap* image = nullptr) {
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = text;
  cell.textColor = SysPixelIndex[page_colours::kText];
  // An icon the layout does not name stays empty.
  if (image && image->bmWidth > 0) {
    cell.flags = LVFLAG_BITMAP;
    cell.image = reinterpret_cast<uintptr_t>(image);
  }
  SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

bool readTable(HolidayTable* table) {
  std::memset(table, 0, sizeof *table);
  return getHolidayConfig(getOutputLogin(getCurOutput()), table) == 0;
}

void fillList(WindowHandle page) {
  const WindowHandle list = listOf(page);
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  HolidayTable table;
  readTable(&table);
  const ListViewBitmaps* icons = getListViewBitmaps();
  for (int i = 0; i < HOLIDAY_COUNT; ++i) {
    char texts[kTextColumns][kTextSize];
    rowTexts(i, table.entries[i], texts);
    HLVROW row = addListViewItems(list, i, kTextColumns, &texts[0][0]);
    if (!row) continue;
    char empty[1] = "";
    setCell(list, row, kEditColumn, empty, icons ? &icons->icons[kSettingsIcon] : nullptr);
  }
}

void refreshRow(WindowHandle page, HLVROW row, int index) {
  HolidayTable table;
  readTable(&table);
  char texts[kTextColumns][kTextSize];
  rowTexts(index, table.entries[index], texts);
  for (int column = 1; column < kTextColumns; ++column) setCell(listOf(page), row, column, texts[column]);
}

// The edit key names the selection; a list notification without one does nothing.
void openEditor(WindowHandle page, bool byKey) {
  int32_t index = -1;
  const LResult row = SendMessage(listOf(page), LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&index));
  if (row == 0 || index < 0 || index >= HOLIDAY_COUNT) {
    if (byKey) showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  setDiskDlgArgs(kDiskDlgHoliday, index);
  const WindowHandle menu = getRecordMenuWnd();
  EnableWindow(menu, FALSE);
  showHolidayEditDialog(page);
  EnableWindow(menu, TRUE);
  if (isHolidayChanged()) refreshRow(page, reinterpret_cast<HLVROW>(row), index);
}

// The key reaches the page through the list when the list has the focus.
void listNotified(WindowHandle list, int, int code, LParam data) {
  if (code == LVN_ITEMDBCLK || code == LVN_CELLCLICK + kEditColumn) {
    openEditor(GetParent(list), false);
  } else if (code == LVN_KEYDOWN && data) {
    if (reinterpret_cast<const ListViewKeyInfo*>(data)->scanCode == PANEL_KEY_EDIT) openEditor(GetParent(list), true);
  }
}

void init(WindowHandle page) {
  if (const CtrlResInfo* r = pageframe::record(kPageSection, "holidaylist"))
    CreateWindowEx("ListView", "List View", kListStyle, kListExStyle, kListId, r->x, r->y, r->w, r->h, page, 0);
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kPageSection, {"button", "add", kButtonStyle, kButtonExStyle, kAddId, false}, y);
  pageframe::createFromKey(page, kPageSection, {"button", "close", kButtonStyle, kButtonExStyle, PAGE_ID_EXIT, false},
                           y);
  SetNotificationCallback(listOf(page), listNotified);
  addListViewColumns(page, kListId, kPageSection, kColumns, static_cast<int>(sizeof kColumns / sizeof kColumns[0]));
  fillList(page);
  ShowWindow(GetDlgItem(page, kAddId), SW_HIDE);
}

// The panel's edit key opens the editor on the chosen row.
bool editKey(WindowHandle page, int message, WParam wParam, LParam, LResult*) {
  if (message != MSG_KEYDOWN || wParam != PANEL_KEY_EDIT) return false;
  openEditor(page, true);
  return true;
}

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{init,
                                           [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); },
                                           [](WindowHandle, int, int) {},
                                           [](WindowHandle) { return 0; },
                                           [](WindowHandle, int) {},
                                           closeRecordMenu,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           editKey};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"holiday", pageProc, nullptr}};
const pageframe::PageWindow kWindow{kPageSection, kPages, pageframe::kRecordSlot};

}  // namespace
}  // namespace holiday

extern "C" int createHolidaySetWindow(WindowHandle host) {
  return pageframe::openWindow<holiday::kWindow>(host);
}

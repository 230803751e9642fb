// The administrator's user list: add, modify, rights and delete by button,
// key or a click in the row's icon cells.
#include <cstdio>
#include <cstring>

#include "app/page_keys.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/system/users/userset.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace users {
namespace {

constexpr int kAddId = 20481, kListId = 20480;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, kPlacedEx = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_TREE;
constexpr int kColumnCount = 7, kTextColumns = 4, kTextStride = 128;
constexpr int kRightColumn = 4, kModifyColumn = 5, kDeleteColumn = 6;
constexpr int kIconSet = 3, kIconDelete = 4, kIconNotSupported = 5, kIconRight = 6;

const ListColumnDesc kColumns[kColumnCount] = {
    {"list_sequence", 0, nullptr}, {"list_username", 0, nullptr}, {"list_level", 0, nullptr},
    {"list_macaddr", 0, nullptr},  {"list_right", 0, nullptr},    {"list_mdfuser", 0, nullptr},
    {"list_deluser", 0, nullptr}};

const ValueKeyRow kLevels[] = {{"low", kLevelLow}, {"middle", kLevelMiddle}, {"high", kLevelHigh}};

WindowHandle listOf(WindowHandle page) { return GetDlgItem(page, kListId); }

void iconCell(WindowHandle list, HLVROW row, int column, int icon) {
  const ListViewBitmaps* icons = getListViewBitmaps();
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = const_cast<char*>("");
  cell.flags = LVFLAG_BITMAP;
  cell.image = reinterpret_cast<uintptr_t>(&icons->icons[icon]);
  SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

// Cells 1..3 (name, level, MAC) of a record, 128 bytes apart from `texts`.
void recordTexts(const UserRecord& u, char* texts) {
  std::memcpy(texts + 1 * kTextStride, u.name, sizeof u.name);
  texts[1 * kTextStride + sizeof u.name] = '\0';
  formatValueText(kSection, kLevels, 3, static_cast<int>(u.priority), texts + 2 * kTextStride, kTextStride);
  formatMacAddr(macOf(u), texts + 3 * kTextStride, kTextStride);
}

void fillUserList(WindowHandle page) {
  refreshCache();
  const WindowHandle list = listOf(page);
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const UserConfig* table = getCachedUserConfig();
  if (!table) return;
  int shown = 0;
  for (int i = 0; i < USER_COUNT; ++i) {
    const UserRecord& u = table->users[i];
    if (isFree(u)) continue;
    char texts[kTextColumns * kTextStride] = {};
    std::snprintf(texts, kTextStride, "%d", ++shown);
    recordTexts(u, texts);
    HLVROW row = addListViewItems(list, i, kTextColumns, texts);
    if (!row) continue;
    iconCell(list, row, kRightColumn, i == 0 ? kIconNotSupported : kIconRight);
    iconCell(list, row, kModifyColumn, kIconSet);
    iconCell(list, row, kDeleteColumn, i == 0 ? kIconNotSupported : kIconDelete);
  }
}

// The record of the selected row, or -1 with no selection.
int selectedRecord(WindowHandle list, HLVROW* rowOut = nullptr) {
  int32_t key = -1;
  const LResult row = SendMessage(list, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key));
  if (row == 0 || row == -1) return -1;
  if (rowOut) *rowOut = reinterpret_cast<HLVROW>(row);
  return key >= 0 && key < USER_COUNT ? key : -1;
}

void addUserRow(WindowHandle page) {
  refreshCache();
  const UserConfig* table = getCachedUserConfig();
  const int index = table ? firstFree(*table) : -1;
  if (index < 0) {
    showMsgBox(page, kSection, "user_limit", MSGBOX_INFO);
    return;
  }
  setUserDlgArgs(kModeAdd, index);
  runWithMenuDisabled(createUserAddDialog, page);
  fillUserList(page);
}

void modifyRow(WindowHandle page, int index, HLVROW row) {
  setUserDlgArgs(kModeModify, index);
  runWithMenuDisabled(createUserModifyDialog, page);
  const UserConfig* table = getCachedUserConfig();
  if (!table) return;
  char texts[kTextColumns * kTextStride] = {};
  recordTexts(table->users[index], texts);
  for (int column = 1; column < kTextColumns; ++column) {
    ListViewSubItemInfo cell{};
    cell.column = column;
    cell.text = texts + column * kTextStride;
    cell.textColor = SysPixelIndex[page_colours::kText];
    SendMessage(listOf(page), LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  }
}

void deleteRow(WindowHandle page, int index) {
  // Only an explicit Yes deletes: a missing question text must not.
  if (askMsgBox(page, kSection, "deleteuser") != IDYES) return;
  UserConfig* table = getCachedUserConfig();
  if (!table) return;
  std::memset(&table->users[index], 0, sizeof table->users[index]);
  if (int rc = writeTable(*table)) reportWriteFailed(page, rc);
  fillUserList(page);
}

enum class Action { kModify, kRights, kDelete };

// Keys need a selection (else a box); clicks without one do nothing.
void act(WindowHandle page, Action action, bool byKey) {
  HLVROW row = nullptr;
  const int index = selectedRecord(listOf(page), &row);
  if (index < 0) {
    if (byKey) showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  switch (action) {
    case Action::kModify: modifyRow(page, index, row); return;
    case Action::kRights:
      if (index == 0) return;
      setUserDlgArgs(kModeRights, index);
      runWithMenuDisabled(createUserRightDialog, page);
      return;
    case Action::kDelete:
      if (index > 0) deleteRow(page, index);
      return;
  }
}

void listNotified(WindowHandle list, int, int code, LParam data) {
  const WindowHandle page = GetParent(list);
  switch (code) {
    case LVN_ITEMDBCLK:
    case LVN_CELLCLICK + kModifyColumn: act(page, Action::kModify, false); return;
    case LVN_CELLCLICK + kRightColumn: act(page, Action::kRights, false); return;
    case LVN_CELLCLICK + kDeleteColumn: act(page, Action::kDelete, false); return;
    case LVN_KEYDOWN: {
      const auto* key = reinterpret_cast<const ListViewKeyInfo*>(data);
      if (!key) return;
      if (key->scanCode == PANEL_KEY_EDIT) act(page, Action::kModify, true);
      if (key->scanCode == PANEL_KEY_CHECK_ALL) act(page, Action::kRights, true);
      if (key->scanCode == PANEL_KEY_ACTION) act(page, Action::kDelete, true);
      return;
    }
    default: return;
  }
}

void init(WindowHandle page) {
  // The icons point into the layout's pixels, which a restarted toolkit
  // loads anew: taken each time, as the disk and log pages do.
  loadListViewBitmaps();
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "adduser", kButtonStyle, kPlacedEx, kAddId, false}, y);
  pageframe::createFromKey(page, kSection, {"button", "manage_close", kButtonStyle, kPlacedEx, PAGE_ID_EXIT, false}, y);
  const WindowHandle list =
      pageframe::createFromKey(page, kSection, {"ListView", "userlist", kListStyle, kPlacedEx, kListId, false});
  if (!IsValidHandle(list)) return;
  SetNotificationCallback(list, listNotified);
  addListViewColumns(page, kListId, kSection, kColumns, kColumnCount);
  fillUserList(page);
}

void command(WindowHandle page, int id, int) {
  if (id == kAddId) addUserRow(page);
}

int noSave(WindowHandle) { return 0; }
void noReport(WindowHandle, int) {}

const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, noSave, noReport, closeSystemMenu};

}  // namespace

void reportWriteFailed(WindowHandle owner, int code) {
  showSaveFailedCode(owner, code);
  refreshCache();
}

LResult managePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace users

// The configuration import and export page: the removable device's file
// list, import of the selected file (the recorder then reboots), export of
// the recorder's file, and a new folder.
#include <cstdio>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_keys.h"
#include "app/system/maintenance/maintenance.h"
#include "app/maintenance_pages.h"
#include "app/usbdev.h"
#include "gui/display.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "configuration";
constexpr int kFree = 20850, kImport = 20848, kExport = 20849;
constexpr int kGeneralError = 1;
// The list's style: a bordered list with a header and a frame.
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL;

const ValueKeyRow kImportErrors[] = {{"importerror", 1},   {"nofile", 2},        {"nodevice", 3},
                                     {"errornomemory", 4}, {"errormistype", 5},  {"errormislang", 6},
                                     {"errordataerr", 7}};
const ValueKeyRow kExportErrors[] = {{"exporterror", 1}, {"nospace", 2}, {"nodevice", 3}};

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

// An optical disc is read-only: nothing can be written or made there.
void showWriteButtons(WindowHandle page) {
  const int show = usbdevIsCd() ? SW_HIDE : SW_SHOW;
  for (int id : {USBDEV_ID_NEW_FOLDER, kExport, kImport}) ShowWindow(GetDlgItem(page, id), show);
}

void choose(WindowHandle page, int index) {
  selectUsbdev(page, index);
  showWriteButtons(page);
}

void init(WindowHandle page) {
  setUsbClientWnd(page);
  setUsbdevPurpose(USBDEV_PURPOSE_CONFIG);
  const pageframe::Control kControls[] = {
      {"combobox", "device", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY, WS_EX_PLACE_X | WS_EX_PLACE_W,
       USBDEV_ID_DEVICE, true},
      {"button", "refresh", WS_CHILD | WS_VISIBLE, WS_EX_PLACE_X | WS_EX_PLACE_W, USBDEV_ID_REFRESH, false},
      {"listview", "devlist", kListStyle, WS_EX_PLACE_MASK, USBDEV_ID_LIST, false},
      {"static", "free", WS_CHILD | WS_VISIBLE, WS_EX_PLACE_MASK, kFree, false}};
  pageframe::createControls(page, kSection, kControls, 4);
  addUsbdevColumns(page, kSection);
  maintenance::bottomButton(page, kSection, "new", USBDEV_ID_NEW_FOLDER);
  maintenance::bottomButton(page, kSection, "import", kImport);
  maintenance::bottomButton(page, kSection, "export", kExport);
  maintenance::bottomButton(page, kSection, "close", PAGE_ID_EXIT);
  fillUsbdevCombo(page);
  choose(page, 0);
}

void newFolder(WindowHandle page) {
  if (const int rc = checkUsbdev()) {
    showUsbdevError(page, rc);
    return;
  }
  const WindowHandle menu = getMaintenanceMenuWnd();
  EnableWindow(menu, FALSE);
  showNewFolderDialog(page);
  EnableWindow(menu, TRUE);
  refreshUsbdevList(page);
}

void importFile(WindowHandle page) {
  if (const int rc = checkUsbdev()) {
    showUsbdevError(page, rc);
    return;
  }
  char path[USBDEV_PATH_SIZE] = "";
  const int rc = getUsbdevSelectedPath(page, path, sizeof path);
  if (rc == USBDEV_NO_SELECTION) showMsgBox(page, kSection, "itemselect", MSGBOX_INFO);
  else if (rc == USBDEV_FOLDER_SELECTED) showMsgBox(page, kSection, "opfolder", MSGBOX_INFO);
  if (rc != 0) return;
  if (askMsgBox(page, kSection, "importok") != IDYES) return;
  const int result = importConfigFile(login(), path);
  if (result == 0) maintenance::announceReboot(maintenance::kRebootHint);
  else maintenance::showResultBox(page, kSection, kImportErrors, 7, result, kGeneralError);
}

void exportFile(WindowHandle page) {
  if (const int rc = checkUsbdev()) {
    showUsbdevError(page, rc);
    return;
  }
  int result = 0;
  {
    maintenance::BusyCursor busy;
    result = exportConfigFile(login(), nullptr);
  }
  if (result != 0) {
    maintenance::showResultBox(page, kSection, kExportErrors, 3, result, kGeneralError);
    return;
  }
  showMsgBox(page, kSection, "exportsuccess", MSGBOX_INFO);
  maintenance::BusyCursor busy;
  refreshUsbdevList(page);
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case USBDEV_ID_REFRESH: choose(page, 0); break;
    case USBDEV_ID_DEVICE:
      if (code == CBN_SELCHANGE)
        choose(page, comboValue(page, USBDEV_ID_DEVICE));
      break;
    case USBDEV_ID_NEW_FOLDER: newFolder(page); break;
    case kImport: importFile(page); break;
    case kExport: exportFile(page); break;
    default: break;
  }
}

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{init,
                                           [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); },
                                           command,
                                           [](WindowHandle) { return 0; },
                                           [](WindowHandle, int) {},
                                           closeMaintenanceMenu,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           maintenance::usbdevKeys};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"config", pageProc, nullptr}};

bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_CLOSE || message == MSG_DESTROY) setUsbClientWnd(GUI_INVALID_HANDLE);
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kMaintenanceSlot, windowMessage};

}  // namespace

extern "C" int createConfigurationWindow(WindowHandle owner) {
  return pageframe::openWindow<kWindow>(owner);
}

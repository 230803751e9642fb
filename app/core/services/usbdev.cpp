// The removable-device module in its least form: at most one device (only
// a test makes one present), its top folder as the file list, the selected
// row's path, and the error boxes of the check.
#include <cstdio>
#include <cstring>
#include <mutex>

#include "app/control_services.h"
#include "app/msgbox.h"
#include "app/usbdev.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/window.h"

namespace {

constexpr const char* kSection = "usbdev";
constexpr const char* kDeviceName = "USB1";
constexpr const char* kMountPoint = "/mnt/usb1";
constexpr size_t kStride = 128;

struct Module {
  std::mutex lock;
  int purpose = 0;
  bool present = false;
  bool cd = false;
  bool chosen = false;
  std::vector<usbdev_seam::Entry> entries;
};
Module& module() {
  static Module m;
  return m;
}

const ListColumnDesc kColumns[USBDEV_LIST_COLUMNS] = {
    {"file_name", 0, nullptr},  {"file_size", 0, nullptr},   {"file_type", 0, nullptr},
    {"file_time", 0, nullptr},  {"file_delete", 0, nullptr}, {"file_play", 0, nullptr}};

}  // namespace

namespace usbdev_seam {

void present(bool cd, const std::vector<Entry>& entries) {
  Module& m = module();
  std::lock_guard<std::mutex> hold(m.lock);
  m.present = true;
  m.cd = cd;
  m.chosen = false;
  m.entries = entries;
}

void absent() {
  Module& m = module();
  std::lock_guard<std::mutex> hold(m.lock);
  m.present = false;
  m.cd = false;
  m.chosen = false;
  m.entries.clear();
}

}  // namespace usbdev_seam

extern "C" {

void setUsbdevPurpose(int purpose) {
  std::lock_guard<std::mutex> hold(module().lock);
  module().purpose = purpose;
}

int getUsbdevPurpose(void) {
  std::lock_guard<std::mutex> hold(module().lock);
  return module().purpose;
}

int checkUsbdev(void) {
  std::lock_guard<std::mutex> hold(module().lock);
  if (!module().present) return USBDEV_ERR_NO_DEVICE;
  return module().chosen ? 0 : USBDEV_ERR_NOT_READY;
}

void showUsbdevError(WindowHandle owner, int code) {
  if (code == 0) return;
  showMsgBox(owner, kSection, code == USBDEV_ERR_NO_DEVICE ? "usbdev_none" : "usbdev_notready", MSGBOX_INFO);
}

int fillUsbdevCombo(WindowHandle owner) {
  SendDlgItemMessage(owner, USBDEV_ID_DEVICE, CB_RESETCONTENT, 0, 0);
  std::lock_guard<std::mutex> hold(module().lock);
  if (!module().present) return 0;
  SendDlgItemMessage(owner, USBDEV_ID_DEVICE, CB_ADDSTRING, 0, reinterpret_cast<LParam>(kDeviceName));
  return 1;
}

int selectUsbdev(WindowHandle owner, int index) {
  {
    std::lock_guard<std::mutex> hold(module().lock);
    module().chosen = module().present && index == 0;
  }
  SendDlgItemMessage(owner, USBDEV_ID_DEVICE, CB_SELECTVALUE, static_cast<WParam>(index), 0);
  refreshUsbdevList(owner);
  return checkUsbdev();
}

int usbdevIsCd(void) {
  std::lock_guard<std::mutex> hold(module().lock);
  return module().present && module().cd ? 1 : 0;
}

void refreshUsbdevList(WindowHandle owner) {
  const WindowHandle list = GetDlgItem(owner, USBDEV_ID_LIST);
  if (list == GUI_INVALID_HANDLE) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  std::vector<usbdev_seam::Entry> entries;
  {
    std::lock_guard<std::mutex> hold(module().lock);
    if (module().chosen) entries = module().entries;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    char texts[USBDEV_LIST_COLUMNS * kStride] = {};
    std::snprintf(texts, kStride, "%s", entries[i].name.c_str());
    std::snprintf(texts + 2 * kStride, kStride, "%s", entries[i].folder ? "<DIR>" : "");
    addListViewItems(list, static_cast<int>(i), USBDEV_LIST_COLUMNS, texts);
  }
}

int getUsbdevListMode(void) { return 0; }

int getUsbdevSelectedPath(WindowHandle owner, char* out, int size) {
  if (!out || size <= 0) return -1;
  out[0] = '\0';
  int key = -1;
  const LResult row = SendDlgItemMessage(owner, USBDEV_ID_LIST, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key));
  if (row == 0 || key < 0) return USBDEV_NO_SELECTION;
  std::lock_guard<std::mutex> hold(module().lock);
  if (!module().chosen || static_cast<size_t>(key) >= module().entries.size()) return USBDEV_NO_SELECTION;
  const usbdev_seam::Entry& entry = module().entries[static_cast<size_t>(key)];
  if (entry.folder) return USBDEV_FOLDER_SELECTED;
  const int written = std::snprintf(out, static_cast<size_t>(size), "%s/%s", kMountPoint, entry.name.c_str());
  if (written < 0 || written >= size) {
    out[0] = '\0';
    return -1;
  }
  return 0;
}

int addUsbdevColumns(WindowHandle owner, const char* section) {
  return addListViewColumns(owner, USBDEV_ID_LIST, section, kColumns, USBDEV_LIST_COLUMNS);
}

int usbdevKeyHandler(WindowHandle, int) { return 0; }

}  // extern "C"

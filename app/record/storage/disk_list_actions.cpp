// What the disk list starts: initialising and expanding the checked disks,
// adding a network disk, a disk's properties and the row actions (remove,
// delete, load, unload).
#include <bitset>
#include <string>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/disk_texts.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/storage/disk_list.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/window.h"

namespace storage {
namespace {

constexpr int kSlotsOffered = 8;
constexpr int kSizeText = 32, kBoxText = 512;

bool checkedRow(WindowHandle page, int index) {
  return SendDlgItemMessage(page, kDiskList, LVM_GETCHECKEDBYKEY, static_cast<WParam>(index), 0) == 1;
}

// A checked disk that cannot be initialised stops the walk with its box.
bool refused(WindowHandle page, const DiskInfo& disk) {
  if (disk.readOnly) {
    showMsgBox(page, kDiskSection, "readonlydisk", MSGBOX_INFO);
    return true;
  }
  if (!isDiskTooLarge(disk.bus, disk.port)) return false;
  char size[kSizeText], text[kBoxText];
  formatDiskSize("TB", size, sizeof size);
  formatChecked(text, sizeof text, caption(kDiskSection, "maxcapacitydisk"), "s", size);
  showMsgBoxText(page, text, MSGBOX_INFO);
  return true;
}

void runFormat(WindowHandle page, const FormatDiskArg& arg, int kind) {
  setFormatDiskArg(arg);
  {
    MenuDisabled menu;
    setFormatOwnerWnd(page);
    setFormatType(kind);
    showFormatDialog(page);
  }
  refreshDiskTotals(page);
  setCurPageWnd(page);
}

// Each of the three requests answers non-zero when the device refused it.
void report(WindowHandle page, int rc) {
  if (rc != 0) showSaveFailedCode(page, rc);
}

int removeNetwork(const DiskInfo& disk) {
  NetDiskConfig config{};
  const int main = getMainOutput();
  getNetDiskConfig(getOutputLogin(main), &config, 0);
  const int slot = diskNumberOf(&disk) - getLocalDiskNum();
  // Only a slot of the table.
  if (slot < 0 || slot >= NET_DISK_SLOTS) return 0;
  return removeNetDisk(getLoginId(main), slot, &config.entries[slot], 1);
}

// The question for the row's action, or null when the disk has none.
const char* actionQuestion(const DiskInfo& disk) {
  if (isNetDisk(disk)) return "remove_hint";
  if (disk.status == kStatusAbsent && canDeleteDisk(disk.bus, disk.port)) return "delete_hint";
  if (disk.type == kTypeEsata || disk.type == kTypeMiniSas)
    return disk.status == kStatusUnloaded ? "load_hint" : "unload_hint";
  return nullptr;
}

int runAction(const DiskInfo& disk) {
  BusyState busy;
  const int main = getMainOutput();
  if (isNetDisk(disk)) return removeNetwork(disk);
  if (disk.status == kStatusAbsent && canDeleteDisk(disk.bus, disk.port))
    return deleteDisk(getOutputLogin(main), disk.bus, disk.port, 1);
  return loadDisk(getLoginId(main), disk.bus, disk.port, disk.status == kStatusUnloaded ? 1 : 0);
}

}  // namespace

int selectedRow(WindowHandle page) {
  int32_t key = -1;
  if (SendDlgItemMessage(page, kDiskList, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key)) == 0) return -1;
  return key;
}

void initDisks(WindowHandle page, bool expand) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  FormatDiskArg arg{};
  for (int i = 0; i < count; ++i) {
    if (!checkedRow(page, i)) continue;
    if (!expand && refused(page, rows[i])) return;
    arg.disks[arg.count] = static_cast<uint32_t>(diskNumberOf(&rows[i]));
    arg.results[arg.count] = 1;
    ++arg.count;
  }
  if (arg.count == 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  if (expand) setExpandPartFlag(0);
  runFormat(page, arg, expand ? FORMAT_TYPE_EXPAND : FORMAT_TYPE_DISKS);
}

void addNetDisk(WindowHandle page) {
  const std::bitset<kSlotsOffered> used(static_cast<unsigned>(getNetDiskSlotMask()) & 0xFFu);
  if (used.all()) {
    showMsgBoxText(page, caption("disk_nethdadd", "NethdfullErr"), MSGBOX_INFO);
    return;
  }
  MenuDisabled menu;
  showNetHdAddDialog(page, -1);
}

void openDiskProperties(WindowHandle page, int row) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  if (row < 0 || row >= count || !isDiskEditable(rows[row])) return;
  MenuDisabled menu;
  if (isNetDisk(rows[row]))
    showNetHdSetDialog(page, row);
  else
    showLocalHdSetDialog(page, row);
}

void diskRowAction(WindowHandle page, int row) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  if (row < 0 || row >= count) return;
  const char* question = actionQuestion(rows[row]);
  if (!question) return;
  // Only a Yes acts: a box that could not ask must not delete.
  if (askMsgBox(page, kDiskSection, question) != IDYES) return;
  report(page, runAction(rows[row]));
  refreshDiskTotals(page);
}

}  // namespace storage

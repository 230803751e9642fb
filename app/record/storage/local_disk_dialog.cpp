// The properties of a local disk: its attribute (read-write, read-only or
// redundancy) and the group it records into.
#include <cstdio>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/disk_texts.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

namespace attrs = storage::attrs;

constexpr const char* kSection = "disk_localhdset";
constexpr int kDiskNo = 19760;
constexpr int kRedundancyError = -1, kDeclined = -2, kNoDisk = -3;
constexpr uint32_t kLabelStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kNumberExStyle = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;

constexpr ValueKeyRow kErrors[] = {{"redunderror", kRedundancyError}};

int g_diskIndex = -1;

bool otherWritableDisk(const DiskInfo* rows, int count, int index) {
  for (int i = 0; i < count; ++i)
    if (i != index && rows[i].readOnly == 0 && rows[i].redundancy == 0) return true;
  return false;
}

// 0, or the device's refusal of the group's mask or of the disk's group.
int moveGroup(int login, const DiskInfo& row, int group) {
  const int bit = row.port + 2 * row.bus;
  uint64_t mask = 0;
  if (bit >= 0 && bit < 64) {
    getDiskGroupMask(group, &mask);
    if (const int rc = setDiskGroupMask(login, group, mask | (uint64_t{1} << bit))) return rc;
  }
  return setDiskGroup(login, row.bus, row.port, group);
}

void init(WindowHandle dlg) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = storage::readDisks(rows);
  pageframe::createFromKey(dlg, kSection, {"static", "diskno", kLabelStyle, kNumberExStyle, kDiskNo, true});
  attrs::create(dlg, kSection);
  const int y = pageframe::bottomRow(dlg);
  pageframe::createFromKey(dlg, kSection, {"button", "apply", kButtonStyle | WS_DISABLED, 0, PAGE_ID_APPLY, false}, y);
  pageframe::createFromKey(dlg, kSection, {"button", "ok", kButtonStyle, 0, PAGE_ID_OK, false}, y);
  const WindowHandle cancel =
      pageframe::createFromKey(dlg, kSection, {"button", "cancel", kButtonStyle, 0, IDCANCEL, false}, y);
  if (storage::isWindow(cancel)) SetFocusChild(cancel);
  if (g_diskIndex < 0 || g_diskIndex >= count) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", diskNumberOf(&rows[g_diskIndex]));
  storage::setText(dlg, kDiskNo, text);
  attrs::show(dlg, rows[g_diskIndex]);
}

void showError(WindowHandle dlg, int code) {
  if (code == kRedundancyError)
    showMsgBoxValueName(dlg, kSection, kErrors, 1, code, MSGBOX_INFO);
  else if (code != kDeclined)
    showSaveFailedCode(dlg, code);
}

void command(WindowHandle dlg, int id, int) {
  if (attrs::click(dlg, id)) return;
  switch (id) {
    case PAGE_ID_OK: {
      const int rc = saveDiskAttrAndGroup(dlg, g_diskIndex);
      if (rc == kDeclined) return;
      if (rc != 0) return showError(dlg, rc);
      storage::refreshHostTotals(dlg);
      SendDlgItemMessage(dlg, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
      SendMessage(dlg, MSG_CLOSE, 0, 0);
      return;
    }
    case PAGE_ID_APPLY: {
      const int rc = saveDiskAttrAndGroup(dlg, g_diskIndex);
      showError(dlg, rc);
      // A refused save keeps Apply, so that the user can try again.
      if (rc == 0) SendDlgItemMessage(dlg, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
      return;
    }
    case IDCANCEL:
      storage::refreshHostTotals(dlg);
      SendMessage(dlg, MSG_CLOSE, 0, 0);
      return;
    default: return;
  }
}

void erase(WindowHandle dlg, WParam hdc, LParam rect) { attrs::paintDialog(dlg, kSection, hdc, rect, true); }

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, erase};

}  // namespace

extern "C" {

int saveDiskAttrAndGroup(WindowHandle dialog, int diskIndex) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = storage::readDisks(rows);
  // A row the list no longer has cannot be saved (not a success either).
  if (diskIndex < 0 || diskIndex >= count) return kNoDisk;
  const DiskInfo& row = rows[diskIndex];
  const bool redundancy = hasDiskRedundancy() && isChecked(dialog, attrs::kAttrRedundant);
  if (redundancy && !otherWritableDisk(rows, count, diskIndex)) return kRedundancyError;
  const bool readWrite = isChecked(dialog, attrs::kAttrRw);
  const bool readOnly = !readWrite && isChecked(dialog, attrs::kAttrReadOnly);
  const int group = attrs::chosenGroup(dialog);
  const bool groupChanged = group != row.group;
  if (groupChanged && askMsgBox(dialog, kSection, "hdgroupset") == IDNO) return kDeclined;
  const int login = getLoginId(getCurOutput());
  const int attr = !readWrite && redundancy ? DISK_ATTR_REDUNDANCY : readOnly ? DISK_ATTR_READONLY : DISK_ATTR_READWRITE;
  if (const int rc = setDiskAttr(login, row.bus, row.port, attr, 1)) return rc;
  return groupChanged && group > 0 ? moveGroup(login, row, group) : 0;
}

int showLocalHdSetDialog(WindowHandle parent, int diskIndex) {
  g_diskIndex = diskIndex;
  return pageframe::runDialog(pageframe::dialogTemplate(kSection, "win_localhdset", getCurOutput()), parent, pageframe::dialogProc<kHooks>);
}

}  // extern "C"

// The confirmation before disk work: the warning for the kind of work, the
// file system of a removable device, the busy checks of the device, and the
// live view of the main output held while it is open.
#include <cstdio>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/playback.h"
#include "app/record/storage/storage_internal.h"
#include "app/record_pages.h"
#include "app/storage_pages.h"
#include "gui/button.h"
#include "gui/bitmap.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "format";
constexpr int kWarn = 19840, kFileSys = 19841;
constexpr int kOutputPlayback = 9;
constexpr uint32_t kStaticStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kComboExStyle = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

constexpr ValueKeyRow kFileSystems[] = {{"file_sys_fat32", 12}, {"file_sys_ntfs", 7}};

struct DialogState {
  bool hold = false;
  bool resume = false;
};
DialogState g_dialog;

bool removableDisk() { return getFormatType() == FORMAT_TYPE_USB && !usbdevIsCd(); }

void resumeLiveView() {
  if (!g_dialog.resume) return;
  setLiveViewActive(getMainOutput(), 1);
  g_dialog.resume = false;
}

void setWarning(WindowHandle dlg) {
  char text[256] = "";
  switch (getFormatType()) {
    case FORMAT_TYPE_USB:
      storage::setText(dlg, kWarn, storage::caption(kSection, usbdevIsCd() ? "format_warn_erase" : "format_warn_format"));
      return;
    case FORMAT_TYPE_EXPAND:
      if (getExpandPartFlag())
        std::snprintf(text, sizeof text, "%s%s", storage::caption(kSection, "part_expand"),
                      storage::caption(kSection, "format_warn_expand"));
      else
        std::snprintf(text, sizeof text, "%s", storage::caption(kSection, "format_warn_expand"));
      storage::setText(dlg, kWarn, text);
      return;
    default: return;
  }
}

void fillFileSystems(WindowHandle dlg) {
  SendDlgItemMessage(dlg, kFileSys, CB_DELETEALL, 0, 0);
  addValueComboItems(dlg, kFileSys, kFileSystems, 2, kSection, 1);
  FormatProgress record{};
  getFormatProgress(getUsbdevId(), getUsbdevSubId(), &record);
  SendDlgItemMessage(dlg, kFileSys, CB_SELECTVALUE, record.fileSystem, 0);
}

void init(WindowHandle dlg) {
  g_dialog.hold = true;
  const int main = getMainOutput();
  g_dialog.resume = isLiveViewActive(main) != 0;
  if (g_dialog.resume) setLiveViewActive(main, 0);
  pageframe::createFromKey(dlg, kSection, {"static", "warn", kStaticStyle, WS_EX_TRANSPARENT, kWarn, false});
  if (removableDisk())
    pageframe::createFromKey(dlg, kSection, {"combobox", "filesys", kComboStyle, kComboExStyle, kFileSys, true});
  const int y = pageframe::bottomRow(dlg);
  pageframe::createFromKey(dlg, kSection, {"button", "ok", kButtonStyle, 0, PAGE_ID_OK, false}, y);
  const WindowHandle cancel =
      pageframe::createFromKey(dlg, kSection, {"button", "cancel", kButtonStyle, 0, IDCANCEL, false}, y);
  if (storage::isWindow(cancel)) SetFocusChild(cancel);
  setWarning(dlg);
  if (removableDisk()) fillFileSystems(dlg);
}

// The one refusal of a busy device, or null.
const char* busyKey() {
  if (isDiskRepairing()) return "format_err_repairing";
  if (isDiskFormatting()) return "formating_error";
  if (isDiskExpanding() && isDiskExpanding()) return "format_err_expanding";
  return nullptr;
}

void startFormat() {
  FormatDiskArg arg{};
  getFormatDiskArg(&arg);
  int n[32] = {};
  const int count = arg.count < 32 ? static_cast<int>(arg.count) : 32;
  for (int i = 0; i < count; ++i) n[i] = static_cast<int>(arg.disks[i]);
  formatDiskArray(getMainOutput(), count, n);
}

void ok(WindowHandle dlg) {
  const int kind = getFormatType();
  if (kind != FORMAT_TYPE_USB) {
    if (const char* key = busyKey()) {
      showMsgBox(dlg, kSection, key, MSGBOX_INFO);
      return;
    }
  } else if (isUsbdevNotReady(getUsbdevId())) {
    return;
  }
  if (removableDisk()) setFormatFsChoice(comboValue(dlg, kFileSys));
  g_dialog.hold = false;
  SendMessage(dlg, MSG_CLOSE, 0, 0);
  if (kind == FORMAT_TYPE_DISKS)
    startFormat();
  else
    showFormatingDialog(getFormatOwnerWnd());
  if (getOutputState(getMainOutput()) != kOutputPlayback) resumeLiveView();
}

void paint(WindowHandle dlg, WParam hdc, LParam rect) {
  paintSmallDialogBackground(dlg, hdc, rect);
  Bitmap warn{};
  const CtrlResInfo* at = pageframe::record(kSection, "warn_bmp_pos");
  if (!at || !GetWinBitmap(kSection, "format_warn_bmp", &warn)) return;
  const HDC dc = GetClientDC(dlg);
  FillBoxWithBitmap(dc, at->x, at->y, 0, 0, &warn);
  ReleaseDC(dc);
}

void command(WindowHandle dlg, int id, int) {
  if (id == PAGE_ID_OK) ok(dlg);
  if (id == IDCANCEL) SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void close(WindowHandle dlg) {
  if (g_dialog.hold) resumeLiveView();
  EndDialog(dlg, 0);
}

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, paint, close};

}  // namespace

namespace storage {

// Both format windows are centred on the main output and titled by the kind.
DlgTemplate formatTemplate(const char* section) {
  DlgTemplate tmpl = pageframe::dialogTemplate(section, nullptr, getMainOutput());
  switch (getFormatType()) {
    case FORMAT_TYPE_USB: tmpl.caption = caption(kSection, usbdevIsCd() ? "format_type_erase" : "format_type_format"); break;
    case FORMAT_TYPE_EXPAND: tmpl.caption = caption(kSection, "format_type_expand"); break;
    default: tmpl.caption = caption(kSection, "win_format"); break;
  }
  return tmpl;
}

}  // namespace storage

extern "C" int showFormatDialog(WindowHandle parent) {
  const DlgTemplate tmpl = storage::formatTemplate(kSection);
  return pageframe::runDialog(tmpl, parent, pageframe::dialogProc<kHooks>);
}

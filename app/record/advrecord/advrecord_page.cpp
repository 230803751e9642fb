// The advanced record page: overwrite when the disks are full, the use of
// each external disk port, and recording encryption for the administrator.
// A changed port use takes effect after a reboot, which the page offers.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/layout_bitmaps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/page_registry.h"
#include "app/record_pages.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace advrecord {
namespace {

constexpr const char* kSection = "advrecordset";
constexpr int kOverwrite = 18688, kPort = 18689, kUse = 18690, kEncrypt = 18691, kPassword = 18692, kWarn = 18695;
constexpr int kFirstEsataDisk = 23, kFirstMiniSasDisk = 25;  // item value = this + port number
constexpr int kDisks = ADV_RECORD_DISKS;
constexpr int kPasswordMax = 32;
constexpr int kBusyCursor = 13, kNormalCursor = 0;

constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_FRAMED;

struct PageState {
  uint8_t diskUse[kDisks];
  int selected;
  int warnY;
  bool encryption;
  NamedBitmap warnBitmap[1];
};
PageState g_state;

OutputLogin* login() { return getOutputLogin(getMainOutput()); }

bool hasEncryptionRows() { return getEncryptAbility() == 1 && isAdminUser(getLoginUserIndex(getMainOutput())); }

void addPort(WindowHandle page, const char* key, int n, int value) {
  // The disk pages own "disk_base"; the page carries the two words itself
  // for a layout without that section.
  const char* text = lookupText("disk_base", key);
  if (!text) text = lookupText(kSection, key);
  if (!text || value >= kDisks) return;
  char item[96];
  std::snprintf(item, sizeof item, "%s%d", text, n);
  SendDlgItemMessage(page, kPort, CB_ADDSTRING, static_cast<WParam>(value), reinterpret_cast<LParam>(item));
}

// The port list stops at disk number 32: the working table has 33 entries.
int fillPorts(WindowHandle page) {
  int first = -1;
  for (int n = 1; n <= getEsataNum() && kFirstEsataDisk + n < kDisks; ++n) {
    addPort(page, "disk_type_esata", n, kFirstEsataDisk + n);
    if (first < 0) first = kFirstEsataDisk + n;
  }
  for (int n = 1; n <= getMiniSasNum() && kFirstMiniSasDisk + n < kDisks; ++n) {
    addPort(page, "disk_type_minisas", n, kFirstMiniSasDisk + n);
    if (first < 0) first = kFirstMiniSasDisk + n;
  }
  return first;
}

void fillUses(WindowHandle page) {
  const ValueKeyRow rows[] = {{"sataforbackup", 0}, {"sataforrecord", 1}};
  const ValueKeyRow rowsNoPic[] = {{"sataforbackup", 0}, {"sataforrecord_nopic", 1}};
  addValueComboItems(page, kUse, hasCaptureSchedule() ? rows : rowsNoPic, 2, kSection, 1);
}

int recordY(const char* key) {
  const CtrlResInfo* r = pageframe::record(kSection, key);
  return r ? r->y : 0;
}
int recordBottom(const char* key) {
  const CtrlResInfo* r = pageframe::record(kSection, key);
  return r ? r->y + r->h : 0;
}

void createControls(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"button", "hddrecover", kCheck, 0, kOverwrite, true});
  pageframe::createFromKey(page, kSection, {"combobox", getMiniSasNum() > 0 ? "sata" : "sata_esata", kCombo, 0, kPort, true});
  pageframe::createFromKey(page, kSection, {"combobox", "usage", kCombo, 0, kUse, true});
  int warnY = recordY("warn");
  if (g_state.encryption) {
    pageframe::createFromKey(page, kSection, {"button", "aes_enable", kCheck, 0, kEncrypt, true});
    // A masked edit: the password is not shown in clear.
    WindowHandle edit = pageframe::createFromKey(
        page, kSection, {"sledit", "aes_passwd", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_PASSWORD, 0, kPassword, true});
    if (IsValidHandle(edit)) SendMessage(edit, EM_LIMITTEXT, kPasswordMax, 0);
    warnY += recordBottom("aes_passwd") - recordBottom("usage");
  }
  pageframe::createFromKey(page, kSection, {"static", "warn", WS_CHILD | WS_VISIBLE, 0, kWarn, false}, warnY);
  g_state.warnY = warnY;
  pageframe::createBottomButtons(page, kSection, "rec_apply", "rec_close", PAGE_ID_EXIT);
}

void showWarning(WindowHandle page) {
  ShowWindow(GetDlgItem(page, kWarn), isChecked(page, kOverwrite) ? SW_HIDE : SW_SHOW);
}

void init(WindowHandle page) {
  std::memset(g_state.diskUse, 0, sizeof g_state.diskUse);
  g_state.selected = -1;
  g_state.encryption = hasEncryptionRows();
  createControls(page);
  AdvRecordConfig record{};
  getAdvRecordConfig(login(), &record, 1);
  std::memcpy(g_state.diskUse + kFirstEsataDisk + 1, record.diskUse + kFirstEsataDisk + 1,
              static_cast<size_t>(kDisks - kFirstEsataDisk - 1));
  setChecked(page, kOverwrite, record.overwrite);
  g_state.selected = fillPorts(page);
  fillUses(page);
  if (g_state.selected >= 0) {
    selectComboValue(page, kPort, g_state.selected);
    selectComboValue(page, kUse, g_state.diskUse[g_state.selected]);
  }
  if (!hasEsataFunction()) {
    for (int id : {kPort, kUse}) {
      enableLabeledCtrl(page, id, 0);
      showLabeledCtrl(page, id, 0);
    }
  }
  if (g_state.encryption) {
    RecordEncryptConfig encrypt{};
    getRecordEncryptConfig(&encrypt);
    encrypt.password[sizeof encrypt.password - 1] = '\0';
    setChecked(page, kEncrypt, encrypt.enable);
    SetDlgItemText(page, kPassword, encrypt.password);
  }
  showWarning(page);
}

// The whole page: the warning text uncovers more than the bitmap's area.
void invalidateWarning(WindowHandle page) { InvalidateRect(page, nullptr, TRUE); }

void paint(WindowHandle page) {
  HDC hdc = BeginPaint(page);
  const CtrlResInfo* pos = pageframe::record(kSection, "warn_pos");
  const Bitmap* bmp = findNamedBitmap(g_state.warnBitmap, 1, "overwrite_warn_bmp");
  if (!isChecked(page, kOverwrite) && pos && bmp)
    FillBoxWithBitmap(hdc, pos->x, g_state.warnY, static_cast<int>(bmp->bmWidth), static_cast<int>(bmp->bmHeight), bmp);
  EndPaint(page, hdc);
}

void onCommand(WindowHandle page, int id, int code) {
  switch (id) {
    case kOverwrite:
      showWarning(page);
      invalidateWarning(page);
      enableApply(page, 0, 0);
      return;
    case kPort:
      if (code != CBN_SELCHANGE) return;
      g_state.selected = comboValue(page, kPort);
      if (g_state.selected >= 0 && g_state.selected < kDisks)
        selectComboValue(page, kUse, g_state.diskUse[g_state.selected]);
      return;
    case kUse:
      if (code != CBN_SELCHANGE) return;
      if (g_state.selected >= 0 && g_state.selected < kDisks)
        g_state.diskUse[g_state.selected] = static_cast<uint8_t>(comboValue(page, kUse) == 1 ? 1 : 0);
      enableApply(page, 0, 0);
      return;
    case kEncrypt: enableApply(page, 0, 0); return;
    case kPassword: enableApplyOnChange(page, static_cast<WParam>(code) << 16 | static_cast<WParam>(id), 0); return;
    default: return;
  }
}

bool written(int code) { return code == 0 || code == DEVICE_OK_QUIET; }

// The busy cursor and the held display switch go with the write, however
// it ended.
void endBusyWrite() {
  SetCursor(GetSystemCursor(kNormalCursor));
  setDispSwitchEnabled(1);
}

// Everything is written first; a new port use takes effect at the next
// start, and the question only asks whether that start comes now: No keeps
// what was written for later.
int save(WindowHandle page) {
  RecordEncryptConfig encrypt{};
  if (g_state.encryption) {
    encrypt.enable = isChecked(page, kEncrypt) ? 1 : 0;
    GetDlgItemText(page, kPassword, encrypt.password, sizeof encrypt.password);
    encrypt.password[sizeof encrypt.password - 1] = '\0';
    encrypt.passwordLength = static_cast<uint8_t>(std::strlen(encrypt.password));
  }
  AdvRecordConfig record{};
  getAdvRecordConfig(login(), &record, 1);
  record.overwrite = isChecked(page, kOverwrite) ? 1 : 0;
  const bool newUse = std::memcmp(record.diskUse, g_state.diskUse, kDisks) != 0;
  std::memcpy(record.diskUse, g_state.diskUse, kDisks);
  if (newUse) {
    setDispSwitchEnabled(0);
    SetCursor(GetSystemCursor(kBusyCursor));
  }
  int code = g_state.encryption ? setRecordEncryptConfig(getLoginId(getMainOutput()), &encrypt) : 0;
  if (code == 0) code = setAdvRecordConfig(login(), &record, 1);
  if (newUse) endBusyWrite();
  if (!written(code)) return code;
  if (const int kept = saveDeviceParams()) return kept;
  if (!newUse) return 0;
  SetPowerKeyDownFlag(1);
  const char* question = getMiniSasNum() > 0 ? "esatafun_change" : "esatafun_only_change";
  const bool now = askMsgBox(page, kSection, question) == IDYES;
  SetPowerKeyDownFlag(0);
  if (!now) return 0;
  WindowHandle menu = getRecordMenuWnd();
  EnableWindow(menu, FALSE);
  openShutdownHint(page, 1);
  EnableWindow(menu, TRUE);
  return 0;
}

void report(WindowHandle page, int code) { showSaveFailedCode(page, code); }

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks{
      init, eraseBkgndGrey50, onCommand, save, report, closeRecordMenu, nullptr, nullptr, paint};
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"record", pageProc, nullptr}};

// Taken again at every opening: the copy points into the layout's
// bitmaps, which a restart of the toolkit frees and loads anew.
bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_INITDIALOG) {
    g_state.warnBitmap[0].key = "overwrite_warn_bmp";
    loadNamedBitmaps(kSection, g_state.warnBitmap, 1, 0);
  }
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kRecordSlot, windowMessage};

}  // namespace
}  // namespace advrecord

extern "C" int createAdvRecordSetWindow(WindowHandle host) {
  return pageframe::openWindow<advrecord::kWindow>(host);
}

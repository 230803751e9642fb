// The S.M.A.R.T. page: one local disk's report, its self-test and the
// device-wide S.M.A.R.T. checking switch. A poll timer follows a running
// self-test and holds the live view while it runs.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/layout_bitmaps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/disks/disks.h"
#include "app/smart_list.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/static.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace disks {
namespace {

constexpr int kEnable = 19808, kDisk = 19809, kStatus = 19810, kType = 19811, kSelfTest = 19812;
constexpr int kTemperature = 19813, kTime = 19814, kSelfEva = 19815, kAllEva = 19816, kList = 19818;
constexpr int kTextSize = 128;
// Apply without a disk: a failure that no box reports.
constexpr int kNoDisk = PAGE_CODE_DECLINED;
constexpr int kLanguageGb2312 = 2;  // language ids count from 1, English

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kCombo = kChild | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kField = kChild | SS_EDITFRAME;
constexpr uint32_t kListStyle = kChild | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_TREE | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kPlaceXW = WS_EX_PLACE_X | WS_EX_PLACE_W;

constexpr ValueKeyRow kSelfEvaluation[] = {{"istatus_ok", 0}, {"istatus_error", -1}};
constexpr ValueKeyRow kOverall[] = {
    {"ismartstatus_functional", 1}, {"ismartstatus_badsectors", 2}, {"ismartstatus_fault", 3}};
constexpr ValueKeyRow kSelfTestStatus[] = {
    {"selftest_status_ok", 0},         {"selftest_status_aborted", 1}, {"selftest_status_interrupted", 2},
    {"selftest_status_err", 3},        {"selftest_status_unkown", 4},  {"selftest_status_electrical", 5},
    {"selftest_status_servo", 6},      {"selftest_status_read", 7},    {"selftest_status_progress", 15},
    {"selftest_status_no", 255},
};
constexpr ValueKeyRow kSelfTestTypes[] = {
    {"selftest_type_shot", 1}, {"selftest_type_expanded", 2}, {"selftest_type_conveyance", 3}};

template <size_t N>
constexpr int countOf(const ValueKeyRow (&)[N]) {
  return static_cast<int>(N);
}

NamedBitmap g_handles[3] = {{"handle_bg_bmp", {}, 0}, {"handle_bmp", {}, 0}, {"handle_dis_bmp", {}, 0}};

void ignoreNotify(WindowHandle, int, int, LParam) {}

// The degree sign in the language file's charset.
const char* degreeSign() { return GetSysInfoLanguage() == kLanguageGb2312 ? "\xA1\xE3" "C" : "\xB0" "C"; }

void createTemperature(WindowHandle page) {
  const CtrlResInfo* r = pageframe::record(kSmartSection, "temperature");
  if (!r) return;
  char label[kTextSize];
  formatChecked(label, sizeof label, r->caption, "s", degreeSign());
  createLabeledCtrl("static", label, kField, kPlaceXW, kTemperature, r->x, r->y, r->w, r->h, page, 0);
}

void createControls(WindowHandle page) {
  pageframe::createBottomButtons(page, kSmartSection, "smart_apply", "smart_close", PAGE_ID_EXIT);
  const pageframe::Control controls[] = {
      {"button", "enable", kChild | BS_FRAMED | BS_ELLIPSIS | BS_AUTOCHECKBOX, 0, kEnable, false},
      {"combobox", "hddno", kCombo, 0, kDisk, true},
      {"static", "smart_selftest_status", kField | SS_ELLIPSIS | SS_NOTIFY, kPlaceXW, kStatus, true},
      {"combobox", "smart_selftest_type", kCombo, kPlaceXW, kType, true},
      {"static", "time", kField, kPlaceXW, kTime, true},
      {"static", "selfeva", kField, kPlaceXW, kSelfEva, true},
      {"static", "alleva", kField, kPlaceXW, kAllEva, true},
      {"static", "info", kChild | SS_VCENTER, 0, 0, false},
  };
  pageframe::createControls(page, kSmartSection, controls, static_cast<int>(sizeof controls / sizeof controls[0]));
  const WindowHandle test = pageframe::createFromKey(
      page, kSmartSection, {"button", "smart_selftest", kChild | BS_FRAMED | BS_BITMAPBUTTON, 0, kSelfTest, false});
  if (const Bitmap* image = findNamedBitmap(g_handles, 3, "handle_bmp"))
    SendMessage(test, BM_SETIMAGE, 1, reinterpret_cast<LParam>(image));
  createTemperature(page);
  const WindowHandle list =
      pageframe::createFromKey(page, kSmartSection, {"ListView", "smartlist", kListStyle, 0, kList, false});
  if (IsValidHandle(list)) {
    SetWindowText(list, "List View");
    addSmartAttrColumns(page, kList);
    SetNotificationCallback(list, ignoreNotify);
  }
}

void stopSmartPoll(WindowHandle page) { stopPoll(page, kSmartTimer); }

// The self-test button shows its disabled picture while it is disabled.
void enableSelfTest(WindowHandle page, bool on) {
  enable(page, kSelfTest, on);
  if (const Bitmap* image = findNamedBitmap(g_handles, 3, on ? "handle_bmp" : "handle_dis_bmp"))
    SendDlgItemMessage(page, kSelfTest, BM_SETIMAGE, 1, reinterpret_cast<LParam>(image));
}

void clearPage(WindowHandle page) {
  setText(page, kStatus, caption(kSmartSection, "selftest_status_notrecognized"));
  enableLabeledCtrl(page, kType, 0);
  enableSelfTest(page, false);
  for (int id = kTemperature; id <= kAllEva; ++id) setText(page, id, "");
  SendDlgItemMessage(page, kList, LVM_DELALLITEM, 0, 0);
}

void showSelfTest(WindowHandle page, const DiskSmartInfo& info) {
  if (getLastOpResult() != 0) {
    stopSmartPoll(page);
    clearPage(page);
    return;
  }
  char text[kTextSize];
  formatValueText(kSmartSection, kSelfTestStatus, countOf(kSelfTestStatus), info.selfTestStatus, text, sizeof text);
  bool done = info.selfTestStatus != DISK_SELFTEST_RUNNING;
  if (!done) {
    const size_t used = std::strlen(text);
    std::snprintf(text + used, sizeof text - used, "  %d%%", info.selfTestProgress);
    done = info.selfTestProgress == 100;
  }
  if (done) stopSmartPoll(page);
  enableLabeledCtrl(page, kType, done ? 1 : 0);
  setText(page, kStatus, text);
  // A test seen at 100 % ends the poll: the button comes back with the type box.
  enableSelfTest(page, done);
}

bool readSmart(int disk, DiskSmartInfo& info) {
  std::memset(&info, 0, sizeof info);
  const int result = getDiskSmartInfo(&info, (disk - 1) % 2, (disk - 1) / 2);
  setLastOpResult(result);
  return result == 0;
}

void loadDisk(WindowHandle page, int disk) {
  selectComboValue(page, kDisk, disk);
  if (disk == -1 || !isValidDiskNo(disk)) return;
  DiskSmartInfo info;
  const bool read = readSmart(disk, info);
  selectComboValue(page, kType, info.selfTestType == 0 ? 1 : info.selfTestType);
  showSelfTest(page, info);
  if (!read) {
    clearPage(page);
    showMsgBox(page, kSmartSection, "get_smartinfo_error", MSGBOX_ERROR);
    return;
  }
  char text[kTextSize];
  std::snprintf(text, sizeof text, "%u", info.temperature);
  setText(page, kTemperature, text);
  std::snprintf(text, sizeof text, "%u", info.powerOnTime);
  setText(page, kTime, text);
  formatValueText(kSmartSection, kSelfEvaluation, countOf(kSelfEvaluation), info.selfEvaluation, text, sizeof text);
  setText(page, kSelfEva, text);
  formatValueText(kSmartSection, kOverall, countOf(kOverall), static_cast<int>(info.overallEvaluation), text,
                  sizeof text);
  setText(page, kAllEva, text);
  fillSmartAttrList(GetDlgItem(page, kList), &info.values);
}

void init(WindowHandle page) {
  startPoll(page, kSmartTimer);
  createControls(page);
  uint32_t disabled = 0;
  getSmartCheckDisabled(getLoginId(getMainOutput()), &disabled);
  setChecked(page, kEnable, disabled == 0);
  const int first = fillDiskCombo(page, kDisk, isLocalDiskNumber);
  addValueComboItems(page, kType, kSelfTestTypes, countOf(kSelfTestTypes), kTypeSection, 1);
  loadDisk(page, first);
  // Without a disk nothing will end the poll.
  if (first < 0) stopSmartPoll(page);
}

int chosenDisk(WindowHandle page) { return comboValue(page, kDisk); }

void startSelfTest(WindowHandle page) {
  const int disk = chosenDisk(page);
  if (disk <= 0) return;
  const int loginId = getLoginId(getMainOutput());
  if (startDiskSelfTest(loginId, (disk - 1) / 2, (disk - 1) % 2, comboValue(page, kType)) == 0)
    startPoll(page, kSmartTimer);
  DiskSmartInfo info;
  readSmart(disk, info);
  showSelfTest(page, info);
}

// Without a disk there is nothing to apply: Apply stays as it is.
int apply(WindowHandle page) {
  if (chosenDisk(page) < 0) return kNoDisk;
  const int rc = setSmartCheckDisabled(getLoginId(getMainOutput()), isChecked(page, kEnable) ? 0 : 1);
  loadDisk(page, chosenDisk(page));
  return rc;
}

void poll(WindowHandle page, int timer) {
  if (timer != kSmartTimer) return;
  const int disk = chosenDisk(page);
  if (disk < 1) return;
  DiskSmartInfo info;
  readSmart(disk, info);
  showSelfTest(page, info);
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kDisk:
      if (code == CBN_SELCHANGE) loadDisk(page, chosenDisk(page));
      return;
    case kEnable:
      if (code == BN_CLICKED && chosenDisk(page) >= 0) enableApply(page, 0, 0);
      return;
    case kSelfTest: startSelfTest(page); return;
    case PAGE_ID_EXIT:
      stopSmartPoll(page);
      closeMaintenanceMenu();
      return;
    default: return;
  }
}

}  // namespace

// The layout owns the pictures: they are looked up again for each window,
// so that none outlives a layout that was loaded again.
void loadSmartBitmaps() { loadNamedBitmaps(kSmartSection, g_handles, 3, 0); }

void stopSmartPagePoll(WindowHandle page) { stopSmartPoll(page); }

LResult smartPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{
      init,    nullptr, command, apply, [](WindowHandle p, int code) { showSaveFailedCode(p, code); }, nullptr,
      nullptr, nullptr, nullptr, poll,  stopSmartPoll};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace disks

// The serial port page: baud rate, data and stop bits, parity, flow control
// and the port's use. A change of use needs a reboot, which the page asks
// for once the change is written and then announces with the reboot hint.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/page_building.h"
#include "app/system_pages.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"
#include "gui/control_paint.h"
#include "gui/display.h"

namespace {

constexpr const char* kSection = "rs232set";
constexpr int kSpeed = 20432, kData = 20433, kStop = 20434, kParity = 20435, kFlow = 20436, kUse = 20437;
constexpr int kCombos[] = {kSpeed, kData, kStop, kParity, kFlow, kUse};
constexpr int kComboCount = 6;
constexpr int kRebootHint = 1;

const ValueKeyRow kDataBits[] = {{"5", 0}, {"6", 1}, {"7", 2}, {"8", 3}};
const ValueKeyRow kStopBits[] = {{"1", 0}, {"2", 1}};
const ValueKeyRow kParities[] = {{"noset", 0}, {"odd", 1}, {"even", 2}};
const ValueKeyRow kFlows[] = {{"noset", 0}, {"softcontrol", 1}, {"hardcontrol", 2}};
const ValueKeyRow kUses[] = {{"232forparam", 1}, {"transparent", 2}};
const ValueKeyRow kFixedBauds[] = {{"50", 0},     {"75", 1},     {"110", 2},    {"150", 3},    {"300", 4},
                                   {"600", 5},    {"1200", 6},   {"2400", 7},   {"4800", 8},   {"9600", 9},
                                   {"19200", 10}, {"38400", 11}, {"57600", 12}, {"76800", 13}, {"115200", 14}};

// One page open at a time: the record and the use it had when read.
struct Rs232SetState {
  Rs232Config record{};
  int openedUse = 0;
};
Rs232SetState g_rs232set;

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

uint8_t* field(int index) {
  uint8_t* fields[kComboCount] = {&g_rs232set.record.baudRate, &g_rs232set.record.dataBits, &g_rs232set.record.stopBits,
                                  &g_rs232set.record.parity,   &g_rs232set.record.flowControl, &g_rs232set.record.use};
  return fields[index];
}

void fillBauds(WindowHandle page) {
  OptionItem list[OPTION_LIST_32];
  if (fillBaudRateList(list, 1) != 0) {
    addValueComboItems(page, kSpeed, kFixedBauds, 15, nullptr, 0);
    return;
  }
  for (const OptionItem& item : list)
    if (item.id != -1)
      SendDlgItemMessage(page, kSpeed, CB_ADDSTRING, static_cast<WParam>(item.id), reinterpret_cast<LParam>(item.name));
}

void createControls(WindowHandle page) {
  static const char* const kKeys[kComboCount] = {"speed", "data", "stop", "check", "control", "used"};
  for (int i = 0; i < kComboCount; ++i)
    pageframe::createFromKey(page, kSection,
                             {"combobox", kKeys[i], WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY,
                              WS_EX_PLACE_X | WS_EX_PLACE_W, kCombos[i], true});
  pageframe::createBottomButtons(page, kSection, "base_apply", "base_close", PAGE_ID_EXIT);
}

void init(WindowHandle page) {
  g_rs232set = Rs232SetState{};
  getRs232Config(login(), &g_rs232set.record);
  g_rs232set.openedUse = g_rs232set.record.use;
  createControls(page);
  fillBauds(page);
  addValueComboItems(page, kData, kDataBits, 4, nullptr, 0);
  addValueComboItems(page, kStop, kStopBits, 2, nullptr, 0);
  addValueComboItems(page, kParity, kParities, 3, kSection, 1);
  addValueComboItems(page, kFlow, kFlows, 3, kSection, 1);
  addValueComboItems(page, kUse, kUses, isRs232UseFixed() == 0 ? 2 : 1, kSection, 1);
  for (int i = 0; i < kComboCount; ++i)
    selectComboValue(page, kCombos[i], *field(i));
}

// A combo that shows no row keeps the record's value.
void readControls(WindowHandle page) {
  for (int i = 0; i < kComboCount; ++i) {
    const LResult value = SendDlgItemMessage(page, kCombos[i], CB_GETSELVALUE, 0, 0);
    if (value >= 0 && value <= 0xFF) *field(i) = static_cast<uint8_t>(value);
  }
}

int store() {
  const int rc = setRs232Config(login(), &g_rs232set.record, 1);
  // The device reports a port it keeps as it was: the save still took.
  if (rc != 0 && rc != DEVICE_OK_QUIET) return rc;
  return applyRs232Config(login());
}

// A new use takes effect at the next start: it is written first, and the
// question only asks whether that start comes now. No keeps it for later.
int save(WindowHandle page) {
  readControls(page);
  if (g_rs232set.record.use == g_rs232set.openedUse) return store();
  if (const int rc = store()) return rc;
  g_rs232set.openedUse = g_rs232set.record.use;
  if (!confirmMsgBox(page, kSection, "param_reboot")) return 0;
  SetPowerKeyDownFlag(0);
  const WindowHandle menu = getSystemMenuWnd();
  EnableWindow(menu, FALSE);
  openShutdownHint(menu, kRebootHint);
  EnableWindow(menu, TRUE);
  return 0;
}

void command(WindowHandle page, int id, int code) {
  for (int combo : kCombos)
    if (id == combo && code == CBN_SELCHANGE) enableApply(page, 0, 0);
}

const pageframe::PageHooks kHooks{init,
                                  [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); },
                                  command,
                                  save,
                                  [](WindowHandle p, int rc) { showSaveFailedCode(p, rc); },
                                  closeSystemMenu};
LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"general", pageProc, nullptr}};
const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kSystemSlot};

}  // namespace

extern "C" int createRs232SetWindow(WindowHandle owner) {
  return pageframe::openWindow<kWindow>(owner);
}

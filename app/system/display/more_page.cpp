// The more page: device name and number, brightness, menu transparency and
// lock time, the output mode (which needs a reboot) and the output options.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/page_registry.h"
#include "app/system/display/display.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/edit.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace display {
namespace {

constexpr int kName = 20256, kNumber = 20257, kBrightness = 20258, kLockTime = 20259, kAlpha = 20260,
              kOutputMode = 20261, kEventHint = 20262, kOutputHint = 20263, kMainOut = 20264, kVideoOut = 20265;
constexpr int kNameLength = 32, kNumberDigits = 4;
constexpr int kBrightnessMax = 9;
constexpr int kNumberMin = 1, kNumberMax = 255;
constexpr int kRebootHint = 1;
constexpr int kOutputModeRows = 4;
constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;

// The texts the edits were given: setting them notifies like typing, after
// the page is built, and must not enable Apply.
struct Shown {
  char name[kNameLength + 1];
  char number[16];
};
Shown g_shown;

bool hasBrightness() { return hasCvbsOutput() != 0; }
bool hasVideoOutOption() {
  uint8_t composite = 0;
  getVideoOutputCount(&composite);
  return composite > 1;
}

void check(WindowHandle page, int id, int value) { CheckDlgButton(page, id, value ? BST_CHECKED : 0); }

void createCombo(WindowHandle page, const char* key, int id) {
  pageframe::createFromKey(page, kSection, {"combobox", key, kCombo, kPlaced, id, true});
}

void createEdits(WindowHandle page, DeviceConfig& config) {
  pageframe::createFromKey(page, kSection, {"sledit", "devicename", WS_CHILD | WS_VISIBLE, kPlaced, kName, true});
  pageframe::createFromKey(page, kSection, {"sledit", "devicenum", WS_CHILD | WS_VISIBLE, kPlaced, kNumber, true});
  SendDlgItemMessage(page, kName, EM_LIMITTEXT, kNameLength, 0);
  SendDlgItemMessage(page, kNumber, EM_LIMITTEXT, kNumberDigits, 0);
  g_shown = Shown{};
  std::memcpy(g_shown.name, config.name, kNameLength);
  SetDlgItemText(page, kName, g_shown.name);
  std::snprintf(g_shown.number, sizeof g_shown.number, "%d", static_cast<int>(config.deviceNumber));
  SetDlgItemText(page, kNumber, g_shown.number);
}

void createOptions(WindowHandle page, DeviceConfig& config) {
  const struct {
    const char* key;
    int id;
    bool shown;
    int value;
  } boxes[] = {
      {"eventhint", kEventHint, hasOutputOption() != 0, config.eventHint},
      {"outputhint", kOutputHint, hasOutputOption() != 0, config.outputHint},
      {"mainout", kMainOut, hasMainOutSwitch() != 0, block(config).mainOutOption},
      {"videoout", kVideoOut, hasVideoOutOption(), block(config).videoOutOption},
  };
  for (const auto& box : boxes) {
    if (!box.shown) continue;
    pageframe::createFromKey(page, kSection, {"button", box.key, kCheck, 0, box.id, false});
    check(page, box.id, box.value);
  }
}

void init(WindowHandle page) {
  DeviceConfig config = cached();
  createEdits(page, config);
  if (hasBrightness()) {
    pageframe::createFromKey(page, kSection,
                             {"trackbar", "brightness", WS_CHILD | WS_VISIBLE | TBS_NOTIFY, kPlaced, kBrightness, true});
    SendDlgItemMessage(page, kBrightness, TBM_SETRANGE, kBrightnessMax, 0);
    SendDlgItemMessage(page, kBrightness, TBM_SETPOS, block(config).brightness, 0);
  }
  createCombo(page, "locktime", kLockTime);
  addValueComboItems(page, kLockTime, kLockTimes, 7, kSection, 1);
  selectComboValue(page, kLockTime, lockTimeShown(block(config).lockTime));
  if (hasContrastSetting()) {
    createCombo(page, "contrast", kAlpha);
    addValueComboItems(page, kAlpha, kTransparencies, 4, kSection, 1);
    SendDlgItemMessage(page, kAlpha, CB_SELECTVALUE, block(config).menuAlpha, 0);
  }
  createCombo(page, "outputmode", kOutputMode);
  ValueKeyRow modes[kOutputModeRows];
  addValueComboItems(page, kOutputMode, modes, outputModeRows(modes, kOutputModeRows), kSection, 1);
  SendDlgItemMessage(page, kOutputMode, CB_SELECTVALUE, config.outputMode, 0);
  createOptions(page, config);
  pageframe::createBottomButtons(page, kSection, "more_apply", "more_close", PAGE_ID_EXIT);
}

bool editChanged(WindowHandle page, int id) {
  char text[sizeof g_shown.name] = {};
  GetDlgItemText(page, id, text, sizeof text);
  return std::strcmp(text, id == kName ? g_shown.name : g_shown.number) != 0;
}

void command(WindowHandle page, int id, int code) {
  const bool box = id >= kEventHint && id <= kVideoOut && code == BN_CLICKED;
  const bool edit = (id == kName || id == kNumber) && code == EN_CHANGE && editChanged(page, id);
  const bool combo = (id == kLockTime || id == kAlpha || id == kOutputMode) && code == CBN_SELCHANGE;
  const bool bar = id == kBrightness && (code == TBN_DRAGGED || code == TBN_STEPPED);
  if (box || edit || combo || bar) enableApply(page, 0, 0);
}

// Up to four digits; anything else reads as 0, which the device refuses.
uint32_t readNumber(WindowHandle page) {
  char text[16] = {};
  GetDlgItemText(page, kNumber, text, sizeof text);
  if (text[0] == '\0' || std::strlen(text) > kNumberDigits || !isDigitString(text)) return 0;
  return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
}

void readName(WindowHandle page, DeviceConfig& record) {
  char text[kNameLength + 1] = {};
  GetDlgItemText(page, kName, text, sizeof text);
  std::memset(record.name, 0, sizeof record.name);
  std::memcpy(record.name, text, std::strlen(text));
}

// An output option that changed on an output showing live view is handed
// to the device after the save; `field` points into the record saved.
struct Switches {
  int output[2];
  int on[2];
  uint8_t* field[2];
  int count = 0;
};

void readOption(WindowHandle page, int id, uint8_t& field, int output, Switches& switches) {
  if (!IsValidHandle(GetDlgItem(page, id))) return;
  const uint8_t value = isChecked(page, id) ? 1 : 0;
  if (value != field && isLiveViewActive(output)) {
    switches.output[switches.count] = output;
    switches.field[switches.count] = &field;
    switches.on[switches.count++] = value;
  }
  field = value;
}

void readHints(WindowHandle page, DeviceConfig& record) {
  if (!hasOutputOption()) return;
  record.eventHint = isChecked(page, kEventHint) ? 1 : 0;
  record.outputHint = isChecked(page, kOutputHint) ? 1 : 0;
}

// The reboot hint runs over a disabled system menu.
void announceReboot() {
  const WindowHandle menu = getSystemMenuWnd();
  EnableWindow(menu, FALSE);
  openShutdownHint(menu, kRebootHint);
  EnableWindow(menu, TRUE);
}

// The marked switches handed to the device. An output that refuses keeps
// running as before, so its option is written back as it was: the record
// then tells the truth and the next Apply tries the switch again.
int handOverSwitches(DeviceConfig& record, const Switches& switches) {
  int rc = 0;
  bool refusedAny = false;
  for (int i = 0; i < switches.count; ++i) {
    const int refused = switchOutputLive(login(), switches.output[i], switches.on[i]);
    if (refused == 0) continue;
    *switches.field[i] = switches.on[i] ? 0 : 1;
    refusedAny = true;
    rc = rc ? rc : refused;
  }
  // The refusal is told whether or not this write-back is taken.
  if (refusedAny && setDeviceConfig(login(), &record, 1) == 0) static_cast<void>(saveDeviceParams());
  return rc;
}

int save(WindowHandle page) {
  DeviceConfig record = cached();
  DeviceOutputBlock& own = block(record);
  readName(page, record);
  record.deviceNumber = readNumber(page);
  if (hasBrightness()) {
    const LResult level = SendDlgItemMessage(page, kBrightness, TBM_GETPOS, 0, 0);
    if (level >= 0 && level <= kBrightnessMax) own.brightness = static_cast<uint16_t>(level);
  }
  bool newAlpha = false;
  if (hasContrastSetting()) {
    const LResult alpha = comboValue(page, kAlpha);
    if (alpha >= 0 && alpha <= 0xFF && alpha != own.menuAlpha) {
      own.menuAlpha = static_cast<uint8_t>(alpha);
      newAlpha = true;
    }
  }
  const LResult lock = comboValue(page, kLockTime);
  if (lock >= 0) own.lockTime = lockTimeStored(static_cast<int>(lock));
  const LResult mode = comboValue(page, kOutputMode);
  if (mode >= 0 && mode <= 0xFF) record.outputMode = static_cast<uint8_t>(mode);
  const bool newMode = record.outputMode != cached().outputMode;
  readHints(page, record);
  Switches switches;
  readOption(page, kMainOut, own.mainOutOption, getMainOutput(), switches);
  readOption(page, kVideoOut, own.videoOutOption, getAuxOutput(), switches);
  int rc = setDeviceConfig(login(), &record, 1);
  if (rc == 0) {
    // A reboot would lose what the file did not keep.
    rc = saveDeviceParams();
    // A new output mode is written with the rest and takes effect at the
    // next start: the question only asks whether that start comes now, and
    // No keeps it for later while the rest takes effect at once.
    if (rc == 0 && newMode && confirmMsgBox(page, kSection, "param_reboot")) {
      SetPowerKeyDownFlag(0);
      announceReboot();
    } else {
      if (newAlpha) RefreshMenuAlpha(own.menuAlpha);
      const int refused = handOverSwitches(record, switches);
      rc = rc ? rc : refused;
    }
  }
  rereadConfig();
  return rc;
}

void report(WindowHandle page, int code) {
  if (code == DEVICE_ERR_NAME) {
    showNameHint(page, kSection, "devicename");
    SetFocusChild(GetDlgItem(page, kName));
  } else if (code == DEVICE_ERR_DEVICE_NUMBER) {
    // Right-to-left texts on a composite output keep the maximum apart
    // from the closing bracket.
    if (isRightToLeftLang() && onTvOutput()) {
      char low[16], high[16];
      std::snprintf(low, sizeof low, "%d", kNumberMin);
      std::snprintf(high, sizeof high, "%d    ", kNumberMax);
      showRangeHintText(page, kSection, "devicenum", low, high);
    } else {
      showRangeHint(page, kSection, "devicenum", kNumberMin, kNumberMax);
    }
    SetFocusChild(GetDlgItem(page, kNumber));
  } else {
    showSaveFailedCode(page, code);
  }
}

}  // namespace

LResult morePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, save, report, closeSystemMenu};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace display

// The general page: language, video standard, output resolutions, time
// zone, date format, the device clock, mouse speed and the start-up flags.
// Apply writes every field and then follows what the device reports: a new
// main-output resolution waits for confirmation, a new video standard sets
// the outputs up again, a new language switches the interface.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/system/display/display.h"
#include "app/system/language/language_list.h"
#include "app/system_services.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gui_etc.h"
#include "gui/message.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace display {
namespace {

constexpr int kLanguage = 20240, kStandard = 20241, kResolution3 = 20242, kZone = 20243, kDateFormat = 20244,
              kDate = 20245, kTime = 20246, kMouse = 20247, kWizard = 20248, kPassword = 20249,
              kResolution2 = 20250;
constexpr int kHdmiKind = 1, kVgaKind = 2;
constexpr int kOut2 = 2, kOut3 = 3;
constexpr int kMouseMax = 3;
constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;

// The clock fields and zone as the page showed them when it opened (or
// last wrote them): Apply writes the clock only when the user changed them,
// since the shown time falls behind the running clock.
struct ShownClock {
  uint32_t fields[6];  // year, month, day, hour, minute, second
  LResult zone;
};
ShownClock g_shownClock{};

// The bar's position whose pair is in force. Setting the first position
// notifies after the page is built, like a move: only a new position
// applies its pair.
int g_speedShown = 0;

uint8_t& resolution(DeviceConfig& config, int output) { return config.resolutions[output - 1].code; }

int mainOutput() { return getMainOutput() == kOut2 ? kOut2 : kOut3; }

// The combos in use: id, layout key, list kind and the output whose code it
// shows; a zero id ends the list.
struct ResolutionCombo {
  int id;
  const char* key;
  int kind;
  int output;
};
void resolutionCombos(ResolutionCombo out[2]) {
  out[1] = {0, nullptr, 0, 0};
  switch (outputArrangement()) {
    case Outputs::kOneMain: out[0] = {kResolution3, "resolution", kVgaKind, kOut3}; break;
    case Outputs::kTogether: {
      const int main = mainOutput();
      out[0] = {kResolution3, "resolution", main == kOut2 ? kHdmiKind : kVgaKind, main};
      break;
    }
    case Outputs::kIndependent:
      out[0] = {kResolution3, "resolution_vga", kVgaKind, kOut3};
      out[1] = {kResolution2, "resolution_hdmi", kHdmiKind, kOut2};
      break;
  }
}


void createCombo(WindowHandle page, const char* key, int id) {
  pageframe::createFromKey(page, kSection, {"combobox", key, kCombo, kPlaced, id, true});
}

void fillLanguages(WindowHandle page) {
  // Each name in its own language's font: the names are written in their
  // own charsets.
  pageframe::createFromKey(page, kSection, {"combobox", "language", kCombo | CBS_ITEMFONT, kPlaced, kLanguage, true});
  if (language::fillLanguageList(page, kLanguage, kSection) < 2) {
    // One language on offer: its name only.
    if (state().snapshot.language == 2)
      language::fillSingleLanguage(page, kLanguage, kSection, "lang_simp_cn", 2);
    else
      language::fillSingleLanguage(page, kLanguage, kSection, "lang_english", 1);
  }
  language::selectLanguage(page, kLanguage, state().snapshot.language);
}

void fillResolutions(WindowHandle page) {
  ResolutionCombo combos[2];
  resolutionCombos(combos);
  for (const ResolutionCombo& c : combos) {
    if (c.id == 0) continue;
    createCombo(page, c.key, c.id);
    OptionItem list[OPTION_LIST_16];
    if (fillOutputResolutionList(list, c.kind) == 0)
      for (const OptionItem& item : list)
        if (item.id != -1)
          SendDlgItemMessage(page, c.id, CB_ADDSTRING, static_cast<WParam>(item.id),
                             reinterpret_cast<LParam>(item.name));
    selectComboValue(page, c.id, resolution(state().snapshot, c.output));
    if (onTvOutput()) enableLabeledCtrl(page, c.id, 0);
  }
}

void fillZones(WindowHandle page) {
  createCombo(page, "timezone", kZone);
  ValueKeyRow rows[kZoneRows];
  for (int i = 0; i < kZoneRows; ++i) {
    std::snprintf(rows[i].key, sizeof rows[i].key, "timezone%d", i + 1);
    rows[i].value = i;
  }
  addValueComboItems(page, kZone, rows, kZoneRows, kSection, 1);
  selectComboValue(page, kZone, getTimeZone());
}

void fillClock(WindowHandle page, const DeviceTime& now) {
  pageframe::createFromKey(page, kSection, {"combobox", "systemdate", WS_CHILD | WS_VISIBLE | CBS_DATE | CBS_NOTIFY,
                                            kPlaced, kDate, true});
  char date[DATE_TEXT_SIZE] = "";
  formatDate(date, static_cast<int>(now.year), static_cast<int>(now.month), static_cast<int>(now.day));
  SetWindowText(GetDlgItem(page, kDate), date);
  pageframe::createFromKey(page, kSection, {"combobox", "systemtime", WS_CHILD | WS_VISIBLE | CBS_TIME | CBS_NOTIFY,
                                            kPlaced, kTime, true});
  initTimeField(page, kTime);
  const uint32_t fields[3] = {now.hour, now.minute, now.second};
  for (int i = 0; i < 3; ++i)
    SendDlgItemMessage(page, kTime, CB_SETFIELD, static_cast<WParam>(i + 1), static_cast<LParam>(fields[i]));
}

void readClockFields(WindowHandle page, uint32_t out[6]) {
  out[0] = static_cast<uint32_t>(SendDlgItemMessage(page, kDate, CB_GETYEAR, 0, 0));
  out[1] = static_cast<uint32_t>(SendDlgItemMessage(page, kDate, CB_GETMONTH, 0, 0));
  out[2] = static_cast<uint32_t>(SendDlgItemMessage(page, kDate, CB_GETDAY, 0, 0));
  for (int field = 1; field <= 3; ++field)
    out[2 + field] = static_cast<uint32_t>(SendDlgItemMessage(page, kTime, CB_GETFIELD, static_cast<WParam>(field), 0));
}

void rememberShownClock(WindowHandle page) {
  readClockFields(page, g_shownClock.fields);
  g_shownClock.zone = comboValue(page, kZone);
}

void fillMouseAndFlags(WindowHandle page) {
  pageframe::createFromKey(page, kSection,
                           {"trackbar", "mousespeed", WS_CHILD | WS_VISIBLE | TBS_NOTIFY, kPlaced, kMouse, true});
  SendDlgItemMessage(page, kMouse, TBM_SETRANGE, kMouseMax, 0);
  g_speedShown = mouseSpeedOfPair(state().remembered);
  SendDlgItemMessage(page, kMouse, TBM_SETPOS, static_cast<WParam>(g_speedShown), 0);
  pageframe::createFromKey(page, kSection, {"button", "enablewizard", kCheck, 0, kWizard, false});
  pageframe::createFromKey(page, kSection, {"button", "operationpasswd", kCheck, 0, kPassword, false});
  uint32_t flags[2] = {0, 0};
  getStartGuideFlag(login(), flags);
  CheckDlgButton(page, kWizard, flags[0] ? BST_CHECKED : 0);
  CheckDlgButton(page, kPassword, flags[1] ? BST_CHECKED : 0);
  if (!isAdminUser(getLoginUserIndex(getCurOutput()))) EnableWindow(GetDlgItem(page, kPassword), FALSE);
}

void init(WindowHandle page) {
  WindowState& s = state();
  rereadConfig();
  s.snapshot = cached();
  setDateFormat(s.snapshot.dateFormat);
  DeviceTime now{};
  getDeviceTime(login(), &now);
  setTimeZoneByCode(now);
  // The pair the pointer runs with, which is the record's only when the
  // record holds one of the bar's pairs (a fresh device's holds none).
  s.remembered = currentMousePair();
  setResolutionChangePending(0);
  s.videoStandard = block(s.snapshot).videoStandard;
  setPrevResolutionOut3(resolution(s.snapshot, kOut3));
  setPrevResolutionOut2(resolution(s.snapshot, outputArrangement() == Outputs::kIndependent ? kOut2 : kOut3));
  fillLanguages(page);
  createCombo(page, "outtype", kStandard);
  addValueComboItems(page, kStandard, kVideoStandards, 2, nullptr, 0);
  selectComboValue(page, kStandard, block(s.snapshot).videoStandard);
  fillResolutions(page);
  fillZones(page);
  createCombo(page, "dateformat", kDateFormat);
  addValueComboItems(page, kDateFormat, kDateFormats, 3, kSection, 1);
  selectComboValue(page, kDateFormat, s.snapshot.dateFormat);
  fillClock(page, now);
  rememberShownClock(page);
  fillMouseAndFlags(page);
  pageframe::createBottomButtons(page, kSection, "base_apply", "base_close", PAGE_ID_EXIT);
}

void command(WindowHandle page, int id, int code) {
  if (id == kMouse) {
    const int speed = static_cast<int>(SendDlgItemMessage(page, kMouse, TBM_GETPOS, 0, 0));
    if (code == TBN_CHANGE && speed != g_speedShown) {
      g_speedShown = speed;
      const MousePair pair = mousePairOfSpeed(speed);
      SetMouseScale(pair.scale, pair.threshold);
    }
    if (code == TBN_DRAGGED || code == TBN_STEPPED) enableApply(page, 0, 0);
    return;
  }
  if (id == kDateFormat && code == CBN_SELCHANGE) {
    const LResult format = comboValue(page, kDateFormat);
    if (format >= 0 && format <= 2) switchDateFormatKeepingDate(page, kDate, static_cast<int>(format));
  }
  const bool check = (id == kWizard || id == kPassword) && code == BN_CLICKED;
  if (check || (id >= kLanguage && id <= kResolution2 && code == CBN_SELCHANGE)) enableApply(page, 0, 0);
}

// Every control into the record; a combo without a row keeps its field,
// and the mouse pair is written only when the bar chose a new one.
void readControls(WindowHandle page, DeviceConfig& record, const MousePair* mouse) {
  const int language = language::selectedLanguageId(page, kLanguage);
  if (language > 0) record.language = language;
  const LResult standard = comboValue(page, kStandard);
  if (standard == 1 || standard == 2) block(record).videoStandard = static_cast<uint8_t>(standard);
  ResolutionCombo combos[2];
  resolutionCombos(combos);
  for (const ResolutionCombo& c : combos) {
    const LResult code = c.id ? comboValue(page, c.id) : -1;
    if (code >= 0 && code <= 0xFF) resolution(record, c.output) = static_cast<uint8_t>(code);
  }
  const LResult format = comboValue(page, kDateFormat);
  if (format >= 0 && format <= 2) record.dateFormat = static_cast<uint8_t>(format);
  if (!mouse) return;
  record.mouseScale = static_cast<uint16_t>(mouse->scale);
  record.mouseThreshold = static_cast<uint16_t>(mouse->threshold);
}

// The clock as the page shows it, in the zone it shows, when the user
// changed either; a new zone alone keeps the running clock.
int storeClock(WindowHandle page) {
  uint32_t fields[6];
  readClockFields(page, fields);
  const LResult zone = comboValue(page, kZone);
  const bool newFields = std::memcmp(fields, g_shownClock.fields, sizeof fields) != 0;
  if (!newFields && zone == g_shownClock.zone) return 0;
  DeviceTime t{};
  if (newFields) {
    uint32_t* parts[6] = {&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second};
    for (int i = 0; i < 6; ++i) *parts[i] = fields[i];
  } else if (const int rc = getDeviceTime(login(), &t); rc < 0) {
    return rc;
  }
  const ZoneRow* row = getZoneRow(static_cast<int>(zone));
  if (row) {
    t.zoneHours = row->hours;
    t.zoneMinutes = row->minutes;
  }
  const int rc = setDeviceTime(login(), &t);
  if (rc != 0) return rc;
  if (row) setTimeZone(static_cast<int>(zone));
  rememberShownClock(page);
  return 0;
}

int storeFlags(WindowHandle page) {
  const uint32_t flags[2] = {isChecked(page, kWizard) ? 1u : 0u, isChecked(page, kPassword) ? 1u : 0u};
  return setStartGuideFlag(login(), flags, 1);
}

// A new main-output resolution waits for the confirmation the main menu
// asks for when it closes; another output's goes straight to the device.
// 0, or the refusal of the other output's new resolution.
int followResolutions(const DeviceConfig& now, const DeviceConfig& before) {
  int pendingOutput = kOut3, refused = 0;
  switch (outputArrangement()) {
    case Outputs::kOneMain: break;
    case Outputs::kTogether: pendingOutput = mainOutput(); break;
    case Outputs::kIndependent: {
      pendingOutput = mainOutput();
      const int other = pendingOutput == kOut2 ? kOut3 : kOut2;
      const uint8_t code = now.resolutions[other - 1].code;
      if (code != before.resolutions[other - 1].code) refused = setOutputResolutionCode(login(), other, code);
      break;
    }
  }
  if (now.resolutions[pendingOutput - 1].code == before.resolutions[pendingOutput - 1].code) return refused;
  setResolutionChangePending(1);
  resetTopWindow();
  return refused;
}

// The outputs take a new video standard; the desktop places its windows
// again, and a menu on a composite output starts over on the top window;
// 0, or the outputs' refusal of the standard.
int followVideoStandard(int standard) {
  if (!hasCvbsOutput()) return 0;
  if (const int rc = resetVideoOutputs(login(), standard)) return rc;
  SendMessage(__gui_hwnd_desktop, MSG_DT_PLACEIME, 1, 0);
  if (!onTvOutput()) return 0;
  SetActiveWindow(GetCurTopMainWindow());
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  return 0;
}

int save(WindowHandle page) {
  WindowState& s = state();
  SetCursor(GetSystemCursor(SYSCURSOR_BUSY));
  const MousePair mouse = currentMousePair();
  const bool newMouse = mouse != s.remembered;
  DeviceConfig record = cached();
  readControls(page, record, newMouse ? &mouse : nullptr);
  // The record before the clock: a refused record leaves the clock running
  // and the pair of before to be given back when the window closes.
  const int written = setDeviceConfig(login(), &record, 1);
  SetCursor(GetSystemCursor(SYSCURSOR_NORMAL));
  if (written != 0) return written;
  s.remembered = mouse;
  if (const int rc = storeFlags(page)) return rc;
  const int clock = storeClock(page);
  const int kept = saveDeviceParams();
  // What the device now holds decides what follows.
  rereadConfig();
  DeviceConfig now = cached();
  const DeviceConfig before = s.snapshot;
  setDateFormat(now.dateFormat);
  const int standard = block(now).videoStandard;
  const bool newStandard = standard != s.videoStandard;
  s.videoStandard = standard;
  s.snapshot = now;
  // Outputs that do not follow what was kept are told as a refusal.
  const int standardRefused = newStandard ? followVideoStandard(standard) : 0;
  const int resolutionRefused = followResolutions(now, before);
  if (now.language != before.language) beginLangSwitch();
  for (const int rc : {clock, kept, standardRefused, resolutionRefused})
    if (rc != 0) return rc;
  return 0;
}

void report(WindowHandle page, int code) {
  if (code == DEVICE_ERR_RESOLUTION)
    showMsgBox(page, kSection, "err_not_sup_resolution", MSGBOX_ERROR);
  else
    showSaveFailedCode(page, code);
}

}  // namespace

LResult generalPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, save, report, closeSystemMenu};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace display

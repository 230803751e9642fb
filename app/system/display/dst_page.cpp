// The daylight-saving page: the zone's automatic rule, or a rule set by
// hand (start and end as month, week of the month, weekday and hour) with
// its bias.
#include <cstdio>

#include "app/control_services.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/system/display/display.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace display {
namespace {

constexpr int kAuto = 20272, kEnable = 20273, kStartTitle = 20274, kBias = 20286, kStartMonth = 20275,
              kEndMonth = 20281;
// Month, week, weekday, hour and minute follow the month's id in this order.
constexpr int kWeekOffset = 1, kWeekdayOffset = 2, kHourOffset = 3, kMinuteOffset = 4;
constexpr int kHours = 24;
constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kText = WS_CHILD | WS_VISIBLE;


// A value no row has selects the first row: what the page shows is what
// Apply stores.
void show(WindowHandle page, int id, int value) {
  selectComboValue(page, id, value);
  if (SendDlgItemMessage(page, id, CB_GETCURSEL, 0, 0) < 0) SendDlgItemMessage(page, id, CB_SETCURSEL, 0, 0);
}

void createRule(WindowHandle page, const char* prefix, int monthId) {
  static const ValueKeyRow* hourRows = [] {
    static ValueKeyRow rows[kHours];
    for (int h = 0; h < kHours; ++h) {
      std::snprintf(rows[h].key, sizeof rows[h].key, "%d", h);
      rows[h].value = h;
    }
    return rows;
  }();
  char key[32];
  const auto create = [&](const char* cls, const char* part, uint32_t style, int id) {
    std::snprintf(key, sizeof key, "%s_%s", prefix, part);
    pageframe::createFromKey(page, kSection, {cls, key, style, 0, id, false});
  };
  create("combobox", "month", kCombo, monthId);
  create("combobox", "turn", kCombo, monthId + kWeekOffset);
  create("combobox", "week", kCombo, monthId + kWeekdayOffset);
  create("combobox", "hour", kCombo, monthId + kHourOffset);
  create("static", "minute", kText, monthId + kMinuteOffset);
  addValueComboItems(page, monthId, kMonths, 12, "commons", 1);
  addValueComboItems(page, monthId + kWeekOffset, kWeeks, 5, kSection, 1);
  addValueComboItems(page, monthId + kWeekdayOffset, kWeekdays, 7, "commons", 1);
  addValueComboItems(page, monthId + kHourOffset, hourRows, kHours, nullptr, 0);
}

void showRule(WindowHandle page, int monthId, const uint8_t rule[4]) {
  show(page, monthId, rule[0]);
  show(page, monthId + kWeekOffset, rule[1]);
  show(page, monthId + kWeekdayOffset, weekdayShown(rule[2]));
  show(page, monthId + kHourOffset, rule[3]);
}

void readRule(WindowHandle page, int monthId, uint8_t rule[4]) {
  const LResult month = comboValue(page, monthId), week = comboValue(page, monthId + kWeekOffset);
  const LResult weekday = comboValue(page, monthId + kWeekdayOffset);
  const LResult hour = comboValue(page, monthId + kHourOffset);
  if (month >= 1 && month <= 12) rule[0] = static_cast<uint8_t>(month);
  if (week >= 1 && week <= 5) rule[1] = static_cast<uint8_t>(week);
  if (weekday >= 1 && weekday <= 7) rule[2] = weekdayStored(static_cast<int>(weekday));
  if (hour >= 0 && hour < kHours) rule[3] = static_cast<uint8_t>(hour);
}

// The hand-set rule is open only while the rule is not automatic and
// daylight saving is on.
void refreshRows(WindowHandle page) {
  const bool automatic = isChecked(page, kAuto);
  EnableWindow(GetDlgItem(page, kEnable), !automatic);
  const bool open = !automatic && isChecked(page, kEnable);
  for (int id = kStartTitle; id < kBias; ++id) EnableWindow(GetDlgItem(page, id), open);
  enableLabeledCtrl(page, kBias, open ? 1 : 0);
}

void init(WindowHandle page) {
  const DeviceConfig& config = cached();
  pageframe::createFromKey(page, kSection, {"button", "automode", kCheck, 0, kAuto, false});
  pageframe::createFromKey(page, kSection, {"button", "dstenable", kCheck, 0, kEnable, false});
  pageframe::createFromKey(page, kSection, {"static", "dststart", kText, 0, kStartTitle, false});
  createRule(page, "start", kStartMonth);
  pageframe::createFromKey(page, kSection, {"static", "dstend", kText, 0, kEndMonth - 1, false});
  createRule(page, "end", kEndMonth);
  pageframe::createFromKey(page, kSection,
                           {"combobox", "dstbias", kCombo, WS_EX_PLACE_X | WS_EX_PLACE_W, kBias, true});
  addValueComboItems(page, kBias, kBiases, 4, kSection, 1);
  pageframe::createBottomButtons(page, kSection, "dst_apply", "dst_close", PAGE_ID_EXIT);
  CheckDlgButton(page, kAuto, config.dstAuto ? BST_CHECKED : 0);
  CheckDlgButton(page, kEnable, config.dstEnabled ? BST_CHECKED : 0);
  showRule(page, kStartMonth, config.dstStart);
  showRule(page, kEndMonth, config.dstEnd);
  show(page, kBias, biasIndex(config.dstBias));
  refreshRows(page);
}

void command(WindowHandle page, int id, int code) {
  if ((id == kAuto || id == kEnable) && code == BN_CLICKED) {
    refreshRows(page);
    enableApply(page, 0, 0);
  } else if (id > kStartTitle && id <= kBias && code == CBN_SELCHANGE) {
    enableApply(page, 0, 0);
  }
}

// The automatic rule of the zone in force; a zone without one turns
// daylight saving off.
void takeZoneRule(DeviceConfig& record) {
  record.dstAuto = 1;
  ZoneDstRule rule{};
  getZoneDstRule(getTimeZone(), &rule);
  record.dstEnabled = rule.biasMinutes != 0 || rule.start[0] != 0 ? 1 : 0;
  if (!record.dstEnabled) return;
  for (int i = 0; i < 4; ++i) {
    record.dstStart[i] = rule.start[i];
    record.dstEnd[i] = rule.end[i];
  }
  record.dstBias = rule.biasMinutes;
}

int save(WindowHandle page) {
  DeviceConfig record = cached();
  if (isChecked(page, kAuto)) {
    takeZoneRule(record);
  } else {
    record.dstAuto = 0;
    record.dstEnabled = isChecked(page, kEnable) ? 1 : 0;
    if (record.dstEnabled) {
      readRule(page, kStartMonth, record.dstStart);
      readRule(page, kEndMonth, record.dstEnd);
      record.dstBias = biasMinutes(static_cast<int>(comboValue(page, kBias)));
    }
  }
  int rc = setDeviceConfig(login(), &record, 1);
  if (rc == 0) rc = applyDstConfig(login());
  if (rc == 0) rc = saveDeviceParams();
  rereadConfig();
  if (rc == 0) refreshRows(page);
  return rc;
}

void report(WindowHandle page, int code) {
  if (code != DEVICE_ERR_DST_SAME_MONTH) {
    showSaveFailedCode(page, code);
    return;
  }
  showMsgBox(page, kSection, "samemonth", MSGBOX_INFO);
  SetFocusChild(GetDlgItem(page, kStartMonth));
}

}  // namespace

LResult dstPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, save, report, closeSystemMenu};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace display

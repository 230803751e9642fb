// The record page, the last start-up page: all-day recording per channel,
// continuous or on motion, shown as each channel records. Each channel the
// user set is kept in a pending table until OK writes those that changed
// and the wizard ends.
#include <array>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/window_attr.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startrecord";
constexpr int kChannel = 16480, kAllDay = 16481, kTime = 16482, kMotion = 16483;
constexpr int kErrNoType = 0x200227;
constexpr uint8_t kTypeTime = 0, kTypeMotion = 1, kTypeNone = 255;
constexpr int kUsableForRecord = 8;
// Channels 1 .. 64: as many as a copy mask names.
constexpr int kMaxChannels = 64;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kRadioStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

struct Setting {
  uint16_t enable = 0;
  uint8_t type = kTypeNone;
  bool operator==(const Setting& o) const { return enable == o.enable && type == o.type; }
};
struct Pending {
  Setting setting;
  bool pending = false;
};
// What a channel records all day as the device keeps it, read once.
struct Stored {
  Setting setting;
  bool read = false;
};
struct State {
  std::array<Pending, kMaxChannels + 1> channels;  // by channel number
  std::array<Stored, kMaxChannels + 1> stored;
  int current = 0;
  bool touched = false;  // a box of the current channel was clicked
};
State g;

bool validChannel(int channel) { return channel >= 1 && channel <= kMaxChannels; }

// All day on every day with one type the page offers; anything else (a
// schedule, mixed types, an unreadable record) shows as all-day off.
Setting readStored(int channel) {
  RecordConfig record{};
  if (getRecordConfig(login(), channel, &record, 0) != 0 || record.enable == 0) return Setting{};
  const uint8_t type = record.days[0].allDayType;
  if (type != kTypeTime && type != kTypeMotion) return Setting{};
  for (const DaySchedHead& day : record.days)
    if (day.allDay == 0 || day.allDayType != type) return Setting{};
  return Setting{1, type};
}

Setting stored(int channel) {
  if (!validChannel(channel)) return Setting{};
  Stored& s = g.stored[static_cast<size_t>(channel)];
  if (!s.read) s = {readStored(channel), true};
  return s.setting;
}

// The pair is enabled first: a disabled box drops a tick.
void show(WindowHandle page, const Setting& s) {
  enableLabeledCtrl(page, kTime, s.enable != 0 ? 1 : 0);
  enableLabeledCtrl(page, kMotion, s.enable != 0 ? 1 : 0);
  setChecked(page, kAllDay, s.enable != 0);
  setChecked(page, kTime, s.type == kTypeTime);
  setChecked(page, kMotion, s.type == kTypeMotion);
}

// The boxes as a setting; 0, or kErrNoType for all-day without a type.
int readBoxes(WindowHandle page, Setting* out) {
  Setting s;
  s.enable = isChecked(page, kAllDay) ? 1 : 0;
  s.type = isChecked(page, kTime) ? kTypeTime : isChecked(page, kMotion) ? kTypeMotion : kTypeNone;
  if (s.enable && s.type == kTypeNone) return kErrNoType;
  *out = s;
  return 0;
}

void report(WindowHandle page, int code) {
  if (code == kErrNoType) showMsgBox(page, kSection, "err_rec_type", MSGBOX_INFO);
  else showSaveFailedCode(page, code);
}

void init(WindowHandle page) {
  g = State{};
  make(page, kSection, "combobox", "camsel", kListStyle, EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT, kChannel, true);
  make(page, kSection, "button", "allday_enable", kBoxStyle, EDIT_CORNER_TOPRIGHT | EDIT_CORNER_TOPLEFT, kAllDay, false);
  make(page, kSection, "button", "allday_time", kRadioStyle | WS_DISABLED, 0, kTime, false);
  make(page, kSection, "button", "allday_motion", kRadioStyle, EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_BOTTOMLEFT, kMotion,
       false);
  make(page, kSection, "button", "copy", kButtonStyle, 0, PAGE_ID_COPY, false);
  makeButtons(page, kSection, "previous", PAGE_ID_PREVIOUS, "ok", PAGE_ID_OK, "cancel");
  const int first = addChanComboItems(page, kChannel, 0);
  g.current = validChannel(first) ? first : 0;
  selectComboValue(page, kChannel, g.current);
  show(page, stored(g.current));
  if (!hasUsableChan(kUsableForRecord, 0)) {
    EnableWindow(GetDlgItem(page, PAGE_ID_COPY), FALSE);
    EnableWindow(GetDlgItem(page, PAGE_ID_OK), FALSE);
  }
  users::focusField(page, PAGE_ID_PREVIOUS);
}

void stash(int channel, const Setting& s) {
  if (!validChannel(channel)) return;
  g.channels[static_cast<size_t>(channel)] = {s, true};
}

void changeChannel(WindowHandle page) {
  const int chosen = comboValue(page, kChannel);
  if (chosen == g.current) return;
  Setting s;
  if (const int rc = readBoxes(page, &s)) {
    report(page, rc);
    selectComboValue(page, kChannel, g.current);
    return;
  }
  // Only a channel the user set is kept for writing.
  if (g.touched) stash(g.current, s);
  g.current = chosen;
  const bool kept = validChannel(chosen) && g.channels[static_cast<size_t>(chosen)].pending;
  g.touched = kept;
  show(page, kept ? g.channels[static_cast<size_t>(chosen)].setting : stored(chosen));
}

void copy(WindowHandle page) {
  showImageCopyChanDialog(page, g.current, 0);
  const uint64_t mask = getImageCopyChanMask();
  if (mask == 0) return;
  Setting s;
  if (const int rc = readBoxes(page, &s)) return report(page, rc);
  for (int channel = 1; channel <= kMaxChannels; ++channel)
    if (mask >> (channel - 1) & 1u) stash(channel, s);
  if (validChannel(g.current) && g.channels[static_cast<size_t>(g.current)].pending) g.touched = true;
}

int writeHoliday(int channel, const Setting& s) {
  HolidaySchedule holiday{};
  if (const int rc = getRecordSchedExtra(login(), channel, &holiday, 0)) return rc;
  holiday.head.allDay = s.enable;
  if (s.type != kTypeNone) holiday.head.allDayType = s.type;
  return setRecordSchedExtra(login(), channel, &holiday, 0);
}

int writeChannel(int channel, const Setting& s) {
  RecordConfig record{};
  if (const int rc = getRecordConfig(login(), channel, &record, 0)) return rc;
  record.enable = s.enable;
  for (DaySchedHead& day : record.days) {
    day.allDay = s.enable;
    if (s.type != kTypeNone) day.allDayType = s.type;
  }
  if (const int rc = setRecordConfig(login(), channel, &record, 0)) return rc;
  if (hasHolidaySchedule() != 0) {
    if (const int rc = writeHoliday(channel, s)) return rc;
  }
  if (s.type != kTypeMotion) return 0;
  ChannelConfig config{};
  if (const int rc = getChannelConfig(login(), channel, &config)) return rc;
  if (config.motionEnable) return 0;
  config.motionEnable = 1;
  return setChannelConfig(login(), channel, &config, 0);
}

// Writes every channel the user changed; 0 or the first failure's code.
int save(WindowHandle page) {
  Setting s;
  if (const int rc = readBoxes(page, &s)) return rc;
  if (g.touched) stash(g.current, s);
  bool wrote = false;
  for (int channel = 1; channel <= kMaxChannels; ++channel) {
    const Pending& p = g.channels[static_cast<size_t>(channel)];
    // A setting that is the channel's own (a copy of it, a click back) is
    // not written: the record keeps what the page does not show.
    if (!p.pending || p.setting == stored(channel)) continue;
    if (const int rc = writeChannel(channel, p.setting)) return rc;
    wrote = true;
  }
  if (wrote)
    if (const int rc = saveDeviceParams()) return rc;
  g.channels = {};
  return 0;
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kChannel:
      if (code == CBN_SELCHANGE) changeChannel(page);
      return;
    case kAllDay:
      g.touched = true;
      enableLabeledCtrl(page, kTime, isChecked(page, kAllDay) ? 1 : 0);
      enableLabeledCtrl(page, kMotion, isChecked(page, kAllDay) ? 1 : 0);
      return;
    case kTime: case kMotion:
      g.touched = true;
      // The pair: a box that reads checked is the only one checked.
      if (isChecked(page, id)) setChecked(page, id == kTime ? kMotion : kTime, false);
      return;
    case PAGE_ID_COPY: copy(page); return;
    case PAGE_ID_OK:
      if (const int rc = save(page)) return report(page, rc);
      leave();
      return;
    default: return;
  }
}

const Page kPage{kSection, PAGE_ID_PREVIOUS, nullptr, {init, pageframe::takesAll<command>}};

}  // namespace

int openRecordPage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard

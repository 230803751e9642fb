// Combo boxes and lists of channels and values, and the date-time rows of
// the search pages; every control is talked to through its messages only.
#include <cstdio>
#include <ctime>

#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/app_registry.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/static.h"
#include "gui/window.h"

namespace {

constexpr int kStartTime = DATETIME_START_TIME, kEndTime = DATETIME_END_TIME;

// "<word> <n>", or empty without the word.
void ChannelText(char* text, size_t size, const char* word, int n) {
  text[0] = '\0';
  if (word) std::snprintf(text, size, "%s %d", word, n);
}

int fillChannels(WindowHandle owner, int comboId, int flag, uint64_t allowed) {
  SendDlgItemMessage(owner, comboId, CB_DELETEALL, 0, 0);
  const char* analogWord = lookupText("commons", "all_analog");
  const char* ipWord = lookupText("commons", "all_ipc");
  const int analog = getAnalogChanNum();
  char text[64];
  int first = -1, firstIp = -1;
  for (int n = 1; n <= analog; ++n) {
    if (!((allowed >> (n - 1)) & 1u)) continue;
    ChannelText(text, sizeof text, analogWord, n);
    SendDlgItemMessage(owner, comboId, CB_ADDSTRING, static_cast<WParam>(n), reinterpret_cast<LParam>(text));
    if (first < 0) first = n;
  }
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  for (int n = 1; n <= IP_CHANNEL_BOUND; ++n) {
    const int channel = analog + n;
    if (!((ipMask >> (n - 1)) & 1u) || channel > 64 || !((allowed >> (channel - 1)) & 1u)) continue;
    ChannelText(text, sizeof text, ipWord, n);
    SendDlgItemMessage(owner, comboId, CB_ADDSTYLE2, static_cast<WParam>(channel), reinterpret_cast<LParam>(text));
    if (firstIp < 0 && (flag == 0 || isChanValid(channel, flag))) firstIp = channel;
  }
  return first >= 0 ? first : firstIp;
}

// Checked rows of an alarm list: the local rows first, then the rows of
// each IP camera that reports alarms (`inputs` picks its first count).
void checkedAlarms(WindowHandle list, bool inputs, uint64_t* maskOut, uint8_t* bytesOut) {
  uint64_t mask = 0;
  if (bytesOut)
    for (int n = 0; n < IP_CHANNEL_BOUND; ++n) bytesOut[n] = 0;
  const int local = inputs ? getAlarmInNum() : getAlarmOutNum();
  auto checked = [list](int row) { return SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(row), 0) == 1; };
  for (int row = 0; row < local && row < 64; ++row)
    if (checked(row)) mask |= 1ull << row;
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  int row = local;
  for (int n = 0; n < IP_CHANNEL_BOUND; ++n) {
    int in = 0, out = 0;
    if (!((ipMask >> n) & 1u) || getChannelAlarmFlags(n + 1, &in, &out) != 0) continue;
    const int count = inputs ? in : out;
    for (int k = 0; k < count; ++k, ++row) {
      if (!checked(row)) continue;
      if (local + n < 64) mask |= 1ull << (local + n);
      if (bytesOut && k < 8) bytesOut[n] |= static_cast<uint8_t>(1u << k);
    }
  }
  if (maskOut) *maskOut = mask;
}

// A rectangle of a layout record; false when the record is missing.
bool record(const char* section, const char* key, CtrlResInfo** out) {
  return section && key && GetCtrlResInfo(section, key, out);
}

}  // namespace

extern "C" {

int addChanComboItems(WindowHandle owner, int comboId, int flag) {
  return fillChannels(owner, comboId, flag, ~0ull);
}

int addPermittedChanItems(WindowHandle owner, int comboId, int flag, int right) {
  return fillChannels(owner, comboId, flag, getUserRightChans(getLoginUserIndex(getCurOutput()), right));
}

int addValueComboItems(WindowHandle owner, int comboId, const ValueKeyRow* table, int count, const char* section,
                       int useSection) {
  if (useSection && !section) return -1;
  if (!table || count <= 0) return -1;
  char text[128];
  for (int i = 0; i < count; ++i) {
    text[0] = '\0';
    if (useSection)
      formatValueText(section, table, count, table[i].value, text, sizeof text);
    else
      formatValueName(table, count, table[i].value, text, sizeof text);
    SendDlgItemMessage(owner, comboId, CB_ADDSTRING, static_cast<WParam>(table[i].value), reinterpret_cast<LParam>(text));
  }
  return table[0].value;
}

int createDateTimeRow(WindowHandle owner, const char* section, const char* labelKey, const char* dateKey,
                      const char* timeKey, int y, uint32_t labelEx, uint32_t dateEx, uint32_t timeEx, int isStart) {
  CtrlResInfo *label = nullptr, *date = nullptr, *time = nullptr;
  if (!record(section, labelKey, &label) || !record(section, dateKey, &date) || !record(section, timeKey, &time))
    return y;
  const int base = isStart ? DATETIME_START_LABEL : DATETIME_END_LABEL;
  CreateWindowEx("static", label->caption, WS_CHILD | WS_VISIBLE | SS_GRAYTEXT | SS_NOTIFY, labelEx, base, label->x, y,
      label->w, label->h, owner, 0);
  CreateWindowEx("combobox", "", WS_CHILD | WS_VISIBLE | CBS_DATE | CBS_NOTIFY, dateEx, base + 1, date->x, y, date->w,
      date->h, owner, 0);
  int x = date->x + date->w, w = time->w, h = time->h;
  if ((timeEx & (WS_EX_PLACE_X | WS_EX_PLACE_W)) == (WS_EX_PLACE_X | WS_EX_PLACE_W)) {
    int ty = y;
    ScaleWindowRect(timeEx, 0, &x, &ty, &w, &h);
    timeEx &= ~(WS_EX_PLACE_X | WS_EX_PLACE_W);
  }
  CreateWindowEx("combobox", "", WS_CHILD | WS_VISIBLE | CBS_TIME | CBS_NOTIFY, timeEx, base + 2, x, y, w, h, owner, 0);
  return y + label->h;
}

int createDateTimeRowAt(WindowHandle owner, const char* section, const char* labelKey, const char* dateKey,
                        const char* timeKey, int y, uint32_t labelEx, uint32_t dateEx, uint32_t timeEx, int isStart) {
  CtrlResInfo *label = nullptr, *date = nullptr, *time = nullptr;
  if (!record(section, dateKey, &date) || !record(section, timeKey, &time)) return y;
  const int base = isStart ? DATETIME_START_LABEL : DATETIME_END_LABEL;
  const bool labelled = record(section, labelKey, &label);
  if (labelled)
    CreateWindowEx("static", label->caption, WS_CHILD | WS_VISIBLE | SS_GROUPBOX, labelEx, base, label->x, y, label->w,
        label->h, owner, 0);
  const int dateTop = y + date->y;
  CreateWindowEx("combobox", "", WS_CHILD | WS_VISIBLE | CBS_DATE | CBS_NOTIFY, dateEx, base + 1, date->x, dateTop,
      date->w, date->h, owner, 0);
  CreateWindowEx("combobox", "", WS_CHILD | WS_VISIBLE | CBS_TIME | CBS_NOTIFY, timeEx, base + 2, time->x,
      dateTop + date->h, time->w, time->h, owner, 0);
  return labelled ? y + label->h : dateTop + date->h;
}

void initTimeField(WindowHandle owner, int id) {
  static const int kMax[3] = {23, 59, 59};
  SendDlgItemMessage(owner, id, CB_SETFIELDCOUNT, 3, 0);
  for (int part = 0; part < 3; ++part) SendDlgItemMessage(owner, id, CB_SETFIELDRANGE1 + part, static_cast<WParam>(kMax[part]), 0);
  if (id != kStartTime && id != kEndTime) return;
  for (int part = 1; part <= 3; ++part)
    SendDlgItemMessage(owner, id, CB_SETFIELD, static_cast<WParam>(part), id == kEndTime ? kMax[part - 1] : 0);
}

void switchDateFormatKeepingDate(WindowHandle owner, int dateId, int format) {
  const int year = static_cast<int>(SendDlgItemMessage(owner, dateId, CB_GETYEAR, 0, 0));
  const int month = static_cast<int>(SendDlgItemMessage(owner, dateId, CB_GETMONTH, 0, 0));
  const int day = static_cast<int>(SendDlgItemMessage(owner, dateId, CB_GETDAY, 0, 0));
  setDateFormat(format);
  char date[DATE_TEXT_SIZE] = "";
  formatDate(date, year, month, day);
  SetDlgItemText(owner, dateId, date);
}

int64_t getDateTimeRow(WindowHandle owner, int isStart) {
  const int date = isStart ? 4641 : 4644;
  std::tm tm{};
  tm.tm_year = static_cast<int>(SendDlgItemMessage(owner, date, CB_GETYEAR, 0, 0)) - 1900;
  tm.tm_mon = static_cast<int>(SendDlgItemMessage(owner, date, CB_GETMONTH, 0, 0)) - 1;
  tm.tm_mday = static_cast<int>(SendDlgItemMessage(owner, date, CB_GETDAY, 0, 0));
  tm.tm_hour = static_cast<int>(SendDlgItemMessage(owner, date + 1, CB_GETFIELD, 1, 0));
  tm.tm_min = static_cast<int>(SendDlgItemMessage(owner, date + 1, CB_GETFIELD, 2, 0));
  tm.tm_sec = static_cast<int>(SendDlgItemMessage(owner, date + 1, CB_GETFIELD, 3, 0));
  tm.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&tm));
}

void getCheckedAlarmIns(WindowHandle list, uint64_t* maskOut, uint8_t* bytesOut) {
  checkedAlarms(list, true, maskOut, bytesOut);
}

void getCheckedAlarmOuts(WindowHandle list, uint64_t* maskOut, uint8_t* bytesOut) {
  checkedAlarms(list, false, maskOut, bytesOut);
}

uint64_t getListCheckedChanMask(WindowHandle list) {
  uint64_t mask = 0;
  for (int row = 0; row < getChannelNum(); ++row) {
    if (SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(row), 0) != 1) continue;
    const LResult bit = SendMessage(list, LVM_GETITEMKEY, static_cast<WParam>(row), 0);
    if (bit >= 0 && bit < 64) mask |= 1ull << bit;
  }
  return mask;
}

}  // extern "C"

// Alarm inputs and outputs: their records, holiday schedules, record links,
// the exception table and the names the device accepts.
#include <cstdio>
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// The eight-word block of an alarm input arrives with the bytes of each
// 16-bit half swapped. Inputs 0..31 without a group, else a group 1..32 and
// an input 0..15.
int copySwappedAlarmBlock(uint32_t to[8], int group, int index, const uint32_t from[8]) {
  bool ok = group == 0 ? index >= 0 && index <= 31
                       : group >= 1 && group <= 32 && index >= 0 && index <= 15;
  if (!ok) return -1;
  for (int i = 0; i < 8; ++i)
    to[i] = ((from[i] & 0x00FF00FFu) << 8) | ((from[i] & 0xFF00FF00u) >> 8);
  return 0;
}

bool validAlarmInput(int group, int index) {
  uint32_t block[8];
  const uint32_t source[8] = {};
  return index >= 0 && index <= 15 && copySwappedAlarmBlock(block, group, index, source) == 0;
}

// Local outputs count by the device, an IP camera's by 0..15.
bool validAlarmOutput(int group, int index) {
  if (group == 0) return index >= 0 && index < getAlarmOutNum();
  return group >= 1 && group <= 32 && index >= 0 && index <= 15;
}

int alarmKey(int group, int index) { return group * 256 + index; }

AlarmInConfig defaultAlarmIn(int index) {
  AlarmInConfig rec;
  zeroFill(&rec, sizeof rec);
  std::snprintf(rec.name, sizeof rec.name, "%s%d", "Alarm Input", index + 1);
  rec.handling = 1;
  std::memset(rec.presetNo, 1, sizeof rec.presetNo);
  std::memset(rec.patrolNo, 1, sizeof rec.patrolNo);
  std::memset(rec.patternNo, 1, sizeof rec.patternNo);
  return rec;
}

int checkName(const char* field) {
  const size_t n = devsim::fieldLength(field, 32);
  return hasInvalidNameChar(field, static_cast<int>(n)) ? DEVICE_ERR_NAME : 0;
}

template <typename T>
int checkRecordName(const T& rec) {
  return checkName(rec.name);
}

bool validHolidayKind(int kind) { return kind == 1 || kind == 2; }

}  // namespace

extern "C" {

int getAlarmInConfig(OutputLogin*, int group, int index, AlarmInConfig* out, int) {
  DEVICE_ENTER(getAlarmInConfig, out, sizeof *out, group, index);
  if (index < 0 || index > 15) return -1;
  if (!out) return 0;
  if (!validAlarmInput(group, index)) return -1;
  *out = defaultAlarmIn(index);
  devsim::fetch(Kind::AlarmIn, alarmKey(group, index), out, sizeof *out);
  return 0;
}

int setAlarmInConfig(OutputLogin*, int group, int index, const AlarmInConfig* in, int) {
  DEVICE_ENTER(setAlarmInConfig, nullptr, 0, group, index, in ? in->alarmType : -1);
  if (!validAlarmInput(group, index)) return -1;
  return devsim::keepChecked(Kind::AlarmIn, alarmKey(group, index), in, checkRecordName<AlarmInConfig>);
}

int getAlarmOutConfig(OutputLogin*, int group, int index, AlarmOutConfig* out, int) {
  DEVICE_ENTER(getAlarmOutConfig, out, sizeof *out, group, index);
  if (!validAlarmOutput(group, index)) return -1;
  return devsim::answerKeptOrZero(Kind::AlarmOut, alarmKey(group, index), out);
}

int setAlarmOutConfig(OutputLogin*, int group, int index, const AlarmOutConfig* in, int) {
  DEVICE_ENTER(setAlarmOutConfig, nullptr, 0, group, index, in ? static_cast<int64_t>(in->delay) : -1);
  if (!validAlarmOutput(group, index)) return -1;
  return devsim::keepChecked(Kind::AlarmOut, alarmKey(group, index), in, checkRecordName<AlarmOutConfig>);
}

int getAlarmHolidaySched(OutputLogin*, int kind, int code, TimeSegment out[HOLIDAY_SEGMENTS], int) {
  DEVICE_ENTER(getAlarmHolidaySched, out, out ? sizeof(TimeSegment) * HOLIDAY_SEGMENTS : 0, kind, code);
  if (!out || !validHolidayKind(kind) || code < 0 || code > 32 * 256 + 255) return -1;
  if (!devsim::fetch(Kind::AlarmHoliday, kind << 16 | code, out, sizeof(TimeSegment) * HOLIDAY_SEGMENTS))
    zeroFill(out, sizeof(TimeSegment) * HOLIDAY_SEGMENTS);
  return 0;
}

int setAlarmHolidaySched(OutputLogin*, int kind, int code, const TimeSegment in[HOLIDAY_SEGMENTS], int) {
  DEVICE_ENTER(setAlarmHolidaySched, nullptr, 0, kind, code);
  if (!in || !validHolidayKind(kind) || code < 0 || code > 32 * 256 + 255) return -1;
  devsim::keep(Kind::AlarmHoliday, kind << 16 | code, in, sizeof(TimeSegment) * HOLIDAY_SEGMENTS);
  return 0;
}

int getAlarmRecordLink(OutputLogin*, int value, int kind, AlarmRecordLink* out, int) {
  DEVICE_ENTER(getAlarmRecordLink, out, sizeof *out, value, kind);
  if (value < 1 || value > 32 * 256 + 256) return -1;
  return devsim::answerKeptOrZero(Kind::AlarmRecordLink, value, out);
}

int setAlarmRecordLink(OutputLogin*, int value, int kind, const AlarmRecordLink* in, int) {
  DEVICE_ENTER(setAlarmRecordLink, nullptr, 0, value, kind, in ? static_cast<int64_t>(in->chanMask) : -1);
  if (value < 1 || value > 32 * 256 + 256) return -1;
  return devsim::keepChecked(Kind::AlarmRecordLink, value, in, [](const AlarmRecordLink&) { return 0; });
}

int checkAlarmName(const char* name) {
  DEVICE_ENTER(checkAlarmName, nullptr, 0);
  return name ? checkName(name) : -1;
}

int getExceptionConfig(OutputLogin*, ExceptionLinkageTable* out) {
  DEVICE_ENTER(getExceptionConfig, out, sizeof *out);
  return devsim::answerKeptOrZero(Kind::ExceptionTable, 0, out);
}

int setExceptionConfig(OutputLogin*, const ExceptionLinkageTable* in) {
  DEVICE_ENTER(setExceptionConfig, nullptr, 0);
  return devsim::keepChecked(Kind::ExceptionTable, 0, in, [](const ExceptionLinkageTable&) { return 0; });
}

int getChannelAlarmFlags(int index, int* flag1, int* flag2) {
  // The input and output counts of an IP camera; none report alarms here,
  // and a test gives a camera its counts as the two words of the answer.
  int32_t counts[2] = {0, 0};
  DEVICE_OPERATION(getChannelAlarmFlags);
  const auto answer = devsim::enter(devsim::opKey(&getChannelAlarmFlags), __func__, {index}, counts, sizeof counts);
  if (!flag1 || !flag2) return -1;
  *flag1 = counts[0];
  *flag2 = counts[1];
  return answer ? static_cast<int>(*answer) : 0;
}

}  // extern "C"

// Alarm output states set by hand, and the alarm status records that show
// them.
#include <cstdio>
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// Active outputs: the local ones, then one word per IP camera group 1..32.
struct OutputStates {
  uint32_t local;
  uint32_t ip[IP_ALARM_CAMERAS + 1];
};

OutputStates states() { return devsim::fetchValue(Kind::AlarmOutputs, 0, OutputStates{}); }

void changeStates(void (*change)(OutputStates&, int, int), int a, int b) {
  devsim::modifyValue(Kind::AlarmOutputs, 0, OutputStates{}, [&](OutputStates& s) { change(s, a, b); });
}

uint32_t localMask() {
  const int n = getAlarmOutNum();
  return n >= 32 ? ~0u : (1u << n) - 1u;
}

bool validLocalOutput(int code) { return code >= 0 && code < 32 && code < getAlarmOutNum(); }

// The name a page shows for a local input or output.
template <typename T>
void copyName(char (&to)[32], const T& rec) {
  std::memcpy(to, rec.name, sizeof to);
}

}  // namespace

extern "C" {

uint32_t getLocalAlarmOutMask(void) {
  DEVICE_ENTER_T(uint32_t, getLocalAlarmOutMask, nullptr, 0);
  return states().local & localMask();
}

int getIpAlarmOutMask(int group) {
  DEVICE_ENTER(getIpAlarmOutMask, nullptr, 0, group);
  if (group < 1 || group > IP_ALARM_CAMERAS) return 0;
  return static_cast<int>(states().ip[group]);
}

void triggerLocalAlarmOut(int loginId, int code) {
  DEVICE_ENTER_VOID(triggerLocalAlarmOut, nullptr, 0, loginId, code);
  if (!validLocalOutput(code)) return;
  changeStates([](OutputStates& s, int c, int) { s.local |= 1u << c; }, code, 0);
}

void clearLocalAlarmOut(int loginId, int code) {
  DEVICE_ENTER_VOID(clearLocalAlarmOut, nullptr, 0, loginId, code);
  if (!validLocalOutput(code)) return;
  changeStates([](OutputStates& s, int c, int) { s.local &= ~(1u << c); }, code, 0);
}

void triggerAllAlarmOuts(int loginId) {
  DEVICE_ENTER_VOID(triggerAllAlarmOuts, nullptr, 0, loginId);
  const uint32_t all = localMask();
  devsim::modifyValue(Kind::AlarmOutputs, 0, OutputStates{}, [all](OutputStates& s) {
    s.local = all;
    for (uint32_t& word : s.ip) word = 0xFFFFu;
  });
}

void clearAllAlarmOuts(int loginId) {
  DEVICE_ENTER_VOID(clearAllAlarmOuts, nullptr, 0, loginId);
  devsim::keepValue(Kind::AlarmOutputs, 0, OutputStates{});
}

int setIpAlarmOutState(int loginId, int group, int index, int state, int) {
  DEVICE_ENTER(setIpAlarmOutState, nullptr, 0, loginId, group, index, state);
  if (group < 1 || group > IP_ALARM_CAMERAS || index < 0 || index > 15) return -1;
  if (state)
    changeStates([](OutputStates& s, int g, int i) { s.ip[g] |= 1u << i; }, group, index);
  else
    changeStates([](OutputStates& s, int g, int i) { s.ip[g] &= ~(1u << i); }, group, index);
  return 0;
}

int getAlarmInStatus(int input, AlarmInStatus* out) {
  DEVICE_ENTER(getAlarmInStatus, out, sizeof *out, input);
  if (devsim::zeroRecord(out) != 0) return -1;
  AlarmInConfig rec;
  if (getAlarmInConfig(nullptr, 0, input, &rec, 1) != 0) return 0;
  copyName(out->name, rec);
  out->alarmType = rec.alarmType;
  out->armed = rec.handling;
  out->recordChanMask = rec.recordChanMask;
  return 0;
}

int getAlarmOutStatus(int output, AlarmOutStatus* out) {
  DEVICE_ENTER(getAlarmOutStatus, out, sizeof *out, output);
  if (devsim::zeroRecord(out) != 0) return -1;
  AlarmOutConfig rec;
  if (getAlarmOutConfig(nullptr, 0, output, &rec, 1) != 0) return 0;
  copyName(out->name, rec);
  out->active = static_cast<uint8_t>(states().local >> output & 1u);
  return 0;
}

}  // extern "C"

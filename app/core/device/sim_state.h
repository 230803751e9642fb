// The simulated device's state: records kept by kind and index, and the
// test seam's overrides and call log, all under one lock so that worker
// threads may call the backend too.
#ifndef APP_CORE_DEVICE_SIM_STATE_H
#define APP_CORE_DEVICE_SIM_STATE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

namespace devsim {

enum class Kind {
  DeviceConfig,
  UserConfig,
  ChannelConfig,
  PreviewConfig,
  EventOutput,
  PreviewStrategy,
  StartGuide,
  LiveSplit,
  RecordingMask,
  AppliedColor,
  PtzProtocols,
  NetConfig,
  NetAdvConfig,
  EmailConfig,
  FtpConfig,
  SnmpConfig,
  HolidaySegments,
  RecordChanMask,
  AlarmIn,
  AlarmOut,
  AlarmHoliday,
  AlarmRecordLink,
  ExceptionTable,
  AlarmOutputs,
  Rs232Config,
  ClockOffset,
  LogHostText,
  IpChannel,
  NetV6Text,
  NetConfigPending,
};

void keep(Kind kind, int index, const void* data, size_t size);
// Copies the kept record into `out` and answers true; false (out untouched)
// when nothing is kept.
bool fetch(Kind kind, int index, void* out, size_t size);
void forget(Kind kind, int index);
// Forgets every kept record: the device answers its defaults again.
void forgetAll();

template <typename T>
void keepValue(Kind kind, int index, const T& value) {
  keep(kind, index, &value, sizeof value);
}
template <typename T>
T fetchValue(Kind kind, int index, T fallback) {
  fetch(kind, index, &fallback, sizeof fallback);
  return fallback;
}

// Read-modify-write of one kept record under the lock: `value` holds the
// default on entry, the kept record is copied over it, `change` edits it and
// the result is kept.
void updateRaw(Kind kind, int index, void* value, size_t size,
               const std::function<void(void*)>& change);

template <typename T, typename F>
T modifyValue(Kind kind, int index, T value, F change) {
  updateRaw(kind, index, &value, sizeof value, [&](void* p) { change(*static_cast<T*>(p)); });
  return value;
}

// Every operation enters here first: the call is logged while the log runs
// and an override, when set, answers instead of the device.
std::optional<int64_t> enter(const char* op, std::initializer_list<int64_t> args, void* out,
                             size_t outSize);

}  // namespace devsim

// Enters the seam with the operation's name and key arguments; an override
// answers for the operation.
#define DEVICE_ENTER_T(T, out, size, ...) \
  if (auto answer_ = devsim::enter(__func__, {__VA_ARGS__}, (out), (size))) \
  return static_cast<T>(*answer_)
#define DEVICE_ENTER(out, size, ...) DEVICE_ENTER_T(int, out, size, __VA_ARGS__)
// An operation whose answer never changes on this device, with no argument
// or with one argument that it does not use.
#define DEVICE_CONSTANT(name, value) \
  int name(void) {                   \
    DEVICE_ENTER(nullptr, 0);        \
    return value;                    \
  }
#define DEVICE_CONSTANT_OF(name, value) \
  int name(int arg) {                   \
    DEVICE_ENTER(nullptr, 0, arg);      \
    return value;                       \
  }
#define DEVICE_ENTER_VOID(out, size, ...) \
  if (devsim::enter(__func__, {__VA_ARGS__}, (out), (size))) return

#endif

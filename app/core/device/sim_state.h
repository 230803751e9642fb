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
#include <string>
#include <vector>

namespace devsim {

inline constexpr size_t kRunState = 0;

// Every kind of kept record, one line each: the kind, the name the
// parameter file saves it under (stored files name it, so a name never
// changes) and the size of its record, which a loaded record must have.
// kRunState marks a state of the running device (live splits, manual
// recording, checks), never saved. The sizes expand only where the
// records' types are known.
#define DEVICE_KINDS(X)                                                         \
  X(DeviceConfig, "DeviceConfig", sizeof(DeviceConfig))                         \
  X(UserConfig, "UserConfig", sizeof(UserConfig))                               \
  X(ChannelConfig, "ChannelConfig", sizeof(ChannelConfig))                      \
  X(PreviewConfig, "PreviewConfig", sizeof(PreviewConfig))                      \
  X(EventOutput, "EventOutput", sizeof(EventOutputConfig))                      \
  X(PreviewStrategy, "PreviewStrategy", sizeof(int))                            \
  X(StartGuide, "StartGuide", 2 * sizeof(uint32_t))                             \
  X(LiveSplit, "LiveSplit", kRunState)                                          \
  X(RecordingMask, "RecordingMask", kRunState)                                  \
  X(AppliedColor, "AppliedColor", kRunState)                                    \
  X(PtzProtocols, "PtzProtocols", kRunState)                                    \
  X(RecordConfig, "RecordConfig", sizeof(RecordConfig))                         \
  X(RecordHoliday, "RecordHoliday", sizeof(HolidaySchedule))                    \
  X(CaptureConfig, "CaptureConfig", sizeof(CaptureConfig))                      \
  X(CaptureParams, "CaptureParams", sizeof(CaptureSettingPair))                 \
  X(EncodeConfig, "EncodeConfig", sizeof(EncodeConfig))                         \
  X(Wd1Enable, "Wd1Enable", sizeof(uint8_t))                                    \
  X(AdvRecord, "AdvRecord", sizeof(AdvRecordConfig))                            \
  X(RecordEncrypt, "RecordEncrypt", sizeof(RecordEncryptConfig))                \
  X(Holidays, "Holidays", sizeof(HolidayTable))                                 \
  X(SnapshotMask, "SnapshotMask", kRunState)                                    \
  X(DiskRow, "DiskRow", sizeof(DiskInfo))                                       \
  X(DiskGroup, "DiskGroup", sizeof(uint64_t))                                   \
  X(StorageMode, "StorageMode", sizeof(uint32_t))                               \
  X(FrameSplit, "FrameSplit", 3 * sizeof(uint32_t))                             \
  X(DiskQuota, "DiskQuota", sizeof(DiskQuotaInfo))                              \
  X(DiskCheck, "DiskCheck", kRunState)                                          \
  X(DiskSelfTest, "DiskSelfTest", kRunState)                                    \
  X(SmartCheckOff, "SmartCheckOff", sizeof(uint32_t))                           \
  X(DiskModeFlag, "DiskModeFlag", sizeof(uint8_t))                              \
  X(NetDisks, "NetDisks", sizeof(NetDiskConfig))                                \
  X(NetConfig, "NetConfig", sizeof(NetConfig))                                  \
  X(NetAdvConfig, "NetAdvConfig", sizeof(NetAdvConfig))                         \
  X(EmailConfig, "EmailConfig", sizeof(EmailConfig))                            \
  X(FtpConfig, "FtpConfig", sizeof(FtpConfig))                                  \
  X(SnmpConfig, "SnmpConfig", sizeof(SnmpConfig))                               \
  X(HolidaySegments, "HolidaySegments", sizeof(TimeSegment) * HOLIDAY_SEGMENTS) \
  X(RecordChanMask, "RecordChanMask", sizeof(uint64_t))                         \
  X(AlarmIn, "AlarmIn", sizeof(AlarmInConfig))                                  \
  X(AlarmOut, "AlarmOut", sizeof(AlarmOutConfig))                               \
  X(AlarmHoliday, "AlarmHoliday", sizeof(TimeSegment) * HOLIDAY_SEGMENTS)       \
  X(AlarmRecordLink, "AlarmRecordLink", sizeof(AlarmRecordLink))                \
  X(ExceptionTable, "ExceptionTable", sizeof(ExceptionLinkageTable))            \
  X(AlarmOutputs, "AlarmOutputs", kRunState)                                    \
  X(Rs232Config, "Rs232Config", sizeof(Rs232Config))                            \
  X(ClockOffset, "ClockOffset", sizeof(Clock))                                  \
  X(LogHostText, "LogHostText", kRunState)                                      \
  X(IpChannel, "IpChannel", sizeof(IpChannelInfo))                              \
  /* The texts of the IPv6 addresses that the network record refers to:         \
     saved with it, so that its references still name them after a start. */    \
  X(NetV6Text, "NetV6Text", sizeof(V6Text))                                     \
  X(NetConfigPending, "NetConfigPending", kRunState)                            \
  X(PoeAddress, "PoeAddress", sizeof(NetAddress))

enum class Kind {
#define DEVICE_KIND_ENUM(kind, name, size) kind,
  DEVICE_KINDS(DEVICE_KIND_ENUM)
#undef DEVICE_KIND_ENUM
};

// The stable name a kind is saved under; null past the last kind.
const char* kindName(Kind kind);
// Whether the kind is a setting that the parameter file keeps; the others
// are states of the running device (live splits, manual recording, checks).
bool isSavedKind(Kind kind);
// The size of a saved record of the kind at `index`; 0 for a kind not saved.
size_t savedSize(Kind kind, int index);

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

// Forgets every kept setting (the saved kinds); run-time states stay.
void forgetSettings();
// The factory state: every kept record forgotten, run-time states too; the
// parameter file is then due to be written like after any change.
void restoreFactoryState();

// The saved kinds as the parameter file holds them, and back: parse refuses
// a damaged or foreign image with a short reason and changes nothing.
// `changes` receives the count of changes the image holds (see below).
std::vector<uint8_t> serializeSettings(uint64_t* changes = nullptr);
bool parseSettings(const uint8_t* data, size_t size, std::string* why);

// Every change of a saved record is counted; the writer of the parameter
// file notes the count its image held and whether the write succeeded.
// Whether a write is due: changes since the last write tried, or, with
// `retryFailed`, since the last one that succeeded.
void noteSettingsWrite(uint64_t changes, bool written);
bool settingsWriteDue(bool retryFailed);

// Writes the settings to the parameter file (0) or fails (-1); loads the
// file at start-up, refusing and setting aside a damaged one.
int saveSettingsFile();
void loadSettingsFile();
// Writes the parameter file when a setting changed since the last write
// (with `retryFailed`, also after a write that failed); 0, or -1 when the
// write failed. Cheap when nothing changed: run after every message a
// window handled, and at the program's end.
int writeChangedSettings(bool retryFailed);
// After a load: address records' IPv6 references whose texts the file did
// not hold (a file of an earlier version) are cleared, so that no new text
// takes their place.
void dropLostV6References();

// A digest of a record's bytes for the call log; -1 for none.
int64_t digest(const void* data, size_t size);
template <typename T>
int64_t digestOf(const T* record) {
  return record ? digest(record, sizeof *record) : -1;
}

// An operation of the seam, keyed by its function.
using OpKey = void (*)();
template <typename R, typename... A>
OpKey opKey(R (*fn)(A...)) {
  return reinterpret_cast<OpKey>(fn);
}

// Notes an operation and its name; every operation's entry does so before
// main runs, so that the seam refuses an override of anything else.
bool noteOperation(OpKey op, const char* name);
template <auto Fn, typename Name>
struct Operation {
  static const bool noted;
};
template <auto Fn, typename Name>
const bool Operation<Fn, Name>::noted = noteOperation(opKey(Fn), Name::get());

// Every operation enters here first: the call is logged under `name` while
// the log runs and an override, when set, answers instead of the device.
std::optional<int64_t> enter(OpKey op, const char* name, std::initializer_list<int64_t> args, void* out,
                             size_t outSize);

}  // namespace devsim

// Makes `fn`, the function this stands in, an operation of the seam.
#define DEVICE_OPERATION(fn)                                    \
  struct DeviceOperationName_ {                                 \
    static const char* get() { return #fn; }                    \
  };                                                            \
  static_cast<void>(devsim::Operation<&fn, DeviceOperationName_>::noted)
// Enters the seam as the operation `fn` with its key arguments; an override
// answers for the operation.
#define DEVICE_ENTER_T(T, fn, out, size, ...)                                                    \
  DEVICE_OPERATION(fn);                                                                          \
  if (auto answer_ = devsim::enter(devsim::opKey(&fn), __func__, {__VA_ARGS__}, (out), (size))) \
  return static_cast<T>(*answer_)
#define DEVICE_ENTER(fn, out, size, ...) DEVICE_ENTER_T(int, fn, out, size, __VA_ARGS__)
// An operation whose answer never changes on this device, with no argument
// or with one argument that it does not use.
#define DEVICE_CONSTANT(name, value)  \
  int name(void) {                    \
    DEVICE_ENTER(name, nullptr, 0);   \
    return value;                     \
  }
#define DEVICE_CONSTANT_OF(name, value)    \
  int name(int arg) {                      \
    DEVICE_ENTER(name, nullptr, 0, arg);   \
    return value;                          \
  }
#define DEVICE_ENTER_VOID(fn, out, size, ...) \
  DEVICE_OPERATION(fn);                       \
  if (devsim::enter(devsim::opKey(&fn), __func__, {__VA_ARGS__}, (out), (size))) return

#endif

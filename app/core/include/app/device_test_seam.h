// Test seam of the simulated device: tests make any operation answer what
// they need, read which operations ran with which key arguments, and put the
// device back to its first state.
#ifndef APP_DEVICE_TEST_SEAM_H
#define APP_DEVICE_TEST_SEAM_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/device_ability.h"

namespace device_seam {

struct Call {
  std::string op;
  std::vector<int64_t> args;
  bool operator==(const Call& o) const { return op == o.op && args == o.args; }
};

// An operation of the device, given by its function, so that a misspelt
// operation does not compile.
class Op {
 public:
  using Key = void (*)();
  // Implicit, so that a call names the function as it stands.
  template <typename R, typename... A>
  Op(R (*fn)(A...)) : key_(reinterpret_cast<Key>(fn)) {}
  // The operation the call log names `name` (a test walking the writes it
  // logged); throws std::invalid_argument for a name no operation has.
  static Op named(const std::string& name);
  Key key() const { return key_; }
  // The name the call log gives the operation.
  std::string name() const;

 private:
  explicit Op(Key key) : key_(key) {}
  Key key_;
};

// The operation answers `answer` and, when `out` is given and the caller
// passed an output, copies up to `size` bytes of it there. A function that
// does not enter the seam would override nothing: it throws
// std::invalid_argument, which fails the test at once.
void overrideAnswer(Op op, int64_t answer, const void* out = nullptr, size_t size = 0);
// The operation answers `answer` (and writes `out` as overrideAnswer does)
// when its first arguments equal `leadingArgs`; checked before the
// operation-wide answers.
void overrideAnswerFor(Op op, const std::vector<int64_t>& leadingArgs, int64_t answer, const void* out = nullptr,
                       size_t size = 0);
void clearOverrides();

// The log records calls only while it runs, so a long run keeps no history.
void startCallLog();
std::vector<Call> callLog();

// Forgets every kept record and live-view state; the device answers its
// defaults again.
void resetKeptRecords();
// The parameter file that saveDeviceParams writes and start-up loads; an
// empty path restores the test program's own file.
void setSettingsFile(const std::string& path);

// Overrides, log and kept records together.
void resetAll();

// The colours last applied to a channel's picture; false when none were.
bool appliedColor(int channel, ColorSetRecord* out);

// Reports motion of a channel to the call-back the pages registered, as a
// device that detects motion would; false when none is registered.
bool reportMotion(int channel, const uint32_t* rowMasks);

// A remote host text that log records refer to by `ref` (from 1).
void keepLogHostText(uint32_t ref, const char* text);

// The capability record, writable for tests that change the device.
DeviceAbility* mutableAbility();

}  // namespace device_seam

#endif

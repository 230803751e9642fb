// The device log: searches, entries and the host texts entries refer to.
#include <cstdio>
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"

using devsim::Kind;

namespace {

struct HostText {
  char text[LOG_HOST_TEXT_SIZE];
};

}  // namespace

extern "C" {

// This device keeps no log: every search finds nothing.
int findLogs(int major, int minor, uint32_t start, uint32_t end, LogSearchState* state) {
  DEVICE_ENTER(findLogs, state, state ? sizeof *state : 0, major, minor, start, end);
  if (state) {
    zeroFill(state, sizeof *state);
    state->count = -1;
  }
  return -1;
}

void getLogRecord(LogRecord* out, const LogSearchState*, int index, int) {
  DEVICE_ENTER_VOID(getLogRecord, out, sizeof *out, index);
  if (devsim::zeroRecord(out) != 0) return;
  out->major = 3;
  out->minor = 85;
  out->channel = 1;
  out->infoKind = 1;
}

// Remote hosts are kept as texts the records refer to by number, so the
// record keeps its 32-bit field on every platform.
int getLogHostText(uint32_t ref, char* out, int size) {
  DEVICE_ENTER(getLogHostText, nullptr, 0, ref);
  if (!out || size <= 0) return -1;
  zeroFill(out, static_cast<size_t>(size));
  if (ref == 0) return 0;
  HostText host;
  if (ref > 0x7fffffffu || !devsim::fetch(Kind::LogHostText, static_cast<int>(ref), &host, sizeof host)) return -1;
  std::snprintf(out, static_cast<size_t>(size), "%.*s", static_cast<int>(sizeof host.text), host.text);
  return 0;
}

int hasAutoDiskFormat(void) {
  DEVICE_ENTER(hasAutoDiskFormat, nullptr, 0);
  return 0;
}

}  // extern "C"

namespace device_seam {

void keepLogHostText(uint32_t ref, const char* text) {
  if (ref == 0 || ref > 0x7fffffffu || !text) return;
  HostText host{};
  std::snprintf(host.text, sizeof host.text, "%s", text);
  devsim::keepValue(Kind::LogHostText, static_cast<int>(ref), host);
}

}  // namespace device_seam

// Serial port, defaults, configuration files and firmware upgrade.
#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// A fresh port: 9600 baud, 8 data bits, 1 stop bit, no parity or flow
// control, the parameter console.
constexpr uint8_t kBaud9600 = 9, kDataBits8 = 3, kUseConsole = 1;

}  // namespace

extern "C" {

int getRs232Config(OutputLogin*, Rs232Config* out) {
  DEVICE_ENTER(getRs232Config, out, sizeof *out);
  return devsim::answerKept(Kind::Rs232Config, 0, out, [](Rs232Config& r) {
    zeroFill(&r, sizeof r);
    r.baudRate = kBaud9600;
    r.dataBits = kDataBits8;
    r.use = kUseConsole;
  });
}

int setRs232Config(OutputLogin*, const Rs232Config* in, int) {
  DEVICE_ENTER(setRs232Config, nullptr, 0, in ? in->baudRate : -1, in ? in->use : -1);
  return devsim::keepChecked(Kind::Rs232Config, 0, in, [](const Rs232Config&) { return 0; });
}

int applyRs232Config(OutputLogin*) {
  DEVICE_ENTER(applyRs232Config, nullptr, 0);
  return 0;
}

DEVICE_CONSTANT(isRs232UseFixed, 0)

int restoreDefaults(OutputLogin*, int flag) {
  DEVICE_ENTER(restoreDefaults, nullptr, 0, flag);
  devsim::restoreFactoryState();
  return 0;
}

// No removable device exists, so there is no file to read or write.
int importConfigFile(OutputLogin*, const char* path) {
  DEVICE_ENTER(importConfigFile, nullptr, 0);
  return path ? CONFIG_FILE_NO_DEVICE : -1;
}

int exportConfigFile(OutputLogin*, const char*) {
  DEVICE_ENTER(exportConfigFile, nullptr, 0);
  return CONFIG_FILE_NO_DEVICE;
}

int startUpgrade(OutputLogin*, int mode, const char*) {
  DEVICE_ENTER(startUpgrade, nullptr, 0, mode);
  return -1;
}

DEVICE_CONSTANT(getUpgradePhase, UPGRADE_PHASE_NONE)
DEVICE_CONSTANT(getUpgradePercent, 0)

}  // extern "C"

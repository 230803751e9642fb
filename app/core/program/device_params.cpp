// The device's parameters at start-up: the settings saved by an earlier run,
// the records kept for the run, the outputs' logins, the mouse acceleration
// and the time zone.
#include <cstring>

#include "app/app_registry.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/program.h"
#include "gui/display.h"
#include "gui/gui_etc.h"

namespace {

constexpr int kNobody = -2;

// Logs in with the first user of the table; the output keeps its state
// when the device refuses.
void loginOutput(int output, const UserRecord& user) {
  // The record's fields need not end in a zero byte.
  char name[sizeof user.name + 1] = {};
  char password[sizeof user.password + 1] = {};
  std::memcpy(name, user.name, sizeof user.name);
  std::memcpy(password, user.password, sizeof user.password);
  int loginId = 0;
  if (loginDevice(name, password, 0, 0, 0, &loginId, 0) == 0) setLoginState(output, 0, loginId);
}

}  // namespace

extern "C" {

void loadSavedDeviceParams(void) { devsim::loadSettingsFile(); }

int loadDeviceParams(void) {
  OutputLogin* login = getOutputLogin(getMainOutput());
  getDeviceInfo(login, getCachedDeviceInfo());
  // The toolkit filled the kept configuration as it started and its threads
  // read it since: what the device now says otherwise is stored.
  DeviceConfig config{};
  if (getDeviceConfig(login, &config) == 0) storeCachedDeviceConfig(&config);
  config = cachedDeviceConfig();
  if (config.loginRequired != 0) {
    setLoginState(getMainOutput(), kNobody, kNobody);
    setLoginState(getAuxOutput(), kNobody, kNobody);
  } else {
    UserConfig* users = getCachedUserConfig();
    getUserConfig(login, users);
    loginOutput(getMainOutput(), users->users[0]);
    if (HasAuxOutput()) loginOutput(getAuxOutput(), users->users[0]);
  }
  SetMouseScale(config.mouseScale, config.mouseThreshold);
  DeviceTime time{};
  getDeviceTime(login, &time);
  setTimeZoneByCode(time);
  return 1;
}

}  // extern "C"

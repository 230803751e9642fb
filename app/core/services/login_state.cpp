// Login state of each output and the record each output talks to the device
// through.
#include "app/app_registry.h"
#include "app/core/services/per_output.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/pages_calls.h"
#include "gui/app_hooks.h"

namespace {

app::PerOutput<int> g_userIndex{0};
app::PerOutput<int> g_loginId{-1};
app::PerOutput<int> g_loginFlag{0};
app::PerOutput<int> g_relogin{0};
OutputLogin g_logins[4];

constexpr int kNobody = -2;

bool loginRequiredBy(int output) {
  DeviceConfig config;
  return getDeviceConfig(getOutputLogin(output), &config) == 0 && config.loginRequired != 0;
}

}  // namespace

extern "C" {

void setLoginState(int output, int userIndex, int loginId) {
  g_userIndex.setLoose(output, userIndex);
  g_loginId.setLoose(output, loginId);
}

void getLoginState(int output, int* userIndexOut, int* loginIdOut) {
  if (userIndexOut) *userIndexOut = g_userIndex.get(output);
  if (loginIdOut) *loginIdOut = g_loginId.get(output);
}

int getLoginUserIndex(int output) { return g_userIndex.get(output); }
int getLoginId(int output) { return g_loginId.get(output); }

OutputLogin* getOutputLogin(int index) {
  if (index >= 0 && index <= 3) {
    // Any thread may refresh a record; the word is stored whole.
    __atomic_store_n(&g_logins[index].loginId, getLoginId(index), __ATOMIC_RELAXED);
    return &g_logins[index];
  }
  const int current = getCurOutput();
  return &g_logins[current >= 0 && current <= 3 ? current : 0];
}

void setLoginFlag(int output, int value) { g_loginFlag.setLoose(output, value); }
int isLoginFlag(int output) { return g_loginFlag.get(output); }
void setOutputRelogin(int output, int value) { g_relogin.setLoose(output, value); }
int getOutputRelogin(int output) { return g_relogin.get(output); }

// The device never asks for a login of its own, so a login is needed once
// the output has been logged out (locked, idle, or started logged out);
// answering 0 always left a locked output's menus open to anybody.
int isLoginRequired(void) { return g_userIndex.get(getCurOutput()) == kNobody ? 1 : 0; }

int ensureLogin(WindowHandle owner) {
  const int output = getCurOutput();
  if (isLoginRequired()) {
    createLoginWindow(owner);
    if (!isLoginFlag(output)) return 0;
  }
  setOutputState(output, OUTSTATE_LIVEVIEW);
  return 1;
}

int refreshLoginState(int output, int loginId) {
  if (loginId == kNobody) {
    setLoginState(output, kNobody, kNobody);
    return -1;
  }
  if (getOutputRelogin(output) == 0) return -1;
  if (loginRequiredBy(output)) setLoginState(output, kNobody, kNobody);
  return 0;
}

int isAdminUser(int userIndex) { return userIndex == 0 ? 1 : 0; }

}  // extern "C"

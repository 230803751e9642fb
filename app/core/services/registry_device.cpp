// The start-up device records, screen queries per output and the shared
// words the toolkit reads.
#include <cstring>

#include "app/app_registry.h"
#include "app/core/services/per_output.h"
#include "app/core/toolkit_calls.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "gui/desktop.h"
#include "gui/text.h"

namespace {

app::Word<int> g_labelTenths{3};
app::Word<int> g_ctrlTenths{7};
app::Word<int> g_sessionFlag{0};
app::Word<int> g_dispSwitchEnabled{0};

DeviceInfo g_deviceInfo;
UserConfig g_userConfig;

Size screenExtent(int output) {
  Size size{0, 0};
  GetScreenExtentEx(output, &size);
  return size;
}

bool hasOutputBlock(int output) { return output >= 0 && output <= 3; }

}  // namespace

extern "C" {

void setCtrlScale(int labelTenths, int ctrlTenths) {
  g_labelTenths.set(labelTenths);
  g_ctrlTenths.set(ctrlTenths);
}
int getLabelScale(void) { return g_labelTenths.get(); }

DeviceInfo* getCachedDeviceInfo(void) { return &g_deviceInfo; }
UserConfig* getCachedUserConfig(void) { return &g_userConfig; }

int getOutputFontHeight(int output) { return GetSysFontHeight(output == getMainOutput() ? 1 : 6); }
int getScreenWidth(int output) { return screenExtent(output).cx; }
int getScreenHeight(int output) { return screenExtent(output).cy; }

int getOutputScreenSize(int output, DeviceConfig config, Size* size) {
  if (!size) return -1;
  if (output == 2 || output == 3) {
    int width = 0, height = 0;
    getOutputResolution(config.resolutions[output - 1].code, &width, &height);
    size->cx = width;
    size->cy = height;
    return 0;
  }
  const bool ntsc = hasOutputBlock(output) && config.outputs[output].videoStandard == 1;
  size->cx = 704;
  size->cy = ntsc ? 480 : 576;
  return 0;
}

int isVideoStandard(int std) {
  const int output = getCurOutput();
  DeviceConfig config;
  if (!hasOutputBlock(output) || getDeviceConfig(getOutputLogin(output), &config) != 0) return 0;
  return config.outputs[output].videoStandard == std ? 1 : 0;
}

WindowHandle getTopMainWindow(void) { return GetCurTopMainWindow(); }

void setSessionFlag(int value) { g_sessionFlag.set(value); }
int getSessionFlag(void) { return g_sessionFlag.get(); }
void setDispSwitchEnabled(int value) {
  g_dispSwitchEnabled.set(value);
  EnableSwitchDispDev(value);
}
int isDispSwitchEnabled(void) { return g_dispSwitchEnabled.get(); }

}  // extern "C"

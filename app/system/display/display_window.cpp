// The general settings window: a sheet of the general, daylight-saving and
// more pages beside the system menu. Closing it undoes an unapplied mouse
// speed and the date format of an unapplied choice.
#include "app/app_registry.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/page_building.h"
#include "app/system/display/display.h"
#include "app/system_pages.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/window.h"

namespace display {
namespace {

// The daylight-saving rules do not apply where the interface runs in
// Simplified Chinese.
constexpr int kNoDstLanguage = 2;

bool dstOffered() { return GetSysInfoLanguage() != kNoDstLanguage; }

const pageframe::SheetPage kPages[] = {
    {"general", generalPageProc, nullptr},
    {"dst", dstPageProc, dstOffered},
    {"more", morePageProc, nullptr},
};
void onClose() {
  rereadConfig();
  const MousePair remembered = state().remembered;
  if (currentMousePair() != remembered) SetMouseScale(remembered.scale, remembered.threshold);
  setDateFormat(cached().dateFormat);
}

// Closed by its button or with the menu, the window goes the same way.
bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_DESTROY) onClose();
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kSystemSlot, windowMessage};

}  // namespace

WindowState& state() {
  static WindowState s;
  return s;
}

OutputLogin* login() { return getOutputLogin(getCurOutput()); }
DeviceConfig cached() { return cachedDeviceConfig(); }

DeviceOutputBlock& block(DeviceConfig& config) {
  const int output = getCurOutput();
  return config.outputs[output >= 0 && output < 4 ? output : 0];
}


void rereadConfig() {
  DeviceConfig fresh{};
  if (getDeviceConfig(login(), &fresh) == 0) storeCachedDeviceConfig(&fresh);
}

MousePair currentMousePair() {
  MousePair pair{};
  GetMouseScale(&pair.scale, &pair.threshold);
  return pair;
}

}  // namespace display

extern "C" int createDisplaySetWindow(WindowHandle owner) {
  return pageframe::openWindow<display::kWindow>(owner);
}

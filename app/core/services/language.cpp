// Reading direction, selectable languages, the run-time language switch and
// small shared records.
#include <cstdio>

#include "app/app_registry.h"
#include "app/core/services/per_output.h"
#include "app/core/toolkit_calls.h"
#include "app/formatting.h"
#include "app/pages_calls.h"
#include "gui/desktop.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "gui/message.h"

namespace {

constexpr int kBusyCursor = 13;
constexpr int kNormalCursor = 0;

app::Word<int> g_langSwitchPending{0};

// The record is handed whole to the format window; only the menu thread
// writes it.
FormatDiskArg g_formatDiskArg;

void showCursor(int index) { SetCursorEx(GetSystemCursor(index), FALSE); }

}  // namespace

extern "C" {

int isRightToLeftLang(void) {
  const int language = cachedDeviceConfig().language;
  return language == 31 || language == 56 ? 1 : 0;
}

// The languages whose captions the resources carry: English, Simplified
// Chinese and German.
int isLangSelectable(int index) { return index == 0 || index == 1 || index == 6 ? 1 : 0; }

void setLangSwitchPending(int value) { g_langSwitchPending.set(value); }
int isLangSwitchPending(void) { return g_langSwitchPending.get(); }

void beginLangSwitch(void) {
  showCursor(kBusyCursor);
  SetSysInfoLanguage(cachedDeviceConfig().language);
  CloseAllWinsByChangeLang();
  SetLangSwitchState(1);
  setLangSwitchPending(1);
}

void finishLangSwitch(void) {
  char id[16];
  std::snprintf(id, sizeof id, "%d", cachedDeviceConfig().language);
  SetValueToGuiEtc("menuinfo", "language", id);
  refreshLeftMenuCaptions(getMainOutput());
  refreshLeftMenuCaptions(getAuxOutput());
  SetLangSwitchState(0);
  setLangSwitchPending(0);
  showCursor(kNormalCursor);
}

void setFormatDiskArg(FormatDiskArg record) { g_formatDiskArg = record; }
void getFormatDiskArg(FormatDiskArg* out) {
  if (out) *out = g_formatDiskArg;
}

void resetTopWindow(void) {
  SetActiveWindow(GetCurTopMainWindow());
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  SendMessage(__gui_hwnd_desktop, MSG_DT_PLACEIME, 0, 0);
}

}  // extern "C"

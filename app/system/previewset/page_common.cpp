// The lists, controls and device reads both pages of the live view settings
// window share.
#include <cstdio>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/system/previewset/previewset.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace previewset {
namespace {

struct Row {
  const char* key;
  int value;
};

constexpr int kMaxAuxOutputs = 4;

void addRow(WindowHandle page, int comboId, const char* text, int value) {
  if (!text) return;
  SendDlgItemMessage(page, comboId, CB_ADDSTRING, static_cast<WParam>(value), reinterpret_cast<LParam>(text));
}

void addRows(WindowHandle page, int comboId, const Row* rows, int count, bool (*keep)(int value)) {
  SendDlgItemMessage(page, comboId, CB_DELETEALL, 0, 0);
  for (int i = 0; i < count; ++i)
    if (!keep || keep(rows[i].value)) addRow(page, comboId, lookupText(kWindow, rows[i].key), rows[i].value);
}

// The second and third rows: what the output option and the device's
// composite and HDMI outputs make of them.
void addMainOutputRows(WindowHandle page, int comboId) {
  if (hasOutputOption() && hasHdmiVgaMode()) {
    const int combined = combinedOutput();
    if (combined >= 0) addRow(page, comboId, lookupText(kWindow, "vout_vga_hdmi"), combined);
    return;
  }
  const char* second = "vout_hdmi";
  const char* third = "vout_vga";
  if (!hasOutputOption()) {
    if (hasCvbsOutput() >= 2) second = "vout_auxcvbs";
    if (isMainOutputHdmi()) third = "vout_hdmi";
  }
  addRow(page, comboId, lookupText(kWindow, second), 2);
  addRow(page, comboId, lookupText(kWindow, third), 3);
}

}  // namespace

void fillOutputList(WindowHandle page, int comboId) {
  SendDlgItemMessage(page, comboId, CB_DELETEALL, 0, 0);
  if (hasCvbsOutput()) addRow(page, comboId, lookupText(kWindow, "vout_maincvbs"), 1);
  addMainOutputRows(page, comboId);
  const char* aux = lookupText(kWindow, "vout_auxoutput");
  const int auxCount = getAuxVideoOutNum();
  for (int n = 1; aux && n <= auxCount && n <= kMaxAuxOutputs; ++n) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %d", aux, n);
    addRow(page, comboId, text, kFirstAuxOutput + n - 1);
  }
}

void fillModeList(WindowHandle page, int comboId) {
  static const Row kModes[] = {{"mode_screen1", 1}, {"mode_screen4", 2}, {"mode_screen6", 3},
                               {"mode_screen8", 4}, {"mode_screen9", 5}, {"mode_screen16", 6}};
  addRows(page, comboId, kModes, 6, [](int mode) {
    static const int kWindows[] = {1, 4, 6, 8, 9, 16};
    return isSplitModeSupported(kWindows[mode - 1]) != 0;
  });
}

void fillDwellList(WindowHandle page, int comboId) {
  static const Row kDwell[] = {{"dwelltime_no", 0}, {"dwelltime_5", 1},   {"dwelltime_10", 2},
                               {"dwelltime_20", 3}, {"dwelltime_30", 4},  {"dwelltime_60", 5},
                               {"dwelltime_120", 6}, {"dwelltime_300", 7}};
  addRows(page, comboId, kDwell, 8, nullptr);
}

void fillSwitchList(WindowHandle page, int comboId) {
  static const Row kSwitch[] = {{"switchtime_1", 1}, {"switchtime_2", 2}, {"switchtime_3", 3}, {"switchtime_4", 4},
                                {"switchtime_5", 5}, {"switchtime_6", 6}, {"switchtime_7", 7}, {"switchtime_8", 8},
                                {"switchtime_9", 9}, {"switchtime_10", 10}};
  addRows(page, comboId, kSwitch, 10, nullptr);
}

// A value the list does not offer (a fresh device's zero) shows no row
// rather than another value: it is kept until the user chooses a row.

WindowHandle createFromKey(WindowHandle page, const char* cls, const char* key, uint32_t style, uint32_t exStyle,
                           int id, bool labelled, int y, LParam data) {
  return pageframe::createFromKey(page, kWindow, {cls, key, style, exStyle, id, labelled}, y, data);
}

void createBottomButtons(WindowHandle page, const char* applyKey, const char* closeKey) {
  pageframe::createBottomButtons(page, kWindow, applyKey, closeKey, kCloseId);
}


bool readPreview(WindowHandle owner, int output, PreviewConfig* out, bool report) {
  if (getPreviewConfig(getOutputLogin(getCurOutput()), output, out) == 0) return true;
  if (report) showMsgBox(owner, "commons", "getsettingshint", MSGBOX_ERROR);
  return false;
}

int combinedOutput() { return getCombinedVideoOut(); }

}  // namespace previewset

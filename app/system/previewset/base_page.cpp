// The first page of the live view settings window: per output the layout
// mode, dwell time and audio, and the event output with its delay; edits of
// other outputs wait in a stash until Apply.
#include "app/page_building.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/system/previewset/previewset.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/system_pages.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace previewset {
namespace {

constexpr int kOutport = 20448, kMode = 20449, kDwell = 20450, kAudio = 20451, kEventOut = 20452, kDelay = 20453;

// One page open at a time.
struct BaseState {
  int output = -1;
  PreviewConfig edit{};
  EventOutputConfig event{};
  Stash stash;
};
BaseState g_base;

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

// Layout mode and audio belong to outputs below 4 only.
void enableForOutput(WindowHandle page, int output) {
  const bool main = output < kFirstAuxOutput;
  enableLabeledCtrl(page, kMode, main);
  enableLabeledCtrl(page, kAudio, main);
  enableLabeledCtrl(page, kDwell, 1);
}

void showEdit(WindowHandle page) {
  selectComboValue(page, kMode, g_base.output < kFirstAuxOutput ? g_base.edit.layoutMode : 1);
  selectComboValue(page, kDwell, g_base.edit.dwellCode);
  setChecked(page, kAudio, g_base.edit.audio != 0);
}

// A combo that shows no row (the record held a value it does not offer)
// keeps the record's value rather than storing the "no row" answer.
template <typename T>
void readCombo(WindowHandle page, int id, T* field) {
  const int value = comboValue(page, id);
  if (value >= 0) *field = static_cast<T>(value);
}

void readControls(WindowHandle page) {
  if (g_base.output < kFirstAuxOutput) readCombo(page, kMode, &g_base.edit.layoutMode);
  readCombo(page, kDwell, &g_base.edit.dwellCode);
  g_base.edit.audio = isChecked(page, kAudio) ? 1 : 0;
  readCombo(page, kEventOut, &g_base.event.output);
  readCombo(page, kDelay, &g_base.event.delay);
}

void stashEdits(WindowHandle page) {
  readControls(page);
  if (g_base.output < 0 || g_base.output >= kOutputSlots) return;
  g_base.stash.edited[g_base.output] = true;
  g_base.stash.config[g_base.output] = g_base.edit;
}

void copyFields(PreviewConfig& to, const PreviewConfig& from) {
  to.layoutMode = from.layoutMode;
  to.audio = from.audio;
  to.dwellCode = from.dwellCode;
}

// The device's record of the output with the page's fields over it.
int writeFields(int output, const PreviewConfig& fields) {
  PreviewConfig stored{};
  int rc = getPreviewConfig(login(), output, &stored);
  if (rc != 0) return rc;
  copyFields(stored, fields);
  return setPreviewConfig(login(), output, &stored);
}

int save(WindowHandle page) {
  readControls(page);
  int rc = writeFields(g_base.output, g_base.edit);
  for (int output = 0; rc == 0 && output < kOutputSlots; ++output)
    if (output != g_base.output && g_base.stash.edited[output])
      rc = writeFields(output, g_base.stash.config[output]);
  const int combined = hasHdmiVgaMode() ? combinedOutput() : -1;
  if (rc == 0 && combined >= 0 && combined != g_base.output) rc = writeFields(combined, g_base.edit);
  if (rc == 0) rc = setEventOutputConfig(login(), &g_base.event);
  if (rc == 0) g_base.stash.clear();
  if (rc == 0) rc = saveDeviceParams();
  return rc;
}

void changeOutput(WindowHandle page) {
  const int chosen = comboValue(page, kOutport);
  if (chosen == g_base.output) return;
  PreviewConfig next{};
  if (chosen >= 0 && chosen < kOutputSlots && g_base.stash.edited[chosen]) {
    next = g_base.stash.config[chosen];
  } else if (!readPreview(page, chosen, &next, true)) {
    // The record stays unknown: editing a blank one would store blanks.
    selectComboValue(page, kOutport, g_base.output);
    return;
  }
  stashEdits(page);
  g_base.output = chosen;
  g_base.edit = next;
  showEdit(page);
  enableForOutput(page, chosen);
  if (chosen < kFirstAuxOutput && !hasPreviewOption() && chosen != getMainOutput())
    enableLabeledCtrl(page, kAudio, 0);
  // Another output shown is no edit: Apply stays as the edits left it.
}

constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
const pageframe::Control kControls[] = {
    {"combobox", "outport", kCombo, kPlaced | EDIT_CORNER_TOPRIGHT, kOutport, true},
    {"combobox", "prevmode", kCombo, kPlaced, kMode, true},
    {"combobox", "turntime", kCombo, kPlaced, kDwell, true},
    {"button", "audio", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_FRAMED, kPlaced | EDIT_CORNER_BOTTOMRIGHT, kAudio,
     true},
    {"combobox", "eventout", kCombo, kPlaced | EDIT_CORNER_TOPRIGHT, kEventOut, true},
    {"combobox", "delay", kCombo, kPlaced | EDIT_CORNER_BOTTOMRIGHT, kDelay, true},
};

void createControls(WindowHandle page) {
  pageframe::createControls(page, kWindow, kControls, static_cast<int>(sizeof kControls / sizeof kControls[0]));
  createBottomButtons(page, "base_apply", "base_close");
}

void init(WindowHandle page) {
  g_base = BaseState{};
  createControls(page);
  fillOutputList(page, kOutport);
  g_base.output = getMainOutput();
  selectComboValue(page, kOutport, g_base.output);
  if (g_base.output >= 0) {
    readPreview(page, g_base.output, &g_base.edit, false);
    getEventOutputConfig(login(), &g_base.event);
  }
  fillModeList(page, kMode);
  fillDwellList(page, kDwell);
  showEdit(page);
  enableForOutput(page, g_base.output);
  fillOutputList(page, kEventOut);
  selectComboValue(page, kEventOut, g_base.event.output);
  fillSwitchList(page, kDelay);
  selectComboValue(page, kDelay, g_base.event.delay);
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kOutport:
      if (code == CBN_SELCHANGE) changeOutput(page);
      break;
    case kMode: case kDwell: case kEventOut: case kDelay:
      if (code == CBN_SELCHANGE) enableApply(page, 0, 0);
      break;
    case kAudio: enableApply(page, 0, 0); break;
    default: break;
  }
}

}  // namespace

LResult basePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const PageHooks kHooks{init, [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); }, command,
                                save, [](WindowHandle p, int rc) { reportSaveFailed(p, rc); }, closeSystemMenu};
  return runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace previewset

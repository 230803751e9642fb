// What the two pages of the live view settings window share: the layout
// window's name, control ids, the output, mode and time lists, and the
// creation of controls from layout records.
#ifndef APP_SYSTEM_PREVIEWSET_PREVIEWSET_H
#define APP_SYSTEM_PREVIEWSET_PREVIEWSET_H

#include "app/device_records.h"
#include "app/page_building.h"
#include "gui/common.h"

namespace previewset {

constexpr const char* kWindow = "previewset";
constexpr int kApplyId = PAGE_ID_APPLY, kCloseId = PAGE_ID_EXIT, kSheetId = PAGE_ID_SHEET;
constexpr int kOutputSlots = 8;  // output indexes a PreviewConfig is kept for
constexpr int kFirstAuxOutput = 4;
constexpr int kLabelOffset = PAGE_LABEL_OFFSET;

// Combo box messages the pages use.

// Edits of other outputs kept until Apply.
struct Stash {
  bool edited[kOutputSlots] = {};
  PreviewConfig config[kOutputSlots] = {};
  void clear() { *this = Stash{}; }
};

// Output rows (value = output index): composite, HDMI or VGA, combined, and
// the auxiliary outputs 4, 5, ...; rows without a text are left out.
void fillOutputList(WindowHandle page, int comboId);
// Layout modes 1..6 the device can split into.
void fillModeList(WindowHandle page, int comboId);
void fillDwellList(WindowHandle page, int comboId);
void fillSwitchList(WindowHandle page, int comboId);


// A control from the record `key` of the window, at the record's place or,
// for y >= 0, at that y; null when the record is missing. Labelled controls
// get their label (id + 256) from the record's caption.
WindowHandle createFromKey(WindowHandle page, const char* cls, const char* key, uint32_t style, uint32_t exStyle,
                           int id, bool labelled, int y = -1, LParam data = 0);
// The bottom row's buttons: Apply (created disabled) and Close.
void createBottomButtons(WindowHandle page, const char* applyKey, const char* closeKey);

// The output's record; false (and a box when `report`) when the device
// cannot give it.
bool readPreview(WindowHandle owner, int output, PreviewConfig* out, bool report);
// The combined HDMI/VGA output when the device runs one, else -1.
int combinedOutput();

// The sheet pages run on the shared page frame; Exit closes the system menu.
using pageframe::PageHooks;
using pageframe::runPage;

// Page procedures of the sheet.
LResult basePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult viewPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);

}  // namespace previewset

#endif

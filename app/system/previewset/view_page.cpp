// The second page of the live view settings window: the order in which
// channels fill the windows of each layout mode, edited on a picture of the
// layout beside the channel list; edits of other outputs wait in a stash
// until Apply.
#include <cstdio>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/system/previewset/order_tables.h"
#include "app/system/previewset/view_state.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_keys.h"
#include "app/system_pages.h"
#include "gui/combine.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/propsheet.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace previewset {
namespace {

constexpr int kTooManyIpc = 0x200114;
constexpr int kSixteen = 6;

ViewState& view() { return viewState(); }
OutputLogin* login() { return getOutputLogin(getCurOutput()); }

const char* const kModeKeys[6] = {"view_1x1", "view_2x2", "view_1+5", "view_1+7", "view_3x3", "view_4x4"};
const char* const kOrderKeys[4] = {"order_play", "order_stop", "order_prev", "order_next"};

void showError(WindowHandle page, int code) {
  if (code == -1) {
    showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
  } else if (code == order_tables::kSameChannel) {
    showMsgBox(page, kWindow, "ordersame_hint", MSGBOX_INFO);
  } else if (code == kTooManyIpc) {
    const char* format = lookupText(kWindow, "maxipc_hint");
    char text[256] = "";
    formatChecked(text, sizeof text, format, "d", getCachedDeviceInfo()->maxIpcNum);
    if (format) showMsgBoxText(page, text, MSGBOX_INFO);
  } else {
    reportSaveFailed(page, code);
  }
}

// The duplicate check and the sixteen-window copy every stash and save
// passes first.
int prepare() {
  const int rc = order_tables::checkDuplicates(view().edit, view().mode, slotsInUse());
  if (rc != 0) return rc;
  if (view().mode == kSixteen) order_tables::spreadSixteen(view().edit, getChannelNum());
  return 0;
}

int stashEdits() {
  const int rc = prepare();
  if (rc != 0) return rc;
  if (view().output >= 0 && view().output < kOutputSlots) {
    view().stash.edited[view().output] = true;
    view().stash.config[view().output] = view().edit;
  }
  return 0;
}

int writeOrder(int output, const PreviewConfig& from) {
  PreviewConfig stored{};
  int rc = getPreviewConfig(login(), output, &stored);
  if (rc != 0) return rc;
  const int slots = slotsInUse() < PREVIEW_ORDER_SLOTS ? slotsInUse() : PREVIEW_ORDER_SLOTS;
  for (int m = 0; m < PREVIEW_ORDER_MODES; ++m)
    for (int k = 0; k < slots; ++k) stored.order[m][k] = from.order[m][k];
  return setPreviewConfig(login(), output, &stored);
}

int save(WindowHandle) {
  int rc = prepare();
  if (rc == 0) rc = writeOrder(view().output, view().edit);
  for (int output = 0; rc == 0 && output < kOutputSlots; ++output)
    if (output != view().output && view().stash.edited[output]) rc = writeOrder(output, view().stash.config[output]);
  if (rc == 0) view().stash.clear();
  if (rc == 0) rc = saveDeviceParams();
  return rc;
}

void enableOutputButtons(WindowHandle page) {
  const bool main = view().output < kFirstAuxOutput;
  for (int id = kFirstModeButton; id <= kLastModeButton; ++id) SendDlgItemMessage(page, id, MSG_ENABLE, main, 0);
}

void showLoaded(WindowHandle page) {
  view().mode = view().edit.layoutMode >= 1 && view().edit.layoutMode <= order_tables::kModes
                    ? view().edit.layoutMode
                    : 1;
  arrangeSlots(page);
  enableOutputButtons(page);
  if (view().output >= kFirstAuxOutput) SendDlgItemMessage(page, kNext, MSG_ENABLE, 0, 0);
  refillChanList(page);
}

// The output's record from the stash or the device; false when the device
// cannot give it.
bool fetch(WindowHandle page, int output, PreviewConfig* out, bool report) {
  if (output >= 0 && output < kOutputSlots && view().stash.edited[output]) {
    *out = view().stash.config[output];
    return true;
  }
  return readPreview(page, output, out, report);
}

void changeOutput(WindowHandle page) {
  const int chosen = comboValue(page, kViewOutport);
  if (chosen == view().output) return;
  PreviewConfig next{};
  int rc = stashEdits();
  if (rc != 0) {
    showError(page, rc);
    selectComboValue(page, kViewOutport, view().output);
    return;
  }
  if (!fetch(page, chosen, &next, true)) {
    // The record stays unknown: editing a blank one would store blanks.
    selectComboValue(page, kViewOutport, view().output);
    return;
  }
  view().output = chosen;
  view().edit = next;
  buildOrderChans(chosen);
  showLoaded(page);
  // Another output shown is no edit: Apply stays as the edits left it.
}

void changeMode(WindowHandle page, int mode) {
  const int rc = stashEdits();
  if (rc != 0) {
    showError(page, rc);
    return;
  }
  if (mode != view().mode) {
    view().mode = mode;
    arrangeSlots(page);
    refillChanList(page);
    selectSlot(page, 0);
  }
  enableApply(page, 0, 0);
}

std::vector<int> existingChannels() {
  std::vector<int> channels;
  for (int c = 0; c < static_cast<int>(view().chans.size()); ++c)
    if (view().chans[c].row != kNotPlaced) channels.push_back(c);
  return channels;
}

void playOrStop(WindowHandle page, bool play) {
  if (play)
    order_tables::fillInSequence(view().edit, existingChannels());
  else
    order_tables::emptyAll(view().edit);
  refreshSlots(page);
  selectSlot(page, 0);
  refillChanList(page);
  enableApply(page, 0, 0);
}

void turnPage(WindowHandle page, int step) {
  const int next = view().page + step;
  if (next < 1 || next > slotPageCount()) return;
  view().page = next;
  refreshSlots(page);
}

int entryOfSlot(int slot) { return order_tables::entryOf(view().mode, view().page, slot); }

int channelAt(int entry) {
  return entry >= 0 && entry < slotsInUse() && entry < PREVIEW_ORDER_SLOTS ? view().edit.order[view().mode][entry] : -1;
}

void slotNotified(WindowHandle page, int slot, int code) {
  selectSlot(page, slot);
  if (code != CMBN_CLEARED) return;
  const int entry = entryOfSlot(slot);
  const int held = channelAt(entry);
  order_tables::emptyEntry(view().edit, entry, slotsInUse());
  refreshSlots(page);
  markChanRow(page, held);
  enableApply(page, 0, 0);
}

void assignSelected(WindowHandle page, bool boxWhenNone) {
  const int channel = selectedChannel(page);
  if (channel < 0) {
    if (boxWhenNone) showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  const int entry = entryOfSlot(view().slot);
  const int old = channelAt(entry);
  order_tables::assign(view().edit, entry, channel, slotsInUse());
  refreshSlots(page);
  markChanRow(page, channel);
  if (old != channel) markChanRow(page, old);
  enableApply(page, 0, 0);
}

void listNotified(WindowHandle list, int, int code, LParam) {
  if (code == LVN_ITEMDBCLK || code == LVN_CELLCLICK) assignSelected(GetParent(list), false);
}

void createControls(WindowHandle page) {
  createFromKey(page, "combobox", "view_outport", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY,
      WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_TOPRIGHT, kViewOutport, true);
  CtrlResInfo* r = nullptr;
  if (GetCtrlResInfo(kWindow, "view_listv", &r) && r) {
    const WindowHandle list =
        CreateWindowEx("ListView", "List View",
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_ELLIPSIS | LVS_TREE,
            WS_EX_PLACE_X | WS_EX_PLACE_W, kChanList, r->x, r->y, r->w, r->h, page, 0);
    static const ListColumnDesc kColumns[] = {{"view_listv_no", 0, nullptr}, {"view_listv_name", 0, nullptr}};
    addListViewColumns(page, kChanList, kWindow, kColumns, 2);
    if (IsValidHandle(list)) SetNotificationCallback(list, listNotified);
  }
  createFromKey(page, "static", "order_text", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_VCENTER, WS_EX_TRANSPARENT,
      kOrderText, false);
  for (int i = 0; i < 6; ++i) createPictureButton(page, kModeKeys[i], kFirstModeButton + i, i);
  for (int i = 0; i < 4; ++i) createPictureButton(page, kOrderKeys[i], kPlay + i, 6 + i);
  CtrlResInfo* area = nullptr;
  if (GetCtrlResInfo(kWindow, "rect_order", &area) && area) {
    const int w = area->w / 4, h = area->h / 4;
    for (int s = 0; s < kSlotCount; ++s) {
      char caption[12];
      std::snprintf(caption, sizeof caption, "%d", s + 1);
      CreateWindowEx("combine", caption, WS_CHILD | WS_VISIBLE | CMBS_EDIT | CMBS_NOTIFY, WS_EX_PLACE_X | WS_EX_PLACE_W,
                     kFirstSlot + s, area->x + (s % 4) * w, area->y + (s / 4) * h, w, h, page, 0);
    }
  }
  createBottomButtons(page, "view_apply", "view_close");
}

void init(WindowHandle page) {
  view() = ViewState{};
  loadViewBitmaps();
  createControls(page);
  fillOutputList(page, kViewOutport);
  view().output = getMainOutput();
  selectComboValue(page, kViewOutport, view().output);
  buildOrderChans(view().output);
  if (!fetch(page, view().output, &view().edit, false)) order_tables::emptyAll(view().edit);
  showLoaded(page);
}

void command(WindowHandle page, int id, int code) {
  if (id >= kFirstSlot && id < kFirstSlot + kSlotCount) {
    if (code == CMBN_CLEARED || code == CMBN_CLICKED) slotNotified(page, id - kFirstSlot, code);
    return;
  }
  if (id >= kFirstModeButton && id <= kLastModeButton) {
    if (code == 0) changeMode(page, id - kFirstModeButton + 1);
    return;
  }
  switch (id) {
    case kViewOutport:
      if (code == CBN_SELCHANGE) changeOutput(page);
      break;
    case kPlay: case kStop:
      if (code == 0) playOrStop(page, id == kPlay);
      break;
    case kPrev: case kNext:
      if (code == 0) turnPage(page, id == kPrev ? -1 : 1);
      break;
    default: break;
  }
}

// The panel's play key on the channel list assigns the chosen channel.
bool playKey(WindowHandle page, int message, WParam wParam, LParam, LResult*) {
  if (message != MSG_KEYDOWN || (wParam & 0xFFFF) != PANEL_KEY_PLAY) return false;
  if (GetFocusChild(page) != GetDlgItem(page, kChanList)) return false;
  assignSelected(page, true);
  return true;
}

}  // namespace

LResult viewPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const PageHooks kHooks{init,    paintViewBackground, command, save,    showError, closeSystemMenu,
                                nullptr, nullptr,             nullptr, nullptr, nullptr,   playKey};
  return runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace previewset

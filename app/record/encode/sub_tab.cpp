// The sub-stream tab of the encoding page: the record tab's stream group
// machinery applied to the sub stream alone, without mirroring.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/encode/encode.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace encode {
namespace {

constexpr int kSubChan = 18496;
constexpr int kSubChanFlag = 10;
constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;

const Group& sub() { return group(kSub); }
WorkRecord& current() { return subTab()[static_cast<size_t>(subChannel())]; }

void createControls(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"combobox", "sub_camsel", kCombo, 0, kSubChan, true});
  const char* const keys[] = {"sub_streamtype", "sub_recordres", "sub_ratetype", "sub_quality",
                              "sub_framerate",  "sub_ratemode",  "sub_ratelimit"};
  for (int i = 0; i < 7; ++i) pageframe::createFromKey(page, kSection, {"combobox", keys[i], kCombo, 0, sub().streamType() + i, true});
  pageframe::createFromKey(page, kSection, {"static", "sub_raterange", WS_CHILD | WS_VISIBLE, 0, sub().range(), true});
  // The edit takes the place of the rate combo's field.
  Rect field{};
  if (GetWindowRect(GetDlgItem(page, sub().rate()), &field)) {
    WindowHandle edit = CreateWindowEx("sledit", "", WS_CHILD | WS_BORDER, 0, sub().edit, field.left, field.top,
                                       field.right - field.left, field.bottom - field.top, page, 0);
    SendMessage(edit, EM_LIMITTEXT, 8, 0);
  }
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "sub_copy", WS_CHILD | WS_VISIBLE, 0, PAGE_ID_COPY, false}, y);
  pageframe::createBottomButtons(page, kSection, "sub_apply", "sub_close", PAGE_ID_EXIT);
}

void showChannel(WindowHandle page, int channel) {
  fillGroup(page, kSub, channel, subTab()[static_cast<size_t>(channel)].encode.blocks[ENCODE_SUB], false);
  enableCtrlByChan(page, PAGE_ID_COPY, channel);
}

// Reads the group into the current record and asks the device whether the
// three streams go together; false after the error's box.
bool checkCurrent(WindowHandle page) {
  const int channel = subChannel();
  WorkRecord& r = current();
  if (isStreamTypeSupported(channel, 2) && !readGroup(page, kSub, &r.encode.blocks[ENCODE_SUB])) {
    showSaveError(page, ENCODE_ERR_SUB_BITRATE, recordChannel(), channel);
    return false;
  }
  r.touched = 1;
  EncodeConfig& e = r.encode;
  const int code = checkEncodeParams(login(), channel, &e.blocks[ENCODE_MAIN], &e.blocks[ENCODE_EVENT], &e.blocks[ENCODE_SUB], 1);
  if (code == 0) return true;
  showSaveError(page, code, recordChannel(), channel);
  return false;
}

void onChannelChange(WindowHandle page) {
  const int previous = subChannel();
  const int next = comboValue(page, kSubChan);
  if (next == previous || !checkChanSupported(page, kSubChan, next, previous, kSubChanFlag)) return;
  if (!isStreamTypeSupported(next, 2)) {
    showMsgBox(page, "commons", "chan_not_sup", MSGBOX_INFO);
    selectValue(page, kSubChan, previous);
    return;
  }
  if (!checkCurrent(page)) {
    selectValue(page, kSubChan, previous);
    return;
  }
  WorkRecord* r = inRange(subTab(), next) ? &subTab()[static_cast<size_t>(next)] : nullptr;
  if (!r || (!r->touched && getEncodeConfig(login(), next, &r->encode, 1) != 0)) {
    // Left on the old channel: its values must not be written into the new one.
    selectValue(page, kSubChan, previous);
    return;
  }
  // Another channel shown is no edit: Apply stays as the edits left it.
  subChannel() = next;
  showChannel(page, next);
}

void onCopy(WindowHandle page) {
  if (!checkCurrent(page)) return;
  const int source = subChannel();
  const uint64_t mask = runCopyDialog(page, source);
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  const EncodeParamBlock block = current().encode.blocks[ENCODE_SUB];
  copyToChannels(subTab(), source, mask, [&block](int c, WorkRecord& to, bool first) {
    if (first) getEncodeConfig(login(), c, &to.encode, 1);
    to.encode.blocks[ENCODE_SUB] = block;
  });
  enableApply(page, 0, 0);
}

int saveChannel(WindowHandle page, int c) {
  EncodeConfig fresh{};
  int code = getEncodeConfig(login(), c, &fresh, 1);
  if (code != 0) {
    showSaveFailedCode(page, code);
    return code;
  }
  const EncodeParamBlock& from = subTab()[static_cast<size_t>(c)].encode.blocks[ENCODE_SUB];
  EncodeParamBlock& to = fresh.blocks[ENCODE_SUB];
  copyStreamHead(to, from);
  code = setEncodeConfig(login(), c, &fresh, 1);
  if (code != 0) showSaveError(page, code, recordChannel(), subChannel());
  return code;
}

int save(WindowHandle page) {
  if (!checkCurrent(page)) return ENCODE_ERR_STREAM;
  for (size_t c = 1; c < subTab().size(); ++c) {
    if (!subTab()[c].touched) continue;
    const int code = saveChannel(page, static_cast<int>(c));
    if (code != 0) return code;
  }
  return keepStored(page, subTab(), subChannel());
}

void init(WindowHandle page) {
  subChannel() = 1;
  resetRecords(subTab());
  createControls(page);
  const int first = addChanComboItems(page, kSubChan, kSubChanFlag);
  if (!inRange(subTab(), first)) return;
  subChannel() = first;
  selectValue(page, kSubChan, first);
  getEncodeConfig(login(), first, &current().encode, 1);
  showChannel(page, first);
}

void onCommand(WindowHandle page, int id, int code) {
  const Group& g = sub();
  const WParam wParam = static_cast<WParam>(code) << 16 | static_cast<WParam>(id);
  if (id == kSubChan) {
    if (code == CBN_SELCHANGE) onChannelChange(page);
  } else if (id == PAGE_ID_COPY) {
    onCopy(page);
  } else if (id == g.edit) {
    enableApplyOnChange(page, wParam, 0);
  } else if (id == g.streamType() || id == g.rate()) {
    enableApplyOnNotify1(page, wParam, 0);
  } else if (code == CBN_SELCHANGE) {
    if (id == g.resolution()) onResolutionChange(page, kSub, subChannel(), false);
    else if (id == g.rateType()) onRateTypeChange(page, kSub);
    else if (id == g.quality() || id == g.frameRate()) updateRange(page, kSub, subChannel());
    else if (id == g.mode()) onModeChange(page, kSub, subChannel());
    else return;
    enableApply(page, 0, 0);
  }
}

}  // namespace

LResult subPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks = tabHooks(init, onCommand, save);
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

}  // namespace encode

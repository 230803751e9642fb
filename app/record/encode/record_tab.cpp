// The record tab of the encoding page: both main stream groups of a channel,
// its record options, and the channel change, copy and save that carry the
// working records to the device.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
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

const ValueKeyRow kPreRows[] = {{"preplay_0", 0},  {"preplay_5", 1},  {"preplay_10", 2}, {"preplay_15", 3},
                                  {"preplay_20", 4}, {"preplay_25", 5}, {"preplay_30", 6}, {"preplay_max", 7}};
const ValueKeyRow kPostRows[] = {{"delay_value_5", 0},   {"delay_value_10", 1},  {"delay_value_30", 2},
                                   {"delay_value_60", 3},  {"delay_value_120", 4}, {"delay_value_300", 5},
                                   {"delay_value_600", 6}};
constexpr uint32_t kMaxExpiryDays = 60;

constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_FRAMED;
constexpr uint32_t kText = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER;

WorkRecord& current() { return recordTab()[static_cast<size_t>(recordChannel())]; }

const char* const kTitles[] = {"videoparam_title", "streamtype_title", "recordres_title", "ratetype_title", "quality_title",
                               "framerate_title",  "ratemode_title",   "ratelimit_title", "raterange_title"};
const char* const kNormalKeys[] = {"videoparam_normal", "streamtype_normal", "recordres_normal", "ratetype_normal", "quality_normal",
                                   "framerate_normal",  "ratemode_normal",   "ratelimit_normal", "raterange_normal"};
const char* const kEventKeys[] = {"videoparam_event", "streamtype_event", "recordres_event", "ratetype_event", "quality_event",
                                  "framerate_event",  "ratemode_event",   "ratelimit_event", "raterange_event"};

void createGroupRow(WindowHandle page, const char* const* keys, int groupIndex) {
  const Group& g = group(groupIndex);
  for (int i = 0; i < 9; ++i) {
    const int id = g.streamType() - 1 + i;
    const bool combo = i >= 1 && i <= 7;
    pageframe::createFromKey(page, kSection, {combo ? "combobox" : "static", keys[i], combo ? kCombo : kText, 0, id, false});
  }
  const CtrlResInfo* rate = pageframe::record(kSection, keys[7]);
  if (!rate) return;
  WindowHandle edit = CreateWindowEx("sledit", "", kEdit, 0, g.edit, rate->x, rate->y, rate->w, rate->h, page, 0);
  SendMessage(edit, EM_LIMITTEXT, 8, 0);
  ShowWindow(edit, SW_HIDE);
}

void createControls(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"combobox", "record_camsel", kCombo, 0, kChanCombo, true});
  for (int i = 0; i < 9; ++i) pageframe::createFromKey(page, kSection, {"static", kTitles[i], kText, 0, 18433 + i, false});
  createGroupRow(page, kNormalKeys, kNormal);
  createGroupRow(page, kEventKeys, kEvent);
  pageframe::createFromKey(page, kSection, {"combobox", "pretime", kCombo, 0, kPreRecord, true});
  pageframe::createFromKey(page, kSection, {"combobox", "posttime", kCombo, 0, kPostRecord, true});
  WindowHandle days = pageframe::createFromKey(page, kSection, {"sledit", "days", kEdit, 0, kDays, true});
  if (IsValidHandle(days)) SendMessage(days, EM_LIMITTEXT, 4, 0);
  const char* redundantKey = hasCaptureSchedule() ? "redundant" : "redundant_nopic";
  pageframe::createFromKey(page, kSection, {"button", redundantKey, kCheck, 0, kRedundant, false});
  pageframe::createFromKey(page, kSection, {"button", "audiorecord", kCheck, 0, kAudio, false});
  pageframe::createFromKey(page, kSection, {"button", "enable_cabac", kCheck, 0, kCabac, false});
  pageframe::createFromKey(page, kSection, {"button", "enable_wd1", kCheck, 0, kWd1, false});
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "record_copy", kText, 0, PAGE_ID_COPY, false}, y);
  pageframe::createBottomButtons(page, kSection, "record_apply", "record_close", PAGE_ID_EXIT);
}

int loadChannel(WindowHandle page, int channel) {
  WorkRecord& r = recordTab()[static_cast<size_t>(channel)];
  if (r.touched) return 0;
  if (getEncodeConfig(login(), channel, &r.encode, 1) != 0 || getRecordConfig(login(), channel, &r.record, 1) != 0) {
    showMsgBox(page, "commons", "getrecordhint", MSGBOX_ERROR);
    return -1;
  }
  getWd1Enable(login(), 1, channel, &r.wd1);
  return 0;
}

bool bothVideoOnly(const WorkRecord& r) {
  return r.encode.blocks[ENCODE_MAIN].streamType == 1 && r.encode.blocks[ENCODE_EVENT].streamType == 1;
}

// Audio follows the stream types: without audio in either stream the box
// keeps its state in the record and is unchecked and disabled.
void applyAudioRule(WindowHandle page, WorkRecord& r) {
  if (r.mainStreams != 0 && !bothVideoOnly(r)) {
    EnableWindow(GetDlgItem(page, kAudio), TRUE);
    setChecked(page, kAudio, r.record.audio != 0);
    return;
  }
  r.record.audio = isChecked(page, kAudio) ? 1 : 0;
  setChecked(page, kAudio, false);
  EnableWindow(GetDlgItem(page, kAudio), FALSE);
}

void fillMainGroups(WindowHandle page, int channel) {
  WorkRecord& r = recordTab()[static_cast<size_t>(channel)];
  r.mainStreams = streamsOf(channel);
  if (r.mainStreams == 0) {
    for (int gi : {kNormal, kEvent}) {
      emptyGroup(page, gi);
      enableGroup(page, gi, false);
    }
    return;
  }
  if (channel >= kFirstIpChannel) r.encode.blocks[ENCODE_EVENT].streamType = r.encode.blocks[ENCODE_MAIN].streamType;
  enableGroup(page, kNormal, true);
  fillGroup(page, kNormal, channel, r.encode.blocks[ENCODE_MAIN], r.wd1 != 0);
  if (r.mainStreams == 2) enableGroup(page, kNormal, false);
  enableGroup(page, kEvent, true);
  fillGroup(page, kEvent, channel, r.encode.blocks[ENCODE_EVENT], r.wd1 != 0);
  if (r.mainStreams == 1) enableGroup(page, kEvent, false);
}

void fillOptions(WindowHandle page, int channel) {
  WorkRecord& r = recordTab()[static_cast<size_t>(channel)];
  selectValue(page, kPreRecord, static_cast<int>(r.record.preRecord));
  selectValue(page, kPostRecord, static_cast<int>(r.record.postRecord));
  char text[16];
  std::snprintf(text, sizeof text, "%u", r.record.expiryDays);
  SetDlgItemText(page, kDays, text);
  setChecked(page, kRedundant, r.record.redundant != 0);
  applyAudioRule(page, r);
  setChecked(page, kCabac, r.record.cabac != 0);
  const bool wd1 = isWd1Supported(channel, 1) != 0;
  ShowWindow(GetDlgItem(page, kWd1), wd1 ? SW_SHOW : SW_HIDE);
  setChecked(page, kWd1, wd1 && r.wd1 != 0);
}

void showChannel(WindowHandle page, int channel) {
  fillMainGroups(page, channel);
  fillOptions(page, channel);
  enableCtrlByChan(page, PAGE_ID_COPY, channel);
}

// The groups into the record: false when a custom rate is no number, after
// the group's bit-rate-over reaction.
bool readControls(WindowHandle page, int channel) {
  WorkRecord& r = recordTab()[static_cast<size_t>(channel)];
  r.touched = 1;
  r.mainStreams = streamsOf(channel);
  EncodeParamBlock* main = &r.encode.blocks[ENCODE_MAIN];
  EncodeParamBlock* event = &r.encode.blocks[ENCODE_EVENT];
  switch (r.mainStreams) {
    case 1:
      if (!readGroup(page, kNormal, main)) return showSaveError(page, ENCODE_ERR_MAIN_BITRATE, channel, 0), false;
      std::memcpy(event, main, sizeof *event);
      break;
    case 2:
      if (!readGroup(page, kEvent, event)) return showSaveError(page, ENCODE_ERR_EVENT_BITRATE, channel, 0), false;
      std::memcpy(main, event, sizeof *main);
      break;
    case 3:
      if (!readGroup(page, kNormal, main)) return showSaveError(page, ENCODE_ERR_MAIN_BITRATE, channel, 0), false;
      if (!readGroup(page, kEvent, event)) return showSaveError(page, ENCODE_ERR_EVENT_BITRATE, channel, 0), false;
      break;
    default: break;
  }
  return true;
}

bool checkCurrent(WindowHandle page) {
  const int channel = recordChannel();
  if (!readControls(page, channel)) return false;
  EncodeConfig& e = current().encode;
  const int code = checkEncodeParams(login(), channel, &e.blocks[ENCODE_MAIN], &e.blocks[ENCODE_EVENT], &e.blocks[ENCODE_SUB], 1);
  if (code == 0) return true;
  showSaveError(page, code, channel, 0);
  return false;
}

int readOptions(WindowHandle page) {
  WorkRecord& r = current();
  r.record.preRecord = static_cast<uint32_t>(comboValue(page, kPreRecord));
  r.record.postRecord = static_cast<uint32_t>(comboValue(page, kPostRecord));
  char text[65] = {};
  GetDlgItemText(page, kDays, text, sizeof text);
  uint32_t days = 0;
  // A text that is not all digits is ignored; the stored value stays.
  if ((!*text || parseDecimal(text, UINT32_MAX, &days)) && days != r.record.expiryDays) {
    if (days > kMaxExpiryDays) {
      showMsgBox(page, kSection, "exceedexpired", MSGBOX_INFO);
      SetFocusChild(GetDlgItem(page, kDays));
      return -1;
    }
    r.record.expiryDays = days;
    if (days == 0) showMsgBox(page, kSection, "expiredtime", MSGBOX_INFO);
  }
  r.record.redundant = isChecked(page, kRedundant) ? 1 : 0;
  r.record.audio = isChecked(page, kAudio) ? 1 : 0;
  r.record.cabac = isChecked(page, kCabac) ? 1 : 0;
  if (isWd1Supported(recordChannel(), 1)) r.wd1 = isChecked(page, kWd1) ? 1 : 0;
  return 0;
}

void onChannelChange(WindowHandle page) {
  const int previous = recordChannel();
  const int next = comboValue(page, kChanCombo);
  if (next == previous || !checkChanSupported(page, kChanCombo, next, previous, -1)) return;
  if (!checkCurrent(page) || readOptions(page) != 0) {
    selectValue(page, kChanCombo, previous);
    return;
  }
  if (!inRange(recordTab(), next) || loadChannel(page, next) != 0) {
    // Left on the old channel: its values must not be written into the new one.
    selectValue(page, kChanCombo, previous);
    return;
  }
  // Another channel shown is no edit: Apply stays as the edits left it.
  recordChannel() = next;
  showChannel(page, next);
}

void onCopy(WindowHandle page) {
  if (!checkCurrent(page) || readOptions(page) != 0) return;
  const int source = recordChannel();
  const uint64_t mask = runCopyDialog(page, source);
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  const WorkRecord from = current();
  copyToChannels(recordTab(), source, mask, [&from](int c, WorkRecord& to, bool first) {
    if (first) {
      getEncodeConfig(login(), c, &to.encode, 1);
      getRecordConfig(login(), c, &to.record, 1);
    }
    to.mainStreams = streamsOf(c);
    if (to.mainStreams == 0) return;
    to.encode.blocks[ENCODE_MAIN] = from.encode.blocks[ENCODE_MAIN];
    to.encode.blocks[ENCODE_EVENT] = from.encode.blocks[ENCODE_EVENT];
    to.record.preRecord = from.record.preRecord;
    to.record.postRecord = from.record.postRecord;
    to.record.expiryDays = from.record.expiryDays;
    to.record.redundant = from.record.redundant;
    to.record.audio = from.record.audio;
    to.record.cabac = from.record.cabac;
    if (isWd1Supported(c, 1)) to.wd1 = from.wd1;
  });
  enableApply(page, 0, 0);
}

int saveChannel(WindowHandle page, int c, bool* shown) {
  WorkRecord& r = recordTab()[static_cast<size_t>(c)];
  if (r.mainStreams != 0) {
    EncodeConfig fresh{};
    int code = getEncodeConfig(login(), c, &fresh, 1);
    if (code != 0) return code;
    if (c >= kFirstIpChannel) r.encode.blocks[ENCODE_EVENT].streamType = r.encode.blocks[ENCODE_MAIN].streamType;
    copyStreamHead(fresh.blocks[ENCODE_MAIN], r.encode.blocks[ENCODE_MAIN]);
    copyStreamHead(fresh.blocks[ENCODE_EVENT], r.encode.blocks[ENCODE_EVENT]);
    code = setEncodeConfig(login(), c, &fresh, 1);
    if (code != 0) {
      showSaveError(page, code, recordChannel(), 0);
      *shown = true;
      return code;
    }
  }
  RecordConfig fresh{};
  int code = getRecordConfig(login(), c, &fresh, 1);
  if (code != 0) return code;
  fresh.postRecord = r.record.postRecord;
  fresh.preRecord = r.record.preRecord;
  fresh.expiryDays = r.record.expiryDays;
  fresh.redundant = r.record.redundant;
  fresh.audio = r.record.audio;
  fresh.cabac = r.record.cabac;
  code = setRecordConfig(login(), c, &fresh, 1);
  if (code != 0) return code;
  if (isWd1Supported(c, 1)) return setWd1Enable(login(), 1, c, r.wd1);
  return 0;
}

int save(WindowHandle page) {
  if (!checkCurrent(page)) return ENCODE_ERR_STREAM;
  if (readOptions(page) != 0) return -1;
  for (size_t c = 1; c < recordTab().size(); ++c) {
    if (!recordTab()[c].touched) continue;
    bool shown = false;
    const int code = saveChannel(page, static_cast<int>(c), &shown);
    if (code == 0) continue;
    // A failed read or write of the loop would otherwise go unreported.
    if (!shown) showSaveFailedCode(page, code);
    return code;
  }
  return keepStored(page, recordTab(), recordChannel());
}

// Mirroring: while the channel has one main stream the other group is its
// disabled copy and follows every change.
bool mirrors(int channel) {
  const uint32_t streams = recordTab()[static_cast<size_t>(channel)].mainStreams;
  return streams == 1 || streams == 2;
}

void mirrorGroup(WindowHandle page, int from, int channel) {
  const int twin = from == kNormal ? kEvent : kNormal;
  EncodeParamBlock block{};
  const uint32_t custom = pageState().custom[from];
  readGroup(page, from, &block);
  if (custom) {
    // A custom text that is not yet a number is copied as it stands.
    char text[17] = {};
    GetDlgItemText(page, group(from).edit, text, sizeof text);
    block.bitrate = ENCODE_CUSTOM_BITRATE(1);
    enableGroup(page, twin, true);
    fillGroup(page, twin, channel, block, current().wd1 != 0);
    SetDlgItemText(page, group(twin).edit, text);
  } else {
    enableGroup(page, twin, true);
    fillGroup(page, twin, channel, block, current().wd1 != 0);
  }
  enableGroup(page, twin, false);
}

int groupOfId(int id) {
  if (id == group(kNormal).edit) return kNormal;
  if (id == group(kEvent).edit) return kEvent;
  return id >= group(kEvent).streamType() ? kEvent : kNormal;
}

void onGroupCommand(WindowHandle page, int id, int code) {
  const int gi = groupOfId(id);
  const Group& g = group(gi);
  const int channel = recordChannel();
  const bool edit = id == g.edit;
  // The custom edit counts what is typed, not the text the page sets.
  if (edit ? code != EN_UPDATE : code != CBN_SELCHANGE) return;
  if (id == g.resolution()) onResolutionChange(page, gi, channel, current().wd1 != 0);
  else if (id == g.rateType()) onRateTypeChange(page, gi);
  else if (id == g.mode()) onModeChange(page, gi, channel);
  else if (id == g.quality() || id == g.frameRate()) updateRange(page, gi, channel);
  if (id == g.streamType()) {
    WorkRecord& r = current();
    const uint8_t type = static_cast<uint8_t>(comboValue(page, id));
    r.encode.blocks[g.block].streamType = type;
    if (mirrors(channel) || channel >= kFirstIpChannel) {
      const Group& twin = group(gi == kNormal ? kEvent : kNormal);
      const BOOL was = IsWindowEnabled(GetDlgItem(page, twin.streamType()));
      EnableWindow(GetDlgItem(page, twin.streamType()), TRUE);
      selectValue(page, twin.streamType(), type);
      EnableWindow(GetDlgItem(page, twin.streamType()), was);
      r.encode.blocks[twin.block].streamType = type;
      updateRange(page, gi == kNormal ? kEvent : kNormal, channel);
    }
    applyAudioRule(page, r);
  } else if (mirrors(channel)) {
    if (edit) SetDlgItemText(page, group(gi == kNormal ? kEvent : kNormal).edit, "");
    mirrorGroup(page, gi, channel);
  }
  enableApply(page, 0, 0);
}

void onWd1(WindowHandle page) {
  const int channel = recordChannel();
  WorkRecord& r = current();
  r.wd1 = isChecked(page, kWd1) ? 1 : 0;
  if (r.mainStreams == 0) {
    enableApply(page, 0, 0);
    return;
  }
  for (int gi : {kNormal, kEvent}) {
    EncodeParamBlock block{};
    readGroup(page, gi, &block);
    const BOOL enabled = IsWindowEnabled(GetDlgItem(page, group(gi).rateType()));
    const bool dropWd1 = !r.wd1 && block.resolution == kWd1Resolution;
    enableGroup(page, gi, true);
    fillGroup(page, gi, channel, block, r.wd1 != 0);
    if (dropWd1) {
      SendDlgItemMessage(page, group(gi).resolution(), CB_SETCURSEL, 0, 0);
      onResolutionChange(page, gi, channel, false);
    }
    enableGroup(page, gi, enabled);
  }
  enableApply(page, 0, 0);
}

void init(WindowHandle page) {
  recordChannel() = 1;
  resetRecords(recordTab());
  createControls(page);
  const int first = addChanComboItems(page, kChanCombo, -1);
  if (!inRange(recordTab(), first)) return;
  recordChannel() = first;
  selectValue(page, kChanCombo, first);
  addValueComboItems(page, kPreRecord, kPreRows, 8, "typecfg", 1);
  addValueComboItems(page, kPostRecord, kPostRows, 7, "typecfg", 1);
  if (loadChannel(page, first) != 0) return;
  showChannel(page, first);
}

void onCommand(WindowHandle page, int id, int code) {
  switch (id) {
    case kChanCombo:
      if (code == CBN_SELCHANGE) onChannelChange(page);
      return;
    case kPreRecord:
    case kPostRecord:
      enableApplyOnNotify1(page, static_cast<WParam>(code) << 16 | static_cast<WParam>(id), 0);
      return;
    case kDays: enableApplyOnChange(page, static_cast<WParam>(code) << 16 | static_cast<WParam>(id), 0); return;
    case kRedundant:
    case kAudio:
    case kCabac: enableApply(page, 0, 0); return;
    case kWd1: onWd1(page); return;
    case PAGE_ID_COPY: onCopy(page); return;
    default: break;
  }
  if ((id >= group(kNormal).streamType() && id <= group(kEvent).rate()) || id == group(kNormal).edit ||
      id == group(kEvent).edit)
    onGroupCommand(page, id, code);
}

}  // namespace

LResult recordPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks = tabHooks(init, onCommand, save);
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

}  // namespace encode

// The snapshot tab of the encoding page: per channel the resolution,
// quality and interval of continuous and event snapshots.
#include <vector>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/encode/encode.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace encode {
namespace {

constexpr int kPicChan = 18512;
constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr int kCaptureListSize = 16;

const ValueKeyRow kQualityRows[] = {{"quality_high", CAPTURE_QUALITY_HIGH}, {"quality_middle", 60}, {"quality_low", 40}};
const ValueKeyRow kIntervalRows[] = {{"interval_1", CAPTURE_INTERVAL_SHORTEST},       {"interval_2", 2},        {"interval_3", 3},
                                     {"interval_4", 4},       {"interval_5", 5},        {"interval_10m", 600},
                                     {"interval_30m", 1800},  {"interval_1h", 3600},    {"interval_12h", 43200},
                                     {"interval_24h", 86400}};

// The controls of one snapshot kind: normal (flag 0) and event (flag 1).
struct Kind {
  int resolution, quality, interval;
  const char *resKey, *qualityKey, *intervalKey, *titleKey;
  int titleId;
};
const Kind kKinds[2] = {{18518, 18519, 18520, "picres_normal", "picquality_normal", "interval_normal", "type_normal", 18517},
                        {18522, 18523, 18524, "picres_event", "picquality_event", "interval_event", "type_event", 18521}};

struct CaptureWorkRecord {
  CaptureSettingPair pair;
  uint32_t touched;
};
std::vector<CaptureWorkRecord> g_records;
int g_channel = 1;

bool valid(int channel) { return channel >= 1 && static_cast<size_t>(channel) < g_records.size(); }
CaptureWorkRecord& current() { return g_records[static_cast<size_t>(g_channel)]; }
CaptureSetting& settingOf(CaptureWorkRecord& r, int kind) { return kind == 0 ? r.pair.normal : r.pair.event; }

void createControls(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"combobox", "pic_camsel", kCombo, 0, kPicChan, true});
  const char* const titles[] = {"type_title", "picres_title", "picquality_title", "interval_title"};
  for (int i = 0; i < 4; ++i) pageframe::createFromKey(page, kSection, {"static", titles[i], WS_CHILD | WS_VISIBLE, 0, 18513 + i, false});
  for (const Kind& k : kKinds) {
    pageframe::createFromKey(page, kSection, {"static", k.titleKey, WS_CHILD | WS_VISIBLE, 0, k.titleId, false});
    pageframe::createFromKey(page, kSection, {"combobox", k.resKey, kCombo, 0, k.resolution, false});
    pageframe::createFromKey(page, kSection, {"combobox", k.qualityKey, kCombo, 0, k.quality, false});
    pageframe::createFromKey(page, kSection, {"combobox", k.intervalKey, kCombo, 0, k.interval, false});
  }
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "pic_copy", WS_CHILD | WS_VISIBLE, 0, PAGE_ID_COPY, false}, y);
  pageframe::createBottomButtons(page, kSection, "pic_apply", "pic_close", PAGE_ID_EXIT);
}

int load(WindowHandle page, int channel) {
  if (getCaptureParams(login(), channel, &g_records[static_cast<size_t>(channel)].pair) == 0) return 0;
  showMsgBox(page, "commons", "getrecordhint", MSGBOX_ERROR);
  return -1;
}

void showChannel(WindowHandle page, int channel) {
  CaptureWorkRecord& r = g_records[static_cast<size_t>(channel)];
  for (int kind = 0; kind < 2; ++kind) {
    const Kind& k = kKinds[kind];
    SendDlgItemMessage(page, k.resolution, CB_DELETEALL, 0, 0);
    OptionItem list[kCaptureListSize];
    if (getCaptureOptionList(list, channel, kind) != 0) {
      showMsgBox(page, "commons", "getcapturehint", MSGBOX_ERROR);
    } else {
      for (const OptionItem& item : list)
        if (item.id != -1) addOption(page, k.resolution, item);
    }
    const CaptureSetting& s = settingOf(r, kind);
    selectValue(page, k.resolution, s.resolution);
    selectValue(page, k.quality, s.quality);
    selectValue(page, k.interval, static_cast<int>(captureIntervalSeconds(s.interval)));
  }
  enableCtrlByChan(page, PAGE_ID_COPY, channel);
}

void readCurrent(WindowHandle page) {
  CaptureWorkRecord& r = current();
  for (int kind = 0; kind < 2; ++kind) {
    const Kind& k = kKinds[kind];
    CaptureSetting& s = settingOf(r, kind);
    // A combo showing no row keeps the record's value.
    const int res = comboValue(page, k.resolution), quality = comboValue(page, k.quality), interval = comboValue(page, k.interval);
    if (res >= 0) s.resolution = static_cast<uint8_t>(res);
    if (quality >= 0) s.quality = static_cast<uint8_t>(quality);
    if (interval > 0) s.interval = captureIntervalField(static_cast<uint32_t>(interval));
  }
  r.touched = 1;
}

void onChannelChange(WindowHandle page) {
  const int previous = g_channel;
  const int next = comboValue(page, kPicChan);
  if (next == previous || !checkChanSupported(page, kPicChan, next, previous, -1)) return;
  readCurrent(page);
  if (!valid(next) || (!g_records[static_cast<size_t>(next)].touched && load(page, next) != 0)) {
    selectValue(page, kPicChan, previous);
    return;
  }
  // Another channel shown is no edit: Apply stays as the edits left it.
  g_channel = next;
  showChannel(page, next);
}

// The targets take both settings without being read from the device.
void onCopy(WindowHandle page) {
  readCurrent(page);
  const uint64_t mask = runCopyDialog(page, g_channel);
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  const CaptureSettingPair pair = current().pair;
  for (int c = 1; c <= getAnalogChanNum() && c < 64 && valid(c); ++c) {
    CaptureWorkRecord& to = g_records[static_cast<size_t>(c)];
    if (c == g_channel || (mask & (uint64_t{1} << (c - 1)))) to.touched = 1;
    if (c != g_channel && (mask & (uint64_t{1} << (c - 1)))) to.pair = pair;
  }
  enableApply(page, 0, 0);
}

int save(WindowHandle page) {
  readCurrent(page);
  for (size_t c = 1; c < g_records.size(); ++c) {
    if (!g_records[c].touched) continue;
    const int code = setCaptureParams(login(), static_cast<int>(c), &g_records[c].pair, 1);
    if (code != 0) {
      showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
      return code;
    }
  }
  const int kept = saveDeviceParams();
  if (kept != 0) showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
  return kept;
}

void init(WindowHandle page) {
  g_channel = 1;
  g_records.assign(static_cast<size_t>(getChannelNum() > 0 ? getChannelNum() : 0) + 1, CaptureWorkRecord{});
  createControls(page);
  const int first = addChanComboItems(page, kPicChan, -1);
  if (!valid(first)) return;
  g_channel = first;
  selectValue(page, kPicChan, first);
  if (load(page, first) != 0) return;
  for (const Kind& k : kKinds) {
    addValueComboItems(page, k.quality, kQualityRows, 3, "typecfg", 1);
    addValueComboItems(page, k.interval, kIntervalRows, 10, "typecfg", 1);
  }
  showChannel(page, first);
}

void onCommand(WindowHandle page, int id, int code) {
  if (id == kPicChan) {
    if (code == CBN_SELCHANGE) onChannelChange(page);
  } else if (id == PAGE_ID_COPY) {
    onCopy(page);
  } else if (id >= kKinds[0].resolution && id <= kKinds[1].interval && id != kKinds[1].titleId) {
    enableApplyOnNotify1(page, static_cast<WParam>(code) << 16 | static_cast<WParam>(id), 0);
  }
}

}  // namespace

bool hasSnapshotTab() { return hasCaptureSchedule() != 0; }

LResult snapshotPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks = tabHooks(init, onCommand, save);
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

}  // namespace encode

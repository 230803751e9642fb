// The controls of one stream group: filling them from a block, reading them
// back, and what a change of one control does to the others.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/record/encode/encode.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace encode {
namespace {

constexpr Group kGroupTable[kGroups] = {{1, ENCODE_MAIN, 0, 18494}, {3, ENCODE_EVENT, 9, 18495}, {2, ENCODE_SUB, 54, 18511}};
constexpr int kListSize = 48;
constexpr int kFirstCustomPreset = 22;  // 1792 Kbps, the standard rate after a first switch back

const ValueKeyRow kStreamTypes[] = {{"videostream", 1}, {"comstream", 3}};
const ValueKeyRow kRateTypes[] = {{"unstablerate", 0}, {"constrate", 1}};
const ValueKeyRow kQualities[] = {{"excellent", 0}, {"verygood", 1}, {"good", 2},
                                  {"common", 3},    {"bad", 4},      {"verybad", 5}};

void clearCombo(WindowHandle page, int id) { SendDlgItemMessage(page, id, CB_DELETEALL, 0, 0); }

void addItem(WindowHandle page, int id, const char* text, int value) {
  if (text) SendDlgItemMessage(page, id, CB_ADDSTRING, static_cast<WParam>(value), reinterpret_cast<LParam>(text));
}

void addRow(WindowHandle page, int id, const ValueKeyRow& row) { addItem(page, id, lookupText(kSection, row.key), row.value); }

void show(WindowHandle page, int id, bool on) { ShowWindow(GetDlgItem(page, id), on ? SW_SHOW : SW_HIDE); }

void setTextNumber(WindowHandle page, int id, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%u", value);
  SetDlgItemText(page, id, text);
}

bool listFailed(WindowHandle page) {
  showMsgBox(page, "commons", "getrecordhint", MSGBOX_ERROR);
  return false;
}

void fillResolutions(WindowHandle page, const Group& g, int channel, bool wd1) {
  clearCombo(page, g.resolution());
  if (wd1 && g.type != 2 && isWd1Supported(channel, 1) && channel >= 1 && channel < kFirstIpChannel)
    addItem(page, g.resolution(), isVideoStandard(2) ? "960*576(WD1)" : "960*480(WD1)", kWd1Resolution);
  OptionItem list[kListSize];
  if (getEncodeResolutionList(list, channel, g.type) != 0) {
    listFailed(page);
    return;
  }
  const bool mainWd1 = isWd1SupportedMain(channel) != 0;
  for (const OptionItem& item : list)
    if (item.id != -1 && (item.id != kWd1Resolution || mainWd1)) addOption(page, g.resolution(), item);
}

void fillFrameRates(WindowHandle page, const Group& g, int channel, int resolution) {
  clearCombo(page, g.frameRate());
  OptionItem list[kListSize];
  if (getFrameRateList(list, g.type, channel, resolution) != 0) {
    listFailed(page);
    return;
  }
  for (const OptionItem& item : list) {
    if (item.id == -1) continue;
    addItem(page, g.frameRate(), item.id == 0 ? lookupText(kSection, "frame_full") : item.name, item.id);
  }
}

void fillModes(WindowHandle page, const Group& g, int channel, int resolution) {
  clearCombo(page, g.mode());
  OptionItem list[kListSize];
  if (getBitrateList(list, g.type, channel, resolution) == 1) addRow(page, g.mode(), {"maxratemode_general", 0});
  int low = 0, high = 0;
  const char* custom = lookupText(kSection, "maxratemode_custom");
  if (custom && getBitrateLimits(&low, &high, channel, g.type, resolution) == 1) {
    char text[128];
    std::snprintf(text, sizeof text, "%s(%d-%d)", custom, low, high);
    addItem(page, g.mode(), text, 1);
  }
}

void fillRates(WindowHandle page, const Group& g, int channel, int resolution) {
  clearCombo(page, g.rate());
  OptionItem list[kListSize];
  if (getBitrateList(list, g.type, channel, resolution) != 1) return;
  for (const OptionItem& item : list)
    if (item.id != -1) addItem(page, g.rate(), item.name, item.id);
}

void showCustom(WindowHandle page, const Group& g, bool custom) {
  const bool wasCustom = IsWindowVisible(GetDlgItem(page, g.edit));
  show(page, g.rate(), !custom);
  show(page, g.edit, custom);
  // What the hidden control leaves is repainted with the page.
  if (wasCustom != custom) InvalidateRect(page, nullptr, TRUE);
}

uint32_t standardKbps(int code) {
  return findTableValueByKey(&g_bitrateTable, static_cast<uint32_t>(code)) / 1024;
}

int groupChannelIndex(int channel) { return channel < 0 ? 0 : channel; }

}  // namespace

const Group& group(int index) { return kGroupTable[index]; }

void PageState::clear() {
  for (int i = 0; i < kGroups; ++i) {
    custom[i] = 0;
    memory[i].assign(static_cast<size_t>(getChannelNum() > 0 ? getChannelNum() : 0) + 1, CustomMemory{});
  }
}

PageState& pageState() {
  static PageState state;
  return state;
}

CustomMemory& memoryOf(int groupIndex, int channel) {
  std::vector<CustomMemory>& row = pageState().memory[groupIndex];
  const size_t at = static_cast<size_t>(groupChannelIndex(channel));
  if (at >= row.size()) row.resize(at + 1, CustomMemory{});
  return row[at];
}

// A value the list does not offer (a record still zero) shows the first
// row: a box that shows no row could never be read back.
void selectValue(WindowHandle page, int id, int value) {
  selectComboValue(page, id, value);
  if (SendDlgItemMessage(page, id, CB_GETCURSEL, 0, 0) < 0 && SendDlgItemMessage(page, id, CB_GETCOUNT, 0, 0) > 0)
    SendDlgItemMessage(page, id, CB_SETCURSEL, 0, 0);
}

void addOption(WindowHandle page, int id, const OptionItem& item) {
  // The device may name no option: its code stands in, so that the row can
  // still be told apart and chosen.
  char text[sizeof item.name + 1];
  if (item.name[0])
    std::snprintf(text, sizeof text, "%.*s", static_cast<int>(sizeof item.name), item.name);
  else
    std::snprintf(text, sizeof text, "%d", item.id);
  addItem(page, id, text, item.id);
}


bool parseDecimal(const char* text, uint32_t max, uint32_t* out) {
  if (!text || !*text) return false;
  uint64_t value = 0;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + static_cast<uint64_t>(*p - '0');
    if (value > max) return false;
  }
  *out = static_cast<uint32_t>(value);
  return true;
}

uint32_t streamsOf(int channel) {
  return (isStreamTypeSupported(channel, 1) ? 1u : 0u) | (isStreamTypeSupported(channel, 3) ? 2u : 0u);
}

void updateRange(WindowHandle page, int groupIndex, int channel) {
  const Group& g = group(groupIndex);
  const BitrateRangeRequest request{channel, g.type, comboValue(page, g.resolution()), comboValue(page, g.quality()),
                                    comboValue(page, g.frameRate())};
  int low = 0, high = 0;
  char text[64] = "";
  // A channel without a range shows none rather than a made-up one.
  if (getBitrateRange(&low, &high, &request) == 0) std::snprintf(text, sizeof text, "%d~%d(Kbps)", low, high);
  SetDlgItemText(page, g.range(), text);
}

void fillGroup(WindowHandle page, int groupIndex, int channel, const EncodeParamBlock& block, bool wd1) {
  const Group& g = group(groupIndex);
  clearCombo(page, g.streamType());
  for (const ValueKeyRow& row : kStreamTypes)
    if (isEncodeTypeSupported(channel, g.type, row.value + 4096) == 1) addRow(page, g.streamType(), row);
  selectValue(page, g.streamType(), block.streamType);
  EnableWindow(GetDlgItem(page, g.streamType()), !(g.type == 3 && channel >= kFirstIpChannel));
  fillResolutions(page, g, channel, wd1);
  selectValue(page, g.resolution(), block.resolution);
  const int resolution = comboValue(page, g.resolution());
  clearCombo(page, g.rateType());
  for (const ValueKeyRow& row : kRateTypes)
    if (isStreamOptionSupported(channel, g.type, row.value)) addRow(page, g.rateType(), row);
  selectValue(page, g.rateType(), block.bitrateType);
  clearCombo(page, g.quality());
  for (const ValueKeyRow& row : kQualities) addRow(page, g.quality(), row);
  selectValue(page, g.quality(), block.quality);
  EnableWindow(GetDlgItem(page, g.quality()), block.bitrateType != 1);
  fillFrameRates(page, g, channel, resolution);
  selectValue(page, g.frameRate(), static_cast<int>(block.frameRate));
  char text[32];
  const bool custom = formatBitrateText(block.bitrate, text, sizeof text) == 1;
  pageState().custom[groupIndex] = custom ? 1 : 0;
  fillModes(page, g, channel, resolution);
  selectValue(page, g.mode(), custom ? 1 : 0);
  fillRates(page, g, channel, resolution);
  showCustom(page, g, custom);
  if (custom)
    setTextNumber(page, g.edit, static_cast<uint32_t>(ENCODE_CUSTOM_KBPS(block.bitrate)));
  else
    selectValue(page, g.rate(), block.bitrate);
  updateRange(page, groupIndex, channel);
}

void emptyGroup(WindowHandle page, int groupIndex) {
  const Group& g = group(groupIndex);
  showCustom(page, g, false);
  for (int id = g.streamType(); id <= g.rate(); ++id) clearCombo(page, id);
  SetDlgItemText(page, g.range(), "");
}

void enableGroup(WindowHandle page, int groupIndex, bool on) {
  const Group& g = group(groupIndex);
  for (int id = g.streamType() - 1; id <= g.range(); ++id) EnableWindow(GetDlgItem(page, id), on);
  EnableWindow(GetDlgItem(page, g.edit), on);
}

bool readGroup(WindowHandle page, int groupIndex, EncodeParamBlock* block) {
  const Group& g = group(groupIndex);
  block->streamType = static_cast<uint8_t>(comboValue(page, g.streamType()));
  block->resolution = static_cast<uint8_t>(comboValue(page, g.resolution()));
  block->bitrateType = static_cast<uint8_t>(comboValue(page, g.rateType()));
  block->quality = static_cast<uint8_t>(comboValue(page, g.quality()));
  block->frameRate = static_cast<uint32_t>(comboValue(page, g.frameRate()));
  if (!pageState().custom[groupIndex]) {
    block->bitrate = comboValue(page, g.rate());
    return true;
  }
  char text[17] = {};
  GetDlgItemText(page, g.edit, text, sizeof text);
  uint32_t kbps = 0;
  // Outside 1..131071 the rate cannot be encoded: the caller shows the
  // group's bit-rate-over box.
  if (!parseDecimal(text, kMaxCustomKbps, &kbps) || kbps == 0) return false;
  block->bitrate = ENCODE_CUSTOM_BITRATE(kbps);
  return true;
}

void onResolutionChange(WindowHandle page, int groupIndex, int channel, bool) {
  const Group& g = group(groupIndex);
  const int resolution = comboValue(page, g.resolution());
  const int frame = comboValue(page, g.frameRate());
  const int mode = comboValue(page, g.mode());
  const int rate = comboValue(page, g.rate());
  fillFrameRates(page, g, channel, resolution);
  selectValue(page, g.frameRate(), frame);
  fillModes(page, g, channel, resolution);
  selectValue(page, g.mode(), mode);
  pageState().custom[groupIndex] = comboValue(page, g.mode()) == 1 ? 1 : 0;
  fillRates(page, g, channel, resolution);
  selectValue(page, g.rate(), rate);
  const bool custom = pageState().custom[groupIndex] != 0;
  showCustom(page, g, custom);
  if (custom) {
    char text[16] = {};
    GetDlgItemText(page, g.edit, text, sizeof text);
    if (!*text) setTextNumber(page, g.edit, memoryOf(groupIndex, channel).customKbps);
  }
  updateRange(page, groupIndex, channel);
}

void onRateTypeChange(WindowHandle page, int groupIndex) {
  const Group& g = group(groupIndex);
  EnableWindow(GetDlgItem(page, g.quality()), comboValue(page, g.rateType()) != 1);
}

void onModeChange(WindowHandle page, int groupIndex, int channel) {
  const Group& g = group(groupIndex);
  const bool custom = comboValue(page, g.mode()) != 0;
  pageState().custom[groupIndex] = custom ? 1 : 0;
  showCustom(page, g, custom);
  CustomMemory& memory = memoryOf(groupIndex, channel);
  if (custom) {
    memory.presetCode = static_cast<uint32_t>(comboValue(page, g.rate()));
    if (!memory.valid) {
      memory.valid = 1;
      memory.customKbps = standardKbps(static_cast<int>(memory.presetCode));
    }
    setTextNumber(page, g.edit, memory.customKbps);
    return;
  }
  char text[17] = {};
  GetDlgItemText(page, g.edit, text, sizeof text);
  uint32_t kbps = 0;
  if (parseDecimal(text, kMaxCustomKbps, &kbps)) memory.customKbps = kbps;
  if (!memory.valid) {
    memory.valid = 1;
    memory.presetCode = kFirstCustomPreset;
  }
  selectValue(page, g.rate(), static_cast<int>(memory.presetCode));
}

}  // namespace encode

// Live view: the per-output live-view configuration, event output, split and
// sequence state, picture strategy, live audio and the output operations.
#include <cstring>
#include <utility>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// One source entry: four header bytes and the channel order of each mode.
struct PreviewSource {
  uint8_t dwell;
  uint8_t reserved;
  uint8_t windows;
  uint8_t zero;
  uint8_t order[PREVIEW_ORDER_MODES][PREVIEW_ORDER_SLOTS];
};

void fillOrder(PreviewSource& src) {
  for (auto& table : src.order)
    for (int w = 0; w < PREVIEW_ORDER_SLOTS; ++w)
      table[w] = w < 16 ? static_cast<uint8_t>(w) : PREVIEW_EMPTY_WINDOW;
}

PreviewSource previewSource(int index) {
  PreviewSource src{};
  int outputs = getVideoOutNum();
  bool tables = index == 1 || index >= 4 || (index == 2 && (outputs == 2 || outputs == 3)) ||
                (index == 3 && outputs == 3);
  bool header = index == 1 || index >= 4 || ((index == 2 || index == 3) && outputs == 3);
  if (tables) fillOrder(src);
  if (header) {
    src.dwell = 255;
    src.reserved = 255;
    src.windows = 16;
  }
  return src;
}

void defaultPreview(int index, PreviewConfig* out) {
  PreviewSource src = previewSource(index);
  zeroFill(out, sizeof *out);
  out->layoutMode = static_cast<uint8_t>(findTableKeyByValue(&g_layoutModeTable, src.windows));
  out->dwellCode = static_cast<uint16_t>(findTableKeyByValue(&g_dwellTimeTable, src.dwell));
  std::memcpy(out->order, src.order, sizeof out->order);
}

// Layout and dwell codes within their tables, and order tables that name
// channels the device has, each at most once: the live view indexes with
// them.
bool validOrder(const uint8_t (&table)[PREVIEW_ORDER_SLOTS]) {
  uint64_t seen = 0;
  for (uint8_t channel : table) {
    if (channel == PREVIEW_EMPTY_WINDOW) continue;
    if (channel >= 64 || !devsim::hasChannel(channel + 1) || (seen >> channel & 1u)) return false;
    seen |= uint64_t{1} << channel;
  }
  return true;
}

bool validPreview(const PreviewConfig& config) {
  if (config.layoutMode > 6 || config.dwellCode > 7) return false;
  for (const auto& table : config.order)
    if (!validOrder(table)) return false;
  return true;
}

struct SplitState {
  int count = 1;
  int first = 1;
  int prevCount = 1;
  int prevFirst = 1;
  int sequence = 0;
};

bool validSplit(int count) {
  return count == 1 || count == 4 || count == 6 || count == 8 || count == 9 || count == 16;
}

// Shows a split on an output and remembers the one it replaces.
int changeSplit(int output, int count, int first) {
  if (!devsim::validOutputIndex(output)) return -1;
  devsim::modifyValue(Kind::LiveSplit, output, SplitState{}, [&](SplitState& s) {
    s.prevCount = s.count;
    s.prevFirst = s.first;
    s.count = count;
    s.first = first;
  });
  return 0;
}

int setSequence(int output, int running) {
  if (!devsim::validOutputIndex(output)) return -1;
  devsim::modifyValue(Kind::LiveSplit, output, SplitState{},
                      [&](SplitState& s) { s.sequence = running; });
  return 0;
}

}  // namespace

extern "C" {

int getPreviewConfig(OutputLogin*, int outputIndex, PreviewConfig* out) {
  DEVICE_ENTER(getPreviewConfig, out, sizeof *out, outputIndex);
  if (!out || !devsim::validOutputIndex(outputIndex)) return -1;
  if (!devsim::fetch(Kind::PreviewConfig, outputIndex, out, sizeof *out))
    defaultPreview(outputIndex, out);
  return 0;
}

int setPreviewConfig(OutputLogin*, int outputIndex, const PreviewConfig* in) {
  DEVICE_ENTER(setPreviewConfig, nullptr, 0, outputIndex);
  if (!in || !devsim::validOutputIndex(outputIndex) || !validPreview(*in)) return -1;
  devsim::keepValue(Kind::PreviewConfig, outputIndex, *in);
  return 0;
}

int getPreviewConfigExtra(OutputLogin*, uint32_t* out) {
  DEVICE_ENTER(getPreviewConfigExtra, out, out ? sizeof *out : 0);
  if (!out) return -1;
  *out = 0;
  return 0;
}

int getEventOutputConfig(OutputLogin*, EventOutputConfig* out) {
  DEVICE_ENTER(getEventOutputConfig, out, sizeof *out);
  if (devsim::zeroRecord(out) != 0) return -1;
  devsim::fetch(Kind::EventOutput, 0, out, sizeof *out);
  return 0;
}

int setEventOutputConfig(OutputLogin*, const EventOutputConfig* in) {
  DEVICE_ENTER(setEventOutputConfig, nullptr, 0, in ? in->output : -1, in ? in->delay : -1);
  // An output the live view cannot index, or a switch time off the list.
  if (!in || !devsim::validOutputIndex(in->output) || in->delay > 10) return -1;
  devsim::keepValue(Kind::EventOutput, 0, *in);
  return 0;
}

void getOutputResolution(int code, int* width, int* height) {
  DEVICE_ENTER_VOID(getOutputResolution, nullptr, 0, code);
  int w = 1024, h = 768;
  int low = code & 0xFF;
  if (low == 1 || low == 2 || low == 101 || low == 102) {
    w = 800, h = 600;
  } else if (low == 5 || low == 12 || low == 105) {
    w = 1280, h = 1024;
  } else if (low == 13 || (low >= 109 && low <= 115)) {
    w = 1920, h = 1080;
  } else if (low == 107 || low == 108) {
    w = 1280, h = 720;
  } else if (low == 116 || low == 117) {
    w = 1600, h = 1200;
  }
  if (width) *width = w;
  if (height) *height = h;
}

int getLayoutKind(int count) {
  DEVICE_ENTER(getLayoutKind, nullptr, 0, count);
  static const int kKinds[17] = {1, 1, 1, 1, 2, 1, 3, 1, 4, 5, 1, 1, 1, 1, 1, 1, 6};
  return count >= 0 && count <= 16 ? kKinds[count] : -1;
}

int setOutputLogoRect(int output, const OutputLogoRect*, int index, int kind) {
  DEVICE_ENTER(setOutputLogoRect, nullptr, 0, output, index, kind);
  return 0;
}

DEVICE_CONSTANT(getPicFrameNum, 13)
DEVICE_CONSTANT(getAuxVideoOutNum, 0)
DEVICE_CONSTANT(getCombinedVideoOut, -1)
DEVICE_CONSTANT(needsLanguageChoice, 0)

int getLiveSplit(int output, int* countOut, int* firstWindowOut) {
  DEVICE_ENTER(getLiveSplit, nullptr, 0, output);
  if (!devsim::validOutputIndex(output)) return -1;
  SplitState s = devsim::fetchValue(Kind::LiveSplit, output, SplitState{});
  if (countOut) *countOut = s.count;
  if (firstWindowOut) *firstWindowOut = s.first;
  return 0;
}

int showLiveChannel(int output, int channel) {
  DEVICE_ENTER(showLiveChannel, nullptr, 0, output, channel);
  if (channel < 1 || channel >= getChannelNum()) return -1;
  return changeSplit(output, 1, channel);
}

int showLiveSplit(int output, int count, int firstWindow) {
  DEVICE_ENTER(showLiveSplit, nullptr, 0, output, count, firstWindow);
  if (!validSplit(count) || firstWindow < 1) return -1;
  return changeSplit(output, count, firstWindow);
}

int showPreviousSplit(int output) {
  DEVICE_ENTER(showPreviousSplit, nullptr, 0, output);
  if (!devsim::validOutputIndex(output)) return -1;
  devsim::modifyValue(Kind::LiveSplit, output, SplitState{}, [](SplitState& s) {
    std::swap(s.count, s.prevCount);
    std::swap(s.first, s.prevFirst);
  });
  return 0;
}

int startLiveSequence(int output) {
  DEVICE_ENTER(startLiveSequence, nullptr, 0, output);
  return setSequence(output, 1);
}

int stopLiveSequence(int output) {
  DEVICE_ENTER(stopLiveSequence, nullptr, 0, output);
  return setSequence(output, 0);
}

int getLiveSequenceState(int output) {
  DEVICE_ENTER(getLiveSequenceState, nullptr, 0, output);
  if (!devsim::validOutputIndex(output)) return 0;
  return devsim::fetchValue(Kind::LiveSplit, output, SplitState{}).sequence;
}

DEVICE_CONSTANT(hasPreviewStrategy, 1)

int getPreviewStrategy(OutputLogin*, int channel, int* out) {
  DEVICE_ENTER(getPreviewStrategy, out, out ? sizeof *out : 0, channel);
  if (!out) return -1;
  *out = devsim::fetchValue(Kind::PreviewStrategy, channel, 3);
  return 0;
}

int setPreviewStrategy(OutputLogin*, int channel, int strategy) {
  DEVICE_ENTER(setPreviewStrategy, nullptr, 0, channel, strategy);
  if (strategy != 1 && strategy != 3 && strategy != 5) return -1;
  devsim::keepValue(Kind::PreviewStrategy, channel, strategy);
  return 0;
}

int hasLiveAudio(int channel) {
  DEVICE_ENTER(hasLiveAudio, nullptr, 0, channel);
  return channel >= 1 && channel <= getAnalogChanNum();
}

int openLiveAudio(int channel, int arg1, int, int, int) {
  DEVICE_ENTER(openLiveAudio, nullptr, 0, channel, arg1);
  return hasLiveAudio(channel) ? 0 : -1;
}

DEVICE_CONSTANT_OF(closeLiveAudio, 0)

// The area goes into the call log: no picture here shows what was zoomed.
int startLiveZoom(int output, int channel, const Rect* area) {
  const Rect a = area ? *area : Rect{};
  DEVICE_ENTER(startLiveZoom, nullptr, 0, output, channel, a.left, a.top, a.right, a.bottom);
  return area ? 0 : -1;
}

int stopLiveZoom(int output, int channel) {
  DEVICE_ENTER(stopLiveZoom, nullptr, 0, output, channel);
  return 0;
}

int ptzPositionRect(int channel, const Rect* area) {
  const Rect a = area ? *area : Rect{};
  DEVICE_ENTER(ptzPositionRect, nullptr, 0, channel, a.left, a.top, a.right, a.bottom);
  return area ? 0 : -1;
}

DEVICE_CONSTANT_OF(ptzStop, 0)

int startSmallVideo(int channel, int x, int y) {
  DEVICE_ENTER(startSmallVideo, nullptr, 0, channel, x, y);
  return 0;
}

DEVICE_CONSTANT_OF(stopSmallVideo, 0)

int previewPictureMode(int output, int mode) {
  DEVICE_ENTER(previewPictureMode, nullptr, 0, output, mode);
  return 0;
}

DEVICE_CONSTANT_OF(endPictureModePreview, 0)

int applyPictureMode(OutputLogin*) {
  DEVICE_ENTER(applyPictureMode, nullptr, 0);
  return 0;
}

DEVICE_CONSTANT_OF(refreshLivePicture, 0)

DEVICE_CONSTANT_OF(notifyMenuHidden, 0)

}  // extern "C"

// Channels, pictures and encoding: channel records, colour, IP cameras,
// area capabilities and the encoding lists of each channel.
#include <cstdio>
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

const int kIpChannelBound = IP_CHANNEL_BOUND;

enum class Chan { Bad, Analog, Ip, Group };

// Encoding channels: 1..16 analog, then the IP channels up to their bound;
// a negative value is a channel group whose low 31 bits are 1..4.
Chan classify(int channel) {
  if (channel >= 1 && channel <= 16) return Chan::Analog;
  if (channel > 16 && channel <= 16 + kIpChannelBound) return Chan::Ip;
  uint32_t group = static_cast<uint32_t>(channel) & 0x7fffffffu;
  if (channel < 0 && group >= 1 && group <= 4) return Chan::Group;
  return Chan::Bad;
}

bool validStreamType(int streamType) { return streamType >= 1 && streamType <= 3; }

// The lists of analog channels and groups; IP channels and bad arguments
// get none.
bool offersLists(int channel, int streamType, const void* list) {
  Chan kind = classify(channel);
  return list && validStreamType(streamType) && (kind == Chan::Analog || kind == Chan::Group);
}

bool isAnalog(int channel, int streamType) {
  return classify(channel) == Chan::Analog && validStreamType(streamType);
}

// The kept record of a channel the device has, or its default; false (the
// record zeroed) for a channel it lacks.
bool channelRecord(int channel, ChannelConfig* out) {
  zeroFill(out, sizeof *out);
  if (!devsim::hasChannel(channel)) return false;
  if (!devsim::fetch(Kind::ChannelConfig, channel, out, sizeof *out)) {
    std::snprintf(out->name, sizeof out->name, "Channel%d", channel);
    out->tamperSensitivity = TAMPER_SENSITIVITY_MIN;
  }
  return true;
}

}  // namespace

namespace devsim {

// The IP channel mask comes through the operation, so a test that sets IP
// channels through the seam is answered the same here.
bool hasChannel(int channel) {
  const int analog = getAnalogChanNum();
  if (channel >= 1 && channel <= analog) return true;
  const int64_t ip = int64_t{channel} - analog - 1;
  if (ip < 0 || ip >= 64) return false;
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  return (mask >> ip & 1u) != 0;
}

}  // namespace devsim

extern "C" {

// The bound of every channel loop: the analog channels, the IP channels and one.
DEVICE_CONSTANT(getChannelNum, 18)
DEVICE_CONSTANT(getAnalogChannelNum, 16)

// One IP channel count for every caller: the channels added to the device.
int getIpChannelNum(uint64_t* maskOut) {
  DEVICE_ENTER(getIpChannelNum, maskOut, maskOut ? sizeof *maskOut : 0);
  const uint64_t mask = devsim::fetchValue<uint64_t>(Kind::IpChannel, devsim::kIpChannelMaskIndex, 0);
  if (maskOut) *maskOut = mask;
  return __builtin_popcountll(mask);
}

int getMaxChanSlotNum(void) {
  DEVICE_ENTER(getMaxChanSlotNum, nullptr, 0);
  return getChanSlotKind() == 32 ? 64 : 32;
}

int getChannelConfig(OutputLogin*, int channel, ChannelConfig* out) {
  DEVICE_ENTER(getChannelConfig, out, sizeof *out, channel);
  // A channel the device lacks has no record, as its setter says.
  return out && channelRecord(channel, out) ? 0 : -1;
}

int setChannelConfig(OutputLogin*, int channel, const ChannelConfig* in, int) {
  DEVICE_ENTER(setChannelConfig, nullptr, 0, channel);
  // A record of a channel the device lacks would be kept for nothing.
  if (!in || !devsim::hasChannel(channel)) return -1;
  devsim::keepValue(Kind::ChannelConfig, channel, *in);
  return 0;
}

// The picture follows at once; the device keeps what it shows.
int setColorConfig(int channel, const ColorSetRecord* colour) {
  DEVICE_ENTER(setColorConfig, nullptr, 0, channel);
  if (!colour || !devsim::hasChannel(channel)) return -1;
  devsim::keepValue(Kind::AppliedColor, channel, *colour);
  return 0;
}

int getColorPreset(int mode, uint8_t out[8]) {
  DEVICE_ENTER(getColorPreset, out, out ? 8 : 0, mode);
  return -1;
}

int getColorRange(int channel, int mode, ColorRangeRecord* out) {
  DEVICE_ENTER(getColorRange, out, sizeof *out, channel, mode);
  if (!out || channel < 1 || channel > getChannelNum()) return -1;
  zeroFill(out, sizeof *out);
  for (ColorRangeEntry& row : out->rows) row.maximum = 255;
  return 0;
}

// A channel's name and detections are those of its record; the analog
// cameras are connected, an IP camera never is on this device.
int getChannelStatus(int channel, ChannelStatus* out) {
  DEVICE_ENTER(getChannelStatus, out, sizeof *out, channel);
  if (devsim::zeroRecord(out) != 0) return -1;
  ChannelConfig config;
  if (!channelRecord(channel, &config)) return -1;
  std::memcpy(out->name, config.name, sizeof out->name);
  out->enabled = channel <= getAnalogChanNum() ? 1 : 0;
  out->motionOn = config.motionEnable != 0;
  out->tamperOn = config.tamperEnable != 0;
  out->videoLossOn = config.videoLossEnable != 0;
  return 0;
}

int getIpChannelInfo(int channel, IpChannelInfo* out, int) {
  DEVICE_ENTER(getIpChannelInfo, out, sizeof *out, channel);
  if (devsim::zeroRecord(out) != 0) return -1;
  // Position 1..64 of an added camera; any other: no such camera.
  return channel >= 1 && channel <= 64 && devsim::fetch(Kind::IpChannel, channel, out, sizeof *out) ? 0 : 1;
}

int getIpcParam(IpcParam* out) {
  DEVICE_ENTER(getIpcParam, out, sizeof *out);
  return devsim::zeroRecord(out);
}

int getIpcAdvParam(OutputLogin*, int channel, uint32_t* out) {
  DEVICE_ENTER(getIpcAdvParam, out, out ? sizeof *out : 0, channel);
  if (!out) return -1;
  *out = 0;
  return 0;
}

int getCustomProtocolConfig(OutputLogin*, int index, CustomProtocolConfig* out) {
  DEVICE_ENTER(getCustomProtocolConfig, out, sizeof *out, index);
  return devsim::zeroRecord(out);
}

int getNetTestResult(NetTestResult* out) {
  DEVICE_ENTER(getNetTestResult, out, sizeof *out);
  return devsim::zeroRecord(out);
}

int getIpChannelAbility(uint32_t out[7], int ipChannel) {
  DEVICE_ENTER(getIpChannelAbility, out, out ? 28 : 0, ipChannel);
  if (ipChannel < 1 || ipChannel > kIpChannelBound) return -1;
  if (out) zeroFill(out, 7 * sizeof(uint32_t));
  return 0;
}

int getDeviceTypeName(int code, char* text, int size) {
  DEVICE_ENTER(getDeviceTypeName, nullptr, 0, code);
  if (!text) return -1;
  if (size > 0) zeroFill(text, static_cast<size_t>(size));
  auto in = [code](int lo, int hi) { return code >= lo && code <= hi; };
  const char* name = "DVR";
  if (in(4096, 8191) || in(36864, 65535))
    name = "IPC";
  else if (in(768, 896) || in(41, 52) || in(30016, 30067) || in(22272, 22431))
    name = "DVS";
  else if (in(8192, 12287))
    name = "IP Dome";
  if (size > 0) std::snprintf(text, static_cast<size_t>(size), "%s", name);
  return 0;
}

DEVICE_CONSTANT(getOsdMaxWidth, 704)

void alignVideoRect(uint16_t* x, uint16_t* y, uint16_t* w, uint16_t* h) {
  DEVICE_ENTER_VOID(alignVideoRect, nullptr, 0);
  if (x) *x = static_cast<uint16_t>(*x & ~7u);
  if (y) *y = static_cast<uint16_t>(*y & ~1u);
  if (w) *w = static_cast<uint16_t>(*w & ~7u);
  if (h) *h = static_cast<uint16_t>(*h & ~1u);
}

void alignSizeTo8(uint16_t* w, uint16_t* h) {
  DEVICE_ENTER_VOID(alignSizeTo8, nullptr, 0);
  if (w) *w = static_cast<uint16_t>(*w & ~7u);
  if (h) *h = static_cast<uint16_t>(*h & ~7u);
}

int getMotionAreaCaps(AreaCaps* out, int channel) {
  DEVICE_ENTER(getMotionAreaCaps, out, sizeof *out, channel);
  if (channel <= 16) return fillMotionAreaCaps(out, channel);
  // An IP camera's seven capability words fill the record.
  uint32_t words[7];
  int rc = getIpChannelAbility(out ? words : nullptr, channel - 16);
  if (rc == 0 && out) std::memcpy(out, words, sizeof words);
  return rc;
}

int getTamperAreaCaps(AreaCaps* out, int channel) {
  DEVICE_ENTER(getTamperAreaCaps, out, sizeof *out, channel);
  return fillTamperAreaCaps(out, channel);
}

int getPrivacyAreaCaps(AreaCaps* out, int channel) {
  DEVICE_ENTER(getPrivacyAreaCaps, out, sizeof *out, channel);
  return fillPrivacyAreaCaps(out, channel);
}

int getOsdCaps(OsdCaps* out, int channel) {
  DEVICE_ENTER(getOsdCaps, out, sizeof *out, channel);
  return fillOsdCaps(out, channel);
}

DEVICE_CONSTANT_OF(isChannelUsable, 1)

DEVICE_CONSTANT_OF(isChannelPreviewEnabled, 1)

int getDeviceValueName(int, int value, char out[32]) {
  DEVICE_ENTER(getDeviceValueName, out, out ? 32 : 0, value);
  if (!out) return -1;
  zeroFill(out, 32);
  return devsim::resolutionName(value, out) ? 0 : -1;
}

int isStreamTypeSupported(int channel, int streamType) {
  DEVICE_ENTER(isStreamTypeSupported, nullptr, 0, channel, streamType);
  return isAnalog(channel, streamType);
}

int isStreamOptionSupported(int channel, int streamType, int flag) {
  DEVICE_ENTER(isStreamOptionSupported, nullptr, 0, channel, streamType, flag);
  return isAnalog(channel, streamType) && (flag == 0 || flag == 1);
}

int isEncodeTypeSupported(int channel, int streamType, int code) {
  DEVICE_ENTER(isEncodeTypeSupported, nullptr, 0, channel, streamType, code);
  return isAnalog(channel, streamType) && isEncodeCodeSupported(channel, streamType, code);
}

int getEncodeResolutionList(OptionItem* list, int channel, int streamType) {
  DEVICE_ENTER(getEncodeResolutionList, list, list ? sizeof *list * OPTION_LIST_48 : 0, channel, streamType);
  if (!offersLists(channel, streamType, list)) return -1;
  // Event recording (type 3) runs on the main stream: its resolutions.
  return fillEncodeResolutionList(list, channel, streamType == 3 ? 1 : streamType);
}

int getFrameRateList(OptionItem* list, int streamType, int channel, int resolution) {
  DEVICE_ENTER(getFrameRateList, list, list ? sizeof *list * OPTION_LIST_48 : 0, streamType, channel, resolution);
  if (!offersLists(channel, streamType, list)) return -1;
  return fillFrameRateList(list, streamType, channel, resolution);
}

int getBitrateList(OptionItem* list, int streamType, int channel, int resolution) {
  DEVICE_ENTER(getBitrateList, list, list ? sizeof *list * OPTION_LIST_48 : 0, streamType, channel, resolution);
  if (!offersLists(channel, streamType, list)) return -1;
  return fillBitrateList(list, streamType, channel, resolution) == 0 ? 1 : -1;
}

int getCaptureOptionList(OptionItem* list, int channel, int) {
  DEVICE_ENTER(getCaptureOptionList, list, list ? sizeof *list * OPTION_LIST_16 : 0, channel);
  if (!offersLists(channel, 1, list)) return -1;
  return fillCaptureOptionList(list, channel);
}

int getBitrateLimits(int* minOut, int* maxOut, int channel, int streamType, int resolution) {
  DEVICE_ENTER(getBitrateLimits, nullptr, 0, channel, streamType, resolution);
  if (!isAnalog(channel, streamType)) return 0;
  return getBitrateMinMax(minOut, maxOut, channel, streamType, resolution);
}

// The range of the stream at the resolution: the rates a custom bit rate
// may take.
int getBitrateRange(int* minOut, int* maxOut, const BitrateRangeRequest* request) {
  DEVICE_ENTER(getBitrateRange, nullptr, 0, request ? request->channel : -1, request ? request->streamType : -1);
  if (minOut) *minOut = 0;
  if (maxOut) *maxOut = 0;
  if (!request || !isAnalog(request->channel, request->streamType)) return -1;
  getBitrateMinMax(minOut, maxOut, request->channel, request->streamType, request->resolution);
  return 0;
}

int getStreamSize(int* width, int* height, const StreamDescription* description, int) {
  DEVICE_ENTER(getStreamSize, nullptr, 0);
  if (!description) return -1;
  if (width) *width = 336;
  if (height) *height = 240;
  return 0;
}

int getChannelStreamSize(int* width, int* height, int stream, int flag, int handle) {
  DEVICE_ENTER(getChannelStreamSize, nullptr, 0, stream, flag);
  if (stream < 0 || stream > 4) return -1;
  StreamDescription description{};
  description.bytes[0] = static_cast<uint8_t>(stream);
  description.bytes[1] = static_cast<uint8_t>(flag);
  return getStreamSize(width, height, &description, handle);
}

int getPlayViewSize(int stream, int* width, int* height, int* flagOut, int handle) {
  DEVICE_ENTER(getPlayViewSize, nullptr, 0, stream);
  int w = 0, h = 0;
  if (getChannelStreamSize(&w, &h, stream, 1, handle) != 0) return -1;
  if (width) *width = w;
  if (height) *height = h;
  if (flagOut) *flagOut = 0;
  return 0;
}

}  // extern "C"

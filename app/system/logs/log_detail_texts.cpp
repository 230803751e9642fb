// The rows of the log detail, chosen by the record's types and kinds.
#include "app/system/logs/log_detail_texts.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/system/logs/log_tables.h"

namespace logs {
namespace {

constexpr const char* kDetail = "logdetail";
constexpr const char* kNotAvailable = "N/A";
constexpr int kDiskKindA = 19, kDiskKindB = 50;
constexpr size_t kUserLimit = 16;
constexpr int kHostSize = LOG_HOST_TEXT_SIZE;

bool among(int value, std::initializer_list<int> values) {
  for (int v : values)
    if (v == value) return true;
  return false;
}

std::string caption(const char* key) {
  const char* text = lookupText(kDetail, key);
  return text ? text : "";
}

std::string chanName(int channel) {
  char name[CHAN_NAME_SIZE] = "";
  return formatChanName(channel, name) == 0 ? name : kNotAvailable;
}

// Transparent-channel and voice-talk entries name their kind 1 or 2; any
// other value has no text.
std::string kindText(int channel, const char* first, const char* second) {
  if (channel == 1) return caption(first);
  if (channel == 2) return caption(second);
  return "";
}

std::string objectText(const ObjectRow& row, const LogRecord& r) {
  switch (row.kind) {
    case ObjectKind::kDisk: return std::to_string(r.diskNo);
    case ObjectKind::kAlarmIn: return alarmPortText(r.alarmIn, false);
    case ObjectKind::kAlarmOut: return alarmPortText(r.alarmOut, true);
    case ObjectKind::kTransChannel: return kindText(r.channel, "trans_type1", "trans_type2");
    case ObjectKind::kVoiceChannel: return kindText(r.channel, "voicechan_type0", "voicechan_type1");
    default: return chanName(r.channel);
  }
}

ObjectRow operationRow(int minor, int kind) {
  if (among(minor, {92, 130, 106, 107, 108, 142, 143, 144, 150, 156, 155, 151, 152, 154}))
    return {"harddiskno", ObjectKind::kDisk};
  if (among(minor, {116, 117})) return {"transchan", ObjectKind::kTransChannel};
  if (among(minor, {124, 125})) return {"voicechan", ObjectKind::kVoiceChannel};
  if (among(minor, {98, 137})) return {"alarmoutno", ObjectKind::kAlarmOut};
  if (among(kind, {100, 0x20000025, 0x20000026})) return {"alarminno", ObjectKind::kAlarmIn};
  if (among(kind, {101, 0x20000027, 0x20000028})) return {"alarmoutno", ObjectKind::kAlarmOut};
  return {"camno", ObjectKind::kChannel};
}

// How many times its area the description may need, first rule first.
int heightFactor(const LogRecord& r, bool* doubleWidth) {
  if (r.paramType == 4) return 6;
  if (r.minor == 165) return 2;
  if (r.minor == 36) {
    *doubleWidth = true;
    return 2;
  }
  if (r.paramType == 2 || r.paramType == 8) return 2;
  if (among(r.infoKind, {101, 100, 106})) return 2;
  if (among(r.infoKind, {0x20000005, 0x2000000a})) return 6;
  if (r.infoKind == 135) return 3;
  return 1;
}

std::string hostText(uint32_t ref) {
  char text[kHostSize] = "";
  getLogHostText(ref, text, sizeof text);
  return text;
}

}  // namespace

bool isDiskInfoKind(int kind) { return kind == kDiskKindA || kind == kDiskKindB; }

const DiskInfoBlock& diskInfoBlock() {
  static const DiskInfoBlock block{};
  return block;
}

ObjectRow objectRow(int major, int minor, int infoKind) {
  switch (major) {
    case kMajorAlarm:
      if (minor == 1) return {"alarminno", ObjectKind::kAlarmIn};
      if (minor == 2) return {"alarmoutno", ObjectKind::kAlarmOut};
      break;
    case kMajorException:
      if (minor == 35 || minor == 36) return {"harddiskno", ObjectKind::kDisk};
      break;
    case kMajorOperation: return operationRow(minor, infoKind);
    case kMajorInform:
      if (among(minor, {161, 162, 168, 182})) return {"harddiskno", ObjectKind::kDisk};
      break;
    default: break;
  }
  return {"camno", ObjectKind::kChannel};
}

std::string alarmPortText(int32_t value, bool output) {
  char text[48];
  const char* arrow = output ? "->" : "<-";
  if (value <= 255)
    std::snprintf(text, sizeof text, "A%s%d", arrow, value);
  else
    std::snprintf(text, sizeof text, "D%d%s%d", value >> 8, arrow, value & 255);
  return text;
}

std::string boundedText(const char* field, size_t size) {
  const void* end = std::memchr(field, '\0', size);
  return std::string(field, end ? static_cast<size_t>(static_cast<const char*>(end) - field) : size);
}

DetailRows detailRows(const LogRecord& r, int output, bool pictureCapture) {
  DetailRows d{};
  char time[128] = "";
  formatDeviceTime(output, r.time, 0, time, sizeof time);
  d.time = time;
  d.type = majorText(r.major) + "--" + minorText(r, pictureCapture);
  const bool disk = isDiskInfoKind(r.infoKind), local = r.remoteHost == 0;
  const DiskInfoBlock& block = diskInfoBlock();
  d.userLabel = disk ? "serial" : local ? "localuser" : "remoteuser";
  if (disk) {
    d.user = boundedText(block.serial, sizeof block.serial);
  } else {
    d.user = boundedText(local ? r.localUser : r.remoteUser, kUserLimit);
    if (local && d.user.empty()) d.user = kNotAvailable;
  }
  d.hostLabel = disk ? "firmware" : "hostip";
  d.host = disk ? boundedText(block.firmware, sizeof block.firmware) : local ? kNotAvailable : hostText(r.remoteHost);
  d.paramLabel = disk ? "model" : "paratype";
  d.param = disk ? boundedText(block.model, sizeof block.model) : paramText(r);
  const ObjectRow row = objectRow(r.major, r.minor, r.infoKind);
  d.objectLabel = row.labelKey;
  d.object = objectText(row, r);
  return d;
}

// A length beyond the record is cut to the description field.
std::string descriptionText(const LogRecord& r) {
  if (r.descriptionLength == 0) return kNotAvailable;
  const size_t length = r.descriptionLength < sizeof r.description ? r.descriptionLength : sizeof r.description;
  return boundedText(r.description, length);
}

TextSize descriptionSize(const LogRecord& r, int layoutW, int layoutH, bool lowResolution) {
  int64_t w = static_cast<int64_t>(layoutW) - 20;
  int64_t h = lowResolution ? static_cast<int64_t>(layoutH) * 2 : layoutH;
  if (r.descriptionLength != 0) {
    bool doubleWidth = false;
    h *= heightFactor(r, &doubleWidth);
    if (doubleWidth) w = static_cast<int64_t>(layoutW) * 2;
  }
  auto clamp = [](int64_t v) { return static_cast<int>(v < 0 ? 0 : v > 0x7fffffff ? 0x7fffffff : v); };
  return {clamp(w), clamp(h)};
}

}  // namespace logs

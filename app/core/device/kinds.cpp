// The kinds of kept records: the name each is saved under and the size of
// its record, which a loaded record must have. A size of 0 marks a state of
// the running device (live splits, manual recording, checks), never saved.
#include <cstddef>
#include <cstdint>

#include "app/core/device/kept.h"

namespace devsim {
namespace {

struct KindInfo {
  Kind kind;
  const char* name;
  size_t size;
};

constexpr size_t kRunState = 0;
constexpr size_t kHolidaySegmentsSize = sizeof(TimeSegment) * HOLIDAY_SEGMENTS;
constexpr size_t kStartGuideSize = 2 * sizeof(uint32_t);
constexpr size_t kFrameSplitSize = 3 * sizeof(uint32_t);

// In the order of the enum; the check below keeps the two in step.
constexpr KindInfo kKinds[] = {
    {Kind::DeviceConfig, "DeviceConfig", sizeof(DeviceConfig)},
    {Kind::UserConfig, "UserConfig", sizeof(UserConfig)},
    {Kind::ChannelConfig, "ChannelConfig", sizeof(ChannelConfig)},
    {Kind::PreviewConfig, "PreviewConfig", sizeof(PreviewConfig)},
    {Kind::EventOutput, "EventOutput", sizeof(EventOutputConfig)},
    {Kind::PreviewStrategy, "PreviewStrategy", sizeof(int)},
    {Kind::StartGuide, "StartGuide", kStartGuideSize},
    {Kind::LiveSplit, "LiveSplit", kRunState},
    {Kind::RecordingMask, "RecordingMask", kRunState},
    {Kind::AppliedColor, "AppliedColor", kRunState},
    {Kind::PtzProtocols, "PtzProtocols", kRunState},
    {Kind::RecordConfig, "RecordConfig", sizeof(RecordConfig)},
    {Kind::RecordHoliday, "RecordHoliday", sizeof(HolidaySchedule)},
    {Kind::CaptureConfig, "CaptureConfig", sizeof(CaptureConfig)},
    {Kind::CaptureParams, "CaptureParams", sizeof(CaptureSettingPair)},
    {Kind::EncodeConfig, "EncodeConfig", sizeof(EncodeConfig)},
    {Kind::Wd1Enable, "Wd1Enable", sizeof(uint8_t)},
    {Kind::AdvRecord, "AdvRecord", sizeof(AdvRecordConfig)},
    {Kind::RecordEncrypt, "RecordEncrypt", sizeof(RecordEncryptConfig)},
    {Kind::Holidays, "Holidays", sizeof(HolidayTable)},
    {Kind::SnapshotMask, "SnapshotMask", kRunState},
    {Kind::DiskRow, "DiskRow", sizeof(DiskInfo)},
    {Kind::DiskGroup, "DiskGroup", sizeof(uint64_t)},
    {Kind::StorageMode, "StorageMode", sizeof(uint32_t)},
    {Kind::FrameSplit, "FrameSplit", kFrameSplitSize},
    {Kind::DiskQuota, "DiskQuota", sizeof(DiskQuotaInfo)},
    {Kind::DiskCheck, "DiskCheck", kRunState},
    {Kind::DiskSelfTest, "DiskSelfTest", kRunState},
    {Kind::SmartCheckOff, "SmartCheckOff", sizeof(uint32_t)},
    {Kind::DiskModeFlag, "DiskModeFlag", sizeof(uint8_t)},
    {Kind::NetDisks, "NetDisks", sizeof(NetDiskConfig)},
    {Kind::NetConfig, "NetConfig", sizeof(NetConfig)},
    {Kind::NetAdvConfig, "NetAdvConfig", sizeof(NetAdvConfig)},
    {Kind::EmailConfig, "EmailConfig", sizeof(EmailConfig)},
    {Kind::FtpConfig, "FtpConfig", sizeof(FtpConfig)},
    {Kind::SnmpConfig, "SnmpConfig", sizeof(SnmpConfig)},
    {Kind::HolidaySegments, "HolidaySegments", kHolidaySegmentsSize},
    {Kind::RecordChanMask, "RecordChanMask", sizeof(uint64_t)},
    {Kind::AlarmIn, "AlarmIn", sizeof(AlarmInConfig)},
    {Kind::AlarmOut, "AlarmOut", sizeof(AlarmOutConfig)},
    {Kind::AlarmHoliday, "AlarmHoliday", kHolidaySegmentsSize},
    {Kind::AlarmRecordLink, "AlarmRecordLink", sizeof(AlarmRecordLink)},
    {Kind::ExceptionTable, "ExceptionTable", sizeof(ExceptionLinkageTable)},
    {Kind::AlarmOutputs, "AlarmOutputs", kRunState},
    {Kind::Rs232Config, "Rs232Config", sizeof(Rs232Config)},
    {Kind::ClockOffset, "ClockOffset", sizeof(Clock)},
    {Kind::LogHostText, "LogHostText", kRunState},
    {Kind::IpChannel, "IpChannel", sizeof(IpChannelInfo)},
    // The texts of the IPv6 addresses that the network record refers to:
    // saved with it, so that its references still name them after a start.
    {Kind::NetV6Text, "NetV6Text", sizeof(V6Text)},
    {Kind::NetConfigPending, "NetConfigPending", kRunState},
    {Kind::PoeAddress, "PoeAddress", sizeof(NetAddress)},
};

constexpr bool inEnumOrder() {
  for (size_t i = 0; i < sizeof kKinds / sizeof kKinds[0]; ++i)
    if (static_cast<size_t>(kKinds[i].kind) != i) return false;
  return true;
}
static_assert(inEnumOrder(), "kKinds lists every kind in the order of the enum");
static_assert(sizeof kKinds / sizeof kKinds[0] == static_cast<size_t>(Kind::PoeAddress) + 1,
              "kKinds lists every kind");

const KindInfo* info(Kind kind) {
  const size_t at = static_cast<size_t>(kind);
  return at < sizeof kKinds / sizeof kKinds[0] ? &kKinds[at] : nullptr;
}

}  // namespace

const char* kindName(Kind kind) {
  const KindInfo* k = info(kind);
  return k ? k->name : nullptr;
}

bool isSavedKind(Kind kind) {
  const KindInfo* k = info(kind);
  return k && k->size != kRunState;
}

size_t savedSize(Kind kind, int index) {
  // Index 0 of the IP channels holds the mask of the channels present.
  if (kind == Kind::IpChannel && index == kIpChannelMaskIndex) return sizeof(uint64_t);
  const KindInfo* k = info(kind);
  return k ? k->size : kRunState;
}

}  // namespace devsim

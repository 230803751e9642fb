// Recording settings: record and capture schedules, snapshot settings,
// holidays, encoding with its checks, WD1, advanced recording and its
// encryption, manual snapshots.
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// Records with a channel: gets answer any channel (zeros where none is
// kept), sets keep only channels the device has.
template <typename T>
int getChannelRecord(Kind kind, int channel, T* out) {
  return devsim::answerKeptOrZero(kind, channel, out);
}

template <typename T>
int setChannelRecord(Kind kind, int channel, const T* in) {
  if (!in || !devsim::validRecordChannel(channel)) return -1;
  devsim::keepValue(kind, channel, *in);
  return 0;
}

// --- Holidays ---

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// A leap year: holidays by month have 29 days in February.
const int kAnyLeapYear = 2000;

// Days of a month counted from 0.
int daysOf(int month, int year = kAnyLeapYear) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 1 && isLeap(year) ? 29 : kDays[month];
}

bool validMonthDay(int month, int day, int year = kAnyLeapYear) {
  return month >= 0 && month <= 11 && day >= 1 && day <= daysOf(month, year);
}

bool validWeekDate(int month, int week, int weekday) {
  return month >= 0 && month <= 11 && week >= 1 && week <= 5 && weekday >= 0 && weekday <= 6;
}

// Dates the device's clock can reach.
bool validYear(int year) { return year >= 1970 && year <= 2037; }

int checkHolidayPeriod(const HolidayEntry& e) {
  switch (e.mode) {
    case HOLIDAY_BY_MONTH: {
      const HolidayByMonth& p = e.period.byMonth;
      bool ok = validMonthDay(p.startMonth, p.startDay) && validMonthDay(p.endMonth, p.endDay);
      return ok ? 0 : HOLIDAY_ERR_BAD_DATE;
    }
    case HOLIDAY_BY_WEEK: {
      const HolidayByWeek& p = e.period.byWeek;
      bool ok = validWeekDate(p.startMonth, p.startWeek, p.startWeekday) &&
                validWeekDate(p.endMonth, p.endWeek, p.endWeekday);
      return ok ? 0 : HOLIDAY_ERR_BAD_DATE;
    }
    case HOLIDAY_BY_DATE: {
      const HolidayByDate& p = e.period.byDate;
      if (!validYear(p.startYear) || !validYear(p.endYear) || !validMonthDay(p.startMonth, p.startDay, p.startYear) ||
          !validMonthDay(p.endMonth, p.endDay, p.endYear))
        return HOLIDAY_ERR_BAD_DATE;
      uint32_t start = uint32_t{p.startYear} << 16 | uint32_t{p.startMonth} << 8 | p.startDay;
      uint32_t end = uint32_t{p.endYear} << 16 | uint32_t{p.endMonth} << 8 | p.endDay;
      return start <= end ? 0 : HOLIDAY_ERR_DATE_ORDER;
    }
    default:
      return HOLIDAY_ERR_NO_MODE;
  }
}

int checkHolidayEntry(const HolidayEntry& e) {
  size_t length = strnlen(e.name, sizeof e.name);
  if (length == 0) return HOLIDAY_ERR_NO_NAME;
  if (hasInvalidNameChar(e.name, static_cast<int>(length))) return HOLIDAY_ERR_BAD_NAME;
  return checkHolidayPeriod(e);
}

// --- Encoding ---

struct StreamCodes {
  int streamType;  // the stream the block encodes: 1 main, 3 event, 2 sub
  int resolution, frameRate, bitrate;
};
const StreamCodes kMainCodes = {1, ENCODE_ERR_MAIN_RESOLUTION, ENCODE_ERR_MAIN_FRAME_RATE, ENCODE_ERR_MAIN_BITRATE};
const StreamCodes kEventCodes = {3, ENCODE_ERR_EVENT_RESOLUTION, ENCODE_ERR_EVENT_FRAME_RATE, ENCODE_ERR_EVENT_BITRATE};
const StreamCodes kSubCodes = {2, ENCODE_ERR_SUB_RESOLUTION, ENCODE_ERR_SUB_FRAME_RATE, ENCODE_ERR_SUB_BITRATE};

const int kWd1Resolution = 36;
const int kLowestKbps = 32;

bool wd1Enabled(int channel) { return devsim::fetchValue<uint8_t>(Kind::Wd1Enable, channel, 0) != 0; }

// The answer of the check for one block, 0 when the channel offers it all.
int checkBlock(int channel, const EncodeParamBlock& b, const StreamCodes& codes) {
  if ((b.streamType != 1 && b.streamType != 3) ||
      !isEncodeCodeSupported(channel, codes.streamType, 4096 + b.streamType))
    return ENCODE_ERR_STREAM;
  const int capsStream = codes.streamType == 2 ? 2 : 1;
  uint32_t frameRates = 0, highestKey = 0;
  int supported = 0;
  getResolutionStreamCaps(&frameRates, &highestKey, &supported, b.resolution, capsStream);
  bool wd1 = b.resolution == kWd1Resolution && codes.streamType != 2 && wd1Enabled(channel) &&
             isWd1Supported(channel, 1);
  if (!supported && !wd1) return codes.resolution;
  if (b.frameRate >= 32 || !(frameRates >> b.frameRate & 1u)) return codes.frameRate;
  if (b.bitrate >= 0) {
    bool standard = b.bitrate >= 2 && static_cast<uint32_t>(b.bitrate) <= highestKey;
    return standard ? 0 : codes.bitrate;
  }
  int highestKbps = static_cast<int>(findTableValueByKey(&g_bitrateTable, highestKey) / 1024);
  int kbps = ENCODE_CUSTOM_KBPS(b.bitrate);
  return kbps >= kLowestKbps && kbps <= highestKbps ? 0 : codes.bitrate;
}

// IP channels encode in the camera: the device checks nothing of theirs.
int checkEncodeBlocks(int channel, const EncodeParamBlock& main, const EncodeParamBlock& event,
                      const EncodeParamBlock& sub) {
  if (channel > 16) return 0;
  if (int code = checkBlock(channel, main, kMainCodes)) return code;
  if (int code = checkBlock(channel, event, kEventCodes)) return code;
  return checkBlock(channel, sub, kSubCodes);
}

// The first resolution the stream offers.
uint8_t firstResolution(int channel, int stream) {
  OptionItem list[OPTION_LIST_48];
  if (fillEncodeResolutionList(list, channel, stream) != 0 || list[0].id < 0) return 0;
  return static_cast<uint8_t>(list[0].id);
}

const int32_t kMainDefaultRate = 23;  // 2048 Kbps
const int32_t kSubDefaultRate = 19;   // 1024 Kbps
const uint8_t kDefaultQuality = 2;

// An analog channel starts with each stream on its first resolution at
// full frame rate; IP channels have nothing here.
void defaultEncode(int channel, EncodeConfig& config) {
  zeroFill(&config, sizeof config);
  if (channel < 1 || channel > 16) return;
  const EncodeParamBlock main = {1, firstResolution(channel, 1), 0, kDefaultQuality, kMainDefaultRate, 0, 0};
  config.blocks[ENCODE_MAIN] = main;
  config.blocks[ENCODE_EVENT] = main;
  config.blocks[ENCODE_SUB] = {1, firstResolution(channel, 2), 0, kDefaultQuality, kSubDefaultRate, 0, 0};
}

// The record schedule of every channel becomes all-day of one type.
void setAllDay(int channel, uint8_t type) {
  devsim::modifyValue(Kind::RecordConfig, channel, RecordConfig{}, [type](RecordConfig& record) {
    record.enable = 1;
    for (DaySchedHead& day : record.days) day = {1, type, 0};
  });
  devsim::modifyValue(Kind::RecordHoliday, channel, HolidaySchedule{},
                      [type](HolidaySchedule& holiday) { holiday.head = {1, type, 0}; });
}

}  // namespace

extern "C" {

int getRecordConfig(OutputLogin*, int channel, RecordConfig* out, int flag) {
  DEVICE_ENTER(getRecordConfig, out, sizeof *out, channel, flag);
  return getChannelRecord(Kind::RecordConfig, channel, out);
}

int setRecordConfig(OutputLogin*, int channel, const RecordConfig* in, int flag) {
  DEVICE_ENTER(setRecordConfig, nullptr, 0, channel, devsim::digestOf(in), flag);
  return setChannelRecord(Kind::RecordConfig, channel, in);
}

int getRecordSchedExtra(OutputLogin*, int channel, HolidaySchedule* out, int flag) {
  DEVICE_ENTER(getRecordSchedExtra, out, sizeof *out, channel, flag);
  return getChannelRecord(Kind::RecordHoliday, channel, out);
}

int setRecordSchedExtra(OutputLogin*, int channel, const HolidaySchedule* in, int flag) {
  DEVICE_ENTER(setRecordSchedExtra, nullptr, 0, channel, devsim::digestOf(in), flag);
  return setChannelRecord(Kind::RecordHoliday, channel, in);
}

int getCaptureConfig(OutputLogin*, int channel, CaptureConfig* out, int flag) {
  DEVICE_ENTER(getCaptureConfig, out, sizeof *out, channel, flag);
  return getChannelRecord(Kind::CaptureConfig, channel, out);
}

int setCaptureConfig(OutputLogin*, int channel, const CaptureConfig* in, int flag) {
  DEVICE_ENTER(setCaptureConfig, nullptr, 0, channel, devsim::digestOf(in), flag);
  return setChannelRecord(Kind::CaptureConfig, channel, in);
}

int getCaptureParams(OutputLogin*, int channel, CaptureSettingPair* out) {
  DEVICE_ENTER(getCaptureParams, out, sizeof *out, channel);
  // A fresh channel snapshots at the first resolution offered, the best
  // quality and the shortest interval: values the snapshot page offers.
  return devsim::answerKept(Kind::CaptureParams, channel, out, [channel](CaptureSettingPair& r) {
    zeroFill(&r, sizeof r);
    OptionItem options[OPTION_LIST_16];
    if (fillCaptureOptionList(options, channel) == 0 && options[0].id >= 0)
      r.normal.resolution = static_cast<uint8_t>(options[0].id);
    r.normal.quality = CAPTURE_QUALITY_HIGH;
    r.normal.interval = CAPTURE_INTERVAL_SHORTEST;
    r.event = r.normal;
  });
}

int setCaptureParams(OutputLogin*, int channel, const CaptureSettingPair* in, int flag) {
  DEVICE_ENTER(setCaptureParams, nullptr, 0, channel, devsim::digestOf(in), flag);
  return setChannelRecord(Kind::CaptureParams, channel, in);
}

int getHolidayConfig(OutputLogin*, HolidayTable* out) {
  DEVICE_ENTER(getHolidayConfig, out, sizeof *out);
  return devsim::answerKeptOrZero(Kind::Holidays, 0, out);
}

int setHolidayConfig(OutputLogin*, const HolidayTable* in) {
  DEVICE_ENTER(setHolidayConfig, nullptr, 0, devsim::digestOf(in));
  if (!in) return -1;
  return devsim::keepCheckedTable(Kind::Holidays, *in, &HolidayTable::entries, checkHolidayEntry);
}

int getEncodeConfig(OutputLogin*, int channel, EncodeConfig* out, int flag) {
  DEVICE_ENTER(getEncodeConfig, out, sizeof *out, channel, flag);
  return devsim::answerKept(Kind::EncodeConfig, channel, out,
                            [channel](EncodeConfig& c) { defaultEncode(channel, c); });
}

int checkEncodeParams(OutputLogin*, int channel, const EncodeParamBlock* main, const EncodeParamBlock* event,
                      const EncodeParamBlock* sub, int flag) {
  DEVICE_ENTER(checkEncodeParams, nullptr, 0, channel, devsim::digestOf(main), devsim::digestOf(event), devsim::digestOf(sub), flag);
  if (!main || !event || !sub || !devsim::validRecordChannel(channel)) return -1;
  return checkEncodeBlocks(channel, *main, *event, *sub);
}

int setEncodeConfig(OutputLogin*, int channel, const EncodeConfig* in, int flag) {
  DEVICE_ENTER(setEncodeConfig, nullptr, 0, channel, devsim::digestOf(in), flag);
  if (!in || !devsim::validRecordChannel(channel)) return -1;
  const EncodeParamBlock* b = in->blocks;
  if (int code = checkEncodeBlocks(channel, b[ENCODE_MAIN], b[ENCODE_EVENT], b[ENCODE_SUB])) return code;
  devsim::keepValue(Kind::EncodeConfig, channel, *in);
  return 0;
}

int getWd1Enable(OutputLogin*, int stream, int channel, uint8_t* out) {
  DEVICE_ENTER(getWd1Enable, out, out ? 1 : 0, stream, channel);
  if (!out || !devsim::validRecordChannel(channel)) return -1;
  *out = devsim::fetchValue<uint8_t>(Kind::Wd1Enable, channel, 0);
  return 0;
}

int setWd1Enable(OutputLogin*, int stream, int channel, int flag) {
  DEVICE_ENTER(setWd1Enable, nullptr, 0, stream, channel, flag);
  if (!isWd1Supported(channel, stream)) return -1;
  devsim::keepValue<uint8_t>(Kind::Wd1Enable, channel, flag != 0);
  return 0;
}

int getAdvRecordConfig(OutputLogin*, AdvRecordConfig* out, int flag) {
  DEVICE_ENTER(getAdvRecordConfig, out, sizeof *out, flag);
  return devsim::answerKeptOrZero(Kind::AdvRecord, 0, out);
}

int setAdvRecordConfig(OutputLogin*, const AdvRecordConfig* in, int flag) {
  DEVICE_ENTER(setAdvRecordConfig, nullptr, 0, devsim::digestOf(in), flag);
  if (!in) return -1;
  devsim::keepValue(Kind::AdvRecord, 0, *in);
  return 0;
}

int getRecordEncryptConfig(RecordEncryptConfig* out) {
  DEVICE_ENTER(getRecordEncryptConfig, out, sizeof *out);
  return devsim::answerKeptOrZero(Kind::RecordEncrypt, 0, out);
}

int setRecordEncryptConfig(int loginId, const RecordEncryptConfig* in) {
  DEVICE_ENTER(setRecordEncryptConfig, nullptr, 0, loginId, devsim::digestOf(in));
  if (!in) return -1;
  RecordEncryptConfig kept = *in;
  // The password is read back as a text: it always ends in a zero byte.
  kept.password[sizeof kept.password - 1] = '\0';
  devsim::keepValue(Kind::RecordEncrypt, 0, kept);
  return 0;
}

int startManualSnapshot(int loginId, uint64_t mask) {
  DEVICE_ENTER(startManualSnapshot, nullptr, 0, loginId, static_cast<int64_t>(mask));
  devsim::modifyValue<uint64_t>(Kind::SnapshotMask, 0, 0, [mask](uint64_t& m) { m |= mask; });
  return 0;
}

int stopManualSnapshot(int loginId, uint64_t mask) {
  DEVICE_ENTER(stopManualSnapshot, nullptr, 0, loginId, static_cast<int64_t>(mask));
  devsim::modifyValue<uint64_t>(Kind::SnapshotMask, 0, 0, [mask](uint64_t& m) { m &= ~mask; });
  return 0;
}

uint64_t getSnapshotChanMask(void) {
  DEVICE_ENTER_T(uint64_t, getSnapshotChanMask, nullptr, 0);
  return devsim::fetchValue<uint64_t>(Kind::SnapshotMask, 0, 0);
}

int setAllDayRecord(int loginId, int motion) {
  DEVICE_ENTER(setAllDayRecord, nullptr, 0, loginId, motion);
  for (int channel = 1; channel <= getAnalogChanNum() && channel <= 16; ++channel)
    setAllDay(channel, motion ? 1 : 0);
  return 0;
}

}  // extern "C"

// The texts of the system information rows.
#include <cstdio>
#include <cstring>

#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/system/maintenance/sysinfo.h"
#include "app/value_texts.h"

namespace sysinfo {
namespace {

constexpr const char* kSection = "systeminfo";

constexpr ValueKeyRow kFrameRates[] = {
    {"25(PAL)/30(NTSC)", 0}, {"22fps", 1},   {"20fps", 2},   {"18fps", 3},   {"16fps", 4},   {"15fps", 5},
    {"12fps", 6},            {"10fps", 7},   {"8fps", 8},    {"6fps", 9},    {"4fps", 10},   {"2fps", 11},
    {"1fps", 12},            {"1/2fps", 13}, {"1/4fps", 14}, {"1/8fps", 15}, {"1/16fps", 16}, {"7fps", 17},
    {"5fps", 18},            {"3fps", 19},   {"9fps", 20}};
constexpr ValueKeyRow kStreams[] = {{"videostream", 1}, {"comstream", 3}};
constexpr ValueKeyRow kRecordTypes[] = {{"recordtype_time", 0},         {"recordtype_motion", 1},
                                        {"recordtype_alarm", 2},        {"recordtype_motionalarm", 3},
                                        {"recordtype_motion_alarm", 4}, {"recordtype_command", 5},
                                        {"recordtype_manual", 6},       {"recordall", 255}};
constexpr ValueKeyRow kCompressions[] = {{"rec_compress_time", 0}, {"rec_compress_event", 1}};
constexpr ValueKeyRow kRedundancy[] = {{"no", 0}, {"yes", 1}};
constexpr ValueKeyRow kInputTypes[] = {{"normallyopen", 0}, {"normallyclose", 1}};

template <size_t N>
constexpr int countOf(const ValueKeyRow (&)[N]) {
  return static_cast<int>(N);
}

char* cell(char* cells, int column) { return cells + static_cast<size_t>(column) * kCell; }

}  // namespace

const char* caption(const char* key) {
  const char* text = lookupText(kSection, key);
  return text ? text : "";
}

const char* detectionKey(bool enabled, bool on, bool alarm) {
  if (!enabled) return "chanstatus_nonsupport";
  if (!on) return "chanstatus_off";
  return alarm ? "chanstatus_happen" : "chanstatus_on";
}

const char* videoExceptionKey(bool enabled, bool exception) {
  if (!enabled) return "chanstatus_off";
  return exception ? "chanstatus_happen" : "chanstatus_on";
}

void frameRateText(uint32_t code, char* out, int size) {
  if (code == 0) {
    std::snprintf(out, static_cast<size_t>(size), "%sfps", "25");
    return;
  }
  const int value = code > 0x7FFFFFFFu ? -1 : static_cast<int>(code);
  formatValueName(kFrameRates, countOf(kFrameRates), value, out, size);
}

void bitRateText(const RecordStatus& status, char* out, int size) {
  char rate[kCell] = "";
  formatBitrateText(static_cast<int>(status.bitrate), rate, sizeof rate);
  if (status.recording)
    std::snprintf(out, static_cast<size_t>(size), "%u/%s", status.currentBitrate, rate);
  else
    std::snprintf(out, static_cast<size_t>(size), "%s", rate);
}

void recordCells(const char* channelNo, const RecordStatus& status, char* cells) {
  std::snprintf(cell(cells, 0), kCell, "%s", channelNo);
  const char* text = caption(status.recording ? "recordon" : "recordoff");
  std::snprintf(cell(cells, 1), kCell, "%s", text);
  formatValueText(kSection, kStreams, countOf(kStreams), status.streamType, cell(cells, 2), kCell);
  frameRateText(status.frameRate, cell(cells, 3), kCell);
  bitRateText(status, cell(cells, 4), kCell);
  if (getDeviceValueName(0, status.resolution, cell(cells, 5)) != 0)
    std::snprintf(cell(cells, 5), kCell, "%s", caption("unknown_resolution"));
  if (!status.recording) return;
  formatValueText(kSection, kRecordTypes, countOf(kRecordTypes), status.recordType, cell(cells, 6), kCell);
  formatValueText(kSection, kCompressions, countOf(kCompressions), status.eventCompression != 0 ? 1 : 0,
                  cell(cells, 7), kCell);
  formatValueText(kSection, kRedundancy, countOf(kRedundancy), status.redundancy, cell(cells, 8), kCell);
}

void alarmInCells(const char* number, const AlarmInStatus& status, char* cells) {
  std::snprintf(cell(cells, 0), kCell, "%s", number);
  std::snprintf(cell(cells, 1), kCell, "%.*s", static_cast<int>(sizeof status.name), status.name);
  formatValueText(kSection, kInputTypes, countOf(kInputTypes), status.alarmType, cell(cells, 2), kCell);
  std::snprintf(cell(cells, 3), kCell, "%s", caption(detectionKey(true, status.armed, status.alarm)));
  char mask[1024] = "";
  formatChanMaskText(static_cast<uint32_t>(status.recordChanMask), static_cast<uint32_t>(status.recordChanMask >> 32),
                     mask);
  std::snprintf(cell(cells, 4), kCell, "%.127s", mask);
}

void alarmOutCells(const char* number, const AlarmOutStatus& status, char* cells) {
  std::snprintf(cell(cells, 0), kCell, "%s", number);
  std::snprintf(cell(cells, 1), kCell, "%.*s", static_cast<int>(sizeof status.name), status.name);
  std::snprintf(cell(cells, 2), kCell, "%s", caption("chanstatus_nonsupport"));
  std::snprintf(cell(cells, 3), kCell, "%s",
                caption(status.active ? "chanstatus_happen" : "chanstatus_on"));
}

}  // namespace sysinfo

// The log types and parameter kinds the log pages show, what the device can
// log, and the texts of one log record's fields.
#pragma once

#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/value_texts.h"

namespace logs {

constexpr const char* kSection = "logsearch";
constexpr int kAllTypes = 65535;
enum Major { kMajorAlarm = 1, kMajorException = 2, kMajorOperation = 3, kMajorInform = 4 };

struct Table {
  const ValueKeyRow* rows;
  int count;
};
Table majorTable();
// The minor table of a major type (kAllTypes: the "all" table); empty for
// another value.
Table minorTable(int major);
Table paramTable();

// What decides which minor types a device can log.
struct LogCaps {
  bool ipChannels, analogChannels, cvbsOutput, pictureCapture, autoFormat, removablePorts;
};
LogCaps deviceLogCaps();
// The rows of the minor combo for a major type, in table order, with the
// capture-less text where the device has no picture capture.
std::vector<ValueKeyRow> minorRows(int major, const LogCaps& caps);

// Texts of a record's fields as the result list and the detail show them.
std::string majorText(int major);
std::string minorText(const LogRecord& r, bool pictureCapture);
std::string paramText(const LogRecord& r);
// The date by the date-format setting and the local time of day.
std::string timeText(uint32_t time);

}  // namespace logs

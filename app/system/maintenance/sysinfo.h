// The texts of the system information rows, apart from the window so that
// they can be checked against the device's records alone.
#pragma once

#include <cstdint>

#include "app/device_records.h"

namespace sysinfo {

constexpr int kCell = 128;

// The caption of a key of the window's section ("" when missing).
const char* caption(const char* key);
// The state of one detection of a channel.
const char* detectionKey(bool enabled, bool on, bool alarm);
// The video exception column.
const char* videoExceptionKey(bool enabled, bool exception);
// Frame rate and bit rate of a record status.
void frameRateText(uint32_t code, char* out, int size);
void bitRateText(const RecordStatus& status, char* out, int size);
// Cells 0..8 of a record row, 128 bytes apart (type, compression and
// redundancy only while recording).
void recordCells(const char* channelNo, const RecordStatus& status, char* cells);
// Cells 0..4 of an alarm input and an alarm output row.
void alarmInCells(const char* number, const AlarmInStatus& status, char* cells);
void alarmOutCells(const char* number, const AlarmOutStatus& status, char* cells);

}  // namespace sysinfo

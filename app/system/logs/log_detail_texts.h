// What the log detail shows of one record: its labelled rows and the size of
// its description area.
#pragma once

#include <string>

#include "app/device_backend.h"

namespace logs {

// Information kinds whose entries carry a disk's S.M.A.R.T. values.
bool isDiskInfoKind(int kind);

// The disk-information block that disk entries show: the values the list
// shows and the disk's texts (no operation of this device fills it).
struct DiskInfoBlock {
  DiskSmartInfo smart;
  char firmware[9];
  char model[41];
  char serial[21];
};
const DiskInfoBlock& diskInfoBlock();

enum class ObjectKind { kChannel, kDisk, kAlarmIn, kAlarmOut, kTransChannel, kVoiceChannel };
struct ObjectRow {
  const char* labelKey;
  ObjectKind kind;
};
ObjectRow objectRow(int major, int minor, int infoKind);
// An alarm port: 0..255 local ("A<-3"), above an IP device's ("D1<-3").
std::string alarmPortText(int32_t value, bool output);

// The labelled rows below the time; labels are layout keys of "logdetail".
struct DetailRows {
  std::string time, type;
  const char* userLabel;
  std::string user;
  const char* hostLabel;
  std::string host;
  const char* paramLabel;
  std::string param;
  const char* objectLabel;
  std::string object;
};
DetailRows detailRows(const LogRecord& r, int output, bool pictureCapture);

// The description's text and the size of the text inside its scroll area,
// from the area's layout width and height.
std::string descriptionText(const LogRecord& r);
struct TextSize {
  int w, h;
};
TextSize descriptionSize(const LogRecord& r, int layoutW, int layoutH, bool lowResolution);

// A text field of a record that need not be terminated, read within it.
std::string boundedText(const char* field, size_t size);

}  // namespace logs

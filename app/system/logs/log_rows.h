// One row of the log result list: its texts and the list row built from them.
#pragma once

#include <string>

#include "app/device_backend.h"
#include "gui/listview.h"

namespace logs {

struct RowTexts {
  std::string number, major, time, minor, param;
  bool playable;  // the entry names a channel
};
RowTexts rowTexts(const LogRecord& r, int index, bool pictureCapture);

// Adds the row of entry `index` (1-based) at list position `position`.
void addLogRow(WindowHandle list, int position, int index, const LogRecord& r, bool pictureCapture);

}  // namespace logs

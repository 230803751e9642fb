// What the tabs of the encoding page share beyond the stream groups.
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/record/encode/encode.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace encode {

namespace {

// Each tab's working records and current channel.
struct Tab {
  std::vector<WorkRecord> records;
  int channel = 1;
};
Tab g_tabs[2];

// Every box of a failed save has been shown where it arose.
void noReport(WindowHandle, int) {}

}  // namespace

std::vector<WorkRecord>& recordTab() { return g_tabs[0].records; }
int& recordChannel() { return g_tabs[0].channel; }
std::vector<WorkRecord>& subTab() { return g_tabs[1].records; }
int& subChannel() { return g_tabs[1].channel; }

pageframe::PageHooks tabHooks(void (*init)(WindowHandle), void (*command)(WindowHandle, int, int),
                              int (*save)(WindowHandle)) {
  return {init, eraseBkgndGrey50, command, save, noReport, closeRecordMenu};
}

OutputLogin* login() { return getOutputLogin(getMainOutput()); }

uint64_t runCopyDialog(WindowHandle page, int source) {
  WindowHandle menu = getRecordMenuWnd();
  EnableWindow(menu, FALSE);
  showImageCopyChanDialog(page, source, 1);
  EnableWindow(menu, TRUE);
  return getImageCopyChanMask();
}

void resetRecords(std::vector<WorkRecord>& records) {
  records.assign(static_cast<size_t>(getChannelNum() > 0 ? getChannelNum() : 0) + 1, WorkRecord{});
}

bool inRange(const std::vector<WorkRecord>& records, int channel) {
  return channel >= 1 && static_cast<size_t>(channel) < records.size();
}

void copyToChannels(std::vector<WorkRecord>& records, int source, uint64_t mask,
                    const std::function<void(int channel, WorkRecord& to, bool first)>& copy) {
  for (int c = 1; c <= getAnalogChanNum() && c < 64 && inRange(records, c); ++c) {
    WorkRecord& to = records[static_cast<size_t>(c)];
    if (c == source) {
      to.touched = 1;
      continue;
    }
    if (!(mask & (uint64_t{1} << (c - 1)))) continue;
    const bool first = !to.touched;
    to.touched = 1;
    copy(c, to, first);
  }
}

void copyStreamHead(EncodeParamBlock& to, const EncodeParamBlock& from) {
  to.streamType = from.streamType;
  to.resolution = from.resolution;
  to.bitrateType = from.bitrateType;
  to.quality = from.quality;
  to.bitrate = from.bitrate;
  to.frameRate = from.frameRate;
}

int keepStored(WindowHandle page, std::vector<WorkRecord>& records, int shown) {
  if (const int rc = saveDeviceParams()) {
    showSaveFailedCode(page, rc);
    return rc;
  }
  for (size_t c = 1; c < records.size(); ++c)
    if (static_cast<int>(c) != shown) records[c] = WorkRecord{};
  return 0;
}

bool hasSubStreamTab() {
  for (int c = 1; c <= getChannelNum(); ++c)
    if (isStreamTypeSupported(c, 2)) return true;
  return false;
}

}  // namespace encode

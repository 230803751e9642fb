// Interface names, search and playback results, and PTZ.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

struct PtzTable {
  PtzProtocol entries[PTZ_PROTOCOL_MAX];
  int count;
};

void setProtocol(PtzProtocol& p, uint32_t flag, const char* name) {
  p.flag = flag;
  std::snprintf(p.name, sizeof p.name, "%s", name);
}

}  // namespace

extern "C" {

void convertNicName(int mode, const char* from, char* to, int size) {
  DEVICE_ENTER_VOID(convertNicName, nullptr, 0, mode);
  if (!to || size <= 0) return;
  const char* name = from ? from : "";
  static const char* const kPairs[2][2] = {{"LAN1", "eth0"}, {"LAN2", "eth1"}};
  if (mode == 1 || mode == 2) {
    for (const auto& pair : kPairs)
      if (std::strcmp(name, pair[mode - 1]) == 0) name = pair[2 - mode];
  }
  zeroFill(to, static_cast<size_t>(size));
  // Copies at most size - 1 bytes so the result always ends in a NUL.
  std::memcpy(to, name, std::min(std::strlen(name), static_cast<size_t>(size) - 1));
}

int findRecordFiles(SearchCondition* condition, OutputLogin*, int* count) {
  DEVICE_ENTER(findRecordFiles, count, count ? sizeof *count : 0);
  if (condition) zeroFill(condition, sizeof *condition);
  if (count) *count = 1;
  return 0;
}

int getRecordFileResult(OutputLogin*, int kind, SearchResult* out) {
  DEVICE_ENTER(getRecordFileResult, out, sizeof *out, kind);
  if (devsim::zeroRecord(out) != 0) return -1;
  if (kind == 1 || kind == 2) {
    devsim::putWord(out, 0, static_cast<uint32_t>(kind));
    devsim::putWord(out, 3, 100);
  }
  return 0;
}

int findPictures(SearchCondition* condition, int* count) {
  DEVICE_ENTER(findPictures, count, count ? sizeof *count : 0);
  if (condition) zeroFill(condition, sizeof *condition);
  if (count) *count = 1;
  return 0;
}

int getPicResult(int kind, int n, SearchResult* out) {
  DEVICE_ENTER(getPicResult, out, sizeof *out, kind, n);
  if (devsim::zeroRecord(out) != 0) return -1;
  if (kind == 1) {
    devsim::putWord(out, 1, 1);
    devsim::putWord(out, 2, 100);
    devsim::putWord(out, 3, 1);
  }
  return 0;
}

int getSearchResultItem(int n, int display, SearchResult* out) {
  DEVICE_ENTER(getSearchResultItem, out, sizeof *out, n, display);
  return devsim::zeroRecord(out);
}

int getEventResultItem(int kind, int n, SearchResult* out) {
  DEVICE_ENTER(getEventResultItem, out, sizeof *out, kind, n);
  if (devsim::zeroRecord(out) != 0) return -1;
  if (kind == 1) {
    devsim::putWord(out, 0, 1);
    devsim::putWord(out, 4, 1);
  }
  return 0;
}

int getTagResult(OutputLogin*, int kind, SearchResult* out) {
  DEVICE_ENTER(getTagResult, out, sizeof *out, kind);
  if (devsim::zeroRecord(out) != 0) return -1;
  devsim::putWord(out, 0, 1);
  devsim::putWord(out, 1, kind == 2 ? 1 : 0);
  return 0;
}

int getFindCount(int* count) {
  DEVICE_ENTER(getFindCount, count, count ? sizeof *count : 0);
  if (count) *count = 0;
  return 0;
}

int getRecordTimeSpan(int channel, int kind, uint32_t* start, uint32_t* end) {
  DEVICE_ENTER(getRecordTimeSpan, nullptr, 0, channel, kind);
  if (!start || !end) return -1;
  *start = *end = 0;
  return 0;
}

int64_t getPlayTime(int) {
  DEVICE_ENTER_T(int64_t, getPlayTime, nullptr, 0);
  return static_cast<int64_t>(time(nullptr));
}
DEVICE_CONSTANT_OF(getStreamBufSize, 0x300000)
DEVICE_CONSTANT_OF(getSearchResultMax, 100)

int getSideBarInfo(OutputLogin*, SideBarInfo* out) {
  DEVICE_ENTER(getSideBarInfo, out, sizeof *out);
  return devsim::zeroRecord(out);
}

int getPtzDecoderConfig(OutputLogin*, int channel, PtzDecoderConfig* out) {
  DEVICE_ENTER(getPtzDecoderConfig, out, sizeof *out, channel);
  return devsim::zeroRecord(out);
}

int getPtzProtocolList(void) {
  DEVICE_ENTER(getPtzProtocolList, nullptr, 0);
  PtzTable table{};
  setProtocol(table.entries[0], 1, "ZELVORANT");
  setProtocol(table.entries[1], 0, "PELCO-D");
  setProtocol(table.entries[2], 0, "PELCO-P");
  table.count = 3;
  devsim::keepValue(Kind::PtzProtocols, 0, table);
  return table.count;
}

int readPtzProtocols(PtzProtocol* out, int max) {
  DEVICE_ENTER(readPtzProtocols, nullptr, 0, max);
  if (!out || max <= 0) return 0;
  PtzTable table = devsim::fetchValue(Kind::PtzProtocols, 0, PtzTable{});
  int n = std::min(table.count, max);
  std::memcpy(out, table.entries, sizeof(PtzProtocol) * static_cast<size_t>(n));
  return n;
}

DEVICE_CONSTANT_OF(getPresetMaxNum, 256)
DEVICE_CONSTANT_OF(getPatrolNum, 4)
DEVICE_CONSTANT(getPtzAddrMax, 255)
DEVICE_CONSTANT(getPresetSpeedMax, 255)

}  // extern "C"

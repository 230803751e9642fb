// What the tabs of the encoding page share: the per-channel working records,
// the stream groups and their controls, and the save errors.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/device_records.h"
#include "app/page_building.h"
#include "gui/common.h"

namespace encode {

constexpr const char* kSection = "encodeset";
constexpr int kChanCombo = 18432;
constexpr int kPreRecord = 18460, kPostRecord = 18461, kDays = 18462, kRedundant = 18463, kAudio = 18464,
              kCabac = 18465, kWd1 = 18466;
constexpr int kWd1Resolution = 36;
constexpr int kFirstIpChannel = 17;

// The working record of one channel on one tab.
struct WorkRecord {
  uint32_t touched;
  uint32_t mainStreams;  // 0 none, 1 continuous, 2 event, 3 both
  EncodeConfig encode;
  RecordConfig record;
  uint8_t wd1;
};

// The remembered standard and custom rate of one group on one channel.
struct CustomMemory {
  uint32_t presetCode;
  uint32_t customKbps;
  uint32_t valid;
};

// A stream group: its stream type, block, id offset from the continuous
// group and custom edit.
struct Group {
  int type;
  int block;
  int k;
  int edit;
  int streamType() const { return 18443 + k; }
  int resolution() const { return 18444 + k; }
  int rateType() const { return 18445 + k; }
  int quality() const { return 18446 + k; }
  int frameRate() const { return 18447 + k; }
  int mode() const { return 18448 + k; }
  int rate() const { return 18449 + k; }
  int range() const { return 18450 + k; }
};
enum GroupIndex { kNormal = 0, kEvent = 1, kSub = 2, kGroups = 3 };
const Group& group(int index);

// Page-wide state: cleared when the page is created.
struct PageState {
  uint32_t custom[kGroups];
  std::vector<CustomMemory> memory[kGroups];  // per channel
  void clear();
};
PageState& pageState();
CustomMemory& memoryOf(int groupIndex, int channel);

// The record tab's working records, entry 0 unused.
std::vector<WorkRecord>& recordTab();
int& recordChannel();

// The sub-stream tab's working records (only touched and block [3] used).
std::vector<WorkRecord>& subTab();
int& subChannel();

OutputLogin* login();
// Runs the copy dialog for `source` with the record menu disabled; the
// chosen channel mask (bit c - 1 for channel c).
uint64_t runCopyDialog(WindowHandle page, int source);
// Zeroed records for channels 1..getChannelNum().
void resetRecords(std::vector<WorkRecord>& records);
bool inRange(const std::vector<WorkRecord>& records, int channel);
// A copy to the channels of `mask` (bit c - 1 for channel c, analogue
// channels only): `source` is marked edited, and `copy` gets every other
// chosen channel's record, marked edited, with `first` when it was not yet.
void copyToChannels(std::vector<WorkRecord>& records, int source, uint64_t mask,
                    const std::function<void(int channel, WorkRecord& to, bool first)>& copy);
// The head of a stream: type, resolution, bitrate kind, quality, bitrate
// and frame rate.
void copyStreamHead(EncodeParamBlock& to, const EncodeParamBlock& from);
// After every edited channel was stored: keeps them in the device's file
// and forgets the edits of every channel but `shown`; 0, or the failure
// (its box shown).
int keepStored(WindowHandle page, std::vector<WorkRecord>& records, int shown);
void selectValue(WindowHandle page, int id, int value);
// An option list entry as a combo row.
void addOption(WindowHandle page, int id, const OptionItem& item);
// A decimal number from the whole text: false for an empty text, a letter
// or a value above `max`.
bool parseDecimal(const char* text, uint32_t max, uint32_t* out);
constexpr uint32_t kMaxCustomKbps = 131071;

uint32_t streamsOf(int channel);
// Group filling and reading (block taken by value where the page mirrors).
void fillGroup(WindowHandle page, int groupIndex, int channel, const EncodeParamBlock& block, bool wd1);
void emptyGroup(WindowHandle page, int groupIndex);
void enableGroup(WindowHandle page, int groupIndex, bool on);
// False when a custom text is not a rate (the block keeps its old rate).
bool readGroup(WindowHandle page, int groupIndex, EncodeParamBlock* block);
void updateRange(WindowHandle page, int groupIndex, int channel);
// Dependencies inside a group; `wd1` tells whether a WD1 item leads the list.
void onResolutionChange(WindowHandle page, int groupIndex, int channel, bool wd1);
void onRateTypeChange(WindowHandle page, int groupIndex);
void onModeChange(WindowHandle page, int groupIndex, int channel);

// The box and focus of a failed encoding check or write.
void showSaveError(WindowHandle page, int code, int recordChannel, int subChannel);

// The hooks of a tab on the page frame; the tab shows its own boxes.
pageframe::PageHooks tabHooks(void (*init)(WindowHandle), void (*command)(WindowHandle, int, int),
                              int (*save)(WindowHandle));
LResult recordPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult subPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
bool hasSubStreamTab();
LResult snapshotPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
bool hasSnapshotTab();

}  // namespace encode

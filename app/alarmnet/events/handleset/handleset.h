// The event handling sheet's pages and the state they share while it is
// open: the source being edited, the working copies of its linkage, arming
// schedule, record channels and PTZ actions, and where each source keeps
// them.
#pragma once

#include <cstdint>
#include <vector>

#include "app/alarmnet/events/event_sources.h"
#include "app/time_segments.h"
#include "gui/common.h"

namespace handleset {

constexpr const char* kSection = "handleset";
constexpr int kDays = SCHED_DAYS + 1;  // the week and the holiday
constexpr int kPtzChannels = 32;

// The pages in sheet order; a page's index is its place in this order.
enum Page { kCameraPage, kSchedulePage, kRulePage, kPtzPage, kPageCount };

struct PtzArrays {
  uint8_t presetEnable[kPtzChannels];
  uint8_t presetNo[kPtzChannels];
  uint8_t patrolEnable[kPtzChannels];
  uint8_t patrolNo[kPtzChannels];
  uint8_t patternEnable[kPtzChannels];
  uint8_t patternNo[kPtzChannels];
};

struct State {
  int source = -1;
  EventLinkage linkage{};
  PtzArrays ptz{};
  TimeSegment schedule[kDays][SCHED_SEGMENTS]{};
  int segmentsPerDay = SCHED_SEGMENTS;
  int blockBottom = 0;
  uint64_t recordMask = 0;
  int day = 0;
  int ptzChannel = 0;
};
State& state();

// Which pages a source shows (before the channel checks).
bool sourceShows(int source, Page page);
// The source's own fields in its calling page's record; null (or false) for
// a source that has none of them.
EventLinkage* linkageOf(int source);
TimeSegment* scheduleOf(int source);  // SCHED_DAYS x SCHED_SEGMENTS
bool loadRecordMask(int source, uint64_t* out);
void storeRecordMask(int source, uint64_t mask);
bool snapToFtpOffered(int source);
// The calling page's record of the source and the holiday exchange buffer,
// as bytes: what the sheet may change.
using EditedBytes = std::vector<uint8_t>;
EditedBytes editedBytes(int source);

// What every page does alike: closing the sheet, the OK, Apply and Cancel
// row, check boxes.
void closeSheet(WindowHandle page);
// OK once its page stored: the other pages' pending edits are kept too, and
// the sheet closes when all of them were.
void finishSheet(WindowHandle page);
void createBottomButtons(WindowHandle page, const char* ok, const char* apply, const char* cancel);

// The schedule page's boxes into the day being edited: 0, or the segment
// check's code.
int readArmingSegments(WindowHandle page);

LResult cameraPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult schedulePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult rulePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult ptzPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);

// The PTZ page's choices for one channel, given what the channel offers:
// several stored enables leave only the last one shown (pattern over
// patrol over preset) checked.
struct PtzChoice {
  bool preset, patrol, pattern;
};
PtzChoice shownPtzChoice(const PtzArrays& arrays, int channel, int presets, int patrols, int patterns);

}  // namespace handleset

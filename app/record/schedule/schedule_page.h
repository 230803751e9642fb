// What the schedule page's files share: the two tabs' keys and ids, the
// per-tab grid state, and the working records of every channel.
#pragma once

#include "app/page_building.h"
#include "app/record/schedule/schedule_week.h"

namespace schedule {

constexpr const char* kSection = "scheduleset";
constexpr int kChanSlots = 32;  // working records by channel number; 0 unused
constexpr int kLegendItems = 6;
constexpr int kPenNone = -1;
constexpr int kFirstDayLabel = 18976;
// System cursors: the arrow, and the pen over the grid and the legend.
constexpr int kArrowCursor = 0, kPenCursor = 2;
// The device keeps holiday schedules: the holiday row is always there.
constexpr bool kHolidayRow = true;

struct TabKeys {
  bool capture;
  int firstId;  // channel box; enable +1, edit day +2, legend +3..+8, hint +9
  const char* camsel;
  const char* enable;
  const char* add;
  const char* legend[kLegendItems];
  const char* heading;
  const char* note;
  const char* copy;
  const char* apply;
  const char* close;
  const char* loadFailed;
};
extern const TabKeys kRecordTab;
extern const TabKeys kCaptureTab;

inline int channelId(const TabKeys& k) { return k.firstId; }
inline int enableId(const TabKeys& k) { return k.firstId + 1; }
inline int editId(const TabKeys& k) { return k.firstId + 2; }
inline int legendId(const TabKeys& k, int i) { return k.firstId + 3 + i; }
inline int noteId(const TabKeys& k) { return k.firstId + 9; }

struct Bar {
  int type;  // -1 empty
  Rect r;
};

struct TabState {
  const TabKeys* keys;
  WindowHandle page;
  int selected;   // channel number; 0 before the first selection
  Rect schedRect;  // "rect_schedule"
  Grid grid;
  Rect legend[kLegendItems];
  Bar bars[kDays][kSegments];
  int pen;
  bool dragging;
  bool moved;
  Point anchor;
  Rect drag;
  Rect band;  // the rubber band last drawn
};
TabState& tabState(bool capture);

// The working records (index = channel number).
ChanRecordSched* recordSlots();
ChanCaptureSched* captureSlots();
// The element of the selected channel (channel 1's for a number outside
// 1..channel count); null when the tab never loaded.
uint32_t* changedFlag(TabState& tab);
Week selectedWeek(TabState& tab);
void storeSelectedWeek(TabState& tab, const Week& week);
uint32_t selectedEnable(TabState& tab);
// The enable box into the selected record, which counts as changed.
void keepEnable(TabState& tab);
void setSelectedEnable(TabState& tab, uint32_t enable);

// The working record of the selected channel of each tab, which the
// one-day editors edit in place.
ChanRecordSched* getCurRecordSched();
ChanCaptureSched* getCurCaptureSched();

// Loading, in the order the device numbers its channels; false (after the
// box) when a read fails.
bool loadChannels(TabState& tab);
// Apply: 0, or -1 after a failed write (the records read back).
int saveSchedules(TabState& tab);
// Copy the selected channel to the channels of `mask`.
void copyToChannels(TabState& tab, uint64_t mask);
// The channels the page loads, in order: the present analog channels,
// then the IP channels up to the device's IP count; their number.
int channelOrder(int* out, int max);

// The grid: geometry and legend from the layout, bars from the record, its
// painting and mouse handling.
void computeScheduleGrid(TabState& tab);
void rebuildScheduleBars(TabState& tab);
void paintGrid(TabState& tab, HDC hdc);
// A press that starts a drag or picks a legend swatch is the grid's
// (true); a release is the grid's when it ends a drag.
bool onMouseDown(TabState& tab, int x, int y);
void onMouseMove(TabState& tab, int x, int y);
bool onMouseUp(TabState& tab);
void onNotice(TabState& tab, WParam wParam);
void dropPen(TabState& tab);
Rect enlarged(const Rect& r, int by);
void invalidateGrid(TabState& tab);

// The one-day editors (modal) on the selected channel.
int showEditDialog(WindowHandle parent, bool capture);

}  // namespace schedule

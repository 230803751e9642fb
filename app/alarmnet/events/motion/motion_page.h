// The motion detection page's state and the steps its window and its sheet
// page share: one page per program, its records in static storage.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "app/alarmnet/events/motion/motion_grid.h"
#include "app/alarmnet/zones/zone_editor.h"
#include "app/device_records_net.h"
#include "app/time_segments.h"
#include "gui/common.h"

namespace motion {

constexpr const char* kSection = "motionset";
constexpr int kCachedChannels = 32;
constexpr int kZonesMax = 4;
constexpr int kLiveRows = MOTION_PREVIEW_ROWS;
// The page's timer that repaints the live rows of a status report.
constexpr int kOverlayTimer = 8200;
constexpr uint8_t kSensitivityOff = 255;

enum Control : int {
  kChannelBox = 19248,
  kEnableBox = 19249,
  kHandleButton = 19250,
  kSensitivity = 19251,
  kSelectAll = 19252,
  kClearAll = 19253,
  kClearZones = 19254,
  kFirstZoneTool = 19255,
};

struct ChanEditSlot {
  uint32_t cached;
  uint32_t spare;
  ChannelConfig record;
  TimeSegment holiday[HOLIDAY_SEGMENTS];
};

struct PageState {
  WindowHandle window = GUI_INVALID_HANDLE;  // the page's main window
  WindowHandle page = GUI_INVALID_HANDLE;    // the sheet page the controls live on
  ChannelConfig work{};
  TimeSegment holiday[HOLIDAY_SEGMENTS]{};
  ChanEditSlot slots[kCachedChannels]{};
  AreaCaps caps{};
  GridRows grid{};
  Grid geometry{};  // rows and columns; the view is recomputed at each use
  int pictureWidth = 0, pictureHeight = 0;
  Drag drag{};
  bool repaintCells = false;
  Rect invalidRect{};
  std::unique_ptr<zones::ZoneEditor> zones;
};
PageState& page();

// The channel shown (from 1; below 1 none), read by the status call-back.
int currentChannel();
void setCurrentChannel(int channel);

// Live detection: one row mask per grid row, written by the device's
// thread and read by the page's paint and timer.
struct LiveRows {
  std::atomic<uint32_t> rows[kLiveRows];
  std::atomic<bool> data;
  std::atomic<int> gridRows;  // rows the call-back copies
  std::atomic<int> channel;   // the current channel
};
LiveRows& live();
void clearLive();

bool gridMode();
// The view rectangle on the sheet page, recomputed from the layout and the
// output (x and width aligned to 8).
Grid currentGrid();
void invalidateView(bool erase = false);
// Hands the device the current analog channel's settings for its preview.
void pushPreview();
// Tells the device the stored settings of `channel` (when leaving it).
void restoreStoredPreview(int channel);
// Grid: the record's rows into the page buffer and a repaint.
void loadMotionArea(const ChannelConfig& record);
// Picture and grid sizes from the capability record, the tools shown.
void fetchCaps(int channel);
void showAreaTools();
void buildZones();

// Loading and saving channels, copy and event handling.
int loadChannel(int channel);
int saveMotionParam(bool cacheOnly);
void onCopy();
void onEventHandling();
void onChannelChange();
void readControls();

}  // namespace motion

// The status call-back the page registers with the device layer.
extern "C" int onMotionStatus(int channel, const uint32_t* rowMasks);

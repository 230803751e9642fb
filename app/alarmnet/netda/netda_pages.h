// What the pages of the network detection window share.
#pragma once

#include "app/alarmnet/netda/netda.h"
#include "gui/common.h"
#include "gui/window.h"

namespace netda {

constexpr const char* kSection = "netda";
constexpr int kMaxInterfaces = 16;
constexpr int kTrafficTimer = 8196, kTrafficTicks = 10;
// The lists' style: bordered, with a header and a frame.
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL;

// The chart's state, cleared when the traffic page is made.
struct ChartState {
  int count = 0;
  char names[kMaxInterfaces][32] = {};
  uint64_t send[kMaxInterfaces][kSamples] = {};
  uint64_t receive[kMaxInterfaces][kSamples] = {};
  bool hasData[kMaxInterfaces] = {};
  int shown = 0;
  ChartRect rect{};
  uint64_t yMax = 0;
  ChartRect showMark{}, pauseMark{};
  uint32_t status[12] = {};
};
extern ChartState g_chart;
// Set when the network settings were opened from the detect page.
extern bool g_settingsOpened;

// A button of the section on the page's bottom row.
WindowHandle bottomButton(WindowHandle page, const char* key, int id);

LResult detectProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult statProc(WindowHandle page, int message, WParam wParam, LParam lParam);
void refreshStats(WindowHandle page);

}  // namespace netda

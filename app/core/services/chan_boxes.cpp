// The channel check-box block of the search and settings pages: an "all"
// box per group, one box per analog channel and per IP camera.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/app_registry.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kAnalogLast = 4223, kIpLast = 4351;
constexpr uint8_t kRecordingByHand = 6, kNoKindReported = 0;  // record status bytes


bool exists(WindowHandle owner, int id) { return IsValidHandle(GetDlgItem(owner, id)); }

int stateOf(WindowHandle owner, int id) { return static_cast<int>(SendDlgItemMessage(owner, id, BM_GETCHECK, 0, 0)); }

void setState(WindowHandle owner, int id, int state) { SendDlgItemMessage(owner, id, BM_SETCHECK, state, 0); }

struct Grid {
  int x, y, w, h, columns;
  // Cell i of the grid starting at row top `y0`.
  void place(int i, int y0, int* cx, int* cy) const {
    *cx = x + (i % columns) * w;
    *cy = y0 + (i / columns) * h;
  }
};

WindowHandle box(WindowHandle owner, const char* caption, uint32_t style, uint32_t ex, int id, int x, int y, int w,
                 int h) {
  return CreateWindowEx("button", caption, style, ex, id, x, y, w, h, owner, 0);
}

// Every existing box of the group from `first` to `last`.
template <typename F>
void eachBox(WindowHandle owner, int first, int last, F f) {
  for (int id = first; id <= last; ++id)
    if (exists(owner, id)) f(id);
}

// How far below the IP block's start its grid begins: nothing where the
// "all IP" box stands beside the grid; where it stands above the grid's
// columns, as far as the analog grid lies below its own "all" box (at least
// the box's height), so that the box covers no channel box.
int ipGridDrop(const CtrlResInfo& allIp, const CtrlResInfo* allAnalog, const Grid& grid) {
  const int64_t gridRight = int64_t{grid.x} + int64_t{grid.w} * grid.columns;
  const bool covers = allIp.x < gridRight && grid.x < int64_t{allIp.x} + allIp.w;
  if (!covers) return 0;
  const int below = allAnalog && allAnalog->y < grid.y ? grid.y - allAnalog->y : 0;
  return std::max(below, allIp.h);
}

void groupAll(WindowHandle owner, int all, int first, int last) {
  bool any = false, every = true;
  eachBox(owner, first, last, [&](int id) {
    any = true;
    every = every && stateOf(owner, id) == 1;
  });
  setState(owner, all, any && every ? 1 : 0);
}

}  // namespace

extern "C" {

int createChanCheckBoxes(WindowHandle owner, const char* section, const char* allAnalogKey, const char* allIpKey,
                         const char* itemKey, uint32_t style, uint32_t exStyle, int right, int columns,
                         int filterByRight) {
  CtrlResInfo* item = nullptr;
  if (!section || !itemKey || columns <= 0 || !GetCtrlResInfo(section, itemKey, &item)) return -1;
  const Grid grid{item->x, item->y, item->w, item->h, columns};
  const uint64_t allowed = filterByRight ? getUserRightChans(getLoginUserIndex(getCurOutput()), right) : ~0ull;
  const int analog = getAnalogChanNum();
  int made = 0, x = 0, y = grid.y, bottom = grid.y;
  char caption[16];
  CtrlResInfo *all = nullptr, *allAnalog = nullptr;
  if (allAnalogKey) {
    if (!GetCtrlResInfo(section, allAnalogKey, &allAnalog)) allAnalog = nullptr;
    if (analog > 0 && allAnalog)
      box(owner, allAnalog->caption, style | BS_MULTLINE, exStyle, CHANBOX_ALL_ANALOG, allAnalog->x, allAnalog->y,
          allAnalog->w, allAnalog->h);
    for (int n = 1; n <= analog; ++n) {
      if (!((allowed >> (n - 1)) & 1u)) continue;
      std::snprintf(caption, sizeof caption, "A%d", n);
      grid.place(made++, grid.y, &x, &y);
      box(owner, caption, style, exStyle, CHANBOX_ANALOG_FIRST + n - 1, x, y, grid.w, grid.h);
      bottom = y + grid.h;
    }
    if (made == 0) ShowWindow(GetDlgItem(owner, CHANBOX_ALL_ANALOG), SW_HIDE);
  }
  if (!allIpKey) return bottom;
  const int start = made > 0 ? bottom + 8 : grid.y;
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  int gridStart = start;
  if (GetCtrlResInfo(section, allIpKey, &all) && all) {
    box(owner, all->caption, style | BS_MULTLINE, exStyle, CHANBOX_ALL_IP, all->x, start, all->w, all->h);
    gridStart = start + ipGridDrop(*all, allAnalog, grid);
  }
  int ipMade = 0;
  bottom = start;
  for (int n = 0; n < IP_CHANNEL_BOUND && analog + n < 64; ++n) {
    // A camera the device does not have gets no box, filtered or not.
    if (!((ipMask >> n) & 1u) || (filterByRight && !((allowed >> (analog + n)) & 1u))) continue;
    std::snprintf(caption, sizeof caption, "D%d", n + 1);
    grid.place(ipMade++, gridStart, &x, &y);
    box(owner, caption, style, exStyle, CHANBOX_IP_FIRST + n, x, y, grid.w, grid.h);
    bottom = y + grid.h;
  }
  if (ipMade == 0) ShowWindow(GetDlgItem(owner, CHANBOX_ALL_IP), SW_HIDE);
  return bottom;
}

void setAllChanCheckBoxes(WindowHandle owner, int state) {
  setState(owner, CHANBOX_ALL_ANALOG, state);
  eachBox(owner, CHANBOX_ANALOG_FIRST, kAnalogLast, [&](int id) { setState(owner, id, state); });
  setState(owner, CHANBOX_ALL_IP, state);
  eachBox(owner, CHANBOX_IP_FIRST, kIpLast, [&](int id) { setState(owner, id, state); });
}

void onChanAllCheckBox(WindowHandle owner, int id) {
  const int state = stateOf(owner, id);
  const bool analog = id == CHANBOX_ALL_ANALOG;
  eachBox(owner, analog ? CHANBOX_ANALOG_FIRST : CHANBOX_IP_FIRST, analog ? kAnalogLast : kIpLast,
          [&](int box) { setState(owner, box, state); });
}

void onChanCheckBox(WindowHandle owner, int id) {
  if (stateOf(owner, id) != 0) return;
  setState(owner, id <= kAnalogLast ? CHANBOX_ALL_ANALOG : CHANBOX_ALL_IP, 0);
}

uint64_t getCheckedChanMask(WindowHandle owner) {
  uint64_t mask = 0;
  const int analog = getAnalogChanNum();
  eachBox(owner, CHANBOX_ANALOG_FIRST, kAnalogLast, [&](int id) {
    if (stateOf(owner, id) == 1) mask |= 1ull << (id - CHANBOX_ANALOG_FIRST);
  });
  eachBox(owner, CHANBOX_IP_FIRST, kIpLast, [&](int id) {
    const int bit = analog + id - CHANBOX_IP_FIRST;
    if (bit < 64 && stateOf(owner, id) == 1) mask |= 1ull << bit;
  });
  return mask;
}

void setChanCheckBoxes(WindowHandle owner, uint64_t mask) {
  const int analog = getAnalogChanNum();
  eachBox(owner, CHANBOX_ANALOG_FIRST, kAnalogLast,
          [&](int id) { setState(owner, id, static_cast<int>((mask >> (id - CHANBOX_ANALOG_FIRST)) & 1u)); });
  eachBox(owner, CHANBOX_IP_FIRST, kIpLast, [&](int id) {
    const int bit = analog + id - CHANBOX_IP_FIRST;
    setState(owner, id, bit < 64 ? static_cast<int>((mask >> bit) & 1u) : 0);
  });
  groupAll(owner, CHANBOX_ALL_ANALOG, CHANBOX_ANALOG_FIRST, kAnalogLast);
  groupAll(owner, CHANBOX_ALL_IP, CHANBOX_IP_FIRST, kIpLast);
}

void setChanBoxesByRecStatus(WindowHandle owner, int record) {
  // The snapshot page shows the channels taking snapshots, not recording.
  const uint64_t recording = record ? getRecordingChanMask() : getSnapshotChanMask();
  const int analog = getAnalogChanNum();
  struct Group {
    int all, first, last, firstChannel;
  } groups[] = {{CHANBOX_ALL_ANALOG, CHANBOX_ANALOG_FIRST, kAnalogLast, 1},
                {CHANBOX_ALL_IP, CHANBOX_IP_FIRST, kIpLast, analog + 1}};
  for (const Group& g : groups) {
    bool any = false, everyInMask = true, anyRecording = false;
    eachBox(owner, g.first, g.last, [&](int id) {
      any = true;
      const int channel = g.firstChannel + id - g.first;
      // A channel that may not be operated by hand shows so.
      const bool operable = record ? canManualRecord(channel) != 0 : canManualSnapshot(channel) != 0;
      SendDlgItemMessage(owner, id, MSG_ENABLE, operable ? 1 : 0, 0);
      if (!operable || channel > 64 || !((recording >> (channel - 1)) & 1u)) {
        everyInMask = false;
        return;
      }
      // A status that names no kind (a device that keeps none) leaves the
      // mask's word, which holds the channels started by hand.
      RecordStatus status{};
      if (record) getRecordStatus(channel, &status);
      const bool active = status.recording == kRecordingByHand || status.recording == kNoKindReported;
      anyRecording = anyRecording || active;
      setState(owner, id, active ? 1 : 2);
    });
    SendDlgItemMessage(owner, g.all, MSG_ENABLE, any ? 1 : 0, 0);
    if (any && everyInMask) setState(owner, g.all, anyRecording ? 1 : 2);
  }
}

}  // extern "C"

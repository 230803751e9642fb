// The motion page's channels: loading one into the working record, the
// per-channel cache of edits, Apply, copy to channels and event handling.
#include <cstring>

#include "app/alarmnet/events/event_sources.h"
#include "app/alarmnet/events/motion/motion_page.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_frame.h"
#include "app/window_calls.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace motion {
namespace {

// Holiday segments and record channels of a channel's motion event.
constexpr int kKindRecord = 1, kKindMotion = 3;
constexpr int kCopyMode = 1;

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

ChanEditSlot* slotOf(int channel) {
  return channel >= 1 && channel <= kCachedChannels ? &page().slots[channel - 1] : nullptr;
}

uint64_t recordMaskOf(const ChannelConfig& c) {
  return static_cast<uint64_t>(c.motionRecordMask[1]) << 32 | c.motionRecordMask[0];
}

void setRecordMask(ChannelConfig* c, uint64_t mask) {
  c->motionRecordMask[0] = static_cast<uint32_t>(mask);
  c->motionRecordMask[1] = static_cast<uint32_t>(mask >> 32);
}

// The motion block runs from the area through the record channel mask.
constexpr size_t kBlockStart = offsetof(ChannelConfig, motionArea);
constexpr size_t kBlockEnd = offsetof(ChannelConfig, motionRecordMask) + sizeof(ChannelConfig::motionRecordMask);

void copyMotionBlock(const ChannelConfig& from, ChannelConfig* to) {
  std::memcpy(reinterpret_cast<uint8_t*>(to) + kBlockStart, reinterpret_cast<const uint8_t*>(&from) + kBlockStart,
              kBlockEnd - kBlockStart);
}

// One channel's three writes; the first failing code.
int writeChannel(int channel, const ChannelConfig& edited, const TimeSegment* holiday) {
  ChannelConfig fresh{};
  if (const int rc = getChannelConfig(login(), channel, &fresh)) return rc;
  copyMotionBlock(edited, &fresh);
  if (const int rc = setChannelConfig(login(), channel, &fresh, 1)) return rc;
  if (hasCaptureSchedule()) {
    uint64_t mask = 0;
    if (const int rc = getRecordChanMask(login(), channel, kKindRecord, &mask)) return rc;
    if (const int rc = setRecordChanMask(login(), channel, kKindRecord, recordMaskOf(edited))) return rc;
  }
  return setHolidaySegments(login(), channel, kKindMotion, holiday);
}

int selectedChannel() {
  return comboValue(page().page, kChannelBox);
}

void setTrackbar(uint8_t sensitivity) {
  const int position = sensitivity == kSensitivityOff ? 0 : sensitivity + 1;
  SendDlgItemMessage(page().page, kSensitivity, TBM_SETPOS, static_cast<WParam>(position), 0);
}

void showChannelValues(int channel) {
  PageState& s = page();
  setChecked(s.page, kEnableBox, s.work.motionEnable);
  setTrackbar(s.work.motionSensitivity);
  const Grid g = currentGrid();
  showViewPosVideo(s.page, channel, g.x, g.y);
}

}  // namespace

void readControls() {
  PageState& s = page();
  s.work.motionEnable = isChecked(s.page, kEnableBox) ? 1 : 0;
  const LResult position = SendDlgItemMessage(s.page, kSensitivity, TBM_GETPOS, 0, 0);
  s.work.motionSensitivity = position <= 0 ? kSensitivityOff : static_cast<uint8_t>(position - 1);
  if (gridMode())
    std::memcpy(s.work.motionArea, s.grid, sizeof s.grid);
  else if (s.zones)
    s.zones->store(&s.work.motionArea[0][0], currentChannel());
}

int loadChannel(int channel) {
  PageState& s = page();
  if (ChanEditSlot* slot = slotOf(channel); slot && slot->cached) {
    s.work = slot->record;
    std::memcpy(s.holiday, slot->holiday, sizeof s.holiday);
  } else {
    s.work = ChannelConfig{};
    // Cleared first: a failed read must not leave the last channel's days
    // to be written to this one.
    std::memset(s.holiday, 0, sizeof s.holiday);
    if (const int rc = getChannelConfig(login(), channel, &s.work)) return rc;
    getHolidaySegments(login(), channel, kKindMotion, s.holiday);
  }
  fetchCaps(channel);
  showChannelValues(channel);
  if (gridMode())
    loadMotionArea(s.work);
  else
    buildZones();
  showAreaTools();
  return 0;
}

int saveMotionParam(bool cacheOnly) {
  PageState& s = page();
  readControls();
  const int current = currentChannel();
  if (cacheOnly) {
    if (ChanEditSlot* slot = slotOf(current)) {
      slot->cached = 1;
      slot->record = s.work;
      std::memcpy(slot->holiday, s.holiday, sizeof s.holiday);
    }
    return 0;
  }
  const int selected = selectedChannel();
  if (selected >= 1)
    if (const int rc = writeChannel(selected, s.work, s.holiday)) return rc;
  const int channels = getChannelNum();
  for (int channel = 1; channel <= channels && channel <= kCachedChannels; ++channel) {
    const ChanEditSlot& slot = s.slots[channel - 1];
    if (channel == selected || !slot.cached) continue;
    if (const int rc = writeChannel(channel, slot.record, slot.holiday)) return rc;
  }
  if (gridMode())
    loadMotionArea(s.work);
  else
    buildZones();
  for (ChanEditSlot& slot : s.slots) slot.cached = 0;
  return 0;
}

void onChannelChange() {
  PageState& s = page();
  const int previous = currentChannel();
  const int channel = selectedChannel();
  if (checkChanSupported(s.page, kChannelBox, channel, previous, 4) == 0) {
    s.drag.active = false;
    s.repaintCells = true;
    invalidateView();
    return;
  }
  if (channel != previous) {
    if (const int rc = saveMotionParam(true)) {
      reportSaveFailed(s.page, rc);
      s.drag.active = false;
      selectComboValue(s.page, kChannelBox, previous);
      return;
    }
    restoreStoredPreview(previous);
    setCurrentChannel(channel);
    if (loadChannel(channel) != 0) {
      showMsgBox(s.page, "commons", "getcamerahint", MSGBOX_ERROR);
      s.drag.active = false;
      s.repaintCells = true;
      invalidateView();
    }
    enableCtrlByChan(s.page, PAGE_ID_COPY, channel);
  }
  // Another channel shown is no edit: Apply stays as the edits left it.
}

void onCopy() {
  PageState& s = page();
  const WindowHandle menu = getCameraMenuWnd();
  const int current = currentChannel();
  if (IsValidHandle(menu)) EnableWindow(menu, FALSE);
  showImageCopyChanDialog(s.page, current, kCopyMode);
  if (IsValidHandle(menu)) EnableWindow(menu, TRUE);
  const uint64_t mask = getImageCopyChanMask();
  if (mask != 0) {
    if (const int rc = saveMotionParam(true)) {
      reportSaveFailed(s.page, rc);
      return;
    }
    uint64_t ipMask = 0;
    const int channels = getAnalogChanNum() + getIpChannelNum(&ipMask);
    for (int channel = 1; channel <= channels && channel <= kCachedChannels; ++channel) {
      if (!((mask >> (channel - 1)) & 1u)) continue;
      ChanEditSlot& slot = s.slots[channel - 1];
      if (slot.cached) {
        const uint64_t kept = recordMaskOf(slot.record);
        slot.record = s.work;
        setRecordMask(&slot.record, kept);
      } else {
        slot.cached = 1;
        slot.record = s.work;
        // A target whose record cannot be read records nothing rather than
        // the channels of whichever channel was read before it.
        ChannelConfig target{};
        setRecordMask(&slot.record, getChannelConfig(login(), channel, &target) == 0 ? recordMaskOf(target) : 0);
      }
      std::memcpy(slot.holiday, s.holiday, sizeof s.holiday);
    }
    enableApply(s.page, 0, 0);
  }
  s.repaintCells = true;
  invalidateView();
}

void onEventHandling() {
  PageState& s = page();
  std::memcpy(getHandleSetSource(), s.holiday, sizeof s.holiday);
  const WindowHandle menu = getCameraMenuWnd();
  if (IsValidHandle(menu)) EnableWindow(menu, FALSE);
  const bool changed = showHandleSetDialog(s.page, EVENT_SOURCE_MOTION) != 0;
  if (IsValidHandle(menu)) EnableWindow(menu, TRUE);
  std::memcpy(s.holiday, getHandleSetSource(), sizeof s.holiday);
  if (changed) enableApply(s.page, 0, 0);
  s.repaintCells = true;
  invalidateView();
}

}  // namespace motion

extern "C" {

ChannelConfig* getMotionParam(void) { return &motion::page().work; }

}  // extern "C"

// The device's thread: only the live rows and their flag are written.
int onMotionStatus(int channel, const uint32_t* rowMasks) {
  if (!rowMasks || channel < 1 || channel != motion::currentChannel()) return 0;
  motion::LiveRows& l = motion::live();
  const int rows = l.gridRows.load(std::memory_order_relaxed);
  for (int r = 0; r < rows && r < motion::kLiveRows; ++r) l.rows[r].store(rowMasks[r], std::memory_order_relaxed);
  l.data.store(true, std::memory_order_release);
  return 0;
}

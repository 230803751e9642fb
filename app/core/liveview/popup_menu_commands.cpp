// What the items of the live view's pop-up menu do when chosen.
#include <cstdint>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/core/liveview/popup_menu.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/liveview_menu.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/msgbox.h"
#include "app/playback.h"
#include "app/record_services.h"
#include "gui/app_hooks.h"
#include "gui/livevideo.h"
#include "gui/paint.h"

namespace popup_menu {
namespace {

constexpr int kPlaybackRight = 4;

// The channels the device has, as the channel sub-menu names them: the
// analog channels from 1, then IP channel i (a bit of the device's mask) as
// analog count + 1 + i. Any other id names no channel.
bool isChannelItem(int id) {
  const int channel = id - kChannelBase;
  const int analog = getAnalogChanNum();
  if (channel >= 1 && channel <= analog) return true;
  const int ip = channel - analog - 1;
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  return channel > analog && ip < 64 && ((mask >> ip) & 1u) != 0;
}

void repaint(WindowHandle hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

void showChannel(WindowHandle hwnd, int output, int channel) {
  const int state = getOutputState(output);
  if (state == OUTSTATE_LIVEVIEW) {
    if (showLiveChannel(output, channel) == 0) repaint(hwnd);
  } else if (state == OUTSTATE_PLAYBACK && canSwitchPlaybackChannel(output)) {
    switchPlaybackChannel(output, hwnd, channel);
  }
}

int splitOf(int id) {
  switch (id) {
    case kSplit4: return 4;
    case kSplit4 + 1: return 6;
    case kSplit4 + 2: return 8;
    case kSplit4 + 3: return 9;
    case kSplit16: return 16;
    case kSplitSingle: return 1;
    default: return getAnalogChanNum();
  }
}

void showSplit(WindowHandle hwnd, int output, int id) {
  if (getOutputState(output) != OUTSTATE_LIVEVIEW) return;
  const int split = splitOf(id);
  const int shown = split == 1 ? showLiveChannel(output, getPreviewMenuChan(output)) : showLiveSplit(output, split, 1);
  if (shown == 0) repaint(hwnd);
}

void changeSequenceItem(int output, int running) {
  const MenuHandle menu = getLiveViewMenu(output);
  if (!menu) return;
  const char *captionKey, *pictureKey;
  sequenceItemText(running, &captionKey, &pictureKey);
  MenuItemInfo info = itemInfo(kSequence, caption(captionKey), picture(pictureKey), 0);
  info.mask = MIIM_TYPE | MIIM_CHECKMARKS;
  SetMenuItemInfo(menu, kSequence, FALSE, &info);
}

void toggleSequence(WindowHandle hwnd, int output) {
  PreviewConfig config{};
  getPreviewConfig(getOutputLogin(output), output, &config);
  if (getLiveSequenceState(output) == 1) {
    changeSequenceItem(output, 0);
    stopLiveSequence(output);
  } else if (config.dwellCode != 0) {
    changeSequenceItem(output, 1);
    startLiveSequence(output);
  } else {
    showMsgBox(hwnd, "preview", "sequence_hint", MSGBOX_INFO);
  }
}

void playAllDay(WindowHandle hwnd, int output) {
  if (!ensureLogin(hwnd)) return;
  const int channel = getPreviewMenuChan(output);
  if (!checkUserRight(kPlaybackRight, channel)) {
    showNoPermission(hwnd);
    refreshLoginState(output, getLoginId(output));
    return;
  }
  setSearchKind(output, 0);
  setPlaybackTime(output, 0);
  startChannelPlayback(output, hwnd, channel);
}

}  // namespace
}  // namespace popup_menu

extern "C" int onLiveViewMenuCommand(WindowHandle hwnd, int output, int id) {
  using namespace popup_menu;
  switch (id) {
    case kMainMenu:
      if (ensureLogin(hwnd)) showMainMenu(hwnd);
      return 1;
    case kSingle:
    case kMulti:
    case kRecord:
    case kPrevScreen:
    case kNextScreen:
      return 1;
    case kSequence:
      toggleSequence(hwnd, output);
      return 1;
    case kPlayAllDay:
      playAllDay(hwnd, output);
      return 1;
    case kOutputMode:
      showOutModeSet(hwnd);
      return 1;
    case kOtherOutput:
      if (confirmOutputSwitch(hwnd) == 1) SwitchDispDev();
      return 1;
    case kRecordTiming:
      startTimingRecordAll(output, hwnd, 0, 0);
      return 1;
    case kRecordMotion:
      startMotionRecordAll(output, hwnd, 0, 0);
      return 1;
    default:
      break;
  }
  if ((id >= kSplit4 && id <= kSplit16) || id == kSplitSingle) {
    showSplit(hwnd, output, id);
    return 1;
  }
  if (isChannelItem(id)) {
    showChannel(hwnd, output, id - kChannelBase);
    return 1;
  }
  return 0;
}

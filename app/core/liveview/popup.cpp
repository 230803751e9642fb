// The side menu over the selected live-view window: opening, closing and the
// state of its buttons for the selected channel.
#include <initializer_list>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/login_rights.h"
#include "app/pages_calls.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/livevideo.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace {

enum SideButton {
  kStartRec = 12289,
  kOpenSound = 12291,
  kSnapshot = 12292,
  kPtz = 12293,
  kDigitZoom = 12294,
  kColour = 12295,
  kStrategy = 12296,
  kStopRec = 12302,
  kCloseSound = 12303,
};


void enable(WindowHandle menu, int id, bool on) { SendDlgItemMessage(menu, id, MSG_ENABLE, on ? 1 : 0, 0); }

void show(WindowHandle menu, int id, bool on) {
  const WindowHandle button = GetDlgItem(menu, id);
  if (IsValidHandle(button)) ShowWindow(button, on ? SW_SHOW : SW_HIDE);
}

void enableAll(WindowHandle menu, std::initializer_list<int> ids, bool on) {
  for (int id : ids) enable(menu, id, on);
}

void repaintWindow(WindowHandle hwnd, int index) {
  Rect video{};
  if (IsValidHandle(hwnd) && getPreviewVideoRect(index, &video, nullptr) == 0) InvalidateRect(hwnd, &video, TRUE);
}

void hideAddChanButton() {
  const WindowHandle button = getAddChanButton();
  if (IsValidHandle(button)) ShowWindow(button, SW_HIDE);
}

}  // namespace

extern "C" {

void refreshLeftMenuState(WindowHandle menu, int output) {
  const int channel = getPreviewSelChan(output);
  if (channel == -2 || !IsValidHandle(menu)) return;
  if (channel >= 1 && channel <= 16) {
    const bool audio = hasLiveAudio(channel) != 0;
    enableAll(menu, {kOpenSound, kCloseSound}, audio);
    enableAll(menu, {kColour, kPtz, kStartRec, kStopRec, kSnapshot, kDigitZoom}, true);
  } else {
    enable(menu, kColour, isChanValid(channel, 2) != 0);
    enable(menu, kPtz, isChanValid(channel, 3) != 0);
    enableAll(menu, {kOpenSound, kCloseSound, kStartRec, kStopRec, kSnapshot, kDigitZoom},
              isChanValid(channel, -1) != 0);
  }
  // The device answers a 32-bit mask; it is widened with its sign.
  const uint64_t recording =
      static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(getRecordingChanMask())));
  const bool manual = channel >= 1 && channel <= 64 && ((recording >> (channel - 1)) & 1u);
  show(menu, kStartRec, !manual);
  show(menu, kStopRec, manual);
  if (output == getMainOutput()) {
    // Only one of the pair shows: "closesound" while the channel's audio is
    // open, so the button always does what its picture says.
    const bool open = getLiveAudioChannel() == channel;
    show(menu, kOpenSound, !open);
    show(menu, kCloseSound, open);
  }
  enable(menu, kStrategy, true);
}

void showLiveViewPopup(WindowHandle hwnd, int showIt) {
  const int output = getCurOutput();
  if (getOutputState(output) == OUTSTATE_RETURNED) return;
  setLiveViewPopup(output, 1);
  ClosePrevScrShow();
  hideAddChanButton();
  WindowHandle menu = getLeftMenuWnd(output);
  if (!IsValidHandle(menu)) menu = createLeftMenuWindow(hwnd, output);
  const int index = getPreviewSelWin(output);
  Rect video{}, place{};
  getPreviewVideoRect(index, &video, &place);
  repaintWindow(hwnd, index);
  if (!IsValidHandle(menu)) return;
  MoveWindow(menu, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
  if (showIt) ShowWindow(menu, SW_SHOWNORMAL);
  refreshLeftMenuState(menu, output);
  InvalidateRect(menu, nullptr, TRUE);
}

void closeLiveViewPopup(WindowHandle hwnd) {
  const int output = getCurOutput();
  ClosePrevScrShow();
  if (!getLiveViewPopup(output)) return;
  setLiveViewPopup(output, 0);
  const WindowHandle menu = getLeftMenuWnd(output);
  if (IsValidHandle(menu) && IsWindowVisible(menu)) ShowWindow(menu, SW_HIDE);
  repaintWindow(hwnd, getPreviewSelWin(output));
}

}  // extern "C"

// What the side menu's buttons do for the channel of the selected live-view
// window. A failure closes the bar, shows its box over a disabled live view
// and opens the bar again, so the box never sits under the bar.
#include <cstdint>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/color_panel.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/left_menu.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/playback.h"
#include "app/program.h"
#include "app/record_services.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kRightPtz = 1, kRightRecord = 2, kRightPlayback = 4, kRightPicture = 8;
constexpr int kSearchMore = 105;


void show(WindowHandle menu, int id, bool on) {
  const WindowHandle button = GetDlgItem(menu, id);
  if (IsValidHandle(button)) ShowWindow(button, on ? SW_SHOW : SW_HIDE);
}

// Channels outside 1..64 have no bit: such a channel is not acted on.
uint64_t maskOf(int channel) { return channel >= 1 && channel <= 64 ? uint64_t{1} << (channel - 1) : 0; }

template <typename Box>
void errorSequence(Box box) {
  const WindowHandle live = getTopMainWindow();
  closeLiveViewPopup(live);
  if (IsValidHandle(live)) EnableWindow(live, FALSE);
  box();
  if (IsValidHandle(live)) EnableWindow(live, TRUE);
  showLiveViewPopup(live, 1);
}

void errorBox(WindowHandle menu, const char* section, const char* key, int style) {
  errorSequence([&] { showMsgBox(menu, section, key, style); });
}

// The device's refusal told; the menu stays as the device is.
void refusedBy(WindowHandle menu, int code) {
  errorSequence([&] { showMsgBoxNum(menu, "commons", "savefailed_code", code); });
}

// A text of the language file with one string in it; no box without the text.
void errorBoxWith(WindowHandle menu, const char* section, const char* key, const char* value) {
  errorSequence([&] {
    const char* format = lookupText(section, key);
    if (!format) return;
    char text[128];
    formatChecked(text, sizeof text, format, "s", value);
    showMsgBoxText(menu, text, MSGBOX_INFO);
  });
}

// The login (when the device wants one) and the user's right, each failure
// shown in the error sequence.
bool allowed(WindowHandle menu, int right, int channel) {
  if (isLoginRequired()) {
    int ok = 0;
    errorSequence([&] { ok = ensureLogin(menu); });
    if (!ok) return false;
  }
  if (checkUserRight(right, channel)) return true;
  errorSequence([&] { showNoPermission(menu); });
  return false;
}

bool audioAllowed(WindowHandle menu, int output) {
  PreviewConfig config{};
  if (getPreviewConfig(getOutputLogin(output), output, &config) == 0 && config.audio != 0) return true;
  errorBox(menu, "preview", "voicehint", MSGBOX_INFO);
  return false;
}

struct Context {
  WindowHandle menu;
  int output;
  int channel;
};

void startRecord(const Context& c) {
  if (!allowed(c.menu, kRightRecord, c.channel)) return;
  const uint64_t mask = maskOf(c.channel);
  if (!mask) return;
  if (!canManualRecord(c.channel)) {
    char list[32];
    formatChannelList(static_cast<uint32_t>(mask), static_cast<uint32_t>(mask >> 32), list, sizeof list);
    errorBoxWith(c.menu, "manualrecord", "manualrecord_err_chan", list);
    return;
  }
  if (const int code = startManualRecord(getLoginId(c.output), mask, 1)) {
    return refusedBy(c.menu, code);
  }
  show(c.menu, LEFTMENU_STARTREC, false);
  show(c.menu, LEFTMENU_STOPREC, true);
}

void stopRecord(const Context& c) {
  if (!allowed(c.menu, kRightRecord, c.channel)) return;
  const uint64_t mask = maskOf(c.channel);
  if (!mask) return;
  if (const int code = stopManualRecord(getLoginId(c.output), mask, 1)) {
    return refusedBy(c.menu, code);
  }
  show(c.menu, LEFTMENU_STARTREC, true);
  show(c.menu, LEFTMENU_STOPREC, false);
}

void playLastMinutes(const Context& c) {
  if (!allowed(c.menu, kRightPlayback, c.channel)) return;
  const int found = searchInstantPlayback(c.output, c.channel);
  if (found != 0 && found != kSearchMore) {
    errorSequence([&] { showInstantSearchError(c.menu, found); });
    return;
  }
  const int started = startInstantPlayback(c.output);
  if (started != 0) {
    errorSequence([&] { showPlaybackError(c.output, c.menu, started); });
    return;
  }
  setOutputState(c.output, OUTSTATE_PLAYBACK);
  setPlaybackType(c.output, 1);
  // Closed, not only hidden: a pop-up flag left set would swallow every
  // left click on the live view afterwards.
  const WindowHandle live = getTopMainWindow();
  closeLiveViewPopup(live);
  runInstantPlaybackDialog(live);
}

void openSound(const Context& c) {
  if (c.channel < 1 || !audioAllowed(c.menu, c.output)) return;
  if (openLiveAudio(c.channel, -1, 0, 0, 0) != 0) {
    errorBox(c.menu, "leftmenu", "op_voice_err", MSGBOX_INFO);
    return;
  }
  setLiveAudioChannel(c.channel);
  show(c.menu, LEFTMENU_OPENSOUND, false);
  show(c.menu, LEFTMENU_CLOSESOUND, true);
}

void closeSound(const Context& c) {
  if (c.channel < 1 || !audioAllowed(c.menu, c.output)) return;
  if (closeLiveAudio(c.channel) != 0) {
    errorBox(c.menu, "leftmenu", "op_voice_err", MSGBOX_INFO);
    return;
  }
  setLiveAudioChannel(0);
  show(c.menu, LEFTMENU_OPENSOUND, true);
  show(c.menu, LEFTMENU_CLOSESOUND, false);
}

void snapshot(const Context& c) {
  if (!allowed(c.menu, kRightRecord, c.channel)) return;
  const uint64_t mask = maskOf(c.channel);
  if (!mask) return;
  if (!canManualSnapshot(c.channel)) {
    char name[32] = "";
    formatChanName(c.channel, name);
    errorBoxWith(c.menu, "manualsnapshot", "manualsnapshot_err_chan", name);
    return;
  }
  const int code = startManualSnapshot(getLoginId(c.output), mask);
  if (code != 0) errorSequence([&] { showManualSnapError(c.menu, code); });
}

void ptz(const Context& c) {
  if (!allowed(c.menu, kRightPtz, c.channel)) return;
  setOutputState(c.output, OUTSTATE_PTZ);
  const WindowHandle live = getTopMainWindow();
  closeLiveViewPopup(live);
  openLiveViewPtz(c.output, live);
}

void digitalZoom(const Context& c) {
  const WindowHandle live = getTopMainWindow();
  closeLiveViewPopup(live);
  ReleaseCapture();
  setLeftMenuDragArmed(0);
  if (startLiveViewZoom(live) == 0)
    refreshLoginState(c.output, getLoginId(c.output));
  else
    errorBox(c.menu, "leftmenu", "zoomin_err", MSGBOX_ERROR);
}

// The colour panel and the strategy dialog are modal: a second click while
// one is open only sets the state.
void openOnce(const Context& c, int right, int state, WindowHandle open, int (*run)(WindowHandle)) {
  if (!allowed(c.menu, right, c.channel)) return;
  setOutputState(c.output, state);
  const WindowHandle live = getTopMainWindow();
  closeLiveViewPopup(live);
  if (!IsValidHandle(open)) run(live);
}

}  // namespace

extern "C" {

void hideLeftMenu(WindowHandle menu) {
  const int output = getCurOutput();
  closeLiveViewPopup(getTopMainWindow());
  // The bar may stand without the pop-up flag (as created at start-up).
  if (IsValidHandle(menu) && IsWindowVisible(menu)) ShowWindow(menu, SW_HIDE);
  ReleaseCapture();
  setLeftMenuDragArmed(0);
  refreshLoginState(output, getLoginId(output));
}

void onLeftMenuItem(WindowHandle menu, int id) {
  // A click queued before an item closed the bar would open a second window
  // over the first one's modal loop, each re-enabling the live view on close.
  if (!IsWindowVisible(menu)) return;
  const int output = getCurOutput();
  // Nor does it act under a dialog opened beside it (the output mode dialog,
  // from the pop-up menu): that dialog would be left in the live view's
  // state once the second window closed, deaf to Escape.
  if (getOutputState(output) != OUTSTATE_LIVEVIEW) return;
  const Context c{menu, output, getPreviewSelChan(output)};
  switch (id) {
    case LEFTMENU_STARTREC: startRecord(c); break;
    case LEFTMENU_STOPREC: stopRecord(c); break;
    case LEFTMENU_PLAYBACK5M: playLastMinutes(c); break;
    case LEFTMENU_OPENSOUND: openSound(c); break;
    case LEFTMENU_CLOSESOUND: closeSound(c); break;
    case LEFTMENU_SNAPSHOT: snapshot(c); break;
    case LEFTMENU_PTZ: ptz(c); break;
    case LEFTMENU_DIGITZOOM: digitalZoom(c); break;
    case LEFTMENU_COLORSET:
      openOnce(c, kRightPicture, OUTSTATE_COLORPANEL, getLeftColorSetWnd(), showLeftColorSetDialog);
      break;
    case LEFTMENU_STRATEGY:
      openOnce(c, kRightPicture, OUTSTATE_STRATEGY, getPreviewStrategyWnd(), showPreviewStrategy);
      break;
    case LEFTMENU_HIDE:
      if (getOutputState(output) == OUTSTATE_LIVEVIEW) hideLeftMenu(menu);
      break;
    default:
      break;
  }
}

}  // extern "C"

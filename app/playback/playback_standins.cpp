// Stand-ins for the playback windows: the main output's playback and the
// instant playback answer as placeholder windows that leave registration,
// output state and playback type as the finished windows do.
#include "app/app_registry.h"
#include "app/playback/playback_windows.h"
#include "app/pages_calls.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/placeholder_page.h"
#include "app/playback.h"
#include "gui/app_hooks.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kPlayStopped = 6;
constexpr int kInstantSeconds = 300;
constexpr int kNoFile = 101;

void closeIfOpen(WindowHandle hwnd) {
  // Posted: the desktop thread stops playback while the window's own loop runs.
  if (hwnd != GUI_INVALID_HANDLE) PostMessage(hwnd, MSG_CLOSE, 0, 0);
}

}  // namespace

namespace playback_windows {

int runPlaybackDialog(WindowHandle owner) {
  const int output = getMainOutput();
  PlaceholderPage page;
  page.caption = lookupText("playback", "playback_title");
  page.state = OUTSTATE_PLAYBACK;
  page.output = output;
  page.registerWnd = [output](WindowHandle hwnd) { setPlaybackWnd(output, hwnd); };
  page.afterClose = [output]() {
    setPlaybackType(output, 0);
    reshowMainMenu(output, getMainMenuWnd());
  };
  return runPlaceholderPage(owner, page);
}

int runInstantPlaybackDialog(WindowHandle host) {
  const int output = getCurOutput();
  PlaceholderPage page;
  page.caption = lookupText("playback", "instant_title");
  page.state = OUTSTATE_PLAYBACK;
  page.output = output;
  page.registerWnd = [output](WindowHandle hwnd) { setInstantPlayWnd(output, hwnd); };
  page.afterClose = [output]() { setPlaybackType(output, 0); };
  return runPlaceholderPage(host, page);
}

int canSwitchPlaybackChannel(int output) {
  return getPlaybackWnd(output) != GUI_INVALID_HANDLE || getInstantPlayWnd(output) != GUI_INVALID_HANDLE;
}

void switchPlaybackChannel(int output, WindowHandle, int channel) {
  if (canSwitchPlaybackChannel(output)) setPlaybackChannel(output, channel);
}

void startChannelPlayback(int output, WindowHandle, int channel) {
  resetPlaybackSearch(output, channel);
  setPlaybackChannel(output, channel);
}

// The last five minutes of the channel's recordings, as the device finds them.
int searchInstantPlayback(int output, int channel) {
  resetPlaybackSearch(output, channel);
  setPlaybackTime(output, -kInstantSeconds);
  SearchCondition condition{};
  int count = 0;
  return findRecordFiles(&condition, getOutputLogin(output), &count);
}

int startInstantPlayback(int output) {
  setPlayState(output, 0);
  setPlaybackChannel(output, getPlaybackSearchChannel(output));
  return 0;
}

void stopPlayback(int output) {
  setPlayState(output, kPlayStopped);
  setZoomChannel(output, 0);
  closeIfOpen(getInstantPlayWnd(output));
  closeIfOpen(getPlaybackWnd(output));
}

void showPlaybackWindow(int output, int show) {
  WindowHandle hwnd = getPlaybackWnd(output);
  if (hwnd == GUI_INVALID_HANDLE) return;
  // A full-screen playback stays hidden behind its own picture.
  if (show && getPlaybackVideoArea(output)) return;
  ShowWindow(hwnd, show ? SW_SHOWNORMAL : SW_HIDE);
}

void restoreInstantPlaybackWindow(int output) {
  WindowHandle hwnd = getInstantPlayWnd(output);
  if (hwnd != GUI_INVALID_HANDLE) ShowWindow(hwnd, SW_SHOWNORMAL);
}

int toggleSingleViewAt(int, WindowHandle, WParam, LParam) { return 0; }

// The recorder keeps no recordings to play around a log entry: the search is
// prepared as a real one would be and finds no file.
int searchLogPlayback(int output, int channel, int64_t start, int64_t) {
  resetPlaybackSearch(output, channel);
  setPlaybackTime(output, static_cast<int>(start));
  return kNoFile;
}

int startSmallPlayback(int output) {
  setPlayState(output, 0);
  setPlaybackChannel(output, getPlaybackSearchChannel(output));
  return 0;
}

int runSmallPlaybackDialog(WindowHandle owner) {
  const int output = getMainOutput();
  PlaceholderPage page;
  page.caption = lookupText("playback", "playback_title");
  page.output = output;
  page.afterClose = [output]() { stopPlayback(output); };
  return runPlaceholderPage(owner, page);
}

// No removable device is ever present to export to.
int showExportDialog(WindowHandle owner) {
  showMsgBox(owner, "searchresult", "export_nodevice", MSGBOX_INFO);
  return 0;
}

}  // namespace playback_windows

// The words the playback and search pages leave for each other and for the
// live view, per output id 0..3. Each is one word, read and written whole:
// the desktop thread stops playback while the main thread may run it.
#include <atomic>

#include "app/playback.h"

namespace {

constexpr int kOutputs = 4;

struct PerOutput {
  std::atomic<int> slots[kOutputs] = {};
  void set(int output, int value) {
    if (output >= 0 && output < kOutputs) slots[output].store(value);
  }
  int get(int output) const { return output >= 0 && output < kOutputs ? slots[output].load() : 0; }
};

PerOutput g_type, g_playState, g_fromMenu, g_videoArea, g_searchKind, g_time, g_searchChannel, g_zoomChannel,
    g_channel, g_zoomSelecting, g_winCount;
std::atomic<int> g_searchForBackup{0}, g_searchGenReopened{0};

}  // namespace

extern "C" {

void setPlaybackType(int output, int type) { g_type.set(output, type); }
int getPlaybackType(int output) { return g_type.get(output); }
void setPlayState(int output, int state) { g_playState.set(output, state); }
int getPlayState(int output) { return g_playState.get(output); }
void setPlaybackFromMenu(int output, int flag) { g_fromMenu.set(output, flag); }
int getPlaybackFromMenu(int output) { return g_fromMenu.get(output); }
void setPlaybackVideoArea(int output, int whole) { g_videoArea.set(output, whole); }
int getPlaybackVideoArea(int output) { return g_videoArea.get(output); }
void setSearchForBackup(int flag) { g_searchForBackup.store(flag); }
int getSearchForBackup(void) { return g_searchForBackup.load(); }
void setSearchGenReopened(int flag) { g_searchGenReopened.store(flag); }
int getSearchGenReopened(void) { return g_searchGenReopened.load(); }
void setSearchKind(int output, int kind) { g_searchKind.set(output, kind); }
int getSearchKind(int output) { return g_searchKind.get(output); }
void setPlaybackTime(int output, int time) { g_time.set(output, time); }
int getPlaybackTime(int output) { return g_time.get(output); }
void resetPlaybackSearch(int output, int channel) { g_searchChannel.set(output, channel < 1 ? 0 : channel); }
int getPlaybackSearchChannel(int output) { return g_searchChannel.get(output); }
void setZoomChannel(int output, int channel) { g_zoomChannel.set(output, channel); }
int getZoomChannel(int output) { return g_zoomChannel.get(output); }
void setPlaybackChannel(int output, int channel) { g_channel.set(output, channel); }
int getPlaybackChannel(int output) { return g_channel.get(output); }
void setZoomSelecting(int output, int on) { g_zoomSelecting.set(output, on); }
int isZoomSelecting(int output) { return g_zoomSelecting.get(output); }
void setPlaybackWinCount(int output, int count) { g_winCount.set(output, count); }
int getPlaybackWinCount(int output) { return g_winCount.get(output); }
// No smart search runs on this device.
int getSmartSearchCount(int) { return 0; }

}  // extern "C"

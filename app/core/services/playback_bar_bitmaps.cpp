// Bitmaps of the playback control bar (main and auxiliary output) and of
// the search result pages, copied from the layout once when the live view
// starts; the bar and the pages draw from these copies.
#include "app/layout_bitmaps.h"
#include "app/playback.h"

namespace {

constexpr const char* kWindow = "playback";

// One table per use: the keys the bar and the pages draw.
#define PLAYBACK_BAR_KEYS                                                                       \
  {{"playbar_bg_bmp"}, {"playbar_play_bmp"}, {"playbar_pause_bmp"}, {"playbar_stop_bmp"},      \
   {"playbar_rewind_bmp"}, {"playbar_forward_bmp"}, {"playbar_slow_bmp"}, {"playbar_frame_bmp"}, \
   {"playbar_sound_bmp"}, {"playbar_mute_bmp"}, {"playbar_zoomin_bmp"}, {"playbar_hide_bmp"},   \
   {"playbar_exit_bmp"}}

NamedBitmap g_bar[] = PLAYBACK_BAR_KEYS;
NamedBitmap g_barAux[] = PLAYBACK_BAR_KEYS;
NamedBitmap g_result[] = {{"result_first_bmp"}, {"result_prev_bmp"}, {"result_next_bmp"}, {"result_last_bmp"}};

template <size_t N>
constexpr int countOf(const NamedBitmap (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

extern "C" {

void loadPlaybackBarBitmaps(void) { loadNamedBitmaps(kWindow, g_bar, countOf(g_bar), 0); }
void loadPlaybackBarBitmapsAux(void) { loadNamedBitmaps(kWindow, g_barAux, countOf(g_barAux), 1); }
void loadResultPageBitmaps(void) { loadNamedBitmaps(kWindow, g_result, countOf(g_result), 0); }

const Bitmap* getPlaybackBarBitmap(int aux, const char* key) {
  return aux ? findNamedBitmap(g_barAux, countOf(g_barAux), key) : findNamedBitmap(g_bar, countOf(g_bar), key);
}
const Bitmap* getResultPageBitmap(const char* key) { return findNamedBitmap(g_result, countOf(g_result), key); }

}  // extern "C"

// What the search pages share with the live view: their error boxes and the
// divider under a list row.
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/playback.h"
#include "gui/dc.h"

namespace {

constexpr int kSearchNoFile = 101, kSearchFailed = 102;

// The numbered text of (section, key); no box when the text is missing.
int showNumbered(WindowHandle owner, const char* key, int code) {
  if (!lookupText("playback", key)) return 0;
  return showMsgBoxNum(owner, "playback", key, code);
}

}  // namespace

extern "C" {

int showInstantSearchError(WindowHandle owner, int code) {
  if (code == kSearchNoFile) return showMsgBox(owner, "playback", "search_nofile", MSGBOX_INFO);
  if (code == kSearchFailed) return showMsgBox(owner, "playback", "search_failed", MSGBOX_ERROR);
  return showNumbered(owner, "search_err", code);
}

int showPlaybackError(int, WindowHandle owner, int code) { return showNumbered(owner, "play_err", code); }

void drawListRowDivider(HDC hdc, int x, int y, int w, int h, int) {
  if (w <= 0 || h <= 0) return;
  selectPenColour(hdc, page_colours::kRowDivider);
  MoveTo(hdc, x, y + h - 1);
  LineTo(hdc, x + w - 1, y + h - 1);
}

}  // extern "C"

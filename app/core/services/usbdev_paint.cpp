// The removable backup device as the format pages see it, and the small
// progress window's background.
#include "app/liveview_dialogs.h"
#include "app/page_colours.h"
#include "app/playback.h"
#include "gui/dc.h"
#include "gui/layout.h"
#include "gui/paint.h"

namespace {

constexpr int kBand = 50;

}  // namespace

extern "C" {

int getUsbdevId(void) { return 0; }
int getUsbdevSubId(void) { return 0; }
int usbdevFormat(int, int, int) { return -1; }

void paintSmallDialogBackground(WindowHandle window, WParam hdc, LParam rect) {
  liveview_dialogs::eraseWith(window, hdc, rect, [](HDC dc, const Rect& c) {
    const int w = c.right - c.left, h = c.bottom - c.top;
    SetDCAttr(dc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(SystemInfo[SYSINFO_BKCOLOR]));
    FillBox(dc, 0, 0, w, h - kBand);
    fillColour(dc, page_colours::kTipBand, 0, h - kBand, w, kBand);
  });
}

}  // extern "C"

// The template and background of the shutdown dialog and the hint window.
#include <string>

#include "app/liveview_dialogs.h"
#include "app/page_building.h"
#include "app/page_colours.h"
#include "app/system/shutdown/shutdown_paint.h"
#include "gui/dc.h"

namespace shutdown {

DlgTemplate centredTemplate(const char* section, int width, int height, bool caption) {
  DlgTemplate tmpl = pageframe::dialogTemplate(section);
  if (!caption) tmpl.caption = "";
  if (!pageframe::record(section, (std::string("win_") + section).c_str())) {
    tmpl.x = tmpl.y = 0;
    return tmpl;
  }
  tmpl.x = static_cast<int32_t>((static_cast<int64_t>(width) - tmpl.w) / 2);
  tmpl.y = static_cast<int32_t>((static_cast<int64_t>(height) - tmpl.h) / 2);
  return tmpl;
}

void paintBackground(WindowHandle window, WParam hdc, LParam rect) {
  liveview_dialogs::eraseWith(window, hdc, rect, [](HDC dc, const Rect& c) {
    const int w = c.right - c.left, h = c.bottom - c.top;
    fillColour(dc, page_colours::kPageBackground, 0, 0, w, h);
    if (const CtrlResInfo* band = pageframe::record("mainmenu", "tipinfo"))
      fillColour(dc, page_colours::kTipBand, 0, h - band->h, w, band->h);
  });
}

}  // namespace shutdown

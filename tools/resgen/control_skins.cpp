// Skins of the calendar, the list and bar controls and the playback bars:
// framed gradient boxes, in cells side by side for the skins that show
// several states (the later cells carry a mark).
#include <utility>

#include "bmp_writer.h"

namespace {

struct Look {
  const char* name;
  int width, height, cells;
  Rgb top, bottom;
};

const Rgb kFrame{0x90, 0x88, 0x78}, kMark{0xF0, 0xC0, 0x40};
const Rgb kFace{0x70, 0x68, 0x58}, kFaceDark{0x40, 0x38, 0x30};
const Rgb kHilite{0xD0, 0x90, 0x40}, kHiliteDark{0x90, 0x58, 0x28};
const Rgb kBar{0x30, 0x30, 0x30}, kBarDark{0x18, 0x18, 0x18};

const Look kLooks[] = {
    {"calendar_alarm", 8, 8, 1, {0xE0, 0x30, 0x30}, {0xA0, 0x20, 0x20}},
    {"calendar_plan", 8, 8, 1, {0x30, 0xC0, 0x30}, {0x20, 0x80, 0x20}},
    {"calendar_record", 8, 8, 1, {0x30, 0x80, 0xE0}, {0x20, 0x50, 0xA0}},
    {"calendar_bk_year", 30, 24, 1, kFace, kFaceDark},
    {"calendar_bk_week", 30, 24, 1, kFace, kFaceDark},
    {"calendar_bk_day", 30, 24, 1, kFace, kFaceDark},
    {"calendar_year", 30, 24, 1, kFaceDark, kBar},
    {"calendar_week", 30, 24, 1, kFaceDark, kBar},
    {"calendar_day", 30, 24, 1, kFaceDark, kBar},
    {"calendar_focus", 30, 24, 1, kHilite, kHiliteDark},
    {"date", 18, 18, 1, kFace, kFaceDark},
    {"lvfold", 12, 12, 1, kFace, kFaceDark},
    {"lvunfold", 12, 12, 1, kHilite, kHiliteDark},
    {"IMEctrlbtn", 30, 24, 1, kFace, kFaceDark},
    {"listv_head", 30, 28, 1, kFace, kFaceDark},
    {"ed", 30, 24, 1, kBar, kBarDark},
    {"time", 18, 18, 1, kFace, kFaceDark},
    {"slider_h", 30, 8, 1, kHilite, kHiliteDark},
    {"slider_v", 8, 30, 1, kHilite, kHiliteDark},
    {"slider_h_bk", 30, 8, 1, kBar, kBarDark},
    {"slider_v_bk", 8, 30, 1, kBar, kBarDark},
};

Image Draw(const Look& look) {
  Image img(look.width, look.height);
  const bool across = look.width >= look.height;  // cells side by side, else stacked
  const int cw = across ? look.width / look.cells : look.width;
  const int ch = across ? look.height : look.height / look.cells;
  for (int i = 0; i < look.cells; ++i) {
    const int x = across ? i * cw : 0, y = across ? 0 : i * ch;
    img.Gradient(x, y, cw, ch, look.top, look.bottom);
    if (cw > 2 && ch > 2) img.FrameRect(x, y, cw, ch, kFrame);
    if (i > 0 && cw > 6 && ch > 6) img.FillRect(x + cw / 2 - 2, y + ch / 2 - 2, 4, 4, kMark);
  }
  return img;
}


// One registry entry per look; the maker finds its look by position.
template <size_t I>
Image Make() {
  return Draw(kLooks[I]);
}

template <size_t... I>
SkinFamily Register(std::index_sequence<I...>) {
  return SkinFamily{Skin{kLooks[I].name, Make<I>}...};
}

const SkinFamily kControlSkins = Register(std::make_index_sequence<sizeof kLooks / sizeof kLooks[0]>());

}  // namespace

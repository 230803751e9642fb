// Pictures of the live view's pop-up menus: a 24 x 24 glyph per item, drawn
// light on the menu's dark background, and its selected twin on the
// highlight colour.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 24;
const Rgb kBack{0x2B, 0x26, 0x21}, kSelBack{0x3A, 0x6E, 0xA5}, kInk{0xE8, 0xEA, 0xEE};
const Rgb kRed{0xD8, 0x40, 0x40}, kGreen{0x50, 0xC8, 0x60};

using Glyph = void (*)(Image&);

void Grid(Image& i, int cols, int rows) {
  i.FrameRect(3, 4, 18, 16, kInk);
  for (int c = 1; c < cols; ++c) i.FillRect(3 + 18 * c / cols, 4, 1, 16, kInk);
  for (int r = 1; r < rows; ++r) i.FillRect(3, 4 + 16 * r / rows, 18, 1, kInk);
}
void Arrow(Image& i, int dir) {  // -1 left, 1 right
  for (int k = 0; k < 7; ++k) i.FillRect(dir > 0 ? 9 + k : 15 - k, 5 + k, 1, 14 - 2 * k, kInk);
}
void Play(Image& i, Rgb c) {
  for (int k = 0; k < 8; ++k) i.FillRect(8 + k, 4 + k, 1, 16 - 2 * k, c);
}

void MainMenu(Image& i) {
  for (int r = 0; r < 3; ++r) i.FillRect(4, 6 + 5 * r, 16, 2, kInk);
}
void Single(Image& i) { Grid(i, 1, 1); }
void Multi(Image& i) { Grid(i, 2, 2); }
void PrevScreen(Image& i) { Arrow(i, -1); }
void NextScreen(Image& i) { Arrow(i, 1); }
void StartCruise(Image& i) {
  i.FrameRect(4, 4, 16, 16, kInk);
  Play(i, kGreen);
}
void StopCruise(Image& i) {
  i.FrameRect(4, 4, 16, 16, kInk);
  i.FillRect(8, 8, 8, 8, kRed);
}
void Record(Image& i) {
  for (int y = 0; y < 12; ++y) {
    const int half = y < 6 ? 2 + y : 13 - y;
    i.FillRect(12 - half, 6 + y, 2 * half, 1, kRed);
  }
}
void PlayAllDay(Image& i) {
  i.FrameRect(3, 3, 18, 18, kInk);
  Play(i, kInk);
}
void OutputMode(Image& i) {
  i.FrameRect(3, 4, 18, 12, kInk);
  i.FillRect(10, 16, 4, 3, kInk);
  i.FillRect(7, 19, 10, 1, kInk);
}
void AuxOut(Image& i) {
  i.FrameRect(2, 4, 11, 9, kInk);
  i.FrameRect(11, 11, 11, 9, kInk);
}
void Split4(Image& i) { Grid(i, 2, 2); }
void Split6(Image& i) {
  Grid(i, 3, 3);
  i.FillRect(4, 5, 10, 9, kBack);
}
void Split8(Image& i) {
  Grid(i, 4, 4);
  i.FillRect(4, 5, 12, 10, kBack);
}
void Split9(Image& i) { Grid(i, 3, 3); }
void Split16(Image& i) { Grid(i, 4, 4); }
void RecTime(Image& i) {
  i.FrameRect(4, 4, 16, 16, kInk);
  i.FillRect(11, 7, 2, 6, kInk);
  i.FillRect(11, 12, 5, 2, kInk);
}
void RecMotion(Image& i) {
  for (int k = 0; k < 3; ++k) i.FillRect(4 + 6 * k, 14 - 3 * k, 4, 6 + 3 * k, kInk);
}
void Chan(Image& i) {
  i.FrameRect(3, 7, 13, 10, kInk);
  for (int k = 0; k < 4; ++k) i.FillRect(16 + k, 10 - k, 1, 4 + 2 * k, kInk);
}
void Search(Image& i) {
  i.FrameRect(4, 4, 10, 10, kInk);
  for (int k = 0; k < 6; ++k) i.FillRect(13 + k, 13 + k, 2, 2, kInk);
}
void ZoomIn(Image& i) {
  Search(i);
  i.FillRect(6, 8, 6, 2, kInk);
  i.FillRect(8, 6, 2, 6, kInk);
}
void SmartSearch(Image& i) {
  Grid(i, 3, 3);
  i.FillRect(10, 10, 5, 5, kRed);
}
void Panel(Image& i) {
  i.FrameRect(3, 6, 18, 12, kInk);
  for (int k = 0; k < 3; ++k) i.FillRect(6 + 5 * k, 10, 3, 4, kInk);
}
void Exit(Image& i) {
  for (int k = 4; k < 20; ++k) {
    i.FillRect(k, k, 2, 1, kInk);
    i.FillRect(23 - k, k, 2, 1, kInk);
  }
}

// In the order of the files below: normal picture, then its selected twin.
constexpr Glyph kGlyphs[] = {MainMenu, Single,     Multi,  PrevScreen, NextScreen, StartCruise, Record,
                             PlayAllDay, OutputMode, AuxOut, StopCruise, Split4,    Split6,      Split8,
                             Split9,   Split16,    RecTime, RecMotion, Chan,       Search,      ZoomIn,
                             SmartSearch, Panel,   Exit};

template <size_t N>
Image Picture() {
  Image img(kSize, kSize, kBack);
  kGlyphs[N](img);
  return img;
}

// The glyph drawn on the menu background, every background pixel then
// turned into the highlight (some glyphs blank parts in the background).
template <size_t N>
Image SelectedPicture() {
  Image normal = Picture<N>();
  Image img(kSize, kSize, kSelBack);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Rgb c = normal.At(x, y);
      if (c.r != kBack.r || c.g != kBack.g || c.b != kBack.b) img.Set(x, y, c);
    }
  return img;
}

#define RIGHTMENU_PAIR(n, name) {name, Picture<n>}, {name "_sel", SelectedPicture<n>}

const SkinFamily kRightMenuSkins{
    RIGHTMENU_PAIR(0, "menu_mainmenu"),      RIGHTMENU_PAIR(1, "menu_singlepic"),
    RIGHTMENU_PAIR(2, "menu_multipic"),      RIGHTMENU_PAIR(3, "menu_prevscr"),
    RIGHTMENU_PAIR(4, "menu_nextscr"),       RIGHTMENU_PAIR(5, "menu_startcruise"),
    RIGHTMENU_PAIR(6, "menu_startrecord"),   RIGHTMENU_PAIR(7, "menu_playallday"),
    RIGHTMENU_PAIR(8, "menu_outputmode"),    RIGHTMENU_PAIR(9, "menu_auxvout"),
    RIGHTMENU_PAIR(10, "menu_stopcruise"),   RIGHTMENU_PAIR(11, "submenu_4div"),
    RIGHTMENU_PAIR(12, "submenu_6div"),      RIGHTMENU_PAIR(13, "submenu_8div"),
    RIGHTMENU_PAIR(14, "submenu_9div"),      RIGHTMENU_PAIR(15, "submenu_16div"),
    RIGHTMENU_PAIR(16, "menu_startrec_time"), RIGHTMENU_PAIR(17, "menu_startrec_motion"),
    RIGHTMENU_PAIR(18, "menu_chan"),         RIGHTMENU_PAIR(19, "menu_search"),
    RIGHTMENU_PAIR(20, "menu_zoomin"),       RIGHTMENU_PAIR(21, "menu_smartsearch"),
    RIGHTMENU_PAIR(22, "menu_panel"),        RIGHTMENU_PAIR(23, "menu_exit"),
};

#undef RIGHTMENU_PAIR

}  // namespace

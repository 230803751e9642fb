// Pictures of the live view settings page: a small drawing of each layout
// mode, the play, stop and paging buttons (each with a greyed twin for its
// disabled state), the button backgrounds and the channel list's placed and
// not-placed marks.
#include "bmp_writer.h"

namespace {

constexpr int kW = 36, kH = 28;
const Rgb kBack{0x3A, 0x3E, 0x46}, kHover{0x4E, 0x6A, 0x96}, kLine{0xE0, 0xE4, 0xEA}, kGrey{0x80, 0x84, 0x8A};
const Rgb kGreen{0x40, 0xC0, 0x60}, kRed{0xD0, 0x40, 0x40}, kListBack{0x20, 0x24, 0x2C};

Image Button(void (*draw)(Image&, Rgb), Rgb ink) {
  Image img(kW, kH, kBack);
  draw(img, ink);
  return img;
}

// The screen outline and the lines between windows of an n x n grid; the
// first `merged` cells from the top left form one window.
void Grid(Image& i, Rgb c, int n, int merged) {
  const int x0 = 4, y0 = 3, w = 28, h = 22;
  i.FrameRect(x0, y0, w, h, c);
  for (int k = 1; k < n; ++k) {
    const int x = x0 + w * k / n, y = y0 + h * k / n;
    const int from = k < merged ? y0 + h * merged / n : y0;
    i.FillRect(x, from, 1, y0 + h - from, c);
    const int left = k < merged ? x0 + w * merged / n : x0;
    i.FillRect(left, y, x0 + w - left, 1, c);
  }
}

void One(Image& i, Rgb c) { Grid(i, c, 1, 0); }
void Four(Image& i, Rgb c) { Grid(i, c, 2, 0); }
void Six(Image& i, Rgb c) { Grid(i, c, 3, 2); }
void Eight(Image& i, Rgb c) { Grid(i, c, 4, 3); }
void Nine(Image& i, Rgb c) { Grid(i, c, 3, 0); }
void Sixteen(Image& i, Rgb c) { Grid(i, c, 4, 0); }

void Play(Image& i, Rgb c) {
  for (int k = 0; k < 8; ++k) i.FillRect(13 + k, 6 + k, 1, 16 - 2 * k, c);
}
void Stop(Image& i, Rgb c) { i.FillRect(11, 7, 14, 14, c); }
void Prev(Image& i, Rgb c) {
  for (int k = 0; k < 8; ++k) i.FillRect(21 - k, 6 + k, 1, 16 - 2 * k, c);
}
void Next(Image& i, Rgb c) {
  for (int k = 0; k < 8; ++k) i.FillRect(14 + k, 6 + k, 1, 16 - 2 * k, c);
}

Image Mark(Rgb c, bool filled) {
  Image img(16, 16, kListBack);
  if (filled)
    img.FillRect(4, 4, 8, 8, c);
  else
    img.FrameRect(4, 4, 8, 8, c);
  return img;
}

const SkinFamily kPreviewSetSkins{
    {"previewset_1x1", [] { return Button(One, kLine); }},
    {"previewset_2x2", [] { return Button(Four, kLine); }},
    {"previewset_1p5", [] { return Button(Six, kLine); }},
    {"previewset_1p7", [] { return Button(Eight, kLine); }},
    {"previewset_3x3", [] { return Button(Nine, kLine); }},
    {"previewset_4x4", [] { return Button(Sixteen, kLine); }},
    {"previewset_1x1_dis", [] { return Button(One, kGrey); }},
    {"previewset_2x2_dis", [] { return Button(Four, kGrey); }},
    {"previewset_1p5_dis", [] { return Button(Six, kGrey); }},
    {"previewset_1p7_dis", [] { return Button(Eight, kGrey); }},
    {"previewset_3x3_dis", [] { return Button(Nine, kGrey); }},
    {"previewset_4x4_dis", [] { return Button(Sixteen, kGrey); }},
    {"previewset_order_play", [] { return Button(Play, kGreen); }},
    {"previewset_order_stop", [] { return Button(Stop, kRed); }},
    {"previewset_order_prev", [] { return Button(Prev, kLine); }},
    {"previewset_order_next", [] { return Button(Next, kLine); }},
    {"previewset_order_play_dis", [] { return Button(Play, kGrey); }},
    {"previewset_order_stop_dis", [] { return Button(Stop, kGrey); }},
    {"previewset_order_prev_dis", [] { return Button(Prev, kGrey); }},
    {"previewset_order_next_dis", [] { return Button(Next, kGrey); }},
    {"previewset_btn_bg", [] { return Image(kW, kH, kBack); }},
    {"previewset_btn_bg_hover", [] { return Image(kW, kH, kHover); }},
    {"previewset_camplay", [] { return Mark(kGreen, true); }},
    {"previewset_camstop", [] { return Mark(kGrey, false); }},
};

}  // namespace

// The network detection chart's pictures: the send and receive legends (a
// short line in the series colour on the chart's grey) and the pause and
// show marks of the chart.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 16;
const Rgb kBack{0x32, 0x32, 0x32}, kSend{0x30, 0xC0, 0x40}, kReceive{0xE0, 0x50, 0x30}, kInk{0xD8, 0xD8, 0xD8};

Image Legend(Rgb colour) {
  Image img(kSize, kSize, kBack);
  img.FillRect(1, 6, 14, 4, colour);
  return img;
}

Image Send() { return Legend(kSend); }
Image Receive() { return Legend(kReceive); }

Image Pause() {
  Image img(kSize, kSize, kBack);
  img.FillRect(4, 3, 3, 10, kInk);
  img.FillRect(9, 3, 3, 10, kInk);
  return img;
}

Image Show() {
  Image img(kSize, kSize, kBack);
  for (int row = 0; row < 11; ++row) img.FillRect(5, 3 + row, 1 + (row < 6 ? row : 10 - row), 1, kInk);
  return img;
}

const SkinFamily kNetDaSkins{
    {"netda_send", Send},
    {"netda_receive", Receive},
    {"netda_pause", Pause},
    {"netda_show", Show},
};

}  // namespace

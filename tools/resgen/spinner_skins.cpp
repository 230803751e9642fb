// The time spinner's arrows: four rows of one bitmap, each a quarter of
// its height: up pressed, up, down pressed, down.
#include "bmp_writer.h"

namespace {

constexpr int kW = 16, kRow = 10;
const Rgb kFace{0x70, 0x68, 0x58}, kFaceDark{0x40, 0x38, 0x30};
const Rgb kPressed{0xD0, 0x90, 0x40}, kPressedDark{0x90, 0x58, 0x28};
const Rgb kFrame{0x90, 0x88, 0x78}, kArrow{0xF0, 0xF0, 0xE8};

void Row(Image& img, int row, bool pressed, bool up) {
  const int y0 = row * kRow;
  img.Gradient(0, y0, kW, kRow, pressed ? kPressed : kFace, pressed ? kPressedDark : kFaceDark);
  img.FrameRect(0, y0, kW, kRow, kFrame);
  // A triangle four rows tall, its point up or down.
  for (int k = 0; k < 4; ++k) {
    const int half = up ? k : 3 - k, y = y0 + 3 + k;
    for (int x = kW / 2 - 1 - half; x <= kW / 2 + half; ++x) img.Set(x, y, kArrow);
  }
}

Image UpDownArrow() {
  Image img(kW, 4 * kRow);
  Row(img, 0, true, true);
  Row(img, 1, false, true);
  Row(img, 2, true, false);
  Row(img, 3, false, false);
  return img;
}

const SkinFamily kSpinnerSkins{Skin{"updownarrow", UpDownArrow}};

}  // namespace

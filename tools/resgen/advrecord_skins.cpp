// The advanced record page's warning sign shown while recordings are not
// overwritten: a yellow triangle with an exclamation mark.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 32;
const Rgb kBack{0x32, 0x32, 0x32}, kYellow{0xF0, 0xC0, 0x30}, kInk{0x20, 0x20, 0x20};

Image Warning() {
  Image img(kSize, kSize, kBack);
  for (int row = 0; row < 28; ++row) {
    const int half = row / 2;
    img.FillRect(16 - half - 1, 2 + row, 2 * half + 2, 1, kYellow);
  }
  img.FillRect(15, 10, 2, 11, kInk);
  img.FillRect(15, 24, 2, 3, kInk);
  return img;
}

const SkinFamily kAdvRecordSkins{
    {"advrecord_overwrite_warn", Warning},
};

}  // namespace

// The warning picture of the format confirmation: an amber triangle with an
// exclamation mark on the dialog's grey.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 48;
const Rgb kGround{0x32, 0x32, 0x32}, kAmber{0xE8, 0xA8, 0x20}, kMark{0x22, 0x22, 0x22};

Image Warning() {
  Image im(kSize, kSize, kGround);
  // Rows widen by one pixel each side every row from the apex down.
  for (int y = 4; y < 44; ++y) {
    const int half = (y - 4) * 21 / 40;
    im.FillRect(24 - half, y, 2 * half + 1, 1, kAmber);
  }
  im.FillRect(22, 16, 5, 16, kMark);
  im.FillRect(22, 35, 5, 5, kMark);
  return im;
}

const SkinFamily kFormatSkins{
    {"format_warn", Warning},
};

}  // namespace

// The log search page's type pictures: a bell for alarms, a warning sign for
// exceptions, a hand-held pen for operations and an "i" for information.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 24;
const Rgb kBack{0x32, 0x32, 0x32}, kInk{0x20, 0x20, 0x20}, kWhite{0xF0, 0xF0, 0xF0};
const Rgb kRed{0xD0, 0x30, 0x30}, kYellow{0xF0, 0xC0, 0x30}, kGreen{0x40, 0xB0, 0x50}, kBlue{0x40, 0x80, 0xD0};

Image Alarm() {
  Image img(kSize, kSize, kBack);
  for (int row = 0; row < 12; ++row) img.FillRect(12 - 3 - row / 3, 4 + row, 6 + 2 * (row / 3), 1, kRed);
  img.FillRect(4, 16, 16, 2, kRed);
  img.FillRect(10, 19, 4, 2, kRed);
  return img;
}

Image Exception() {
  Image img(kSize, kSize, kBack);
  for (int row = 0; row < 20; ++row) img.FillRect(12 - row / 2 - 1, 2 + row, 2 * (row / 2) + 2, 1, kYellow);
  img.FillRect(11, 8, 2, 8, kInk);
  img.FillRect(11, 18, 2, 2, kInk);
  return img;
}

Image Operation() {
  Image img(kSize, kSize, kBack);
  for (int i = 0; i < 14; ++i) img.FillRect(16 - i, 4 + i, 3, 2, kGreen);
  img.FillRect(3, 19, 4, 2, kWhite);
  return img;
}

Image Information() {
  Image img(kSize, kSize, kBack);
  img.FillRect(4, 2, 16, 20, kBlue);
  img.FillRect(11, 5, 2, 2, kWhite);
  img.FillRect(11, 9, 2, 10, kWhite);
  return img;
}

const SkinFamily kLogSkins{
    {"log_alarm", Alarm},
    {"log_exception", Exception},
    {"log_operation", Operation},
    {"log_information", Information},
};

}  // namespace

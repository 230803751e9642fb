// The pictures of the alarm and manual pages: the event handling button (a
// bell over its background, grey when disabled), the legend marks of the
// manual pages (on by schedule: a clock; on by hand: a hand-set dot) and the
// all-day recording button.
#include "bmp_writer.h"

namespace {

constexpr int kIcon = 24;
const Rgb kBack{0x32, 0x32, 0x32}, kFace{0x46, 0x4B, 0x55}, kEdge{0x78, 0x80, 0x8C};
const Rgb kBell{0xF0, 0xC0, 0x30}, kGrey{0x80, 0x80, 0x80}, kInk{0x20, 0x20, 0x20};
const Rgb kBlue{0x40, 0x90, 0xE0}, kGreen{0x40, 0xC0, 0x60}, kWhite{0xF0, 0xF0, 0xF0}, kRed{0xE0, 0x40, 0x40};

Image Bell(Rgb colour) {
  Image img(kIcon, kIcon, kFace);
  img.FrameRect(0, 0, kIcon, kIcon, kEdge);
  // A bell: a widening body, its rim and clapper.
  for (int row = 0; row < 11; ++row) {
    const int half = 3 + row / 3;
    img.FillRect(12 - half, 5 + row, 2 * half, 1, colour);
  }
  img.FillRect(10, 3, 4, 2, colour);
  img.FillRect(5, 16, 14, 2, colour);
  img.FillRect(11, 18, 2, 2, kInk);
  return img;
}

Image HandleBack() {
  Image img(kIcon, kIcon, kFace);
  img.FrameRect(0, 0, kIcon, kIcon, kEdge);
  return img;
}
Image Handle() { return Bell(kBell); }
Image HandleDisabled() { return Bell(kGrey); }

// A clock face: a ring with two hands.
Image OnSchedule() {
  Image img(kIcon, kIcon, kBack);
  img.FillRect(4, 4, 16, 16, kBlue);
  img.FillRect(6, 6, 12, 12, kWhite);
  img.FillRect(11, 7, 2, 6, kInk);
  img.FillRect(11, 11, 5, 2, kInk);
  return img;
}

// A filled square with a tick: switched on by hand.
Image OnManual() {
  Image img(kIcon, kIcon, kBack);
  img.FillRect(4, 4, 16, 16, kGreen);
  for (int i = 0; i < 4; ++i) img.FillRect(7 + i, 11 + i, 2, 2, kWhite);
  for (int i = 0; i < 6; ++i) img.FillRect(11 + i, 14 - i, 2, 2, kWhite);
  return img;
}

// A record dot on the all-day button.
Image AllDay() {
  Image img(kIcon, kIcon, kFace);
  img.FrameRect(0, 0, kIcon, kIcon, kEdge);
  for (int row = 0; row < 12; ++row) {
    const int half = row < 6 ? 2 + row : 13 - row;
    img.FillRect(12 - half, 6 + row, 2 * half, 1, kRed);
  }
  return img;
}

const SkinFamily kAlarmSkins{
    {"alarm_handle_bg", HandleBack},   {"alarm_handle", Handle},       {"alarm_handle_dis", HandleDisabled},
    {"manual_on_schedule", OnSchedule}, {"manual_on_manual", OnManual}, {"manual_allday", AllDay},
    {"manual_allday_bg", HandleBack},
};

}  // namespace

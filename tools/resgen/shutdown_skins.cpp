// Pictures of the shutdown dialog: a padlock, a power sign and a circular
// arrow in the upper part of a dark tile (the caption takes the middle), and
// the lighter tile a picture sits on under the pointer.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 100;
constexpr int kCx = 50, kCy = 30;
const Rgb kTile{0x32, 0x32, 0x32}, kHoverTile{0x4E, 0x6A, 0x96}, kInk{0xE8, 0xE4, 0xDC};
const Rgb kLockAccent{0x40, 0x90, 0xD0}, kPowerAccent{0xC0, 0x38, 0x30}, kRestartAccent{0x40, 0xB0, 0x60};

void Ring(Image& im, int cx, int cy, int outer, int inner, Rgb c, int gapTop) {
  for (int y = -outer; y <= outer; ++y)
    for (int x = -outer; x <= outer; ++x) {
      const int d = x * x + y * y;
      if (d > outer * outer || d < inner * inner) continue;
      if (y < 0 && x > -gapTop && x < gapTop) continue;
      im.Set(cx + x, cy + y, c);
    }
}

Image Tile(Rgb accent) {
  Image im(kSize, kSize, kTile);
  im.FrameRect(kCx - 22, kCy - 22, 44, 44, accent);
  return im;
}

Image Lock() {
  Image im = Tile(kLockAccent);
  Ring(im, kCx, kCy - 4, 10, 7, kInk, 0);
  im.FillRect(kCx - 13, kCy - 2, 26, 18, kInk);
  im.FillRect(kCx - 2, kCy + 3, 4, 8, kLockAccent);
  return im;
}

Image Power() {
  Image im = Tile(kPowerAccent);
  Ring(im, kCx, kCy + 2, 15, 12, kInk, 6);
  im.FillRect(kCx - 2, kCy - 16, 4, 18, kInk);
  return im;
}

Image Restart() {
  Image im = Tile(kRestartAccent);
  Ring(im, kCx, kCy + 2, 15, 12, kInk, 5);
  for (int k = 0; k < 7; ++k) im.FillRect(kCx + 4 + k, kCy - 16 + k / 2, 1, 8 - k, kInk);
  return im;
}

Image Hover() {
  Image im(kSize, kSize, kHoverTile);
  im.FrameRect(0, 0, kSize, kSize, kInk);
  return im;
}

const SkinFamily kShutdownSkins{
    {"shutdown_hover", Hover},
    {"shutdown_lock", Lock},
    {"shutdown_power", Power},
    {"shutdown_restart", Restart},
};

}  // namespace

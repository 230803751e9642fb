// Pictures of the shutdown dialog: a padlock, a power sign and a circular
// arrow on a dark tile, and the lighter tile a picture sits on under the
// pointer.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 88;
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
  im.FrameRect(8, 8, kSize - 16, kSize - 16, accent);
  return im;
}

Image Lock() {
  Image im = Tile(kLockAccent);
  Ring(im, 44, 36, 14, 10, kInk, 0);
  im.FillRect(26, 38, 36, 28, kInk);
  im.FillRect(42, 46, 4, 12, kLockAccent);
  return im;
}

Image Power() {
  Image im = Tile(kPowerAccent);
  Ring(im, 44, 46, 20, 16, kInk, 8);
  im.FillRect(42, 18, 4, 26, kInk);
  return im;
}

Image Restart() {
  Image im = Tile(kRestartAccent);
  Ring(im, 44, 46, 20, 16, kInk, 6);
  for (int k = 0; k < 8; ++k) im.FillRect(50 + k, 22 + k / 2, 1, 10 - k, kInk);
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

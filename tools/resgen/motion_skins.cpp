// Pictures of the motion page: the event-handling button's arrow (normal and
// disabled) on its tile, and the colour swatch of each detection zone's tool.
#include "bmp_writer.h"

namespace {

constexpr int kTile = 24, kSwatch = 16;
const Rgb kGround{0x32, 0x32, 0x32}, kInk{0xE8, 0xE4, 0xDC}, kGreyInk{0x80, 0x80, 0x80}, kEdge{0x22, 0x22, 0x22};

Image Background() {
  Image im(kTile, kTile, kGround);
  im.FrameRect(0, 0, kTile, kTile, kEdge);
  return im;
}

// A right-pointing arrow: the list opens beside the page.
Image Arrow(Rgb ink) {
  Image im(kTile, kTile, kGround);
  im.FillRect(5, 10, 8, 4, ink);
  for (int k = 0; k < 7; ++k) im.FillRect(13 + k, 5 + k, 1, 14 - 2 * k, ink);
  return im;
}

Image Handle() { return Arrow(kInk); }
Image HandleDisabled() { return Arrow(kGreyInk); }

Image Swatch(Rgb c) {
  Image im(kSwatch, kSwatch, c);
  im.FrameRect(0, 0, kSwatch, kSwatch, kEdge);
  return im;
}

Image Yellow() { return Swatch({0xF0, 0xE0, 0x20}); }
Image Green() { return Swatch({0x30, 0xC0, 0x40}); }
Image Blue() { return Swatch({0x30, 0x60, 0xE0}); }
Image Magenta() { return Swatch({0xD0, 0x40, 0xC0}); }

const SkinFamily kMotionSkins{
    {"motion_handle_bg", Background}, {"motion_handle", Handle}, {"motion_handle_dis", HandleDisabled},
    {"motion_zone_yellow", Yellow},   {"motion_zone_green", Green}, {"motion_zone_blue", Blue},
    {"motion_zone_magenta", Magenta},
};

}  // namespace

// The S.M.A.R.T. page's self-test button: a start sign on a raised tile,
// the tile alone, and the sign greyed while a self-test runs.
#include "bmp_writer.h"

namespace {

constexpr int kW = 40, kH = 28;
const Rgb kTop{0x5A, 0x5A, 0x5A}, kBottom{0x3A, 0x3A, 0x3A}, kEdge{0x80, 0x80, 0x80};
const Rgb kSign{0x50, 0xC8, 0x60}, kGreySign{0x78, 0x78, 0x78};

Image Tile() {
  Image im(kW, kH);
  im.Gradient(0, 0, kW, kH, kTop, kBottom);
  im.FrameRect(0, 0, kW, kH, kEdge);
  return im;
}

// A triangle pointing right, centred on the tile.
Image WithSign(Rgb ink) {
  Image im = Tile();
  for (int col = 0; col < 12; ++col) {
    const int half = 8 - col * 8 / 12;
    im.FillRect(15 + col, kH / 2 - half, 1, 2 * half, ink);
  }
  return im;
}

const SkinFamily kSmartSkins{
    {"smart_handle_bg", Tile},
    {"smart_handle", [] { return WithSign(kSign); }},
    {"smart_handle_dis", [] { return WithSign(kGreySign); }},
};

}  // namespace

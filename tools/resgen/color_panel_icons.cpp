// Row icons of the live view's colour panel: sun, half-tone, colour ramp,
// hue bands, sharp edge and scattered dots, 20 x 20 on the panel's grey.
#include "bmp_writer.h"

namespace {

constexpr int kSize = 20;
const Rgb kBack{0x32, 0x32, 0x32}, kInk{0xE0, 0xE0, 0xE0};

Image Brightness() {
  Image im(kSize, kSize, kBack);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const int dx = x - 10, dy = y - 10, d2 = dx * dx + dy * dy;
      if (d2 <= 20 || (d2 >= 49 && d2 <= 81 && (dx == 0 || dy == 0 || dx == dy || dx == -dy))) im.Set(x, y, kInk);
    }
  return im;
}

Image Contrast() {
  Image im(kSize, kSize, kBack);
  im.FrameRect(3, 3, 14, 14, kInk);
  im.FillRect(3, 3, 7, 14, kInk);
  return im;
}

Image Saturation() {
  Image im(kSize, kSize, kBack);
  for (int x = 3; x < 17; ++x) {
    const uint8_t v = static_cast<uint8_t>(0x60 + (x - 3) * 12);
    im.FillRect(x, 4, 1, 12, Rgb{v, static_cast<uint8_t>(0x60 - (x - 3) * 4), 0x50});
  }
  return im;
}

Image Chroma() {
  Image im(kSize, kSize, kBack);
  const Rgb bands[] = {{0xE0, 0x40, 0x40}, {0xE0, 0xC0, 0x40}, {0x40, 0xC0, 0x40}, {0x40, 0x80, 0xE0}};
  for (int i = 0; i < 4; ++i) im.FillRect(3 + i * 4, 4, 3, 12, bands[i]);
  return im;
}

Image Sharpness() {
  Image im(kSize, kSize, kBack);
  for (int y = 4; y < 16; ++y) im.FillRect(10 - (y - 4) / 2, y, (y - 4) + 1, 1, kInk);
  return im;
}

Image Denoising() {
  Image im(kSize, kSize, kBack);
  for (int y = 3; y < 17; y += 4)
    for (int x = 3 + (y / 4) % 2 * 2; x < 17; x += 4) im.FillRect(x, y, 2, 2, kInk);
  return im;
}

const SkinFamily kColorPanelIcons{
    {"leftcolorset_brightness", Brightness}, {"leftcolorset_contrast", Contrast},
    {"leftcolorset_saturation", Saturation}, {"leftcolorset_chroma", Chroma},
    {"leftcolorset_sharpness", Sharpness},   {"leftcolorset_denoising", Denoising},
};

}  // namespace

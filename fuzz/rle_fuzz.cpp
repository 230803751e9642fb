// Feeds arbitrary run-length codes to the colour-keyed and per-pixel-alpha
// blits (whole and clipped) and to taking the code off a surface.
// Input: kind, width, height, box x, box y, box width, then the code.
//   kind % 6: 0..3 colour-keyed code of 1..4 bytes per pixel (bit 3: with
//   surface alpha from the box width byte), 4 per-pixel alpha onto 5-6-5,
//   5 onto 8-8-8.
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "gdi/gal/rle_code.h"
#include "gui/gal.h"

namespace {

struct Format {
  int bpp;
  uint32_t r, g, b, a;
};

constexpr Format kKeyFormats[] = {{8, 0, 0, 0, 0},
                                  {16, 0xF800, 0x07E0, 0x001F, 0},
                                  {24, 0xFF0000, 0xFF00, 0xFF, 0},
                                  {32, 0xFF0000, 0xFF00, 0xFF, 0}};
constexpr Format kArgb{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
constexpr Format k565{16, 0xF800, 0x07E0, 0x001F, 0};
constexpr Format kXrgb{32, 0xFF0000, 0xFF00, 0xFF, 0};

GalSurface* Make(const Format& f, int w, int h) {
  return GAL_CreateRGBSurface(0, w, h, f.bpp, f.r, f.g, f.b, f.a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const int kind = data[0] % 6;
  const int w = 1 + data[1] % 80, h = 1 + data[2] % 24;
  GalRect box{data[3] % w, data[4] % h, 0, 0};
  box.w = 1 + data[5] % (w - box.x);
  box.h = h - box.y;
  const bool alphaCode = kind >= 4;
  const Format& sf = alphaCode ? kArgb : kKeyFormats[kind];
  const Format& df = alphaCode ? (kind == 4 ? k565 : kXrgb) : sf;
  GalSurface* src = Make(sf, w, h);
  GalSurface* dst = Make(df, w, h);
  if (src && dst) {
    if (!alphaCode) {
      GAL_SetColorKey(src, GAL_SRCCOLORKEY, 0);
      if (data[0] & 8) GAL_SetAlpha(src, GAL_SRCALPHA, data[5]);
    }
    if (gal::rle::adoptCode(src, data + 6, size - 6, alphaCode)) {
      GalRect whole{0, 0, w, h}, at{0, 0, 0, 0};
      for (const GalRect& r : {whole, box}) {
        GalRect from = r;
        if (alphaCode)
          GAL_RLEAlphaBlit(src, &from, dst, &at);
        else
          GAL_RLEBlit(src, &from, dst, &at);
      }
      GAL_UnRLESurface(src, 1);
    }
  }
  GAL_FreeSurface(src);
  GAL_FreeSurface(dst);
  return 0;
}

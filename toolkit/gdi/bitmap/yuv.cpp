// The YUV copy of a bitmap for video outputs that take YUV: studio-range
// luma per pixel and chroma from one pixel of each 2 x 2 block.
#include "gui/bitmap.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gdi/gal/blit_pixel.h"

namespace {

constexpr int kYuvModes = 16;
constexpr int kInterleavedMode = 17;

int Studio(int c) { return c * 219 / 255 + 16; }

struct Transparency {
  bool byKey;
  GalPixel key;
  bool bySystemColour;
  GalPixel systemColour;
  bool of(GalPixel p) const { return byKey ? p == key : (bySystemColour && p == systemColour); }
};

void Convert(const Bitmap* b, uint8_t* out, bool interleaved, const Transparency& t) {
  const GalSurface* screen = GAL_GetVideoSurface();
  if (!screen || !screen->format) return;
  const int w = static_cast<int>(b->bmWidth), h = static_cast<int>(b->bmHeight);
  const int bpp = b->bmBytesPerPixel;
  if (bpp < 1 || bpp > 4) return;
  const size_t area = static_cast<size_t>(w) * h;
  const size_t vStart = area + static_cast<size_t>(h / 2) * (w / 2);
  size_t k = 0;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = b->bmBits + static_cast<size_t>(y) * b->bmPitch;
    for (int x = 0; x < w; ++x) {
      const GalPixel p = gal::px::read(row + static_cast<size_t>(x) * bpp, bpp);
      const bool sample = !(x & 1) && !(y & 1) && x != w - 1 && y != h - 1;
      const bool clear = t.of(p);
      uint8_t r8, g8, b8;
      GAL_GetRGB(p, screen->format, &r8, &g8, &b8);
      const int r = Studio(r8), g = Studio(g8), bl = Studio(b8);
      out[static_cast<size_t>(y) * w + x] =
          clear ? 0 : static_cast<uint8_t>((2991 * r + 5849 * g + 1159 * bl + 5000) / 10000);
      if (!sample) continue;
      const uint8_t u = clear ? 0 : static_cast<uint8_t>((5097 * bl - 3373 * g - 1725 * r + 1285000) / 10000);
      const uint8_t v = clear ? 0 : static_cast<uint8_t>((5097 * r - 4254 * g - 843 * bl + 1285000) / 10000);
      if (interleaved) {
        out[area + 2 * k] = u;
        out[area + 2 * k + 1] = v;
      } else {
        out[area + k] = u;
        out[vStart + k] = v;
      }
      ++k;
    }
  }
}

}  // namespace

extern "C" {

void LoadGetYUVFromBitmap(Bitmap* b) {
  if (!b || !b->bmBits || !b->bmYPlane) return;
  const int mode = GetDeviceColorDepth();
  if (mode < kYuvModes) return;
  const bool keyed = (b->bmType & BMP_TYPE_COLORKEY) != 0;
  Convert(b, b->bmYPlane, mode == kInterleavedMode,
          Transparency{keyed, b->bmColorKey, !keyed, SysPixelIndex[SYSPIXEL_KEY]});
  const size_t area = static_cast<size_t>(b->bmWidth) * b->bmHeight;
  b->bmUPlane = b->bmYPlane + area;
  if (mode != kInterleavedMode) b->bmVPlane = b->bmUPlane + static_cast<size_t>(b->bmHeight / 2) * (b->bmWidth / 2);
}

void GetYUVFromBitmap(const Bitmap* b, uint8_t* buffer) {
  if (!b || !b->bmBits || !buffer) return;
  const bool keyed = (b->bmType & BMP_TYPE_COLORKEY) != 0;
  Convert(b, buffer, GetDeviceColorDepth() == kInterleavedMode,
          Transparency{keyed, b->bmColorKey, false, 0});
}

}  // extern "C"

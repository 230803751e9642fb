// The YUV output modes: the box's YUV copy goes into the luma plane and
// the chroma plane(s) at half resolution; with a colour key, zero bytes are
// transparent.
#include <cstring>

#include "gdi/gal/put_box.h"

namespace gal {

namespace {

constexpr int kInterleavedMode = 17;

void putBytes(uint8_t* d, int step, const uint8_t* s, int n, bool keyed) {
  for (int i = 0; i < n; ++i)
    if (!keyed || s[i]) d[static_cast<ptrdiff_t>(i) * step] = s[i];
}

struct Layout {
  size_t lumaPitch;
  int step;
  size_t area;
  bool fits;
};

Layout layoutOf(const GalSurface* s, const Geometry& g, bool interleaved) {
  Layout l;
  l.step = s->format->yuvStep ? s->format->yuvStep : 1;
  l.lumaPitch = g.lumaPitch ? g.lumaPitch : static_cast<size_t>(g.w) * l.step;
  l.area = static_cast<size_t>(g.w) * g.h;
  size_t capacity = static_cast<size_t>(g.pitch) * g.h;
  size_t chromaRows = (static_cast<size_t>(g.h) + 1) / 2;
  size_t chromaEnd = interleaved ? l.area + chromaRows * l.lumaPitch
                                 : l.area * 5 / 4 + chromaRows * (l.lumaPitch / 2);
  l.fits = l.lumaPitch * g.h <= capacity && chromaEnd <= capacity;
  return l;
}

}  // namespace

int putYuv(GalSurface* s, const Geometry& g, const PutPlace& p, const Bitmap* box) {
  bool interleaved = colorDepthCode() == kInterleavedMode;
  Layout l = layoutOf(s, g, interleaved);
  if (!l.fits || !box->bmYPlane) return 0;
  bool keyed = (box->bmType & BMP_TYPE_COLORKEY) != 0;
  size_t wb = box->bmWidth;
  const uint8_t* luma = box->bmYPlane + (p.dy & ~1) * wb + (p.dx & ~1);
  uint8_t* dst = g.pixels + p.y0 * l.lumaPitch + static_cast<size_t>(p.x0) * l.step;
  for (int r = 0; r < p.h; ++r) putBytes(dst + r * l.lumaPitch, l.step, luma + r * wb, p.w, keyed);

  size_t chromaOffset = (wb >> 1) * (p.dy >> 1) + (p.dx >> 1);
  if (interleaved) {
    if (!box->bmUPlane) return 0;
    const uint8_t* src = box->bmUPlane + 2 * chromaOffset;
    uint8_t* d = g.pixels + l.area + (p.y0 >> 1) * l.lumaPitch + (p.x0 >> 1) * 2 * l.step;
    size_t rowBytes = wb & ~size_t{1};
    for (int r = 0; r + 1 < p.h; r += 2, d += l.lumaPitch) {
      const uint8_t* row = src + (r >> 1) * rowBytes;
      if (!keyed) {
        std::memcpy(d, row, p.w & ~1);
        continue;
      }
      for (int c = 0; c + 1 < p.w; c += 2) {
        if (row[c]) d[c] = row[c];
        if (row[c + 1]) d[c + 1] = row[c + 1];
      }
    }
    return 0;
  }
  if (!box->bmUPlane || !box->bmVPlane) return 0;
  size_t chromaPitch = l.lumaPitch >> 1;
  size_t at = (p.y0 / 2) * chromaPitch + (p.x0 / 2) * l.step;
  uint8_t* du = g.pixels + l.area + at;
  uint8_t* dv = g.pixels + l.area * 5 / 4 + at;
  for (int r = 0; r + 1 < p.h; r += 2, du += chromaPitch, dv += chromaPitch) {
    size_t row = chromaOffset + (wb >> 1) * (r / 2);
    putBytes(du, 1, box->bmUPlane + row, p.w / 2, keyed);
    putBytes(dv, 1, box->bmVPlane + row, p.w / 2, keyed);
  }
  return 0;
}

}  // namespace gal

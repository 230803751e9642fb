// Run-length form of surfaces: encoding (the pixel buffer is given up while
// the code stands in for it), taking the form off again, and the two
// run-length blits chosen as a blit map's surface blit.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "gdi/gal/blit_pixel.h"
#include "gdi/gal/rle_code.h"
#include "gdi/gal_internal.h"

namespace {

using gal::rle::Code;

bool ownsPixels(const GalSurface* s) { return !(s->flags & (GAL_HWSURFACE | GAL_PREALLOC)); }

void freeCode(GalSurface* s) {
  Code* code = gal::rle::codeOf(s);
  if (code) std::free(code->bytes);
  delete code;
  if (s->map && s->map->swData) s->map->swData->auxData = nullptr;
}

void releasePixels(GalSurface* s) {
  if (!ownsPixels(s)) return;
  if (s->auxPixels != s->pixels) delete[] s->auxPixels;
  delete[] s->pixels;
  s->pixels = s->auxPixels = nullptr;
}

// Pixels rebuilt from the code; null when memory runs out.
uint8_t* rebuild(const GalSurface* s, const Code& code) {
  size_t bytes = static_cast<size_t>(s->pitch) * static_cast<size_t>(s->h);
  uint8_t* pixels = new (std::nothrow) uint8_t[bytes]();
  if (!pixels) return nullptr;
  const GalPixelFormat* f = s->format;
  GalRect whole{0, 0, s->w, s->h};
  if (!code.perPixelAlpha) {
    int bpp = f->bytesPerPixel;
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x)
        gal::px::write(pixels + static_cast<size_t>(y) * s->pitch + x * bpp, bpp, f->colorKey);
    gal::rle::keyBlit(code, f, s->w, 255, whole, gal::rle::Target{pixels, s->pitch});
  } else {
    gal::rle::decodeAlpha(code, f, s->w, s->h, gal::rle::Target{pixels, s->pitch & ~3});
  }
  return pixels;
}

uint8_t* firstPixel(const GalSurface* s, const GalRect* r, int bytesPerPixel) {
  return s->pixels + s->offset + static_cast<ptrdiff_t>(r->y) * s->pitch +
         static_cast<ptrdiff_t>(r->x) * bytesPerPixel;
}

// A destination in run-length form is decoded for the blit and encoded
// again afterwards.
class DecodedDestination {
 public:
  explicit DecodedDestination(GalSurface* dst) : dst_(dst), was_(dst->flags & GAL_RLEACCEL) {
    if (was_) GAL_UnRLESurface(dst, 1);
  }
  ~DecodedDestination() {
    if (was_) GAL_RLESurface(dst_);
  }
  DecodedDestination(const DecodedDestination&) = delete;
  DecodedDestination& operator=(const DecodedDestination&) = delete;

 private:
  GalSurface* dst_;
  bool was_;
};

// The source's code for one blit. Decoding the destination frees its code,
// so a surface blitted onto itself reads from a copy taken before.
class SourceCode {
 public:
  SourceCode(const GalSurface* src, const GalSurface* dst) : code_(gal::rle::codeOf(src)) {
    if (!code_ || src != dst) return;
    bytes_.assign(code_->bytes, code_->bytes + code_->size);
    copy_.reset(new Code{bytes_.data(), bytes_.size(), code_->perPixelAlpha});
    code_ = copy_.get();
  }
  const Code* get() const { return code_; }

 private:
  const Code* code_;
  std::vector<uint8_t> bytes_;
  std::unique_ptr<Code> copy_;  // only for a blit onto itself
};

}  // namespace

namespace gal {

void unRleSurface(GalSurface* surface, bool keepContents) {
  GAL_UnRLESurface(surface, keepContents ? 1 : 0);
}

int rleSurface(GalSurface* surface) { return GAL_RLESurface(surface); }

bool rle::adoptCode(GalSurface* s, const uint8_t* bytes, size_t size, bool perPixelAlpha) {
  if (!s || !s->map || !s->map->swData) return false;
  GAL_UnRLESurface(s, 0);
  Code* code = new (std::nothrow) Code{static_cast<uint8_t*>(std::malloc(size ? size : 1)), size, perPixelAlpha};
  if (!code || !code->bytes) {
    if (code) delete code;
    return false;
  }
  if (size) std::memcpy(code->bytes, bytes, size);
  if (!perPixelAlpha) rle::planKey(code, s->w, s->format->bytesPerPixel);
  s->map->swData->auxData = code;
  releasePixels(s);
  s->flags |= GAL_RLEACCEL;
  return true;
}

}  // namespace gal

extern "C" {

int GAL_RLESurface(GalSurface* s) {
  if (!s || !s->map || !s->map->swData) return -1;
  if (s->flags & GAL_RLEACCEL) GAL_UnRLESurface(s, 1);
  const GalPixelFormat* f = s->format;
  if (f->bitsPerPixel < 8 || f->bytesPerPixel > 4 || s->w < 1 || s->h < 1 || !s->pixels) return -1;
  Code code;
  if (s->flags & GAL_SRCCOLORKEY) {
    if (!gal::rle::encodeKey(s, &code)) return -1;
    gal::rle::planKey(&code, s->w, f->bytesPerPixel);
  } else if ((s->flags & GAL_SRCALPHA) && f->aMask) {
    if (!s->map->dst || !gal::rle::encodeAlpha(s, s->map->dst->format, &code)) return -1;
  } else {
    return -1;
  }
  Code* kept = new (std::nothrow) Code(std::move(code));
  if (!kept) {
    std::free(code.bytes);
    gal::reportOutOfMemory();
    return -1;
  }
  s->map->swData->auxData = kept;
  releasePixels(s);
  s->flags |= GAL_RLEACCEL;
  return 0;
}

void GAL_UnRLESurface(GalSurface* s, int keepContents) {
  if (!s || !(s->flags & GAL_RLEACCEL)) return;
  const Code* code = gal::rle::codeOf(s);
  if (keepContents && code && ownsPixels(s)) {
    uint8_t* pixels = rebuild(s, *code);
    // Without memory for the pixels the code is all that holds the picture:
    // the surface stays in run-length form.
    if (!pixels) {
      gal::reportOutOfMemory();
      return;
    }
    s->pixels = s->auxPixels = pixels;
  }
  s->flags &= ~GAL_RLEACCEL;
  freeCode(s);
}

int GAL_RLEBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect) {
  SourceCode source(src, dst);
  const Code* code = source.get();
  if (!code || srcRect->w < 1 || srcRect->h < 1) return 0;
  DecodedDestination decoded(dst);
  if (!dst->pixels) return 0;
  uint8_t alpha = (src->flags & GAL_SRCALPHA) ? src->format->alpha : 255;
  gal::rle::Target to{firstPixel(dst, dstRect, src->format->bytesPerPixel), dst->pitch};
  gal::rle::keyBlit(*code, src->format, src->w, alpha, *srcRect, to);
  return 0;
}

int GAL_RLEAlphaBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect) {
  SourceCode source(src, dst);
  const Code* code = source.get();
  if (!code || srcRect->w < 1 || srcRect->h < 1) return 0;
  DecodedDestination decoded(dst);
  if (!dst->pixels) return 0;
  gal::rle::Target to{firstPixel(dst, dstRect, dst->format->bytesPerPixel), dst->pitch};
  gal::rle::alphaBlit(*code, src->w, *srcRect, to, dst->format->bytesPerPixel);
  return 0;
}

}  // extern "C"

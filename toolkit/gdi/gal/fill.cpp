// Rectangle fills of a surface in packed-RGB and YUV frame-buffer layouts.
#include <algorithm>
#include <cstring>

#include "gdi/gal/row_copy.h"
#include "gdi/gal_internal.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GAL_WIDE_FILLS 1
#endif

namespace {

// The fill rectangle: the request (or the clip) inside the clip and inside
// the chosen geometry, so no fill reaches past the buffer it addresses.
GalRect fillArea(const GalSurface* s, const GalRect* rect, const gal::Geometry& g) {
  const GalRect& clip = s->clipRect;
  GalRect r = rect ? *rect : clip;
  int64_t x0 = std::max<int64_t>({r.x, clip.x, 0});
  int64_t y0 = std::max<int64_t>({r.y, clip.y, 0});
  int64_t x1 = std::min<int64_t>({int64_t{r.x} + r.w, int64_t{clip.x} + clip.w, g.w});
  int64_t y1 = std::min<int64_t>({int64_t{r.y} + r.h, int64_t{clip.y} + clip.h, g.h});
  if (x1 <= x0 || y1 <= y0) return GalRect{0, 0, 0, 0};
  return GalRect{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
                 static_cast<int32_t>(y1 - y0)};
}

// One pixel value repeated over 8 bytes.
uint64_t patternOf(GalPixel color, int bytesPerPixel) {
  uint64_t word = bytesPerPixel == 2 ? (color & 0xFFFFu) * 0x0001000100010001ull
                                     : (color & 0xFFFFFFFFull) * 0x0000000100000001ull;
  return word;
}

// A row shorter than 16 bytes (a whole number of 2- or 4-byte pixels):
// two stores that may overlap, as every pixel holds the same value.
inline void shortPatternRow(uint8_t* p, size_t bytes, uint64_t word) {
  if (bytes >= 8) {
    std::memcpy(p, &word, 8);
    std::memcpy(p + bytes - 8, &word, 8);
  } else if (bytes >= 4) {
    std::memcpy(p, &word, 4);
    std::memcpy(p + bytes - 4, &word, 4);
  } else if (bytes >= 2) {
    std::memcpy(p, &word, 2);
  }
}

#if defined(__SSE2__)
struct PlainStore {
  static void store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
};
struct StreamingStore {
  static void store(uint8_t* p, __m128i v) { _mm_stream_si128(reinterpret_cast<__m128i*>(p), v); }
};

// Whole 16-byte blocks, then one last block ending at the row's end that
// may overlap the one before.
template <typename Store>
void patternRow(uint8_t* p, size_t bytes, __m128i v, uint64_t word) {
  if (bytes < 16) {
    shortPatternRow(p, bytes, word);
    return;
  }
  uint8_t* const end = p + bytes;
  if (bytes <= 32) {
    Store::store(p, v);
    PlainStore::store(end - 16, v);
    return;
  }
  for (; bytes >= 64; bytes -= 64, p += 64) {
    Store::store(p, v);
    Store::store(p + 16, v);
    Store::store(p + 32, v);
    Store::store(p + 48, v);
  }
  for (; bytes >= 16; bytes -= 16, p += 16) Store::store(p, v);
  if (bytes) PlainStore::store(end - 16, v);
}
#endif

#if defined(GAL_WIDE_FILLS)
// Shorter rows gain nothing from the wider stores to make up for the call.
constexpr size_t kWideRowBytes = 64;

// As patternRow, in 32-byte blocks, for rows of kWideRowBytes or more.
__attribute__((target("avx2"))) void wideRows(uint8_t* first, ptrdiff_t pitch, size_t rowBytes, int rows,
                                               uint64_t word) {
  const __m256i v = _mm256_set1_epi64x(static_cast<long long>(word));
  // Up to four blocks a row, the last one ending at its end; no more
  // stores than blocks, so a 64-byte row takes two.
  const size_t last = rowBytes - 32;
  if (rowBytes <= 64) {
    for (int y = 0; y < rows; ++y, first += pitch) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(first), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(first + last), v);
    }
    _mm256_zeroupper();
    return;
  }
  if (rowBytes <= 128) {
    const size_t third = rowBytes > 96 ? 64 : last;
    for (int y = 0; y < rows; ++y, first += pitch) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(first), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(first + 32), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(first + third), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(first + last), v);
    }
    _mm256_zeroupper();
    return;
  }
  for (int y = 0; y < rows; ++y) {
    uint8_t* p = first + y * pitch;
    size_t bytes = rowBytes;
    uint8_t* const end = p + bytes;
    for (; bytes >= 128; bytes -= 128, p += 128) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 32), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 64), v);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 96), v);
    }
    for (; bytes >= 32; bytes -= 32, p += 32) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    if (bytes) _mm256_storeu_si256(reinterpret_cast<__m256i*>(end - 32), v);
  }
  _mm256_zeroupper();
}
#endif

// Every row is written from the pattern in registers: no row is read back.
// Only fills larger than the last-level cache stream past it; those need
// 16-byte aligned stores, so the head of each row goes first (whole pixels,
// as rows start on a pixel boundary).
void fillRows(uint8_t* first, ptrdiff_t pitch, size_t rowBytes, int rows, uint64_t word,
              int bytesPerPixel) {
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi64x(static_cast<long long>(word));
  // Rows of a cache line or less never stream (a part line would be
  // written out on its own): two stores a row that may overlap.
  if (rowBytes <= 32) {
    if (rowBytes >= 16) {
      for (int y = 0; y < rows; ++y, first += pitch) {
        PlainStore::store(first, v);
        PlainStore::store(first + rowBytes - 16, v);
      }
    } else {
      for (int y = 0; y < rows; ++y, first += pitch) shortPatternRow(first, rowBytes, word);
    }
    return;
  }
  const bool stream = rowBytes * static_cast<size_t>(rows) > gal::streamingBytes() &&
                      reinterpret_cast<uintptr_t>(first) % bytesPerPixel == 0 && pitch % bytesPerPixel == 0;
  if (stream) {
    for (int y = 0; y < rows; ++y) {
      uint8_t* p = first + y * pitch;
      size_t head = std::min(rowBytes, (16 - (reinterpret_cast<uintptr_t>(p) & 15)) & 15);
      shortPatternRow(p, head, word);
      patternRow<StreamingStore>(p + head, rowBytes - head, v, word);
    }
    _mm_sfence();
    return;
  }
  for (int y = 0; y < rows; ++y) patternRow<PlainStore>(first + y * pitch, rowBytes, v, word);
#else
  for (int y = 0; y < rows; ++y) {
    uint8_t* p = first + y * pitch;
    size_t bytes = rowBytes;
    if (bytes >= 8) {
      for (; bytes >= 8; bytes -= 8, p += 8) std::memcpy(p, &word, 8);
      if (bytes) std::memcpy(p + bytes - 8, &word, 8);
    } else {
      shortPatternRow(p, bytes, word);
    }
  }
#endif
}

// 1- and 3-byte surfaces are filled too, so 8- and 24-bit memory DCs work.
struct Pixel24 {
  uint8_t b[3];
};

// The first row pixel by pixel, the others copies of it.
template <typename Pixel>
void fillRowsByCopy(uint8_t* first, ptrdiff_t pitch, int w, int h, Pixel value) {
  for (int x = 0; x < w; ++x) std::memcpy(first + x * sizeof(Pixel), &value, sizeof(Pixel));
  const size_t bytes = static_cast<size_t>(w) * sizeof(Pixel);
  for (int y = 1; y < h; ++y) std::memcpy(first + y * pitch, first, bytes);
}

#if defined(GAL_WIDE_FILLS)
// 3-byte pixels (see fill24Rows) in 32-byte blocks: three stores cover 96 bytes, a whole
// number of pixels, at pattern phases 0, 2 and 1.
__attribute__((target("avx2"))) void wide24Rows(uint8_t* first, ptrdiff_t pitch, size_t rowBytes, int rows,
                                                 const uint64_t word[3]) {
  __m256i v[3];
  for (size_t o = 0; o < 3; ++o)  // 32 bytes for a row offset of o modulo 3
    v[o] = _mm256_set_epi64x(static_cast<long long>(word[(o + 24) % 3]), static_cast<long long>(word[(o + 16) % 3]),
                             static_cast<long long>(word[(o + 8) % 3]), static_cast<long long>(word[o]));
  for (int y = 0; y < rows; ++y) {
    uint8_t* p = first + y * pitch;
    size_t o = 0;
    for (; o + 96 <= rowBytes; o += 96) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + o), v[0]);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + o + 32), v[2]);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + o + 64), v[1]);
    }
    for (; o + 32 <= rowBytes; o += 32) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + o), v[o % 3]);
    if (o < rowBytes) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + rowBytes - 32), v[(rowBytes - 32) % 3]);
  }
  _mm256_zeroupper();
}
#endif

#if defined(__SSE2__)
// 3-byte pixels, built in registers: word[k] is 8 bytes of the pattern
// starting at pixel byte k, and a store at row offset o takes the pattern
// starting at o % 3. The row's last block ends at its end and may overlap
// the one before.
void fill24Rows(uint8_t* first, ptrdiff_t pitch, size_t rowBytes, int rows, Pixel24 px) {
  const uint64_t b0 = px.b[0], b1 = px.b[1], b2 = px.b[2];
  constexpr uint64_t kRepeat = 1 | (1ull << 24) | (1ull << 48);
  const uint64_t word[3] = {(b0 | b1 << 8 | b2 << 16) * kRepeat, (b1 | b2 << 8 | b0 << 16) * kRepeat,
                            (b2 | b0 << 8 | b1 << 16) * kRepeat};
  auto vec = [&](size_t o) {  // 16 bytes for row offset o
    return _mm_set_epi64x(static_cast<long long>(word[(o + 8) % 3]), static_cast<long long>(word[o % 3]));
  };
  const __m128i v[3] = {vec(0), vec(1), vec(2)};
#if defined(GAL_WIDE_FILLS)
  if (rowBytes >= kWideRowBytes && gal::wideStores()) return wide24Rows(first, pitch, rowBytes, rows, word);
#endif
  // Rows under 16 bytes: two stores that may overlap, each of the pattern
  // at its own offset, chosen once for every row.
  if (rowBytes < 16) {
    if (rowBytes >= 8) {
      const uint64_t head = word[0], tail = word[(rowBytes - 8) % 3];
      for (int y = 0; y < rows; ++y, first += pitch) {
        std::memcpy(first, &head, 8);
        std::memcpy(first + rowBytes - 8, &tail, 8);
      }
    } else if (rowBytes >= 4) {
      const uint32_t head = static_cast<uint32_t>(word[0]), tail = static_cast<uint32_t>(word[(rowBytes - 4) % 3]);
      for (int y = 0; y < rows; ++y, first += pitch) {
        std::memcpy(first, &head, 4);
        std::memcpy(first + rowBytes - 4, &tail, 4);
      }
    } else {
      for (int y = 0; y < rows; ++y, first += pitch) std::memcpy(first, px.b, 3);
    }
    return;
  }
  const __m128i tail = v[(rowBytes - 16) % 3];
  if (rowBytes <= 32) {
    for (int y = 0; y < rows; ++y, first += pitch) {
      PlainStore::store(first, v[0]);
      PlainStore::store(first + rowBytes - 16, tail);
    }
    return;
  }
  for (int y = 0; y < rows; ++y) {
    uint8_t* p = first + y * pitch;
    size_t o = 0;
    for (; o + 48 <= rowBytes; o += 48) {
      PlainStore::store(p + o, v[0]);
      PlainStore::store(p + o + 16, v[1]);
      PlainStore::store(p + o + 32, v[2]);
    }
    for (; o + 16 <= rowBytes; o += 16) PlainStore::store(p + o, v[o % 3]);
    if (o < rowBytes) PlainStore::store(p + rowBytes - 16, tail);
  }
}
#endif

void fillPacked(const gal::Geometry& g, int bytesPerPixel, const GalRect& r, GalPixel color) {
  uint8_t* first = g.pixels + static_cast<ptrdiff_t>(r.y) * g.pitch +
                   static_cast<ptrdiff_t>(r.x) * bytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(r.w) * bytesPerPixel;
  switch (bytesPerPixel) {
    case 2:
    case 4:
#if defined(GAL_WIDE_FILLS)
      if (rowBytes >= kWideRowBytes && rowBytes * static_cast<size_t>(r.h) <= gal::streamingBytes() && gal::wideStores()) {
        wideRows(first, g.pitch, rowBytes, r.h, patternOf(color, bytesPerPixel));
        break;
      }
#endif
      fillRows(first, g.pitch, rowBytes, r.h, patternOf(color, bytesPerPixel), bytesPerPixel);
      break;
    case 1:
      fillRowsByCopy<uint8_t>(first, g.pitch, r.w, r.h, static_cast<uint8_t>(color));
      break;
    case 3: {
      const Pixel24 px{static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                       static_cast<uint8_t>(color >> 16)};
#if defined(__SSE2__)
      fill24Rows(first, g.pitch, rowBytes, r.h, px);
#else
      fillRowsByCopy<Pixel24>(first, g.pitch, r.w, r.h, px);
#endif
      break;
    }
    default:
      break;
  }
}

// Planar YUV: luma plane of lumaPitch rows, then two chroma planes at half
// resolution with rows of half the luma pitch.
void fillYuv(const gal::Geometry& g, const GalPixelFormat* f, const GalRect& r, GalPixel color) {
  uint8_t y, u, v;
  uint8_t cr, cg, cb;
  GAL_GetRGB(color, f, &cr, &cg, &cb);
  if (cr == 255 && cg == 0 && cb == 255)
    y = u = v = 0;
  else
    RGBToYUV(cr, cg, cb, &y, &u, &v);
  int step = f->yuvStep ? f->yuvStep : 1;
  size_t lumaPitch = g.lumaPitch ? g.lumaPitch : static_cast<size_t>(g.w) * step;
  size_t area = static_cast<size_t>(g.w) * g.h;
  size_t capacity = static_cast<size_t>(g.pitch) * g.h;
  size_t chromaPitch = lumaPitch / 2;
  size_t vEnd = area * 5 / 4 + ((static_cast<size_t>(g.h) + 1) / 2) * chromaPitch;
  if (lumaPitch * g.h > capacity || vEnd > capacity) return;
  uint8_t* uPlane = g.pixels + area;
  uint8_t* vPlane = g.pixels + area * 5 / 4;
  for (int row = 0; row < r.h; ++row) {
    uint8_t* luma = g.pixels + (r.y + row) * lumaPitch + static_cast<size_t>(r.x) * step;
    for (int x = 0; x < r.w; ++x) luma[x * step] = y;
    if (row % 2) continue;
    size_t at = ((r.y + row) / 2) * chromaPitch + r.x / 2;
    std::memset(uPlane + at, u, r.w / 2);
    std::memset(vPlane + at, v, r.w / 2);
  }
}

}  // namespace

extern "C" int GAL_FillRect(GalSurface* dst, const GalRect* rect, GalPixel color, int output) {
  if (!dst) return 0;
  gal::Geometry g = gal::geometryFor(dst, output);
  GalRect r = fillArea(dst, rect, g);
  if (r.w == 0) return 0;
  GalVideoDevice* dev = dst->video;
  if ((dst->flags & GAL_HWSURFACE) && dev && (dev->capabilities & GAL_CAP_BLIT_FILL) &&
      dev->FillHWRect)
    return dev->FillHWRect(dev, dst, &r, color);
  if (!g.pixels) return 0;
  if (gal::isRgbOutputMode())
    fillPacked(g, dst->format->bytesPerPixel, r, color);
  else if (dst->format->bytesPerPixel == 4)
    fillYuv(g, dst->format, r, color);
  return 0;
}

// Pixel operations for 1 to 4 bytes per pixel and the four raster
// operations, with word-wide fast paths for the plain copy spans.
#include "gdi/dc/pixel_ops.h"

#include <cstring>

#include "gui/dc.h"

namespace gui::dc {
namespace {

template <int Bpp>
struct PixelIO;

template <>
struct PixelIO<1> {
  static uint32_t Read(const uint8_t* p) { return *p; }
  static void Write(uint8_t* p, uint32_t v) { *p = static_cast<uint8_t>(v); }
  static constexpr uint32_t kMask = 0xFF;
};

template <>
struct PixelIO<2> {
  static uint32_t Read(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }
  static void Write(uint8_t* p, uint32_t v) {
    const uint16_t low = static_cast<uint16_t>(v);
    std::memcpy(p, &low, 2);
  }
  static constexpr uint32_t kMask = 0xFFFF;
};

// Three bytes: the low 16 bits at the address, bits 16..23 in the byte after.
template <>
struct PixelIO<3> {
  static uint32_t Read(const uint8_t* p) { return PixelIO<2>::Read(p) | uint32_t{p[2]} << 16; }
  static void Write(uint8_t* p, uint32_t v) {
    PixelIO<2>::Write(p, v);
    p[2] = static_cast<uint8_t>(v >> 16);
  }
  static constexpr uint32_t kMask = 0xFFFFFF;
};

template <>
struct PixelIO<4> {
  static uint32_t Read(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  static void Write(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
  static constexpr uint32_t kMask = 0xFFFFFFFF;
};

template <int Rop>
uint32_t Combine(uint32_t dst, uint32_t value) {
  if constexpr (Rop == ROP_AND) return dst & value;
  if constexpr (Rop == ROP_OR) return dst | value;
  if constexpr (Rop == ROP_XOR) return dst ^ value;
  return value;
}

template <int Bpp, int Rop>
void CombineAt(uint8_t* p, uint32_t value) {
  using IO = PixelIO<Bpp>;
  if constexpr (Rop == ROP_SET) {
    IO::Write(p, value);
  } else {
    IO::Write(p, Combine<Rop>(IO::Read(p), value));
  }
}

template <int Bpp, int Rop>
void SetPixelT(DC* dc) {
  CombineAt<Bpp, Rop>(dc->curDst, dc->curPixel);
}

template <int Bpp, int Rop>
void SetSpanLoop(DC* dc, int n) {
  const int step = dc->step;
  const uint32_t value = dc->curPixel;
  for (uint8_t* p = dc->curDst; n > 0; n -= step, p += Bpp * step) CombineAt<Bpp, Rop>(p, value);
}

void FillBytes(uint8_t* p, uint8_t byte, size_t count) { std::memset(p, byte, count); }

template <int Bpp, int Rop>
void SetSpanT(DC* dc, int n) {
  if (n <= 0) return;
  if constexpr (Rop == ROP_SET) {
    if (dc->step == 1) {
      if constexpr (Bpp == 1) {
        FillBytes(dc->curDst, static_cast<uint8_t>(dc->curPixel), static_cast<size_t>(n));
        return;
      } else if constexpr (Bpp == 4) {
        // Four pixels a store: the pattern is built once, then copied whole.
        uint8_t* p = dc->curDst;
        const uint32_t v = dc->curPixel;
        const uint32_t four[4] = {v, v, v, v};
        int i = 0;
        for (; i + 4 <= n; i += 4, p += 16) std::memcpy(p, four, 16);
        for (; i < n; ++i, p += 4) std::memcpy(p, &v, 4);
        return;
      } else {
        if ((dc->curPixel & PixelIO<Bpp>::kMask) == 0) {
          FillBytes(dc->curDst, 0, static_cast<size_t>(n) * Bpp);
          return;
        }
      }
    }
  }
  SetSpanLoop<Bpp, Rop>(dc, n);
}

template <int Bpp>
void PutSpanTransparent(DC* dc, const uint8_t* src, int n, void (*combine)(uint8_t*, uint32_t)) {
  using IO = PixelIO<Bpp>;
  const int step = dc->step;
  const uint32_t skip = dc->skipPixel & IO::kMask;
  for (uint8_t* p = dc->curDst; n > 0; n -= step, p += Bpp * step, src += Bpp * step) {
    const uint32_t v = IO::Read(src);
    if (v != skip) combine(p, v);
  }
}

template <int Bpp, int Rop>
void PutSpanT(DC* dc, const uint8_t* src, int n) {
  if (n <= 0) return;
  if (dc->bkMode == BM_TRANSPARENT) {
    PutSpanTransparent<Bpp>(dc, src, n, &CombineAt<Bpp, Rop>);
    return;
  }
  if (Rop == ROP_SET && dc->step == 1) {
    std::memcpy(dc->curDst, src, static_cast<size_t>(n) * Bpp);
    return;
  }
  const int step = dc->step;
  for (uint8_t* p = dc->curDst; n > 0; n -= step, p += Bpp * step, src += Bpp * step)
    CombineAt<Bpp, Rop>(p, PixelIO<Bpp>::Read(src));
}

template <int Bpp, int Rop>
void SetColumnT(DC* dc, int n) {
  // Read once: the byte stores below may alias the DC, so a field read in the
  // loop would be loaded again for every row.
  const int step = dc->step;
  const ptrdiff_t advance = static_cast<ptrdiff_t>(dc->geomPitch) * step;
  const uint32_t value = dc->curPixel;
  uint8_t* p = dc->curDst;
  for (; n > 0; n -= step, p += advance) CombineAt<Bpp, Rop>(p, value);
  dc->curDst = p;
}

template <int Bpp>
void MoveToT(DC* dc, int x, int y) {
  dc->curDst = dc->geomPixels + static_cast<ptrdiff_t>(dc->geomPitch) * y +
               static_cast<ptrdiff_t>(Bpp) * x;
}

template <int Bpp>
void StepT(DC* dc, int n) {
  dc->curDst += static_cast<ptrdiff_t>(Bpp) * n;
}

#define GUI_OPS_FOR_ROP(op, rop) op<1, rop>, op<2, rop>, op<3, rop>, op<4, rop>
#define GUI_OPS_TABLE(op)                                                            \
  {                                                                                  \
    GUI_OPS_FOR_ROP(op, ROP_SET), GUI_OPS_FOR_ROP(op, ROP_AND),                      \
        GUI_OPS_FOR_ROP(op, ROP_OR), GUI_OPS_FOR_ROP(op, ROP_XOR)                    \
  }

}  // namespace

const SetPixelOp kSetPixelOps[kDepthCount * kRopCount] = GUI_OPS_TABLE(SetPixelT);
const SetSpanOp kSetSpanOps[kDepthCount * kRopCount] = GUI_OPS_TABLE(SetSpanT);
const SetSpanOp kSetColumnOps[kDepthCount * kRopCount] = GUI_OPS_TABLE(SetColumnT);
const PutSpanOp kPutSpanOps[kDepthCount * kRopCount] = GUI_OPS_TABLE(PutSpanT);
const MoveToOp kMoveToOps[kDepthCount] = {MoveToT<1>, MoveToT<2>, MoveToT<3>, MoveToT<4>};
const StepOp kStepOps[kDepthCount] = {StepT<1>, StepT<2>, StepT<3>, StepT<4>};

#undef GUI_OPS_TABLE
#undef GUI_OPS_FOR_ROP

int DepthIndexOf(const DC* dc) {
  int bytes = dc->surface && dc->surface->format ? dc->surface->format->bytesPerPixel : 1;
  if (bytes < 1) bytes = 1;
  if (bytes > kDepthCount) bytes = kDepthCount;
  return bytes - 1;
}

void SelectRopOps(DC* dc) {
  const int entry = DepthIndexOf(dc) + kDepthCount * dc->rop;
  dc->setPixel = kSetPixelOps[entry];
  dc->setSpan = kSetSpanOps[entry];
  dc->putSpan = kPutSpanOps[entry];
}

void SelectPixelOps(DC* dc) {
  SelectRopOps(dc);
  dc->moveTo = kMoveToOps[DepthIndexOf(dc)];
  dc->stepOp = kStepOps[DepthIndexOf(dc)];
}

}  // namespace gui::dc

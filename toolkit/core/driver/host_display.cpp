// Frame buffer and window image of one host display.
#include "core/driver/host_display.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

struct Channel {
  uint32_t mask;
  int shift;
  int bits;
};

Channel channelOf(uint32_t mask) {
  Channel c{mask, 0, 0};
  if (!mask) return c;
  while (!((mask >> c.shift) & 1u)) ++c.shift;
  while (c.shift + c.bits < 32 && ((mask >> (c.shift + c.bits)) & 1u)) ++c.bits;
  return c;
}

uint32_t widenTo8(uint32_t pixel, const Channel& c) {
  if (!c.bits) return 0;
  uint32_t v = (pixel & c.mask) >> c.shift;
  if (c.bits >= 8) return v >> (c.bits - 8);
  uint32_t out = v << (8 - c.bits);
  for (int have = c.bits; have < 8; have += c.bits) out |= out >> c.bits;
  return out & 0xFF;
}

GalRect intersect(const GalRect& r, int width, int height) {
  int64_t x0 = std::max<int64_t>(r.x, 0), y0 = std::max<int64_t>(r.y, 0);
  int64_t x1 = std::min<int64_t>(int64_t{r.x} + r.w, width);
  int64_t y1 = std::min<int64_t>(int64_t{r.y} + r.h, height);
  if (x1 <= x0 || y1 <= y0) return GalRect{0, 0, 0, 0};
  return GalRect{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
                 static_cast<int32_t>(y1 - y0)};
}

bool supportedDepth(int bpp) { return bpp == 8 || bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32; }

}  // namespace

namespace host {

uint8_t* HostDisplay::setMode(const FrameBufferLayout& layout) {
  std::lock_guard<std::mutex> guard(lock_);
  // A refused mode leaves the current frame buffer as it was: the screen
  // surface still points at it.
  int bytesPerPixel = (layout.bitsPerPixel + 7) / 8;
  if (layout.width <= 0 || layout.height <= 0 || !supportedDepth(layout.bitsPerPixel) ||
      layout.pitch < layout.width * bytesPerPixel)
    return nullptr;
  size_t bytes = static_cast<size_t>(layout.pitch) * layout.height;
  std::unique_ptr<uint8_t[]> frame(new (std::nothrow) uint8_t[bytes]());
  if (!frame) return nullptr;
  frame_ = std::move(frame);
  image_.assign(static_cast<size_t>(layout.width) * layout.height, 0);
  layout_ = layout;
  colorTable_.fill(0);
  dirty_ = GalRect{0, 0, layout.width, layout.height};
  return frame_.get();
}

void HostDisplay::release() {
  std::lock_guard<std::mutex> guard(lock_);
  frame_.reset();
  image_.clear();
  layout_ = FrameBufferLayout{};
  dirty_ = GalRect{0, 0, 0, 0};
}

bool HostDisplay::hasFrameBuffer() const {
  std::lock_guard<std::mutex> guard(lock_);
  return frame_ != nullptr;
}

int HostDisplay::width() const {
  std::lock_guard<std::mutex> guard(lock_);
  return layout_.width;
}

int HostDisplay::height() const {
  std::lock_guard<std::mutex> guard(lock_);
  return layout_.height;
}

void HostDisplay::copyToWindow(int count, const GalRect* rects) {
  if (count <= 0 || !rects) return;
  std::lock_guard<std::mutex> guard(lock_);
  if (!frame_) return;
  for (int i = 0; i < count; ++i) {
    GalRect r = intersect(rects[i], layout_.width, layout_.height);
    if (r.w == 0) continue;
    convertRect(r);
    addDirty(r);
  }
}

void HostDisplay::setColors(int first, int count, const GalColor* colors) {
  std::lock_guard<std::mutex> guard(lock_);
  for (int i = 0; i < count; ++i) {
    int index = first + i;
    if (index < 0 || index > 255) continue;
    const GalColor& c = colors[i];
    colorTable_[static_cast<size_t>(index)] = uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
  }
  if (!frame_) return;
  GalRect whole{0, 0, layout_.width, layout_.height};
  convertRect(whole);
  addDirty(whole);
}

void HostDisplay::markAllDirty() {
  std::lock_guard<std::mutex> guard(lock_);
  if (frame_) dirty_ = GalRect{0, 0, layout_.width, layout_.height};
}

uint32_t HostDisplay::toRgb(uint32_t pixel) const {
  if (layout_.bitsPerPixel == 8) return colorTable_[pixel & 0xFF];
  Channel r = channelOf(layout_.rMask), g = channelOf(layout_.gMask), b = channelOf(layout_.bMask);
  return widenTo8(pixel, r) << 16 | widenTo8(pixel, g) << 8 | widenTo8(pixel, b);
}

void HostDisplay::convertRect(const GalRect& r) {
  int bytesPerPixel = (layout_.bitsPerPixel + 7) / 8;
  bool packedRgb = layout_.bitsPerPixel == 32 && layout_.rMask == 0xFF0000 && layout_.gMask == 0xFF00 &&
                   layout_.bMask == 0xFF;
  for (int row = r.y; row < r.y + r.h; ++row) {
    const uint8_t* src = frame_.get() + static_cast<size_t>(row) * layout_.pitch +
                         static_cast<size_t>(r.x) * bytesPerPixel;
    uint32_t* dst = image_.data() + static_cast<size_t>(row) * layout_.width + r.x;
    if (packedRgb) {
      std::memcpy(dst, src, static_cast<size_t>(r.w) * 4);
      for (int x = 0; x < r.w; ++x) dst[x] &= 0xFFFFFF;
      continue;
    }
    for (int x = 0; x < r.w; ++x, src += bytesPerPixel) {
      uint32_t pixel = 0;
      for (int i = 0; i < bytesPerPixel; ++i) pixel |= uint32_t{src[i]} << (8 * i);
      dst[x] = toRgb(pixel);
    }
  }
}

void HostDisplay::addDirty(const GalRect& r) {
  if (dirty_.w <= 0 || dirty_.h <= 0) {
    dirty_ = r;
    return;
  }
  int32_t x0 = std::min(dirty_.x, r.x), y0 = std::min(dirty_.y, r.y);
  int32_t x1 = std::max(dirty_.x + dirty_.w, r.x + r.w);
  int32_t y1 = std::max(dirty_.y + dirty_.h, r.y + r.h);
  dirty_ = GalRect{x0, y0, x1 - x0, y1 - y0};
}

}  // namespace host

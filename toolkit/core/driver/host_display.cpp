// Frame buffer and window image of one host display.
#include "core/driver/host_display.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <sys/mman.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

GalRect intersect(const GalRect& r, int width, int height) {
  int64_t x0 = std::max<int64_t>(r.x, 0), y0 = std::max<int64_t>(r.y, 0);
  int64_t x1 = std::min<int64_t>(int64_t{r.x} + r.w, width);
  int64_t y1 = std::min<int64_t>(int64_t{r.y} + r.h, height);
  if (x1 <= x0 || y1 <= y0) return GalRect{0, 0, 0, 0};
  return GalRect{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
                 static_cast<int32_t>(y1 - y0)};
}

// Where `area` starts in a 0x00RRGGBB destination whose pixel (0, 0) is at `origin`.
uint8_t* PixelAt(uint8_t* origin, size_t pitch, const GalRect& area) {
  return origin + static_cast<size_t>(area.y) * pitch + static_cast<size_t>(area.x) * 4;
}

constexpr size_t kHugePage = size_t{2} << 20;

bool supportedDepth(int bpp) { return bpp == 8 || bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32; }

}  // namespace

namespace host {

void HostDisplay::setFrameLock(std::mutex* lock) { frameLock_.store(lock); }

HostDisplay::Frame HostDisplay::allocateFrame(const FrameBufferLayout& layout) {
  int bytesPerPixel = (layout.bitsPerPixel + 7) / 8;
  if (layout.width <= 0 || layout.height <= 0 || layout.width > kMaxFrameSide ||
      layout.height > kMaxFrameSide || !supportedDepth(layout.bitsPerPixel) ||
      layout.pitch < layout.width * bytesPerPixel)
    return nullptr;
  const size_t bytes = static_cast<size_t>(layout.pitch) * layout.height;
  // Fresh zero pages from the system, nothing written up front. A frame of
  // a huge page or more starts on a huge-page boundary and asks for them:
  // its first fill then takes a fault per 2 MiB, not one per 4 KiB page.
  const bool huge = bytes >= kHugePage;
  const size_t mapped = huge ? (bytes + kHugePage - 1) / kHugePage * kHugePage : bytes;
  const size_t slack = huge ? kHugePage : 0;
  void* raw = mmap(nullptr, mapped + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  auto* start = static_cast<uint8_t*>(raw);
  if (huge) {
    const uintptr_t at = reinterpret_cast<uintptr_t>(raw);
    const size_t head = ((at + kHugePage - 1) & ~(uintptr_t{kHugePage} - 1)) - at;
    if (head) munmap(raw, head);
    if (slack - head) munmap(start + head + mapped, slack - head);
    start += head;
    madvise(start, mapped, MADV_HUGEPAGE);
  }
  return Frame(start, FreeFrame{mapped});
}

void HostDisplay::FreeFrame::operator()(uint8_t* pixels) const {
  if (pixels) munmap(pixels, mapped);
}

void HostDisplay::prepareImage() {
  const size_t pixels = static_cast<size_t>(layout_.width) * layout_.height;
  if (image_.size() != pixels) image_.assign(pixels, 0);
}

HostDisplay::Frame HostDisplay::swapIn(const FrameBufferLayout& layout, Frame fresh) {
  Frame old = std::move(frame_);
  frame_ = std::move(fresh);
  image_.clear();
  layout_ = layout;
  uint32_t masks[3] = {layout.rMask, layout.gMask, layout.bMask};
  for (int i = 0; i < 3; ++i) {
    Channel& c = channels_[i];
    c = Channel{masks[i], 0, 0};
    if (!c.mask) continue;
    while (!((c.mask >> c.shift) & 1u)) ++c.shift;
    while (c.shift + c.bits < 32 && ((c.mask >> (c.shift + c.bits)) & 1u)) ++c.bits;
  }
  colorTable_.fill(0);
  dirty_ = GalRect{0, 0, layout.width, layout.height};
  return old;
}

HostDisplay::Frame HostDisplay::dropFrame() {
  Frame old = std::move(frame_);
  image_.clear();
  layout_ = FrameBufferLayout{};
  dirty_ = GalRect{0, 0, 0, 0};
  return old;
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

bool HostDisplay::copyToWindow(int count, const GalRect* rects) {
  if (count <= 0 || !rects) return false;
  std::lock_guard<std::mutex> guard(lock_);
  if (!frame_) return false;
  bool marked = false;
  for (int i = 0; i < count; ++i) {
    GalRect r = intersect(rects[i], layout_.width, layout_.height);
    if (r.w == 0) continue;
    addDirty(r);
    marked = true;
  }
  return marked;
}

void HostDisplay::setColors(int first, int count, const GalColor* colors) {
  std::lock_guard<std::mutex> guard(lock_);
  for (int i = 0; i < count; ++i) {
    int index = first + i;
    if (index < 0 || index > 255) continue;
    const GalColor& c = colors[i];
    colorTable_[static_cast<size_t>(index)] = uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
  }
  if (frame_) dirty_ = GalRect{0, 0, layout_.width, layout_.height};
}

void HostDisplay::clearDirty() {
  std::lock_guard<std::mutex> guard(lock_);
  dirty_ = GalRect{0, 0, 0, 0};
}

void HostDisplay::markAllDirty() {
  std::lock_guard<std::mutex> guard(lock_);
  if (frame_) dirty_ = GalRect{0, 0, layout_.width, layout_.height};
}

uint32_t HostDisplay::toRgb(uint32_t pixel) const {
  if (layout_.bitsPerPixel == 8) return colorTable_[pixel & 0xFF];
  uint32_t rgb = 0;
  for (const Channel& c : channels_) {
    uint32_t out = 0;
    if (c.bits >= 8) {
      out = ((pixel & c.mask) >> c.shift) >> (c.bits - 8);
    } else if (c.bits > 0) {
      out = ((pixel & c.mask) >> c.shift) << (8 - c.bits);
      for (int have = c.bits; have < 8; have += c.bits) out |= out >> c.bits;
    }
    rgb = rgb << 8 | (out & 0xFF);
  }
  return rgb;
}

void HostDisplay::convertRow(const uint8_t* src, uint32_t* dst, int count) const {
  const int bytesPerPixel = (layout_.bitsPerPixel + 7) / 8;
  const bool packedRgb = layout_.bitsPerPixel == 32 && layout_.rMask == 0xFF0000 && layout_.gMask == 0xFF00 &&
                         layout_.bMask == 0xFF;
  if (packedRgb) {
    // One pass: read, drop the unused byte, store; four pixels at a time.
    int x = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0xFFFFFF);
    for (; x + 4 <= count; x += 4) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + static_cast<size_t>(x) * 4));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_and_si128(v, mask));
    }
#endif
    for (; x < count; ++x) {
      uint32_t pixel;
      std::memcpy(&pixel, src + static_cast<size_t>(x) * 4, 4);
      dst[x] = pixel & 0xFFFFFF;
    }
    return;
  }
  for (int x = 0; x < count; ++x, src += bytesPerPixel) {
    uint32_t pixel = 0;
    for (int i = 0; i < bytesPerPixel; ++i) pixel |= uint32_t{src[i]} << (8 * i);
    dst[x] = toRgb(pixel);
  }
}

void HostDisplay::convertRect(const GalRect& r) {
  const int bytesPerPixel = (layout_.bitsPerPixel + 7) / 8;
  for (int row = r.y; row < r.y + r.h; ++row)
    convertRow(frame_.get() + static_cast<size_t>(row) * layout_.pitch + static_cast<size_t>(r.x) * bytesPerPixel,
               image_.data() + static_cast<size_t>(row) * layout_.width + r.x, r.w);
}

// Converts `area` of the frame into `dst`, which receives the area's top
// left pixel; locks held, frame present.
void HostDisplay::convertArea(const GalRect& area, uint8_t* dst, size_t pitch) const {
  const int bytesPerPixel = (layout_.bitsPerPixel + 7) / 8;
  for (int row = 0; row < area.h; ++row)
    convertRow(frame_.get() + static_cast<size_t>(area.y + row) * layout_.pitch +
                   static_cast<size_t>(area.x) * bytesPerPixel,
               reinterpret_cast<uint32_t*>(dst + static_cast<size_t>(row) * pitch), area.w);
}

GalRect HostDisplay::takeDirtyInto(uint8_t* dst, size_t pitch, int width, int height) {
  FrameGuard frame(frameLock_.load());
  std::lock_guard<std::mutex> guard(lock_);
  if (dirty_.w <= 0 || dirty_.h <= 0) return GalRect{0, 0, 0, 0};
  const GalRect area = intersect(dirty_, width, height);
  dirty_ = GalRect{0, 0, 0, 0};
  if (!frame_ || area.w <= 0 || !dst) return GalRect{0, 0, 0, 0};
  convertArea(area, PixelAt(dst, pitch, area), pitch);
  return area;
}

GalRect HostDisplay::takeDirtyInBands(int width, int height, int bandRows, const BandSink& send) {
  FrameGuard frame(frameLock_.load());
  std::lock_guard<std::mutex> guard(lock_);
  if (dirty_.w <= 0 || dirty_.h <= 0) return GalRect{0, 0, 0, 0};
  const GalRect area = intersect(dirty_, width, height);
  dirty_ = GalRect{0, 0, 0, 0};
  if (!frame_ || area.w <= 0 || bandRows <= 0) return GalRect{0, 0, 0, 0};
  const int most = std::min(bandRows, area.h);
  std::vector<uint32_t> rows(static_cast<size_t>(area.w) * static_cast<size_t>(most));
  const size_t pitch = static_cast<size_t>(area.w) * 4;
  for (int top = area.y; top < area.y + area.h; top += most) {
    const GalRect band{area.x, top, area.w, std::min(most, area.y + area.h - top)};
    convertArea(band, reinterpret_cast<uint8_t*>(rows.data()), pitch);
    send(rows.data(), band);
  }
  return area;
}

void HostDisplay::copyWholeInto(uint8_t* dst, size_t pitch, int width, int height) {
  FrameGuard frame(frameLock_.load());
  std::lock_guard<std::mutex> guard(lock_);
  if (!frame_ || !dst) return;
  const GalRect area = intersect(GalRect{0, 0, layout_.width, layout_.height}, width, height);
  if (area.w > 0 && area.h > 0) convertArea(area, PixelAt(dst, pitch, area), pitch);
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

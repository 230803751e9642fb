// Test surfaces whose memory catches writes past a row's end: the buffer
// ends exactly at the last pixel of the last row (the address sanitizer
// faults beyond it), and the padding after every other row holds a canary.
#ifndef GDI_GAL_TESTS_GUARDED_SURFACE_H
#define GDI_GAL_TESTS_GUARDED_SURFACE_H

#include <cstring>
#include <memory>

#include "gui/gal.h"

class GuardedSurface {
 public:
  static constexpr uint8_t kCanary = 0xA5;

  GuardedSurface(int width, int height, int bpp, uint32_t r = 0, uint32_t g = 0, uint32_t b = 0,
                 uint32_t a = 0)
      : bytesPerPixel_((bpp + 7) / 8),
        rowBytes_(width * bytesPerPixel_),
        pitch_((rowBytes_ + 8) & ~3),
        size_(static_cast<size_t>(pitch_) * (height - 1) + rowBytes_),
        memory_(new uint8_t[size_]),
        height_(height) {
    std::memset(memory_.get(), kCanary, size_);
    for (int y = 0; y < height; ++y) std::memset(row(y), 0, rowBytes_);
    surface_ = GAL_CreateRGBSurfaceFrom(memory_.get(), width, height, bpp, pitch_, r, g, b, a);
  }
  ~GuardedSurface() { GAL_FreeSurface(surface_); }
  GuardedSurface(const GuardedSurface&) = delete;
  GuardedSurface& operator=(const GuardedSurface&) = delete;

  GalSurface* get() const { return surface_; }
  uint8_t* row(int y) const { return memory_.get() + static_cast<size_t>(y) * pitch_; }
  uint32_t pixel(int x, int y) const {
    uint32_t v = 0;
    std::memcpy(&v, row(y) + x * bytesPerPixel_, bytesPerPixel_);
    return v;
  }
  void setPixel(int x, int y, uint32_t v) { std::memcpy(row(y) + x * bytesPerPixel_, &v, bytesPerPixel_); }
  bool paddingIntact() const {
    for (int y = 0; y + 1 < height_; ++y)
      for (int i = rowBytes_; i < pitch_; ++i)
        if (row(y)[i] != kCanary) return false;
    return true;
  }

 private:
  int bytesPerPixel_;
  int rowBytes_;
  int pitch_;
  size_t size_;
  std::unique_ptr<uint8_t[]> memory_;
  int height_;
  GalSurface* surface_ = nullptr;
};

#endif

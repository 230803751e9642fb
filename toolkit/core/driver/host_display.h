// One host display: the frame buffer the toolkit draws into and the image
// its host window shows, kept in 0x00RRGGBB.
#ifndef CORE_DRIVER_HOST_DISPLAY_H
#define CORE_DRIVER_HOST_DISPLAY_H

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "gui/gal.h"

namespace host {

struct FrameBufferLayout {
  int width = 0, height = 0;
  int bitsPerPixel = 0;
  int pitch = 0;
  uint32_t rMask = 0, gMask = 0, bMask = 0;
};

class HostDisplay {
 public:
  // A zeroed frame buffer for the layout (the previous one is dropped); null
  // when the layout is unusable or memory runs out.
  uint8_t* setMode(const FrameBufferLayout& layout);
  void release();
  bool hasFrameBuffer() const;
  int width() const;
  int height() const;

  // Copies rectangles of the frame buffer into the window image (clipped to
  // it) and marks them for presentation.
  void copyToWindow(int count, const GalRect* rects);
  // Colour-table entries for palette depths; the whole image is copied again.
  void setColors(int first, int count, const GalColor* colors);

  // Runs `present` on the area changed since the last call (if any), with the
  // image locked: present(image, imageWidth, area).
  template <typename Present>
  void takeDirty(Present present) {
    std::lock_guard<std::mutex> guard(lock_);
    if (dirty_.w <= 0 || dirty_.h <= 0) return;
    GalRect area = dirty_;
    dirty_ = GalRect{0, 0, 0, 0};
    present(image_.data(), layout_.width, area);
  }
  // Marks the whole image for presentation (after the window was uncovered).
  void markAllDirty();

 private:
  void convertRect(const GalRect& r);
  uint32_t toRgb(uint32_t pixel) const;
  void addDirty(const GalRect& r);

  mutable std::mutex lock_;
  FrameBufferLayout layout_;
  std::unique_ptr<uint8_t[]> frame_;
  std::vector<uint32_t> image_;
  std::array<uint32_t, 256> colorTable_{};
  GalRect dirty_{0, 0, 0, 0};
};

}  // namespace host

#endif

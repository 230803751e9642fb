// One host display: the frame buffer the toolkit draws into and the image
// its host window shows, kept in 0x00RRGGBB.
//
// Drawing threads write the frame buffer under the display's frame lock (the
// GDI lock of that display) and only record dirty areas here; the host
// thread converts what changed into the image once per frame, taking the
// frame lock while it reads. Lock order: frame lock, then the display's own.
#ifndef CORE_DRIVER_HOST_DISPLAY_H
#define CORE_DRIVER_HOST_DISPLAY_H

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
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

// Largest side of a frame buffer: beyond what any host window can show.
constexpr int kMaxFrameSide = 16384;

class HostDisplay {
 public:
  struct FreeFrame {
    size_t mapped;  // the length of the mapping the frame starts
    void operator()(uint8_t* pixels) const;
  };
  using Frame = std::unique_ptr<uint8_t[], FreeFrame>;

  // The lock drawing holds while it writes the frame buffer; null (the
  // default) for displays nobody draws into from other threads.
  void setFrameLock(std::mutex* lock);

  // A zeroed frame buffer for the layout; null when the layout is unusable
  // or memory runs out. Its pages come zeroed from the system as they are
  // first drawn: nothing clears them up front.
  static Frame allocateFrame(const FrameBufferLayout& layout);
  // Makes a frame buffer from allocateFrame current and runs
  // publish(pixels) while the frame lock is held, so the screen surface
  // changes with it; the previous buffer is freed after the lock is
  // released. Null (nothing changed) without a frame.
  template <typename Publish>
  uint8_t* install(const FrameBufferLayout& layout, Frame fresh, Publish publish) {
    if (!fresh) return nullptr;
    uint8_t* pixels = fresh.get();
    Frame old;
    {
      FrameGuard frame(frameLock_.load());
      std::lock_guard<std::mutex> guard(lock_);
      old = swapIn(layout, std::move(fresh));
      publish(pixels);
    }
    return pixels;
  }
  uint8_t* setMode(const FrameBufferLayout& layout) {
    return install(layout, allocateFrame(layout), [](uint8_t*) {});
  }
  // Drops the frame buffer; publish() runs under the frame lock first.
  template <typename Publish>
  void release(Publish publish) {
    Frame old;
    {
      FrameGuard frame(frameLock_.load());
      std::lock_guard<std::mutex> guard(lock_);
      publish();
      old = dropFrame();
    }
  }
  void release() { release([] {}); }
  bool hasFrameBuffer() const;
  int width() const;
  int height() const;

  // Marks rectangles of the frame buffer (clipped to it) for presentation.
  // Answers whether anything was marked.
  bool copyToWindow(int count, const GalRect* rects);
  // Colour-table entries for palette depths; the whole image is shown again.
  void setColors(int first, int count, const GalColor* colors);

  // Converts the area changed since the last call (if any) from the frame
  // buffer and runs present(image, imageWidth, area) on it.
  template <typename Present>
  void takeDirty(Present present) {
    FrameGuard frame(frameLock_.load());
    std::lock_guard<std::mutex> guard(lock_);
    if (dirty_.w <= 0 || dirty_.h <= 0) return;
    GalRect area = dirty_;
    dirty_ = GalRect{0, 0, 0, 0};
    if (frame_) {
      prepareImage();
      convertRect(area);
    }
    frame.unlock();
    present(image_.data(), layout_.width, area);
  }
  // The same straight into a 0x00RRGGBB destination whose pixel (0, 0) is
  // the frame buffer's, `pitch` bytes a row, `width` x `height` pixels:
  // the changed area inside it is converted there (one pass instead of
  // through the image) and answered; empty when nothing changed.
  GalRect takeDirtyInto(uint8_t* dst, size_t pitch, int width, int height);
  // The same a band of up to `bandRows` rows at a time, each converted into
  // one small buffer (0x00RRGGBB, the area's width a row) and handed to
  // send(rows, band) while the frame is still read: the destination needs
  // no memory of its own on this side.
  using BandSink = std::function<void(const uint32_t* rows, const GalRect& band)>;
  GalRect takeDirtyInBands(int width, int height, int bandRows, const BandSink& send);
  // The whole frame, as takeDirtyInto converts it, with what is marked
  // left marked.
  void copyWholeInto(uint8_t* dst, size_t pitch, int width, int height);
  // Marks the whole image for presentation (after the window was uncovered).
  void markAllDirty();
  // Forgets what is marked: the window already shows it.
  void clearDirty();

 private:
  // Locks the frame lock when there is one.
  class FrameGuard {
   public:
    explicit FrameGuard(std::mutex* lock) : lock_(lock) {
      if (lock_) lock_->lock();
    }
    ~FrameGuard() { unlock(); }
    void unlock() {
      if (lock_) lock_->unlock();
      lock_ = nullptr;
    }
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;

   private:
    std::mutex* lock_;
  };

  Frame swapIn(const FrameBufferLayout& layout, Frame fresh);
  // The image is only needed by hosts whose windows take another pixel
  // format; it is made on first use.
  void prepareImage();
  Frame dropFrame();
  void convertRect(const GalRect& r);
  void convertArea(const GalRect& area, uint8_t* dst, size_t pitch) const;
  void convertRow(const uint8_t* src, uint32_t* dst, int count) const;
  uint32_t toRgb(uint32_t pixel) const;
  struct Channel {
    uint32_t mask = 0;
    int shift = 0, bits = 0;
  };
  void addDirty(const GalRect& r);

  std::atomic<std::mutex*> frameLock_{nullptr};
  mutable std::mutex lock_;
  FrameBufferLayout layout_;
  Frame frame_;
  std::vector<uint32_t> image_;
  std::array<uint32_t, 256> colorTable_{};
  Channel channels_[3];
  GalRect dirty_{0, 0, 0, 0};
};

}  // namespace host

#endif

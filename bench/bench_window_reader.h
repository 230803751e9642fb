// What the X server shows of a window, read back through one shared-memory
// segment of the screen's size. The segment is made, and read once, when
// the reader is made, so no timed reading pays for making its pages on
// either side. A reading through the connection would take milliseconds to
// come back, adding the same time to both sides of a comparison.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>
#include <functional>

namespace benchx {

class WindowReader {
 public:
  explicit WindowReader(Display* x) : x_(x) {
    if (!x || !XShmQueryExtension(x)) return;
    const int screen = DefaultScreen(x);
    visual_ = DefaultVisual(x, screen);
    depth_ = static_cast<unsigned>(DefaultDepth(x, screen));
    const int w = DisplayWidth(x, screen), h = DisplayHeight(x, screen);
    XImage* probe = XShmCreateImage(x, visual_, depth_, ZPixmap, nullptr, &segment_, static_cast<unsigned>(w),
                                    static_cast<unsigned>(h));
    if (!probe) return;
    const size_t bytes = static_cast<size_t>(probe->bytes_per_line) * static_cast<size_t>(h);
    XDestroyImage(probe);
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid < 0) return;
    segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    segment_.readOnly = False;
    attached_ = segment_.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(x, &segment_);
    XSync(x, False);
    shmctl(segment_.shmid, IPC_RMID, nullptr);  // gone once both sides detach
    if (!attached_) return;
    size_ = bytes;
    Read(DefaultRootWindow(x), 0, 0, w, h, [](const XImage&) {});
  }
  ~WindowReader() {
    if (attached_) {
      XShmDetach(x_, &segment_);
      XSync(x_, False);
    }
    if (segment_.shmaddr && segment_.shmaddr != reinterpret_cast<char*>(-1)) shmdt(segment_.shmaddr);
  }
  WindowReader(const WindowReader&) = delete;
  WindowReader& operator=(const WindowReader&) = delete;

  bool ok() const { return size_ > 0; }

  // Hands `use` the `width` x `height` pixels at (left, top) of `w` as the
  // server shows them when this returns (the image lasts for the call);
  // false, with `use` not called, when they cannot be read.
  bool Read(Window w, int left, int top, int width, int height, const std::function<void(XImage&)>& use) {
    if (!ok() || width <= 0 || height <= 0) return false;
    XImage* image = XShmCreateImage(x_, visual_, depth_, ZPixmap, segment_.shmaddr, &segment_,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image) return false;
    const bool read = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height) <= size_ &&
                      XShmGetImage(x_, w, image, left, top, AllPlanes);
    if (read) use(*image);
    image->data = nullptr;  // the segment's memory is not the image's
    XDestroyImage(image);
    return read;
  }

 private:
  Display* x_;
  Visual* visual_ = nullptr;
  unsigned depth_ = 0;
  XShmSegmentInfo segment_{};
  bool attached_ = false;
  size_t size_ = 0;
};

}  // namespace benchx

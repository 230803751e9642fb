// The host thread's wait; the window-system headers stay in this file.
#include "core/driver/host_wait.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace host {

HostWaiter::HostWaiter() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

HostWaiter::~HostWaiter() {
  if (fd_ >= 0) close(fd_);
}

void HostWaiter::wake() {
  if (fd_ < 0) return;
  const uint64_t one = 1;
  // A full counter (EAGAIN) already wakes the waiter.
  while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void HostWaiter::wait(int connectionFd, int timeoutMs) {
  if (fd_ < 0) return;
  pollfd fds[2] = {{fd_, POLLIN, 0}, {connectionFd, POLLIN, 0}};
  const nfds_t count = connectionFd >= 0 ? 2 : 1;
  if (poll(fds, count, timeoutMs < 0 ? -1 : timeoutMs) < 0 && errno != EINTR) return;
  uint64_t taken = 0;
  while (read(fd_, &taken, sizeof taken) < 0 && errno == EINTR) {
  }
}

int ConnectionFd(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
    return -1;
  return ConnectionNumber(info.info.x11.display);
#else
  (void)window;
  return -1;
#endif
}

}  // namespace host

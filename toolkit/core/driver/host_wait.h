// How the host thread sleeps: in poll() on its window system connection
// (when its descriptor is known) and on a wake-up descriptor of its own.
// Waking it from another thread is then one write, with no round trip
// through the window system as a pushed SDL event would take.
#ifndef CORE_DRIVER_HOST_WAIT_H
#define CORE_DRIVER_HOST_WAIT_H

struct SDL_Window;

namespace host {

class HostWaiter {
 public:
  HostWaiter();
  ~HostWaiter();
  HostWaiter(const HostWaiter&) = delete;
  HostWaiter& operator=(const HostWaiter&) = delete;

  // False when no wake-up descriptor could be made.
  bool ok() const { return fd_ >= 0; }
  // Any thread: the wait under way, or the next one, returns at once.
  void wake();
  // One thread at a time: sleeps until woken, until `connectionFd` (none
  // when negative) has input, or for `timeoutMs` (-1: no limit). A wake
  // given before the call counts; each call takes all wakes given so far.
  void wait(int connectionFd, int timeoutMs);

 private:
  int fd_ = -1;
};

// The descriptor of the window-system connection SDL reads `window`'s
// events from; -1 when the driver is not x11 or SDL does not tell.
int ConnectionFd(SDL_Window* window);

}  // namespace host

#endif

// A window's first picture in place before the window is mapped: on an X
// server it becomes the window's background for the map, so the server
// shows it at the very moment the window appears, not the screen beneath
// until the first present arrives.
#ifndef CORE_DRIVER_HOST_MAP_PICTURE_H
#define CORE_DRIVER_HOST_MAP_PICTURE_H

#include <SDL.h>

#include <cstddef>
#include <future>

namespace host {

// Shared memory for a window's first picture, its pages already faulted
// in; freed when it goes unless a picture took it.
class MapSegment {
 public:
  MapSegment() = default;
  ~MapSegment();
  MapSegment(MapSegment&& other) noexcept;
  MapSegment& operator=(MapSegment&& other) noexcept;
  MapSegment(const MapSegment&) = delete;
  MapSegment& operator=(const MapSegment&) = delete;

  // Of `bytes` bytes; an empty segment where shared memory is refused.
  static MapSegment Make(size_t bytes);
  bool Holds(size_t bytes) const { return memory_ != nullptr && bytes_ == bytes; }
  int id() const { return id_; }
  char* memory() const { return memory_; }
  // The caller owns the segment from now on.
  void Release();

 private:
  int id_ = -1;
  char* memory_ = nullptr;
  size_t bytes_ = 0;
};

// Makes the segment for a width x height window on a thread of its own:
// faulting in fresh pages is much of a window's start, and it goes on
// while the window system starts on the host thread.
std::future<MapSegment> MakeMapSegmentAhead(int width, int height);

// Host thread only. Made ahead, while the first frame is still being
// drawn, for the window kept unshown: a picture the X server reads from
// shared memory, so the first frame is not sent through the connection.
// Without it (another window system, a remote server) the frame is sent.
// A segment made ahead is used when it is the size the picture needs.
void PrepareMapPicture(SDL_Window* window, SDL_Surface* surface, MapSegment ahead = MapSegment());
// Drops a prepared picture not used; before the window system's connection
// closes.
void DropMapPicture();

class MapPicture {
 public:
  // `surface` (the window's own, holding the first frame) becomes the
  // background of `window`, where the window system allows it.
  MapPicture(SDL_Window* window, SDL_Surface* surface);
  // The background is dropped again: presents draw the window from now on.
  ~MapPicture();
  MapPicture(const MapPicture&) = delete;
  MapPicture& operator=(const MapPicture&) = delete;

  // Whether the window shows the whole surface from its map on: a present
  // of the same pixels right after would only repeat them.
  bool Whole() const { return display_ != nullptr; }

 private:
  void* display_ = nullptr;
  unsigned long window_ = 0, pixmap_ = 0;
  bool shared_ = false;
};

}  // namespace host

#endif

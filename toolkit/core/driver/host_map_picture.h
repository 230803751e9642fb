// A window's first picture in place before the window is mapped: on an X
// server it becomes the window's background for the map, so the server
// shows it at the very moment the window appears, not the screen beneath
// until the first present arrives.
#ifndef CORE_DRIVER_HOST_MAP_PICTURE_H
#define CORE_DRIVER_HOST_MAP_PICTURE_H

#include <SDL.h>

namespace host {

// Host thread only. Made ahead, while the first frame is still being
// drawn, for the window kept unshown: a picture the X server reads from
// shared memory, so the first frame is not sent through the connection.
// Without it (another window system, a remote server) the frame is sent.
void PrepareMapPicture(SDL_Window* window, SDL_Surface* surface);
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

// A window's first picture in place before the window is mapped: on an X
// server it becomes the window's background for the map, so the server
// shows it at the very moment the window appears, not the screen beneath
// until the first present arrives.
#ifndef CORE_DRIVER_HOST_MAP_PICTURE_H
#define CORE_DRIVER_HOST_MAP_PICTURE_H

#include <SDL.h>

namespace host {

class MapPicture {
 public:
  // `surface` (the window's own, holding the first frame) becomes the
  // background of `window`, where the window system allows it.
  MapPicture(SDL_Window* window, SDL_Surface* surface);
  // The background is dropped again: presents draw the window from now on.
  ~MapPicture();
  MapPicture(const MapPicture&) = delete;
  MapPicture& operator=(const MapPicture&) = delete;

 private:
  void* display_ = nullptr;
  unsigned long window_ = 0, pixmap_ = 0;
};

}  // namespace host

#endif

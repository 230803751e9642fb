// A window's first picture in place before the window is mapped: on an X
// server it becomes the window's background for the map, so the server
// shows it at the very moment the window appears, not the screen beneath
// until the first present arrives.
#ifndef CORE_DRIVER_HOST_MAP_PICTURE_H
#define CORE_DRIVER_HOST_MAP_PICTURE_H

#include <SDL.h>

#include <cstdint>

namespace host {

// Host thread only. Made ahead, while the first frame is still being
// drawn, for the window kept unshown: a picture the X server reads from
// shared memory, so the first frame is not sent through the connection.
// Its memory is made on both sides now, so neither the first frame nor
// the map waits for it. False where it cannot be (another window system,
// a remote server, a visual not in 0x00RRGGBB).
bool PrepareMapPicture(SDL_Window* window);
// The prepared picture of `window`, rows of 0x00RRGGBB packed (4 * width
// bytes each), for the first frame to be drawn straight into; null when
// none is prepared for it.
uint32_t* PreparedMapPixels(SDL_Window* window, int* width, int* height);
// Drops a prepared picture not used; before the window system's connection
// closes.
void DropMapPicture();

class MapPicture {
 public:
  // The prepared picture, holding the first frame, becomes the background
  // of `window`.
  explicit MapPicture(SDL_Window* window);
  // `surface` (the window's own, holding the first frame) becomes the
  // background of `window`, where the window system allows it: sent to
  // the server, when no picture was prepared.
  MapPicture(SDL_Window* window, SDL_Surface* surface);
  // The background is dropped again: presents draw the window from now on.
  ~MapPicture();
  MapPicture(const MapPicture&) = delete;
  MapPicture& operator=(const MapPicture&) = delete;

  // Whether the window shows the whole picture from its map on: a present
  // of the same pixels right after would only repeat them.
  bool Whole() const { return display_ != nullptr; }

 private:
  void* display_ = nullptr;
  unsigned long window_ = 0, pixmap_ = 0;
  bool shared_ = false;
};

}  // namespace host

#endif

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
// drawn, for the window kept unshown: a picture in the X server's own
// memory, which the server writes once now so that its pages are made
// before the first frame waits for them. This side makes no memory for it:
// the first frame is sent into it a band at a time. False where it cannot
// be (another window system, a visual not in 0x00RRGGBB, a server that
// refuses the picture).
bool PrepareMapPicture(SDL_Window* window);
// Whether a picture is prepared for `window`, and its size.
bool MapPicturePrepared(SDL_Window* window, int* width, int* height);
// Sends `w` x `h` pixels of 0x00RRGGBB (`w` a row) to (x, y) of the
// prepared picture; the rows may be reused once this returns.
void SendMapPictureRows(const uint32_t* rows, int x, int y, int w, int h);
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
  bool prepared_ = false;
};

}  // namespace host

#endif

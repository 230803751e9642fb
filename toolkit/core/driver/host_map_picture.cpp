#include "core/driver/host_map_picture.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

namespace host {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

// Only a 32-bit surface in the visual's own channel order is copied as it
// stands.
bool CopiesAsItStands(const SDL_Surface* surface, const XWindowAttributes& at) {
  const SDL_PixelFormat* f = surface->format;
  return f->BitsPerPixel == 32 && (at.depth == 24 || at.depth == 32) && at.visual &&
         at.visual->red_mask == f->Rmask && at.visual->green_mask == f->Gmask && at.visual->blue_mask == f->Bmask;
}

}  // namespace

MapPicture::MapPicture(SDL_Window* window, SDL_Surface* surface) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !surface || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* x = info.info.x11.display;
  const Window w = info.info.x11.window;
  XWindowAttributes at{};
  if (!x || !XGetWindowAttributes(x, w, &at) || !CopiesAsItStands(surface, at)) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  XImage* image = XCreateImage(x, at.visual, static_cast<unsigned>(at.depth), ZPixmap, 0,
                               static_cast<char*>(surface->pixels), static_cast<unsigned>(surface->w),
                               static_cast<unsigned>(surface->h), 32, surface->pitch);
  if (image) {
    const Pixmap pixmap = XCreatePixmap(x, w, static_cast<unsigned>(surface->w), static_cast<unsigned>(surface->h),
                                        static_cast<unsigned>(at.depth));
    XPutImage(x, pixmap, DefaultGC(x, XScreenNumberOfScreen(at.screen)), image, 0, 0, 0, 0,
              static_cast<unsigned>(surface->w), static_cast<unsigned>(surface->h));
    image->data = nullptr;  // the surface's pixels stay the surface's
    XDestroyImage(image);
    XSetWindowBackgroundPixmap(x, w, pixmap);
    display_ = x;
    window_ = w;
    pixmap_ = pixmap;
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

MapPicture::~MapPicture() {
  if (!display_) return;
  Display* x = static_cast<Display*>(display_);
  XSetWindowBackgroundPixmap(x, window_, None);
  XFreePixmap(x, pixmap_);
  XFlush(x);
}

#else

MapPicture::MapPicture(SDL_Window*, SDL_Surface*) {}
MapPicture::~MapPicture() {}

#endif

}  // namespace host

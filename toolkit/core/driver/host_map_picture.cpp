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

// The frame converts into 0x00RRGGBB words: a visual of those masks takes
// them as they stand.
bool TakesRgbWords(const XWindowAttributes& at) {
  return (at.depth == 24 || at.depth == 32) && at.visual && at.visual->red_mask == 0xFF0000 &&
         at.visual->green_mask == 0xFF00 && at.visual->blue_mask == 0xFF;
}

bool X11Window(SDL_Window* window, Display** x, Window* w) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  *x = info.info.x11.display;
  *w = info.info.x11.window;
  return *x != nullptr;
}

// The picture made ahead on the server for the window kept unshown; host
// thread only.
struct PreparedPicture {
  Display* display = nullptr;
  Window window = 0;
  Pixmap pixmap = 0;
  GC gc = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  int width = 0, height = 0;
};
PreparedPicture g_prepared;

// A server short of memory refuses the picture with an error, which is
// noted here instead of ending the program.
bool g_refused = false;
int NoteRefusal(Display*, XErrorEvent*) {
  g_refused = true;
  return 0;
}

void ReleasePrepared() {
  PreparedPicture& p = g_prepared;
  if (!p.display) return;
  if (p.gc) XFreeGC(p.display, p.gc);
  XFreePixmap(p.display, p.pixmap);
  XFlush(p.display);
  p = PreparedPicture{};
}

// Makes the picture and has the server write every pixel of it once, so its
// side of the memory is made while the first frame is drawn, not while the
// frame is sent; false (with nothing left on the server) when it refuses.
bool MakeOnServer(PreparedPicture& p) {
  g_refused = false;
  XErrorHandler previous = XSetErrorHandler(NoteRefusal);
  p.pixmap = XCreatePixmap(p.display, p.window, static_cast<unsigned>(p.width), static_cast<unsigned>(p.height),
                           static_cast<unsigned>(p.depth));
  p.gc = p.pixmap ? XCreateGC(p.display, p.pixmap, 0, nullptr) : nullptr;
  if (p.gc)
    XFillRectangle(p.display, p.pixmap, p.gc, 0, 0, static_cast<unsigned>(p.width), static_cast<unsigned>(p.height));
  XSync(p.display, False);
  const bool made = p.gc && !g_refused;
  if (!made) {
    if (p.gc) XFreeGC(p.display, p.gc);
    if (p.pixmap) XFreePixmap(p.display, p.pixmap);
    XSync(p.display, False);
  }
  XSetErrorHandler(previous);
  return made;
}

// The prepared picture when it was made for this window; null otherwise.
const PreparedPicture* PreparedFor(SDL_Window* window) {
  Display* x = nullptr;
  Window w = 0;
  const PreparedPicture& p = g_prepared;
  if (!p.display || !X11Window(window, &x, &w) || p.display != x || p.window != w) return nullptr;
  return &p;
}

}  // namespace

void DropMapPicture() { ReleasePrepared(); }

bool PrepareMapPicture(SDL_Window* window) {
  ReleasePrepared();
  PreparedPicture p;
  XWindowAttributes at{};
  if (!X11Window(window, &p.display, &p.window)) return false;
  if (!XGetWindowAttributes(p.display, p.window, &at) || !TakesRgbWords(at) || at.width <= 0 || at.height <= 0)
    return false;
  p.visual = at.visual;
  p.depth = at.depth;
  p.width = at.width;
  p.height = at.height;
  if (!MakeOnServer(p)) return false;
  g_prepared = p;
  return true;
}

bool MapPicturePrepared(SDL_Window* window, int* width, int* height) {
  const PreparedPicture* p = PreparedFor(window);
  if (!p) return false;
  *width = p->width;
  *height = p->height;
  return true;
}

void SendMapPictureRows(const uint32_t* rows, int x, int y, int w, int h) {
  const PreparedPicture& p = g_prepared;
  if (!p.display || !rows || w <= 0 || h <= 0) return;
  // The image only borrows the rows; Xlib puts them in the server's byte
  // order as it sends them.
  XImage* image = XCreateImage(p.display, p.visual, static_cast<unsigned>(p.depth), ZPixmap, 0,
                               const_cast<char*>(reinterpret_cast<const char*>(rows)), static_cast<unsigned>(w),
                               static_cast<unsigned>(h), 32, w * 4);
  if (!image) return;
  XPutImage(p.display, p.pixmap, p.gc, image, 0, 0, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
  image->data = nullptr;
  XDestroyImage(image);
}

MapPicture::MapPicture(SDL_Window* window) {
  const PreparedPicture* p = PreparedFor(window);
  if (!p) return;
  pixmap_ = p->pixmap;
  prepared_ = true;
  XSetWindowBackgroundPixmap(p->display, p->window, pixmap_);
  display_ = p->display;
  window_ = p->window;
}

MapPicture::MapPicture(SDL_Window* window, SDL_Surface* surface) {
  Display* x = nullptr;
  Window w = 0;
  XWindowAttributes at{};
  if (!surface || !X11Window(window, &x, &w)) return;
  if (!XGetWindowAttributes(x, w, &at) || !CopiesAsItStands(surface, at)) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  XImage* image = XCreateImage(x, at.visual, static_cast<unsigned>(at.depth), ZPixmap, 0,
                               static_cast<char*>(surface->pixels), static_cast<unsigned>(surface->w),
                               static_cast<unsigned>(surface->h), 32, surface->pitch);
  if (image) {
    pixmap_ = XCreatePixmap(x, w, static_cast<unsigned>(surface->w), static_cast<unsigned>(surface->h),
                            static_cast<unsigned>(at.depth));
    XPutImage(x, pixmap_, DefaultGC(x, XScreenNumberOfScreen(at.screen)), image, 0, 0, 0, 0,
              static_cast<unsigned>(surface->w), static_cast<unsigned>(surface->h));
    image->data = nullptr;  // the surface's pixels stay the surface's
    XDestroyImage(image);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (!pixmap_) return;
  XSetWindowBackgroundPixmap(x, w, pixmap_);
  display_ = x;
  window_ = w;
}

MapPicture::~MapPicture() {
  if (!display_) return;
  Display* x = static_cast<Display*>(display_);
  XSetWindowBackgroundPixmap(x, window_, None);
  if (prepared_)
    ReleasePrepared();
  else
    XFreePixmap(x, pixmap_);
  XFlush(x);
}

#else

bool PrepareMapPicture(SDL_Window*) { return false; }
bool MapPicturePrepared(SDL_Window*, int*, int*) { return false; }
void SendMapPictureRows(const uint32_t*, int, int, int, int) {}
void DropMapPicture() {}
MapPicture::MapPicture(SDL_Window*) {}
MapPicture::MapPicture(SDL_Window*, SDL_Surface*) {}
MapPicture::~MapPicture() {}

#endif

}  // namespace host

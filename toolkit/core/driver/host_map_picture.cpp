#include "core/driver/host_map_picture.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>
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

// The picture in shared memory, rows packed (the server's stride for a
// 32-bit pixmap); host thread only.
struct SharedPicture {
  Display* display = nullptr;
  Window window = 0;
  XShmSegmentInfo segment{};
  Pixmap pixmap = 0;
  int width = 0, height = 0;
};
SharedPicture g_shared;

// A server that cannot reach the memory (a remote one) refuses it with an
// error, which is noted here instead of ending the program.
bool g_refused = false;
int NoteRefusal(Display*, XErrorEvent*) {
  g_refused = true;
  return 0;
}

void ReleaseShared() {
  SharedPicture& s = g_shared;
  if (!s.display) return;
  XFreePixmap(s.display, s.pixmap);
  // The server keeps its own attachment until it reads the detach; the
  // segment is already marked to go once both have let it go.
  XShmDetach(s.display, &s.segment);
  XFlush(s.display);
  shmdt(s.segment.shmaddr);
  s = SharedPicture{};
}

// Attaches the segment on the server and makes the pixmap over it; false
// (with nothing left on the server) when the server refuses either.
bool AttachOnServer(SharedPicture& s, int depth) {
  g_refused = false;
  XErrorHandler previous = XSetErrorHandler(NoteRefusal);
  XShmAttach(s.display, &s.segment);
  s.pixmap = XShmCreatePixmap(s.display, s.window, s.segment.shmaddr, &s.segment, static_cast<unsigned>(s.width),
                              static_cast<unsigned>(s.height), static_cast<unsigned>(depth));
  XSync(s.display, False);
  if (g_refused) {
    if (s.pixmap) XFreePixmap(s.display, s.pixmap);
    XShmDetach(s.display, &s.segment);
    XSync(s.display, False);
  }
  XSetErrorHandler(previous);
  return !g_refused;
}

// The server writes every pixel once now, so its side of the memory is
// made while the first frame is drawn, not when the window is mapped.
void FillOnServer(const SharedPicture& s) {
  GC gc = XCreateGC(s.display, s.pixmap, 0, nullptr);
  if (!gc) return;
  XFillRectangle(s.display, s.pixmap, gc, 0, 0, static_cast<unsigned>(s.width), static_cast<unsigned>(s.height));
  XFreeGC(s.display, gc);
  XFlush(s.display);  // under way while this side makes its own pages
}

// The prepared picture when it was made for this window; null otherwise.
const SharedPicture* PreparedFor(SDL_Window* window) {
  Display* x = nullptr;
  Window w = 0;
  const SharedPicture& s = g_shared;
  if (!s.display || !X11Window(window, &x, &w) || s.display != x || s.window != w) return nullptr;
  return &s;
}

}  // namespace

void DropMapPicture() { ReleaseShared(); }

bool PrepareMapPicture(SDL_Window* window) {
  ReleaseShared();
  SharedPicture s;
  int major = 0, minor = 0;
  Bool pixmaps = False;
  XWindowAttributes at{};
  if (!X11Window(window, &s.display, &s.window)) return false;
  if (!XShmQueryVersion(s.display, &major, &minor, &pixmaps) || !pixmaps || XShmPixmapFormat(s.display) != ZPixmap)
    return false;
  if (!XGetWindowAttributes(s.display, s.window, &at) || !TakesRgbWords(at) || at.width <= 0 || at.height <= 0)
    return false;
  s.width = at.width;
  s.height = at.height;
  const size_t bytes = static_cast<size_t>(s.width) * 4 * static_cast<size_t>(s.height);
  s.segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (s.segment.shmid < 0) return false;
  void* memory = shmat(s.segment.shmid, nullptr, 0);
  if (memory == reinterpret_cast<void*>(-1)) {
    shmctl(s.segment.shmid, IPC_RMID, nullptr);
    return false;
  }
  s.segment.shmaddr = static_cast<char*>(memory);
  s.segment.readOnly = False;
  const bool attached = AttachOnServer(s, at.depth);
  // Gone once both sides have detached, however the program ends.
  shmctl(s.segment.shmid, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(memory);
    return false;
  }
  FillOnServer(s);
  // This side's pages are made now too, rather than while the first frame waits.
  std::memset(memory, 0, bytes);
  // The server's fill is over before the first frame is written here.
  XSync(s.display, False);
  g_shared = s;
  return true;
}

uint32_t* PreparedMapPixels(SDL_Window* window, int* width, int* height) {
  const SharedPicture* s = PreparedFor(window);
  if (!s) return nullptr;
  *width = s->width;
  *height = s->height;
  return reinterpret_cast<uint32_t*>(s->segment.shmaddr);
}

MapPicture::MapPicture(SDL_Window* window) {
  const SharedPicture* s = PreparedFor(window);
  if (!s) return;
  pixmap_ = s->pixmap;
  shared_ = true;
  XSetWindowBackgroundPixmap(s->display, s->window, pixmap_);
  display_ = s->display;
  window_ = s->window;
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
  if (shared_)
    ReleaseShared();
  else
    XFreePixmap(x, pixmap_);
  XFlush(x);
}

#else

bool PrepareMapPicture(SDL_Window*) { return false; }
uint32_t* PreparedMapPixels(SDL_Window*, int*, int*) { return nullptr; }
void DropMapPicture() {}
MapPicture::MapPicture(SDL_Window*) {}
MapPicture::MapPicture(SDL_Window*, SDL_Surface*) {}
MapPicture::~MapPicture() {}

#endif

}  // namespace host

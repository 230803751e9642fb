// The cursor drawn into the screen's frame buffer: the current and default
// cursor, the show count, position and clip rectangle, the save-under
// buffer, and the guard that keeps drawing on the screen from painting over
// (or under) it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/cursor/cursor_internal.h"
#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"
#include "gdi/dc_cursor.h"
#include "gdi/dc_record.h"
#include "gdi/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"

namespace {

struct CursorState {
  // Recursive: a pixel read inside a drawing bracket asks for the saved
  // pixel while the bracket holds the lock.
  std::recursive_mutex lock;
  bool ready = false;
  int x = 0, y = 0;          // position
  int lastX = 0, lastY = 0;  // position at the last move
  int savedX = 0, savedY = 0;
  Cursor* current = nullptr;
  Cursor* fallback = nullptr;  // the default cursor
  int currentIndex = -1;
  int showCount = 0;
  bool onScreen = false;
  int guardDepth = 0;
  bool hiddenByGuard = false;
  Rect clip{};
  uint32_t pitch = 0;
  size_t boxBytes = 0;
  std::vector<uint8_t> save, work;
  Cursor* system[MAX_SYSCURSORINDEX] = {};
  int systemCount = 0;
};

CursorState& S() {
  static CursorState state;
  return state;
}

GalSurface* Screen() {
  GalSurface* s = gui::dc::CurrentScreenSurface();
  return s ? s : GAL_GetVideoSurface();
}

Size ScreenSize() {
  GalSurface* screen = Screen();
  if (!screen) return Size{0, 0};
  const gal::Geometry g = gal::geometryFor(screen, getCurOutputHook());
  return Size{g.w, g.h};
}

bool EngineDraws() {
  const int engine = GuiApp()->gui_get_galengin();
  return engine == 1 || engine == 2;
}

bool ShouldShow(const CursorState& s) { return s.ready && s.current && s.showCount >= 0; }

Bitmap BoxOver(CursorState& s, uint8_t* bits) {
  GalSurface* screen = Screen();
  Bitmap b{};
  b.bmBitsPerPixel = screen->format->bitsPerPixel;
  b.bmBytesPerPixel = screen->format->bytesPerPixel;
  b.bmWidth = b.bmHeight = CURSOR_SIZE;
  b.bmPitch = s.pitch;
  b.bmBits = bits;
  return b;
}

// Only the part on the screen: the cursor box may hang over an edge.
void Update(GalSurface* screen, const GalRect& r) {
  const Size size = ScreenSize();
  const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
  const int x1 = std::min(r.x + r.w, size.cx), y1 = std::min(r.y + r.h, size.cy);
  if (x1 <= x0 || y1 <= y0) return;
  GalRect part{x0, y0, x1 - x0, y1 - y0};
  GAL_UpdateRects(screen, 1, &part);
}

void Draw(CursorState& s) {
  GalSurface* screen = Screen();
  if (!screen || !EngineDraws() || s.save.empty()) return;
  s.savedX = s.x - s.current->xHotspot;
  s.savedY = s.y - s.current->yHotspot;
  const GalRect box{s.savedX, s.savedY, CURSOR_SIZE, CURSOR_SIZE};
  GAL_SetClipRect(screen, nullptr);
  Bitmap save = BoxOver(s, s.save.data());
  GAL_GetBox(screen, &box, &save);
  // Through local pointers: byte stores through the vectors' own would
  // make the compiler reload them at every step instead of vectorising.
  const uint8_t* const saved = s.save.data();
  const uint8_t* const andBits = s.current->andBits;
  const uint8_t* const xorBits = s.current->xorBits;
  uint8_t* const out = s.work.data();
  const size_t bytes = s.boxBytes;
  for (size_t i = 0; i + 4 <= bytes; i += 4) {
    uint32_t v, a, x;
    std::memcpy(&v, saved + i, 4);
    std::memcpy(&a, andBits + i, 4);
    std::memcpy(&x, xorBits + i, 4);
    v = (v & a) ^ x;
    std::memcpy(out + i, &v, 4);
  }
  Bitmap work = BoxOver(s, s.work.data());
  GAL_PutBox(screen, &box, &work, getCurOutputHook());
  Update(screen, box);
  s.onScreen = true;
}

// show: false when the caller shows the box itself (the drawing guard,
// which redraws the cursor, or shows the box, once the drawing is done).
void Erase(CursorState& s, bool show = true) {
  GalSurface* screen = Screen();
  if (!s.onScreen || !screen) return;
  const GalRect box{s.savedX, s.savedY, CURSOR_SIZE, CURSOR_SIZE};
  GAL_SetClipRect(screen, nullptr);
  Bitmap save = BoxOver(s, s.save.data());
  GAL_PutBox(screen, &box, &save, getCurOutputHook());
  if (show) Update(screen, box);
  s.onScreen = false;
}

bool Overlaps(const CursorState& s, const DC* dc) {
  const Rect box{s.savedX, s.savedY, s.savedX + CURSOR_SIZE, s.savedY + CURSOR_SIZE};
  return gui::dc::OutputMeets(dc, box);
}

// Both locks, in the order drawing takes them: display, then cursor.
struct Locks {
  std::lock_guard<std::mutex> display{gui::dc::GdiLockOfDisplay(getCurOutputHook())};
  std::lock_guard<std::recursive_mutex> cursor{S().lock};
};

// Reads the engine's position through the calibration and clamps it to
// the screen; moves the drawn cursor when it changed. Locks held.
bool Follow(CursorState& s) {
  IalEngine* engine = CurrentIalEngine();
  int x = s.x, y = s.y;
  if (engine && engine->get_mouse_xy) {
    engine->get_mouse_xy(&x, &y);
    CalibrateMousePosition(&x, &y);
  }
  const Size size = ScreenSize();
  x = std::max(0, std::min(x, size.cx - 1));
  y = std::max(0, std::min(y, size.cy - 1));
  s.x = x;
  s.y = y;
  if (x == s.lastX && y == s.lastY) return false;
  if (s.onScreen) {
    Erase(s);
    Draw(s);
  }
  s.lastX = x;
  s.lastY = y;
  return true;
}

int FollowMouse(int* x, int* y, int* buttons) {
  Locks locks;
  CursorState& s = S();
  const bool moved = Follow(s);
  *x = s.x;
  *y = s.y;
  IalEngine* engine = CurrentIalEngine();
  *buttons = engine && engine->get_mouse_button ? engine->get_mouse_button() : 0;
  return moved ? 1 : 0;
}

void Guard(int after, DC* dc) {
  CursorState& s = S();
  if (dc->surface != Screen()) {
    if (after) gui::dc::FlushOutputRect(dc);
    return;
  }
  if (!after) {
    s.lock.lock();
    // Drawing on the other display leaves the cursor alone: its frame
    // buffer is not the one locked for this drawing.
    if (s.guardDepth++ == 0 && s.onScreen && dc->heldDisplay == getCurOutputHook() && Overlaps(s, dc)) {
      Erase(s, false);
      s.hiddenByGuard = true;
    }
    return;
  }
  if (--s.guardDepth == 0 && s.hiddenByGuard) {
    s.hiddenByGuard = false;
    const GalRect erased{s.savedX, s.savedY, CURSOR_SIZE, CURSOR_SIZE};
    if (ShouldShow(s)) Draw(s);
    GalSurface* screen = Screen();
    if (screen && (!s.onScreen || s.savedX != erased.x || s.savedY != erased.y)) Update(screen, erased);
  }
  gui::dc::FlushOutputRect(dc);
  s.lock.unlock();
}

bool PixelUnder(int x, int y, GalPixel* pixel) { return GetPixelUnderCursor(x, y, pixel) != nullptr; }

const gui::dc::CursorGuardOps kGuardOps = {Guard, PixelUnder};

void FreeEverything(CursorState& s) {
  for (Cursor*& c : s.system) {
    cursor::FreeCursor(reinterpret_cast<HCURSOR>(c));
    c = nullptr;
  }
  s.systemCount = 0;
  s.save.clear();
  s.save.shrink_to_fit();
  s.work.clear();
  s.work.shrink_to_fit();
  s.current = s.fallback = nullptr;
  s.currentIndex = -1;
  s.showCount = 0;
  s.onScreen = false;
  s.ready = false;
}

int IndexOf(const CursorState& s, const Cursor* c) {
  for (int i = 0; i < s.systemCount; ++i)
    if (s.system[i] == c) return i;
  return -1;
}

}  // namespace

extern "C" {

int InitCursors(void) {
  CursorState& s = S();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  if (s.ready) FreeEverything(s);
  GalSurface* screen = Screen();
  if (!screen) return 0;
  s.boxBytes = static_cast<size_t>(GAL_GetBoxSize(screen, CURSOR_SIZE, CURSOR_SIZE, &s.pitch));
  s.save.assign(s.boxBytes, 0);
  s.work.assign(s.boxBytes, 0);
  char text[10] = "";
  if (GetGuiEtcValue("cursorinfo", "cursornumber", text, sizeof text) != ETC_OK) {
    FreeEverything(s);
    return 0;
  }
  const int wanted = std::min(std::atoi(text), MAX_SYSCURSORINDEX);
  for (int i = 0; i < wanted; ++i) {
    s.system[i] = reinterpret_cast<Cursor*>(cursor::LoadSystemCursorFile(i));
    if (!s.system[i]) {
      FreeEverything(s);
      return 0;
    }
    s.systemCount = i + 1;
  }
  const Size size = ScreenSize();
  s.clip = Rect{0, 0, size.cx - 1, size.cy - 1};
  s.x = s.y = s.lastX = s.lastY = 0;
  s.ready = true;
  gui::dc::SetCursorGuardOps(&kGuardOps);
  SetMouseCursorUpdate(FollowMouse);
  return 1;
}

void TermCursors(void) {
  CursorState& s = S();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  if (!s.ready) return;
  SetMouseCursorUpdate(nullptr);
  gui::dc::SetCursorGuardOps(nullptr);
  FreeEverything(s);
}

HCURSOR GetSystemCursor(int index) {
  CursorState& s = S();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  if (index < 0 || index >= MAX_SYSCURSORINDEX) return 0;
  return reinterpret_cast<HCURSOR>(s.system[index]);
}

HCURSOR GetDefaultCursor(void) {
  std::lock_guard<std::recursive_mutex> hold(S().lock);
  return reinterpret_cast<HCURSOR>(S().fallback);
}

HCURSOR GetCurrentCursor(void) {
  std::lock_guard<std::recursive_mutex> hold(S().lock);
  return reinterpret_cast<HCURSOR>(S().current);
}

int GetCurrentCursorIndex(void) {
  std::lock_guard<std::recursive_mutex> hold(S().lock);
  return S().currentIndex;
}

HCURSOR SetCursorEx(HCURSOR handle, BOOL setDefault) {
  auto* c = reinterpret_cast<Cursor*>(handle);
  Locks locks;
  CursorState& s = S();
  Cursor* previous = s.current;
  if (setDefault) {
    previous = s.fallback;
    s.fallback = c;
  }
  if (c == s.current) return reinterpret_cast<HCURSOR>(previous);
  Erase(s);
  s.current = c;
  s.currentIndex = IndexOf(s, c);
  if (ShouldShow(s)) Draw(s);
  return reinterpret_cast<HCURSOR>(previous);
}

int ShowCursor(BOOL show) {
  Locks locks;
  CursorState& s = S();
  if (show) {
    if (++s.showCount == 0 && ShouldShow(s)) Draw(s);
  } else {
    if (--s.showCount == -1) Erase(s);
  }
  return s.showCount;
}

void GetCursorPos(Point* point) {
  if (!point) return;
  std::lock_guard<std::recursive_mutex> hold(S().lock);
  *point = Point{S().x, S().y};
}

void SetCursorPos(int x, int y) {
  Locks locks;
  IalEngine* engine = CurrentIalEngine();
  if (engine && engine->set_mouse_xy) engine->set_mouse_xy(x, y);
  Follow(S());
}

int UpdateCursorFromMouse(int* x, int* y, int* buttons) {
  int px = 0, py = 0, pb = 0;
  const int moved = FollowMouse(&px, &py, &pb);
  if (x) *x = px;
  if (y) *y = py;
  if (buttons) *buttons = pb;
  return moved;
}

void ClipCursor(const Rect* rect) {
  CursorState& s = S();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  const Size size = ScreenSize();
  const Rect whole{0, 0, size.cx - 1, size.cy - 1};
  IalEngine* engine = CurrentIalEngine();
  if (!rect) {
    s.clip = whole;
  } else {
    if (IsRectEmpty(&s.clip)) s.clip = whole;
    Rect r = *rect;
    NormalizeRect(&r);
    // No overlap stays empty: normalising the crossed edges would make a
    // rectangle off the screen out of it.
    if (!IntersectRect(&s.clip, &r, &s.clip)) s.clip = Rect{0, 0, 0, 0};
    NormalizeRect(&s.clip);
  }
  if (engine && engine->set_mouse_range)
    engine->set_mouse_range(s.clip.left, s.clip.top, s.clip.right, s.clip.bottom);
}

void GetClipCursor(Rect* rect) {
  if (!rect) return;
  std::lock_guard<std::recursive_mutex> hold(S().lock);
  *rect = S().clip;
}

uint8_t* GetPixelUnderCursor(int x, int y, GalPixel* pixel) {
  CursorState& s = S();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  GalSurface* screen = Screen();
  if (!s.onScreen || !screen || x < s.savedX || y < s.savedY || x >= s.savedX + CURSOR_SIZE ||
      y >= s.savedY + CURSOR_SIZE)
    return nullptr;
  const int bpp = screen->format->bytesPerPixel;
  uint8_t* at = s.save.data() + static_cast<size_t>(y - s.savedY) * s.pitch +
                static_cast<size_t>(x - s.savedX) * bpp;
  if (pixel) {
    GalPixel v = ReadPixelValue(at, bpp);
    if (bpp == 3) v &= 0xFFFFFF;
    *pixel = v;
  }
  return at;
}

}  // extern "C"

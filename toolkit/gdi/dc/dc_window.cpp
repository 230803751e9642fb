// The window DC's view of window records and clip information.
#include "gdi/dc/dc_window.h"

#include <atomic>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/window/window_record.h"
#include "gdi/dc/dc_record.h"
#include "gui/app_hooks.h"

namespace gui::dc {
namespace {

std::atomic<const ClipInfoOps*> g_clipInfoOps{nullptr};

void AddClientOrigins(Rect* rect, const WindowRecord* from) {
  for (const WindowRecord* up = from; up; up = up->parent) {
    rect->left += up->client.left;
    rect->right += up->client.left;
    rect->top += up->client.top;
    rect->bottom += up->client.top;
  }
}

}  // namespace

void SetClipInfoOps(const ClipInfoOps* ops) { g_clipInfoOps.store(ops); }

bool IsDesktopWindow(WindowHandle hwnd) { return hwnd != 0 && hwnd == __gui_hwnd_desktop; }

bool IsLiveWindow(WindowHandle hwnd) { return IsDesktopWindow(hwnd) || ValidWindow(hwnd); }

bool IsWindowShowing(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  if (!win) return false;
  GeometryReadLock hold;  // other threads change the visible and disabled bits of the same word
  for (; win; win = win->parent)
    if (!(win->style & kVisibleStyle)) return false;
  return true;
}

bool NeedsAncestorClip(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  return win && win->windowType == kWindowControl && !(win->exStyle & kOwnClipInfoExStyle);
}

Rect WindowDeviceRect(WindowHandle hwnd, bool client) {
  if (IsDesktopWindow(hwnd)) return ScreenDC()->devRect;
  const WindowRecord* win = ValidWindow(hwnd);
  if (!win) return Rect{};
  GeometryReadLock hold;  // the desktop thread moves windows while their threads paint
  Rect rect = client ? win->client : win->window;
  AddClientOrigins(&rect, win->parent);
  return rect;
}

// Cuts to the main window's client area, then down the chain of ancestors
// to the control's parent, each client area moved to screen coordinates.
void ClipRectToAncestors(Rect* rect, WindowHandle control) {
  const WindowRecord* win = ValidWindow(control);
  if (!win || !win->mainWindow) return;
  GeometryReadLock hold;
  std::vector<const WindowRecord*> chain;  // parent first, up to below the main window
  for (const WindowRecord* up = win->parent; up && up != win->mainWindow; up = up->parent)
    chain.push_back(up);
  if (!IntersectRect(rect, rect, &win->mainWindow->client)) {
    *rect = Rect{};
    return;
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    Rect area = (*it)->client;
    AddClientOrigins(&area, (*it)->parent);
    if (!IntersectRect(rect, rect, &area)) {
      *rect = Rect{};
      return;
    }
  }
}

int WindowDisplay(WindowHandle hwnd) {
  if (hwnd == 0) return getCurOutputHook();
  return GetWindowDisplay(hwnd);
}

HDC WindowPrivateClientDC(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  return win ? win->privateDC : 0;
}

GlobalClipInfo* WindowClipInfo(WindowHandle hwnd) {
  if (!g_clipInfoOps.load()) return nullptr;
  const WindowRecord* win = ValidWindow(hwnd);
  return win ? win->clipInfo : nullptr;
}

void LockClipInfo(GlobalClipInfo* info) { g_clipInfoOps.load()->lock(info); }
void UnlockClipInfo(GlobalClipInfo* info) { g_clipInfoOps.load()->unlock(info); }
uint32_t ClipInfoAge(const GlobalClipInfo* info) { return g_clipInfoOps.load()->age(info); }
const ClipRgn* ClipInfoRegion(const GlobalClipInfo* info) {
  return g_clipInfoOps.load()->region(info);
}

}  // namespace gui::dc

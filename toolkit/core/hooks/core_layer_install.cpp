// Fills the graphics library's table of core calls as the program starts,
// before any window DC can exist. Every program that links the core keeps
// this object: the core's link interface names GuiCoreLayerInstalled as
// undefined. The window records are read here, under the geometry lock
// where other threads change what is read.
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/driver/windib.h"
#include "core/window/window_record.h"
#include "gdi/core_layer.h"
#include "gui/desktop.h"
#include "gui/gui_etc.h"

namespace {

void AddClientOrigins(Rect* rect, const WindowRecord* from) {
  for (const WindowRecord* up = from; up; up = up->parent) {
    rect->left += up->client.left;
    rect->right += up->client.left;
    rect->top += up->client.top;
    rect->bottom += up->client.top;
  }
}

WindowHandle Desktop() { return __gui_hwnd_desktop; }

bool IsValid(WindowHandle hwnd) { return ValidWindow(hwnd) != nullptr; }

bool IsShowing(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  if (!win) return false;
  GeometryReadLock hold;  // other threads change the visible and disabled bits of the same word
  for (; win; win = win->parent)
    if (!(win->style & WS_VISIBLE)) return false;
  return true;
}

bool NeedsAncestorClip(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  return win && win->windowType == kWindowControl && !(win->exStyle & WS_EX_OWN_CLIPINFO);
}

Rect ScreenRect(WindowHandle hwnd, bool client) {
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

HDC PrivateClientDC(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  return win ? win->privateDC : 0;
}

GlobalClipInfo* ClipInfoOf(WindowHandle hwnd) {
  const WindowRecord* win = ValidWindow(hwnd);
  return win ? win->clipInfo : nullptr;
}

const char* EtcPath() { return ETCFILEPATH; }

const GalBootstrap* Driver() { return &WinDibBootstrap; }

int Install() {
  CoreLayer layer{};
  layer.desktopWindow = Desktop;
  layer.isValidWindow = IsValid;
  layer.isWindowShowing = IsShowing;
  layer.needsAncestorClip = NeedsAncestorClip;
  layer.windowScreenRect = ScreenRect;
  layer.clipRectToAncestors = ClipRectToAncestors;
  layer.windowDisplay = GetWindowDisplay;
  layer.windowPrivateClientDC = PrivateClientDC;
  layer.windowClipInfo = ClipInfoOf;
  layer.guiEtcValue = GetGuiEtcValue;
  layer.guiEtcPath = EtcPath;
  layer.videoDriver = Driver;
  InstallCoreLayer(layer);
  return 1;
}

}  // namespace

extern "C" {
extern const int GuiCoreLayerInstalled;
const int GuiCoreLayerInstalled = Install();
}

// The window DC's view of windows and clip information: the records
// themselves are read by the core (gdi/core_layer.h).
#include "gdi/dc_window.h"

#include <atomic>

#include "gdi/core_layer.h"
#include "gdi/dc_record.h"
#include "gui/app_hooks.h"

namespace gui::dc {
namespace {

std::atomic<const ClipInfoOps*> g_clipInfoOps{nullptr};

}  // namespace

void SetClipInfoOps(const ClipInfoOps* ops) { g_clipInfoOps.store(ops); }

WindowHandle DesktopWindow() { return Core().desktopWindow(); }

bool IsDesktopWindow(WindowHandle hwnd) { return hwnd != 0 && hwnd == DesktopWindow(); }

bool IsLiveWindow(WindowHandle hwnd) { return IsDesktopWindow(hwnd) || Core().isValidWindow(hwnd); }

bool IsWindowShowing(WindowHandle hwnd) { return Core().isWindowShowing(hwnd); }

bool NeedsAncestorClip(WindowHandle hwnd) { return Core().needsAncestorClip(hwnd); }

Rect WindowDeviceRect(WindowHandle hwnd, bool client) {
  if (IsDesktopWindow(hwnd)) return ScreenDC()->devRect;
  return Core().windowScreenRect(hwnd, client);
}

void ClipRectToAncestors(Rect* rect, WindowHandle control) { Core().clipRectToAncestors(rect, control); }

int WindowDisplay(WindowHandle hwnd) {
  if (hwnd == 0) return getCurOutputHook();
  return Core().windowDisplay(hwnd);
}

HDC WindowPrivateClientDC(WindowHandle hwnd) { return Core().windowPrivateClientDC(hwnd); }

GlobalClipInfo* WindowClipInfo(WindowHandle hwnd) {
  if (!g_clipInfoOps.load()) return nullptr;
  return Core().windowClipInfo(hwnd);
}

void LockClipInfo(GlobalClipInfo* info) { g_clipInfoOps.load()->lock(info); }
void UnlockClipInfo(GlobalClipInfo* info) { g_clipInfoOps.load()->unlock(info); }
uint32_t ClipInfoAge(const GlobalClipInfo* info) { return g_clipInfoOps.load()->age(info); }
const ClipRgn* ClipInfoRegion(const GlobalClipInfo* info) {
  return g_clipInfoOps.load()->region(info);
}

}  // namespace gui::dc

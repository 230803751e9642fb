#include "gdi/core_layer.h"

#include "gui/app_hooks.h"
#include "gui/config.h"

namespace {

WindowHandle NoDesktop() { return 0; }
bool NoWindow(WindowHandle) { return false; }
Rect NoRect(WindowHandle, bool) { return Rect{}; }
void NoAncestors(Rect*, WindowHandle) {}
int CurrentDisplay(WindowHandle) { return getCurOutputHook(); }
HDC NoPrivateDC(WindowHandle) { return 0; }
GlobalClipInfo* NoClipInfo(WindowHandle) { return nullptr; }
int NoFile(const char*, const char*, char*, int) { return ETC_BAD_ARGUMENT; }
const char* NoPath() { return ""; }
const GalBootstrap* NoDriver() { return nullptr; }

CoreLayer g_layer{NoDesktop,   NoWindow,      NoWindow,   NoWindow, NoRect,  NoAncestors,
                  CurrentDisplay, NoPrivateDC, NoClipInfo, NoFile,   NoPath,  NoDriver};

template <typename F>
void Take(F*& slot, F* given) {
  if (given) slot = given;
}

}  // namespace

const CoreLayer& Core() { return g_layer; }

// Runs once, from a static initializer, before any thread of the toolkit.
void InstallCoreLayer(const CoreLayer& layer) {
  Take(g_layer.desktopWindow, layer.desktopWindow);
  Take(g_layer.isValidWindow, layer.isValidWindow);
  Take(g_layer.isWindowShowing, layer.isWindowShowing);
  Take(g_layer.needsAncestorClip, layer.needsAncestorClip);
  Take(g_layer.windowScreenRect, layer.windowScreenRect);
  Take(g_layer.clipRectToAncestors, layer.clipRectToAncestors);
  Take(g_layer.windowDisplay, layer.windowDisplay);
  Take(g_layer.windowPrivateClientDC, layer.windowPrivateClientDC);
  Take(g_layer.windowClipInfo, layer.windowClipInfo);
  Take(g_layer.guiEtcValue, layer.guiEtcValue);
  Take(g_layer.guiEtcPath, layer.guiEtcPath);
  Take(g_layer.videoDriver, layer.videoDriver);
}

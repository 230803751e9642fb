// Stand-ins for the PTZ panel and the add-camera dialog: each is the
// placeholder page laid out by its own layout section, registered like the
// finished window, so the live view can open, cover and close it.
#include <atomic>

#include "app/app_registry.h"
#include "app/camera/camera_windows.h"
#include "app/camera.h"
#include "app/placeholder_page.h"

namespace {

std::atomic<WindowHandle> g_ptzPanel{GUI_INVALID_HANDLE};

// The side menu put the output into the PTZ state: every way out of the
// panel returns it to the live view, which otherwise ignores every click.
void leavePtz() {
  const int output = getCurOutput();
  setPtzMouseMode(0);
  if (getOutputState(output) == OUTSTATE_PTZ) setOutputState(output, OUTSTATE_LIVEVIEW);
}

void registerPtzPanel(WindowHandle hwnd) {
  g_ptzPanel.store(hwnd);
  if (hwnd == GUI_INVALID_HANDLE) leavePtz();
}

int runStandIn(WindowHandle owner, const char* section, const char* record, void (*registerWnd)(WindowHandle)) {
  PlaceholderPage page;
  page.section = section;
  page.record = record;
  page.registerWnd = registerWnd;
  return runPlaceholderPage(owner, page);
}

}  // namespace

namespace camera_windows {

WindowHandle getPtzPlayWindow(void) { return g_ptzPanel.load(); }
int showPtzPlayDialog(WindowHandle owner) { return runStandIn(owner, "ptzplay", "ptzplay_win", registerPtzPanel); }
int showAddIpcDialog(WindowHandle owner) { return runStandIn(owner, "addipc", "addipc_win", setAddIpcWnd); }

}  // namespace camera_windows

// The side menu's PTZ item: the status indicator over the live view, then
// the PTZ panel.
#include "app/camera.h"
#include "app/program.h"
#include "gui/desktop.h"
#include "gui/window.h"

extern "C" int openLiveViewPtz(int output, WindowHandle owner) {
  createPtzStatusWindow(output, GetCurTopMainWindow());
  return showPtzPlayDialog(owner);
}

// Output queries and the placement of design-grid rectangles on the screen.
// Every answer comes from the device layer through the application call-back table.
#include "gui/display.h"

#include "core/layout/layout_state.h"
#include "gui/app_hooks.h"

namespace {

uint8_t VideoOutputCount() {
  uint8_t count = 0;
  if (GuiApp()->getVideoOutputCount(&count) != 0) return 0;
  return count;
}

void DisplayIds(int* mainId, int* auxId) {
  *mainId = 0;
  *auxId = 0;
  GuiApp()->getDisplayOutputIds(mainId, auxId);
}

Size DesignGridOf(int display) {
  if (IsLowResDisplay(display)) return Size{DESIGN_LOWRES_WIDTH, DESIGN_LOWRES_HEIGHT};
  return Size{DESIGN_MONITOR_WIDTH, DESIGN_MONITOR_HEIGHT};
}

}  // namespace

extern "C" {

BOOL HasNoOutput(void) { return VideoOutputCount() == 0; }

BOOL HasAuxOutput(void) { return VideoOutputCount() > 1; }

int BitsPerPixelOfMode(int mode) {
  switch (mode) {
    case 1:
    case 2:
      return 16;
    case 3:
      return 24;
    default:
      return 32;
  }
}

BOOL IsLowResDisplay(int display) {
  int type = 1;  // a failed query counts as a monitor output
  GuiApp()->getDisplayOutputType(display, &type);
  return type == 0;
}

BOOL IsAuxDisplay(int display) { return display != getMainOutputHook(); }

int GetMainDisplayId(void) {
  int mainId, auxId;
  DisplayIds(&mainId, &auxId);
  return mainId;
}

int GetAuxDisplayId(void) {
  int mainId, auxId;
  DisplayIds(&mainId, &auxId);
  return auxId;
}

int GetDesignResolution(int display, Size* size) {
  if (!size) return -1;
  *size = DesignGridOf(display);
  return 0;
}

int IsDisplayScaled(int) { return 0; }
int IsAlphaTableMode(void) { return 1; }
int IsDesktopPrefilterOn(void) { return 0; }

// Scaling is off in this system: the values stay as they are.
int ScaleHorzToScreen(int* x, int* width, int) { return !x && !width ? -1 : 0; }
int ScaleVertToScreen(int* y, int* height, int) { return !y && !height ? -1 : 0; }

int ScaleWindowRect(uint32_t exStyle, int center, int* x, int* y, int*, int*) {
  if (!center || (exStyle & WS_EX_PLACE_MASK) == 0) return 0;
  const int output = getCurOutputHook();
  const Size screen = layout::ScreenExtent(output);
  const Size grid = DesignGridOf(output);
  const int dx = (screen.cx - grid.cx) / 2;
  const int dy = (screen.cy - grid.cy) / 2;
  if ((exStyle & WS_EX_PLACE_X) && x && dx >= 1) *x += dx;
  if ((exStyle & WS_EX_PLACE_Y) && y && dy >= 1) *y += dy;
  return 0;
}

}  // extern "C"

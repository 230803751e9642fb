// Everything a window DC asks of its window goes through these calls: the
// window records are read by the core (gdi/core_layer.h), and the
// desktop's clip information (its mutex, global region and age) through a
// small table the desktop installs.
#ifndef GDI_DC_DC_WINDOW_H
#define GDI_DC_DC_WINDOW_H

#include <cstdint>

#include "gui/common.h"
#include "gui/region.h"

struct GlobalClipInfo;

namespace gui::dc {

struct ClipInfoOps {
  void (*lock)(GlobalClipInfo* info);
  void (*unlock)(GlobalClipInfo* info);
  uint32_t (*age)(const GlobalClipInfo* info);
  const ClipRgn* (*region)(const GlobalClipInfo* info);
};

// Null restores the default, which reaches no clip information: window DCs
// then draw nothing.
void SetClipInfoOps(const ClipInfoOps* ops);

// The desktop's handle; 0 while no core is installed.
WindowHandle DesktopWindow();
bool IsDesktopWindow(WindowHandle hwnd);
// A valid window record or the desktop.
bool IsLiveWindow(WindowHandle hwnd);
// Valid, and it and every ancestor up the parent chain carry the visible bit.
bool IsWindowShowing(WindowHandle hwnd);
// A control clipped to its ancestors (one without clip information of its own).
bool NeedsAncestorClip(WindowHandle hwnd);
// The client (client true) or window rectangle in screen coordinates; the
// screen rectangle for the desktop.
Rect WindowDeviceRect(WindowHandle hwnd, bool client);
int WindowDisplay(WindowHandle hwnd);
HDC WindowPrivateClientDC(WindowHandle hwnd);

// Null when the window has none or no clip information can be reached.
GlobalClipInfo* WindowClipInfo(WindowHandle hwnd);
void LockClipInfo(GlobalClipInfo* info);
void UnlockClipInfo(GlobalClipInfo* info);
uint32_t ClipInfoAge(const GlobalClipInfo* info);
const ClipRgn* ClipInfoRegion(const GlobalClipInfo* info);

}  // namespace gui::dc

#endif

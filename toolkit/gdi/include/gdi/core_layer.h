// What the graphics library asks of the core above it: the desktop's
// handle, the window records a window DC draws for, the main configuration
// file and the display driver. The graphics library does not link the core;
// the core fills this table as the program starts
// (core/hooks/core_layer_install.cpp). Until then every entry answers as a
// toolkit without windows would: no window exists, nothing is configured and
// no display driver is found.
#pragma once

#include "gui/common.h"
#include "gui/gal.h"

struct GlobalClipInfo;

struct CoreLayer {
  WindowHandle (*desktopWindow)();
  bool (*isValidWindow)(WindowHandle hwnd);
  // Valid, and it and every ancestor up the parent chain carry WS_VISIBLE.
  bool (*isWindowShowing)(WindowHandle hwnd);
  bool (*needsAncestorClip)(WindowHandle hwnd);
  // The client (client true) or window rectangle in screen coordinates; an
  // empty rectangle for no valid window.
  Rect (*windowScreenRect)(WindowHandle hwnd, bool client);
  // Cuts `rect` to the control's main window client area and its ancestors.
  void (*clipRectToAncestors)(Rect* rect, WindowHandle control);
  int (*windowDisplay)(WindowHandle hwnd);
  HDC (*windowPrivateClientDC)(WindowHandle hwnd);
  GlobalClipInfo* (*windowClipInfo)(WindowHandle hwnd);
  // The reader of the main configuration file and that file's path.
  int (*guiEtcValue)(const char* section, const char* key, char* value, int len);
  const char* (*guiEtcPath)();
  const GalBootstrap* (*videoDriver)();
};

// The table in force; entries are never null.
const CoreLayer& Core();
// Installs the core's entries (null ones keep the default).
void InstallCoreLayer(const CoreLayer& layer);

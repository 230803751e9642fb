// What the core asks of the control library above it: the class registry
// and the built-in classes, the input method's tables, the edits'
// soft-keyboard state and two painters the menus borrow. The core does not
// link the control library; the library fills this table as the program
// starts (controls/registry/control_layer_install.cpp). Until then every
// entry answers as a toolkit without controls would.
#pragma once

#include "gui/control_class.h"
#include "gui/control_paint.h"

struct ControlLayer {
  BOOL (*initControlClass)();
  void (*terminateControlClass)();
  int (*addNewControlClass)(const WndClassInfo* info);
  int (*deleteControlClass)(const char* className);
  ControlClass* (*findControlClass)(const char* className);
  int (*controlClassInfoOp)(int operation, WndClassInfo* info);
  int (*initIme)();
  void (*setSLEditSkbState)(int flag);
  void (*setIPEditSkbState)(int flag);
  int (*getSLEditParentKind)(WindowHandle edit);
  BOOL (*isFreeStandingEdit)(WindowHandle edit);
  void (*draw3DThickFrameEx)(HDC hdc, WindowHandle hwnd, int l, int t, int r, int b, uint32_t flags, GalPixel fill);
  int (*drawBoxWithBitmapCombine)(HDC hdc, const Rect* rect, const Bitmap* bitmap);
};

// The table in force; entries are never null.
const ControlLayer& Controls();
// Installs the control library's entries (null ones keep the default).
void InstallControlLayer(const ControlLayer& layer);

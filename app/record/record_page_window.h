// The main window of a page under the record menu: the record key hook,
// its registration in the menu's page slot, and its sheet.
#pragma once

#include "app/pageframe/page_building.h"

namespace recordpage {

// What the window does with a message it does not handle itself.
LResult windowDefault(WindowHandle window, int message, WParam wParam, LParam lParam, const char* section,
                      const pageframe::SheetPage* pages, int count);
// Opens the page under `host`: 0, or -1 when it could not be created.
int open(const char* section, WindowHandle host, WindowProc proc);

// A modal dialog of these pages: its initialisation and commands (true when
// handled), the dialog background, the rest to the frame's default.
struct DialogHooks {
  void (*init)(WindowHandle dialog);
  bool (*command)(WindowHandle dialog, WParam wParam, LParam lParam);
};
LResult runDialog(const DialogHooks& hooks, WindowHandle dialog, int message, WParam wParam, LParam lParam);

}  // namespace recordpage

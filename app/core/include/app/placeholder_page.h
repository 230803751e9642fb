// The one placeholder page: a small window titled with its caption,
// registered while open and closed by MSG_CLOSE or Escape. Items without
// a page and the export menu's search pages open it beside their menu; the
// playback windows, whose callers wait for them, run it modally, and so do
// the live view's PTZ panel and add-camera dialog, laid out by their own
// layout sections.
#ifndef APP_PLACEHOLDER_PAGE_H
#define APP_PLACEHOLDER_PAGE_H

#include <functional>

#include "gui/common.h"

struct PlaceholderPage {
  const char* caption = "";  // null counts as empty
  bool modal = true;
  int state = -1;            // the output's state while open; -1 leaves it to the opener
  int output = -1;           // the output it opens on; -1 the current one
  uint32_t exStyle = 0;
  // Called with the page's handle on opening and with GUI_INVALID_HANDLE on
  // closing; may be empty.
  std::function<void(WindowHandle)> registerWnd;
  // Called once the page has closed; may be empty.
  std::function<void()> afterClose;
  // A modal page laid out by the record `record` of the layout section
  // `section`, centred on the output, in place of `caption` and the fixed
  // size. It is one of the live view's small dialogs: the section's Cancel
  // button (focused) closes it, MSG_PTZSHOW shows and enables it again, and
  // a double click on its caption does nothing.
  const char* section = nullptr;
  const char* record = nullptr;
};

// Modal: runs the page and answers the dialog's result (0). Modeless: 0, or
// -1 when the window could not be created.
int runPlaceholderPage(WindowHandle owner, const PlaceholderPage& page);

#endif

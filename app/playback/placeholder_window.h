// The modal placeholder window the playback stand-ins run: a small dialog on
// the current output, titled with a language text, registered while open and
// closed by message 102 (or Escape).
#ifndef APP_PLAYBACK_PLACEHOLDER_WINDOW_H
#define APP_PLAYBACK_PLACEHOLDER_WINDOW_H

#include <functional>

#include "gui/common.h"

struct PlaceholderPage {
  const char* section;  // caption text: (section, key); an empty caption when missing
  const char* key;
  int state;            // the output's state while the page is open; -1 leaves it to the opener
  int output = -1;      // the output it opens on; -1 the current one
  // Called with the page's handle on opening and with GUI_INVALID_HANDLE on
  // closing; may be empty.
  std::function<void(WindowHandle)> registerWnd;
  // Called once the page has closed; may be empty.
  std::function<void()> afterClose;
};

// Runs the page modally; answers the dialog's result (0).
int runPlaceholderPage(WindowHandle owner, const PlaceholderPage& page);

#endif

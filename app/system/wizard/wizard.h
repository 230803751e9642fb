// What the start-up pages share: the chain that opens each page on top of
// the one before, the common message handling, and leaving the wizard.
#pragma once

#include <cstdint>

#include "app/device_records.h"
#include "app/page_building.h"
#include "gui/common.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace wizard {

enum class Step { Entry, Password, Time, Network, DiskMode, Disk, Camera, Record };

// A page of the chain: its layout section, its Previous button, what
// Cancel's Yes does first (optional) and the page's own parts as a dialog of
// the page frame. The chain takes Previous, Cancel and a double click on the
// caption before the hooks; their command hook gets every other command.
struct Page {
  const char* section;
  int previousId;
  void (*leaving)(WindowHandle page);
  pageframe::DialogHooks hooks;
};

LResult pageProc(const Page& page, WindowHandle hwnd, int message, WParam wParam, LParam lParam);
template <const Page& P>
LResult pageProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  return pageProc(P, hwnd, message, wParam, lParam);
}
// Runs the page modally over `owner`.
template <const Page& P>
int runPage(WindowHandle owner) {
  return pageframe::runDialog(P.section, owner, pageProc<P>);
}

// The following page after `from` (state 1, live view off, opened modally
// over `page`).
void goOn(WindowHandle page, Step from);
// Which page follows `from`.
Step following(Step from);
// State 0, live view on, every page closed (the innermost first).
void closeAll();
// The login state refreshed, then closeAll.
void leave();

// The output the pages work on and the device handle of the main output.
int output();
OutputLogin* login();

// A control from the section's record; y >= 0 places it there.
WindowHandle make(WindowHandle page, const char* section, const char* cls, const char* key, uint32_t style,
                  uint32_t exStyle, int id, bool labelled, int y = -1);
// Previous (or `previousId`), Next (or `nextId`) and Cancel on the bottom row.
void makeButtons(WindowHandle page, const char* section, const char* previousKey, int previousId,
                 const char* nextKey, int nextId, const char* cancelKey);

// The pages.
int openEntryPage(WindowHandle owner);
int openPasswordPage(WindowHandle owner);
int openTimePage(WindowHandle owner);
int openNetworkPage(WindowHandle owner);
int openDiskModePage(WindowHandle owner);
int openDiskPage(WindowHandle owner);
int openCameraPage(WindowHandle owner);
int openRecordPage(WindowHandle owner);

// The IP channels the device reports, and the ones a camera may take.
int reportedIpChannels();

}  // namespace wizard

// Building a settings page or dialog from its layout section: templates,
// controls by layout key, the bottom buttons, the property sheet, the
// common handling of a sheet page's and a dialog's messages, and the window
// of a page beside a menu with its opener.
#pragma once

#include <cstdint>

#include "app/dialog_hooks.h"
#include "app/page_frame.h"
#include "gui/dialog.h"
#include "gui/layout.h"

namespace pageframe {

// The record `key` of `section`, or null.
const CtrlResInfo* record(const char* section, const char* key);

// A modeless page: visible, no close box, placed by "win_<section>";
// a missing record leaves an empty caption at 0, 0 with size 0.
DlgTemplate pageTemplate(const char* section);
// A modal dialog sized by "win_<section>" and centred on the current output
// (signed, truncating division).
DlgTemplate dialogTemplate(const char* section);
// The same from the record `key` of `section` (null: "win_<section>"),
// centred on `output`'s screen.
DlgTemplate dialogTemplate(const char* section, const char* key, int output);
// Opens the page (modeless, hosted by `host`); the page's handle.
WindowHandle openPage(const char* section, WindowHandle host, WindowProc proc);
// Runs the dialog modally with parameter 0; the dialog's result.
int runDialog(const char* section, WindowHandle parent, WindowProc proc);

// A control at the record `key` of `section` (or at `y` when y >= 0); null
// when the record is missing. Labelled controls get their label (id + 256)
// from the record's caption.
struct Control {
  const char* cls;
  const char* key;
  uint32_t style;
  uint32_t exStyle;
  int id;
  bool labelled;
};
WindowHandle createFromKey(WindowHandle window, const char* section, const Control& c, int y = -1, LParam data = 0);
// A table of controls; the number created.
int createControls(WindowHandle window, const char* section, const Control* controls, int count);
// Bottom buttons stand at their layout x, w and h, 40 pixels above the
// client's bottom.
int bottomRow(WindowHandle window);
// Apply (created disabled) and the second button (`secondId`) on the
// bottom row.
void createBottomButtons(WindowHandle window, const char* section, const char* applyKey, const char* secondKey,
                         int secondId);

// The property sheet "tab_<section>" with one page per entry whose record
// "tab_<section>_<page>" exists (or that is kept without it, captioned "")
// and whose test (when given) passes; the first page active. The sheet, or
// null when there is none.
struct SheetPage {
  const char* page;
  WindowProc proc;
  bool (*available)();
  bool keptWithoutRecord;
};
WindowHandle buildSheet(WindowHandle window, const char* section, const SheetPage* pages, int count);
// OK on one page of a sheet keeps the edits of the others: every other page
// whose Apply is lit applies. True when each did; the first that could not
// (its own report shown) becomes the active page.
bool applyOtherPages(WindowHandle page);


// What a sheet page does with its messages: its initialisation, background,
// own commands and saving; Apply (PAGE_ID_APPLY) and Exit (PAGE_ID_EXIT) are handled alike.
// Every hook but init may be null: the grey 50 background, no commands, a
// save that succeeds, no report, Exit and Cancel left to the commands, keys
// and timers to the default page procedure, painting that only begins and
// ends, nothing to stop on destruction. `message` sees every message first
// and takes the ones the page handles beyond these (true, its answer in
// `*answer`).
struct PageHooks {
  void (*init)(WindowHandle page);
  void (*erase)(WindowHandle page, WParam wParam, LParam lParam);
  void (*command)(WindowHandle page, int id, int code);
  int (*save)(WindowHandle page);               // 0 or the failure code
  void (*report)(WindowHandle page, int code);  // shows a failed save
  LResult (*exit)(void);                        // closes the menu the page lives in
  void (*cancel)(WindowHandle page);            // Cancel (IDCANCEL): closes what the page lives in
  void (*key)(WindowHandle page, int key);      // sees a key before the default procedure
  void (*paint)(WindowHandle page);
  void (*timer)(WindowHandle page, int id);
  void (*destroy)(WindowHandle page);           // stops what the page runs before it goes
  bool (*message)(WindowHandle page, int message, WParam wParam, LParam lParam, LResult* answer);
};
// Runs the hooks; what a page leaves to the frame: MSG_QUERYPAGE answers
// 1, MSG_SHEETCMD 0, painting begins and ends, the rest goes to the default
// page procedure.
LResult runPage(const PageHooks& hooks, WindowHandle page, int message, WParam wParam, LParam lParam);

// A modal dialog runs through the hooks of app_core (app/dialog_hooks.h),
// named here too for the pages and dialogs built on the frame.
using app::codeOf;
using app::commandWord;
using app::DialogHooks;
using app::dialogProc;
using app::idOf;
using app::runDialog;
using app::takesAll;

}  // namespace pageframe

namespace pageframe {

// The page procedure that runs every message of a sheet page through `H`.
template <const PageHooks& H>
LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return runPage(H, page, message, wParam, lParam);
}

// The menu page slot a page window registers in, and the key hook of its
// menu. By default the window takes the slot on creation and gives it back,
// when it is still its own, on closing and on destruction; `enter` and
// `leave` replace the taking and the giving back on closing.
struct PageSlot {
  WindowHandle (*get)();
  void (*set)(WindowHandle);
  int (*keyHook)(WindowHandle page, int key, int argument);
  void (*enter)(WindowHandle window);
  void (*leave)(WindowHandle window);
};
// The slots of the menus pages open beside.
extern const PageSlot kSystemSlot, kMaintenanceSlot, kManualSlot, kRecordSlot, kDiskSlot;

// A page beside a menu: its layout section, the pages of its sheet, the
// slot of the menu and what the window does beyond the frame's default
// (taking the slot, building the sheet on MSG_INITDIALOG, passing keys to
// the menu's hook, giving the slot back). Both hooks may be null.
// `message` sees every message first and takes the ones the window handles
// itself (true, its answer in `*answer`); `after` runs once the default has
// handled a message `message` left to it, e.g. on MSG_INITDIALOG with the
// sheet built, the default's answer standing.
struct PageWindow {
  using MessageHook = bool (*)(WindowHandle window, int message, WParam wParam, LParam lParam, LResult* answer);
  using AfterHook = void (*)(WindowHandle window, int message, WParam wParam, LParam lParam);
  template <int N>
  constexpr PageWindow(const char* name, const SheetPage (&sheet)[N], const PageSlot& menu,
                       MessageHook own = nullptr, AfterHook then = nullptr)
      : section(name), pages(sheet), count(N), slot(&menu), message(own), after(then) {}
  const char* section;
  const SheetPage* pages;
  int count;
  const PageSlot* slot;
  MessageHook message;
  AfterHook after;
};

// Runs the window's hooks around the frame's default.
LResult runWindow(const PageWindow& window, WindowHandle hwnd, int message, WParam wParam, LParam lParam);
template <const PageWindow& W>
LResult windowProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  return runWindow(W, hwnd, message, wParam, lParam);
}

// Opens the page of `section` under `host` with `proc`: 0, or -1 when it
// could not be created.
int openWindow(const char* section, WindowHandle host, WindowProc proc);
// Opens the page `W`, its window run by its hooks.
template <const PageWindow& W>
int openWindow(WindowHandle host) {
  return openWindow(W.section, host, windowProc<W>);
}

}  // namespace pageframe

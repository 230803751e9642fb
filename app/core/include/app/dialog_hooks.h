/* Every dialog and window of the application runs its messages through
 * hooks: what it does beyond what every dialog does alike. The background
 * painters a dialog or page falls back on come with them. */
#ifndef APP_DIALOG_HOOKS_H
#define APP_DIALOG_HOOKS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Background painters of MSG_ERASEBKGND (a DC of 0: the client DC; a rect of
 * 0: no clip; a given rect is on the screen for a main window, in the client
 * area for a control). */
/* A page's background; a dialog's frame colour over the whole window. */
void eraseBkgndGrey50(WindowHandle window, WParam hdc, LParam rect);
void eraseBkgndGrey34(WindowHandle window, WParam hdc, LParam rect);
/* The dialog's frame colour with the body above the bottom 50 pixels in the
 * page background. */
void paintDialogBackground(WindowHandle window, WParam hdc, LParam rect);
/* Begins and ends painting; draws nothing. */
LResult beginEndPaint(WindowHandle window);

GUI_EXTERN_C_END

#ifdef __cplusplus
#include "gui/dialog.h"

namespace app {

// What a dialog does with its messages. Every hook may be null: no
// initialisation, commands left to the default (Cancel ends the dialog),
// the dialog background, closing that ends the dialog with 0, timers left
// to the default. `message` sees every message first and takes the ones
// the dialog handles beyond these (true, its answer in `*answer`). What is
// left goes to the dialog default.
struct DialogHooks {
  void (*init)(WindowHandle dialog);
  bool (*command)(WindowHandle dialog, WParam wParam, LParam lParam);  // true when handled
  void (*erase)(WindowHandle dialog, WParam hdc, LParam rect);
  void (*close)(WindowHandle dialog);
  void (*timer)(WindowHandle dialog, int id);
  bool (*message)(WindowHandle dialog, int message, WParam wParam, LParam lParam, LResult* answer);
};
// What every dialog does alike: MSG_DESTROY destroys the controls, MSG_CLOSE
// ends the dialog with 0, painting begins and ends, the rest goes to the
// toolkit's default dialog procedure.
LResult dialogDefault(WindowHandle dialog, int message, WParam wParam, LParam lParam);
// Runs the hooks of a modal dialog.
LResult runDialog(const DialogHooks& hooks, WindowHandle dialog, int message, WParam wParam, LParam lParam);
template <const DialogHooks& H>
LResult dialogProc(WindowHandle dialog, int message, WParam wParam, LParam lParam) {
  return runDialog(H, dialog, message, wParam, lParam);
}
// The same hooks for a main window that is no modal dialog (a modeless
// page, the live view): what they leave goes to the default window
// procedure, closing included.
LResult runWindow(const DialogHooks& hooks, WindowHandle window, int message, WParam wParam, LParam lParam);
template <const DialogHooks& H>
LResult windowProc(WindowHandle window, int message, WParam wParam, LParam lParam) {
  return runWindow(H, window, message, wParam, lParam);
}

// Runs the dialog of `tmpl` modally with `param` as its initialisation's
// parameter; the dialog's result.
int runDialog(const DlgTemplate& tmpl, WindowHandle parent, WindowProc proc, LParam param = 0);

inline int idOf(WParam wParam) { return static_cast<int>(wParam & 0xFFFF); }
inline int codeOf(WParam wParam) { return static_cast<int>((wParam >> 16) & 0xFFFF); }
// The command hook of a dialog that takes every command itself, Cancel
// included: `F(dialog, id, code)`.
template <void (*F)(WindowHandle dialog, int id, int code)>
bool takesAll(WindowHandle dialog, WParam wParam, LParam) {
  F(dialog, idOf(wParam), codeOf(wParam));
  return true;
}
// The command word of `id` and its notification `code`.
inline WParam commandWord(int id, int code) { return static_cast<WParam>(code) << 16 | static_cast<WParam>(id); }

}  // namespace app
#endif

#endif

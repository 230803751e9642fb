/* Small modal dialogs of the live view: the output image mode, the live
 * picture strategy of a channel, and the small preview of a channel. */
#ifndef APP_LIVEVIEW_DIALOGS_H
#define APP_LIVEVIEW_DIALOGS_H

#include <functional>

#include "app/dialog_hooks.h"
#include "app/popup_drag.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

int showOutModeSet(WindowHandle owner);
int showPreviewStrategy(WindowHandle owner);
/* The strategy the dialog keeps (3 until the device accepts another). */
int getKeptPreviewStrategy(void);
int createPreviewSmall(WindowHandle owner, int channel);

GUI_EXTERN_C_END

#ifdef __cplusplus
namespace liveview_dialogs {
// A control of a small dialog, created only when its layout item exists.
struct DialogItem {
  int id;
  const char* className;
  uint32_t style;
  uint32_t exStyle;
  const char* item;
};
// Creates the items that the layout window names; the focus goes to `focusId`.
void createDialogItems(WindowHandle dialog, const char* window, const DialogItem* items, int count,
                       int focusId);
// Runs a modal dialog with the caption and size of `record`, centred on the
// current output (0 x 0 at the origin without the record); its result.
int runCentredDialog(WindowHandle owner, const char* window, const char* record, WindowProc proc);
// Unchecks every button of ids first..last and checks `id` (0: none).
void checkExclusive(WindowHandle dialog, int first, int last, int id);
// The first checked button of first..last, or 0.
int firstChecked(WindowHandle dialog, int first, int last);
// A click on one of first..last: a checked button unchecks the group
// first, then the clicked one is checked.
void clickExclusive(WindowHandle dialog, int first, int last, int id);
// Erase-background: `fill` draws on the given DC or a client DC of its own,
// clipped to the rectangle of lParam (on the screen for a main window, in
// the client area for a control), never beyond it: the controls outside it
// are not repainted after the erase.
void eraseWith(WindowHandle hwnd, WParam wParam, LParam lParam,
               const std::function<void(HDC hdc, const Rect& client)>& fill);
// Fills the client rectangle (or the screen rectangle `lParam`) in the page
// background.
void erasePage(WindowHandle dialog, WParam wParam, LParam lParam);
// What a small dialog takes beyond its hooks (its message hook): the drag by
// its caption (when `drag` is given), every key, Escape closing it when
// `escape` is set, and a double click on its caption. True when taken.
bool smallDialogMessage(WindowHandle dialog, int message, WParam wParam, LParam lParam, PopupDrag* drag, bool escape);
// A dialog of exclusive mode buttons first..last with OK and Cancel,
// dragged by its caption, closed by Escape while its output shows `state`.
struct ModeDialog {
  int state;
  int first, last;
  void (*init)(WindowHandle dialog);
  void (*clicked)(WindowHandle dialog, int id); /* after the exclusive check */
  void (*ok)(WindowHandle dialog);
  void (*close)(WindowHandle dialog);
  PopupDrag* drag;
};
// Its commands (all of them) and the messages beyond its hooks.
void modeCommand(const ModeDialog& d, WindowHandle dialog, int id);
bool modeMessage(const ModeDialog& d, WindowHandle dialog, int message, WParam wParam, LParam lParam);
template <const ModeDialog& D>
void modeCommandOf(WindowHandle dialog, int id, int) {
  modeCommand(D, dialog, id);
}
template <const ModeDialog& D>
bool modeMessageOf(WindowHandle dialog, int message, WParam wParam, LParam lParam, LResult*) {
  return modeMessage(D, dialog, message, wParam, lParam);
}
// The procedure of the mode dialog `D`: its hooks on the page background.
template <const ModeDialog& D>
LResult modeDialogProc(WindowHandle dialog, int message, WParam wParam, LParam lParam) {
  static const app::DialogHooks hooks{D.init, app::takesAll<modeCommandOf<D>>, erasePage, D.close, nullptr,
                                      modeMessageOf<D>};
  return app::runDialog(hooks, dialog, message, wParam, lParam);
}
}  // namespace liveview_dialogs
#endif

#endif

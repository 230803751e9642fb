// Stand-in for the shared edit-frame and control background painters
// until they are in the toolkit: the window's plain background.
#include "controls/combobox/combobox_internal.h"
#include "gui/window_attr.h"

namespace combobox {

LResult EraseFramed(WindowHandle hwnd, WParam wParam, LParam lParam, bool controlLook) {
  return Default(hwnd, MSG_ERASEBKGND, wParam, lParam);
}

}  // namespace combobox

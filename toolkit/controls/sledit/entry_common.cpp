#include "controls/sledit/entry_common.h"

#include "core/control_support.h"
#include "gui/cursor.h"
#include "gui/window.h"

namespace entry {

WindowHandle LiveIme() {
  WindowHandle ime = ImeWindow();
  return ime && IsWindow(ime) == 1 ? ime : 0;
}

WindowHandle LiveSoftKeyboard() {
  WindowHandle skb = SoftKeyboardWindow();
  return skb && IsWindow(skb) == 1 ? skb : 0;
}

void ShowArrowCursor() { SetCursor(GetSystemCursor(0)); }

}  // namespace entry

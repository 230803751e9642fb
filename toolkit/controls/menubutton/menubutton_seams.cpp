#include "controls/menubutton/menubutton_seams.h"

namespace controls::mbseam {

uintptr_t OpenPopupMenu(const char*, const std::vector<MenuEntry>& entries, int, int, WindowHandle) {
  return entries.empty() ? 0 : 1;
}

void DestroyPopupMenu(uintptr_t) {}

}  // namespace controls::mbseam

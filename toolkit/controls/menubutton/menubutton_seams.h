// The pop-up menu the menu button opens. Until popup menus are part of
// the toolkit, the stand-in opens nothing visible: it hands back a token
// for the open menu, and the choice arrives as a command (288) when one is
// sent to the button.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/bitmap.h"
#include "gui/common.h"

namespace controls::mbseam {

struct MenuEntry {
  uint32_t type;  // 0x10000 text and bitmap, 0 text, 4 bitmap
  int id;
  const char* text;
  const Bitmap* bitmap;
};

// Builds a menu titled with the caption, tracks it at the screen point for
// the owner; the open menu's handle, 0 when none could be opened.
uintptr_t OpenPopupMenu(const char* title, const std::vector<MenuEntry>& entries, int x, int y, WindowHandle owner);
void DestroyPopupMenu(uintptr_t menu);

}  // namespace controls::mbseam

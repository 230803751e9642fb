// The family the five sub-menus of the main menu are built from: a column of
// item buttons, the exit button under them and the page of the selected item
// beside them.
#pragma once

#include "app/core/menus/menu_rules.h"
#include "gui/common.h"

namespace menus {

struct SubMenuItem {
  const char* key;                     // layout item; its bitmaps are key + "_bmp" / "_sel_bmp"
  int (*open)(WindowHandle owner);     // null: choosing it only moves the selection
};

struct SubMenuFamily {
  SubMenu which;
  const char* section;
  const char* rectKey;
  const SubMenuItem* items;
  int count;
  int firstId;
  int exitId;
  bool movesUp;                        // items below a left-out one take its place
  void (*setMenuWnd)(WindowHandle);
  WindowHandle (*getPageWnd)(void);
  // Called before an item's page opens; `initial` for the opening selection.
  void (*beforeOpen)(int position, bool initial);
};

// The member of that name.
const SubMenuFamily& subMenuFamily(SubMenu which);

// Runs the sub-menu modally; the dialog's result.
int runSubMenu(const SubMenuFamily& family, WindowHandle owner);

namespace submenu_seam {
// Tests open their own pages: `open` replaces every item's page opener (null
// restores them).
void setPageOpener(int (*open)(const SubMenuFamily& family, int position, WindowHandle owner));
}  // namespace submenu_seam

}  // namespace menus

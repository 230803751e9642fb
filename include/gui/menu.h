/* Menus: menu bars of main windows and popup menus, their items, and the
 * tracking of an open popup on the desktop thread.
 *
 * Menu handles are addresses of menu records; a handle that is not a menu
 * record answers MENU_ERR_NOT_MENU. Menus are built on the owner's thread
 * and tracked on the desktop thread; the records themselves carry no lock. */
#ifndef GUI_MENU_H
#define GUI_MENU_H

#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/desktop.h"

GUI_EXTERN_C_BEGIN

typedef uintptr_t MenuHandle;

/* Record kinds answered by IsMenu. */
#define MENU_KIND_BAR 33
#define MENU_KIND_POPUP 34
#define MENU_KIND_ITEM 35

/* Error codes. */
#define MENU_ERR_NOT_MENU (-3)
#define MENU_ERR_NOT_FOUND (-4)
#define MENU_ERR_NO_POSITION (-5)
#define MENU_ERR_NO_MEMORY (-7)
#define MENU_ERR_INVALID_ITEM (-23)

/* MenuItemInfo mask bits. */
#define MIIM_STATE 0x01u
#define MIIM_ID 0x02u
#define MIIM_SUBMENU 0x04u
#define MIIM_CHECKMARKS 0x08u
#define MIIM_TYPE 0x10u
#define MIIM_DATA 0x20u

/* Item types. */
#define MFT_STRING 0x00000u
#define MFT_BITMAP 0x00004u
#define MFT_SEPARATOR 0x00800u
#define MFT_NOTEXT 0x00100u
#define MFT_RADIOCHECK 0x00200u
#define MFT_BMPSTRING 0x10000u
#define MFT_TEXTKIND 0x20000u
#define MFT_TWOCOLUMNS 0x40000u
#define MFT_THREECOLUMNS 0x80000u

/* Item states. */
#define MFS_DISABLED 0x03u
#define MFS_CHECKED 0x08u
#define MFS_HILITE 0x80u
#define MFS_BITMAP2 0x80000000u /* a bitmap-and-text item shows bitmap 2 */

/* Flags of the item calls that take a position or an id. */
#define MF_BYPOSITION 0x400u

/* TrackPopupMenu flags. */
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_DESTROY 0x1000u
#define TPM_SYSCMD 0x2000u

/* Messages of menu tracking. */
#define MSG_INITMENUPOPUP 64
#define MSG_MENUCLOSED 65
#define MSG_MENUHIDDEN 361

typedef struct MenuItemInfo {
  uint32_t mask;
  uint32_t type;
  uint32_t state;
  int32_t id;
  MenuHandle subMenu;
  const Bitmap* uncheckedBmp;
  const Bitmap* checkedBmp;
  const Bitmap* uncheckedOverlay;
  const Bitmap* checkedOverlay;
  uintptr_t itemData;
  void* typeData; /* text, or a Bitmap* for the bitmap types */
  uint32_t textLength;
} MenuItemInfo;

BOOL InitMenu(void);
void TerminateMenu(void);

MenuHandle CreateMenu(void);
MenuHandle CreatePopupMenu(const MenuItemInfo* info);
int InsertMenuItem(MenuHandle menu, int item, BOOL byPosition, const MenuItemInfo* info);
int RemoveMenu(MenuHandle menu, int item, uint32_t flags);
int DeleteMenu(MenuHandle menu, int item, uint32_t flags);
int DestroyMenu(MenuHandle menu);
int IsMenu(MenuHandle handle);
int GetMenuItemCount(MenuHandle menu);
int GetMenuItemID(MenuHandle menu, int position);
MenuHandle GetSubMenu(MenuHandle menu, int position);
MenuHandle GetPopupSubMenu(MenuHandle popup);
MenuHandle StripPopupHead(MenuHandle popup);
int GetMenuItemInfo(MenuHandle menu, int item, BOOL byPosition, MenuItemInfo* info);
int SetMenuItemInfo(MenuHandle menu, int item, BOOL byPosition, const MenuItemInfo* info);
int EnableMenuItem(MenuHandle menu, int item, uint32_t flags);
int CheckMenuRadioItem(MenuHandle menu, int first, int last, int checked, uint32_t flags);
int SetMenuItemBitmaps(MenuHandle menu, int item, uint32_t flags, const Bitmap* unchecked, const Bitmap* checked,
                       const Bitmap* uncheckedOverlay, const Bitmap* checkedOverlay);

MenuHandle SetMenu(WindowHandle hwnd, MenuHandle bar);
MenuHandle GetMenu(WindowHandle hwnd);
MenuHandle GetSystemMenu(WindowHandle hwnd);

/* Menu bars, in window coordinates. */
MenuHandle GetMenuBarItemRect(WindowHandle hwnd, int position, Rect* rect);
int MenuBarHitTest(WindowHandle hwnd, int x, int y);
void DrawMenuBar(WindowHandle hwnd, HDC hdc, const Rect* clip);
int HiliteMenuBarItem(WindowHandle hwnd, int position, int how);

/* 0, -1 when the desktop refused it, -3 for a handle that is no menu. */
int TrackPopupMenu(MenuHandle popup, uint32_t flags, int x, int y, WindowHandle owner);
int TrackMenuBar(WindowHandle hwnd, int position);

GUI_EXTERN_C_END

#endif

/* Which page each menu item opens. Every page library fills the table from
 * one registration call that the program entry makes before the toolkit
 * starts; the menus look items up here and never name a page themselves. An
 * item nobody registered opens the placeholder page. */
#ifndef APP_PAGE_REGISTRY_H
#define APP_PAGE_REGISTRY_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef enum {
  APP_MENU_MAIN = 0,
  APP_MENU_EXPORT,
  APP_MENU_MANUAL,
  APP_MENU_RECORD,
  APP_MENU_SYSTEM,
  APP_MENU_MAINTENANCE,
  APP_MENU_STORAGE,
  APP_MENU_CAMERA,
  APP_MENU_COUNT
} AppMenu;

typedef int (*PageOpener)(WindowHandle owner);
typedef int (*ShutdownHintOpener)(WindowHandle owner, int kind);

/* Registers (or replaces) the page of an item: 0, or -1 for an unknown menu,
 * a null item or opener, or a full table. */
int registerPage(int menu, const char* item, PageOpener open);
/* The registered opener, or null. */
PageOpener findPage(int menu, const char* item);
/* Opens the item's page, or the placeholder page when none is registered;
 * the opener's result. */
int openMenuPage(int menu, const char* item, WindowHandle owner);
/* The registration at `index` (from 0, in the order made): its menu and
 * its item, cut to `itemSize` - 1 characters; 0, or -1 past the last. */
int registeredPageAt(int index, int* menu, char* item, int itemSize);
/* Forgets every registration (tests start from an empty table). */
void clearPageRegistry(void);

/* The shutdown hint window of the system pages; unregistered, a shutdown
 * hint (kind 0) ends the program and a reboot hint does nothing. */
void registerShutdownHint(ShutdownHintOpener open);
int openShutdownHint(WindowHandle owner, int kind);

/* The format run of the storage pages for `count` disk numbers (at most
 * 32); unregistered it formats nothing and answers -1. */
typedef int (*DiskFormatOpener)(int output, int count, const int* disks);
void registerDiskFormat(DiskFormatOpener open);
int openDiskFormat(int output, int count, const int* disks);
/* The login dialog of the system pages, which createLoginWindow opens.
 * Unregistered, createLoginWindow logs the current output in as the
 * administrator. */
void registerLoginDialog(PageOpener open);
/* The first-start language dialog of the system pages, which
 * createLangSelWindow opens; unregistered, the language stays as configured
 * and createLangSelWindow answers 0. */
void registerLanguageDialog(PageOpener open);
/* The start-up wizard of the system pages, which createStartGuideWindow
 * opens; unregistered, createStartGuideWindow answers 0. */
void registerStartGuide(PageOpener open);

/* The placeholder page of an item without a page: a modeless page hosted by
 * `owner`, titled with the item's caption in the menu's layout section,
 * kept in the menu's page slot while open and closed by 102 or Escape.
 * Answers 0, or -1 when it could not be created. */
int openPlaceholderPage(int menu, const char* item, WindowHandle owner);

GUI_EXTERN_C_END

#endif

// The search pages of the export menu; each is a placeholder page kept in
// the menu's page slot beside it, like every other menu page, so that the
// menu column still answers while one is shown.
#include "app/app_registry.h"
#include "app/msgbox.h"
#include "app/placeholder_page.h"
#include "app/playback_pages.h"
#include "gui/app_hooks.h"
#include "gui/nonclient.h"

namespace {

int openSearchPage(WindowHandle owner, const char* key) {
  PlaceholderPage page;
  page.caption = lookupText("playback", key);
  page.modal = false;
  page.exStyle = WS_EX_NOCLOSEBOX;
  page.registerWnd = setSearchPicWnd;  // the export menu's page slot
  return runPlaceholderPage(owner, page);
}

}  // namespace

extern "C" {

int createSearchEventWindow(WindowHandle owner) { return openSearchPage(owner, "search_event"); }
int createSearchGenWindow(WindowHandle owner) { return openSearchPage(owner, "search_gen"); }
int createSearchPicWindow(WindowHandle owner) { return openSearchPage(owner, "search_pic"); }

}  // extern "C"

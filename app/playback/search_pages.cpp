// The search pages of the export menu; each is a placeholder page that holds
// the output while open.
#include "app/app_registry.h"
#include "app/msgbox.h"
#include "app/placeholder_page.h"
#include "app/playback.h"
#include "gui/app_hooks.h"

namespace {

int openSearchPage(WindowHandle owner, const char* key, void (*registerWnd)(WindowHandle)) {
  PlaceholderPage page;
  page.caption = lookupText("playback", key);
  page.state = OUTSTATE_MENU;
  if (registerWnd) page.registerWnd = registerWnd;
  return runPlaceholderPage(owner, page);
}

}  // namespace

extern "C" {

int createSearchEventWindow(WindowHandle owner) { return openSearchPage(owner, "search_event", nullptr); }
int createSearchGenWindow(WindowHandle owner) { return openSearchPage(owner, "search_gen", nullptr); }
int createSearchPicWindow(WindowHandle owner) { return openSearchPage(owner, "search_pic", setSearchPicWnd); }

}  // extern "C"

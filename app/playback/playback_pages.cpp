// What the playback library registers: the search pages of the export menu
// and the playback windows the live view and the main menu open.
#include "app/page_registry.h"
#include "app/playback/playback_windows.h"
#include "app/playback_pages.h"
#include "app/window_calls.h"

extern "C" void registerPlaybackPages(void) {
  registerPage(APP_MENU_EXPORT, "export_gen", createSearchGenWindow);
  registerPage(APP_MENU_EXPORT, "export_event", createSearchEventWindow);
  registerPage(APP_MENU_EXPORT, "export_pic", createSearchPicWindow);
#define IMPL(result, name, params, args, unfilled) playback_windows::name,
  static const PlaybackWindowCalls kCalls{PLAYBACK_WINDOW_CALLS(IMPL)};
#undef IMPL
  registerPlaybackWindows(&kCalls);
}

// A quit request (SIGTERM, SIGINT, SIGHUP, the host window's close, a
// shut-down) ends the program the way the live view ends it: by closing the
// live-view window, whose close ends the message loop.
#include <atomic>
#include <chrono>
#include <thread>

#include "app/core/program/program_internal.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

std::thread g_watch;
std::atomic<bool> g_stopping{false};
std::atomic<WindowHandle> g_live{0};

// Menus and dialogs open over the live view close first: their modal loops
// would otherwise hold the live view's close back. A quit that comes while
// the live view is still being made (the start-up wizard runs modally inside
// its creation) closes whatever opens until the live view stands.
void closeEverything() {
  for (;;) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
    const WindowHandle live = g_live.load();
    if (live != 0) {
      SendMessage(live, MSG_CLOSE, 0, 0);
      return;
    }
    if (g_stopping) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void watch() {
  for (;;) {
    RunUntilQuit();
    if (g_stopping) return;
    closeEverything();
  }
}

}  // namespace

namespace program {

void startQuitWatch() {
  g_stopping = false;
  g_live = 0;
  g_watch = std::thread(watch);
}

void setQuitWatchWindow(WindowHandle live) { g_live = live; }

void stopQuitWatch() {
  if (!g_watch.joinable()) return;
  g_stopping = true;
  RequestQuit();
  g_watch.join();
}

}  // namespace program

// A quit request (SIGTERM, SIGINT, the host window's close, a shut-down)
// ends the program the way the live view ends it: by closing the live-view
// window, whose close ends the message loop.
#include <atomic>
#include <thread>

#include "app/core/program/program_internal.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

std::thread g_watch;
std::atomic<bool> g_stopping{false};

void watch(WindowHandle live) {
  for (;;) {
    RunUntilQuit();
    if (g_stopping) return;
    // Menus and dialogs open over the live view close first: their modal
    // loops would otherwise hold the live view's close back.
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
    SendMessage(live, MSG_CLOSE, 0, 0);
  }
}

}  // namespace

namespace program {

void startQuitWatch(WindowHandle live) {
  g_stopping = false;
  g_watch = std::thread(watch, live);
}

void stopQuitWatch() {
  if (!g_watch.joinable()) return;
  g_stopping = true;
  RequestQuit();
  g_watch.join();
}

}  // namespace program

// The start-up thread that the live-view window starts when it is created:
// once the live view is made, the wizard or the ordinary start, then the
// disk check, while a thread beside it makes the three tool windows. It
// reaches the live view only through synchronous sends, which stop once the
// program ends.
#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/core/program/program_internal.h"
#include "app/core/program/program_seam.h"
#include "app/program.h"
#include "gui/app_hooks.h"
#include "gui/bubbletip.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/ime.h"
#include "gui/input.h"
#include "gui/message.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

// Whether the start-up thread may still send to the live view, and how many
// start-up threads run right now.
struct Gate {
  std::mutex lock;
  std::condition_variable changed;
  bool open = true;
  int running = 0;
  // The live view's creation has returned: the start-up thread's sends wait
  // for it, as a send answered inside the creation would run the wizard
  // before the live view's own controls exist.
  bool liveViewMade = false;
  bool waitingForLiveView = false;
  bool toolWindowsMade = false;
};

// Never destroyed: a start-up thread can still wait on it for a live view
// that never came (one made without the program's run) when the process
// exits, and destroying a condition variable with a waiter never returns.
Gate& gate() {
  static Gate* const g = new Gate;
  return *g;
}

std::atomic<bool> g_startUpThreadEnabled{true};
thread_local bool t_startUpThread = false;

// On the start-up thread: until the live view is made or the program's end
// closes the gate; false for the latter.
bool awaitLiveView() {
  if (!t_startUpThread) return true;
  std::unique_lock<std::mutex> hold(gate().lock);
  gate().waitingForLiveView = true;
  gate().changed.notify_all();
  gate().changed.wait(hold, [] { return gate().liveViewMade || !gate().open; });
  gate().waitingForLiveView = false;
  return gate().open;
}

void closeGate() {
  std::lock_guard<std::mutex> hold(gate().lock);
  gate().open = false;
  gate().changed.notify_all();
}

// The live-view window of the current display: the toolkit stacks a
// live-view window made while a display is current on the other display's
// list, so the current display's own list holds it only when it was made
// from there.
WindowHandle currentLiveView() {
  const int output = getCurOutput();
  const WindowHandle made = FirstPreviewWindow(output);
  if (IsValidHandle(made)) return made;
  const WindowHandle own = GetDisplayPreviewWindow(output);
  return own == __gui_hwnd_desktop ? 0 : own;
}

bool wizardFirst() {
  uint32_t flags[2] = {0, 0};
  getStartGuideFlag(getOutputLogin(getCurOutput()), flags);
  return flags[0] != 0;
}

// Nothing is sent once the program's end has closed the gate; a send under
// way when the live view goes is answered by its destruction, and the end
// waits for the thread before the window's record is freed.
void sendToLiveView(int message) {
  {
    std::lock_guard<std::mutex> hold(gate().lock);
    if (!gate().open) return;
  }
  const WindowHandle live = currentLiveView();
  if (live != 0) SendMessage(live, message, 0, 0);
}

// The input-method, soft-keyboard and tip windows, in this order (all three
// are topmost: the order they are added in decides which covers which).
// `held`: input was held from the live view's creation until they stand
// (startMenuMainThread), so that a first click on an edit finds the soft
// keyboard.
void makeToolWindows(bool held) {
  if (GBIMEWindow(__gui_hwnd_desktop) == GUI_INVALID_HANDLE) std::fputs("initMenuMain::GBIMEWindow error\n", stdout);
  if (SKBWindow() == GUI_INVALID_HANDLE) std::fputs("initMenuMain::SKBWindow error\n", stdout);
  if (bubbletipWindow() == GUI_INVALID_HANDLE) std::fputs("initMenuMain::bubbletipWindow error\n", stdout);
  std::fflush(stdout);
  if (held) ReleaseInput();
  std::lock_guard<std::mutex> hold(gate().lock);
  gate().toolWindowsMade = true;
}

// The tool windows are made beside the first screen, which does not wait
// for them; without a thread for them they are made here first.
std::thread startToolWindows() {
  const bool held = t_startUpThread;
  try {
    return std::thread(makeToolWindows, held);
  } catch (const std::system_error&) {
    makeToolWindows(held);
    return std::thread();
  }
}

void* runMenuMain(void* arg) {
  t_startUpThread = true;
  initMenuMain(arg);
  std::lock_guard<std::mutex> hold(gate().lock);
  --gate().running;
  gate().changed.notify_all();
  return nullptr;
}

}  // namespace

extern "C" {

void startMenuMainThread(void) {
  if (!g_startUpThreadEnabled.load()) return;
  // No input reaches the live view before the wizard opens.
  if (wizardFirst()) {
    if (const WindowHandle live = currentLiveView()) EnableWindow(live, FALSE);
  }
  // The first screen is the live view with what the start-up thread opens
  // over it (the wizard, or the disk question): the host window waits for
  // that, so it appears once, with the whole of it.
  HostHoldStartGate();
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  std::lock_guard<std::mutex> hold(gate().lock);
  gate().open = true;
  gate().liveViewMade = false;
  gate().toolWindowsMade = false;
  pthread_t thread;
  // Released once the tool windows stand (makeToolWindows).
  HoldInput();
  if (pthread_create(&thread, &attr, runMenuMain, nullptr) == 0) {
    ++gate().running;
  } else {
    ReleaseInput();
    HostReleaseStartGate(HOST_GATE_RELEASE_NOW);
  }
  pthread_attr_destroy(&attr);
}

// The live view is gone by now, so that a send under way is answered at
// once; the window's record stays until its clean-up after this.
void stopMenuMainThread(void) {
  std::unique_lock<std::mutex> hold(gate().lock);
  gate().open = false;
  gate().changed.notify_all();
  gate().changed.wait(hold, [] { return gate().running == 0; });
}

void* initMenuMain(void*) {
  std::thread tools = startToolWindows();
  struct Join {
    std::thread& thread;
    ~Join() {
      // Whatever start-up opened has been shown by now (or nothing opened):
      // the first screen does not wait for the tool windows.
      if (t_startUpThread) HostReleaseStartGate(HOST_GATE_RELEASE_NOW);
      if (thread.joinable()) thread.join();
    }
  } join{tools};
  if (!awaitLiveView()) return nullptr;
  const int output = getCurOutput();
  if (wizardFirst()) {
    setOutputState(output, OUTSTATE_MENU);
    setLiveViewActive(output, 0);
    sendToLiveView(MSG_STARTWIZARD);
  } else {
    refreshLoginState(output, getLoginId(output));
    setSessionFlag(1);
  }
  sendToLiveView(MSG_DISKCHECK);
  return nullptr;
}

}  // extern "C"

void program::closeStartUpSends() {
  // The program ends before the start-up finished: nothing more is coming.
  HostReleaseStartGate(HOST_GATE_RELEASE_NOW);
  closeGate();
}

void program::liveViewMade() {
  std::lock_guard<std::mutex> hold(gate().lock);
  gate().liveViewMade = true;
  gate().changed.notify_all();
}

bool program::startUpSendsOpen() {
  std::lock_guard<std::mutex> hold(gate().lock);
  return gate().open;
}

void program_seam::setStartUpThreadEnabled(bool enabled) { g_startUpThreadEnabled.store(enabled); }

bool program_seam::startUpThreadRunning() {
  std::lock_guard<std::mutex> hold(gate().lock);
  return gate().running > 0;
}

bool program_seam::startUpThreadWaitsForLiveView() {
  std::lock_guard<std::mutex> hold(gate().lock);
  return gate().waitingForLiveView && gate().toolWindowsMade;
}

// Reboot and shutdown through the program entry: a reboot hint restarts the
// recorder in-process with the power-key flag, display switching and the
// live view given back, and a shutdown hint ends it cleanly.
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "app/app_registry.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/program_test_support.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/login_rights.h"
#include "app/system_pages.h"
#include "gui/desktop.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr int kOpenHint = 0x9300;

std::atomic<int> g_created{0};
std::atomic<WindowHandle> g_live{0};

// The program's live view, which also opens the hint of the kind asked.
LResult LiveProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CREATE) {
    g_live = hwnd;
    ++g_created;
  }
  if (message == kOpenHint) {
    // As a page asks for a reboot: the flag is set before the hint.
    SetPowerKeyDownFlag(1);
    createShutdownHintWindow(hwnd, static_cast<int>(wParam));
    return 0;
  }
  return previewMainWinProc(hwnd, message, wParam, lParam);
}

bool WaitFor(const std::function<bool()>& ready) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool Started(int runs) { return g_created.load() == runs && !program_seam::startUpThreadRunning(); }

TEST(RebootProgram, ARebootHintRestartsInProcessAndAShutdownHintEndsTheProgram) {
  const threadcount::ThreadIds before = programtest::RunningThreads();
  program_seam::setLiveViewProc(LiveProc);
  g_created = 0;
  std::atomic<bool> restartedClean{false};
  std::thread script([&] {
    if (!WaitFor([] { return Started(1); })) return RequestQuit();
    PostMessage(g_live.load(), kOpenHint, 1, 0);
    if (!WaitFor([] { return Started(2); })) return RequestQuit();
    const int main = getMainOutput();
    restartedClean = GetPowerKeyDownFlag() == 0 && isDispSwitchEnabled() == 1 && isLiveViewActive(main) == 1;
    PostMessage(g_live.load(), kOpenHint, 0, 0);
  });
  // Both starts go straight to the live view: the wizard is switched off.
  const uint32_t noWizard[2] = {0, 0};
  device_seam::overrideAnswer(getStartGuideFlag, 0, noWizard, sizeof noWizard);
  const programtest::Run run = programtest::RunRecorder();
  script.join();
  device_seam::clearOverrides();
  program_seam::setLiveViewProc(nullptr);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(g_created.load(), 2);
  EXPECT_TRUE(restartedClean.load());
  EXPECT_EQ(programtest::StartedSince(before, 0), 0);
}

}  // namespace

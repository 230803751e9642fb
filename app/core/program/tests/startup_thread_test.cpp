// The program's start-up run in-process with a live-view window that logs
// what the start-up thread sends it: the start-up lines, the wizard or the
// ordinary start before the disk check, the outputs' logins, input typed
// before the tool windows stand, and the exit codes of a toolkit that does
// not start or a device without video output.
#include <linux/input-event-codes.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/program_test_support.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "controls/bubbletip/bubbletip.h"
#include "core/message/tests/message_log.h"
#include "core/startup/input_helpers.h"
#include "core/startup/startup_internal.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/message.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using programtest::StartedSince;
using programtest::RunRecorder;
using programtest::RunningThreads;

// What the live view saw of a message, on its own thread.
struct Seen {
  int message;
  int sessionFlag;
  int state;
  int liveViewActive;
  int enabled;
  bool toolWindows;
  bool duringCreation;
  WParam key;
};

std::vector<Seen>& SeenLog() {
  static std::vector<Seen> seen;
  return seen;
}
std::atomic<int> g_created{0};
// The live view closes as soon as it is made, before the start-up thread
// has sent anything.
std::atomic<bool> g_closeAtOnce{false};
// The live view's creation waits in sends (which answer what other threads
// send to it) until the start-up thread has made its tool windows and could
// send; a start-up message answered there would run inside the creation.
std::atomic<bool> g_creationWaitsInSends{false};
std::atomic<bool> g_inCreation{false};
// Input given on the host while the live view is being made: a key by its
// Linux code, a click by its x negated; the run ends once it has all
// arrived, or at the time-out.
std::vector<int> g_typeAtCreation;
constexpr int kTypingTimer = 1;
constexpr unsigned kTypingTimeOut = 100;  // 10 s

bool ToolWindowsStand() { return ImeWindow() && SoftKeyboardWindow() && controls::BubbleTipWindow(); }

void TypeOnTheHost(WindowHandle hwnd) {
  for (const int input : g_typeAtCreation) {
    if (input < 0) {
      HostInjectMouseMove(-input, 100);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    } else {
      HostInjectKey(input, 1);
      HostInjectKey(input, 0);
    }
  }
  SetTimer(hwnd, kTypingTimer, kTypingTimeOut);
}

size_t InputSeen() {
  size_t seen = 0;
  for (const Seen& s : SeenLog()) seen += s.message == MSG_KEYDOWN || s.message == MSG_LBUTTONDOWN;
  return seen;
}

void WaitInSendsForTheStartUpThread() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!program_seam::startUpThreadWaitsForLiveView() && SeenLog().empty() &&
         std::chrono::steady_clock::now() < deadline)
    SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0);
}

LResult FakeLiveView(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  const int output = getCurOutput();
  switch (message) {
    case MSG_CREATE:
      ++g_created;
      g_inCreation = true;
      startMenuMainThread();
      if (!g_typeAtCreation.empty()) TypeOnTheHost(hwnd);
      if (g_creationWaitsInSends) WaitInSendsForTheStartUpThread();
      g_inCreation = false;
      if (g_closeAtOnce) PostMessage(hwnd, MSG_CLOSE, 0, 0);
      break;
    case MSG_STARTWIZARD:
    case MSG_DISKCHECK:
      SeenLog().push_back({message, getSessionFlag(), getOutputState(output), isLiveViewActive(output),
                           IsWindowEnabled(hwnd) ? 1 : 0, ToolWindowsStand(), g_inCreation.load(), 0});
      if (message == MSG_STARTWIZARD) EnableWindow(hwnd, TRUE);
      // The disk check is the start-up's last word: the run may end.
      if (message == MSG_DISKCHECK && g_typeAtCreation.empty()) PostMessage(hwnd, MSG_CLOSE, 0, 0);
      return 0;
    case MSG_KEYDOWN:
    case MSG_LBUTTONDOWN:
      if (g_typeAtCreation.empty()) break;
      SeenLog().push_back({message, 0, 0, 0, 1, ToolWindowsStand(), g_inCreation.load(),
                           message == MSG_KEYDOWN ? wParam : static_cast<WParam>(-static_cast<int16_t>(lParam))});
      if (InputSeen() == g_typeAtCreation.size()) PostMessage(hwnd, MSG_CLOSE, 0, 0);
      return 0;
    case MSG_TIMER:
      if (wParam == kTypingTimer) PostMessage(hwnd, MSG_CLOSE, 0, 0);
      break;
    case MSG_CLOSE:
      DestroyMainWindow(hwnd);
      PostQuitMessage(hwnd);
      return 0;
    default:
      break;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    device_seam::resetAll();
    program_seam::setLiveViewProc(FakeLiveView);
    SeenLog().clear();
    g_created = 0;
    g_closeAtOnce = false;
    g_creationWaitsInSends = false;
    g_typeAtCreation.clear();
    setSessionFlag(0);
  }
  void TearDown() override {
    program_seam::setLiveViewProc(nullptr);
    program_seam::setAbilityAdjustment(nullptr);
    FailStartupStageForTest(StartupStage::kNone);
    device_seam::resetAll();
    initDeviceAbility();
  }
  void Wizard(uint32_t flag) {
    const uint32_t flags[2] = {flag, 0};
    device_seam::overrideAnswer(getStartGuideFlag, 0, flags, sizeof flags);
  }
  void LoginRequired() {
    DeviceConfig config{};
    ASSERT_EQ(getDeviceConfig(getOutputLogin(3), &config), 0);
    config.loginRequired = 1;
    device_seam::overrideAnswer(getDeviceConfig, 0, &config, sizeof config);
  }
};

const char kStartLine[] = "~~~~~~~~~~~~InitGUI Start!\n";
const char kEndLine[] = "~~~~~~~~~~~~InitGUI End!\n";

TEST_F(StartUp, WizardOrOrdinaryStartComesBeforeTheDiskCheck) {
  struct Case {
    bool wizard, loginRequired;
    MessageSequence messages;
    int sessionAtEnd;
    LoginState mainLogin, auxLogin;
  } cases[] = {
      {true, false, {MSG_STARTWIZARD, MSG_DISKCHECK}, 0, {0, 0}, {7, 7}},
      {false, false, {MSG_DISKCHECK}, 1, {0, 0}, {7, 7}},  // no auxiliary output: its login stays
      {false, true, {MSG_DISKCHECK}, 1, {-2, -2}, {-2, -2}},
      {true, true, {MSG_STARTWIZARD, MSG_DISKCHECK}, 0, {-2, -2}, {-2, -2}},
  };
  for (const Case& c : cases) {
    SetUp();
    Wizard(c.wizard);
    if (c.loginRequired) LoginRequired();
    setLoginState(1, 7, 7);
    const programtest::Run run = RunRecorder();
    EXPECT_EQ(run.code, 0);
    // The two lines in order, and no tool window failed.
    EXPECT_EQ(run.out.find(std::string(kStartLine) + kEndLine), 0u) << run.out;
    EXPECT_EQ(run.out.find("initMenuMain::"), std::string::npos) << run.out;
    EXPECT_EQ(g_created, 1);
    MessageSequence messages;
    for (const Seen& s : SeenLog()) messages.push_back(s.message);
    EXPECT_EQ(messages, c.messages) << "wizard " << c.wizard;
    for (const Seen& s : SeenLog()) {
      if (s.message == MSG_STARTWIZARD) {
        EXPECT_EQ(s.enabled, 0) << "the live view is disabled until the wizard opens";
        EXPECT_EQ(s.state, 1);
        EXPECT_EQ(s.liveViewActive, 0);
        EXPECT_EQ(s.sessionFlag, 0);
      } else {
        EXPECT_EQ(s.sessionFlag, c.sessionAtEnd);
      }
    }
    EXPECT_EQ(getSessionFlag(), c.sessionAtEnd);
    LoginState main{}, aux{};
    getLoginState(getMainOutput(), &main.userIndex, &main.loginId);
    getLoginState(1, &aux.userIndex, &aux.loginId);
    EXPECT_EQ(main.userIndex, c.mainLogin.userIndex);
    EXPECT_EQ(main.loginId, c.mainLogin.loginId);
    EXPECT_EQ(aux.userIndex, c.auxLogin.userIndex);
    EXPECT_EQ(aux.loginId, c.auxLogin.loginId);
  }
}

// The start-up thread has its tool windows made while the live view is
// still being made, and sends nothing before that creation has returned,
// even while the creation waits in sends that would answer it.
TEST_F(StartUp, NothingIsSentBeforeTheLiveViewsCreationReturns) {
  for (const bool wizard : {true, false}) {
    SetUp();
    Wizard(wizard);
    g_creationWaitsInSends = true;
    EXPECT_EQ(RunRecorder().code, 0);
    ASSERT_FALSE(SeenLog().empty());
    EXPECT_EQ(SeenLog().back().message, MSG_DISKCHECK);
    for (const Seen& s : SeenLog()) EXPECT_FALSE(s.duringCreation) << s.message;
  }
}

// The first screen does not wait for the tool windows, but input does:
// clicks and keys given while the live view is being made reach it only
// once the input-method, soft-keyboard and tip windows stand, all of them,
// in the order given (the first click makes the live view active, so the
// keys after it are its own).
TEST_F(StartUp, InputGivenBeforeTheToolWindowsStandWaitsForThem) {
  Wizard(0);  // the live view takes input at once
  g_typeAtCreation = {-100, KEY_A, -200, KEY_B, KEY_1, -300, KEY_C};
  EXPECT_EQ(RunRecorder().code, 0);
  std::vector<int> seen;
  for (const Seen& s : SeenLog()) {
    if (s.message != MSG_KEYDOWN && s.message != MSG_LBUTTONDOWN) continue;
    seen.push_back(static_cast<int>(s.key));
    EXPECT_TRUE(s.toolWindows) << "input " << static_cast<int>(s.key) << " before the tool windows stand";
  }
  EXPECT_EQ(seen, g_typeAtCreation);
}

TEST_F(StartUp, ExitCodesOfAToolkitThatFailsAndOfADeviceWithoutVideoOutput) {
  const threadcount::ThreadIds before = RunningThreads();
  FailStartupStageForTest(StartupStage::kFonts);
  programtest::Run run = RunRecorder();
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, kStartLine);
  FailStartupStageForTest(StartupStage::kNone);

  program_seam::setAbilityAdjustment([] { device_seam::mutableAbility()->videoOutputCount = 0; });
  run = RunRecorder();
  program_seam::setAbilityAdjustment(nullptr);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, std::string(kStartLine) + kEndLine);
  EXPECT_EQ(g_created, 0) << "no live view without video output";
  // The toolkit was shut down: no thread of it is left running.
  EXPECT_EQ(StartedSince(before, 0), 0);
}

TEST_F(StartUp, AFullRunLeavesNoThreadRunning) {
  const threadcount::ThreadIds before = RunningThreads();
  for (bool closeAtOnce : {false, true}) {
    SetUp();
    Wizard(closeAtOnce);
    // Closed at once, the live view is gone before the start-up thread's
    // sends, which must not hold the program's end back.
    g_closeAtOnce = closeAtOnce;
    EXPECT_EQ(RunRecorder().code, 0);
    EXPECT_EQ(StartedSince(before, 0), 0) << "closed at once " << closeAtOnce;
  }
}

}  // namespace

namespace {

// A live view made without the program's run: the start-up thread it
// starts waits for the run to report it made. The process still ends.
TEST(StartUpThreadAtExit, AThreadStillWaitingForTheLiveViewDoesNotHoldTheExit) {
#if defined(__SANITIZE_THREAD__)
  // Ending the process with the toolkit's threads running tears their
  // tables down under them, which the thread sanitizer reports; the program
  // itself always ends the toolkit first. The other builds check the exit.
  GTEST_SKIP() << "an exit with the toolkit running";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        startMenuMainThread();
        while (!program_seam::startUpThreadWaitsForLiveView()) std::this_thread::yield();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace

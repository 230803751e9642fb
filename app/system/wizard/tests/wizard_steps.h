// Driving the start-up pages from a test: steps queued in order, each run
// on the page that is active when its turn comes, inside whichever modal
// loop is running then.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/system/users/tests/nested_steps.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"

namespace wizardtest {

// The page a window is, by a control only that page has.
inline std::string PageName(WindowHandle page) {
  static const struct {
    int id;
    const char* name;
  } kPages[] = {{16400, "startguide"},    {16416, "startpasswd"}, {16432, "starttime"},   {16450, "startnetset"},
                {20064, "startdiskmode"}, {16464, "startdisk"},   {16470, "startcamera"}, {16480, "startrecord"}};
  for (const auto& p : kPages)
    if (IsValidHandle(page) && IsValidHandle(GetDlgItem(page, p.id))) return p.name;
  return "?";
}

inline bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline std::string Text(WindowHandle page, int id) {
  char text[128] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

struct Waiter {
  std::function<bool()> ready;
  std::function<void()> go;
  std::chrono::steady_clock::time_point deadline;
};
inline std::vector<Waiter>& Waiters() {
  static std::vector<Waiter> waiters;
  return waiters;
}
constexpr int kLookAgain = 0x9104;
// Whether a look is on its way to the waiter window: the clock below posts
// one only when none is.
inline std::atomic<bool>& LookPosted() {
  static std::atomic<bool> posted{false};
  return posted;
}
// Looks at the first waiter's condition on each look, without draining the
// queue (a drain would run the steps queued behind it). The looks come from
// a clock thread: a look that posted the next one itself would keep every
// loop of the thread turning on it, and each drain of a click's wait would
// read only looks until its guard stopped it.
inline LResult WaiterProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != kLookAgain) return DefaultMainWinProc(hwnd, msg, wParam, lParam);
  LookPosted() = false;
  if (Waiters().empty()) return 0;
  Waiter& w = Waiters().front();
  if (!w.ready() && std::chrono::steady_clock::now() < w.deadline) return 0;
  const std::function<void()> go = w.go;
  Waiters().erase(Waiters().begin());
  go();
  return 0;
}

class WizardTest : public livetest::LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    nested::Pending().clear();
    Waiters().clear();
    helper_ = Main({0, 0, 4, 4}, nested::NestedStepsProc);
    waiter_ = Main({0, 0, 4, 4}, WaiterProc);
    LookPosted() = false;
    ticking_ = true;
    const WindowHandle waiter = waiter_;
    clock_ = std::thread([this, waiter] {
      while (ticking_) {
        // A post the ring refused is tried again on the next tick.
        if (!LookPosted().exchange(true) && PostMessage(waiter, kLookAgain, 0, 0) != 0) LookPosted() = false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  void TearDown() override {
    ticking_ = false;
    if (clock_.joinable()) clock_.join();
    LiveGui::TearDown();
  }
  // A step on the active page; the next step is asked for first, so that a
  // page the step opens runs it.
  void Then(std::function<void(WindowHandle)> step) {
    nested::Pending().push_back([this, step] {
      PostMessage(helper_, nested::kNextStep, 0, 0);
      step(GetActiveWindow());
    });
  }
  // A step run once `ready` holds, on the page then active: a click's
  // release reaches its page only after the step that clicked has returned,
  // so a window of its own looks again on each turn of whichever loop runs.
  void ThenWhen(std::function<bool()> ready, std::function<void(WindowHandle)> step) {
    const WindowHandle helper = helper_, waiter = waiter_;
    nested::Pending().push_back([helper, waiter, ready, step] {
      Waiters().push_back({ready, [helper, ready, step] {
                             nested::Pending().push_front([helper, ready, step] {
                               PostMessage(helper, nested::kNextStep, 0, 0);
                               EXPECT_TRUE(ready()) << "waited in vain";
                               step(GetActiveWindow());
                             });
                             PostMessage(helper, nested::kNextStep, 0, 0);
                           },
                           std::chrono::steady_clock::now() + kWaitLimit});
      PostMessage(waiter, kLookAgain, 0, 0);
    });
  }
  // A step on the page named `name`, once that page is the active one.
  void ThenOn(std::string name, std::function<void(WindowHandle)> step) {
    ThenWhen([name] { return PageName(GetActiveWindow()) == name; }, std::move(step));
  }
  // Opens `open` over the helper with the queued steps; its result.
  int Run(int (*open)(WindowHandle)) {
    PostMessage(helper_, nested::kNextStep, 0, 0);
    const int rc = open(helper_);
    desktest::Drain();
    return rc;
  }
  // Every box's (section, key) and style since the last call.
  static std::vector<std::string> Boxes() {
    std::vector<std::string> out;
    for (const auto& b : livetest::Boxes()) out.push_back(b.section + "/" + b.key + "/" + std::to_string(b.type));
    livetest::Boxes().clear();
    return out;
  }
  static std::string AdminPassword() {
    UserConfig table{};
    getUserConfig(nullptr, &table);
    return std::string(table.users[0].password, strnlen(table.users[0].password, sizeof table.users[0].password));
  }

  // Long enough for the steps before to click through a page on a slow run.
  static constexpr std::chrono::seconds kWaitLimit{30};
  WindowHandle helper_ = 0, waiter_ = 0;

 private:
  std::atomic<bool> ticking_{false};
  std::thread clock_;
};

}  // namespace wizardtest

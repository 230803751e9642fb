// Controls made on their window's own thread: the class is looked up and
// the control linked there while the desktop adds and removes classes of the
// same first letter (one list) and other threads walk the children, and a
// hidden drop-down moved there is clipped at its new place once shown.
#include <pthread.h>

#include <atomic>
#include <string>

#include "core/desktop/tests/desktop_fixture.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace desktest {
namespace {

constexpr int kRounds = 150;

class ControlThreads : public DesktopTest {};

struct Maker {
  Rect frame;
  std::atomic<int> made{0};
  std::atomic<bool> done{false};

  // A main window of its own, then controls made and destroyed in it.
  static void* Run(void* arg) {
    auto* self = static_cast<Maker*>(arg);
    MainWinCreate create = MainWindowCreation(self->frame, RecordingProc, "maker");
    WindowHandle main = CreateMainWindow(&create);
    for (int i = 0; main != GUI_INVALID_HANDLE && i < kRounds; ++i) {
      WindowHandle c = CreateWindowEx(kTestClass, "ctl", WS_VISIBLE, 0, 100 + i, 5, 5, 35, 35, main, 0);
      if (c != GUI_INVALID_HANDLE && DestroyWindow(c)) self->made++;
    }
    if (main != GUI_INVALID_HANDLE) {
      DestroyMainWindow(main);
      MainWindowThreadCleanup(main);
    }
    self->done = true;
    return nullptr;
  }
};

TEST_F(ControlThreads, ClassesAreFoundOnTwoThreadsWhileTheDesktopAddsAndRemovesOthers) {
  Maker left{{0, 0, 100, 100}}, right{{200, 0, 300, 100}};
  pthread_t a, b;
  ASSERT_EQ(pthread_create(&a, nullptr, Maker::Run, &left), 0);
  ASSERT_EQ(pthread_create(&b, nullptr, Maker::Run, &right), 0);
  WndClassInfo extra{};
  extra.className = "rotating";
  extra.windowProc = RecordingProc;
  int cycles = 0;
  while (!left.done || !right.done || cycles < 20) {
    EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&extra)), 0);
    EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>("rotating")), 0);
    // Walks the children the makers link and unlink.
    WindowUnderPointer(10, 10);
    WindowUnderPointer(210, 10);
    ++cycles;
  }
  pthread_join(a, nullptr);
  pthread_join(b, nullptr);
  EXPECT_EQ(left.made, kRounds);
  EXPECT_EQ(right.made, kRounds);
  // The class counted no control left, so it can go and come back.
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>(kTestClass)), 0);
  WndClassInfo again{};
  again.className = kTestClass;
  again.windowProc = RecordingProc;
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&again)), 0);
  EXPECT_EQ(ControlOfClass("nosuchclass", GUI_INVALID_HANDLE, {0, 0, 1, 1}, 1, 0, 0), GUI_INVALID_HANDLE);
}

struct ListMover {
  WindowHandle list = 0;
  std::atomic<bool> done{false};

  // Moved while hidden, as a drop-down grows with every item added.
  static void* Run(void* arg) {
    auto* self = static_cast<ListMover*>(arg);
    for (int i = 0; i < kRounds; ++i) MoveWindow(self->list, 10 + (i % 40) * 2, 10, 50, 20 + i % 60, FALSE);
    MoveWindow(self->list, 100, 100, 60, 40, FALSE);
    self->done = true;
    return nullptr;
  }
};

TEST_F(ControlThreads, AHiddenListMovedOnItsOwnThreadIsClippedAtItsNewPlaceOnceShown) {
  WindowHandle back = Main({0, 0, 300, 300});
  ListMover mover;
  mover.list = Control(back, {10, 10, 60, 30}, 1, 0, WS_EX_OWN_CLIPINFO);
  ASSERT_NE(mover.list, GUI_INVALID_HANDLE);
  pthread_t t;
  ASSERT_EQ(pthread_create(&t, nullptr, ListMover::Run, &mover), 0);
  // The desktop meanwhile restacks and walks the windows.
  while (!mover.done) {
    Request(MSG_DT_MOVETOTOP, back);
    EXPECT_EQ(WindowUnderPointer(20, 20), back);
  }
  pthread_join(t, nullptr);
  Rect r{};
  GetWindowRect(mover.list, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.bottom, 140);
  EXPECT_TRUE(ClipHolds(back, 120, 120));
  Request(MSG_DT_SHOWCTRLWIN, mover.list);
  EXPECT_TRUE(ClipHolds(mover.list, 120, 120));
  EXPECT_FALSE(ClipHolds(back, 120, 120));
  EXPECT_TRUE(ClipHolds(back, 20, 20));
  EXPECT_TRUE(DestroyWindow(mover.list));
}

}  // namespace
}  // namespace desktest

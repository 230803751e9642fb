// Window attributes on a started toolkit: showing, moving and enabling,
// focus along the parent chain, coordinates, fonts, and the display switch.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <thread>

#include "core/nonclient/tests/started_gui.h"
#include "core/input/ial.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/nonclient.h"
#include "gui/livevideo.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kClass = "attrlogged";

class Attributes : public guitest::StartedGui {
 protected:
  void SetUp() override {
    WndClassInfo info{};
    info.className = kClass;
    info.windowProc = guitest::LoggingProc;
    RegisterWindowClass(&info);
    main_ = Main({100, 100, 400, 400}, 0);
  }
  void TearDown() override {
    guitest::StartedGui::TearDown();
    UnregisterWindowClass(kClass);
  }
  WindowHandle Control(WindowHandle parent, Rect r, int id) {
    return CreateWindowEx(kClass, "", WS_VISIBLE, 0, id, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, 0);
  }
  WindowHandle main_ = 0;
};

TEST_F(Attributes, MovesLandOnEvenCoordinatesAndAnUnchangedOneDoesNothing) {
  WindowHandle ctl = Control(main_, {10, 10, 50, 50}, 1);
  Received(ctl, 0);
  EXPECT_FALSE(MoveWindow(ctl, 10, 10, 40, 40, TRUE));
  EXPECT_TRUE(Received(ctl, MSG_SIZECHANGED).empty());
  EXPECT_TRUE(MoveWindow(ctl, 13, 21, 41, 41, FALSE));
  Rect r{};
  GetWindowRect(ctl, &r);
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 54);
  EXPECT_EQ(r.bottom, 62);
  EXPECT_TRUE(MoveWindow(main_, 101, 103, 300, 300, FALSE));
  GetWindowRect(main_, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 102);
}

TEST_F(Attributes, FocusWalksUpTheParentsAndHidingTheFocusDropsIt) {
  WindowHandle outer = Control(main_, {0, 0, 200, 200}, 1);
  WindowHandle inner = Control(outer, {10, 10, 50, 50}, 2);
  WindowHandle other = Control(outer, {60, 10, 90, 50}, 3);
  EXPECT_EQ(SetFocusChild(outer), outer);
  Received(outer, 0);
  EXPECT_EQ(SetFocusChild(inner), inner);
  EXPECT_EQ(GetFocusChild(outer), inner);
  EXPECT_EQ(GetFocusChild(main_), outer);
  EXPECT_TRUE(Received(outer, MSG_KILLFOCUS).empty());  // already the focus at its level
  SetFocusChild(other);
  std::vector<SeenMessage> lost = Received(inner, MSG_KILLFOCUS);
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_EQ(lost[0].wParam, other);
  EXPECT_TRUE(ShowWindow(other, SW_HIDE));
  EXPECT_EQ(GetFocusChild(outer), 0u);
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_EQ(SetFocusChild(main_), GUI_INVALID_HANDLE);
}

TEST_F(Attributes, EnablingAnswersThePreviousStateAndCoordinatesRoundTrip) {
  WindowHandle outer = Control(main_, {20, 30, 200, 200}, 1);
  WindowHandle inner = Control(outer, {5, 7, 50, 50}, 2);
  EXPECT_TRUE(EnableWindow(inner, FALSE));
  EXPECT_FALSE(IsWindowEnabled(inner));
  EXPECT_FALSE(EnableWindow(inner, TRUE));
  EXPECT_TRUE(EnableWindow(main_, FALSE));
  EXPECT_FALSE(EnableWindow(main_, TRUE));
  int x = 0, y = 0;
  ClientToScreen(inner, &x, &y);
  EXPECT_EQ(x, 100 + 20 + 5);
  EXPECT_EQ(y, 100 + 30 + 7);
  ScreenToClient(inner, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  // Offsets near the int limits clamp instead of wrapping to the other end.
  x = INT_MAX - 10, y = INT_MIN + 10;
  ClientToScreen(inner, &x, &y);
  EXPECT_EQ(x, INT_MAX);
  EXPECT_EQ(y, INT_MIN + 10 + 137);
  x = INT_MIN + 10, y = INT_MAX;
  ScreenToClient(inner, &x, &y);
  EXPECT_EQ(x, INT_MIN);
  EXPECT_EQ(y, INT_MAX - 137);
  x = y = INT_MAX;
  WindowToScreen(inner, &x, &y);
  EXPECT_EQ(x, INT_MAX);
  EXPECT_EQ(y, INT_MAX);
  EXPECT_STREQ(GetClassName(__gui_hwnd_desktop), "ROOTWINDOW");
  EXPECT_STREQ(GetClassName(main_), "MAINWINDOW");
  EXPECT_STREQ(GetClassName(inner), "ATTRLOGGED");
  SetWindowFont(inner, nullptr);
  EXPECT_EQ(GetWindowFont(inner), g_SysLogFont[1]);
  EXPECT_EQ(ShowWindow(GUI_INVALID_HANDLE, SW_SHOW), FALSE);
}

// Another thread asking whether a window is enabled while the desktop
// removes it reads the style under the lock (ThreadSanitizer checks).
TEST_F(Attributes, EnabledStateIsReadSafelyWhileTheWindowIsRemoved) {
  WindowHandle doomed = Main({10, 10, 100, 100}, 0, "doomed");
  std::atomic<bool> stop{false};
  std::atomic<int> reads{0};
  std::thread reader([&] {
    while (!stop.load()) {
      IsWindowEnabled(doomed);
      reads.fetch_add(1);
    }
  });
  while (reads.load() < 10) std::this_thread::yield();
  EXPECT_TRUE(DestroyMainWindow(doomed));
  stop = true;
  reader.join();
  EXPECT_FALSE(IsWindowEnabled(doomed));
}

// Finds its state in the window's additional data, as a dialog's does,
// also when the desktop thread calls it to draw the frame.
LResult PlainProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_NCPAINT && GetWindowAdditionalData(hwnd) < 0) return 0;
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// The desktop thread draws the frame and erases the background of a window
// it uncovers, through the window's procedure, while the window's own
// thread changes that procedure, its additional data, caption, background,
// cursor and scroll bar: each is read whole, and the drawn caption is never one
// already freed (ThreadSanitizer and AddressSanitizer check).
TEST_F(Attributes, TheWordsTheDesktopDrawsWithChangeSafelyWhileItDraws) {
  WindowHandle under = Main({10, 10, 300, 200}, WS_CAPTION | WS_BORDER | WS_VSCROLL, "under");
  WindowHandle cover = Main({20, 20, 200, 150}, WS_BORDER, "cover");
  std::atomic<bool> stop{false};
  std::atomic<int> uncovered{0};
  std::thread toggler([&] {
    while (!stop.load()) {
      ShowWindow(cover, SW_HIDE);
      ShowWindow(cover, SW_SHOWNORMAL);
      uncovered.fetch_add(1);
    }
  });
  const uintptr_t cursors[] = {GetSystemCursor(0), GetSystemCursor(1)};
  const char* captions[] = {"under the cover, a longer caption", "under"};
  int i = 0;
  for (; i < 300 || uncovered.load() < 20; ++i) {
    SetWindowCallbackProc(under, i % 2 ? guitest::LoggingProc : PlainProc);
    SetWindowAdditionalData(under, i);
    SetWindowBkColor(under, guitest::Rgb(static_cast<uint8_t>(i), 0, 0));
    SetWindowCaption(under, captions[i % 2]);
    SetWindowCursor(under, cursors[i % 2]);
    SetScrollPos(under, SB_VERT, i % 50);
    desktest::Drain();
    guitest::Log::Instance().Take();
  }
  stop = true;
  toggler.join();
  const int last = (i - 1) % 2;
  EXPECT_STREQ(GetWindowCaption(under), captions[last]);
  EXPECT_EQ(GetWindowCursor(under), cursors[last]);
}

TEST_F(Attributes, PreviewWindowsCannotBeShownOrHidden) {
  WindowHandle preview = Main({0, 0, 100, 100}, 0, "preview", WS_EX_PREVIEW);
  EXPECT_FALSE(ShowWindow(preview, SW_HIDE));
  EXPECT_TRUE(IsWindowVisible(preview));
}

// A page painted over the live view takes a live-video slot with its
// rectangle aligned to even pixels, and gives it back when hidden or
// destroyed while shown; another thread reading the table meanwhile sees
// it change under its lock (ThreadSanitizer checks).
TEST_F(Attributes, PaintedPagesTakeALiveVideoSlotAndHidingOrDestroyingGivesItBack) {
  WindowHandle page = Main({501, 101, 701, 201}, 0);  // beside the fixture's window
  desktest::Drain();
  auto slotOfPage = [] {
    LiveVideoTable t{};
    GetLiveVideoTable(0, &t);
    for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i)
      if (t.inUse[i] && t.x[i] == 500 && t.y[i] == 100 && t.width[i] == 202 && t.height[i] == 102) return i;
    return -1;
  };
  EXPECT_GE(slotOfPage(), 0);
  ShowWindow(page, SW_HIDE);
  EXPECT_EQ(slotOfPage(), -1);

  WindowHandle shown = Main({501, 101, 701, 201}, 0);
  desktest::Drain();
  ASSERT_GE(slotOfPage(), 0);
  std::atomic<bool> stop{false};
  std::atomic<int> reads{0};
  std::thread reader([&] {
    while (!stop.load()) {
      slotOfPage();
      reads.fetch_add(1);
    }
  });
  while (reads.load() < 10) std::this_thread::yield();
  EXPECT_TRUE(DestroyMainWindow(shown));
  stop = true;
  reader.join();
  EXPECT_EQ(slotOfPage(), -1);
}

int One() { return 1; }
// Output 1 is a TV-standard (composite) output.
int CompositeOne(int output, int* type) {
  *type = output == 1 ? 0 : 1;
  return 0;
}

// The current output kept by the test; when armed, its change asks the
// desktop to close all windows, as a request arriving mid-switch would.
struct CloseDuringSwitch {
  static inline std::atomic<int> current{0};
  static inline std::atomic<bool> armed{false};
  static inline std::atomic<LResult> answered{-1};
  static int Get() { return current; }
  static void Set(int output) {
    current = output;
    if (armed) answered = SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  }
};

// A device whose session allows switching; installed before start-up, as
// the application does.
class Switching : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetAppCallbacks(nullptr);
    CloseDuringSwitch::current = getCurOutputHook();
    static GuiAppCallbacks app{};
    app.getSessionFlag = One;
    app.isDispSwitchEnabled = One;
    app.getDisplayOutputType = CompositeOne;
    app.getCurOutput = CloseDuringSwitch::Get;
    app.setCurOutput = CloseDuringSwitch::Set;
    SetAppCallbacks(&app);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() {
    TerminateGUI(0);
    SetAppCallbacks(nullptr);
  }
};

// The menus move to the other output and the pointer goes to the middle of
// its screen (704 x 576 on the composite output, 1024 x 768 on VGA).
Point g_placed{-1, -1};
void RecordPlacement(int x, int y) { g_placed = Point{x, y}; }

TEST_F(Switching, DisplaySwitchPutsThePointerAtTheNewScreensCentre) {
  // The host engine cannot move the host pointer; a recording one shows
  // where the switch asks the pointer to go.
  IalEngine* engine = CurrentIalEngine();
  ASSERT_NE(engine, nullptr);
  auto* const original = engine->set_mouse_xy;
  engine->set_mouse_xy = RecordPlacement;
  const int before = getCurOutputHook();
  EXPECT_EQ(SwitchDispDev(), getAuxOutputHook());
  EXPECT_EQ(g_placed.x, 352);
  EXPECT_EQ(g_placed.y, 288);
  EnableSwitchDispDev(0);
  EXPECT_EQ(SwitchDispDev(), getAuxOutputHook());  // held off
  EnableSwitchDispDev(1);
  EXPECT_EQ(SwitchDispDev(), before);
  EXPECT_EQ(g_placed.x, 512);
  EXPECT_EQ(g_placed.y, 384);
  engine->set_mouse_xy = original;
}

// A close of all windows asked while the switch runs (here from inside the
// output change) is held, then made on the new display after the switch.
TEST_F(Switching, ACloseAskedDuringTheSwitchIsMadeOnTheNewDisplayAfterIt) {
  MainWinCreate create = MainWindowCreation({10, 10, 90, 90}, guitest::LoggingProc, "tool", WS_VISIBLE, WS_EX_TOPMOST);
  const WindowHandle tool = CreateMainWindow(&create);
  ASSERT_NE(tool, GUI_INVALID_HANDLE);
  desktest::Drain();
  guitest::Log::Instance().Take();
  const int before = getCurOutputHook();
  CloseDuringSwitch::armed = true;
  const int after = SwitchDispDev();
  CloseDuringSwitch::armed = false;
  EXPECT_NE(after, before);
  EXPECT_EQ(CloseDuringSwitch::answered, 0) << "held while the switch ran";
  // The held close is posted to the desktop: wait until it has read it.
  desktest::AwaitDesktopRead();
  desktest::Request(MSG_DT_GETACTIVEMAIN);
  desktest::Drain();
  int closes = 0;
  for (const auto& m : guitest::Log::Instance().Take())
    if (m.hwnd == tool && m.message == MSG_CLOSE) ++closes;
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(SwitchDispDev(), before);
  DestroyMainWindow(tool);
  MainWindowThreadCleanup(tool);
}

}  // namespace

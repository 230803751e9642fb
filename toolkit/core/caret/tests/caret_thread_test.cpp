// The caret on a started toolkit: its size and even placement, the pixels
// it inverts and gives back, and its blink period as the desktop sees it.
#include <gtest/gtest.h>

#include <climits>

#include "core/desktop/desktop_state.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/caret.h"

namespace {

class Caret : public guitest::StartedGui {
 protected:
  void SetUp() override { hwnd_ = Main({100, 100, 300, 200}, 0); }
  GalPixel Px(int x, int y) { return GetPixel(HDC_SCREEN, x, y); }
  WindowHandle hwnd_ = 0;
};

TEST_F(Caret, SizeIsEvenAndPositionsLandOnEvenScreenPixelsTwoBelowTheLine) {
  ASSERT_TRUE(CreateCaret(hwnd_, nullptr, 2, 15));
  EXPECT_FALSE(ChangeCaretSize(hwnd_, 2, 15));  // made 14 high
  EXPECT_TRUE(ChangeCaretSize(hwnd_, 2, 14));
  Point pt{};
  ASSERT_TRUE(SetCaretPos(hwnd_, 5, 9));
  GetCaretPos(hwnd_, &pt);
  EXPECT_EQ(pt.x, 6);
  EXPECT_EQ(pt.y, 12);
  EXPECT_TRUE(SetCaretBlinkTime(hwnd_, 20));
  EXPECT_EQ(GetCaretBlinkTime(hwnd_), 100u);
  EXPECT_EQ(Desk().caretPeriod, 100u);
  EXPECT_TRUE(DestroyCaret(hwnd_));
  EXPECT_FALSE(DestroyCaret(hwnd_));
  EXPECT_FALSE(ShowCaret(hwnd_));
  EXPECT_EQ(Desk().caretWindow, 0u);
}

TEST_F(Caret, SizesPastTheDisplayAreRefusedAndLeaveNoCaret) {
  const int w = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_HPIXEL));
  const int h = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL));
  const int sizes[][2] = {{65536, 16386}, {100000, 100000}, {w + 1, 2}, {2, h + 2},
                          {INT_MAX, INT_MAX}, {INT_MIN, 4}};
  for (const auto& size : sizes) {
    EXPECT_FALSE(CreateCaret(hwnd_, nullptr, size[0], size[1])) << size[0] << "x" << size[1];
    EXPECT_FALSE(ShowCaret(hwnd_));
  }
  ASSERT_TRUE(CreateCaret(hwnd_, nullptr, w, h & ~1));
  EXPECT_TRUE(ShowCaret(hwnd_));
  EXPECT_TRUE(DestroyCaret(hwnd_));
}

TEST_F(Caret, ShownCaretInvertsThePixelsAndGivesThemBackExactly) {
  desktest::Drain();
  const GalPixel background = Px(110, 120);
  ASSERT_TRUE(CreateCaret(hwnd_, nullptr, 4, 10));
  SetCaretPos(hwnd_, 10, 20);  // screen (110, 122)
  EXPECT_TRUE(ShowCaret(hwnd_));
  EXPECT_FALSE(ShowCaret(hwnd_));
  const GalPixel inverted = Px(111, 125);
  EXPECT_NE(inverted, background);
  EXPECT_EQ(Px(114, 125), background);  // one past its width
  PostMessage(hwnd_, MSG_CARETBLINK, 0, 0);
  desktest::Drain();
  EXPECT_EQ(Px(111, 125), background);  // off phase
  // Hiding in the off phase leaves the screen alone.
  SetPixel(HDC_SCREEN, 111, 125, guitest::Rgb(1, 2, 3));
  EXPECT_TRUE(HideCaret(hwnd_));
  EXPECT_EQ(Px(111, 125), guitest::Rgb(1, 2, 3));
  SetPixel(HDC_SCREEN, 111, 125, background);
  ShowCaret(hwnd_);
  EXPECT_EQ(Px(111, 125), inverted);
  HideCaret(hwnd_);
  EXPECT_EQ(Px(111, 125), background);
}

// An edit made and destroyed: its caret is the desktop's while it lives and
// forgotten once it is gone, whether it goes alone or with its window.
TEST_F(Caret, TheDesktopForgetsTheCaretOfAnEditThatGoes) {
  for (bool withWindow : {false, true}) {
    const WindowHandle host = withWindow ? Main({100, 220, 300, 300}, 0) : hwnd_;
    const WindowHandle edit = CreateWindowEx("sledit", "", WS_VISIBLE, 0, 5, 10, 10, 120, 24, host, 0);
    ASSERT_NE(edit, GUI_INVALID_HANDLE);
    EXPECT_EQ(Desk().caretWindow, edit);
    if (withWindow) {
      DestroyMainWindow(host);  // its thread's clean-up comes with the fixture's
    } else {
      EXPECT_TRUE(DestroyWindow(edit));
    }
    EXPECT_EQ(Desk().caretWindow, 0u) << withWindow;
  }
}

// Each edit of a page makes its caret as it is made: that needs no round
// trip to the desktop, which may be busy with something else meanwhile.
TEST_F(Caret, AnEditMadeWhileTheDesktopIsBusyTakesTheCaretAtOnce) {
  desktest::Drain();
  WindowHandle edit = 0;
  {
    desktest::DesktopHeld held;
    edit = CreateWindowEx("sledit", "", WS_VISIBLE, 0, 5, 10, 10, 120, 24, hwnd_, 0);
    EXPECT_EQ(Desk().caretWindow, edit);
    EXPECT_FALSE(held.LetGoByWatchdog());
  }
  ASSERT_NE(edit, GUI_INVALID_HANDLE);
  EXPECT_TRUE(DestroyWindow(edit));
  EXPECT_EQ(Desk().caretWindow, 0u);
}

// A caret made on its window's thread while the desktop has nothing to tick
// for (no caret before it) still blinks: the timer is woken for it.
TEST_F(Caret, ACaretMadeWithoutTheDesktopBlinks) {
  const WindowHandle shown = Main({100, 220, 300, 300}, 0);
  desktest::Drain();
  ASSERT_EQ(Desk().caretWindow, 0u);
  const GalPixel background = Px(111, 245);
  ASSERT_TRUE(CreateCaret(shown, nullptr, 4, 10));
  SetCaretPos(shown, 10, 20);  // screen (110, 242)
  ASSERT_TRUE(ShowCaret(shown));
  ASSERT_NE(Px(111, 245), background);
  EXPECT_TRUE(desktest::Eventually([&] {
    desktest::Drain();
    return Px(111, 245) == background;
  }));
  EXPECT_TRUE(DestroyCaret(shown));
}

}  // namespace

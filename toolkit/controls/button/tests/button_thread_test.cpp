// Button clicks, keys and focus per kind, as the parent hears them, with
// the check value each leaves behind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <linux/input-event-codes.h>

#include "controls/painters/tests/page_fixture.h"
#include "core/window/window_messages.h"
#include "gui/button.h"
#include "gui/control_tip.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kId = 20;
constexpr int kSelect = 147;

class Buttons : public pagetest::PageFixture {
 protected:
  WindowHandle Make(uint32_t style, const char* caption = "Box") {
    WindowHandle b = Add("button", style, kId, 20, 20, caption, 120, 26);
    desktest::Drain();
    Commands();
    return b;
  }
  // Notification codes from the button, in order.
  std::vector<int> Codes() {
    std::vector<int> out;
    for (WParam w : Commands())
      if ((w & 0xFFFF) == kId) out.push_back(static_cast<int>(w >> 16));
    return out;
  }
  LParam ScreenPoint(WindowHandle b, int x, int y) {
    ClientToScreen(b, &x, &y);
    return (x & 0xFFFF) | (static_cast<LParam>(y & 0xFFFF) << 16);
  }
  void Click(WindowHandle b, bool inside = true) {
    SendMessage(b, MSG_LBUTTONDOWN, 0, 0);
    SendMessage(b, MSG_LBUTTONUP, 0, inside ? ScreenPoint(b, 5, 5) : ScreenPoint(b, 300, 5));
  }
  void Key(WindowHandle b, int scan) {
    SendMessage(b, MSG_KEYDOWN, static_cast<WParam>(scan), 0);
    SendMessage(b, MSG_KEYUP, static_cast<WParam>(scan), 0);
  }
  LResult Check(WindowHandle b) { return SendMessage(b, BM_GETCHECK, 0, 0); }
};

TEST_F(Buttons, ClicksByMouseAndKeysPerKind) {
  enum Action { kClickInside, kClickOutside, kSpaceKey, kEnterKey, kSelectKey };
  struct Row {
    uint32_t style;
    Action action;
    std::vector<int> codes;
    LResult checkAfter;
  } rows[] = {
      {BS_AUTOCHECKBOX | BS_NOTIFY, kClickInside, {2, 3, 0}, 1},
      {BS_AUTOCHECKBOX | BS_NOTIFY, kClickOutside, {2, 3}, 0},
      {BS_AUTOCHECKBOX, kClickInside, {0}, 1},
      {BS_AUTOCHECKBOX, kClickOutside, {}, 0},
      {BS_CHECKBOX, kClickInside, {0}, 0},
      {BS_AUTORADIOBUTTON, kClickInside, {0}, 1},
      {BS_ONOFF, kSelectKey, {0}, 1},
      {BS_AUTO3STATESWITCH, kClickInside, {0}, 1},
      {BS_AUTO3STATE, kClickInside, {0}, 1},
      {BS_PUSHBUTTON | BS_NOTIFY, kSpaceKey, {2, 0, 3}, 0},  // key up: clicked before released
      {BS_PLAINPUSHBUTTON, kEnterKey, {0}, 0},
      {BS_CHECKBOX, kSelectKey, {}, 0},                     // 147 only on the automatic kinds
      {BS_AUTOCHECKBOX | BS_NOTIFY | WS_DISABLED, kClickInside, {}, 0},
      {BS_AUTOCHECKBOX | WS_DISABLED, kSpaceKey, {}, 0},
  };
  for (const Row& r : rows) {
    WindowHandle b = Make(r.style);
    switch (r.action) {
      case kClickInside: Click(b); break;
      case kClickOutside: Click(b, false); break;
      case kSpaceKey: Key(b, KEY_SPACE); break;
      case kEnterKey: Key(b, KEY_ENTER); break;
      case kSelectKey: Key(b, kSelect); break;
    }
    EXPECT_EQ(Codes(), r.codes) << std::hex << r.style << " action " << r.action;
    EXPECT_EQ(Check(b), r.checkAfter) << std::hex << r.style << " action " << r.action;
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "released";
    EXPECT_NE(GetCapture(), b);
    DestroyWindow(b);
  }
}

TEST_F(Buttons, ThreeStateKindsCycleAndClickMessageCountsBack) {
  WindowHandle b = Make(BS_AUTO3STATE);
  std::vector<LResult> seen;
  for (int i = 0; i < 4; ++i) {
    Click(b);
    seen.push_back(Check(b));
  }
  EXPECT_EQ(seen, (std::vector<LResult>{1, 2, 0, 1}));
  for (LResult from : {0, 1, 2}) {
    SendMessage(b, BM_SETCHECK, static_cast<WParam>(from), 0);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Check(b), 2 - from) << from;
  }
  EXPECT_EQ(Codes(), std::vector<int>(7, 0));
  EXPECT_EQ(SendMessage(b, BM_SETCHECK, 3, 0) & 3, 0) << "old state word";
  EXPECT_EQ(Check(b), 0) << "3 is not a value";
}

TEST_F(Buttons, DisablingClearsTheStateAndRefusesChecks) {
  WindowHandle b = Make(BS_CHECKBOX);
  SendMessage(b, BM_SETCHECK, 1, 0);
  EnableWindow(b, FALSE);
  desktest::Drain();
  EXPECT_EQ(Check(b), 0);
  EXPECT_EQ(SendMessage(b, BM_SETCHECK, 1, 0), 0);
  EXPECT_EQ(Check(b), 0);
  EnableWindow(b, TRUE);
  desktest::Drain();
  EXPECT_EQ(SendMessage(b, BM_SETCHECK, 1, 0), 0);
  EXPECT_EQ(Check(b), 1);
}

TEST_F(Buttons, TypedSignsCheckAndUncheck) {
  WindowHandle b = Make(BS_CHECKBOX);
  SendMessage(b, MSG_CHAR, '+', 0);
  EXPECT_EQ(Check(b), 1);
  SendMessage(b, MSG_CHAR, '-', 0);
  EXPECT_EQ(Check(b), 0);
  SendMessage(b, MSG_CHAR, '=', 0);
  EXPECT_EQ(Check(b), 1);
  WindowHandle radio = Add("button", BS_RADIOBUTTON, kId + 1, 20, 60);
  SendMessage(radio, MSG_CHAR, '+', 0);
  EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), 0) << "not on a plain radio button";
}

TEST_F(Buttons, FocusNotifiesOnceAndTheMessageMarkerSwallowsTheEcho) {
  WindowHandle b = Make(BS_PUSHBUTTON | BS_NOTIFY);
  SetFocusChild(Add("button", BS_PUSHBUTTON, kId + 1, 20, 60));  // the page holds the focus already
  desktest::Drain();
  Commands();
  SetFocusChild(b);
  desktest::Drain();
  EXPECT_EQ(Codes(), std::vector<int>{6});
  SendMessage(b, MSG_MOUSEENTER, 0, 0);
  EXPECT_EQ(Codes(), std::vector<int>{7}) << "the 49 sent to itself is swallowed";
  EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
  SendMessage(b, MSG_SETFOCUS, 0, 0);
  EXPECT_EQ(Codes(), std::vector<int>{6}) << "the marker was spent by the echo";
}

TEST_F(Buttons, TipsOfferCutCaptions) {
  WindowHandle shortOne = Make(BS_PUSHBUTTON, "OK");
  WindowHandle longOne = Add("button", BS_PUSHBUTTON, kId + 1, 20, 60, "A caption far too long for the button", 60);
  WindowHandle always = Add("button", BS_CHECKBOX | BS_TIPALWAYS, kId + 2, 20, 100, "Tip");
  EXPECT_EQ(SendMessage(shortOne, MSG_TIPQUERY, 0, 0), 0);
  EXPECT_EQ(SendMessage(longOne, MSG_TIPQUERY, 0, 0), 2);
  EXPECT_EQ(SendMessage(always, MSG_TIPQUERY, 0, 0), 1);
  BubbleTipExchange tip{8, 4, ""};
  EXPECT_EQ(SendMessage(longOne, MSG_TIPTEXT, reinterpret_cast<WParam>(&tip), 0), 7);
  EXPECT_STREQ(tip.text, "A capti") << "cut to the buffer and terminated";
  EXPECT_EQ(tip.flags, 2u) << "the list view's kind 4 of an earlier answer is gone";
  tip.bufferSize = 0xFFFFFFFFu;
  EXPECT_EQ(SendMessage(longOne, MSG_TIPTEXT, reinterpret_cast<WParam>(&tip), 0), 37) << "bounded by the record";
}

TEST_F(Buttons, AutoSizeFollowsTheSkinAndCaption) {
  WindowHandle noImage = Make(BS_BITMAPBUTTON);
  Rect req{0, 0, 50, 50}, out{};
  EXPECT_EQ(SendMessage(noImage, MSG_SIZECHANGING, reinterpret_cast<WParam>(&req), reinterpret_cast<LParam>(&out)), -1);
  EXPECT_EQ(SendMessage(noImage, MSG_CALCCLIENTRECT, reinterpret_cast<WParam>(&req), reinterpret_cast<LParam>(&out)),
            -1);
  WindowHandle check = Add("button", BS_AUTOCHECKBOX | BS_AUTOSIZE, kId + 1, 20, 60, "");
  const Bitmap* skin = GetStockBitmap("checkbox", -1, -1);
  ASSERT_NE(skin, nullptr);
  out = Rect{};
  EXPECT_EQ(SendMessage(check, MSG_SIZECHANGING, reinterpret_cast<WParam>(&req), reinterpret_cast<LParam>(&out)), 0);
  EXPECT_EQ(out.right - out.left, static_cast<int>(skin->bmWidth) / 2) << "one cell without a caption";
  EXPECT_EQ(out.bottom - out.top, static_cast<int>(skin->bmHeight) / 2);
}

// A picture button shows its second pair, the hover background, while the
// pointer is over it (the message that marks it focused), and its first
// pair again when the pointer leaves.
TEST_F(Buttons, PictureButtonsShowTheHoverPairUnderThePointer) {
  const GalPixel normal = guitest::Rgb(10, 20, 30), hover = guitest::Rgb(200, 120, 40), face = guitest::Rgb(0, 0, 250);
  guitest::SolidBitmap back(40, 20, {{normal}}), lit(40, 20, {{hover}}), fore(10, 10, {{face}});
  WindowHandle b = Add("button", BS_BITMAPBUTTON, kId, 20, 20, "", 40, 20);
  SetCtrlBitmaps(b, &fore.Get(), &back.Get(), 1);
  SetCtrlBitmaps(b, &fore.Get(), &lit.Get(), 2);
  auto corner = [&] {
    InvalidateRect(b, nullptr, TRUE);
    desktest::Drain();
    int x = 35, y = 15;  // beside the face, on the background
    ClientToScreen(b, &x, &y);
    return GetPixel(HDC_SCREEN, x, y);
  };
  EXPECT_EQ(corner(), normal);
  SendMessage(b, MSG_MOUSEENTER, 1, 0);
  EXPECT_EQ(corner(), hover);
  SendMessage(b, MSG_MOUSEENTER, 0, 0);
  EXPECT_EQ(corner(), normal);
}

// Disabled, a picture button shows its third pair, foreground included;
// one without a third pair keeps its first background. Enabled again, both
// show the first pair.
TEST_F(Buttons, PictureButtonsShowTheDisabledPairWhileDisabled) {
  const GalPixel normal = guitest::Rgb(10, 20, 30), grey = guitest::Rgb(90, 90, 90), greyFace = guitest::Rgb(0, 250, 0);
  guitest::SolidBitmap back(40, 20, {{normal}}), greyBack(40, 20, {{grey}}), face(10, 10, {{guitest::Rgb(0, 0, 250)}}),
      greyFore(10, 10, {{greyFace}});
  WindowHandle full = Add("button", BS_BITMAPBUTTON, kId, 20, 20, "", 40, 20);
  WindowHandle plain = Add("button", BS_BITMAPBUTTON, kId + 1, 20, 60, "", 40, 20);
  for (WindowHandle b : {full, plain}) SetCtrlBitmaps(b, &face.Get(), &back.Get(), 1);
  SetCtrlBitmaps(full, &greyFore.Get(), &greyBack.Get(), 3);
  auto pixel = [&](WindowHandle b, int x, int y) {
    InvalidateRect(b, nullptr, TRUE);
    desktest::Drain();
    ClientToScreen(b, &x, &y);
    return GetPixel(HDC_SCREEN, x, y);
  };
  for (WindowHandle b : {full, plain}) EnableWindow(b, FALSE);
  EXPECT_EQ(pixel(full, 35, 15), grey);
  EXPECT_EQ(pixel(full, 5, 5), greyFace);
  EXPECT_EQ(pixel(plain, 35, 15), normal);
  EXPECT_EQ(pixel(plain, 5, 5), normal) << "the first pair's foreground is no disabled picture";
  for (WindowHandle b : {full, plain}) EnableWindow(b, TRUE);
  EXPECT_EQ(pixel(full, 35, 15), normal);
  EXPECT_EQ(pixel(full, 5, 5), normal);
}

// Buttons register no cursor of their own: over one the pointer keeps the
// default cursor instead of vanishing.
TEST_F(Buttons, ThePointerStaysDrawnOverAButton) {
  WindowHandle b = Make(BS_PUSHBUTTON);
  SetCursor(GetSystemCursor(0));
  SendMessage(b, MSG_SETCURSOR, 0, 0);  // as the pointer comes over it
  EXPECT_NE(GetCurrentCursor(), 0u);
}

}  // namespace

namespace {

// A focused check box shows the outline round its cell on every side, the
// side where the cell meets the button's edge as well; without the focus
// no outline shows.
TEST_F(Buttons, TheFocusOutlineOfACheckBoxShowsAtTheButtonsEdgeToo) {
  WindowHandle b = Make(BS_AUTOCHECKBOX, "Box");
  Rect c{};
  GetClientRect(b, &c);
  const auto litInLeftColumn = [&] {
    InvalidateRect(b, nullptr, TRUE);
    desktest::Drain();
    int lit = 0;
    for (int y = c.top; y < c.bottom; ++y) {
      int x = c.left, sy = y;
      ClientToScreen(b, &x, &sy);
      lit += GetPixel(HDC_SCREEN, x, sy) == WinElementColors[WEC_FRAME_CONTROL_HILITE];
    }
    return lit;
  };
  EXPECT_EQ(litInLeftColumn(), 0) << "no focus, no outline";
  SetFocusChild(b);
  EXPECT_GT(litInLeftColumn(), 2) << "the outline's left side";
}

}  // namespace

// The static's answers: hit tests, click notifications, images, tips and
// the styles and colours its kinds take on creation.
#include <gtest/gtest.h>

#include "controls/painters/tests/page_fixture.h"
#include "gui/control_tip.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/image.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/static.h"

namespace {

class Statics : public pagetest::PageFixture {
 protected:
  std::vector<int> Codes(int id) {
    std::vector<int> out;
    for (WParam w : Commands())
      if (static_cast<int>(w & 0xFFFF) == id) out.push_back(static_cast<int>(w >> 16));
    return out;
  }
};

TEST_F(Statics, ClicksAreReportedAndHitOnlyWithTheNotifyStyle) {
  WindowHandle quiet = Add("static", SS_LEFT, 1, 10, 10, "Quiet");
  WindowHandle loud = Add("static", SS_LEFT | SS_NOTIFY, 2, 10, 40, "Loud");
  WindowHandle group = Add("static", SS_GROUPBOX | SS_NOTIFY, 3, 10, 70, "Group");
  EXPECT_EQ(SendMessage(quiet, MSG_HITTEST, 0, 0), HT_OUT);
  EXPECT_EQ(SendMessage(loud, MSG_HITTEST, 0, 0), HT_CLIENT);
  EXPECT_EQ(SendMessage(group, MSG_HITTEST, 0, 0), HT_TRANSPARENT);
  for (WindowHandle s : {quiet, loud}) {
    SendMessage(s, MSG_LBUTTONDOWN, 0, 0);
    SendMessage(s, MSG_LBUTTONDBLCLK, 0, 0);
  }
  desktest::Drain();
  const std::vector<WParam> all = Commands();
  std::vector<WParam> expected = {(static_cast<WParam>(STN_CLICKED) << 16) | 2, (static_cast<WParam>(STN_DBLCLK) << 16) | 2};
  EXPECT_EQ(all, expected);
  EXPECT_EQ(SendMessage(loud, MSG_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(Statics, KindsTakeTheirStylesAndColoursOnCreation) {
  WindowHandle gray = Add("static", SS_GRAYTEXT, 1, 10, 10, "Gray");
  EXPECT_EQ(GetWindowStyle(gray) & (SS_DISABLEDTEXT | SS_ELLIPSIS), SS_DISABLEDTEXT | SS_ELLIPSIS);
  EXPECT_EQ(GetWindowBkColor(Add("static", SS_WHITERECT, 2, 10, 40)), WinElementColors[WEC_BKC_MENUITEM_NORMAL]);
  EXPECT_EQ(GetWindowBkColor(Add("static", SS_GRAYRECT, 3, 10, 70)), WinElementColors[WEC_BKC_CONTROL_SELECTED]);
  WindowHandle text = Add("static", SS_LEFT, 4, 10, 100, "Text");
  EXPECT_EQ(GetWindowBkColor(text), WinElementColors[WEC_BKC_CONTROL_NORMAL]) << "the class colour";
  SendMessage(text, MSG_SETBKCOLOR, 0, 0x123456);
  EXPECT_EQ(GetWindowBkColor(text), 0x123456u);
  EnableWindow(text, FALSE);
  desktest::Drain();
  EXPECT_NE(GetWindowStyle(text) & WS_DISABLED, 0u);
  EnableWindow(text, TRUE);
  desktest::Drain();
  EXPECT_EQ(GetWindowStyle(text) & WS_DISABLED, 0u);
}

TEST_F(Statics, ImagesAreSwappedAndReturned) {
  Bitmap first{}, second{};
  WindowHandle picture = CreateWindowEx("static", "", SS_BITMAP | WS_VISIBLE, 0, 1, 10, 10, 40, 40, page_,
                                        reinterpret_cast<LParam>(&first));
  EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, 0, 0), reinterpret_cast<LParam>(&first));
  EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, reinterpret_cast<WParam>(&second), 0), reinterpret_cast<LParam>(&first));
  EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, 0, 0), reinterpret_cast<LParam>(&second));
}

// A real-size icon sits at the corner or, with the centring style, in the
// middle of its 40 x 40 static; the 16 x 16 icon here is all white.
TEST_F(Statics, RealSizeIconsSitAtTheCornerOrInTheMiddle) {
  std::vector<uint8_t> andBits(64, 0), xorBits(64, 0xFF);
  const GalColor white[2] = {{255, 255, 255, 0}, {255, 255, 255, 0}};
  const HICON icon = CreateIconEx(HDC_SCREEN, 16, 16, andBits.data(), xorBits.data(), 1, white);
  ASSERT_NE(icon, 0u);
  const struct {
    uint32_t style;
    int firstInk, lastInk;  // along the diagonal
  } cases[] = {{SS_ICON | SS_REALSIZEIMAGE, 0, 15}, {SS_ICON | SS_REALSIZEIMAGE | SS_CENTERIMAGE, 12, 27}};
  int id = 1;
  for (const auto& c : cases) {
    WindowHandle s = CreateWindowEx("static", "", c.style | WS_VISIBLE, 0, id++, 10, 10, 40, 40, page_,
                                    static_cast<LParam>(icon));
    SetWindowBkColor(s, guitest::Rgb(0, 0, 80));
    UpdateWindow(s, TRUE);
    desktest::Drain();
    int first = -1, last = -1;
    for (int d = 0; d < 40; ++d) {
      int x = d, y = d;
      ClientToScreen(s, &x, &y);
      uint8_t r = 0, g = 0, b = 0;
      GetPixelRGB(HDC_SCREEN, x, y, &r, &g, &b);
      if (r == 255 && g == 255 && b == 255) {
        if (first < 0) first = d;
        last = d;
      }
    }
    EXPECT_EQ(first, c.firstInk) << std::hex << c.style;
    EXPECT_EQ(last, c.lastInk) << std::hex << c.style;
    DestroyWindow(s);
  }
  DestroyIcon(icon);
}

TEST_F(Statics, TipsOfferCutTextsAndCopyWithinTheBuffer) {
  const char* longText = "A label much wider than its control";
  struct Row {
    uint32_t style;
    const char* text;
    int width;
    LResult answer;
  } rows[] = {
      {SS_LEFT, longText, 60, 0},                  // no ellipsis: never a tip
      {SS_LEFT | SS_ELLIPSIS, longText, 60, 2},
      {SS_LEFT | SS_ELLIPSIS, "Hi", 60, 0},
      {SS_GRAYTEXT, "Hi", 60, 0},
      {SS_GRAYTEXT, longText, 60, 2},
      {SS_EDITFRAME | SS_ELLIPSIS, longText, 400, 0},
  };
  int id = 10;
  for (const Row& r : rows) {
    WindowHandle s = Add("static", r.style, ++id, 10, 10, r.text, r.width);
    EXPECT_EQ(SendMessage(s, MSG_TIPQUERY, 0, 0), r.answer) << std::hex << r.style << " " << r.text;
    DestroyWindow(s);
  }
  WindowHandle s = Add("static", SS_LEFT, 1, 10, 10, "Twelve chars");
  BubbleTipExchange tip{6, 0xFF, "-----"};
  EXPECT_EQ(SendMessage(s, MSG_TIPTEXT, reinterpret_cast<WParam>(&tip), 0), 5);
  EXPECT_STREQ(tip.text, "Twelv");
  EXPECT_EQ(tip.flags, 0xF2u) << "bits 0x0D cleared, 0x2 set";
  EXPECT_EQ(SendMessage(s, MSG_TIPTEXT, 0, 0), 0);
}

}  // namespace

// Frames, captions and scroll bars on a started toolkit: the pixels they
// are drawn with, the hit codes of every part, and mouse tracking on the
// bars with its notifications and auto-repeat.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <algorithm>

#include "core/nonclient/nc_paint.h"
#include "core/nonclient/tests/started_gui.h"
#include "core/window/auto_repeat.h"
#include "core/window/default_proc_internal.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/control_class.h"
#include "gui/window_attr.h"

namespace {

using guitest::Rgb;
using guitest::SolidBitmap;

constexpr int kNcDown = 10, kNcUp = 11, kNcMove = 13;

class Frames : public guitest::StartedGui {
 protected:
  void SetUp() override {
    PutStockBitmapForTest("caption", false, caption_.Get());
    PutSystemBitmapForTest(0, false, buttons_.Get());
    PutSystemBitmapForTest(1, false, arrows_.Get());
  }
  void TearDown() override {
    guitest::StartedGui::TearDown();
    PutStockBitmapForTest("caption", false, Bitmap{});
    PutSystemBitmapForTest(0, false, Bitmap{});
    PutSystemBitmapForTest(1, false, Bitmap{});
  }
  GalPixel Px(int x, int y) { return GetPixel(HDC_SCREEN, x, y); }
  int Hit(WindowHandle hwnd, int x, int y) { return static_cast<int>(SendMessage(hwnd, MSG_HITTEST, x, y)); }

  const GalPixel skin_ = Rgb(200, 10, 10);
  const GalPixel maxCell_ = Rgb(10, 200, 10), minCell_ = Rgb(10, 10, 200), restoreCell_ = Rgb(200, 200, 10),
                 closeCell_ = Rgb(200, 10, 200);
  const GalPixel up_ = Rgb(1, 2, 3), down_ = Rgb(4, 5, 6), left_ = Rgb(7, 8, 9), right_ = Rgb(10, 11, 12),
                 dim_ = Rgb(13, 14, 15);
  SolidBitmap caption_{30, 24, {{skin_}}};
  SolidBitmap buttons_{20, 20, {{maxCell_, minCell_, restoreCell_, closeCell_}}};
  SolidBitmap arrows_{16, 16, {{up_, down_, left_, right_}, {dim_, dim_, dim_, dim_}}};
};

// Border 3, caption 24 (the skin's height), bars 16, buttons 20 wide with
// 2-pixel gaps, as the configuration and the skins above give them.
TEST_F(Frames, CaptionBorderAndBarsAreDrawnAndHitWherePlaced) {
  WindowHandle hwnd = Main({100, 100, 400, 300}, WS_CAPTION | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_MAXIMIZEBOX, "");
  ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
  desktest::Drain();

  Rect client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 300 - 6 - 16);
  EXPECT_EQ(client.bottom, 200 - 6 - 24 - 16);

  EXPECT_EQ(Px(100, 150), WinElementColors[WEC_FRAME_BORDER]);
  EXPECT_EQ(Px(101, 150), WinElementColors[WEC_FRAME_BORDER]);
  EXPECT_EQ(Px(102, 150), WinElementColors[WEC_FRAME_BORDER_OUTER]);
  EXPECT_EQ(Px(110, 108), skin_);
  EXPECT_EQ(Px(250, 125), skin_);
  EXPECT_EQ(Px(386, 113), closeCell_);
  EXPECT_EQ(Px(362, 113), maxCell_);

  EXPECT_EQ(Px(385, 131), up_);
  EXPECT_EQ(Px(385, 270), down_);
  EXPECT_EQ(Px(384, 146), WinElementColors[WEC_BKC_SCROLL_SPIN]);  // thumb below the up arrow
  EXPECT_EQ(Px(389, 200), WinElementColors[WEC_BKC_SCROLL_HILITE]);
  EXPECT_EQ(Px(385, 285), WinElementColors[WEC_BKC_SCROLL_HILITE]);  // the corner square
  EXPECT_EQ(Px(107, 285), left_);
  EXPECT_EQ(Px(122, 284), Rgb(16, 16, 16));

  const struct {
    int x, y, code;
  } hits[] = {
      {386, 113, HT_CLOSEBUTTON}, {362, 113, HT_MAXBUTTON}, {250, 110, HT_CAPTION}, {389, 200, HT_VSCROLL},
      {200, 290, HT_HSCROLL},     {101, 200, 37},           {250, 299, 36},         {399, 299, 42},
      {101, 101, 39},             {200, 200, HT_CLIENT},    {50, 50, HT_OUT},
  };
  for (const auto& h : hits) EXPECT_EQ(Hit(hwnd, h.x, h.y), h.code) << h.x << "," << h.y;
}

// Nothing draws a hidden control's frame: showing it draws the frame whole,
// with the bar as it was set while hidden.
TEST_F(Frames, AControlShownDrawsTheBarItWasGivenWhileHidden) {
  WindowHandle main = Main({100, 100, 400, 300}, 0, "");
  WndClassInfo info{};
  info.className = "framed";
  info.windowProc = DefaultControlProc;
  RegisterWindowClass(&info);
  WindowHandle ctl = CreateWindowEx("framed", "", WS_VSCROLL, 0, 1, 10, 10, 100, 100, main, 0);
  ASSERT_NE(ctl, GUI_INVALID_HANDLE);
  ScrollInfo bar{sizeof(ScrollInfo), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0};
  SetScrollInfo(ctl, SB_VERT, &bar, TRUE);
  desktest::Drain();
  int x = 110 - 8, y = 10 + 5;  // inside the up arrow, in the main window's client
  ClientToScreen(main, &x, &y);
  EXPECT_NE(Px(x, y), up_);
  ShowWindow(ctl, SW_SHOW);
  desktest::Drain();
  EXPECT_EQ(Px(x, y), up_);
  DestroyWindow(ctl);
  UnregisterWindowClass("framed");
}

TEST_F(Frames, WithoutCloseButtonTheMaximizeButtonTakesItsPlace) {
  WindowHandle hwnd = Main({100, 100, 400, 300}, WS_CAPTION | WS_BORDER | WS_MAXIMIZEBOX | WS_MINIMIZEBOX, "",
                           WS_EX_NOCLOSEBOX);
  EXPECT_EQ(Hit(hwnd, 386, 113), HT_MAXBUTTON);
  EXPECT_EQ(Hit(hwnd, 362, 113), HT_MINBUTTON);
}

// The caption text sits in the middle of the bar: its ink spreads evenly
// about the window's centre column (250).
TEST_F(Frames, CaptionTextIsCentredOnItsMeasuredWidth) {
  WindowHandle hwnd = Main({100, 100, 400, 300}, WS_CAPTION | WS_BORDER, "Camera settings", WS_EX_NOCLOSEBOX);
  ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
  desktest::Drain();
  int left = 400, right = 0;
  for (int y = 103; y < 127; ++y)
    for (int x = 103; x < 397; ++x)
      if (Px(x, y) != skin_) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_LT(left, right) << "the caption was drawn";
  EXPECT_LT(left, 230);
  EXPECT_NEAR((left + right) / 2, 250, 3);
}

// A repaint of part of the frame (what a window above uncovered) draws that
// part exactly as a repaint of the whole frame draws it and leaves the rest
// alone: corners, border lines, caption, buttons and bars are left out only
// where the part misses them.
TEST_F(Frames, APartOfTheFrameRepaintsAsTheWholeFrameDrawsIt) {
  const SolidBitmap corners{6, 6, {{Rgb(90, 1, 1), Rgb(1, 90, 1)}, {Rgb(1, 1, 90), Rgb(90, 90, 1)}}};
  PutStockBitmapForTest("corners", false, corners.Get());
  const Rect whole{100, 100, 400, 300};
  const GalPixel marker = Rgb(1, 99, 1);
  auto paintPart = [&](WindowHandle hwnd, const Rect& part) {
    SetDCAttr(HDC_SCREEN, DC_ATTR_BRUSH_COLOR, marker);
    FillBox(HDC_SCREEN, whole.left, whole.top, whole.right - whole.left, whole.bottom - whole.top);
    RepaintFramePart(desktest::Rec(hwnd), part);
    std::vector<GalPixel> shown;
    for (int y = whole.top; y < whole.bottom; ++y)
      for (int x = whole.left; x < whole.right; ++x) shown.push_back(Px(x, y));
    return shown;
  };
  // Screen coordinates: each corner piece, single lines along every edge
  // (the outermost and the innermost border line), the caption band under
  // its text and over its buttons, an L's bound, the bars, the client, the
  // far pixels of the corner pieces and more than the window.
  const Rect parts[] = {{100, 100, 108, 108}, {392, 100, 400, 108}, {100, 292, 108, 300}, {392, 292, 400, 300},
                        {150, 100, 160, 101}, {150, 299, 160, 300}, {100, 150, 101, 160}, {399, 150, 400, 160},
                        {102, 150, 103, 160}, {397, 150, 398, 160}, {200, 105, 300, 120}, {355, 103, 399, 126},
                        {100, 100, 400, 110}, {100, 100, 110, 300}, {380, 130, 400, 300}, {150, 280, 250, 300},
                        {150, 150, 250, 250}, {105, 296, 106, 297}, {396, 296, 397, 297}, {99, 99, 401, 301}};
  for (uint32_t bars : {0u, static_cast<uint32_t>(WS_VSCROLL | WS_HSCROLL)}) {
    WindowHandle hwnd = Main(whole, WS_CAPTION | WS_BORDER | WS_MAXIMIZEBOX | bars, "Camera settings");
    ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
    desktest::Drain();
    const std::vector<GalPixel> drawn = paintPart(hwnd, whole);
    for (const Rect& part : parts) {
      const std::vector<GalPixel> shown = paintPart(hwnd, part);
      int wrong = 0;
      for (int y = whole.top; y < whole.bottom; ++y)
        for (int x = whole.left; x < whole.right; ++x) {
          const size_t at = static_cast<size_t>(y - whole.top) * (whole.right - whole.left) + (x - whole.left);
          const bool inPart = x >= part.left && x < part.right && y >= part.top && y < part.bottom;
          if (shown[at] != (inPart ? drawn[at] : marker) && wrong++ < 3)
            ADD_FAILURE() << "bars " << bars << ", part (" << part.left << "," << part.top << ")-(" << part.right
                          << "," << part.bottom << ") at (" << x << "," << y << ")";
        }
      EXPECT_EQ(wrong, 0);
    }
    DestroyMainWindow(hwnd);
    desktest::Drain();
  }
  PutStockBitmapForTest("corners", false, Bitmap{});
}

// A border metric may be any int: one wider than the window draws what a
// border just one ring wider than the window draws (the rings past it
// never show), in the time that one takes; a negative one draws no border
// and leaves the client as none does.
TEST_F(Frames, BordersWiderThanTheWindowDrawAsOneJustWiderThanIt) {
  const Rect whole{100, 100, 401, 300};  // 301 wide
  const GalPixel marker = Rgb(1, 99, 1);
  struct Drawn {
    std::vector<GalPixel> pixels;
    Rect client;
  };
  auto draw = [&](uint32_t style, int index, int32_t metric) {
    const int32_t saved = WinMainMetrics[index];
    WinMainMetrics[index] = metric;
    WindowHandle hwnd = Main(whole, style, "");
    Drawn out{};
    if (hwnd == GUI_INVALID_HANDLE) {
      ADD_FAILURE() << "no window with metric " << metric;
    } else {
      desktest::Drain();
      SetDCAttr(HDC_SCREEN, DC_ATTR_BRUSH_COLOR, marker);
      FillBox(HDC_SCREEN, whole.left, whole.top, whole.right - whole.left, whole.bottom - whole.top);
      RepaintFramePart(desktest::Rec(hwnd), whole);
      for (int y = whole.top; y < whole.bottom; ++y)
        for (int x = whole.left; x < whole.right; ++x) out.pixels.push_back(Px(x, y));
      GetClientRect(hwnd, &out.client);
      DestroyMainWindow(hwnd);
      desktest::Drain();
    }
    WinMainMetrics[index] = saved;
    return out;
  };
  const struct {
    uint32_t style;
    int index;
  } frames[] = {{WS_BORDER, WEM_BORDER}, {WS_THICKFRAME, WEM_THICKFRAME}};
  for (const auto& f : frames) {
    const Drawn wider = draw(f.style, f.index, 302);
    const Drawn none = draw(f.style, f.index, 0);
    EXPECT_NE(wider.pixels, none.pixels);
    for (int32_t metric : {1 << 16, 1 << 20, INT_MAX})
      EXPECT_TRUE(draw(f.style, f.index, metric).pixels == wider.pixels) << f.style << " " << metric;
    for (int32_t metric : {-1, INT_MIN}) {
      const Drawn negative = draw(f.style, f.index, metric);
      EXPECT_TRUE(negative.pixels == none.pixels) << f.style << " " << metric;
      EXPECT_EQ(negative.client.right, none.client.right) << f.style << " " << metric;
      EXPECT_EQ(negative.client.bottom, none.client.bottom) << f.style << " " << metric;
    }
  }
}

// Peak resident memory of the process so far, in kB.
long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// A window moved out to 2^31 pixels wide draws its caption band where the
// screen shows it, as fast and in as little memory as a screen-wide one:
// the skin's tiles are planned only inside the band's clip.
TEST_F(Frames, HugeWindowsDrawTheCaptionBandTheScreenShows) {
  const struct {
    int x, w, h;
    uint32_t style;
  } moves[] = {{0, INT_MAX, 200, 0},
               {-1000000, INT_MAX, 200, 0},
               {-100000000, 1 << 30, 200, 0},
               {0, INT_MAX, INT_MAX, WS_VSCROLL | WS_HSCROLL | WS_THICKFRAME | WS_MINIMIZEBOX}};
  const long before = PeakResidentKb();
  for (const auto& m : moves) {
    WindowHandle hwnd = Main({100, 100, 400, 300}, WS_CAPTION | WS_BORDER | WS_MAXIMIZEBOX | m.style, "Huge");
    ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
    ASSERT_TRUE(MoveWindow(hwnd, m.x, 0, m.w, m.h, TRUE));
    desktest::Drain();
    Rect r{};
    GetWindowRect(hwnd, &r);
    ASSERT_GT(r.right, 1000) << m.x;
    // Border 3, caption 24: the band runs along y 3..26 across the screen.
    for (int x : {std::max(r.left, 0) + 3, 500, 1000}) EXPECT_EQ(Px(x, 14), skin_) << m.x << " at " << x;
    DestroyMainWindow(hwnd);
    desktest::Drain();
  }
  EXPECT_LT(PeakResidentKb() - before, 64 * 1024) << "kB more at the peak";
}

TEST_F(Frames, WindowsGrowToTheLeastTheirBarsNeed) {
  WindowHandle hwnd = Main({10, 10, 20, 20}, WS_VSCROLL);
  Rect r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.bottom - r.top, 2 * (16 + 8));
  EXPECT_EQ(r.right - r.left, 16 + 40);
}

// A bar-only window (100,100)-(400,300): the bar is x 384..399, arrows 16
// high, track 168 pixels; range 0..100 with page 10 gives a 17-pixel thumb.
class Tracking : public Frames {
 protected:
  void SetUp() override {
    Frames::SetUp();
    hwnd_ = Main({100, 100, 400, 300}, WS_VSCROLL);
    SetWindowCallbackProc(hwnd_, guitest::InjectedTicksOnlyProc);
    ScrollInfo info{sizeof(ScrollInfo), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
    Received(hwnd_, MSG_VSCROLL);
  }
  void Mouse(int msg, int y) { PostMessage(hwnd_, msg, HT_VSCROLL, PackPoint(390, y)); }
  std::vector<WParam> Actions() {
    std::vector<WParam> out;
    for (const SeenMessage& m : Received(hwnd_, MSG_VSCROLL)) out.push_back(m.wParam);
    return out;
  }
  WindowHandle hwnd_ = 0;
};

TEST_F(Tracking, ArrowRepeatsWhileHeldAndEndsOnRelease) {
  Mouse(kNcDown, 105);  // up arrow at the minimum
  EXPECT_TRUE(Actions().empty());
  EXPECT_FALSE(AutoRepeatIsSet());
  Mouse(kNcUp, 105);
  EXPECT_TRUE(Actions().empty());

  Mouse(kNcDown, 295);
  EXPECT_EQ(Actions(), std::vector<WParam>{SB_LINEDOWN});
  Message repeat = AutoRepeatMessage();
  EXPECT_EQ(repeat.hwnd, hwnd_);
  EXPECT_EQ(repeat.message, MSG_VSCROLL);
  guitest::InjectTick(hwnd_);
  std::vector<WParam> repeated = Actions();
  ASSERT_FALSE(repeated.empty());
  for (WParam a : repeated) EXPECT_EQ(a, static_cast<WParam>(SB_LINEDOWN));

  Mouse(kNcUp, 295);
  EXPECT_EQ(Actions().back(), static_cast<WParam>(SB_ENDSCROLL));
  EXPECT_FALSE(AutoRepeatIsSet());
  guitest::InjectTick(hwnd_);
  EXPECT_TRUE(Actions().empty());

  Mouse(kNcDown, 250);  // the track below the thumb
  Mouse(kNcUp, 250);
  EXPECT_EQ(Actions(), (std::vector<WParam>{SB_PAGEDOWN, SB_ENDSCROLL}));
}

TEST_F(Tracking, ThumbDragTellsThePositionOnlyWhenMoved) {
  Mouse(kNcDown, 120);
  Mouse(kNcUp, 120);
  EXPECT_TRUE(Actions().empty());

  Mouse(kNcDown, 120);
  Mouse(kNcMove, 140);
  Mouse(kNcMove, 162);
  EXPECT_TRUE(Actions().empty());
  Mouse(kNcUp, 162);
  std::vector<SeenMessage> got = Received(hwnd_, MSG_VSCROLL);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wParam, static_cast<WParam>(SB_THUMBPOSITION));
  EXPECT_EQ(got[0].lParam, 101 * 42 / 168);
}

TEST_F(Tracking, RangesAreOrderedClampedAndAnEmptyOneHidesTheBar) {
  int lo = 0, hi = 0, pos = 0;
  EXPECT_TRUE(SetScrollPos(hwnd_, SB_VERT, 200));
  GetScrollPos(hwnd_, SB_VERT, &pos);
  EXPECT_EQ(pos, 91);
  EXPECT_TRUE(SetScrollRange(hwnd_, SB_VERT, 50, 10));
  GetScrollRange(hwnd_, SB_VERT, &lo, &hi);
  EXPECT_EQ(lo, 10);
  EXPECT_EQ(hi, 50);
  EXPECT_FALSE(SetScrollPos(hwnd_, SB_HORZ, 1));  // no such bar
  EXPECT_EQ(Hit(hwnd_, 390, 200), HT_VSCROLL);
  SetScrollRange(hwnd_, SB_VERT, 7, 7);
  EXPECT_NE(Hit(hwnd_, 390, 200), HT_VSCROLL);
  EXPECT_FALSE(EnableScrollBar(hwnd_, SB_VERT, TRUE));  // already enabled
}

// Pages of 10^9 and more are measured without wrapping; a page wider than
// the range fills the track and no more.
TEST_F(Tracking, HugePagesGiveThumbsInProportion) {
  const struct {
    int maximum, page, thumb;
  } rows[] = {{2000000000, 1000000000, 84}, {1, INT_MAX, 168}, {INT_MAX - 1, INT_MAX / 4, 42}};
  for (const auto& r : rows) {
    ScrollInfo info{sizeof(ScrollInfo), SIF_RANGE | SIF_PAGE | SIF_POS, 0, r.maximum, r.page, 0};
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
    EXPECT_EQ(desktest::Rec(hwnd_)->vscroll.thumbLength, r.thumb) << r.maximum << " " << r.page;
  }
}

TEST_F(Tracking, ScrollingAWindowMovesTheChildrenTheClipRectangleHolds) {
  WndClassInfo info{};
  info.className = "scrolled";
  info.windowProc = DefaultControlProc;
  RegisterWindowClass(&info);
  WindowHandle inside = CreateWindowEx("scrolled", "", WS_VISIBLE, 0, 1, 10, 10, 20, 20, hwnd_, 0);
  WindowHandle outside = CreateWindowEx("scrolled", "", WS_VISIBLE, 0, 2, 100, 10, 20, 20, hwnd_, 0);
  Rect clip{0, 0, 50, 50};
  ScrollWindow(hwnd_, 4, -6, nullptr, &clip);
  Rect a{}, b{};
  GetWindowRect(inside, &a);
  GetWindowRect(outside, &b);
  EXPECT_EQ(a.left, 14);
  EXPECT_EQ(a.top, 4);
  EXPECT_EQ(b.left, 100);
  DestroyWindow(inside);
  DestroyWindow(outside);
  UnregisterWindowClass("scrolled");
}

}  // namespace

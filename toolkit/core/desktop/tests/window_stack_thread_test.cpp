// Show, hide, raise, activate, capture, enable and move of main windows:
// the messages each window gets, the stacking order and the visible regions
// afterwards.
#include "core/desktop/tests/desktop_fixture.h"
#include "core/livevideo/display_switch.h"
#include "gui/desktop.h"

namespace desktest {
namespace {

using Messages = std::vector<int>;
using Order = std::vector<WindowHandle>;

class Stack : public DesktopTest {
 protected:
  // back (0,0)-(200,200) below front (50,50)-(150,150), both visible,
  // front active; every message so far consumed.
  void MakeTwo() {
    back_ = Main({0, 0, 200, 200});
    front_ = Main({50, 50, 150, 150});
    Settle();
  }
  // Everything the two windows received, the queued part included.
  void Collect(Messages* back, Messages* front) {
    Drain();
    for (const Seen& s : Recorder::Instance().Take()) {
      if (s.hwnd == back_) back->push_back(s.message);
      if (s.hwnd == front_) front->push_back(s.message);
    }
  }
  WindowHandle back_ = 0, front_ = 0;
};

TEST_F(Stack, ClipRegionsAndThePointerFollowTheStack) {
  MakeTwo();
  EXPECT_EQ(ListOrder(MainDisplayList()), (Order{front_, back_}));
  EXPECT_TRUE(ClipHolds(front_, 50, 50));
  EXPECT_FALSE(ClipHolds(back_, 100, 100));
  EXPECT_TRUE(ClipHolds(back_, 150, 100));  // right edge of front: back's
  EXPECT_TRUE(ClipHolds(back_, 100, 150));
  EXPECT_FALSE(DesktopClipHolds(199, 199));
  EXPECT_TRUE(DesktopClipHolds(200, 10));
  EXPECT_EQ(WindowUnderPointer(149, 149), front_);
  EXPECT_EQ(WindowUnderPointer(150, 100), back_);  // a point on the right edge belongs to the window behind
  EXPECT_EQ(WindowUnderPointer(100, 150), back_);
  EXPECT_EQ(WindowUnderPointer(200, 100), 0u);
}

TEST_F(Stack, HideUncoversTheWindowBelowAndActivatesIt) {
  MakeTwo();
  uint32_t ageBefore = Rec(back_)->clipInfo->age;
  EXPECT_EQ(Request(MSG_DT_HIDEMAINWIN, front_), back_);
  Messages back, front;
  Collect(&back, &front);
  EXPECT_EQ(back, (Messages{MSG_NCPAINT, MSG_ERASEBKGND, MSG_ACTIVATE, MSG_NCACTIVATE, MSG_SETFOCUS, MSG_PAINT}));
  EXPECT_TRUE(front.empty());
  EXPECT_GT(Rec(back_)->clipInfo->age, ageBefore);
  EXPECT_TRUE(ClipHolds(back_, 100, 100));
  EXPECT_EQ(WindowUnderPointer(100, 100), back_);
  EXPECT_FALSE(Rec(front_)->style & WS_VISIBLE);
  // Hiding the last window leaves none active.
  EXPECT_EQ(Request(MSG_DT_HIDEMAINWIN, back_), 0u);
  EXPECT_TRUE(DesktopClipHolds(10, 10));
  EXPECT_EQ(WindowUnderPointer(10, 10), 0u);
}

TEST_F(Stack, ShowOfAWindowBelowTheActiveOneDoesNotActivateIt) {
  MakeTwo();
  Request(MSG_DT_HIDEMAINWIN, back_);
  Settle();
  EXPECT_EQ(Request(MSG_DT_SHOWMAINWIN, back_), 0u);
  Messages back, front;
  Collect(&back, &front);
  EXPECT_EQ(back, (Messages{MSG_NCPAINT, MSG_ERASEBKGND, MSG_PAINT}));
  EXPECT_TRUE(front.empty());
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), front_);
  EXPECT_FALSE(ClipHolds(back_, 100, 100));
  // Showing a visible window changes nothing.
  EXPECT_EQ(Request(MSG_DT_SHOWMAINWIN, back_), 0u);
  Collect(&back, &front);
  EXPECT_EQ(back.size(), 3u);
}

TEST_F(Stack, RaiseRepaintsTheCoveredPartAndActivates) {
  MakeTwo();
  EXPECT_EQ(Request(MSG_DT_MOVETOTOP, back_), 0u);
  Messages back, front;
  Collect(&back, &front);
  // No erase: what front covered is only invalidated.
  EXPECT_EQ(back, (Messages{MSG_NCPAINT, MSG_ACTIVATE, MSG_NCACTIVATE, MSG_SETFOCUS, MSG_PAINT}));
  EXPECT_EQ(front, (Messages{MSG_ACTIVATE, MSG_NCACTIVATE, MSG_KILLFOCUS}));
  EXPECT_EQ(ListOrder(MainDisplayList()), (Order{back_, front_}));
  EXPECT_TRUE(ClipHolds(back_, 100, 100));
  EXPECT_FALSE(ClipHolds(front_, 100, 100));
  EXPECT_EQ(WindowUnderPointer(100, 100), back_);
  // Raising the visible head answers the active window and does nothing.
  EXPECT_EQ(Request(MSG_DT_MOVETOTOP, back_), back_);
  Collect(&back, &front);
  EXPECT_EQ(back.size(), 5u);
}

TEST_F(Stack, NeverActivatedWindowIsShownButNotActivated) {
  back_ = Main({0, 0, 200, 200});
  front_ = Main({50, 50, 150, 150}, WS_VISIBLE, WS_EX_NOT_ACTIVATED);
  Settle();
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), back_);
  EXPECT_EQ(Request(MSG_DT_SETACTIVEMAIN, front_), back_);
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), back_);
  Request(MSG_DT_MOVETOTOP, front_);
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), back_);
}

TEST_F(Stack, ActivationNotifiesBothWindows) {
  MakeTwo();
  EXPECT_EQ(Request(MSG_DT_SETACTIVEMAIN, back_), front_);
  Drain();
  std::vector<Seen> seen = Recorder::Instance().Take();
  std::vector<Seen> expected = {{front_, MSG_ACTIVATE, 0}, {front_, MSG_NCACTIVATE, 0}, {front_, MSG_KILLFOCUS, back_},
                                {back_, MSG_ACTIVATE, 1},  {back_, MSG_NCACTIVATE, 1},  {back_, MSG_SETFOCUS, front_}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Request(MSG_DT_SETACTIVEMAIN, back_), back_);  // already active: nothing
  Drain();
  EXPECT_TRUE(Recorder::Instance().Take().empty());
}

TEST_F(Stack, TopmostWindowStaysAboveAndClipsTheDisplayList) {
  WindowHandle top = Main({0, 0, 100, 100}, WS_VISIBLE, WS_EX_TOPMOST);
  back_ = Main({50, 0, 200, 100});
  Settle();
  EXPECT_EQ(ListOrder(TopmostList()), Order{top});
  EXPECT_EQ(ListOrder(MainDisplayList()), Order{back_});
  EXPECT_FALSE(ClipHolds(back_, 60, 50));
  EXPECT_EQ(WindowUnderPointer(60, 50), top);
  EXPECT_EQ(GetNextMainWindow(0), top);
  EXPECT_EQ(GetNextMainWindow(top), back_);
  Request(MSG_DT_MOVETOTOP, back_);
  EXPECT_EQ(WindowUnderPointer(60, 50), top);
}

TEST_F(Stack, CaptureIsSetReleasedAndDroppedWithItsWindow) {
  MakeTwo();
  EXPECT_EQ(Request(MSG_DT_SETCAPTURE, back_), 0u);
  EXPECT_EQ(Request(MSG_DT_SETCAPTURE, front_), back_);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), front_);
  Request(MSG_DT_HIDEMAINWIN, front_);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  Request(MSG_DT_SETCAPTURE, back_);
  EXPECT_EQ(Request(MSG_DT_SETCAPTURE, 0), back_);
}

TEST_F(Stack, DisablingClearsActivationAndEnablingRepaintsTheFrame) {
  MakeTwo();
  EXPECT_EQ(Request(MSG_DT_ENABLEMAINWIN, front_, 0), 1u);
  EXPECT_EQ(Request(MSG_DT_ISENABLED, front_), 0u);
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), 0u);
  Messages back, front;
  Collect(&back, &front);
  EXPECT_EQ(front, (Messages{MSG_ACTIVATE, MSG_NCACTIVATE, MSG_KILLFOCUS}));
  EXPECT_EQ(Request(MSG_DT_ENABLEMAINWIN, front_, 0), 0u);  // already disabled
  EXPECT_EQ(Request(MSG_DT_ENABLEMAINWIN, front_, 1), 0u);
  Collect(&back, &front);
  EXPECT_EQ(front, (Messages{MSG_ACTIVATE, MSG_NCACTIVATE, MSG_KILLFOCUS, MSG_NCPAINT}));
}

TEST_F(Stack, MoveRepaintsWhatItUncoversAndReclips) {
  MakeTwo();
  Rect moved{300, 300, 400, 400};
  EXPECT_EQ(Request(MSG_DT_MOVEMAINWIN, front_, reinterpret_cast<LParam>(&moved)), 0u);
  Messages back, front;
  Collect(&back, &front);
  EXPECT_EQ(front, Messages{MSG_SIZECHANGED});
  EXPECT_EQ(back, (Messages{MSG_NCPAINT, MSG_ERASEBKGND, MSG_PAINT}));
  EXPECT_EQ(Rec(front_)->window.left, 300);
  EXPECT_TRUE(ClipHolds(back_, 100, 100));
  EXPECT_TRUE(ClipHolds(front_, 350, 350));
  EXPECT_FALSE(DesktopClipHolds(350, 350));
  EXPECT_EQ(WindowUnderPointer(350, 350), front_);
}

TEST_F(Stack, ControlWithItsOwnNodeIsStackedAndClippedLikeAMainWindow) {
  back_ = Main({0, 0, 200, 200});
  WindowHandle pop = Control(back_, {10, 10, 60, 60}, 1, 0, WS_EX_OWN_CLIPINFO);
  ASSERT_NE(pop, GUI_INVALID_HANDLE);
  EXPECT_EQ(ListOrder(MainDisplayList()), (Order{pop, back_}));
  EXPECT_EQ(GetNextMainWindow(0), back_);  // skipped by the main-window walk
  EXPECT_TRUE(ClipHolds(back_, 20, 20));
  Request(MSG_DT_SHOWCTRLWIN, pop);
  EXPECT_FALSE(ClipHolds(back_, 20, 20));
  EXPECT_TRUE(ClipHolds(pop, 20, 20));
  Request(MSG_DT_HIDECTRLWIN, pop);
  EXPECT_TRUE(ClipHolds(back_, 20, 20));
  // Its window raised above it meanwhile (a dialog shown after its
  // controls were made): shown again, the control still comes out on top.
  Request(MSG_DT_MOVETOTOP, back_);
  EXPECT_EQ(ListOrder(MainDisplayList()), (Order{back_, pop}));
  Request(MSG_DT_SHOWCTRLWIN, pop);
  EXPECT_EQ(ListOrder(MainDisplayList()), (Order{pop, back_}));
  EXPECT_TRUE(ClipHolds(pop, 20, 20));
  EXPECT_FALSE(ClipHolds(back_, 20, 20));
  EXPECT_TRUE(DestroyWindow(pop));
  EXPECT_EQ(ListOrder(MainDisplayList()), Order{back_});
}

TEST_F(Stack, PopupMenuIsCutOutOfEveryRegionUntilItCloses) {
  MakeTwo();
  PopupMenuHead menu{{120, 120, 240, 240}, front_, 3, 4};
  Request(MSG_DT_TRACKPOPUPMENU, 0, reinterpret_cast<LParam>(&menu));
  EXPECT_FALSE(ClipHolds(back_, 170, 170));
  EXPECT_FALSE(ClipHolds(front_, 130, 130));
  EXPECT_FALSE(DesktopClipHolds(220, 220));
  EXPECT_EQ(IsMenuPopup(getCurOutputHook()), 1);
  Settle();
  // A window request closes every menu first; the owner hears about it.
  Request(MSG_DT_SETACTIVEMAIN, back_);
  EXPECT_EQ(Request(MSG_DT_CLOSEMENU), 1u);
  EXPECT_EQ(Request(MSG_DT_CLOSEMENU), 0u);
  EXPECT_TRUE(ClipHolds(back_, 170, 170));
  EXPECT_TRUE(ClipHolds(front_, 130, 130));
  EXPECT_TRUE(DesktopClipHolds(220, 220));
  Drain();
  bool told = false;
  for (const Seen& s : Recorder::Instance().Take())
    if (s.hwnd == front_ && s.message == 65 && s.wParam == 3) told = true;
  EXPECT_TRUE(told);
}

}  // namespace
}  // namespace desktest

namespace desktest {
namespace {

using Messages = std::vector<int>;

using Requests = TwoWindows;

TEST_F(Requests, TrackingMovesTheFrameAndReportsWhereItEnded) {
  DragInfo drag{33, 10, 10};
  EXPECT_EQ(Request(MSG_DT_STARTDRAGWIN, back_, reinterpret_cast<LParam>(&drag)), 0u);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_STARTDRAGWIN, front_, reinterpret_cast<LParam>(&drag))), -1);
  Input(4, 1, PointParam(20, 15));
  Input(2, 0, PointParam(20, 15));  // any other input ends it
  Drain();
  std::vector<Seen> expected = {{back_, 81, (5u << 16) | 10u}};
  EXPECT_EQ(Recorder::Instance().Take(), expected);
  EXPECT_TRUE(ClipHolds(back_, 10, 10));  // the regions are free again

  // Cancelled: the next input only takes the frame away.
  EXPECT_EQ(Request(MSG_DT_STARTDRAGWIN, back_, reinterpret_cast<LParam>(&drag)), 0u);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_CANCELDRAGWIN, front_)), -1);
  EXPECT_EQ(Request(MSG_DT_CANCELDRAGWIN, back_), 0u);
  EXPECT_TRUE(ClipHolds(back_, 10, 10));
  Input(1, 0, PointParam(10, 10));
  Drain();
  EXPECT_TRUE(Recorder::Instance().Take().empty());
  Input(1, 0, PointParam(100, 100));
  Drain();
  expected = {{front_, 1 + 224, 0}};
  EXPECT_EQ(Recorder::Instance().Take(), expected);
}

// Creating a control is a window request like any other: it ends the
// tracking first, even though a control is linked on its own thread
// otherwise.
TEST_F(Requests, AControlMadeWhileTrackingEndsTheTrackingFirst) {
  DragInfo drag{33, 10, 10};
  ASSERT_EQ(Request(MSG_DT_STARTDRAGWIN, back_, reinterpret_cast<LParam>(&drag)), 0u);
  ASSERT_NE(Control(back_, {5, 5, 20, 20}, 7), GUI_INVALID_HANDLE);
  Drain();
  Messages back = Recorder::Instance().TakeFor(back_);
  ASSERT_NE(std::find(back.begin(), back.end(), 81), back.end());  // else its regions stay locked
  EXPECT_TRUE(ClipHolds(back_, 10, 10));
  WindowHandle after = Control(back_, {25, 5, 40, 20}, 8);
  ASSERT_NE(after, GUI_INVALID_HANDLE);
  EXPECT_EQ(GetParent(after), back_);
}

// The tracking frees exactly the regions it took, even when another
// output became current meanwhile (its list is then a different one).
TEST_F(Requests, TrackingReleasesItsRegionsAfterTheCurrentOutputChanged) {
  const int mainOutput = getCurOutputHook();
  setCurOutputHook(getAuxOutputHook());
  WindowHandle aux = Main({0, 0, 50, 50});  // on the auxiliary display's list
  setCurOutputHook(mainOutput);
  Settle();
  auto free = [](WindowHandle hwnd) {
    std::unique_lock<std::mutex> probe(Rec(hwnd)->clipInfo->lock, std::try_to_lock);
    return probe.owns_lock();
  };
  DragInfo drag{33, 10, 10};
  ASSERT_EQ(Request(MSG_DT_STARTDRAGWIN, back_, reinterpret_cast<LParam>(&drag)), 0u);
  EXPECT_FALSE(free(back_));
  EXPECT_FALSE(free(front_));
  EXPECT_TRUE(free(aux));  // not on the current display: never taken
  setCurOutputHook(getAuxOutputHook());
  Input(2, 0, PointParam(20, 15));  // ends the tracking
  setCurOutputHook(mainOutput);
  ASSERT_TRUE(free(back_));
  ASSERT_TRUE(free(front_));
  EXPECT_TRUE(free(aux));
  // The next request re-clips the windows, which needs their regions.
  Request(MSG_DT_MOVETOTOP, back_);
  EXPECT_EQ(ListOrder(MainDisplayList()), (std::vector<WindowHandle>{back_, front_}));
}

// A key hides a shown soft keyboard before it ends the tracking: hiding
// rebuilds the regions the tracking holds locked.
TEST_F(Requests, KeyDuringTrackingHidesTheSoftKeyboardAndEndsTheTracking) {
  WindowHandle skb = Main({300, 300, 340, 340}, WS_VISIBLE, WS_EX_TOPMOST);
  ASSERT_EQ(Request(MSG_DT_REGSKB, skb), 0u);
  Settle();
  DragInfo drag{33, 10, 10};
  ASSERT_EQ(Request(MSG_DT_STARTDRAGWIN, back_, reinterpret_cast<LParam>(&drag)), 0u);
  Input(MSG_KEYDOWN, 30, 0);
  Drain();
  EXPECT_FALSE(IsVisibleRecord(Rec(skb)));
  std::vector<Seen> got = Recorder::Instance().Take();
  EXPECT_EQ(std::count(got.begin(), got.end(), Seen{back_, 81, 0}), 1);
  for (const Seen& s : got) EXPECT_NE(s.message, MSG_KEYDOWN) << s;  // consumed
  EXPECT_TRUE(ClipHolds(back_, 10, 10));
  EXPECT_EQ(Request(MSG_DT_UNREGSKB, skb), 0u);
}

TEST_F(Requests, CloseAllAsksEveryMenuWindowButThePreview) {
  WindowHandle tip = Main({300, 300, 320, 320}, WS_VISIBLE, WS_EX_TOPMOST);
  WindowHandle other = Main({400, 300, 420, 320}, WS_VISIBLE, WS_EX_TOPMOST);
  WindowHandle preview = Main({0, 0, 10, 10}, WS_VISIBLE, WS_EX_PREVIEW);
  ASSERT_EQ(Request(MSG_DT_REGBUBBLETIP, tip), 0u);
  Settle();
  EXPECT_EQ(Request(MSG_DT_CLOSEALLWINS), 4u);
  Drain();
  std::vector<Seen> got = Recorder::Instance().Take();
  auto has = [&got](WindowHandle hwnd, int msg) {
    return std::count(got.begin(), got.end(), Seen{hwnd, msg, 0}) == 1;
  };
  EXPECT_TRUE(has(tip, 401));
  EXPECT_TRUE(has(other, MSG_CLOSE));
  EXPECT_TRUE(has(front_, MSG_CLOSE));
  EXPECT_TRUE(has(back_, MSG_CLOSE));
  EXPECT_FALSE(has(preview, MSG_CLOSE));
  Request(MSG_DT_UNREGBUBBLETIP, tip);
  Request(MSG_DT_REMOVEMAINWIN, preview);
  Rec(preview)->exStyle &= ~WS_EX_PREVIEW;
}

TEST_F(Requests, BroadcastReachesEveryMainWindowOnce) {
  WindowHandle control = Control(back_, {0, 0, 10, 10}, 1);
  Settle();
  Message notice{0, 500, 7, 8, 0, nullptr};
  EXPECT_EQ(Request(MSG_DT_BROADCAST, 0, reinterpret_cast<LParam>(&notice)), 2u);
  Drain();
  std::vector<Seen> expected = {{front_, 500, 7}, {back_, 500, 7}};
  EXPECT_EQ(Recorder::Instance().Take(), expected);
  (void)control;
}

TEST_F(Requests, RepaintRequestRepaintsThePartOfEachVisibleWindow) {
  // top 160, left 160, bottom 190, right 190: only back lies there.
  Request(MSG_PAINT, (160u << 16) | 160u, (190 << 16) | 190);
  Drain();
  std::vector<Seen> got = Recorder::Instance().Take();
  std::vector<Seen> expected = {{back_, MSG_NCPAINT, 0}, {back_, MSG_ERASEBKGND, 0}, {back_, MSG_PAINT, 0}};
  EXPECT_EQ(got, expected);
  Request(MSG_PAINT, 0, 0);  // empty: everything
  Drain();
  got = Recorder::Instance().Take();
  EXPECT_EQ(got.size(), 6u);
}

// What a window below saw of display switching while it was repainted
// during a hide (the desktop calls it directly, on the desktop thread).
std::atomic<int> g_switchingDuringRepaint{-1};
LResult SwitchWatchingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_NCPAINT) g_switchingDuringRepaint = DisplaySwitchEnabled() ? 1 : 0;
  return RecordingProc(hwnd, msg, wParam, lParam);
}

TEST_F(Stack, DisplaySwitchingIsHeldOffWhileTheWindowsBelowAreClipped) {
  MainWinCreate create = MainWindowCreation({0, 0, 200, 200}, SwitchWatchingProc, "below");
  WindowHandle below = Kept(CreateMainWindow(&create));
  WindowHandle front = Main({50, 50, 150, 150});
  Settle();
  g_switchingDuringRepaint = -1;
  Request(MSG_DT_HIDEMAINWIN, front);
  EXPECT_EQ(g_switchingDuringRepaint, 0);
  EXPECT_TRUE(DisplaySwitchEnabled()) << "and allowed again after";
  (void)below;
}

}  // namespace
}  // namespace desktest

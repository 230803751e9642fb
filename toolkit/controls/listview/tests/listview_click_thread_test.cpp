// A list view clicked through the host window as a hand clicks, press and
// release with no pause: the release comes back under the list's capture
// with a screen position, and must still name the cell or header pressed.
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "controls/barkit/tests/quick_clicks.h"
#include "controls/listview/tests/listview_cells.h"
#include "controls/listview/tests/listview_fixture.h"
#include "core/input/lowlevel_event.h"
#include "gui/host.h"
#include "gui/window.h"

namespace {

using lvtest::Note;

// Every reading of the clock a second later: no two clicks make a double click.
std::atomic<unsigned int> g_ticks{1000};
unsigned int SlowHand() { return g_ticks += 100; }
// Every reading a tick later: two presses in one place make a double click.
unsigned int QuickHand() { return g_ticks += 1; }

std::atomic<int> g_sorts{0};
int CountedCompare(WindowHandle, HLVROW, HLVROW, ListViewSortInfo*) {
  ++g_sorts;
  return 0;
}

class ListViewClicks : public lvtest::ListViewFixture {
 protected:
  void SetUp() override {
    ListViewFixture::SetUp();
    SetLowLevelEventClock(SlowHand);
    // Away from the screen's corner, where a screen position read as a
    // client one would still land inside the list.
    main_ = Main({160, 120, 560, 420}, 0);
    lv_ = CreateWindowEx("ListView", "", WS_VISIBLE, 0, 77, 10, 10, 360, 240, main_, 0);
    ASSERT_NE(lv_, GUI_INVALID_HANDLE);
    SetNotificationCallback(lv_, lvtest::Record);
    AddColumn(60, "name");
    AddColumn(40, "edit");
    AddColumn(80, "state", CountedCompare);
    for (int i = 0; i < 3; ++i) {
      HLVROW row = AddRow(nullptr, i);
      SetText(row, 0, "row");
      ListViewSubItemInfo icon{};
      icon.flags = LVFLAG_BITMAP;
      icon.column = 1;
      icon.image = reinterpret_cast<uintptr_t>(&icon_.Get());
      SendMessage(lv_, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&icon));
      SetText(row, 2, "on");
    }
    desktest::Drain();
    TakeNotes();
  }

  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    ListViewFixture::TearDown();
  }

  // A click at a screen point; true once `done` holds and no window keeps
  // the capture. The release follows the press at once, reaching the list
  // through its parent, or, as a slower hand's does, once the press took the
  // capture, reaching the list under it with a screen position.
  bool Click(Point at, bool afterCapture, const std::function<bool()>& done) {
    HostInjectMouseMove(at.x, at.y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    if (afterCapture) Pump([this] { return GetCapture() == lv_; });
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    desktest::AwaitInputHandled();
    return Pump([&] { return done() && GetCapture() == 0; });
  }

  static bool Pump(const std::function<bool()>& until) {
    for (int i = 0; i < 1000 && !until(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return until();
  }

  bool Heard(int code, LParam data) { return HeardTimes(code, data) > 0; }

  int HeardTimes(int code, LParam data) {
    int times = 0;
    for (const Note& n : lvtest::Notes()) times += n.code == code && n.data == data;
    return times;
  }

  guitest::SolidBitmap icon_{12, 12, {{guitest::Rgb(200, 40, 40)}}};
};

TEST_F(ListViewClicks, TheReleaseNamesTheCellAndTheHeaderPressed) {
  struct Cell {
    const char* what;
    int row, column;
  };
  for (bool afterCapture : {false, true}) {
    for (const Cell& c : {Cell{"an icon cell", 1, 1}, Cell{"a text cell", 2, 2}, Cell{"the first row's icon", 0, 1}}) {
      const Point at = lvtest::CellOnScreen(lv_, c.row, c.column);
      ASSERT_GE(at.x, 0) << c.what;
      EXPECT_TRUE(Click(at, afterCapture, [&] { return Heard(LVN_CELLCLICK + c.column, c.row); }))
          << c.what << (afterCapture ? ", released under the capture" : ", released at once");
      EXPECT_EQ(SendMessage(lv_, LVM_GETSELECTEDITEM, 0, 0),
                reinterpret_cast<LResult>(listview::RowAtIndex(listview::DataOf(lv_), c.row)))
          << c.what << ": the press selected the row";
      TakeNotes();
    }
    const int sorts = g_sorts;
    EXPECT_TRUE(Click(lvtest::HeaderOnScreen(lv_, 2), afterCapture, [&] { return g_sorts > sorts; }))
        << "the header click sorted" << (afterCapture ? ", released under the capture" : "");
  }
}

TEST_F(ListViewClicks, TwoQuickClicksOnTwoCellsOfARowBothEndTheirCapture) {
  const Point first = lvtest::CellOnScreen(lv_, 0, 0), second = lvtest::CellOnScreen(lv_, 0, 2);
  ASSERT_GE(second.x, 0);
  EXPECT_TRUE(quickclick::ClickTwiceQuickly(lv_, first, second)) << "the second release reached the list";
  EXPECT_TRUE(Pump([this] { return Heard(LVN_CELLCLICK + 2, 0) && GetCapture() == 0; }))
      << "the second click named its cell, and the capture it took ended at its release";
}

TEST_F(ListViewClicks, ADoubleClickOnACellIsAClickToo) {
  SetLowLevelEventClock(QuickHand);
  const Point away = lvtest::CellOnScreen(lv_, 2, 0), at = lvtest::CellOnScreen(lv_, 1, 2);
  ASSERT_TRUE(Click(away, false, [this] { return Heard(LVN_CELLCLICK, 2); }));
  TakeNotes();
  quickclick::ClickTwiceInPlace(at, [this] { return Heard(LVN_CELLCLICK + 2, 1); });
  EXPECT_TRUE(Pump([this] { return Heard(LVN_ITEMDBCLK, 1) && HeardTimes(LVN_CELLCLICK + 2, 1) == 2 && GetCapture() == 0; }))
      << "the double click was told, its release named the cell again and ended the capture";
}

}  // namespace

// A drop-down list on a dialog driven as a user drives it through the host
// window: opened by a click and shown above the dialog that click raised,
// walked with the cursor keys, chosen with Enter or left with Escape, the
// dialog untouched by those keys; closed by a click on the box or beside it.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "controls/combobox/tests/combo_fixture.h"
#include "core/input/lowlevel_event.h"
#include "gui/element.h"
#include "gui/host.h"
#include "gui/image.h"
#include "gui/window_attr.h"

namespace {

using combotest::ComboTest;

constexpr int kLinuxEscape = 1, kLinuxEnter = 28, kLinuxUp = 103, kLinuxDown = 108;
constexpr int kBoxId = 40, kNextId = 41, kBelowId = 42;

class ComboOnADialog : public ComboTest {
 protected:
  void SetUp() override {
    SetLowLevelEventClock(SlowHand);
    // A button after the box in the same group: an arrow key the dialog
    // took for itself would move the focus there.
    CtrlData ctrls[] = {
        {"combobox", CBS_DROPDOWNLIST | CBS_NOTIFY | WS_VISIBLE | WS_TABSTOP, 20, 20, 160, 26, kBoxId, "",
         0, 0},
        {"button", WS_VISIBLE | WS_TABSTOP, 200, 20, 80, 26, kNextId, "Next", 0, 0},
        // Hidden by the open list: a click on a row must not reach it.
        {"button", WS_VISIBLE | WS_TABSTOP, 40, 56, 100, 20, kBelowId, "Below", 0, 0},
    };
    dlg_ = heard_.Create({std::begin(ctrls), std::end(ctrls)}, {100, 100, 420, 340}, "Display");
    ASSERT_NE(dlg_, GUI_INVALID_HANDLE);
    windows_.push_back(dlg_);
    box_ = GetDlgItem(dlg_, kBoxId);
    for (const char* t : {"YYYY-MM-DD", "MM-DD-YYYY", "DD-MM-YYYY"})
      SendMessage(box_, CB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
    SendMessage(box_, CB_SETCURSEL, 0, 0);
    desktest::Drain();
  }

  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    ComboTest::TearDown();
  }

  // A click at (x, y) of window w; true once the list shows as `open`.
  bool Click(WindowHandle w, int x, int y, bool open) {
    WindowToScreen(w, &x, &y);
    return ClickOnScreen(x, y, [this, open] { return ListShown() == open; });
  }

  bool ArrowClicked() {
    Rect r{};
    GetClientRect(box_, &r);
    return Click(box_, r.right - 6, r.bottom / 2, true);
  }

  // The centre of a row of the open list, on the screen.
  Point Row(int index) {
    WindowHandle list = Child(box_, true);
    const int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    Rect client{};
    GetClientRect(list, &client);
    Point p{client.right / 2, index * height + height / 2};
    ClientToScreen(list, &p.x, &p.y);
    return p;
  }

  // The pointer moved onto a row, which the list marks.
  bool MoveOnto(int index) {
    const Point p = Row(index);
    return Feed([p] { HostInjectMouseMove(p.x, p.y); },
                [this, index] { return SendMessage(Child(box_, true), LB_GETCURSEL, 0, 0) == index; });
  }
  bool ClickBox() { return Click(box_, 10, 13, true); }  // on the edit, as a finger lands on the box

  bool ListShown() { return IsWindowVisible(Child(box_, true)); }
  LResult Marked() { return SendMessage(Child(box_, true), LB_GETCURSEL, 0, 0); }
  std::string Shown() { return Text(box_); }
  bool Closed() { return heard_.Closed(); }
  bool BelowHeard() { return heard_.Heard(kBelowId); }

  combotest::HeardDialog heard_;
  WindowHandle dlg_ = 0, box_ = 0;
};

TEST_F(ComboOnADialog, AListOpenedByAClickTakesTheKeysUntilEnterOrEscape) {
  ASSERT_TRUE(ClickBox()) << "the click opened the list";
  // The click raised the dialog: the list still shows above it.
  Rect r{};
  GetWindowRect(dlg_, &r);
  guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, "combo_dialog_open.png"));
  EXPECT_TRUE(Key(kLinuxDown, [this] { return Marked() == 1; })) << "down marked the next row";
  EXPECT_TRUE(Key(kLinuxDown, [this] { return Marked() == 2; })) << "and once more";
  EXPECT_EQ(Shown(), "YYYY-MM-DD") << "a marked row is no choice yet";
  EXPECT_TRUE(ListShown()) << "the arrows stay in the list";
  EXPECT_EQ(GetFocusChild(dlg_), box_) << "the dialog kept the arrows out of its group walk";
  EXPECT_TRUE(Key(kLinuxEnter, [this] { return !ListShown(); })) << "Enter closed the list";
  EXPECT_EQ(SendMessage(box_, CB_GETSELVALUE, 0, 0), 2) << "the choice is kept";
  EXPECT_EQ(Shown(), "DD-MM-YYYY");
  EXPECT_EQ(SendMessage(box_, MSG_GETDLGCODE, 0, 0), 0x11);

  // Clicked again: Escape closes the list alone, not the dialog beneath.
  // Escape gives back the value the box had when it opened.
  ASSERT_TRUE(ClickBox()) << "a second click opened it again";
  heard_.CodesFrom(kBoxId);
  EXPECT_TRUE(Key(kLinuxUp, [this] { return Marked() == 1; })) << "up marked the row before";
  EXPECT_TRUE(Key(kLinuxUp, [this] { return Marked() == 0; })) << "and the first";
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return !ListShown(); })) << "Escape closed the list";
  EXPECT_EQ(Shown(), "DD-MM-YYYY");
  EXPECT_EQ(SendMessage(box_, CB_GETSELVALUE, 0, 0), 2);
  EXPECT_EQ(heard_.CodesFrom(kBoxId), (std::vector<int>{CBN_SELECTCANCEL, CBN_CLOSEUP})) << "no change was told";
  EXPECT_FALSE(Closed()) << "the dialog stays";
  EXPECT_EQ(GetFocusChild(dlg_), box_);

  // A click on the box closes its open list and does not open it again;
  // a click beside it closes it too, and the box opens at the next click.
  ASSERT_TRUE(ClickBox());
  EXPECT_TRUE(Click(box_, 10, 13, false)) << "the second click closed the list";
  desktest::Drain();
  EXPECT_FALSE(ListShown()) << "and left it closed";
  ASSERT_TRUE(ClickBox());
  EXPECT_TRUE(Click(dlg_, 150, 200, false)) << "a click beside the list closed it";
  EXPECT_TRUE(ClickBox()) << "the next click opens it again";
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return !ListShown(); }));

  // With the list closed Escape reaches the dialog again.
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return Closed(); })) << "Escape closes the dialog";
}

TEST_F(ComboOnADialog, TheMouseChoosesARowAndNothingBeneathHearsIt) {
  ASSERT_TRUE(ArrowClicked()) << "a click on the arrow opened the list";
  ASSERT_TRUE(MoveOnto(1)) << "the list follows the pointer onto its second row";
  EXPECT_TRUE(ListShown()) << "leaving the box for its list keeps the list open";
  const Point row = Row(1);
  EXPECT_TRUE(ClickOnScreen(row.x, row.y, [this] { return !ListShown(); })) << "a click on the row closed the list";
  EXPECT_EQ(Shown(), "MM-DD-YYYY") << "and chose the row";
  EXPECT_EQ(SendMessage(box_, CB_GETSELVALUE, 0, 0), 1);
  EXPECT_FALSE(BelowHeard()) << "the button under the list heard nothing";
  EXPECT_EQ(GetFocusChild(dlg_), box_);
  EXPECT_EQ(SendMessage(box_, MSG_GETDLGCODE, 0, 0), 0x11);

  // Over the list, Escape closes it without a choice.
  ASSERT_TRUE(ArrowClicked());
  ASSERT_TRUE(MoveOnto(2));
  EXPECT_TRUE(Key(kLinuxEscape, [this] { return !ListShown(); })) << "Escape closed the list";
  EXPECT_EQ(Shown(), "MM-DD-YYYY") << "and kept the value";
  EXPECT_FALSE(Closed()) << "the dialog stays";

  // From the list, a click beside both closes it without a choice; the
  // box opens again at the next click.
  ASSERT_TRUE(ArrowClicked());
  ASSERT_TRUE(MoveOnto(0));
  EXPECT_TRUE(Click(dlg_, 250, 200, false)) << "a click beside the list closed it";
  EXPECT_EQ(Shown(), "MM-DD-YYYY");
  EXPECT_TRUE(ArrowClicked()) << "the arrow opens it again";
  ASSERT_TRUE(MoveOnto(2));
  const Point last = Row(2);
  EXPECT_TRUE(ClickOnScreen(last.x, last.y, [this] { return !ListShown(); }));
  EXPECT_EQ(Shown(), "DD-MM-YYYY");
  EXPECT_FALSE(BelowHeard());

  // Enter chooses the row the pointer marks, as a click on it would.
  ASSERT_TRUE(ArrowClicked());
  ASSERT_TRUE(MoveOnto(0));
  EXPECT_TRUE(Key(kLinuxEnter, [this] { return !ListShown(); }));
  EXPECT_EQ(Shown(), "YYYY-MM-DD");
}

// A picture made of what the screen shows in r, and those pixels.
struct ScreenCut {
  explicit ScreenCut(const Rect& r) : pixels(guitest::Grab(r)) {
    if (InitBitmap(HDC_SCREEN, static_cast<uint32_t>(r.right - r.left), static_cast<uint32_t>(r.bottom - r.top), 0,
                   nullptr, &bitmap))
      GetBitmapFromDC(HDC_SCREEN, r.left, r.top, r.right - r.left, r.bottom - r.top, &bitmap);
  }
  ~ScreenCut() { UnloadBitmap(&bitmap); }
  ScreenCut(const ScreenCut&) = delete;
  ScreenCut& operator=(const ScreenCut&) = delete;

  // Whether the pixels stand, unscaled, anywhere in `shot`.
  bool In(const guitest::Picture& shot) const {
    const size_t row = static_cast<size_t>(pixels.width) * 3;
    for (int y = 0; y + pixels.height <= shot.height; ++y)
      for (int x = 0; x + pixels.width <= shot.width; ++x) {
        bool same = true;
        for (int line = 0; same && line < pixels.height; ++line)
          same = std::equal(pixels.rgb.begin() + static_cast<std::ptrdiff_t>(line * row),
                            pixels.rgb.begin() + static_cast<std::ptrdiff_t>((line + 1) * row),
                            shot.rgb.begin() + static_cast<std::ptrdiff_t>(((y + line) * shot.width + x) * 3));
        if (same) return true;
      }
    return false;
  }

  guitest::Picture pixels;
  Bitmap bitmap{};
};

// Rows of pictures alone, alike in their (empty) text, as a list of
// language names drawn in their own letters: the row a click or the keys
// choose is the one the box reports, stays so when the box is asked again,
// is told as a change, and its picture shows in the closed box.
TEST_F(ComboOnADialog, TheMouseAndTheKeysChooseRowsOfAPictureAlone) {
  SendMessage(box_, CB_DELETEALL, 0, 0);
  IncludeWindowStyle(Child(box_, true), LBS_USEICON);
  // The rows' pictures are cut from the buttons' captions, a row high, so
  // the list shows them unscaled.
  const int high = static_cast<int>(SendMessage(Child(box_, true), LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(high, 4);
  const auto captionOf = [this, high](int id) {
    Rect r{};
    GetClientRect(GetDlgItem(dlg_, id), &r);
    Point at{r.right / 2 - 18, r.bottom / 2 - high / 2};
    ClientToScreen(GetDlgItem(dlg_, id), &at.x, &at.y);
    return Rect{at.x, at.y, at.x + 36, at.y + high};
  };
  const ScreenCut next(captionOf(kNextId)), below(captionOf(kBelowId));
  ASSERT_NE(next.bitmap.bmBits, nullptr);
  ASSERT_NE(below.bitmap.bmBits, nullptr);
  ASSERT_NE(next.pixels.rgb, below.pixels.rgb) << "the two pictures differ";
  const ScreenCut* pictures[] = {&next, &below, &next};
  for (WParam value : {11, 12, 13}) {
    ListBoxItemInfo row{"", LBIF_BITMAP, reinterpret_cast<uintptr_t>(&pictures[value - 11]->bitmap), 0};
    ASSERT_GE(SendMessage(box_, CB_ADDSTRING, value, reinterpret_cast<LParam>(&row)), 0);
  }
  // The closed box's field, as the screen shows it.
  const auto field = [this] {
    desktest::Drain();
    WindowHandle edit = Child(box_, false);
    Rect r{};
    GetClientRect(edit, &r);
    ClientToScreen(edit, &r.left, &r.top);
    ClientToScreen(edit, &r.right, &r.bottom);
    return guitest::Grab(r);
  };
  SendMessage(box_, CB_SELECTVALUE, 12, 0);
  EXPECT_EQ(SendMessage(box_, CB_GETCURSEL, 0, 0), 1) << "the value set is the row shown";
  heard_.CodesFrom(kBoxId);
  const auto chose = [this](int index) {
    EXPECT_EQ(SendMessage(box_, CB_GETSELVALUE, 0, 0), 11 + index);
    EXPECT_EQ(SendMessage(box_, CB_GETCURSEL, 0, 0), index) << "asked again";
    EXPECT_EQ(SendMessage(box_, CB_GETSELVALUE, 0, 0), 11 + index);
    const std::vector<int> codes = heard_.CodesFrom(kBoxId);
    EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_SELCHANGE), codes.end()) << "the change was told";
  };
  EXPECT_TRUE(below.In(field())) << "the row set shows its picture";
  for (const int index : {2, 0}) {
    SCOPED_TRACE(index);
    ASSERT_TRUE(ArrowClicked());
    ASSERT_TRUE(MoveOnto(index));
    const Point row = Row(index);
    EXPECT_TRUE(ClickOnScreen(row.x, row.y, [this] { return !ListShown(); })) << "a click on the row closed the list";
    chose(index);
    const guitest::Picture shown = field();
    EXPECT_TRUE(next.In(shown)) << "the closed box shows the row's picture";
    EXPECT_FALSE(below.In(shown)) << "and no longer the one before";
  }
  // Opened by a click on the box, walked down from the row shown.
  ASSERT_TRUE(ClickBox());
  EXPECT_TRUE(Key(kLinuxDown, [this] { return Marked() == 1; })) << "down marked the row after the one shown";
  EXPECT_TRUE(Key(kLinuxEnter, [this] { return !ListShown(); }));
  chose(1);
  const guitest::Picture shown = field();
  EXPECT_TRUE(below.In(shown)) << "the other picture shows";
  EXPECT_FALSE(next.In(shown));
}

}  // namespace

// The list view's answers to clicks, keys, header presses, check boxes,
// cell clicks and the right button, as tables of messages and the
// notifications each one must produce, in order.
#include <gtest/gtest.h>

#include "controls/listview/listview_internal.h"
#include "controls/listview/tests/listview_fixture.h"
#include "gui/dialog.h"
#include "gui/message.h"

namespace {

using lvtest::Note;
constexpr LParam kAny = -12345;  // the notification's data is a pointer to the message's own copy

struct Step {
  const char* what;
  int message;
  WParam wParam;
  int x, y;  // y relative to the first row's top; negative: inside the header
  std::vector<Note> expect;
};

class ListViewInput : public lvtest::ListViewFixture {
 protected:
  void Build(uint32_t style) {
    ASSERT_NE(Make(style), GUI_INVALID_HANDLE);
    AddColumn(80, "check", nullptr, LVCF_CHECKBOX);
    AddColumn(100, "text");
    r_[0] = AddRow(nullptr, 0, 0, LVIF_CHECKBOX);
    r_[1] = AddRow(nullptr, 1, 0, LVIF_DISABLE);
    r_[2] = AddRow(nullptr, 2, 0, 0);
    for (HLVROW r : r_) SetText(r, 1, "cell");
    rowsTop_ = listview::DataOf(lv_)->headerHeight + 1;
    TakeNotes();
  }
  LParam Item(int i) { return reinterpret_cast<LParam>(r_[i]->item); }

  void Run(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      const int y = s.y < 0 ? 5 : rowsTop_ + s.y;
      SendMessage(lv_, s.message, s.wParam, lvtest::Point(s.x, y));
      std::vector<Note> got = TakeNotes();
      ASSERT_EQ(got.size(), s.expect.size()) << s.what;
      for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].code, s.expect[i].code) << s.what << " #" << i;
        if (s.expect[i].data != kAny) {
          EXPECT_EQ(got[i].data, s.expect[i].data) << s.what << " #" << i;
        }
      }
    }
  }

  HLVROW r_[3] = {};
  int rowsTop_ = 0;
};

TEST_F(ListViewInput, ClicksChecksHeaderAndRightButtonNotifyInOrder) {
  Build(0);
  Run({
      {"row 2, column 1 down", 1, 0, 100, 45, {{1, Item(2)}, {2, Item(2)}}},
      {"row 2, column 1 up", 2, 0, 100, 45, {{21, 2}}},
      {"row 0 check box down", 1, 0, 10, 5, {{14, 0}, {1, Item(0)}, {2, Item(0)}}},
      {"row 0 check box up", 2, 0, 10, 5, {{20, 0}}},
      {"row 0 check box again", 1, 0, 10, 5, {{15, 0}, {1, Item(0)}}},
      {"release", 2, 0, 10, 5, {{20, 0}}},
      {"disabled row down", 1, 0, 100, 25, {{1, Item(1)}, {2, Item(1)}}},
      {"disabled row up: no cell click", 2, 0, 100, 25, {}},
      {"below the rows", 1, 0, 100, 150, {{3, 0}, {2, 0}}},
      {"release", 2, 0, 100, 150, {}},
      {"header check box checks all", 1, 0, 10, -1, {{16, 0}}},
      {"release on the header", 2, 0, 10, -1, {}},
      {"header check box again unchecks all", 1, 0, 10, -1, {{17, 0}}},
      {"release", 2, 0, 10, -1, {}},
      {"right down on the header", 5, 0, 100, -1, {{6, kAny}}},
      {"right up on a row", 6, 0, 100, 45, {{5, kAny}}},
      {"right down on the disabled row: only the item view's click", 5, 0, 100, 25, {{1, Item(1)}, {2, Item(1)}}},
      {"double click on a row: a press too", 3, 0, 100, 45, {{9, 2}, {1, Item(2)}, {2, Item(2)}}},
      {"its release clicks the cell", 2, 0, 100, 45, {{21, 2}}},
  });
  EXPECT_EQ(GetCapture(), 0u);
  EXPECT_EQ(SendMessage(lv_, LVM_GETCHECKED, 0, 0), 0);
}

TEST_F(ListViewInput, CheckAllLocksAndRowChecksReachTheHeaderState) {
  Build(0);
  ListViewData* lv = listview::DataOf(lv_);
  SendMessage(lv_, LVM_SETCHECKALLLOCKA, 1, 0);
  Run({{"locked header click checks nothing", 1, 0, 10, -1, {}}, {"release", 2, 0, 10, -1, {}}});
  EXPECT_EQ(SendMessage(lv_, LVM_GETCHECKED, 0, 0), 0);
  SendMessage(lv_, LVM_SETCHECKALLLOCKA, 0, 0);
  EXPECT_EQ(SendMessage(lv_, LVM_TOGGLECHECKALL, 0, 0), 1);
  EXPECT_EQ(SendMessage(lv_, LVM_GETCHECKED, 1, 0), 0);  // a disabled row answers unchecked
  EXPECT_EQ(r_[1]->checked, 1u);                           // though the toggle checked it
  SendMessage(lv_, LVM_SETCHECKALLLOCKA, 1, 0);
  Run({{"locked header click still unchecks", 1, 0, 10, -1, {{17, 0}}}, {"release", 2, 0, 10, -1, {}}});
  SendMessage(lv_, LVM_SETCHECKALLLOCKB, 1, 0);
  Run({{"lock B keeps a row unchecked", 1, 0, 10, 5, {{1, Item(0)}}},
       {"release", 2, 0, 10, 5, {{20, 0}}}});
  EXPECT_EQ(lv->columns[0]->headerCheck, 2u);
  EXPECT_EQ(SendMessage(lv_, LVM_SETCHECKED, 1, 0), 0);
  EXPECT_EQ(SendMessage(lv_, LVM_GETCHECKED, 1, 0), 0);
  EXPECT_EQ(SendMessage(lv_, LVM_GETCHECKED, 9, 0), -1);
}

TEST_F(ListViewInput, ReleaseStyleNotifiesTheClickOnRelease) {
  Build(LVS_NOTIFY_ON_RELEASE);
  Run({
      {"down", 1, 0, 100, 45, {{2, Item(2)}}},
      {"up", 2, 0, 100, 45, {{1, 0}, {21, 2}}},
  });
}

TEST_F(ListViewInput, KeysNotifyAndMoveTheHighlightWithWrapAndDialogCode) {
  Build(0);
  EXPECT_EQ(SendMessage(lv_, MSG_GETDLGCODE, 0, 0), 25);
  // Setting the first cell highlighted the first row.
  Run({
      {"down", 18, 108, 0, 0, {{8, kAny}, {4, Item(0)}, {2, Item(1)}}},
      {"up", 18, 103, 0, 0, {{8, kAny}, {4, Item(1)}, {2, Item(0)}}},
      {"up from the first: wraps to the last", 18, 103, 0, 0, {{8, kAny}, {4, Item(0)}, {2, Item(2)}}},
      {"down from the last: wraps to the first", 18, 108, 0, 0, {{8, kAny}, {4, Item(2)}, {2, Item(0)}}},
      {"enter", 18, 28, 0, 0, {{8, kAny}}},
  });
  EXPECT_EQ(SendMessage(lv_, MSG_GETDLGCODE, 0, 0), 29);
  Run({{"escape", 18, 1, 0, 0, {{8, kAny}}}});
  EXPECT_EQ(SendMessage(lv_, MSG_GETDLGCODE, 0, 0), 25);
  // A row folded away is skipped by the keys.
  SendMessage(lv_, LVM_SETITEMHEIGHT, reinterpret_cast<WParam>(r_[1]), 0);
  Run({{"down skips the empty row", 18, 108, 0, 0, {{8, kAny}, {4, Item(0)}, {2, Item(2)}}}});
}

TEST_F(ListViewInput, BorderDragNeverGoesBelowElevenAndDoubleClickOnlyWidens) {
  Build(0);
  const int border = 79;  // column 0's right edge, less one, in client x with the left margin
  SendMessage(lv_, MSG_LBUTTONDOWN, 0, lvtest::Point(border + 1, 5));
  SendMessage(lv_, MSG_MOUSEMOVE, 0, lvtest::Point(40, 5));
  EXPECT_EQ(SendMessage(lv_, LVM_GETCOLUMNWIDTH, 0, 0), 40);
  SendMessage(lv_, MSG_MOUSEMOVE, 0, lvtest::Point(5, 5));
  EXPECT_EQ(SendMessage(lv_, LVM_GETCOLUMNWIDTH, 0, 0), 40);
  SendMessage(lv_, MSG_LBUTTONUP, 0, lvtest::Point(5, 5));
  EXPECT_EQ(SendMessage(lv_, SVM_GETCONTWIDTH, 0, 0),
            std::max<LResult>(140, SendMessage(lv_, SVM_GETVISIBLEWIDTH, 0, 0)));
  SendMessage(lv_, MSG_LBUTTONDBLCLK, 0, lvtest::Point(181, 5));  // column 1's border: its texts are narrow
  EXPECT_EQ(SendMessage(lv_, LVM_GETCOLUMNWIDTH, 1, 0), 100);
  TakeNotes();
}

}  // namespace

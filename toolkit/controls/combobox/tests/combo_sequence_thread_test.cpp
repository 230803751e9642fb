// What each kind of combo box notifies, step by step, as a table per kind:
// opening, choosing, Escape, a click outside, focus loss and release; then
// where a drop-down list lands as items are added.
#include "controls/combobox/tests/combo_fixture.h"
#include "controls/listbox/control_measures.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/text.h"

namespace {

using combotest::At;
using combotest::ComboTest;

constexpr int kSame = -1;

struct Step {
  const char* name;
  int msg;
  WParam wParam;
  LParam lParam;
  std::vector<int> notes;
  int open;         // the list shown afterwards: 1, 0, or kSame (not asked)
  int dialogCode;   // or kSame
};

class ComboSequence : public ComboTest {
 protected:
  void Play(WindowHandle cb, const std::vector<Step>& steps) {
    WindowHandle list = Child(cb, true);
    for (const Step& s : steps) {
      if (s.msg == kHideList) {  // what the toolkit does to a drop-down before it sends 52
        ShowWindow(list, SW_HIDE);
        continue;
      }
      if (s.msg == kGiveFocus) {
        SetFocusChild(cb);
      } else {
        WindowHandle to = s.msg == kListClick ? list : cb;
        SendMessage(to, s.msg == kListClick ? MSG_LBUTTONDOWN : s.msg, s.wParam, s.lParam);
      }
      EXPECT_EQ(Notes(), s.notes) << s.name;
      if (s.open != kSame) {
        EXPECT_EQ(IsWindowVisible(list) ? 1 : 0, s.open) << s.name;
      }
      if (s.dialogCode != kSame) {
        EXPECT_EQ(SendMessage(cb, MSG_GETDLGCODE, 0, 0), s.dialogCode) << s.name;
      }
    }
  }
  static constexpr int kHideList = -100, kListClick = -101, kGiveFocus = -102;
};

TEST_F(ComboSequence, DropDownListOpensChoosesAndCloses) {
  WindowHandle cb = Make(CBS_DROPDOWNLIST | CBS_NOTIFY, {10, 10, 130, 36}, {0, 0, 400, 300}, {"a", "b", "c"});
  Rect r{};
  GetClientRect(cb, &r);
  const LParam button = At(r.right - 5, 5), edit = At(5, 5);
  const int row = static_cast<int>(SendMessage(cb, CB_GETITEMHEIGHT, 0, 0));
  const std::vector<Step> steps = {
      {"the box takes the focus", kGiveFocus, 0, 0, {CBN_SETFOCUS}, 0, 0x11},
      {"Enter opens and hands the list the keys", MSG_KEYDOWN, KEY_ENTER, 0, {CBN_DROPDOWN}, 1, 0x4011},
      {"Escape closes without a choice", MSG_KEYDOWN, KEY_ESC, 0, {CBN_SELECTCANCEL, CBN_CLOSEUP}, 0, 0x11},
      // Opened by any key the list holds the keys, so Escape reaches it.
      {"down opens and hands the list the keys too", MSG_KEYDOWN, KEY_DOWN, 0, {CBN_DROPDOWN}, 1, 0x4011},
      {"Enter on the open list chooses its marked row", MSG_KEYDOWN, KEY_ENTER, 0,
       {CBN_SELCHANGE, CBN_SELECTOK, CBN_CLOSEUP}, 0, 0x11},
      {"a click on the button opens", MSG_LBUTTONDOWN, 0, button, {CBN_DROPDOWN}, 1, 0x4011},
      {"", kHideList, 0, 0, {}, kSame, kSame},
      {"a click outside, on the button", MSG_TOPCTRLHIDDEN, 0, button, {CBN_SELECTCANCEL, CBN_CLOSEUP}, 0, 0x11},
      {"the press that hid it does not reopen", MSG_LBUTTONDOWN, 0, button, {}, 0, kSame},
      {"the release always says so", MSG_LBUTTONUP, 0, button, {CBN_CLICKED}, kSame, kSame},
      {"a click on the edit opens too", MSG_LBUTTONDOWN, 0, edit, {CBN_SETFOCUS, CBN_DROPDOWN}, 1, 0x4011},
      {"choosing an item copies it, then closes", kListClick, 0, At(5, row + 1),
       {CBN_SELCHANGE, CBN_SELECTOK, CBN_CLOSEUP}, 0, 0x11},
      {"reopen", MSG_KEYDOWN, KEY_ENTER, 0, {CBN_DROPDOWN}, 1, 0x4011},
      {"losing the focus closes", MSG_KILLFOCUS, 0, 0, {CBN_SELECTCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}, 0, 0x11},
  };
  Play(cb, steps);
  EXPECT_EQ(Text(cb), "b");
  EXPECT_EQ(SendMessage(cb, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(ComboSequence, WithoutTheNotifyStyleOnlyReleasesAndClicksOutsideAreTold) {
  WindowHandle cb = Make(CBS_DROPDOWNLIST, {10, 10, 130, 36}, {0, 0, 400, 300}, {"a", "b"});
  Play(cb, {
               {"focus", kGiveFocus, 0, 0, {}, 0, kSame},
               {"Enter", MSG_KEYDOWN, KEY_ENTER, 0, {}, 1, kSame},
               {"", kHideList, 0, 0, {}, kSame, kSame},
               {"click outside", MSG_TOPCTRLHIDDEN, 1, At(390, 290), {CBN_SELECTCANCEL, CBN_CLOSEUP}, 0, kSame},
               {"release", MSG_LBUTTONUP, 0, At(390, 290), {CBN_CLICKED}, kSame, kSame},
           });
}

TEST_F(ComboSequence, ListSpinSimpleAndFixedKinds) {
  WindowHandle spin = Make(CBS_SPINLIST | CBS_NOTIFY, {10, 10, 130, 36}, {0, 0, 400, 300}, {"a", "b", "c"});
  SendMessage(spin, CB_SETCURSEL, 0, 0);
  Notes();
  Play(spin, {
                 {"up steps the list down", MSG_KEYDOWN, KEY_UP, 0, {CBN_EDITCHANGE, CBN_SELCHANGE}, kSame, kSame},
                 {"Enter starts typing", MSG_KEYDOWN, KEY_ENTER, 0, {}, kSame, 0x4015},
                 {"Escape ends it", MSG_KEYDOWN, KEY_ESC, 0, {}, kSame, 0x11},
             });
  EXPECT_EQ(Text(spin), "b");

  WindowHandle simple = Make(CBS_SIMPLE | CBS_NOTIFY, {10, 60, 130, 160}, {0, 0, 400, 300}, {"a", "b", "c"});
  Play(simple, {{"a click in the list chooses", kListClick, 0, At(5, 1), {CBN_SELCHANGE}, 1, kSame}});
  EXPECT_EQ(Text(simple), "a");

  WindowHandle fixed = Make(CBS_FIXEDLIST | CBS_NOTIFY, {10, 200, 130, 226}, {0, 0, 400, 300}, {"a", "b"});
  Rect r{};
  GetClientRect(fixed, &r);
  Play(fixed, {
                  {"the button opens nothing", MSG_LBUTTONDOWN, 0, At(r.right - 5, 5), {}, 0, kSame},
                  {"Enter opens nothing", MSG_KEYDOWN, KEY_ENTER, 0, {}, 0, kSame},
                  {"release", MSG_LBUTTONUP, 0, At(r.right - 5, 5), {CBN_CLICKED}, kSame, kSame},
              });
}

TEST_F(ComboSequence, ListMessagesAnswerWithTheListBoxCodes) {
  WindowHandle cb = Make(CBS_DROPDOWNLIST, {10, 10, 130, 36}, {0, 0, 400, 300}, {"a", "b", "c"});
  EXPECT_EQ(SendMessage(cb, CB_ADDDISABLED, 7, reinterpret_cast<LParam>("off")), 3);
  EXPECT_EQ(SendMessage(cb, CB_SETCURSEL, 9, 0), LB_ERR);
  EXPECT_EQ(Text(cb), "") << "a refused index empties the edit";
  EXPECT_EQ(SendMessage(cb, CB_SETCURSEL, 3, 0), LB_ERR_DISABLED);
  EXPECT_EQ(SendMessage(cb, CB_SETCURSEL, 2, 0), 0);
  EXPECT_EQ(Text(cb), "c");
  EXPECT_EQ(SendMessage(cb, CB_GETCURSEL, 0, 0), 2);
  SendMessage(cb, MSG_SETTEXT, 0, reinterpret_cast<LParam>("zz"));
  EXPECT_EQ(SendMessage(cb, CB_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(SendMessage(cb, CB_SELECTSTRING, 0, reinterpret_cast<LParam>("nope")), LB_ERR);
  EXPECT_EQ(Text(cb), "zz");
  EXPECT_EQ(SendMessage(cb, CB_SELECTSTRING, 0, reinterpret_cast<LParam>("b")), 1);
  EXPECT_EQ(Text(cb), "b");
  EXPECT_EQ(SendMessage(cb, CB_SELECTVALUE, 7, 0), LB_ERR_DISABLED);
  EXPECT_EQ(Text(cb), "");
  EXPECT_EQ(SendMessage(cb, CB_DELETESTRING, 0, 0), 0);
  EXPECT_EQ(SendMessage(cb, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Text(cb), "b") << "the item now at the deleted index becomes current";
  EXPECT_EQ(SendMessage(cb, CB_DIR, 0, 0), -1);
  EXPECT_EQ(SendMessage(cb, CB_DELETEALL, 0, 0), 0);
  EXPECT_EQ(SendMessage(cb, CB_GETCOUNT, 0, 0), 0);
}

// Drop-down placement against the rectangles a user would expect.
class DropPlacement : public ComboTest {
 protected:
  int Row(WindowHandle cb) {
    HDC hdc = GetClientDC(cb);
    const int h = GetFontHeight(hdc);
    ReleaseDC(hdc);
    return h + 2;
  }
  int Need(WindowHandle cb, const char* text) {
    HDC hdc = GetClientDC(cb);
    Size size{};
    GetTextExtentEx(hdc, text, -1, &size, 0);
    ReleaseDC(hdc);
    return size.cx + 8 + WinMainMetrics[WEM_CXVSCROLL];
  }
  Rect Drop(WindowHandle cb, int items, const char* text = "x") {
    for (int i = 0; i < items; ++i) SendMessage(cb, CB_ADDSTRING, 0, reinterpret_cast<LParam>(text));
    Rect r{};
    EXPECT_EQ(SendMessage(cb, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LParam>(&r)), 0);
    return r;
  }
  void Expect(const Rect& got, const Rect& want, const char* name) {
    EXPECT_EQ((std::vector<int>{got.left, got.top, got.right, got.bottom}),
              (std::vector<int>{want.left, want.top, want.right, want.bottom}))
        << name;
  }
};

TEST_F(DropPlacement, BelowAboveCappedGridAndWidened) {
  WindowHandle below = Make(CBS_DROPDOWNLIST, {10, 10, 130, 36}, {0, 0, 600, 400});
  const int h = 26, row = Row(below);  // the drop-down button's height
  Expect(Drop(below, 3), {0, h + 2, 120, h + 2 + 3 * row + 4}, "three items below");

  WindowHandle capped = Make(CBS_DROPDOWNLIST, {150, 10, 270, 36});
  Expect(Drop(capped, 12), {0, h + 2, 120, h + 2 + 10 * row + 4}, "ten rows at most");

  WindowHandle above = Make(CBS_DROPDOWNLIST, {290, 340, 410, 366});
  const int tall = 3 * row + 4;
  Expect(Drop(above, 3), {0, -2 - tall, 120, -2}, "no room below: above");

  WindowHandle grid = Make(CBS_DROPDOWNLIST | CBS_GRIDLIST, {10, 60, 130, 86});
  Expect(Drop(grid, 12), {0, h + 2, 360, h + 2 + 3 * row + 8}, "twelve in a grid: three rows");
  Expect(Drop(grid, 1), {0, h + 2, 360, h + 2 + 4 * row + 8}, "thirteen: four rows");

  const char* longText = "A very long name of a recording schedule";
  WindowHandle narrow = Make(CBS_DROPDOWNLIST, {10, 300, 50, 326});
  const int need = Need(narrow, longText);
  Expect(Drop(narrow, 1, longText), {0, h + 2, need, h + 2 + row + 4}, "widened to the text");
  WindowHandle atEdge = Make(CBS_DROPDOWNLIST, {540, 200, 580, 226});
  Expect(Drop(atEdge, 1, longText), {40 - need, h + 2, 40, h + 2 + row + 4}, "widened leftwards at the edge");
}

}  // namespace

// Clicks, check zones, hovering, keys and characters of the list box as a
// table of what each one must notify and leave selected; then the messages
// whose answers callers test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/listbox/control_measures.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace {

constexpr int kId = 7;

struct Case {
  const char* name;
  uint32_t style;
  int msg;
  int item;  // the pointer's row (mouse), or wParam
  int x;
  std::vector<int> notes;
  int selected;  // LB_GETCURSEL afterwards
  int check;     // LB_GETCHECKMARK of item 0 afterwards, -9 not asked
};

class ListBoxInput : public guitest::StartedGui {
 protected:
  WindowHandle Make(uint32_t style, const std::vector<const char*>& texts, int disabled = -1) {
    main_ = Main({0, 0, 400, 300}, 0);
    WindowHandle lb = CreateWindowEx("listbox", "", style | WS_VISIBLE, 0, kId, 10, 10, 200, 150, main_, 0);
    EXPECT_NE(lb, GUI_INVALID_HANDLE);
    for (size_t i = 0; i < texts.size(); ++i) {
      const int msg = static_cast<int>(i) == disabled ? LB_ADDDISABLED : LB_ADDSTRING;
      if (style & (LBS_CHECKBOX | LBS_USEICON)) {
        ListBoxItemInfo info{texts[i], 0, 0, 0};
        SendMessage(lb, msg, 0, reinterpret_cast<LParam>(&info));
      } else {
        SendMessage(lb, msg, 0, reinterpret_cast<LParam>(texts[i]));
      }
    }
    Received(main_, MSG_COMMAND);
    return lb;
  }

  std::vector<int> Notes() {
    std::vector<int> codes;
    for (const SeenMessage& m : Received(main_, MSG_COMMAND)) {
      EXPECT_EQ(static_cast<int>(m.wParam & 0xFFFF), kId);
      codes.push_back(static_cast<int>(m.wParam >> 16));
    }
    return codes;
  }

  WindowHandle main_ = 0;
};

LParam At(int x, int y) { return static_cast<LParam>((y << 16) | (x & 0xFFFF)); }

TEST_F(ListBoxInput, EachInputNotifiesAndSelectsAsExpected) {
  const uint32_t n = LBS_NOTIFY, checks = LBS_NOTIFY | LBS_CHECKBOX | LBS_AUTOCHECK;
  const Case cases[] = {
      {"click", n, MSG_LBUTTONDOWN, 1, 40, {7, 1}, 1, -9},
      {"click on a disabled item", n, MSG_LBUTTONDOWN, 2, 40, {}, LB_ERR, -9},
      {"click below the items", n, MSG_LBUTTONDOWN, 6, 40, {}, LB_ERR, -9},
      {"check zone", checks, MSG_LBUTTONDOWN, 0, 5, {6, 1}, 0, 1},
      {"check zone without auto-check", n | LBS_CHECKBOX, MSG_LBUTTONDOWN, 0, 5, {6, 1}, 0, 0},
      {"text of a check-box item", checks, MSG_LBUTTONDOWN, 0, 40, {7, 1}, 0, 0},
      {"double click: a press first", n, MSG_LBUTTONDBLCLK, 1, 40, {7, 1, 2}, 1, -9},
      {"hover selects one", n, MSG_MOUSEMOVE, 3, 40, {}, 3, -9},
      {"hover in a multiple selection", n | LBS_MULTIPLESEL, MSG_MOUSEMOVE, 3, 40, {}, -1, -9},
      {"Enter", n, MSG_KEYDOWN, KEY_ENTER, 0, {8}, LB_ERR, -9},
      {"down from nothing", n, MSG_KEYDOWN, KEY_DOWN, 0, {1}, 0, -9},
      {"end", n, MSG_KEYDOWN, KEY_END, 0, {1}, 3, -9},
      {"without the notify style", 0, MSG_LBUTTONDOWN, 1, 40, {}, 1, -9},
  };
  for (const Case& c : cases) {
    WindowHandle lb = Make(c.style, {"one", "two", "three", "four"}, 2);
    const int h = static_cast<int>(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0));
    if (c.msg == MSG_KEYDOWN)
      SendMessage(lb, c.msg, c.item, 0);
    else
      SendMessage(lb, c.msg, 0, At(c.x, c.item * h + 1));
    EXPECT_EQ(Notes(), c.notes) << c.name;
    EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), c.selected) << c.name;
    if (c.check != -9) {
      EXPECT_EQ(SendMessage(lb, LB_GETCHECKMARK, 0, 0), c.check) << c.name;
    }
    DestroyMainWindow(main_);
  }
}

TEST_F(ListBoxInput, ASecondCheckZonePressClearsTheMarkAndSaysSo) {
  WindowHandle lb = Make(LBS_NOTIFY | LBS_CHECKBOX | LBS_AUTOCHECK, {"one", "two"});
  SendMessage(lb, MSG_LBUTTONDOWN, 0, At(5, 1));
  Notes();
  SendMessage(lb, MSG_LBUTTONDOWN, 0, At(5, 1));
  EXPECT_EQ(Notes(), (std::vector<int>{6, 3}));
  EXPECT_EQ(SendMessage(lb, LB_GETCHECKMARK, 0, 0), 0);
  SendMessage(lb, LB_SETCURSEL, 1, 0);
  SendMessage(lb, MSG_CHAR, ' ', 0);  // space on the current item
  EXPECT_EQ(Notes(), (std::vector<int>{6}));
  EXPECT_EQ(SendMessage(lb, LB_GETCHECKMARK, 1, 0), 1);
}

TEST_F(ListBoxInput, KeysWrapAndPassOverDisabledItemsAndLettersFindItems) {
  WindowHandle lb = Make(LBS_NOTIFY, {"a", "b", "x", "b"}, 2);
  SendMessage(lb, LB_SETCURSEL, 3, 0);
  SendMessage(lb, MSG_KEYDOWN, KEY_DOWN, 0);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 0) << "down on the last item wraps to the first";
  SendMessage(lb, LB_SETCURSEL, 1, 0);
  SendMessage(lb, MSG_KEYDOWN, KEY_DOWN, 0);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 3) << "the disabled item is passed over";
  SendMessage(lb, MSG_CHAR, 'b', 0);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 1) << "the search starts again from the top";
  SendMessage(lb, MSG_CHAR, 'b', 0);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 3);
}

TEST_F(ListBoxInput, GridClicksFindTheirBoxOrNothing) {
  WindowHandle lb = Make(LBS_NOTIFY | LBS_GRID, {"1", "2", "3", "4", "5", "6", "7", "8"});
  const int h = static_cast<int>(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0));
  const int column = 200 / 6 + 1;
  SendMessage(lb, MSG_LBUTTONDOWN, 0, At(column * 1 + 2, h + 1));  // row 1, column 1: item 7
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 7);
  SendMessage(lb, MSG_LBUTTONDOWN, 0, At(column * 3 + 2, h + 1));  // past the last item
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 7);
  SendMessage(lb, MSG_LBUTTONDOWN, 0, At(column * 6 + 2, 1));  // a seventh column
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 7);
  // Borders and a scroll bar wider than the box leave a client of less
  // than nothing: a click there finds the first column, not a division by 0.
  WindowHandle narrow = CreateWindowEx("listbox", "", LBS_GRID | WS_BORDER | WS_VSCROLL | WS_VISIBLE, 0, kId + 1, 10,
                                       170, 3, 60, main_, 0);
  SendMessage(narrow, LB_ADDSTRING, 0, reinterpret_cast<LParam>("1"));
  SendMessage(narrow, MSG_LBUTTONDOWN, 0, At(0, 1));
  EXPECT_EQ(SendMessage(narrow, LB_GETCURSEL, 0, 0), 0);
}

// One item taller than the box: a bar over a range of one position is
// hidden by the frame, so the list must not show it again (each showing
// resizes the client, which fitted the bars again, without end).
TEST_F(ListBoxInput, BarsSettleWhenItemsOutgrowTheBox) {
  main_ = Main({0, 0, 400, 300}, 0);
  const uint32_t style = LBS_CHECKBOX | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE;
  WindowHandle lb = CreateWindowEx("listbox", "", style, 0, kId, 10, 10, 200, 120, main_, 0);
  ASSERT_NE(lb, GUI_INVALID_HANDLE);
  ListBoxItemInfo info{"one", 0, 0, 0};
  SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LParam>(&info));
  SendMessage(lb, LB_SETITEMHEIGHT, 0, 190);
  EXPECT_EQ(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0), 190);
}

TEST_F(ListBoxInput, MessagesAnswerAsCallersExpect) {
  WindowHandle lb = Make(0, {"one", "two"});
  EXPECT_EQ(SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LParam>("")), LB_ERR);
  EXPECT_EQ(SendMessage(lb, LB_ADDSTRING, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(lb, LB_SETSEL, 1, 0), LB_ERR) << "single selection";
  EXPECT_EQ(SendMessage(lb, LB_SETTEXT, 1, reinterpret_cast<LParam>("zwei")), 0);
  char text[256] = {0};
  SendMessage(lb, LB_GETTEXT, 1, reinterpret_cast<LParam>(text));
  EXPECT_STREQ(text, "zwei");
  EXPECT_EQ(SendMessage(lb, LB_SETTEXT, 5, reinterpret_cast<LParam>("x")), LB_ERR);
  EXPECT_EQ(SendMessage(lb, LB_SETSTRCMPFUNC, 0, reinterpret_cast<LParam>(&std::strncmp)), LB_ERR) << "not empty";
  EXPECT_GE(SendMessage(lb, LB_SETITEMHEIGHT, 0, 1), 8) << "never below the font height";

  SendMessage(lb, LB_ADDSTRING, 9, reinterpret_cast<LParam>("nine"));
  EXPECT_EQ(SendMessage(lb, LB_SELECTVALUE, 9, 0), -1) << "the current index stays";
  EXPECT_EQ(SendMessage(lb, LB_GETSELVALUE, 0, 0), 9);
  EXPECT_EQ(SendMessage(lb, LB_ADDDISABLED, 4, reinterpret_cast<LParam>("four")), 3);
  EXPECT_EQ(SendMessage(lb, LB_SELECTVALUE, 4, 0), LB_ERR_DISABLED);
  EXPECT_EQ(SendMessage(lb, LB_SETCURSEL, 3, 0), LB_ERR_DISABLED);
  EXPECT_EQ(SendMessage(lb, LB_GETSELVALUE, 0, 0), 4);
  SendMessage(lb, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessage(lb, LB_GETSELVALUE, 0, 0), 1) << "a value word below 1 answers the index";

  // Texts are cut to 255 bytes, never inside a double-byte character.
  std::string longText(254, 'a');
  longText += "\xD6\xD0\xCE\xC4";
  SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LParam>(longText.c_str()));
  EXPECT_EQ(SendMessage(lb, LB_GETTEXTLEN, 4, 0), 254);
  EXPECT_EQ(SendMessage(lb, LB_FINDSTRING, 99, reinterpret_cast<LParam>("zwei")), 1);
  EXPECT_EQ(SendMessage(lb, LB_FINDSTRING, 2, reinterpret_cast<LParam>("zwei")), LB_ERR);

  WindowHandle multi = Make(LBS_MULTIPLESEL, {"one", "two", "three"});
  EXPECT_EQ(SendMessage(multi, LB_SETSEL, 1, 2), 0);
  EXPECT_EQ(SendMessage(multi, LB_SETSEL, static_cast<WParam>(-1), 0), 0);
  EXPECT_EQ(SendMessage(multi, LB_SETSEL, 1, 3), LB_ERR);
  int32_t picked[4] = {0};
  EXPECT_EQ(SendMessage(multi, LB_GETSELITEMS, 4, reinterpret_cast<LParam>(picked)), 2);
  EXPECT_EQ(picked[0], 0);
  EXPECT_EQ(picked[1], 2);
}

}  // namespace

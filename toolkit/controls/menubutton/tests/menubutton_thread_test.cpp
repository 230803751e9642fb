// The menu button's list against a model under random adds, deletes and
// selections in both list kinds; and the menu's notifications.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "controls/barkit/tests/bar_fixture.h"
#include "gui/desktop.h"
#include "gui/menu.h"
#include "gui/menubutton.h"
#include "gui/input.h"
#include "gui/message.h"

namespace {

using CodeList = std::vector<int>;

class MenuButtons : public bartest::BarFixture {
 protected:
  LResult Add(WindowHandle b, const std::string& text, intptr_t position = -1) {
    MenuButtonItemInfo info{MB_WHICH_TEXT, text.c_str(), nullptr, 0};
    return SendMessage(b, MBM_ADDITEM, static_cast<WParam>(position), reinterpret_cast<LParam>(&info));
  }
  std::vector<std::string> Texts(WindowHandle b, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
      MenuButtonItemInfo info{MB_WHICH_TEXT, nullptr, nullptr, 0};
      EXPECT_EQ(SendMessage(b, MBM_GETITEMDATA, static_cast<WParam>(i), reinterpret_cast<LParam>(&info)), MB_OKAY);
      out.push_back(info.text ? info.text : "?");
    }
    return out;
  }
};

// Model: positional lists insert at the front, after n items or at the
// end; sorted lists put a text before the first later item not below it,
// so equal texts land before the ones added earlier.
struct Model {
  std::vector<std::string> texts;
  int selected = -2;
  int Add(const std::string& t, bool sorted, int position) {
    size_t at;
    if (!sorted) {
      at = position < 0 || position > static_cast<int>(texts.size()) ? texts.size() : position;
    } else if (texts.empty() || t < texts[0]) {
      at = 0;
    } else {
      at = texts.size();
      for (size_t i = 1; i < texts.size(); ++i)
        if (t <= texts[i]) { at = i; break; }
    }
    texts.insert(texts.begin() + at, t);
    if (selected >= static_cast<int>(at)) ++selected;
    return static_cast<int>(at);
  }
};

TEST_F(MenuButtons, InsertionDeletionAndSelectionFollowAModel) {
  for (uint32_t style : {0u, MBS_SORT}) {
    WindowHandle b = Make("menubutton", style, 160, 28, "Pick");
    std::mt19937 rng(style + 3);
    Model m;
    for (int step = 0; step < 600; ++step) {
      const int count = static_cast<int>(m.texts.size());
      const int pick = rng() % 10;
      if (pick < 5 || count == 0) {
        const std::string t(1 + rng() % 3, static_cast<char>('a' + rng() % 4));
        const int position = static_cast<int>(rng() % (count + 3)) - 1;
        ASSERT_EQ(Add(b, t, position), m.Add(t, style & MBS_SORT, position)) << step;
      } else if (pick < 8) {
        const int index = static_cast<int>(rng() % (count + 1));
        const LResult r = SendMessage(b, MBM_DELITEM, static_cast<WParam>(index), 0);
        if (index == count) {
          ASSERT_EQ(r, MB_INV_ITEM);
        } else {
          m.texts.erase(m.texts.begin() + index);
          if (m.selected == index) m.selected = -2;
          else if (m.selected > index) --m.selected;
        }
      } else {
        const int index = static_cast<int>(rng() % (count + 1));
        ASSERT_EQ(SendMessage(b, MBM_SETCURITEM, static_cast<WParam>(index), 0), m.selected);
        if (index < count) m.selected = index;  // an index equal to the count changes nothing
      }
      ASSERT_EQ(Texts(b, static_cast<int>(m.texts.size())), m.texts) << "step " << step;
      ASSERT_EQ(SendMessage(b, MBM_GETCURITEM, 0, 0), m.selected) << "step " << step;
    }
    EXPECT_EQ(SendMessage(b, MBM_SETSTRCMPFUNC, 0, reinterpret_cast<LParam>(&strncmp)), m.texts.empty() ? 0 : -1);
    SendMessage(b, MBM_RESETCTRL, 0, 0);
    EXPECT_EQ(SendMessage(b, MBM_GETCURITEM, 0, 0), -2);
    EXPECT_EQ(SendMessage(b, MBM_SETSTRCMPFUNC, 0, 0), -1);
    DestroyWindow(b);
  }
}

TEST_F(MenuButtons, TheMenuOpensChoosesAndEndsAsTheParentHearsIt) {
  WindowHandle b = Make("menubutton", 0, 160, 28, "Pick");
  SendMessage(b, MSG_CHAR, ' ', 0);
  EXPECT_EQ(Codes(), CodeList{}) << "no items: no menu";
  for (const char* t : {"one", "two", "three"}) Add(b, t);
  SendMessage(b, MSG_CHAR, ' ', 0);
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);  // tracking ends: the button hears 250
  EXPECT_EQ(Codes(), (CodeList{MBN_STARTMENU, MBN_ENDMENU}));
  SendMessage(b, MSG_COMMAND, MB_MENU_ID_BASE + 1, 0);
  SendMessage(b, MSG_COMMAND, MB_MENU_ID_BASE + 1, 0);  // the same again: only chosen
  SendMessage(b, MSG_COMMAND, MB_MENU_ID_BASE + 7, 0);  // no such entry
  SendMessage(b, MSG_DT_ENDTRACKMENU, 0, 0);               // no menu open any more
  EXPECT_EQ(Codes(), (CodeList{MBN_CHANGED, MBN_SELECTED, MBN_SELECTED}));
  EXPECT_EQ(SendMessage(b, MBM_GETCURITEM, 0, 0), 1);
  // A click on the body, then one on the arrow at the right end.
  for (int x : {20, 150}) {
    int sx = x, sy = 14;
    ClientToScreen(b, &sx, &sy);
    SendMessage(b, MSG_LBUTTONDOWN, 0, 0);
    SendMessage(b, MSG_LBUTTONUP, KS_CAPTURED, (sx & 0xFFFF) | (static_cast<LParam>(sy) << 16));
  }
  EXPECT_EQ(Codes(), (CodeList{MBN_CLICKED, MBN_STARTMENU}));
  DestroyWindow(b);  // while its menu is open
}

}  // namespace

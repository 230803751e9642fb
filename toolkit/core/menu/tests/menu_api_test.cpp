// Building and changing menus through the item calls, with their codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/menu/menu_marks.h"
#include "core/menu/menu_records.h"
#include "gui/app_hooks.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/menu.h"

namespace {

MenuItemInfo Text(const char* text, int id, uint32_t type = MFT_STRING) {
  MenuItemInfo info{};
  info.type = type;
  info.id = id;
  info.typeData = const_cast<char*>(text);
  return info;
}

class Menus : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitMenu()); }
  void TearDown() override { TerminateMenu(); }

  MenuHandle Popup(int items) {
    MenuItemInfo head = Text("head", 0);
    MenuHandle popup = CreatePopupMenu(&head);
    for (int i = 0; i < items; ++i) {
      MenuItemInfo item = Text(names_[i % names_.size()].c_str(), 100 + i);
      EXPECT_EQ(InsertMenuItem(popup, -1, TRUE, &item), 0);
    }
    return popup;
  }

  std::vector<int> Ids(MenuHandle menu) {
    std::vector<int> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
  }

  std::vector<std::string> names_{"a", "b", "c"};
};

TEST_F(Menus, InsertByPositionAndByIdAndErrorCodes) {
  MenuHandle popup = Popup(2);
  MenuItemInfo first = Text("first", 7), beforeId = Text("x", 8), last = Text("last", 9);
  EXPECT_EQ(InsertMenuItem(popup, 0, TRUE, &first), 0);
  EXPECT_EQ(InsertMenuItem(popup, 101, FALSE, &beforeId), 0);  // before the item with id 101
  EXPECT_EQ(InsertMenuItem(popup, 555, FALSE, &last), 0);      // no such id: last
  EXPECT_EQ(Ids(popup), (std::vector<int>{7, 100, 8, 101, 9}));
  EXPECT_EQ(IsMenu(popup), MENU_KIND_POPUP);
  EXPECT_EQ(GetMenuItemID(popup, 5), MENU_ERR_NO_POSITION);

  MenuItemInfo noText = Text(nullptr, 1), bmpNoBitmap = Text("t", 2, MFT_BMPSTRING);
  EXPECT_EQ(InsertMenuItem(popup, 0, TRUE, nullptr), MENU_ERR_INVALID_ITEM);
  EXPECT_EQ(InsertMenuItem(popup, 0, TRUE, &noText), MENU_ERR_INVALID_ITEM);
  EXPECT_EQ(InsertMenuItem(popup, 0, TRUE, &bmpNoBitmap), MENU_ERR_INVALID_ITEM);
  EXPECT_EQ(CreatePopupMenu(&bmpNoBitmap), 0u);
  EXPECT_EQ(InsertMenuItem(0, 0, TRUE, &first), MENU_ERR_NOT_FOUND);
  MenuItemInfo notAMenu{};
  notAMenu.typeData = const_cast<char*>("y");
  EXPECT_EQ(InsertMenuItem(reinterpret_cast<MenuHandle>(&notAMenu), 0, TRUE, &first), MENU_ERR_NOT_MENU);
  EXPECT_EQ(DestroyMenu(popup), 0);
  EXPECT_EQ(IsMenu(popup), 0);
  EXPECT_EQ(DestroyMenu(popup), MENU_ERR_NOT_MENU);
}

TEST_F(Menus, RemoveKeepsTheSubMenuWhileDeleteFreesIt) {
  MenuHandle popup = Popup(2), sub = Popup(3), other = Popup(1);
  MenuItemInfo withSub = Text("more", 50);
  withSub.subMenu = sub;
  ASSERT_EQ(InsertMenuItem(popup, 1, TRUE, &withSub), 0);
  EXPECT_EQ(GetSubMenu(popup, 1), sub);
  EXPECT_EQ(RemoveMenu(popup, 50, 0), 0);
  EXPECT_EQ(Ids(popup), (std::vector<int>{100, 101}));
  EXPECT_EQ(IsMenu(sub), MENU_KIND_POPUP);
  EXPECT_EQ(Ids(sub), (std::vector<int>{100, 101, 102}));
  EXPECT_EQ(RemoveMenu(popup, 50, 0), MENU_ERR_NOT_FOUND);

  withSub.subMenu = other;
  ASSERT_EQ(InsertMenuItem(popup, 0, TRUE, &withSub), 0);
  EXPECT_EQ(DeleteMenu(popup, 0, MF_BYPOSITION), 0);
  EXPECT_EQ(IsMenu(other), 0);
  EXPECT_EQ(Ids(popup), (std::vector<int>{100, 101}));
  DestroyMenu(sub);
  DestroyMenu(popup);
}

TEST_F(Menus, RadioChecksOnlyTheChosenAndEnableReturnsThePreviousBits) {
  MenuHandle popup = Popup(4);
  MenuItemInfo state{};
  state.mask = MIIM_STATE;
  state.state = MFS_CHECKED | 0x1;
  ASSERT_EQ(SetMenuItemInfo(popup, 0, TRUE, &state), 0);
  ASSERT_EQ(CheckMenuRadioItem(popup, 0, 2, 1, MF_BYPOSITION), 0);
  MenuItemInfo got{};
  got.mask = MIIM_STATE | MIIM_TYPE;
  std::vector<uint32_t> states, types;
  char text[8];  // radio items carry text too: it is copied here
  for (int i = 0; i < 4; ++i) {
    got.typeData = text;
    got.textLength = sizeof text;
    ASSERT_EQ(GetMenuItemInfo(popup, i, TRUE, &got), 0);
    states.push_back(got.state);
    types.push_back(got.type & MFT_RADIOCHECK);
  }
  EXPECT_EQ(states, (std::vector<uint32_t>{0, MFS_CHECKED, 0, 0}));
  EXPECT_EQ(types, (std::vector<uint32_t>{MFT_RADIOCHECK, MFT_RADIOCHECK, MFT_RADIOCHECK, 0}));
  // By id, from the item with id 101 to the one with 103.
  ASSERT_EQ(CheckMenuRadioItem(popup, 101, 103, 103, 0), 0);
  EXPECT_EQ(GetMenuItemInfo(popup, 3, TRUE, &got), 0);
  EXPECT_EQ(got.state, MFS_CHECKED);
  EXPECT_EQ(CheckMenuRadioItem(popup, 999, 1000, 999, 0), MENU_ERR_NOT_FOUND);

  EXPECT_EQ(EnableMenuItem(popup, 3, MF_BYPOSITION | MFS_DISABLED), static_cast<int>(MFS_CHECKED));
  EXPECT_EQ(EnableMenuItem(popup, 103, 0), static_cast<int>(MFS_DISABLED));
  EXPECT_EQ(EnableMenuItem(popup, 9, MF_BYPOSITION), -1);
  DestroyMenu(popup);
}

TEST_F(Menus, ItemInfoCopiesTextAndAppliesBitmapDefaults) {
  MenuHandle popup = Popup(1);
  MenuItemInfo got{};
  char text[3] = {'?', '?', '?'};
  got.mask = MIIM_TYPE | MIIM_ID;
  got.typeData = text;
  got.textLength = sizeof text;
  MenuItemInfo longer = Text("longer", 5);
  longer.mask = MIIM_TYPE;
  ASSERT_EQ(SetMenuItemInfo(popup, 100, FALSE, &longer), 0);
  ASSERT_EQ(GetMenuItemInfo(popup, 0, TRUE, &got), 0);
  EXPECT_EQ(std::string(text), "lo");  // cut to the buffer
  EXPECT_EQ(got.id, 100);

  Bitmap one{}, two{};
  MenuItemInfo bitmap{};
  bitmap.mask = MIIM_TYPE;
  bitmap.type = MFT_BITMAP;
  bitmap.typeData = &one;
  ASSERT_EQ(SetMenuItemInfo(popup, 0, TRUE, &bitmap), 0);
  got.mask = MIIM_CHECKMARKS | MIIM_TYPE;
  ASSERT_EQ(GetMenuItemInfo(popup, 0, TRUE, &got), 0);
  EXPECT_EQ(got.uncheckedBmp, &one);
  EXPECT_EQ(got.checkedBmp, &one);
  EXPECT_EQ(got.typeData, &one);

  MenuItemInfo both = Text("pic", 0, MFT_BMPSTRING);
  both.mask = MIIM_TYPE | MIIM_CHECKMARKS;
  EXPECT_EQ(SetMenuItemInfo(popup, 0, TRUE, &both), MENU_ERR_INVALID_ITEM);  // no bitmap 1
  both.uncheckedBmp = &two;
  ASSERT_EQ(SetMenuItemInfo(popup, 0, TRUE, &both), 0);
  ASSERT_EQ(GetMenuItemInfo(popup, 0, TRUE, &got), 0);
  EXPECT_EQ(got.checkedBmp, &two);
  EXPECT_EQ(SetMenuItemBitmaps(popup, 0, MF_BYPOSITION, nullptr, nullptr, nullptr, nullptr), MENU_ERR_INVALID_ITEM);
  EXPECT_EQ(SetMenuItemInfo(popup, 42, FALSE, &both), MENU_ERR_NOT_FOUND);
  DestroyMenu(popup);
}

// A record read from an item and given back unchanged keeps the item as
// it was: the text of a bitmap-and-text item is copied out, never lent.
TEST_F(Menus, ItemInfoGivenBackKeepsALongText) {
  MenuHandle popup = Popup(1);
  Bitmap picture{};
  const std::string text(300, 'x');
  MenuItemInfo both = Text(text.c_str(), 7, MFT_BMPSTRING);
  both.mask = MIIM_TYPE | MIIM_CHECKMARKS;
  both.uncheckedBmp = &picture;
  ASSERT_EQ(SetMenuItemInfo(popup, 0, TRUE, &both), 0);
  std::vector<char> buffer(400, '?');
  MenuItemInfo got{};
  got.mask = MIIM_TYPE | MIIM_CHECKMARKS;
  got.typeData = buffer.data();
  got.textLength = static_cast<uint32_t>(buffer.size());
  ASSERT_EQ(GetMenuItemInfo(popup, 0, TRUE, &got), 0);
  EXPECT_EQ(got.typeData, buffer.data());
  EXPECT_EQ(std::string(buffer.data()), text);
  for (int round = 0; round < 2; ++round) ASSERT_EQ(SetMenuItemInfo(popup, 0, TRUE, &got), 0);
  std::vector<char> again(400, '?');
  got.typeData = again.data();
  ASSERT_EQ(GetMenuItemInfo(popup, 0, TRUE, &got), 0);
  EXPECT_EQ(std::string(again.data()), text);
  DestroyMenu(popup);
}

// Past their first blocks (64 bars, 512 items) records come from the
// general heap; destroyed, every one answers as no menu without its memory
// being read (AddressSanitizer watches that).
TEST_F(Menus, DestroyedHandlesAnswerAsNoMenuFromEveryPool) {
  std::vector<MenuHandle> bars, popups;
  for (int i = 0; i < 70; ++i) bars.push_back(CreateMenu());
  for (int i = 0; i < 600; ++i) popups.push_back(Popup(0));
  for (MenuHandle h : bars) ASSERT_EQ(IsMenu(h), MENU_KIND_BAR);
  for (MenuHandle h : popups) ASSERT_NE(IsMenu(h), 0);
  for (MenuHandle h : bars) EXPECT_EQ(DestroyMenu(h), 0);
  for (MenuHandle h : popups) EXPECT_EQ(DestroyMenu(h), 0);
  for (MenuHandle h : bars) {
    EXPECT_EQ(IsMenu(h), 0);
    EXPECT_EQ(GetMenuItemCount(h), MENU_ERR_NOT_MENU);
    EXPECT_EQ(DestroyMenu(h), MENU_ERR_NOT_MENU);
  }
  for (MenuHandle h : popups) EXPECT_EQ(IsMenu(h), 0);
}

TEST_F(Menus, StrippingTheHeadLeavesAnItemList) {
  MenuHandle popup = Popup(3);
  MenuHandle first = StripPopupHead(popup);
  EXPECT_EQ(IsMenu(popup), 0);
  EXPECT_EQ(IsMenu(first), MENU_KIND_ITEM);
  EXPECT_EQ(GetMenuItemCount(first), 3);
  MenuItemInfo more = Text("more", 1);
  EXPECT_EQ(InsertMenuItem(first, 0, TRUE, &more), MENU_ERR_NOT_FOUND);  // an item takes no items
  // The list answers for its items by position and by id, as the popup did.
  EXPECT_EQ(Ids(first), (std::vector<int>{100, 101, 102}));
  more.mask = MIIM_TYPE | MIIM_ID;
  ASSERT_EQ(SetMenuItemInfo(first, 102, FALSE, &more), 0);
  EXPECT_EQ(GetMenuItemID(first, 2), 1);
  EXPECT_EQ(SetMenuItemInfo(first, 102, FALSE, &more), MENU_ERR_NOT_FOUND);
  EXPECT_EQ(GetMenuItemID(first, 3), MENU_ERR_NO_POSITION);
  DestroyMenu(first);
  MenuHandle bar = CreateMenu();
  EXPECT_EQ(IsMenu(bar), MENU_KIND_BAR);
  EXPECT_EQ(GetMenuItemCount(bar), 0);
  EXPECT_EQ(DestroyMenu(bar), 0);
}

// A sub-menu hung in as a stripped item list goes whole with its owner, at
// every depth: no item of it stays behind.
TEST_F(Menus, DestroyingAMenuFreesEveryItemOfAStrippedSubMenu) {
  MenuHandle inner = StripPopupHead(Popup(3));
  MenuHandle middle = Popup(2);
  MenuItemInfo hook = Text("inner", 7);
  hook.subMenu = inner;
  ASSERT_EQ(InsertMenuItem(middle, -1, TRUE, &hook), 0);
  MenuHandle list = StripPopupHead(middle);
  MenuHandle top = Popup(1);
  hook.subMenu = list;
  ASSERT_EQ(InsertMenuItem(top, -1, TRUE, &hook), 0);
  std::vector<MenuHandle> items;
  for (MenuHandle m : {inner, list})
    for (menu::ItemRecord* it = menu::ItemOf(m); it; it = it->next) items.push_back(menu::HandleOf(it));
  ASSERT_EQ(items.size(), 6u);
  ASSERT_EQ(DestroyMenu(top), 0);
  for (MenuHandle item : items) EXPECT_EQ(IsMenu(item), 0);
}

int YuvDepth(uint8_t* code) {
  *code = 16;
  return 0;
}

// A YUV output with menu colours of white ink on two backgrounds; all put
// back however the test ends.
struct YuvMenus {
  static constexpr int kIndices[4] = {8, 9, 27, 28};
  static constexpr GalPixel kColours[4] = {0xFFFFFF, 0xFFFFFF, 0x000080, 0x800000};
  GalPixel saved[4];
  YuvMenus() {
    static GuiAppCallbacks cb{};
    cb.getColorDepthCode = YuvDepth;
    SetAppCallbacks(&cb);
    for (int i = 0; i < 4; ++i) {
      saved[i] = WinElementColors[kIndices[i]];
      WinElementColors[kIndices[i]] = kColours[i];
    }
  }
  ~YuvMenus() {
    TerminateMenu();
    for (int i = 0; i < 4; ++i) WinElementColors[kIndices[i]] = saved[i];
    GAL_VideoQuit();
    SetAppCallbacks(nullptr);
  }
};

// On a YUV output the mark's copy follows every redraw: the keyed
// background clear, the pattern's pixels in luma.
TEST(MenuMarks, YuvCopyFollowsEachRedraw) {
  YuvMenus output;
  ASSERT_EQ(InitGAL(), 0);
  ASSERT_TRUE(InitMenu());
  auto luma = [](const Bitmap* b, int x, int y) { return b->bmYPlane[y * menu::kMarkWidth + x]; };
  const Bitmap* check = menu::MarkBitmap(menu::Mark::kCheck, false);
  ASSERT_NE(check, nullptr);
  ASSERT_NE(check->bmYPlane, nullptr);
  EXPECT_EQ(luma(check, 0, 0), 0) << "background";
  EXPECT_GE(luma(check, 12, 1), 16) << "the tick";
  const Bitmap* dot = menu::MarkBitmap(menu::Mark::kDot, true);
  EXPECT_EQ(luma(dot, 12, 1), 0) << "the tick is gone";
  EXPECT_GE(luma(dot, 4, 4), 16) << "the dot";
}

}  // namespace

// Layout numbers, placement at the screen's edges, scrolling and the hit
// test of popups laid out on the real metrics and fonts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/menu/menu_style.h"
#include "core/menu/popup_bands.h"
#include "core/menu/tracking.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/menu.h"

namespace {

using menu::TrackingRecord;

struct Band {
  const menu::ItemRecord* record;
  int count, top;
};

class PopupLayout : public guitest::StartedGui {
 protected:
  void TearDown() override {
    for (TrackingRecord* t : records_) menu::FreeTracking(t);
    for (MenuHandle m : menus_) DestroyMenu(m);
    guitest::StartedGui::TearDown();
  }

  MenuHandle Popup(int items, const std::string& text = "Item", uint32_t type = MFT_STRING, void* data = nullptr) {
    MenuItemInfo info{};
    info.typeData = const_cast<char*>("Head");
    MenuHandle popup = CreatePopupMenu(&info);
    for (int i = 0; i < items; ++i) {
      names_.push_back(std::make_unique<std::string>(text + " " + std::to_string(i)));
      info.type = type;
      info.id = i;
      info.typeData = data ? data : const_cast<char*>(names_.back()->c_str());
      EXPECT_EQ(InsertMenuItem(popup, -1, TRUE, &info), 0);
    }
    menus_.push_back(popup);
    return popup;
  }

  TrackingRecord* Laid(MenuHandle popup, int x, int y, uint32_t flags = 0, TrackingRecord* parent = nullptr) {
    TrackingRecord* t = menu::NewTracking(menu::ItemOf(popup), x, y, 0, flags);
    t->parent = parent;
    records_.push_back(t);
    menu::LayoutPopupMenu(t);
    t->frame = t->head.rect;
    return t;
  }

  static std::vector<Band> Bands(const TrackingRecord* t) {
    std::vector<Band> out;
    menu::WalkBands(t, [&](const menu::ItemRecord* r, int c, int y) {
      out.push_back({r, c, y});
      return true;
    });
    return out;
  }

  std::vector<TrackingRecord*> records_;
  std::vector<MenuHandle> menus_;
  std::vector<std::unique_ptr<std::string>> names_;
};

TEST_F(PopupLayout, ColumnsRowsAndAFrameThatHoldsEveryItem) {
  struct Case {
    int items;
    uint32_t bit;
    int rows;
  };
  const int bottomMargin = menu::Metric(menu::kBottomMargin);
  int heightOf11 = 0, heightOf12 = 0;
  for (const Case& c : {Case{10, 0u, 0}, Case{11, MFT_TWOCOLUMNS, 6}, Case{12, MFT_TWOCOLUMNS, 6},
                        Case{21, MFT_THREECOLUMNS, 7}, Case{24, MFT_THREECOLUMNS, 8}}) {
    SCOPED_TRACE(c.items);
    TrackingRecord* t = Laid(Popup(c.items), 40, 20);
    EXPECT_EQ(t->popup->type & menu::kColumnBits, c.bit);
    EXPECT_EQ(t->rows, c.rows);
    int tallest = 0;
    for (const Band& b : Bands(t)) {
      EXPECT_EQ(b.record->type & menu::kColumnBits, c.bit);
      tallest = std::max(tallest, b.top + b.record->measure);
    }
    EXPECT_LE(tallest, t->head.rect.bottom - bottomMargin);  // no item lies below the frame
    if (c.items == 11) heightOf11 = t->head.rect.bottom - t->head.rect.top;
    if (c.items == 12) heightOf12 = t->head.rect.bottom - t->head.rect.top;
  }
  EXPECT_GT(heightOf12, heightOf11);  // the twelfth item grew the frame
}

TEST_F(PopupLayout, PlacementFlagsAndTheScreenEdges) {
  const int sw = menu::ScreenWidth(), sh = menu::ScreenHeight();
  MenuHandle popup = Popup(4);
  TrackingRecord* free = Laid(popup, 100, 100);
  const Rect& r = free->head.rect;
  const int w = r.right - r.left, h = r.bottom - r.top;
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);

  EXPECT_EQ(Laid(popup, 500, 100, TPM_RIGHTALIGN)->head.rect.right, 500);
  EXPECT_EQ(Laid(popup, 501, 100, TPM_RIGHTALIGN)->head.rect.right, 500);  // even
  const Rect below = Laid(popup, 100, sh - 10)->head.rect;
  EXPECT_EQ(below.bottom, sh & ~1);
  EXPECT_NEAR(below.bottom - below.top, h, 2);  // moved up, not cut
  const Rect right = Laid(popup, sw - 10, 100)->head.rect;
  EXPECT_EQ(right.right, sw & ~1);
  EXPECT_EQ(right.right - right.left, w);

  // A sub-popup that does not fit right of its parent opens left of it.
  TrackingRecord* parent = Laid(popup, sw - w, 100);
  const Rect flipped = Laid(popup, parent->head.rect.right, 120, 0, parent)->head.rect;
  EXPECT_EQ(flipped.right, parent->head.rect.left);
  // No room on either side: the wider side, narrowed to it.
  MenuHandle wide = Popup(2, std::string(120, 'W'));
  parent->head.rect = Rect{40, 100, sw - 60, 200};
  const Rect squeezed = Laid(wide, sw - 60, 120, 0, parent)->head.rect;
  EXPECT_EQ(squeezed.left, sw - 60);
  EXPECT_EQ(squeezed.right, sw & ~1);
  parent->head.rect = Rect{80, 100, sw - 40, 200};
  const Rect leftSide = Laid(wide, sw - 40, 120, 0, parent)->head.rect;
  EXPECT_EQ(leftSide.left, 0);
  EXPECT_EQ(leftSide.right, 80);
}

TEST_F(PopupLayout, APopupTallerThanTheScreenScrollsOneRecordPerHover) {
  const int sh = menu::ScreenHeight();
  guitest::SolidBitmap tall(20, sh / 6, {{guitest::Rgb(10, 20, 30)}});
  Bitmap bitmap = tall.Get();
  MenuHandle popup = Popup(8, "", MFT_BITMAP, &bitmap);
  TrackingRecord* t = Laid(popup, 100, 50);
  EXPECT_EQ(t->head.rect.top, 0);
  EXPECT_GT(t->head.rect.bottom, sh);
  menu::DrawPopupMenu(t);
  ASSERT_TRUE(t->bottomShown);
  EXPECT_EQ(t->frame.bottom, sh - menu::Font4Height());

  menu::ItemRecord* under = nullptr;
  bool done = false;
  const int x = (t->head.rect.left + t->head.rect.right) / 2;
  menu::ItemRecord* first = menu::ListAfter(t->popup);
  ASSERT_TRUE(menu::HoverScrollBox(t, x, sh - 1, &under, &done));
  EXPECT_EQ(t->firstShown, first);
  EXPECT_TRUE(t->topShown);
  ASSERT_TRUE(menu::HoverScrollBox(t, x, sh - 1, &under, &done));
  EXPECT_EQ(t->firstShown, first->next);
  // Up from the first item brings the head back by a full drawing.
  ASSERT_TRUE(menu::HoverScrollBox(t, x, 1, &under, &done));
  EXPECT_EQ(t->firstShown, first);
  ASSERT_TRUE(menu::HoverScrollBox(t, x, 1, &under, &done));
  EXPECT_TRUE(done);
  EXPECT_EQ(t->firstShown, t->popup);
  EXPECT_FALSE(t->topShown);
  EXPECT_TRUE(t->bottomShown);

  // Keys: down selects the first item; up from it draws the popup from its
  // start and keeps the item selected.
  menu::MoveSelectionDown(t, nullptr);
  EXPECT_EQ(t->selected, first);
  menu::MoveSelectionUp(t, first);
  EXPECT_EQ(t->selected, first);
  EXPECT_TRUE(first->state & MFS_HILITE);
  EXPECT_EQ(t->firstShown, t->popup);
}

TEST_F(PopupLayout, SeparatorsAreNeverSelected) {
  MenuItemInfo separator{};
  separator.type = MFT_SEPARATOR;
  MenuHandle popup = Popup(0);
  for (int i = 0; i < 3; ++i) InsertMenuItem(popup, -1, TRUE, &separator);
  TrackingRecord* t = Laid(popup, 50, 50);
  EXPECT_EQ(menu::NextSelectableItem(t, nullptr), nullptr);
  EXPECT_EQ(menu::PrevSelectableItem(t, menu::ListAfter(t->popup)), nullptr);
  menu::DrawPopupMenu(t);
  menu::MoveSelectionDown(t, nullptr);
  EXPECT_EQ(t->selected, nullptr);
}

TEST_F(PopupLayout, BandEdgesHitInclusiveAtLeftAndTopOnly) {
  for (int items : {5, 14, 23}) {
    SCOPED_TRACE(items);
    TrackingRecord* t = Laid(Popup(items), 30, 30);
    const Rect& f = t->frame;
    const int w = f.right - f.left, tm = menu::Metric(menu::kTopMargin), columns = menu::ColumnsOf(t->popup);
    for (const Band& b : Bands(t)) {
      if (b.count == 0) continue;
      const int column = menu::ColumnOf(b.record, b.count, t->rows);
      const int left = column == 0 ? f.left : f.left + (column * w) / columns;
      // Level with the head, a later column answers its first record.
      const bool besideHead = column > 0 && b.top < f.top + tm + t->popup->measure;
      if (!besideHead) {
        EXPECT_EQ(menu::PopupItemFromPoint(t, left, b.top), b.record);
        EXPECT_EQ(t->itemRect.top, b.top);
      }
      if (b.top + b.record->measure >= f.top + tm + t->popup->measure || column == 0) {
        EXPECT_NE(menu::PopupItemFromPoint(t, left, b.top + b.record->measure), b.record);
      }
      if (columns > 1 && column == 0) {  // the first column ends short of the divider
        EXPECT_NE(menu::PopupItemFromPoint(t, f.left + w / columns - tm, b.top), b.record);
      }
    }
    EXPECT_EQ(menu::PopupItemFromPoint(t, f.left - 1, f.top + tm), nullptr);
  }
}

}  // namespace

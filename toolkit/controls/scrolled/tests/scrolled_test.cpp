// The scrolling model under random resizes, content changes and scroll
// codes, and the item list's selection ring and stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "gui/nonclient.h"
#include "gui/scrolled.h"

namespace {

int g_moves = 0;
void CountMoves(WindowHandle, ScrolledData*, BOOL) { ++g_moves; }

ScrolledData Fresh(int w, int h) {
  ScrolledData d{};
  scrolled_init(0, &d, w, h);
  d.move_content = CountMoves;
  return d;
}

void ExpectInvariants(const ScrolledData& d) {
  ASSERT_GE(d.nContWidth, d.visibleWidth);
  ASSERT_GE(d.nContHeight, d.visibleHeight);
  ASSERT_GE(d.nContX, 0);
  ASSERT_GE(d.nContY, 0);
  ASSERT_LE(d.nContX, d.nContWidth - d.visibleWidth);
  ASSERT_LE(d.nContY, d.nContHeight - d.visibleHeight);
}

TEST(Scrolled, AnswersAndClampsAsDocumented) {
  ScrolledData d = Fresh(200, 100);
  EXPECT_EQ(scrolled_set_cont_width(0, &d, 100), 0);  // raised to the visible width, unchanged
  EXPECT_EQ(scrolled_set_cont_width(0, &d, 1000), 1000);
  EXPECT_EQ(scrolled_set_cont_width(0, &d, 1000), 0);
  EXPECT_EQ(scrolled_set_cont_width(0, &d, -5), 0);
  EXPECT_EQ(scrolled_set_cont_pos(0, &d, 900, -1), 1);
  EXPECT_EQ(d.nContX, 800);
  scrolled_hscroll(0, &d, SB_LINERIGHT, 0);
  EXPECT_EQ(d.nContX, 800);
  EXPECT_EQ(scrolled_set_cont_pos(0, &d, -1, 50), 1);  // clamped to the only offset, 0
  EXPECT_EQ(d.nContY, 0);
  EXPECT_EQ(scrolled_set_cont_pos(0, &d, -1, -1), 0);

  g_moves = 0;
  scrolled_make_pos_visible(0, &d, 850, 10);  // already visible
  EXPECT_EQ(g_moves, 0);
  scrolled_make_pos_visible(0, &d, 10, -1);
  EXPECT_EQ(d.nContX, 10);

  ScrolledData r = Fresh(200, 200);
  scrolled_set_cont_height(0, &r, 500);
  scrolled_recalc_areas(0, &r, 300, 300);
  EXPECT_EQ(r.nContWidth, 300);   // followed the visible width
  EXPECT_EQ(r.nContHeight, 500);  // larger content stays
}

TEST(Scrolled, RandomResizesAndScrollsKeepTheOffsetsInsideTheContent) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    ScrolledData d = Fresh(1 + rng() % 400, 1 + rng() % 400);
    for (int step = 0; step < 300; ++step) {
      switch (rng() % 6) {
        case 0: scrolled_recalc_areas(0, &d, 1 + rng() % 500, 1 + rng() % 500); break;
        case 1: scrolled_set_cont_width(0, &d, static_cast<int>(rng() % 2000) - 100); break;
        case 2: scrolled_set_cont_height(0, &d, static_cast<int>(rng() % 2000) - 100); break;
        case 3: scrolled_hscroll(0, &d, 1 + rng() % 10, static_cast<int>(rng() % 2500) - 200); break;
        case 4: scrolled_vscroll(0, &d, 1 + rng() % 10, static_cast<int>(rng() % 2500) - 200); break;
        default:
          scrolled_make_pos_visible(0, &d, static_cast<int>(rng() % 2500) - 200, static_cast<int>(rng() % 2500) - 200);
      }
      ExpectInvariants(d);
      if (HasFatalFailure()) return;
    }
  }
}

struct Item {
  GuiListItem base;
  int key;
  int order;
};

int ByKey(GuiListItem* a, GuiListItem* b) {
  return reinterpret_cast<Item*>(a)->key - reinterpret_cast<Item*>(b)->key < 0 ? -1 : 1;
}

TEST(GuiListModel, SortIsStableAndHighlightKeepsOldSelection) {
  std::mt19937 rng(3);
  GuiList list;
  guilist_init(&list, 0);
  std::vector<Item> items(60);
  for (int i = 0; i < 60; ++i) {
    items[i] = Item{{}, static_cast<int>(rng() % 7), i};
    int at = -2;
    ASSERT_EQ(guilist_add_item(&list, &items[i].base, nullptr, nullptr, -1, &at), 0);
    EXPECT_EQ(at, i);
  }
  EXPECT_EQ(guilist_sort_items(&list, nullptr, 0), -1);
  ASSERT_EQ(guilist_sort_items(&list, reinterpret_cast<void*>(&ByKey), 0), 0);
  std::vector<Item> expect = items;
  std::stable_sort(expect.begin(), expect.end(), [](const Item& a, const Item& b) { return a.key < b.key; });
  int i = 0;
  for (GuiListItem* it = guilist_get_next_item(&list, nullptr); it; it = guilist_get_next_item(&list, it), ++i)
    EXPECT_EQ(reinterpret_cast<Item*>(it)->order, expect[i].order) << i;
  EXPECT_EQ(i, 60);
  EXPECT_EQ(guilist_get_prev_item(&list, guilist_get_next_item(&list, nullptr)), nullptr);

  GuiListItem* a = guilist_getitem_byindex(&list, 3);
  GuiListItem* b = guilist_getitem_byindex(&list, 9);
  guilist_hilight_item(&list, a);
  guilist_hilight_item(&list, b);
  EXPECT_EQ(list.currentItem, b);
  EXPECT_TRUE(a->flags & GUILIST_ITEM_SELECTED);
  guilist_del_item(&list, b);
  EXPECT_EQ(list.currentItem, nullptr);
  guilist_unselect_all(&list);
  EXPECT_FALSE(a->flags & GUILIST_ITEM_SELECTED);
  EXPECT_EQ(list.nItemNr, 59);
  guilist_destroy(&list);
}

// The list's insertion sort, step by step on a plain vector: for each item
// in list order, the first earlier item it compares negative against, and
// the item moves before it.
std::vector<int> ReferenceOrder(std::vector<Item*> v, int (*cmp)(GuiListItem*, GuiListItem*)) {
  for (size_t i = 1; i < v.size(); ++i)
    for (size_t b = 0; b < i; ++b)
      if (cmp(&v[i]->base, &v[b]->base) < 0) {
        Item* moved = v[i];
        v.erase(v.begin() + static_cast<long>(i));
        v.insert(v.begin() + static_cast<long>(b), moved);
        break;
      }
  std::vector<int> order;
  for (Item* it : v) order.push_back(it->order);
  return order;
}

int Descending(GuiListItem* a, GuiListItem* b) {
  return reinterpret_cast<Item*>(a)->key > reinterpret_cast<Item*>(b)->key ? -1 : 0;
}
// Negative for equal keys both ways round ("less or equal").
int NegativeWhenEqual(GuiListItem* a, GuiListItem* b) {
  return reinterpret_cast<Item*>(a)->key <= reinterpret_cast<Item*>(b)->key ? -1 : 1;
}
// Rock, paper, scissors on the keys modulo 3: intransitive.
int Intransitive(GuiListItem* a, GuiListItem* b) {
  const int d = (reinterpret_cast<Item*>(b)->key - reinterpret_cast<Item*>(a)->key + 30) % 3;
  return d == 1 ? -1 : 1;
}

TEST(GuiListModel, SortGivesTheInsertionSortsOrderForEveryComparison) {
  struct Case {
    const char* name;
    int (*cmp)(GuiListItem*, GuiListItem*);
  } cases[] = {{"by key", ByKey}, {"descending", Descending}, {"negative when equal", NegativeWhenEqual},
               {"intransitive", Intransitive}};
  std::mt19937 rng(11);
  for (const Case& c : cases) {
    for (int n : {0, 1, 2, 3, 17, 64, 301}) {
      GuiList list;
      guilist_init(&list, 0);
      std::vector<Item> items(static_cast<size_t>(n));
      std::vector<Item*> start;
      for (int i = 0; i < n; ++i) {
        items[i] = Item{{}, static_cast<int>(rng() % (i % 2 ? 5 : 1000)), i};
        ASSERT_EQ(guilist_add_item(&list, &items[i].base, nullptr, nullptr, -1, nullptr), 0);
        start.push_back(&items[i]);
      }
      ASSERT_EQ(guilist_sort_items(&list, reinterpret_cast<void*>(c.cmp), 0), 0);
      std::vector<int> got;
      for (GuiListItem* it = guilist_get_next_item(&list, nullptr); it; it = guilist_get_next_item(&list, it))
        got.push_back(reinterpret_cast<Item*>(it)->order);
      std::vector<int> back;  // the ring both ways
      for (GuiListItem* it = guilist_get_prev_item(&list, nullptr); it; it = guilist_get_prev_item(&list, it))
        back.insert(back.begin(), reinterpret_cast<Item*>(it)->order);
      const std::vector<int> want = ReferenceOrder(start, c.cmp);
      if (c.cmp == Intransitive) {
        // Every item stays once in the list.
        EXPECT_EQ(back, got);
        std::sort(got.begin(), got.end());
        std::vector<int> all(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) all[i] = i;
        EXPECT_EQ(got, all) << c.name << " n=" << n;
      } else {
        EXPECT_EQ(got, want) << c.name << " n=" << n;
        EXPECT_EQ(back, want) << c.name << " n=" << n;
      }
      EXPECT_EQ(list.nItemNr, n);
      guilist_destroy(&list);
    }
  }
}

}  // namespace

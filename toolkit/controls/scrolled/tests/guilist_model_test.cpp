// The item list against a plain vector under random inserts, deletes,
// moves, sorts, height changes and selections: positions, tops, the item
// under a content row and the ring order must match the vector's after
// every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "controls/scrolled/guilist_index.h"
#include "gui/scrolled.h"

namespace {

struct Row {
  GuiListItem base;
  int height;
  int key;
};

int HeightOf(const GuiListItem* item) { return reinterpret_cast<const Row*>(item)->height; }

int ByKey(GuiListItem* a, GuiListItem* b) {
  return reinterpret_cast<Row*>(a)->key < reinterpret_cast<Row*>(b)->key ? -1 : 1;
}

class Model {
 public:
  // `oneHeight`: rows are made as high as each other, and only now and
  // then does a height change break that.
  explicit Model(bool oneHeight) : oneHeight_(oneHeight) { guilist_init(&list_, 0); }
  ~Model() { guilist_destroy(&list_); }

  Row* Make(std::mt19937* rng) {
    rows_.push_back(std::make_unique<Row>());
    Row* row = rows_.back().get();
    row->height = oneHeight_ ? kOneHeight : static_cast<int>((*rng)() % 4) * 7;  // some rows without height
    row->key = static_cast<int>((*rng)() % 20);
    return row;
  }

  void Step(std::mt19937* rng) {
    const size_t n = model_.size();
    const size_t pick = n ? (*rng)() % n : 0;
    switch ((*rng)() % 8) {
      case 0:
      case 1: {  // append, or insert at an index, after or before a row
        Row* row = Make(rng);
        int at = -1, got = -2;
        GuiListItem *after = nullptr, *before = nullptr;
        const int how = n ? static_cast<int>((*rng)() % 4) : 0;
        if (how == 1) at = static_cast<int>((*rng)() % (n + 3));  // past the end appends
        if (how == 2) after = &model_[pick]->base;
        if (how == 3) before = &model_[pick]->base;
        ASSERT_EQ(guilist_add_item(&list_, &row->base, after, before, at, &got), 0);
        size_t want = n;
        if (how == 1 && static_cast<size_t>(at) < n) want = static_cast<size_t>(at);
        if (how == 2) want = pick + 1;
        if (how == 3) want = pick;
        model_.insert(model_.begin() + static_cast<long>(want), row);
        EXPECT_EQ(got, static_cast<int>(want));
        break;
      }
      case 2:
        if (!n) break;
        ASSERT_EQ(guilist_del_item(&list_, &model_[pick]->base), 0);
        EXPECT_EQ(guilist_del_item(&list_, &model_[pick]->base), -1);  // no longer there
        model_.erase(model_.begin() + static_cast<long>(pick));
        break;
      case 3: {
        if (n < 2) break;
        const size_t to = (*rng)() % n;
        if (to == pick) break;
        Row* moved = model_[pick];
        Row* before = model_[to];
        ASSERT_EQ(guilist_move_item(&list_, &moved->base, &before->base), 0);
        model_.erase(model_.begin() + static_cast<long>(pick));
        model_.insert(std::find(model_.begin(), model_.end(), before), moved);
        break;
      }
      case 4:
        if ((*rng)() % 4) break;  // sorts are rarer, so disorder builds up
        ASSERT_EQ(guilist_sort_items(&list_, reinterpret_cast<void*>(&ByKey), 0), 0);
        std::stable_sort(model_.begin(), model_.end(), [](Row* a, Row* b) { return a->key < b->key; });
        break;
      case 5:
      case 6:
        if (!n) break;
        if (oneHeight_ && (*rng)() % 4) break;
        model_[pick]->height = static_cast<int>((*rng)() % 4) * 5;
        guilist::HeightChanged(&list_, &model_[pick]->base);
        break;
      default:
        if (!n) break;
        guilist_hilight_item(&list_, &model_[pick]->base);
        EXPECT_EQ(list_.currentItem, &model_[pick]->base);
        EXPECT_EQ(guilist_get_item_index(&list_, list_.currentItem), static_cast<int>(pick));
        break;
    }
  }

  void Check(std::mt19937* rng) {
    ASSERT_EQ(list_.nItemNr, static_cast<int>(model_.size()));
    std::vector<int64_t> tops{0};
    for (Row* row : model_) tops.push_back(tops.back() + row->height);
    // Asked in a random order: a question about a late row must not leave
    // an early one wrong.
    std::vector<size_t> asks(model_.size());
    for (size_t i = 0; i < asks.size(); ++i) asks[i] = i;
    std::shuffle(asks.begin(), asks.end(), *rng);
    for (size_t i : asks) {
      ASSERT_EQ(guilist_get_item_index(&list_, &model_[i]->base), static_cast<int>(i));
      ASSERT_EQ(guilist::Top(&list_, &model_[i]->base, HeightOf), tops[i]) << i;
      ASSERT_EQ(guilist_getitem_byindex(&list_, static_cast<int>(i)), &model_[i]->base);
    }
    EXPECT_EQ(guilist_getitem_byindex(&list_, static_cast<int>(model_.size())), nullptr);
    EXPECT_EQ(guilist_getitem_byindex(&list_, -1), nullptr);
    size_t i = 0;
    for (GuiListItem* it = guilist_get_next_item(&list_, nullptr); it; it = guilist_get_next_item(&list_, it), ++i)
      ASSERT_EQ(it, &model_[i]->base);
    ASSERT_EQ(i, model_.size());
    for (int64_t y = -1; y <= tops.back(); ++y) {
      int want = -1;
      for (size_t k = 0; k < model_.size(); ++k)
        if (model_[k]->height > 0 && y >= tops[k] && y < tops[k + 1]) want = static_cast<int>(k);
      GuiListItem* hit = nullptr;
      int64_t top = -1;
      ASSERT_EQ(guilist::ItemAtY(&list_, y, HeightOf, &hit, &top), want) << "y " << y;
      if (want >= 0) {
        EXPECT_EQ(hit, &model_[static_cast<size_t>(want)]->base);
        EXPECT_EQ(top, tops[static_cast<size_t>(want)]);
      }
    }
  }

 private:
  static constexpr int kOneHeight = 7;
  bool oneHeight_;
  GuiList list_;
  std::vector<std::unique_ptr<Row>> rows_;  // owns every row ever made
  std::vector<Row*> model_;
};

TEST(GuiListModel, PositionsTopsAndHitsFollowAVectorUnderRandomEdits) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    std::mt19937 rng(seed);
    Model model(seed > 4);
    for (int step = 0; step < 600; ++step) {
      model.Step(&rng);
      if (step % 3 == 0) model.Check(&rng);
      if (testing::Test::HasFatalFailure()) FAIL() << "seed " << seed << " step " << step;
    }
  }
}

TEST(GuiListModel, RefusesItemsFromElsewhere) {
  GuiList list;
  guilist_init(&list, 0);
  Row a{}, b{}, stranger{};
  ASSERT_EQ(guilist_add_item(&list, &a.base, nullptr, nullptr, -1, nullptr), 0);
  ASSERT_EQ(guilist_add_item(&list, &b.base, nullptr, nullptr, -1, nullptr), 0);
  stranger.base.position = 1;  // claims a place it does not hold
  EXPECT_EQ(guilist_get_item_index(&list, &stranger.base), -1);
  EXPECT_EQ(guilist_del_item(&list, &stranger.base), -1);
  EXPECT_EQ(guilist_move_item(&list, &stranger.base, nullptr), -1);
  Row c{};
  EXPECT_EQ(guilist_add_item(&list, &c.base, &stranger.base, nullptr, -1, nullptr), -1);
  EXPECT_EQ(list.nItemNr, 2);
  guilist_del_item(&list, &a.base);
  guilist_del_item(&list, &b.base);
  EXPECT_EQ(list.index, nullptr);  // freed with the last item
}

}  // namespace

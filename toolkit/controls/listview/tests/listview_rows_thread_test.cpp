// The list view's row tree under random adds at any slot, subtree deletes,
// folds and unfolds, checked after every step against a reference model of
// list order, parent links, descendant counts, item heights and the content
// height; and flat lists sorted against a stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "controls/listview/listview_internal.h"
#include "controls/listview/tests/listview_fixture.h"
#include "gui/message.h"

namespace {

struct Node {
  int id = 0;
  int height = 0;
  bool folded = false;
  Node* parent = nullptr;
  std::vector<Node*> children;
  HLVROW row = nullptr;
};

struct Model {
  std::map<int, std::unique_ptr<Node>> nodes;
  Node root;

  // The sibling slot: after the child at index - 1 (or the first, or the
  // last); first under a parent without children.
  void Add(Node* parent, int index, Node* n) {
    n->parent = parent;
    auto& c = parent->children;
    const int slot = c.empty() ? 0 : std::min(std::max(index - 1, 0), static_cast<int>(c.size()) - 1) + 1;
    c.insert(c.begin() + slot, n);
  }
  void Remove(Node* n) {
    auto& c = n->parent->children;
    c.erase(std::find(c.begin(), c.end(), n));
    std::function<void(Node*)> drop = [&](Node* x) {
      for (Node* k : x->children) drop(k);
      nodes.erase(x->id);
    };
    drop(n);
  }
  static bool Hidden(const Node* n) {
    for (Node* a = n->parent; a; a = a->parent)
      if (a->folded) return true;
    return false;
  }
  static int Descendants(const Node* n) {
    int count = 0;
    for (Node* k : n->children) count += 1 + Descendants(k);
    return count;
  }
  void Preorder(Node* n, std::vector<Node*>* out) {
    for (Node* k : n->children) {
      out->push_back(k);
      Preorder(k, out);
    }
  }
};

class ListViewRows : public lvtest::ListViewFixture {
 protected:
  void Check(Model& m) {
    std::vector<Node*> order;
    m.Preorder(&m.root, &order);
    ASSERT_EQ(SendMessage(lv_, LVM_GETITEMCOUNT, 0, 0), static_cast<LResult>(order.size()));
    ListViewData* lv = listview::DataOf(lv_);
    int total = 0;
    for (size_t i = 0; i < order.size(); ++i) {
      ListViewRow* row = reinterpret_cast<ListViewRow*>(SendMessage(lv_, LVM_GETITEMBYINDEX, i, 0));
      ASSERT_EQ(row, order[i]->row) << "position " << i;
      ListViewItemInfo info{};
      SendMessage(lv_, LVM_GETITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&info));
      const int height = Model::Hidden(order[i]) ? 0 : order[i]->height;
      ASSERT_EQ(info.height, height) << "row " << order[i]->id;
      total += height;
      ASSERT_EQ(row->descendants, Model::Descendants(order[i]));
      const Node* parent = order[i]->parent;
      ASSERT_EQ(SendMessage(lv_, LVM_GETRELATEDITEM, 1, reinterpret_cast<LParam>(row)),
                reinterpret_cast<LResult>(parent == &m.root ? nullptr : parent->row));
    }
    ASSERT_EQ(lv->sv.svlist.nTotalItemH, total);
    ASSERT_EQ(lv->sv.scrdata.nContHeight, std::max<int>(total + 1, lv->sv.scrdata.visibleHeight));
  }
};

TEST_F(ListViewRows, RandomTreeFollowsTheReferenceModel) {
  ASSERT_NE(Make(0), GUI_INVALID_HANDLE);
  EXPECT_EQ(SendMessage(lv_, LVM_ADDITEM, 0, 0), -1);
  ListViewItemInfo none{0, 20, 0, 0};
  EXPECT_EQ(SendMessage(lv_, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&none)), -1);  // no column yet
  AddColumn(80, "a");
  std::mt19937 rng(11);
  Model m;
  int next = 1;
  for (int step = 0; step < 400; ++step) {
    std::vector<Node*> all;
    for (auto& kv : m.nodes) all.push_back(kv.second.get());
    const int op = all.empty() ? 0 : static_cast<int>(rng() % 10);
    Node* some = all.empty() ? nullptr : all[rng() % all.size()];
    if (op < 6) {
      Node* parent = (some && rng() % 3) ? some : &m.root;
      auto n = std::make_unique<Node>();
      n->id = next++;
      n->height = 10 + static_cast<int>(rng() % 20);
      n->folded = rng() % 8 == 0;
      const int index = static_cast<int>(rng() % 6) - 1;
      n->row = AddRow(parent == &m.root ? nullptr : parent->row, index, n->id, n->folded ? LVIF_FOLD : 0, n->height);
      ASSERT_NE(reinterpret_cast<LResult>(n->row), -1);
      m.Add(parent, index, n.get());
      m.nodes[n->id] = std::move(n);
    } else if (op < 8) {
      some->folded = !some->folded;
      ASSERT_EQ(SendMessage(lv_, LVM_FOLDITEM, some->folded ? 1 : 0, reinterpret_cast<LParam>(some->row)), 0);
    } else if (op == 8) {
      ASSERT_EQ(SendMessage(lv_, LVM_DELITEM, 0, reinterpret_cast<LParam>(some->row)), 0);
      m.Remove(some);
    } else {
      const int h = 5 + static_cast<int>(rng() % 30);
      some->height = h;
      ASSERT_EQ(SendMessage(lv_, LVM_SETITEMHEIGHT, reinterpret_cast<WParam>(some->row), h), 1);
    }
    Check(m);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(SendMessage(lv_, LVM_DELITEM, 0, 0), -1);
  SendMessage(lv_, LVM_DELCOLUMN, 0, 0);  // the last column takes every row with it
  EXPECT_EQ(SendMessage(lv_, LVM_GETITEMCOUNT, 0, 0), 0);
}

int ByText(WindowHandle, HLVROW, HLVROW, ListViewSortInfo*) { return 0; }  // every pair equal: column 1 decides

TEST_F(ListViewRows, SortsAreStableInBothDirectionsAndTreesRefuseThem) {
  ASSERT_NE(Make(0), GUI_INVALID_HANDLE);
  AddColumn(60, "k", ByText);
  AddColumn(60, "t");
  std::mt19937 rng(5);
  std::vector<std::pair<std::string, int>> rows;
  for (int i = 0; i < 80; ++i) {
    HLVROW r = AddRow(nullptr, i, static_cast<uintptr_t>(i));
    std::string t(1, static_cast<char>('a' + rng() % 6));
    SetText(r, 1, t.c_str());
    rows.push_back({t, i});
  }
  auto order = [&] {
    std::vector<int> out;
    for (int i = 0; i < 80; ++i) out.push_back(static_cast<int>(SendMessage(lv_, LVM_GETITEMADDDATA, i, 0)));
    return out;
  };
  auto expect = [&](bool ascending) {
    auto sorted = rows;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
      return ascending ? a.first < b.first : a.first > b.first;
    });
    std::vector<int> out;
    for (auto& p : sorted) out.push_back(p.second);
    return out;
  };
  ASSERT_EQ(SendMessage(lv_, LVM_COLSORT, 0, 0), 0);
  EXPECT_EQ(order(), expect(true));
  // A header click toggles the column's sort state first: descending, then
  // ascending again; each sort is stable relative to the order before it.
  auto reorder = [&] {
    std::vector<std::pair<std::string, int>> now;
    for (int id : order()) now.push_back(rows[id]);
    rows = now;
  };
  std::vector<std::pair<std::string, int>> byId = rows;
  auto click = [&] {
    SendMessage(lv_, MSG_LBUTTONDOWN, 0, lvtest::Point(20, 5));
    SendMessage(lv_, MSG_LBUTTONUP, 0, lvtest::Point(20, 5));
  };
  rows = byId;
  reorder();
  auto want = expect(false);
  click();
  EXPECT_EQ(order(), want);
  rows = byId;
  reorder();
  want = expect(true);
  click();
  EXPECT_EQ(order(), want);
  EXPECT_EQ(SendMessage(lv_, LVM_COLSORT, 5, 0), -1);

  HLVROW top = reinterpret_cast<HLVROW>(SendMessage(lv_, LVM_GETITEMBYINDEX, 0, 0));
  AddRow(top, 0);
  EXPECT_EQ(SendMessage(lv_, LVM_COLSORT, 0, 0), -1);
  EXPECT_EQ(SendMessage(lv_, LVM_SORTITEMS, 0, 0), -1);
}

}  // namespace

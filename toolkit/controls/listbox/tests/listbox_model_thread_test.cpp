// The list box driven by random adds, inserts, sorted inserts, deletes,
// choices and keys, checked after every step against a plain model; the
// lists grow past the 16 pooled items so pooled and heap items mix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "controls/listbox/control_measures.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace {

struct ModelItem {
  std::string text;
  int value;
  bool selected, disabled;
};

// What the list box is meant to do, written as plainly as possible.
class Model {
 public:
  explicit Model(bool sorted, int visible) : sorted_(sorted), visible_(visible) {}

  int Add(const std::string& text, int value, int position, bool disabled) {
    int at = sorted_ ? SortedPosition(text) : position;
    if (at < 0 || at > Count()) at = Count();
    items_.insert(items_.begin() + at, ModelItem{text, std::max(value, 0), false, disabled});
    return at;
  }
  int Delete(int index) {
    if (index < 0 || index >= Count()) return LB_ERR;
    items_.erase(items_.begin() + index);
    if (current_ >= Count()) current_ = Count() - 1;
    return 0;
  }
  int MakeCurrent(int index) {
    const int previous = current_;
    if (Count() == 0) return previous;
    if (index < 0 || index >= Count()) index = 0;
    if (index != current_) {
      current_ = index;
      SelectOnly(index);
    }
    return items_[index].disabled ? LB_ERR_DISABLED : previous;
  }
  void Key(int scan) {
    if (Count() == 0) return;
    int target = -1;
    const int n = Count();
    switch (scan) {
      case KEY_HOME: target = 0; break;
      case KEY_END: target = n - 1; break;
      case KEY_UP: target = Walk(-1); break;
      case KEY_DOWN: target = Walk(1); break;
      case KEY_PAGEUP: target = std::max(0, current_ - visible_); break;
      case KEY_PAGEDOWN: target = std::min(n - 1, std::max(current_, 0) + visible_); break;
    }
    if (target < 0 || target == current_) return;
    current_ = target;
    SelectOnly(target);
  }
  int Count() const { return static_cast<int>(items_.size()); }
  int Current() const { return current_; }
  int Selected() const {
    for (int i = 0; i < Count(); ++i)
      if (items_[i].selected) return i;
    return LB_ERR;
  }
  const ModelItem& At(int i) const { return items_[i]; }

 private:
  int SortedPosition(const std::string& text) const {
    auto cmp = [](const std::string& a, const std::string& b) {
      return std::strncmp(a.c_str(), b.c_str(), std::max(a.size(), b.size()));
    };
    if (items_.empty() || cmp(text, items_[0].text) < 0) return 0;
    for (int i = 1; i < Count(); ++i)
      if (cmp(text, items_[i].text) <= 0) return i;
    return Count();
  }
  int Walk(int direction) const {
    int index = current_ < 0 ? (direction > 0 ? -1 : 0) : current_;
    for (int tries = 0; tries < Count(); ++tries) {
      index = (index + direction + Count()) % Count();
      if (!items_[index].disabled) return index;
    }
    return current_;
  }
  void SelectOnly(int index) {
    for (int i = 0; i < Count(); ++i) items_[i].selected = i == index;
  }

  bool sorted_;
  int visible_;
  int current_ = -1;
  std::vector<ModelItem> items_;
};

class ListBoxModel : public guitest::StartedGui {
 protected:
  WindowHandle Create(uint32_t style) {
    main_ = Main({0, 0, 400, 300}, 0);
    return CreateWindowEx("listbox", "", style | WS_VISIBLE, 0, 7, 10, 10, 200, 150, main_, 0);
  }

  void Run(uint32_t style, unsigned seed) {
    WindowHandle lb = Create(style);
    ASSERT_NE(lb, GUI_INVALID_HANDLE);
    Rect client{};
    GetClientRect(lb, &client);
    const int visible = client.bottom / static_cast<int>(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0));
    Model model(style & LBS_SORT, visible);
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int keys[] = {KEY_HOME, KEY_END, KEY_UP, KEY_DOWN, KEY_PAGEUP, KEY_PAGEDOWN};
    int most = 0;
    for (int step = 0; step < 1500; ++step) {
      const int op = pick(Count(model) < 24 ? 6 : 9);
      std::string text(1 + pick(3), 'a');
      for (char& c : text) c = static_cast<char>('a' + pick(3));
      const int value = pick(5) - 1;
      if (op <= 1) {
        ASSERT_EQ(SendMessage(lb, LB_ADDSTRING, value, reinterpret_cast<LParam>(text.c_str())),
                  model.Add(text, value, -1, false));
      } else if (op == 2) {
        const int at = pick(Count(model) + 3) - 1;
        ASSERT_EQ(SendMessage(lb, LB_INSERTSTRING, at, reinterpret_cast<LParam>(text.c_str())),
                  model.Add(text, 0, at, false));
      } else if (op == 3) {
        ASSERT_EQ(SendMessage(lb, LB_ADDDISABLED, value, reinterpret_cast<LParam>(text.c_str())),
                  model.Add(text, value, -1, true));
      } else if (op == 4 || op >= 7) {
        const int at = pick(Count(model) + 1);
        ASSERT_EQ(SendMessage(lb, LB_DELETESTRING, at, 0), model.Delete(at));
      } else if (op == 5) {
        const int at = pick(Count(model) + 2) - 1;
        ASSERT_EQ(SendMessage(lb, LB_SETCURSEL, at, 0), model.MakeCurrent(at)) << "step " << step;
      } else {
        const int key = keys[pick(6)];
        SendMessage(lb, MSG_KEYDOWN, key, 0);
        model.Key(key);
      }
      most = std::max(most, Count(model));
      Compare(lb, model, step);
      if (HasFatalFailure()) return;
    }
    EXPECT_GT(most, 16) << "the run never left the pool";
  }

  static int Count(const Model& m) { return m.Count(); }

  void Compare(WindowHandle lb, const Model& model, int step) {
    ASSERT_EQ(SendMessage(lb, LB_GETCOUNT, 0, 0), model.Count()) << "step " << step;
    ASSERT_EQ(SendMessage(lb, LB_GETCARETINDEX, 0, 0), model.Current()) << "step " << step;
    ASSERT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), model.Selected()) << "step " << step;
    for (int i = 0; i < model.Count(); ++i) {
      char text[256] = {0};
      ASSERT_EQ(SendMessage(lb, LB_GETTEXT, i, reinterpret_cast<LParam>(text)), 0);
      ASSERT_EQ(model.At(i).text, text) << "step " << step << " item " << i;
      ASSERT_EQ(SendMessage(lb, LB_GETSEL, i, 0), model.At(i).selected ? 1 : 0) << "step " << step << " item " << i;
    }
  }

  WindowHandle main_ = 0;
};

TEST_F(ListBoxModel, RandomEditsChoicesAndKeysFollowTheModel) { Run(0, 27); }

TEST_F(ListBoxModel, SortedInsertsFollowTheModel) { Run(LBS_SORT, 4711); }

}  // namespace

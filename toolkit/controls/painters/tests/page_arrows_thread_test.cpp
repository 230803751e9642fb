// The arrow keys on a page, typed on the host's keyboard: they walk the
// group from a drop-down list as from any control, Enter opens the list,
// and the open list keeps the arrows until Enter or Escape closes it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "controls/painters/tests/page_fixture.h"
#include "core/input/tests/key_tap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/static.h"

namespace {

constexpr int kBox = 20, kCheck = 21, kSpin = 22, kLabel = 23;

class PageArrows : public pagetest::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    box_ = Add("combobox", WS_TABSTOP | CBS_DROPDOWNLIST, kBox, 10, 10, "", 140, 26);
    for (const char* t : {"one", "two", "three"}) SendMessage(box_, CB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
    SendMessage(box_, CB_SETCURSEL, 0, 0);
    Add("button", WS_TABSTOP | BS_AUTOCHECKBOX, kCheck, 10, 50, "Check");
    Add("combobox", WS_TABSTOP | CBS_SPINNUMBER, kSpin, 10, 90, "", 140, 26);
    Add("static", SS_LEFT, kLabel, 200, 10, "Label");
    SetFocusChild(box_);
    desktest::Drain();
  }

  static bool Pump(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
  }
  // A key of the host's keyboard pressed and released; true once `done`.
  static bool Key(int key, const std::function<bool()>& done) {
    inputtest::TapKey(key);
    return Pump(done);
  }
  int Focused() {
    const WindowHandle f = GetFocusChild(page_);
    return IsValidHandle(f) ? GetDlgCtrlID(f) : 0;
  }
  bool ListOpen() {
    WindowHandle edit = 0, list = 0;
    SendMessage(box_, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), reinterpret_cast<LParam>(&list));
    return list && IsWindowVisible(list);
  }

  WindowHandle box_ = 0;
};

TEST_F(PageArrows, ArrowsWalkFromADropDownListAndEnterOpensIt) {
  struct Step {
    const char* name;
    int key;
    int focus;
    bool open;
  } steps[] = {
      {"down walks on from the closed list", KEY_DOWN, kCheck, false},
      {"and on", KEY_DOWN, kSpin, false},
      {"up walks back", KEY_UP, kCheck, false},
      {"up again reaches the list", KEY_UP, kBox, false},
      {"right walks on as down does", KEY_RIGHT, kCheck, false},
      {"left walks back", KEY_LEFT, kBox, false},
      {"Enter opens the list", KEY_ENTER, kBox, true},
      {"the open list keeps the arrows", KEY_DOWN, kBox, true},
      {"Escape closes it", KEY_ESC, kBox, false},
      {"and the arrows walk again", KEY_DOWN, kCheck, false},
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(Key(s.key, [&] { return Focused() == s.focus && ListOpen() == s.open; }))
        << s.name << ": focus " << Focused() << ", list " << (ListOpen() ? "open" : "closed");
  }
  EXPECT_EQ(SendMessage(box_, CB_GETCURSEL, 0, 0), 0) << "Escape chose nothing";
}

}  // namespace
namespace {

// A box the focus left no longer looks focused: its text is not left lit
// as selected.
TEST_F(PageArrows, ABoxTheFocusLeftShowsNoSelection) {
  WindowHandle edit = 0, list = 0;
  SendMessage(box_, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), reinterpret_cast<LParam>(&list));
  const auto lit = [edit] { return SendMessage(edit, EM_GETSELPOS, 0, 0) != SendMessage(edit, EM_GETCARETPOS, 0, 0); };
  EXPECT_TRUE(lit()) << "the focused box shows its text selected";
  ASSERT_TRUE(Key(KEY_DOWN, [this] { return Focused() == kCheck; }));
  EXPECT_FALSE(lit()) << "the box the focus left";
  ASSERT_TRUE(Key(KEY_UP, [this] { return Focused() == kBox; }));
  EXPECT_TRUE(lit()) << "the focus came back";
}

}  // namespace

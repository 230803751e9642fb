// Both combine variants as the user sees them, plain, highlighted and
// focused, compared pixel for pixel with a reference picture.
#include "controls/combobox/tests/combo_fixture.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/combine.h"
#include "gui/message.h"

namespace {

class CombineOnScreen : public combotest::ComboTest {
 protected:
  WindowHandle Add(uint32_t style, int x, int y, const char* caption) {
    return CreateWindowEx("combine", caption, style | WS_VISIBLE, 0, 1, x, y, 150, 64, main_, 0);
  }
};

TEST_F(CombineOnScreen, VariantsPlainHighlightedAndFocused) {
  main_ = Main({0, 0, 340, 230}, 0);
  WindowHandle combo = Add(0, 10, 10, "Mode");
  for (const char* t : {"Off", "On"}) SendMessage(combo, CMB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
  SendMessage(combo, CMB_SETVALUE, 1, 0);
  WindowHandle lit = Add(0, 180, 10, "Audio");
  SendMessage(lit, CMB_SETHILITE, 1, 0);
  WindowHandle edit = Add(CMBS_EDIT, 10, 84, "Name");
  WindowHandle litEdit = Add(CMBS_EDIT, 180, 84, "Port");
  SendMessage(litEdit, CMB_SETHILITE, 1, 0);
  WindowHandle focused = Add(CMBS_EDIT, 10, 158, "Focused");
  WindowHandle focusedCombo = Add(0, 180, 158, "Focused");
  (void)combo, (void)edit;
  SendMessage(focused, MSG_MOUSEENTER, 1, 0);
  SendMessage(focusedCombo, MSG_MOUSEENTER, 1, 0);
  desktest::Drain();
  Rect r{};
  GetWindowRect(main_, &r);
  guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, "combine.png"));
}

}  // namespace

// Each kind of combo box as the user sees it, closed, and the drop-down
// list open, compared pixel for pixel with reference pictures.
#include "controls/combobox/tests/combo_fixture.h"
#include "controls/listbox/control_measures.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/keyboard.h"

namespace {

class ComboOnScreen : public combotest::ComboTest {
 protected:
  void Shoot(const char* name) {
    desktest::Drain();
    Rect r{};
    GetWindowRect(main_, &r);
    guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, name));
  }
};

TEST_F(ComboOnScreen, EveryKindClosedAndTheListOpen) {
  const std::vector<const char*> items = {"Off", "On", "Auto"};
  WindowHandle simple = Make(CBS_SIMPLE, {10, 10, 130, 110}, {0, 0, 300, 240}, items, 60);  // a 60-pixel list
  SendMessage(simple, CB_SETCURSEL, 1, 0);
  WindowHandle number = Make(CBS_SPINNUMBER, {150, 10, 270, 36});
  SendMessage(number, CB_SETSPINVALUE, 42, 0);
  WindowHandle spin = Make(CBS_SPINLIST | CBS_SPINARROW_LEFTRIGHT, {150, 50, 270, 76}, {}, items);
  SendMessage(spin, CB_SETCURSEL, 2, 0);
  WindowHandle fixed = Make(CBS_FIXEDLIST, {150, 90, 270, 116}, {}, items);
  SendMessage(fixed, CB_SETCURSEL, 0, 0);
  WindowHandle drop = Make(CBS_DROPDOWNLIST, {10, 130, 130, 156}, {}, items);
  SendMessage(drop, CB_SETCURSEL, 0, 0);
  SetFocusChild(number);  // the focused box is framed
  Shoot("combo_closed.png");

  SetFocusChild(drop);
  desktest::Drain();  // the box has the focus before the key comes
  SendMessage(drop, MSG_KEYDOWN, KEY_DOWN, 0);
  Shoot("combo_open.png");
}

}  // namespace

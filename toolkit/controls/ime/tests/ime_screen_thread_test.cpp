// The input-method window as the user sees it, compared pixel for pixel
// with reference images: candidates for typed keys, a key that matches
// nothing, the English state, and the symbol list.
//
// GUI_UPDATE_REFERENCES=1 writes the reference images anew instead of
// comparing (make update-references).
#include <string>

#include "controls/ime/tests/ime_gui_fixture.h"
#include "core/message/tests/watchdog.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/window/window_damage.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/message.h"

namespace {

class ImeOnScreen : public imetest::ImeOnGui {
 protected:
  // Compares the window's picture with data/<name>.png, or writes it.
  void Matches(const char* name) {
    AwaitPainted();
    const std::string file = std::string(name) + ".png";
    guitest::MatchReference(guitest::Grab(ScreenRectOf(WindowOf(ime_))), guitest::ReferencePath(__FILE__, file.c_str()));
  }
};

TEST_F(ImeOnScreen, CandidatesEnglishAndSymbolsMatchTheReferences) {
  Watchdog dog(60, "the input-method pictures");
  OpenIme();
  SendMessage(ime_, MSG_IMESHOW, 0, 0);
  for (char c : std::string("nih")) SendMessage(ime_, MSG_CHAR, static_cast<WParam>(c), 0);
  SendMessage(ime_, MSG_CHAR, 20, 0);  // the highlight on the second candidate
  Matches("candidates");
  SendMessage(ime_, MSG_CHAR, 'x', 0);  // no match: the keys after the matched ones follow a "-"
  Matches("unmatched");
  SendMessage(ime_, MSG_DT_IMECMD, 1, 0);
  Matches("english");
  SendMessage(ime_, MSG_DT_IMECMD, 1, 1);
  SendMessage(ime_, MSG_DT_IMECMD, 3, 1);  // the English state turned Chinese punctuation off
  SendMessage(ime_, MSG_KEYDOWN, 130, 0);
  SendMessage(ime_, MSG_CHAR, 130, 0);
  SendMessage(ime_, MSG_CHAR, 22, 0);
  Matches("symbols");
}

}  // namespace

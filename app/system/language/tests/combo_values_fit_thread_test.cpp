// Every value each page puts in a drop-down or spin box, in each of the
// three languages, measured in the font the box's edit draws it with
// against the room that edit gives its text.
#include <strings.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app_registry.h"
#include "app/page_ids.h"
#include "app/page_registry.h"
#include "app/system/language/tests/language_switch.h"
#include "app/testing/page_harness.h"
#include "controls/sledit/sledit.h"
#include "gui/combobox.h"
#include "gui/dc.h"
#include "gui/propsheet.h"
#include "gui/text.h"
#include "gui/window.h"

namespace {

constexpr int kEnglish = 1;
const std::pair<int, const char*> kLanguages[] = {{kEnglish, "English"}, {2, "Chinese"}, {33, "German"}};

// The edit of a list box kind, or 0 for a box that shows no item.
WindowHandle EditOf(WindowHandle combo) {
  const uint32_t style = GetWindowStyle(combo);
  const uint32_t kind = style & CBS_TYPEMASK;
  // Boxes of names in their own fonts, numbers, dates and times: no item text.
  if ((style & CBS_ITEMFONT) || kind == CBS_SPINNUMBER || kind == CBS_DATE || kind == CBS_TIME) return 0;
  WindowHandle edit = 0;
  SendMessage(combo, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), 0);
  return edit;
}

int TextWidth(WindowHandle edit, const char* text) {
  const HDC hdc = GetClientDC(edit);
  SelectFont(hdc, sledit::DrawFont(edit));
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  ReleaseDC(hdc);
  return size.cx;
}

// "id: value (n wide, room m)" for each value of the shown boxes under
// `parent` that the box's edit cannot show whole; `boxes` counts the
// boxes measured.
void CutValues(WindowHandle parent, std::vector<std::string>* out, int* boxes) {
  for (WindowHandle c = GetNextChild(parent, 0); IsValidHandle(c) && c != 0; c = GetNextChild(parent, c)) {
    const char* cls = GetClassName(c);
    if (!IsWindowVisible(c)) continue;
    const WindowHandle edit = cls && strcasecmp(cls, "combobox") == 0 ? EditOf(c) : 0;
    if (!edit) {
      CutValues(c, out, boxes);
      continue;
    }
    ++*boxes;
    const int room = sledit::DataOf(edit)->textWidth;
    const LResult count = SendMessage(c, CB_GETCOUNT, 0, 0);
    for (LResult i = 0; i < count; ++i) {
      const LResult length = SendMessage(c, CB_GETLBTEXTLEN, static_cast<WParam>(i), 0);
      if (length <= 0) continue;
      std::string text(static_cast<size_t>(length) + 1, '\0');
      SendMessage(c, CB_GETLBTEXT, static_cast<WParam>(i), reinterpret_cast<LParam>(&text[0]));
      text.resize(static_cast<size_t>(length));
      const int width = TextWidth(edit, text.c_str());
      if (width > room)
        out->push_back("box " + std::to_string(GetDlgCtrlID(c)) + ": \"" + text + "\" (" + std::to_string(width) +
                       " wide, room " + std::to_string(room) + ")");
    }
  }
}

class ComboValuesFit : public livetest::LiveGui {
 protected:
  void TearDown() override {
    langtest::SwitchLanguage(kEnglish);
    LiveGui::TearDown();
  }

  // Opens the page of each registered item as its menu opens it, shows
  // each tab by a click and collects the values cut on it.
  std::vector<std::string> CutOnEveryPage(int* boxes) {
    std::vector<std::string> cut;
    char item[64];
    int menu = 0;
    for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i) {
      if (menu == APP_MENU_MAIN) continue;  // sub-menus, and the shutdown dialog
      const WindowHandle host = Main({0, 0, 8, 8}, livetest::MenuHostProc);
      const PageOpener open = findPage(menu, item);
      if (!open || open(host) != 0) {
        cut.push_back(std::string(item) + " did not open");
        continue;
      }
      const WindowHandle win = GetActiveWindow();
      if (win == host) continue;
      windows_.push_back(win);
      const WindowHandle sheet = GetDlgItem(win, PAGE_ID_SHEET);
      const int tabs = IsValidHandle(sheet) ? static_cast<int>(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0)) : 0;
      std::vector<std::string> found;
      CutValues(win, &found, boxes);
      for (int tab = 1; tab < tabs; ++tab) {
        if (!livetest::ClickTab(sheet, tab)) continue;  // a tab the page keeps disabled
        desktest::Drain();
        CutValues(win, &found, boxes);
      }
      for (const std::string& f : found) cut.push_back(std::string(item) + ", " + f);
      LiveGui::TearDown();
      LiveGui::SetUp();
    }
    return cut;
  }
};

TEST_F(ComboValuesFit, EveryValueAPageShowsFitsItsBoxInEachLanguage) {
  for (const auto& language : kLanguages) {
    langtest::SwitchLanguage(language.first);
    SCOPED_TRACE(language.second);
    int boxes = 0;
    for (const std::string& c : CutOnEveryPage(&boxes)) ADD_FAILURE() << c;
    EXPECT_GT(boxes, 50) << "the pages' boxes were found";
  }
}

}  // namespace

// The combine control as tables of steps: focus, keys and the clear mark of
// the edit variant, the combo variant's keys and value messages; then the
// caption and highlight messages.
#include <string>

#include "controls/combobox/tests/combo_fixture.h"
#include "controls/listbox/control_measures.h"
#include "gui/combine.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/message.h"

namespace {

using combotest::At;

struct Step {
  const char* name;
  int msg;  // kFocus: the control takes the focus
  WParam wParam;
  LParam lParam;
  std::vector<int> notes;
};

class CombineTest : public combotest::ComboTest {
 protected:
  WindowHandle MakeCombine(uint32_t style, uint32_t exStyle = 0, const char* caption = "Record") {
    if (!main_ || !IsWindow(main_)) main_ = Main({0, 0, 400, 300}, 0);
    WindowHandle c = CreateWindowEx("combine", caption, style | WS_VISIBLE, exStyle, kId, 10, 10, 160, 64, main_, 0);
    EXPECT_NE(c, GUI_INVALID_HANDLE);
    Notes();
    return c;
  }
  WindowHandle ChildOf(WindowHandle c) {
    WindowHandle child = 0;
    SendMessage(c, CMB_GETCHILD, 0, reinterpret_cast<LParam>(&child));
    return child;
  }
  // The clear mark's centre, in the control's client coordinates.
  LParam MarkPoint(WindowHandle c) {
    Rect edit{};
    GetWindowRect(ChildOf(c), &edit);
    const Bitmap* mark = GetSystemBitmap(7);
    return At(edit.right - 2 - static_cast<int>(mark->bmWidth) / 2, edit.top + 2 + static_cast<int>(mark->bmHeight) / 2);
  }
  void Play(WindowHandle c, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      if (s.msg == kFocus)
        SetFocusChild(c);
      else
        SendMessage(c, s.msg, s.wParam, s.lParam);
      EXPECT_EQ(Notes(), s.notes) << s.name;
    }
  }
  static constexpr int kFocus = -1;
};

TEST_F(CombineTest, EditVariantFocusKeysAndClearMark) {
  ASSERT_NE(GetSystemBitmap(7), nullptr);
  WindowHandle c = MakeCombine(CMBS_EDIT | CMBS_NOTIFY);
  WindowHandle edit = ChildOf(c);
  Play(c, {
              {"focus", kFocus, 0, 0, {CMBN_SETFOCUS}},
              {"Enter", MSG_KEYDOWN, KEY_ENTER, 0, {CMBN_CLICKED}},
              {"edit start", MSG_KEYDOWN, PANEL_KEY_TYPE, 0, {CMBN_CLICKED}},
              {"clear key", MSG_KEYDOWN, PANEL_KEY_CLEAR, 0, {CMBN_CLEARED}},
              {"a press is swallowed", MSG_LBUTTONDOWN, 0, At(2, 2), {}},
              {"release elsewhere", MSG_LBUTTONUP, 0, At(2, 2), {CMBN_CLICKED}},
              {"the edit's release", MSG_COMMAND, (1u << 16) | CMB_EDIT_ID, 0, {CMBN_CLICKED}},
              {"other keys", MSG_KEYDOWN, KEY_DOWN, 0, {}},
              {"focus lost", MSG_KILLFOCUS, 0, 0, {CMBN_KILLFOCUS}},
          });
  EXPECT_EQ(Text(edit), "X");
  SendMessage(c, CMB_SETVALUETEXT, 7, reinterpret_cast<LParam>("abc"));
  EXPECT_EQ(SendMessage(c, CMB_GETVALUE, 0, 0), 7);
  Play(c, {{"release on the clear mark", MSG_LBUTTONUP, 0, MarkPoint(c), {CMBN_CLEARED}}});
  char text[8] = {0};
  SendMessage(c, CMB_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  EXPECT_STREQ(text, "X");

  WindowHandle plain = MakeCombine(CMBS_EDIT | CMBS_NOTIFY, CMBS_EX_NOCLEARMARK);
  const LParam where = MarkPoint(plain);
  Play(plain, {
                  {"no clear mark: the key does nothing", MSG_KEYDOWN, PANEL_KEY_CLEAR, 0, {}},
                  {"no clear mark: a release is a click", MSG_LBUTTONUP, 0, where, {CMBN_CLICKED}},
              });
  EXPECT_EQ(Text(ChildOf(plain)), "");
}

TEST_F(CombineTest, ComboVariantKeysAndValues) {
  WindowHandle c = MakeCombine(CMBS_NOTIFY);
  WindowHandle combo = ChildOf(c);
  for (const char* t : {"Off", "On", "Auto"}) SendMessage(c, CMB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
  SendMessage(c, CMB_SETVALUE, 1, 0);
  EXPECT_EQ(Text(combo), "On");
  EXPECT_EQ(SendMessage(c, CMB_GETVALUE, 0, 0), 1);
  Play(c, {
              {"focus", kFocus, 0, 0, {CMBN_SETFOCUS}},
              {"a key steps the combo box, which reports a change", MSG_KEYDOWN, KEY_DOWN, 0, {CMBN_CHANGED}},
              {"Enter", MSG_KEYDOWN, KEY_ENTER, 0, {}},
          });
  EXPECT_EQ(Text(combo), "Off");
  EXPECT_EQ(SendMessage(c, MSG_GETDLGCODE, 0, 0), 0x4015);
  SendMessage(c, MSG_KEYDOWN, PANEL_KEY_TYPE, 0);
  EXPECT_EQ(SendMessage(c, MSG_GETDLGCODE, 0, 0), 0x11);
  EXPECT_EQ(SendMessage(c, CMB_DELETEALL, 0, 0), 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(CombineTest, CaptionAndHighlight) {
  WindowHandle c = MakeCombine(CMBS_EDIT);
  EXPECT_EQ(SendMessage(c, CMB_SETCAPTION, 0, 0), -1);
  char out[300] = {0};
  EXPECT_EQ(SendMessage(c, CMB_GETCAPTION, 3, reinterpret_cast<LParam>(out)), 3);
  EXPECT_STREQ(out, "Rec");
  const std::string longCaption(300, 'c');
  EXPECT_EQ(SendMessage(c, CMB_SETCAPTION, 0, reinterpret_cast<LParam>(longCaption.c_str())), 0);
  EXPECT_EQ(SendMessage(c, CMB_GETCAPTION, 299, reinterpret_cast<LParam>(out)), 255);
  SendMessage(c, CMB_SETHILITE, 1, 0);
  EXPECT_EQ(SendMessage(c, CMB_GETHILITE, 0, 0), 1);
  EXPECT_EQ(GetWindowBkColor(c), GetExtraColorEx(WEC_EX_BKC_CONTROL_SELECTED_LV));
  SendMessage(c, CMB_SETHILITE, 0, 0);
  EXPECT_EQ(SendMessage(c, CMB_GETHILITE, 0, 0), 0);
}

}  // namespace

// The plain edit against a model of its text and caret under random keys
// and double-byte characters, with the view always holding the caret; and
// the buffer and limit edges as the parent hears them.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <linux/input-event-codes.h>

#include "controls/barkit/tests/bar_fixture.h"
#include "gui/caret.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/text.h"

namespace {

using CodeList = std::vector<int>;

class Edits : public bartest::BarFixture {
 protected:
  std::string Text(WindowHandle e) {
    char buffer[600] = {};
    SendMessage(e, MSG_GETTEXT, sizeof buffer, reinterpret_cast<LParam>(buffer));
    return buffer;
  }
  void Type(WindowHandle e, const std::string& s) {
    for (char c : s) SendMessage(e, MSG_CHAR, static_cast<uint8_t>(c), 0);
  }
};

// What the text and caret must be: a character is one byte, or two bytes
// of 161 or more.
struct Model {
  std::string text;
  size_t caret = 0;
  bool overwrite = false;
  size_t SizeAt(size_t i) const {
    return (i + 1 < text.size() && static_cast<uint8_t>(text[i]) >= 161 && static_cast<uint8_t>(text[i + 1]) >= 161)
               ? 2 : 1;
  }
  size_t SizeBefore(size_t i) const {
    return (i >= 2 && static_cast<uint8_t>(text[i - 1]) >= 161 && static_cast<uint8_t>(text[i - 2]) >= 161) ? 2 : 1;
  }
  void Key(int scan) {
    switch (scan) {
      case KEY_BACKSPACE:
        if (caret) { size_t n = SizeBefore(caret); text.erase(caret - n, n); caret -= n; }
        break;
      case KEY_DELETE: if (caret < text.size()) text.erase(caret, SizeAt(caret)); break;
      case KEY_HOME: caret = 0; break;
      case KEY_END: caret = text.size(); break;
      case KEY_LEFT: if (caret) caret -= SizeBefore(caret); break;
      case KEY_RIGHT: if (caret < text.size()) caret += SizeAt(caret); break;
      case KEY_INSERT: overwrite = !overwrite; break;
    }
  }
  void Put(const std::string& bytes) {
    const size_t replaced = overwrite && caret < text.size() ? SizeAt(caret) : 0;
    if (text.size() - replaced + bytes.size() > EDIT_BUFFER_SIZE) return;
    text.replace(caret, replaced, bytes);
    caret += bytes.size();
  }
};

TEST_F(Edits, FollowsAModelUnderRandomKeysAndDoubleByteText) {
  WindowHandle e = Make("edit", 0, 123, 24);
  SetFocusChild(e);
  desktest::Drain();  // the focus arrives through the queue and shows the caret
  const int charW = GetSysFontMaxWidth(2), cells = (123 - 3) / charW;
  std::mt19937 rng(22);
  Model m;
  const int keys[] = {KEY_BACKSPACE, KEY_DELETE, KEY_HOME, KEY_END, KEY_LEFT, KEY_RIGHT, KEY_LEFT, KEY_RIGHT, KEY_INSERT};
  for (int step = 0; step < 4000; ++step) {
    const int pick = rng() % 20;
    if (pick < 9) {
      SendMessage(e, MSG_KEYDOWN, keys[pick], 0);
      m.Key(keys[pick]);
    } else if (pick < 15) {
      const char c = static_cast<char>('a' + rng() % 26);
      SendMessage(e, MSG_CHAR, static_cast<uint8_t>(c), 0);
      m.Put(std::string(1, c));
    } else {
      const uint8_t lo = static_cast<uint8_t>(0xB0 + rng() % 8), hi = static_cast<uint8_t>(0xA1 + rng() % 8);
      SendMessage(e, MSG_CHAR, (static_cast<WParam>(hi) << 8) | lo, 0);
      m.Put(std::string{static_cast<char>(lo), static_cast<char>(hi)});
    }
    ASSERT_EQ(Text(e), m.text) << "step " << step;
    int caret = -1;
    SendMessage(e, EM_GETCARETPOS, 0, reinterpret_cast<LParam>(&caret));
    ASSERT_EQ(caret, static_cast<int>(m.caret)) << "step " << step;
    Point p{};
    GetCaretPos(e, &p);
    const int column = (p.x - 1) / charW, first = caret - column;
    ASSERT_GE(column, 0) << "step " << step;
    ASSERT_LE(column, cells) << "the caret left the view at step " << step;
    ASSERT_GE(first, 0);
    // The first visible byte starts a character.
    size_t at = 0;
    while (static_cast<int>(at) < first) at += m.SizeAt(at);
    ASSERT_EQ(static_cast<int>(at), first) << "step " << step;
  }
}

TEST_F(Edits, BufferLimitReadOnlyAndTextMessagesAsTheParentHearsThem) {
  WindowHandle e = Make("edit", 0, 120, 24);
  Type(e, std::string(512, 'x'));
  Codes();
  Type(e, "y");
  EXPECT_EQ(Codes(), (CodeList{EN_MAXTEXT}));
  SendMessage(e, MSG_SETTEXT, 0, reinterpret_cast<LParam>(""));
  SendMessage(e, EM_LIMITTEXT, 10, 0);
  Type(e, std::string(10, 'a'));
  Codes();
  Type(e, "b");
  EXPECT_EQ(Codes(), (CodeList{EN_MAXTEXT}));
  SendMessage(e, EM_LIMITTEXT, 600, 0);  // above the buffer: no limit
  Type(e, "b");
  EXPECT_EQ(SendMessage(e, MSG_GETTEXTLENGTH, 0, 0), 11);
  char small[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(SendMessage(e, MSG_GETTEXT, 4, reinterpret_cast<LParam>(small)), 3);
  EXPECT_EQ(std::string(small), "aaa");  // terminated inside the buffer
  EXPECT_EQ(SendMessage(e, EM_SETCARETPOS, 0, 12), -1);
  EXPECT_EQ(SendMessage(e, EM_SETCARETPOS, 0, 2), 0);
  SendMessage(e, EM_SETREADONLY, 1, 0);
  Codes();
  Type(e, "z");
  SendMessage(e, MSG_KEYDOWN, KEY_BACKSPACE, 0);
  SendMessage(e, MSG_KEYDOWN, KEY_DELETE, 0);
  SendMessage(e, MSG_KEYDOWN, KEY_RIGHT, 0);
  EXPECT_EQ(Text(e), "aaaaaaaaaab");
  EXPECT_EQ(SendMessage(e, EM_GETCARETPOS, 0, 0), 3);  // the caret still moves
  EXPECT_EQ(Codes(), CodeList{});
  EXPECT_EQ(SendMessage(e, MSG_NEEDIME, 0, 0), 0);
  SendMessage(e, EM_SETREADONLY, 0, 0);
  SendMessage(e, MSG_CHAR, 0xA2B1, 0);  // one double-byte character, low byte first
  SendMessage(e, MSG_KEYDOWN, KEY_BACKSPACE, 0);
  EXPECT_EQ(Text(e), "aaaaaaaaaab");
  SendMessage(e, MSG_KEYDOWN, 28, 0);
  EXPECT_EQ(Codes(), (CodeList{EN_CHANGE, EN_CHANGE, EN_ENTER}));
  // A limit cuts a set text on a whole double-byte character.
  SendMessage(e, EM_LIMITTEXT, 3, 0);
  SendMessage(e, MSG_SETTEXT, 0, reinterpret_cast<LParam>("a\xB0\xA1\xB0\xA1"));
  EXPECT_EQ(Text(e), "a\xB0\xA1");
  SendMessage(e, EM_LIMITTEXT, 2, 0);
  SendMessage(e, MSG_SETTEXT, 0, reinterpret_cast<LParam>("a\xB0\xA1"));
  EXPECT_EQ(Text(e), "a");
  SendMessage(e, EM_LIMITTEXT, 600, 0);
  SendMessage(e, MSG_SETTEXT, 0, reinterpret_cast<LParam>("aaaaaaaaaab"));
  // A caller's size is taken whole: 2^31 and more, or a small low half,
  // bound the copy as that many bytes do.
  for (WParam size : {WParam{1} << 31, WParam{0xFFFFFFFFu}, (WParam{1} << 32) + 3, ~WParam{0}}) {
    char big[32];
    std::memset(big, '#', sizeof big);
    EXPECT_EQ(SendMessage(e, MSG_GETTEXT, size, reinterpret_cast<LParam>(big)), 11) << size;
    EXPECT_EQ(std::string(big), "aaaaaaaaaab");
  }
}

}  // namespace

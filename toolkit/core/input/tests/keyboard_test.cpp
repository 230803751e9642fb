#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <string>
#include <vector>

#include "core/input/keyboard_layout.h"
#include "core/message/tests/hand_made_windows.h"
#include "gui/desktop.h"
#include "gui/input.h"
#include "gui/keyboard.h"

namespace {

constexpr uint32_t kShift = KS_LEFTSHIFT;
constexpr uint32_t kCtrl = KS_LEFTCTRL;
constexpr uint32_t kAlt = KS_LEFTALT;
constexpr uint32_t kAltGr = KS_RIGHTALT;

// The bytes one key press makes on its own.
std::string Typed(int scanCode, uint32_t shift) {
  LayoutTables tables;
  FindKeyboardLayout("default")->init(&tables);
  return KeyTranslator(&tables).Press(scanCode, shift);
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST(DefaultLayout, EachOfTheSevenMapsAnswersItsCombination) {
  struct Case {
    int key;
    uint32_t shift;
    std::string bytes;
  } cases[] = {
      {KEY_A, 0, "a"},
      {KEY_2, 0, "2"},
      {KEY_A, kShift, "A"},
      {KEY_2, KS_RIGHTSHIFT, "@"},
      {KEY_2, kAltGr, "@"},
      {KEY_8, kAltGr, "["},
      {KEY_9, kAltGr, "]"},
      {KEY_A, kCtrl, Bytes({0x01})},
      {KEY_2, KS_RIGHTCTRL, Bytes({0x00})},
      {KEY_MINUS, kShift | kCtrl, Bytes({0x1F})},
      {KEY_A, kAlt, Bytes({0xE1})},
      {KEY_1, kAlt, Bytes({0xB1})},
      {KEY_A, kCtrl | kAlt, Bytes({0x81})},
      {KEY_BACKSPACE, 0, Bytes({0x7F})},
      {KEY_ENTER, 0, "\r"},
  };
  for (const Case& c : cases) EXPECT_EQ(Typed(c.key, c.shift), c.bytes) << c.key << " with " << c.shift;
}

TEST(DefaultLayout, CombinationsWithoutAMapMakeNothing) {
  EXPECT_EQ(Typed(KEY_A, kAltGr | kShift), "");
  EXPECT_EQ(Typed(KEY_A, kAlt | kShift), "");
  EXPECT_EQ(Typed(KEY_A, kCtrl | kAlt | kShift), "");
  EXPECT_EQ(Typed(200, 0), "") << "beyond the maps";
}

TEST(DefaultLayout, CapsLockSwapsCaseOfLettersOnly) {
  EXPECT_EQ(Typed(KEY_A, KS_CAPSLOCK), "A");
  EXPECT_EQ(Typed(KEY_A, KS_CAPSLOCK | kShift), "a");
  EXPECT_EQ(Typed(KEY_1, KS_CAPSLOCK), "1");
}

TEST(DefaultLayout, FunctionCursorAndEditingKeysSendTheirStrings) {
  EXPECT_EQ(Typed(KEY_F1, 0), "\033[[A");
  EXPECT_EQ(Typed(KEY_F5, 0), "\033[[E");
  EXPECT_EQ(Typed(KEY_F12, 0), "\033[24~");
  EXPECT_EQ(Typed(KEY_F1, kShift), "\033[25~") << "shift F1 is F13";
  EXPECT_EQ(Typed(KEY_UP, 0), "\033[A");
  EXPECT_EQ(Typed(KEY_LEFT, 0), "\033[D");
  EXPECT_EQ(Typed(KEY_DELETE, 0), "\033[3~");
  EXPECT_EQ(Typed(KEY_PAGEUP, 0), "\033[5~");
  EXPECT_EQ(Typed(KEY_PAUSE, 0), "\033[P");
  EXPECT_EQ(Typed(KEY_F1, kCtrl | kAlt), "") << "console switching does nothing here";
}

TEST(DefaultLayout, KeypadFollowsNumLock) {
  EXPECT_EQ(Typed(KEY_KP8, KS_NUMLOCK), "8");
  EXPECT_EQ(Typed(KEY_KPPLUS, 0), "+");
  EXPECT_EQ(Typed(KEY_KPENTER, 0), "\r");
  EXPECT_EQ(Typed(KEY_KP8, 0), "\033[A");
  EXPECT_EQ(Typed(KEY_KP5, 0), "\033[G");
  EXPECT_EQ(Typed(KEY_KP7, 0), "\033[1~");
  EXPECT_EQ(Typed(KEY_KPDOT, 0), "\033[3~");
  EXPECT_EQ(Typed(KEY_KPDOT, KS_NUMLOCK), ".");
  // Caps lock or a held button do not switch the keypad to digits.
  EXPECT_EQ(Typed(KEY_KP8, KS_CAPSLOCK), "\033[A");
  EXPECT_EQ(Typed(KEY_KP8, KS_LEFTBUTTON), "\033[A");
}

TEST(DefaultLayout, AccentTableIsTheConsoleDefault) {
  LayoutTables tables;
  FindKeyboardLayout("default")->init(&tables);
  ASSERT_EQ(tables.accentCount, 68);
  EXPECT_EQ(tables.accents[0].diacritic, '`');
  EXPECT_EQ(tables.accents[0].base, 'A');
  EXPECT_EQ(tables.accents[0].result, 0xC0);
  EXPECT_EQ(tables.accents[67].diacritic, 'i');
  EXPECT_EQ(tables.accents[67].base, 'j');
  EXPECT_EQ(tables.accents[67].result, 0xFF);
}

// A small layout with dead keys over the default accent table.
struct DeadKeyLayout : ::testing::Test {
  static constexpr int kAcute = 1, kDiaeresis = 2, kE = 3, kX = 4, kSpace = 5, kComma = 6, kC = 7;
  uint16_t plain[kKeyMapCodeCount] = {};
  LayoutTables tables;
  KeyTranslator t{&tables};
  void SetUp() override {
    FindKeyboardLayout("default")->init(&tables);
    for (auto& code : plain) code = 0xF200;
    plain[kAcute] = 0xF401;
    plain[kDiaeresis] = 0xF404;
    plain[kE] = 0xFB65;
    plain[kX] = 0xFB78;
    plain[kSpace] = 0xF020;
    plain[kComma] = 0xF405;
    plain[kC] = 0xFB63;
    tables.maps[0] = plain;
  }
  std::string Type(std::initializer_list<int> keys) {
    std::string all;
    for (int k : keys) all += t.Press(k, 0);
    return all;
  }
};

TEST_F(DeadKeyLayout, DeadKeysComposeWithTheNextCharacter) {
  EXPECT_EQ(Type({kAcute, kE}), Bytes({0xE9}));
  EXPECT_EQ(Type({kAcute, kSpace}), "'");
  EXPECT_EQ(Type({kAcute, kX}), "'x");
  EXPECT_EQ(Type({kDiaeresis, kE}), Bytes({0xEB}));
  EXPECT_EQ(Type({kComma, kC}), Bytes({0xE7}));
  // A second dead key composes with the first; the result waits.
  EXPECT_EQ(Type({kAcute, kAcute}), "");
  EXPECT_EQ(Type({kE}), Bytes({0xE9}));
  EXPECT_EQ(Type({kAcute, kDiaeresis}), "'");
  EXPECT_EQ(Type({kE}), Bytes({0xEB}));
}

TEST_F(DeadKeyLayout, EnterSendsAPendingDiacriticFirst) {
  plain[kX] = 0xF201;
  EXPECT_EQ(Type({kAcute, kX}), "'\r");
  EXPECT_EQ(Type({kX}), "\r");
}

TEST(KeyboardLayoutSelection, OnlyTheExactNameIsKnown) {
  EXPECT_TRUE(SetKeyboardLayout("default"));
  EXPECT_FALSE(SetKeyboardLayout("Default"));
  EXPECT_FALSE(SetKeyboardLayout(nullptr));
  char ch = 0;
  EXPECT_EQ(TranslateKeyMsgToChar(18, KEY_Q, 0, &ch), 1) << "the layout stayed";
  EXPECT_EQ(ch, 'q');
}

TEST(TranslateKeyToChar, OnlySingleBytePressesCount) {
  ASSERT_TRUE(SetKeyboardLayout("default"));
  char ch = 0;
  EXPECT_EQ(TranslateKeyMsgToChar(21, KEY_Z, kShift, &ch), 1);
  EXPECT_EQ(ch, 'Z');
  EXPECT_EQ(TranslateKeyMsgToChar(18, KEY_F1, 0, &ch), 0);
  EXPECT_EQ(TranslateKeyMsgToChar(20, KEY_Z, 0, &ch), 0);
  EXPECT_EQ(TranslateKeyMsgToChar(18, KEY_LEFTSHIFT, 0, &ch), 0);
  EXPECT_EQ(TranslateKeyMsgToChar(18, 129, 0, &ch), 0);
}

// Character messages reach the window of the key message.
class TranslateToWindow : public ::testing::Test {
 protected:
  ThreadQueue queue;
  std::unique_ptr<MainWinRecord> win = MakeMainWindow(queue.info());
  void SetUp() override {
    ASSERT_TRUE(SetKeyboardLayout("default"));
    Recorder::Instance().Take();
  }
  void Key(int message, int scanCode, uint32_t shift) {
    Message msg{H(win), message, static_cast<WParam>(scanCode), static_cast<LParam>(shift), 0, nullptr};
    EXPECT_EQ(TranslateMessage(&msg), 0);
  }
  std::vector<Seen> Received() {
    DrainQueue(H(win));
    return Recorder::Instance().Take();
  }
};

TEST_F(TranslateToWindow, OneByteIsACharacterMessageWithTheShiftState) {
  Key(18, KEY_A, kShift);
  Key(20, KEY_A, kShift);
  std::vector<Seen> seen = Received();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, 19);
  EXPECT_EQ(seen[0].wParam, static_cast<WParam>('A'));
  EXPECT_EQ(seen[0].lParam, static_cast<LParam>(kShift));
}

TEST_F(TranslateToWindow, SeveralBytesAreNumberedMessages) {
  Key(18, KEY_UP, 0);
  std::vector<Seen> seen = Received();
  ASSERT_EQ(seen.size(), 3u);
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].message, 24);
    EXPECT_EQ(seen[i].wParam >> 8, i);
  }
  EXPECT_EQ(seen[2].wParam & 0xFF, static_cast<WParam>('A'));
}

TEST_F(TranslateToWindow, ComposeKeyCombinesTheNextTwoCharacters) {
  Key(18, KEY_DOT, kCtrl);  // Compose on the default map
  Key(18, KEY_A, 0);
  Key(18, KEY_E, 0);
  std::vector<Seen> seen = Received();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].wParam, 0xE6u);
}

TEST_F(TranslateToWindow, AltKeypadNumberIsSentWhenAltIsReleased) {
  Key(18, KEY_LEFTALT, kAlt);
  Key(21, KEY_KP6, kAlt);
  Key(23, KEY_KP6, kAlt);
  Key(21, KEY_KP5, kAlt);
  Key(23, KEY_KP5, kAlt);
  Key(23, KEY_LEFTALT, 0);
  std::vector<Seen> seen = Received();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, 19);
  EXPECT_EQ(seen[0].wParam, static_cast<WParam>('A'));

  // However many digits are typed, only the low byte of the number is sent.
  Key(18, KEY_LEFTALT, kAlt);
  for (int i = 0; i < 12; ++i) Key(21, KEY_KP9, kAlt);
  Key(23, KEY_LEFTALT, 0);
  seen = Received();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].wParam, static_cast<WParam>(999999999999LL % 256));
}

TEST_F(TranslateToWindow, DesktopAndOtherMessagesAreLeftAlone) {
  Key(19, KEY_A, 0);
  Key(18, 129, 0);
  EXPECT_TRUE(Received().empty());
  // A Compose addressed to the desktop is not translated: the next two
  // keys of the window stay two characters.
  Message toDesktop{__gui_hwnd_desktop, 18, static_cast<WParam>(KEY_DOT), static_cast<LParam>(kCtrl), 0, nullptr};
  EXPECT_EQ(TranslateMessage(&toDesktop), 0);
  Key(18, KEY_A, 0);
  Key(18, KEY_E, 0);
  std::vector<Seen> seen = Received();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].wParam, static_cast<WParam>('a'));
  EXPECT_EQ(seen[1].wParam, static_cast<WParam>('e'));
}

}  // namespace

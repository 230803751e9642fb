// The input engine's rules as the key receiver sees them: sequences of keys
// and characters, and the messages they produce.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "controls/ime/ime_engine.h"
#include "controls/ime/tests/ime_test_tables.h"
#include "gui/desktop.h"
#include "gui/message.h"

namespace {

constexpr WindowHandle kReceiver = 0x1000;
constexpr int kClosed = -1;  // the window closed itself after a symbol

struct Got {
  int msg;
  WParam wParam;
  LParam lParam;
  bool operator==(const Got& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
};
std::ostream& operator<<(std::ostream& out, const Got& g) {
  return out << "{" << g.msg << ", 0x" << std::hex << g.wParam << std::dec << ", " << g.lParam << "}";
}

class RecordingHost : public ime::EngineHost {
 public:
  void PostToReceiver(WindowHandle receiver, int msg, WParam wParam, LParam lParam) override {
    if (receiver == kReceiver) got.push_back({msg, wParam, lParam});
  }
  void CloseAfterSymbol() override { got.push_back({kClosed, 0, 0}); }
  std::vector<Got> got;
};

// One step: a character (MSG_CHAR), a key down (MSG_KEYDOWN) or up
// (MSG_KEYUP) with its flags, or a status item set (MSG_DT_IMECMD).
struct Step {
  int msg;
  int a;
  LParam b;
};
Step C(int k) { return {19, k, 0}; }
Step Down(int scan, LParam flags = 0) { return {18, scan, flags}; }
Step Up(int scan) { return {20, scan, 0}; }
Step Set(int item, LParam value) { return {MSG_DT_IMECMD, item, value}; }
std::vector<Step> Type(const char* text) {
  std::vector<Step> steps;
  for (const char* p = text; *p; ++p) steps.push_back(C(static_cast<uint8_t>(*p)));
  return steps;
}
std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Got Text(uint16_t gbLittle) { return {19, gbLittle, 0}; }
Got Key(int msg, int scan) { return {msg, static_cast<WParam>(scan), 512}; }

class EngineRules : public ::testing::Test {
 protected:
  void SetUp() override {
    imetest::WriteTable(dir_.Path() + "small.tab", imetables::BuildTableFiles(imetest::SmallDraft()));
    imetables::TableDraft autoDraft = imetest::SmallDraft();
    autoDraft.autoSelect = 1;
    autoDraft.autoSelectKeys = 2;
    autoDraft.entries = {{imetest::kHao, "hh", 1}, {imetest::kNi, "nn", 2}, {imetest::kNi2, "nn", 1}};
    imetest::WriteTable(dir_.Path() + "auto.tab", imetables::BuildTableFiles(autoDraft));
    config_ = {dir_.Path(), 2, {"small", "auto"}};
  }

  std::vector<Got> Run(const std::vector<Step>& steps) {
    RecordingHost host;
    ime::Engine engine(&host);
    EXPECT_TRUE(engine.Load(config_));
    engine.SetReceiver(kReceiver);
    for (const Step& s : steps) {
      if (s.msg == MSG_CHAR) engine.Char(s.a);
      if (s.msg == MSG_KEYDOWN) engine.KeyDown(s.a, s.b);
      if (s.msg == MSG_KEYUP) engine.KeyUp(s.a, s.b);
      if (s.msg == MSG_DT_IMECMD) engine.SetStatus(s.a, s.b);
    }
    return host.got;
  }

  imetest::Scratch dir_;
  ime::ImeConfig config_;
};

TEST_F(EngineRules, KeySequencesGiveTheReceiverTheirText) {
  const uint16_t ni = 0xE3C4, ni2 = 0xE2C4, ni6 = 0xE5C4, hao = 0xC3BA, men = 0xC7C3, a = 0xA1B0;
  struct Case {
    const char* what;
    std::vector<Step> steps;
    std::vector<Got> expected;
  } cases[] = {
      {"punctuation pairs alternate", Type("(("), {Text(0xA8A3), Text(0xA9A3)}},
      {"one punctuation character", Type(",^"), {Text(0xACA3), Text(0xADA1), Text(0xADA1)}},
      {"full width with its exceptions", {Set(3, 0), Set(2, 1), C('~'), C('a'), C('$')},
       {Text(0xABA1), Text(0xE1A3), Text(0xE7A1)}},
      {"punctuation before full width", {Set(2, 1), C('$')}, {Text(0xA4A3)}},
      {"backspace with no keys", {C(8)}, {Key(18, 14), Key(20, 14)}},
      {"escape with no keys", {C(27)}, {Key(18, 1), Key(20, 1)}},
      {"escape clears typed keys", Type("ni") + std::vector<Step>{C(27), C(' ')}, {{19, ' ', 0}}},
      {"space takes the first candidate", Type("ni "), {Text(ni)}},
      {"a selection key takes its candidate", Type("ni2"), {Text(ni2)}},
      {"backspace drops a key and searches again", Type("nim") + std::vector<Step>{C(8), C(8), C('1')}, {Text(ni)}},
      {"page down", Type("ni") + std::vector<Step>{C(22), C('1')}, {Text(ni6)}},
      {"page down and up", Type("ni") + std::vector<Step>{C(22), C(21), C('1')}, {Text(ni)}},
      {"page up on the first page goes nowhere", Type("ni") + std::vector<Step>{C(21), C(' ')}, {Text(ni)}},
      {"the highlight walks onto the next page", Type("ni") + std::vector<Step>{C(20), C(20), C(20), C(20), C(20), C(' ')},
       {Text(ni6)}},
      {"no paging without more pages", Type("hao") + std::vector<Step>{C(22)}, {{19, 22, 0}}},
      {"association after output", Type("ni 2"), {Text(ni), Text(ni), Text(men)}},
      {"digits after a failed key are swallowed", Type("nix1 "), {}},
      {"keys the match left over are typed again",
       Type("nia") + std::vector<Step>{C(22), C(21), C('1'), C(' ')}, {Text(ni), Text(a)}},
      {"a non-key passes through and clears", Type("ni7 "), {{19, '7', 0}, {19, ' ', 0}}},
      {"auto-select with one candidate", {Set(4, 2), C('h'), C('h'), C('n'), C('n')}, {Text(hao)}},
      {"symbol mode: a row in Chinese punctuation", {Down(130), C(130), C('2')}, {{18, 130, 0}, Text(0xA3A1), {kClosed, 0, 0}}},
      {"symbol mode: a row as its key", {Set(3, 0), Down(130), C(130), C('2')}, {{18, 130, 0}, {19, '.', 0}, {kClosed, 0, 0}}},
      {"symbol mode pages its rows", {Down(130), C(130), C(22), C('1')}, {{18, 130, 0}, Text(0xABA3), {kClosed, 0, 0}}},
      {"symbol rows stop at the last", {Down(130), C(130), C(22), C(22), C(22), C(22), C(22), C(22), C(22), C('5')},
       {{18, 130, 0}, {19, 0x203D, 0}, {kClosed, 0, 0}}},
      {"Enter and function keys go on as keys", {Down(28), Up(28), Down(60)}, {{18, 28, 0}, {20, 28, 0}, {18, 60, 0}}},
      {"Ctrl and space toggle full width", {Down(57, 0x10), C('a')}, {Text(0xE1A3)}},
      {"left Ctrl alone toggles Chinese input", {Down(29), Up(29), Down(28)}, {{18, 28, 0}}},
  };
  (void)hao;
  for (const Case& c : cases) EXPECT_EQ(Run(c.steps), c.expected) << c.what;
}

TEST_F(EngineRules, StatusItemsAndTableSwitching) {
  RecordingHost host;
  ime::Engine engine(&host);
  ASSERT_TRUE(engine.Load(config_));
  EXPECT_EQ(engine.Status(ime::kItemTable), 1);
  EXPECT_EQ(engine.Status(ime::kItemChinese), 1);
  EXPECT_EQ(engine.Status(ime::kItemPunct), 1);
  EXPECT_EQ(engine.Status(ime::kItemShown), 1);
  engine.SetStatus(ime::kItemTable, -1);
  EXPECT_EQ(engine.Status(ime::kItemTable), 2);
  engine.SetStatus(ime::kItemTable, -1);  // three slots: from 2 to 0
  EXPECT_EQ(engine.Status(ime::kItemTable), 0);
  engine.SetStatus(ime::kItemTable, 9);  // clamped to the last slot
  EXPECT_EQ(engine.Status(ime::kItemTable), 2);
  engine.KeyDown(42, 0x20);  // Ctrl and left Shift: the next table
  EXPECT_EQ(engine.Status(ime::kItemTable), 0);
  engine.SetStatus(ime::kItemSymbol, 1);
  engine.SetStatus(ime::kItemShown, 0);
  EXPECT_EQ(engine.Status(ime::kItemSymbol), 0);
  EXPECT_EQ(engine.Status(7), 0);
  EXPECT_FALSE(engine.KeyDown(57, 0x10));  // hidden: keys change nothing
  EXPECT_EQ(engine.Status(ime::kItemFullWidth), 0);
}

}  // namespace

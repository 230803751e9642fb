// Single-line and IP-address edits in a running toolkit: what their parents
// hear, the dialog codes, the input-mode cycle, the range box and typing
// into the IP-address fields.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "gui/edit.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "gui/mbtext.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/text_entry.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kVisible = WS_VISIBLE;

LParam Pack(int x, int y) { return static_cast<LParam>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x)); }

class EditTest : public guitest::StartedGui {
 protected:
  void SetUp() override {
    parent_ = Main({100, 100, 500, 300}, 0, "page");
    ASSERT_NE(parent_, GUI_INVALID_HANDLE);
  }
  WindowHandle Edit(uint32_t style, const char* text = "", int id = 7, int w = 200) {
    WindowHandle h = CreateWindowEx("sledit", text, kVisible | style, 0, id, 10, 10, w, 30, parent_, 0);
    EXPECT_NE(h, GUI_INVALID_HANDLE);
    return h;
  }
  // The notification codes the parent heard since the last look.
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (const SeenMessage& m : Received(parent_, MSG_COMMAND)) codes.push_back(static_cast<int>(m.wParam >> 16));
    return codes;
  }
  // A press and a release at (x, y) of the field; its input mode after.
  static LResult PressAt(WindowHandle edit, int x, int y) {
    SendMessage(edit, MSG_LBUTTONDOWN, 0, Pack(x, y));
    SendMessage(edit, MSG_LBUTTONUP, 0, 0);
    return SendMessage(edit, MSG_EDIT_GETINPUTMODE, 0, 0);
  }
  // The middle of the field's mode icon.
  static void IconAt(WindowHandle edit, int* x, int* y) {
    Rect client{};
    GetClientRect(edit, &client);
    const Bitmap* icon = GetStockBitmap("switch_chrl", -1, -1);
    ASSERT_NE(icon, nullptr);
    *x = client.right - static_cast<int>(icon->bmWidth) / 2;
    *y = client.bottom / 2;
  }
  WindowHandle parent_ = 0;
};

TEST_F(EditTest, FocusTextAndEnterNotifyTheParentInOrder) {
  WindowHandle edit = Edit(0);
  struct Step {
    int msg;
    WParam wParam;
    const char* text;
    std::vector<int> codes;
  } steps[] = {
      {MSG_SETFOCUS, 0, nullptr, {256}},
      {MSG_SETTEXT, 1, "abc", {768}},
      {MSG_CHAR, 'd', nullptr, {768, 3}},
      {MSG_KEYDOWN, 28, nullptr, {1792}},
      {MSG_KILLFOCUS, 0, nullptr, {512, 1540}},  // changed while focused
      {MSG_SETFOCUS, 0, nullptr, {256}},
      {MSG_KILLFOCUS, 0, nullptr, {512}},  // nothing changed this time
  };
  for (const Step& s : steps) {
    SendMessage(edit, s.msg, s.wParam, reinterpret_cast<LParam>(s.text));
    EXPECT_EQ(Codes(), s.codes) << "message " << s.msg;
  }
  char text[8];
  EXPECT_EQ(SendMessage(edit, MSG_GETTEXT, 4, reinterpret_cast<LParam>(text)), 3) << "wParam - 1 bytes";
  EXPECT_STREQ(text, "abc");
}

// The text and selection copies take the caller's size whole: sizes of
// 2^31 and more, or ones whose low 32 bits are small, bound the copy as a
// size of that many bytes does.
TEST_F(EditTest, TextCopiesTakeEverySizeWhole) {
  WindowHandle edit = Edit(0, "abcdef");
  SendMessage(edit, EM_SETCARETPOS, 0, 1);
  SendMessage(edit, EM_SETSEL, 0, 5);
  const WParam sizes[] = {WParam{1} << 31, 0xFFFFFFFFu, (WParam{1} << 32) + 3, ~WParam{0}};
  for (WParam size : sizes) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(SendMessage(edit, MSG_GETTEXT, size, reinterpret_cast<LParam>(buffer)), 6) << size;
    EXPECT_STREQ(buffer, "abcdef");
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(SendMessage(edit, EM_GETSELTEXT, size, reinterpret_cast<LParam>(buffer)), 4) << size;
    EXPECT_STREQ(buffer, "bcde");
  }
  char one[1] = {'#'};
  EXPECT_EQ(SendMessage(edit, MSG_GETTEXT, 1, reinterpret_cast<LParam>(one)), 0);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(SendMessage(edit, MSG_GETTEXT, ~WParam{0}, 0), 0);
}

// Limits cut on whole characters: with a GB2312 font in the edit's slot,
// "\xB0\xA1" is one double-byte character.
TEST_F(EditTest, LimitsNeverSplitADoubleByteCharacter) {
  LogFont* gb = CreateLogFont("*", "*", "GB2312-0", 'r', 'r', 'n', 'c', 'n', 'n', 16, 0);
  ASSERT_NE(gb, nullptr);
  ASSERT_EQ(GetFirstMCharLen(gb, "\xB0\xA1", 2), 2);
  LogFont* const saved[2] = {g_SysLogFont[3], g_SysLogFont[6]};
  g_SysLogFont[3] = g_SysLogFont[6] = gb;
  constexpr uint32_t kRightAligned = 0x2;
  const auto text = [](WindowHandle e) {
    char buffer[32] = {};
    SendMessage(e, MSG_GETTEXT, sizeof buffer, reinterpret_cast<LParam>(buffer));
    return std::string(buffer);
  };
  WindowHandle edit = Edit(0, "", 40);
  SendMessage(edit, EM_LIMITTEXT, 5, 0);
  SendMessage(edit, MSG_SETTEXT, 0, reinterpret_cast<LParam>("ab\xB0\xA1\xB0\xA1"));
  EXPECT_EQ(text(edit), "ab\xB0\xA1") << "set text with a limit";
  SendMessage(edit, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(text(edit), "ab") << "a lower limit";
  WindowHandle right = Edit(kRightAligned, "", 41);
  SendMessage(right, MSG_SETTEXT, 1, reinterpret_cast<LParam>("ab"));  // the caret at the end
  SendMessage(right, EM_LIMITTEXT, 3, 0);
  SendMessage(right, MSG_CHAR, 0xA1B0, 0);  // low byte first
  EXPECT_EQ(text(right), "ab") << "typed at the limit";
  SendMessage(right, EM_LIMITTEXT, 4, 0);
  SendMessage(right, MSG_CHAR, 0xA1B0, 0);
  EXPECT_EQ(text(right), "ab\xB0\xA1");
  g_SysLogFont[3] = saved[0];
  g_SysLogFont[6] = saved[1];
  DestroyLogFont(gb);
}

TEST_F(EditTest, EnterStartsAndEndsEditingEscapeAndFocusLossEndIt) {
  WindowHandle edit = Edit(0);
  SendMessage(edit, MSG_SETFOCUS, 0, 0);
  struct Step {
    int msg;
    WParam key;
    LResult code;
  } steps[] = {
      {0, 0, 0x99},  {MSG_KEYDOWN, 28, 0x9D}, {MSG_KEYDOWN, 28, 0x99},     {MSG_KEYDOWN, 180, 0x9D},
      {MSG_KEYDOWN, 180, 0x9D}, {MSG_KEYDOWN, 1, 0x99}, {MSG_KEYDOWN, 28, 0x9D}, {MSG_KILLFOCUS, 0, 0x99},
  };
  for (const Step& s : steps) {
    if (s.msg) SendMessage(edit, s.msg, s.key, 0);
    EXPECT_EQ(SendMessage(edit, MSG_GETDLGCODE, 0, 0), s.code) << "after " << s.msg << "/" << s.key;
  }
}

// The first press on a field starts typing in its first mode; presses on
// the mode icon then cycle by the interface language and the style.
TEST_F(EditTest, ModeIconCyclesByLanguageIdAndStyle) {
  struct Row {
    int language;
    uint32_t style;
    std::vector<LResult> modes;
  } rows[] = {
      {2, 0, {0x10, 0x40, 0x20, 0x10}},      // GB2312: letters, Chinese, numbers
      {1, 0, {0x10, 0x20, 0x10, 0x20}},      // other languages: two-way
      {6, 0, {0x10, 0x20, 0x10, 0x20}},
      {2, 0x100, {0x10, 0x20, 0x10, 0x20}},  // Chinese not offered
      {2, 0x4, {0x20, 0x10, 0x20, 0x10}},    // number keyboard first
      {2, 0x20, {0x20, 0x10, 0x20, 0x10}},   // password
  };
  const int32_t language = GetSysInfoLanguage();
  int id = 20;
  for (const Row& row : rows) {
    SetSysInfoLanguage(row.language);
    WindowHandle edit = Edit(row.style, "", ++id);
    int iconX = 0, midY = 0;
    ASSERT_NO_FATAL_FAILURE(IconAt(edit, &iconX, &midY));
    std::vector<LResult> seen;
    for (int press = 0; press < 4; ++press) seen.push_back(PressAt(edit, press == 0 ? 5 : iconX, midY));
    EXPECT_EQ(seen, row.modes) << "language " << row.language << " style " << std::hex << row.style;
    DestroyWindow(edit);
  }
  SetSysInfoLanguage(language);
}

// The language switch writes the language word on a thread of its own while
// the field cycles its modes on this one: every press lands on a mode of one
// of the two cycles, and once the switching ends the field follows the last
// language written.
TEST_F(EditTest, ModeIconCyclesWhileTheLanguageSwitchesOnAnotherThread) {
  constexpr LResult kLetters = 0x10, kNumbers = 0x20, kChinese = 0x40;
  const int32_t language = GetSysInfoLanguage();
  WindowHandle edit = Edit(0, "", 60);
  int iconX = 0, midY = 0;
  ASSERT_NO_FATAL_FAILURE(IconAt(edit, &iconX, &midY));
  ASSERT_EQ(PressAt(edit, 5, midY), kLetters);
  std::atomic<bool> stop{false};
  std::thread switcher([&stop] {
    for (int round = 0; !stop.load(); ++round) SetSysInfoLanguage(round % 2 == 0 ? 2 : 1);
  });
  std::vector<LResult> odd;
  for (int press = 0; press < 300; ++press) {
    const LResult mode = PressAt(edit, iconX, midY);
    if (mode != kLetters && mode != kNumbers && mode != kChinese) odd.push_back(mode);
  }
  stop = true;
  switcher.join();
  EXPECT_TRUE(odd.empty()) << "first odd mode " << std::hex << (odd.empty() ? 0 : odd.front());

  SetSysInfoLanguage(2);
  for (int press = 0; press < 3 && SendMessage(edit, MSG_EDIT_GETINPUTMODE, 0, 0) != kLetters; ++press)
    PressAt(edit, iconX, midY);
  ASSERT_EQ(SendMessage(edit, MSG_EDIT_GETINPUTMODE, 0, 0), kLetters);
  std::vector<LResult> gb, other;
  for (int press = 0; press < 3; ++press) gb.push_back(PressAt(edit, iconX, midY));
  EXPECT_EQ(gb, (std::vector<LResult>{kChinese, kNumbers, kLetters})) << "three-way after the switching";
  SetSysInfoLanguage(1);
  for (int press = 0; press < 3; ++press) other.push_back(PressAt(edit, iconX, midY));
  EXPECT_EQ(other, (std::vector<LResult>{kNumbers, kLetters, kNumbers})) << "two-way after the switching";
  DestroyWindow(edit);
  SetSysInfoLanguage(language);
}

// Answers the next message box with Enter once it shows, keeping its title
// and text.
struct BoxReader {
  std::string title, text;
  std::thread thread;
  void Start() {
    thread = std::thread([this] {
      const WindowHandle box = desktest::AwaitMessageBox();
      if (!box) return;
      if (const char* t = GetWindowCaption(box)) title = t;
      if (const char* t = GetWindowCaption(GetDlgItem(box, 101))) text = t;
      SendNotifyMessage(box, MSG_CLOSE, 0, 0);
    });
  }
  void Join() { thread.join(); }
};

// The direction of the language comes through the call-back table, which
// is installed before start-up; the fake answers what the test sets.
std::atomic<int> g_rightToLeft{0};

class RangeBoxTest : public EditTest {
 protected:
  static void SetUpTestSuite() {
    static GuiAppCallbacks fake{};
    fake.isRightToLeftLang = [] { return g_rightToLeft.load(); };
    SetAppCallbacks(&fake);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() {
    TerminateGUI(0);
    SetAppCallbacks(nullptr);
  }
};

TEST_F(RangeBoxTest, OutOfRangeNumbersAreCorrectedWithTheBoxArgumentsReversedRightToLeft) {
  struct Row {
    bool rightToLeft;
    const char* typed;
    const char* corrected;
    const char* message;
  } rows[] = {
      {false, "300", "223", "The value 300 is out of range (1-223)."},
      {true, "300", "223", "The value 223 is out of range (1-300)."},
      {false, "0", "1", "The value 0 is out of range (1-223)."},
  };
  for (const Row& row : rows) {
    g_rightToLeft = row.rightToLeft ? 1 : 0;
    WindowHandle edit = Edit(0x200, "", 30);
    SendMessage(edit, EM_SETRANGE, 1, 223);
    SendMessage(edit, MSG_SETTEXT, 0, reinterpret_cast<LParam>(row.typed));
    BoxReader box;
    box.Start();
    desktest::Drain();  // the paint checks the range
    box.Join();
    char text[16];
    SendMessage(edit, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
    EXPECT_STREQ(text, row.corrected);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.text, row.message);
    DestroyWindow(edit);
  }
  g_rightToLeft = 0;
}

// Closes every message box as it shows, counting them, until stopped.
struct BoxCloser {
  std::atomic<bool> done{false};
  std::atomic<int> boxes{0};
  std::thread thread{[this] {
    while (!done) {
      if (GetMsgBoxState()) {
        const WindowHandle box = desktest::AwaitMessageBox(&done);
        if (!box) continue;
        ++boxes;
        SendNotifyMessage(box, MSG_CLOSE, 0, 0);
        while (!done && GetMsgBoxState()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }};
  int Stop() {
    done = true;
    thread.join();
    return boxes;
  }
};

std::string TextOf(WindowHandle edit) {
  char text[16];
  SendMessage(edit, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  return text;
}

// A maximum beyond int is refused whole: kept as its low half it would lie
// below the minimum, and every paint would open the box again.
TEST_F(RangeBoxTest, ARangeBeyondIntIsRefused) {
  BoxCloser closer;
  WindowHandle edit = Edit(0x200, "", 30);
  SendMessage(edit, EM_SETRANGE, 1, 223);
  SendMessage(edit, EM_SETRANGE, 0x20, static_cast<LParam>(0x1B7A000000000000));
  SendMessage(edit, MSG_SETTEXT, 0, reinterpret_cast<LParam>("100"));
  desktest::Drain();
  EXPECT_EQ(closer.Stop(), 0);
  EXPECT_EQ(TextOf(edit), "100") << "inside the range kept";
}

// A bound longer than the limit is written whole: cut, it would stay out of
// range and open the box again from the box's own repaint.
TEST_F(RangeBoxTest, TheCorrectedBoundIsNotCutByTheLimit) {
  BoxCloser closer;
  WindowHandle edit = Edit(0x200, "", 30);
  SendMessage(edit, EM_SETRANGE, 37, 100);
  SendMessage(edit, EM_LIMITTEXT, 1, 0);  // the limit
  SendMessage(edit, MSG_SETTEXT, 0, reinterpret_cast<LParam>("5"));
  desktest::Drain();
  EXPECT_EQ(closer.Stop(), 1);
  EXPECT_EQ(TextOf(edit), "37");
}

class IpEditTest : public EditTest {
 protected:
  WindowHandle IpEdit(uint32_t style, const char* text = "") {
    WindowHandle h = CreateWindowEx("ipedit", text, kVisible | style, 0, 9, 10, 50, 300, 30, parent_, 0);
    EXPECT_NE(h, GUI_INVALID_HANDLE);
    return h;
  }
  std::string Address(WindowHandle h) {
    char text[32] = {};
    SendMessage(h, MSG_GETTEXT, 0, reinterpret_cast<LParam>(text));
    return text;
  }
  void Keys(WindowHandle h, std::initializer_list<int> scans) {
    for (int scan : scans) SendMessage(h, MSG_KEYDOWN, static_cast<WParam>(scan), 0);
  }
};

TEST_F(IpEditTest, TypedDigitsFillTheFieldsAndMoveOn) {
  WindowHandle ip = IpEdit(0x1);
  SendMessage(ip, MSG_SETFOCUS, 0, 0);
  Keys(ip, {2, 10});  // not editing yet: nothing
  EXPECT_EQ(Address(ip), "0.0.0.0");
  Keys(ip, {28, 2, 10, 3, 2});  // Enter, then 1 9 2 | 1
  EXPECT_EQ(Address(ip), "192.1.0.0");
  Keys(ip, {14, 14});  // backspace empties the second field, then moves back selecting the first
  EXPECT_EQ(Address(ip), "192.0.0.0");
  Keys(ip, {6});  // typing replaces the selection
  EXPECT_EQ(Address(ip), "5.0.0.0");
  SendMessage(GetDlgItem(ip, 100), MSG_CHAR, '.', 0);  // "." moves on when the caret is not at 0
  Keys(ip, {8});
  EXPECT_EQ(Address(ip), "5.7.0.0");
  SendMessage(ip, MSG_SETTEXT, 0, reinterpret_cast<LParam>("10.0.0.1"));
  EXPECT_EQ(Address(ip), "10.0.0.1");
}

TEST_F(IpEditTest, MacFieldsTakeHexDigitsOnly) {
  WindowHandle mac = IpEdit(0x2, "0a:1b:2c:3d:4e:5f");
  EXPECT_EQ(Address(mac), "0a:1b:2c:3d:4e:5f");
  SendMessage(mac, MSG_SETTEXT, 0, reinterpret_cast<LParam>("a::1"));
  EXPECT_EQ(Address(mac), "0a:00:01:3d:4e:5f") << "set-text sets only what it contains";
  WindowHandle first = GetDlgItem(mac, 100);
  SendMessage(first, MSG_SETTEXT, 0, reinterpret_cast<LParam>(""));
  for (char c : {'g', 'B', 'z', '7'}) SendMessage(first, MSG_CHAR, static_cast<WParam>(c), 0);
  EXPECT_EQ(Address(mac), "b7:00:01:3d:4e:5f") << "typed letters become lower case";
}

}  // namespace

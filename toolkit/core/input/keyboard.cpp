// The layout table ("default" only), the current layout and the character
// messages TranslateMessage sends.
#include <cstring>
#include <mutex>

#include "core/desktop/desktop.h"
#include "core/input/keyboard_layout.h"
#include "gui/keyboard.h"
#include "gui/message.h"

namespace {

void InitDefaultLayout(LayoutTables* tables) {
  *tables = LayoutTables{};
  for (int i = 0; i < kDefaultKeyMapCount; ++i) tables->maps[kDefaultKeyMaps[i].index] = kDefaultKeyMaps[i].codes;
  tables->accents = kDefaultAccents;
  tables->accentCount = kDefaultAccentCount;
  tables->funcStrings = kDefaultFuncStrings;
  tables->funcStringCount = kDefaultFuncStringCount;
}

const KeyboardLayout kLayouts[] = {{"default", InitDefaultLayout}};

// TranslateMessage runs on every GUI thread; its one translation state and
// the current tables are guarded together.
struct CurrentLayout {
  std::mutex lock;
  LayoutTables tables;
  KeyTranslator translator{&tables};
};

CurrentLayout& current() {
  static CurrentLayout instance;
  return instance;
}

bool IsPress(int message) { return message == MSG_KEYDOWN || message == MSG_SYSKEYDOWN; }
bool IsRelease(int message) {
  return message == MSG_KEYUP || message == MSG_SYSKEYUP || message == MSG_KEYUP2 || message == MSG_KEYUP3;
}

void SendCharacters(WindowHandle hwnd, const std::string& bytes, LParam shift) {
  if (bytes.size() == 1) {
    SendNotifyMessage(hwnd, MSG_CHAR, static_cast<unsigned char>(bytes[0]), shift);
    return;
  }
  for (size_t i = 0; i < bytes.size(); ++i)
    SendNotifyMessage(hwnd, MSG_KEYSYM, static_cast<unsigned char>(bytes[i]) | i << 8, 0);
}

}  // namespace

const KeyboardLayout* FindKeyboardLayout(const char* name) {
  if (!name) return nullptr;
  for (const KeyboardLayout& layout : kLayouts)
    if (std::strcmp(layout.name, name) == 0) return &layout;
  return nullptr;
}

extern "C" {

BOOL SetKeyboardLayout(const char* name) {
  const KeyboardLayout* layout = FindKeyboardLayout(name);
  if (!layout) return FALSE;
  CurrentLayout& c = current();
  std::lock_guard<std::mutex> guard(c.lock);
  layout->init(&c.tables);
  c.translator = KeyTranslator(&c.tables);
  return TRUE;
}

BOOL TranslateMessage(const Message* msg) {
  if (!msg || msg->hwnd == __gui_hwnd_desktop || msg->wParam >= kTranslatableCodes) return FALSE;
  const bool press = IsPress(msg->message);
  if (!press && !IsRelease(msg->message)) return FALSE;
  const auto shift = static_cast<uint32_t>(msg->lParam);
  std::string bytes;
  {
    CurrentLayout& c = current();
    std::lock_guard<std::mutex> guard(c.lock);
    const int scanCode = static_cast<int>(msg->wParam);
    bytes = press ? c.translator.Press(scanCode, shift) : c.translator.Release(scanCode, shift);
    c.translator.SetPreviousShift(shift);
  }
  if (!bytes.empty()) SendCharacters(msg->hwnd, bytes, msg->lParam);
  return FALSE;
}

int TranslateKeyMsgToChar(int message, WParam scanCode, LParam shiftState, char* ch) {
  if (!IsPress(message) || scanCode >= kTranslatableCodes) return 0;
  LayoutTables tables;
  {
    CurrentLayout& c = current();
    std::lock_guard<std::mutex> guard(c.lock);
    tables = c.tables;
  }
  KeyTranslator fresh(&tables);
  const std::string bytes = fresh.Press(static_cast<int>(scanCode), static_cast<uint32_t>(shiftState));
  if (bytes.size() != 1) return 0;
  if (ch) *ch = bytes[0];
  return 1;
}

}  // extern "C"

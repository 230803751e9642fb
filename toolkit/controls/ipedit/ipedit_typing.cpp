// Digits and dots typed into the fields of an IPv4 address, by the keys or
// by the soft keyboard: each field ends up holding the number typed, never
// a leading zero, never more than its maximum, and a dot never skips a field.
#include <algorithm>
#include <string>

#include "controls/ipedit/ipedit.h"
#include "gui/edit.h"
#include "gui/fixstr.h"
#include "gui/message.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace ipedit {
namespace {

constexpr int kDigits = 3;
constexpr int kDelete = 127;  // the soft keyboard's backspace

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

std::string TextOf(WindowHandle field) {
  char text[8] = {};
  SendMessage(field, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  return text;
}

}  // namespace

bool TypeIpv4(WindowHandle field, int c, int max) {
  const std::string text = TextOf(field);
  if (c == '.' || c == ' ') {
    // A field reached by filling the one before it is not ended by the dot
    // that the hand types after the full group.
    if (DigitsTyped() != kFreshField && !text.empty()) SendMessage(GetParent(field), MSG_IPEDIT_MOVEFIELD, 0, 1);
    return true;
  }
  const int typed = DigitsTyped() == kFreshField ? 0 : DigitsTyped();
  if (c == '\b' || c == kDelete) {
    // Backspace edits what the field holds: later digits go beside it.
    const int kept = DigitsTyped() == kFreshField ? static_cast<int>(text.size()) : typed;
    SetDigitsTyped(kept > 0 ? kept - 1 : 0);
    return false;
  }
  if (!IsDigit(c)) return false;
  const bool replace = DigitsTyped() == kFreshField || text == "0";
  std::string next = replace ? std::string() : text;
  const LResult caret = SendMessage(field, EM_GETCARETPOS, 0, 0);
  const size_t at = replace ? 0 : std::min(next.size(), static_cast<size_t>(caret < 0 ? 0 : caret));
  next.insert(at, 1, static_cast<char>(c));
  if (next.size() <= static_cast<size_t>(kDigits) && std::stol(next) > max) {
    Ping();
    return true;
  }
  SetDigitsTyped(typed + 1);
  if (replace) SendMessage(field, MSG_SETTEXT, 0, reinterpret_cast<LParam>(""));
  return false;
}

void EndFullField(WindowHandle field, int c) {
  // A field filled to its limit has moved on already, which set the count back.
  if (IsDigit(c) && DigitsTyped() >= kDigits) SendMessage(GetParent(field), MSG_IPEDIT_MOVEFIELD, 0, 1);
}

}  // namespace ipedit

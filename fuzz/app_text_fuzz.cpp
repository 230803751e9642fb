// Translated texts used as formats, and MAC addresses typed by the user.
// First byte: which check; second: the buffer size; the rest is the text.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/format_text.h"
#include "app/formatting.h"

namespace {

void FormatText(const std::string& text, int size) {
  char buf[300];
  const int room = size % static_cast<int>(sizeof buf);
  formatChecked(buf, room, text.c_str(), "d", -2147483647 - 1);
  formatChecked(buf, room, text.c_str(), "sss", "item", "1", "65535");
  formatChecked(buf, room, text.c_str(), "s", "a name that is fairly long to fill the field");
  if (room > 0 && std::strlen(buf) >= static_cast<size_t>(room)) __builtin_trap();
}

void MacAddress(const std::string& text, int size) {
  uint8_t bytes[40];
  std::memset(bytes, 0xA5, sizeof bytes);
  const int room = size % 33;
  const int n = parseMacAddr(text.c_str(), bytes, room);
  if (n > room || (room < 6 && n != -1)) __builtin_trap();
  for (size_t i = n < 0 ? 0 : static_cast<size_t>(n); i < sizeof bytes; ++i)
    if (bytes[i] != 0xA5) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  if (data[0] & 1)
    MacAddress(text, data[1]);
  else
    FormatText(text, data[1]);
  return 0;
}

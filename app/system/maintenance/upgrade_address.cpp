// The FTP upgrade's address check.
#include <cstring>

#include "app/maintenance_pages.h"

namespace {

constexpr int kMaxByte = 255;

// Dots neither first, last nor side by side.
bool dotsSeparateDigits(const char* text, size_t length) {
  if (text[0] == '.' || text[length - 1] == '.') return false;
  for (size_t i = 1; i < length; ++i)
    if (text[i] == '.' && text[i - 1] == '.') return false;
  return true;
}

bool groupsAreBytes(const char* text) {
  long value = 0;
  for (const char* p = text;; ++p) {
    if (*p == '.' || *p == '\0') {
      if (value > kMaxByte) return false;
      if (*p == '\0') return true;
      value = 0;
    } else if (value <= kMaxByte) {
      // Stop growing once too large: a long run of digits cannot overflow.
      value = value * 10 + (*p - '0');
    }
  }
}

}  // namespace

extern "C" int isValidUpgradeIp(const char* text) {
  if (!text || text[0] == '\0') return 0;
  const size_t length = std::strlen(text);
  int dots = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] == '.') ++dots;
    else if (text[i] < '0' || text[i] > '9') return 0;
  }
  if (dots != 3 && dots != 5) return 0;
  if (!dotsSeparateDigits(text, length)) return 0;
  return dots == 5 || groupsAreBytes(text) ? 1 : 0;
}

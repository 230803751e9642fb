// Language texts used as formats, checked against the caller's arguments.
#include "app/format_text.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

// Widths and precisions of up to three digits; a longer one is refused so
// that no text asks for a huge padded field.
constexpr int kMaxFieldDigits = 3;

const char* skipDigits(const char* p) {
  int digits = 0;
  while (std::isdigit(static_cast<unsigned char>(*p)) && digits <= kMaxFieldDigits) ++p, ++digits;
  return digits > kMaxFieldDigits ? nullptr : p;
}

// Skips flags, width and precision; '*' and length modifiers would read
// arguments the caller did not pass, so they are not skipped and the
// conversion letter test refuses them.
const char* skipModifiers(const char* p) {
  while (*p && std::strchr("-+ #0", *p)) ++p;
  p = skipDigits(p);
  if (p && *p == '.') p = skipDigits(p + 1);
  return p;
}

}  // namespace

extern "C" {

int formatMatches(const char* format, const char* conversions) {
  if (!format || !conversions) return 0;
  const char* want = conversions;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    if (p[1] == '%') {
      ++p;
      continue;
    }
    p = skipModifiers(p + 1);
    if (!p || *p == '\0' || *p != *want) return 0;
    ++want;
  }
  return *want == '\0' ? 1 : 0;
}

int vformatChecked(char* buf, int size, const char* format, const char* conversions, va_list args) {
  if (!buf || size < 1) return -1;
  if (!format) {
    buf[0] = '\0';
    return 0;
  }
  if (!formatMatches(format, conversions)) return std::snprintf(buf, static_cast<size_t>(size), "%s", format);
  const int n = std::vsnprintf(buf, static_cast<size_t>(size), format, args);
  if (n < 0) buf[0] = '\0';
  return n;
}

int formatChecked(char* buf, int size, const char* format, const char* conversions, ...) {
  va_list args;
  va_start(args, conversions);
  const int n = vformatChecked(buf, size, format, conversions, args);
  va_end(args);
  return n;
}

}  // extern "C"

// Network addresses, mail addresses and plain text checks.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/formatting.h"

namespace {

// The e-mail page offers this relay as its preset server.
constexpr const char* kPresetSmtpServer = "smtp.gmail.com";

constexpr const char* kMailPunctuation = "_.-`~!#$%^&*+=/?'\"|{}";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isMailChar(char c) {
  return c == '@' || std::isalnum(static_cast<unsigned char>(c)) || (c != '\0' && std::strchr(kMailPunctuation, c));
}

// Text conversion between the device's and the menu's character sets: the
// two are the same here.
void convertText(const char* text, char* buf, int size) { std::snprintf(buf, static_cast<size_t>(size), "%s", text); }

}  // namespace

extern "C" {

int formatIpAddr(const uint8_t bytes[4], char* buf, int size) {
  if (!bytes || !buf || size < 1) return -1;
  std::snprintf(buf, static_cast<size_t>(size), "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
  return 0;
}

void formatMacAddr(const uint8_t bytes[6], char* buf, int size) {
  if (!bytes || !buf || size < 18) return;
  std::snprintf(buf, static_cast<size_t>(size), "%02x:%02x:%02x:%02x:%02x:%02x", bytes[0], bytes[1], bytes[2],
                bytes[3], bytes[4], bytes[5]);
}

int parseMacAddr(const char* text, uint8_t* bytes, int size) {
  if (!text || !bytes || size < 6) return -1;
  int written = 0, high = -1;
  for (const char* p = text; *p && written < size; ++p) {
    const int v = hexValue(*p);
    if (v < 0) continue;
    if (high < 0) {
      high = v;
      continue;
    }
    bytes[written++] = static_cast<uint8_t>(high << 4 | v);
    high = -1;
  }
  return written;
}

int isValidEmailAddr(const char* text) {
  if (!text) return 0;
  const size_t n = std::strlen(text);
  if (n == 0) return 1;
  if (text[0] == '@' || text[n - 1] == '@' || !std::strchr(text, '@')) return 0;
  for (size_t i = 0; i < n; ++i)
    if (!isMailChar(text[i])) return 0;
  return 1;
}

int isPresetSmtpServer(char* name) {
  if (!name || !*name) return 0;
  for (char* p = name; *p; ++p) *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
  return std::strcmp(name, kPresetSmtpServer) == 0 ? 1 : 0;
}

int isDigitString(const char* text) {
  if (!text) return 0;
  for (; *text; ++text)
    if (!std::isdigit(static_cast<unsigned char>(*text))) return 0;
  return 1;
}

int convertTextCopy(const char* text, char* buf, int size) {
  if (!buf || size < 1) return -1;
  convertText(text ? text : "", buf, size);
  return 0;
}

int convertTextCopy2(const char* text, char* buf, int size) {
  if (!buf || size < 1) return -1;
  char once[1024];
  convertText(text ? text : "", once, sizeof once);
  convertText(once, buf, size);
  return 0;
}

}  // extern "C"

#include <cctype>
#include <cstring>

#include "gdi/text/charset_ops.h"

namespace charset {

namespace {

constexpr size_t kNameChars = 16;

bool IsDelimiter(unsigned char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace

std::string UpperName(const char* name) {
  std::string upper;
  if (!name) return upper;
  for (size_t i = 0; i < kNameChars && name[i]; ++i)
    upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(name[i]))));
  return upper;
}

bool Contains(const std::string& upper, const char* part) {
  return upper.find(part) != std::string::npos;
}

int NameHasAll(const char* name, std::initializer_list<const char*> parts) {
  std::string upper = UpperName(name);
  if (upper.empty()) return 1;
  for (const char* part : parts)
    if (!Contains(upper, part)) return 1;
  return 0;
}

int SbLenFirstChar(const unsigned char* s, int len) { return len >= 1 && s[0] != 0 ? 1 : 0; }

int SbGlyphValue(const unsigned char* s, int len) { return len >= 1 ? s[0] : 0; }

int SbNrChars(const unsigned char*, int len) { return len > 0 ? len : 0; }

int SbLenFirstSubstr(const unsigned char*, int len) { return len > 0 ? len : 0; }

int SbPosFirstChar(const unsigned char*, int) { return 0; }

const unsigned char* SbNextWord(const unsigned char* s, int len, WordInfo* word) {
  return ScanWord(s, len, word, nullptr);
}

const unsigned char* ScanWord(const unsigned char* s, int len, WordInfo* word, CharLenFn step) {
  WordInfo scratch;
  WordInfo& info = word ? *word : scratch;
  info = WordInfo{0, 0, 0};
  if (!s || len <= 0) return nullptr;
  int pos = 0;
  while (pos < len && !IsDelimiter(s[pos])) {
    int n = step ? step(s + pos, len - pos) : 1;
    pos += n > 0 ? n : 1;
  }
  if (pos > len) pos = len;
  info.len = pos;
  if (pos < len) {
    info.delimiter = s[pos];
    while (pos < len && s[pos] == info.delimiter) {
      ++info.nr_delimiters;
      ++pos;
    }
  }
  return s + pos;
}

int RunLength(const unsigned char* s, int len, CharLenFn charLen) {
  int pos = 0;
  while (pos < len) {
    int n = charLen(s + pos, len - pos);
    if (n <= 0) break;
    pos += n;
  }
  return pos;
}

int FirstCharPosition(const unsigned char* s, int len, CharLenFn charLen) {
  for (int pos = 0; pos < len; ++pos)
    if (charLen(s + pos, len - pos) > 0) return pos;
  return -1;
}

int CountChars(const unsigned char* s, int len, CharLenFn charLen) {
  int count = 0;
  for (int pos = 0; pos < len; ++count) {
    int n = charLen(s + pos, len - pos);
    if (n <= 0) break;
    pos += n;
  }
  return count;
}

const unsigned char* DbNextWord(const unsigned char* s, int len, WordInfo* word) {
  if (word) *word = WordInfo{0, 0, 0};
  if (!s || len < 2) return nullptr;
  if (word) word->len = 2;
  return s + 2;
}

int DbNrChars(const unsigned char*, int len) { return len > 0 ? len / 2 : 0; }

int NoConvFromUc16(Uchar16, unsigned char*) { return 0; }

}  // namespace charset

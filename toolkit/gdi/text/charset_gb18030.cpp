// GB18030: the GBK byte pairs plus the four-byte codes, whose glyph index
// follows the two-byte range in the order of the four-byte sequence.
#include "gdi/text/charset_ops.h"
#include "gdi/text/charset_tables.h"

namespace charset {

namespace {

constexpr int kFourByteBase = charset_tables::kGbkSize;
constexpr int kLastTableIndex = charset_tables::kGb18030Size - 1;

bool IsFourByte(const unsigned char* s, int len) {
  return len >= 4 && InRange(s[0], 0x81, 0xFE) && InRange(s[1], 0x30, 0x39) &&
         InRange(s[2], 0x81, 0xFE) && InRange(s[3], 0x30, 0x39);
}

bool IsTwoByte(const unsigned char* s, int len) {
  return len >= 2 && InRange(s[0], 0x81, 0xFE) && InRange(s[1], 0x40, 0xFE) && s[1] != 0x7F;
}

int LenFirstChar(const unsigned char* s, int len) {
  if (IsFourByte(s, len)) return 4;
  return IsTwoByte(s, len) ? 2 : 0;
}

int Glyph(const unsigned char* s, int len) {
  if (IsFourByte(s, len))
    return kFourByteBase +
           (((s[0] - 0x81) * 10 + (s[1] - 0x30)) * 126 + (s[2] - 0x81)) * 10 + (s[3] - 0x30);
  return (s[0] - 0x81) * 192 + (s[1] - 0x40);
}

// Bytes that form no character index the default character 0xA1 0xA1.
int GlyphValue(const unsigned char* s, int len) {
  static const unsigned char kDefault[2] = {0xA1, 0xA1};
  return LenFirstChar(s, len) ? Glyph(s, len) : Glyph(kDefault, 2);
}

// A pair whose second byte is below 0x40 counts as the start of four bytes.
int NrChars(const unsigned char* s, int len) {
  int count = 0;
  for (int pos = 0; pos + 1 < len; ++count) {
    int step = s[pos + 1] < 0x40 ? 4 : 2;
    if (pos + step > len) break;
    pos += step;
  }
  return count;
}

int LenFirstSubstr(const unsigned char* s, int len) { return RunLength(s, len, LenFirstChar); }

int PosFirstChar(const unsigned char* s, int len) { return FirstCharPosition(s, len, LenFirstChar); }

const unsigned char* NextWord(const unsigned char* s, int len, WordInfo* word) {
  if (word) *word = WordInfo{0, 0, 0};
  if (!s || len < 2) return nullptr;
  int n = IsFourByte(s, len) ? 4 : 2;
  if (word) word->len = n;
  return s + n;
}

Uchar16 ToUcs2(const unsigned char* s, int len) {
  if (LenFirstChar(s, len) == 0) return 0;
  int index = Glyph(s, len);
  return index > kLastTableIndex ? kQuestionMark : charset_tables::kGb18030ToUcs2[index];
}

int Name(const char* name) { return NameHasAll(name, {"GB", "18030"}); }

}  // namespace

const CharsetOps kGb18030 = {1611540,      4,        4,          "GB18030-0",    {0xA1, 0xA1},
                             LenFirstChar, GlyphValue, NrChars, Name,          LenFirstSubstr,
                             NextWord,     PosFirstChar, ToUcs2, NoConvFromUc16};

}  // namespace charset

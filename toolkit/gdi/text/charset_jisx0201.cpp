// JIS X 0201: the single-byte form (half-width katakana at 0xA1..0xDF) and the
// EUC form, where 0x8E introduces a half-width katakana byte.
#include "gdi/text/charset_ops.h"

namespace charset {

namespace {

constexpr int kKatakanaOffset = 0xFEC0;

bool IsKatakana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// Yen sign and backslash trade places with ASCII.
Uchar16 RomanToUcs2(unsigned char b) {
  if (b == 0x5C) return 0xA5;
  if (b == 0x80) return 0x5C;
  return b;
}

Uchar16 SingleToUcs2(const unsigned char* s, int len) {
  if (len < 1) return 0;
  if (IsKatakana(s[0])) return static_cast<Uchar16>(s[0] + kKatakanaOffset);
  return RomanToUcs2(s[0]);
}

// Codes answer only bytes that convert back to them.
int SingleFromUcs2(Uchar16 wc, unsigned char* out) {
  int candidate = -1;
  if (wc == 0xA5) candidate = 0x5C;
  else if (wc == 0x5C) candidate = 0x80;
  else if (wc <= 0xFF) candidate = wc;
  else if (wc >= 0xFF61 && wc <= 0xFF9F) candidate = wc - kKatakanaOffset;
  if (candidate < 0) return 0;
  unsigned char byte = static_cast<unsigned char>(candidate);
  if (SingleToUcs2(&byte, 1) != wc) return 0;
  *out = byte;
  return 1;
}

int SingleName(const char* name) { return NameHasAll(name, {"JISX0201", "-1"}); }

bool IsEucKana(const unsigned char* s, int len) { return len >= 2 && s[0] == 0x8E && IsKatakana(s[1]); }

int EucLenFirstChar(const unsigned char* s, int len) {
  if (IsEucKana(s, len)) return 2;
  return len >= 1 && s[0] != 0 ? 1 : 0;
}

int EucGlyphValue(const unsigned char* s, int len) {
  if (IsEucKana(s, len)) return s[1];
  return len >= 1 ? s[0] : 0x20;
}

int EucNrChars(const unsigned char* s, int len) { return CountChars(s, len, EucLenFirstChar); }

Uchar16 EucToUcs2(const unsigned char* s, int len) {
  if (IsEucKana(s, len)) return static_cast<Uchar16>(s[1] + kKatakanaOffset);
  return len >= 1 ? RomanToUcs2(s[0]) : 0;
}

int EucName(const char* name) { return NameHasAll(name, {"JISX0201", "-0"}); }

}  // namespace

const CharsetOps kJisX0201 = {190,           1,           1,         "JISX0201-1",   {0x20, 0},
                              SbLenFirstChar, SbGlyphValue, SbNrChars, SingleName, SbLenFirstSubstr,
                              SbNextWord,    SbPosFirstChar, SingleToUcs2, SingleFromUcs2};

const CharsetOps kJisX0201Euc = {190,             1,             2,          "JISX0201-0", {0x20, 0},
                                 EucLenFirstChar, EucGlyphValue, EucNrChars, EucName,    SbLenFirstSubstr,
                                 SbNextWord,      SbPosFirstChar, EucToUcs2, NoConvFromUc16};

}  // namespace charset

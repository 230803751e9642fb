// UTF-8 limited to UCS-2: longer sequences keep the low 16 bits of their code,
// and a broken continuation byte turns the character into '^'.
#include "gdi/text/charset_ops.h"

namespace charset {

namespace {

constexpr Uchar16 kBrokenSequence = 0x5E;

int LeadingOnes(unsigned char b) {
  int n = 0;
  while (n < 8 && (b & (0x80 >> n))) ++n;
  return n;
}

// A sequence cut short by the end of the text starts no character.
int LenFirstChar(const unsigned char* s, int len) {
  if (len < 1 || s[0] == 0) return 0;
  if (s[0] < 0x80 || !(s[0] & 0x40)) return 1;
  int n = LeadingOnes(s[0]);
  return n <= len ? n : 0;
}

Uchar16 ToUcs2(const unsigned char* s, int len) {
  int n = LenFirstChar(s, len);
  if (n == 0) return 0;
  if (s[0] < 0x80) return s[0];
  if (n == 1) return kBrokenSequence;  // a stray continuation byte
  uint32_t code = s[0] & (0x7F >> n);
  for (int i = 1; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return kBrokenSequence;
    code = code << 6 | (s[i] & 0x3F);
  }
  return static_cast<Uchar16>(code & 0xFFFF);
}

int GlyphValue(const unsigned char* s, int len) { return ToUcs2(s, len); }

int FromUcs2(Uchar16 wc, unsigned char* out) {
  if (wc < 0x80) {
    out[0] = static_cast<unsigned char>(wc);
    return 1;
  }
  if (wc < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | wc >> 6);
    out[1] = static_cast<unsigned char>(0x80 | (wc & 0x3F));
    return 2;
  }
  out[0] = static_cast<unsigned char>(0xE0 | wc >> 12);
  out[1] = static_cast<unsigned char>(0x80 | (wc >> 6 & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | (wc & 0x3F));
  return 3;
}

int NrChars(const unsigned char* s, int len) { return CountChars(s, len, LenFirstChar); }

const unsigned char* NextWord(const unsigned char* s, int len, WordInfo* word) {
  return ScanWord(s, len, word, LenFirstChar);
}

int Name(const char* name) { return NameHasAll(name, {"UTF", "8"}); }

}  // namespace

const CharsetOps kUtf8 = {65535,        2,          4,       "UTF-8",  {0xA1, 0xA1},
                          LenFirstChar, GlyphValue, NrChars, Name,     SbLenFirstSubstr,
                          NextWord,     SbPosFirstChar, ToUcs2, FromUcs2};

}  // namespace charset

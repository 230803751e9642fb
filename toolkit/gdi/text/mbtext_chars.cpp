// Character walks and UCS-2 conversions over a logical font's charsets.
#include <cstring>

#include "gdi/text/mbtext_walk.h"

using mbtext::Bytes;
using mbtext::FirstChar;
using mbtext::MultiByteCharset;
using mbtext::SingleByteCharset;
using mbtext::TakeFirstChar;

namespace {

// Widest character any charset writes, with room to spare.
constexpr int kScratchBytes = 16;

// Bytes of one code in the font's charsets: multibyte first. 0 when neither
// has it.
int EncodeOne(const LogFont* lf, Uchar16 wc, unsigned char* scratch) {
  for (const CharsetOps* ops : {MultiByteCharset(lf), SingleByteCharset(lf)}) {
    if (!ops) continue;
    int n = ops->conv_from_uc16(wc, scratch);
    if (n > 0) return n;
  }
  return 0;
}

}  // namespace

extern "C" int GetFirstMCharLen(const LogFont* logfont, const char* mstr, int len) {
  return TakeFirstChar(logfont, Bytes(mstr), len).len;
}

extern "C" int GetLastMCharLen(const LogFont* logfont, const char* mstr, int len) {
  int last = 0;
  for (int pos = 0; pos < len;) {
    FirstChar c = TakeFirstChar(logfont, Bytes(mstr) + pos, len - pos);
    if (c.len < 1) break;
    last = c.len;
    pos += c.len;
  }
  return last;
}

extern "C" int GetTextMCharInfo(const LogFont* logfont, const char* mstr, int len, int* pos_chars) {
  int count = 0;
  for (int pos = 0; pos < len; ++count) {
    FirstChar c = TakeFirstChar(logfont, Bytes(mstr) + pos, len - pos);
    if (c.len < 1) break;
    if (pos_chars) pos_chars[count] = pos;
    pos += c.len;
  }
  return count;
}

extern "C" int MB2WC(const LogFont* logfont, Uchar16* wc, const char* mstr, int len) {
  FirstChar c = TakeFirstChar(logfont, Bytes(mstr), len);
  if (c.len < 1) return 0;
  if (wc) *wc = c.charset->conv_to_uc16(Bytes(mstr), c.len);
  return c.len;
}

extern "C" int WC2MB(const LogFont* logfont, char* mchar, Uchar16 wc) {
  if (!mchar || wc == 0) return 0;
  if (!MultiByteCharset(logfont)) return -1;
  unsigned char scratch[kScratchBytes] = {};
  int n = EncodeOne(logfont, wc, scratch);
  if (n <= 0) return -1;
  std::memcpy(mchar, scratch, static_cast<size_t>(n));
  return n;
}

extern "C" int MBS2WCS(const LogFont* logfont, Uchar16* dest, const char* mstr, int len, int n) {
  if (!mstr || !logfont) return -1;
  if (len < 0) len = static_cast<int>(std::strlen(mstr));
  const unsigned char* s = Bytes(mstr);
  int count = 0;
  int pos = 0;
  while (pos < len && s[pos] != 0 && count < n) {
    FirstChar c = TakeFirstChar(logfont, s + pos, len - pos);
    if (c.len < 1) break;
    Uchar16 code = c.charset->conv_to_uc16(s + pos, c.len);
    if (dest) dest[count] = code;
    ++count;
    pos += c.len;
  }
  bool whole = pos >= len || s[pos] == 0;
  if (dest && whole && count < n) dest[count] = 0;
  return count;
}

extern "C" int WCS2MBS(const LogFont* logfont, char* dest, const Uchar16* wcs, int len, int n) {
  if (!wcs || !MultiByteCharset(logfont)) return -1;
  int written = 0;
  int i = 0;
  for (; (len < 0 || i < len) && wcs[i] != 0; ++i) {
    unsigned char scratch[kScratchBytes] = {};
    int k = EncodeOne(logfont, wcs[i], scratch);
    if (k <= 0) return -1;
    if (written + k > n) break;
    if (dest) std::memcpy(dest + written, scratch, static_cast<size_t>(k));
    written += k;
  }
  bool whole = (len >= 0 && i >= len) || wcs[i] == 0;
  if (dest && whole && written < n) dest[written] = 0;
  return written;
}

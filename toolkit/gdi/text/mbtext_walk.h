// The character walk shared by the multibyte text helpers: the multibyte
// charset of a logical font is asked first, then its single-byte charset.
#ifndef TOOLKIT_GDI_TEXT_MBTEXT_WALK_H
#define TOOLKIT_GDI_TEXT_MBTEXT_WALK_H

#include <initializer_list>

#include "gui/mbtext.h"

namespace mbtext {

inline const unsigned char* Bytes(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

inline const CharsetOps* MultiByteCharset(const LogFont* lf) {
  return lf && lf->multiByteDevFont ? lf->multiByteDevFont->charsetOps : nullptr;
}

inline const CharsetOps* SingleByteCharset(const LogFont* lf) {
  return lf && lf->singleByteDevFont ? lf->singleByteDevFont->charsetOps : nullptr;
}

// One character at the start of a text: its length (0 when neither charset
// takes it) and the charset that took it.
struct FirstChar {
  int len = 0;
  const CharsetOps* charset = nullptr;
};

inline FirstChar TakeFirstChar(const LogFont* lf, const unsigned char* s, int len) {
  FirstChar c;
  if (!s || len < 1) return c;
  for (const CharsetOps* ops : {MultiByteCharset(lf), SingleByteCharset(lf)}) {
    if (!ops) continue;
    int n = ops->len_first_char(s, len);
    if (n > 0) {
      c.len = n > len ? len : n;
      c.charset = ops;
      return c;
    }
  }
  return c;
}

}  // namespace mbtext

#endif

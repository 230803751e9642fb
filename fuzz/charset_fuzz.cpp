// Feeds every operation of a charset, and the multibyte text helpers over it,
// with arbitrary bytes. Input: a charset name, a line feed, then the text.
// A name no charset accepts exercises every charset in turn.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gui/charset.h"
#include "gui/mbtext.h"

namespace {

const char* const kAllNames[] = {
    "US-ASCII",  "ISO8859-16", "ISO8859-15", "ISO8859-14", "ISO8859-13", "ISO8859-11", "ISO8859-10",
    "ISO8859-9", "ISO8859-8",  "ISO8859-7",  "ISO8859-6",  "ISO8859-5",  "ISO8859-4",  "ISO8859-3",
    "ISO8859-2", "ISO8859-1",  "GB18030-0",  "GBK",        "GB2312-0",   "BIG5",       "EUC-KR",
    "JISX0201-0", "JISX0208-0", "JISX0201-1", "JISX0208-1", "UTF-8"};

void WalkWords(const CharsetOps& ops, const unsigned char* s, int len) {
  int pos = 0;
  while (pos < len) {
    WordInfo w{0, 0, 0};
    const unsigned char* end = ops.get_next_word(s + pos, len - pos, &w);
    if (!end || end <= s + pos || end > s + len) break;
    pos = static_cast<int>(end - s);
  }
}

void ExerciseOps(const CharsetOps& ops, const unsigned char* s, int len) {
  ops.nr_chars_in_str(s, len);
  ops.len_first_substr(s, len);
  ops.pos_first_char(s, len);
  WalkWords(ops, s, len);
  unsigned char out[8];
  for (int pos = 0; pos < len; ++pos) {
    int n = ops.len_first_char(s + pos, len - pos);
    ops.char_glyph_value(s + pos, len - pos);
    Uchar16 code = ops.conv_to_uc16(s + pos, len - pos);
    ops.conv_from_uc16(code, out);
    if (pos + 1 < len) ops.conv_from_uc16(static_cast<Uchar16>(s[pos] << 8 | s[pos + 1]), out);
    if (n > 0) pos += n - 1;
  }
}

void ExerciseHelpers(const CharsetOps& ops, const char* text, int len) {
  DevFont single{}, multi{};
  single.charsetOps = GetCharsetOpsEx("ISO8859-1");
  multi.charsetOps = &ops;
  LogFont lf{};
  lf.singleByteDevFont = &single;
  lf.multiByteDevFont = ops.bytes_maxlen_char > 1 ? &multi : nullptr;
  std::vector<int> pos(static_cast<size_t>(len) + 1);
  std::vector<WordInfo> words(static_cast<size_t>(len) + 1);
  std::vector<Uchar16> wcs(static_cast<size_t>(len) + 1);
  std::vector<char> mbs(static_cast<size_t>(len) * 4 + 1);
  GetTextMCharInfo(&lf, text, len, pos.data());
  GetTextWordInfo(&lf, text, len, pos.data(), words.data());
  GetFirstWord(&lf, text, len, words.data());
  GetLastMCharLen(&lf, text, len);
  int codes = MBS2WCS(&lf, wcs.data(), text, len, len);
  if (codes >= 0) WCS2MBS(&lf, mbs.data(), wcs.data(), codes, static_cast<int>(mbs.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!data || size == 0) return 0;
  const uint8_t* newline = static_cast<const uint8_t*>(std::memchr(data, '\n', size));
  std::string name(reinterpret_cast<const char*>(data), newline ? newline - data : 0);
  size_t offset = newline ? static_cast<size_t>(newline - data) + 1 : 0;
  // An exactly sized copy, so that reading past the text is caught.
  std::vector<unsigned char> text(data + offset, data + size);
  int len = static_cast<int>(text.size());
  const unsigned char* s = text.empty() ? nullptr : text.data();

  std::vector<const CharsetOps*> charsets;
  if (const CharsetOps* ops = GetCharsetOps(name.c_str())) charsets.push_back(ops);
  if (const CharsetOps* ops = GetCharsetOpsEx(name.c_str())) charsets.push_back(ops);
  if (charsets.empty())
    for (const char* each : kAllNames) charsets.push_back(GetCharsetOpsEx(each));
  for (const CharsetOps* ops : charsets) {
    if (!ops) continue;
    CharsetNameMatchesOps(name.c_str(), ops);
    if (len > 0) {
      ExerciseOps(*ops, s, len);
      ExerciseHelpers(*ops, reinterpret_cast<const char*>(s), len);
    }
  }
  for (int pos = 0; pos + 1 < len; pos += 2)
    UnicodeToDBCSLookup(static_cast<Uchar16>(s[pos] << 8 | s[pos + 1]));
  return 0;
}

// The operations of the charset records: character cutting, glyph indices,
// runs and positions, words, and the conversions with their special rules.
#include <gtest/gtest.h>

#include <string>

#include "gui/charset.h"

namespace {

const CharsetOps& Cs(const char* name) {
  const CharsetOps* ops = GetCharsetOpsEx(name);
  if (!ops) throw std::runtime_error(name);
  return *ops;
}

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }
int Len(const char* s) { return static_cast<int>(std::string(s).size()); }

TEST(CharsetOps, SingleByteCharactersAreAnyNonZeroByte) {
  const CharsetOps& latin1 = Cs("ISO8859-1");
  EXPECT_EQ(latin1.len_first_char(U("\xE9x"), 2), 1);
  EXPECT_EQ(latin1.len_first_char(U(""), 1), 0);
  EXPECT_EQ(latin1.len_first_char(U("a"), 0), 0);
  EXPECT_EQ(latin1.char_glyph_value(U("\xE9"), 1), 0xE9);
  EXPECT_EQ(latin1.nr_chars_in_str(U("abc"), 3), 3);
  EXPECT_EQ(latin1.len_first_substr(U("abc"), 3), 3);
  EXPECT_EQ(latin1.pos_first_char(U("abc"), 3), 0);
}

TEST(CharsetOps, SingleByteWordScanCountsIdenticalDelimiters) {
  const CharsetOps& ascii = Cs("US-ASCII");
  WordInfo w;
  const char* text = "word   next";
  const unsigned char* end = ascii.get_next_word(U(text), Len(text), &w);
  EXPECT_EQ(w.len, 4);
  EXPECT_EQ(w.delimiter, ' ');
  EXPECT_EQ(w.nr_delimiters, 3);
  EXPECT_EQ(end, U(text) + 7);

  // A different delimiter ends the run.
  const char* mixed = "ab \t\ncd";
  end = ascii.get_next_word(U(mixed), Len(mixed), &w);
  EXPECT_EQ(w.len, 2);
  EXPECT_EQ(w.nr_delimiters, 1);
  EXPECT_EQ(end, U(mixed) + 3);

  const char* last = "last";
  end = ascii.get_next_word(U(last), 4, &w);
  EXPECT_EQ(w.len, 4);
  EXPECT_EQ(w.delimiter, 0);
  EXPECT_EQ(end, U(last) + 4);
  EXPECT_EQ(ascii.get_next_word(U("x"), 0, &w), nullptr);
}

TEST(CharsetOps, AsciiAndLatin1Conversions) {
  unsigned char out[4];
  const CharsetOps& ascii = Cs("US-ASCII");
  EXPECT_EQ(ascii.conv_to_uc16(U("A"), 1), 'A');
  EXPECT_EQ(ascii.conv_to_uc16(U("\xC4"), 1), '?');
  EXPECT_EQ(ascii.conv_from_uc16(0x7F, out), 1);
  EXPECT_EQ(ascii.conv_from_uc16(0x80, out), 0);
  const CharsetOps& latin1 = Cs("ISO8859-1");
  EXPECT_EQ(latin1.conv_from_uc16(0xFF, out), 1);
  EXPECT_EQ(latin1.conv_from_uc16(0x100, out), 0);
}

TEST(CharsetOps, RuleBasedIsoPartsAndTheirSpecialPositions) {
  unsigned char out[4];
  struct Case {
    const char* charset;
    unsigned char byte;
    Uchar16 code;
  } cases[] = {
      {"ISO8859-5", 0xAD, 0x00AD}, {"ISO8859-5", 0xF0, 0x2116}, {"ISO8859-5", 0xFD, 0x00A7},
      {"ISO8859-5", 0xB0, 0x0410}, {"ISO8859-6", 0xC1, 0x0621}, {"ISO8859-6", 0xAC, 0x060C},
      {"ISO8859-6", 0xBF, 0x061F}, {"ISO8859-7", 0xC1, 0x0391}, {"ISO8859-7", 0xA4, 0x00A4},
      {"ISO8859-8", 0xE0, 0x05D0}, {"ISO8859-8", 0xDF, 0x2017}, {"ISO8859-8", 0xFE, 0x200F},
      {"ISO8859-15", 0xA4, 0x20AC}, {"ISO8859-2", 0xA1, 0x0104},
  };
  for (const Case& c : cases) {
    const CharsetOps& ops = Cs(c.charset);
    EXPECT_EQ(ops.conv_to_uc16(&c.byte, 1), c.code) << c.charset << " " << int(c.byte);
    ASSERT_EQ(ops.conv_from_uc16(c.code, out), 1) << c.charset << " " << c.code;
    EXPECT_EQ(out[0], c.byte) << c.charset;
  }
  // Codes whose own byte stands for something else have no character.
  EXPECT_EQ(Cs("ISO8859-6").conv_from_uc16(0x00AC, out), 0);
  EXPECT_EQ(Cs("ISO8859-8").conv_from_uc16(0x00AA, out), 0);
  EXPECT_EQ(Cs("ISO8859-5").conv_from_uc16(0x040D, out), 0);
  EXPECT_EQ(Cs("ISO8859-15").conv_from_uc16(0x00A4, out), 0);
  EXPECT_EQ(Cs("ISO8859-7").conv_from_uc16(0x20AC, out), 0);
}

TEST(CharsetOps, JisX0201Rules) {
  const CharsetOps& roman = Cs("JISX0201-1");
  const CharsetOps& euc = Cs("JISX0201-0");
  unsigned char out[4];
  EXPECT_EQ(roman.conv_to_uc16(U("\xB1"), 1), 0xFF71);
  EXPECT_EQ(roman.conv_to_uc16(U("\x5C"), 1), 0x00A5);
  EXPECT_EQ(roman.conv_to_uc16(U("\x80"), 1), 0x005C);
  ASSERT_EQ(roman.conv_from_uc16(0xFF9F, out), 1);
  EXPECT_EQ(out[0], 0xDF);
  ASSERT_EQ(roman.conv_from_uc16(0x00A5, out), 1);
  EXPECT_EQ(out[0], 0x5C);

  const char* text = "a\x8E\xB1\x8E" "b";  // a, kana, then 0x8E and b as single bytes
  EXPECT_EQ(euc.len_first_char(U(text) + 1, 4), 2);
  EXPECT_EQ(euc.len_first_char(U(text) + 3, 2), 1);
  EXPECT_EQ(euc.nr_chars_in_str(U(text), 5), 4);
  EXPECT_EQ(euc.char_glyph_value(U(text) + 1, 2), 0xB1);
  EXPECT_EQ(euc.conv_to_uc16(U(text) + 1, 2), 0xFF71);
  EXPECT_EQ(euc.conv_to_uc16(U("\x5C"), 1), 0x00A5);
  EXPECT_EQ(euc.conv_from_uc16('a', out), 0);
  EXPECT_EQ(euc.len_first_char(U("\x8E"), 1), 1);  // cut short: a single byte
}

TEST(CharsetOps, DoubleByteCharactersAndGlyphIndices) {
  EXPECT_EQ(Cs("JISX0208-1").len_first_char(U("\xA5\x40"), 2), 0);
  EXPECT_EQ(Cs("JISX0208-1").char_glyph_value(U("\xE0\x40"), 2), 31 * 189);
  EXPECT_EQ(Cs("JISX0208-1").char_glyph_value(U("\xEE\xFC"), 2), 8693);
  EXPECT_EQ(Cs("GB2312-0").char_glyph_value(U("\xB0\xA1"), 2), 15 * 94);
  EXPECT_EQ(Cs("GB2312-0").len_first_char(U("\xB0"), 1), 0);
  EXPECT_EQ(Cs("GBK").char_glyph_value(U("\x81\x7E"), 2), 0x3E);
  EXPECT_EQ(Cs("GBK").char_glyph_value(U("\x81\x80"), 2), 0x3F);
  EXPECT_EQ(Cs("GBK").len_first_char(U("\x81\x7F"), 2), 0);
  EXPECT_EQ(Cs("BIG5").char_glyph_value(U("\xA1\x40"), 2), 8836);
  EXPECT_EQ(Cs("BIG5").char_glyph_value(U("\xFE\xFE"), 2), 8835);
  EXPECT_EQ(Cs("BIG5").len_first_char(U("\xA1\x80"), 2), 0);
  // Bytes that form no character index the default character.
  EXPECT_EQ(Cs("BIG5").char_glyph_value(U("AB"), 2), 8836);
  EXPECT_EQ(Cs("GB2312-0").char_glyph_value(U("A"), 1), 0);
}

TEST(CharsetOps, UnmappedPositionsAnswerQuestionMarkWhereAsked) {
  // Row 0xA9 of KS C 5601 is full, row 0xAD of EUC-KR and 0xA9 of JIS X 0208
  // hold no characters.
  EXPECT_EQ(Cs("EUC-KR").conv_to_uc16(U("\xAD\xA1"), 2), '?');
  EXPECT_EQ(Cs("JISX0208-0").conv_to_uc16(U("\xA9\xA1"), 2), '?');
  EXPECT_EQ(Cs("JISX0208-1").conv_to_uc16(U("\x81\x7F"), 2), '?');
  EXPECT_EQ(Cs("GB2312-0").conv_to_uc16(U("\xB0\xA1"), 2), 0x554A);
  EXPECT_EQ(Cs("EUC-KR").conv_to_uc16(U("\xB0\xA1"), 2), 0xAC00);
  EXPECT_EQ(Cs("BIG5").conv_to_uc16(U("\xA4\x40"), 2), 0x4E00);
  EXPECT_EQ(Cs("JISX0208-1").conv_to_uc16(U("\x88\x9F"), 2), 0x4E9C);
}

TEST(CharsetOps, RunsPositionsAndWordsOfDoubleByteText) {
  const CharsetOps& gbk = Cs("GBK");
  const char* text = "abc\xB0\xA1\xB0\xA2x";
  EXPECT_EQ(gbk.pos_first_char(U(text), Len(text)), 3);
  EXPECT_EQ(gbk.len_first_substr(U(text) + 3, Len(text) - 3), 4);
  EXPECT_EQ(gbk.pos_first_char(U("abc"), 3), -1);
  EXPECT_EQ(gbk.nr_chars_in_str(U(text), 9), 4);
  WordInfo w;
  const unsigned char* end = gbk.get_next_word(U(text) + 3, 4, &w);
  EXPECT_EQ(end, U(text) + 5);
  EXPECT_EQ(w.len, 2);
  EXPECT_EQ(w.nr_delimiters, 0);
  EXPECT_EQ(gbk.get_next_word(U(text), 1, &w), nullptr);
}

TEST(CharsetOps, Gb18030FourByteSequences) {
  const CharsetOps& gb = Cs("GB18030-0");
  const unsigned char first[] = {0x81, 0x30, 0x81, 0x30};
  EXPECT_EQ(gb.len_first_char(first, 4), 4);
  EXPECT_EQ(gb.char_glyph_value(first, 4), 24192);
  EXPECT_EQ(gb.conv_to_uc16(first, 4), 0x0080);
  EXPECT_EQ(gb.len_first_char(first, 3), 0);  // cut short
  const unsigned char beyondBmp[] = {0x90, 0x30, 0x81, 0x30};
  EXPECT_EQ(gb.conv_to_uc16(beyondBmp, 4), '?');
  const unsigned char mixed[] = {0xB0, 0xA1, 0x81, 0x30, 0x81, 0x30, 0xB0, 0xA1};
  EXPECT_EQ(gb.nr_chars_in_str(mixed, 8), 3);
  EXPECT_EQ(gb.len_first_substr(mixed, 8), 8);
  WordInfo w;
  EXPECT_EQ(gb.get_next_word(mixed + 2, 6, &w), mixed + 6);
  EXPECT_EQ(w.len, 4);
}

TEST(CharsetOps, Gb2312FromUcs2ThroughTheRangeTable) {
  unsigned char out[4];
  const CharsetOps& gb = Cs("GB2312-0");
  EXPECT_EQ(UnicodeToDBCSLookup(0x00A3), nullptr);
  EXPECT_EQ(UnicodeToDBCSLookup(0xFFE6), nullptr);
  EXPECT_EQ(UnicodeToDBCSLookup(0x2015), nullptr);
  const unsigned char* b = UnicodeToDBCSLookup(0x3000);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b[0], 0xD7);
  EXPECT_EQ(b[1], 0xFE);
  ASSERT_EQ(gb.conv_from_uc16(0x2014, out), 2);
  EXPECT_EQ(out[0], 0xA1);
  EXPECT_EQ(out[1], 0xAA);
  ASSERT_EQ(gb.conv_from_uc16(0x00A4, out), 2);  // lowest code of the table
  EXPECT_EQ(out[0], 0xA1);
  EXPECT_EQ(out[1], 0xE8);
  ASSERT_EQ(gb.conv_from_uc16(0xFFE5, out), 2);  // highest
  EXPECT_EQ(out[0], 0xA3);
  EXPECT_EQ(out[1], 0xA4);
  EXPECT_EQ(gb.conv_from_uc16('A', out), 0);
  EXPECT_EQ(Cs("BIG5").conv_from_uc16(0x4E00, out), 0);
}

TEST(CharsetOps, Utf8DecodingAndItsReplacementRule) {
  const CharsetOps& u = Cs("UTF-8");
  unsigned char out[4];
  EXPECT_EQ(u.len_first_char(U("\xE4\xB8\x80"), 3), 3);
  EXPECT_EQ(u.conv_to_uc16(U("\xE4\xB8\x80"), 3), 0x4E00);
  EXPECT_EQ(u.char_glyph_value(U("\xC3\xA9"), 2), 0xE9);
  EXPECT_EQ(u.conv_to_uc16(U("\xE4\x41\x80"), 3), '^');
  EXPECT_EQ(u.len_first_char(U("\x80"), 1), 1);  // stray continuation byte
  EXPECT_EQ(u.conv_to_uc16(U("\x80"), 1), '^');
  EXPECT_EQ(u.len_first_char(U("\xE4\xB8"), 2), 0);
  // Four-byte sequences keep the low 16 bits of their code.
  EXPECT_EQ(u.conv_to_uc16(U("\xF0\x9F\x98\x80"), 4), 0xF600);
  EXPECT_EQ(u.conv_from_uc16(0x7F, out), 1);
  ASSERT_EQ(u.conv_from_uc16(0x7FF, out), 2);
  EXPECT_EQ(out[0], 0xDF);
  ASSERT_EQ(u.conv_from_uc16(0xFFFF, out), 3);
  EXPECT_EQ(u.conv_to_uc16(out, 3), 0xFFFF);
  const char* text = "h\xC3\xA9llo w\xC3\xB6rld";
  EXPECT_EQ(u.nr_chars_in_str(U(text), Len(text)), 11);
  WordInfo w;
  const unsigned char* end = u.get_next_word(U(text), Len(text), &w);
  EXPECT_EQ(w.len, 6);
  EXPECT_EQ(w.nr_delimiters, 1);
  EXPECT_EQ(end, U(text) + 7);
}

}  // namespace

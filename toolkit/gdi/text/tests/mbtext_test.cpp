// The multibyte text helpers over a logical font's pair of charsets. The
// fonts are plain records bound to charsets; no glyph is loaded.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gui/mbtext.h"

namespace {

// A logical font whose device fonts carry only their charsets.
class FakeFont {
 public:
  FakeFont(const char* singleByte, const char* multiByte) {
    std::memset(&lf_, 0, sizeof lf_);
    std::memset(&sb_, 0, sizeof sb_);
    std::memset(&mb_, 0, sizeof mb_);
    sb_.charsetOps = GetCharsetOpsEx(singleByte);
    lf_.singleByteDevFont = &sb_;
    if (multiByte) {
      mb_.charsetOps = GetCharsetOpsEx(multiByte);
      lf_.multiByteDevFont = &mb_;
    }
  }
  const LogFont* get() const { return &lf_; }

 private:
  LogFont lf_;
  DevFont sb_;
  DevFont mb_;
};

const char kGbText[] = "A\xB0\xA1\xB0\xA2 go";  // A, two hanzi, space, "go"

TEST(MultibyteText, CharactersAreOfferedToTheMultibyteCharsetFirst) {
  FakeFont font("ISO8859-1", "GB2312-0");
  int pos[16];
  EXPECT_EQ(GetTextMCharInfo(font.get(), "A\xB0\xA1", 3, pos), 2);
  EXPECT_EQ(pos[0], 0);
  EXPECT_EQ(pos[1], 1);
  EXPECT_EQ(GetFirstMCharLen(font.get(), "\xB0\xA1", 2), 2);
  EXPECT_EQ(GetFirstMCharLen(font.get(), "\xB0", 1), 1);  // cut short: a Latin-1 byte
  EXPECT_EQ(GetLastMCharLen(font.get(), kGbText, 5), 2);
  EXPECT_EQ(GetLastMCharLen(font.get(), kGbText, 0), 0);
  EXPECT_EQ(GetTextMCharInfo(font.get(), kGbText, 8, nullptr), 6);
}

TEST(MultibyteText, TheWalkStopsAtAByteNoCharsetTakes) {
  FakeFont font("ISO8859-1", "GB2312-0");
  const char text[] = {'a', 0, 'b'};
  EXPECT_EQ(GetTextMCharInfo(font.get(), text, 3, nullptr), 1);
  EXPECT_EQ(GetLastMCharLen(font.get(), text, 3), 1);
}

TEST(MultibyteText, WordsOfMixedText) {
  FakeFont font("ISO8859-1", "GB2312-0");
  int pos[16];
  WordInfo info[16];
  const char text[] = "hi \xB0\xA1\xB0\xA2go  on";
  int n = GetTextWordInfo(font.get(), text, static_cast<int>(std::strlen(text)), pos, info);
  ASSERT_EQ(n, 5);
  EXPECT_EQ(pos[0], 0);
  EXPECT_EQ(info[0].len, 2);
  EXPECT_EQ(info[0].nr_delimiters, 1);
  EXPECT_EQ(pos[1], 3);  // each hanzi is a word of its own
  EXPECT_EQ(info[1].len, 2);
  EXPECT_EQ(pos[2], 5);
  EXPECT_EQ(pos[3], 7);
  EXPECT_EQ(info[3].len, 2);
  EXPECT_EQ(info[3].nr_delimiters, 2);
  EXPECT_EQ(pos[4], 11);
  EXPECT_EQ(GetTextWordInfo(font.get(), text, static_cast<int>(std::strlen(text)), nullptr, nullptr), 5);

  WordInfo first;
  EXPECT_EQ(GetFirstWord(font.get(), text, static_cast<int>(std::strlen(text)), &first), 3);
  EXPECT_EQ(GetFirstWord(font.get(), text + 3, 4, &first), 2);
  // Latin bytes stop where the multibyte text starts.
  EXPECT_EQ(GetFirstWord(font.get(), "ab\xB0\xA1", 4, &first), 2);
  EXPECT_EQ(first.nr_delimiters, 0);
}

TEST(MultibyteText, WordsOfASingleByteFont) {
  FakeFont font("ISO8859-1", nullptr);
  int pos[8];
  EXPECT_EQ(GetTextWordInfo(font.get(), "one two\tthree", 13, pos, nullptr), 3);
  EXPECT_EQ(pos[2], 8);
  EXPECT_EQ(GetFirstWord(font.get(), "", 0, nullptr), 0);
}

TEST(MultibyteText, SingleCharacterConversions) {
  FakeFont gb("ISO8859-1", "GB2312-0");
  FakeFont latin("ISO8859-1", nullptr);
  Uchar16 wc = 0;
  EXPECT_EQ(MB2WC(gb.get(), &wc, "\xB0\xA1", 2), 2);
  EXPECT_EQ(wc, 0x554A);
  EXPECT_EQ(MB2WC(gb.get(), &wc, "\xE9", 1), 1);
  EXPECT_EQ(wc, 0xE9);
  EXPECT_EQ(MB2WC(gb.get(), &wc, "", 0), 0);

  char out[8] = {};
  EXPECT_EQ(WC2MB(gb.get(), out, 0x554A), 2);
  EXPECT_EQ(std::string(out, 2), "\xB0\xA1");
  EXPECT_EQ(WC2MB(gb.get(), out, 'A'), 1);  // falls to the single-byte charset
  EXPECT_EQ(out[0], 'A');
  EXPECT_EQ(WC2MB(gb.get(), out, 0x0E01), -1);
  EXPECT_EQ(WC2MB(gb.get(), nullptr, 'A'), 0);
  EXPECT_EQ(WC2MB(gb.get(), out, 0), 0);
  EXPECT_EQ(WC2MB(latin.get(), out, 'A'), -1);  // no multibyte device font
}

TEST(MultibyteText, StringConversionsAndTheirLimits) {
  FakeFont font("ISO8859-1", "GB2312-0");
  Uchar16 wcs[16];
  EXPECT_EQ(MBS2WCS(font.get(), wcs, kGbText, -1, 16), 6);
  EXPECT_EQ(wcs[1], 0x554A);
  EXPECT_EQ(wcs[6], 0);
  std::fill(std::begin(wcs), std::end(wcs), 0xFFFF);
  EXPECT_EQ(MBS2WCS(font.get(), wcs, "abcde", 5, 3), 3);
  EXPECT_EQ(wcs[3], 0xFFFF);  // no terminator when the text did not fit
  EXPECT_EQ(MBS2WCS(font.get(), nullptr, "abcde", 5, 10), 5);
  EXPECT_EQ(MBS2WCS(font.get(), wcs, nullptr, 5, 10), -1);

  const Uchar16 text[] = {'A', 0x554A, 0x554A, 0};
  char out[16];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(WCS2MBS(font.get(), out, text, -1, 16), 5);
  EXPECT_EQ(std::string(out), "A\xB0\xA1\xB0\xA1");
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(WCS2MBS(font.get(), out, text, 3, 4), 3);  // the second hanzi would pass 4 bytes
  EXPECT_EQ(out[3], 'x');
  EXPECT_EQ(WCS2MBS(font.get(), out, text, 3, 5), 5);
  EXPECT_EQ(out[5], 'x');  // exactly full: no room for the zero byte
  const Uchar16 thai[] = {'A', 0x0E01, 0};
  EXPECT_EQ(WCS2MBS(font.get(), out, thai, -1, 16), -1);
  EXPECT_EQ(WCS2MBS(font.get(), out, nullptr, -1, 16), -1);
  FakeFont latin("ISO8859-1", nullptr);
  EXPECT_EQ(WCS2MBS(latin.get(), out, text, -1, 16), -1);
}

TEST(MultibyteText, Utf8AsTheMultibyteCharset) {
  FakeFont font("ISO8859-1", "UTF-8");
  const char text[] = "gr\xC3\xBC\xC3\x9F dich";
  int pos[16];
  EXPECT_EQ(GetTextMCharInfo(font.get(), text, static_cast<int>(std::strlen(text)), pos), 9);
  EXPECT_EQ(pos[3], 4);
  EXPECT_EQ(GetTextWordInfo(font.get(), text, static_cast<int>(std::strlen(text)), pos, nullptr), 2);
  EXPECT_EQ(pos[1], 7);
  char out[8];
  EXPECT_EQ(WC2MB(font.get(), out, 0x20AC), 3);
}

}  // namespace

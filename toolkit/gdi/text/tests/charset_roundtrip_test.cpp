// Every character of the table-driven charsets against the C library's
// converters: our bytes -> UCS-2 must encode back to the same bytes, and
// GB2312 must also come back through its own conversion from UCS-2.
#include <gtest/gtest.h>
#include <iconv.h>

#include <set>
#include <string>
#include <vector>

#include "gui/charset.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Encodes one UCS-2 code into a charset with iconv; empty when it cannot.
class Encoder {
 public:
  explicit Encoder(const char* charset) : cd_(iconv_open(charset, "UCS-2LE")) {}
  ~Encoder() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  Bytes Encode(Uchar16 code) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char in[2] = {static_cast<char>(code & 0xFF), static_cast<char>(code >> 8)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 2, outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return {};
    return Bytes(out, outPtr);
  }

 private:
  iconv_t cd_;
};

// Walks every byte pair a double-byte charset accepts.
struct PairRange {
  int lead0, lead1, trail0, trail1;
};

struct Census {
  int characters = 0;
  int duplicates = 0;  // characters the charset holds twice: the C library picks the other
  std::vector<std::string> mismatches;
};

Census CheckPairs(const char* ours, const char* theirs, std::initializer_list<PairRange> ranges) {
  const CharsetOps* ops = GetCharsetOpsEx(ours);
  Encoder enc(theirs);
  Census census;
  if (!ops || !enc.ok()) {
    census.mismatches.push_back("charset missing");
    return census;
  }
  std::set<int> glyphs;
  for (const PairRange& r : ranges)
    for (int b0 = r.lead0; b0 <= r.lead1; ++b0)
      for (int b1 = r.trail0; b1 <= r.trail1; ++b1) {
        unsigned char pair[2] = {static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)};
        if (ops->len_first_char(pair, 2) != 2) continue;
        int glyph = ops->char_glyph_value(pair, 2);
        if (glyph < 0 || !glyphs.insert(glyph).second)
          census.mismatches.push_back("glyph " + std::to_string(glyph));
        Uchar16 code = ops->conv_to_uc16(pair, 2);
        if (code == 0 || code == '?') continue;
        ++census.characters;
        if (glyph >= ops->nr_chars) census.mismatches.push_back("glyph " + std::to_string(glyph));
        Bytes back = enc.Encode(code);
        if (back == Bytes(pair, pair + 2)) continue;
        if (back.size() == 2 && back != Bytes(pair, pair + 2) && ops->conv_to_uc16(back.data(), 2) == code)
          ++census.duplicates;
        else
          census.mismatches.push_back(std::to_string(b0) + "," + std::to_string(b1));
      }
  return census;
}

TEST(CharsetRoundTrip, Gb2312EveryCharacterMapsToUcs2AndBack) {
  Census c = CheckPairs("GB2312-0", "EUC-CN", {{0xA1, 0xFE, 0xA1, 0xFE}});
  EXPECT_EQ(c.characters, 7445);
  // The dash is our one chosen difference from the C library's mapping.
  EXPECT_EQ(c.mismatches, std::vector<std::string>{"161,170"});

  const CharsetOps* ops = GetCharsetOpsEx("GB2312-0");
  int back = 0;
  for (int b0 = 0xA1; b0 <= 0xFE; ++b0)
    for (int b1 = 0xA1; b1 <= 0xFE; ++b1) {
      unsigned char pair[2] = {static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)};
      Uchar16 code = ops->conv_to_uc16(pair, 2);
      if (!code) continue;
      unsigned char out[4] = {};
      ASSERT_EQ(ops->conv_from_uc16(code, out), 2) << b0 << "," << b1;
      if (out[0] == b0 && out[1] == b1) ++back;
      else EXPECT_EQ(code, 0x3000) << b0 << "," << b1;  // the ideographic space goes to D7FE
    }
  EXPECT_EQ(back, 7444);
}

TEST(CharsetRoundTrip, EucKrEveryCharacterMapsToUcs2AndBack) {
  Census c = CheckPairs("EUC-KR", "EUC-KR", {{0xA1, 0xFE, 0xA1, 0xFE}});
  EXPECT_GE(c.characters, 8224);
  EXPECT_EQ(c.duplicates, 0);
  EXPECT_TRUE(c.mismatches.empty()) << c.mismatches.size() << " e.g. " << c.mismatches[0];
}

TEST(CharsetRoundTrip, JisX0208InEucFormMapsToUcs2AndBack) {
  Census c = CheckPairs("JISX0208-0", "EUC-JP", {{0xA1, 0xFE, 0xA1, 0xFE}});
  EXPECT_GE(c.characters, 6879);
  EXPECT_TRUE(c.mismatches.empty()) << c.mismatches.size() << " e.g. " << c.mismatches[0];
}

TEST(CharsetRoundTrip, JisX0208InShiftJisFormMapsToUcs2AndBack) {
  Census c = CheckPairs("JISX0208-1", "SHIFT_JIS", {{0x81, 0x9F, 0x40, 0xFC}, {0xE0, 0xEE, 0x40, 0xFC}});
  EXPECT_GE(c.characters, 6879);
  EXPECT_TRUE(c.mismatches.empty()) << c.mismatches.size() << " e.g. " << c.mismatches[0];
}

TEST(CharsetRoundTrip, Big5EveryCharacterMapsToUcs2AndBack) {
  Census c = CheckPairs("BIG5", "BIG5", {{0xA1, 0xFE, 0x40, 0x7E}, {0xA1, 0xFE, 0xA1, 0xFE}});
  EXPECT_GE(c.characters, 13053);
  EXPECT_LE(c.duplicates, 10);  // the two doubled hanzi and a few symbols
  EXPECT_TRUE(c.mismatches.empty()) << c.mismatches.size() << " e.g. " << c.mismatches[0];
}

TEST(CharsetRoundTrip, GbkAndTheTwoByteHalfOfGb18030) {
  Census gbk = CheckPairs("GBK", "GBK", {{0x81, 0xFE, 0x40, 0xFE}});
  EXPECT_GE(gbk.characters, 21700);
  EXPECT_TRUE(gbk.mismatches.empty()) << gbk.mismatches.size() << " e.g. " << gbk.mismatches[0];
  Census gb18030 = CheckPairs("GB18030-0", "GB18030", {{0x81, 0xFE, 0x40, 0xFE}});
  EXPECT_GE(gb18030.characters, 21700);
  // GB18030 glyph indices leave room for 0x7F, so they are unique but sparse.
  EXPECT_TRUE(gb18030.mismatches.empty()) << gb18030.mismatches.size();
}

TEST(CharsetRoundTrip, Gb18030FourByteCodesCoverTheRestOfTheBmp) {
  const CharsetOps* ops = GetCharsetOpsEx("GB18030-0");
  Encoder enc("GB18030");
  ASSERT_TRUE(enc.ok());
  int mapped = 0;
  std::vector<int> bad;
  for (int linear = 0; linear < 39420; ++linear) {
    unsigned char q[4] = {static_cast<unsigned char>(0x81 + linear / 12600),
                          static_cast<unsigned char>(0x30 + linear / 1260 % 10),
                          static_cast<unsigned char>(0x81 + linear / 10 % 126),
                          static_cast<unsigned char>(0x30 + linear % 10)};
    ASSERT_EQ(ops->len_first_char(q, 4), 4);
    ASSERT_EQ(ops->char_glyph_value(q, 4), 24192 + linear);
    Uchar16 code = ops->conv_to_uc16(q, 4);
    if (!code) continue;
    ++mapped;
    if (enc.Encode(code) != Bytes(q, q + 4)) bad.push_back(linear);
  }
  EXPECT_GT(mapped, 39000);
  EXPECT_TRUE(bad.empty()) << bad.size();
}

// Every byte of every single-byte charset converts to UCS-2 and back.
TEST(CharsetRoundTrip, SingleByteCharsetsConvertEveryByteBack) {
  for (const char* name : {"US-ASCII", "ISO8859-1", "ISO8859-2", "ISO8859-3", "ISO8859-4", "ISO8859-5",
                           "ISO8859-6", "ISO8859-7", "ISO8859-8", "ISO8859-9", "ISO8859-10",
                           "ISO8859-11", "ISO8859-13", "ISO8859-14", "ISO8859-15", "ISO8859-16",
                           "JISX0201-1"}) {
    const CharsetOps* ops = GetCharsetOpsEx(name);
    ASSERT_NE(ops, nullptr) << name;
    int last = std::string(name) == "US-ASCII" ? 0x7F : 0xFF;
    for (int b = 1; b <= last; ++b) {
      // Unassigned Hebrew positions whose own code is the sign at 0xAA / 0xBA.
      if (std::string(name) == "ISO8859-8" && (b == 0xD7 || b == 0xF7)) continue;
      unsigned char byte = static_cast<unsigned char>(b);
      Uchar16 code = ops->conv_to_uc16(&byte, 1);
      unsigned char out[4] = {};
      ASSERT_EQ(ops->conv_from_uc16(code, out), 1) << name << " byte " << b << " code " << code;
      EXPECT_EQ(out[0], b) << name << " code " << code;
    }
  }
}

// The ISO parts agree with the C library wherever the part assigns a byte.
TEST(CharsetRoundTrip, IsoPartsAgreeWithTheCLibrary) {
  for (int part : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16}) {
    std::string name = "ISO8859-" + std::to_string(part);
    const CharsetOps* ops = GetCharsetOpsEx(name.c_str());
    Encoder enc(("ISO-8859-" + std::to_string(part)).c_str());
    ASSERT_TRUE(enc.ok()) << name;
    for (int b = 0xA1; b <= 0xFF; ++b) {
      if (part == 7 && (b == 0xA4 || b == 0xA5 || b == 0xAA)) continue;  // 1987 repertoire
      unsigned char byte = static_cast<unsigned char>(b);
      Uchar16 code = ops->conv_to_uc16(&byte, 1);
      Bytes theirs = enc.Encode(code);
      if (theirs.empty() || (theirs != Bytes{byte} && code == b)) continue;  // unassigned position
      EXPECT_EQ(theirs, Bytes{byte}) << name << " byte " << b;
    }
  }
}

// Parts 9, 15 and 16 differ from Latin-1 at exactly the named positions.
TEST(CharsetRoundTrip, LatinVariantsDifferFromLatin1OnlyWhereNamed) {
  auto differing = [](const char* name) {
    const CharsetOps* ops = GetCharsetOpsEx(name);
    std::vector<int> bytes;
    for (int b = 0; b <= 0xFF; ++b) {
      unsigned char byte = static_cast<unsigned char>(b);
      if (ops->conv_to_uc16(&byte, 1) != b) bytes.push_back(b);
    }
    return bytes;
  };
  EXPECT_EQ(differing("ISO8859-9"), (std::vector<int>{0xD0, 0xDD, 0xDE, 0xF0, 0xFD, 0xFE}));
  EXPECT_EQ(differing("ISO8859-15"),
            (std::vector<int>{0xA4, 0xA6, 0xA8, 0xB4, 0xB8, 0xBC, 0xBD, 0xBE}));
  EXPECT_EQ(differing("ISO8859-16").size(), 40u);
}

}  // namespace

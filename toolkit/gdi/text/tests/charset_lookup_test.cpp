// Finding charsets by name: substring matching in search order, exact
// matching for device fonts, and the records' fixed properties.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "gdi/text/charset.h"

namespace {

std::string NameOf(const CharsetOps* ops) { return ops ? ops->name : "(none)"; }

TEST(CharsetLookup, SearchOrderDecidesWhichRecordClaimsAName) {
  struct Case {
    const char* asked;
    const char* found;
  } cases[] = {
      {"iso8859-15", "ISO8859-15"}, {"ISO8859-1", "ISO8859-1"},   {"iso8859-10", "ISO8859-10"},
      {"latin1", "ISO8859-1"},      {"Latin10", "ISO8859-16"},    {"latin-9", "ISO8859-15"},
      {"tis-620", "ISO8859-11"},    {"cyrillic", "ISO8859-5"},    {"gb2312", "GBK"},
      {"GB2312-0", "GBK"},          {"gb18030-0", "GB18030-0"},   {"big5", "BIG5"},
      {"ksc5601-0", "EUC-KR"},      {"euc-kr", "EUC-KR"},         {"euc-jp", "JISX0208-0"},
      {"shift_jis", "JISX0208-1"},  {"jisx0201-0", "JISX0201-0"}, {"JISX0201-1", "JISX0201-1"},
      {"utf-8", "UTF-8"},           {"us-ascii", "US-ASCII"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameOf(GetCharsetOps(c.asked)), c.found) << c.asked;
  EXPECT_EQ(GetCharsetOps("koi8-r"), nullptr);
  EXPECT_EQ(GetCharsetOps(""), nullptr);
  EXPECT_EQ(GetCharsetOps(nullptr), nullptr);
}

TEST(CharsetLookup, OnlyTheFirstSixteenCharactersCount) {
  EXPECT_EQ(GetCharsetOps("xxxxxxxxxxxxxxxxBIG5"), nullptr);
  EXPECT_EQ(NameOf(GetCharsetOps("xxxxxxxxxxxxBIG5")), "BIG5");
}

TEST(CharsetLookup, ExactLookupComparesTheUpperCasedName) {
  EXPECT_EQ(NameOf(GetCharsetOpsEx("gb2312-0")), "GB2312-0");
  EXPECT_EQ(NameOf(GetCharsetOpsEx("iso8859-1")), "ISO8859-1");
  EXPECT_EQ(GetCharsetOpsEx("gb2312"), nullptr);
  EXPECT_EQ(GetCharsetOpsEx("latin1"), nullptr);
  EXPECT_EQ(GetCharsetOpsEx(nullptr), nullptr);
}

TEST(CharsetLookup, NameMatchesAnyRecordThatAcceptsIt) {
  const CharsetOps* gb2312 = GetCharsetOpsEx("GB2312-0");
  const CharsetOps* gbk = GetCharsetOpsEx("GBK");
  EXPECT_EQ(CharsetNameMatchesOps("gb2312", gb2312), 1);
  EXPECT_EQ(CharsetNameMatchesOps("gb2312", gbk), 1);
  EXPECT_EQ(CharsetNameMatchesOps("gbk", gb2312), 0);
  EXPECT_EQ(CharsetNameMatchesOps("ISO8859-15", GetCharsetOpsEx("ISO8859-1")), 1);  // substring
  EXPECT_EQ(CharsetNameMatchesOps("big5", nullptr), 0);
}

TEST(CharsetLookup, EveryRecordIsFoundByItsOwnNameAndHasItsProperties) {
  struct Props {
    const char* name;
    int chars, bytes, maxBytes;
    unsigned char def0, def1;
  } props[] = {
      {"US-ASCII", 128, 1, 1, 0x20, 0},        {"ISO8859-1", 256, 1, 1, 0x20, 0},
      {"ISO8859-7", 256, 1, 1, 0x20, 0},       {"ISO8859-16", 256, 1, 1, 0x20, 0},
      {"GB18030-0", 1611540, 4, 4, 0xA1, 0xA1}, {"GBK", 24130, 2, 2, 0xA1, 0xA1},
      {"GB2312-0", 8178, 2, 2, 0xA1, 0xA1},    {"BIG5", 14758, 2, 2, 0xA1, 0x40},
      {"EUC-KR", 8836, 2, 2, 0xA1, 0xA1},      {"JISX0201-0", 190, 1, 2, 0x20, 0},
      {"JISX0208-0", 8836, 2, 2, 0xA1, 0xA1},  {"JISX0201-1", 190, 1, 1, 0x20, 0},
      {"JISX0208-1", 8694, 2, 2, 0x81, 0x40},  {"UTF-8", 65535, 2, 4, 0xA1, 0xA1},
  };
  for (const Props& p : props) {
    const CharsetOps* ops = GetCharsetOpsEx(p.name);
    ASSERT_NE(ops, nullptr) << p.name;
    EXPECT_EQ(ops->nr_chars, p.chars) << p.name;
    EXPECT_EQ(ops->bytes_per_char, p.bytes) << p.name;
    EXPECT_EQ(ops->bytes_maxlen_char, p.maxBytes) << p.name;
    EXPECT_EQ(ops->def_char[0], p.def0) << p.name;
    if (p.maxBytes > 1) {
      EXPECT_EQ(ops->def_char[1], p.def1) << p.name;
    }
  }
}

TEST(CharsetLookup, TheSearchTableHoldsTwentySixDistinctCharsets) {
  const CharsetOps* const* table = charset::SearchTable();
  std::set<std::string> names;
  for (int i = 0; i < charset::kCharsetCount; ++i) {
    names.insert(table[i]->name);
    EXPECT_EQ(GetCharsetOpsEx(table[i]->name), table[i]);
    EXPECT_EQ(table[i]->is_this_charset(table[i]->name), 0) << table[i]->name;
  }
  EXPECT_EQ(names.size(), 26u);
  EXPECT_EQ(NameOf(table[0]), "US-ASCII");
  EXPECT_EQ(NameOf(table[25]), "UTF-8");
}

}  // namespace

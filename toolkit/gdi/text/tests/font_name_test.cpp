#include <gtest/gtest.h>

#include <string>

#include "gui/font.h"

namespace {

const char kName[] = "rbf-fixed-rrncnn-8-16-ISO8859-1";

std::string family(const char* name) {
  char out[FONT_FIELD_LEN + 1] = "untouched";
  return fontGetFamilyFromName(name, out) ? out : "<none>";
}

std::string charset(const char* name) {
  char out[FONT_FIELD_LEN + 1];
  return fontGetCharsetFromName(name, out) ? out : "<none>";
}

std::string compatible(const char* name) {
  char out[FONT_FIELD_LEN + 1];
  return fontGetCompatibleCharsetFromName(name, out) ? out : "<none>";
}

std::string nth(const char* list, int n) {
  char out[FONT_FIELD_LEN + 1];
  return fontGetNthCharsetFromName(list, out, n) ? out : "<none>";
}

TEST(FontName, ReadsEveryFieldOfAFullName) {
  char type[FONT_FIELD_LEN + 1];
  ASSERT_NE(fontGetTypeNameFromName(kName, type), nullptr);
  EXPECT_STREQ(type, "rbf");
  EXPECT_EQ(family(kName), "fixed");
  EXPECT_EQ(fontGetStyleFromName(kName), 0u);
  EXPECT_EQ(fontGetWidthFromName(kName), 8);
  EXPECT_EQ(fontGetHeightFromName(kName), 16);
  EXPECT_EQ(charset(kName), "ISO8859-1");
  EXPECT_EQ(compatible(kName), "<none>");
  EXPECT_EQ(fontGetTypeIdFromName(kName), FONT_TYPE_RAW_BITMAP);
}

TEST(FontName, NumbersNeedTheDashThatEndsTheirField) {
  // Without a charset field the height is not followed by '-'.
  EXPECT_EQ(fontGetHeightFromName("rbf-fixed-rrncnn-8-16"), -1);
  EXPECT_EQ(fontGetWidthFromName("rbf-fixed-rrncnn-8-16"), 8);
  EXPECT_EQ(fontGetWidthFromName("rbf-fixed-rrncnn"), -1);
  EXPECT_EQ(fontGetHeightFromName(nullptr), -1);
  EXPECT_EQ(charset("rbf-fixed-rrncnn-8-16"), "<none>");
  EXPECT_EQ(family("rbf"), "<none>");
  EXPECT_EQ(fontGetStyleFromName("rbf-fixed"), FONT_STYLE_INVALID);
}

TEST(FontName, CutsLongFieldsToFifteenCharacters) {
  EXPECT_EQ(family("ttf-averyveryverylongfamily-rrncnn-0-0-UTF-8"), "averyveryverylo");
  EXPECT_EQ(charset("ttf-f-rrncnn-0-0-ABCDEFGHIJKLMNOPQRS,X"), "ABCDEFGHIJKLMNO");
}

TEST(FontName, CharsetListsAndTheirEntries) {
  const char name[] = "ttf-wqy-rrncnn-0-0-GB2312-0,ISO8859-1,UTF-8";
  char list[FONT_CHARSET_LIST_LEN + 1];
  ASSERT_NE(fontGetCharsetListFromName(name, list), nullptr);
  EXPECT_STREQ(list, "GB2312-0,ISO8859-1,UTF-8");
  EXPECT_EQ(fontGetCharsetCount(list), 3);
  EXPECT_EQ(fontGetCharsetCount("UTF-8"), 1);
  EXPECT_EQ(charset(name), "GB2312-0");
  EXPECT_EQ(compatible(name), "ISO8859-1");
  EXPECT_EQ(nth(list, 0), "GB2312-0");
  EXPECT_EQ(nth(list, 2), "UTF-8");
  EXPECT_EQ(nth(list, 3), "<none>");
  EXPECT_EQ(nth(list, -1), "<none>");
}

TEST(FontName, TypeIdsIgnoreCase) {
  EXPECT_EQ(fontGetTypeId("RBF"), FONT_TYPE_RAW_BITMAP);
  EXPECT_EQ(fontGetTypeId("vbf"), FONT_TYPE_VAR_BITMAP);
  EXPECT_EQ(fontGetTypeId("TtF"), FONT_TYPE_TRUETYPE);
  EXPECT_EQ(fontGetTypeId("t1f"), FONT_TYPE_TYPE1);
  EXPECT_EQ(fontGetTypeId("*"), FONT_TYPE_ANY);
  EXPECT_EQ(fontGetTypeId("bdf"), -1);
  EXPECT_EQ(fontGetTypeId(nullptr), -1);
  EXPECT_EQ(fontGetTypeIdFromName("TTF-dejavu-rrncnn-0-0-UTF-8"), FONT_TYPE_TRUETYPE);
  EXPECT_EQ(fontGetTypeIdFromName("ttf"), -1);
}

TEST(FontStyle, EachPositionHasItsLetters) {
  struct Case {
    const char* letters;
    uint32_t bits;
  };
  const Case cases[] = {
      {"rrnnnn", 0},
      {"brnnnn", FONT_WEIGHT_BOLD},
      {"crnnnn", FONT_WEIGHT_C},
      {"drnnnn", FONT_WEIGHT_BOLD_GREY},
      {"krnnnn", FONT_WEIGHT_GREY},
      {"lrnnnn", FONT_WEIGHT_OUTLINE},
      {"mrnnnn", FONT_WEIGHT_M},
      {"rinnnn", FONT_SLANT_ITALIC},
      {"ronnnn", FONT_SLANT_OBLIQUE},
      {"r*nnnn", FONT_SLANT_ANY},
      {"rrHnnn", FONT_FLIP_HORZ},
      {"rrVnnn", FONT_FLIP_VERT},
      {"rrTnnn", FONT_FLIP_BOTH},
      {"rrxnnn", 0},
      {"rrnSnn", FONT_OTHER_SCALE},
      {"rrnNnn", FONT_OTHER_N},
      {"rrnKnn", FONT_OTHER_KERNING},
      {"rrnRnn", FONT_OTHER_R},
      {"rrncnn", 0},
      {"rrnnun", FONT_UNDERLINE},
      {"rrnn*n", FONT_UNDERLINE_ANY},
      {"rrnnns", FONT_STRUCKOUT},
      {"rrnnn*", FONT_STRUCKOUT_ANY},
      {"bitKus", FONT_WEIGHT_BOLD | FONT_SLANT_ITALIC | FONT_OTHER_KERNING | FONT_UNDERLINE |
                     FONT_STRUCKOUT},
  };
  for (const Case& c : cases) EXPECT_EQ(fontConvertStyle(c.letters), c.bits) << c.letters;
}

TEST(FontStyle, RefusesUnknownLettersWhereTheyMatter) {
  for (const char* bad : {"*rnnnn", "Brnnnn", "rxnnnn", "rRnnnn", "rrnnUn", "rrnnnx", "rrnnn", ""})
    EXPECT_EQ(fontConvertStyle(bad), FONT_STYLE_INVALID) << bad;
  EXPECT_EQ(fontConvertStyle(nullptr), FONT_STYLE_INVALID);
  EXPECT_EQ(fontGetStyleFromName("rbf-fixed-*rncnn-8-16-ISO8859-1"), FONT_STYLE_INVALID);
  EXPECT_EQ(fontGetStyleFromName("rbf-fixed-r*ncnn-8-16-ISO8859-1"), FONT_SLANT_ANY);
  // Only the first six letters of the field count.
  EXPECT_EQ(fontGetStyleFromName("rbf-fixed-brncnnzz-8-16-ISO8859-1"), FONT_WEIGHT_BOLD);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "gdi/text/tests/font_fixture.h"

namespace {

using fonttest::DevFontTest;
using fonttest::LogFontHolder;

// A device font of one fixed size that records what it was asked.
struct FakeFont {
  int height = 16;
  int descent = 2;
  int width = 8;
  int lastExpect = 0;
  int instances = 0;
  int deleted = 0;
};

FakeFont& fake(DevFont* df) { return *static_cast<FakeFont*>(df->data); }

int fakeWidth(LogFont*, DevFont* df, const unsigned char*, int) { return fake(df).width; }
int fakeAverage(LogFont*, DevFont* df) { return fake(df).width; }
int fakeMax(LogFont*, DevFont* df) { return fake(df).width * 2; }
int fakeHeight(LogFont*, DevFont* df) { return fake(df).height; }
int fakeSize(LogFont*, DevFont* df, int expect) {
  fake(df).lastExpect = expect;
  return fake(df).height;
}
int fakeAscent(LogFont*, DevFont* df) { return fake(df).height - fake(df).descent; }
int fakeDescent(LogFont*, DevFont* df) { return fake(df).descent; }

const FontOps kFakeOps = {fakeWidth, fakeAverage, fakeMax, fakeHeight, fakeSize, fakeAscent,
                          fakeDescent, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr};

// Instances are the loaded font itself; only the calls are counted.
DevFont* countingNew(LogFont*, DevFont* df, BOOL) {
  ++fake(df).instances;
  return df;
}
void countingDelete(LogFont*, DevFont* df) { ++fake(df).deleted; }

const FontOps kInstancingOps = {fakeWidth, fakeAverage, fakeMax, fakeHeight, fakeSize, fakeAscent,
                                fakeDescent, nullptr, nullptr, nullptr, nullptr, nullptr,
                                countingNew, countingDelete};

class MatchTest : public DevFontTest {
 protected:
  DevFont* Add(const char* name, int height, int descent = 2, const FontOps* ops = &kFakeOps) {
    auto f = std::make_unique<FakeFont>();
    f->height = height;
    f->descent = descent;
    auto df = std::make_unique<DevFont>();
    std::snprintf(df->name, sizeof df->name, "%s", name);
    char charset[FONT_FIELD_LEN + 1];
    fontGetCharsetFromName(name, charset);
    df->charsetOps = GetCharsetOpsEx(charset);
    df->fontOps = ops;
    df->data = f.get();
    if (df->charsetOps && df->charsetOps->bytes_maxlen_char > 1)
      AppendMultiByteDevFont(df.get());
    else
      AppendSingleByteDevFont(df.get());
    fakes_.push_back(std::move(f));
    fonts_.push_back(std::move(df));
    return fonts_.back().get();
  }

  LogFont* Create(const char* type, const char* family, const char* charset, int size,
                  char other = 'n') {
    return CreateLogFont(type, family, charset, 'r', 'r', 'n', other, 'n', 'n', size, 0);
  }

  std::vector<std::unique_ptr<FakeFont>> fakes_;
  std::vector<std::unique_ptr<DevFont>> fonts_;
};

TEST_F(MatchTest, NearestSizeWinsAndTheFirstOfEqualDistancesIsKept) {
  DevFont* f12 = Add("rbf-fixed-rrncnn-6-12-ISO8859-1", 12);
  DevFont* f16 = Add("rbf-fixed-rrncnn-8-16-ISO8859-1", 16);
  DevFont* f24 = Add("rbf-fixed-rrncnn-12-24-ISO8859-1", 24);
  LogFontHolder at20(Create("rbf", "fixed", "ISO8859-1", 20));
  ASSERT_NE(at20.get(), nullptr);
  EXPECT_EQ(at20->singleByteDevFont, f16);  // 4 from both 16 and 24
  LogFontHolder at22(Create("rbf", "fixed", "ISO8859-1", 22));
  EXPECT_EQ(at22->singleByteDevFont, f24);
  LogFontHolder at5(Create("*", "FIXED", "iso8859-1", 5));
  EXPECT_EQ(at5->singleByteDevFont, f12);
  EXPECT_EQ(at5->multiByteDevFont, nullptr);
}

TEST_F(MatchTest, AFullMatchBeatsANearerFontOfTheCharsetAlone) {
  Add("rbf-other-rrncnn-8-16-ISO8859-1", 16);
  DevFont* family = Add("rbf-fixed-rrncnn-12-24-ISO8859-1", 24);
  Add("ttf-fixed-rrncnn-8-16-ISO8859-1", 16);
  LogFontHolder lf(Create("rbf", "fixed", "ISO8859-1", 16));
  EXPECT_EQ(lf->singleByteDevFont, family);
}

TEST_F(MatchTest, WithoutAFullMatchTheNearestFontOfTheCharsetServes) {
  Add("rbf-fixed-rrncnn-8-16-ISO8859-2", 16);
  DevFont* latin12 = Add("rbf-song-rrncnn-6-12-ISO8859-1", 12);
  DevFont* latin18 = Add("rbf-song-rrncnn-9-18-ISO8859-1", 18);
  LogFontHolder noFamily(Create("*", "fixed", "ISO8859-1", 17));
  EXPECT_EQ(noFamily->singleByteDevFont, latin18);
  // No device-font type has the ids of "vbf" or "t1f".
  LogFontHolder vbf(Create("vbf", "song", "ISO8859-1", 13));
  EXPECT_EQ(vbf->singleByteDevFont, latin12);
  // The LogFont takes the family and charset of what it got.
  EXPECT_STREQ(noFamily->family, "song");
  EXPECT_STREQ(noFamily->charset, "ISO8859-1");
}

TEST_F(MatchTest, UnmatchedCharsetsFallBackToTheSystemFont) {
  DevFont* latin = Add("rbf-fixed-rrncnn-8-16-ISO8859-1", 16);
  // No system font yet: nothing to fall back on.
  EXPECT_EQ(Create("rbf", "fixed", "ISO8859-5", 16), nullptr);
  LogFontHolder system(Create("rbf", "fixed", "ISO8859-1", 16));
  g_SysLogFont[0] = system.get();
  LogFontHolder cyrillic(Create("rbf", "fixed", "ISO8859-5", 16));
  ASSERT_NE(cyrillic.get(), nullptr);
  EXPECT_EQ(cyrillic->singleByteDevFont, latin);
  EXPECT_STREQ(cyrillic->charset, "ISO8859-1");
  // Unknown charsets are refused before any matching.
  EXPECT_EQ(Create("rbf", "fixed", "KOI8-R", 16), nullptr);
}

TEST_F(MatchTest, MultiByteFontsAddTheirDescentGapToTheSize) {
  DevFont* latin = Add("rbf-fixed-rrncnn-8-16-ISO8859-1", 16, 2);
  DevFont* gb = Add("rbf-song-rrncnn-16-15-GB2312-0", 15, 5);
  LogFontHolder system(Create("rbf", "fixed", "ISO8859-1", 16));
  g_SysLogFont[0] = system.get();
  LogFontHolder lf(Create("rbf", "song", "gb2312", 16));
  ASSERT_NE(lf.get(), nullptr);
  EXPECT_EQ(lf->singleByteDevFont, latin);
  EXPECT_EQ(lf->multiByteDevFont, gb);
  EXPECT_EQ(lf->size, 16 + 3);
  EXPECT_STREQ(lf->family, "song");
  EXPECT_STREQ(lf->charset, "GB2312-0");

  FontMetrics m{};
  GetFontMetrics(lf.get(), &m);
  EXPECT_EQ(m.fontHeight, 19);
  EXPECT_EQ(m.ascent, 14);
  EXPECT_EQ(m.descent, 5);
  EXPECT_EQ(m.maxWidth, 16);
  EXPECT_EQ(m.averageWidth, 8);
}

TEST_F(MatchTest, MultiByteCharsetWithoutADeviceFontKeepsTheSingleBytePart) {
  DevFont* latin = Add("rbf-fixed-rrncnn-8-16-ISO8859-1", 16);
  EXPECT_EQ(Create("rbf", "fixed", "BIG5", 16), nullptr);  // no system font yet
  LogFontHolder system(Create("rbf", "fixed", "ISO8859-1", 16));
  g_SysLogFont[0] = system.get();
  LogFontHolder big5(Create("rbf", "fixed", "BIG5", 16));
  ASSERT_NE(big5.get(), nullptr);
  EXPECT_EQ(big5->singleByteDevFont, latin);
  EXPECT_EQ(big5->multiByteDevFont, nullptr);
}

TEST_F(MatchTest, SizesAreClampedBeforeMatching) {
  DevFont* f = Add("rbf-fixed-rrncnn-8-16-ISO8859-1", 16);
  LogFontHolder small(Create("rbf", "fixed", "ISO8859-1", 2));
  EXPECT_EQ(fake(f).lastExpect, 4);
  LogFontHolder big(Create("rbf", "fixed", "ISO8859-1", 300));
  EXPECT_EQ(fake(f).lastExpect, 256);
  EXPECT_EQ(big->size, 16);
  EXPECT_EQ(CreateLogFont("rbf", "fixed", "ISO8859-1", '*', 'r', 'n', 'c', 'n', 'n', 16, 0),
            nullptr);
}

TEST_F(MatchTest, CreatorsAgreeAndInstancesAreReleased) {
  DevFont* f = Add("ttf-fixed-rrncnn-8-16-ISO8859-1", 16, 2, &kInstancingOps);
  {
    LogFontHolder byName(CreateLogFontByName("ttf-fixed-rincnn-0-16-ISO8859-1"));
    ASSERT_NE(byName.get(), nullptr);
    EXPECT_EQ(byName->style, FONT_SLANT_ITALIC);
    EXPECT_STREQ(byName->type, "ttf");
    LogFontHolder copy(CreateLogFontIndirect(byName.get()));
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_EQ(copy->style, byName->style);
    EXPECT_EQ(copy->singleByteDevFont, f);
    EXPECT_EQ(fake(f).instances, 2);
  }
  EXPECT_EQ(fake(f).deleted, 2);
  EXPECT_EQ(CreateLogFontByName("ttf-fixed-rincnn-0-16"), nullptr);
  EXPECT_EQ(CreateLogFontByName("ttf-fixed-*incnn-0-16-ISO8859-1"), nullptr);
  EXPECT_EQ(CreateLogFontIndirect(nullptr), nullptr);
  DestroyLogFont(nullptr);
}

TEST_F(MatchTest, WalkVisitsTheSingleByteListThenTheMultiByteList) {
  DevFont* a = Add("rbf-a-rrncnn-8-16-ISO8859-1", 16);
  DevFont* jis = Add("rbf-k-rrncnn-8-16-JISX0201-0", 16);  // one byte wide, two at most
  DevFont* b = Add("rbf-b-rrncnn-8-16-US-ASCII", 16);
  DevFont* gb = Add("rbf-g-rrncnn-16-16-GB2312-0", 16);
  std::vector<DevFont*> seen;
  for (DevFont* df = GetNextDevFont(nullptr); df && seen.size() < 10; df = GetNextDevFont(df))
    seen.push_back(df);
  EXPECT_EQ(seen, (std::vector<DevFont*>{a, b, jis, gb}));
  ClearDevFontLists();
  EXPECT_EQ(GetNextDevFont(nullptr), nullptr);
}

}  // namespace

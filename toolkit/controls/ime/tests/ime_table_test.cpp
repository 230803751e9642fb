// Loading code tables from untrusted files, the look-ups on them, and the
// configuration that names them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/ime/ime_search.h"
#include "controls/ime/ime_tableset.h"
#include "controls/ime/tests/ime_test_tables.h"
#include "gui/gui_etc.h"
#include "gui/ime.h"

namespace {

using imetest::Poke;

constexpr size_t kSelectKeys = 46, kPerPage = 72, kRecordCount = 76, kFirstRecord = 272;

class TableFiles : public ::testing::Test {
 protected:
  std::string Tab() const { return dir_.Path() + "t.tab"; }
  std::unique_ptr<ime::Table> Load(const imetables::TableFiles& files) {
    imetest::WriteTable(Tab(), files);
    return ime::LoadTable(Tab());
  }
  imetest::Scratch dir_;
  imetables::TableFiles good_ = imetables::BuildTableFiles(imetest::SmallDraft());
};

TEST_F(TableFiles, DamagedFilesFailTheLoad) {
  struct Case {
    const char* what;
    void (*damage)(imetables::TableFiles*);
  } cases[] = {
      {"magic followed by X", [](imetables::TableFiles* f) { f->tab[5] = 'X'; }},
      {"short header", [](imetables::TableFiles* f) { f->tab.resize(415); }},
      {"a record missing", [](imetables::TableFiles* f) { f->tab.resize(f->tab.size() - 1); }},
      {"record count past the file", [](imetables::TableFiles* f) { Poke<uint32_t>(&f->tab, kRecordCount, 0xFFFFFFF0u); }},
      {"first record past the records", [](imetables::TableFiles* f) { Poke<uint16_t>(&f->tab, kFirstRecord + 14 * 2, 999); }},
      {"no phrase file", [](imetables::TableFiles* f) { f->phr.clear(); }},
      {"no association file", [](imetables::TableFiles* f) { f->lx.clear(); }},
      {"phrase offsets cut short", [](imetables::TableFiles* f) { f->phr.resize(8); }},
  };
  ASSERT_NE(Load(good_), nullptr);
  for (const Case& c : cases) {
    imetest::Scratch dir;
    imetables::TableFiles files = good_;
    c.damage(&files);
    imetest::WriteTable(dir.Path() + "t.tab", files);
    EXPECT_EQ(ime::LoadTable(dir.Path() + "t.tab"), nullptr) << c.what;
  }
  // What stands in a file's place is refused, never waited on or read, and
  // the failure names that file.
  imetest::Scratch dir;
  imetest::WriteTable(dir.Path() + "t.tab", good_);
  const std::string lx = dir.Path() + "t.tab.lx";
  ASSERT_EQ(std::system(("rm '" + lx + "' && mkfifo '" + lx + "'").c_str()), 0);
  ime::TableFailure failure;
  EXPECT_EQ(ime::LoadTable(dir.Path() + "t.tab", &failure), nullptr);
  EXPECT_EQ(failure.file, lx);
  EXPECT_EQ(failure.reason, "is not a regular file");
}

TEST_F(TableFiles, LoadingForcesSelectionKeysAndPageSize) {
  std::memcpy(&good_.tab[kSelectKeys], "abcdefg", 8);
  Poke<uint32_t>(&good_.tab, kPerPage, 9);
  auto table = Load(good_);
  ASSERT_NE(table, nullptr);
  EXPECT_STREQ(table->header.selectKeys, "12345fg");
  EXPECT_EQ(table->header.perPage, 5u);
}

TEST_F(TableFiles, PhrasesReadWithinTheirBoundsElseError) {
  // Phrase 0 of 3: offsets at words 1 and 2, text area from byte 16.
  std::string phr;
  for (uint32_t w : {3u, 0u, 0u, 0u}) imetables::Append(&phr, w);
  const std::string text = std::string(130, '\xB0');
  phr += text;
  struct Case {
    uint32_t from, to;
    const char* expected;
  } cases[] = {
      {0, 4, "\xB0\xB0\xB0\xB0"},
      {0, 128, "\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0"},  // cut to whole characters
      {0, 129, "error"},
      {4, 4, "error"},
      {5, 4, "error"},
      {100, 131, "error"},  // past the file
  };
  for (const Case& c : cases) {
    Poke<uint32_t>(&phr, 4, c.from);
    Poke<uint32_t>(&phr, 8, c.to);
    good_.phr = phr;
    Poke<uint32_t>(&good_.tab, 400, 3);
    auto table = Load(good_);
    ASSERT_NE(table, nullptr);
    char slot[ime::kSlotBytes];
    table->ReadPhrase(0, slot);
    EXPECT_STREQ(slot, c.expected) << c.from << ".." << c.to;
  }
  auto table = Load(good_);
  char slot[ime::kSlotBytes];
  table->ReadPhrase(3, slot);  // past the count: the text area is no offset table
  EXPECT_STREQ(slot, "error");
}

TEST_F(TableFiles, AssociationWordsOfACharacter) {
  std::string lx(4 * (ime::kAssocListBase + 400), '\0');
  Poke<uint32_t>(&lx, 0, 10);
  Poke<uint32_t>(&lx, 4, 12);
  Poke<uint32_t>(&lx, 94 * 4, 200);
  Poke<uint32_t>(&lx, 95 * 4, 230);
  Poke<uint32_t>(&lx, 96 * 4, 5000);  // past the file
  good_.lx = lx;
  auto table = Load(good_);
  ASSERT_NE(table, nullptr);
  struct Case {
    uint8_t h, l;
    uint32_t begin, end;
  } cases[] = {
      {0xB0, 0xA1, 10 + 6769, 12 + 6769}, {0xB1, 0xA1, 200 + 6769, 230 + 6769}, {0xB1, 0xA2, 0, 0},
      {0xAF, 0xFE, 0, 0},                 {0xB0, 0xA0, 0, 0},                   {0xF8, 0xA1, 0, 0},
  };
  for (const Case& c : cases) {
    uint32_t begin = 1, end = 1;
    table->AssociationRange(c.h, c.l, &begin, &end);
    EXPECT_EQ(begin, c.begin) << std::hex << int(c.h) << int(c.l);
    EXPECT_EQ(end, c.end) << std::hex << int(c.h) << int(c.l);
  }
}

TEST_F(TableFiles, SearchPagesAndRestoresOnNoMatch) {
  auto table = Load(good_);
  ASSERT_NE(table, nullptr);
  const uint8_t three5[] = {3, 5};
  uint32_t k1 = 0, k2 = 1;
  ime::PackKeys(three5, 2, &k1, &k2);
  EXPECT_EQ(k1, 0x03140000u);
  EXPECT_EQ(k2, 0u);

  ime::CandidatePage page;
  const uint8_t ni[] = {14, 9, 13};  // n, i, m
  ASSERT_TRUE(ime::SearchAndFill(*table, ni, 1, &page));
  EXPECT_EQ(page.mask1, 0x3F000000u);
  ASSERT_TRUE(ime::SearchAndFill(*table, ni, 2, &page));
  EXPECT_EQ(page.mask1, 0x3FFC0000u);
  EXPECT_EQ(page.mask2, 0u);
  EXPECT_EQ(page.count, 5);
  EXPECT_STREQ(page.slots[0], imetest::kNi);
  EXPECT_TRUE(page.more);
  ASSERT_TRUE(ime::FillPage(*table, page.nextStart, &page));
  EXPECT_EQ(page.count, 4);  // two more characters, "nihao" and "nimen"
  EXPECT_STREQ(page.slots[2], imetest::kNiHao);
  EXPECT_EQ(page.nextStart, page.rangeStart);  // the last page leads back to the first

  const ime::CandidatePage shown = page;
  const uint8_t nx[] = {14, 24};
  EXPECT_FALSE(ime::SearchAndFill(*table, nx, 2, &page));
  EXPECT_TRUE(page.noMatch);
  EXPECT_EQ(page.count, shown.count);
  EXPECT_STREQ(page.slots[2], shown.slots[2]);
  EXPECT_EQ(page.matched, 2);
}

// Names "imenumber" promises but the file lacks are empty; such a table
// set fails as a whole.
TEST(ImeConfiguration, KeysReadAndTheTableSetBuiltFromThem) {
  imetest::Scratch dir;
  imetest::WriteTable(dir.Path() + "small.tab", imetables::BuildTableFiles(imetest::SmallDraft()));
  const std::string names = "ime0=small\nime1=small\nime2=small\nime3=small\nime4=small\n";
  struct Case {
    std::string section;
    int initIme;
    int loaded;  // slots after loading, 0 for a failed load
  } cases[] = {
      {"imetabpath=" + dir.Path() + "\nimenumber=2\n" + names, 1, 3},
      {"imetabpath=" + dir.Path() + "\nimenumber=7\n" + names, 1, 0},
      {"imetabpath=" + dir.Path() + "\nimenumber=0\n", 1, 1},
      {"imetabpath=" + dir.Path() + "\nimenumber=2\nime0=small\n", 0, -1},
      {"imenumber=1\n" + names, 0, -1},
      {"imetabpath=" + dir.Path() + "\n" + names, 0, -1},
      {"imetabpath=" + dir.Path() + "nowhere/\nimenumber=1\n" + names, 1, 0},
  };
  const std::string saved = ETCFILEPATH;
  const std::string cfg = dir.Path() + "main.cfg";
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", cfg.c_str());
  for (const Case& c : cases) {
    imetest::WriteBytes(cfg, "[system]\ngal_engine=windib\n\n[imeinfo]\n" + c.section);
    ASSERT_EQ(InitIME(), c.initIme) << c.section;
    if (c.loaded < 0) continue;
    ime::TableSet set;
    EXPECT_EQ(set.Load(ime::ConfiguredTables()), c.loaded > 0) << c.section;
    EXPECT_EQ(set.Count(), c.loaded) << c.section;
    EXPECT_EQ(set.Current(), c.loaded > 1 ? 1 : 0) << c.section;
  }
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", saved.c_str());
  ime::SetConfiguredTables({});
}

}  // namespace

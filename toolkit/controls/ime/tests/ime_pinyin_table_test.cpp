// The generated pinyin table against the dictionary it was made from:
// every entry kept from the source is found again by typing its keys and
// paging through its candidates.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "controls/ime/ime_search.h"
#include "tools/imetables/pinyin_source.h"

namespace {

TEST(PinyinTable, EverySourceEntryIsFoundByItsKeys) {
  std::ifstream source("/usr/share/rime-data/pinyin_simp.dict.yaml");
  ASSERT_TRUE(source) << "the rime-data-pinyin-simp package is missing";
  std::map<std::string, std::set<std::string>> wanted;
  size_t entries = 0;
  for (const imetables::Entry& e : imetables::ReadPinyinDict(source)) entries += wanted[e.keys].insert(e.text).second;
  ASSERT_GT(entries, 40000u);

  auto table = ime::LoadTable("../guiRes/rirurRes/ime/pinyin.tab");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->records.size(), entries);

  size_t missing = 0;
  for (const auto& [letters, texts] : wanted) {
    uint8_t keys[ime::kMaxKeys];
    for (size_t i = 0; i < letters.size(); ++i) keys[i] = static_cast<uint8_t>(letters[i] - 'a' + 1);
    ime::CandidatePage page;
    bool found = true;
    for (size_t n = 1; n <= letters.size() && found; ++n) found = ime::SearchAndFill(*table, keys, static_cast<int>(n), &page);
    std::set<std::string> seen;
    for (int pages = 0; found && pages < 20000; ++pages) {
      for (int i = 0; i < page.count; ++i) seen.insert(page.slots[i]);
      if (!page.more || page.nextStart == page.rangeStart) break;
      found = ime::FillPage(*table, page.nextStart, &page);
    }
    for (const std::string& text : texts) {
      missing += seen.count(text) == 0;
      if (!seen.count(text)) ADD_FAILURE() << letters;
    }
  }
  EXPECT_EQ(missing, 0u);
}

}  // namespace

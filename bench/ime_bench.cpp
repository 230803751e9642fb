// Candidate search of the input method on the generated pinyin table: the
// keys of one word typed one by one, each searched and its first page
// filled; beside it a baseline over the same records in the same run: a
// binary search for the same prefix and a copy of the same page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "controls/ime/ime_search.h"

namespace {

std::string TablePath() {
  char exe[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string(".");
  return dir.substr(0, dir.rfind('/')) + "/../guiRes/rirurRes/ime/pinyin.tab";
}

const ime::Table& Pinyin() {
  static auto table = ime::LoadTable(TablePath());
  return *table;
}

constexpr char kWord[] = "zhongguo";

void Keys(uint8_t* keys) {
  for (size_t i = 0; i + 1 < sizeof kWord; ++i) keys[i] = static_cast<uint8_t>(kWord[i] - 'a' + 1);
}

void BM_TypeAndSearch(benchmark::State& state) {
  const ime::Table& table = Pinyin();
  uint8_t keys[ime::kMaxKeys];
  Keys(keys);
  for (auto _ : state) {
    ime::CandidatePage page;
    for (int n = 1; n < static_cast<int>(sizeof kWord); ++n) ime::SearchAndFill(table, keys, n, &page);
    benchmark::DoNotOptimize(page.slots[0][0]);
  }
  state.SetItemsProcessed(state.iterations() * (sizeof kWord - 1));
}
BENCHMARK(BM_TypeAndSearch);

void BM_BaselineBinarySearch(benchmark::State& state) {
  const ime::Table& table = Pinyin();
  uint8_t keys[ime::kMaxKeys];
  Keys(keys);
  for (auto _ : state) {
    char slots[5][ime::kSlotBytes];
    for (int n = 1; n < static_cast<int>(sizeof kWord); ++n) {
      uint32_t k1 = 0, k2 = 0;
      ime::PackKeys(keys, n, &k1, &k2);
      const uint32_t mask = n >= 5 ? 0x3FFFFFFF : 0x3FFFFFFF << (6 * (5 - n)) & 0x3FFFFFFF;
      auto at = std::lower_bound(table.records.begin(), table.records.end(), k1,
                                 [mask](const ime::IndexRecord& r, uint32_t key) { return (r.key1 & mask) < key; });
      for (int i = 0; i < 5 && at != table.records.end(); ++i, ++at) std::memcpy(slots[i], &at->code, 2);
    }
    benchmark::DoNotOptimize(slots[0][0]);
  }
  state.SetItemsProcessed(state.iterations() * (sizeof kWord - 1));
}
BENCHMARK(BM_BaselineBinarySearch);

}  // namespace

BENCHMARK_MAIN();

// Concurrent by-path writers and readers of one file, and the fixed-string
// heap shared between threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "config_test_helpers.h"
#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

constexpr int kWriters = 4;
constexpr int kReaders = 3;
constexpr int kWritesEach = 60;

std::string WriterKey(int w) { return "writer" + std::to_string(w); }

TEST(EtcFileThreads, WritersAreSerialisedAndReadersSeeWholeFiles) {
  ASSERT_TRUE(InitFixStr());
  ScratchDir dir;
  std::string path = dir.File("shared.cfg");
  std::string initial = "[other]\nkeep=yes\n[w]\n";
  for (int w = 0; w < kWriters; ++w) initial += WriterKey(w) + "=0\n";
  WriteText(path, initial);

  std::atomic<bool> writing{true};
  std::atomic<int> readFailures{0};
  std::vector<std::thread> readers;
  for (int r = 0; r < kReaders; ++r) {
    readers.emplace_back([&, r] {
      while (writing.load()) {
        char value[32];
        for (int w = 0; w < kWriters; ++w)
          if (GetValueFromEtcFile(path.c_str(), "w", WriterKey(w).c_str(), value, sizeof value) != ETC_OK)
            ++readFailures;
        if (r == 0) {
          EtcFile* loaded = LoadEtcFile(path.c_str());
          if (loaded == nullptr || GetValueFromEtc(loaded, "other", "keep", value, sizeof value) != ETC_OK)
            ++readFailures;
          if (loaded) UnloadEtcFile(loaded);
        }
      }
    });
  }
  std::vector<std::thread> writers;
  std::atomic<int> writeFailures{0};
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([&, w] {
      for (int i = 1; i <= kWritesEach; ++i)
        if (SetValueToEtcFile(path.c_str(), "w", WriterKey(w).c_str(), std::to_string(i).c_str()) != ETC_OK)
          ++writeFailures;
    });
  }
  for (auto& t : writers) t.join();
  writing = false;
  for (auto& t : readers) t.join();

  EXPECT_EQ(writeFailures.load(), 0);
  EXPECT_EQ(readFailures.load(), 0);
  for (int w = 0; w < kWriters; ++w) {
    int last = 0;
    EXPECT_EQ(GetIntValueFromEtcFile(path.c_str(), "w", WriterKey(w).c_str(), &last), ETC_OK);
    EXPECT_EQ(last, kWritesEach) << "no writer's update was lost";
  }
  EXPECT_FALSE(TempFilesIn(dir.Path()));
  TermFixStr();
}

// Objects loaded, changed and unloaded on several threads at once: each
// keeps its own text, whatever the others free meanwhile.
TEST(EtcFileThreads, LoadedObjectsOfEachThreadKeepTheirStrings) {
  ASSERT_TRUE(InitFixStr());
  ScratchDir dir;
  const std::string path = dir.File("loaded.cfg");
  WriteText(path, "[a]\nk=base\nkeep=yes\n[b]\nx=1\n");
  constexpr int kThreads = 4;
  constexpr int kRounds = 40;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const std::string mine = "t" + std::to_string(t);
      for (int round = 0; round < kRounds; ++round) {
        EtcFile* etc = LoadEtcFile(path.c_str());
        if (etc == nullptr) {
          ++failures;
          continue;
        }
        EtcSection* a = FindSectionInEtc(etc, "a", FALSE);
        char value[32] = {};
        if (a == nullptr || SetValueToEtcSec(a, "k", mine.c_str()) != ETC_OK ||
            RemoveSectionInEtc(etc, "b") != ETC_OK || GetValueFromEtc(etc, "a", "k", value, sizeof value) != ETC_OK ||
            mine != value || GetValueFromEtc(etc, "a", "keep", value, sizeof value) != ETC_OK ||
            std::string(value) != "yes")
          ++failures;
        UnloadEtcFile(etc);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  TermFixStr();
}

TEST(FixStrThreads, ConcurrentAllocationsNeverShareASlot) {
  ASSERT_TRUE(InitFixStr());
  constexpr int kThreads = 4;
  constexpr int kEach = 900;  // 3600 of the 4096 four-byte slots
  std::vector<std::vector<char*>> taken(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        char* s = FixStrAlloc(3);
        s[0] = static_cast<char>('a' + t);
        taken[t].push_back(s);
        if (i % 3 == 0) {
          FreeFixStr(taken[t].back());
          taken[t].pop_back();
        }
      }
    });
  }
  for (auto& t : threads) t.join();
  std::set<char*> distinct;
  for (int t = 0; t < kThreads; ++t) {
    for (char* s : taken[t]) {
      EXPECT_EQ(s[0], 'a' + t);
      distinct.insert(s);
    }
  }
  size_t total = 0;
  for (auto& v : taken) total += v.size();
  EXPECT_EQ(distinct.size(), total);
  for (auto& v : taken)
    for (char* s : v) FreeFixStr(s);
  TermFixStr();
}

// Windows made with empty captions on several threads at once (the bubble
// tip's thread and the menus being built): every copy of "" is the one shared
// empty string, which none of them may write.
TEST(FixStrThreads, EmptyCopiesOnManyThreadsLeaveTheSharedEmptyStringUnwritten) {
  ASSERT_TRUE(InitFixStr());
  constexpr int kThreads = 4;
  constexpr int kEach = 2000;
  char* const shared = FixStrAlloc(0);
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kEach; ++i) {
        char* empty = FixStrDup("");
        char* text = FixStrDup("caption");
        if (empty != shared || text == nullptr || std::string(text) != "caption") ++wrong;
        FreeFixStr(text);
        FreeFixStr(empty);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(shared[0], '\0');
  TermFixStr();
}

}  // namespace

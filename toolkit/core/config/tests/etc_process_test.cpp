// Writers in several processes: killed at any moment, they leave the old file
// or the new one whole and nothing behind after the next load; running side
// by side, they never mix their files and report every write truthfully.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "config_test_helpers.h"
#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

// A file large enough that a rewrite takes a while, already in the form both
// writers produce, so both states are known byte for byte.
std::string FileWithValue(const std::string& value) {
  std::string text;
  for (int s = 0; s < 40; ++s) {
    text += "[section" + std::to_string(s) + "]\n";
    for (int k = 0; k < 20; ++k) text += "key" + std::to_string(k) + "=" + std::string(40, 'a' + k % 26) + "\n";
    if (s == 20) text += "target=" + value + "\n";
    text += "\n";
  }
  return text;
}

// Alternates the value through both writers until killed.
[[noreturn]] void RewriteForever(const std::string& path, const std::string& one, const std::string& two) {
  InitFixStr();
  for (unsigned i = 0;; ++i) {
    const std::string& value = i % 2 ? one : two;
    if (i % 4 < 2) {
      SetValueToEtcFile(path.c_str(), "section20", "target", value.c_str());
      continue;
    }
    EtcFile* etc = LoadEtcFile(path.c_str());
    if (etc == nullptr) ::_exit(3);
    GetValueFromEtc(etc, "section20", "target", const_cast<char*>(value.c_str()), 0);
    SaveEtcToFile(etc, path.c_str());
    UnloadEtcFile(etc);
  }
}

int WaitFor(pid_t child) {
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(EtcFileProcesses, KilledWriterLeavesOldOrNewFileWholeAndNoTemporaryAfterTheNextLoad) {
  ASSERT_TRUE(InitFixStr());
  ScratchDir dir;
  std::string path = dir.File("crash.cfg");
  const std::string one(300, '1');
  const std::string two(300, '2');
  const std::string before = FileWithValue(one);
  const std::string after = FileWithValue(two);
  WriteText(path, before);

  std::mt19937 random(12345);
  int killedMidWrite = 0;
  for (int round = 0; round < 60; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) RewriteForever(path, one, two);
    ::usleep(random() % 20000);
    ::kill(child, SIGKILL);
    ASSERT_EQ(WaitFor(child), 128 + SIGKILL);

    std::string seen = ReadText(path);
    ASSERT_TRUE(seen == before || seen == after) << "round " << round << ": " << seen.size() << " bytes";
    killedMidWrite += TempFilesIn(dir.Path());
    EtcFile* loaded = LoadEtcFile(path.c_str());
    ASSERT_NE(loaded, nullptr);
    UnloadEtcFile(loaded);
    ASSERT_FALSE(TempFilesIn(dir.Path())) << "round " << round;
  }
  RecordProperty("kills_mid_write", killedMidWrite);
  TermFixStr();
}

// Runs body(index) in `count` processes at once; the exit codes.
std::vector<int> RunProcesses(int count, const std::function<int(int)>& body) {
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    pid_t child = ::fork();
    if (child == 0) {
      InitFixStr();
      ::_exit(body(i));
    }
    children.push_back(child);
  }
  std::vector<int> codes;
  for (pid_t child : children) codes.push_back(child > 0 ? WaitFor(child) : -1);
  return codes;
}

constexpr int kWrites = 150;

// Each process owns one file of the folder and one key of a shared file.
// After every write to its own file it reads it back: a write reported done
// must be there, whole, and nothing else. In the shared file no process's
// update may be lost.
TEST(EtcFileProcesses, ProcessesWritingOneFolderNeverMixFilesNorLoseUpdates) {
  ScratchDir dir;
  const std::string shared = dir.File("shared.cfg");
  WriteText(shared, "[keep]\nthis=1\n[w]\n");
  auto body = [&](int me) {
    std::string own = dir.File("p" + std::to_string(me) + ".cfg");
    std::string key = "writer" + std::to_string(me);
    for (int i = 1; i <= kWrites; ++i) {
      std::string value = std::to_string(i);
      int rc = ETC_OK;
      if (i % 2 == 0) {
        rc = SetValueToEtcFile(own.c_str(), "own", "value", value.c_str());
      } else {
        EtcFile* etc = LoadEtcFile(nullptr);
        GetValueFromEtc(etc, "own", "value", const_cast<char*>(value.c_str()), 0);
        rc = SaveEtcToFile(etc, own.c_str());
        UnloadEtcFile(etc);
      }
      std::string text = ReadText(own);
      if (rc != ETC_OK || (text != "[own]\nvalue=" + value + "\n" && text != "[own]\nvalue=" + value + "\n\n"))
        return 10;
      if (SetValueToEtcFile(shared.c_str(), "w", key.c_str(), value.c_str()) != ETC_OK) return 11;
    }
    return 0;
  };
  EXPECT_EQ(RunProcesses(3, body), (std::vector<int>{0, 0, 0}));
  for (int me = 0; me < 3; ++me) {
    int last = 0;
    EXPECT_EQ(GetIntValueFromEtcFile(shared.c_str(), "w", ("writer" + std::to_string(me)).c_str(), &last), ETC_OK);
    EXPECT_EQ(last, kWrites);
  }
  int kept = 0;
  EXPECT_EQ(GetIntValueFromEtcFile(shared.c_str(), "keep", "this", &kept), ETC_OK);
  EXPECT_EQ(kept, 1);
  EXPECT_FALSE(TempFilesIn(dir.Path()));
}

}  // namespace

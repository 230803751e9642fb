// A writer killed at any moment leaves the old file or the new one, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

#include "config_test_helpers.h"
#include "gui/config.h"

namespace {

// A file large enough that a rewrite takes a while, already in the form the
// writer produces, so both states are known byte for byte.
std::string FileWithValue(const std::string& value) {
  std::string text;
  for (int s = 0; s < 40; ++s) {
    text += "[section" + std::to_string(s) + "]\n";
    for (int k = 0; k < 20; ++k) text += "key" + std::to_string(k) + "=" + std::string(40, 'a' + k % 26) + "\n";
    if (s == 20) text += "target=" + value + "\n";
  }
  return text;
}

[[noreturn]] void RewriteForever(const std::string& path, const std::string& one, const std::string& two) {
  for (unsigned i = 0;; ++i) SetValueToEtcFile(path.c_str(), "section20", "target", (i % 2 ? one : two).c_str());
}

TEST(EtcFileCrash, KilledWriterLeavesOldOrNewFileWhole) {
  ScratchDir dir;
  std::string path = dir.File("crash.cfg");
  const std::string one(300, '1');
  const std::string two(300, '2');
  const std::string before = FileWithValue(one);
  const std::string after = FileWithValue(two);
  WriteText(path, before);

  std::mt19937 random(12345);
  int sawTemp = 0;
  for (int round = 0; round < 40; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) RewriteForever(path, one, two);
    ::usleep(random() % 20000);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    std::string seen = ReadText(path);
    ASSERT_TRUE(seen == before || seen == after) << "round " << round << ": " << seen.size() << " bytes";
    if (Exists(dir.File(ETC_TEMP_FILE_NAME))) ++sawTemp;

    // Whatever the kill left behind, the next write works and cleans up.
    ASSERT_EQ(SetValueToEtcFile(path.c_str(), "section20", "target", one.c_str()), ETC_OK);
    ASSERT_EQ(ReadText(path), before);
    ASSERT_FALSE(Exists(dir.File(ETC_TEMP_FILE_NAME)));
  }
  RecordProperty("kills_with_temp_file_left", sawTemp);
}

}  // namespace

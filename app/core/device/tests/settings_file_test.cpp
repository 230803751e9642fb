// The parameter file: settings applied before the program ends are there at
// the next start, a damaged or foreign file is refused and set aside, and a
// kill at any moment leaves the old file or the new one whole.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/core/device/sim_state.h"
#include "app/program.h"
#include "device_test_helpers.h"

namespace {

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.' || std::strncmp(e->d_name, ".tmp", 4) == 0) names.push_back(e->d_name);
    closedir(d);
  }
  return names;
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

struct SettingsFileTest : DeviceTest {
  std::string dir;
  std::string path;
  void SetUp() override {
    DeviceTest::SetUp();
    char pattern[] = "/tmp/device_params_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    path = dir + "/device_params.dat";
    device_seam::setSettingsFile(path);
  }
  void TearDown() override {
    for (const std::string& name : filesIn(dir)) std::remove((dir + "/" + name).c_str());
    rmdir(dir.c_str());
    device_seam::setSettingsFile("");
    DeviceTest::TearDown();
  }

  // A fresh program on the same folder: nothing kept, then the start-up load.
  void restart() {
    device_seam::resetAll();
    loadSavedDeviceParams();
  }

  // Runs `body` in a child process that then ends; its exit status.
  template <typename F>
  int inChild(F body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string refusedStderr() {
    testing::internal::CaptureStderr();
    restart();
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(SettingsFileTest, AppliedSettingsAreThereAfterARestart) {
  RecordConfig record{};
  record.enable = 1;
  record.days[3] = {1, 4, 0};
  record.postRecord = 5;
  DeviceConfig config;
  getDeviceConfig(nullptr, &config);
  std::snprintf(config.name, sizeof config.name, "Gate");
  const uint32_t split[3] = {20, 60, 20};
  ASSERT_EQ(inChild([&] {
              setRecordConfig(nullptr, 9, &record, 1);
              setDeviceConfig(nullptr, &config, 1);
              setFrameSplit(0, split);
              startManualRecord(0, 0x3, 1);  // a state of the run, not a setting
              return saveDeviceParams();
            }),
            0);
  restart();
  RecordConfig backRecord;
  getRecordConfig(nullptr, 9, &backRecord, 1);
  EXPECT_EQ(std::memcmp(&backRecord, &record, sizeof record), 0);
  DeviceConfig backConfig;
  getDeviceConfig(nullptr, &backConfig);
  EXPECT_STREQ(backConfig.name, "Gate");
  uint32_t backSplit[3];
  getFrameSplit(backSplit);
  EXPECT_EQ(std::memcmp(backSplit, split, sizeof split), 0);
  EXPECT_EQ(getRecordingChanMask(), 0u);

  // Restoring the defaults forgets the settings, also for the next start.
  ASSERT_EQ(restoreDeviceDefaults(nullptr, 1), 0);
  restart();
  getRecordConfig(nullptr, 9, &backRecord, 1);
  EXPECT_EQ(backRecord.enable, 0u);
  getDeviceConfig(nullptr, &backConfig);
  EXPECT_STREQ(backConfig.name, "Embedded Net DVR");
}

TEST_F(SettingsFileTest, DamagedOrForeignFilesAreRefusedSetAsideAndTheDefaultsUsed) {
  setDiskGroup(0, 0, 0, 5);
  ASSERT_EQ(saveDeviceParams(), 0);
  const std::vector<uint8_t> good = readFile(path);
  ASSERT_GT(good.size(), 24u);

  std::vector<uint8_t> flipped = good;
  flipped[good.size() / 2] ^= 0x40;
  std::vector<uint8_t> cut(good.begin(), good.end() - 9);
  const std::string text = "[system]\ngal_engine=windib\nial_engine=Win\n";
  std::vector<uint8_t> foreign(text.begin(), text.end());
  struct Case {
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {{flipped, "checksum mismatch"}, {cut, "checksum mismatch"}, {foreign, "not a parameter file"},
               {{}, "too short"}};
  int setAside = 0;
  for (const Case& c : cases) {
    writeFile(path, c.bytes);
    setDiskGroup(0, 0, 0, 9);  // replaced by the defaults when the file is refused
    std::string err = refusedStderr();
    EXPECT_NE(err.find(path), std::string::npos) << err;
    EXPECT_NE(err.find(c.reason), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    DiskInfo rows[DISK_LIST_ROWS];
    getDiskList(rows);
    EXPECT_EQ(rows[0].group, 1) << c.reason;  // the default group
    // Renamed, not deleted: the refused bytes are kept beside the folder's files.
    ++setAside;
    int found = 0;
    for (const std::string& name : filesIn(dir))
      if (name.find("device_params.dat.refused.") == 0 && readFile(dir + "/" + name) == c.bytes) ++found;
    EXPECT_EQ(found, 1) << c.reason;
    EXPECT_FALSE(std::ifstream(path).good());
  }
  EXPECT_EQ(filesIn(dir).size(), static_cast<size_t>(setAside));

  writeFile(path, good);
  EXPECT_EQ(refusedStderr(), "");
  DiskInfo rows[DISK_LIST_ROWS];
  getDiskList(rows);
  EXPECT_EQ(rows[0].group, 5);
}

// The file names its records by kind: a kind this program does not know is
// passed over, a known one still loads, a version it does not know is refused.
TEST_F(SettingsFileTest, RecordsAreFoundByKindName) {
  std::vector<std::string> names;
  for (int k = 0; const char* name = devsim::kindName(static_cast<devsim::Kind>(k)); ++k) {
    EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << name;
    names.push_back(name);
  }
  EXPECT_GE(names.size(), 31u);

  auto image = [](uint32_t version, const std::vector<std::pair<std::string, uint32_t>>& records) {
    std::vector<uint8_t> out = {'N', 'V', 'R', 'P', 'A', 'R', 'A', 'M'};
    auto u32 = [&out](uint32_t v) {
      for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    u32(version);
    u32(static_cast<uint32_t>(records.size()));
    for (const auto& [name, value] : records) {
      out.push_back(static_cast<uint8_t>(name.size()));
      out.insert(out.end(), name.begin(), name.end());
      u32(0);  // index
      u32(4);
      u32(value);
    }
    u32(static_cast<uint32_t>(devsim::digest(out.data(), out.size())));
    return out;
  };
  std::string why;
  auto mode = [] {
    uint8_t m[4];
    getStorageMode(m);
    return m[0];
  };
  std::vector<uint8_t> future = image(1, {{"FutureKind", 7}, {"StorageMode", 2}});
  ASSERT_TRUE(devsim::parseSettings(future.data(), future.size(), &why)) << why;
  EXPECT_EQ(mode(), 2);
  std::vector<uint8_t> twice = image(1, {{"StorageMode", 1}, {"StorageMode", 2}});
  EXPECT_FALSE(devsim::parseSettings(twice.data(), twice.size(), &why));
  EXPECT_EQ(mode(), 2);  // a refused file changes nothing
  std::vector<uint8_t> later = image(2, {{"StorageMode", 1}});
  EXPECT_FALSE(devsim::parseSettings(later.data(), later.size(), &why));
  EXPECT_EQ(why, "unknown version");
  std::vector<uint8_t> runState = image(1, {{"RecordingMask", 3}});
  ASSERT_TRUE(devsim::parseSettings(runState.data(), runState.size(), &why));
  EXPECT_EQ(getRecordingChanMask(), 0u);
}

// A child saves again and again and is killed at random moments: every file
// it leaves is one of its saves, whole, and never older than the last one.
TEST_F(SettingsFileTest, AKillAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  ASSERT_EQ(saveDeviceParams(), 0);
  std::mt19937 random(20261207);
  uint32_t lastSeen = 0;
  for (int round = 0; round < 25; ++round) {
    pid_t pid = fork();
    if (pid == 0) {
      for (uint32_t i = lastSeen + 1;; ++i) {
        for (int channel = 1; channel <= 17; ++channel) {
          RecordConfig r{};
          r.postRecord = i;
          r.preRecord = static_cast<uint32_t>(channel);
          setRecordConfig(nullptr, channel, &r, 1);
        }
        saveDeviceParams();
      }
    }
    usleep(std::uniform_int_distribution<useconds_t>(200, 6000)(random));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::vector<uint8_t> image = readFile(path);
    std::string why;
    device_seam::resetKeptRecords();
    ASSERT_TRUE(devsim::parseSettings(image.data(), image.size(), &why)) << "round " << round << ": " << why;
    RecordConfig first, last;
    getRecordConfig(nullptr, 1, &first, 1);
    getRecordConfig(nullptr, 17, &last, 1);
    EXPECT_EQ(first.postRecord, last.postRecord) << "a save came out mixed";
    EXPECT_GE(first.postRecord, lastSeen);
    lastSeen = first.postRecord;
  }
  // The next start removes what the killed writers left behind.
  restart();
  for (const std::string& name : filesIn(dir)) EXPECT_EQ(name, "device_params.dat");
}

}  // namespace

// The parameter file: settings applied before the program ends are there at
// the next start, a damaged or foreign file is refused and set aside, and a
// kill at any moment leaves the old file or the new one whole.
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
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

// A parameter file image of the given records (kind name, index, bytes).
struct RecordImage {
  std::string name;
  uint32_t index;
  std::vector<uint8_t> bytes;
};
std::vector<uint8_t> image(uint32_t version, const std::vector<RecordImage>& records) {
  std::vector<uint8_t> out = {'N', 'V', 'R', 'P', 'A', 'R', 'A', 'M'};
  auto u32 = [&out](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  u32(version);
  u32(static_cast<uint32_t>(records.size()));
  for (const RecordImage& r : records) {
    out.push_back(static_cast<uint8_t>(r.name.size()));
    out.insert(out.end(), r.name.begin(), r.name.end());
    u32(r.index);
    u32(static_cast<uint32_t>(r.bytes.size()));
    out.insert(out.end(), r.bytes.begin(), r.bytes.end());
  }
  u32(static_cast<uint32_t>(devsim::digest(out.data(), out.size())));
  return out;
}
std::vector<uint8_t> word(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

mode_t modeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
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
              EXPECT_EQ(setRecordConfig(nullptr, 9, &record, 1), 0);
              EXPECT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
              EXPECT_EQ(setFrameSplit(0, split), 0);
              EXPECT_EQ(startManualRecord(0, 0x3, 1), 0);  // a state of the run, not a setting
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
  EXPECT_EQ(setDiskGroup(0, 0, 0, 5), 0);
  ASSERT_EQ(saveDeviceParams(), 0);
  const std::vector<uint8_t> good = readFile(path);
  ASSERT_GT(good.size(), 24u);

  std::vector<uint8_t> flipped = good;
  flipped[good.size() / 2] ^= 0x40;
  std::vector<uint8_t> cut(good.begin(), good.end() - 9);
  const std::string text = "[system]\ngal_engine=windib\nial_engine=Win\n";
  std::vector<uint8_t> foreign(text.begin(), text.end());
  // Records whose size is not their kind's, each otherwise whole.
  const std::vector<uint8_t> oneByte(1, 7), large(100 * 1024, 7), threeBytes(3, 7);
  struct Case {
    std::vector<uint8_t> bytes;
    std::string reason;
  } cases[] = {{flipped, "checksum mismatch"},
               {cut, "checksum mismatch"},
               {foreign, "not a parameter file"},
               {{}, "too short"},
               {image(1, {{"DeviceConfig", 0, oneByte}}), "DeviceConfig record of 1 bytes"},
               {image(1, {{"StorageMode", 0, word(2)}, {"DeviceConfig", 0, large}}),
                "DeviceConfig record of 102400 bytes"},
               {image(1, {{"UserConfig", 0, threeBytes}}), "UserConfig record of 3 bytes"},
               {image(1, {{"IpChannel", 0, word(1)}}), "IpChannel record of 4 bytes, not 8"}};
  int setAside = 0;
  for (const Case& c : cases) {
    writeFile(path, c.bytes);
    EXPECT_EQ(setDiskGroup(0, 0, 0, 9), 0);  // replaced by the defaults when the file is refused
    std::string err = refusedStderr();
    EXPECT_NE(err.find(path), std::string::npos) << err;
    EXPECT_NE(err.find(c.reason), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    DiskInfo rows[DISK_LIST_ROWS];
    getDiskList(rows);
    EXPECT_EQ(rows[0].group, 1) << c.reason;  // the default group
    uint8_t storage[4];
    getStorageMode(storage);
    EXPECT_EQ(storage[0], 0) << c.reason << ": a refused file loads no record";
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

  std::string why;
  auto mode = [] {
    uint8_t m[4];
    getStorageMode(m);
    return m[0];
  };
  std::vector<uint8_t> future = image(1, {{"FutureKind", 0, word(7)}, {"StorageMode", 0, word(2)}});
  ASSERT_TRUE(devsim::parseSettings(future.data(), future.size(), &why)) << why;
  EXPECT_EQ(mode(), 2);
  std::vector<uint8_t> twice = image(1, {{"StorageMode", 0, word(1)}, {"StorageMode", 0, word(2)}});
  EXPECT_FALSE(devsim::parseSettings(twice.data(), twice.size(), &why));
  EXPECT_EQ(mode(), 2);  // a refused file changes nothing
  std::vector<uint8_t> later = image(2, {{"StorageMode", 0, word(1)}});
  EXPECT_FALSE(devsim::parseSettings(later.data(), later.size(), &why));
  EXPECT_EQ(why, "unknown version");
  std::vector<uint8_t> runState = image(1, {{"RecordingMask", 0, word(3)}});
  ASSERT_TRUE(devsim::parseSettings(runState.data(), runState.size(), &why));
  EXPECT_EQ(getRecordingChanMask(), 0u);
}

// Every kind of the table comes back from the file as kept when it is a
// setting, and never when it is a state of the run: a name the reader
// refuses (too long, twice) or a size it refuses shows up here.
TEST_F(SettingsFileTest, EverySavedKindComesBackFromTheFile) {
  constexpr int kIndex = 1;
  std::vector<devsim::Kind> kinds;
  for (int k = 0; devsim::kindName(static_cast<devsim::Kind>(k)); ++k) kinds.push_back(static_cast<devsim::Kind>(k));
  auto pattern = [](size_t size, int seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + static_cast<size_t>(seed) * 13 + 1);
    return bytes;
  };
  size_t saved = 0;
  for (devsim::Kind kind : kinds) {
    const bool isSaved = devsim::isSavedKind(kind);
    saved += isSaved;
    const std::vector<uint8_t> bytes = pattern(isSaved ? devsim::savedSize(kind, kIndex) : 4, static_cast<int>(kind));
    devsim::keep(kind, kIndex, bytes.data(), bytes.size());
  }
  const std::vector<uint8_t> image = devsim::serializeSettings();
  device_seam::resetKeptRecords();
  std::string why;
  ASSERT_TRUE(devsim::parseSettings(image.data(), image.size(), &why)) << why;
  EXPECT_EQ(image[12] | image[13] << 8, static_cast<int>(saved)) << "the count of records in the file";
  for (devsim::Kind kind : kinds) {
    const char* name = devsim::kindName(kind);
    std::vector<uint8_t> back(devsim::savedSize(kind, kIndex) + 4, 0xEE);
    const bool found = devsim::fetch(kind, kIndex, back.data(), back.size());
    EXPECT_EQ(found, devsim::isSavedKind(kind)) << name;
    if (!found) continue;
    back.resize(devsim::savedSize(kind, kIndex));
    EXPECT_EQ(back, pattern(back.size(), static_cast<int>(kind))) << name;
  }
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
          EXPECT_EQ(setRecordConfig(nullptr, channel, &r, 1), 0);
        }
        EXPECT_EQ(saveDeviceParams(), 0);
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

// The device writes the file itself once a setting changed: after the
// message that changed it, one write for any number of records; a set that
// changes nothing, or a state of the run, writes nothing; a write that
// failed is tried again at the program's end.
TEST_F(SettingsFileTest, TheDeviceWritesChangedSettingsItself) {
  auto exists = [this] { return ::access(path.c_str(), F_OK) == 0; };
  writeChangedDeviceParams();
  EXPECT_FALSE(exists()) << "nothing changed";
  RecordConfig record{};
  record.enable = 1;
  for (int channel = 1; channel <= 16; ++channel) ASSERT_EQ(setRecordConfig(nullptr, channel, &record, 1), 0);
  Rs232Config serial{};
  serial.baudRate = 7;
  ASSERT_EQ(setRs232Config(nullptr, &serial, 1), 0);
  writeChangedDeviceParams();
  EXPECT_EQ(readFile(path), devsim::serializeSettings());

  std::remove(path.c_str());
  ASSERT_EQ(setRecordConfig(nullptr, 4, &record, 1), 0);  // the same bytes again
  EXPECT_EQ(startManualRecord(0, 0x3, 1), 0);
  writeChangedDeviceParams();
  EXPECT_FALSE(exists()) << "no setting changed";

  device_seam::setSettingsFile(dir + "/no such folder/device_params.dat");
  serial.baudRate = 5;
  ASSERT_EQ(setRs232Config(nullptr, &serial, 1), 0);
  writeChangedDeviceParams();  // fails
  device_seam::setSettingsFile(path);
  writeChangedDeviceParams();
  EXPECT_FALSE(exists()) << "a failed write is not tried again after every message";
  finishDeviceParams();
  EXPECT_EQ(readFile(path), devsim::serializeSettings());
  restart();
  Rs232Config back{};
  getRs232Config(nullptr, &back);
  EXPECT_EQ(back.baudRate, 5);
}

// A write that fails says so once, naming the file and the reason; the
// failures after it stay quiet until a write succeeds again.
TEST_F(SettingsFileTest, AFailedWriteIsToldOnceForEachRunOfFailures) {
  const std::string lost = dir + "/no such folder/device_params.dat";
  Rs232Config serial{};
  const auto failingSave = [&](int baud) {
    serial.baudRate = baud;
    EXPECT_EQ(setRs232Config(nullptr, &serial, 1), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(saveDeviceParams(), -1);
    return testing::internal::GetCapturedStderr();
  };
  device_seam::setSettingsFile(lost);
  const std::string first = failingSave(3);
  EXPECT_NE(first.find(lost), std::string::npos) << first;
  EXPECT_NE(first.find(std::strerror(ENOENT)), std::string::npos) << first;
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 1) << first;
  EXPECT_EQ(failingSave(4), "");
  testing::internal::CaptureStderr();
  writeChangedDeviceParams();  // the after-message write fails as quietly
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  device_seam::setSettingsFile(path);
  ASSERT_EQ(saveDeviceParams(), 0);
  device_seam::setSettingsFile(lost);
  EXPECT_NE(failingSave(5).find(lost), std::string::npos) << "a new run of failures is told";
}

// A link at the file's name is neither followed nor written through: its
// target keeps its bytes and its mode, the link is refused and set aside,
// and a later save writes a file of its own.
TEST_F(SettingsFileTest, ALinkInPlaceOfTheFileIsRefusedAndNeverWrittenThrough) {
  const std::string target = dir + "/elsewhere";
  writeFile(target, {1, 2, 3});
  ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
  ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(saveDeviceParams(), -1);
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("symbolic link"), std::string::npos) << written;
  const std::string err = refusedStderr();
  EXPECT_NE(err.find(path), std::string::npos) << err;
  EXPECT_NE(err.find("symbolic link"), std::string::npos) << err;
  EXPECT_EQ(readFile(target), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(modeOf(target), 0644u);
  struct stat info {};
  EXPECT_NE(::lstat(path.c_str(), &info), 0) << "the link is set aside";
  ASSERT_EQ(saveDeviceParams(), 0);
  ASSERT_EQ(::lstat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_EQ(readFile(target), (std::vector<uint8_t>{1, 2, 3}));
}

// The restore of the defaults is kept like any accepted write: the file
// written after it holds none of the users it deleted, nor their passwords.
TEST_F(SettingsFileTest, ARestoreOfTheDefaultsReachesTheFile) {
  UserConfig users{};
  getUserConfig(nullptr, &users);
  const char kName[] = "operator7", kPassword[] = "48151623";
  std::memcpy(users.users[2].name, kName, sizeof kName);
  std::memcpy(users.users[2].password, kPassword, sizeof kPassword);
  ASSERT_EQ(setUserConfig(nullptr, &users, 1), 0);
  ASSERT_EQ(saveDeviceParams(), 0);
  const auto holds = [this](const char* text) {
    const std::vector<uint8_t> bytes = readFile(path);
    return std::search(bytes.begin(), bytes.end(), text, text + std::strlen(text)) != bytes.end();
  };
  ASSERT_TRUE(holds(kPassword));
  ASSERT_EQ(restoreDefaults(nullptr, 1), 0);
  writeChangedDeviceParams();  // what the device does after the message
  EXPECT_FALSE(holds(kName));
  EXPECT_FALSE(holds(kPassword));
  restart();
  UserConfig back{};
  getUserConfig(nullptr, &back);
  EXPECT_STRNE(back.users[2].name, kName);
}

// The file holds the users' passwords: it is its owner's alone, however
// the program's umask or an earlier file's mode would have it.
TEST_F(SettingsFileTest, OnlyItsOwnerMayReadTheFile) {
  const mode_t umaskBefore = ::umask(0);
  ASSERT_EQ(saveDeviceParams(), 0);
  EXPECT_EQ(modeOf(path), 0600u) << "a new file";
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  ASSERT_EQ(saveDeviceParams(), 0);
  EXPECT_EQ(modeOf(path), 0600u) << "a file that was 0644, written";
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(refusedStderr(), "");
  EXPECT_EQ(modeOf(path), 0600u) << "a file that was 0644, loaded";
  ::umask(umaskBefore);
}

// An IPv6 address of the interface, applied by one process, is the
// interface's address in the next, and an address typed later elsewhere
// (the alarm host) takes a reference of its own. A file of an earlier
// version held no texts: its references are cleared, never reused.
TEST_F(SettingsFileTest, IPv6AddressesKeepTheirTextsAcrossARestart) {
  auto v6 = [](const char* text) {
    NetAddress a{};
    EXPECT_EQ(textToNetAddress(text, &a), 0) << text;
    return a.ipv6;
  };
  auto text = [](uint32_t ref) {
    char out[NET_ADDRESS_TEXT_SIZE] = "";
    return ipv6ToText(ref, out, sizeof out) == 0 ? std::string(out) : std::string("(none)");
  };
  ASSERT_EQ(inChild([&] {
              NetConfig net;
              getNetConfig(nullptr, &net);
              net.interfaceExtra[0].ipv6 = v6("2001:db8::5");
              net.interfaceExtra[0].reserved = v6("2001:db8::1");
              if (setNetConfig(nullptr, &net, 1) != 0) return 1;
              finishDeviceParams();
              return 0;
            }),
            0);
  restart();
  NetConfig net;
  getNetConfig(nullptr, &net);
  net.alarmHost.ipv6 = v6("fe80::9");
  EXPECT_NE(net.alarmHost.ipv6, net.interfaceExtra[0].ipv6);
  EXPECT_EQ(text(net.interfaceExtra[0].ipv6), "2001:db8::5");
  EXPECT_EQ(text(net.interfaceExtra[0].reserved), "2001:db8::1");
  EXPECT_EQ(text(net.alarmHost.ipv6), "fe80::9");

  // The same file without its texts, as an earlier version wrote it.
  restart();
  getNetConfig(nullptr, &net);
  for (uint32_t ref : {net.interfaceExtra[0].ipv6, net.interfaceExtra[0].reserved})
    devsim::forget(devsim::Kind::NetV6Text, static_cast<int>(ref));
  writeFile(path, devsim::serializeSettings());
  EXPECT_EQ(refusedStderr(), "");
  getNetConfig(nullptr, &net);
  EXPECT_EQ(net.interfaceExtra[0].ipv6, 0u);
  EXPECT_EQ(net.interfaceExtra[0].reserved, 0u);
  const uint32_t host = v6("fe80::9");
  getNetConfig(nullptr, &net);
  EXPECT_EQ(text(net.interfaceExtra[0].ipv6), "::") << "no later text shows as the interface's address";
  EXPECT_EQ(text(host), "fe80::9");
}

}  // namespace

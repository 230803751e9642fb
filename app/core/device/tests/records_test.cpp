#include <cstring>
#include <random>
#include <stdexcept>
#include <string>

#include "app/core/device/sim_state.h"
#include "app/device_caps.h"
#include "device_test_helpers.h"

namespace {

std::string text(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

// An entry that names another operation's function than its own.
int enteredAsAnother() {
  DEVICE_ENTER(getChannelNum, nullptr, 0);
  return 0;
}

TEST_F(DeviceTest, DeviceConfigRepairsTheCopyAndKeepsWhatIsSet) {
  DeviceConfig config;
  std::memset(&config, 0xCC, sizeof config);
  ASSERT_EQ(getDeviceConfig(nullptr, &config), 0);
  EXPECT_EQ(config.loginRequired, 0u);
  EXPECT_EQ(config.language, 1);
  EXPECT_EQ(text(config.name, 32), "Embedded Net DVR");
  EXPECT_EQ(config.deviceNumber, 255u);
  // A device never set up: PAL, 1024*768 on HDMI and VGA, the output chosen
  // by the device; the rest is zero.
  for (const DeviceOutputBlock& block : config.outputs) EXPECT_EQ(block.videoStandard, 2);
  EXPECT_EQ(config.resolutions[0].code, 0);
  EXPECT_EQ(config.resolutions[1].code, 103);
  EXPECT_EQ(config.resolutions[2].code, 103);
  EXPECT_EQ(config.outputMode, 255);
  EXPECT_EQ(config.outputs[3].lockTime, 0);
  EXPECT_EQ(getDeviceConfig(nullptr, nullptr), -1);

  config.loginRequired = 1;
  config.language = 3;
  config.deviceNumber = 7;
  std::snprintf(config.name, sizeof config.name, "Yard");
  config.outputs[2].pictureMode = 2;
  config.resolutions[2].code = 111;
  ASSERT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  DeviceConfig back;
  getDeviceConfig(nullptr, &back);
  EXPECT_EQ(back.language, 20);
  EXPECT_EQ(back.loginRequired, 0u);
  EXPECT_EQ(text(back.name, 32), "Yard");
  EXPECT_EQ(back.deviceNumber, 7u);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&back);
  EXPECT_EQ(bytes[52 + 32 * 2], 2);
  EXPECT_EQ(bytes[GUI_DEVCFG_RESOLUTION(3)], 111);
  EXPECT_EQ(setDeviceConfig(nullptr, nullptr, 1), -1);

  device_seam::resetKeptRecords();
  getDeviceConfig(nullptr, &back);
  EXPECT_EQ(text(back.name, 32), "Embedded Net DVR");
}

// Every kept record: the default, then what a set wrote, then the default
// again after a reset.
TEST_F(DeviceTest, SetsAreKeptPerRecordAndIndexUntilReset) {
  UserConfig users;
  getUserConfig(nullptr, &users);
  std::snprintf(users.users[5].name, 32, "night");
  ChannelConfig channel;
  getChannelConfig(nullptr, 4, &channel);
  EXPECT_EQ(text(channel.name, 32), "Channel4");
  channel.brightness = 99;
  PreviewConfig preview;
  getPreviewConfig(nullptr, 2, &preview);
  preview.layoutMode = 2;
  preview.audio = 1;
  EventOutputConfig event{2, 5};
  uint32_t guide[2] = {0, 1};

  ASSERT_EQ(setUserConfig(nullptr, &users, 1), 0);
  ASSERT_EQ(setChannelConfig(nullptr, 4, &channel, 1), 0);
  ASSERT_EQ(setPreviewConfig(nullptr, 2, &preview), 0);
  ASSERT_EQ(setEventOutputConfig(nullptr, &event), 0);
  ASSERT_EQ(setPreviewStrategy(nullptr, 4, 5), 0);
  ASSERT_EQ(setStartGuideFlag(nullptr, guide, 1), 0);
  EXPECT_EQ(setPreviewStrategy(nullptr, 4, 2), -1);  // refused: the kept value stays
  EXPECT_EQ(setPreviewConfig(nullptr, 8, &preview), -1);

  auto expectKept = [&](bool kept) {
    UserConfig u;
    getUserConfig(nullptr, &u);
    EXPECT_EQ(text(u.users[5].name, 32), kept ? "night" : "");
    ChannelConfig c;
    getChannelConfig(nullptr, 4, &c);
    EXPECT_EQ(c.brightness, kept ? 99 : 0);
    getChannelConfig(nullptr, 5, &c);
    EXPECT_EQ(c.brightness, 0);  // kept by channel
    PreviewConfig p;
    getPreviewConfig(nullptr, 2, &p);
    EXPECT_EQ(p.layoutMode, kept ? 2 : 6);
    getPreviewConfig(nullptr, 3, &p);
    EXPECT_EQ(p.layoutMode, 6);
    EventOutputConfig e{9, 9};
    getEventOutputConfig(nullptr, &e);
    EXPECT_EQ(e.output, kept ? 2 : 0);
    EXPECT_EQ(e.delay, kept ? 5 : 0);
    int strategy = 0;
    getPreviewStrategy(nullptr, 4, &strategy);
    EXPECT_EQ(strategy, kept ? 5 : 3);
    uint32_t g[2];
    getStartGuideFlag(nullptr, g);
    EXPECT_EQ(g[0], kept ? 0u : 1u);
  };
  expectKept(true);
  device_seam::resetKeptRecords();
  expectKept(false);
}

TEST_F(DeviceTest, LiveStateFollowsTheOperations) {
  int count = 0, first = 0;
  EXPECT_EQ(getLiveSplit(3, &count, &first), 0);
  EXPECT_EQ(count * 10 + first, 11);
  EXPECT_EQ(showLiveSplit(3, 9, 10), 0);
  EXPECT_EQ(showLiveChannel(3, 5), 0);
  getLiveSplit(3, &count, &first);
  EXPECT_EQ(count * 100 + first, 105);
  EXPECT_EQ(showPreviousSplit(3), 0);
  getLiveSplit(3, &count, &first);
  EXPECT_EQ(count * 100 + first, 910);
  getLiveSplit(1, &count, &first);  // per output
  EXPECT_EQ(count, 1);
  EXPECT_EQ(showLiveSplit(3, 7, 1), -1);
  EXPECT_EQ(showLiveChannel(3, 18), -1);
  EXPECT_EQ(getLiveSplit(8, &count, &first), -1);

  EXPECT_EQ(getLiveSequenceState(3), 0);
  startLiveSequence(3);
  EXPECT_EQ(getLiveSequenceState(3), 1);
  EXPECT_EQ(getLiveSequenceState(1), 0);
  stopLiveSequence(3);
  EXPECT_EQ(getLiveSequenceState(3), 0);

  EXPECT_EQ(startManualRecord(0, 0x5, 1), 0);
  EXPECT_EQ(startManualRecord(0, 0x100, 1), 0);
  EXPECT_EQ(stopManualRecord(0, 0x4, 1), 0);
  EXPECT_EQ(getRecordingChanMask(), 0x101u);
  EXPECT_EQ(hasLiveAudio(16) + hasLiveAudio(17) + hasLiveAudio(0), 1);
  EXPECT_EQ(openLiveAudio(17, -1, 0, 0, 0), -1);
  EXPECT_EQ(openLiveAudio(1, -1, 0, 0, 0), 0);
}

// Reference model of the live-view configuration an output starts with.
PreviewConfig modelPreview(int index) {
  PreviewConfig p{};
  bool configured = index >= 1;  // three outputs: every entry but the first
  p.layoutMode = configured ? 6 : 0;
  p.dwellCode = 1;
  for (auto& table : p.order)
    for (int w = 0; w < 64; ++w) table[w] = !configured ? 0 : w < 16 ? w : 255;
  return p;
}

TEST_F(DeviceTest, PreviewConfigOfEveryOutputIndexMatchesTheModel) {
  for (int index = 0; index < 8; ++index) {
    SCOPED_TRACE(index);
    PreviewConfig got;
    std::memset(&got, 0xAB, sizeof got);
    ASSERT_EQ(getPreviewConfig(nullptr, index, &got), 0);
    PreviewConfig want = modelPreview(index);
    EXPECT_EQ(got.layoutMode, want.layoutMode);
    EXPECT_EQ(got.audio, 0);
    EXPECT_EQ(got.dwellCode, want.dwellCode);
    EXPECT_EQ(std::memcmp(got.order, want.order, sizeof want.order), 0);
  }
  PreviewConfig untouched;
  std::memset(&untouched, 0xAB, sizeof untouched);
  EXPECT_EQ(getPreviewConfig(nullptr, -1, &untouched), -1);
  EXPECT_EQ(getPreviewConfig(nullptr, 8, &untouched), -1);
  EXPECT_EQ(untouched.layoutMode, 0xAB);
}

bool modelInvalidName(const std::string& s, int length) {
  for (int i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 128) {
      ++i;
      continue;
    }
    if (c && std::string("\\\"'%/:*?<>|").find(static_cast<char>(c)) != std::string::npos)
      return true;
  }
  return false;
}

TEST_F(DeviceTest, InvalidNameCharactersAgreeWithTheModelOnRandomText) {
  std::mt19937 rng(20);
  const std::string alphabet = std::string("ab1 _-\\\"'%/:*?<>|") + "\xB0\xA1\xD6\xD0";
  for (int round = 0; round < 5000; ++round) {
    std::string s(rng() % 12, ' ');
    for (char& c : s) c = alphabet[rng() % alphabet.size()];
    int length = s.empty() ? 0 : static_cast<int>(rng() % (s.size() + 1));
    ASSERT_EQ(hasInvalidNameChar(s.c_str(), length), modelInvalidName(s, length) ? 1 : 0)
        << "text " << s << " length " << length;
  }
  EXPECT_EQ(hasInvalidNameChar("\xC4/", 2), 0);  // "/" is a double-byte character's second byte
  EXPECT_EQ(hasInvalidNameChar("a/", 0), 0);
}

TEST_F(DeviceTest, UserTableAndDefaultRights) {
  UserConfig users;
  ASSERT_EQ(getUserConfig(nullptr, &users), 0);
  EXPECT_EQ(getUserConfig(nullptr, nullptr), 0);
  const UserRecord& admin = users.users[0];
  const UserRecord& guest = users.users[1];
  EXPECT_EQ(text(admin.name, 32) + "/" + text(admin.password, 16), "admin/73916");
  EXPECT_EQ(admin.rights, ~0u);
  EXPECT_EQ(admin.chanMasks[0], 0u);
  EXPECT_EQ(admin.chanMasks[8], ~0ull);
  EXPECT_EQ(guest.priority, 1u);
  EXPECT_EQ(guest.rights, 81940u);
  for (int m = 0; m < USER_MASK_COUNT; ++m)
    EXPECT_EQ(guest.chanMasks[m], m == USER_MASK_LOCAL_PLAY || m == USER_MASK_REMOTE_PLAY ? ~0ull : 0u);
  EXPECT_EQ(text(users.users[31].name, 32), "");

  UserRecord user;
  std::memset(&user, 0x77, sizeof user);
  ASSERT_EQ(setUserDefaultRights(&user, 1), 0);
  EXPECT_EQ(user.words[4], 0x77777777u);  // the record is cleared from byte 72 only
  EXPECT_EQ(user.words[5], 0u);
  EXPECT_EQ(user.rights, 880919u);
  EXPECT_EQ(user.chanMasks[0], ~0ull);
  EXPECT_EQ(user.closing, 0u);
  EXPECT_EQ(setUserDefaultRights(&user, 0), 0);
  EXPECT_EQ(user.rights, 81940u);
  EXPECT_EQ(user.chanMasks[USER_MASK_LOCAL_RECORD], 0u);
  EXPECT_EQ(user.chanMasks[USER_MASK_REMOTE_PLAY], ~0ull);
  EXPECT_EQ(user.priority, 0u);
  EXPECT_EQ(setUserDefaultRights(&user, 2), 0);
  EXPECT_EQ(user.rights, ~0u);
  EXPECT_EQ(setUserDefaultRights(nullptr, 2), -1);
}

TEST_F(DeviceTest, LoginChecksTheKeptUserTable) {
  int id = -5;
  EXPECT_EQ(loginDevice("admin", "73916", 0, 0, 0, &id, 0), 0);
  EXPECT_EQ(id, 0);
  id = -5;
  EXPECT_EQ(loginDevice("admin", "7391", 0, 0, 0, &id, 0), 1);
  EXPECT_EQ(loginDevice("admin", "739160", 0, 0, 0, &id, 0), 1);
  EXPECT_EQ(loginDevice("nobody", "73916", 0, 0, 0, &id, 0), 1);
  EXPECT_EQ(loginDevice("", "", 0, 0, 0, &id, 0), 1);  // not the empty records
  EXPECT_EQ(loginDevice(nullptr, "73916", 0, 0, 0, &id, 0), 1);
  EXPECT_EQ(id, -5);
  EXPECT_EQ(loginDevice("guest", "73916", 0, 0, 0, nullptr, 0), 0);

  UserConfig users;
  getUserConfig(nullptr, &users);
  std::snprintf(users.users[0].password, 16, "new");
  std::memcpy(users.users[2].name, "abcdefghijklmnopqrstuvwxyz012345", 32);  // no terminator
  std::snprintf(users.users[2].password, 16, "p");
  EXPECT_EQ(setUserConfig(nullptr, &users, 1), 0);
  EXPECT_EQ(loginDevice("admin", "73916", 0, 0, 0, &id, 0), 1);
  EXPECT_EQ(loginDevice("admin", "new", 0, 0, 0, &id, 0), 0);
  EXPECT_EQ(loginDevice("abcdefghijklmnopqrstuvwxyz012345", "p", 0, 0, 0, &id, 0), 0);
  EXPECT_EQ(loginDevice("abcdefghijklmnopqrstuvwxyz0123456", "p", 0, 0, 0, &id, 0), 1);
  EXPECT_EQ(logoutDevice(0), 0);
}

TEST_F(DeviceTest, RecordDefaults) {
  DeviceInfo info;
  ASSERT_EQ(getDeviceInfo(nullptr, &info), 0);
  EXPECT_EQ(text(info.name, 32), "Embedded Net DVR");
  EXPECT_EQ(info.countsC[1], 2);
  NetConfig net;
  ASSERT_EQ(getNetConfig(nullptr, &net), 0);
  EXPECT_EQ(net.interfaces[0].mtu, 1500u);
  EXPECT_EQ(net.interfaces[0].servicePort, 8000);
  EXPECT_EQ(net.rtspPort, 2000);
  EXPECT_EQ(getNetConfig(nullptr, nullptr), 0);

  AlarmInConfig alarm;
  EXPECT_EQ(getAlarmInConfig(nullptr, 0, 16, &alarm, 1), -1);
  EXPECT_EQ(getAlarmInConfig(nullptr, 0, 3, nullptr, 1), 0);
  EXPECT_EQ(getAlarmInConfig(nullptr, 33, 3, &alarm, 1), -1);
  ASSERT_EQ(getAlarmInConfig(nullptr, 0, 0, &alarm, 1), 0);
  EXPECT_EQ(text(alarm.name, 32), "Alarm Input1");
  EXPECT_EQ(alarm.handling, 1);
  EXPECT_EQ(alarm.patternNo[31], 1);

  DeviceTime now;
  EXPECT_EQ(getDeviceTime(nullptr, &now), 1);
  EXPECT_GE(now.year, 2024u);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);

  DiskInfo disks[DISK_LIST_ROWS];
  EXPECT_EQ(getDiskList(disks), 1);
  EXPECT_EQ(disks[0].readOnly, 1);
  EXPECT_EQ(getPtzProtocolList(), 3);
  PtzProtocol protocols[PTZ_PROTOCOL_MAX];
  ASSERT_EQ(readPtzProtocols(protocols, PTZ_PROTOCOL_MAX), 3);
  EXPECT_EQ(std::string(protocols[2].name), "PELCO-P");
  EXPECT_EQ(protocols[0].flag, 1u);

  char nic[8];
  convertNicName(1, "LAN2", nic, sizeof nic);
  EXPECT_STREQ(nic, "eth1");
  convertNicName(2, "eth0", nic, sizeof nic);
  EXPECT_STREQ(nic, "LAN1");
  convertNicName(1, "eth0", nic, sizeof nic);
  EXPECT_STREQ(nic, "eth0");
  convertNicName(3, "LAN1", nic, sizeof nic);
  EXPECT_STREQ(nic, "LAN1");
  convertNicName(1, "a-very-long-name", nic, sizeof nic);
  EXPECT_STREQ(nic, "a-very-");

  struct { int code; const char* name; } types[] = {
      {4096, "IPC"}, {65535, "IPC"}, {800, "DVS"}, {52, "DVS"}, {22300, "DVS"},
      {8192, "IP Dome"}, {12288, "DVR"}, {0, "DVR"}};
  for (auto& t : types) {
    char name[16];
    ASSERT_EQ(getDeviceTypeName(t.code, name, sizeof name), 0);
    EXPECT_STREQ(name, t.name) << t.code;
  }

  int w = 0, h = 0;
  getOutputResolution(0x0170, &w, &h);
  EXPECT_EQ(w * 10000 + h, 19201080);
  getOutputResolution(0, &w, &h);
  EXPECT_EQ(w * 10000 + h, 10240768);
  EXPECT_EQ(getLayoutKind(16), 6);
  EXPECT_EQ(getLayoutKind(17), -1);
  int flag = 5;
  EXPECT_EQ(getPlayViewSize(1, &w, &h, &flag, 3), 0);
  EXPECT_EQ(w * 10000 + h + flag, 3360240);
  EXPECT_EQ(getPlayViewSize(5, &w, &h, &flag, 3), -1);
}

TEST_F(DeviceTest, SeamOverridesAnswersAndLogsCallsInOrder) {
  device_seam::startCallLog();
  ChannelConfig forced{};
  forced.brightness = 42;
  device_seam::overrideAnswer(getChannelConfig, 7, &forced, sizeof forced);
  ChannelConfig got;
  EXPECT_EQ(getChannelConfig(nullptr, 3, &got), 7);
  EXPECT_EQ(got.brightness, 42);
  EXPECT_EQ(loginDevice("admin", "73916", 0, 0, 0, nullptr, 0), 0);
  EXPECT_EQ(startManualRecord(2, 0x10, 1), 0);
  EXPECT_EQ(getRecordingChanMask(), 0x10u);
  EXPECT_EQ(device_seam::callLog(),
            (std::vector<device_seam::Call>{{"getChannelConfig", {3}},
                                            {"loginDevice", {}},
                                            {"startManualRecord", {2, 0x10}},
                                            {"getRecordingChanMask", {}}}));

  device_seam::overrideAnswer(loginDevice, 1);
  EXPECT_EQ(loginDevice("admin", "73916", 0, 0, 0, nullptr, 0), 1);
  // An answer for one channel writes its own output; the others keep the
  // operation-wide one.
  ChannelConfig own{};
  own.brightness = 9;
  device_seam::overrideAnswerFor(getChannelConfig, {5}, 2, &own, sizeof own);
  EXPECT_EQ(getChannelConfig(nullptr, 5, &got), 2);
  EXPECT_EQ(got.brightness, 9);
  EXPECT_EQ(getChannelConfig(nullptr, 3, &got), 7);
  EXPECT_EQ(got.brightness, 42);
  device_seam::clearOverrides();
  EXPECT_EQ(getChannelConfig(nullptr, 3, &got), 0);
  EXPECT_EQ(got.brightness, 0);

  device_seam::resetAll();
  EXPECT_TRUE(device_seam::callLog().empty());
  EXPECT_EQ(getRecordingChanMask(), 0u);
  getChannelConfig(nullptr, 3, &got);
  EXPECT_TRUE(device_seam::callLog().empty());  // the log runs only when started
}

// An override is keyed by the function that enters the seam: one of any
// other function would change nothing, so the seam refuses it. Capability
// queries read the capability record, which a test changes instead.
TEST_F(DeviceTest, SeamRefusesOverridesThatWouldChangeNothing) {
  const int storage = hasCaptureSchedule();
  EXPECT_THROW(device_seam::overrideAnswer(hasPictureStorage, !storage), std::invalid_argument);
  EXPECT_THROW(device_seam::overrideAnswerFor(hasCaptureSchedule, {}, !storage), std::invalid_argument);
  EXPECT_EQ(hasCaptureSchedule(), storage);

  device_seam::startCallLog();
  getChannelNum();
  ASSERT_EQ(device_seam::callLog().size(), 1u);
  EXPECT_EQ(device_seam::callLog()[0].op, device_seam::Op(getChannelNum).name());
  EXPECT_EQ(device_seam::Op(getChannelNum).name(), "getChannelNum");
  EXPECT_DEATH(enteredAsAnother(), "enteredAsAnother enters as another operation");
}

}  // namespace

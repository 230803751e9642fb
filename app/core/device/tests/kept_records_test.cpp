// Set-then-get of every record the settings pages keep on the device: the
// get answers what was set, the call log shows the write, and restoring the
// defaults forgets it.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/device_caps.h"
#include "app/formatting.h"
#include "device_test_helpers.h"

namespace {

using device_seam::Call;

template <typename T>
bool same(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Sets `rec` through `set`, reads it back through `get` into a record full
// of another pattern, and answers whether the two agree.
template <typename T, typename Get, typename Set>
void roundTrip(const char* what, T rec, Get get, Set set) {
  SCOPED_TRACE(what);
  ASSERT_EQ(set(&rec), 0);
  T back;
  std::memset(&back, 0xA5, sizeof back);
  ASSERT_EQ(get(&back), 0);
  EXPECT_TRUE(same(back, rec));
}

template <typename T>
T zeroed() {
  T rec;
  std::memset(&rec, 0, sizeof rec);
  return rec;
}

bool logged(const std::vector<Call>& log, const std::string& op, std::vector<int64_t> args) {
  for (const Call& c : log)
    if (c == Call{op, args}) return true;
  return false;
}

TEST_F(DeviceTest, NetworkRecordsComeBackAsSet) {
  device_seam::startCallLog();
  NetConfig net;
  getNetConfig(nullptr, &net);
  net.interfaces[0].mtu = 1400;
  net.httpPort = 8080;
  net.pppoeEnabled = 1;
  std::snprintf(net.pppoeUser, sizeof net.pppoeUser, "dialer");
  roundTrip("net", net, [](NetConfig* p) { return getNetConfig(nullptr, p); },
            [](const NetConfig* p) { return setNetConfig(nullptr, p, 1); });

  // Kept aside by the check, saved by the save without arguments.
  net.httpPort = 8081;
  ASSERT_EQ(keepNetConfig(nullptr, &net), 0);
  NetConfig shown;
  getNetConfig(nullptr, &shown);
  EXPECT_EQ(shown.httpPort, 8080) << "not saved yet";
  net.interfaces[0].mtu = 100;
  EXPECT_EQ(keepNetConfig(nullptr, &net), NET_ERR_MTU);
  ASSERT_EQ(saveNetConfig(nullptr), 0);
  getNetConfig(nullptr, &shown);
  EXPECT_EQ(shown.httpPort, 8081);
  EXPECT_EQ(shown.interfaces[0].mtu, 1400u) << "the refused check kept nothing";
  EXPECT_EQ(saveNetConfig(nullptr), 0);

  auto adv = zeroed<NetAdvConfig>();
  std::snprintf(adv.ntpServer, sizeof adv.ntpServer, "pool.example.org");
  adv.ntpEnabled = 1, adv.ntpInterval = 10080, adv.ntpPort = 123, adv.ddnsEnabled = 1, adv.ddnsType = 3;
  std::snprintf(adv.ddns[3].domain, sizeof adv.ddns[3].domain, "yard.example.org");
  roundTrip("adv", adv, [](NetAdvConfig* p) { return getNetAdvConfig(nullptr, p); },
            [](const NetAdvConfig* p) { return setNetAdvConfig(nullptr, p, 1); });

  auto mail = zeroed<EmailConfig>();
  mail.smtpPort = 465, mail.ssl = 1, mail.attachPicture = 1, mail.pictureInterval = 4;
  std::snprintf(mail.receivers[1].address, 64, "guard@example.org");
  roundTrip("mail", mail, [](EmailConfig* p) { return getEmailConfig(nullptr, p); },
            [](const EmailConfig* p) { return setEmailConfig(nullptr, p, 1); });

  for (int server = 1; server <= getFtpServerNum(); ++server) {
    auto ftp = zeroed<FtpConfig>();
    ftp.enabled = 1, ftp.protocol = 2, ftp.port = 22 + server, ftp.dirStructure = 1, ftp.firstKind = 4;
    std::memset(ftp.firstName, 'd', sizeof ftp.firstName);  // a full field without terminator
    roundTrip("ftp", ftp, [server](FtpConfig* p) { return getFtpConfig(nullptr, server, p); },
              [server](const FtpConfig* p) { return setFtpConfig(nullptr, server, p, 1); });
  }
  FtpConfig first;
  getFtpConfig(nullptr, 1, &first);
  EXPECT_EQ(first.port, 23) << "each server keeps its own record";
  EXPECT_EQ(getFtpConfig(nullptr, 3, &first), -1);

  auto snmp = zeroed<SnmpConfig>();
  snmp.enabled = 1, snmp.version = 2, snmp.port = 161, snmp.trapPort = 162;
  roundTrip("snmp", snmp, [](SnmpConfig* p) { return getSnmpConfig(nullptr, p); },
            [](const SnmpConfig* p) { return setSnmpConfig(nullptr, p, 1); });

  const auto log = device_seam::callLog();
  EXPECT_TRUE(logged(log, "setNetConfig", {1400, 2}));
  EXPECT_TRUE(logged(log, "setNetAdvConfig", {1, 1}));
  EXPECT_TRUE(logged(log, "setEmailConfig", {465}));
  EXPECT_TRUE(logged(log, "setFtpConfig", {2, 24}));
  EXPECT_TRUE(logged(log, "setSnmpConfig", {161, 162}));
}

TEST_F(DeviceTest, AlarmAndEventRecordsComeBackAsSet) {
  device_seam::startCallLog();
  AlarmInConfig in;
  ASSERT_EQ(getAlarmInConfig(nullptr, 2, 7, &in, 1), 0);
  EXPECT_EQ(std::string(in.name), "Alarm Input8");
  std::snprintf(in.name, sizeof in.name, "Back door");
  in.alarmType = 1, in.linkage.actions = LINK_AUDIO | LINK_EMAIL, in.recordChanMask = 0x8001;
  in.schedule[6][7] = TimeSegment{22, 0, 24, 0};
  roundTrip("alarm in", in, [](AlarmInConfig* p) { return getAlarmInConfig(nullptr, 2, 7, p, 1); },
            [](const AlarmInConfig* p) { return setAlarmInConfig(nullptr, 2, 7, p, 1); });
  AlarmInConfig other;
  getAlarmInConfig(nullptr, 0, 7, &other, 1);
  EXPECT_EQ(std::string(other.name), "Alarm Input8") << "a local input is another record";

  auto out = zeroed<AlarmOutConfig>();
  std::snprintf(out.name, sizeof out.name, "Siren");
  out.delay = ALARM_OUT_DELAY_MANUAL;
  roundTrip("alarm out", out, [](AlarmOutConfig* p) { return getAlarmOutConfig(nullptr, 0, 3, p, 1); },
            [](const AlarmOutConfig* p) { return setAlarmOutConfig(nullptr, 0, 3, p, 1); });
  EXPECT_EQ(getAlarmOutConfig(nullptr, 0, 4, &out, 1), -1) << "four local outputs";

  struct Holiday {
    TimeSegment seg[HOLIDAY_SEGMENTS];
  } holiday{};
  holiday.seg[0] = {8, 30, 17, 45};
  roundTrip("alarm holiday", holiday, [](Holiday* p) { return getAlarmHolidaySched(nullptr, 2, 259, p->seg, 1); },
            [](const Holiday* p) { return setAlarmHolidaySched(nullptr, 2, 259, p->seg, 1); });
  roundTrip("camera holiday", holiday, [](Holiday* p) { return getHolidaySegments(nullptr, 4, 5, p->seg); },
            [](const Holiday* p) { return setHolidaySegments(nullptr, 4, 5, p->seg); });
  Holiday motion;
  ASSERT_EQ(getHolidaySegments(nullptr, 4, 3, motion.seg), 0);
  EXPECT_EQ(motion.seg[0].endHour, 0) << "each kind keeps its own segments";
  EXPECT_EQ(getHolidaySegments(nullptr, 4, 6, motion.seg), -1);

  AlarmRecordLink link{};
  link.chanMask = 0xF0F0;
  link.reserved[23] = 7;
  roundTrip("record link", link, [](AlarmRecordLink* p) { return getAlarmRecordLink(nullptr, 8, 2, p, 1); },
            [](const AlarmRecordLink* p) { return setAlarmRecordLink(nullptr, 8, 2, p, 1); });

  auto table = zeroed<ExceptionLinkageTable>();
  table.entries[12].actions = LINK_ALARM_OUT, table.entries[12].localOutputs = 5, table.entries[12].ipOutputs[31] = 2;
  roundTrip("exceptions", table, [](ExceptionLinkageTable* p) { return getExceptionConfig(nullptr, p); },
            [](const ExceptionLinkageTable* p) { return setExceptionConfig(nullptr, p); });

  ASSERT_EQ(setRecordChanMask(nullptr, 5, 1, 0x30), 0);
  uint64_t mask = 0;
  ASSERT_EQ(getRecordChanMask(nullptr, 5, 1, &mask), 0);
  EXPECT_EQ(mask, 0x30u);

  const auto log = device_seam::callLog();
  EXPECT_TRUE(logged(log, "setAlarmInConfig", {2, 7, 1}));
  EXPECT_TRUE(logged(log, "setAlarmOutConfig", {0, 3, ALARM_OUT_DELAY_MANUAL}));
  EXPECT_TRUE(logged(log, "setAlarmHolidaySched", {2, 259}));
  EXPECT_TRUE(logged(log, "setAlarmRecordLink", {8, 2, 0xF0F0}));
  EXPECT_TRUE(logged(log, "setRecordChanMask", {5, 1, 0x30}));
}

TEST_F(DeviceTest, SystemRecordsComeBackAsSetAndDefaultsForgetThem) {
  auto serial = zeroed<Rs232Config>();
  serial.baudRate = 9, serial.dataBits = 3, serial.parity = 2, serial.use = 2;
  roundTrip("serial", serial, [](Rs232Config* p) { return getRs232Config(nullptr, p); },
            [](const Rs232Config* p) { return setRs232Config(nullptr, p, 1); });

  // The clock runs on from the time set, in the zone set.
  const DeviceTime set{2031, 2, 28, 23, 59, 0, 5, 30};
  ASSERT_EQ(setDeviceTime(nullptr, &set), 0);
  DeviceTime now;
  ASSERT_EQ(getDeviceTime(nullptr, &now), 1);
  EXPECT_EQ(now.year, 2031u);
  EXPECT_EQ(now.month, 2u);
  EXPECT_EQ(now.zoneHours, 5);
  EXPECT_EQ(now.zoneMinutes, 30);
  const DeviceTime bad{2031, 13, 1, 0, 0, 0, 0, 0};
  EXPECT_EQ(setDeviceTime(nullptr, &bad), -1);

  DeviceConfig config;
  getDeviceConfig(nullptr, &config);
  config.deviceNumber = 42;
  ASSERT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  ASSERT_EQ(restoreDefaults(nullptr, 1), 0);
  getDeviceConfig(nullptr, &config);
  EXPECT_EQ(config.deviceNumber, 255u);
  // A fresh port as the serial page offers first: 9600 baud, 8 bits, the
  // parameter console.
  getRs232Config(nullptr, &serial);
  EXPECT_EQ(serial.baudRate, 9);
  EXPECT_EQ(serial.dataBits, 3);
  EXPECT_EQ(serial.parity, 0);
  EXPECT_EQ(serial.use, 1);
}

// A name that fills the field comes back terminated in every copy.
TEST_F(DeviceTest, FullDeviceNameIsTerminatedWhereverItIsRead) {
  DeviceConfig config;
  getDeviceConfig(nullptr, &config);
  std::memset(config.name, 'N', sizeof config.name);
  ASSERT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  DeviceConfig back;
  getDeviceConfig(nullptr, &back);
  EXPECT_EQ(strnlen(back.name, sizeof back.name), 31u);
  DeviceInfo info;
  getDeviceInfo(nullptr, &info);
  EXPECT_EQ(std::string(info.name), std::string(31, 'N'));
}

TEST_F(DeviceTest, SecurityCodesAreRefusedAndPasswordsCompareOverSixteenBytes) {
  UserConfig users;
  getUserConfig(nullptr, &users);
  std::snprintf(users.users[0].password, 16, "changed");
  std::snprintf(users.users[3].name, 32, "night_shift");
  ASSERT_EQ(setUserConfig(nullptr, &users, 1), 0);
  EXPECT_EQ(loginDevice("admin", "73916", 0, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(resetDefaultPassword(0, "code"), DEVICE_ERR_SECURITY_CODE);
  EXPECT_EQ(resetDefaultPassword(0, ""), DEVICE_ERR_SECURITY_CODE);
  EXPECT_EQ(loginDevice("admin", "73916", 0, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(loginDevice("admin", "changed", 0, 0, 0, nullptr, 0), 0);
  getUserConfig(nullptr, &users);
  EXPECT_EQ(std::string(users.users[3].name), "night_shift");
  EXPECT_EQ(resetDefaultPassword(0, nullptr), -1);
  // A password filling its 16 bytes has no terminator and still logs in;
  // a longer text or an unknown name does not.
  std::memcpy(users.users[0].password, "0123456789abcdef", 16);
  ASSERT_EQ(setUserConfig(nullptr, &users, 1), 0);
  int id = -1;
  EXPECT_EQ(loginDevice("admin", "0123456789abcdef", 0, 0, 0, &id, 0), 0);
  EXPECT_EQ(id, 0);
  EXPECT_EQ(loginDevice("admin", "0123456789abcdefX", 0, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(loginDevice("nobody", "0123456789abcdef", 0, 0, 0, nullptr, 0), 1);
}

TEST_F(DeviceTest, LogsOutputsAndCamerasAnswerAsTheDeviceHasThem) {
  LogSearchState state;
  EXPECT_EQ(findLogs(65535, 65535, 0, ~0u, &state), -1);
  EXPECT_EQ(state.count, -1);
  LogRecord rec;
  getLogRecord(&rec, &state, 1, 0);
  EXPECT_EQ(rec.major, 3);
  EXPECT_EQ(rec.minor, 85);
  EXPECT_EQ(rec.channel, 1);
  EXPECT_EQ(rec.infoKind, 1);
  char host[LOG_HOST_TEXT_SIZE];
  EXPECT_EQ(getLogHostText(0, host, sizeof host), 0);
  EXPECT_STREQ(host, "");
  EXPECT_EQ(getLogHostText(2, host, sizeof host), -1);
  device_seam::keepLogHostText(2, "10.1.2.3");
  EXPECT_EQ(getLogHostText(2, host, 6), 0);
  EXPECT_STREQ(host, "10.1.");

  triggerLocalAlarmOut(0, 2);
  triggerLocalAlarmOut(0, 40);  // no such output
  EXPECT_EQ(getLocalAlarmOutMask(), 4u);
  AlarmOutStatus status;
  getAlarmOutStatus(2, &status);
  EXPECT_EQ(status.active, 1);
  triggerAllAlarmOuts(0);
  EXPECT_EQ(getLocalAlarmOutMask(), 15u);
  clearLocalAlarmOut(0, 0);
  EXPECT_EQ(getLocalAlarmOutMask(), 14u);
  EXPECT_EQ(setIpAlarmOutState(0, 3, 1, 0, 1), 0);
  EXPECT_EQ(getIpAlarmOutMask(3), 0xFFFD);
  clearAllAlarmOuts(0);
  EXPECT_EQ(getLocalAlarmOutMask() | static_cast<uint32_t>(getIpAlarmOutMask(3)), 0u);
  EXPECT_EQ(setIpAlarmOutState(0, 33, 0, 1, 1), -1);

  EXPECT_EQ(getIpChannelNum(nullptr), 0);
  IpChannelInfo camera{};
  std::snprintf(reinterpret_cast<char*>(camera.bytes), 64, "10.0.0.9");
  ChannelConfig channel{};
  EXPECT_EQ(setChannelConfig(nullptr, 17, &channel, 1), -1);
  ASSERT_EQ(addIpChannel(nullptr, 1, &camera), 0);
  uint64_t mask = 0;
  EXPECT_EQ(getIpChannelNum(&mask), 1);
  EXPECT_EQ(mask, 1u);
  IpChannelInfo back;
  EXPECT_EQ(getIpChannelInfo(1, &back, 0), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(back.bytes)), "10.0.0.9");
  EXPECT_EQ(getIpChannelInfo(2, &back, 0), 1);
  EXPECT_EQ(setChannelConfig(nullptr, 17, &channel, 1), 0) << "IP channel 1 is channel 17";
  EXPECT_EQ(addIpChannel(nullptr, 2, &camera), -1) << "one IP channel on this device";
}

TEST_F(DeviceTest, MotionReportsReachTheRegisteredCallBack) {
  static int reported = -1;
  static uint32_t firstRow = 0;
  const uint32_t rows[MOTION_PREVIEW_ROWS] = {0x3FFFFF};
  EXPECT_FALSE(device_seam::reportMotion(1, rows));
  ASSERT_EQ(setMotionStatusCallback([](int channel, const uint32_t* masks) {
              reported = channel;
              firstRow = masks[0];
              return 0;
            }),
            0);
  EXPECT_TRUE(device_seam::reportMotion(6, rows));
  EXPECT_EQ(reported, 6);
  EXPECT_EQ(firstRow, 0x3FFFFFu);
  setMotionStatusCallback(nullptr);
  EXPECT_FALSE(device_seam::reportMotion(6, rows));
}

TEST_F(DeviceTest, AddressTextsGoBothWays) {
  char text[NET_ADDRESS_TEXT_SIZE];
  NetAddress a;
  ASSERT_EQ(textToNetAddress("192.168.7.1", &a), 0);
  ASSERT_EQ(ipv4ToText(a.ipv4, text, sizeof text), 0);
  EXPECT_STREQ(text, "192.168.7.1");
  EXPECT_EQ(a.ipv6, 0u);
  ASSERT_EQ(ipv6ToText(a.ipv6, text, sizeof text), 0);
  EXPECT_STREQ(text, "::");
  NetAddress b, c;
  ASSERT_EQ(textToNetAddress("fe80::1", &b), 0);
  ASSERT_EQ(textToNetAddress("2001:db8::7", &c), 0);
  ASSERT_EQ(textToNetAddress("fe80::1", &a), 0);
  EXPECT_EQ(a.ipv6, b.ipv6) << "one text, one reference";
  EXPECT_NE(b.ipv6, c.ipv6);
  ASSERT_EQ(ipv6ToText(c.ipv6, text, sizeof text), 0);
  EXPECT_STREQ(text, "2001:db8::7");
  for (const char* bad : {"", "300.1.1.1", "1.2.3", "fe80:::1", "host"}) EXPECT_LT(textToNetAddress(bad, &a), 0) << bad;
  EXPECT_EQ(ipv6ToText(99, text, sizeof text), -1);
  EXPECT_EQ(ipv4ToText(0, nullptr, 4), -1);
}

TEST_F(DeviceTest, ZoneTableRulesAndConversions) {
  ASSERT_NE(getZoneRow(33), nullptr);
  EXPECT_EQ(getZoneRow(33)->hours, 13);
  EXPECT_EQ(getZoneRow(34), nullptr);
  EXPECT_EQ(getZoneRow(-1), nullptr);
  ZoneDstRule rule;
  ASSERT_EQ(getZoneDstRule(15, &rule), 0);
  EXPECT_EQ(rule.start[0], 3);
  EXPECT_EQ(rule.end[0], 10);
  ASSERT_EQ(getZoneDstRule(27, &rule), 0);
  EXPECT_EQ(rule.biasMinutes, 0u) << "no rule: all zero";
  EXPECT_EQ(getZoneDstRule(34, &rule), -1);
  // 23:30 on 29 February at +8:00 is 15:30 UTC, 21:00 at +5:30 and 4:30 on
  // 1 March at +13:00.
  int t[6] = {2028, 2, 29, 23, 30, 0};
  ASSERT_EQ(convertZoneTime(27, 14, t), 0);
  EXPECT_EQ(std::vector<int>(t, t + 6), (std::vector<int>{2028, 2, 29, 15, 30, 0}));
  ASSERT_EQ(convertZoneTime(14, 22, t), 0);
  EXPECT_EQ(std::vector<int>(t, t + 6), (std::vector<int>{2028, 2, 29, 21, 0, 0}));
  ASSERT_EQ(convertZoneTime(22, 33, t), 0);
  EXPECT_EQ(std::vector<int>(t, t + 6), (std::vector<int>{2028, 3, 1, 4, 30, 0}));
  EXPECT_EQ(convertZoneTime(0, 34, t), -1);
}

}  // namespace

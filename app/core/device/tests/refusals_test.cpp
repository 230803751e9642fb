// Every refusal of the settings records: the operation answers the code the
// pages show, and the device keeps the record it had, byte for byte.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "device_test_helpers.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <typename T>
Bytes bytesOf(const T& rec) {
  const auto* p = reinterpret_cast<const uint8_t*>(&rec);
  return Bytes(p, p + sizeof rec);
}

struct Refusal {
  std::string name;
  std::function<void()> keepGood;  // a set that passes, so the kept record is not the default
  std::function<Bytes()> read;
  std::function<int()> setBad;
  int code;
};

template <typename T>
struct Access {
  std::function<int(T*)> get;
  std::function<int(const T*)> set;
  std::function<void(T&)> good;
};

template <typename T>
Refusal refusal(const Access<T>& a, std::string name, std::function<void(T&)> spoil, int code) {
  Refusal r;
  r.name = std::move(name);
  r.keepGood = [a] {
    T rec;
    ASSERT_EQ(a.get(&rec), 0);
    a.good(rec);
    ASSERT_EQ(a.set(&rec), 0);
  };
  r.read = [a] {
    T rec;
    std::memset(&rec, 0x5A, sizeof rec);
    EXPECT_EQ(a.get(&rec), 0);
    return bytesOf(rec);
  };
  r.setBad = [a, spoil] {
    T rec;
    a.get(&rec);
    spoil(rec);
    return a.set(&rec);
  };
  r.code = code;
  return r;
}

uint32_t ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  const uint8_t bytes[4] = {a, b, c, d};
  uint32_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// A fixed address on the first interface, so the address checks run.
void staticAddress(NetConfig& n) {
  n.dhcp[0] = 0;
  n.interfaces[0].ipv4 = ip(192, 168, 1, 64);
  n.interfaces[0].mask = ip(255, 255, 255, 0);
  n.interfaces[0].gateway = ip(192, 168, 1, 1);
}

const Access<NetConfig> kNet{[](NetConfig* p) { return getNetConfig(nullptr, p); },
                             [](const NetConfig* p) { return setNetConfig(nullptr, p, 1); },
                             [](NetConfig& n) {
                               staticAddress(n);
                               n.interfaces[0].mtu = 1400;
                               n.httpPort = 80;
                             }};

std::vector<Refusal> netRefusals() {
  auto addr = [](std::function<void(NetConfig&)> f) {
    return [f](NetConfig& n) {
      staticAddress(n);
      f(n);
    };
  };
  return {
      refusal<NetConfig>(kNet, "mtu 499", [](NetConfig& n) { n.interfaces[0].mtu = 499; }, NET_ERR_MTU),
      refusal<NetConfig>(kNet, "mtu 9677", [](NetConfig& n) { n.interfaces[0].mtu = 9677; }, NET_ERR_MTU),
      refusal<NetConfig>(kNet, "no address", addr([](NetConfig& n) { n.interfaces[0].ipv4 = 0; }), NET_ERR_IPV4),
      refusal<NetConfig>(kNet, "multicast address",
                         addr([](NetConfig& n) { n.interfaces[0].ipv4 = ip(230, 1, 1, 1); }), NET_ERR_IPV4),
      refusal<NetConfig>(kNet, "loopback",
                         addr([](NetConfig& n) {
                           n.interfaces[0].ipv4 = ip(127, 0, 0, 5);
                         }),
                         NET_ERR_IPV4_LOOPBACK),
      refusal<NetConfig>(kNet, "host zero",
                         addr([](NetConfig& n) { n.interfaces[0].ipv4 = ip(192, 168, 1, 0); }), NET_ERR_HOST_ZERO),
      refusal<NetConfig>(kNet, "broadcast",
                         addr([](NetConfig& n) { n.interfaces[0].ipv4 = ip(192, 168, 1, 255); }),
                         NET_ERR_HOST_BROADCAST),
      refusal<NetConfig>(kNet, "mask 0", addr([](NetConfig& n) { n.interfaces[0].mask = 0; }), NET_ERR_MASK),
      refusal<NetConfig>(kNet, "mask with a gap",
                         addr([](NetConfig& n) { n.interfaces[0].mask = ip(255, 0, 255, 0); }), NET_ERR_MASK_VALUE),
      refusal<NetConfig>(kNet, "gateway multicast",
                         addr([](NetConfig& n) { n.interfaces[0].gateway = ip(224, 0, 0, 1); }), NET_ERR_GATEWAY),
      refusal<NetConfig>(kNet, "gateway loopback",
                         addr([](NetConfig& n) { n.interfaces[0].gateway = ip(127, 0, 0, 1); }),
                         NET_ERR_GATEWAY_LOOPBACK),
      refusal<NetConfig>(kNet, "preferred dns", [](NetConfig& n) { n.dns1.ipv4 = ip(127, 0, 0, 1); },
                         NET_ERR_PREFERRED_DNS),
      refusal<NetConfig>(kNet, "alternate dns", [](NetConfig& n) { n.dns2.ipv4 = ip(240, 1, 1, 1); },
                         NET_ERR_ALTERNATE_DNS),
      refusal<NetConfig>(kNet, "pppoe without user", [](NetConfig& n) { n.pppoeEnabled = 1; }, NET_ERR_PPPOE_USER),
      refusal<NetConfig>(kNet, "multicast field", [](NetConfig& n) { n.multicast.ipv4 = ip(10, 0, 0, 1); },
                         NET_ERR_MULTICAST),
      refusal<NetConfig>(kNet, "service port 1999", [](NetConfig& n) { n.interfaces[0].servicePort = 1999; },
                         NET_ERR_SERVICE_PORT),
      refusal<NetConfig>(kNet, "http 23", [](NetConfig& n) { n.httpPort = 23; }, NET_ERR_HTTP_PORT),
      refusal<NetConfig>(kNet, "rtsp 555", [](NetConfig& n) { n.rtspPort = 555; }, NET_ERR_RTSP_PORT),
      refusal<NetConfig>(kNet, "http on the service port", [](NetConfig& n) { n.httpPort = 8000; },
                         NET_ERR_PORT_CLASH),
      refusal<NetConfig>(kNet, "https on rtsp",
                         [](NetConfig& n) {
                           n.httpsEnabled = 1;
                           n.httpsPort = 2000;
                         },
                         NET_ERR_PORT_CLASH),
  };
}

const Access<NetAdvConfig> kAdv{[](NetAdvConfig* p) { return getNetAdvConfig(nullptr, p); },
                                [](const NetAdvConfig* p) { return setNetAdvConfig(nullptr, p, 1); },
                                [](NetAdvConfig& a) {
                                  a.ntpEnabled = 1;
                                  a.ntpInterval = 60;
                                  a.ntpPort = 123;
                                }};
const Access<EmailConfig> kMail{[](EmailConfig* p) { return getEmailConfig(nullptr, p); },
                                [](const EmailConfig* p) { return setEmailConfig(nullptr, p, 1); },
                                [](EmailConfig& m) {
                                  m.smtpPort = 25;
                                  std::snprintf(m.senderAddress, sizeof m.senderAddress, "dvr@example.org");
                                }};
const Access<FtpConfig> kFtp{[](FtpConfig* p) { return getFtpConfig(nullptr, 2, p); },
                             [](const FtpConfig* p) { return setFtpConfig(nullptr, 2, p, 1); },
                             [](FtpConfig& f) {
                               f.enabled = 1;
                               f.port = 21;
                               f.dirStructure = 2;
                               f.firstKind = 1;
                               f.secondKind = 2;
                             }};
const Access<SnmpConfig> kSnmp{[](SnmpConfig* p) { return getSnmpConfig(nullptr, p); },
                               [](const SnmpConfig* p) { return setSnmpConfig(nullptr, p, 1); },
                               [](SnmpConfig& s) {
                                 s.enabled = 1;
                                 s.port = 161;
                                 s.trapPort = 162;
                               }};

std::vector<Refusal> serviceRefusals() {
  return {
      refusal<NetAdvConfig>(kAdv, "ntp interval 0", [](NetAdvConfig& a) { a.ntpInterval = 0; }, NET_ERR_NTP_INTERVAL),
      refusal<NetAdvConfig>(kAdv, "ntp interval 10081", [](NetAdvConfig& a) { a.ntpInterval = 10081; },
                            NET_ERR_NTP_INTERVAL),
      refusal<NetAdvConfig>(kAdv, "ntp port 0", [](NetAdvConfig& a) { a.ntpPort = 0; }, NET_ERR_NTP_PORT),
      refusal<EmailConfig>(kMail, "smtp port 65536", [](EmailConfig& m) { m.smtpPort = 65536; }, NET_ERR_SMTP_PORT),
      refusal<EmailConfig>(kMail, "sender without @",
                           [](EmailConfig& m) { std::snprintf(m.senderAddress, 64, "nobody"); },
                           NET_ERR_SENDER_ADDR),
      refusal<EmailConfig>(kMail, "third receiver",
                           [](EmailConfig& m) { std::snprintf(m.receivers[2].address, 64, "a@"); },
                           NET_ERR_RECEIVER_ADDR),
      refusal<FtpConfig>(kFtp, "ftp port", [](FtpConfig& f) { f.port = -1; }, NET_ERR_FTP_PORT),
      refusal<FtpConfig>(kFtp, "first name empty", [](FtpConfig& f) { f.firstKind = FTP_FIRST_CUSTOM; },
                         NET_ERR_FTP_FIRST_EMPTY),
      refusal<FtpConfig>(kFtp, "first name with /",
                         [](FtpConfig& f) {
                           f.firstKind = FTP_FIRST_CUSTOM;
                           std::snprintf(f.firstName, sizeof f.firstName, "a/b");
                         },
                         NET_ERR_FTP_FIRST_NAME),
      refusal<FtpConfig>(kFtp, "second name empty", [](FtpConfig& f) { f.secondKind = FTP_SECOND_CUSTOM; },
                         NET_ERR_FTP_SECOND_EMPTY),
      refusal<FtpConfig>(kFtp, "second name with *",
                         [](FtpConfig& f) {
                           f.secondKind = FTP_SECOND_CUSTOM;
                           std::memset(f.secondName, '*', sizeof f.secondName);  // full, no terminator
                         },
                         NET_ERR_FTP_SECOND_NAME),
      refusal<SnmpConfig>(kSnmp, "snmp port 0", [](SnmpConfig& s) { s.port = 0; }, NET_ERR_SNMP_PORT),
      refusal<SnmpConfig>(kSnmp, "trap port 0", [](SnmpConfig& s) { s.trapPort = 0; }, NET_ERR_TRAP_PORT),
      refusal<SnmpConfig>(kSnmp, "snmp on the service port", [](SnmpConfig& s) { s.port = 8000; },
                          NET_ERR_PORT_CLASH),
  };
}

const Access<DeviceConfig> kDevice{[](DeviceConfig* p) { return getDeviceConfig(nullptr, p); },
                                   [](const DeviceConfig* p) { return setDeviceConfig(nullptr, p, 1); },
                                   [](DeviceConfig& d) { d.deviceNumber = 12; }};
const Access<UserConfig> kUsers{[](UserConfig* p) { return getUserConfig(nullptr, p); },
                                [](const UserConfig* p) { return setUserConfig(nullptr, p, 1); },
                                [](UserConfig& u) { std::snprintf(u.users[2].name, 32, "night_shift"); }};
const Access<AlarmInConfig> kAlarmIn{[](AlarmInConfig* p) { return getAlarmInConfig(nullptr, 0, 3, p, 1); },
                                     [](const AlarmInConfig* p) { return setAlarmInConfig(nullptr, 0, 3, p, 1); },
                                     [](AlarmInConfig& a) { a.alarmType = 1; }};
const Access<AlarmOutConfig> kAlarmOut{[](AlarmOutConfig* p) { return getAlarmOutConfig(nullptr, 0, 1, p, 1); },
                                       [](const AlarmOutConfig* p) { return setAlarmOutConfig(nullptr, 0, 1, p, 1); },
                                       [](AlarmOutConfig& a) { a.delay = 3; }};
const Access<PreviewConfig> kPreview{[](PreviewConfig* p) { return getPreviewConfig(nullptr, 1, p); },
                                     [](const PreviewConfig* p) { return setPreviewConfig(nullptr, 1, p); },
                                     [](PreviewConfig& p) { p.layoutMode = 2; }};
const Access<EventOutputConfig> kEvent{[](EventOutputConfig* p) { return getEventOutputConfig(nullptr, p); },
                                       [](const EventOutputConfig* p) { return setEventOutputConfig(nullptr, p); },
                                       [](EventOutputConfig& e) {
                                         e.output = 3;
                                         e.delay = 4;
                                       }};

std::vector<Refusal> systemRefusals() {
  return {
      refusal<DeviceConfig>(kDevice, "device number 0", [](DeviceConfig& d) { d.deviceNumber = 0; },
                            DEVICE_ERR_DEVICE_NUMBER),
      refusal<DeviceConfig>(kDevice, "device number 256", [](DeviceConfig& d) { d.deviceNumber = 256; },
                            DEVICE_ERR_DEVICE_NUMBER),
      refusal<DeviceConfig>(kDevice, "device number 9999", [](DeviceConfig& d) { d.deviceNumber = 9999; },
                            DEVICE_ERR_DEVICE_NUMBER),
      refusal<DeviceConfig>(kDevice, "device name with :",
                            [](DeviceConfig& d) { std::snprintf(d.name, sizeof d.name, "Gate:2"); }, DEVICE_ERR_NAME),
      refusal<DeviceConfig>(kDevice, "summer time in one month",
                            [](DeviceConfig& d) {
                              d.dstEnabled = 1;
                              d.dstStart[0] = d.dstEnd[0] = 4;
                            },
                            DEVICE_ERR_DST_SAME_MONTH),
      refusal<UserConfig>(kUsers, "no administrator name", [](UserConfig& u) { u.users[0].name[0] = '\0'; },
                          USER_ERR_NAME_EMPTY),
      refusal<UserConfig>(kUsers, "administrator demoted", [](UserConfig& u) { u.users[0].priority = 1; },
                          USER_ERR_NAME_EMPTY),
      refusal<UserConfig>(kUsers, "two guests", [](UserConfig& u) { std::snprintf(u.users[5].name, 32, "guest"); },
                          USER_ERR_NAME_USED),
      refusal<UserConfig>(kUsers, "user name with ?",
                          [](UserConfig& u) { std::snprintf(u.users[4].name, 32, "who?"); }, USER_ERR_NAME_CHARS),
      refusal<AlarmInConfig>(kAlarmIn, "input name with |",
                             [](AlarmInConfig& a) { std::snprintf(a.name, 32, "door|1"); }, DEVICE_ERR_NAME),
      refusal<AlarmOutConfig>(kAlarmOut, "output name with <",
                              [](AlarmOutConfig& a) { std::snprintf(a.name, 32, "siren<"); }, DEVICE_ERR_NAME),
      refusal<PreviewConfig>(kPreview, "layout mode 200", [](PreviewConfig& p) { p.layoutMode = 200; }, -1),
      refusal<PreviewConfig>(kPreview, "channel 77 twice",
                             [](PreviewConfig& p) { p.order[2][0] = p.order[2][1] = 76; }, -1),
      refusal<PreviewConfig>(kPreview, "channel 5 twice", [](PreviewConfig& p) { p.order[6][20] = 4; }, -1),
      refusal<EventOutputConfig>(kEvent, "output 99", [](EventOutputConfig& e) { e.output = 99; }, -1),
  };
}

void runRefusals(const std::vector<Refusal>& rows) {
  for (const Refusal& r : rows) {
    SCOPED_TRACE(r.name);
    device_seam::resetKeptRecords();
    r.keepGood();
    const Bytes before = r.read();
    EXPECT_EQ(r.setBad(), r.code);
    EXPECT_EQ(r.read(), before) << "the old record stays whole";
  }
}

TEST_F(DeviceTest, NetworkRecordRefusals) { runRefusals(netRefusals()); }
TEST_F(DeviceTest, NetworkServiceRefusals) { runRefusals(serviceRefusals()); }
TEST_F(DeviceTest, SystemAndAlarmRefusals) { runRefusals(systemRefusals()); }

// Two interfaces on one address clash only where the device has two.
TEST_F(DeviceTest, TwoInterfacesMayNotShareAnAddress) {
  NetConfig n;
  getNetConfig(nullptr, &n);
  staticAddress(n);
  n.interfaces[1] = n.interfaces[0];
  n.dhcp[1] = 0;
  EXPECT_EQ(setNetConfig(nullptr, &n, 1), 0) << "one interface: the second is not checked";
  ability().nicNum = 2;
  EXPECT_EQ(setNetConfig(nullptr, &n, 1), NET_ERR_ADDRESS_CLASH);
  n.interfaces[1].ipv4 = ip(192, 168, 1, 65);
  EXPECT_EQ(setNetConfig(nullptr, &n, 1), 0);
  EXPECT_EQ(checkNetConfig(nullptr, nullptr), -1);
}

// Records of channels the device does not have are neither kept nor shown.
TEST_F(DeviceTest, ChannelRecordsOnlyForChannelsTheDeviceHas) {
  ChannelConfig config{};
  const ColorSetRecord colour{9, 9, 9, 9, 9, 9, 9, 9};
  for (int channel : {-7, 0, 17, 81, 99999, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(channel);
    EXPECT_EQ(setChannelConfig(nullptr, channel, &config, 1), -1);
    ChannelConfig read;
    std::memset(&read, 0x5A, sizeof read);
    EXPECT_NE(getChannelConfig(nullptr, channel, &read), 0);
    EXPECT_EQ(read.name[0], '\0');  // no made-up record
    EXPECT_EQ(setColorConfig(channel, &colour), -1);
    ColorSetRecord seen;
    EXPECT_FALSE(device_seam::appliedColor(channel, &seen));
  }
  EXPECT_EQ(setChannelConfig(nullptr, 16, &config, 1), 0);
  // An IP channel counts once the device has it.
  const uint64_t mask = 1;  // IP channel 1 = channel 17
  device_seam::overrideAnswer(getIpChannelNum, 1, &mask, sizeof mask);
  EXPECT_EQ(setChannelConfig(nullptr, 17, &config, 1), 0);
  EXPECT_EQ(getChannelConfig(nullptr, 17, &config), 0);
  EXPECT_EQ(setColorConfig(17, &colour), 0);
  EXPECT_EQ(setChannelConfig(nullptr, 18, &config, 1), -1);
}

}  // namespace

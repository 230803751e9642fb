// The network settings window on the simulated device, driven through its
// controls' messages while the desktop thread runs: each refusal code's box
// or hint with its style and focus, the host tab's check order and reboot
// question, edits surviving Apply and reopening, and the pictures of the
// tabs.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/alarmnet_pages.h"
#include "app/core/menus/submenu.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/alarmnet/network/tests/netset_steps.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using namespace netsteps;

enum : int {
  kMode = 20272, kSelect, kType, kDhcp, kIpv4, kMaskV4, kGatewayV4, kIpv6, kMaskV6, kGatewayV6, kMac, kMtu,
  kPreDns, kAltDns, kRoute, kPoe
};
enum : int {
  kAlarmHost = 20400, kAlarmPort, kServicePort, kHttpPort, kMulticast, kRtspPort, kHttps, kHttpsPort, kFastLoad
};
enum : int { kPppoeEnable = 20302, kPppoeUser, kPppoePassword, kPppoeConfirm };
enum : int { kDdnsEnable = 20322, kDdnsType, kDdnsServer, kDdnsDomain, kDdnsUser, kDdnsPassword, kDdnsConfirm };
enum : int { kFtpEnable = 20369, kFtpStructure = 20375, kFtpFirst, kFtpFirstName };
constexpr int kApply = PAGE_ID_APPLY, kInfo = MSGBOX_INFO, kWarning = MSGBOX_WARNING;


NetConfig Stored() {
  NetConfig net{};
  getNetConfig(nullptr, &net);
  return net;
}
void Store(const NetConfig& net) { ASSERT_EQ(setNetConfig(nullptr, &net, 1), 0); }
uint32_t V4(const char* text) {
  NetAddress a{};
  EXPECT_EQ(textToNetAddress(text, &a), 0) << text;
  return a.ipv4;
}



class NetSet : public NetTabs {
 protected:
  void TearDown() override {
    device_seam::mutableAbility()->nicNum = 1;
    NetTabs::TearDown();
  }
  // A device whose first interface holds a fixed address.
  static void FixedAddress() {
    NetConfig net = Stored();
    net.dhcp[0] = 0;
    net.interfaces[0].ipv4 = V4("192.168.1.20");
    net.interfaces[0].mask = V4("255.255.255.0");
    net.interfaces[0].gateway = V4("192.168.1.1");
    Store(net);
  }
  void Open() {
    NetTabs::Open();
    base_ = tabs_[kBaseTab];
    pppoe_ = tabs_[kPppoeTab];
    ddns_ = tabs_[kDdnsTab];
    host_tab_ = tabs_[kHostTab];
  }

  WindowHandle base_ = 0, pppoe_ = 0, ddns_ = 0, host_tab_ = 0;
};

// The system menu's item reaches the window through the registry, and the
// window offers the tabs this device has.
TEST_F(NetSet, TheSystemMenuItemOpensTheWindowWithItsTabs) {
  EXPECT_NE(findPage(APP_MENU_SYSTEM, "netset"), nullptr);
  Open();
  EXPECT_NE(GetDlgItem(base_, kType), GUI_INVALID_HANDLE);
  EXPECT_NE(GetDlgItem(host_tab_, kServicePort), GUI_INVALID_HANDLE);
  EXPECT_EQ(SendMessage(sheet_, PSM_GETPAGECOUNT, 0, 0), kTabCount);
  // One interface: no work mode, interface or route rows.
  EXPECT_EQ(GetDlgItem(base_, kMode), 0u);
  EXPECT_EQ(GetDlgItem(base_, kRoute), 0u);
  livetest::PressKey(KEY_ESC);
  EXPECT_TRUE(livetest::PumpUntil([] { return getSystemPageWnd() == GUI_INVALID_HANDLE; }));
}

// Choosing the item in the running system menu opens the window beside it;
// closing the menu takes the window along and the menu opens again.
TEST_F(NetSet, TheSystemMenuItemOpensTheWindowBesideTheMenu) {
  const menus::SubMenuFamily& family = menus::subMenuFamily(menus::SubMenu::kSystem);
  int item = 0;
  for (int i = 0; i < family.count; ++i)
    if (std::string(family.items[i].key) == "netset") item = family.firstId + i;
  ASSERT_NE(item, 0);
  for (int round = 0; round < 2; ++round) {
    int tabs = 0;
    RunInLoop([&](WindowHandle owner) { return menus::runSubMenu(family, owner); }, [&] {
      livetest::Click(getSystemMenuWnd(), item);
      tabs = static_cast<int>(SendMessage(GetDlgItem(getSystemPageWnd(), PAGE_ID_SHEET), PSM_GETPAGECOUNT, 0, 0));
      SendMessage(getSystemMenuWnd(), MSG_CLOSE, 0, 0);
    });
    desktest::Drain();
    EXPECT_EQ(tabs, kTabCount) << round;
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE) << round;
  }
}

struct CodeCase {
  int code;
  const char* box;  // empty: no box
  int type;
  int focus;        // 0: focus not checked
};

// Every code the device's check can give on the basic tab, by box, style
// and focus; a code no row names shows the failed-save box with it.
TEST_F(NetSet, BasicTabCodesShowTheirBoxesAndFocus) {
  const CodeCase cases[] = {
      {DEVICE_OK_QUIET, "", 0, 0},
      {NET_ERR_DEVICE_IP_CONFLICT, "The device address is in use by another device!", kInfo, kIpv4},
      {NET_ERR_IPV4, "Please enter a valid IPv4 Address!", kInfo, kIpv4},
      {NET_ERR_IPV4_LOOPBACK, "Addresses beginning with 127 are not allowed!", kWarning, kIpv4},
      {NET_ERR_HOST_ZERO, "The host part of the address cannot be 0!", kWarning, kIpv4},
      {NET_ERR_HOST_BROADCAST, "The host part of the address cannot be 255!", kWarning, kIpv4},
      {NET_ERR_MASK, "Please enter a valid IPv4 Subnet Mask!", kInfo, kMaskV4},
      {NET_ERR_MASK_VALUE, "The subnet mask is not valid!", kInfo, kMaskV4},
      {NET_ERR_GATEWAY, "Please enter a valid IPv4 Gateway!", kInfo, kGatewayV4},
      {NET_ERR_GATEWAY_LOOPBACK, "Addresses beginning with 127 are not allowed!", kWarning, kGatewayV4},
      {NET_ERR_MTU, "MTU(Bytes) is out of range (500-9676)!", kInfo, kMtu},
      {NET_ERR_PREFERRED_DNS, "Please enter a valid Preferred DNS!", kInfo, kPreDns},
      {NET_ERR_ALTERNATE_DNS, "Please enter a valid Alternate DNS!", kInfo, kAltDns},
      {NET_ERR_ADDRESS_CLASH, "Two network cards cannot share an address segment!", kInfo, kIpv4},
      {NET_ERR_POE_ADDRESS_CLASH, "The LAN address conflicts with the internal address!", kInfo, kIpv4},
      {-3, "Addresses beginning with 127 are not allowed!", kWarning, 0},
      {291, "Saving failed, error code: 291", MSGBOX_ERROR, 0},
  };
  FixedAddress();
  Open();
  for (const CodeCase& c : cases) {
    livetest::Boxes().clear();
    SetText(base_, kMtu, Text(base_, kMtu));
    device_seam::overrideAnswer(keepNetConfig, c.code);
    livetest::Click(base_, kApply);
    device_seam::clearOverrides();
    if (c.box[0] == '\0') {
      EXPECT_TRUE(livetest::Boxes().empty()) << std::hex << c.code;
    } else {
      EXPECT_EQ(LastBox(), std::string(c.box) + "/" + std::to_string(c.type)) << std::hex << c.code;
    }
    if (c.focus) {
      EXPECT_TRUE(netsteps::Focused(base_, c.focus)) << std::hex << c.code;
    }
    EXPECT_TRUE(Enabled(base_, kApply)) << std::hex << c.code;
  }
  Close();
}

// The PoE interface's address is saved with the basic tab; the device's
// refusals name it and take the focus, and nothing else is kept of them.
TEST_F(NetSet, BasicTabSavesThePoeAddressOrNamesItsRefusal) {
  constexpr int kPoe = 20287;
  device_seam::mutableAbility()->poeFlags = 2;
  FixedAddress();
  IpChannelInfo camera{};
  std::memcpy(camera.bytes, "10.0.0.64", 10);
  ASSERT_EQ(addIpChannel(nullptr, 1, &camera), 0);
  const struct {
    const char* text;
    const char* box;  // empty: saved
    int type;
    const char* kept;
  } rows[] = {{"10.0.0.1", "", 0, "10.0.0.1"},
              {"127.0.0.9", "Addresses beginning with 127 are not allowed!", kWarning, "10.0.0.1"},
              {"0.1.2.3", "Please enter a valid Internal IPv4!", kInfo, "10.0.0.1"},
              {"192.168.1.77", "The LAN address conflicts with the internal address!", kInfo, "10.0.0.1"},
              {"10.0.0.64", "The internal address conflicts with a camera address!", kInfo, "10.0.0.1"},
              {"0.0.0.0", "", 0, "0.0.0.0"}};  // clears it
  Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    livetest::Boxes().clear();
    SetText(base_, kPoe, row.text);
    livetest::ClickItem(base_, kApply);
    livetest::PumpUntil([this] { return !Enabled(base_, kApply) || !livetest::Boxes().empty(); });
    EXPECT_EQ(LastBox(), row.box[0] ? std::string(row.box) + "/" + std::to_string(row.type) : "");
    EXPECT_EQ(Enabled(base_, kApply), row.box[0] != '\0');
    if (row.box[0]) {
      EXPECT_TRUE(netsteps::Focused(base_, kPoe));
    }
    NetAddress kept{};
    ASSERT_EQ(getPoeAddress(nullptr, &kept), 0);
    EXPECT_EQ(kept.ipv4, V4(row.kept));
  }
  Close();
  device_seam::mutableAbility()->poeFlags = 0;
}

// What the user types decides the code: the first field that fails names
// itself and nothing is stored.
TEST_F(NetSet, BasicTabInputsAreRefusedByTheirFields) {
  struct Input {
    int id;
    const char* text;
    const char* box;
    bool beyondLimit = false;  // longer than the field lets a hand type
  };
  const Input inputs[] = {
      {kMtu, "499", "MTU(Bytes) is out of range (500-9676)!/64"},
      {kMtu, "-2147483648", "MTU(Bytes) is out of range (500-9676)!/64", true},
      {kIpv4, "127.0.0.5", "Addresses beginning with 127 are not allowed!/48"},
      {kIpv4, "192.168.1.0", "The host part of the address cannot be 0!/48"},
      {kIpv4, "192.168.1.255", "The host part of the address cannot be 255!/48"},
      {kMaskV4, "255.0.255.0", "The subnet mask is not valid!/64"},
      {kPreDns, "no.such", "Please enter a valid Preferred DNS!/64"},
      {kAltDns, "127.0.0.1", "Please enter a valid Alternate DNS!/64"},
      {kIpv6, "fe80::zz", "Please enter a valid IPv6 Address!/64"},
  };
  FixedAddress();
  const NetConfig before = Stored();
  Open();
  for (const Input& in : inputs) {
    const std::string old = Text(base_, in.id);
    if (in.beyondLimit) {
      SetBeyondLimit(base_, in.id, in.text);
    } else {
      SetText(base_, in.id, in.text);
    }
    livetest::Boxes().clear();
    livetest::Click(base_, kApply);
    EXPECT_EQ(LastBox(), in.box) << in.text;
    EXPECT_TRUE(netsteps::Focused(base_, in.id)) << in.text;
    const NetConfig now = Stored();
    EXPECT_EQ(std::memcmp(&now, &before, sizeof now), 0) << in.text;
    SetText(base_, in.id, old.c_str());
  }
  Close();
}

// Addresses, MTU, DNS and IPv6 typed on the basic tab survive Apply and
// reopening; the service port the host tab owns is left as stored.
TEST_F(NetSet, BasicTabEditsSurviveApplyAndReopening) {
  FixedAddress();
  Open();
  SetText(base_, kIpv4, "10.1.2.3");
  SetText(base_, kMaskV4, "255.255.0.0");
  SetText(base_, kGatewayV4, "10.1.0.1");
  SetText(base_, kMtu, "1400");
  SetText(base_, kPreDns, "8.8.8.8");
  SetText(base_, kAltDns, "2001:db8::53");
  SetText(base_, kIpv6, "2001:db8::7");
  SetText(base_, kMaskV6, "64");
  // The host tab saves its service port in between.
  NetConfig other = Stored();
  other.interfaces[0].servicePort = 9000;
  Store(other);
  livetest::Boxes().clear();
  livetest::Click(base_, kApply);
  EXPECT_TRUE(livetest::Boxes().empty()) << LastBox();
  EXPECT_FALSE(Enabled(base_, kApply));
  const NetConfig net = Stored();
  EXPECT_EQ(net.interfaces[0].ipv4, V4("10.1.2.3"));
  EXPECT_EQ(net.interfaces[0].mtu, 1400u);
  EXPECT_EQ(net.interfaces[0].servicePort, 9000);
  Close();
  Open();
  EXPECT_EQ(Text(base_, kIpv4), "10.1.2.3");
  EXPECT_EQ(Text(base_, kMaskV4), "255.255.0.0");
  EXPECT_EQ(Text(base_, kGatewayV4), "10.1.0.1");
  EXPECT_EQ(Text(base_, kMtu), "1400");
  EXPECT_EQ(Text(base_, kPreDns), "8.8.8.8");
  EXPECT_EQ(Text(base_, kAltDns), "2001:db8::53");
  EXPECT_EQ(Text(base_, kIpv6), "2001:db8::7");
  EXPECT_EQ(Text(base_, kMaskV6), "64");
  Close();
}

// With PPPoE on, DHCP cannot be checked and the DNS fields stay disabled;
// without it DHCP disables the address fields and the DNS fields.
TEST_F(NetSet, DhcpFollowsPppoeAndDisablesItsFields) {
  FixedAddress();
  Open();
  EXPECT_TRUE(Enabled(base_, kPreDns));
  Check(base_, kDhcp, true);
  EXPECT_FALSE(Enabled(base_, kIpv4));
  EXPECT_FALSE(Enabled(base_, kGatewayV6));
  EXPECT_FALSE(Enabled(base_, kPreDns));
  Check(base_, kDhcp, false);
  EXPECT_TRUE(Enabled(base_, kIpv4));
  EXPECT_TRUE(Enabled(base_, kPreDns));
  Close();
  NetConfig net = Stored();
  net.pppoeEnabled = 1;
  std::strcpy(net.pppoeUser, "user");
  Store(net);
  Open();
  EXPECT_FALSE(Enabled(base_, kPreDns));
  Check(base_, kDhcp, true);
  EXPECT_EQ(LastBox(), "DHCP cannot be used while PPPoE is on!/48");
  EXPECT_EQ(SendDlgItemMessage(base_, kDhcp, BM_GETCHECK, 0, 0), 0);
  EXPECT_FALSE(Enabled(base_, kPreDns));
  EXPECT_TRUE(Enabled(base_, kApply));
  Close();
}

// Two interfaces in work mode 2: the route row is titled "route", the DNS
// fields follow the route interface's stored DHCP flag, and a refused
// interface change keeps the interface shown.
TEST_F(NetSet, TwoInterfacesFollowTheRouteInterface) {
  device_seam::mutableAbility()->nicNum = 2;
  NetConfig net = Stored();
  net.dhcp[0] = 0;
  net.dhcp[1] = 1;
  net.interfaces[0].ipv4 = V4("192.168.1.20");
  net.interfaces[0].mask = V4("255.255.255.0");
  net.workMode = 2;
  Store(net);
  Open();
  EXPECT_EQ(Text(base_, kRoute + PAGE_LABEL_OFFSET), "Default Route");
  EXPECT_TRUE(Enabled(base_, kPreDns));
  Choose(base_, kRoute, 1);
  EXPECT_FALSE(Enabled(base_, kPreDns));
  device_seam::overrideAnswer(keepNetConfig, NET_ERR_MASK_VALUE);
  PickRefused(base_, kSelect, 1);
  device_seam::clearOverrides();
  EXPECT_EQ(LastBox(), "The subnet mask is not valid!/64");
  EXPECT_EQ(SendDlgItemMessage(base_, kSelect, CB_GETSELVALUE, 0, 0), 0);
  EXPECT_EQ(Text(base_, kIpv4), "192.168.1.20");
  Choose(base_, kSelect, 1);
  EXPECT_EQ(SendDlgItemMessage(base_, kSelect, CB_GETSELVALUE, 0, 0), 1);
  EXPECT_EQ(SendDlgItemMessage(base_, kDhcp, BM_GETCHECK, 0, 0), 1);
  Close();
}

// The host tab checks its fields in order; the first failing one names
// itself and nothing is stored. Boundaries pass.
TEST_F(NetSet, HostTabChecksRunInOrder) {
  struct Step {
    int id;
    const char* text;
    const char* box;  // empty: saved
  };
  const char* kService = "Server Port is out of range (2000-65535)!/64";
  const char* kHttp = "HTTP port: 1-65535, but not 21 or 23!/64";
  const char* kRtsp = "RTSP port: 554 or 1024-65535!/64";
  const char* kReboot = "The change takes effect after a reboot. Reboot now?/34";
  const Step steps[] = {
      {kServicePort, "1999", kService},
      {kHttpPort, "21", kService},  // the service port is checked first
      {kAlarmHost, "no host", "Please enter a valid Alarm Host IP!/64"},
      {kAlarmHost, "", kService},
      {kAlarmPort, "65536", "Alarm Host Port is out of range (0-65535)!/64"},
      {kAlarmPort, "0", kService},
      {kServicePort, "2000", kHttp},
      {kServicePort, "8000", kHttp},
      {kHttpPort, "23", kHttp},
      {kRtspPort, "555", kHttp},  // HTTP before RTSP
      {kHttpPort, "22", kRtsp},
      {kMulticast, "1.2.3.x", "Please enter a valid Multicast IP!/64"},  // multicast before RTSP
      {kMulticast, "", kRtsp},
      {kRtspPort, "1023", kRtsp},
      {kRtspPort, "554", kReboot},  // passes every check; a change is kept and asks
      {kRtspPort, "1024", kReboot},
      {kRtspPort, "2000", kReboot},
      {kMulticast, "10.1.2.3", "Please enter a valid Multicast IP!/64"},  // not a group: refused before the question
      {kMulticast, "", ""},
      {kHttps, "", ""},  // on at the device's default port
      {kHttpsPort, "0", "HTTPS Port is out of range (1-65535)!/64"},
      {kHttpsPort, "22", "Two ports are the same!/64"},
      {kHttpsPort, "443", ""},
  };
  Open();
  Show(kHostTab);
  livetest::BoxAnswer() = IDNO;
  SetText(host_tab_, kHttpPort, "0");
  for (const Step& s : steps) {
    if (s.id == kHttps) Check(host_tab_, kHttps, true);
    else SetText(host_tab_, s.id, s.text);
    livetest::Boxes().clear();
    const NetConfig before = Stored();
    livetest::Click(host_tab_, kApply);
    EXPECT_EQ(LastBox(), s.box) << s.id << " " << s.text;
    if (s.box[0] != '\0' && s.box != kReboot) {
      const NetConfig now = Stored();
      EXPECT_EQ(std::memcmp(&now, &before, sizeof now), 0) << s.id << " " << s.text;
    }
  }
  const NetConfig net = Stored();
  EXPECT_EQ(net.httpPort, 22);
  EXPECT_EQ(net.httpsEnabled, 1);
  EXPECT_EQ(net.httpsPort, 443);
  EXPECT_EQ(net.multicast.ipv4, 0u);
  livetest::Boxes().clear();
  Check(host_tab_, kFastLoad, true);
  EXPECT_EQ(LastBox(), "Fast load takes effect after the web page is reloaded./64");
  livetest::Boxes().clear();
  Check(host_tab_, kFastLoad, false);
  EXPECT_TRUE(livetest::Boxes().empty());
  Close();
  Open();
  Show(kHostTab);
  EXPECT_EQ(Text(host_tab_, kHttpPort), "22");
  EXPECT_EQ(Text(host_tab_, kHttpsPort), "443");
  EXPECT_TRUE(Enabled(host_tab_, kHttpsPort));
  Close();
}

// A fresh device's tabs take their own defaults: ticking a service on and
// Apply finds every port and interval in its range.
TEST_F(NetSet, AFreshDeviceTakesItsOwnDefaults) {
  constexpr int kNtpEnable = 20336, kMailAuth = 20346, kFtpEnable = 20369, kSnmpEnable = 20384, kHttps = 20406;
  const struct {
    NetTab tab;
    int box;
  } rows[] = {{kNtpTab, kNtpEnable}, {kEmailTab, kMailAuth}, {kFtpTab, kFtpEnable}, {kSnmpTab, kSnmpEnable},
              {kHostTab, kHttps}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tab);
    device_seam::resetKeptRecords();
    Open();
    const WindowHandle page = Show(row.tab);
    livetest::Boxes().clear();
    livetest::ClickItem(page, row.box);
    // FTP needs the address of its server besides.
    if (row.tab == kFtpTab) netsteps::SetText(page, 20371, "10.0.0.9");
    livetest::ClickItem(page, PAGE_ID_APPLY);
    EXPECT_TRUE(livetest::PumpUntil([page] { return !Enabled(page, PAGE_ID_APPLY) || !livetest::Boxes().empty(); }));
    EXPECT_EQ(LastBox(), "");
    EXPECT_FALSE(Enabled(page, PAGE_ID_APPLY));
    Close();
  }
}

// A change of the service port is stored, then the reboot it needs is
// offered: No keeps it for the next start; Yes reboots and shows the reboot
// hint. A change of the HTTP port alone asks nothing.
TEST_F(NetSet, ServicePortChangesOfferAReboot) {
  Open();
  Show(kHostTab);
  device_seam::startCallLog();
  SetText(host_tab_, kServicePort, "8100");
  livetest::BoxAnswer() = IDNO;
  livetest::Boxes().clear();
  livetest::Click(host_tab_, kApply);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(LastBox(), "The change takes effect after a reboot. Reboot now?/34");
  EXPECT_EQ(Stored().interfaces[0].servicePort, 8100);
  EXPECT_FALSE(Enabled(host_tab_, kApply));
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
  SetText(host_tab_, kServicePort, "8200");
  livetest::BoxAnswer() = IDYES;
  livetest::Boxes().clear();
  livetest::Click(host_tab_, kApply);
  EXPECT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(Stored().interfaces[0].servicePort, 8200);
  EXPECT_FALSE(Enabled(host_tab_, kApply));
  size_t reboots = 0;
  for (const auto& call : device_seam::callLog()) reboots += call.op == "rebootDevice";
  EXPECT_EQ(reboots, 1u);
  livetest::Boxes().clear();
  SetText(host_tab_, kHttpPort, "8080");
  livetest::Click(host_tab_, kApply);
  EXPECT_TRUE(livetest::Boxes().empty()) << LastBox();
  EXPECT_EQ(Stored().httpPort, 8080);
  Close();
}

TEST_F(NetSet, TabsOnScreen) {
  FixedAddress();
  Open();
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "netset_base", livetest::SettledGrab(r));
  Show(kHostTab);
  livetest::MatchesReference(__FILE__, "netset_host", livetest::SettledGrab(r));
  Show(kNtpTab);
  livetest::MatchesReference(__FILE__, "netset_ntp", livetest::SettledGrab(r));
  Show(kEmailTab);
  livetest::MatchesReference(__FILE__, "netset_email", livetest::SettledGrab(r));
  const WindowHandle ftp = Show(kFtpTab);
  Check(ftp, kFtpEnable, true);
  for (const auto& [combo, value] : {std::pair<int, int>{kFtpStructure, 2}, {kFtpFirst, 4}})
    EXPECT_TRUE(livetest::Pick(ftp, combo, value));
  SetText(ftp, kFtpFirstName, "site-a");
  livetest::MatchesReference(__FILE__, "netset_ftp", livetest::SettledGrab(r));
  Show(kSnmpTab);
  livetest::MatchesReference(__FILE__, "netset_snmp", livetest::SettledGrab(r));
  Show(kPppoeTab);
  Check(pppoe_, kPppoeEnable, true);
  SetText(pppoe_, kPppoeUser, "dialer");
  livetest::MatchesReference(__FILE__, "netset_pppoe", livetest::SettledGrab(r));
  Show(kDdnsTab);
  Check(ddns_, kDdnsEnable, true);
  livetest::MatchesReference(__FILE__, "netset_ddns", livetest::SettledGrab(r));
  Close();
  device_seam::mutableAbility()->nicNum = 2;
  Open();
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "netset_base_two", livetest::SettledGrab(r));
  Close();
}

}  // namespace

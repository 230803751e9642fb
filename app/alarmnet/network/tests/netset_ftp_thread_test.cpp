// The FTP and SNMP tabs of the network settings window: refusal boxes, the
// protocol's port, the directory rows, and a reference model of the server
// cache under random switches and edits.
#include <cstring>
#include <random>
#include <string>

#include "app/alarmnet/network/tests/netset_steps.h"
#include "app/alarmnet_pages.h"
#include "app/device_caps.h"
#include "app/testing/page_harness.h"

namespace {

using namespace netsteps;

enum : int {
  kServerNo = 20368, kEnable, kProtocol, kAddress, kPort, kUser, kPassword, kStructure, kFirst, kFirstName, kSecond,
  kSecondName
};
enum : int { kSnmpEnable = 20384, kVersion, kSnmpPort, kRead, kWrite, kTrapAddress, kTrapPort };

FtpConfig StoredFtp(int server) {
  FtpConfig ftp{};
  getFtpConfig(nullptr, server, &ftp);
  return ftp;
}

class NetFtp : public NetTabs {
 protected:
  void Open() {
    NetTabs::Open();
    ftp_ = tabs_[kFtpTab];
    snmp_ = tabs_[kSnmpTab];
  }
  WindowHandle ftp_ = 0, snmp_ = 0;
};

// A fresh server starts on the first protocol and is refused enabled
// without an address, on Apply and on a change of server: nothing is
// stored and the address field takes the focus.
TEST_F(NetFtp, AnEnabledServerNeedsAnAddress) {
  Open();
  Show(kFtpTab);
  EXPECT_EQ(SendDlgItemMessage(ftp_, kProtocol, CB_GETSELVALUE, 0, 0), 1);
  Check(ftp_, kEnable, true);
  EXPECT_EQ(SendDlgItemMessage(ftp_, kProtocol, CB_GETSELVALUE, 0, 0), 1);
  const std::string hint = "Please enter a valid Server Address!/64";
  Apply(ftp_);
  EXPECT_EQ(LastBox(), hint);
  EXPECT_TRUE(netsteps::Focused(ftp_, kAddress));
  EXPECT_TRUE(Enabled(ftp_, PAGE_ID_APPLY));
  if (getFtpServerNum() > 1) {
    livetest::Boxes().clear();
    PickRefused(ftp_, kServerNo, 1);
    EXPECT_EQ(LastBox(), hint);
    EXPECT_EQ(SendDlgItemMessage(ftp_, kServerNo, CB_GETSELVALUE, 0, 0), 0);
  }
  EXPECT_EQ(StoredFtp(1).enabled, 0);
  SetText(ftp_, kAddress, "10.0.0.9");
  livetest::Boxes().clear();
  Apply(ftp_);
  EXPECT_EQ(LastBox(), "");
  const FtpConfig kept = StoredFtp(1);
  EXPECT_EQ(kept.enabled, 1);
  EXPECT_EQ(kept.protocol, 1);
  EXPECT_STREQ(kept.server, "10.0.0.9");
  Close();
}

TEST_F(NetFtp, FtpRefusalsShowTheirBoxes) {
  Open();
  Show(kFtpTab);
  Check(ftp_, kEnable, true);
  SetText(ftp_, kAddress, "10.0.0.9");
  SetText(ftp_, kPort, "70000");
  Apply(ftp_);
  EXPECT_EQ(LastBox(), "Port is out of range (1-65535)!/64");
  EXPECT_TRUE(netsteps::Focused(ftp_, kPort));
  PickRefused(ftp_, kServerNo, 1);
  EXPECT_EQ(LastBox(), "Port is out of range (1-65535)!/64");
  EXPECT_EQ(SendDlgItemMessage(ftp_, kServerNo, CB_GETSELVALUE, 0, 0), 0);
  EXPECT_EQ(Text(ftp_, kPort), "70000");
  SetText(ftp_, kPort, "21");
  Choose(ftp_, kStructure, 1);
  Choose(ftp_, kFirst, 4);
  Apply(ftp_);
  EXPECT_EQ(LastBox(), "Please enter a valid Parent Name!/64");
  EXPECT_TRUE(netsteps::Focused(ftp_, kFirstName));
  const struct {
    int code;
    const char* box;
    int focus;
  } codes[] = {{-1, "Saving failed!/16", 0},
               {NET_ERR_FTP_FIRST_NAME, "", kFirstName},
               {NET_ERR_FTP_SECOND_NAME, "", kSecondName},
               {NET_ERR_FTP_SECOND_EMPTY, "Please enter a valid Child Name!/64", kSecondName},
               {44, "Saving failed, error code: 44/16", 0}};
  for (const auto& c : codes) {
    device_seam::overrideAnswer(setFtpConfig, c.code);
    Apply(ftp_);
    device_seam::clearOverrides();
    ASSERT_EQ(livetest::Boxes().size(), 1u) << c.code;
    if (c.box[0]) {
      EXPECT_EQ(LastBox(), c.box);
    }
    if (c.focus) {
      EXPECT_TRUE(netsteps::Focused(ftp_, c.focus)) << c.code;
    }
  }
  EXPECT_EQ(StoredFtp(1).enabled, 0);
  Close();
}

// The protocol writes its port; the structure lays out the directory rows
// and a custom name survives switching the structure away and back.
TEST_F(NetFtp, ProtocolAndDirectoryRows) {
  Open();
  Show(kFtpTab);
  Check(ftp_, kEnable, true);
  Choose(ftp_, kProtocol, 2);
  EXPECT_EQ(Text(ftp_, kPort), "22");
  Choose(ftp_, kProtocol, 1);
  EXPECT_EQ(Text(ftp_, kPort), "21");
  EXPECT_FALSE(Enabled(ftp_, kFirst));
  Choose(ftp_, kStructure, 2);
  EXPECT_TRUE(Enabled(ftp_, kFirst));
  EXPECT_TRUE(Enabled(ftp_, kSecond));
  EXPECT_FALSE(Enabled(ftp_, kFirstName));
  Choose(ftp_, kFirst, 4);
  EXPECT_TRUE(Enabled(ftp_, kFirstName));
  SetText(ftp_, kFirstName, "site-a");
  Choose(ftp_, kStructure, 1);
  EXPECT_FALSE(Enabled(ftp_, kSecond));
  EXPECT_EQ(SendDlgItemMessage(ftp_, kSecond, CB_GETCOUNT, 0, 0), 0);
  Choose(ftp_, kStructure, 0);
  EXPECT_FALSE(Enabled(ftp_, kFirst));
  EXPECT_EQ(Text(ftp_, kFirstName), "");
  Choose(ftp_, kStructure, 1);
  EXPECT_EQ(Text(ftp_, kFirstName), "site-a");
  Check(ftp_, kEnable, false);
  EXPECT_FALSE(Enabled(ftp_, kFirstName));
  Check(ftp_, kEnable, true);
  EXPECT_TRUE(Enabled(ftp_, kFirstName));
  EXPECT_FALSE(Enabled(ftp_, kSecond));
  EXPECT_EQ(SendDlgItemMessage(ftp_, kServerNo, CB_GETCOUNT, 0, 0), getFtpServerNum());
  Close();
}

// What one Apply should store, kept apart from how the tab does it.
struct FtpModel {
  struct Server {
    bool marked = false;
    FtpConfig slot{};
    int structure = 0, firstKind = 1;
    std::string firstName, address;
    bool enabled = false;
  };
  FtpConfig store[2] = {};
  Server server[2];
  int current = 0;

  void Show(int s) {
    current = s;
    Server& v = server[s];
    if (!v.marked) {
      const FtpConfig& rec = store[s];
      v.slot = rec;
      v.marked = true;
      v.structure = static_cast<int>(rec.dirStructure);
      v.firstKind = rec.dirStructure >= 1 ? rec.firstKind : 1;
      v.firstName = rec.dirStructure >= 1 && rec.firstKind == 4 ? std::string(rec.firstName) : "";
    }
    v.address = v.slot.server;
    v.enabled = v.slot.enabled != 0;
  }
  FtpConfig Gathered() const {
    const Server& v = server[current];
    FtpConfig rec{};
    rec.enabled = v.enabled ? 1 : 0;
    rec.protocol = 1;
    std::strncpy(rec.server, v.address.c_str(), sizeof rec.server);
    rec.port = 21;
    rec.dirStructure = static_cast<uint32_t>(v.structure);
    if (v.structure >= 1) {
      rec.firstKind = static_cast<uint16_t>(v.firstKind);
      if (v.firstKind == 4) std::strncpy(rec.firstName, v.firstName.c_str(), sizeof rec.firstName);
    }
    if (v.structure == 2) rec.secondKind = 1;
    return rec;
  }
  void Switch(int s) {
    if (s == current) return;
    server[current].slot = Gathered();
    server[current].marked = true;
    Show(s);
  }
  void Apply() {
    store[current] = Gathered();
    for (int s = 0; s < 2; ++s)
      if (s != current && server[s].marked) store[s] = server[s].slot;
    for (Server& v : server) v.marked = false;
  }
};

TEST_F(NetFtp, ServerCacheStoresWhatTheModelStores) {
  FtpModel model;
  for (int s = 0; s < 2; ++s) {
    model.store[s].protocol = 1;
    model.store[s].port = 21;
    ASSERT_EQ(setFtpConfig(nullptr, s + 1, &model.store[s], 1), 0);
  }
  std::mt19937 rng(104);
  Open();
  Show(kFtpTab);
  model.Show(0);
  for (int step = 0; step < livetest::RandomSteps(300); ++step) {
    FtpModel::Server& v = model.server[model.current];
    const int what = static_cast<int>(rng() % 12);
    if (what < 3) {
      const int s = static_cast<int>(rng() % 2);
      Choose(ftp_, kServerNo, s);
      ASSERT_EQ(LastBox(), "") << step;
      model.Switch(s);
    } else if (what < 5) {
      v.enabled = !v.enabled;
      Check(ftp_, kEnable, v.enabled);
      // An enabled server is refused without an address (a test of its own).
      if (v.enabled && v.address.empty()) {
        v.address = "ftp" + std::to_string(rng() % 100);
        SetText(ftp_, kAddress, v.address);
      }
    } else if (!v.enabled) {
      continue;
    } else if (what < 7) {
      v.address = "ftp" + std::to_string(1 + rng() % 100);
      SetText(ftp_, kAddress, v.address);
    } else if (what == 7) {
      v.structure = static_cast<int>(rng() % 3);
      Choose(ftp_, kStructure, v.structure);
    } else if (what == 8 && v.structure >= 1) {
      v.firstKind = 1 + static_cast<int>(rng() % 4);
      Choose(ftp_, kFirst, v.firstKind);
      if (v.firstKind == 4) {
        v.firstName = "dir" + std::to_string(rng() % 100);
        SetText(ftp_, kFirstName, v.firstName);
      }
    } else if (what >= 10) {
      livetest::Boxes().clear();
      Apply(ftp_);
      ASSERT_TRUE(livetest::Boxes().empty()) << LastBox() << " at step " << step;
      model.Apply();
      for (int s = 0; s < 2; ++s) {
        const FtpConfig got = StoredFtp(s + 1);
        ASSERT_EQ(std::memcmp(&got, &model.store[s], sizeof got), 0) << "server " << s << " at step " << step;
      }
    }
  }
  Close();
}

// Only the second version is offered; the ports are checked while SNMP is
// on, and the device's port clash shows its box.
TEST_F(NetFtp, SnmpChecksItsPorts) {
  Open();
  Show(kSnmpTab);
  EXPECT_FALSE(Enabled(snmp_, kSnmpPort));
  Check(snmp_, kSnmpEnable, true);
  EXPECT_EQ(SendDlgItemMessage(snmp_, kVersion, CB_GETCOUNT, 0, 0), 1);
  const struct {
    int id;
    const char* text;
    const char* box;
    int focus;
  } steps[] = {{kSnmpPort, "0", "SNMP Port is out of range (1-65535)!/64", kSnmpPort},
               {kSnmpPort, "65536", "SNMP Port is out of range (1-65535)!/64", kSnmpPort},
               {kSnmpPort, "8000", "Two ports are the same!/64", 0},  // the service port's
               {kTrapPort, "0", "Trap Port is out of range (1-65535)!/64", kTrapPort},
               {kTrapPort, "162", "Two ports are the same!/64", 0},
               {kSnmpPort, "161", "", 0}};
  for (const auto& s : steps) {
    SetText(snmp_, s.id, s.text);
    Apply(snmp_);
    EXPECT_EQ(LastBox(), s.box) << s.text;
    if (s.focus) {
      EXPECT_TRUE(netsteps::Focused(snmp_, s.focus)) << s.text;
    }
  }
  SnmpConfig snmp{};
  getSnmpConfig(nullptr, &snmp);
  EXPECT_EQ(snmp.port, 161);
  EXPECT_EQ(snmp.trapPort, 162);
  EXPECT_EQ(snmp.version, 2);
  Close();
}

}  // namespace

// The PPPoE and DDNS tabs of the network settings window: refusal boxes,
// the PPPoE reboot question, the DDNS enabling table and a reference model
// of the DDNS cache under random type switches and edits.
#include <array>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "app/alarmnet_pages.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/alarmnet/network/tests/netset_steps.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using namespace netsteps;

enum : int { kEnable = 20302, kUser, kPassword, kConfirm };
enum : int { kDdnsEnable = 20322, kType, kServer, kDomain, kDdnsUser, kDdnsPassword, kDdnsConfirm };
constexpr int kApply = PAGE_ID_APPLY;

NetConfig StoredNet() {
  NetConfig net{};
  getNetConfig(nullptr, &net);
  return net;
}
NetAdvConfig StoredAdv() {
  NetAdvConfig adv{};
  getNetAdvConfig(nullptr, &adv);
  return adv;
}
size_t Calls(const std::string& op) {
  size_t n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}


class NetDial : public NetTabs {
 protected:
  void Open() {
    NetTabs::Open();
    pppoe_ = tabs_[kPppoeTab];
    ddns_ = tabs_[kDdnsTab];
  }
  WindowHandle pppoe_ = 0, ddns_ = 0;
};

// Refusals of the PPPoE tab by box, style and focus; a mismatch empties
// both password fields.
TEST_F(NetDial, PppoeRefusalsShowTheirBoxes) {
  Open();
  Show(kPppoeTab);
  Check(pppoe_, kEnable, true);
  livetest::Click(pppoe_, kApply);
  EXPECT_EQ(LastBox(), "Please enter a valid User Name!/64");
  EXPECT_TRUE(netsteps::Focused(pppoe_, kUser));
  SetText(pppoe_, kUser, "dialer");
  SetText(pppoe_, kPassword, "secret");
  SetText(pppoe_, kConfirm, "secreT");
  livetest::Click(pppoe_, kApply);
  EXPECT_EQ(LastBox(), "The passwords do not match!/16");
  EXPECT_TRUE(netsteps::Focused(pppoe_, kPassword));
  EXPECT_EQ(Text(pppoe_, kPassword), "");
  EXPECT_EQ(Text(pppoe_, kConfirm), "");
  Check(pppoe_, kEnable, false);
  const std::pair<int, const char*> saves[] = {
      {NET_ERR_DEVICE_IP_CONFLICT, "The device address is in use by another device!/64"},
      {NET_ERR_POE_ADDRESS_CLASH, "The LAN address conflicts with the internal address!/64"},
      {77, "Saving failed, error code: 77/16"}};
  for (const auto& [code, box] : saves) {
    device_seam::overrideAnswer(setNetConfig, code);
    livetest::Click(pppoe_, kApply);
    device_seam::clearOverrides();
    EXPECT_EQ(LastBox(), box);
  }
  EXPECT_EQ(StoredNet().pppoeEnabled, 0u);
  Close();
}

// Turning PPPoE on asks the reboot question: No stores nothing and reloads
// the tab; Yes stores the account of full field size and reboots. With
// nothing changed Apply is not offered.
TEST_F(NetDial, PppoeChangesAskForAReboot) {
  Open();
  Show(kPppoeTab);
  device_seam::startCallLog();
  livetest::Boxes().clear();
  EXPECT_FALSE(Enabled(pppoe_, kApply)) << "nothing changed, nothing to apply";
  livetest::Click(pppoe_, kApply);
  EXPECT_TRUE(livetest::Boxes().empty()) << LastBox();
  EXPECT_EQ(Calls("setNetConfig"), 0u);
  const std::string user(32, 'u'), password(16, 'p');
  Check(pppoe_, kEnable, true);
  SetText(pppoe_, kUser, user);
  SetText(pppoe_, kPassword, password);
  SetText(pppoe_, kConfirm, password);
  // No declines the reboot only: the change is kept for the next start.
  livetest::BoxAnswer() = IDNO;
  livetest::Click(pppoe_, kApply);
  EXPECT_EQ(LastBox(), "The PPPoE change takes effect after a reboot. Reboot now?/34");
  EXPECT_EQ(StoredNet().pppoeEnabled, 1u);
  EXPECT_EQ(std::string(StoredNet().pppoeUser, sizeof StoredNet().pppoeUser), user);
  EXPECT_EQ(Calls("rebootDevice"), 0u);
  EXPECT_FALSE(Enabled(pppoe_, kApply));
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
  const std::string newer(16, 'q');
  SetText(pppoe_, kPassword, newer);
  SetText(pppoe_, kConfirm, newer);
  livetest::BoxAnswer() = IDYES;
  livetest::Click(pppoe_, kApply);
  desktest::Drain();
  const NetConfig net = StoredNet();
  EXPECT_EQ(net.pppoeEnabled, 1u);
  EXPECT_EQ(std::string(net.pppoeUser, sizeof net.pppoeUser), user);
  EXPECT_EQ(std::string(net.pppoePassword, sizeof net.pppoePassword), newer);
  EXPECT_EQ(Calls("rebootDevice"), 1u);
  EXPECT_FALSE(Enabled(pppoe_, kApply));
  // A refused reboot is told; the change stays kept for the next start.
  const std::string newest(16, 'r');
  SetText(pppoe_, kPassword, newest);
  SetText(pppoe_, kConfirm, newest);
  device_seam::overrideAnswer(rebootDevice, -5);
  livetest::Click(pppoe_, kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(LastBox(), "Saving failed, error code: -5/16");
  EXPECT_EQ(std::string(StoredNet().pppoePassword, sizeof StoredNet().pppoePassword), newest);
  Close();
  Open();
  Show(kPppoeTab);
  EXPECT_EQ(Text(pppoe_, kUser), user);
  EXPECT_EQ(Text(pppoe_, kConfirm), newest);
  Close();
}

// Which fields each DDNS type uses: the others are disabled and emptied.
TEST_F(NetDial, DdnsTypesEnableAndShowTheirFields) {
  NetAdvConfig adv{};
  for (int t = 0; t < DDNS_TYPES; ++t) {
    DdnsServerEntry& e = adv.ddns[t];
    std::snprintf(e.server, sizeof e.server, "s%d", t);
    std::snprintf(e.domain, sizeof e.domain, "d%d", t);
    std::snprintf(e.user, sizeof e.user, "u%d", t);
    std::snprintf(e.password, sizeof e.password, "p%d", t);
  }
  adv.ddnsEnabled = 1;
  ASSERT_EQ(setNetAdvConfig(nullptr, &adv, 1), 0);
  // server, domain, user/password/confirm per type
  const std::array<std::array<bool, 3>, 5> uses = {{{true, false, false},
                                                    {true, true, true},
                                                    {false, false, true},
                                                    {true, true, true},
                                                    {true, true, false}}};
  Open();
  Show(kDdnsTab);
  for (int t : {2, 0, 4, 1, 3}) {
    Choose(ddns_, kType, t);
    const auto& u = uses[t];
    const std::string n = std::to_string(t);
    EXPECT_EQ(Enabled(ddns_, kServer), u[0]) << t;
    EXPECT_EQ(Enabled(ddns_, kDomain), u[1]) << t;
    EXPECT_EQ(Enabled(ddns_, kDdnsUser), u[2]) << t;
    EXPECT_EQ(Enabled(ddns_, kDdnsConfirm), u[2]) << t;
    EXPECT_EQ(Text(ddns_, kServer), u[0] ? "s" + n : "") << t;
    EXPECT_EQ(Text(ddns_, kDomain), u[1] ? "d" + n : "") << t;
    EXPECT_EQ(Text(ddns_, kDdnsUser), u[2] ? "u" + n : "") << t;
    EXPECT_EQ(Text(ddns_, kDdnsConfirm), u[2] ? "p" + n : "") << t;
  }
  Check(ddns_, kDdnsEnable, false);
  for (int id = kType; id <= kDdnsConfirm; ++id) EXPECT_FALSE(Enabled(ddns_, id)) << id;
  EXPECT_EQ(SendDlgItemMessage(ddns_, kType, CB_GETCOUNT, 0, 0), 5);
  Close();
  SetSysInfoLanguage(2);
  Open();
  Show(kDdnsTab);
  EXPECT_EQ(SendDlgItemMessage(ddns_, kType, CB_GETCOUNT, 0, 0), 4);
  Close();
  SetSysInfoLanguage(1);
}

// Refusals of the DDNS tab: a mismatch keeps the type and empties the
// passwords; the device's codes show their boxes.
TEST_F(NetDial, DdnsRefusalsShowTheirBoxes) {
  Open();
  Show(kDdnsTab);
  Check(ddns_, kDdnsEnable, true);
  Choose(ddns_, kType, 1);
  SetText(ddns_, kDdnsPassword, "a");
  SetText(ddns_, kDdnsConfirm, "b");
  PickRefused(ddns_, kType, 4);
  EXPECT_EQ(LastBox(), "The passwords do not match!/16");
  EXPECT_EQ(SendDlgItemMessage(ddns_, kType, CB_GETSELVALUE, 0, 0), 1);
  EXPECT_TRUE(netsteps::Focused(ddns_, kDdnsPassword));
  EXPECT_EQ(Text(ddns_, kDdnsConfirm), "");
  const struct {
    int code;
    const char* box;
    int focus;
  } codes[] = {{NET_ERR_DDNS_DOMAIN, "The domain name is not valid!/64", kDomain},
               {NET_ERR_DDNS_DOMAIN_USED, "The domain name is in use!/64", kDomain},
               {NET_ERR_DDNS_SERVER, "The DDNS server is not valid!/64", 0},
               {NET_ERR_DDNS_CONNECT, "The DDNS server cannot be reached!/64", 0},
               {NET_ERR_DDNS_ADDRESS, "Please enter a valid Server Address!/64", kServer},
               {NET_ERR_DDNS_DOMAIN_TEXT, "Please enter a valid Domain!/64", kDomain},
               {5, "Saving failed, error code: 5/16", 0}};
  for (const auto& c : codes) {
    device_seam::overrideAnswer(setNetAdvConfig, c.code);
    livetest::Click(ddns_, kApply);
    device_seam::clearOverrides();
    EXPECT_EQ(LastBox(), c.box);
    if (c.focus) {
      EXPECT_TRUE(netsteps::Focused(ddns_, c.focus)) << c.box;
    }
  }
  EXPECT_EQ(StoredAdv().ddnsEnabled, 0);
  Close();
}

// What one Apply should store, kept apart from how the tab does it: each
// visited type's edits wait in a cache, the type on screen wins.
struct DdnsModel {
  NetAdvConfig store{};
  std::map<int, DdnsServerEntry> cache;
  int type = 0;
  bool enabled = false;
  DdnsServerEntry screen{};

  static unsigned Uses(int t) {
    static const unsigned kUses[] = {1, 7, 4, 7, 3};
    return kUses[t];
  }
  DdnsServerEntry Shown(int t) const { return cache.count(t) ? cache.at(t) : store.ddns[t]; }
  // The fields the screen holds for type t after it was shown.
  void Show(int t) {
    const DdnsServerEntry e = Shown(t);
    screen = DdnsServerEntry{};
    if (Uses(t) & 1) std::memcpy(screen.server, e.server, sizeof e.server);
    if (Uses(t) & 2) std::memcpy(screen.domain, e.domain, sizeof e.domain);
    if (Uses(t) & 4) {
      std::memcpy(screen.user, e.user, sizeof e.user);
      std::memcpy(screen.password, e.password, sizeof e.password);
    }
  }
  // What gathering the screen makes of the entry `base` of the type shown.
  DdnsServerEntry Gathered(DdnsServerEntry base) const {
    if (type != 2) std::memcpy(base.server, screen.server, sizeof base.server);
    if (type == 0) return base;
    if (type != 2) std::memcpy(base.domain, screen.domain, sizeof base.domain);
    std::memcpy(base.user, screen.user, sizeof base.user);
    std::memcpy(base.password, screen.password, sizeof base.password);
    return base;
  }
  void Switch(int t) {
    if (t == type) return;
    if (enabled) cache[type] = Gathered(Shown(type));
    type = t;
    Show(t);
  }
  void Apply() {
    store.ddnsEnabled = enabled ? 1 : 0;
    for (const auto& [t, e] : cache) store.ddns[t] = e;
    if (enabled) {
      store.ddnsType = static_cast<uint8_t>(type);
      store.ddns[type] = Gathered(store.ddns[type]);
    }
    cache.clear();
  }
};

TEST_F(NetDial, DdnsCacheStoresWhatTheModelStores) {
  std::mt19937 rng(46);
  DdnsModel model;
  getNetAdvConfig(nullptr, &model.store);  // the device's own defaults
  Open();
  Show(kDdnsTab);
  model.Show(0);
  const int fields[] = {kServer, kDomain, kDdnsUser, kDdnsPassword};
  for (int step = 0; step < 300; ++step) {
    const int what = static_cast<int>(rng() % 10);
    if (what < 4) {
      const int t = static_cast<int>(rng() % 5);
      if (!Enabled(ddns_, kType)) continue;  // offered while DDNS is on
      Choose(ddns_, kType, t);
      model.Switch(t);
    } else if (what < 8) {
      const int id = fields[rng() % 4];
      if (!Enabled(ddns_, id)) continue;
      const std::string text = "v" + std::to_string(rng() % 1000);
      SetText(ddns_, id, text);
      char* field = id == kServer ? model.screen.server : id == kDomain ? model.screen.domain
                  : id == kDdnsUser ? model.screen.user : model.screen.password;
      std::memset(field, 0, id == kDdnsUser ? 32 : id == kDdnsPassword ? 16 : 64);
      std::memcpy(field, text.data(), text.size());
      if (id == kDdnsPassword) SetText(ddns_, kDdnsConfirm, text);
    } else if (what == 8) {
      model.enabled = !model.enabled;
      Check(ddns_, kDdnsEnable, model.enabled);
    } else {
      livetest::Boxes().clear();
      livetest::Click(ddns_, kApply);
      ASSERT_TRUE(livetest::Boxes().empty()) << LastBox() << " at step " << step;
      model.Apply();
      const NetAdvConfig got = StoredAdv();
      ASSERT_EQ(std::memcmp(&got, &model.store, sizeof got), 0) << "after the apply at step " << step;
    }
  }
  Close();
}

}  // namespace

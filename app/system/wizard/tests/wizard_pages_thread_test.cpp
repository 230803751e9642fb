// Each start-up page in its first state against its reference picture, the
// network page's refusal table and DNS rule, the disk-mode page's reboot
// question and the disk page's checks before initialising.
#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/page_ids.h"
#include "app/system/tests/system_input.h"
#include "app/system/wizard/tests/wizard_steps.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/listview.h"

namespace {

constexpr int kNext = PAGE_ID_NEXT, kPrevious = PAGE_ID_PREVIOUS, kCancel = IDCANCEL;

class WizardPages : public wizardtest::WizardTest {
 protected:
  // Opens the page, runs `steps` on it, then leaves by Cancel and Yes.
  void OnPage(int (*open)(WindowHandle), std::function<void(WindowHandle)> steps) {
    livetest::BoxAnswer() = IDYES;
    Then([steps](WindowHandle page) {
      steps(page);
      livetest::BoxAnswer() = IDYES;
      livetest::ClickItem(page, kCancel);
    });
    Run(open);
  }
};

TEST_F(WizardPages, EachPageInItsFirstState) {
  const struct {
    const char* name;
    int (*open)(WindowHandle);
  } kPages[] = {{"startguide", wizard::openEntryPage},       {"startpasswd", wizard::openPasswordPage},
                {"starttime", wizard::openTimePage},         {"startnetset_one_nic", wizard::openNetworkPage},
                {"startdiskmode", wizard::openDiskModePage}, {"startdisk", wizard::openDiskPage},
                {"startcamera", wizard::openCameraPage},     {"startrecord", wizard::openRecordPage}};
  // A fixed clock, so that the date page shows the same picture every run.
  const DeviceTime fixed{2026, 6, 15, 10, 20, 30, 8, 0};
  for (const auto& p : kPages) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(setDeviceTime(nullptr, &fixed), 0);
    device_seam::overrideAnswer(getDeviceTime, 0, &fixed, sizeof fixed);
    OnPage(p.open, [&](WindowHandle page) {
      Rect r{};
      GetWindowRect(page, &r);
      desktest::Drain();
      livetest::MatchesReference(__FILE__, p.name, livetest::SettledGrab(r));
    });
    device_seam::clearOverrides();
  }
  Boxes();
}

TEST_F(WizardPages, NetworkRefusalsShowTheirBoxAndFocusTheirFieldAndTheDnsRuleFollowsDhcp) {
  enum { kDhcp = 16451, kIpv4 = 16452, kMask, kGateway, kPreDns, kAltDns, kPoe = 16458 };
  enum class Show { Box, Wanted, Nothing, Failed };
  struct Row {
    int code;
    Show show;
    const char* key;
    int style;
    int focus;
  };
  const Row rows[] = {
      {-5, Show::Box, "poe_ipc_ip_conflict", 64, kPoe},    {-4, Show::Box, "eth0_poe_ip_conflict", 64, kPoe},
      {-3, Show::Box, "ip_err_127", 48, kPoe},             {-2, Show::Wanted, "poe_ipv4", 64, kPoe},
      {0x200001, Show::Nothing, nullptr, 0, 0},            {0x20000c, Show::Box, "deviceip_conflict", 64, kIpv4},
      {0x2000d0, Show::Wanted, "ipv4", 64, kIpv4},         {0x2000d1, Show::Box, "ip_err_127", 48, kIpv4},
      {0x2000d2, Show::Box, "host_err_0", 48, kIpv4},      {0x2000d3, Show::Box, "host_err_255", 48, kIpv4},
      {0x2000d4, Show::Wanted, "maskv4", 64, kMask},       {0x2000d5, Show::Box, "err_value_mask", 64, kMask},
      {0x2000d6, Show::Wanted, "gatewayv4", 64, kGateway}, {0x2000d7, Show::Box, "ip_err_127", 48, kGateway},
      {0x2000e4, Show::Wanted, "predns", 64, kPreDns},     {0x2000e5, Show::Wanted, "altdns", 64, kAltDns},
      {0x2000e6, Show::Box, "ethx_ip_conflict", 64, kIpv4}, {0x200104, Show::Box, "eth0_poe_ip_conflict", 64, kIpv4},
      {0x2000ff, Show::Failed, nullptr, 16, 0},
  };
  // A device on a fixed address, which the page shows.
  NetConfig fixed{};
  getNetConfig(nullptr, &fixed);
  const auto v4 = [](const char* text) {
    NetAddress a{};
    textToNetAddress(text, &a);
    return a.ipv4;
  };
  fixed.interfaces[0].ipv4 = v4("192.168.1.64");
  fixed.interfaces[0].mask = v4("255.255.255.0");
  fixed.interfaces[0].gateway = v4("192.168.1.1");
  fixed.dhcp[0] = 0;
  ASSERT_EQ(setNetConfig(nullptr, &fixed, 0), 0);
  OnPage(wizard::openNetworkPage, [&](WindowHandle page) {
    // The stored address is shown.
    EXPECT_EQ(wizardtest::Text(page, kIpv4), "192.168.1.64");
    // DHCP off, PPPoE off: the DNS fields are open; DHCP on closes them and
    // the address fields.
    EXPECT_EQ(livetest::Enabled(page, kPreDns), !wizardtest::Checked(page, kDhcp));
    ASSERT_FALSE(wizardtest::Checked(page, kDhcp));
    livetest::Click(page, kDhcp);
    EXPECT_FALSE(livetest::Enabled(page, kPreDns));
    EXPECT_FALSE(livetest::Enabled(page, kAltDns));
    EXPECT_FALSE(livetest::Enabled(page, kIpv4));
    livetest::Click(page, kDhcp);
    EXPECT_TRUE(livetest::Enabled(page, kAltDns));
    EXPECT_TRUE(livetest::Enabled(page, kGateway));
    for (const Row& row : rows) {
      SCOPED_TRACE(row.code);
      livetest::Boxes().clear();
      device_seam::overrideAnswer(keepNetConfig, row.code);
      // A key typed and taken back: an edit, the text as it was.
      EXPECT_TRUE(systest::TypeInto(page, kPreDns, "1\b"));
      livetest::Click(page, kNext);
      EXPECT_EQ(GetActiveWindow(), page) << "the page stays";
      const auto& boxes = livetest::Boxes();
      if (row.show == Show::Nothing) {
        EXPECT_TRUE(boxes.empty());
        continue;
      }
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(static_cast<int>(boxes[0].type), row.style);
      if (row.show == Show::Box) {
        EXPECT_EQ(boxes[0].section + "/" + boxes[0].key, std::string("netset/") + row.key);
      } else if (row.show == Show::Wanted) {
        EXPECT_NE(boxes[0].text.find(lookupText("netset", row.key)), std::string::npos) << boxes[0].text;
      } else {
        EXPECT_EQ(boxes[0].key, "savefailed_code");
      }
      // The PoE field exists only on devices with PoE: the focus stays then.
      if (row.focus && IsValidHandle(GetDlgItem(page, row.focus))) {
        EXPECT_EQ(GetFocusChild(page), GetDlgItem(page, row.focus));
      }
    }
    device_seam::clearOverrides();
    // Next keeps what was typed: checked, then saved, then the next page.
    SetDlgItemText(page, kPreDns, "8.8.4.");
    EXPECT_TRUE(systest::TypeInto(page, kPreDns, "4"));
    livetest::Boxes().clear();
    std::string next;
    // The disk page's loop runs this, once Next has opened it.
    const WindowHandle looker = Main({0, 0, 4, 4}, systest::LookProc);
    int looks = 0;
    systest::LookSteps() = [&] {
      if (!next.empty()) return;
      if (wizardtest::PageName(GetActiveWindow()) != "startdisk") {
        if (++looks < 100000) PostMessage(looker, systest::kLookAgain, 0, 0);
        return;
      }
      next = "startdisk";
      livetest::ClickItem(GetActiveWindow(), kPrevious);
    };
    PostMessage(looker, systest::kLookAgain, 0, 0);
    livetest::Click(page, kNext);
    livetest::PumpUntil([&] { return GetActiveWindow() == page && !next.empty(); });
    systest::LookSteps() = nullptr;
    for (const auto& b : livetest::Boxes()) ADD_FAILURE() << b.section << "/" << b.key << ": " << b.text;
    EXPECT_EQ(next, "startdisk");
    NetConfig net{};
    getNetConfig(nullptr, &net);
    char text[NET_ADDRESS_TEXT_SIZE] = "";
    ipv4ToText(net.dns1.ipv4, text, sizeof text);
    EXPECT_STREQ(text, "8.8.4.4");
  });
}

// The PoE interface's address typed on the network page is saved by Next;
// a refused one names the field and the page stays.
TEST_F(WizardPages, NextSavesThePoeAddressOrNamesItsRefusal) {
  constexpr int kPoe = 16458;
  device_seam::mutableAbility()->poeFlags = 2;
  std::string refused, next;
  bool focused = false;
  livetest::BoxAnswer() = IDYES;
  Then([&](WindowHandle page) {
    EXPECT_TRUE(livetest::TypeAddress(page, kPoe, "127.0.0.9"));
    livetest::Boxes().clear();
    livetest::ClickItem(page, kNext);
    livetest::PumpUntil([] { return !livetest::Boxes().empty(); });
    if (!livetest::Boxes().empty()) refused = livetest::Boxes()[0].key;
    focused = GetFocusChild(page) == GetDlgItem(page, kPoe);
    EXPECT_TRUE(livetest::TypeAddress(page, kPoe, "10.0.0.1"));
    // The disk page opens once this step has returned to the page's loop.
    livetest::ClickItem(page, kNext);
  });
  ThenOn("startdisk", [&next](WindowHandle page) {
    next = wizardtest::PageName(page);
    livetest::ClickItem(page, kPrevious);
  });
  ThenOn("startnetset", [](WindowHandle page) {
    livetest::BoxAnswer() = IDYES;
    livetest::ClickItem(page, kCancel);
  });
  Run(wizard::openNetworkPage);
  device_seam::mutableAbility()->poeFlags = 0;
  EXPECT_EQ(refused, "ip_err_127");
  EXPECT_TRUE(focused);
  EXPECT_EQ(next, "startdisk");
  NetAddress kept{};
  ASSERT_EQ(getPoeAddress(nullptr, &kept), 0);
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  ipv4ToText(kept.ipv4, text, sizeof text);
  EXPECT_STREQ(text, "10.0.0.1");
}

// A changed box is written before the question, which only offers the
// reboot that takes it: No keeps the mode for the next start.
TEST_F(WizardPages, TheDiskModePageOffersARebootOnlyWhenTheBoxChanged) {
  constexpr int kEnable = 20064, kModeNext = 20066;
  device_seam::startCallLog();
  std::string next;
  Then([](WindowHandle page) {
    livetest::BoxAnswer() = IDYES;
    livetest::ClickItem(page, kModeNext);  // unchanged: on to the disk page
  });
  ThenOn("startdisk", [&](WindowHandle page) {
    next = wizardtest::PageName(page);
    livetest::ClickItem(page, kPrevious);
  });
  ThenOn("startdiskmode", [](WindowHandle page) {
    ASSERT_FALSE(wizardtest::Checked(page, kEnable));
    livetest::Click(page, kEnable);
    livetest::BoxAnswer() = IDNO;
    livetest::Click(page, kModeNext);
    EXPECT_EQ(GetActiveWindow(), page);
    livetest::BoxAnswer() = IDYES;
    livetest::ClickItem(page, kCancel);
  });
  Run(wizard::openDiskModePage);
  EXPECT_EQ(next, "startdisk");
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"startdiskmode/param_reboot/34", "commons/guideexit/34"}));
  int writes = 0;
  for (const auto& call : device_seam::callLog()) writes += call.op == "setDiskModeFlag";
  EXPECT_EQ(writes, 1);
  uint8_t flag = 0;
  EXPECT_EQ(getDiskModeFlag(&flag), 0);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
}

TEST_F(WizardPages, InitWantsATickedDiskThatIsNotReadOnly) {
  constexpr int kList = 16464, kInit = 16465;
  DiskInfo disks[DISK_LIST_ROWS] = {};
  const int count = getDiskList(disks);
  ASSERT_GE(count, 1);
  device_seam::startCallLog();
  OnPage(wizard::openDiskPage, [&](WindowHandle page) {
    EXPECT_EQ(SendDlgItemMessage(page, kList, LVM_GETITEMCOUNT, 0, 0), count);
    livetest::Click(page, kInit);
    disks[0].readOnly = 1;
    device_seam::overrideAnswer(getDiskList, count, disks, sizeof disks);
    // The first disk's row ticked by its box.
    systest::ClickListCell(GetDlgItem(page, kList), 0, 0);
    EXPECT_EQ(SendDlgItemMessage(page, kList, LVM_GETCHECKED, 0, 0), 1);
    livetest::Click(page, kInit);
    device_seam::clearOverrides();
  });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"commons/itemselect/64", "disk_base/readonlydisk/64",
                                               "commons/guideexit/34"}));
  for (const auto& call : device_seam::callLog()) EXPECT_NE(call.op, "formatDiskList");
}

}  // namespace

namespace {

// Tab walks a closed ring: from the focus a page opens with, Tab pressed
// again and again comes back to it, and never strands the focus on a
// control it cannot leave.
TEST_F(WizardPages, TabComesBackToWhereItStarted) {
  const struct {
    const char* name;
    int (*open)(WindowHandle);
  } kPages[] = {{"startguide", wizard::openEntryPage},
                {"startpasswd", wizard::openPasswordPage},
                {"startnetset", wizard::openNetworkPage},
                {"startdiskmode", wizard::openDiskModePage},
                {"startrecord", wizard::openRecordPage}};
  constexpr int kMostTabs = 24;
  for (const auto& p : kPages) {
    OnPage(p.open, [&](WindowHandle page) {
      desktest::Drain();
      const WindowHandle start = GetFocusChild(page);
      bool back = false;
      for (int n = 0; n < kMostTabs && !back; ++n) {
        livetest::PressKey(KEY_TAB);
        // The desktop reads its input in order: once a move that follows
        // the key is seen, the key waits in the page's queue.
        const int x = n % 2;
        HostInjectMouseMove(x, 0);
        livetest::PumpUntil([x] {
          Point at{};
          GetCursorPos(&at);
          return at.x == x;
        });
        desktest::AwaitRouted();
        desktest::Drain();
        back = GetFocusChild(page) == start;
      }
      EXPECT_TRUE(back) << p.name << ": Tab left control " << GetDlgCtrlID(start) << " for good, now on "
                        << GetDlgCtrlID(GetFocusChild(page));
    });
  }
  Boxes();
}

// A camera the device took whose live-view window it refused: the refusal
// is shown with the save-failed box, and the list is read again.
TEST_F(WizardPages, TheCameraPageShowsARefusedLiveViewWindow) {
  constexpr int kList = 16470, kAdd = 16471;
  DiscoveredIpc found[IPC_DISCOVERY_MAX] = {};
  found[0] = DiscoveredIpc{{10, 0, 0, 9}, {255, 255, 255, 0}, {}, 8000, 4096, 1, "cam-9", {}};
  device_seam::overrideAnswer(getDiscoveredIpcs, 1, found, sizeof found);
  device_seam::overrideAnswer(setPreviewConfig, -5);
  device_seam::startCallLog();
  OnPage(wizard::openCameraPage, [&](WindowHandle page) {
    systest::ClickListCell(GetDlgItem(page, kList), 0, 0);
    EXPECT_EQ(SendDlgItemMessage(page, kList, LVM_GETCHECKED, 0, 0), 1);
    livetest::Click(page, kAdd);
  });
  device_seam::clearOverrides();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"commons/savefailed_code/16", "commons/guideexit/34"}));
  int added = 0;
  for (const auto& call : device_seam::callLog()) added += call.op == "addIpChannel";
  EXPECT_EQ(added, 1);
}

}  // namespace

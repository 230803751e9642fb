// The network detection window on the simulated device: its three tabs, the
// statistics list, the right its network dialog needs, and the dialog's
// loading, saving, refusals and work modes.
#include <cstdio>
#include <string>
#include <vector>

#include "app/alarmnet/netda/netda.h"
#include "app/alarmnet_pages.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"

namespace {

using livetest::Pick;
using alarmnettest::TypeInto;
using livetest::Click;

constexpr int kNicSelect = 21009, kAddr = 21010, kExportDevice = 4130, kNetSet = 21016, kStatList = 21104, kStatRefresh = 21105;
constexpr int kMode = 16448, kSelect = 16449, kDhcp = 16451, kIpv4 = 16452, kPreDns = 16455, kRoute = 16457;
constexpr int kApply = PAGE_ID_APPLY, kOk = PAGE_ID_OK, kCancel = IDCANCEL;

std::vector<std::string> BoxKeys() {
  std::vector<std::string> keys;
  for (const auto& box : livetest::Boxes())
    keys.push_back((box.key.empty() ? box.text : box.key) + "/" + std::to_string(box.type));
  livetest::Boxes().clear();
  return keys;
}

std::string Dns1() {
  NetConfig net{};
  getNetConfig(nullptr, &net);
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  ipv4ToText(net.dns1.ipv4, text, sizeof text);
  return text;
}

std::string Text(WindowHandle w, int id) {
  char text[128] = "";
  GetDlgItemText(w, id, text, sizeof text);
  return text;
}

// The preferred DNS typed; while DHCP gives it, the field is off, and a
// click on the DHCP box turns it on first.
bool TypeDns(WindowHandle dlg, const std::string& text) {
  if (!livetest::Enabled(dlg, kPreDns)) Click(dlg, kDhcp);
  return TypeInto(dlg, kPreDns, text);
}

class NetDa : public alarmnettest::PageTest {
 protected:
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_MAINTENANCE, "netda", host_), 0);
    win_ = getMaintenancePageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
  }
  // Shows tab `index` by a click on its header.
  void Tab(int index) {
    const WindowHandle sheet = GetDlgItem(win_, PAGE_ID_SHEET);
    EXPECT_TRUE(alarmnettest::ClickTab(sheet, index)) << "tab " << index;
    page_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getMaintenancePageWnd(), GUI_INVALID_HANDLE);
  }
  // Opens the dialog by a click on the detect page, runs `steps` inside
  // it, and leaves it by Cancel unless a step closed it.
  void InDialog(const std::function<void(WindowHandle)>& steps) {
    InDialogOf(page_, kNetSet, {win_, host_}, [&steps](WindowHandle dlg) {
      steps(dlg);
      if (IsWindow(dlg)) alarmnettest::ClickClosing(dlg, kCancel);
    });
  }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};

// The detect tab's boxes open their list under the mouse and Escape closes
// the list, not the page: the page passes keys on to the control that has
// the focus. A list left open would take the next click, so that the
// address field behind it would not get the focus.
TEST_F(NetDa, TheDetectTabsBoxesCloseTheirListWithEscapeAndTheAddressTakesTheFocus) {
  Open();
  Tab(1);
  for (int id : {kNicSelect, kExportDevice}) {
    SCOPED_TRACE(id);
    const WindowHandle list = GetDlgItem(GetDlgItem(page_, id), CB_LIST_ID);
    const auto shown = [list] { return IsWindowVisible(list) != 0; };
    livetest::ClickItem(page_, id, shown);
    ASSERT_TRUE(livetest::PumpUntil(shown)) << "the click opens the list";
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(livetest::PumpUntil([&] { return !shown(); })) << "Escape closes the list";
    EXPECT_EQ(getMaintenancePageWnd(), win_) << "and leaves the page open";
  }
  const WindowHandle addr = GetDlgItem(page_, kAddr);
  livetest::ClickItem(page_, kAddr, [&] { return GetFocusChild(page_) == addr; });
  EXPECT_TRUE(livetest::PumpUntil([&] { return GetFocusChild(page_) == addr; }));
  Close();
}

// Escape leaves the network dialog as its Cancel does.
TEST_F(NetDa, EscapeClosesTheNetworkDialog) {
  Open();
  Tab(1);
  bool closed = false;
  InDialog([&](WindowHandle dlg) {
    livetest::PressKey(KEY_ESC);
    closed = livetest::PumpUntil([dlg] { return !IsWindow(dlg); });
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(getMaintenancePageWnd(), win_) << "the page stays";
  Close();
}

TEST_F(NetDa, EachTabInItsFirstStateAndTheStatisticsByTheDevice) {
  Open();
  const char* const kShots[] = {"netda_traffic", "netda_detect", "netda_stat"};
  for (int i = 0; i < 3; ++i) {
    Tab(i);
    Rect r{};
    GetWindowRect(win_, &r);
    livetest::MatchesReference(__FILE__, kShots[i], livetest::SettledGrab(r));
  }
  // No IP channel, bandwidth kind 3: preview, playback, idle total and send.
  const WindowHandle list = GetDlgItem(page_, kStatList);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 4);
  // A failing query leaves the list as it was.
  device_seam::overrideAnswer(getNetTestResult, -1);
  Click(page_, kStatRefresh);
  device_seam::clearOverrides();
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 4);
  Close();
}

TEST_F(NetDa, TheDialogNeedsTheParameterRight) {
  Open();
  Tab(1);
  setLoginState(3, -2, 0);
  Click(page_, kNetSet);
  EXPECT_EQ(BoxKeys(), std::vector<std::string>{"permission/64"});
  setLoginState(3, 0, 0);
  Close();
}

TEST_F(NetDa, TheDialogLoadsSavesWhatWasTypedAndCancelKeepsTheRecord) {
  Open();
  Tab(1);
  const std::string before = Dns1();
  // Cancel: nothing saved.
  InDialog([](WindowHandle dlg) {
    Rect r{};
    GetWindowRect(dlg, &r);
    livetest::MatchesReference(__FILE__, "netdanetset", livetest::SettledGrab(r));
    EXPECT_TRUE(TypeDns(dlg, "1.1.1.1"));
    EXPECT_TRUE(livetest::Enabled(dlg, kApply));
    livetest::ClickItem(dlg, kCancel);
    EXPECT_TRUE(livetest::PumpUntil([dlg] { return !IsWindow(dlg); }));
  });
  EXPECT_EQ(Dns1(), before);
  // A field that is no address: its hint, the focus on it, nothing saved.
  InDialog([](WindowHandle dlg) {
    EXPECT_TRUE(TypeDns(dlg, "dns.example"));
    Click(dlg, kApply);
    ASSERT_EQ(livetest::Boxes().size(), 1u);
    EXPECT_EQ(livetest::Boxes()[0].text, "Please enter a valid Preferred DNS!");
    livetest::Boxes().clear();
    EXPECT_EQ(GetFocusChild(dlg), GetDlgItem(dlg, kPreDns));
    // The device refuses the address: its box, and the dialog stays.
    SetDlgItemText(dlg, kPreDns, "8.8.8.8");
    device_seam::overrideAnswer(keepNetConfig, NET_ERR_IPV4_LOOPBACK);
    Click(dlg, kOk);
    device_seam::clearOverrides();
    EXPECT_TRUE(IsWindow(dlg)) << "a refused save keeps the dialog open";
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"ip_err_127/48"});
    EXPECT_EQ(GetFocusChild(dlg), GetDlgItem(dlg, kIpv4));
  });
  EXPECT_EQ(Dns1(), before);
  // The device's refusals: each its box or hint and the field it names.
  InDialog([](WindowHandle dlg) {
    const struct {
      int code;
      std::string box;
      int focus;
    } rows[] = {
        {0x20000c, "deviceip_conflict/64", kIpv4},
        {0x2000d4, "Please enter a valid IPv4 Subnet Mask!/64", kIpv4 + 1},
        {0x2000d7, "ip_err_127/48", kIpv4 + 2},
        {0x2000e5, "Please enter a valid Alternate DNS!/64", kPreDns + 1},
        {0x200104, "eth0_poe_ip_conflict/64", kIpv4},
        {0x200001, "", 0},
        {0x123456, "savefailed_code/16", 0},
    };
    for (const auto& row : rows) {
      // Typed again, so that Apply is on.
      EXPECT_TRUE(TypeDns(dlg, Text(dlg, kPreDns)));
      device_seam::overrideAnswer(keepNetConfig, row.code);
      Click(dlg, kApply);
      device_seam::clearOverrides();
      const std::vector<std::string> boxes = BoxKeys();
      EXPECT_EQ(boxes, row.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.box}) << row.code;
      // A code naming no field leaves the focus on the Apply clicked.
      EXPECT_EQ(GetFocusChild(dlg), GetDlgItem(dlg, row.focus ? row.focus : kApply)) << row.code;
    }
    EXPECT_TRUE(IsWindow(dlg));
  });
  EXPECT_EQ(Dns1(), before);
  // OK saves the typed fields and closes; the next opening shows them.
  InDialog([](WindowHandle dlg) {
    SetDlgItemText(dlg, kPreDns, "8.8.4.4");
    livetest::ClickItem(dlg, kOk);
    EXPECT_TRUE(livetest::PumpUntil([dlg] { return !IsWindow(dlg); }));
  });
  EXPECT_EQ(Dns1(), "8.8.4.4");
  InDialog([](WindowHandle dlg) { EXPECT_EQ(Text(dlg, kPreDns), "8.8.4.4"); });
  Close();
}

TEST_F(NetDa, PppoeRefusesDhcpAndTheWorkModesShowTheirRows) {
  NetConfig net{};
  getNetConfig(nullptr, &net);
  net.pppoeEnabled = 1;
  std::snprintf(net.pppoeUser, sizeof net.pppoeUser, "%s", "user");
  ASSERT_EQ(keepNetConfig(nullptr, &net), 0);
  ASSERT_EQ(saveNetConfig(nullptr), 0);
  Open();
  Tab(1);
  InDialog([](WindowHandle dlg) {
    Click(dlg, kDhcp);
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"pppoe_dhcp_dis/48"});
    EXPECT_EQ(SendDlgItemMessage(dlg, kDhcp, BM_GETCHECK, 0, 0), 0);
  });
  Close();

  device_seam::mutableAbility()->nicNum = 2;
  // Every copy by DHCP: the device's check passes whichever copy is shown.
  getNetConfig(nullptr, &net);
  net.pppoeEnabled = 0;
  net.dhcp[0] = net.dhcp[1] = net.bondDhcp = 1;
  ASSERT_EQ(keepNetConfig(nullptr, &net), 0);
  ASSERT_EQ(saveNetConfig(nullptr), 0);
  Open();
  Tab(1);
  InDialog([](WindowHandle dlg) {
    ASSERT_TRUE(IsWindow(GetDlgItem(dlg, kMode)));
    const struct {
      int mode;
      bool route;
      const char* label;
      int interfaces;
    } rows[] = {{0, true, "Main NIC", 1}, {1, false, nullptr, 1}, {2, true, "Default Route", 2}};
    for (const auto& row : rows) {
      EXPECT_TRUE(livetest::Pick(dlg, kMode, row.mode));
      EXPECT_EQ(IsWindowVisible(GetDlgItem(dlg, kRoute)) != 0, row.route) << row.mode;
      if (row.label) {
        EXPECT_EQ(Text(dlg, kRoute + 256), row.label) << row.mode;
      }
      EXPECT_EQ(SendDlgItemMessage(dlg, kSelect, CB_GETCOUNT, 0, 0), row.interfaces) << row.mode;
      EXPECT_TRUE(livetest::Enabled(dlg, kApply));
    }
    // A refused check returns the combo to the stored mode.
    device_seam::overrideAnswer(keepNetConfig, NET_ERR_MASK_VALUE);
    alarmnettest::PickRefused(dlg, kMode, 0);
    device_seam::clearOverrides();
    EXPECT_EQ(SendDlgItemMessage(dlg, kMode, CB_GETSELVALUE, 0, 0), 2);
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"err_value_mask/64"});
  });
  Close();
}

}  // namespace

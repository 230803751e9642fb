// The user pages on the simulated device. A seeded random run adds,
// modifies, deletes and edits rights through the dialogs and the user list
// and keeps a reference model of the table beside them: after every step the
// device's table must equal the model's and every refusal must show its
// box. Pictures of the list, the change tab and the dialogs follow.
#include <array>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/page_keys.h"
#include "app/system_pages.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"

extern "C" {
int createUserAddDialog(WindowHandle owner);
int createUserModifyDialog(WindowHandle owner);
int createUserRightDialog(WindowHandle owner);
}

namespace {

using livetest::LiveGui;

constexpr int kOk = PAGE_ID_OK, kApply = PAGE_ID_APPLY, kSheet = PAGE_ID_SHEET, kList = 20480, kAdd = 20481,
              kKind = 20560;
// List columns that act on their row; the own-password page's fields.
constexpr int kNameColumn = 1, kRightColumn = 4, kModifyColumn = 5, kDeleteColumn = 6, kCameraTab = 2;
constexpr int kOwnOld = 20506, kOwnNew = 20507, kOwnConfirm = 20508;
constexpr int kAddName = 20512, kAddPassword = 20513, kAddConfirm = 20514, kAddLevel = 20515, kAddMac = 20516;
constexpr int kModName = 20576, kModOld = 20577, kModEnable = 20578, kModPassword = 20579, kModConfirm = 20580,
              kModLevel = 20581, kModMac = 20582;

std::string Caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}

UserConfig DeviceTable() {
  UserConfig t{};
  getUserConfig(nullptr, &t);
  return t;
}
void RefreshCache() { *getCachedUserConfig() = DeviceTable(); }
const uint8_t* Mac(const UserRecord& u) { return reinterpret_cast<const uint8_t*>(u.words); }

// What the table should hold, kept with plain rules of its own.
struct Model {
  UserConfig table{};
  uint64_t shown = 0;  // channels the camera tab has boxes for

  bool Free(int i) const { return table.users[i].name[0] == '\0'; }
  int LowestFree() const {
    for (int i = 0; i < USER_COUNT; ++i)
      if (Free(i)) return i;
    return -1;
  }
  bool NameTaken(const std::string& name, int self) const {
    for (int i = 0; i < USER_COUNT; ++i)
      if (i != self && !Free(i) && name == std::string(table.users[i].name, strnlen(table.users[i].name, 17)))
        return true;
    return false;
  }
  static bool BadName(const std::string& name) { return name.find_first_of("\\\"'%/:*?<>|") != std::string::npos; }
  int NameCode(const std::string& name, int self) const {
    if (name.empty()) return 0x200208;
    if (BadName(name)) return 0x200209;
    if (NameTaken(name, self)) return 0x20020a;
    return 0;
  }
  static int PasswordCode(const std::string& p, const std::string& c) {
    if (p.empty()) return 0x20020d;
    return p != c ? 0x200004 : 0;
  }
  static void Store(UserRecord& u, const std::string& name, const std::string& password, const uint8_t* mac) {
    if (!name.empty()) {
      std::memset(u.name, 0, 17);
      std::memcpy(u.name, name.data(), name.size());
    }
    std::memset(u.password, 0, 16);
    std::memcpy(u.password, password.data(), password.size());
    std::memcpy(u.words, mac, 6);
  }
};

struct Fields {
  std::string name, password, confirm, old;
  int level = 0;
  bool change = true;
  std::array<uint8_t, 6> mac{};
  std::string MacText() const {
    char text[32];
    formatMacAddr(mac.data(), text, sizeof text);
    return text;
  }
};

const char* const kNames[] = {"alice", "bob", "op_1", "night_shift", "sixteen_letters_", "bad/name", "", "admin", "guest"};
const char* const kPasswords[] = {"p1", "0123456789abcdef", "", "73916"};

LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

class Users : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    RefreshCache();
    helper_ = Main({0, 0, 4, 4}, livetest::StepsProc);
  }
  // Runs a dialog with `steps` given the dialog; whatever the steps leave
  // open is cancelled.
  void InDialog(int (*open)(WindowHandle), std::function<void(WindowHandle)> steps) {
    RunInLoop(open, [&] {
      const WindowHandle dlg = GetActiveWindow();
      steps(dlg);
      if (IsWindow(dlg)) SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
  }
  // Opens a dialog from the page (by a user's `act`) and runs `steps` inside it.
  void FromPage(const std::function<void()>& act, const std::function<void(WindowHandle)>& steps) {
    EXPECT_TRUE(systest::DialogSteps(helper_).Run(act, steps));
  }

  // The list position of a record.
  int PositionOf(int index) {
    const UserConfig* t = getCachedUserConfig();
    int position = 0;
    for (int i = 0; i < index; ++i)
      if (t->users[i].name[0] != '\0') ++position;
    return position;
  }
  // A click on a cell of a record's row.
  void ClickRecord(int index, int column) {
    systest::ClickListCell(GetDlgItem(page_, kList), PositionOf(index), column);
  }
  void OpenPage() {
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    ASSERT_EQ(createUserSetWindow(host_), 0);
    win_ = getSystemPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, kSheet), PSM_GETPAGE, 0, 0));
    desktest::Drain();
  }
  void ClosePage() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  }
  std::vector<std::string> TakeBoxes() {
    std::vector<std::string> texts;
    for (const auto& box : livetest::Boxes()) texts.push_back(box.text);
    livetest::Boxes().clear();
    return texts;
  }
  WindowHandle helper_ = GUI_INVALID_HANDLE, host_ = GUI_INVALID_HANDLE, win_ = GUI_INVALID_HANDLE,
               page_ = GUI_INVALID_HANDLE;
};

std::string TextOf(int code, bool add) {
  const char* section = add ? "useradd" : "usermodify";
  switch (code) {
    case 0x200004: return Caption(section, "passwdmismatch");
    case 0x200208: return Caption(section, "namenull");
    case 0x20020a: return Caption(section, "nameused");
    case 0x20020b: return Caption("userset", "user_limit");
    case 0x20020c: return Caption(section, "oldpasswderror");
    case 0x20020d: return Caption(section, "passwdnull");
    default: return "";  // the name hint has a text of its own
  }
}

void ExpectSame(const UserConfig& model, const std::string& when) {
  const UserConfig got = DeviceTable();
  for (int i = 0; i < USER_COUNT; ++i) {
    const UserRecord &a = got.users[i], &b = model.users[i];
    ASSERT_EQ(std::strncmp(a.name, b.name, 17), 0) << i << " " << when;
    if (b.name[0] == '\0') continue;
    EXPECT_EQ(std::memcmp(a.password, b.password, 16), 0) << i << " " << when;
    EXPECT_EQ(a.priority, b.priority) << i << " " << when;
    EXPECT_EQ(a.rights, b.rights) << i << " " << when;
    EXPECT_EQ(std::memcmp(a.chanMasks, b.chanMasks, sizeof a.chanMasks), 0) << i << " " << when;
    EXPECT_EQ(std::memcmp(Mac(a), Mac(b), 6), 0) << i << " " << when;
  }
}

TEST_F(Users, RandomEditsThroughTheDialogsKeepTheTableAsTheModelSays) {
  Model model;
  model.table = DeviceTable();
  std::mt19937 rng(4242);
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto randomFields = [&] {
    Fields f;
    f.name = pick(3) != 0 ? "u" + std::to_string(pick(100)) : kNames[pick(9)];
    f.password = kPasswords[pick(4)];
    f.confirm = pick(5) == 0 ? std::string("other") : f.password;
    f.level = pick(2);
    for (auto& b : f.mac) b = pick(3) == 0 ? static_cast<uint8_t>(rng()) : 0;
    return f;
  };
  livetest::BoxAnswer() = IDYES;
  bool wasFull = false;
  OpenPage();
  for (int step = 0; step < livetest::RandomSteps(200); ++step) {
    RefreshCache();
    const int op = step < 90 ? 0 : pick(5);  // adds first, so that the table fills up
    const std::string when = "step " + std::to_string(step) + " op " + std::to_string(op);
    int want = 0;
    bool add = false;
    if (op <= 1) {  // add from the page's button: the lowest free record
      add = true;
      const Fields f = randomFields();
      const int at = model.LowestFree();
      if (at < 0) {
        want = 0x20020b;
        wasFull = true;
      }
      if (!want) want = model.NameCode(f.name, at);
      if (!want) want = Model::PasswordCode(f.password, f.confirm);
      if (!want) {
        UserRecord& u = model.table.users[at];
        Model::Store(u, f.name, f.password, f.mac.data());
        EXPECT_EQ(setUserDefaultRights(&u, f.level), 0);
        std::memcpy(u.words, f.mac.data(), 6);
      }
      const auto fill = [&](WindowHandle dlg) {
        SetDlgItemText(dlg, kAddName, f.name.c_str());
        SetDlgItemText(dlg, kAddPassword, f.password.c_str());
        SetDlgItemText(dlg, kAddConfirm, f.confirm.c_str());
        EXPECT_TRUE(livetest::Pick(dlg, kAddLevel, f.level)) << when;
        SetDlgItemText(dlg, kAddMac, f.MacText().c_str());
        systest::ClickClosing(dlg, kOk);
      };
      if (at < 0)
        livetest::Click(page_, kAdd);
      else
        FromPage([&] { livetest::Click(page_, kAdd); }, fill);
    } else if (op == 2) {  // modify any named record, the administrator too
      int index = pick(USER_COUNT);
      while (model.Free(index)) index = (index + 1) % USER_COUNT;
      Fields f = randomFields();
      f.change = pick(2) == 0;
      UserRecord& u = model.table.users[index];
      const std::string stored(u.password, strnlen(u.password, 16));
      f.old = pick(3) == 0 ? std::string("wrong") : stored;
      if (index != 0) want = model.NameCode(f.name, index);
      if (index == 0 && f.old != stored) want = 0x20020c;
      if (!want && f.change) want = Model::PasswordCode(f.password, f.confirm);
      if (!want) {
        Model::Store(u, index == 0 ? std::string() : f.name, f.change ? f.password : stored, f.mac.data());
        if (index != 0 && u.priority != static_cast<uint32_t>(f.level)) {
          EXPECT_EQ(setUserDefaultRights(&u, f.level), 0);
        }
      }
      FromPage([&] { ClickRecord(index, kModifyColumn); }, [&](WindowHandle dlg) {
        if (index != 0) SetDlgItemText(dlg, kModName, f.name.c_str());
        if (index == 0) SetDlgItemText(dlg, kModOld, f.old.c_str());
        // The box starts unchecked; a click checks it.
        if (f.change) livetest::Click(dlg, kModEnable);
        EXPECT_EQ(livetest::Enabled(dlg, kModPassword), f.change) << when;
        SetDlgItemText(dlg, kModPassword, f.password.c_str());
        SetDlgItemText(dlg, kModConfirm, f.confirm.c_str());
        // The administrator's level is not offered.
        if (index != 0) {
          EXPECT_TRUE(livetest::Pick(dlg, kModLevel, f.level)) << when;
        }
        SetDlgItemText(dlg, kModMac, f.MacText().c_str());
        systest::ClickClosing(dlg, kOk);
      });
    } else if (op == 3) {  // delete through the list's delete cell
      int index = 1 + pick(USER_COUNT - 1);
      for (int n = 0; n < USER_COUNT && model.Free(index); ++n) index = 1 + index % (USER_COUNT - 1);
      if (model.Free(index)) continue;
      std::memset(&model.table.users[index], 0, sizeof(UserRecord));
      ClickRecord(index, kDeleteColumn);
      EXPECT_EQ(TakeBoxes(), std::vector<std::string>{Caption("userset", "deleteuser")}) << when;
    } else {  // rights: the camera tab's kinds, then OK
      int index = 1 + pick(USER_COUNT - 1);
      for (int n = 0; n < USER_COUNT && model.Free(index); ++n) index = 1 + index % (USER_COUNT - 1);
      if (model.Free(index)) continue;
      UserRecord& u = model.table.users[index];
      uint64_t work[8];
      std::memcpy(work, &u.chanMasks[1], sizeof work);
      FromPage([&] { ClickRecord(index, kRightColumn); }, [&](WindowHandle dlg) {
        const WindowHandle sheet = GetDlgItem(dlg, kSheet);
        ASSERT_TRUE(systest::ClickTab(sheet, kCameraTab)) << when;
        const WindowHandle cam = systest::ActivePage(sheet);
        if (!model.shown)
          for (int bit = 0; bit < 64; ++bit)
            if (IsWindowVisible(GetDlgItem(cam, systest::ChanBoxOf(bit)))) model.shown |= 1ull << bit;
        int kind = 0;
        for (int n = 0; n < 4; ++n) {
          const uint64_t m = (static_cast<uint64_t>(rng()) << 32 | rng()) & model.shown;
          systest::ClickChanBoxesTo(cam, m, model.shown);
          const int next = n == 3 ? kind : (pick(2) == 0 ? 3 + 4 * pick(2) : pick(8));
          // The same kind chosen again is no change: the boxes stay as
          // clicked and nothing is stored until a change or OK.
          if (n < 3 && next == kind) {
            EXPECT_TRUE(livetest::Pick(cam, kKind, next)) << when;
            EXPECT_EQ(getCheckedChanMask(cam), m) << when;
            continue;
          }
          // What the kind's store does: local backup keeps local playback.
          if (kind == 3) {
            work[3] = m | work[7];
          } else if (kind == 7) {
            work[7] = m;
            work[3] |= m;
          } else {
            work[kind] = m;
          }
          if (n < 3) {
            EXPECT_TRUE(livetest::Pick(cam, kKind, next)) << when;
            EXPECT_EQ(getCheckedChanMask(cam), work[next] & model.shown) << when;
            kind = next;
          } else {
            systest::ClickClosing(cam, kOk);
          }
        }
      });
      std::memcpy(&u.chanMasks[1], work, sizeof work);
    }
    const std::vector<std::string> boxes = TakeBoxes();
    if (op <= 2) {
      EXPECT_EQ(boxes.size(), want ? 1u : 0u) << when << " code " << std::hex << want;
      if (want && !TextOf(want, add).empty() && !boxes.empty()) {
        EXPECT_EQ(boxes[0], TextOf(want, add)) << when;
      }
    }
    ExpectSame(model.table, when);
    if (HasFailure()) break;
  }
  if (livetest::RandomSteps(200) == 200) {
    EXPECT_TRUE(wasFull) << "the run never filled the 32 records";
  }
  ClosePage();
}

TEST_F(Users, AFullTableRefusesTheAddButtonAndTheListShowsEveryUser) {
  UserConfig t = DeviceTable();
  for (int i = 2; i < USER_COUNT; ++i) {
    std::snprintf(t.users[i].name, sizeof t.users[i].name, "user%02d", i);
    std::snprintf(t.users[i].password, sizeof t.users[i].password, "pw");
  }
  ASSERT_EQ(setUserConfig(nullptr, &t, 0), 0);
  OpenPage();
  EXPECT_EQ(SendDlgItemMessage(page_, kList, LVM_GETITEMCOUNT, 0, 0), USER_COUNT);
  livetest::Click(page_, kAdd);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{Caption("userset", "user_limit")});
  // The administrator's delete and rights cells do nothing.
  const UserConfig before = DeviceTable();
  ClickRecord(0, kDeleteColumn);
  ClickRecord(0, kRightColumn);
  EXPECT_EQ(GetActiveWindow(), win_);
  EXPECT_TRUE(TakeBoxes().empty());
  const UserConfig after = DeviceTable();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  // The last user is reached by the wheel and can be deleted.
  livetest::BoxAnswer() = IDYES;
  ClickRecord(USER_COUNT - 1, kDeleteColumn);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{Caption("userset", "deleteuser")});
  EXPECT_EQ(DeviceTable().users[USER_COUNT - 1].name[0], '\0');
  EXPECT_EQ(SendDlgItemMessage(page_, kList, LVM_GETITEMCOUNT, 0, 0), USER_COUNT - 1);
  ClosePage();
}

TEST_F(Users, AFailedWriteShowsItsCodeAndTheListShowsNoUnsavedUser) {
  livetest::BoxAnswer() = IDYES;
  OpenPage();
  device_seam::overrideAnswer(setUserConfig, 0x200999);
  ClickRecord(1, kDeleteColumn);
  device_seam::clearOverrides();
  const std::vector<std::string> boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[1].find(std::to_string(0x200999)), std::string::npos) << boxes[1];
  EXPECT_EQ(SendDlgItemMessage(page_, kList, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_STREQ(getCachedUserConfig()->users[1].name, "guest");
  // Any answer but Yes keeps the user.
  livetest::BoxAnswer() = IDOK;
  ClickRecord(1, kDeleteColumn);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{Caption("userset", "deleteuser")});
  EXPECT_STREQ(DeviceTable().users[1].name, "guest");
  ClosePage();
}

// A MAC address that is not six whole bytes gets the dialog's own hint
// and the focus, in both dialogs; nothing is written.
TEST_F(Users, ABadMacAddressNamesTheFieldAndTakesTheFocus) {
  OpenPage();
  const UserConfig before = DeviceTable();
  const struct {
    const char* section;
    int nameId, passwordId, confirmId, macId;
    std::function<void()> open;
  } rows[] = {{"useradd", kAddName, kAddPassword, kAddConfirm, kAddMac, [this] { livetest::Click(page_, kAdd); }},
              {"usermodify", kModName, kModPassword, kModConfirm, kModMac,
               [this] { ClickRecord(1, kModifyColumn); }}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.section);
    TakeBoxes();
    bool focused = false, stayed = false;
    FromPage(row.open, [&](WindowHandle dlg) {
      SetDlgItemText(dlg, row.nameId, "mac_user");
      SetDlgItemText(dlg, row.passwordId, "p1");
      SetDlgItemText(dlg, row.confirmId, "p1");
      SetDlgItemText(dlg, row.macId, "zz:34:56:78:9a:bc");  // one byte no hex
      livetest::ClickItem(dlg, kOk);
      livetest::PumpUntil([] { return !livetest::Boxes().empty(); });
      stayed = GetActiveWindow() == dlg;
      const WindowHandle focus = GetFocusChild(dlg);
      focused = focus == GetDlgItem(dlg, row.macId) || GetParent(focus) == GetDlgItem(dlg, row.macId);
    });
    std::string item = Caption(row.section, "usermac");
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"Please enter a valid " + item + "!"});
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(focused);
  }
  const UserConfig after = DeviceTable();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  ClosePage();
}

TEST_F(Users, TheSystemMenuItemOpensThePageAndOthersChangeOnlyTheirOwnPassword) {
  EXPECT_EQ(findPage(APP_MENU_SYSTEM, "userset"), createUserSetWindow);
  setLoginState(3, 1, 0);
  host_ = Main({0, 0, 8, 8}, MenuHostProc);
  ASSERT_EQ(openMenuPage(APP_MENU_SYSTEM, "userset", host_), 0);
  win_ = getSystemPageWnd();
  ASSERT_NE(win_, GUI_INVALID_HANDLE);
  const WindowHandle sheet = GetDlgItem(win_, kSheet);
  EXPECT_EQ(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0), 1);
  page_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 0, 0));
  EXPECT_EQ(GetDlgItem(page_, kList), 0);
  struct Row {
    const char *old, *password, *confirm, *key;
    const char* oldLeft;  // what the old-password field holds afterwards
    const char* confirmLeft;
  };
  const Row rows[] = {{"wrong", "n1", "n1", "oldpasswderror", "", "n1"},
                      {"73916", "", "", "passwdnull", "73916", ""},
                      {"73916", "n1", "n2", "passwdmismatch", "73916", ""},
                      {"73916", "0123456789abcdef", "0123456789abcdef", nullptr, "73916", "0123456789abcdef"}};
  for (const Row& row : rows) {
    SetDlgItemText(page_, kOwnOld, row.old);
    SetDlgItemText(page_, kOwnNew, "");
    SetDlgItemText(page_, kOwnConfirm, row.confirm);
    EXPECT_TRUE(systest::TypeInto(page_, kOwnNew, row.password)) << row.password;
    EXPECT_TRUE(livetest::Enabled(page_, kApply)) << row.password;
    livetest::Click(page_, kApply);
    const std::vector<std::string> boxes = TakeBoxes();
    EXPECT_EQ(systest::TextOf(page_, kOwnOld), row.oldLeft);
    EXPECT_EQ(systest::TextOf(page_, kOwnConfirm), row.confirmLeft);
    if (row.key) {
      EXPECT_EQ(boxes, std::vector<std::string>{Caption("userset", row.key)});
      EXPECT_EQ(std::string(DeviceTable().users[1].password, 5), "73916");
    } else {
      EXPECT_TRUE(boxes.empty());
      EXPECT_FALSE(livetest::Enabled(page_, kApply));
    }
  }
  // Sixteen bytes, no terminator, and the login takes them.
  EXPECT_EQ(std::memcmp(DeviceTable().users[1].password, "0123456789abcdef", 16), 0);
  EXPECT_EQ(loginDevice("guest", "0123456789abcdef", 0, 0, 0, nullptr, 0), 0);
  ClosePage();
}

// Dialogs first: a page closed by 102 releases the test thread's queue.
// OK on any tab of the rights dialog keeps the edits of every tab changed:
// a local right, a remote right and a preview channel, each on its own tab.
TEST_F(Users, RightsOkOnAnyTabKeepsTheEditsOfEveryTab) {
  constexpr int kLocalLog = 20528, kRemoteLog = 20544, kIndex = 1;
  for (int okTab = 0; okTab <= kCameraTab; ++okTab) {
    SCOPED_TRACE(okTab);
    UserConfig table = DeviceTable();
    UserRecord& before = table.users[kIndex];
    before.rights &= ~(RIGHT_LOCAL_LOG | RIGHT_REMOTE_LOG);
    before.chanMasks[1] = 0;
    ASSERT_EQ(setUserConfig(nullptr, &table, 0), 0);
    RefreshCache();
    setUserDlgArgs(kIndex, 1);
    InDialog(createUserRightDialog, [&](WindowHandle dlg) {
      const WindowHandle sheet = GetDlgItem(dlg, kSheet);
      const int boxes[] = {kLocalLog, kRemoteLog, systest::ChanBoxOf(2)};
      for (int tab = 0; tab <= kCameraTab; ++tab) {
        ASSERT_TRUE(systest::ClickTab(sheet, tab));
        livetest::Click(systest::ActivePage(sheet), boxes[tab]);
      }
      ASSERT_TRUE(systest::ClickTab(sheet, okTab));
      systest::ClickClosing(systest::ActivePage(sheet), kOk);
    });
    const UserRecord after = DeviceTable().users[kIndex];
    EXPECT_EQ(after.rights & (RIGHT_LOCAL_LOG | RIGHT_REMOTE_LOG), RIGHT_LOCAL_LOG | RIGHT_REMOTE_LOG);
    EXPECT_EQ(after.chanMasks[1], 1ull << 2);
  }
}

// A table the device refuses is told on each tab, by OK and by Apply: the
// dialog stays open with Apply lit, and the device keeps the rights it had.
TEST_F(Users, RightsRefusedOnAnyTabAreToldAndNotTakenAsKept) {
  constexpr int kLocalLog = 20528, kRemoteLog = 20544, kIndex = 1;
  const int boxes[] = {kLocalLog, kRemoteLog, systest::ChanBoxOf(2)};
  for (int button : {kOk, kApply})
    for (int tab = 0; tab <= kCameraTab; ++tab) {
      SCOPED_TRACE(std::to_string(button) + " on tab " + std::to_string(tab));
      RefreshCache();
      const UserRecord before = DeviceTable().users[kIndex];
      setUserDlgArgs(kIndex, 1);
      TakeBoxes();
      InDialog(createUserRightDialog, [&](WindowHandle dlg) {
        const WindowHandle sheet = GetDlgItem(dlg, kSheet);
        ASSERT_TRUE(systest::ClickTab(sheet, tab));
        const WindowHandle page = systest::ActivePage(sheet);
        livetest::Click(page, boxes[tab]);
        device_seam::overrideAnswer(setUserConfig, 0x200999);
        livetest::Click(page, button);
        device_seam::clearOverrides();
        const std::vector<std::string> told = TakeBoxes();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(std::to_string(0x200999)), std::string::npos) << told[0];
        EXPECT_TRUE(IsWindow(dlg));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, kApply)));
      });
      const UserRecord after = DeviceTable().users[kIndex];
      EXPECT_EQ(after.rights, before.rights);
      EXPECT_EQ(after.chanMasks[1], before.chanMasks[1]);
    }
}

TEST_F(Users, PagesAndDialogsOnScreen) {
  const auto shoot = [&](int (*open)(WindowHandle), const char* name, int page) {
    InDialog(open, [&](WindowHandle dlg) {
      if (page >= 0) {
        EXPECT_TRUE(systest::ClickTab(GetDlgItem(dlg, kSheet), page));
      }
      Rect d{};
      GetWindowRect(dlg, &d);
      desktest::Drain();
      livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(d));
    });
  };
  setUserDlgArgs(0, 2);
  shoot(createUserAddDialog, "useradd", -1);
  setUserDlgArgs(2, 0);
  shoot(createUserModifyDialog, "usermodify_admin", -1);
  setUserDlgArgs(3, 1);
  shoot(createUserRightDialog, "userright_camera", 2);
  OpenPage();
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "userset_admin", livetest::SettledGrab(r));
  ClosePage();
  setLoginState(3, 1, 0);
  OpenPage();
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "userset_change", livetest::SettledGrab(r));
  ClosePage();
}

}  // namespace

// The front panel's keys reach the list through the focus the page gives
// it: edit opens the modify dialog, check-all the rights, the row action
// asks before deleting, each for the row the list has selected.
TEST_F(Users, TheListKeysActOnTheSelectedRowThroughTheFocus) {
  UserConfig table = DeviceTable();
  std::strcpy(table.users[1].name, "night_shift");
  ASSERT_EQ(setUserConfig(nullptr, &table, 0), 0);
  RefreshCache();
  OpenPage();
  // A click on the row's name selects it and gives the list the focus.
  ClickRecord(1, kNameColumn);
  const WindowHandle list = GetDlgItem(page_, kList);
  ASSERT_EQ(GetFocusChild(page_), list);
  struct Row {
    int code;
    int fieldId;  // a control only the expected dialog has: the modify name, the rights sheet
  } rows[] = {{PANEL_KEY_EDIT, kModName}, {PANEL_KEY_CHECK_ALL, kSheet}};
  for (const Row& r : rows) {
    bool seen = false;
    FromPage([&] { livetest::PressKey(r.code); },
             [&](WindowHandle dlg) { seen = IsValidHandle(GetDlgItem(dlg, r.fieldId)); });
    EXPECT_TRUE(seen) << r.code;
  }
  livetest::BoxAnswer() = IDNO;
  livetest::PressKey(PANEL_KEY_ACTION);
  livetest::PumpUntil([] { return !livetest::Boxes().empty(); });
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{Caption("userset", "deleteuser")});
  EXPECT_EQ(std::string(DeviceTable().users[1].name), "night_shift") << "No deletes nothing";
  ClosePage();
}

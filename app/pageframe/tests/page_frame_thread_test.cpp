// The shared page frame as pages meet it: key hooks with and without an
// input helper open, the Apply helpers by notification code, a sheet page's
// standard answers and its Apply by the save's result, the hooks a page
// leaves out and the ones it gives, the defaults of missing layout records,
// a modal dialog's hooks and what it leaves to the default, a dialog sized
// by another record, the page window's menu slot by default and as a slot
// of its own says, and the two save-failed boxes.
#include <linux/input-event-codes.h>

#include <string>

#include "app/page_building.h"
#include "app/page_keys.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/propsheet.h"

namespace {

using livetest::Boxes;

constexpr int kOther = 700;
int g_hostCloses = 0;

LResult HostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    ++g_hostCloses;
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

struct Hook {
  const char* name;
  int (*hook)(WindowHandle, int, int);
  void (*setMenu)(WindowHandle);
  int focusId;
};

class PageFrame : public livetest::LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    g_hostCloses = 0;
  }
  WindowHandle Child(WindowHandle parent, const char* cls, int id, uint32_t style = WS_CHILD | WS_VISIBLE) {
    return CreateWindowEx(cls, "", style, 0, id, 0, 0, 40, 20, parent, 0);
  }
  WindowHandle FocusIn(WindowHandle menu) { return GetDlgCtrlID(GetFocusChild(menu)) == 0 ? 0 : GetFocusChild(menu); }
};

TEST_F(PageFrame, KeyHooksLeaveReturnToTheMenuOrPassTheKeyOn) {
  const Hook hooks[] = {{"system", systemPageHook, setSystemMenuWnd, 20224},
                        {"maintenance", maintenancePageHook, setMaintenanceMenuWnd, 20751},
                        {"record", recordPageHook, setRecordMenuWnd, 18447}};
  struct Row {
    int key;
    bool helper;
    int result;
    bool hostCloses, menuFocused;
  } rows[] = {{KEY_ESC, false, 0, true, false},  {KEY_ESC, true, 0, true, false},
              {KEY_LEFT, false, 0, false, true},    {KEY_LEFT, true, -1, false, false},
              {KEY_RIGHT, false, 0, false, false},  {KEY_RIGHT, true, -1, false, false},
              {50, false, -1, false, false}};
  for (const Hook& h : hooks) {
    const WindowHandle host = Main({0, 0, 40, 40}, HostProc);
    const WindowHandle menu = Main({0, 0, 200, 200}, DefaultMainWinProc);
    Child(menu, "button", kOther);
    Child(menu, "button", h.focusId);
    MainWinCreate create = MainWindowCreation({200, 0, 300, 100}, DefaultMainWinProc, "", WS_VISIBLE, 0);
    create.hHosting = host;
    const WindowHandle page = CreateMainWindow(&create);
    windows_.push_back(page);
    h.setMenu(menu);
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(h.name) + " key " + std::to_string(row.key) + (row.helper ? " helper" : ""));
      SetFocusChild(GetDlgItem(menu, kOther));
      g_hostCloses = 0;
      if (row.helper) CloseInputHelpersHeld();
      EXPECT_EQ(h.hook(page, row.key, 0), row.result);
      ClearInputHelperState();
      EXPECT_EQ(g_hostCloses, row.hostCloses ? 1 : 0);
      EXPECT_EQ(GetDlgCtrlID(GetFocusChild(menu)), row.menuFocused ? h.focusId : kOther);
    }
    // Without its menu the key stays with the page.
    h.setMenu(GUI_INVALID_HANDLE);
    EXPECT_EQ(h.hook(page, KEY_LEFT, 0), 0);
  }
}

TEST_F(PageFrame, ApplyHelpersEnableOnlyForTheirCodesAndAnswerTheCodeOtherwise) {
  const WindowHandle page = Main({0, 0, 200, 100}, DefaultMainWinProc);
  const WindowHandle apply = Child(page, "button", PAGE_ID_APPLY, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  struct Row {
    const char* name;
    LResult (*helper)(WindowHandle, WParam, LParam);
    int codes[6];
    bool enables[6];
  } rows[] = {{"any", enableApply, {0, 1, 2, 3, 5, 9}, {true, true, true, true, true, true}},
              {"selChange", enableApplyOnNotify1, {0, 1, 2, 3, 5, 9}, {false, true, false, false, false, false}},
              {"selOrEditChange", enableApplyOnNotify1Or5, {0, 1, 2, 3, 5, 9},
               {false, true, false, false, true, false}},
              {"change", enableApplyOnChange, {0, 1, 2, 3, 5, 9}, {false, false, false, true, false, false}}};
  for (const Row& row : rows)
    for (int i = 0; i < 6; ++i) {
      SCOPED_TRACE(std::string(row.name) + " code " + std::to_string(row.codes[i]));
      EnableWindow(apply, FALSE);
      const WParam wParam = (static_cast<WParam>(row.codes[i]) << 16) | 20001u;
      const LResult result = row.helper(page, wParam, 0);
      EXPECT_EQ(IsWindowEnabled(apply) != FALSE, row.enables[i]);
      if (!row.enables[i]) {
        EXPECT_EQ(result, row.codes[i]);
      }
    }
}

int g_saveResult = 0;
int g_reported = 0;
const pageframe::PageHooks kHooks{[](WindowHandle) {}, [](WindowHandle, WParam, LParam) {},
                                  [](WindowHandle, int, int) {}, [](WindowHandle) { return g_saveResult; },
                                  [](WindowHandle, int code) { g_reported = code; }, nullptr};

TEST_F(PageFrame, SheetPagesAnswerTheSheetAndApplyStaysOnAfterAFailedSave) {
  const WindowHandle page = Main({0, 0, 200, 100}, pageframe::pageProc<kHooks>);
  const WindowHandle apply = Child(page, "button", PAGE_ID_APPLY);
  EXPECT_EQ(pageframe::runPage(kHooks, page, MSG_QUERYPAGE, 0, 0), 1);
  EXPECT_EQ(pageframe::runPage(kHooks, page, MSG_SHEETCMD, 0, 0), 0);
  for (int code : {0x200011, -1, 0}) {
    g_saveResult = code;
    g_reported = 0;
    EnableWindow(apply, TRUE);
    livetest::Click(page, PAGE_ID_APPLY);
    EXPECT_EQ(g_reported, code) << code;
    EXPECT_EQ(IsWindowEnabled(apply) != FALSE, code != 0) << code;
  }
}

int g_inits = 0;
const pageframe::PageHooks kBareHooks{[](WindowHandle) { ++g_inits; }};

TEST_F(PageFrame, AHookLeftOutSavesAsASuccessAndIgnoresTheRest) {
  const WindowHandle page = Main({0, 0, 200, 100}, pageframe::pageProc<kBareHooks>);
  const WindowHandle apply = Child(page, "button", PAGE_ID_APPLY);
  g_inits = 0;
  EXPECT_EQ(pageframe::pageProc<kBareHooks>(page, MSG_INITPAGE, 0, 0), 0);
  EXPECT_EQ(g_inits, 1);
  for (WParam id : {static_cast<WParam>(kOther), static_cast<WParam>(PAGE_ID_EXIT) | (1u << 16)})
    EXPECT_EQ(pageframe::pageProc<kBareHooks>(page, MSG_COMMAND, id, 0), 0);
  EXPECT_EQ(g_hostCloses, 0);
  EXPECT_TRUE(IsWindowEnabled(apply));
  livetest::Click(page, PAGE_ID_APPLY);
  EXPECT_FALSE(IsWindowEnabled(apply));
  EXPECT_TRUE(Boxes().empty());
}

struct Seen {
  int commands, cancels, keys, paints, timer, destroys, ownMessages;
  bool childAliveAtDestroy;
} g_seen{};
constexpr int kOwnMessage = 2062;  // a message the page answers itself
constexpr LResult kOwnAnswer = 42;
WindowHandle g_child = 0;
const pageframe::PageHooks kFullHooks{[](WindowHandle) {},
                                      nullptr,
                                      [](WindowHandle, int, int) { ++g_seen.commands; },
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      [](WindowHandle) { ++g_seen.cancels; },
                                      [](WindowHandle, int key) { g_seen.keys = key; },
                                      [](WindowHandle h) {
                                        ++g_seen.paints;
                                        beginEndPaint(h);  // as a page's painting does
                                      },
                                      [](WindowHandle, int id) { g_seen.timer = id; },
                                      [](WindowHandle) {
                                        ++g_seen.destroys;
                                        g_seen.childAliveAtDestroy = IsValidHandle(g_child);
                                      },
                                      [](WindowHandle, int message, WParam, LParam, LResult* answer) {
                                        if (message != kOwnMessage) return false;
                                        ++g_seen.ownMessages;
                                        *answer = kOwnAnswer;
                                        return true;
                                      }};

TEST_F(PageFrame, PageHooksSeeTheirMessagesAndTheDefaultStillRuns) {
  g_seen = {};
  // Destroyed by the test itself, so not left to the fixture.
  MainWinCreate create = MainWindowCreation({0, 0, 200, 100}, pageframe::pageProc<kFullHooks>, "", WS_VISIBLE, 0);
  const WindowHandle page = CreateMainWindow(&create);
  ASSERT_TRUE(IsValidHandle(page));
  g_child = Child(page, "button", kOther);
  // Escape reaches the key hook and goes on to the default page procedure,
  // which turns it into Cancel: that reaches the cancel hook alone.
  ASSERT_EQ(GetActiveWindow(), page);
  livetest::PressKey(KEY_ESC);
  EXPECT_TRUE(livetest::PumpUntil([] { return g_seen.cancels == 1; }));
  EXPECT_EQ(g_seen.keys, KEY_ESC);
  EXPECT_EQ(g_seen.commands, 0);
  livetest::ClickItem(page, kOther);
  EXPECT_TRUE(livetest::PumpUntil([] { return g_seen.commands == 1; }));
  EXPECT_EQ(SendMessage(page, MSG_TIMER, 8193, 0), 0);
  EXPECT_EQ(g_seen.timer, 8193);
  const int paints = g_seen.paints;  // the click may have painted the page
  SendMessage(page, MSG_PAINT, 0, 0);
  EXPECT_EQ(g_seen.paints, paints + 1);
  // A message beyond the hooks is the page's own, answered as it says; the
  // others passed it by.
  EXPECT_EQ(SendMessage(page, kOwnMessage, 0, 0), kOwnAnswer);
  EXPECT_EQ(g_seen.ownMessages, 1);
  // The destroy hook runs while the controls are still there.
  DestroyMainWindow(page);
  MainWindowThreadCleanup(page);
  EXPECT_EQ(g_seen.destroys, 1);
  EXPECT_TRUE(g_seen.childAliveAtDestroy);
}

struct DialogSeen {
  int commands, closes, timer, keys;
  bool mayEnd;
} g_dialogSeen{};
constexpr int kEndedByHook = 5;
void CountCommand(WindowHandle, int, int) { ++g_dialogSeen.commands; }
const pageframe::DialogHooks kBareDialogHooks{};
const pageframe::DialogHooks kFullDialogHooks{
    nullptr,
    pageframe::takesAll<CountCommand>,
    nullptr,
    [](WindowHandle dialog) {
      ++g_dialogSeen.closes;
      if (g_dialogSeen.mayEnd) EndDialog(dialog, kEndedByHook);
    },
    [](WindowHandle, int id) { g_dialogSeen.timer = id; },
    [](WindowHandle, int message, WParam, LParam, LResult* answer) {
      if (message != MSG_KEYDOWN) return false;
      ++g_dialogSeen.keys;
      *answer = 7;
      return true;
    }};

TEST_F(PageFrame, DialogHooksTakeTheirMessagesFirstAndLeaveTheRestToTheDefault) {
  g_dialogSeen = {};
  DlgTemplate tmpl = pageframe::dialogTemplate("nosuchsection");
  tmpl.w = 200;
  tmpl.h = 100;
  const auto open = [&tmpl](WindowHandle owner) {
    return pageframe::runDialog(tmpl, owner, pageframe::dialogProc<kFullDialogHooks>);
  };
  const int result = RunInLoop(open, [] {
    const WindowHandle dialog = GetActiveWindow();
    // Escape is the message hook's before the default turns it into
    // Cancel; Cancel itself goes to a command hook that takes all.
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(livetest::PumpUntil([] { return g_dialogSeen.keys == 1; }));
    EXPECT_EQ(g_dialogSeen.closes, 0);
    EXPECT_EQ(SendMessage(dialog, MSG_KEYDOWN, KEY_ESC, 0), 7);
    // A Cancel button clicked through the host's input.
    CreateWindowEx("button", "Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, IDCANCEL, 10, 10, 80, 24, dialog, 0);
    livetest::Click(dialog, IDCANCEL);
    EXPECT_TRUE(livetest::PumpUntil([] { return g_dialogSeen.commands == 1; }));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the command hook took Cancel";
    EXPECT_EQ(SendMessage(dialog, MSG_TIMER, 8193, 0), 0);
    EXPECT_EQ(g_dialogSeen.timer, 8193);
    // Closing is the hook's: the dialog ends only when the hook ends it.
    SendMessage(dialog, MSG_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    g_dialogSeen.mayEnd = true;
    SendMessage(dialog, MSG_CLOSE, 0, 0);
  });
  EXPECT_EQ(result, kEndedByHook);
  EXPECT_EQ(g_dialogSeen.closes, 2);
  // Hooks left out fall to the defaults without a call through null.
  const WindowHandle bare = Main({0, 0, 200, 100}, pageframe::dialogProc<kBareDialogHooks>);
  for (int message : {MSG_INITDIALOG, MSG_COMMAND, MSG_ERASEBKGND, MSG_TIMER, MSG_KEYDOWN})
    SendMessage(bare, message, 0, 0);
  EXPECT_TRUE(IsWindow(bare));
  EXPECT_EQ(g_dialogSeen.commands, 1);
}

TEST_F(PageFrame, ADialogCanBeSizedByAnotherRecordOfItsSection) {
  const CtrlResInfo* r = pageframe::record("disk_localhdset", "win_localhdset");
  ASSERT_NE(r, nullptr);
  struct Row {
    const char* key;
    int output;
    int w, h;
  } rows[] = {{"win_localhdset", 3, r->w, r->h}, {"win_localhdset", 1, r->w, r->h}, {"nosuchkey", 1, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + " on " + std::to_string(row.output));
    const DlgTemplate t = pageframe::dialogTemplate("disk_localhdset", row.key, row.output);
    EXPECT_EQ(t.w, row.w);
    EXPECT_EQ(t.h, row.h);
    EXPECT_EQ(t.x, (getScreenWidth(row.output) - row.w) / 2);
    EXPECT_EQ(t.y, (getScreenHeight(row.output) - row.h) / 2);
  }
  const DlgTemplate own = pageframe::dialogTemplate("previewset");
  const DlgTemplate byKey = pageframe::dialogTemplate("previewset", "win_previewset", getCurOutput());
  EXPECT_STREQ(own.caption, byKey.caption);
  EXPECT_EQ(own.x, byKey.x);
  EXPECT_EQ(own.w, byKey.w);
}

const pageframe::SheetPage kPreviewPages[] = {{"base", DefaultPageProc, nullptr},
                                              {"view", DefaultPageProc, nullptr}};
const pageframe::PageWindow kPreviewWindow{"previewset", kPreviewPages, pageframe::kSystemSlot};

TEST_F(PageFrame, APageWindowHoldsItsMenuSlotOnlyWhileItIsOpen) {
  const WindowHandle host = Main({0, 0, 200, 100}, HostProc);
  const WindowHandle other = Main({0, 0, 20, 20}, DefaultMainWinProc);
  for (int way : {MSG_CLOSE, MSG_DESTROY}) {
    SCOPED_TRACE(way);
    setSystemPageWnd(GUI_INVALID_HANDLE);
    ASSERT_EQ(pageframe::openWindow<kPreviewWindow>(host), 0);
    const WindowHandle page = getSystemPageWnd();
    ASSERT_TRUE(IsValidHandle(page));
    EXPECT_EQ(SendDlgItemMessage(page, PAGE_ID_SHEET, PSM_GETPAGECOUNT, 0, 0), 2);
    // Escape reaches the system menu's hook, which closes the host.
    g_hostCloses = 0;
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(livetest::PumpUntil([] { return g_hostCloses == 1; }));
    if (way == MSG_CLOSE) {
      SendMessage(page, MSG_CLOSE, 0, 0);
    } else {
      DestroyMainWindow(page);
      MainWindowThreadCleanup(page);
    }
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  }
  // A window going that no longer holds the slot leaves it to its holder.
  ASSERT_EQ(pageframe::openWindow<kPreviewWindow>(host), 0);
  const WindowHandle page = getSystemPageWnd();
  setSystemPageWnd(other);
  SendMessage(page, MSG_CLOSE, 0, 0);
  EXPECT_EQ(getSystemPageWnd(), other);
  setSystemPageWnd(GUI_INVALID_HANDLE);
}

int g_entered = 0, g_left = 0;
const pageframe::PageSlot kOwnSlot{getSystemPageWnd,
                                   setSystemPageWnd,
                                   systemPageHook,
                                   [](WindowHandle w) {
                                     ++g_entered;
                                     setSystemPageWnd(w);
                                   },
                                   [](WindowHandle) { ++g_left; }};
const pageframe::PageWindow kOwnSlotWindow{"previewset", kPreviewPages, kOwnSlot};

TEST_F(PageFrame, ASlotOfItsOwnTakesAndGivesBackAsItSays) {
  const WindowHandle host = Main({0, 0, 200, 100}, HostProc);
  for (int way : {MSG_CLOSE, MSG_DESTROY}) {
    SCOPED_TRACE(way);
    g_entered = g_left = 0;
    setSystemPageWnd(GUI_INVALID_HANDLE);
    ASSERT_EQ(pageframe::openWindow<kOwnSlotWindow>(host), 0);
    const WindowHandle page = getSystemPageWnd();
    ASSERT_TRUE(IsValidHandle(page));
    EXPECT_EQ(g_entered, 1);
    if (way == MSG_CLOSE) {
      SendMessage(page, MSG_CLOSE, 0, 0);
      EXPECT_EQ(g_left, 1);
    } else {
      DestroyMainWindow(page);
      MainWindowThreadCleanup(page);
      EXPECT_EQ(g_left, 0);
    }
    // However it went, no handle of it stays behind to name a later window.
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  }
  setSystemPageWnd(GUI_INVALID_HANDLE);
}

// What the hooks of a window saw: the sheet's pages when each saw
// MSG_INITDIALOG, and the Escapes the first one took.
int g_pagesBefore = -1, g_pagesAfter = -1, g_escapesTaken = 0;
int sheetPages(WindowHandle window) {
  const WindowHandle sheet = GetDlgItem(window, PAGE_ID_SHEET);
  return IsValidHandle(sheet) ? static_cast<int>(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0)) : 0;
}
const pageframe::PageWindow kHookedWindow{
    "previewset", kPreviewPages, pageframe::kSystemSlot,
    [](WindowHandle window, int message, WParam wParam, LParam, LResult* answer) {
      if (message == MSG_INITDIALOG) g_pagesBefore = sheetPages(window);
      if (message != MSG_KEYDOWN || wParam != KEY_ESC) return false;
      ++g_escapesTaken;
      *answer = 0;
      return true;
    },
    [](WindowHandle window, int message, WParam, LParam) {
      if (message == MSG_INITDIALOG) g_pagesAfter = sheetPages(window);
    }};

TEST_F(PageFrame, AWindowsHooksRunBeforeAndAfterTheDefault) {
  const WindowHandle host = Main({0, 0, 200, 100}, HostProc);
  setSystemPageWnd(GUI_INVALID_HANDLE);
  g_hostCloses = g_escapesTaken = 0;
  ASSERT_EQ(pageframe::openWindow<kHookedWindow>(host), 0);
  const WindowHandle page = getSystemPageWnd();
  ASSERT_TRUE(IsValidHandle(page));
  EXPECT_EQ(g_pagesBefore, 0);
  EXPECT_EQ(g_pagesAfter, 2);
  // A key the window takes never reaches the menu's hook.
  livetest::PressKey(KEY_ESC);
  EXPECT_TRUE(livetest::PumpUntil([] { return g_escapesTaken == 1; }));
  EXPECT_EQ(g_hostCloses, 0);
  // What it leaves goes on to the default, which gives the slot back.
  SendMessage(page, MSG_CLOSE, 0, 0);
  EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
}

TEST_F(PageFrame, MissingRecordsLeaveTheDefaultsAndSkipWhatTheyPlace) {
  const DlgTemplate page = pageframe::pageTemplate("nosuchpage");
  EXPECT_STREQ(page.caption, "");
  EXPECT_EQ(page.x | page.y | page.w | page.h, 0);
  const DlgTemplate dialog = pageframe::dialogTemplate("nosuchpage");
  EXPECT_EQ(dialog.w | dialog.h, 0);
  EXPECT_EQ(dialog.x, getScreenWidth(3) / 2);
  EXPECT_EQ(dialog.y, getScreenHeight(3) / 2);

  const WindowHandle window = Main({0, 0, 600, 400}, DefaultMainWinProc);
  EXPECT_EQ(pageframe::buildSheet(window, "nosuchpage", nullptr, 0), 0u);
  EXPECT_EQ(pageframe::createFromKey(window, "previewset", {"button", "nosuchkey", WS_CHILD, 0, 5000, false}), 0u);
  const pageframe::SheetPage pages[] = {{"base", DefaultPageProc, nullptr},
                                        {"nosuch", DefaultPageProc, nullptr},
                                        {"view", DefaultPageProc, [] { return false; }},
                                        {"nosuchkept", DefaultPageProc, nullptr, true}};
  const WindowHandle sheet = pageframe::buildSheet(window, "previewset", pages, 4);
  ASSERT_NE(sheet, 0u);
  // A page kept without its record comes after the recorded one, untitled.
  EXPECT_EQ(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(sheet, PSM_GETTITLELENGTH, 1, 0), 0);
  EXPECT_GT(SendMessage(sheet, PSM_GETTITLELENGTH, 0, 0), 0);
}

TEST_F(PageFrame, ADeclinedQuestionShowsNoSaveFailedBoxButTheReportAlwaysDoes) {
  const WindowHandle page = Main({0, 0, 200, 100}, DefaultMainWinProc);
  EXPECT_EQ(showSaveFailedCode(page, PAGE_CODE_DECLINED), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(reportSaveFailed(page, PAGE_CODE_DECLINED), 0);
  EXPECT_EQ(showSaveFailedCode(page, -1), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "Saving failed, error code: " + std::to_string(PAGE_CODE_DECLINED));
  EXPECT_EQ(Boxes()[1].text, "Saving failed, error code: -1");
  EXPECT_EQ(Boxes()[1].type, static_cast<uint32_t>(MSGBOX_ERROR));
  EXPECT_EQ(Boxes()[1].section + "/" + Boxes()[1].key, "commons/savefailed_code");
}

}  // namespace

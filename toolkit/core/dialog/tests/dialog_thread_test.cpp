// Dialogs and message boxes as message sequences: creation from templates,
// Tab and group moves, Escape, nested modal loops with their hosts'
// enable state, ending through the host's destruction, and every message
// box type with its shortcuts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <linux/input-event-codes.h>

#include "core/nonclient/tests/started_gui.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/window_attr.h"

namespace {

constexpr int kAct = 0x9001;  // a test action run inside a modal loop

std::function<void(WindowHandle)> g_onInit;
std::function<void(WindowHandle, WParam)> g_onAct;

LResult DialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  guitest::Log::Instance().Add({hwnd, msg, wParam, lParam});
  if (msg == MSG_INITDIALOG) {
    if (g_onInit) g_onInit(hwnd);
    return 1;
  }
  if (msg == kAct && g_onAct) {
    g_onAct(hwnd, wParam);
    return 0;
  }
  return DefaultDialogProc(hwnd, msg, wParam, lParam);
}

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;

CtrlData g_controls[] = {
    {"button", kButton, 10, 10, 80, 26, IDOK, "OK", 0, 0},
    {"static", WS_VISIBLE, 10, 40, 80, 20, 100, "label", 0, 0},
    {"button", kButton, 100, 10, 80, 26, IDCANCEL, "Cancel", 0, 0},
    {"button", kButton | WS_DISABLED, 190, 10, 80, 26, 3, "Off", 0, 0},
};

DlgTemplate Template(int count = 4) {
  return DlgTemplate{WS_BORDER, 0, 200, 200, 300, 120, "dialog", 0, 0, count, g_controls, 0};
}

class Dialogs : public guitest::StartedGui {
 protected:
  void TearDown() override {
    g_onInit = nullptr;
    g_onAct = nullptr;
    guitest::StartedGui::TearDown();
  }
  WindowHandle Item(WindowHandle dlg, int id) { return GetDlgItem(dlg, id); }
  void Key(WindowHandle dlg, int scan, LParam shift = 0) { SendMessage(dlg, MSG_KEYDOWN, scan, shift); }
};

TEST_F(Dialogs, TabAndGroupMovesSkipStaticAndDisabledItemsAndWrap) {
  DlgTemplate tpl = Template();
  WindowHandle dlg = CreateMainWindowIndirectParam(&tpl, 0, DialogProc, 0);
  ASSERT_NE(dlg, GUI_INVALID_HANDLE);
  windows_.push_back(dlg);
  EXPECT_EQ(GetFocusChild(dlg), Item(dlg, IDOK));
  Key(dlg, KEY_TAB);
  EXPECT_EQ(GetFocusChild(dlg), Item(dlg, IDCANCEL));
  Key(dlg, KEY_TAB);
  EXPECT_EQ(GetFocusChild(dlg), Item(dlg, IDOK));
  Key(dlg, KEY_TAB, 0x01);  // shift: backwards, round the end
  EXPECT_EQ(GetFocusChild(dlg), Item(dlg, IDCANCEL));
  Key(dlg, KEY_DOWN);
  EXPECT_EQ(GetFocusChild(dlg), Item(dlg, IDOK));
  EXPECT_EQ(GetNextDlgTabItem(dlg, 0, TRUE), Item(dlg, IDCANCEL));
  EXPECT_EQ(GetDlgCtrlID(Item(dlg, IDCANCEL)), IDCANCEL);
  EXPECT_EQ(SendDlgItemMessage(dlg, 55, MSG_GETDLGCODE, 0, 0), -1);
}

TEST_F(Dialogs, EscapeCancelsThroughItemTwoOrClosesWithoutIt) {
  DlgTemplate with = Template(), without = Template(2);
  WindowHandle a = CreateMainWindowIndirectParam(&with, 0, DialogProc, 0);
  WindowHandle b = CreateMainWindowIndirectParam(&without, 0, DialogProc, 0);
  windows_.push_back(a);
  windows_.push_back(b);
  Received(a, 0);
  Key(a, KEY_ESC);
  std::vector<SeenMessage> commands = Received(a, MSG_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, static_cast<WParam>(IDCANCEL));
  Key(b, KEY_ESC);
  EXPECT_EQ(Received(b, MSG_CLOSE).size(), 1u);
}

// While the auxiliary display is current, a dialog owned by a preview
// window is hosted by the main display's first preview window.
TEST_F(Dialogs, APreviewOwnerOnTheAuxiliaryDisplayHostsThroughTheMainDisplaysPreview) {
  const int mainOutput = getMainOutputHook(), auxOutput = getAuxOutputHook();
  ASSERT_NE(mainOutput, auxOutput);
  const WindowHandle mainPreview = Main({0, 0, 100, 100}, 0, "main live view", WS_EX_PREVIEW);
  ASSERT_EQ(FirstPreviewWindow(mainOutput), mainPreview);
  setCurOutputHook(auxOutput);
  const WindowHandle auxPreview = Main({0, 0, 100, 100}, 0, "aux live view", WS_EX_PREVIEW);
  const WindowHandle page = Main({20, 20, 200, 200}, 0, "page");
  DlgTemplate tpl = Template();
  const WindowHandle fromPreview = CreateMainWindowIndirectParam(&tpl, auxPreview, DialogProc, 0);
  const WindowHandle fromPage = CreateMainWindowIndirectParam(&tpl, page, DialogProc, 0);
  setCurOutputHook(mainOutput);
  const WindowHandle onMain = CreateMainWindowIndirectParam(&tpl, auxPreview, DialogProc, 0);
  for (WindowHandle dlg : {fromPreview, fromPage, onMain}) {
    ASSERT_NE(dlg, GUI_INVALID_HANDLE);
    windows_.push_back(dlg);
  }
  EXPECT_EQ(GetHosting(fromPreview), mainPreview);
  EXPECT_EQ(GetHosting(fromPage), page);
  EXPECT_EQ(GetHosting(onMain), auxPreview);
}

TEST_F(Dialogs, TemplatesClaimingControlsWithoutAnArrayAreRefused) {
  DlgTemplate tpl = Template();
  tpl.controls = nullptr;
  tpl.controlnr = 3;
  EXPECT_EQ(CreateMainWindowIndirectParam(&tpl, 0, DialogProc, 0), GUI_INVALID_HANDLE);
  EXPECT_EQ(DialogBoxIndirectParam(&tpl, 0, DialogProc, 0), -1);
}

// The outer dialog opens an inner one from inside its loop; each host is
// disabled while its dialog runs and enabled again after.
TEST_F(Dialogs, NestedModalLoopsDisableTheirHostsAndEndInOrder) {
  WindowHandle host = Main({0, 0, 200, 200}, 0);
  std::vector<std::string> seen;
  LParam inner = 0;
  DlgTemplate tpl = Template();
  g_onInit = [&](WindowHandle dlg) {
    WindowHandle h = GetHosting(dlg);
    seen.push_back(IsWindowEnabled(h) ? "host enabled" : "host disabled");
    PostMessage(dlg, kAct, h == host ? 1 : 2, 0);
  };
  g_onAct = [&](WindowHandle dlg, WParam which) {
    if (which == 1) {
      inner = DialogBoxIndirectParam(&tpl, dlg, DialogProc, 0);
      seen.push_back(IsWindowEnabled(dlg) ? "outer enabled" : "outer disabled");
      EndDialog(dlg, 7);
    } else {
      SendMessage(dlg, MSG_KEYDOWN, KEY_ESC, 0);
    }
  };
  LParam outer = DialogBoxIndirectParam(&tpl, host, DialogProc, 0);
  EXPECT_EQ(outer, 7);
  EXPECT_EQ(inner, IDCANCEL);
  EXPECT_EQ(seen, (std::vector<std::string>{"host disabled", "host disabled", "outer enabled"}));
  EXPECT_TRUE(IsWindowEnabled(host));
  EXPECT_FALSE(GetWindowExStyle(host) & WS_EX_MODALHOST);
  EXPECT_EQ(EndDialog(host, 1), FALSE);  // not a modal dialog
}

// Two modal dialogs over one host (the second opened from the first's
// loop, owned by the host): the host stays disabled until the last ends.
TEST_F(Dialogs, AHostStaysDisabledWhileAnyOfItsModalDialogsRuns) {
  WindowHandle host = Main({0, 0, 200, 200}, 0);
  std::vector<std::string> seen;
  DlgTemplate tpl = Template();
  int opened = 0;
  g_onInit = [&](WindowHandle dlg) { PostMessage(dlg, kAct, ++opened, 0); };
  g_onAct = [&](WindowHandle dlg, WParam which) {
    if (which == 1) {
      DialogBoxIndirectParam(&tpl, host, DialogProc, 0);
      seen.push_back(IsWindowEnabled(host) ? "host enabled" : "host disabled");
      EndDialog(dlg, 7);
    } else {
      EndDialog(dlg, 8);
    }
  };
  EXPECT_EQ(DialogBoxIndirectParam(&tpl, host, DialogProc, 0), 7);
  EXPECT_EQ(seen, (std::vector<std::string>{"host disabled"}));
  EXPECT_TRUE(IsWindowEnabled(host));
  EXPECT_FALSE(GetWindowExStyle(host) & WS_EX_MODALHOST);
}

TEST_F(Dialogs, DestroyingTheHostEndsItsModalDialog) {
  WindowHandle host = Main({0, 0, 200, 200}, 0);
  DlgTemplate tpl = Template();
  g_onInit = [](WindowHandle dlg) { PostMessage(dlg, kAct, 0, 0); };
  g_onAct = [host](WindowHandle, WParam) { DestroyMainWindow(host); };
  EXPECT_EQ(DialogBoxIndirectParam(&tpl, host, DialogProc, 0), IDCANCEL);
  EXPECT_FALSE(IsWindow(host));
}

// What the owner does to the box from inside the box's loop.
struct BoxStep {
  int message;
  WParam wParam;
};

std::vector<BoxStep> g_steps;
int g_stateInside = -1;
std::string g_firstCaption;

LResult OwnerProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kAct) {
    WindowHandle box = GetFirstHosted(hwnd);
    g_stateInside = GetMsgBoxState();
    WindowHandle first = GetNextDlgTabItem(box, 0, FALSE);
    g_firstCaption = first ? GetWindowCaption(first) : "";
    for (const BoxStep& s : g_steps) SendMessage(box, s.message, s.wParam, 0);
    return 0;
  }
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(Dialogs, MessageBoxesEndByButtonKeyOrCloseAsTheirTypeSays) {
  MainWinCreate create = MainWindowCreation({0, 0, 300, 300}, OwnerProc, "owner");
  WindowHandle owner = CreateMainWindow(&create);
  windows_.push_back(owner);
  const struct {
    uint32_t type;
    std::vector<BoxStep> steps;
    int result;
    const char* firstButton;
  } cases[] = {
      {MB_OK, {{MSG_KEYDOWN, KEY_ESC}}, IDOK, "OK"},
      {MB_OK, {{MSG_CLOSE, 0}}, IDOK, "OK"},
      {MB_YESNO, {{MSG_CHAR, 'a'}, {MSG_CHAR, 'y'}}, IDYES, "Yes"},
      {MB_YESNO, {{MSG_CLOSE, 0}}, IDNO, "Yes"},
      {MB_YESNOCANCEL, {{MSG_KEYDOWN, KEY_ESC}}, IDCANCEL, "Yes"},
      {MB_ABORTRETRYIGNORE, {{MSG_CLOSE, 0}}, IDIGNORE, "Abort"},
      {MB_RETRYCANCEL | MB_CANCELASBACK, {{MSG_CHAR, 'R'}}, IDRETRY, "Retry"},
      {MB_OKCANCEL | MB_ICONQUESTION, {{MSG_COMMAND, IDOK}}, IDOK, "OK"},
      {6, {{MSG_CLOSE, 0}}, IDOK, "OK"},
      {7 | MB_ALIGNBTMRIGHT, {{MSG_CHAR, 'n'}, {MSG_KEYDOWN, KEY_ESC}}, IDOK, "OK"},
  };
  for (const auto& c : cases) {
    g_steps = c.steps;
    g_stateInside = -1;
    PostMessage(owner, kAct, 0, 0);
    EXPECT_EQ(MessageBox(owner, "Text of the box", "Title", c.type), c.result) << "type " << c.type;
    EXPECT_EQ(g_stateInside, 1);
    EXPECT_EQ(g_firstCaption, c.firstButton);
    EXPECT_EQ(GetMsgBoxState(), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  Rect r = GetMsgBoxRect();
  EXPECT_EQ(r.right, 1024);  // the last one sat in the bottom-right corner
  EXPECT_EQ(r.bottom, 768);
}

TEST_F(Dialogs, ItemNumbersTextsAndTheDefaultButton) {
  CtrlData items[] = {
      {"button", kButton | BS_DEFPUSHBUTTON, 10, 10, 80, 26, IDOK, "OK", 0, 0},
      {"button", kButton, 100, 10, 80, 26, IDCANCEL, "Cancel", 0, 0},
      {"static", WS_VISIBLE, 10, 40, 80, 20, 10, "0x1F", 0, 0},
      {"static", WS_VISIBLE, 10, 60, 80, 20, 11, "-5", 0, 0},
      {"static", WS_VISIBLE, 10, 80, 80, 20, 12, "", 0, 0},
  };
  DlgTemplate tpl{WS_BORDER, 0, 200, 200, 300, 120, "items", 0, 0, 5, items, 0};
  WindowHandle dlg = CreateMainWindowIndirectParam(&tpl, 0, DialogProc, 0);
  windows_.push_back(dlg);
  BOOL ok = FALSE;
  EXPECT_EQ(GetDlgItemInt(dlg, 10, &ok, FALSE), 31u);
  EXPECT_TRUE(ok);
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, 11, &ok, TRUE)), -5);
  EXPECT_EQ(GetDlgItemInt(dlg, 12, &ok, FALSE), 0u);
  EXPECT_FALSE(ok);  // empty text
  EXPECT_EQ(GetDlgItemInt(dlg, 99, &ok, FALSE), 0u);
  EXPECT_FALSE(ok);
  int length = 0;
  char* text = GetDlgItemText2(dlg, 10, &length);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "0x1F");
  EXPECT_EQ(length, 4);
  std::free(text);
  EXPECT_EQ(SendMessage(dlg, MSG_DLG_GETDEFID, 0, 0), IDOK);
  EXPECT_EQ(SendMessage(dlg, MSG_DLG_SETDEFID, IDCANCEL, 0), IDOK);
  EXPECT_EQ(SendMessage(dlg, MSG_DLG_GETDEFID, 0, 0), IDCANCEL);
  EXPECT_EQ(SendMessage(dlg, MSG_DLG_SETDEFID, 10, 0), IDCANCEL);  // a static cannot be the default
  EXPECT_EQ(SendMessage(dlg, MSG_DLG_GETDEFID, 0, 0), IDCANCEL);
}

TEST_F(Dialogs, BuiltInWordsAnswerThemselvesUntilTranslated) {
  EXPECT_STREQ(GetSysText("Cancel"), "Cancel");
  const char* german[] = {"Schliessen", "OK", "Weiter", "Abbrechen", "Zurueck", "Ja", "Nein", "Abbruch", "Wiederholen", "Ignorieren"};
  local_SysText = german;
  EXPECT_STREQ(GetSysText("Cancel"), "Abbrechen");
  EXPECT_STREQ(GetSysText("cancel"), "cancel");
  local_SysText = SysText;
}

}  // namespace

// A quit that reaches the modal loop ends the dialog as cancelled and is
// handed on, so the loop of the window below ends as well.
TEST_F(Dialogs, AQuitInsideTheModalLoopEndsTheDialogAndReachesTheLoopBelow) {
  WindowHandle host = Main({0, 0, 200, 200}, 0);
  DlgTemplate tpl = Template();
  g_onInit = [](WindowHandle dlg) { PostQuitMessage(dlg); };
  EXPECT_EQ(DialogBoxIndirectParam(&tpl, host, DialogProc, 0), IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(host));
  Message m;
  EXPECT_EQ(GetMessage(&m, host), FALSE);
}

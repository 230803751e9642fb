// The shared page frame as pages meet it: key hooks with and without an
// input helper open, the Apply helpers by notification code, a sheet page's
// standard answers and its Apply by the save's result, the defaults of
// missing layout records, and the two save-failed boxes.
#include <string>

#include "app/page_keys.h"
#include "app/pageframe/page_frame.h"
#include "app/testing/page_harness.h"
#include "gui/control_paint.h"
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
              {"notify1", enableApplyOnNotify1, {0, 1, 2, 3, 5, 9}, {false, true, false, false, false, false}},
              {"notify1or5", enableApplyOnNotify1Or5, {0, 1, 2, 3, 5, 9}, {false, true, false, false, true, false}},
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
  const WindowHandle page = Main({0, 0, 200, 100}, DefaultMainWinProc);
  const WindowHandle apply = Child(page, "button", PAGE_ID_APPLY);
  EXPECT_EQ(pageframe::runPage(kHooks, page, 298, 0, 0), 1);
  EXPECT_EQ(pageframe::runPage(kHooks, page, MSG_SHEETCMD, 0, 0), 0);
  for (int code : {0x200011, -1, 0}) {
    g_saveResult = code;
    g_reported = 0;
    EnableWindow(apply, TRUE);
    pageframe::runPage(kHooks, page, MSG_COMMAND, PAGE_ID_APPLY, 0);
    EXPECT_EQ(g_reported, code) << code;
    EXPECT_EQ(IsWindowEnabled(apply) != FALSE, code != 0) << code;
  }
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
                                        {"view", DefaultPageProc, [] { return false; }}};
  const WindowHandle sheet = pageframe::buildSheet(window, "previewset", pages, 3);
  ASSERT_NE(sheet, 0u);
  EXPECT_EQ(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0), 1);
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

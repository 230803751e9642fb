// The main menu over the live view of the main output: nine picture buttons
// that check the user's rights, hide the menu, run their page or sub-menu
// and show the menu again when it returns.
#include <string>

#include "app/page_keys.h"
#include "app/app_registry.h"
#include "app/core/menus/menu_paint.h"
#include "app/core/menus/menu_rules.h"
#include "app/pages_calls.h"
#include "app/device_backend.h"
#include "app/device_ability.h"
#include "app/dialog_hooks.h"
#include "app/dialog_template.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/playback.h"
#include "app/page_registry.h"
#include "app/system_services.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using menus::Check;
using menus::Verdict;

constexpr char kSection[] = "mainmenu";
constexpr int kButtonCount = 9, kFirstButton = menus::kMainPlayback;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_BITMAPBUTTON | BS_MULTLINE | BS_NOTIFY;
constexpr uint32_t kExitStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_AUTOSIZE;
constexpr uint32_t kTipStyle = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_VCENTER;
constexpr const char* kItems[kButtonCount] = {"playback",     "export",       "manual",      "disk",    "recordconfig",
                                              "cameraconfig", "systemconfig", "maintenance", "shutdown"};

// The pictures stay loaded while their buttons show them.
struct Pictures {
  Bitmap buttons[kButtonCount]{};
  bool hasButton[kButtonCount]{};
  Bitmap help{}, title{}, hover{};
  bool hasHelp = false, hasTitle = false, hasHover = false;
};
Pictures g_pictures;
WindowHandle g_tip = GUI_INVALID_HANDLE;
// The button the tip line names, -1 for none.
int g_tipOwner = -1;

void loadPictures() {
  Pictures& p = g_pictures;
  for (int i = 0; i < kButtonCount; ++i)
    p.hasButton[i] = GetWinBitmap(kSection, (std::string(kItems[i]) + "_bmp").c_str(), &p.buttons[i]) != 0;
  p.hasHelp = GetWinBitmap(kSection, "help_bmp", &p.help) != 0;
  p.hasTitle = GetWinBitmap(kSection, "mainmenu_topmiddle_bmp", &p.title) != 0;
  p.hasHover = GetWinBitmap(kSection, "mainmenu_bg_hover_bmp", &p.hover) != 0;
}

const CtrlResInfo* record(const char* key) {
  CtrlResInfo* rec = nullptr;
  return GetCtrlResInfo(kSection, key, &rec) && rec ? rec : nullptr;
}

void createButton(WindowHandle dlg, int index) {
  const CtrlResInfo* rec = record(kItems[index]);
  if (!rec) return;
  Pictures& p = g_pictures;
  const Bitmap* picture = p.hasButton[index] ? &p.buttons[index] : nullptr;
  const WindowHandle button =
      CreateWindowEx("button", rec->caption ? rec->caption : "", kButtonStyle, 0, kFirstButton + index, rec->x, rec->y,
                     rec->w, rec->h, dlg, reinterpret_cast<LParam>(picture));
  if (button == GUI_INVALID_HANDLE || !picture) return;
  SetCtrlBitmaps(button, picture, nullptr, 1);
  if (p.hasHover) SetCtrlBitmaps(button, picture, &p.hover, 2);
}

void createControls(WindowHandle dlg) {
  for (int i = 0; i < kButtonCount; ++i) createButton(dlg, i);
  if (const CtrlResInfo* exit = record("exit"))
    CreateWindowEx("button", exit->caption ? exit->caption : "", kExitStyle, 0, menus::kMainExit, exit->x, exit->y,
                   exit->w, exit->h, dlg, 0);
  g_tip = GUI_INVALID_HANDLE;
  g_tipOwner = -1;
  if (const CtrlResInfo* tip = record("tipinfo")) {
    g_tip = CreateWindowEx("static", "", kTipStyle, 0, 0, tip->x, tip->y, tip->w, tip->h, dlg, 0);
    if (g_tip != GUI_INVALID_HANDLE)
      SendMessage(g_tip, MSG_SETBKCOLOR, 0, static_cast<LParam>(pagePixel(HDC_SCREEN, page_colours::kTipBand)));
  }
  const WindowHandle first = GetDlgItem(dlg, kFirstButton);
  if (IsValidHandle(first)) SetFocusChild(first);
}

void init(WindowHandle dlg) {
  setMainMenuWnd(dlg);
  setOutputState(getMainOutput(), OUTSTATE_MENU);
  loadPictures();
  createControls(dlg);
}

// A button that leaves empties the line only while the line names it: the
// pointer entering a tile takes the focus from the button that had it, and
// that button's leaving comes after the tile's entering.
void showTip(int index, bool entering) {
  if (g_tip == GUI_INVALID_HANDLE) return;
  if (!entering && index != g_tipOwner) return;
  g_tipOwner = entering ? index : -1;
  const char* text = "";
  if (entering) {
    std::string key = std::string(kItems[index]) + "_hint";
    if (kFirstButton + index == menus::kMainManual && !hasPictureStorage()) key = "manual_nopic_hint";
    const char* hint = lookupText(kSection, key.c_str());
    if (hint) text = hint;
  }
  SetWindowText(g_tip, text);
}

void hide(WindowHandle dlg) {
  const int main = getMainOutput();
  notifyMenuHidden(main);
  ShowWindow(dlg, SW_HIDE);
  setMenuHidden(main, 1);
}

void reshow() { reshowMainMenu(getMainOutput(), getMainMenuWnd()); }

// The page that ran under the menu handed its output back; the open menu
// holds it again.
void holdOutput(WindowHandle dlg) {
  if (getMainMenuWnd() == dlg) setOutputState(getMainOutput(), OUTSTATE_MENU);
}

void runPlayback(WindowHandle dlg) {
  const int main = getMainOutput();
  hide(dlg);
  setOutputState(main, OUTSTATE_PLAYBACK);
  setLiveViewActive(main, 0);
  resetPlaybackSearch(main, -1);
  setPlaybackFromMenu(main, 1);
  runPlaybackDialog(dlg);  // it shows the menu again itself
  holdOutput(dlg);
}

// Hides the menu, runs a page or sub-menu, then shows the menu again.
void runHidden(WindowHandle dlg, int (*page)(WindowHandle)) {
  hide(dlg);
  page(dlg);
  reshow();
  holdOutput(dlg);
}

// The same for an item whose page another library registers.
void runRegisteredHidden(WindowHandle dlg, const char* item) {
  hide(dlg);
  openMenuPage(APP_MENU_MAIN, item, dlg);
  reshow();
  holdOutput(dlg);
}

void act(WindowHandle dlg, int id) {
  switch (id) {
    case menus::kMainPlayback: return runPlayback(dlg);
    case menus::kMainBackup:
      setSearchForBackup(1);
      return runHidden(dlg, showExportMenu);
    case menus::kMainManual: return runHidden(dlg, showManualMenu);
    case menus::kMainStorage: return runRegisteredHidden(dlg, kItems[3]);
    case menus::kMainRecord: return runHidden(dlg, showRecordMenu);
    case menus::kMainCamera: return runRegisteredHidden(dlg, kItems[5]);
    case menus::kMainSystem: return runHidden(dlg, showSystemMenu);
    case menus::kMainMaintenance: return runHidden(dlg, showMaintenanceMenu);
    case menus::kMainShutdown: openMenuPage(APP_MENU_MAIN, kItems[8], dlg); return;
    default: return;
  }
}

void click(WindowHandle dlg, int id) {
  const Check check = menus::checkMainMenuButton(id);
  switch (check.verdict) {
    case Verdict::kNoPermission: showNoPermission(dlg); return;
    case Verdict::kNoChannel: showChanNotAvailable(dlg); return;
    case Verdict::kBox: showMsgBox(dlg, check.section, check.key, MSGBOX_INFO); return;
    case Verdict::kAllowed: act(dlg, id); return;
  }
}

// Up and down move between the rows; the record-settings button has no
// partner below it.
bool moveBetweenRows(WindowHandle dlg) {
  const int id = GetDlgCtrlID(GetFocusChild(dlg));
  const int index = id - kFirstButton;
  if (index < 0 || index >= kButtonCount) return false;
  if (index == 4) return true;
  const int partner = kFirstButton + (index < 4 ? index + 5 : index - 5);
  const WindowHandle target = GetDlgItem(dlg, partner);
  if (IsValidHandle(target)) SetFocusChild(target);
  return true;
}

void eraseBackground(WindowHandle dlg, WParam wParam, LParam lParam) {
  menus::eraseMenu(dlg, wParam, lParam, [](HDC hdc, int w, int h) {
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<GalPixel>(SystemInfo[SYSINFO_BKCOLOR]));
    FillBox(hdc, 0, 0, w, h);
    const Pictures& p = g_pictures;
    const int strip = menus::tipStripHeight();
    menus::drawTitleAndTipStrip(hdc, w, h, p.hasTitle ? &p.title : nullptr, strip);
    if (strip > 0 && p.hasHelp)
      FillBoxWithBitmap(hdc, getOutputFontHeight(getMainOutput()),
                        h - strip + (strip - static_cast<int>(p.help.bmHeight)) / 2, 0, 0, &p.help);
  });
}

void close(WindowHandle dlg) {
  const int main = getMainOutput();
  setMainMenuWnd(GUI_INVALID_HANDLE);
  g_tip = GUI_INVALID_HANDLE;
  refreshLoginState(main, getLoginId(main));
  const WindowHandle liveView = GetHosting(dlg);
  if (IsValidHandle(liveView)) EnableWindow(liveView, TRUE);
  // A page run from the menu may have left the live view held.
  setLiveViewActive(main, 1);
  setOutputState(main, OUTSTATE_LIVEVIEW);
  EndDialog(dlg, 0);
}

// The tiles show their tips as they take and lose the focus and act on a
// click; Exit closes the menu. Other commands go to the default.
bool onCommand(WindowHandle dlg, WParam wParam, LParam) {
  const int id = app::idOf(wParam), code = app::codeOf(wParam);
  const int index = id - kFirstButton;
  if (index >= 0 && index < kButtonCount) {
    if (code == BN_SETFOCUS || code == BN_KILLFOCUS) showTip(index, code == BN_SETFOCUS);
    if (code == BN_CLICKED) click(dlg, id);
    return true;
  }
  if (id != menus::kMainExit) return false;
  if (code == BN_CLICKED) SendMessage(dlg, MSG_CLOSE, 0, 0);
  return true;
}

bool onMessage(WindowHandle dlg, int message, WParam wParam, LParam, LResult*) {
  return message == MSG_KEYDOWN && (wParam == KEY_UP || wParam == KEY_DOWN) && moveBetweenRows(dlg);
}

const app::DialogHooks kHooks{init, onCommand, eraseBackground, close, nullptr, onMessage};

}  // namespace

extern "C" {

int showMainMenu(WindowHandle owner) {
  const int main = getMainOutput();
  DlgTemplate tmpl = app::templateFromRecord(record("mainmenu_rect"), WS_CAPTION | WS_VISIBLE | WS_BORDER,
                                             WS_EX_NOCLOSEBOX, app::Placement::kCentred, main);
  const int result = app::runDialog(tmpl, owner, app::dialogProc<kHooks>);
  // What waited for the menu to close: the rest of a language change and the
  // confirmation of a new output resolution.
  if (isLangSwitchPending()) finishLangSwitch();
  if (isResolutionChangePending()) {
    setResolutionChangePending(0);
    showResolutionConfirm(owner);
  }
  return result;
}

void reshowMainMenu(int output, WindowHandle menu) {
  if (IsValidHandle(menu) && IsWindow(menu)) ShowWindow(menu, SW_SHOWNORMAL);
  setMenuHidden(output, 0);
}

}  // extern "C"

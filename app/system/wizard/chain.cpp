// The chain of start-up pages: each Next opens the following page modally
// on top of the current one, Previous closes only the top page, and
// leaving closes the whole stack at once.
#include "app/system/wizard/wizard.h"

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/system_pages.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace wizard {
namespace {

constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;

// Counts the times the chain was left: a page whose follower returns after
// that is gone with the rest, its handle perhaps another window's by then.
int g_leaves = 0;

void askLeave(WindowHandle hwnd, const Page& page) {
  if (askMsgBox(hwnd, "commons", "guideexit") != IDYES) return;
  if (page.leaving) page.leaving(hwnd);
  leave();
}

}  // namespace

int output() { return getCurOutput(); }
OutputLogin* login() { return getOutputLogin(getMainOutput()); }

Step following(Step from) {
  switch (from) {
    case Step::Entry: return Step::Password;
    case Step::Password: return Step::Time;
    case Step::Time: return Step::Network;
    case Step::Network: return hasDiskModeSetting() ? Step::DiskMode : Step::Disk;
    case Step::DiskMode: return Step::Disk;
    case Step::Disk: return reportedIpChannels() >= 1 ? Step::Camera : Step::Record;
    case Step::Camera: return Step::Record;
    case Step::Record: break;
  }
  return Step::Record;
}

namespace {

void openFollowing(WindowHandle page, Step step) {
  switch (step) {
    case Step::Entry: openEntryPage(page); return;
    case Step::Password: openPasswordPage(page); return;
    case Step::Time: openTimePage(page); return;
    case Step::Network: openNetworkPage(page); return;
    case Step::DiskMode: openDiskModePage(page); return;
    case Step::Disk: openDiskPage(page); return;
    case Step::Camera: openCameraPage(page); return;
    case Step::Record: openRecordPage(page); return;
  }
}

}  // namespace

// The pages differ in size and place: the page left stays open but hidden
// beneath the next, and shows again when Previous comes back to it (unless
// the chain was left meanwhile and took it along).
void goOn(WindowHandle page, Step from) {
  setOutputState(output(), OUTSTATE_MENU);
  setLiveViewActive(output(), 0);
  const int leaves = g_leaves;
  ShowWindow(page, SW_HIDE);
  openFollowing(page, following(from));
  if (g_leaves != leaves || !IsWindow(page)) return;
  ShowWindow(page, SW_SHOWNORMAL);
  SetActiveWindow(page);
}

void closeAll() {
  ++g_leaves;
  setOutputState(output(), OUTSTATE_LIVEVIEW);
  setLiveViewActive(output(), 1);
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
}

void leave() {
  refreshLoginState(output(), getLoginId(getMainOutput()));
  closeAll();
}

int reportedIpChannels() { return getIpChannelNum(nullptr); }

LResult pageProc(const Page& page, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_NCLBUTTONDBLCLK) return 0;
  if (message == MSG_COMMAND && pageframe::idOf(wParam) == IDCANCEL) {
    askLeave(hwnd, page);
    return 0;
  }
  if (message == MSG_COMMAND && pageframe::idOf(wParam) == page.previousId) {
    SendMessage(hwnd, MSG_CLOSE, 0, 0);
    return 0;
  }
  return pageframe::runDialog(page.hooks, hwnd, message, wParam, lParam);
}

WindowHandle make(WindowHandle page, const char* section, const char* cls, const char* key, uint32_t style,
                  uint32_t exStyle, int id, bool labelled, int y) {
  return pageframe::createFromKey(page, section, {cls, key, style, exStyle, id, labelled}, y);
}

void makeButtons(WindowHandle page, const char* section, const char* previousKey, int previousId,
                 const char* nextKey, int nextId, const char* cancelKey) {
  const int y = pageframe::bottomRow(page);
  if (previousKey) make(page, section, "button", previousKey, kButtonStyle, kButtonExStyle, previousId, false, y);
  make(page, section, "button", nextKey, kButtonStyle, kButtonExStyle, nextId, false, y);
  make(page, section, "button", cancelKey, kButtonStyle, kButtonExStyle, IDCANCEL, false, y);
}

}  // namespace wizard

extern "C" void registerStartGuidePages(void) { registerStartGuide(wizard::openEntryPage); }

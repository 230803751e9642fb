// The shutdown dialog of the main menu: lock, shutdown and reboot as picture
// buttons that light up under the pointer, and Cancel.
#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/program.h"
#include "app/system/shutdown/shutdown_paint.h"
#include "app/system_pages.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "shutdown";
constexpr int kLockId = 21248, kShutdownId = 21249, kRebootId = 21250;
constexpr uint32_t kPictureStyle = WS_CHILD | WS_VISIBLE | BS_MULTLINE | BS_BITMAPBUTTON;
constexpr uint32_t kCancelStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

struct PictureButton {
  const char* key;
  const char* bitmap;
  int id;
};
constexpr PictureButton kButtons[] = {
    {"lock", "lockscr_bmp", kLockId}, {"shutdown", "shutdown_bmp", kShutdownId}, {"reboot", "restart_bmp", kRebootId}};
constexpr int kButtonCount = 3;

// Loaded on each opening; they live while the buttons show them.
struct Pictures {
  Bitmap hover{};
  Bitmap buttons[kButtonCount]{};
  bool hasHover = false;
  bool has[kButtonCount]{};
};
Pictures g_pictures;

void loadPictures() {
  Pictures& p = g_pictures;
  p.hasHover = GetWinBitmap(kSection, "bg_hover_bmp", &p.hover) != 0;
  for (int i = 0; i < kButtonCount; ++i) p.has[i] = GetWinBitmap(kSection, kButtons[i].bitmap, &p.buttons[i]) != 0;
}

void createPicture(WindowHandle dlg, int i) {
  Pictures& p = g_pictures;
  const Bitmap* picture = p.has[i] ? &p.buttons[i] : nullptr;
  const WindowHandle button =
      pageframe::createFromKey(dlg, kSection, {"button", kButtons[i].key, kPictureStyle, 0, kButtons[i].id, false}, -1,
                               reinterpret_cast<LParam>(picture));
  if (!IsValidHandle(button) || !picture) return;
  SetCtrlBitmaps(button, picture, nullptr, 1);
  if (p.hasHover) SetCtrlBitmaps(button, picture, &p.hover, 2);
}

void init(WindowHandle dlg) {
  loadPictures();
  for (int i = 0; i < kButtonCount; ++i) createPicture(dlg, i);
  const WindowHandle cancel = pageframe::createFromKey(
      dlg, kSection, {"button", "cancel", kCancelStyle, 0, IDCANCEL, false}, pageframe::bottomRow(dlg));
  if (IsValidHandle(cancel)) SetFocusChild(cancel);
}

// Every way the recorder goes down or restarts needs the shutdown right and
// asks first; the flag keeps the power key from asking again meanwhile.
void goDown(WindowHandle dlg, const char* question, int kind) {
  if (!mayShutDown(getCurOutput())) {
    showNoPermission(dlg);
    return;
  }
  if (askMsgBox(dlg, kSection, question) != IDYES) return;
  SetPowerKeyDownFlag(1);
  EnableWindow(dlg, FALSE);
  createShutdownHintWindow(dlg, kind);
  EnableWindow(dlg, TRUE);
}

void command(WindowHandle dlg, int id) {
  switch (id) {
    case IDCANCEL: SendMessage(dlg, MSG_CLOSE, 0, 0); return;
    case kLockId: lockScreen(); return;
    case kShutdownId: goDown(dlg, "shutdownhint", 0); return;
    case kRebootId: goDown(dlg, "reboothint", 1); return;
    default: return;
  }
}

bool onCommand(WindowHandle dlg, WParam wParam, LParam) {
  const int id = pageframe::idOf(wParam);
  if (id != IDCANCEL && (id < kLockId || id > kRebootId)) return false;
  command(dlg, id);
  return true;
}

const pageframe::DialogHooks kHooks{init, onCommand, shutdown::paintBackground};

}  // namespace

extern "C" int createShutdownWindow(WindowHandle owner) {
  const int main = getMainOutput();
  const DlgTemplate tmpl = shutdown::centredTemplate(kSection, getScreenWidth(main), getScreenHeight(main), true);
  return pageframe::runDialog(tmpl, owner, pageframe::dialogProc<kHooks>);
}

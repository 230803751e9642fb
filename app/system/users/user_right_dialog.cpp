// The rights dialog of one user: local and remote rights as check boxes,
// and per kind the channels a per-channel right covers. Nothing reaches the
// device before Apply or OK; Cancel gives back the rights word of the last
// save.
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/system/users/users.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/propsheet.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace users {
namespace {

constexpr const char* kRightSection = "userright";
constexpr int kKindId = 20560, kCameraPage = 2, kBand = 50, kFrameGap = 8;
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX;
constexpr uint32_t kChanBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kFrameStyle = EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kKindStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kKindEx = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr int kChanBoxLast = CHANBOX_IP_FIRST + 127;

struct Box {
  int id;
  const char* key;
  uint32_t bit;
  bool camera;  // only on a device with IP channels
};
constexpr Box kLocalBoxes[] = {{20528, "locallog", RIGHT_LOCAL_LOG, false},
                               {20529, "localparam", RIGHT_LOCAL_PARAM, false},
                               {20530, "localcamera", RIGHT_LOCAL_CAMERA, true},
                               {20531, "localadvance", RIGHT_LOCAL_ADVANCE, false},
                               {20532, "localshutdown", RIGHT_LOCAL_SHUTDOWN, false}};
constexpr Box kRemoteBoxes[] = {{20544, "remotelog", RIGHT_REMOTE_LOG, false},
                                {20545, "remoteparam", RIGHT_REMOTE_PARAM, false},
                                {20546, "remotecamera", RIGHT_REMOTE_CAMERA, true},
                                {20547, "remoters232", RIGHT_REMOTE_RS232, false},
                                {20548, "remoteout", RIGHT_REMOTE_OUT, false},
                                {20549, "remoteaudio", RIGHT_REMOTE_AUDIO, false},
                                {20550, "remotealarm", RIGHT_REMOTE_ALARM, false},
                                {20551, "remoteadvance", RIGHT_REMOTE_ADVANCE, false},
                                {20552, "remoteshutdown", RIGHT_REMOTE_SHUTDOWN, false}};
constexpr const char* kKindKeys[kKindCount] = {"remoteprevchannel",   "localrecordchannel",  "remoterecordchannel",
                                               "localplaychannel",    "remoteplaychannel",   "localptzctrlchannel",
                                               "remoteptzctrlchannel", "localbackupchannel"};

struct Tab {
  const Box* boxes;
  int count;
  const char* ok;
  const char* cancel;
  const char* apply;
};
constexpr Tab kLocal{kLocalBoxes, 5, "local_ok", "local_cancel", "local_apply"};
constexpr Tab kRemote{kRemoteBoxes, 9, "remote_ok", "remote_cancel", "remote_apply"};

struct State {
  int index = 1;
  uint32_t backup = 0;
  uint64_t masks[kKindCount] = {};
  int kind = 0;
  int blockBottom = 0;
};
State g_state;

UserRecord* cachedRecord() {
  UserConfig* cached = getCachedUserConfig();
  if (!cached || g_state.index < 1 || g_state.index >= USER_COUNT) return nullptr;
  return &cached->users[g_state.index];
}

bool hasIpChannels() { return getIpChannelNum(nullptr) > 0; }

WindowHandle dialogOf(WindowHandle page) { return static_cast<WindowHandle>(GetWindowAdditionalData(page)); }

// Writes the cached table; a failure is not shown, the next read shows the
// device's table.
// The device's answer; a refused table is read back, so the cache holds
// what the device keeps while the boxes still show the user's edits.
int writeCached() {
  const UserConfig* cached = getCachedUserConfig();
  if (!cached) return 0;
  if (const int rc = writeTable(*cached)) {
    refreshCache();
    return rc;
  }
  if (const UserRecord* u = cachedRecord()) g_state.backup = u->rights;
  return 0;
}

void createTabButtons(WindowHandle page, const Tab& tab) {
  const int y = pageframe::bottomRow(page);
  const WindowHandle cancel = pageframe::createFromKey(
      page, kRightSection, {"button", tab.cancel, kButtonStyle, 0, IDCANCEL, false}, y);
  pageframe::createFromKey(page, kRightSection, {"button", tab.ok, kButtonStyle, 0, PAGE_ID_OK, false}, y);
  pageframe::createFromKey(page, kRightSection, {"button", tab.apply, kButtonStyle | WS_DISABLED, 0, PAGE_ID_APPLY, false}, y);
  if (IsValidHandle(cancel)) SetFocusChild(cancel);
}

// OK after its tab stored: the other tabs' pending edits are kept too.
void finish(WindowHandle page) {
  if (pageframe::applyOtherPages(page)) SendMessage(dialogOf(page), MSG_CLOSE, 0, 0);
}

void cancelTab(WindowHandle page) {
  if (UserRecord* u = cachedRecord()) u->rights = g_state.backup;
  SendMessage(dialogOf(page), MSG_CLOSE, 0, 0);
}

// Local and remote tabs ----------------------------------------------------

void initBoxes(WindowHandle page, const Tab& tab) {
  const bool cameras = hasIpChannels();
  const UserRecord* u = cachedRecord();
  int lift = 0;
  for (int i = 0; i < tab.count; ++i) {
    const Box& b = tab.boxes[i];
    const CtrlResInfo* r = pageframe::record(kRightSection, b.key);
    if (!r) continue;
    if (b.camera && !cameras) {
      lift += r->h;
      continue;
    }
    const uint32_t ex = i == 0                ? EDIT_CORNER_TOPLEFT | EDIT_CORNER_TOPRIGHT
                       : i == tab.count - 1 ? EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_BOTTOMRIGHT
                                            : 0u;
    pageframe::createFromKey(page, kRightSection, {"button", b.key, kBoxStyle, ex, b.id, false}, r->y - lift);
    setChecked(page, b.id, u && (u->rights & b.bit) != 0);
  }
  createTabButtons(page, tab);
}

int storeBoxes(WindowHandle page, const Tab& tab) {
  UserRecord* u = cachedRecord();
  if (!u) return 0;
  for (int i = 0; i < tab.count; ++i) {
    const Box& b = tab.boxes[i];
    const WindowHandle box = GetDlgItem(page, b.id);
    if (!IsValidHandle(box)) continue;
    if (isChecked(page, b.id))
      u->rights |= b.bit;
    else
      u->rights &= ~b.bit;
  }
  return writeCached();
}

// A refused write keeps the dialog open with its Apply lit.
void report(WindowHandle page, int code) { showSaveFailedCode(page, code); }

bool isBoxOf(const Tab& tab, int id) {
  for (int i = 0; i < tab.count; ++i)
    if (tab.boxes[i].id == id) return true;
  return false;
}

void boxCommand(WindowHandle page, const Tab& tab, int id) {
  if (id == PAGE_ID_OK) {
    if (const int rc = storeBoxes(page, tab)) return report(page, rc);
    finish(page);
  } else if (id == IDCANCEL) {
    cancelTab(page);
  } else if (isBoxOf(tab, id)) {
    enableApply(page, 0, 0);
  }
}

const pageframe::PageHooks kLocalHooks{
    [](WindowHandle p) { initBoxes(p, kLocal); }, eraseBkgndGrey50,
    [](WindowHandle p, int id, int) { boxCommand(p, kLocal, id); },
    [](WindowHandle p) { return storeBoxes(p, kLocal); }, report, nullptr};
const pageframe::PageHooks kRemoteHooks{
    [](WindowHandle p) { initBoxes(p, kRemote); }, eraseBkgndGrey50,
    [](WindowHandle p, int id, int) { boxCommand(p, kRemote, id); },
    [](WindowHandle p) { return storeBoxes(p, kRemote); }, report, nullptr};

LResult localPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kLocalHooks, page, message, wParam, lParam);
}
LResult remotePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kRemoteHooks, page, message, wParam, lParam);
}

// Camera tab ----------------------------------------------------------------

void storeKind(WindowHandle page) { storeKindMask(g_state.masks, g_state.kind, getCheckedChanMask(page)); }

void initCamera(WindowHandle page) {
  pageframe::createFromKey(page, kRightSection, {"combobox", "camright", kKindStyle, kKindEx, kKindId, true});
  for (int k = 0; k < kKindCount; ++k)
    if (const char* text = lookupText(kRightSection, kKindKeys[k]))
      SendDlgItemMessage(page, kKindId, CB_ADDSTRING, static_cast<WParam>(k), reinterpret_cast<LParam>(text));
  selectComboValue(page, kKindId, 0);
  g_state.kind = 0;
  g_state.blockBottom = createChanCheckBoxes(page, kRightSection, "cam_all_analog", "cam_all_ipc", "cam_camera",
                                             kChanBoxStyle, 0, -1, 6, 1);
  setChanCheckBoxes(page, g_state.masks[0]);
  createTabButtons(page, {nullptr, 0, "cam_ok", "cam_cancel", "cam_apply"});
}

int saveCamera(WindowHandle page) {
  storeKind(page);
  if (UserRecord* u = cachedRecord()) std::memcpy(&u->chanMasks[1], g_state.masks, sizeof g_state.masks);
  return writeCached();
}

void cameraCommand(WindowHandle page, int id, int code) {
  if (id == PAGE_ID_OK) {
    if (const int rc = saveCamera(page)) return report(page, rc);
    finish(page);
  } else if (id == IDCANCEL) {
    cancelTab(page);
  } else if (id == kKindId && code == CBN_SELCHANGE) {
    storeKind(page);
    const int kind = comboValue(page, kKindId);
    g_state.kind = kind;
    setChanCheckBoxes(page, kind >= 0 && kind < kKindCount ? g_state.masks[kind] : 0);
    enableApply(page, 0, 0);
  } else if (id == CHANBOX_ALL_ANALOG || id == CHANBOX_ALL_IP) {
    onChanAllCheckBox(page, id);
    enableApply(page, 0, 0);
  } else if (id >= CHANBOX_ANALOG_FIRST && id <= kChanBoxLast) {
    onChanCheckBox(page, id);
    enableApply(page, 0, 0);
  }
}

void eraseCamera(WindowHandle page, WParam hdc, LParam rect) {
  liveview_dialogs::eraseWith(page, hdc, rect, [](HDC dc, const Rect& c) {
    const int w = c.right - c.left, h = c.bottom - c.top;
    fillColour(dc, page_colours::kPageBackground, 0, 0, w, h);
    fillColour(dc, page_colours::kDialogBackground, 0, h - kBand, w, kBand);
    const CtrlResInfo* r = pageframe::record(kRightSection, "cam_chkbox_rect");
    if (!r || g_state.blockBottom <= 0) return;
    Rect frame{r->x, r->y, r->x + r->w, g_state.blockBottom + kFrameGap};
    drawRoundFrame(dc, kFrameStyle, &frame);
  });
}

const pageframe::PageHooks kCameraHooks{initCamera, eraseCamera, cameraCommand, saveCamera, report, nullptr};

LResult cameraPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kCameraHooks, page, message, wParam, lParam);
}

// The dialog ----------------------------------------------------------------

const pageframe::SheetPage kPages[] = {
    {"local", localPageProc, nullptr}, {"remote", remotePageProc, nullptr}, {"camera", cameraPageProc, nullptr}};

void init(WindowHandle dlg) {
  g_state = State{};
  getUserDlgArgs(&g_state.index);
  if (const UserRecord* u = cachedRecord()) {
    g_state.backup = u->rights;
    std::memcpy(g_state.masks, &u->chanMasks[1], sizeof g_state.masks);
  }
  const WindowHandle sheet = pageframe::buildSheet(dlg, kRightSection, kPages, 3);
  if (sheet != 0 && !hasUsableChan(8, 0)) SendMessage(sheet, PSM_ENABLEPAGE, kCameraPage, 0);
}

const pageframe::DialogHooks kRightHooks{init, nullptr, eraseBkgndGrey34};

}  // namespace
}  // namespace users

extern "C" int createUserRightDialog(WindowHandle owner) {
  return pageframe::runDialog(users::kRightSection, owner, pageframe::dialogProc<users::kRightHooks>);
}

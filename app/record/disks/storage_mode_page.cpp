// The storage page of the advanced disk settings: how recording space is
// shared between channels (quotas, disk groups or frame extraction) and the
// data of that mode. A change of mode needs a reboot; Apply checks all it
// will write before writing any of it.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/disk_texts.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/layout_bitmaps.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_registry.h"
#include "app/record/disks/advance_state.h"
#include "app/record/disks/disks.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/segrate.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace disks {
namespace {

constexpr int kMode = 19792, kCamera = 19793, kRecUsed = 19794, kPicUsed = 19795, kTotal = 19796;
constexpr int kRecQuota = 19798, kPicQuota = 19799, kQuotaWarn = 19803;
constexpr int kGroup = 19824, kGroupWarn = 19825;
constexpr int kSplit = 20128, kLegendFirst = 20129, kEstimate = 20132, kRate = 20133, kTimeNow = 20134,
              kTimeExtend = 20135;
constexpr int kQuotaMode = 0, kGroupMode = 1, kFrameMode = 2;
constexpr int kUnknownSpace = -2;
constexpr int kTextSize = 128, kQuotaDigits = 16, kRateDigits = 8;
constexpr int kLegendSize = 16, kLegendGap = 4;
constexpr int kSecondsPerDay = 86400;
constexpr const char* kDefaultRate = "1792";

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kCombo = kChild | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kField = kChild | SS_EDITFRAME;
constexpr uint32_t kEdit = kChild | WS_BORDER;
constexpr uint32_t kButton = kChild | BS_AUTOSIZE;
constexpr uint32_t kCheckBox = kChild | BS_AUTOCHECKBOX;

constexpr PageColour kSegmentColours[] = {{107, 47, 114}, {50, 66, 136}, {50, 136, 64}};

StorageState g_store;
// A new mode was written and the reboot question is still to come: a data
// write refused after it asks on the next Apply that gets through.
bool g_modeWritten = false;
NamedBitmap g_warn[1] = {{"quota_warn_bmp", {}, 0}};

int loginId() { return getLoginId(getMainOutput()); }
bool pictures() { return hasCaptureSchedule() != 0; }
int shownMode(WindowHandle page) { return comboValue(page, kMode); }

struct ModeControls {
  int mode;
  int first, last;  // a range of ids shown together
};
constexpr ModeControls kModeControls[] = {
    {kQuotaMode, kCamera, kQuotaWarn}, {kQuotaMode, PAGE_ID_COPY, PAGE_ID_COPY},
    {kGroupMode, kGroup, kGroup},      {kGroupMode, kGroupWarn, kGroupWarn},
    {kFrameMode, kSplit, kTimeExtend},
};

void showMode(WindowHandle page, int mode) {
  for (const ModeControls& m : kModeControls)
    for (int id = m.first; id <= m.last; ++id) {
      if (!IsValidHandle(GetDlgItem(page, id))) continue;
      showLabeledCtrl(page, id, m.mode == mode ? SW_SHOWNORMAL : SW_HIDE);
    }
  // An "all" box shows only beside boxes of its kind.
  const int show = mode == kGroupMode ? SW_SHOWNORMAL : SW_HIDE;
  showCtrlRange(page, CHANBOX_ALL_ANALOG, CHANBOX_ANALOG_FIRST, CHANBOX_IP_FIRST - 1, show);
  showCtrlRange(page, CHANBOX_ALL_IP, CHANBOX_IP_FIRST, CHANBOX_IP_FIRST + 63, show);
}

// --- Quota mode ---

std::string usedText(int channel, int kind) {
  const int used = getChanUsedSpace(channel, kind);
  if (used == kUnknownSpace) return "";
  char text[kTextSize];
  formatCapacity(text, sizeof text, static_cast<int64_t>(used) << 20);
  return text;
}

uint64_t totalGb() {
  const int64_t total = sumDiskTotalSpace();
  return total > 0 ? static_cast<uint64_t>(total) >> 30 : 0;
}

void fillQuota(WindowHandle page) {
  const int channel = g_store.channel;
  if (!hasQuotaSlot(channel)) return;
  const ChanQuota* q = g_store.quotas[channel - 1];
  char text[kTextSize];
  setText(page, kRecUsed, usedText(channel, 0).c_str());
  if (pictures()) setText(page, kPicUsed, usedText(channel, 1).c_str());
  std::snprintf(text, sizeof text, "%" PRIu64, totalGb());
  setText(page, kTotal, text);
  std::snprintf(text, sizeof text, "%" PRIu64, q[0].quotaMb >> 10);
  setText(page, kRecQuota, text);
  if (pictures()) {
    std::snprintf(text, sizeof text, "%" PRIu64, q[1].quotaMb >> 10);
    setText(page, kPicQuota, text);
  }
}

// A whole number of GB from an edit; false for anything else.
bool readGb(WindowHandle page, int id, uint64_t* gb) {
  char text[kTextSize] = "";
  GetDlgItemText(page, id, text, sizeof text);
  if (!isDigitString(text) || text[0] == '\0' || std::strlen(text) > kQuotaDigits) return false;
  *gb = std::strtoull(text, nullptr, 10);
  // In MB the quota must still fit its 64 bits.
  return *gb <= (UINT64_MAX >> 10);
}

int rangeMax() { return totalGb() > INT32_MAX ? INT32_MAX : static_cast<int>(totalGb()); }

// The edited quotas of the shown channel back into its slot, in MB; the
// range hint and false for a text that is not a whole number of GB.
bool storeQuota(WindowHandle page) {
  const int channel = g_store.channel;
  if (!hasQuotaSlot(channel)) return true;
  const int ids[2] = {kRecQuota, kPicQuota};
  const char* keys[2] = {"maxreccap", "maxpiccap"};
  uint64_t gb[2] = {g_store.quotas[channel - 1][0].quotaMb >> 10, g_store.quotas[channel - 1][1].quotaMb >> 10};
  for (int kind = 0; kind < (pictures() ? 2 : 1); ++kind) {
    if (readGb(page, ids[kind], &gb[kind])) continue;
    showRangeHint(page, kAdvanceSection, keys[kind], 0, rangeMax());
    return false;
  }
  for (int kind = 0; kind < 2; ++kind) {
    ChanQuota& q = g_store.quotas[channel - 1][kind];
    // Shown in GB: an unedited quota keeps its MB below a whole GB.
    if ((q.quotaMb >> 10) == gb[kind]) continue;
    q.quotaMb = gb[kind] << 10;
    g_store.quotaChanged[channel - 1] = 1;
  }
  return true;
}

void copyQuota(WindowHandle page) {
  if (!storeQuota(page) || !hasQuotaSlot(g_store.channel)) return;
  EnableWindow(getDiskMenuWnd(), FALSE);
  showImageCopyChanDialog(page, g_store.channel, 0);
  EnableWindow(getDiskMenuWnd(), TRUE);
  const uint64_t mask = getImageCopyChanMask();
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  const ChanQuota* from = g_store.quotas[g_store.channel - 1];
  for (int slot = 0; slot < kQuotaSlots; ++slot) {
    if (!((mask >> slot) & 1u) || !hasQuotaSlot(slot + 1)) continue;
    for (int kind = 0; kind < 2; ++kind) g_store.quotas[slot][kind].quotaMb = from[kind].quotaMb;
    g_store.quotaChanged[slot] = 1;
  }
  fillQuota(page);
  enableApply(page, 0, 0);
}

bool quotasFit() {
  uint64_t sum = 0;
  for (int slot = 0; slot < kQuotaSlots && slot < getChannelNum(); ++slot)
    sum += (g_store.quotas[slot][0].quotaMb >> 10) + (g_store.quotas[slot][1].quotaMb >> 10);
  return sum <= totalGb();
}

// 0, or the answer of the first refused write; a refused channel keeps its
// changed flag for the next Apply.
int saveQuotas() {
  for (int slot = 0; slot < kQuotaSlots; ++slot) {
    if (!g_store.quotaChanged[slot]) continue;
    for (int kind = 0; kind < 2; ++kind)
      if (const int rc = setDiskQuota(loginId(), slot + 1, kind, g_store.quotas[slot][kind].quotaMb)) return rc;
    g_store.quotaChanged[slot] = 0;
  }
  return 0;
}

// --- Group mode ---

void storeGroup(WindowHandle page) {
  if (g_store.group < 1 || g_store.group > kDiskGroups) return;
  g_store.groupMask[g_store.group - 1] = getCheckedChanMask(page);
}

Rect warnRect(const char* key) {
  const CtrlResInfo* r = pageframe::record(kAdvanceSection, key);
  return r ? Rect{r->x, r->y, r->x + r->w, r->y + r->h} : Rect{0, 0, 0, 0};
}

void fillGroup(WindowHandle page) {
  const int g = g_store.group;
  setChanCheckBoxes(page, g >= 1 && g <= kDiskGroups ? g_store.groupMask[g - 1] : 0);
  g_store.groupReadOnly = g > 0 && isDiskGroupReadOnly(g) != 0;
  setText(page, kGroupWarn, g_store.groupReadOnly ? caption(kAdvanceSection, "grouperr_readonly") : "");
  const Rect r = warnRect("warn_bmp_pos");
  InvalidateRect(page, &r, TRUE);
}

int saveGroups() {
  for (int g = 0; g < kDiskGroups; ++g) {
    if (g_store.groupMask[g] == g_store.loadedMask[g]) continue;
    if (const int rc = setDiskGroupMask(loginId(), g + 1, g_store.groupMask[g])) return rc;
    g_store.loadedMask[g] = g_store.groupMask[g];
  }
  return 0;
}

// --- Frame-extraction mode ---

void readShares(WindowHandle page, uint32_t shares[3]) {
  const int first = static_cast<int>(SendDlgItemMessage(page, kSplit, SRM_GETVALUE, 0, 0));
  const int record = first < 0 ? 0 : first > 100 ? 100 : first;
  if (pictures()) {
    int second = static_cast<int>(SendDlgItemMessage(page, kSplit, SRM_GETVALUE, 1, 0));
    second = second < record ? record : second > 100 ? 100 : second;
    shares[0] = static_cast<uint32_t>(record);
    shares[1] = static_cast<uint32_t>(second - record);
    shares[2] = static_cast<uint32_t>(100 - second);
  } else {
    shares[0] = static_cast<uint32_t>(record);
    shares[1] = static_cast<uint32_t>(100 - record);
    shares[2] = 0;
  }
}

void showEstimate(WindowHandle page) {
  uint32_t shares[3];
  readShares(page, shares);
  char text[kTextSize] = "";
  GetDlgItemText(page, kRate, text, sizeof text);
  const int rate = isDigitString(text) && std::strlen(text) <= kRateDigits ? std::atoi(text) : 0;
  uint32_t seconds[2] = {0, 0};
  getRecordTimeEstimate(rate, shares, seconds);
  std::snprintf(text, sizeof text, "%" PRIu32, seconds[0] / kSecondsPerDay);
  setText(page, kTimeNow, text);
  const int64_t extra = static_cast<int64_t>(seconds[1]) - static_cast<int64_t>(seconds[0]);
  std::snprintf(text, sizeof text, "%" PRId64, extra / kSecondsPerDay);
  setText(page, kTimeExtend, text);
}

void fillFrame(WindowHandle page) {
  const WindowHandle split = GetDlgItem(page, kSplit);
  if (!IsValidHandle(split)) return;
  const int segments = pictures() ? 3 : 2;
  SendMessage(split, SRM_SETCOUNT, static_cast<WParam>(segments), 0);
  HDC hdc = GetClientDC(page);
  for (int i = 0; i < segments; ++i)
    SendMessage(split, SRM_SETCOLOR, static_cast<WParam>(pagePixel(hdc, kSegmentColours[i])), i);
  ReleaseDC(hdc);
  SendMessage(split, SRM_SETRANGE, (40u << 16) | 20u, 0);
  if (pictures()) SendMessage(split, SRM_SETRANGE, (100u << 16) | 70u, 1);
  uint32_t shares[3] = {0, 0, 0};
  getFrameSplit(shares);
  SendMessage(split, SRM_SETVALUE, shares[0], 0);
  if (pictures()) SendMessage(split, SRM_SETVALUE, 100 - (shares[2] > 100 ? 100 : shares[2]), 1);
  setText(page, kRate, kDefaultRate);
  showEstimate(page);
}

int saveFrame(WindowHandle page) {
  uint32_t shares[3];
  readShares(page, shares);
  return setFrameSplit(loginId(), shares);
}

// --- The page ---

void ensureGroupControls(WindowHandle page);

void fillMode(WindowHandle page, int mode) {
  if (mode == kGroupMode) ensureGroupControls(page);
  showMode(page, mode);
  if (mode == kQuotaMode) fillQuota(page);
  if (mode == kGroupMode) fillGroup(page);
  if (mode == kFrameMode) fillFrame(page);
  InvalidateRect(page, nullptr, TRUE);
}

void createQuotaControls(WindowHandle page) {
  const bool pic = pictures();
  const pageframe::Control controls[] = {
      {"combobox", "camera", kCombo | CBS_GRIDLIST, 0, kCamera, true},
      {"static", "rec_capacity", kField, 0, kRecUsed, true},
      {"static", pic ? "pic_capacity" : "", kField, 0, kPicUsed, true},
      {"static", "totalcap", kField, 0, kTotal, true},
      {"sledit", "maxreccap", kEdit, 0, kRecQuota, true},
      {"sledit", pic ? "maxpiccap" : "", kEdit, 0, kPicQuota, true},
      {"static", "warn", kChild, 0, kQuotaWarn, false},
      {"button", "quota_copy", kButton, 0, PAGE_ID_COPY, false},
  };
  pageframe::createControls(page, kAdvanceSection, controls, static_cast<int>(sizeof controls / sizeof controls[0]));
  for (int id : {kRecQuota, kPicQuota}) SendDlgItemMessage(page, id, EM_LIMITTEXT, kQuotaDigits, 0);
}

void fillGroupBox(WindowHandle page);

// The group controls, a hundred channel boxes, are made when the group
// mode is first shown: a page opened in another mode opens faster.
void ensureGroupControls(WindowHandle page) {
  if (g_store.groupControlsMade) return;
  g_store.groupControlsMade = true;
  pageframe::createFromKey(page, kAdvanceSection, {"combobox", "group_group", kCombo, 0, kGroup, true});
  createChanCheckBoxes(page, kAdvanceSection, "group_all_analog", "group_all_ipc", "group_camera", kCheckBox, 0, 0, 8,
                       0);
  pageframe::createFromKey(page, kAdvanceSection, {"static", "warn", kChild, 0, kGroupWarn, false});
  fillGroupBox(page);
}

void createFrameControls(WindowHandle page) {
  const bool pic = pictures();
  const pageframe::Control controls[] = {
      {"segrate", "drawframe_ratio_cap", kChild, 0, kSplit, true},
      {"static", "color_rec_normal", kChild, 0, kLegendFirst, false},
      {"static", "color_rec_drawframe", kChild, 0, kLegendFirst + 1, false},
      {"static", pic ? "color_pic" : "", kChild, 0, kLegendFirst + 2, false},
      {"static", "rec_estimation", kChild, 0, kEstimate, false},
      {"sledit", "rec_rate", kChild | WS_BORDER, 0, kRate, true},
      {"static", "rec_time_now", kField, 0, kTimeNow, true},
      {"static", "rec_time_extend", kField, 0, kTimeExtend, true},
  };
  pageframe::createControls(page, kAdvanceSection, controls, static_cast<int>(sizeof controls / sizeof controls[0]));
  SendDlgItemMessage(page, kRate, EM_LIMITTEXT, kRateDigits, 0);
}

void fillGroupBox(WindowHandle page) {
  uint64_t inUse = 0;
  getDiskGroupsInUse(&inUse);
  g_store.group = -1;
  for (int g = 1; g <= kDiskGroups; ++g) {
    if (!((inUse >> (g - 1)) & 1u)) continue;
    char text[16];
    std::snprintf(text, sizeof text, "%d", g);
    SendDlgItemMessage(page, kGroup, CB_ADDSTRING, static_cast<WParam>(g), reinterpret_cast<LParam>(text));
    if (g_store.group < 0) g_store.group = g;
  }
  if (g_store.group > 0) selectComboValue(page, kGroup, g_store.group);
}

void fillModeBox(WindowHandle page) {
  const ValueKeyRow rows[] = {{"stormode1", kQuotaMode}, {"stormode2", kGroupMode}, {"stormode_drawframe", kFrameMode}};
  addValueComboItems(page, kMode, rows, hasDrawFrameMode() ? 3 : 2, kAdvanceSection, 1);
}

void init(WindowHandle page) {
  loadStorageState(g_store);
  g_modeWritten = false;
  // Looked up again each time: the layout owns the picture.
  loadNamedBitmaps(kAdvanceSection, g_warn, 1, 0);
  pageframe::createBottomButtons(page, kAdvanceSection, "quota_apply", "quota_close", PAGE_ID_EXIT);
  pageframe::createFromKey(page, kAdvanceSection, {"combobox", "stor_mode", kCombo, 0, kMode, true});
  createQuotaControls(page);
  createFrameControls(page);
  g_store.channel = addChanComboItems(page, kCamera, 0);
  if (g_store.channel > 0) selectComboValue(page, kCamera, g_store.channel);
  fillModeBox(page);
  selectComboValue(page, kMode, static_cast<int>(g_store.mode));
  fillMode(page, shownMode(page));
}

void chooseChannel(WindowHandle page) {
  const int next = comboValue(page, kCamera);
  if (next == g_store.channel) return;
  if (!storeQuota(page)) {
    selectComboValue(page, kCamera, g_store.channel);
    return;
  }
  g_store.channel = next;
  fillQuota(page);
}

void chooseGroup(WindowHandle page) {
  storeGroup(page);
  g_store.group = comboValue(page, kGroup);
  fillGroup(page);
  enableApply(page, 0, 0);
}

void command(WindowHandle page, int id, int code) {
  if (id >= CHANBOX_ALL_ANALOG && id <= CHANBOX_ALL_IP) {
    onChanAllCheckBox(page, id);
    enableApply(page, 0, 0);
    return;
  }
  if (id >= CHANBOX_ANALOG_FIRST && id < CHANBOX_IP_FIRST + 64) {
    onChanCheckBox(page, id);
    enableApply(page, 0, 0);
    return;
  }
  switch (id) {
    case kMode:
      if (code != CBN_SELCHANGE) return;
      fillMode(page, shownMode(page));
      enableApply(page, 0, 0);
      return;
    case kCamera:
      if (code == CBN_SELCHANGE) chooseChannel(page);
      return;
    case kGroup:
      if (code == CBN_SELCHANGE) chooseGroup(page);
      return;
    case PAGE_ID_COPY: copyQuota(page); return;
    case kRecQuota:
    case kPicQuota:
      if (code == EN_UPDATE) enableApply(page, 0, 0);
      return;
    case kSplit:
      if (code != SRN_DRAGGED && code != SRN_DROPPED) return;
      showEstimate(page);
      enableApply(page, 0, 0);
      return;
    case kRate:
      if (code == EN_UPDATE) showEstimate(page);
      return;
    default: return;
  }
}

// The shown mode's data; 0 or the first refusal.
int saveModeData(WindowHandle page, int mode) {
  if (mode == kQuotaMode) return saveQuotas();
  if (mode == kGroupMode) {
    storeGroup(page);
    return saveGroups();
  }
  if (mode == kFrameMode) return saveFrame(page);
  return 0;
}

// Everything is checked before the first write: a quota the page refuses
// leaves the device as it was. A refused write is reported and keeps Apply.
int save(WindowHandle page) {
  const int mode = shownMode(page);
  if (mode == kQuotaMode) {
    if (!storeQuota(page)) return PAGE_CODE_DECLINED;
    if (!quotasFit()) {
      showMsgBox(page, kAdvanceSection, pictures() ? "quotaerr_maxtotal" : "quotaerr_allmaxtotal_nopic", MSGBOX_INFO);
      return PAGE_CODE_DECLINED;
    }
  }
  if (mode >= 0 && static_cast<uint32_t>(mode) != g_store.mode) {
    if (const int rc = setStorageMode(loginId(), mode)) return rc;
    g_store.mode = static_cast<uint32_t>(mode);
    g_modeWritten = true;
  }
  if (const int rc = saveModeData(page, mode)) return rc;
  if (const int rc = applyDiskParams(loginId())) return rc;
  if (const int rc = saveDeviceParams()) return rc;
  if (!g_modeWritten) return 0;
  g_modeWritten = false;
  // The question asks whether to reboot now: No keeps what was written for
  // the next start rather than dropping it.
  SetPowerKeyDownFlag(1);
  const int answer = askMsgBox(page, kAdvanceSection, "stormode_param_reboot");
  SetPowerKeyDownFlag(0);
  if (answer != IDYES) return 0;
  EnableWindow(getDiskMenuWnd(), FALSE);
  openShutdownHint(page, 1);
  EnableWindow(getDiskMenuWnd(), TRUE);
  return 0;
}

void drawLegends(WindowHandle page, HDC hdc) {
  const char* keys[] = {"color_rec_normal", "color_rec_drawframe", "color_pic"};
  for (int i = 0; i < (pictures() ? 3 : 2); ++i) {
    const CtrlResInfo* r = pageframe::record(kAdvanceSection, keys[i]);
    if (!r) continue;
    fillColour(hdc, kSegmentColours[i], r->x - kLegendSize - kLegendGap, r->y + (r->h - kLegendSize) / 2, kLegendSize,
               kLegendSize);
  }
}

void erase(WindowHandle page, WParam wParam, LParam lParam) {
  eraseBkgndGrey50(page, wParam, lParam);
  liveview_dialogs::eraseWith(page, wParam, lParam, [page](HDC hdc, const Rect&) {
    const int mode = shownMode(page);
    if (mode == kGroupMode) {
      if (const CtrlResInfo* r = pageframe::record(kAdvanceSection, "group_chkbox_rect")) {
        Rect frame{r->x, r->y, r->x + r->w, r->y + r->h};
        drawRoundFrame(hdc, 0, &frame);
      }
    }
    if (mode == kFrameMode) drawLegends(page, hdc);
  });
}

void paint(WindowHandle page) {
  HDC hdc = BeginPaint(page);
  const int mode = shownMode(page);
  const CtrlResInfo* pos = pageframe::record(kAdvanceSection, "warn_bmp_pos");
  const Bitmap* bmp = findNamedBitmap(g_warn, 1, "quota_warn_bmp");
  const bool warn = (mode == kQuotaMode && g_store.quotaWarn) || (mode == kGroupMode && g_store.groupReadOnly);
  if (warn && pos && bmp)
    FillBoxWithBitmap(hdc, pos->x, pos->y, static_cast<int>(bmp->bmWidth), static_cast<int>(bmp->bmHeight), bmp);
  EndPaint(page, hdc);
}

void report(WindowHandle page, int code) { showSaveFailedCode(page, code); }

LResult closeStorageMenu() { return SendMessage(getDiskMenuWnd(), MSG_CLOSE, 0, 0); }

}  // namespace

LResult storagePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks{
      init, erase, command, save, report, closeStorageMenu, nullptr, nullptr, paint};
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

}  // namespace disks

// The bad-sector page of the S.M.A.R.T. window: starts, pauses, resumes and
// cancels the device's check of one disk and follows it on a poll timer,
// painting a grid of the disk's blocks as the check reports them.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/disk_texts.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/disks/check_grid.h"
#include "app/record/disks/check_seam.h"
#include "app/record/disks/disks.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/static.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace disks {
namespace {

constexpr int kDisk = 20112, kType = 20113, kStart = 20114, kCapacity = 20116, kBlock = 20117;
constexpr int kStatus = 20118, kErrors = 20119, kInfo = 20120, kPause = 20121, kResume = 20122;
constexpr int kLegendSuccess = 20124;  // then the failure and the shielded legends
constexpr int kLegendSize = 16, kLegendGap = 20;
constexpr int kTypeMetadata = 2;
constexpr int kTextSize = 128, kInfoSize = 1024;
constexpr int kLowResCells = 32, kCells = 64;
constexpr int kNothingSaved = -1;  // the hidden Apply: a failure nothing reports

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kCombo = kChild | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kButton = kChild | BS_AUTOSIZE;
constexpr uint32_t kField = kChild | SS_EDITFRAME;

constexpr ValueKeyRow kStates[] = {
    {"detect_status_none", DISK_CHECK_NONE},         {"detect_status_running", DISK_CHECK_RUNNING},
    {"detect_status_pause", DISK_CHECK_PAUSED},      {"detect_status_complete", DISK_CHECK_COMPLETE},
    {"detect_status_exceed", DISK_CHECK_EXCEEDED},   {"detect_status_abort", DISK_CHECK_ABORTED},
};
constexpr ValueKeyRow kTypes[] = {{"detect_type_full", 1}, {"detect_type_metadata", kTypeMetadata}};

struct PageState {
  CheckGrid grid;
  DiskCheckInfo info;
  uint64_t capacity;  // bytes of the selected disk
};
PageState g_state;
int g_forcedCells = 0;

int loginId() { return getLoginId(getMainOutput()); }

int underCheck(const DiskCheckInfo& info) {
  return static_cast<int>(static_cast<int64_t>(info.idLow) + 2 * static_cast<int64_t>(info.idHigh) + 1);
}

int badCount(const DiskCheckInfo& info) {
  return info.badCount < DISK_CHECK_BAD_MAX ? static_cast<int>(info.badCount) : DISK_CHECK_BAD_MAX;
}

uint64_t blockBytes() {
  const uint64_t cells = static_cast<uint64_t>(g_state.grid.size()) * static_cast<uint64_t>(g_state.grid.size());
  return cells ? g_state.capacity / cells : 0;
}

Rect gridArea() {
  const CtrlResInfo* r = pageframe::record(kDetectSection, "area");
  if (!r) return Rect{0, 0, 0, 0};
  return Rect{r->x, r->y, r->x + r->w, r->y + r->h};
}

void invalidateGrid(WindowHandle page) {
  const Rect area = gridArea();
  InvalidateRect(page, &area, FALSE);
}

void readInfo() {
  std::memset(&g_state.info, 0, sizeof g_state.info);
  getDiskCheckInfo(&g_state.info);
}

int selectedDisk(WindowHandle page) { return comboValue(page, kDisk); }

void resetGrid() {
  const int cells = g_forcedCells ? g_forcedCells : IsLowResDisplay(getMainOutput()) ? kLowResCells : kCells;
  g_state.grid.reset(cells);
  const DiskCheckInfo& info = g_state.info;
  g_state.grid.mark(info.shieldStart, info.shieldEnd, blockBytes(), Cell::kShield);
}

// The disk's capacity and block size from its disk-list row.
void showDisk(WindowHandle page) {
  g_state.capacity = 0;
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i)
    if (diskNumberOf(&rows[i]) == selectedDisk(page)) g_state.capacity = static_cast<uint64_t>(rows[i].capacity) << 20;
  char text[kTextSize];
  formatCapacity(text, sizeof text, static_cast<int64_t>(g_state.capacity));
  setText(page, kCapacity, text);
  formatCapacity(text, sizeof text, static_cast<int64_t>(blockBytes()));
  setText(page, kBlock, text);
}

void showStatus(WindowHandle page) {
  const DiskCheckInfo& info = g_state.info;
  char text[kTextSize];
  if (selectedDisk(page) != underCheck(info)) {
    formatValueText(kDetectSection, kStates, 6, DISK_CHECK_NONE, text, sizeof text);
    setText(page, kStatus, text);
    setText(page, kErrors, "0");
    return;
  }
  std::snprintf(text, sizeof text, "%d", badCount(info));
  setText(page, kErrors, text);
  formatValueText(kDetectSection, kStates, 6, static_cast<int>(info.state), text, sizeof text);
  if (info.state == DISK_CHECK_RUNNING) {
    const size_t used = std::strlen(text);
    std::snprintf(text + used, sizeof text - used, " %d%%",
                  checkPercent(info.rangeStart, info.rangeEnd, info.checkedEnd));
  }
  setText(page, kStatus, text);
  const uint64_t block = blockBytes();
  g_state.grid.mark(info.rangeStart, info.checkedEnd < info.rangeEnd ? info.checkedEnd : info.rangeEnd, block,
                    Cell::kChecked);
  for (int i = 0; i < badCount(info); ++i) g_state.grid.mark(info.badSectors[i], info.badSectors[i] + 1, block, Cell::kBad);
}

void setButtons(WindowHandle page) {
  const DiskCheckInfo& info = g_state.info;
  const bool mine = selectedDisk(page) == underCheck(info);
  const bool running = info.state == DISK_CHECK_RUNNING, paused = info.state == DISK_CHECK_PAUSED;
  const bool choose = mine ? !running && !paused : !running;
  enableLabeledCtrl(page, kDisk, choose ? 1 : 0);
  enable(page, kType, choose);
  enable(page, kStart, choose);
  show(page, kPause, !(mine && paused));
  enable(page, kPause, mine && running);
  show(page, kResume, mine && paused);
  enable(page, kResume, mine && paused);
  enable(page, IDCANCEL, mine && (running || paused));
  enable(page, kInfo, mine && badCount(info) > 0);
}

void refresh(WindowHandle page) {
  showStatus(page);
  setButtons(page);
  invalidateGrid(page);
}

void createControls(WindowHandle page) {
  const pageframe::Control controls[] = {
      {"combobox", "hdd", kCombo, 0, kDisk, true},
      {"combobox", "type", kCombo, 0, kType, false},
      {"button", "detect", kButton, 0, kStart, false},
      {"static", "capacity", kField | SS_ELLIPSIS | SS_NOTIFY, 0, kCapacity, true},
      {"static", "block", kField, 0, kBlock, true},
      {"static", "status", kField, 0, kStatus, true},
      {"static", "err", kField, 0, kErrors, true},
      {"button", "info", kButton | WS_DISABLED, 0, kInfo, false},
      {"button", "pause", kButton, 0, kPause, false},
      {"button", "resume", WS_CHILD | BS_AUTOSIZE, 0, kResume, false},
      {"button", "cancel", kButton, 0, IDCANCEL, false},
  };
  pageframe::createControls(page, kDetectSection, controls, static_cast<int>(sizeof controls / sizeof controls[0]));
  const char* legends[] = {"color_success", "color_fail", "color_shield"};
  for (int i = 0; i < 3; ++i) {
    const CtrlResInfo* r = pageframe::record(kDetectSection, legends[i]);
    if (!r) continue;
    CreateWindowEx("static", r->caption ? r->caption : "", kChild | SS_VCENTER, 0, kLegendSuccess + i,
                   r->x + kLegendGap, r->y, r->w - kLegendGap, r->h, page, 0);
  }
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kDetectSection, {"button", "close", WS_CHILD, 0, PAGE_ID_APPLY, false}, y);
  pageframe::createFromKey(page, kDetectSection, {"button", "close", kButton, 0, PAGE_ID_EXIT, false}, y);
}

void init(WindowHandle page) {
  std::memset(&g_state.info, 0, sizeof g_state.info);
  resetGrid();
  createControls(page);
  readInfo();
  const int first = fillDiskCombo(page, kDisk, nullptr);
  const bool busy = g_state.info.state == DISK_CHECK_RUNNING || g_state.info.state == DISK_CHECK_PAUSED;
  selectComboValue(page, kDisk, busy ? underCheck(g_state.info) : first);
  addValueComboItems(page, kType, kTypes, 2, kTypeSection, 1);
  selectComboValue(page, kType, kTypeMetadata);
  setText(page, kErrors, "0");
  showDisk(page);
  resetGrid();
  refresh(page);
}

void start(WindowHandle page) {
  const int disk = selectedDisk(page);
  if (disk < 0) return;
  const int type = comboValue(page, kType);
  readInfo();
  resetGrid();
  if (startDiskCheck(loginId(), disk, type) != 0) return;
  startPoll(page, kCheckTimer);
  enableLabeledCtrl(page, kDisk, 0);
  enable(page, kType, false);
  enable(page, kStart, false);
  enable(page, kInfo, false);
  show(page, kResume, false);
  show(page, kPause, true);
  enable(page, kPause, true);
  enable(page, IDCANCEL, true);
  char text[kTextSize];
  formatValueText(kDetectSection, kStates, 6, DISK_CHECK_RUNNING, text, sizeof text);
  const size_t used = std::strlen(text);
  std::snprintf(text + used, sizeof text - used, " %d%%", 0);
  setText(page, kStatus, text);
  setText(page, kErrors, "0");
  invalidateGrid(page);
}

void poll(WindowHandle page, int timer) {
  if (timer != kCheckTimer) return;
  if (selectedDisk(page) < 0) return;
  readInfo();
  refresh(page);
  if (g_state.info.state != DISK_CHECK_RUNNING) stopPoll(page, kCheckTimer);
}

void request(WindowHandle page, int (*send)(int), bool keepPolling) {
  send(loginId());
  readInfo();
  refresh(page);
  if (keepPolling && g_state.info.state == DISK_CHECK_RUNNING)
    startPoll(page, kCheckTimer);
  else if (!keepPolling)
    stopPoll(page, kCheckTimer);
}

void showBadSectors(WindowHandle page) {
  readInfo();
  char text[kInfoSize];
  const int bad = badCount(g_state.info);
  if (bad > 0) {
    std::snprintf(text, sizeof text, "%s\n", caption(kDetectSection, "err_info"));
    for (int i = 0; i < bad; ++i) {
      const size_t used = std::strlen(text);
      char sector[32];
      std::snprintf(sector, sizeof sector, "%lld  ", static_cast<long long>(g_state.info.badSectors[i]));
      // Only whole numbers: the text is cut where the next one would not fit.
      if (used + std::strlen(sector) >= sizeof text) break;
      std::memcpy(text + used, sector, std::strlen(sector) + 1);
    }
  } else {
    std::snprintf(text, sizeof text, "%s", caption(kDetectSection, "test_ok"));
  }
  showMsgBoxText(page, text, MSGBOX_INFO);
  g_state.grid.clearPainted();
  invalidateGrid(page);
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kDisk:
      if (code != CBN_SELCHANGE && code != CBN_CLOSEUP) return;
      showDisk(page);
      resetGrid();
      refresh(page);
      return;
    case kStart: start(page); return;
    case kInfo: showBadSectors(page); return;
    case kPause: request(page, pauseDiskCheck, false); return;
    case kResume: request(page, resumeDiskCheck, true); return;
    case IDCANCEL: request(page, cancelDiskCheck, false); return;
    case PAGE_ID_EXIT:
      stopDiskCheckPoll(getMainOutput(), page);
      closeMaintenanceMenu();
      return;
    default: return;
  }
}

void eraseLegend(WindowHandle page, WParam wParam, LParam lParam) {
  eraseBkgndGrey50(page, wParam, lParam);
  HDC hdc = GetClientDC(page);
  const GalPixel colours[] = {SysPixelIndex[SYSPIXEL_GREEN], SysPixelIndex[SYSPIXEL_RED], SysPixelIndex[SYSPIXEL_YELLOW]};
  const char* legends[] = {"color_success", "color_fail", "color_shield"};
  for (int i = 0; i < 3; ++i) {
    const CtrlResInfo* r = pageframe::record(kDetectSection, legends[i]);
    if (!r) continue;
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(colours[i]));
    FillBox(hdc, r->x, r->y + (r->h - kLegendSize) / 2, kLegendSize, kLegendSize);
  }
  ReleaseDC(hdc);
}

void paint(WindowHandle page) {
  HDC hdc = BeginPaint(page);
  g_state.grid.paint(hdc, gridArea());
  EndPaint(page, hdc);
}

// The page keeps its Apply hidden and saves nothing with it.
int saveNothing(WindowHandle) { return kNothingSaved; }

void stopOnDestroy(WindowHandle page) { stopDiskCheckPoll(getMainOutput(), page); }

}  // namespace

void resetDiskCheckGrid() { g_state.grid.clearPainted(); }

namespace check_seam {
void setGridCells(int n) { g_forcedCells = n; }
}  // namespace check_seam

void stopDiskCheckPoll(int output, WindowHandle page) {
  if (!IsTimerInstalled(page, kCheckTimer)) return;
  KillTimer(page, kCheckTimer);
  setLiveViewActive(output, 1);
}

LResult diskCheckPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{init,    eraseLegend, command, saveNothing, nullptr, nullptr,
                                           nullptr, nullptr,     paint,   poll,        stopOnDestroy};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace disks

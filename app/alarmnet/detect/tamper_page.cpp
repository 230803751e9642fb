// The video tamper page: per channel, detection of a covered camera, its
// sensitivity, the area on the live picture where the device can take one,
// and through the event handling sheet what it triggers and when.
#include <cstring>
#include <memory>

#include "app/alarmnet/detect/detect_page.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/alarmnet/zones/cell_grid.h"
#include "app/alarmnet/zones/zone_editor.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/gal.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using namespace detect;

constexpr const char* kSection = "videotamperset";
constexpr int kChannelBox = 19264, kEnable = 19265, kHandle = 19266, kSensitivity = 19267, kSelectAll = 19268,
              kClearAll = 19269, kAreaTool = 19270;
constexpr int kHolidayKind = 4;
constexpr int kTamperSupport = 6;
constexpr int kMaxSensitivityPos = 2;  // positions 0..2 store 1..3
// MSG_BROADCAST_NOTICE with a parameter below this ends a drag's repainting.
constexpr WParam kDragEndParams = 2;

constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_GRIDLIST | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX;
constexpr uint32_t kHandleStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_TRANSPARENTTEXT | BS_BITMAPBUTTON;
constexpr uint32_t kTrackStyle = WS_CHILD | WS_VISIBLE | TBS_INSET | TBS_TICKS | TBS_NOTIFY;
constexpr uint32_t kHiddenTool = WS_CHILD | BS_AUTOSIZE;
constexpr uint32_t kShownTool = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr int kZoneColours[] = {SYSPIXEL_YELLOW};

void copyTamperBlock(ChannelConfig* to, const ChannelConfig& from) {
  to->tamperEnable = from.tamperEnable;
  to->tamperSensitivity = from.tamperSensitivity;
  std::memcpy(to->tamperArea, from.tamperArea, sizeof to->tamperArea);
  to->tamperLinkage = from.tamperLinkage;
  std::memcpy(to->tamperSchedule, from.tamperSchedule, sizeof to->tamperSchedule);
}

struct TamperState {
  ChannelEdits edits{Block{kHolidayKind, copyTamperBlock}};
  HandleBitmaps bitmaps;
  AreaCaps caps{};
  bool areaAbility = false;
  bool pressed = false;  // a drag began on the view
  bool moved = false;
  std::unique_ptr<zones::ZoneEditor> zones;
  std::unique_ptr<zones::CellGrid> grid;
};
TamperState g_state;

bool gridMode() { return g_state.areaAbility && g_state.caps.areaMode == AREA_MODE_GRID; }
bool zoneMode() { return g_state.areaAbility && g_state.caps.areaMode != AREA_MODE_GRID && g_state.caps.zoneCount; }

void invalidateView(WindowHandle page) {
  const Rect r = viewRect(page, kSection);
  InvalidateRect(page, &r, FALSE);
}

void createControls(WindowHandle page) {
  const pageframe::Control controls[] = {
      {"combobox", "camsel", kComboStyle, 0, kChannelBox, true},
      {"button", "tamperen", kCheckStyle, 0, kEnable, true},
      {"button", "handle", kHandleStyle, 0, kHandle, true},
      {"trackbar", "sens", kTrackStyle, 0, kSensitivity, true},
  };
  pageframe::createControls(page, kSection, controls, 4);
  applyHandleBitmaps(GetDlgItem(page, kHandle), g_state.bitmaps);
  if (g_state.areaAbility) {
    const pageframe::Control tools[] = {
        {"button", "fullscr", kHiddenTool, 0, kSelectAll, false},
        {"button", "clearall", kHiddenTool, 0, kClearAll, false},
        {"button", "clearallarea", kShownTool, 0, kAreaTool, false},
    };
    pageframe::createControls(page, kSection, tools, 3);
  }
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "base_copy", kShownTool, 0, PAGE_ID_COPY, false}, y);
  pageframe::createBottomButtons(page, kSection, "base_apply", "base_close", PAGE_ID_EXIT);
}

// The rows and columns of a grid area: the capability's when it gives
// both, else 22 columns of 18 rows (15 with NTSC).
zones::CellGridSetup gridSetup(WindowHandle page) {
  zones::CellGridSetup setup;
  setup.page = page;
  setup.view = viewRect(page, kSection);
  setup.rows = isVideoStandard(1) ? 15 : 18;
  setup.cols = 22;
  if (g_state.caps.grid.rowsOrMinX && g_state.caps.grid.colsOrMinY) {
    setup.rows = g_state.caps.grid.rowsOrMinX;
    setup.cols = g_state.caps.grid.colsOrMinY;
  }
  return setup;
}

zones::ZoneEditorSetup zoneSetup(WindowHandle page) {
  zones::ZoneEditorSetup setup;
  setup.page = page;
  setup.view = viewRect(page, kSection);
  setup.output = getCurOutput();
  setup.caps = g_state.caps;
  setup.zoneCount = 1;
  setup.firstToolId = kAreaTool;
  setup.section = kSection;
  setup.addKey = "addallarea";
  setup.clearKey = "clearallarea";
  setup.colours = kZoneColours;
  return setup;
}

// The area of the channel: a cell grid, or one free zone where the device
// draws zones.
void buildArea(WindowHandle page) {
  g_state.zones.reset();
  g_state.grid.reset();
  if (!g_state.areaAbility) return;
  ShowWindow(GetDlgItem(page, kSelectAll), gridMode() ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(page, kClearAll), gridMode() ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(page, kAreaTool), zoneMode() ? SW_SHOW : SW_HIDE);
  if (gridMode()) {
    g_state.grid = std::make_unique<zones::CellGrid>(gridSetup(page));
    g_state.grid->load(g_state.edits.record.tamperArea[0]);
  } else if (zoneMode()) {
    g_state.zones = zones::makeZoneEditor(zoneSetup(page));
    g_state.zones->load(g_state.edits.record.tamperArea[0]);
  }
}

// Positions 0..2 stand for 1..3; anything else stored shows the lowest.
int positionOf(uint16_t sensitivity) { return sensitivity >= 1 && sensitivity <= 3 ? sensitivity - 1 : 0; }

void showChannel(WindowHandle page) {
  std::memset(&g_state.caps, 0, sizeof g_state.caps);
  getTamperAreaCaps(&g_state.caps, g_state.edits.channel);
  setChecked(page, kEnable, g_state.edits.record.tamperEnable);
  SendDlgItemMessage(page, kSensitivity, TBM_SETPOS, static_cast<WParam>(positionOf(g_state.edits.record.tamperSensitivity)),
                     0);
  showLivePicture(page, kSection, g_state.edits.channel);
  buildArea(page);
}

void init(WindowHandle page) {
  g_state.areaAbility = hasTamperAreaAbility() != 0;
  g_state.pressed = g_state.moved = false;
  loadHandleBitmaps(kSection, &g_state.bitmaps);
  createControls(page);
  SendDlgItemMessage(page, kSensitivity, TBM_SETRANGE, 0, kMaxSensitivityPos);
  ChannelEdits& edits = g_state.edits;
  edits.start(page, kChannelBox, kTamperSupport);
  showChannel(page);
  enableCtrlByChan(page, PAGE_ID_COPY, edits.channel);
}

int save(WindowHandle page, bool cacheOnly) {
  ChannelConfig& record = g_state.edits.record;
  record.tamperEnable = isChecked(page, kEnable) ? 1 : 0;
  record.tamperSensitivity =
      static_cast<uint16_t>(SendDlgItemMessage(page, kSensitivity, TBM_GETPOS, 0, 0) + 1);
  if (g_state.zones) g_state.zones->store(record.tamperArea[0], g_state.edits.channel);
  if (g_state.grid) g_state.grid->store(record.tamperArea[0]);
  if (cacheOnly) {
    g_state.edits.cache();
    return 0;
  }
  const int rc = g_state.edits.apply(comboValue(page, kChannelBox));
  if (rc == 0 && g_state.zones) g_state.zones->load(record.tamperArea[0]);
  if (rc == 0 && g_state.grid) g_state.grid->load(record.tamperArea[0]);
  return rc;
}

void onChannel(WindowHandle page, int code) {
  if (code == CBN_CLOSEUP) {
    invalidateView(page);
    return;
  }
  if (code != CBN_SELCHANGE) return;
  ChannelEdits& edits = g_state.edits;
  const int next = comboValue(page, kChannelBox);
  if (!checkChanSupported(page, kChannelBox, next, edits.channel, kTamperSupport)) {
    g_state.pressed = false;
    invalidateView(page);
    return;
  }
  if (next != edits.channel) {
    const int rc = save(page, true);
    if (rc != 0) {
      showSaveFailedCode(page, rc);
      invalidateView(page);
      g_state.pressed = false;
      selectComboValue(page, kChannelBox, edits.channel);
      return;
    }
    edits.channel = next;
    if (edits.load(next) != 0) {
      showMsgBox(page, "commons", "getcamerahint", MSGBOX_ERROR);
      g_state.pressed = false;
      invalidateView(page);
    }
    showChannel(page);
    enableCtrlByChan(page, PAGE_ID_COPY, next);
  }
}

void onCopy(WindowHandle page) {
  const uint64_t mask = chooseCopyChannels(page, g_state.edits.channel);
  if (mask != 0) {
    const int rc = save(page, true);
    if (rc != 0) {
      showSaveFailedCode(page, rc);
      return;
    }
    g_state.edits.copyTo(mask);
    enableApply(page, 0, 0);
  }
  invalidateView(page);
}

void onCommand(WindowHandle page, int id, int code) {
  if (g_state.zones && g_state.zones->onTool(id)) return;
  switch (id) {
    case kSelectAll:
      if (g_state.grid) g_state.grid->selectAll();
      return;
    case kClearAll:
      if (g_state.grid) g_state.grid->clearAll();
      return;
    case kChannelBox: onChannel(page, code); return;
    case kEnable: enableApply(page, 0, 0); return;
    case kSensitivity:
      if (code == TBN_DRAGGED || code == TBN_STEPPED) enableApply(page, 0, 0);
      return;
    case kHandle:
      if (runHandleSheet(page, EVENT_SOURCE_TAMPER, g_state.edits.holiday)) enableApply(page, 0, 0);
      invalidateView(page);
      return;
    case PAGE_ID_COPY: onCopy(page); return;
    default: return;
  }
}

int apply(WindowHandle page) { return save(page, false); }
void report(WindowHandle page, int code) {
  showSaveFailedCode(page, code);
  invalidateView(page);
}
void erase(WindowHandle page, WParam wParam, LParam lParam) { eraseWithViewFrame(page, kSection, wParam, lParam); }

bool listOpen(WindowHandle page) { return SendDlgItemMessage(page, kChannelBox, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void onMouse(WindowHandle page, int message, LParam lParam) {
  const int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  if (message == MSG_LBUTTONDOWN && listOpen(page)) return;
  if (message == MSG_MOUSEMOVE && g_state.pressed) g_state.moved = true;
  const int as = message == MSG_NCLBUTTONUP ? MSG_LBUTTONUP : message;
  const bool taken = (g_state.zones && g_state.zones->onMouse(as, x, y)) || (g_state.grid && g_state.grid->onMouse(as, x, y));
  if (taken && message == MSG_LBUTTONDOWN) g_state.pressed = true;
  if (taken && as == MSG_LBUTTONUP) g_state.pressed = false;
}

void dropDrag(WindowHandle page) {
  if (g_state.pressed) onMouse(page, MSG_NCLBUTTONUP, 0);
}

void paint(WindowHandle page) {
  const HDC hdc = BeginPaint(page);
  paintView(page, kSection, hdc);
  if (g_state.zones) g_state.zones->paint(hdc);
  if (g_state.grid) g_state.grid->paint(hdc);
  EndPaint(page, hdc);
}

// The area sees the mouse and the end of a drag's repainting; the page's
// controls still get the messages after it.
bool areaMessage(WindowHandle page, int message, WParam wParam, LParam lParam, LResult*) {
  switch (message) {
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONUP:
    case MSG_NCLBUTTONUP:
    case MSG_MOUSEMOVE:
      if (g_state.areaAbility) onMouse(page, message, lParam);
      return false;
    case MSG_BROADCAST_NOTICE:
      if (g_state.areaAbility && wParam < kDragEndParams && g_state.moved) {
        if (g_state.pressed) invalidateView(page);
        g_state.moved = false;
      }
      return false;
    default: return false;
  }
}

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks{init,    erase,   onCommand, apply,   report,     exitCameraMenu,
                                          nullptr, nullptr, paint,     nullptr, nullptr, areaMessage};
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"base", pageProc, nullptr}};

// A drag the page's area began and the mouse let go outside the page ends
// there too.
bool windowMessage(WindowHandle hwnd, int message, WParam, LParam, LResult*) {
  if (message == MSG_NCLBUTTONUP && g_state.areaAbility) {
    const WindowHandle active = activeSheetPage(hwnd);
    if (IsValidHandle(active)) dropDrag(active);
  }
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, kCameraSlot, windowMessage, scaleOnceBuilt};

}  // namespace

extern "C" {

WindowHandle createVideoTamperSetWindow(WindowHandle host) { return pageframe::openPage(kSection, host, pageframe::windowProc<kWindow>); }
ChannelConfig* getTamperParam(void) { return &g_state.edits.record; }

}  // extern "C"

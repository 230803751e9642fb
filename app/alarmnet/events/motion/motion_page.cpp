// The motion detection page: a main window hosted by the camera menu with
// one sheet page, on which the grid (or the zones) is drawn over the
// channel's live picture.
#include "app/alarmnet/events/motion/motion_page.h"

#include <algorithm>
#include <cstring>

#include "app/alarmnet/events/camera_page.h"
#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/page_frame.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/timer.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace motion {
namespace {

constexpr int kOverlayPeriod = 3;
constexpr int kDefaultWidth = 704, kDefaultHeight = 576, kNtscHeight = 480;
constexpr int kDefaultRows = 18, kNtscRows = 15, kDefaultCols = 22;
constexpr int kNtsc = 1;
constexpr int kChannelFlag = 4;
constexpr int kSensitivityMax = 6;
constexpr int kWidenX = 8, kWidenY = 2;
constexpr int kEndDragLimit = 2;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kFrameStyle =
    EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
const int kZoneColours[kZonesMax] = {SYSPIXEL_YELLOW, SYSPIXEL_GREEN, SYSPIXEL_BLUE, SYSPIXEL_LIGHTGREY};
const char* const kZoneKeys[kZonesMax] = {"clearzone1", "clearzone2", "clearzone3", "clearzone4"};

PageState g_page;
LiveRows g_live{};

// Loaded on each opening; they live while the buttons show them.
struct Pictures {
  Bitmap handleBack{}, handle{}, handleDisabled{};
  Bitmap zones[kZonesMax]{};
  bool hasHandle = false, hasHandleDisabled = false, hasBack = false;
  bool hasZone[kZonesMax]{};
};
Pictures g_pictures;
const char* const kZoneBitmaps[kZonesMax] = {"yellow_bmp", "green_bmp", "blue_bmp", "magenta_bmp"};

void loadPictures() {
  Pictures& p = g_pictures;
  p.hasBack = GetWinBitmap(kSection, "handle_bg_bmp", &p.handleBack) != 0;
  p.hasHandle = GetWinBitmap(kSection, "handle_bmp", &p.handle) != 0;
  p.hasHandleDisabled = GetWinBitmap(kSection, "handle_dis_bmp", &p.handleDisabled) != 0;
  for (int i = 0; i < kZonesMax; ++i) p.hasZone[i] = GetWinBitmap(kSection, kZoneBitmaps[i], &p.zones[i]) != 0;
}

// The arrow is the button's own picture (grey while disabled) over its
// tile; each zone tool shows its zone's colour beside its caption. A
// button's normal picture is never null: the toolkit refuses the pair.
void givePictures(WindowHandle page) {
  const Pictures& p = g_pictures;
  const WindowHandle handle = GetDlgItem(page, kHandleButton);
  const Bitmap* back = p.hasBack ? &p.handleBack : nullptr;
  if (IsValidHandle(handle) && p.hasHandle) {
    SetCtrlBitmaps(handle, &p.handle, back, 1);
    SetCtrlBitmaps(handle, &p.handle, back, 2);
    if (p.hasHandleDisabled) SetCtrlBitmaps(handle, &p.handleDisabled, back, 3);
  }
  for (int i = 0; i < kZonesMax; ++i) {
    const WindowHandle tool = GetDlgItem(page, kFirstZoneTool + i);
    if (!IsValidHandle(tool) || !p.hasZone[i]) continue;
    SetCtrlBitmaps(tool, &p.zones[i], &p.zones[i], 1);
    SetCtrlBitmaps(tool, &p.zones[i], &p.zones[i], 2);
  }
}

int16_t lowWord(LParam l) { return static_cast<int16_t>(l & 0xFFFF); }
int16_t highWord(LParam l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

void setDefaults() {
  const bool ntsc = isVideoStandard(kNtsc) != 0;
  g_page.pictureWidth = kDefaultWidth;
  g_page.pictureHeight = ntsc ? kNtscHeight : kDefaultHeight;
  g_page.geometry.rows = ntsc ? kNtscRows : kDefaultRows;
  g_page.geometry.cols = kDefaultCols;
  g_live.gridRows.store(g_page.geometry.usableRows());
}

void createControls(WindowHandle page) {
  const pageframe::Control kControls[] = {
      {"combobox", "camsel", WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_GRIDLIST | CBS_DROPDOWNLIST,
       EDIT_CORNER_TOPRIGHT, kChannelBox, true},
      {"button", "motionen", WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, 0, kEnableBox, true},
      {"trackbar", "sens", WS_CHILD | WS_VISIBLE | BS_FRAMED | TBS_TICKS | TBS_NOTIFY, EDIT_CORNER_BOTTOMRIGHT,
       kSensitivity, true},
      {"button", "fullscr", kButtonStyle, 0, kSelectAll, false},
      {"button", "clearall", kButtonStyle, 0, kClearAll, false},
      {"button", "clearallarea", WS_CHILD | BS_AUTOSIZE, 0, kClearZones, false},
  };
  pageframe::createControls(page, kSection, kControls, static_cast<int>(sizeof kControls / sizeof kControls[0]));
  const Bitmap* arrow = g_pictures.hasHandle ? &g_pictures.handle : nullptr;
  pageframe::createFromKey(page, kSection,
                           {"button", "handle", WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_BITMAP | BS_LEFTTEXT | BS_BITMAPBUTTON, 0, kHandleButton,
                            true},
                           -1, reinterpret_cast<LParam>(arrow));
  for (int i = 0; i < kZonesMax; ++i)
    pageframe::createFromKey(page, kSection, {"button", kZoneKeys[i], WS_CHILD | BS_AUTOSIZE | BS_IMAGEBUTTON, 0,
                                              kFirstZoneTool + i, false});
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "base_copy", kButtonStyle, 0, PAGE_ID_COPY, false}, y);
  pageframe::createFromKey(page, kSection,
                           {"button", "base_apply", kButtonStyle | WS_DISABLED, 0, PAGE_ID_APPLY, false}, y);
  pageframe::createFromKey(page, kSection, {"button", "base_close", kButtonStyle, 0, PAGE_ID_EXIT, false}, y);
  SendDlgItemMessage(page, kSensitivity, TBM_SETRANGE, 0, kSensitivityMax);
  givePictures(page);
}

// Step 1 to 7 of the page's initialisation.
void initPage(WindowHandle page) {
  g_page.page = page;
  loadPictures();
  setDefaults();
  g_page.drag = Drag{};
  const Grid g = currentGrid();
  g_page.invalidRect = {g.x, g.y, g.x + g.w, g.y + g.h};
  clearLive();
  g_page.repaintCells = true;
  SetTimer(page, kOverlayTimer, kOverlayPeriod);
  if (IsLowResDisplay(getMainOutput())) setCtrlScale(5, 5);
  createControls(page);
  for (ChanEditSlot& slot : g_page.slots) slot = ChanEditSlot{};
  const int channel = addChanComboItems(page, kChannelBox, kChannelFlag);
  setCurrentChannel(channel);
  selectComboValue(page, kChannelBox, channel);
  if (channel < 1 || loadChannel(channel) != 0) {
    g_page.work = ChannelConfig{};
    fetchCaps(channel);
    showAreaTools();
  }
  enableCtrlByChan(page, PAGE_ID_COPY, channel);
  pushPreview();
  setMotionStatusCallback(onMotionStatus);
}

void paintGrid(HDC dc, const Grid& g) {
  const bool liveData = g_live.data.load(std::memory_order_acquire);
  bool filled = false;
  SetDCAttr(dc, DC_ATTR_PEN_COLOR, SysPixelIndex[SYSPIXEL_RED]);
  SetDCAttr(dc, DC_ATTR_BRUSH_COLOR, SysPixelIndex[SYSPIXEL_RED]);
  for (int r = 0; r < g.usableRows(); ++r) {
    const uint32_t liveRow = r < kLiveRows ? g_live.rows[r].load(std::memory_order_relaxed) : 0;
    for (int c = 0; c < g.usableCols(); ++c) {
      if (!((g_page.grid[r][0] >> c) & 1u)) continue;
      const Rect cell = cellRect(g, r, c);
      if (cell.right <= cell.left || cell.bottom <= cell.top) continue;
      if (g_page.repaintCells || liveData) Rectangle(dc, cell.left, cell.top, cell.right - 1, cell.bottom - 1);
      if (liveData && ((liveRow >> c) & 1u)) {
        FillBox(dc, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
        filled = true;
      }
    }
  }
  g_page.repaintCells = false;
  if (liveData) {
    for (auto& row : g_live.rows) row.store(0, std::memory_order_relaxed);
    if (!filled) g_live.data.store(false, std::memory_order_release);
  }
  if (!g_page.drag.active) return;
  const Rect& d = g_page.drag.rect;
  const int left = std::clamp(std::min(d.left, d.right), g.x, g.x + g.w);
  const int right = std::clamp(std::max(d.left, d.right), g.x, g.x + g.w);
  const int top = std::clamp(std::min(d.top, d.bottom), g.y, g.y + g.h);
  const int bottom = std::clamp(std::max(d.top, d.bottom), g.y, g.y + g.h);
  SetDCAttr(dc, DC_ATTR_BRUSH_COLOR, SysPixelIndex[SYSPIXEL_GREEN]);
  FillBox(dc, left, top, right - left, bottom - top);
}

void paint(WindowHandle page) {
  const HDC dc = BeginPaint(page);
  const Grid g = currentGrid();
  paintVideoArea(dc, g.x, g.y, g.w, g.h);
  if (needsMsgBoxRepaint() && GetMsgBoxState()) InvalidateRect(GetActiveWindow(), nullptr, TRUE);
  if (gridMode())
    paintGrid(dc, g);
  else if (g_page.zones)
    g_page.zones->paint(dc);
  EndPaint(page, dc);
}

void erase(WindowHandle page, WParam wParam, LParam lParam) {
  eraseBkgndGrey50(page, wParam, lParam);
  g_page.repaintCells = true;
  const CtrlResInfo* r = pageframe::record(kSection, "viewbg");
  if (!r) return;
  int x = r->x, y = r->y, w = r->w, h = r->h;
  ScaleHorzToScreen(&x, &w, getCurOutput());
  ScaleVertToScreen(&y, &h, getCurOutput());
  liveview_dialogs::eraseWith(page, wParam, lParam, [x, y, w, h](HDC dc, const Rect&) {
    Rect frame{x, y, x + w, y + h};
    DrawEditFrame(dc, 0, kFrameStyle, &frame, FALSE, TRUE, 0);
  });
}

void onTimer(WindowHandle page, int timer) {
  if (timer != kOverlayTimer) return;
  if (!g_live.data.load(std::memory_order_acquire) || !gridMode()) return;
  const Grid g = currentGrid();
  const Rect box = selectedBounds(g, g_page.grid);
  if (box.right <= box.left) return;
  const Rect widened{box.left - kWidenX, box.top - kWidenY, box.right + kWidenX, box.bottom + kWidenY};
  InvalidateRect(page, &widened, FALSE);
}

bool listOpen(WindowHandle page) { return SendDlgItemMessage(page, kChannelBox, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void onMouse(WindowHandle page, int message, int x, int y) {
  if (!gridMode()) {
    if (g_page.zones) g_page.zones->onMouse(message, x, y);
    return;
  }
  const Grid g = currentGrid();
  if (message == MSG_LBUTTONDOWN) {
    if (listOpen(page)) return;
    press(g_page.drag, g, g_page.grid, x, y);
  } else if (message == MSG_MOUSEMOVE) {
    if (move(g_page.drag, g, x, y)) {
      g_page.repaintCells = true;
      invalidateView();
    }
  } else {
    GridRows* grids[2] = {&g_page.grid, &g_page.work.motionArea};
    if (!release(g_page.drag, g, grids, 2)) return;
    pushPreview();
    g_page.repaintCells = true;
    enableApply(page, 0, 0);
    invalidateView();
  }
}

void onGridTool(WindowHandle page, int id) {
  const Grid g = currentGrid();
  if (id == kSelectAll) {
    selectAll(g, g_page.grid);
    selectAll(g, g_page.work.motionArea);
  } else {
    clearAll(g, g_page.grid);
    clearAll(g, g_page.work.motionArea);
  }
  g_page.drag = Drag{};
  g_page.repaintCells = true;
  invalidateView(id == kClearAll);
  enableApply(page, 0, 0);
}

int save(WindowHandle) { return saveMotionParam(false); }

// The box has covered the cells drawn over the picture.
void report(WindowHandle page, int code) {
  reportSaveFailed(page, code);
  g_page.repaintCells = true;
  invalidateView();
}

void onSensitivity(WindowHandle page, int code) {
  if (code != TBN_STOPDRAG && code != TBN_STEPPED) return;
  const LResult position = SendDlgItemMessage(page, kSensitivity, TBM_GETPOS, 0, 0);
  g_page.work.motionSensitivity = position <= 0 ? kSensitivityOff : static_cast<uint8_t>(position - 1);
  pushPreview();
  enableApply(page, 0, 0);
}

void onCommand(WindowHandle page, int id, int code) {
  if (!gridMode() && g_page.zones && g_page.zones->onTool(id)) return;
  switch (id) {
    case kChannelBox:
      if (code == CBN_DROPDOWN) g_page.repaintCells = true;
      if (code == CBN_CLOSEUP) {
        g_page.repaintCells = true;
        invalidateView();
      }
      if (code == CBN_SELCHANGE) onChannelChange();
      break;
    case kEnableBox: enableApply(page, 0, 0); break;
    case kSensitivity: onSensitivity(page, code); break;
    case kSelectAll: case kClearAll: if (gridMode()) onGridTool(page, id); break;
    case kHandleButton: onEventHandling(); break;
    case PAGE_ID_COPY: onCopy(); break;
    case PAGE_ID_EXIT: closeCameraMenu(page, 0, 0); break;
    default: break;
  }
}

// The area sees the mouse and the end of a drag's repainting; the page's
// controls still get the messages after it.
bool areaMessage(WindowHandle page, int message, WParam wParam, LParam lParam, LResult*) {
  switch (message) {
    case MSG_LBUTTONDOWN: case MSG_MOUSEMOVE: case MSG_LBUTTONUP: case MSG_NCLBUTTONUP:
      onMouse(page, message == MSG_NCLBUTTONUP ? MSG_LBUTTONUP : message, lowWord(lParam), highWord(lParam));
      return false;
    case MSG_BROADCAST_NOTICE:
      if (wParam < static_cast<WParam>(kEndDragLimit) && g_page.drag.moved) {
        if (g_page.drag.active) {
          g_page.repaintCells = true;
          invalidateView();
        }
        g_page.drag.moved = false;
      }
      return false;
    default: return false;
  }
}

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{initPage, erase,   onCommand, save,    report,  nullptr,
                                           nullptr,  nullptr, paint,     onTimer, nullptr, areaMessage};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

// Gives back the timer, the call-back and the view; false when the page
// was already closed.
bool releasePage() {
  if (g_page.window == GUI_INVALID_HANDLE) return false;
  if (IsValidHandle(g_page.page)) KillTimer(g_page.page, kOverlayTimer);
  restoreStoredPreview(currentChannel());
  // Waits for a report in flight: the live rows stay ours afterwards.
  setMotionStatusCallback(nullptr);
  g_page.zones.reset();
  g_page.page = GUI_INVALID_HANDLE;
  g_page.window = GUI_INVALID_HANDLE;
  setCurrentChannel(0);
  return true;
}

void closePage(WindowHandle window) {
  releasePage();
  releaseCameraVideoPage(window);
}

void enterPage(WindowHandle window) {
  g_page.window = window;
  attachCameraPage(window);
}

// The camera menu's slot, given back with the page's own state on closing
// and on destruction below.
const pageframe::PageSlot kSlot{getCameraPageWnd, setCameraPageWnd, onCameraPageKeyUp, enterPage, closePage};
// The sheet holds its page even where the layout has no record for it.
const pageframe::SheetPage kPages[] = {{"base", pageProc, nullptr, true}};

bool windowMessage(WindowHandle, int message, WParam, LParam lParam, LResult* answer) {
  switch (message) {
    case MSG_NCLBUTTONUP:
      if (IsValidHandle(g_page.page)) onMouse(g_page.page, MSG_LBUTTONUP, lowWord(lParam), highWord(lParam));
      break;
    case MSG_RELOADMOTIONGRID:
      if (gridMode()) loadMotionArea(g_page.work);
      break;
    default: return false;
  }
  *answer = 0;
  return true;
}

void afterDefault(WindowHandle window, int message, WParam wParam, LParam lParam) {
  if (message == MSG_INITDIALOG) {
    ShowWindow(GetDlgItem(window, PAGE_ID_SHEET), SW_SHOWNORMAL);
    applyLowResCtrlScale(window, wParam, lParam);
  } else if (message == MSG_DESTROY) {
    // Destroyed with its menu rather than closed: nothing may stay behind.
    releasePage();
  }
}

const pageframe::PageWindow kWindow{kSection, kPages, kSlot, windowMessage, afterDefault};

}  // namespace

PageState& page() { return g_page; }
LiveRows& live() { return g_live; }
int currentChannel() { return g_live.channel.load(); }
void setCurrentChannel(int channel) { g_live.channel.store(channel); }

void clearLive() {
  for (auto& row : g_live.rows) row.store(0, std::memory_order_relaxed);
  g_live.data.store(false, std::memory_order_release);
  g_page.drag.moved = false;
}

bool gridMode() { return g_page.caps.areaMode == AREA_MODE_GRID; }

Grid currentGrid() {
  Grid g = g_page.geometry;
  const CtrlResInfo* r = pageframe::record(kSection, "viewpos");
  int x = r ? r->x : 0, y = r ? r->y : 0, scaledWidth = 0;
  ScaleHorzToScreen(&x, &scaledWidth, getCurOutput());
  int w = 0, h = 0;
  getVideoAreaSize(&w, &h, getCurOutput());
  alignAreaRect(g_page.page, &x, &y, &w, &h, 0);
  g.x = x;
  g.y = y;
  g.w = w;
  g.h = h;
  return g;
}

void invalidateView(bool eraseBackground) {
  if (IsValidHandle(g_page.page)) InvalidateRect(g_page.page, &g_page.invalidRect, eraseBackground ? TRUE : FALSE);
}

void pushPreview() {
  const int channel = currentChannel();
  if (channel < 1 || channel > getAnalogChanNum()) return;
  const uint8_t sensitivity = g_page.work.motionSensitivity;
  if (sensitivity == kSensitivityOff) {
    setMotionPreview(channel, sensitivity, nullptr);
    return;
  }
  uint32_t rows[kLiveRows];
  for (int r = 0; r < kLiveRows; ++r) rows[r] = g_page.grid[r][0];
  setMotionPreview(channel, sensitivity, rows);
}

void restoreStoredPreview(int channel) {
  if (channel < 1) return;
  ChannelConfig stored{};
  if (getChannelConfig(getOutputLogin(getCurOutput()), channel, &stored) != 0) return;
  if (stored.motionEnable && stored.motionSensitivity != kSensitivityOff) {
    uint32_t rows[kLiveRows];
    for (int r = 0; r < kLiveRows; ++r) rows[r] = stored.motionArea[r][0];
    setMotionPreview(channel, stored.motionSensitivity, rows);
  } else {
    setMotionPreview(channel, kSensitivityOff, nullptr);
  }
}

void loadMotionArea(const ChannelConfig& record) {
  pushPreview();
  g_page.drag = Drag{};
  std::memcpy(g_page.grid, record.motionArea, sizeof g_page.grid);
  g_page.repaintCells = true;
  invalidateView();
}

void fetchCaps(int channel) {
  g_page.caps = AreaCaps{};
  if (channel >= 1) getMotionAreaCaps(&g_page.caps, channel);
  setDefaults();
  const ZoneGrid& z = g_page.caps.grid;
  if (z.pictureWidth && z.pictureHeight) {
    g_page.pictureWidth = z.pictureWidth;
    g_page.pictureHeight = z.pictureHeight;
  }
  if (gridMode() && z.rowsOrMinX && z.colsOrMinY) {
    g_page.geometry.rows = z.rowsOrMinX;
    g_page.geometry.cols = z.colsOrMinY;
  }
  g_live.gridRows.store(g_page.geometry.usableRows());
}

void showAreaTools() {
  const WindowHandle page = g_page.page;
  const bool grid = gridMode();
  const int zoneCount = grid ? 0 : std::min<int>(g_page.caps.zoneCount, kZonesMax);
  ShowWindow(GetDlgItem(page, kSelectAll), grid ? SW_SHOWNORMAL : SW_HIDE);
  ShowWindow(GetDlgItem(page, kClearAll), grid ? SW_SHOWNORMAL : SW_HIDE);
  ShowWindow(GetDlgItem(page, kClearZones), zoneCount > 0 ? SW_SHOWNORMAL : SW_HIDE);
  for (int i = 0; i < kZonesMax; ++i)
    ShowWindow(GetDlgItem(page, kFirstZoneTool + i), i < zoneCount ? SW_SHOWNORMAL : SW_HIDE);
}

void buildZones() {
  zones::ZoneEditorSetup setup;
  const Grid g = currentGrid();
  setup.page = g_page.page;
  setup.view = {g.x, g.y, g.x + g.w, g.y + g.h};
  setup.output = getCurOutput();
  setup.caps = g_page.caps;
  setup.zoneCount = std::min<int>(g_page.caps.zoneCount, kZonesMax);
  setup.firstToolId = kFirstZoneTool;
  setup.clearAllId = kClearZones;
  setup.section = kSection;
  setup.addKey = "addzone%d";
  setup.clearKey = "clearzone%d";
  setup.colours = kZoneColours;
  g_page.zones = zones::makeZoneEditor(setup);
  g_page.zones->load(&g_page.work.motionArea[0][0]);
  g_page.repaintCells = true;
  invalidateView();
}

}  // namespace motion

extern "C" {

WindowHandle createMotionSetWindow(WindowHandle host) {
  return pageframe::openPage(motion::kSection, host, pageframe::windowProc<motion::kWindow>);
}

AreaCaps* getMotionZoneState(void) { return &motion::page().caps; }

}  // extern "C"

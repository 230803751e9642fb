// The network detection window: a sheet of the traffic chart, the detect
// page and the statistics list, beside the maintenance menu.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/netda/netda_pages.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/liveview_dialogs.h"
#include "app/page_building.h"
#include "app/page_colours.h"
#include "app/page_frame.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace netda {

ChartState g_chart;
bool g_settingsOpened = false;

namespace {

constexpr int kYMax = 20992, kYMin = 20993, kCurNic = 20994, kUpload = 20995, kDownload = 20996, kIfList = 20997;
constexpr int kTrafficClose = 20998;
constexpr int kGridColumns = 15, kGridRows = 8;
constexpr uint64_t kInitialMax = 1024;
constexpr int kStatPage = 2;

constexpr ListColumnDesc kNicColumns[] = {{"nic_info_name", 0, nullptr},  {"nic_info_linkstatus", 0, nullptr},
                                          {"nic_info_type", 0, nullptr},  {"nic_info_mac", 0, nullptr},
                                          {"nic_info_mtu", 0, nullptr},   {"nic_info_nictype", 0, nullptr},
                                          {"nic_info_traf", 0, nullptr}};

void loadRect(const char* key, ChartRect* out, bool scaled) {
  const CtrlResInfo* r = pageframe::record(kSection, key);
  if (!r) return;
  int x = r->x, w = r->w;
  if (scaled) ScaleHorzToScreen(&x, &w, getCurOutput());
  *out = {x, r->y, x + w, r->y + r->h};
}

void resetChart() {
  g_chart = ChartState{};
  g_chart.count = getNetInterfaceCount();
  g_chart.yMax = kInitialMax;
  g_chart.status[0] = 1;
  loadRect("netda_traffic_rect", &g_chart.rect, true);
  loadRect("wave_bmp_even_show", &g_chart.showMark, false);
  loadRect("wave_bmp_even_pause", &g_chart.pauseMark, false);
}

void drawLegend(HDC dc, const char* bitmapKey, const char* placeKey) {
  Bitmap bitmap{};
  const CtrlResInfo* r = pageframe::record(kSection, placeKey);
  if (!r || !GetWinBitmap(kSection, bitmapKey, &bitmap)) return;
  FillBoxWithBitmap(dc, r->x, r->y, 0, 0, &bitmap);
}

void paintTrafficBackground(HDC dc, const Rect& client) {
  fillColour(dc, page_colours::kPageBackground, 0, 0, client.right - client.left, client.bottom - client.top);
  const ChartRect& r = g_chart.rect;
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetDCAttr(dc, DC_ATTR_PEN_COLOR, static_cast<uint32_t>(SysPixelIndex[page_colours::kChartLine]));
  if (width > 0 && height > 0) {
    for (int i = 0; i < kGridColumns; ++i) {
      const int x = r.left + i * (width / kGridColumns);
      MoveTo(dc, x, r.top);
      LineTo(dc, x, r.bottom);
    }
    for (int k = 1; k <= kGridRows; ++k) {
      const int y = r.top + k * (height / kGridRows);
      MoveTo(dc, r.left, y);
      LineTo(dc, r.right, y);
    }
  }
  drawLegend(dc, "traf_bmp_send", "bmp_pos_upload");
  drawLegend(dc, "traf_bmp_receive", "bmp_pos_download");
}

void paintSeries(HDC dc, const uint64_t* series, int sysPixel) {
  int xs[kSamples], ys[kSamples];
  for (int k = 0; k < kSamples; ++k) {
    xs[k] = sampleX(g_chart.rect, k);
    ys[k] = sampleY(g_chart.rect, series[k], g_chart.yMax);
  }
  SetDCAttr(dc, DC_ATTR_PEN_COLOR, static_cast<uint32_t>(SysPixelIndex[sysPixel]));
  drawChartLine(dc, kSamples, xs, ys, 0, 0);
}

void paintTraffic(WindowHandle page) {
  const HDC dc = BeginPaint(page);
  const int shown = g_chart.shown;
  if (shown >= 0 && shown < kMaxInterfaces && shown < g_chart.count && g_chart.hasData[shown]) {
    paintSeries(dc, g_chart.send[shown], SYSPIXEL_GREEN);
    paintSeries(dc, g_chart.receive[shown], SYSPIXEL_YELLOW);
  }
  EndPaint(page, dc);
}

void makeTrafficControls(WindowHandle page) {
  struct Row {
    const char* key;
    int id;
  };
  static const Row kStatics[] = {{"yaxis_max", kYMax},   {"yaxis_min", kYMin},       {"cur_nic", kCurNic},
                                 {"speed_upload", kUpload}, {"speed_download", kDownload}};
  for (const Row& row : kStatics) {
    const WindowHandle label =
        pageframe::createFromKey(page, kSection, {"static", row.key, WS_CHILD | WS_VISIBLE, WS_EX_PLACE_MASK, row.id,
                                                  false});
    if (row.id >= kCurNic) SetWindowText(label, "");
    SetWindowBkColor(label, pagePixel(HDC_SCREEN, page_colours::kPageBackground));
  }
  pageframe::createFromKey(page, kSection, {"listview", "iflistv", kListStyle, WS_EX_PLACE_MASK, kIfList, false});
  addListViewColumns(page, kIfList, kSection, kNicColumns, static_cast<int>(sizeof kNicColumns / sizeof kNicColumns[0]));
  bottomButton(page, "traffic_close", kTrafficClose);
}

const pageframe::PageHooks kTrafficHooks{
    [](WindowHandle page) {
      resetChart();
      SetTimer(GetParent(GetParent(page)), kTrafficTimer, kTrafficTicks);
      makeTrafficControls(page);
    },
    [](WindowHandle page, WParam wParam, LParam lParam) {
      liveview_dialogs::eraseWith(page, wParam, lParam, paintTrafficBackground);
    },
    [](WindowHandle, int id, int) {
      if (id == kTrafficClose) closeMaintenanceMenu();
    },
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    paintTraffic,
    [](WindowHandle, int) {}};  // the window's timer draws the chart

LResult trafficProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kTrafficHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {
    {"traffic", trafficProc, nullptr}, {"detect", detectProc, nullptr}, {"stat", statProc, nullptr}};

bool windowMessage(WindowHandle hwnd, int message, WParam wParam, LParam, LResult* answer) {
  switch (message) {
    case MSG_INITDIALOG: g_settingsOpened = false; return false;
    case MSG_TIMER: *answer = 0; return true;
    case MSG_COMMAND:
      if (pageframe::idOf(wParam) == PAGE_ID_SHEET && pageframe::codeOf(wParam) == PSN_ACTIVE_CHANGED && g_settingsOpened) {
        const WindowHandle sheet = GetDlgItem(hwnd, PAGE_ID_SHEET);
        if (SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == kStatPage)
          refreshStats(static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0)));
      }
      return false;
    case MSG_CLOSE:
    case MSG_DESTROY: KillTimer(hwnd, kTrafficTimer); return false;
    default: return false;
  }
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kMaintenanceSlot, windowMessage};

}  // namespace

WindowHandle bottomButton(WindowHandle page, const char* key, int id) {
  return pageframe::createFromKey(page, kSection,
                                  {"button", key, WS_CHILD | WS_VISIBLE, WS_EX_PLACE_X | WS_EX_PLACE_W, id, false},
                                  pageframe::bottomRow(page));
}

}  // namespace netda

extern "C" int createNetDaWindow(WindowHandle owner) {
  return pageframe::openWindow<netda::kWindow>(owner);
}

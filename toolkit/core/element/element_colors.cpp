// Window element colours and metrics, read once at start-up from the main
// configuration file into the three exported arrays.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/element/size_limit.h"
#include "gdi/startup_report.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/font.h"
#include "gui/gui_etc.h"
#include "gui/text.h"

GalPixel WinElementColors[WE_COLOR_COUNT];
GalPixel szExtraColors[WE_EXTRA_COLOR_COUNT];
int32_t WinMainMetrics[WE_METRIC_COUNT];

namespace {

const char* const kColorKeys[WE_COLOR_COUNT] = {
    "fc_caption_normal", "fc_caption_hilite", "fc_caption_disabled", "fc_caption_selected",
    "fc_control_normal", "fc_control_hilite", "fc_control_disabled", "fc_control_selected",
    "fc_menuitem_normal", "fc_menuitem_hilite", "fc_menuitem_disabled", "fc_menuitem_selected",
    "fc_prop_normal", "fc_prop_hilite", "fc_prop_disabled", "fc_prop_selected",
    "bkc_win_normal", "bkc_tip_normal", "bkc_dlg_normal", "bkc_caption_normal",
    "bkc_caption_hilite", "bkc_caption_disabled", "bkc_caption_selected", "bkc_control_normal",
    "bkc_control_hilite", "bkc_control_disabled", "bkc_control_selected", "bkc_menuitem_normal",
    "bkc_menuitem_hilite", "bkc_menuitem_disabled", "bkc_menuitem_selected", "bkc_prop_normal",
    "bkc_prop_hilite", "bkc_prop_disabled", "bkc_prop_selected", "bkc_defcontrol_normal",
    "bkc_defcontrol_selected", "bkc_onerase_top", "bkc_onerase_bottom", "bkc_scroll_normal",
    "bkc_scroll_hilite", "bkc_scroll_spin", "bkc_scroll_spin1", "bkc_scroll_spin2",
    "bkc_recttrackbar_normal", "bkc_recttrackbar_hilite", "bkc_recttrackbar_disabled",
    "bkc_recttrackbar_selected", "bkc_timetagtrack_normal", "fgc_timetagtrack_normal",
    "bkc_lbsmatrix_normal_style1_top", "bkc_lbsmatrix_normal_style1_bottom",
    "bkc_lbsmatrix_normal_style2_top", "bkc_lbsmatrix_normal_style2_bottom",
    "bkc_lbsmatrix_normal_style3_top", "bkc_lbsmatrix_normal_style3_bottom",
    "bkc_lbsmatrix_selected_style1_top", "bkc_lbsmatrix_selected_style1_bottom",
    "bkc_lbsmatrix_selected_style2_top", "bkc_lbsmatrix_selected_style2_bottom",
    "bkc_lbsmatrix_selected_style3_top", "bkc_lbsmatrix_selected_style3_bottom",
    "wec_frame_win_normal", "wec_frame_win_hilite", "wec_frame_win_disabled",
    "wec_frame_control_normal", "wec_frame_control_hilite", "wec_frame_control_disabled",
    "wec_frame_menuitem_normal", "wec_frame_menuitem_hilite", "wec_frame_menuitem_disabled",
    "wec_frame_prop_normal", "wec_frame_prop_hilite", "wec_frame_prop_disabled",
    "wec_frame_border", "wec_frame_border_inner", "wec_frame_border_outer", "fgc_control_div_h",
    "fgc_control_div_v", "wec_3dbox_normal", "wec_3dbox_reverse", "wec_3dbox_light", "wec_3dbox_dark",
    "bkc_pushbutton_start_normal", "bkc_pushbutton_end_normal", "bkc_pushbutton_start_pushed",
    "bkc_pushbutton_end_pushed",
};

const char* const kExtraKeys[WE_EXTRA_COLOR_COUNT] = {
    "fc_control_seldisable", "fc_lbif_style2", "fc_lbif_style3", "bkc_hint", "bkc_syswin",
    "bkc_syswin_divrect", "bkc_syswin_divline", "bkc_static", "bkc_control_hilight_lv",
    "bkc_control_selected_lv", "bkc_control_normal_lv", "bkc_control_fill0_lv", "bkc_record_normal",
    "bkc_record_event", "bkc_record_smart", "bkc_record_time", "bkc_record_motion", "bkc_record_alarm",
    "bkc_record_motionoralarm", "bkc_record_motionandalarm", "bkc_disk_normal", "bkc_disk_drawframe",
    "bkc_disk_picture", "bkc_disk_success", "bkc_disk_fail", "bkc_disk_untested", "bkc_vd_alloc",
    "bkc_vd_unalloc", "bkc_motion_fill", "bkc_selected_frame", "bkc_selected_smartframe",
    "fgc_motion_scope_color", "fgc_disk_detect_color", "fgc_vd_border_color", "fgc_netda_upload_color",
    "fgc_netda_download_color", "fgc_osd_datepos_color", "fgc_osd_titlepos_color", "fgc_preview_left_color",
    "fgc_preview_rect_color", "fgc_camera_shelter_color1", "fgc_camera_shelter_color2",
    "fgc_camera_shelter_color3", "fgc_camera_shelter_color4", "fgc_schedule_snapshot_color",
    "edit_fill_start", "edit_fill_end", "listbox_bkgnd_fill", "listbox_comm_fill0", "listbox_comm_fill1",
    "listbox_matrix_fill0_start", "listbox_matrix_fill0_end", "listbox_matrix_fill1_start",
    "listbox_matrix_fill1_end", "vscroll_fill_start", "vscroll_fill_end",
};

const char* const kMetricKeys[WE_METRIC_COUNT] = {
    "minwidth", "minheight", "border", "thickframe", "thinframe", "captiony", "iconx", "icony",
    "menubary", "menubaroffx", "menubaroffy", "menuitemy", "intermenuitemx", "intermenuitemy",
    "menuitemoffx", "menutopmargin", "menubottommargin", "menuleftmargin", "menurightmargin",
    "menuitemminx", "menuseparatory", "menuseparatorx", "sb_height", "sb_width", "sb_interx",
    "cxvscroll", "cyvscroll", "cxhscroll", "cyhscroll", "minbarlen", "defbarlen",
};

constexpr unsigned long kMaxColor = 0xFFFFFF;
constexpr int kColorTextSize = 12;   // 11 characters
constexpr int kMetricTextSize = 20;  // 19 characters
constexpr int kLastSmallFontMetric = 7;

bool LoadColors(const char* section, const char* const* keys, int count, GalPixel* out) {
  for (int i = 0; i < count; ++i) {
    char text[kColorTextSize] = {0};
    if (GetGuiEtcValue(section, keys[i], text, sizeof text) != ETC_OK) return false;
    unsigned long rgb = std::strtoul(text, nullptr, 0);
    if (rgb > kMaxColor) {
      ReportStartupProblem("configuration file \"%s\" has [%s] %s=%s, above 0xFFFFFF", ShownPath(ETCFILEPATH).c_str(),
                           section, keys[i], text);
      return false;
    }
    out[i] = RGB2Pixel(HDC_SCREEN, rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  }
  return true;
}

}  // namespace

// A metric may be given relative to a system font's size: "+4", "*2" and
// so on. False for a division by zero, which would otherwise end the
// program, and for a size beyond the limit of every file-given size.
bool ParseElementMetric(const char* text, int baseSize, int32_t* value) {
  const char op = text[0];
  const bool relative = op == '%' || op == '*' || op == '+' || op == '-' || op == '/';
  const int64_t n = std::clamp<long long>(std::strtoll(text + (relative ? 1 : 0), nullptr, 10), INT32_MIN,
                                          INT32_MAX);
  const int64_t base = baseSize;
  int64_t result = n;
  switch (relative ? op : 0) {
    case '%':
    case '/':
      if (n == 0) return false;
      result = op == '%' ? base % n : base / n;
      break;
    case '*': result = base * n; break;
    case '+': result = base + n; break;
    case '-': result = base - n; break;
    default: break;
  }
  if (!element::WithinSizeLimit(result)) return false;
  *value = static_cast<int32_t>(result);
  return true;
}

extern "C" {

int InitWindowElementColors(void) {
  return LoadColors("windowelementcolors", kColorKeys, WE_COLOR_COUNT, WinElementColors) ? 1 : 0;
}

int InitExtraColors(void) {
  return LoadColors("extracolors", kExtraKeys, WE_EXTRA_COLOR_COUNT, szExtraColors) ? 1 : 0;
}

int InitMainWinMetrics(void) {
  for (int i = 0; i < WE_METRIC_COUNT; ++i) {
    char text[kMetricTextSize] = {0};
    if (GetGuiEtcValue("mainwinmetrics", kMetricKeys[i], text, sizeof text) != ETC_OK) return 0;
    int base = GetSysFontHeight(i <= kLastSmallFontMetric ? 3 : 4);
    if (!ParseElementMetric(text, base, &WinMainMetrics[i])) {
      ReportStartupProblem("configuration file \"%s\" has [mainwinmetrics] %s=%s, which is no size a window part can have",
                           ShownPath(ETCFILEPATH).c_str(), kMetricKeys[i], text);
      return 0;
    }
  }
  return 1;
}

GalPixel GetExtraColorEx(int index) {
  if (index < 0 || index >= WE_EXTRA_COLOR_COUNT) return static_cast<GalPixel>(-1);
  return szExtraColors[index];
}

}  // extern "C"

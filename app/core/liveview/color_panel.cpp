// The colour panel over the live view: mode, brightness, contrast,
// saturation, hue and, for analog channels, sharpness and denoising of the
// selected channel, applied while the user moves them.
#include <cstddef>
#include <initializer_list>

#include "app/msgbox.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/color_panel.h"
#include "app/control_services.h"
#include "app/core/liveview/color_session.h"
#include "app/device_backend.h"
#include "app/dialog_hooks.h"
#include "app/dialog_template.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/page_colours.h"
#include "app/page_ids.h"
#include "app/page_keys.h"
#include "app/popup_drag.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kWindow = "leftcolorset";
constexpr int kModeId = 12544, kDefaultId = 12563;
constexpr int kLastAnalog = 16, kButtonBand = 40, kFooter = 50;

struct Row {
  int icon, slider, box;
  const char *iconKey, *sliderKey, *boxKey, *bitmapKey;
  int rangeIndex;       // entry of the device's range record
  size_t byte;          // offset in ChannelConfig
  bool analogOnly;
  uint32_t boxExStyle;
};

const Row kRows[] = {
    {12545, 12546, 12547, "brightnesspos", "brightness", "brightness_spin", "leftcolorset_brightness_bmp", 0,
     offsetof(ChannelConfig, brightness), false, 0},
    {12548, 12549, 12550, "contrastpos", "contrast", "contrast_spin", "leftcolorset_contrast_bmp", 1,
     offsetof(ChannelConfig, contrast), false, 0},
    {12551, 12552, 12553, "saturationpos", "saturation", "saturation_spin", "leftcolorset_saturation_bmp", 2,
     offsetof(ChannelConfig, saturation), false, 0},
    {12554, 12555, 12556, "chromapos", "chroma", "chroma_spin", "leftcolorset_chroma_bmp", 4,
     offsetof(ChannelConfig, hue), false, 0},
    {12557, 12558, 12559, "sharpnesspos", "sharpness", "sharpness_spin", "leftcolorset_sharpness_bmp", 3,
     offsetof(ChannelConfig, sharpness), true, 0},
    {12560, 12561, 12562, "denoisingpos", "denoising", "denoising_spin", "leftcolorset_denoising_bmp", 5,
     offsetof(ChannelConfig, denoise), true, EDIT_CORNER_BOTTOMRIGHT},
};

Bitmap g_rowBitmaps[6];
bool g_haveBitmap[6];
PopupDrag g_drag{};

colorpanel::Session& session() { return colorpanel::ActiveSession(); }
bool analog() { return session().Channel() <= kLastAnalog; }
bool shown(const Row& row) { return !row.analogOnly || analog(); }
uint8_t& byteOf(const Row& row) { return reinterpret_cast<uint8_t*>(&session().Current())[row.byte]; }

const CtrlResInfo* record(const char* key) {
  CtrlResInfo* r = nullptr;
  return GetCtrlResInfo(kWindow, key, &r) ? r : nullptr;
}

void create(WindowHandle dlg, const char* cls, const char* key, uint32_t style, uint32_t ex, int id,
            LParam data = 0, const char* caption = nullptr, int y = -1) {
  const CtrlResInfo* r = record(key);
  if (!r) return;
  const char* text = caption ? caption : (r->caption ? r->caption : "");
  CreateWindowEx(cls, text, style, ex, id, r->x, y < 0 ? r->y : y, r->w, r->h, dlg, data);
}

void loadBitmaps() {
  for (int i = 0; i < 6; ++i) g_haveBitmap[i] = GetWinBitmap(kWindow, kRows[i].bitmapKey, &g_rowBitmaps[i]);
}

void createControls(WindowHandle dlg) {
  if (const CtrlResInfo* r = record("colormode"))
    createLabeledCtrl("combobox", r->caption ? r->caption : "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY,
        EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT, kModeId, r->x,
        r->y, r->w, r->h, dlg, 0);
  for (int i = 0; i < 6; ++i) {
    const Row& row = kRows[i];
    if (!shown(row)) continue;
    const LParam bmp = g_haveBitmap[i] ? reinterpret_cast<LParam>(&g_rowBitmaps[i]) : 0;
    create(dlg, "button", row.iconKey, WS_CHILD | WS_VISIBLE | BS_BITMAPBUTTON | BS_TIPALWAYS, 0, row.icon, bmp);
    create(dlg, "trackbar", row.sliderKey, WS_CHILD | WS_VISIBLE | TBS_NOTIFY, WS_EX_TRANSPARENT, row.slider);
    create(dlg, "combobox", row.boxKey, WS_CHILD | WS_VISIBLE | CBS_SPINNUMBER | CBS_NOTIFY | CBS_CONTROLBKGND,
        row.boxExStyle, row.box, 0, "");
  }
  Rect client{};
  GetClientRect(dlg, &client);
  const int y = client.bottom - kButtonBand;
  if (analog()) {
    create(dlg, "button", "default", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_AUTOSIZE, 0, kDefaultId, 0, nullptr, y);
    create(dlg, "button", "copy", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_AUTOSIZE, 0, PAGE_ID_COPY, 0, nullptr, y);
  }
  create(dlg, "button", "ok", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_AUTOSIZE, 0, PAGE_ID_OK, 0, nullptr, y);
  const WindowHandle ok = GetDlgItem(dlg, PAGE_ID_OK);
  if (IsValidHandle(ok)) SetFocusChild(ok);
}

void setRanges(WindowHandle dlg, int output) {
  ColorRangeRecord ranges{};
  getColorRange(session().Channel(), session().Current().colorMode, &ranges);
  for (const Row& row : kRows) {
    if (!shown(row)) continue;
    const ColorRangeEntry& e = ranges.rows[row.rangeIndex];
    SendDlgItemMessage(dlg, row.slider, TBM_SETRANGE, e.maximum, e.minimum);
    // The value box takes its bounds lowest first and refuses them the other way round.
    SendDlgItemMessage(dlg, row.box, CB_SETSPINRANGE, e.minimum, e.maximum);
  }
}

void refresh(WindowHandle dlg) {
  for (const Row& row : kRows) {
    if (!shown(row)) continue;
    SendDlgItemMessage(dlg, row.slider, TBM_SETPOS, byteOf(row), 0);
    SendDlgItemMessage(dlg, row.box, CB_SETSPINVALUE, byteOf(row), 0);
  }
}

void onInit(WindowHandle dlg) {
  const int output = getCurOutput();
  setLeftColorSetWnd(dlg);
  setOutputState(output, OUTSTATE_COLORPANEL);
  loadBitmaps();
  g_drag = PopupDrag{};
  session().Begin(output, getPreviewSelChan(output));
  createControls(dlg);
  initColorTypeCombo(dlg, session().Channel(), kModeId);
  SendDlgItemMessage(dlg, kModeId, CB_SELECTVALUE, session().Current().colorMode, 0);
  setRanges(dlg, output);
  refresh(dlg);
}

void applyMode(WindowHandle dlg, int mode) {
  getColorParam(mode, &session().Current());
  session().Apply();
  refresh(dlg);
}

void copyChannels(WindowHandle dlg) {
  ShowWindow(dlg, SW_HIDE);
  showImageCopyChanDialog(dlg, session().Channel(), 1);
  session().CopyTo(getImageCopyChanMask());
  Rect to{}, own{};
  getImageCopyChanRect(&to);
  GetWindowRect(dlg, &own);
  MoveWindow(dlg, to.left, to.top, own.right - own.left, own.bottom - own.top, TRUE);
  ShowWindow(dlg, SW_SHOWNORMAL);
}

// A slider or value box of a row; false when the id is neither.
bool onRowCommand(WindowHandle dlg, int id, int code) {
  for (const Row& row : kRows) {
    if (id == row.slider) {
      if (code == 3) return true;
      const auto pos = SendDlgItemMessage(dlg, row.slider, TBM_GETPOS, 0, 0);
      SendDlgItemMessage(dlg, row.box, CB_SETSPINVALUE, static_cast<WParam>(pos), 0);
      if (code == 5 || code == 7) {
        byteOf(row) = static_cast<uint8_t>(pos);
        session().Apply();
      }
      return true;
    }
    if (id == row.box) {
      if (code != 5 && code != 11 && code != 12) return true;
      const auto value = SendDlgItemMessage(dlg, row.box, CB_GETSPINVALUE, 0, 0);
      SendDlgItemMessage(dlg, row.slider, TBM_SETPOS, static_cast<WParam>(value), 0);
      byteOf(row) = static_cast<uint8_t>(value);
      if (code != 5) session().Apply();
      return true;
    }
  }
  return false;
}

void onCommand(WindowHandle dlg, int id, int code) {
  if (onRowCommand(dlg, id, code)) return;
  switch (id) {
    case kModeId:
      if (code == CBN_SELCHANGE)
        applyMode(dlg, static_cast<int>(SendDlgItemMessage(dlg, kModeId, CB_GETSELVALUE, 0, 0)));
      break;
    case kDefaultId:
      applyMode(dlg, session().Current().colorMode);
      break;
    case PAGE_ID_COPY:
      copyChannels(dlg);
      break;
    case PAGE_ID_OK:
      if (const int rc = session().Save()) showMsgBoxNum(dlg, "commons", "savefailed_code", rc);
      SendMessage(dlg, MSG_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

void onClose(WindowHandle dlg) {
  const int output = getCurOutput();
  session().Restore();
  refreshLoginState(output, getLoginId(output));
  setLeftColorSetWnd(GUI_INVALID_HANDLE);
  setOutputState(output, OUTSTATE_LIVEVIEW);
  EndDialog(dlg, 0);
  setLiveViewPopup(output, 0);
  const WindowHandle live = getTopMainWindow();
  if (IsValidHandle(live)) InvalidateRect(live, nullptr, TRUE);
}

bool overRow(LParam lParam) {
  const int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  for (const Row& row : kRows)
    for (const char* key : {row.iconKey, row.sliderKey, row.boxKey})
      if (const CtrlResInfo* r = record(key))
        if (x >= r->x && x < r->x + r->w && y >= r->y && y < r->y + r->h) return true;
  return false;
}

// The panel's grey with a darker band for the buttons, and the frame
// around the rows (shorter without the two analog rows).
void fillPanel(HDC hdc, const Rect& client) {
  const int w = client.right - client.left, h = client.bottom - client.top;
  fillColour(hdc, page_colours::kDialogBackground, client.left, client.top, w, h);
  fillColour(hdc, page_colours::kPageBackground, client.left, client.top, w, h - kFooter);
  if (const CtrlResInfo* r = record("colorset_rect")) {
    Rect frame{r->x, r->y, r->x + r->w, r->y + r->h};
    if (!analog())
      for (const char* key : {"sharpness", "denoising"})
        if (const CtrlResInfo* row = record(key)) frame.bottom -= row->h;
    DrawEditFrame(hdc, 0, EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT,
        &frame, FALSE, TRUE, WinElementColors[WEC_BKC_CONTROL_NORMAL]);
  }
}

void erasePanel(WindowHandle dlg, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseWith(dlg, wParam, lParam, fillPanel);
}

// A wheel over a row is the row's alone.
bool onMessage(WindowHandle dlg, int message, WParam wParam, LParam lParam, LResult*) {
  const bool escape = message == MSG_KEYDOWN && getOutputState(getCurOutput()) == OUTSTATE_COLORPANEL;
  if (liveview_dialogs::smallDialogMessage(dlg, message, wParam, lParam, &g_drag, escape)) return true;
  return (message == MSG_MOUSEWHEELDOWN || message == MSG_MOUSEWHEELUP) && overRow(lParam);
}

const app::DialogHooks kHooks{onInit, app::takesAll<onCommand>, erasePanel, onClose, nullptr, onMessage};

}  // namespace

extern "C" {

LResult leftColorSetProc(WindowHandle dlg, int message, WParam wParam, LParam lParam) {
  return app::runDialog(kHooks, dlg, message, wParam, lParam);
}

int showLeftColorSetDialog(WindowHandle host) {
  const uint32_t style = WS_CAPTION | WS_CAPTION_EXTRA | WS_VISIBLE | WS_BORDER;
  DlgTemplate dlg = app::templateFromRecord(record("leftcolorset_rect"), style, 0, app::Placement::kFromBottomRight,
                                            getCurOutput());
  return app::runDialog(dlg, host, leftColorSetProc);
}

}  // extern "C"

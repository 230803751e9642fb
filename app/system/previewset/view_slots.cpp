// The view page's picture of the layout (sixteen slots placed per mode over
// "rect_order", paged), its channel list and its button pictures.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/system/previewset/order_tables.h"
#include "app/system/previewset/view_state.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/playback.h"
#include "gui/button.h"
#include "gui/combine.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/livevideo.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace previewset {
namespace {

constexpr int kButtonPictures = 10;  // six layout modes, then play, stop, previous, next
const char* const kNormalKeys[kButtonPictures] = {"1x1_bmp", "2x2_bmp", "1+5_bmp", "1+7_bmp", "3x3_bmp",
                                                  "4x4_bmp", "order_play_bmp", "order_stop_bmp", "order_prev_bmp",
                                                  "order_next_bmp"};
const char* const kDisabledKeys[kButtonPictures] = {
    "1x1_dis_bmp", "2x2_dis_bmp", "1+5_dis_bmp", "1+7_dis_bmp", "3x3_dis_bmp",
    "4x4_dis_bmp", "order_play_dis_bmp", "order_stop_dis_bmp", "order_prev_dis_bmp", "order_next_dis_bmp"};

// Pictures the buttons point at while the page lives.
struct Pictures {
  Bitmap normal[kButtonPictures]{}, disabled[kButtonPictures]{};
  bool haveNormal[kButtonPictures] = {}, haveDisabled[kButtonPictures] = {};
  Bitmap background{}, hover{}, placed{}, notPlaced{};
  bool haveBackground = false, haveHover = false, havePlaced = false, haveNotPlaced = false;
};
Pictures g_pictures;
ViewState g_view;

bool layoutRect(const char* key, Rect* out) {
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo(kWindow, key, &r) || !r) return false;
  *out = Rect{r->x, r->y, r->x + r->w, r->y + r->h};
  return true;
}

WindowHandle slotWnd(WindowHandle page, int slot) { return GetDlgItem(page, kFirstSlot + slot); }


void showChannel(WindowHandle slot, int channel) {
  const auto& chans = g_view.chans;
  if (channel >= 0 && channel < static_cast<int>(chans.size()) && chans[channel].row != kNotPlaced) {
    SendMessage(slot, CMB_SETVALUETEXT, static_cast<WParam>(chans[channel].row),
                reinterpret_cast<LParam>(chans[channel].name.c_str()));
    return;
  }
  SendMessage(slot, CMB_SETVALUETEXT, static_cast<WParam>(getChannelNum()), reinterpret_cast<LParam>("X"));
}

void updatePageText(WindowHandle page) {
  const char* format = lookupText(kWindow, "ordertext_hint");
  char text[128] = "";
  formatChecked(text, sizeof text, format, "dd", g_view.page, slotPageCount());
  SendDlgItemMessage(page, kOrderText, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text));
}

std::string channelName(int channel, int analog) {
  ChannelConfig config;
  if (getChannelConfig(getOutputLogin(getCurOutput()), channel + 1, &config) == 0) {
    config.name[sizeof config.name - 1] = '\0';
    return config.name;
  }
  char text[32] = "";
  if (channel >= analog) std::snprintf(text, sizeof text, "IPCamera %d", channel - analog + 1);
  return text;
}

void setRowCell(WindowHandle list, HLVROW row, int channel) {
  const bool placedNow = order_tables::placed(g_view.edit, g_view.mode, channel, slotsInUse());
  const Pictures& p = g_pictures;
  const Bitmap* icon = placedNow ? (p.havePlaced ? &p.placed : nullptr) : (p.haveNotPlaced ? &p.notPlaced : nullptr);
  ListViewSubItemInfo cell{};
  cell.column = 0;
  cell.text = const_cast<char*>(g_view.chans[channel].name.c_str());
  cell.textColor = SysPixelIndex[page_colours::kText];
  cell.flags = icon ? LVFLAG_BITMAP : 0;
  cell.image = reinterpret_cast<uintptr_t>(icon);
  SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

}  // namespace

ViewState& viewState() { return g_view; }

int slotsInUse() { return getMaxChanSlotNum(); }

int slotPageCount() {
  return g_view.output < kFirstAuxOutput ? order_tables::pageCount(g_view.mode, slotsInUse()) : 1;
}

void buildOrderChans(int output) {
  const int total = getChannelNum(), analog = getAnalogChanNum();
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  g_view.chans.assign(total > 0 ? total : 0, OrderChan{});
  int rows = 0;
  for (int c = 0; c < total; ++c) {
    char name[64];
    const bool isAnalog = c < analog;
    std::snprintf(name, sizeof name, isAnalog ? "A%d" : "D%d", isAnalog ? c + 1 : c - analog + 1);
    g_view.chans[c].name = name;
    // Auxiliary outputs show analog channels only.
    const bool exists = isAnalog || (output < kFirstAuxOutput && c - analog < 64 && ((ipMask >> (c - analog)) & 1u));
    if (exists && c < PREVIEW_EMPTY_WINDOW) g_view.chans[c].row = rows++;
  }
  g_view.chanCount = rows;
}

void refillChanList(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kChanList);
  if (!IsValidHandle(list)) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const int analog = getAnalogChanNum();
  for (int c = 0; c < static_cast<int>(g_view.chans.size()); ++c) {
    const OrderChan& chan = g_view.chans[c];
    if (chan.row == kNotPlaced) continue;
    char texts[2][128] = {};
    std::snprintf(texts[0], sizeof texts[0], "%s", chan.name.c_str());
    std::snprintf(texts[1], sizeof texts[1], "%s", channelName(c, analog).c_str());
    HLVROW row = addListViewItems(list, chan.row, 2, texts[0]);
    if (row) setRowCell(list, row, c);
  }
}

void markChanRow(WindowHandle page, int channel) {
  if (channel < 0 || channel >= static_cast<int>(g_view.chans.size()) || g_view.chans[channel].row == kNotPlaced)
    return;
  const WindowHandle list = GetDlgItem(page, kChanList);
  if (!IsValidHandle(list)) return;
  LResult row = SendMessage(list, LVM_GETITEMBYINDEX, static_cast<WParam>(g_view.chans[channel].row), 0);
  if (row != 0 && row != -1) setRowCell(list, reinterpret_cast<HLVROW>(row), channel);
}

int selectedChannel(WindowHandle page) {
  int32_t key = -1;
  if (SendDlgItemMessage(page, kChanList, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key)) == 0) return -1;
  for (int c = 0; c < static_cast<int>(g_view.chans.size()); ++c)
    if (g_view.chans[c].row == key) return c;
  return -1;
}

void arrangeSlots(WindowHandle page) {
  g_view.page = 1;
  for (int s = 0; s < kSlotCount; ++s)
    if (IsValidHandle(slotWnd(page, s))) ShowWindow(slotWnd(page, s), SW_HIDE);
  Rect area{};
  if (!layoutRect("rect_order", &area)) return;
  const int windows = order_tables::windowsOf(g_view.mode);
  for (int s = 0; s < windows && s < kSlotCount; ++s) {
    const WindowHandle slot = slotWnd(page, s);
    if (!IsValidHandle(slot)) continue;
    const Rect r = order_tables::slotRect(g_view.mode, s, area);
    MoveWindow(slot, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(slot, SW_SHOW);
  }
  refreshSlots(page);
}

void refreshSlots(WindowHandle page) {
  const int windows = order_tables::windowsOf(g_view.mode), slots = slotsInUse();
  for (int s = 0; s < windows && s < kSlotCount; ++s) {
    const WindowHandle slot = slotWnd(page, s);
    if (!IsValidHandle(slot)) continue;
    const int entry = order_tables::entryOf(g_view.mode, g_view.page, s);
    char label[16];
    std::snprintf(label, sizeof label, "%d", entry + 1);
    SendMessage(slot, CMB_SETCAPTION, 0, reinterpret_cast<LParam>(label));
    // Windows past the device's slot count have no entry to show.
    showChannel(slot, entry < slots && entry < PREVIEW_ORDER_SLOTS ? g_view.edit.order[g_view.mode][entry] : -1);
  }
  const bool last = g_view.page >= slotPageCount();
  SendDlgItemMessage(page, kPrev, MSG_ENABLE, g_view.page > 1 ? 1 : 0, 0);
  SendDlgItemMessage(page, kNext, MSG_ENABLE, last ? 0 : 1, 0);
  updatePageText(page);
}

void selectSlot(WindowHandle page, int slot) {
  if (slot < 0 || slot >= kSlotCount) return;
  SendDlgItemMessage(page, kFirstSlot + g_view.slot, CMB_SETHILITE, 0, 0);
  g_view.slot = slot;
  SendDlgItemMessage(page, kFirstSlot + slot, CMB_SETHILITE, 1, 0);
}

void loadViewBitmaps() {
  Pictures& p = g_pictures;
  for (int i = 0; i < kButtonPictures; ++i) {
    p.haveNormal[i] = GetWinBitmap(kWindow, kNormalKeys[i], &p.normal[i]) && p.normal[i].bmBits;
    p.haveDisabled[i] = GetWinBitmap(kWindow, kDisabledKeys[i], &p.disabled[i]) && p.disabled[i].bmBits;
  }
  p.haveBackground = GetWinBitmap(kWindow, "btn_bg_bmp", &p.background) && p.background.bmBits;
  p.haveHover = GetWinBitmap(kWindow, "btn_bg_hover_bmp", &p.hover) && p.hover.bmBits;
  p.havePlaced = GetWinBitmap(kWindow, "order_camplay_bmp", &p.placed) && p.placed.bmBits;
  p.haveNotPlaced = GetWinBitmap(kWindow, "order_camstop_bmp", &p.notPlaced) && p.notPlaced.bmBits;
}

void createPictureButton(WindowHandle page, const char* key, int id, int index) {
  const Pictures& p = g_pictures;
  const bool drawn = index >= 0 && index < kButtonPictures && p.haveNormal[index];
  // The button draws its creation picture as the normal face.
  const LParam face = drawn ? reinterpret_cast<LParam>(&p.normal[index]) : 0;
  const WindowHandle button = createFromKey(page, "button", key,
      WS_CHILD | WS_VISIBLE | BS_BITMAPBUTTON | BS_TIPALWAYS | BS_NOTIFY, 0, id, false, -1, face);
  if (!IsValidHandle(button) || !drawn) return;
  const Bitmap* back = p.haveBackground ? &p.background : nullptr;
  SetCtrlBitmaps(button, &p.normal[index], back, 1);
  SetCtrlBitmaps(button, &p.normal[index], p.haveHover ? &p.hover : back, 2);
  if (p.haveDisabled[index]) SetCtrlBitmaps(button, &p.disabled[index], back, 3);
}

void paintViewBackground(WindowHandle page, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseWith(page, wParam, lParam, [](HDC hdc, const Rect& client) {
    fillColour(hdc, page_colours::kPageBackground, client.left, client.top, client.right - client.left,
               client.bottom - client.top);
    Rect frame{};
    if (!layoutRect("rect_orderbg", &frame)) return;
    Rect divider = frame;
    drawRoundFrame(hdc, WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_TOPLEFT, &frame);
    drawListRowDivider(hdc, divider.left, divider.top, divider.right - divider.left, divider.bottom - divider.top, 1);
  });
}

}  // namespace previewset

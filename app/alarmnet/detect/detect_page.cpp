// The shared parts of the video loss and tamper pages.
#include "app/alarmnet/detect/detect_page.h"

#include <cstring>

#include "app/alarmnet/events/camera_page.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_caps.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace detect {

static_assert(sizeof(TimeSegment) * HOLIDAY_SEGMENTS == 32, "the sheet's exchange buffer holds the holiday day");

OutputLogin* login() { return getOutputLogin(getMainOutput()); }

// Cache.

ChanEditSlot* ChannelEdits::slotOf(int ch) {
  return ch >= 1 && ch <= kCacheSlots ? &slots_[static_cast<size_t>(ch - 1)] : nullptr;
}
const ChanEditSlot* ChannelEdits::slotOf(int ch) const {
  return ch >= 1 && ch <= kCacheSlots ? &slots_[static_cast<size_t>(ch - 1)] : nullptr;
}

void ChannelEdits::clearSlots() { std::memset(slots_.data(), 0, sizeof(ChanEditSlot) * slots_.size()); }

void ChannelEdits::start(WindowHandle page, int comboId, int support) {
  clearSlots();
  channel = addChanComboItems(page, comboId, support);
  std::memset(&record, 0, sizeof record);
  std::memset(holiday, 0, sizeof holiday);
  if (channel < 1) return;
  selectComboValue(page, comboId, channel);
  if (load(channel) != 0) showMsgBox(page, "commons", "getcamerahint", MSGBOX_ERROR);
}

int ChannelEdits::load(int ch) {
  if (const ChanEditSlot* slot = slotOf(ch); slot && slot->cached) {
    record = slot->record;
    std::memcpy(holiday, slot->holiday, sizeof holiday);
    return 0;
  }
  std::memset(&record, 0, sizeof record);
  std::memset(holiday, 0, sizeof holiday);
  const int rc = getChannelConfig(login(), ch, &record);
  if (rc != 0) {
    std::memset(&record, 0, sizeof record);  // no half-read record stays on the page
    return rc;
  }
  getHolidaySegments(login(), ch, block_.holidayKind, holiday);
  return 0;
}

void ChannelEdits::cache() {
  ChanEditSlot* slot = slotOf(channel);
  if (!slot) return;
  slot->cached = 1;
  slot->record = record;
  std::memcpy(slot->holiday, holiday, sizeof holiday);
}

int ChannelEdits::writeOne(int ch, const ChannelConfig& from, const TimeSegment* days) {
  ChannelConfig fresh{};
  // A record that cannot be read is not written: its other blocks would be
  // lost to zeros.
  int rc = getChannelConfig(login(), ch, &fresh);
  if (rc != 0) return rc;
  block_.copy(&fresh, from);
  rc = setChannelConfig(login(), ch, &fresh, 1);
  if (rc != 0) return rc;
  return setHolidaySegments(login(), ch, block_.holidayKind, days);
}

int ChannelEdits::apply(int current) {
  // Writes are checked: a failure keeps every edit for the next Apply.
  int rc = current >= 1 ? writeOne(current, record, holiday) : 0;
  if (rc != 0) return rc;
  const int count = getChannelNum();
  for (int ch = 1; ch <= count && ch <= kCacheSlots; ++ch) {
    const ChanEditSlot* slot = slotOf(ch);
    if (ch == current || !slot->cached) continue;
    rc = writeOne(ch, slot->record, slot->holiday);
    if (rc != 0) return rc;
  }
  clearSlots();
  return 0;
}

void ChannelEdits::copyTo(uint64_t mask) {
  const int analog = getAnalogChanNum();
  const int ip = getIpChannelNum(nullptr);
  const auto give = [&](int ch) {
    ChanEditSlot* slot = slotOf(ch);
    if (!slot || ch > 64 || !((mask >> (ch - 1)) & 1u)) return;
    slot->cached = 1;
    slot->record = record;
    std::memcpy(slot->holiday, holiday, sizeof holiday);
  };
  for (int i = 1; i <= analog; ++i) give(i);
  for (int j = 1; j <= ip; ++j) give(analog + j);
}

// View and painting.

Rect viewRect(WindowHandle page, const char* section, bool screen) {
  const CtrlResInfo* pos = pageframe::record(section, "viewpos");
  int x = pos ? pos->x : 0, y = pos ? pos->y : 0, w = 0, h = 0;
  const int output = getCurOutput();
  int scaled = 0;
  ScaleHorzToScreen(&x, &scaled, output);
  getVideoAreaSize(&w, &h, output);
  alignAreaRect(page, &x, &y, &w, &h, screen ? 1 : 0);
  return Rect{x, y, x + w, y + h};
}

void showLivePicture(WindowHandle page, const char* section, int channel) {
  const Rect r = viewRect(page, section, true);
  showViewPosVideo(page, channel, r.left, r.top);
}

void eraseWithViewFrame(WindowHandle page, const char* section, WParam wParam, LParam lParam) {
  eraseBkgndGrey50(page, wParam, lParam);
  const CtrlResInfo* bg = pageframe::record(section, "viewbg");
  if (!bg) return;
  liveview_dialogs::eraseWith(page, wParam, lParam, [bg](HDC hdc, const Rect&) {
    Rect frame{bg->x, bg->y, bg->x + bg->w, bg->y + bg->h};
    drawRoundFrame(hdc, WS_EX_PLACE_MASK | EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT |
                            EDIT_CORNER_BOTTOMRIGHT,
                   &frame);
  });
}

void paintView(WindowHandle page, const char* section, HDC hdc) {
  const Rect r = viewRect(page, section);
  paintVideoArea(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (needsMsgBoxRepaint() && GetMsgBoxState()) InvalidateRect(GetActiveWindow(), nullptr, TRUE);
}

// Buttons.

void loadHandleBitmaps(const char* section, HandleBitmaps* bitmaps) {
  loadNamedBitmaps(section, bitmaps->items, 3, 0);
}

void applyHandleBitmaps(WindowHandle button, const HandleBitmaps& b) {
  const Bitmap* bg = findNamedBitmap(b.items, 3, "handle_bg_bmp");
  const Bitmap* fg = findNamedBitmap(b.items, 3, "handle_bmp");
  const Bitmap* dis = findNamedBitmap(b.items, 3, "handle_dis_bmp");
  if (!bg || !fg) return;
  SendMessage(button, BM_SETIMAGE, 0, reinterpret_cast<LParam>(fg));
  SetCtrlBitmaps(button, fg, bg, 1);
  SetCtrlBitmaps(button, fg, bg, 2);
  if (dis) SetCtrlBitmaps(button, dis, bg, 3);
}

namespace {

// The camera menu stays disabled while a modal dialog of its page is open.
template <typename Run>
void withMenuDisabled(Run run) {
  const WindowHandle menu = getCameraMenuWnd();
  const bool valid = menu != GUI_INVALID_HANDLE && IsValidHandle(menu);
  if (valid) EnableWindow(menu, FALSE);
  run();
  if (valid && IsValidHandle(menu)) EnableWindow(menu, TRUE);
}

}  // namespace

bool runHandleSheet(WindowHandle page, int source, TimeSegment holiday[HOLIDAY_SEGMENTS]) {
  uint8_t* exchange = getHandleSetSource();
  std::memcpy(exchange, holiday, sizeof(TimeSegment) * HOLIDAY_SEGMENTS);
  int changed = 0;
  withMenuDisabled([&] { changed = showHandleSetDialog(page, source); });
  std::memcpy(holiday, exchange, sizeof(TimeSegment) * HOLIDAY_SEGMENTS);
  return changed != 0;
}

uint64_t chooseCopyChannels(WindowHandle page, int channel) {
  withMenuDisabled([&] { showImageCopyChanDialog(page, channel, 1); });
  return getImageCopyChanMask();
}


LResult exitCameraMenu(void) {
  closeCameraMenu(GUI_INVALID_HANDLE, 0, 0);
  return 0;
}

const pageframe::PageSlot kCameraSlot{getCameraPageWnd, setCameraPageWnd, onCameraPageKeyUp, initCameraVideoPage,
                                      releaseCameraVideoPage};

void scaleOnceBuilt(WindowHandle window, int message, WParam wParam, LParam lParam) {
  if (message == MSG_INITDIALOG) applyLowResCtrlScale(window, wParam, lParam);
}

WindowHandle activeSheetPage(WindowHandle window) {
  const WindowHandle sheet = GetDlgItem(window, PAGE_ID_SHEET);
  return IsValidHandle(sheet) ? static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0))
                              : GUI_INVALID_HANDLE;
}

}  // namespace detect

// The manual record and manual snapshot pages beside the manual menu: one
// three-state box per channel (off, on by hand, on by schedule), an "all"
// box per kind, a legend of the two "on" states and, on the record page,
// the two all-day recording buttons.
#include <algorithm>
#include <cstring>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/layout_bitmaps.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_building.h"
#include "app/record_pages.h"
#include "app/record_services.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/livevideo.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/message.h"
#include "gui/control_paint.h"
#include "gui/window_attr.h"

namespace manual {
namespace {

constexpr int kRightManualRecord = 2, kRightRecordSetting = 8;
constexpr int kTimingAll = 20098, kMotionAll = 20099;
constexpr int kAnalogLast = CHANBOX_ANALOG_FIRST + 31, kIpLast = CHANBOX_IP_FIRST + 127;
constexpr int kColumns = 6, kListSize = 256;

struct Desc {
  const char* section;
  const char* allAnalogKey;
  const char* allIpKey;
  const char* itemKey;
  const char* rectKey;
  const char* errKey;
  int scheduleId;
  int manualId;
  bool record;
};

const Desc kRecord{"manualrecord", "manualrecord_onoff_all_analog", "manualrecord_onoff_all_ipc",
                   "manualrecord_onoff_camera", "manualrecord_onoff_rect", "manualrecord_err_chan",
                   20096, 20097, true};
const Desc kSnapshot{"manualsnapshot", "manualsnapshot_onoff_all_analog", "manualsnapshot_onoff_all_ipc",
                     "manualsnapshot_onoff_camera", "manualsnapshot_onoff_rect", "manualsnapshot_err_chan",
                     20144, 20145, false};

// The page open beside the manual menu (one at a time) and its pictures.
struct State {
  const Desc* desc = &kRecord;
  bool boxes = false;
  NamedBitmap images[4] = {{"on_schedule_bmp", {}, 0}, {"on_manual_bmp", {}, 0}, {"handle_bmp", {}, 0},
                           {"handle_bg_bmp", {}, 0}};
};
State g;

const Bitmap* image(const char* key) { return findNamedBitmap(g.images, 4, key); }

bool canOperate(const Desc& d, int channel) {
  return d.record ? canManualRecord(channel) != 0 : canManualSnapshot(channel) != 0;
}

int channelOfBox(int id) {
  return id <= kAnalogLast ? id - CHANBOX_ANALOG_FIRST + 1 : getAnalogChanNum() + id - CHANBOX_IP_FIRST + 1;
}

uint64_t bitOf(int channel) { return channel >= 1 && channel <= 64 ? 1ull << (channel - 1) : 0; }

int boxState(WindowHandle page, int id) { return static_cast<int>(SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0)); }
void setBox(WindowHandle page, int id, int state) { SendDlgItemMessage(page, id, BM_SETCHECK, state, 0); }

void refuse(WindowHandle page, const Desc& d, uint64_t failMask) {
  char list[kListSize] = {};
  formatChannelList(static_cast<uint32_t>(failMask), static_cast<uint32_t>(failMask >> 32), list, sizeof list);
  char text[kListSize + 128];
  formatChecked(text, sizeof text, lookupText(d.section, d.errKey), "s", list);
  showMsgBoxText(page, text, MSGBOX_INFO);
}

// After a refusal every box of `mask` shows again what the device does: a
// start refused leaves its boxes (and their "all" box) unchecked unless the
// device runs the channel.
void showDeviceState(WindowHandle page, const Desc& d, uint64_t mask, bool start) {
  for (int box = CHANBOX_ANALOG_FIRST; start && box <= kIpLast; ++box) {
    if (!(mask & bitOf(channelOfBox(box))) || !IsValidHandle(GetDlgItem(page, box))) continue;
    setBox(page, box, 0);
    setBox(page, box <= kAnalogLast ? CHANBOX_ALL_ANALOG : CHANBOX_ALL_IP, 0);
  }
  setChanBoxesByRecStatus(page, d.record ? 1 : 0);
}

void startOrStop(WindowHandle page, const Desc& d, uint64_t mask, bool start) {
  if (mask == 0) return;
  const int loginId = getLoginId(getCurOutput());
  int rc = 0;
  if (d.record)
    rc = start ? startManualRecord(loginId, mask, 1) : stopManualRecord(loginId, mask, 1);
  else
    rc = start ? startManualSnapshot(loginId, mask) : stopManualSnapshot(loginId, mask);
  if (rc == 0) return;
  d.record ? reportSaveFailed(page, rc) : showManualSnapError(page, rc);
  showDeviceState(page, d, mask, start);
}

void allBoxChanged(WindowHandle page, const Desc& d, int id) {
  const bool analog = id == CHANBOX_ALL_ANALOG;
  const bool checked = boxState(page, id) == 1;
  const int first = analog ? CHANBOX_ANALOG_FIRST : CHANBOX_IP_FIRST, last = analog ? kAnalogLast : kIpLast;
  uint64_t onMask = 0, failMask = 0;
  for (int box = first; box <= last; ++box) {
    if (!IsValidHandle(GetDlgItem(page, box))) continue;
    const int channel = channelOfBox(box);
    if (!checked) {
      onMask |= bitOf(channel);
      setBox(page, box, 0);
    } else if (canOperate(d, channel)) {
      onMask |= bitOf(channel);
      setBox(page, box, 1);
    } else {
      failMask |= bitOf(channel);
    }
  }
  if (failMask) setBox(page, id, 0);
  if (checked && failMask) refuse(page, d, failMask);
  startOrStop(page, d, onMask, checked);
}

void chanBoxChanged(WindowHandle page, const Desc& d, int id) {
  const int channel = channelOfBox(id);
  if (boxState(page, id) == 1) {
    if (!canOperate(d, channel)) {
      refuse(page, d, bitOf(channel));
      setBox(page, id, 0);
      return;
    }
    startOrStop(page, d, bitOf(channel), true);
  } else {
    startOrStop(page, d, bitOf(channel), false);
  }
  onChanCheckBox(page, id);
}

void createControls(WindowHandle page, const Desc& d) {
  constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
  if (g.boxes) {
    createChanCheckBoxes(page, d.section, d.allAnalogKey, d.allIpKey, d.itemKey,
                         WS_CHILD | WS_VISIBLE | BS_AUTO3STATESWITCH, kPlaced, kRightManualRecord, kColumns, 0);
    constexpr uint32_t kLegend = WS_CHILD | WS_VISIBLE | SS_ELLIPSIS | SS_NOTIFY;
    pageframe::createFromKey(page, d.section, {"static", "onoff_schedule", kLegend, kPlaced, d.scheduleId, false});
    pageframe::createFromKey(page, d.section, {"static", "onoff_manual", kLegend, kPlaced, d.manualId, false});
  }
  if (d.record && checkUserRight(kRightRecordSetting, -1)) {
    constexpr uint32_t kImage = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_BITMAPBUTTON;
    for (const auto& b : {pageframe::Control{"button", "alldayrec_timing", kImage, kPlaced, kTimingAll, false},
                          pageframe::Control{"button", "alldayrec_motion", kImage, kPlaced, kMotionAll, false}}) {
      const WindowHandle button =
          pageframe::createFromKey(page, d.section, b, -1, reinterpret_cast<LParam>(image("handle_bmp")));
      if (IsValidHandle(button) && image("handle_bmp")) {
        SetCtrlBitmaps(button, image("handle_bmp"), image("handle_bg_bmp"), 1);
        SetCtrlBitmaps(button, image("handle_bmp"), image("handle_bg_bmp"), 2);
      }
    }
  }
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, d.section, {"button", "close", WS_CHILD | BS_AUTOSIZE, kPlaced, IDCANCEL, false}, y);
  pageframe::createFromKey(page, d.section, {"button", "close", WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, kPlaced, PAGE_ID_EXIT, false}, y);
}

void init(WindowHandle page, const Desc& d) {
  g.desc = &d;
  // Every box and the legend exist on the snapshot page; on the record page
  // only for a user who may record by hand on some channel.
  g.boxes = !d.record || hasRightOnAnyChan(kRightManualRecord);
  loadNamedBitmaps(d.section, g.images, d.record && checkUserRight(kRightRecordSetting, -1) ? 4 : 2, 0);
  createControls(page, d);
  if (g.boxes) setChanBoxesByRecStatus(page, d.record ? 1 : 0);
}

// The legend: a round frame around the two rows, each picture two pixels
// left of its text and centred on its row.
void paintLegend(HDC hdc, const Desc& d) {
  const CtrlResInfo* frame = pageframe::record(d.section, d.rectKey);
  const CtrlResInfo* rows[2] = {pageframe::record(d.section, "onoff_schedule"),
                                pageframe::record(d.section, "onoff_manual")};
  if (!frame || !rows[0] || !rows[1]) return;
  const Bitmap* pictures[2] = {image("on_schedule_bmp"), image("on_manual_bmp")};
  int height = rows[0]->y - frame->y + 8;
  for (int i = 0; i < 2; ++i) height += std::max(rows[i]->h, pictures[i] ? static_cast<int>(pictures[i]->bmHeight) : 0);
  Rect rect{frame->x, frame->y, frame->x + frame->w, frame->y + height};
  drawRoundFrame(hdc, WS_EX_PLACE_X | WS_EX_PLACE_W, &rect);
  for (int i = 0; i < 2; ++i) {
    if (!pictures[i]) continue;
    int x = rows[i]->x, w = rows[i]->w;
    ScaleHorzToScreen(&x, &w, 0);
    const int bw = static_cast<int>(pictures[i]->bmWidth), bh = static_cast<int>(pictures[i]->bmHeight);
    FillBoxWithBitmap(hdc, x - 2 - bw, rows[i]->y + (rows[i]->h - bh) / 2, bw, bh, pictures[i]);
  }
}

void erase(WindowHandle page, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseWith(page, wParam, lParam, [](HDC hdc, const Rect& c) {
    fillColour(hdc, page_colours::kPageBackground, 0, 0, c.right - c.left, c.bottom - c.top);
    if (g.boxes) paintLegend(hdc, *g.desc);
  });
}

void command(WindowHandle page, int id, int code) {
  const Desc& d = *g.desc;
  if (id == kTimingAll && d.record) startTimingRecordAll(getCurOutput(), page, 0, 0);
  if (id == kMotionAll && d.record) startMotionRecordAll(getCurOutput(), page, 0, 0);
  if (code != BN_CLICKED || !g.boxes) return;
  if (id == CHANBOX_ALL_ANALOG || id == CHANBOX_ALL_IP) allBoxChanged(page, d, id);
  if ((id >= CHANBOX_ANALOG_FIRST && id <= kAnalogLast) || (id >= CHANBOX_IP_FIRST && id <= kIpLast))
    chanBoxChanged(page, d, id);
}

template <const Desc& D>
LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks{[](WindowHandle p) { init(p, D); }, erase, command, nullptr, nullptr,
                                          closeManualMenu};
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kRecordPages[] = {{"base", pageProc<kRecord>, nullptr}};
const pageframe::SheetPage kSnapshotPages[] = {{"base", pageProc<kSnapshot>, nullptr}};
const pageframe::PageWindow kRecordWindow{kRecord.section, kRecordPages, pageframe::kManualSlot};
const pageframe::PageWindow kSnapshotWindow{kSnapshot.section, kSnapshotPages, pageframe::kManualSlot};

}  // namespace
}  // namespace manual

extern "C" {

int createManualRecordWindow(WindowHandle host) {
  return pageframe::openWindow<manual::kRecordWindow>(host);
}
int createManualSnapshotWindow(WindowHandle host) {
  return pageframe::openWindow<manual::kSnapshotWindow>(host);
}

}  // extern "C"

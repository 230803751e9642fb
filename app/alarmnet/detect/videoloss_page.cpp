// The video loss page: per channel, whether the loss of the video signal is
// handled, and through the event handling sheet what it triggers and when.
#include <cstring>

#include "app/alarmnet/detect/detect_page.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/alarmnet_pages.h"
#include "app/control_services.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/control_paint.h"
#include "gui/window.h"

namespace {

using namespace detect;

constexpr const char* kSection = "videolossset";
constexpr int kChannelBox = 19440, kEnable = 19441, kHandle = 19442;
constexpr int kHolidayKind = 5;
constexpr int kAnySupport = -1;

constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_GRIDLIST | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX;
constexpr uint32_t kHandleStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_TRANSPARENTTEXT | BS_BITMAPBUTTON;

void copyLossBlock(ChannelConfig* to, const ChannelConfig& from) {
  to->videoLossEnable = from.videoLossEnable;
  to->videoLossLinkage = from.videoLossLinkage;
  std::memcpy(to->videoLossSchedule, from.videoLossSchedule, sizeof to->videoLossSchedule);
}

ChannelEdits g_edits{Block{kHolidayKind, copyLossBlock}};
HandleBitmaps g_bitmaps;

void createControls(WindowHandle page) {
  const pageframe::Control controls[] = {
      {"combobox", "camsel", kComboStyle, 0, kChannelBox, true},
      {"button", "lossen", kCheckStyle, 0, kEnable, true},
      {"button", "handle", kHandleStyle, 0, kHandle, true},
  };
  pageframe::createControls(page, kSection, controls, 3);
  applyHandleBitmaps(GetDlgItem(page, kHandle), g_bitmaps);
  const int y = pageframe::bottomRow(page);
  constexpr uint32_t kCopyStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
  pageframe::createFromKey(page, kSection, {"button", "base_copy", kCopyStyle, 0, PAGE_ID_COPY, false}, y);
  pageframe::createBottomButtons(page, kSection, "base_apply", "base_close", PAGE_ID_EXIT);
}

void showChannel(WindowHandle page) {
  setChecked(page, kEnable, g_edits.record.videoLossEnable);
  showLivePicture(page, kSection, g_edits.channel);
}

void init(WindowHandle page) {
  loadHandleBitmaps(kSection, &g_bitmaps);
  createControls(page);
  g_edits.start(page, kChannelBox, kAnySupport);
  showChannel(page);
  enableCtrlByChan(page, PAGE_ID_COPY, g_edits.channel);
}

int save(WindowHandle page, bool cacheOnly) {
  g_edits.record.videoLossEnable = isChecked(page, kEnable) ? 1 : 0;
  if (cacheOnly) {
    g_edits.cache();
    return 0;
  }
  return g_edits.apply(comboValue(page, kChannelBox));
}

void onChannel(WindowHandle page) {
  const int next = comboValue(page, kChannelBox);
  if (!checkChanSupported(page, kChannelBox, next, g_edits.channel, kAnySupport)) return;
  if (next != g_edits.channel) {
    const int rc = save(page, true);
    if (rc != 0) {
      reportSaveFailed(page, rc);
      selectComboValue(page, kChannelBox, g_edits.channel);
      return;
    }
    g_edits.channel = next;
    if (g_edits.load(next) != 0) showMsgBox(page, "commons", "getcamerahint", MSGBOX_ERROR);
    showChannel(page);
    enableCtrlByChan(page, PAGE_ID_COPY, next);
  }
}

void onCopy(WindowHandle page) {
  const uint64_t mask = chooseCopyChannels(page, g_edits.channel);
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  const int rc = save(page, true);
  if (rc != 0) {
    reportSaveFailed(page, rc);
    return;
  }
  g_edits.copyTo(mask);
  enableApply(page, 0, 0);
}

void onCommand(WindowHandle page, int id, int code) {
  switch (id) {
    case kChannelBox:
      if (code == CBN_SELCHANGE) onChannel(page);
      return;
    case kEnable: enableApply(page, 0, 0); return;
    case kHandle:
      if (runHandleSheet(page, EVENT_SOURCE_VIDEOLOSS, g_edits.holiday)) enableApply(page, 0, 0);
      return;
    case PAGE_ID_COPY: onCopy(page); return;
    default: return;
  }
}

int apply(WindowHandle page) { return save(page, false); }
void report(WindowHandle page, int code) { reportSaveFailed(page, code); }
void erase(WindowHandle page, WParam wParam, LParam lParam) { eraseWithViewFrame(page, kSection, wParam, lParam); }

void paint(WindowHandle page) {
  const HDC hdc = BeginPaint(page);
  paintView(page, kSection, hdc);
  EndPaint(page, hdc);
}

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks{init, erase, onCommand, apply, report, exitCameraMenu, nullptr, nullptr,
                                          paint};
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"base", pageProc, nullptr}};
const pageframe::PageWindow kWindow{kSection, kPages, kCameraSlot, nullptr, scaleOnceBuilt};

}  // namespace

extern "C" {

WindowHandle createVideoLossSetWindow(WindowHandle host) { return pageframe::openPage(kSection, host, pageframe::windowProc<kWindow>); }
ChannelConfig* getVideoLossParam(void) { return &g_edits.record; }

}  // extern "C"

// The sheet's camera page: the channels recorded when the event fires
// (alarm inputs and motion).
#include "app/alarmnet/events/handleset/handleset.h"
#include "app/control_services.h"
#include "app/liveview_dialogs.h"
#include "app/page_building.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"

namespace handleset {
namespace {

constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr int kColumns = 6;
constexpr int kFrameBelowBlock = 8;
constexpr uint32_t kFrameStyle =
    EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;

void init(WindowHandle page) {
  State& s = state();
  loadRecordMask(s.source, &s.recordMask);
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "cam_ok", WS_CHILD | WS_VISIBLE, 0, PAGE_ID_OK, false}, y);
  pageframe::createFromKey(page, kSection, {"button", "cam_cancel", WS_CHILD | WS_VISIBLE, 0, IDCANCEL, false},
                           y);
  s.blockBottom = createChanCheckBoxes(page, kSection, "cam_all_analog", "cam_all_ipc", "cam_camera", kBoxStyle, 0,
                                       -1, kColumns, 1);
  pageframe::createFromKey(page, kSection,
                           {"button", "cam_apply", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, PAGE_ID_APPLY, false}, y);
  setChanCheckBoxes(page, s.recordMask);
}

int store(WindowHandle page) {
  storeRecordMask(state().source, getCheckedChanMask(page));
  return 0;
}

void erase(WindowHandle page, WParam wParam, LParam lParam) {
  paintDialogBackground(page, wParam, lParam);
  const CtrlResInfo* r = pageframe::record(kSection, "cam_chkbox_rect");
  if (!r) return;
  liveview_dialogs::eraseWith(page, wParam, lParam, [r](HDC dc, const Rect&) {
    Rect frame{r->x, r->y, r->x + r->w, state().blockBottom + kFrameBelowBlock};
    drawRoundFrame(dc, kFrameStyle, &frame);
  });
}

void command(WindowHandle page, int id, int) {
  if (id == CHANBOX_ALL_ANALOG || id == CHANBOX_ALL_IP) {
    onChanAllCheckBox(page, id);
    enableApply(page, 0, 0);
  } else if (id >= CHANBOX_ANALOG_FIRST && id < CHANBOX_IP_FIRST + 128) {
    onChanCheckBox(page, id);
    enableApply(page, 0, 0);
  } else if (id == PAGE_ID_OK) {
    store(page);
    finishSheet(page);
  }
}

const pageframe::PageHooks kHooks{init, erase, command, store, nullptr, nullptr, closeSheet};

}  // namespace

LResult cameraPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace handleset

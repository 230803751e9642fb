// The event handling sheet: one modal dialog whose pages edit the calling
// page's own record of the source in place. Nothing here writes to the
// device; the calling page applies.
#include "app/alarmnet/events/handleset/handleset.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/login_rights.h"
#include "app/page_building.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace handleset {
namespace {

constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
// The channel checks of hasUsableChan: any channel, and one with PTZ.
constexpr int kUsableMode = 8, kAnyChannel = 0, kPtzChannel = 3;

State g_state;

// The pages the source shows, in their full order.
template <Page P>
bool shown() {
  return sourceShows(g_state.source, P);
}
const pageframe::SheetPage kPages[kPageCount] = {{"camera", cameraPageProc, shown<kCameraPage>},
                                                 {"schedule", schedulePageProc, shown<kSchedulePage>},
                                                 {"rule", rulePageProc, shown<kRulePage>},
                                                 {"ptz", ptzPageProc, shown<kPtzPage>}};

// Pages that cannot serve any channel are hidden by their index in the
// full order.
void hideUnusable(WindowHandle sheet) {
  const int source = g_state.source;
  const bool anyChannel = hasUsableChan(kUsableMode, kAnyChannel) != 0;
  const bool ptzChannel = anyChannel && hasUsableChan(kUsableMode, kPtzChannel) != 0;
  if (!anyChannel && (source == EVENT_SOURCE_ALARMIN || source == EVENT_SOURCE_MOTION))
    SendMessage(sheet, PSM_ENABLEPAGE, kCameraPage, 0);
  if (!ptzChannel && source == EVENT_SOURCE_ALARMIN) SendMessage(sheet, PSM_ENABLEPAGE, kPtzPage, 0);
}

void init(WindowHandle dialog) {
  const WindowHandle sheet = pageframe::buildSheet(dialog, kSection, kPages, kPageCount);
  if (IsValidHandle(sheet)) hideUnusable(sheet);
}

const pageframe::DialogHooks kHooks{init, nullptr, eraseBkgndGrey34};

}  // namespace

State& state() { return g_state; }

bool sourceShows(int source, Page page) {
  switch (source) {
    case EVENT_SOURCE_TAMPER:
    case EVENT_SOURCE_VIDEOLOSS: return page == kSchedulePage || page == kRulePage;
    case EVENT_SOURCE_MOTION: return page != kPtzPage;
    case EVENT_SOURCE_ALARMIN: return true;
    case EVENT_SOURCE_ALARMOUT: return page == kSchedulePage;
    default: return false;
  }
}

EventLinkage* linkageOf(int source) {
  switch (source) {
    case EVENT_SOURCE_ALARMIN: return &getAlarmInParam()->linkage;
    case EVENT_SOURCE_MOTION: return &getMotionParam()->motionLinkage;
    case EVENT_SOURCE_VIDEOLOSS: return &getVideoLossParam()->videoLossLinkage;
    case EVENT_SOURCE_TAMPER: return &getTamperParam()->tamperLinkage;
    default: return nullptr;
  }
}

TimeSegment* scheduleOf(int source) {
  switch (source) {
    case EVENT_SOURCE_ALARMIN: return &getAlarmInParam()->schedule[0][0];
    case EVENT_SOURCE_ALARMOUT: return &getAlarmOutParam()->schedule[0][0];
    case EVENT_SOURCE_MOTION: return &getMotionParam()->motionSchedule[0][0];
    case EVENT_SOURCE_VIDEOLOSS: return &getVideoLossParam()->videoLossSchedule[0][0];
    case EVENT_SOURCE_TAMPER: return &getTamperParam()->tamperSchedule[0][0];
    default: return nullptr;
  }
}

bool loadRecordMask(int source, uint64_t* out) {
  if (source == EVENT_SOURCE_ALARMIN) {
    *out = getAlarmInParam()->recordChanMask;
    return true;
  }
  if (source == EVENT_SOURCE_MOTION) {
    const uint32_t* words = getMotionParam()->motionRecordMask;
    *out = static_cast<uint64_t>(words[1]) << 32 | words[0];
    return true;
  }
  *out = 0;
  return false;
}

void storeRecordMask(int source, uint64_t mask) {
  if (source == EVENT_SOURCE_ALARMIN) getAlarmInParam()->recordChanMask = mask;
  if (source == EVENT_SOURCE_MOTION) {
    uint32_t* words = getMotionParam()->motionRecordMask;
    words[0] = static_cast<uint32_t>(mask);
    words[1] = static_cast<uint32_t>(mask >> 32);
  }
}

EditedBytes editedBytes(int source) {
  const auto append = [](EditedBytes& out, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
  };
  EditedBytes out;
  switch (source) {
    case EVENT_SOURCE_ALARMIN: append(out, getAlarmInParam(), sizeof(AlarmInConfig)); break;
    case EVENT_SOURCE_ALARMOUT: append(out, getAlarmOutParam(), sizeof(AlarmOutConfig)); break;
    case EVENT_SOURCE_MOTION: append(out, getMotionParam(), sizeof(ChannelConfig)); break;
    case EVENT_SOURCE_VIDEOLOSS: append(out, getVideoLossParam(), sizeof(ChannelConfig)); break;
    case EVENT_SOURCE_TAMPER: append(out, getTamperParam(), sizeof(ChannelConfig)); break;
    default: return out;
  }
  append(out, getHandleSetSource(), sizeof(TimeSegment) * SCHED_SEGMENTS);
  return out;
}

bool snapToFtpOffered(int source) {
  return (source == EVENT_SOURCE_ALARMIN || source == EVENT_SOURCE_MOTION) && hasFtp() != 0;
}

void closeSheet(WindowHandle page) {
  SendMessage(static_cast<WindowHandle>(GetWindowAdditionalData(page)), MSG_CLOSE, 0, 0);
}

void finishSheet(WindowHandle page) {
  if (pageframe::applyOtherPages(page)) closeSheet(page);
}

void createBottomButtons(WindowHandle page, const char* ok, const char* apply, const char* cancel) {
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", ok, kButtonStyle, 0, PAGE_ID_OK, false}, y);
  pageframe::createFromKey(page, kSection, {"button", apply, kButtonStyle | WS_DISABLED, 0, PAGE_ID_APPLY, false}, y);
  pageframe::createFromKey(page, kSection, {"button", cancel, kButtonStyle, 0, IDCANCEL, false}, y);
}


}  // namespace handleset

extern "C" int showHandleSetDialog(WindowHandle parent, int sourceType) {
  using handleset::g_state;
  g_state = handleset::State{};
  g_state.source = sourceType;
  const handleset::EditedBytes before = handleset::editedBytes(sourceType);
  DlgTemplate tmpl = pageframe::dialogTemplate(handleset::kSection, nullptr, getMainOutput());
  // Without its record the sheet opens empty at the origin.
  if (!pageframe::record(handleset::kSection, "win_handleset")) tmpl.x = tmpl.y = 0;
  pageframe::runDialog(tmpl, parent, pageframe::dialogProc<handleset::kHooks>);
  return handleset::editedBytes(sourceType) != before ? 1 : 0;
}

// The alarm input page: name, normally open or closed, handled or not, and
// through the event handling sheet its linkage, record channels, PTZ
// actions and arming schedule.
#include "app/alarmnet/alarms/alarm_editor.h"
#include "app/alarmnet/alarms/alarm_pages.h"
#include "app/device_caps.h"

namespace alarms {
namespace {

struct InTraits {
  using Record = AlarmInConfig;
  static constexpr Side kSide = Side::kIn;
  static constexpr int kCacheSize = 224, kHolidayKind = 1, kRebootCode = DEVICE_ERR_ALARM_REBOOT, kSource = EVENT_SOURCE_ALARMIN;
  static constexpr int kNumId = 20248, kNameId = 20249, kFieldId = 20250, kCheckId = 20251, kButtonId = 20252;
  static constexpr const char* kNumKey = "inputnum";
  static constexpr const char* kNameKey = "inputname";
  static constexpr const char* kFieldKey = "inputtype";
  static constexpr const char* kCheckKey = "inputhandle";
  static constexpr const char* kButtonKey = "handle";
  static constexpr const char* kCopyKey = "input_copy";
  static constexpr const char* kApplyKey = "input_apply";
  static constexpr const char* kCloseKey = "input_close";
  static constexpr const char* kNotSupKey = "alarmin_not_sup";

  static int get(OutputLogin* login, int group, int index, Record* out) {
    return getAlarmInConfig(login, group, index, out, 1);
  }
  static int set(OutputLogin* login, int group, int index, const Record& in) {
    return setAlarmInConfig(login, group, index, &in, 1);
  }
  static void fillField(WindowHandle page) {
    SendDlgItemMessage(page, kFieldId, CB_DELETEALL, 0, 0);
    addValueComboItems(page, kFieldId, kAlarmTypes, 2, kSection, 1);
  }
  static void show(WindowHandle page, const Record& rec, int group) {
    SendDlgItemMessage(page, kFieldId, CB_SELECTVALUE, rec.alarmType, 0);
    // An IP camera's input type is changed only while the camera can be set.
    const bool editable = group == 0 || isChanValid(getAnalogChanNum() + group, 9);
    enableLabeledCtrl(page, kFieldId, editable ? 1 : 0);
    setChecked(page, kCheckId, rec.handling);
  }
  static void read(WindowHandle page, Record& rec) {
    const LResult type = SendDlgItemMessage(page, kFieldId, CB_GETSELVALUE, 0, 0);
    if (type == 0 || type == 1) rec.alarmType = static_cast<uint8_t>(type);
    rec.handling = isChecked(page, kCheckId) ? 1 : 0;
  }
  // A copy keeps the target's name and record channels; a target the device
  // does not return keeps the copied name and records no channel.
  static void keepTarget(Record& to, const Record* target) {
    if (!target) {
      to.recordChanMask = 0;
      return;
    }
    std::memcpy(to.name, target->name, sizeof to.name);
    to.recordChanMask = target->recordChanMask;
  }
  // 0, or the device's refusal of the input's record channels.
  static int afterWrite(int code, const Record& rec, const Record& old, ApplyFlags& flags) {
    if (hasCaptureSchedule()) {
      AlarmRecordLink link{};
      getAlarmRecordLink(getOutputLogin(getCurOutput()), code + 1, 2, &link, 1);
      link.chanMask = rec.recordChanMask;
      if (const int rc = setAlarmRecordLink(getOutputLogin(getCurOutput()), code + 1, 2, &link, 1)) return rc;
    }
    if (old.alarmType == rec.alarmType) return 0;
    if (groupOfCode(code) != 0)
      flags.ipTypeChanged = true;
    else
      flags.localTypeChanged = true;
    return 0;
  }
  static void runCopyDialog(WindowHandle page, int value) { showCopyAlarmInDialog(page, value); }
  static void copyChoice(uint64_t* mask, uint8_t* bytes) { getCopyAlarmInChoice(mask, bytes); }
};

using InEditor = AlarmEditor<InTraits>;

}  // namespace

LResult inputPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return InEditor::proc(page, message, wParam, lParam);
}

void resetInputPage() { InEditor::reset(); }

}  // namespace alarms

extern "C" AlarmInConfig* getAlarmInParam(void) { return alarms::InEditor::working(); }

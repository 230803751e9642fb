// The alarm output page: name, hold delay, and through the event handling
// sheet the arming schedule.
#include "app/alarmnet/alarms/alarm_editor.h"
#include "app/alarmnet/alarms/alarm_pages.h"

namespace alarms {
namespace {

struct OutTraits {
  using Record = AlarmOutConfig;
  static constexpr Side kSide = Side::kOut;
  static constexpr int kCacheSize = 96, kHolidayKind = 2, kRebootCode = DEVICE_ERR_ALARM_OUT_REBOOT, kSource = EVENT_SOURCE_ALARMOUT;
  static constexpr int kNumId = 20269, kNameId = 20270, kFieldId = 20271, kCheckId = 0, kButtonId = 20272;
  static constexpr const char* kNumKey = "outputnum";
  static constexpr const char* kNameKey = "outputname";
  static constexpr const char* kFieldKey = "delay";
  static constexpr const char* kCheckKey = nullptr;
  static constexpr const char* kButtonKey = "laytime";
  static constexpr const char* kCopyKey = "output_copy";
  static constexpr const char* kApplyKey = "output_apply";
  static constexpr const char* kCloseKey = "output_close";
  static constexpr const char* kNotSupKey = "alarmout_not_sup";

  static int get(OutputLogin* login, int group, int index, Record* out) {
    return getAlarmOutConfig(login, group, index, out, 1);
  }
  static int set(OutputLogin* login, int group, int index, const Record& in) {
    return setAlarmOutConfig(login, group, index, &in, 1);
  }
  static void fillField(WindowHandle page) {
    SendDlgItemMessage(page, kFieldId, CB_DELETEALL, 0, 0);
    addValueComboItems(page, kFieldId, kOutputDelays, 8, "typecfg", 1);
  }
  static void show(WindowHandle page, const Record& rec, int) {
    SendDlgItemMessage(page, kFieldId, CB_SELECTVALUE, rec.delay, 0);
  }
  static void read(WindowHandle page, Record& rec) {
    const LResult delay = SendDlgItemMessage(page, kFieldId, CB_GETSELVALUE, 0, 0);
    if (delay >= 0 && delay <= ALARM_OUT_DELAY_MANUAL) rec.delay = static_cast<uint32_t>(delay);
  }
  // A copy keeps the target's name only.
  static void keepTarget(Record& to, const Record* target) {
    if (target) std::memcpy(to.name, target->name, sizeof to.name);
  }
  static int afterWrite(int, const Record&, const Record&, ApplyFlags&) { return 0; }
  static void runCopyDialog(WindowHandle page, int value) { showCopyAlarmOutDialog(page, value); }
  static void copyChoice(uint64_t* mask, uint8_t* bytes) { getCopyAlarmOutChoice(mask, bytes); }
};

using OutEditor = AlarmEditor<OutTraits>;

}  // namespace

LResult outputPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return OutEditor::proc(page, message, wParam, lParam);
}

void resetOutputPage() { OutEditor::reset(); }

}  // namespace alarms

extern "C" AlarmOutConfig* getAlarmOutParam(void) { return alarms::OutEditor::working(); }

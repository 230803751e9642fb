// Stand-ins for what the live view asks of the recording and storage pages:
// each answers as those pages do on the default device.
#include <cstdio>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record_pages.h"

namespace {

int askRecordAll(int output, WindowHandle owner, const char* key, int motion) {
  if (!checkUserRight(RIGHT_LOCAL_RECORD, -1)) return showNoPermission(owner);
  if (askMsgBox(owner, "preview", key) != MSGBOX_ANSWER_YES) return 0;
  return setAllDayRecord(getLoginId(output), motion);
}

}  // namespace

extern "C" {

int showManualSnapError(WindowHandle owner, int code) {
  if (code == -1) return showMsgBox(owner, "manualsnapshot", "manualsnapshot_err_snapshot", MSGBOX_INFO);
  if (!lookupText("manualsnapshot", "manualsnapshot_err_default")) return 0;
  return showMsgBoxNum(owner, "manualsnapshot", "manualsnapshot_err_default", code);
}

int startTimingRecordAll(int output, WindowHandle owner, WParam, LParam) {
  return askRecordAll(output, owner, "startrec_timing_hint", 0);
}

int startMotionRecordAll(int output, WindowHandle owner, WParam, LParam) {
  return askRecordAll(output, owner, "startrec_motion_hint", 1);
}

}  // extern "C"

// Stand-ins for the event sources not built yet: each getter answers a
// zeroed record, the event handling sheet edits nothing.
#include "app/alarmnet/events/event_sources.h"

namespace {

AlarmInConfig gAlarmIn{};
AlarmOutConfig gAlarmOut{};
ChannelConfig gMotion{};

}  // namespace

extern "C" {

int showHandleSetDialog(WindowHandle, int) { return 0; }
AlarmInConfig* getAlarmInParam(void) { return &gAlarmIn; }
AlarmOutConfig* getAlarmOutParam(void) { return &gAlarmOut; }
ChannelConfig* getMotionParam(void) { return &gMotion; }

}  // extern "C"

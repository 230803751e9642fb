/* The event sources and the event handling sheet they share. The sheet
 * edits the calling page's own working record in place, reached through
 * that page's getter; nothing is written to the device until the calling
 * page applies. */
#ifndef APP_ALARMNET_EVENT_SOURCES_H
#define APP_ALARMNET_EVENT_SOURCES_H

#include "app/device_records.h"
#include "app/device_records_net.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef enum EventSourceType {
  EVENT_SOURCE_TAMPER = 0,
  EVENT_SOURCE_MOTION = 1,
  EVENT_SOURCE_VIDEOLOSS = 2,
  EVENT_SOURCE_ALARMIN = 3,
  EVENT_SOURCE_ALARMOUT = 5
} EventSourceType;

/* Opens the sheet modal over `parent` for `sourceType` and returns when it
 * closes: 1 when it changed the calling page's record or the holiday
 * exchange buffer, else 0 (the caller's Apply then stays as it was). The
 * caller has filled the holiday exchange buffer (getHandleSetSource) and
 * reads it back afterwards. */
int showHandleSetDialog(WindowHandle parent, int sourceType);

/* The working records of the calling pages: never null, a zeroed record
 * while the page is not open. */
AlarmInConfig* getAlarmInParam(void);
AlarmOutConfig* getAlarmOutParam(void);
ChannelConfig* getMotionParam(void);
ChannelConfig* getVideoLossParam(void);
ChannelConfig* getTamperParam(void);

GUI_EXTERN_C_END

#endif

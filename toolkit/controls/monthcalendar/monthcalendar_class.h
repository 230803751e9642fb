// Registration of the "monthcalendar" class.
#pragma once

#include "gui/common.h"

namespace controls {

BOOL RegisterMonthCalendarControl();

}  // namespace controls

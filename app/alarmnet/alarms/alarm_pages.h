// The pages of the alarm window.
#pragma once

#include "app/page_building.h"

namespace alarms {

constexpr const char* kSection = "alarmset";
constexpr int kStatusInList = 20225, kStatusOutList = 20227;

LResult statusPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult inputPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult outputPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
// Zero the input and output pages' working records when the window goes.
void resetInputPage();
void resetOutputPage();

}  // namespace alarms

// The two sheet pages of the user page.
#pragma once

#include "app/system/users/users.h"

namespace users {

constexpr const char* kSection = "userset";

LResult managePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult changePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);

// Shows a failed table write and reads the device's table back into the
// cache, so that no page shows an unsaved user.
void reportWriteFailed(WindowHandle owner, int code);

}  // namespace users

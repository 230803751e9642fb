#include "core/dialog/dialog_seams.h"

bool IsFreeStandingEdit(WindowHandle) { return false; }

#include "core/desktop/desktop_seams.h"

#include <atomic>

#include "gui/dc.h"
#include "gui/text.h"

int ImeFontHeight(bool auxiliary) { return GetSysFontHeight(auxiliary ? 6 : 1); }


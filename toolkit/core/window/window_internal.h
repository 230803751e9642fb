// Helpers shared by window creation and destruction.
#pragma once

#include "core/window/window_record.h"

// Frees a window's caption unless it is the shared empty one.
void FreeWindowCaption(WindowRecord* win);

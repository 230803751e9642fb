#include "core/livevideo/livevideo_seams.h"

#include "core/window/default_proc_seams.h"

// No cursor yet: the pointer position is only remembered.
extern "C" void SetCursorPos(int x, int y) { NoteCursorPosition(x, y); }

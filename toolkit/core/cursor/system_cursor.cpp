#include "core/cursor/system_cursor.h"

#include "gui/cursor.h"

void ShowSystemCursor(int index) { SetCursorEx(GetSystemCursor(index), FALSE); }
int CurrentSystemCursor() { return GetCurrentCursorIndex(); }
uintptr_t DefaultCursor() { return GetDefaultCursor(); }
void SetCurrentCursor(uintptr_t cursor) { SetCursorEx(cursor, FALSE); }

// The cursor calls the desktop, the default procedures and the language
// switch make, by system cursor index or by handle.
#pragma once

#include <cstdint>

// Makes system cursor `index` current (not the default cursor).
void ShowSystemCursor(int index);
// The index of the current cursor among the system cursors, -1 for none.
int CurrentSystemCursor();
// The default cursor (0: none) and making a cursor current.
uintptr_t DefaultCursor();
void SetCurrentCursor(uintptr_t cursor);

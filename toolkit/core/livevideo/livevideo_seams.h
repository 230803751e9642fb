// The cursor call display switching makes; built with the mouse cursor.
#pragma once

extern "C" void SetCursorPos(int x, int y);

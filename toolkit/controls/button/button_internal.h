// Shared by the button's files: its data, kinds and layout.
#pragma once

#include <cstdint>

#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/common.h"

namespace button {

struct Data {
  uint32_t state = 0;
  uintptr_t image = 0;
};

constexpr uint32_t kSwallowFocus = 0x10;

inline uint32_t KindOf(uint32_t style) { return style & BS_TYPEMASK; }
bool IsCheckKind(uint32_t kind);
Data* DataOf(WindowHandle hwnd);

// The check cell's skin of a kind, its grid and one cell's size.
struct CellSkin {
  const Bitmap* bitmap = nullptr;
  int cols = 1, rows = 1;
  int cellW = 0, cellH = 0;
};
CellSkin CheckSkin(uint32_t kind, bool focused);

void Paint(WindowHandle hwnd);
// The text rectangle: client inset 2 on the left and top, 1 elsewhere,
// narrowed by the check cell.
Rect TextRect(WindowHandle hwnd);
// A picture button's focus outline runs along its window's edges, and the
// button never erases: where its picture falls short of them, the parent
// draws its own background back, with the outline's remains.
void ClearOutlineBeyondPicture(WindowHandle hwnd);
// MSG_SIZECHANGING and MSG_CALCCLIENTRECT.
LResult SizeCalc(WindowHandle hwnd, int msg, const Rect* requested, Rect* out);

}  // namespace button

// Inside the combine control: its record and the pieces its procedure and
// painter share.
#pragma once

#include <cstdint>

#include "gui/combine.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace combine {

constexpr uint16_t kHighlighted = 0x400, kFocused = 0x800;
constexpr int kCodeNormal = 0x11, kCodeTyping = 0x4015;

struct CombineData {
  uint16_t state;
  int32_t value;
  char caption[CMB_CAPTION_MAX + 1];
  WindowHandle child;
};

CombineData* Of(WindowHandle hwnd);
inline bool EditVariant(WindowHandle hwnd) { return GetWindowStyle(hwnd) & CMBS_EDIT; }
inline bool HasClearMark(WindowHandle hwnd) {
  return EditVariant(hwnd) && !(GetWindowExStyle(hwnd) & CMBS_EX_NOCLEARMARK);
}
// The clear mark's rectangle in the control's client coordinates; false
// without one.
bool ClearMarkRect(WindowHandle hwnd, const CombineData& d, Rect* out);
void Paint(WindowHandle hwnd, const CombineData& d, HDC hdc);

}  // namespace combine

// Small pieces the bar, edit and tool-bar controls share: the default
// control procedure, the private record in additional data 2, element
// colours and the mouse position words.
#pragma once

#include <cstdint>
#include <new>

#include "core/element_color.h"
#include "gui/common.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/input.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace barkit {

inline LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

template <typename T>
T* Data(WindowHandle hwnd) {
  return reinterpret_cast<T*>(GetWindowAdditionalData2(hwnd));
}

// A fresh record kept in additional data 2; null when memory is short.
template <typename T>
T* NewData(WindowHandle hwnd) {
  T* d = new (std::nothrow) T;
  if (d) SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  return d;
}

template <typename T>
void FreeData(WindowHandle hwnd) {
  delete Data<T>(hwnd);
  SetWindowAdditionalData2(hwnd, 0);
}

// MSG_PAINT: the body draws on the DC of BeginPaint; answers 0.
template <typename Body>
LResult PaintWith(WindowHandle hwnd, Body body) {
  HDC hdc = BeginPaint(hwnd);
  body(hdc);
  EndPaint(hwnd, hdc);
  return 0;
}

inline GalPixel WinColor(WindowHandle hwnd, int index) { return GetWindowElementColorEx(hwnd, index); }

// Mouse messages carry x in the low and y in the high 16 bits, signed.
inline int LowX(LParam l) { return static_cast<int16_t>(l & 0xFFFF); }
inline int HighY(LParam l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

inline bool IsClientMouse(int msg) { return msg >= MSG_LBUTTONDOWN && msg <= MSG_MOUSEWHEELUP; }

// The second press of a double click is first of all a press: a control
// that takes the capture at a press must take it at this one too, or the
// release that follows finds nothing to end and the click is lost.
inline int PressOf(int msg) {
  if (msg == MSG_LBUTTONDBLCLK) return MSG_LBUTTONDOWN;
  if (msg == MSG_RBUTTONDBLCLK) return MSG_RBUTTONDOWN;
  return msg;
}

// A client mouse message's point in the control's client area. Input under
// the control's capture comes with the key flag KS_CAPTURED and a screen
// position, input its parent routes with a client one. The flag tells them
// apart, not GetCapture(): a release that follows the press at once is
// routed by the parent after the press took the capture.
inline Point ClientPoint(WindowHandle hwnd, WParam keys, LParam pos) {
  Point p{LowX(pos), HighY(pos)};
  if (keys & KS_CAPTURED) ScreenToClient(hwnd, &p.x, &p.y);
  return p;
}

inline LParam PackedPoint(const Point& p) {
  return static_cast<LParam>((static_cast<uint32_t>(static_cast<uint16_t>(p.y)) << 16) | static_cast<uint16_t>(p.x));
}

// The same point packed as a mouse message carries it.
inline LParam ClientPosition(WindowHandle hwnd, WParam keys, LParam pos) {
  return PackedPoint(ClientPoint(hwnd, keys, pos));
}

inline bool Disabled(WindowHandle hwnd) { return (GetWindowStyle(hwnd) & WS_DISABLED) != 0; }

inline bool Contains(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// MSG_ENABLE: sets or clears the disabled bit; true when the state changed.
inline bool ApplyEnable(WindowHandle hwnd, WParam enable) {
  const bool was = Disabled(hwnd);
  if (enable && was) return ExcludeWindowStyle(hwnd, WS_DISABLED), true;
  if (!enable && !was) return IncludeWindowStyle(hwnd, WS_DISABLED), true;
  return false;
}

}  // namespace barkit

#include "controls/painters/ctrl_text.h"

#include <cstring>

#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace painters {

int TextWidth(WindowHandle hwnd, const char* text) {
  if (!text || !*text) return 0;
  HDC hdc = GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  SetControlFontByStyle(hwnd);
  SelectFont(hdc, GetWindowFont(hwnd));
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  ReleaseDC(hdc);
  return size.cx;
}

int CopyTipText(const char* text, TipTextRecord* tip) {
  if (!tip || !text || !tip->buffer || tip->size < 1) return 0;
  // The buffer's size counts the terminator, so a full-length copy would
  // leave the text unterminated.
  size_t n = std::strlen(text);
  if (n > static_cast<size_t>(tip->size - 1)) n = static_cast<size_t>(tip->size - 1);
  std::memcpy(tip->buffer, text, n);
  tip->buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace painters

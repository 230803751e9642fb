#include "controls/painters/ctrl_text.h"

#include <algorithm>
#include <cstring>

#include "controls/barkit/caller_copy.h"
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

int CopyTipText(const char* text, BubbleTipExchange* tip) {
  if (!tip || !text) return 0;
  // The record's size word cannot widen its buffer.
  const size_t size = std::min<size_t>(tip->bufferSize, sizeof tip->text);
  return static_cast<int>(barkit::CopyTerminated(tip->text, size, text, std::strlen(text)));
}

}  // namespace painters

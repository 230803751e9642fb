// Stand-ins for the controls' shared background painters, which are built
// with the other drawing helpers: each fills the client area (or the box it
// is given) in the control's background colour and nothing more.
#include "controls/sledit/sledit.h"
#include "core/element/image_seams.h"
#include "gui/caret.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/window_attr.h"

namespace {

constexpr int kBkcControlNormal = 23, kBkcCaptionDisabled = 21, kFrameHilite = 66;
constexpr uint32_t kTransparent = 0x20;

void FillClient(WindowHandle hwnd, HDC given, const Rect* clip, const Rect* box) {
  if (GetWindowExStyle(hwnd) & kTransparent) return;
  HDC hdc = given ? given : GetClientDC(hwnd);
  if (!hdc) return;
  Rect r{};
  GetClientRect(hwnd, &r);
  if (box) r = *box;
  if (clip) ClipRectIntersect(hdc, clip);
  const bool disabled = GetWindowStyle(hwnd) & entry::kStyleDisabled;
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, WinElementColors[disabled ? kBkcCaptionDisabled : kBkcControlNormal]);
  FillBox(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (!given) ReleaseDC(hdc);
}

}  // namespace

int EraseSLEditBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip, const Rect*) {
  const BOOL shown = HideCaret(hwnd);
  FillClient(hwnd, hdc, clip, nullptr);
  if (shown) ShowCaret(hwnd);
  return 0;
}

int EraseEditFrameBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  FillClient(hwnd, hdc, clip, nullptr);
  return 0;
}

int EraseEditFrameBkgndCaret(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  const BOOL shown = HideCaret(hwnd);
  FillClient(hwnd, hdc, clip, nullptr);
  if (shown) ShowCaret(hwnd);
  return 0;
}

int DrawFocusEditFrame(WindowHandle hwnd, HDC hdc, const Rect* rect, int focus) {
  if (!hdc || !rect || !focus) return 0;
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[kFrameHilite]);
  Rectangle(hdc, rect->left, rect->top, rect->right - 1, rect->bottom - 1);
  return 0;
}

// Where the text of a single-line edit stands: the text rectangle, the
// content width and scroll offset, the caret position and the byte position
// under an x.
#include <algorithm>

#include "controls/sledit/sledit.h"
#include "gui/caret.h"
#include "gui/dc.h"
#include "gui/mbtext.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace sledit {
namespace {

int Measure(WindowHandle hwnd, LogFont* font, const char* text, int len) {
  if (len <= 0) return 0;
  HDC hdc = GetClientDC(hwnd);
  if (!hdc) return 0;
  SelectFont(hdc, font);
  Size size{};
  GetTextExtentEx(hdc, text, len, &size, CurrentOutput());
  ReleaseDC(hdc);
  return size.cx;
}

bool Editable(uint32_t style) { return !IsReadOnly(style) && !IsRangeField(style); }

}  // namespace

LogFont* DrawFont(WindowHandle hwnd) {
  const uint32_t style = Style(hwnd);
  if (style & kPassword) return g_SysLogFont[0];
  if (IsReadOnly(style)) return GetWindowFont(hwnd);
  return g_SysLogFont[LowRes() ? 6 : 3];
}

int SystemFontHeight() { return GetSysFontHeight(OnAuxOutput() ? 6 : 0); }

int TextWidth(WindowHandle hwnd, const SLEditData* d, int bytes) {
  if (Style(hwnd) & kPassword) return bytes * Measure(hwnd, DrawFont(hwnd), "*", 1);
  return Measure(hwnd, DrawFont(hwnd), d->model.text.Data(), bytes);
}

// Content width and where the text starts within it (alignment).
void MeasureContent(WindowHandle hwnd, SLEditData* d) {
  const uint32_t style = Style(hwnd);
  const int width = TextWidth(hwnd, d, d->model.text.Length());
  const int old = d->contentWidth;
  d->contentWidth = std::max(width, d->textWidth);
  if (style & kRight) d->scroll += d->contentWidth - old;
  else if (style & kCentre) d->scroll += (d->contentWidth - old) / 2;
  d->scroll = std::clamp(d->scroll, 0, std::max(0, d->contentWidth - d->textWidth));
  const bool plainEditable = (style & kPlain) && Editable(style);
  if (width > d->textWidth)
    d->textStart = plainEditable ? d->leftMargin + 2 : 0;
  else if (style & kRight)
    d->textStart = d->textWidth - width;
  else if (style & kCentre)
    d->textStart = (d->textWidth - width) / 2;
  else
    d->textStart = plainEditable ? d->leftMargin : 0;
}

void Layout(WindowHandle hwnd, SLEditData* d, bool fromScratch) {
  const uint32_t style = Style(hwnd);
  Rect client{};
  GetClientRect(hwnd, &client);
  Rect& r = d->textRect;
  r = client;
  r.left += d->leftMargin;
  r.top += d->topMargin;
  r.right -= Editable(style) ? 4 * d->rightMargin : d->rightMargin;
  if (KeyboardServes() && Editable(style)) r.right -= IconWidth();
  r.bottom -= d->bottomMargin;
  d->textWidth = r.right - r.left;
  if (fromScratch || d->scroll <= d->leftMargin + d->rightMargin) d->scroll = 0;
  d->contentWidth = d->textWidth;
  MeasureContent(hwnd, d);
  d->textTop = (r.bottom - r.top - SystemFontHeight() - 1) / 2 + d->topMargin;
}

int CaretX(WindowHandle hwnd, const SLEditData* d, int p) { return d->textStart + TextWidth(hwnd, d, p); }

void PlaceCaret(WindowHandle hwnd, SLEditData* d) {
  if (IsReadOnly(Style(hwnd))) return;
  SetCaretPos(hwnd, CaretX(hwnd, d, d->model.caret) - d->scroll + d->leftMargin, d->textTop);
}

bool ShowPosition(WindowHandle hwnd, SLEditData* d, int p) {
  const int x = CaretX(hwnd, d, p), old = d->scroll;
  if (x < d->scroll) d->scroll = x;
  else if (x > d->scroll + d->textWidth) d->scroll = x - d->textWidth;
  return d->scroll != old;
}

void ScrollToCaret(WindowHandle hwnd, SLEditData* d) {
  const bool moved = ShowPosition(hwnd, d, d->model.caret);
  PlaceCaret(hwnd, d);
  if (moved) Repaint(hwnd);
}

int CharLenAfter(WindowHandle hwnd, const SLEditData* d, int p) {
  const int rest = d->model.text.Length() - p;
  if (rest <= 0) return 0;
  const int n = GetFirstMCharLen(DrawFont(hwnd), d->model.text.Data() + p, rest);
  return n > 0 ? n : 1;
}

int CharLenBefore(WindowHandle hwnd, const SLEditData* d, int p) {
  if (p <= 0) return 0;
  const int n = GetLastMCharLen(DrawFont(hwnd), d->model.text.Data(), p);
  return n > 0 ? n : 1;
}

// The last character boundary at or left of x (client coordinates).
int PositionAt(WindowHandle hwnd, SLEditData* d, int x) {
  const int target = x + d->scroll - d->leftMargin - d->textStart;
  if (target <= 0) return 0;
  int p = 0;
  for (;;) {
    const int next = p + CharLenAfter(hwnd, d, p);
    if (next == p || TextWidth(hwnd, d, next) > target) return p;
    p = next;
  }
}

}  // namespace sledit

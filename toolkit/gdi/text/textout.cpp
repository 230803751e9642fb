// Text output at a point and its measurement.
#include "gdi/text/textout.h"

#include <algorithm>

#include "gui/dc.h"

namespace textout {

DC* DcOf(HDC hdc) { return gui::dc::DcFromHandle(hdc); }

LogFont* FontOf(const DC* dc) {
  if (dc && dc->font) return dc->font;
  return g_SysLogFont[0];
}

using gui::dc::ClampToInt;

int WidthToLogical(const DC* dc, int width) {
  if (dc->dcType == kScreenDC || dc->mapMode == 0 || dc->viewExtent.x == 0) return width;
  return ClampToInt(int64_t{width} * dc->windowExtent.x / dc->viewExtent.x);
}

// The way back of LogicalToDevice, in 64 bits and clamped the same way: a
// clamped offset (at most 2^32 from its origin) times an extent (at most
// 2^31) stays below 2^63.
void DeviceToLogical(const DC* dc, int* x, int* y) {
  if (dc->dcType == kScreenDC) return;
  *x = ClampToInt(int64_t{*x} - dc->devRect.left);
  *y = ClampToInt(int64_t{*y} - dc->devRect.top);
  if (dc->mapMode == 0) return;
  auto back = [](int v, int viewOrigin, int viewExtent, int windowOrigin, int windowExtent) {
    if (viewExtent == 0) return windowOrigin;
    return ClampToInt((int64_t{v} - viewOrigin) * windowExtent / viewExtent + windowOrigin);
  };
  *x = back(*x, dc->viewOrigin.x, dc->viewExtent.x, dc->windowOrigin.x, dc->windowExtent.x);
  *y = back(*y, dc->viewOrigin.y, dc->viewExtent.y, dc->windowOrigin.y, dc->windowExtent.y);
}

FitResult FitText(DC* dc, LogFont* lf, const char* text, int len, int maxExtent, int* posChars,
                  int* dxChars, Size* size) {
  FitResult fit;
  size->cx = 0;
  size->cy = textrender::LineHeight(dc, lf);
  if (len < 1) return fit;
  textrender::StartStringOutput(lf);  // kerning starts afresh, whatever was drawn before
  textrender::CharMeasurer measure(lf);
  const unsigned char* s = mbtext::Bytes(text);
  int64_t x = 0;
  while (fit.bytes < len) {
    int width = 0;
    const int n = measure.Next(s + fit.bytes, len - fit.bytes, &width);
    if (n < 1) break;
    if (posChars) posChars[fit.chars] = fit.bytes;
    if (dxChars) dxChars[fit.chars] = ClampToInt(x);
    const int64_t cell = int64_t{width} + dc->charExtra;
    if (maxExtent > 0 && x + cell > maxExtent) break;
    x += cell;
    fit.bytes += n;
    ++fit.chars;
  }
  size->cx = ClampToInt(x);
  return fit;
}

}  // namespace textout

using textout::DcOf;
using textout::FontOf;

namespace {

// Draws a measured text at a logical point under the DC's clip lock.
template <typename DrawFn>
void DrawAt(HDC hdc, int x, int y, DrawFn draw) {
  gui::dc::LockedDC locked(hdc);
  if (!locked) return;  // nothing visible: measured only
  DC* dc = locked.get();
  LogFont* const entryFont = dc->font;
  if (!dc->font) dc->font = FontOf(dc);
  gui::dc::LogicalToDevice(dc, &x, &y);
  // A start far off the surface draws nothing there; kept far, the pen and
  // the baseline move from it without leaving the int range.
  x = gui::dc::FarCoord(x);
  y = gui::dc::FarCoord(y);
  dc->rcOutput = dc->devRect;
  draw(dc, x, y);
  dc->font = entryFont;
}

// The DC, its font and the byte length of an output call; false when there
// is nothing to output.
bool OutputArguments(HDC hdc, const char* text, int* len, DC** dc, LogFont** lf) {
  *dc = DcOf(hdc);
  *lf = FontOf(*dc);
  if (!*dc || !*lf || !text || *len == 0) return false;
  *len = textout::ByteLength(text, *len);
  return *len > 0;
}

}  // namespace

extern "C" {

int GetFontHeight(HDC hdc) {
  LogFont* lf = FontOf(DcOf(hdc));
  return lf ? lf->size : 0;
}

int GetMaxFontWidth(HDC hdc) {
  LogFont* lf = FontOf(DcOf(hdc));
  if (!lf) return 0;
  DevFont* sbc = lf->singleByteDevFont;
  DevFont* mbc = lf->multiByteDevFont;
  const int single = sbc->fontOps->maxWidth(lf, sbc);
  const int multi = mbc ? mbc->fontOps->maxWidth(lf, mbc) : 0;
  if (single < 1 && !mbc) return 0;
  return std::max(single, multi);
}

int GetTextExtentEx(HDC hdc, const char* text, int len, Size* size, int outputId) {
  DC* dc = DcOf(hdc);
  LogFont* lf = FontOf(dc);
  if (!dc || !lf || !text || !size) return 0;
  len = textout::ByteLength(text, len);
  // A walk that stops at a byte no charset accepts measures nothing.
  if (textrender::CalcTextExtent(dc, lf, text, len, size) < len) return 0;
  return size->cx > 0 ? gui::dc::ClampToInt(int64_t{size->cx} - dc->charExtra) : 0;
}

int GetTabbedTextExtent(HDC hdc, const char* text, int len, Size* size) {
  DC* dc = DcOf(hdc);
  LogFont* lf = FontOf(dc);
  if (!dc || !lf || !text || !size) return 0;
  const int tabWidth = textrender::TabWidthOf(dc, lf, dc->tabStop);
  textrender::CalcTabbedTextExtent(dc, lf, tabWidth, text, textout::ByteLength(text, len), size,
                                   nullptr);
  return textrender::LineHeight(dc, lf);
}

int GetLastTextOutPos(HDC hdc, Point* pt) {
  DC* dc = DcOf(hdc);
  if (!dc || !pt) return 0;
  *pt = dc->textPos;
  return pt->y;
}

int TextOutLen(HDC hdc, int x, int y, const char* text, int len) {
  DC* dc = nullptr;
  LogFont* lf = nullptr;
  if (!OutputArguments(hdc, text, &len, &dc, &lf)) return 0;
  Size size{};
  textrender::CalcTextExtent(dc, lf, text, len, &size);
  const int width = textout::WidthToLogical(dc, size.cx);
  dc->textPos = Point{gui::dc::ClampToInt(int64_t{x} + width), y};
  DrawAt(hdc, x, y, [&](DC* d, int dx, int dy) { textrender::DrawTextString(d, dx, dy, text, len); });
  return width;
}

int TabbedTextOutLen(HDC hdc, int x, int y, const char* text, int len) {
  DC* dc = nullptr;
  LogFont* lf = nullptr;
  if (!OutputArguments(hdc, text, &len, &dc, &lf)) return 0;
  Size size{};
  // The text position ends where the last line ends; the measure is in
  // device pixels, so the position moves in device coordinates.
  Point pos{x, y};
  gui::dc::LogicalToDevice(dc, &pos.x, &pos.y);
  const int tabWidth = textrender::TabWidthOf(dc, lf, dc->tabStop);
  textrender::CalcTabbedTextExtent(dc, lf, tabWidth, text, len, &size, &pos);
  textout::DeviceToLogical(dc, &pos.x, &pos.y);
  dc->textPos = pos;
  DrawAt(hdc, x, y,
         [&](DC* d, int dx, int dy) { textrender::TabbedTextOutInternal(d, dx, dy, text, len); });
  return textout::WidthToLogical(dc, size.cx);
}

int GetTextExtentPoint(HDC hdc, const char* text, int len, int maxExtent, int* fitChars,
                       int* posChars, int* dxChars, Size* size) {
  DC* dc = DcOf(hdc);
  LogFont* lf = FontOf(dc);
  if (fitChars) *fitChars = 0;
  if (!dc || !lf || !text) return 0;
  Size local{};
  const textout::FitResult fit =
      textout::FitText(dc, lf, text, len, maxExtent, posChars, dxChars, size ? size : &local);
  if (fitChars) *fitChars = fit.chars;
  return fit.bytes;
}

}  // extern "C"

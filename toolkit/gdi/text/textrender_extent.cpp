// String extents: character cells summed from the width caches, tabs and
// line breaks for the tabbed form.
#include <algorithm>

#include "gdi/dc_record.h"
#include "gdi/text/textrender.h"
#include "gdi/text/textrender_buffer.h"

namespace textrender {

void StartStringOutputHeld(LogFont* lf) {
  if (!lf) return;
  for (DevFont* df : {lf->singleByteDevFont, lf->multiByteDevFont})
    if (df && df->fontOps->startStringOutput) df->fontOps->startStringOutput(lf, df);
}

void StartStringOutput(LogFont* lf) {
  std::lock_guard<std::mutex> hold(GlyphBufferLock());
  StartStringOutputHeld(lf);
}

int LineHeight(const DC* dc, const LogFont* lf) {
  return lf->size + dc->aboveLineExtra + dc->belowLineExtra;
}

int TabWidthOf(const DC* dc, const LogFont* lf, int tabStop) {
  DevFont* sbc = lf->singleByteDevFont;
  return sbc->fontOps->averageWidth(const_cast<LogFont*>(lf), sbc) * tabStop;
}

int CalcTextExtent(DC* dc, LogFont* lf, const char* text, int len, Size* size) {
  StartStringOutput(lf);
  CharMeasurer measure(lf);
  const unsigned char* s = mbtext::Bytes(text);
  // Summed in 64 bits: a large character extra would wrap an int.
  int64_t cx = 0;
  int walked = 0;
  while (walked < len) {
    int width = 0;
    const int n = measure.Next(s + walked, len - walked, &width);
    if (n < 1) break;
    cx += int64_t{width} + dc->charExtra;
    walked += n;
  }
  size->cx = gui::dc::ClampToInt(cx);
  size->cy = LineHeight(dc, lf);
  return walked;
}

void CalcTabbedTextExtent(DC* dc, LogFont* lf, int tabWidth, const char* text, int len, Size* size,
                          Point* pos) {
  StartStringOutput(lf);
  CharMeasurer measure(lf);
  const int lineHeight = LineHeight(dc, lf);
  const unsigned char* s = mbtext::Bytes(text);
  int64_t x = 0, widest = 0, cy = lineHeight;
  while (len > 0) {
    int width = 0;
    const int n = measure.Next(s, len, &width);
    if (n < 1) break;
    switch (*s) {
      case '\t':
        x += tabWidth;
        break;
      case '\n':
        cy += lineHeight;
        [[fallthrough]];
      case '\r':
        widest = std::max(widest, x);
        x = 0;
        break;
      default:
        x += int64_t{width} + dc->charExtra;
    }
    s += n;
    len -= n;
  }
  size->cx = gui::dc::ClampToInt(std::max(widest, x));
  size->cy = gui::dc::ClampToInt(cy);
  if (pos) {
    pos->x = gui::dc::ClampToInt(pos->x + x);
    pos->y = gui::dc::ClampToInt(pos->y + cy - lineHeight);
  }
}

}  // namespace textrender

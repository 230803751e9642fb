// Text rendering internals shared by the output and measuring calls: the
// character-width caches, string extents, the glyph buffer under its lock and
// the drawing of strings glyph by glyph into a DC.
#ifndef TOOLKIT_GDI_TEXT_TEXTRENDER_H
#define TOOLKIT_GDI_TEXT_TEXTRENDER_H

#include <cstddef>
#include <cstdint>

#include "gdi/text/mbtext_walk.h"
#include "gui/text.h"

struct DC;

namespace textrender {

// ---- Character widths ----

// The identity of a device font for the width caches; 0 for fonts measured
// without a cache (those without a bounding-box operation, and kerned ones).
uint32_t WidthFontId(LogFont* lf, DevFont* df);

// Widths held by the cache (which is bounded).
size_t CharWidthCacheEntries();

// One character's advance in the device font, plus one pixel of added bold.
int GetCachedCharWidth(LogFont* lf, DevFont* df, uint32_t fontId, const unsigned char* mchar,
                       int len);
int GetCachedCharWidth(LogFont* lf, DevFont* df, const unsigned char* mchar, int len);
// The advance computed afresh and stored in the cache.
int ComputeCharWidth(LogFont* lf, DevFont* df, uint32_t fontId, const unsigned char* mchar,
                     int len);

// 1 when the LogFont asks for bold the device font does not have itself.
inline int AddedBold(const LogFont* lf, const DevFont* df) {
  return (lf->style & FONT_WEIGHT_BOLD) && !(df->style & FONT_WEIGHT_BOLD) ? 1 : 0;
}

// Measures a walk of characters with the width sources computed once.
class CharMeasurer {
 public:
  explicit CharMeasurer(LogFont* lf);
  // The first character's length (0 when none) and its advance.
  int Next(const unsigned char* s, int len, int* width);
  LogFont* font() const { return lf_; }

 private:
  LogFont* lf_;
  uint32_t singleId_ = 0, multiId_ = 0;
};

// ---- Extents ----

int LineHeight(const DC* dc, const LogFont* lf);
// Sum of character cells (width + character extra); cy the line height.
// Answers the bytes walked: fewer than len when a byte no charset accepts
// ends the walk.
int CalcTextExtent(DC* dc, LogFont* lf, const char* text, int len, Size* size);
// Tabs advance by tabWidth; a line feed starts a line below, a carriage
// return the same line again. cy counts every line, the first included.
void CalcTabbedTextExtent(DC* dc, LogFont* lf, int tabWidth, const char* text, int len, Size* size,
                          Point* pos);
int TabWidthOf(const DC* dc, const LogFont* lf, int tabStop);
// Restarts the fonts' per-string state (kerning pairs); the first takes the
// glyph-buffer lock, the second expects the caller to hold it.
void StartStringOutput(LogFont* lf);
void StartStringOutputHeld(LogFont* lf);

// ---- Drawing (device coordinates, DC already locked) ----

// Top-left at (x, y); the advance in pixels.
int DrawTextString(DC* dc, int x, int y, const char* text, int len);
// With tabs and line breaks; the widest line's end minus x.
int TabbedTextOutInternal(DC* dc, int x, int y, const char* text, int len);

}  // namespace textrender

#endif

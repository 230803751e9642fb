// Raw bitmap fonts: fixed-size monochrome glyphs, one per character of the
// charset, stored without a header.
#ifndef TOOLKIT_GDI_TEXT_RAWBITMAP_FONT_H
#define TOOLKIT_GDI_TEXT_RAWBITMAP_FONT_H

#include <cstddef>
#include <vector>

#include "gui/font.h"

namespace rawfont {

struct RawBitmapFont {
  const CharsetOps* charset = nullptr;
  int nrChars = 0;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> data;

  size_t glyphBytes() const { return (static_cast<size_t>(width) + 7) / 8 * static_cast<size_t>(height); }
};

extern const FontOps kRawBitmapOps;

// The scale that raw bitmap scaling picks for a glyph height: the whole
// multiple nearest the requested size, the larger one on a tie.
int NearestMultiple(int glyphHeight, int expect);
// Pixels below the baseline for a glyph cell of h pixels.
int DescentForHeight(int h);

}  // namespace rawfont

#endif

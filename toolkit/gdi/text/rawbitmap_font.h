// Raw bitmap fonts: fixed-size monochrome glyphs, one per character of the
// charset, stored without a header.
#ifndef TOOLKIT_GDI_TEXT_RAWBITMAP_FONT_H
#define TOOLKIT_GDI_TEXT_RAWBITMAP_FONT_H

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "gui/font.h"

namespace rawfont {

struct RawBitmapFont {
  const CharsetOps* charset = nullptr;
  int nrChars = 0;
  int width = 0;
  int height = 0;
  // The glyphs are read from `file` when the first one is drawn: most fonts
  // draw nothing at start-up. Loading has checked that the file holds
  // `dataSize` bytes; should it no longer, the glyphs missing are blank.
  std::string file;
  size_t dataSize = 0;

  size_t glyphBytes() const { return (static_cast<size_t>(width) + 7) / 8 * static_cast<size_t>(height); }
  // The glyph data, read on the first call from any thread.
  const unsigned char* glyphs();

 private:
  std::once_flag read_;
  std::vector<unsigned char> data_;
};

extern const FontOps kRawBitmapOps;

// The scale that raw bitmap scaling picks for a glyph height: the whole
// multiple nearest the requested size, the larger one on a tie.
int NearestMultiple(int glyphHeight, int expect);
// Pixels below the baseline for a glyph cell of h pixels.
int DescentForHeight(int h);

}  // namespace rawfont

#endif

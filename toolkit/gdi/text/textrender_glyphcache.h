// Glyph descriptions as the fonts give them: box relative to the pen,
// advance and image. Outline fonts keep them once rasterised, so that
// drawing the same character again does not load and render its outline.
#ifndef TOOLKIT_GDI_TEXT_TEXTRENDER_GLYPHCACHE_H
#define TOOLKIT_GDI_TEXT_TEXTRENDER_GLYPHCACHE_H

#include <vector>

#include "gdi/text/textrender_glyph.h"
#include "gui/font.h"

namespace textrender {

struct GlyphDesc {
  int dx = 0, dy = 0;  // the box's top-left relative to the pen on the baseline
  int width = 0, height = 0;
  int advance = 0;     // pen movement, bold not included
  bool advanceOp = false;  // the advance came from the font's advance operation
  GlyphSource source;  // bits may be null: nothing to draw
  // The plain glyph (no bold, italic or effect) ready to draw; null when the
  // glyph is not kept. Valid while the glyph-buffer lock is held.
  const std::vector<InkRun>* runs = nullptr;
};

// The glyph of one character; under the glyph-buffer lock. fontId is the
// device font's width-cache identity (0: not kept). The bits stay valid
// until the next call.
GlyphDesc DescribeGlyph(LogFont* lf, DevFont* df, uint32_t fontId, int ascent, int height,
                        const unsigned char* ch, int len);

// Forgets every kept glyph; under the glyph-buffer lock.
void ClearGlyphCache();

}  // namespace textrender

#endif

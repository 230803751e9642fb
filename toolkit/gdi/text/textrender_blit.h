// Writing text pixels into a DC through its clip region and output
// rectangle, with the DC's pixel operations (device coordinates, between
// BeginDCDrawing and EndDCDrawing).
#ifndef TOOLKIT_GDI_TEXT_TEXTRENDER_BLIT_H
#define TOOLKIT_GDI_TEXT_TEXTRENDER_BLIT_H

#include <cstdint>
#include <vector>

#include "gdi/dc_record.h"
#include "gdi/text/textrender_glyph.h"

namespace textrender {

enum class BufferKind { kPlain, kKeyed, kAlpha };

struct PixelBuffer {
  const uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
  int bytesPerPixel = 1;
  BufferKind kind = BufferKind::kPlain;
  GalPixel key = 0;                         // kKeyed: pixels left alone
  const GalPixelFormat* alpha = nullptr;    // kAlpha: format of the pixels
};

// The box filled with one pixel value.
void FillClipped(DC* dc, const Rect& box, GalPixel pixel);
// The buffer put with its top-left at (x, y).
void PutClipped(DC* dc, int x, int y, const PixelBuffer& buffer);
// Only the full-ink pixels of a level image, in one colour, as spans.
void PutInkRuns(DC* dc, int x, int y, const LevelImage& image, GalPixel ink);
// The same from a glyph's ready-made runs, image top-left at (x, y).
void PutInkRuns(DC* dc, int x, int y, const std::vector<InkRun>& runs, int width, int height,
                GalPixel ink);

}  // namespace textrender

#endif

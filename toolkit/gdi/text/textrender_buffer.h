// The shared glyph buffer: it only grows, in steps of 32 bytes, and is used
// under GlyphBufferLock().
#ifndef TOOLKIT_GDI_TEXT_TEXTRENDER_BUFFER_H
#define TOOLKIT_GDI_TEXT_TEXTRENDER_BUFFER_H

#include <cstdint>
#include <mutex>
#include <vector>

#include "gdi/text/textrender_glyph.h"

namespace textrender {

class GlyphBuffer {
 public:
  static constexpr size_t kStep = 32;
  // Pixels for width x height at bytesPerPixel; the row pitch goes to pitch.
  uint8_t* Prepare(int width, int height, int bytesPerPixel, int* pitch);
  void Free();
  size_t capacity() const { return pixels_.size(); }

  LevelImage levels;  // the expanded image before it becomes pixels

 private:
  std::vector<uint8_t> pixels_;
};

std::mutex& GlyphBufferLock();
GlyphBuffer& SharedGlyphBuffer();

}  // namespace textrender

#endif

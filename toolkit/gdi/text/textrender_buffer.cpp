// The glyph buffer all text output shares, and its lock. The TrueType
// glyph images are serialised by the same lock.
#include "gdi/text/textrender_buffer.h"

namespace textrender {

std::mutex& GlyphBufferLock() {
  static std::mutex lock;
  return lock;
}

GlyphBuffer& SharedGlyphBuffer() {
  static GlyphBuffer buffer;
  return buffer;
}

uint8_t* GlyphBuffer::Prepare(int width, int height, int bytesPerPixel, int* pitch) {
  // Room for two more columns and three more rows than asked, as the
  // smoothed and outlined images grow by a border.
  *pitch = ((width + 2) * bytesPerPixel + 3) & ~3;
  const size_t size = static_cast<size_t>(*pitch) * (height + 3);
  if (size > pixels_.size()) pixels_.resize((size + kStep - 1) / kStep * kStep);
  return pixels_.data();
}

void GlyphBuffer::Free() {
  std::vector<uint8_t>().swap(pixels_);
  levels.levels.clear();
  levels.levels.shrink_to_fit();
}

}  // namespace textrender

extern "C" void FreeGlyphBuffers(void) {
  std::lock_guard<std::mutex> hold(textrender::GlyphBufferLock());
  textrender::SharedGlyphBuffer().Free();
}

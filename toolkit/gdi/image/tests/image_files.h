// Test images built in memory: a truth (8-bit r, g, b, alpha per pixel) and
// files encoding it as BMP, GIF, PNG and JPEG, written by our own encoders
// and by the PNG and JPEG libraries.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/gal.h"

namespace imagetest {

using Bytes = std::vector<uint8_t>;

struct Truth {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;  // 4 bytes per pixel, rows top-down
  const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

// A palette image: indices below `colors` and its palette.
struct Indexed {
  int w = 0, h = 0;
  std::vector<uint8_t> index;
  std::vector<GalColor> palette;
  Truth truth() const;
};

Indexed RandomIndexed(int w, int h, int colors, unsigned seed, int runLength = 1);
Truth RandomTruth(int w, int h, unsigned seed, bool alpha = false);

// BMP: packed rows of 1, 4 or 8 bits (palette images), 24 or 32 bits, 16
// bits 5-5-5 or 5-6-5 (bit fields), run-length 8 or 4 bits, the 12-byte
// header.
Bytes BmpIndexed(const Indexed& image, int bits, int compression = 0, bool coreHeader = false);
Bytes BmpRgb(const Truth& image, int bits);
Bytes Bmp16(const Truth& image, bool is565);
// The header around rows the caller encoded.
Bytes BmpFile(int w, int h, int bits, int compression, const std::vector<GalColor>& palette,
              const Bytes& rows, const std::vector<uint32_t>& masks = {}, bool coreHeader = false);

// GIF with our LZW encoder; transparent index -1 for none.
Bytes Gif(const Indexed& image, bool interlaced, int transparent = -1, bool commentAndAppBlocks = false,
          bool localTable = false);

// PNG through libpng: colour type, bit depth, interlace, and a tRNS chunk
// (palette: alpha per index; grey/colour: the first pixel's value).
Bytes Png(const Indexed& indexed, const Truth& truth, int colorType, int bitDepth, bool interlaced,
          bool trns);
// What the PNG above holds, as 8-bit r, g, b, alpha.
Truth PngTruth(const Indexed& indexed, const Truth& truth, int colorType, int bitDepth, bool trns);

// JPEG through libjpeg, grey or colour, and libjpeg's own decoding of it
// into 8-bit r, g, b rows.
Bytes Jpeg(const Truth& image, bool grey);
Bytes JpegDecodedRgb(const Bytes& jpeg, int* w, int* h);

}  // namespace imagetest

// Windows and OS/2 bitmap files: read (plain, run-length and bit-field
// rows) and written (uncompressed, 4, 8 or 24 bits per pixel).
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "gdi/image/image_internal.h"
#include "gui/display.h"

namespace gui::image {
namespace {

constexpr uint16_t kBmpType = 0x4D42;
constexpr uint32_t kCoreHeader = 12;
constexpr uint32_t kInfoHeader = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct BmpState {
  uint32_t width, height;
  int bitsPerPixel;
  uint32_t compression;
  uint32_t masks[3] = {0x1F, 0x3E0, 0x7C00};
  int dataStart;  // absolute position of the pixel data
};

struct MaskShape {
  int shift = 0, bits = 0;
};

MaskShape ShapeOf(uint32_t mask) {
  MaskShape s;
  if (!mask) return s;
  while (!(mask & 1)) mask >>= 1, ++s.shift;
  while (mask & 1) mask >>= 1, ++s.bits;
  return s;
}

// A channel of a bit-field pixel widened to 8 bits.
uint8_t Channel(uint32_t v, MaskShape s) {
  if (s.bits == 0) return 0;
  uint32_t c = (v >> s.shift) & ((s.bits >= 32 ? 0 : 1u << s.bits) - 1);
  if (s.bits >= 8) return static_cast<uint8_t>(c >> (s.bits - 8));
  uint32_t out = 0;
  for (int have = 0; have < 8; have += s.bits) out = (out << s.bits) | c;
  return static_cast<uint8_t>(out >> (((8 + s.bits - 1) / s.bits) * s.bits - 8));
}

bool ReadPalette(GUI_RWops* src, GalColor* palette, long count, int entryBytes) {
  // More entries than the palette array holds is a hostile file.
  if (count > 256) return false;
  for (long i = 0; i < count; ++i) {
    uint8_t e[4] = {};
    if (GUI_RWread(src, e, entryBytes, 1) != 1) return false;
    if (palette) palette[i] = GalColor{e[2], e[1], e[0], 0};
  }
  return true;
}

bool ValidCombination(int bpp, uint32_t compression) {
  switch (compression) {
    case kRgb: return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    case kRle8: return bpp == 8;
    case kRle4: return bpp == 4;
    case kBitFields: return bpp == 16 || bpp == 32;
    default: return true;  // load refuses it
  }
}

bool ReadInfo(GUI_RWops* src, BmpState* s, uint32_t infoSize, uint32_t offBits, GalColor* palette) {
  long entries;
  if (infoSize == kCoreHeader) {
    s->width = GUI_RWReadLE16(src);
    s->height = GUI_RWReadLE16(src);
    GUI_RWReadLE16(src);
    s->bitsPerPixel = GUI_RWReadLE16(src);
    s->compression = kRgb;
    entries = (static_cast<long>(offBits) - 26) / 3;
    return ValidCombination(s->bitsPerPixel, s->compression) &&
           ReadPalette(src, palette, entries > 0 ? entries : 0, 3);
  }
  const int32_t width = static_cast<int32_t>(GUI_RWReadLE32(src));
  const int32_t height = static_cast<int32_t>(GUI_RWReadLE32(src));
  // Negative sizes (top-down files) are refused like any hostile size.
  if (width <= 0 || height <= 0) return false;
  s->width = static_cast<uint32_t>(width);
  s->height = static_cast<uint32_t>(height);
  GUI_RWReadLE16(src);
  s->bitsPerPixel = GUI_RWReadLE16(src);
  s->compression = GUI_RWReadLE32(src);
  for (int i = 0; i < 5; ++i) GUI_RWReadLE32(src);
  if (!ValidCombination(s->bitsPerPixel, s->compression)) return false;
  uint32_t consumed = kInfoHeader;
  if (s->compression == kBitFields) {
    // The three masks follow a 40-byte header and open a longer one.
    for (uint32_t& m : s->masks) m = GUI_RWReadLE32(src);
    if (!s->masks[0] || !s->masks[1] || !s->masks[2]) return false;
    consumed += 12;
    if (infoSize == kInfoHeader) infoSize += 12;
  }
  if (infoSize > consumed) GUI_RWseek(src, static_cast<int>(infoSize - consumed), GUI_RW_SEEK_CUR);
  entries = (static_cast<long>(offBits) - static_cast<long>(infoSize) - 14) / 4;
  if (s->bitsPerPixel > 8) entries = 0;
  return ReadPalette(src, palette, entries > 0 ? entries : 0, 4);
}

bool ReadRow(GUI_RWops* src, uint8_t* row, size_t bytes) {
  return GUI_RWread(src, row, 1, static_cast<int>(bytes)) == static_cast<int>(bytes);
}

bool Read16Row(GUI_RWops* src, const BmpState& s, uint8_t* row) {
  const bool is555 = s.masks[1] == 0x3E0;
  for (uint32_t x = 0; x < s.width; ++x) {
    uint8_t b[2];
    if (GUI_RWread(src, b, 2, 1) != 1) return false;
    const uint32_t v = b[0] | (b[1] << 8);
    uint8_t* p = row + x * 3;
    if (is555) {
      p[2] = (v >> 7) & 0xF8, p[1] = (v >> 2) & 0xF8;
    } else {
      p[2] = (v >> 8) & 0xF8, p[1] = (v >> 3) & 0xFC;
    }
    p[0] = static_cast<uint8_t>(v << 3);
  }
  if (s.width & 1) GUI_RWReadLE16(src);
  return true;
}

bool ReadBitFieldRow(GUI_RWops* src, const BmpState& s, uint8_t* row) {
  const MaskShape r = ShapeOf(s.masks[0]), g = ShapeOf(s.masks[1]), b = ShapeOf(s.masks[2]);
  const int bytes = s.bitsPerPixel / 8;
  for (uint32_t x = 0; x < s.width; ++x) {
    uint8_t in[4] = {};
    if (GUI_RWread(src, in, bytes, 1) != 1) return false;
    const uint32_t v = in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
    uint8_t* p = row + x * 3;
    p[0] = Channel(v, b), p[1] = Channel(v, g), p[2] = Channel(v, r);
  }
  if (bytes == 2 && (s.width & 1)) GUI_RWReadLE16(src);
  return true;
}

void PutNibble(uint8_t* row, uint32_t x, int nibble) {
  if (x & 1)
    row[x / 2] |= static_cast<uint8_t>(nibble & 0xF);
  else
    row[x / 2] = static_cast<uint8_t>(nibble << 4);
}

enum class RowEnd { kRow, kImage, kFail };

// One run-length row; never writes beyond the width.
RowEnd ReadRleRow(GUI_RWops* src, const BmpState& s, uint8_t* row) {
  const bool four = s.compression == kRle4;
  uint32_t x = 0;
  for (;;) {
    const int c1 = GUI_RWgetc(src), c2 = GUI_RWgetc(src);
    if (c1 < 0 || c2 < 0) return RowEnd::kFail;
    if (c1 > 0) {
      if (x + c1 > s.width) return RowEnd::kFail;
      for (int i = 0; i < c1; ++i, ++x)
        four ? PutNibble(row, x, (x & 1) ? c2 & 0xF : c2 >> 4) : void(row[x] = static_cast<uint8_t>(c2));
      continue;
    }
    if (c2 == 0) return RowEnd::kRow;
    if (c2 == 1) return RowEnd::kImage;
    if (c2 == 2) {
      const int dx = GUI_RWgetc(src), dy = GUI_RWgetc(src);
      if (dx < 0 || dy < 0 || x + dx > s.width) return RowEnd::kFail;
      x += dx;
      continue;
    }
    if (x + c2 > s.width) return RowEnd::kFail;
    if (four) {
      uint8_t word[2] = {};
      for (int i = 0; i < c2; ++i, ++x) {
        if (i % 4 == 0 && GUI_RWread(src, word, 2, 1) != 1) return RowEnd::kFail;
        const uint8_t byte = word[(i % 4) / 2];
        PutNibble(row, x, (i & 1) ? byte & 0xF : byte >> 4);
      }
    } else {
      if (GUI_RWread(src, row + x, 1, c2) != c2) return RowEnd::kFail;
      x += c2;
      if (c2 & 1) GUI_RWgetc(src);
    }
  }
}

void WriteLE(GUI_RWops* dst, uint32_t value, int bytes) {
  uint8_t b[4];
  for (int i = 0; i < bytes; ++i) b[i] = static_cast<uint8_t>(value >> (8 * i));
  GUI_RWwrite(dst, b, 1, bytes);
}

// One image pixel as b, g, r for a 24-bit file row.
void PixelToBgr(const uint8_t* p, int depth, int deviceDepth, uint8_t* out) {
  if (depth == 15 || depth == 16) {
    const uint32_t v = p[0] | (p[1] << 8);
    if (depth == 15 || deviceDepth == 2) {
      out[2] = static_cast<uint8_t>((v >> 7) | 7), out[1] = static_cast<uint8_t>((v >> 2) | 7);
    } else {
      out[2] = static_cast<uint8_t>((v >> 8) | 7), out[1] = static_cast<uint8_t>((v >> 3) | 3);
    }
    out[0] = static_cast<uint8_t>(((v << 3) & 0xFF) + 7);
    return;
  }
  out[0] = p[0], out[1] = p[1], out[2] = p[2];
}

}  // namespace

BOOL BmpCheck(GUI_RWops* source) { return GUI_RWReadLE16(source) == kBmpType; }

void* BmpInit(GUI_RWops* source, MyBitmap* image, GalColor* palette) {
  const int start = GUI_RWtell(source);
  if (GUI_RWReadLE16(source) != kBmpType) return nullptr;
  GUI_RWReadLE32(source);
  GUI_RWReadLE16(source);
  GUI_RWReadLE16(source);
  const uint32_t offBits = GUI_RWReadLE32(source);
  const uint32_t infoSize = GUI_RWReadLE32(source);
  if (infoSize != kCoreHeader && infoSize < kInfoHeader) return nullptr;
  auto* s = new (std::nothrow) BmpState{};
  if (!s) return nullptr;
  int depth = 0;
  if (!ReadInfo(source, s, infoSize, offBits, palette)) goto refuse;
  // A header cut short reads as zeros: refuse it rather than decode by them.
  if (GUI_RWtell(source) - start < 14 + static_cast<int>(infoSize == kCoreHeader ? kCoreHeader : kInfoHeader))
    goto refuse;
  depth = s->bitsPerPixel == 16 || s->compression == kBitFields ? 24 : s->bitsPerPixel;
  if (!DescribeImage(image, s->width, s->height, depth)) goto refuse;
  image->frames = 1;
  image->flags |= MYBMP_TYPE_BGR | MYBMP_FLOW_DOWN | (depth == 32 ? MYBMP_RGBSIZE_4 : MYBMP_RGBSIZE_3);
  s->dataStart = start + static_cast<int>(offBits);
  return s;
refuse:
  delete s;
  return nullptr;
}

int BmpLoad(GUI_RWops* source, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  auto* s = static_cast<BmpState*>(state);
  if (s->compression > kBitFields) return ERR_BMP_OTHER;
  // Headers may leave a gap before the pixels; offBits says where they are.
  if (GUI_RWtell(source) < s->dataStart) GUI_RWseek(source, s->dataStart, GUI_RW_SEEK_SET);
  const bool rle = s->compression == kRle8 || s->compression == kRle4;
  for (uint32_t i = 0; i < s->height; ++i) {
    const uint32_t rowIndex = s->height - 1 - i;
    uint8_t* row = RowOf(image, rowIndex);
    bool ok = true;
    RowEnd end = RowEnd::kRow;
    if (rle) {
      std::memset(row, 0, image->pitch);
      end = ReadRleRow(source, *s, row);
      ok = end != RowEnd::kFail;
    } else if (s->compression == kBitFields) {
      ok = ReadBitFieldRow(source, *s, row);
    } else if (s->bitsPerPixel == 16) {
      ok = Read16Row(source, *s, row);
    } else {
      ok = ReadRow(source, row, image->pitch);
    }
    if (!ok) {
      // A short or broken row shows as zeros, never as what the buffer held.
      std::memset(row, 0, image->pitch);
      return ERR_BMP_OTHER;
    }
    if (cb) cb(ctx, image, static_cast<int>(rowIndex));
    if (end == RowEnd::kImage) break;
  }
  return 0;
}

void BmpCleanup(void* state) { delete static_cast<BmpState*>(state); }

int BmpSave(GUI_RWops* destination, MyBitmap* image, GalColor* palette) {
  const int depth = image->depth;
  const uint32_t w = image->w, h = image->h;
  int fileBits, colors;
  uint32_t rowBytes;
  if (depth == 4) {
    fileBits = 4, colors = 16, rowBytes = ((w + 1) / 2 + 3) & ~3u;
  } else if (depth == 8) {
    fileBits = 8, colors = 256, rowBytes = (w + 3) & ~3u;
  } else if (depth == 15 || depth == 16 || depth == 24 || depth == 32) {
    fileBits = 24, colors = 0, rowBytes = (w * 3 + 3) & ~3u;
  } else {
    return ERR_BMP_NOT_SUPPORTED;
  }
  std::vector<uint8_t> row;
  try {
    row.resize(rowBytes);
  } catch (...) {
    return ERR_BMP_MEM;
  }
  const uint32_t offBits = 54 + 4 * colors;
  WriteLE(destination, kBmpType, 2);
  WriteLE(destination, offBits + rowBytes * h, 4);
  WriteLE(destination, 0, 2);
  WriteLE(destination, 0, 2);
  WriteLE(destination, offBits, 4);
  WriteLE(destination, kInfoHeader, 4);
  WriteLE(destination, w, 4);
  WriteLE(destination, h, 4);
  WriteLE(destination, 1, 2);
  WriteLE(destination, fileBits, 2);
  WriteLE(destination, 0, 4);
  WriteLE(destination, rowBytes * h, 4);
  WriteLE(destination, 0, 4);
  WriteLE(destination, 0, 4);
  WriteLE(destination, colors, 4);
  WriteLE(destination, colors, 4);
  for (int i = 0; i < colors; ++i) {
    const GalColor c = palette ? palette[i] : GalColor{};
    const uint8_t e[4] = {c.b, c.g, c.r, 0};
    GUI_RWwrite(destination, e, 1, 4);
  }
  const int deviceDepth = GetDeviceColorDepth();
  const int bytesPerPixel = depth <= 16 && depth > 8 ? 2 : depth == 24 ? 3 : 4;
  for (uint32_t i = 0; i < h; ++i) {
    const uint8_t* src = image->bits + static_cast<size_t>(h - 1 - i) * image->pitch;
    std::memset(row.data(), 0, rowBytes);
    if (depth == 4) {
      for (uint32_t x = 0; x < w; ++x) PutNibble(row.data(), x, src[x] & 0xF);
    } else if (depth == 8) {
      std::memcpy(row.data(), src, w);
    } else {
      for (uint32_t x = 0; x < w; ++x)
        PixelToBgr(src + x * bytesPerPixel, depth, deviceDepth, row.data() + x * 3);
    }
    GUI_RWwrite(destination, row.data(), 1, static_cast<int>(rowBytes));
  }
  return 0;
}

}  // namespace gui::image

// GIF files: the first image of the file, LZW-decoded into an 8-bit palette
// image, interlaced or not, with the transparent index of a graphic control
// block.
#include <cstring>
#include <new>

#include "gdi/image/image_internal.h"

namespace gui::image {
namespace {

constexpr int kMaxCodes = 4096;
constexpr int kStackSize = 8192;

struct LzwState {
  int codeSize = 0, clearCode = 0, endCode = 0, nextCode = 0, limit = 0;
  int firstCode = 0, oldCode = 0;
  bool fresh = true;
  uint16_t prefix[kMaxCodes] = {};
  uint8_t suffix[kMaxCodes] = {};
  uint8_t stack[kStackSize] = {};
  int top = 0;
  // Bit reader over the concatenated data blocks.
  uint8_t block[280] = {};
  int curBit = 0, lastBit = 0, lastByte = 2;
  bool done = false;
};

struct GifState {
  uint8_t map[3][256] = {};
  int globalSize = 0;
  int mapSize = 0;  // entries of the map in use
  int transparent = -1;
  uint32_t width = 0, height = 0;
  bool interlaced = false;
  bool zeroBlock = false;
  LzwState lzw;
};

bool ReadBytes(GUI_RWops* src, void* buffer, int n) { return GUI_RWread(src, buffer, 1, n) == n; }

// A data block into buf; its length, 0 at a terminator, -1 on a failed read.
int ReadBlock(GUI_RWops* src, GifState* s, uint8_t* buf) {
  const int n = GUI_RWgetc(src);
  if (n < 0) return -1;
  if (n == 0) {
    s->zeroBlock = true;
    return 0;
  }
  return ReadBytes(src, buf, n) ? n : -1;
}

bool SkipBlocks(GUI_RWops* src, GifState* s) {
  uint8_t buf[256];
  int n;
  while ((n = ReadBlock(src, s, buf)) > 0) {
  }
  return n == 0;
}

bool ReadColorMap(GUI_RWops* src, GifState* s, int entries) {
  for (int i = 0; i < entries; ++i) {
    uint8_t rgb[3];
    if (!ReadBytes(src, rgb, 3)) return false;
    s->map[0][i] = rgb[0], s->map[1][i] = rgb[1], s->map[2][i] = rgb[2];
  }
  return true;
}

bool ReadGraphicControl(GUI_RWops* src, GifState* s) {
  uint8_t buf[256] = {};
  const int n = ReadBlock(src, s, buf);
  if (n < 0) return false;
  if (n >= 4 && (buf[0] & 1)) s->transparent = buf[3];
  return SkipBlocks(src, s);
}

// Scans to the first image descriptor, skipping extension blocks sub-block
// by sub-block so that their data is never taken for a descriptor.
bool FindImage(GUI_RWops* src, GifState* s) {
  for (;;) {
    const int c = GUI_RWgetc(src);
    if (c < 0 || c == ';') return false;
    if (c == ',') return true;
    if (c != '!') continue;
    const int label = GUI_RWgetc(src);
    if (label < 0) return false;
    const bool ok = label == 0xF9 ? ReadGraphicControl(src, s) : SkipBlocks(src, s);
    if (!ok) return false;
  }
}

int GetCode(GUI_RWops* src, GifState* s) {
  LzwState& z = s->lzw;
  if (z.curBit + z.codeSize >= z.lastBit) {
    if (z.done) return -1;
    z.block[0] = z.block[z.lastByte - 2];
    z.block[1] = z.block[z.lastByte - 1];
    const int n = ReadBlock(src, s, z.block + 2);
    if (n <= 0) z.done = true;
    const int got = n > 0 ? n : 0;
    z.lastByte = 2 + got;
    z.curBit = z.curBit - z.lastBit + 16;
    z.lastBit = (2 + got) * 8;
    if (z.curBit + z.codeSize > z.lastBit) return -1;
  }
  int code = 0;
  for (int i = z.curBit, j = 0; j < z.codeSize; ++i, ++j)
    code |= ((z.block[i / 8] >> (i % 8)) & 1) << j;
  z.curBit += z.codeSize;
  return code;
}

void ResetTables(LzwState& z, int minSize) {
  z.codeSize = minSize + 1;
  z.clearCode = 1 << minSize;
  z.endCode = z.clearCode + 1;
  z.limit = 2 * z.clearCode;
  z.nextCode = z.clearCode + 2;
  std::memset(z.prefix, 0, sizeof z.prefix);
  std::memset(z.suffix, 0, sizeof z.suffix);
  for (int i = 0; i < z.clearCode; ++i) z.suffix[i] = static_cast<uint8_t>(i);
  z.top = 0;
}

// The first code after a start or a clear code.
int FirstCode(GUI_RWops* src, GifState* s) {
  LzwState& z = s->lzw;
  int code;
  do code = GetCode(src, s);
  while (code == z.clearCode);
  if (code < 0 || code == z.endCode) return -2;
  z.firstCode = z.oldCode = code;
  return code;
}

int LzwValue(GUI_RWops* src, GifState* s, int minSize) {
  LzwState& z = s->lzw;
  if (z.fresh) {
    z.fresh = false;
    return FirstCode(src, s);
  }
  if (z.top > 0) return z.stack[--z.top];
  const int code = GetCode(src, s);
  if (code < 0) return -1;
  if (code == z.clearCode) {
    ResetTables(z, minSize);
    return FirstCode(src, s);
  }
  if (code == z.endCode) {
    if (!s->zeroBlock) SkipBlocks(src, s);
    return -2;
  }
  int walk = code;
  if (walk >= z.nextCode) {
    // A code not yet defined may only be the next one.
    if (walk > z.nextCode) return -1;
    z.stack[z.top++] = static_cast<uint8_t>(z.firstCode);
    walk = z.oldCode;
  }
  while (walk >= z.clearCode) {
    // A chain longer than the stack or a code that is its own prefix is a
    // broken table.
    if (z.top >= kStackSize - 1 || walk == z.prefix[walk]) return -1;
    z.stack[z.top++] = z.suffix[walk];
    walk = z.prefix[walk];
  }
  z.firstCode = z.suffix[walk];
  z.stack[z.top++] = static_cast<uint8_t>(z.firstCode);
  if (z.nextCode < kMaxCodes) {
    z.prefix[z.nextCode] = static_cast<uint16_t>(z.oldCode);
    z.suffix[z.nextCode] = static_cast<uint8_t>(z.firstCode);
    ++z.nextCode;
    if (z.nextCode >= z.limit && z.limit < kMaxCodes) {
      z.limit *= 2;
      ++z.codeSize;
    }
  }
  z.oldCode = code;
  return z.stack[--z.top];
}

}  // namespace

BOOL GifCheck(GUI_RWops* source) {
  char sig[6];
  if (!ReadBytes(source, sig, 6)) return FALSE;
  return std::memcmp(sig, "GIF87a", 6) == 0 || std::memcmp(sig, "GIF89a", 6) == 0;
}

void* GifInit(GUI_RWops* source, MyBitmap* image, GalColor* palette) {
  if (!GifCheck(source)) return nullptr;
  auto* s = new (std::nothrow) GifState{};
  if (!s) return nullptr;
  uint8_t screen[7];
  uint8_t desc[9];
  bool ok = ReadBytes(source, screen, 7);
  if (ok) {
    s->globalSize = 2 << (screen[4] & 7);
    if (screen[4] & 0x80) ok = ReadColorMap(source, s, s->globalSize);
  }
  ok = ok && FindImage(source, s) && ReadBytes(source, desc, 9);
  if (ok) {
    s->width = desc[4] | (desc[5] << 8);
    s->height = desc[6] | (desc[7] << 8);
    s->interlaced = desc[8] & 0x40;
    s->mapSize = s->globalSize;
    if (desc[8] & 0x80) {
      std::memset(s->map, 0, sizeof s->map);
      s->mapSize = 1 << ((desc[8] & 7) + 1);
      ok = ReadColorMap(source, s, s->mapSize);
    }
  }
  ok = ok && DescribeImage(image, s->width, s->height, 8);
  if (!ok) {
    delete s;
    return nullptr;
  }
  // The whole map in use: a local map larger than the global table size
  // would otherwise lose its upper colours.
  if (palette)
    for (int i = 0; i < s->mapSize; ++i)
      palette[i] = GalColor{s->map[0][i], s->map[1][i], s->map[2][i], 0};
  image->frames = 1;
  image->flags |= MYBMP_FLOW_DOWN;
  if (s->transparent >= 0) {
    image->flags |= MYBMP_TRANSPARENT;
    image->transparent = static_cast<uint32_t>(s->transparent);
  }
  return s;
}

int GifLoad(GUI_RWops* source, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  auto* s = static_cast<GifState*>(state);
  const int minSize = GUI_RWgetc(source);
  // Code sizes above 11 bits cannot grow within the 12-bit table.
  if (minSize < 0) return ERR_BMP_LOAD;
  if (minSize < 1 || minSize > 11) return 0;
  s->lzw = LzwState{};
  ResetTables(s->lzw, minSize);
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  uint32_t x = 0, y = 0;
  int pass = 0;
  int v;
  while ((v = LzwValue(source, s, minSize)) >= 0) {
    RowOf(image, y)[x] = static_cast<uint8_t>(v);
    if (++x < s->width) continue;
    x = 0;
    if (cb) cb(ctx, image, static_cast<int>(y));
    if (!s->interlaced) {
      if (++y >= s->height) break;
      continue;
    }
    y += kStep[pass];
    while (y >= s->height) {
      if (++pass > 3) return 0;
      y = kStart[pass];
    }
  }
  return 0;
}

void GifCleanup(void* state) { delete static_cast<GifState*>(state); }

}  // namespace gui::image

// Fonts shared by the text benchmarks: a configuration reader naming one raw
// bitmap font (from the generated resources beside the executable) and the
// DejaVu TrueType face, and that face opened straight through FreeType for
// the baselines.
#pragma once

#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "gdi/text/devfont_load.h"
#include "gui/config.h"
#include "gui/font.h"

namespace benchfonts {

constexpr char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kPixels = 16;

// The generated fonts sit beside the executable's folder.
inline std::string ResourceFont(const char* file) {
  char exe[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string(".");
  dir = dir.substr(0, dir.rfind('/'));
  return dir + "/../guiRes/rirurRes/font/" + file;
}

inline int ReadValue(const char* section, const char* key, char* value, int len) {
  static const std::string rawFile = ResourceFont("iso8859-1-8x16.bin");
  std::string s = section, k = key;
  const char* answer = nullptr;
  if (k == "font_number") answer = "1";
  if (s == "rawbitmapfonts" && k == "name0") answer = "rbf-fixed-rrncnn-8-16-ISO8859-1";
  if (s == "rawbitmapfonts" && k == "fontfile0") answer = rawFile.c_str();
  if (s == "truetypefonts" && k == "name0") answer = "ttf-dejavu-rrncnn-0-0-ISO8859-1";
  if (s == "truetypefonts" && k == "fontfile0") answer = kDejaVu;
  if (!answer) return ETC_NO_KEY;
  std::snprintf(value, static_cast<size_t>(len) + 1, "%s", answer);
  return ETC_OK;
}

// Loads both fonts that ReadValue names; false when either is missing.
inline bool LoadBothFonts() {
  return devfont::LoadRawBitmapFontsFrom(ReadValue) && devfont::LoadTrueTypeFontsFrom(ReadValue);
}

// Logical fonts of kPixels on the two loaded fonts.
inline LogFont* CreateRawFont() {
  return CreateLogFont("rbf", "fixed", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', kPixels, 0);
}
inline LogFont* CreateTrueTypeFont() {
  return CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', kPixels, 0);
}

// The DejaVu face at kPixels, opened by FreeType alone, for the run of one
// baseline.
class FreeTypeFace {
 public:
  FreeTypeFace() {
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      return;
    }
    if (FT_New_Face(library_, kDejaVu, 0, &face_) != 0) {
      face_ = nullptr;
      return;
    }
    FT_Set_Pixel_Sizes(face_, kPixels, kPixels);
  }
  ~FreeTypeFace() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
  }
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  bool ok() const { return face_ != nullptr; }

  // Loads and renders one character's glyph with nothing cached; answers the
  // bits so the caller can keep the work from being optimised away.
  const unsigned char* Render(unsigned char ch) {
    FT_Load_Char(face_, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
    return face_->glyph->bitmap.buffer;
  }
  FT_GlyphSlot Slot() const { return face_->glyph; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// The DejaVu face at kPixels behind FreeType's own glyph cache (small
// bitmaps, mono), for the cached baselines.
class FreeTypeCache {
 public:
  FreeTypeCache() {
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      return;
    }
    if (FTC_Manager_New(library_, 1, 1, 0, Requester, nullptr, &manager_) != 0 ||
        FTC_SBitCache_New(manager_, &sbits_) != 0 || FTC_CMapCache_New(manager_, &cmaps_) != 0)
      sbits_ = nullptr;
  }
  ~FreeTypeCache() {
    if (manager_) FTC_Manager_Done(manager_);
    if (library_) FT_Done_FreeType(library_);
  }
  FreeTypeCache(const FreeTypeCache&) = delete;
  FreeTypeCache& operator=(const FreeTypeCache&) = delete;

  bool ok() const { return sbits_ != nullptr; }

  // The cached small bitmap of a character (rendered on the first ask).
  FTC_SBit Glyph(unsigned char ch) {
    const FT_UInt index = FTC_CMapCache_Lookup(cmaps_, FaceId(), 0, ch);
    FTC_ImageTypeRec type{};
    type.face_id = FaceId();
    type.width = kPixels;
    type.height = kPixels;
    type.flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
    FTC_SBit sbit = nullptr;
    FTC_SBitCache_Lookup(sbits_, &type, index, &sbit, nullptr);
    return sbit;
  }

 private:
  static FTC_FaceID FaceId() { return reinterpret_cast<FTC_FaceID>(const_cast<char*>(kDejaVu)); }
  static FT_Error Requester(FTC_FaceID, FT_Library library, FT_Pointer, FT_Face* face) {
    return FT_New_Face(library, kDejaVu, 0, face);
  }
  FT_Library library_ = nullptr;
  FTC_Manager manager_ = nullptr;
  FTC_SBitCache sbits_ = nullptr;
  FTC_CMapCache cmaps_ = nullptr;
};

// Fills a box of a 32-bit buffer: a character cell's background, as a text
// line drawn over an opaque background lays it under each glyph.
inline void FillCell(uint32_t* pixels, int stride, int x, int y, int width, int rows, uint32_t color) {
  for (int r = 0; r < rows; ++r) std::fill_n(pixels + static_cast<ptrdiff_t>(y + r) * stride + x, width, color);
}

// Sets the pixels of a mono bitmap (rows of `pitch` bytes, most significant
// bit first) in a 32-bit buffer at x, y, the way a text line is drawn.
inline void PutMono(uint32_t* pixels, int stride, int x, int y, const unsigned char* bits, int width, int rows,
                    int pitch, uint32_t color) {
  for (int r = 0; r < rows; ++r) {
    uint32_t* out = pixels + static_cast<ptrdiff_t>(y + r) * stride + x;
    const unsigned char* row = bits + static_cast<ptrdiff_t>(r) * pitch;
    for (int c = 0; c < width; ++c)
      if (row[c >> 3] & (0x80 >> (c & 7))) out[c] = color;
  }
}

}  // namespace benchfonts

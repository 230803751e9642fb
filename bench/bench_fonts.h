// Fonts shared by the text benchmarks: a configuration reader naming one raw
// bitmap font (from the generated resources beside the executable) and the
// DejaVu TrueType face, and that face opened straight through FreeType for
// the baselines.
#pragma once

#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H

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

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace benchfonts

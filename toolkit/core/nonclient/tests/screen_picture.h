// Pictures of the screen for the screenshot tests: read back from the
// screen DC and compared with reference PNG files at zero tolerance.
//
// GUI_UPDATE_REFERENCES=1 writes the reference anew instead of comparing
// (make update-references).
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/dc.h"

namespace guitest {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

inline Picture Grab(const Rect& r) {
  Picture p{r.right - r.left, r.bottom - r.top, {}};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      uint8_t red = 0, green = 0, blue = 0;
      GetPixelRGB(HDC_SCREEN, x, y, &red, &green, &blue);
      p.rgb.insert(p.rgb.end(), {red, green, blue});
    }
  return p;
}

inline bool WritePng(const std::string& path, const Picture& p) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, p.width, p.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < p.height; ++y) png_write_row(png, p.rgb.data() + static_cast<size_t>(y) * p.width * 3);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

inline bool ReadPng(const std::string& path, Picture* p) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  p->width = static_cast<int>(image.width);
  p->height = static_cast<int>(image.height);
  p->rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, p->rgb.data(), 0, nullptr) != 0;
}

// The reference beside the test source: <folder of file>/data/<name>.
inline std::string ReferencePath(const std::string& sourceFile, const char* name) {
  return sourceFile.substr(0, sourceFile.rfind('/')) + "/data/" + name;
}

// Writes the reference when asked to, else compares with it pixel for pixel.
inline void MatchReference(const Picture& shot, const std::string& path) {
  ASSERT_GT(shot.width, 0);
  const char* update = std::getenv("GUI_UPDATE_REFERENCES");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(WritePng(path, shot)) << path;
    return;
  }
  Picture reference;
  ASSERT_TRUE(ReadPng(path, &reference)) << path << " (make update-references writes it)";
  ASSERT_EQ(reference.width, shot.width);
  ASSERT_EQ(reference.height, shot.height);
  size_t differing = 0;
  for (size_t i = 0; i < reference.rgb.size(); ++i) differing += reference.rgb[i] != shot.rgb[i];
  if (differing == 0) return;
  // Kept for a look at what differed: a rare mismatch is hard to reproduce.
  const std::string base = path.substr(path.rfind('/') + 1);
  const char* tmp = std::getenv("TMPDIR");
  const std::string actual = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + std::to_string(::getpid()) + "-" + base;
  WritePng(actual, shot);
  ADD_FAILURE() << path << ": " << differing << " channel values differ (this run's picture: " << actual << ")";
}

}  // namespace guitest

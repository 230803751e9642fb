// A small RGB image and its writer as an uncompressed 24-bit BMP file
// (40-byte information header, rows from the last to the first).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r, g, b;
};

class Image {
 public:
  Image(int w, int h, Rgb fill = {0, 0, 0});
  int Width() const { return w_; }
  int Height() const { return h_; }
  void Set(int x, int y, Rgb c);
  Rgb At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  void FillRect(int x, int y, int w, int h, Rgb c);
  void FrameRect(int x, int y, int w, int h, Rgb c);
  // Rows blend from top to bottom colour.
  void Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
  bool WriteBmp(const std::string& path) const;

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};

// A named skin and how to draw it; each family file registers its own.
struct Skin {
  std::string file;  // without the ".bmp"
  Image (*make)();
};

std::vector<Skin>& SkinRegistry();

struct SkinFamily {
  explicit SkinFamily(std::initializer_list<Skin> skins) {
    for (const Skin& s : skins) SkinRegistry().push_back(s);
  }
};

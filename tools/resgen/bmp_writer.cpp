#include "bmp_writer.h"

#include <cstdio>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint8_t Mix(uint8_t a, uint8_t b, int i, int n) { return static_cast<uint8_t>(a + (b - a) * i / (n > 1 ? n - 1 : 1)); }

}  // namespace

Image::Image(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

void Image::Set(int x, int y, Rgb c) {
  if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Image::FillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Image::FrameRect(int x, int y, int w, int h, Rgb c) {
  FillRect(x, y, w, 1, c);
  FillRect(x, y + h - 1, w, 1, c);
  FillRect(x, y, 1, h, c);
  FillRect(x + w - 1, y, 1, h, c);
}

void Image::Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j)
    FillRect(x, y + j, w, 1, Rgb{Mix(top.r, bottom.r, j, h), Mix(top.g, bottom.g, j, h), Mix(top.b, bottom.b, j, h)});
}

std::vector<Skin>& SkinRegistry() {
  static std::vector<Skin> skins;
  return skins;
}

bool Image::WriteBmp(const std::string& path) const {
  const uint32_t row = static_cast<uint32_t>((w_ * 3 + 3) & ~3);
  const uint32_t data = row * static_cast<uint32_t>(h_);
  std::vector<uint8_t> out;
  Put16(out, 0x4D42);
  Put32(out, 14 + 40 + data);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(w_));
  Put32(out, static_cast<uint32_t>(h_));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);  // compression, sizes, resolutions, colours
  for (int y = h_ - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < w_; ++x) {
      Rgb c = At(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    out.resize(start + row, 0);
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

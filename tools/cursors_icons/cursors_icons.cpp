// Generates the toolkit's system cursor files (32 x 32, 1 bit, AND mask and
// XOR image, rows bottom-up) and its system icon files (16 x 16 and 32 x 32
// images of 16 colours each) from shapes described here.
//   cursors_icons <cursor dir> <icon dir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Shape = std::function<bool(double x, double y)>;  // inside, in 0..1 units

struct P {
  double x, y;
};

double SegmentDistance(P p, P a, P b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

Shape Line(P a, P b, double half) {
  return [=](double x, double y) { return SegmentDistance({x, y}, a, b) <= half; };
}

Shape Polygon(std::vector<P> pts) {
  return [=](double x, double y) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const P& a = pts[i];
      const P& b = pts[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  };
}

Shape Disc(P c, double r) {
  return [=](double x, double y) { return (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) <= r * r; };
}

Shape Ring(P c, double r, double half) {
  return [=](double x, double y) {
    return std::fabs(std::sqrt((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y)) - r) <= half;
  };
}

Shape Union(std::vector<Shape> parts) {
  return [=](double x, double y) {
    for (const Shape& s : parts)
      if (s(x, y)) return true;
    return false;
  };
}

// A double-headed arrow from a to b.
Shape DoubleArrow(P a, P b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
  const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
  const double head = 6, wide = 5;
  auto tip = [&](P t, double sx, double sy) {
    return Polygon({t, {t.x + sx * head + nx * wide, t.y + sy * head + ny * wide},
                    {t.x + sx * head - nx * wide, t.y + sy * head - ny * wide}});
  };
  return Union({Line(a, b, 1.2), tip(a, ux, uy), tip(b, -ux, -uy)});
}

// ---- cursors ----

struct CursorDef {
  const char* file;
  int hotX, hotY;
  Shape shape;
};

std::vector<CursorDef> Cursors() {
  const Shape arrow = Polygon({{0.5, 0.5}, {0.5, 21}, {5.5, 16.5}, {9, 24.5}, {12, 23}, {8.5, 15}, {15, 15}});
  return {
      {"arrow.cur", 0, 0, arrow},
      {"ibeam.cur", 15, 15, Union({Line({15.5, 4}, {15.5, 27}, 1), Line({11, 4}, {20, 4}, 1),
                                   Line({11, 27}, {20, 27}, 1)})},
      {"cross.cur", 15, 15, Union({Line({15.5, 3}, {15.5, 28}, 1), Line({3, 15.5}, {28, 15.5}, 1)})},
      {"hand.cur", 9, 1, Union({Line({9.5, 2}, {9.5, 16}, 2), Polygon({{6, 13}, {22, 13}, {22, 24}, {18, 29}, {10, 29}, {6, 22}})})},
      {"move.cur", 15, 15, Union({DoubleArrow({15.5, 2}, {15.5, 29}), DoubleArrow({2, 15.5}, {29, 15.5})})},
      {"size_nwse.cur", 15, 15, DoubleArrow({5, 5}, {26, 26})},
      {"size_nesw.cur", 15, 15, DoubleArrow({26, 5}, {5, 26})},
      {"size_we.cur", 15, 15, DoubleArrow({2, 15.5}, {29, 15.5})},
      {"size_ns.cur", 15, 15, DoubleArrow({15.5, 2}, {15.5, 29})},
      {"up_arrow.cur", 15, 2, Union({Polygon({{15.5, 1}, {25, 12}, {6, 12}}), Line({15.5, 10}, {15.5, 29}, 2)})},
      {"no.cur", 15, 15, Union({Ring({15.5, 15.5}, 11, 2), Line({8, 8}, {23, 23}, 2)})},
      {"split_v.cur", 15, 15, Union({DoubleArrow({2, 15.5}, {29, 15.5}), Line({13.5, 6}, {13.5, 25}, 1), Line({17.5, 6}, {17.5, 25}, 1)})},
      {"split_h.cur", 15, 15, Union({DoubleArrow({15.5, 2}, {15.5, 29}), Line({6, 13.5}, {25, 13.5}, 1), Line({6, 17.5}, {25, 17.5}, 1)})},
      {"busy.cur", 15, 15, Union({Polygon({{7, 3}, {24, 3}, {16.5, 15.5}, {24, 28}, {7, 28}, {14.5, 15.5}}),
                                  Line({6, 2.5}, {25, 2.5}, 1), Line({6, 28.5}, {25, 28.5}, 1)})},
  };
}

void Le(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// 32 x 32: inside pixels next to an outside one are black, the rest of the
// inside white, outside transparent.
std::vector<uint8_t> CursorFile(const CursorDef& c) {
  constexpr int kSide = 32;
  auto in = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < kSide && y < kSide && c.shape(x + 0.5, y + 0.5);
  };
  uint8_t andRows[kSide][4] = {}, xorRows[kSide][4] = {};
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      if (!in(x, y)) {
        andRows[y][x / 8] |= bit;
        continue;
      }
      const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
      if (!edge) xorRows[y][x / 8] |= bit;
    }
  std::vector<uint8_t> out;
  Le(out, 0, 2);
  Le(out, 2, 2);  // cursor file
  Le(out, 1, 2);
  out.push_back(kSide);
  out.push_back(kSide);
  out.push_back(2);
  out.push_back(0);
  Le(out, static_cast<uint32_t>(c.hotX), 2);
  Le(out, static_cast<uint32_t>(c.hotY), 2);
  Le(out, 40 + 8 + 256, 4);
  Le(out, 22, 4);
  Le(out, 40, 4);
  Le(out, kSide, 4);
  Le(out, kSide * 2, 4);
  Le(out, 1, 2);
  Le(out, 1, 2);
  Le(out, 0, 4);
  Le(out, 256, 4);
  for (int i = 0; i < 4; ++i) Le(out, 0, 4);
  Le(out, 0x000000, 4);
  Le(out, 0xFFFFFF, 4);
  for (int y = kSide - 1; y >= 0; --y) out.insert(out.end(), xorRows[y], xorRows[y] + 4);
  for (int y = kSide - 1; y >= 0; --y) out.insert(out.end(), andRows[y], andRows[y] + 4);
  return out;
}

// ---- icons ----

// Indices into the standard 16-colour table.
enum Color : uint8_t { kBlack = 0, kNavy = 4, kGrey = 7, kDarkGrey = 8, kRed = 9, kGreen = 10,
                       kYellow = 11, kBlue = 12, kWhite = 15, kNone = 255 };

struct Layer {
  Shape shape;
  Color color;
};

struct IconDef {
  const char* file;
  std::vector<Layer> layers;  // in 0..32 units, the last that covers a pixel wins
};

std::vector<IconDef> Icons() {
  const P c{16, 16};
  return {
      {"application.ico",
       {{Polygon({{2, 4}, {30, 4}, {30, 28}, {2, 28}}), kDarkGrey},
        {Polygon({{4, 10}, {28, 10}, {28, 26}, {4, 26}}), kWhite},
        {Polygon({{4, 5.5}, {28, 5.5}, {28, 8.5}, {4, 8.5}}), kNavy}}},
      {"information.ico",
       {{Disc(c, 14), kBlue}, {Disc({16, 9}, 2.5), kWhite}, {Line({16, 14}, {16, 24}, 2.2), kWhite}}},
      {"question.ico",
       {{Disc(c, 14), kGreen},
        {Union({Ring({16, 11.5}, 5, 1.8), Line({16, 16.5}, {16, 20}, 1.8)}), kWhite},
        {Polygon({{10, 11.5}, {16, 11.5}, {16, 17}, {10, 17}}), kNone},
        {Disc({16, 24.5}, 2), kWhite}}},
      {"warning.ico",
       {{Polygon({{16, 2}, {31, 29}, {1, 29}}), kYellow},
        {Line({16, 10}, {16, 20}, 2), kBlack},
        {Disc({16, 25}, 2), kBlack}}},
      {"error.ico",
       {{Disc(c, 14), kRed}, {Union({Line({10, 10}, {22, 22}, 2.2), Line({22, 10}, {10, 22}, 2.2)}), kWhite}}},
  };
}

constexpr uint8_t kPalette16[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

// One image of side s: header, palette, XOR rows, AND rows (bottom-up).
std::vector<uint8_t> IconImage(const IconDef& icon, int s) {
  const int xorRow = (s / 2 + 3) & ~3, andRow = (s / 8 + 3) & ~3;
  std::vector<uint8_t> xorBits(static_cast<size_t>(xorRow) * s), andBits(static_cast<size_t>(andRow) * s);
  for (int y = 0; y < s; ++y)
    for (int x = 0; x < s; ++x) {
      const double ux = (x + 0.5) * 32.0 / s, uy = (y + 0.5) * 32.0 / s;
      uint8_t color = kNone;
      for (const Layer& l : icon.layers)
        if (l.shape(ux, uy)) color = l.color == kNone ? icon.layers.front().color : l.color;
      const int row = s - 1 - y;
      if (color == kNone) {
        andBits[static_cast<size_t>(row) * andRow + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        color = 0;
      }
      uint8_t& b = xorBits[static_cast<size_t>(row) * xorRow + x / 2];
      b |= (x & 1) ? color : static_cast<uint8_t>(color << 4);
    }
  std::vector<uint8_t> out;
  Le(out, 40, 4);
  Le(out, static_cast<uint32_t>(s), 4);
  Le(out, static_cast<uint32_t>(s * 2), 4);
  Le(out, 1, 2);
  Le(out, 4, 2);
  Le(out, 0, 4);
  Le(out, static_cast<uint32_t>(xorBits.size() + andBits.size()), 4);
  for (int i = 0; i < 4; ++i) Le(out, 0, 4);
  for (const auto& c : kPalette16) {
    out.push_back(c[2]);
    out.push_back(c[1]);
    out.push_back(c[0]);
    out.push_back(0);
  }
  out.insert(out.end(), xorBits.begin(), xorBits.end());
  out.insert(out.end(), andBits.begin(), andBits.end());
  return out;
}

// Image 0 is the small (16 x 16) icon, image 1 the large (32 x 32) one.
std::vector<uint8_t> IconFile(const IconDef& icon) {
  const int sides[2] = {16, 32};
  std::vector<uint8_t> images[2] = {IconImage(icon, 16), IconImage(icon, 32)};
  std::vector<uint8_t> out;
  Le(out, 0, 2);
  Le(out, 1, 2);
  Le(out, 2, 2);
  uint32_t offset = 6 + 16 * 2;
  for (int i = 0; i < 2; ++i) {
    out.push_back(static_cast<uint8_t>(sides[i]));
    out.push_back(static_cast<uint8_t>(sides[i]));
    out.push_back(16);
    out.push_back(0);
    Le(out, 1, 2);
    Le(out, 4, 2);
    Le(out, static_cast<uint32_t>(images[i].size()), 4);
    Le(out, offset, 4);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <cursor dir> <icon dir>\n", argv[0]);
    return 2;
  }
  for (const CursorDef& c : Cursors())
    if (!WriteFile(std::string(argv[1]) + "/" + c.file, CursorFile(c))) return 1;
  for (const IconDef& i : Icons())
    if (!WriteFile(std::string(argv[2]) + "/" + i.file, IconFile(i))) return 1;
  return 0;
}

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gdi/dc/tests/dc_test_support.h"
#include "gui/dc.h"
#include "gui/layout.h"
#include "layout_test_helpers.h"

namespace layout_test {
namespace {

class LayoutBitmapsThreadTest : public LayoutTest {};

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A 24-bit picture one row high, every pixel of one colour.
void WriteBmp(const std::string& path, int width, uint8_t r, uint8_t g, uint8_t b) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  std::vector<uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  PutLE(file, 54 + rowBytes, 4);
  PutLE(file, 0, 4);
  PutLE(file, 54, 4);
  PutLE(file, 40, 4);
  PutLE(file, static_cast<uint32_t>(width), 4);
  PutLE(file, 1, 4);
  PutLE(file, 1, 2);
  PutLE(file, 24, 2);
  PutLE(file, 0, 4);
  PutLE(file, rowBytes, 4);
  for (int i = 0; i < 4; ++i) PutLE(file, 0, 4);
  for (int x = 0; x < width; ++x) {
    file.push_back(b);
    file.push_back(g);
    file.push_back(r);
  }
  file.resize(54 + rowBytes, 0);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
}

uint32_t ColourOf(int i) {
  return static_cast<uint32_t>(i & 0xFF) << 16 | static_cast<uint32_t>(255 - (i & 0xFF)) << 8 |
         static_cast<uint32_t>((i * 7) & 0xFF);
}

// The windows' and the menus' pictures are loaded on several threads at
// once: each must land whole in its own slot, the one its name looks up.
TEST_F(LayoutBitmapsThreadTest, ManyPicturesEachLandWholeInTheirOwnSlot) {
  auto screen = dctest::MakeSurface(8, 8, 4);
  ASSERT_TRUE(InitGDI(screen->get()));
  constexpr int kPictures = 150;
  std::string windowEntries = "BMPNUMBER=" + std::to_string(kPictures) + "\n";
  std::string menuEntries = "bmpnumber=" + std::to_string(kPictures + 1) + "\n";
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "p" + std::to_string(i);
    const uint32_t c = ColourOf(i);
    WriteBmp(Path(name + ".bmp"), i + 1, static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
             static_cast<uint8_t>(c));
    windowEntries += name + "=" + Path(name + ".bmp") + "\n";
    menuEntries += "m" + name + "=" + Path(name + ".bmp") + "\n";
  }
  std::string text = ReplaceLine(kTestLayout, "BMPNUMBER=1", windowEntries);
  text = ReplaceLine(text, "bmpnumber=1", menuEntries);
  UseMainLayout(text);
  const bool loaded = LoadLayoutRes();
  TerminateGDI();
  ASSERT_TRUE(loaded);
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "p" + std::to_string(i);
    for (const auto& [window, key] : {std::pair<const char*, std::string>{"setup", name}, {"popupmenu", "m" + name}}) {
      SCOPED_TRACE(std::string(window) + " " + key);
      Bitmap bitmap{};
      ASSERT_TRUE(GetWinBitmap(window, key.c_str(), &bitmap));
      ASSERT_EQ(bitmap.bmWidth, static_cast<uint32_t>(i + 1));
      ASSERT_EQ(bitmap.bmHeight, 1u);
      ASSERT_NE(bitmap.bmBits, nullptr);
      uint32_t last = 0;
      std::memcpy(&last, bitmap.bmBits + static_cast<size_t>(i) * 4, sizeof last);
      EXPECT_EQ(last & 0xFFFFFF, ColourOf(i));
    }
  }
}

}  // namespace
}  // namespace layout_test

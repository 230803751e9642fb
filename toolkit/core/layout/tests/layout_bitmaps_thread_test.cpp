#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
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

// The windows' and the menus' pictures are read when first asked for, by
// whichever thread asks first: threads asking for them all at once, each in
// its own order, must each get every picture whole, from its own file, and
// all the same copy of it (a picture is read once).
TEST_F(LayoutBitmapsThreadTest, PicturesAskedForOnSeveralThreadsAtOnceAreEachReadOnceAndWhole) {
  auto screen = dctest::MakeSurface(8, 8, 4);
  ASSERT_TRUE(InitGDI(screen->get()));
  constexpr int kPictures = 150, kThreads = 4;
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
  ASSERT_TRUE(LoadLayoutRes());
  // seen[thread][picture * 2 + menu]
  std::vector<std::vector<Bitmap>> seen(kThreads, std::vector<Bitmap>(kPictures * 2));
  std::vector<std::thread> askers;
  for (int t = 0; t < kThreads; ++t)
    askers.emplace_back([t, &seen] {
      for (int n = 0; n < kPictures; ++n) {
        const int i = t % 2 ? n : kPictures - 1 - n;
        const std::string name = "p" + std::to_string(i);
        GetWinBitmap("setup", name.c_str(), &seen[t][i * 2]);
        GetWinBitmap("popupmenu", ("m" + name).c_str(), &seen[t][i * 2 + 1]);
      }
    });
  for (std::thread& asker : askers) asker.join();
  for (int i = 0; i < kPictures; ++i)
    for (int menu = 0; menu < 2; ++menu) {
      SCOPED_TRACE("picture " + std::to_string(i) + (menu ? " of the menu" : " of the window"));
      const Bitmap& bitmap = seen[0][i * 2 + menu];
      ASSERT_EQ(bitmap.bmWidth, static_cast<uint32_t>(i + 1));
      ASSERT_EQ(bitmap.bmHeight, 1u);
      ASSERT_NE(bitmap.bmBits, nullptr);
      uint32_t last = 0;
      std::memcpy(&last, bitmap.bmBits + static_cast<size_t>(i) * 4, sizeof last);
      EXPECT_EQ(last & 0xFFFFFF, ColourOf(i));
      for (int t = 1; t < kThreads; ++t) EXPECT_EQ(seen[t][i * 2 + menu].bmBits, bitmap.bmBits) << "thread " << t;
    }
  TerminateLayout();
  TerminateGDI();
}

// A picture whose file is missing, cut short or no regular file is all zero
// for every thread that asks, and is warned of in one line however many ask.
TEST_F(LayoutBitmapsThreadTest, PicturesThatDoNotLoadAreEmptyAndWarnedOfOnce) {
  auto screen = dctest::MakeSurface(8, 8, 4);
  ASSERT_TRUE(InitGDI(screen->get()));
  WriteBmp(Path("cut.bmp"), 40, 1, 2, 3);
  ASSERT_EQ(::truncate(Path("cut.bmp").c_str(), 60), 0);
  ASSERT_EQ(::mkfifo(Path("fifo.bmp").c_str(), 0600), 0);
  const struct {
    const char* name;
    const char* why;
  } pictures[] = {{"missing", "is missing"}, {"cut", "is damaged or cut short"}, {"fifo", "is not a regular file"}};
  std::string entries = "BMPNUMBER=3\n";
  for (const auto& p : pictures) entries += std::string(p.name) + "=" + Path(std::string(p.name) + ".bmp") + "\n";
  UseMainLayout(ReplaceLine(kTestLayout, "BMPNUMBER=1", entries));
  ASSERT_TRUE(LoadLayoutRes());
  ::testing::internal::CaptureStderr();
  std::vector<std::thread> askers;
  for (int t = 0; t < 4; ++t)
    askers.emplace_back([&pictures] {
      for (const auto& p : pictures) {
        Bitmap bitmap{};
        bitmap.bmWidth = 99;
        EXPECT_EQ(GetWinBitmap("setup", p.name, &bitmap), TRUE);
        EXPECT_EQ(bitmap.bmBits, nullptr);
        EXPECT_EQ(bitmap.bmWidth, 0u);
      }
    });
  for (std::thread& asker : askers) asker.join();
  const std::string said = ::testing::internal::GetCapturedStderr();
  for (const auto& p : pictures) {
    const std::string line = "bitmap file \"" + Path(std::string(p.name) + ".bmp") + "\" (" + p.name + ") " + p.why +
                             "; it stays undrawn instead\n";
    EXPECT_EQ(said.find(line), said.rfind(line)) << said;
    EXPECT_NE(said.find(line), std::string::npos) << said;
  }
  TerminateLayout();
  TerminateGDI();
}

}  // namespace
}  // namespace layout_test

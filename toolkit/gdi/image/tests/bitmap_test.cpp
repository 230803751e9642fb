// Images into bitmaps of a 32-bit screen: loading by name, conversion
// rules, key colours, zooming, painting row by row, saving, icons and the
// file-type table with its data sources.
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "gdi/image/image_internal.h"
#include "gdi/image/tests/image_fixture.h"

namespace imagetest {
namespace {

class BitmapTest : public ScreenFixture {
 protected:
  std::string Write(const char* name, const Bytes& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path;
  }
  void TearDown() override {
    std::system(("rm -rf " + dir_).c_str());
    ScreenFixture::TearDown();
  }
  std::string dir_ = [] {
    char pattern[] = "/tmp/bitmap_test_XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
};

TEST_F(BitmapTest, LoadingByNameFollowsTheExtension) {
  const Indexed image = RandomIndexed(6, 5, 16, 20);
  Bitmap b{};
  EXPECT_EQ(LoadBitmapFromFile(HDC_SCREEN, &b, (dir_ + "/nodot").c_str()), ERR_BMP_UNKNOWN_TYPE);
  EXPECT_EQ(LoadBitmapFromFile(HDC_SCREEN, &b, (dir_ + "/missing.bmp").c_str()), ERR_BMP_FILEIO);
  EXPECT_EQ(LoadBitmapFromFile(HDC_SCREEN, &b, Write("x.tga", BmpIndexed(image, 4)).c_str()), ERR_BMP_SL_START);
  ASSERT_EQ(LoadBitmapFromFile(HDC_SCREEN, &b, Write("X.BMP", BmpIndexed(image, 4)).c_str()), 0);
  const Truth truth = image.truth();
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(BitmapPixel(b, x, y), Xrgb(truth.at(x, y))) << x << "," << y;
  EXPECT_EQ(b.bmYPlane, b.bmUPlane) << "RGB modes point the YUV fields at one placeholder";
  UnloadBitmap(&b);
  EXPECT_EQ(b.bmBits, nullptr);
}

// Three-byte rows in either byte order, of widths around the four-pixel
// steps of the quick packing, land on the 32-bit screen pixel for pixel.
TEST_F(BitmapTest, ColourRowsOfEveryWidthPackIntoTheScreenLayout) {
  for (int w : {1, 3, 5, 6, 7, 8, 9, 10, 13, 34}) {
    const Truth truth = RandomTruth(w, 2, 40 + w);
    for (const Bytes& file : {BmpRgb(truth, 24), Png({}, truth, PNG_COLOR_TYPE_RGB, 8, false, false)}) {
      const char* ext = file[0] == 'B' ? "bmp" : "png";
      Bitmap b{};
      ASSERT_EQ(LoadBitmapFromMem(HDC_SCREEN, &b, file.data(), static_cast<int>(file.size()), ext), 0);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(BitmapPixel(b, x, y), Xrgb(truth.at(x, y))) << ext << " width " << w << " at " << x << "," << y;
      UnloadBitmap(&b);
    }
  }
}

TEST_F(BitmapTest, ColourRowsPackIntoAFiveSixFiveScreen) {
  TerminateGDI();
  GuardedSurface narrow(8, 8, 16, 0xF800, 0x07E0, 0x001F);
  ASSERT_TRUE(InitGDI(narrow.get()));
  const Truth truth = RandomTruth(5, 3, 29);
  const Bytes bmp = BmpRgb(truth, 24);
  Bitmap b{};
  ASSERT_EQ(LoadBitmapFromMem(HDC_SCREEN, &b, bmp.data(), static_cast<int>(bmp.size()), "bmp"), 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const uint8_t* p = truth.at(x, y);
      uint16_t got = 0;
      std::memcpy(&got, b.bmBits + y * b.bmPitch + x * 2, 2);
      ASSERT_EQ(got, (p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3) << x << "," << y;
    }
  UnloadBitmap(&b);
  TerminateGDI();
  ASSERT_TRUE(InitGDI(screen_.get()));
}

// A PNG with transparency keeps its pixels and alpha format at the screen's
// own depth: opaque pixels draw their colour, clear ones leave the screen.
TEST_F(BitmapTest, PerPixelAlphaImagesDrawAtTheDepthOfSixteenAndTwentyFourBitScreens) {
  TerminateGDI();
  Truth truth = RandomTruth(7, 5, 41, true);
  for (size_t i = 3; i < truth.rgba.size(); i += 4) truth.rgba[i] = i % 3 ? 255 : (i % 5 ? 0 : 128);
  const Bytes png = Png(RandomIndexed(7, 5, 4, 41), truth, 6, 8, false, false);
  for (int bits : {16, 24}) {
    GuardedSurface narrow(8, 6, bits, bits == 16 ? 0xF800 : 0xFF0000, bits == 16 ? 0x07E0 : 0xFF00,
                          bits == 16 ? 0x001F : 0xFF);
    ASSERT_TRUE(InitGDI(narrow.get()));
    const GalPixelFormat* screen = narrow.get()->format;
    const GalPixel ground = GAL_MapRGB(screen, 10, 200, 30);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) narrow.setPixel(x, y, ground);
    Bitmap b{};
    ASSERT_EQ(LoadBitmapFromMem(HDC_SCREEN, &b, png.data(), static_cast<int>(png.size()), "png"), 0);
    ASSERT_TRUE(b.bmType & BMP_TYPE_ALPHA);
    ASSERT_EQ(b.bmAlphaPixelFormat->bytesPerPixel, b.bmBytesPerPixel) << bits;
    ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, 1, 1, 0, 0, &b));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const uint8_t alpha = truth.at(x, y)[3];
        if (alpha != 0 && alpha != 255) continue;
        GalPixel stored = 0;
        std::memcpy(&stored, b.bmBits + y * b.bmPitch + x * b.bmBytesPerPixel, b.bmBytesPerPixel);
        uint8_t r, g, bl, a;
        GAL_GetRGBA(stored, b.bmAlphaPixelFormat, &r, &g, &bl, &a);
        EXPECT_EQ(narrow.pixel(1 + x, 1 + y), alpha ? GAL_MapRGB(screen, r, g, bl) : ground)
            << bits << " bits at " << x << "," << y;
      }
    EXPECT_EQ(narrow.pixel(0, 0), ground);
    UnloadBitmap(&b);
    TerminateGDI();
    EXPECT_TRUE(narrow.paddingIntact());
  }
  ASSERT_TRUE(InitGDI(screen_.get()));
}

TEST_F(BitmapTest, PalettelessRowsUseTheStandardColoursAndWidenedIndices) {
  uint8_t rows[2][4] = {{0x0F, 0x9C}, {0xFF, 0x00, 0xE0, 0x1C}};
  MyBitmap four{MYBMP_FLOW_DOWN, 1, 4, 0, {}, 0, 4, 1, 4, 4, rows[0]};
  Bitmap b{};
  ASSERT_EQ(ExpandMyBitmap(HDC_SCREEN, &b, &four, nullptr, 0), 0);
  EXPECT_EQ(BitmapPixel(b, 0, 0), 0x000000u);
  EXPECT_EQ(BitmapPixel(b, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(BitmapPixel(b, 2, 0), 0xFF0000u);
  EXPECT_EQ(BitmapPixel(b, 3, 0), 0x0000FFu);
  UnloadBitmap(&b);
  MyBitmap eight{MYBMP_FLOW_DOWN, 1, 8, 0, {}, 0, 4, 1, 4, 4, rows[1]};
  ASSERT_EQ(ExpandMyBitmap(HDC_SCREEN, &b, &eight, nullptr, 0), 0);
  EXPECT_EQ(BitmapPixel(b, 0, 0), 0xFFFFFFu) << "3-3-2 white stays white";
  EXPECT_EQ(BitmapPixel(b, 2, 0), 0xFF0000u);
  EXPECT_EQ(BitmapPixel(b, 3, 0), 0x00FF00u);
  UnloadBitmap(&b);
  MyBitmap odd{MYBMP_FLOW_DOWN, 1, 16, 0, {}, 0, 4, 1, 8, 8, rows[1]};
  EXPECT_EQ(ExpandMyBitmap(HDC_SCREEN, &b, &odd, nullptr, 0), ERR_BMP_NOT_SUPPORTED);
  EXPECT_EQ(b.bmBits, nullptr);
}

TEST_F(BitmapTest, ATransparentEntryThatDuplicatesAnotherGetsAKeyNoOtherEntryHas) {
  Indexed image = RandomIndexed(8, 8, 16, 21);
  image.palette[3] = image.palette[5];
  image.index[0] = 3;
  image.index[1] = 5;
  Bitmap b{};
  const Bytes gif = Gif(image, false, 3);
  ASSERT_EQ(LoadBitmapFromMem(HDC_SCREEN, &b, gif.data(), static_cast<int>(gif.size()), "gif"), 0);
  EXPECT_TRUE(b.bmType & BMP_TYPE_COLORKEY);
  EXPECT_EQ(BitmapPixel(b, 0, 0), b.bmColorKey);
  EXPECT_NE(BitmapPixel(b, 1, 0), b.bmColorKey) << "entry 5 must stay visible";
  for (int i = 0; i < 16; ++i) {
    const GalColor& c = image.palette[i];
    if (i != 3) {
      EXPECT_NE(uint32_t{c.r} << 16 | c.g << 8 | c.b, b.bmColorKey) << i;
    }
  }
  UnloadBitmap(&b);
}

TEST_F(BitmapTest, ZoomScalesAndRefusesZeroSizesBeforeReading) {
  const Indexed image = RandomIndexed(4, 3, 16, 22);
  const Bytes bmp = BmpIndexed(image, 8);
  Bitmap b{};
  uint32_t w = 0, h = 0;
  EXPECT_EQ(ZoomBitmapFromMem(HDC_SCREEN, &b, nullptr, 0, "bmp", 0, 5, TRUE, &w, &h), ERR_BMP_ERROR_SIZE);
  ASSERT_EQ(ZoomBitmapFromMem(HDC_SCREEN, &b, bmp.data(), static_cast<int>(bmp.size()), "bmp", 8, 6, TRUE, &w, &h), 0);
  EXPECT_EQ(w, 4u);
  EXPECT_EQ(h, 3u);
  EXPECT_EQ(b.bmWidth, 8u);
  const Truth truth = image.truth();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(BitmapPixel(b, x, y), Xrgb(truth.at(x / 2, y / 2)));
  UnloadBitmap(&b);
}

uint32_t ScreenAt(const GuardedSurface& s, int x, int y) { return s.pixel(x, y) & 0xFFFFFF; }

TEST_F(BitmapTest, PaintingDrawsEveryRowWhereItBelongsAndStretchesByTheRowMap) {
  const Indexed image = RandomIndexed(5, 4, 200, 23);
  const Truth truth = image.truth();
  for (const Bytes& file : {BmpIndexed(image, 8), Gif(image, true), Png(image, truth, 2, 8, true, false)}) {
    const char* ext = file[0] == 'B' ? "bmp" : file[0] == 'G' ? "gif" : "png";
    ASSERT_EQ(PaintImageFromMem(HDC_SCREEN, 3, 2, file.data(), static_cast<int>(file.size()), ext), 0);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(ScreenAt(screen_, 3 + x, 2 + y), Xrgb(truth.at(x, y))) << ext;
  }
  // One column whose rows differ: 2 rows into 4 draws row 0 thrice, 4 rows
  // into 2 draws rows 1 and 3; widths double by repeating pixels.
  const Bytes two = BmpIndexed(RandomIndexed(1, 2, 2, 24), 8), four = BmpIndexed(RandomIndexed(1, 4, 200, 25), 8);
  ASSERT_EQ(StretchPaintImageFromMem(HDC_SCREEN, 20, 0, 2, 4, two.data(), static_cast<int>(two.size()), "bmp"), 0);
  Decoded twoRows(two, "bmp");
  const GalColor c0 = twoRows.palette[twoRows.image.bits[0]], c1 = twoRows.palette[twoRows.image.bits[twoRows.image.pitch]];
  const uint32_t p0 = uint32_t{c0.r} << 16 | c0.g << 8 | c0.b, p1 = uint32_t{c1.r} << 16 | c1.g << 8 | c1.b;
  for (int y = 0; y < 3; ++y) EXPECT_EQ(ScreenAt(screen_, 21, y), p0) << y;
  EXPECT_EQ(ScreenAt(screen_, 20, 3), p1);
  ASSERT_EQ(StretchPaintImageFromMem(HDC_SCREEN, 30, 0, 1, 2, four.data(), static_cast<int>(four.size()), "bmp"), 0);
  Decoded fourRows(four, "bmp");
  for (int y = 0; y < 2; ++y) {
    const GalColor c = fourRows.palette[fourRows.image.bits[fourRows.image.pitch * (2 * y + 1)]];
    EXPECT_EQ(ScreenAt(screen_, 30, y), uint32_t{c.r} << 16 | c.g << 8 | c.b) << y;
  }
  EXPECT_EQ(StretchPaintImageFromMem(HDC_SCREEN, 0, 0, 0, 5, four.data(), static_cast<int>(four.size()), "bmp"), 0);
  EXPECT_EQ(PaintImageFromMem(HDC_INVALID, 0, 0, four.data(), static_cast<int>(four.size()), "bmp"), ERR_BMP_OTHER);
}

TEST_F(BitmapTest, SavedBitmapsReadBackUnchanged) {
  const Truth truth = RandomTruth(7, 5, 26);
  const Bytes bmp = BmpRgb(truth, 24);
  Bitmap b{};
  ASSERT_EQ(LoadBitmapFromMem(HDC_SCREEN, &b, bmp.data(), static_cast<int>(bmp.size()), "bmp"), 0);
  const std::string path = dir_ + "/saved.bmp";
  ASSERT_EQ(SaveBitmapToFile(HDC_SCREEN, &b, path.c_str()), 0);
  Bitmap back{};
  ASSERT_EQ(LoadBitmapFromFile(HDC_SCREEN, &back, path.c_str()), 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(BitmapPixel(back, x, y), Xrgb(truth.at(x, y)));
  EXPECT_EQ(SaveBitmapToFile(HDC_SCREEN, &b, (dir_ + "/saved.png").c_str()), ERR_BMP_CANT_SAVE);
  EXPECT_EQ(SaveBitmapToFile(HDC_SCREEN, &b, (dir_ + "/saved").c_str()), ERR_BMP_UNKNOWN_TYPE);
  UnloadBitmap(&b);
  UnloadBitmap(&back);

  // 10 x 2 at 8 bits: 1078 bytes of header and palette, two rows of 12.
  const Indexed image = RandomIndexed(10, 2, 256, 27);
  MyBitmap my{MYBMP_FLOW_DOWN, 1, 8, 0, {}, 0, 10, 2, 12, 24, nullptr};
  std::vector<uint8_t> bits(24);
  for (int y = 0; y < 2; ++y) std::copy_n(&image.index[y * 10], 10, &bits[y * 12]);
  my.bits = bits.data();
  ASSERT_EQ(SaveMyBitmapToFile(&my, const_cast<GalColor*>(image.palette.data()), (dir_ + "/ten.bmp").c_str()), 0);
  std::ifstream saved(dir_ + "/ten.bmp", std::ios::binary | std::ios::ate);
  EXPECT_EQ(saved.tellg(), 1102);
  Decoded ten(Bytes(std::istreambuf_iterator<char>(std::ifstream(dir_ + "/ten.bmp", std::ios::binary).rdbuf()), {}), "bmp");
  EXPECT_EQ(Compare(ten.image, ten.palette, image.truth(), false), "");
}

TEST_F(BitmapTest, GeneratedIconsLoadClampTheIndexAndDrawAndThenXor) {
  const std::string info = "../guiRes/rirurRes/icon/information.ico";
  HICON small = LoadIconFromFile(HDC_SCREEN, info.c_str(), 0), large = LoadIconFromFile(HDC_SCREEN, info.c_str(), 7);
  int w = 0, h = 0;
  ASSERT_TRUE(GetIconSize(small, &w, &h));
  EXPECT_EQ(w, 16);
  ASSERT_TRUE(GetIconSize(large, &w, &h));
  EXPECT_EQ(w, 32) << "an index past the last takes the last";
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) screen_.setPixel(x, y, 0x010203u * static_cast<uint32_t>(x + y));
  DrawIcon(HDC_SCREEN, 4, 4, 0, 0, large);
  EXPECT_EQ(ScreenAt(screen_, 4, 4), 0x010203u * 8) << "a masked corner keeps the screen";
  EXPECT_EQ(ScreenAt(screen_, 4 + 16, 4 + 28), 0x0000FFu) << "blue disc";
  EXPECT_EQ(ScreenAt(screen_, 4 + 16, 4 + 20), 0xFFFFFFu) << "white bar";
  // Made for the 32-bit screen, it is not read as 16-bit pixels elsewhere.
  HDC narrow = CreateMemDC(32, 32, 16, 0, 0xF800, 0x07E0, 0x001F, 0);
  ASSERT_NE(narrow, 0u);
  DrawIcon(narrow, 0, 0, 0, 0, large);
  EXPECT_EQ(GetPixel(narrow, 16, 28), 0u);
  DeleteMemDC(narrow);
  DestroyIcon(small);
  DestroyIcon(large);

  // A 1-bit icon sets all ones whatever its palette says; sizes other than
  // multiples of 16 and depths other than 1, 4, 8 give no icon.
  std::vector<uint8_t> andBits(64, 0), xorBits(64, 0xFF);
  const GalColor red[2] = {{255, 0, 0, 0}, {255, 0, 0, 0}};
  HICON mono = CreateIconEx(HDC_SCREEN, 16, 16, andBits.data(), xorBits.data(), 1, red);
  DrawIcon(HDC_SCREEN, 40, 30, 0, 0, mono);
  EXPECT_EQ(ScreenAt(screen_, 41, 31), 0xFFFFFFu);
  DestroyIcon(mono);
  EXPECT_EQ(CreateIconEx(HDC_SCREEN, 20, 16, andBits.data(), xorBits.data(), 1, red), 0u);
  EXPECT_EQ(CreateIconEx(HDC_SCREEN, 16, 16, andBits.data(), xorBits.data(), 2, red), 0u);
  std::ifstream in(info, std::ios::binary);
  Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  file[6 + 16] = 20;  // second entry 20 pixels wide
  EXPECT_EQ(LoadIconFromMem(HDC_SCREEN, file.data(), 1), 0u);
  file[6 + 16] = 0;
  EXPECT_EQ(LoadIconFromMem(HDC_SCREEN, file.data(), 1), 0u);
}

TEST_F(BitmapTest, PalettesOfAnEightBitScreen) {
  TerminateGDI();
  GuardedSurface eight(8, 8, 8);
  ASSERT_TRUE(InitGDI(eight.get()));
  GalColor colors[10];
  EXPECT_EQ(GetPalette(HDC_SCREEN, 250, 10, colors), 6);
  // On a palette screen JPEG rows come quantised to the screen's colours.
  const Bytes jpeg = Jpeg(RandomTruth(9, 7, 30), false);
  Decoded onPalette(jpeg, "jpg");
  EXPECT_EQ(onPalette.result, 0);
  EXPECT_EQ(onPalette.image.depth, 8);
  GalPalette* copy = CreatePalette(eight.get()->format->palette);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->ncolors, 256);
  DestroyPalette(copy);
  TerminateGDI();
  ASSERT_TRUE(InitGDI(screen_.get()));
  EXPECT_EQ(GetPalette(HDC_SCREEN, 0, 10, colors), 0) << "no palette at 32 bits";
}

TEST(ImageTypes, MemorySourcesClampAndTheTableRegisters) {
  uint8_t block[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  GUI_RWops ops;
  GUI_InitMemRW(&ops, block, 10);
  uint8_t out[12];
  EXPECT_EQ(GUI_RWread(&ops, out, 3, 4), 3);
  EXPECT_EQ(GUI_RWtell(&ops), 9);
  EXPECT_EQ(GUI_RWread(&ops, out, 3, 1), 0);
  EXPECT_EQ(GUI_RWReadLE16(&ops), 0) << "a short read answers 0";
  EXPECT_EQ(GUI_RWseek(&ops, -5, GUI_RW_SEEK_SET), 0);
  EXPECT_EQ(GUI_RWseek(&ops, 100, GUI_RW_SEEK_END), 10);
  EXPECT_EQ(GUI_RWgetc(&ops), -1);
  EXPECT_EQ(GUI_RWseek(&ops, 0, 7), -1);

  const Bytes png = Png(RandomIndexed(2, 2, 2, 28), Truth{}, 3, 8, false, false);
  GUI_RWops* source = GUI_RWFromMem(const_cast<uint8_t*>(png.data()), static_cast<int>(png.size()));
  GUI_RWseek(source, 0, GUI_RW_SEEK_SET);
  EXPECT_STREQ(CheckBitmapType(source), "png");
  EXPECT_EQ(GUI_RWtell(source), 0);
  GUI_RWclose(source);

  // BMP replaces the built-in row; four new types fill the free rows.
  ASSERT_TRUE(RegisterBitmapFileType("BMP", nullptr, nullptr, nullptr, nullptr, nullptr));
  const char* extra[] = {"aa", "bb", "cc", "dd"};
  for (const char* e : extra) EXPECT_TRUE(RegisterBitmapFileType(e, nullptr, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(RegisterBitmapFileType("tenth", nullptr, nullptr, nullptr, nullptr, nullptr));
  using namespace gui::image;
  ASSERT_TRUE(RegisterBitmapFileType("bmp", BmpInit, BmpLoad, BmpCleanup, BmpSave, BmpCheck));
}

}  // namespace
}  // namespace imagetest

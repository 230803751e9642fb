// Every decoder against generated files: BMP depths and compressions, GIF
// plain, interlaced and transparent, PNG colour types, depths, interlace
// and transparency, JPEG grey and colour; then broken files.
#include <png.h>

#include <algorithm>

#include "gdi/image/tests/image_fixture.h"

namespace imagetest {
namespace {

Truth Quantized(Truth t, bool is565, bool widen) {
  for (size_t i = 0; i < t.rgba.size(); i += 4)
    for (int c = 0; c < 3; ++c) {
      const int bits = c == 1 && is565 ? 6 : 5;
      const uint8_t v = static_cast<uint8_t>(t.rgba[i + c] >> (8 - bits));
      t.rgba[i + c] = static_cast<uint8_t>(widen ? (v << (8 - bits)) | (v >> (2 * bits - 8)) : v << (8 - bits));
    }
  return t;
}

TEST(ImageSuite, BmpEveryDepthAndCompressionDecodesToItsPixels) {
  const Indexed mono = RandomIndexed(13, 7, 2, 1), sixteen = RandomIndexed(13, 7, 16, 2),
                full = RandomIndexed(13, 7, 256, 3), runs = RandomIndexed(29, 9, 200, 4, 5),
                runs4 = RandomIndexed(29, 9, 16, 5, 4);
  const Truth rgb = RandomTruth(13, 7, 6);
  struct Case {
    const char* name;
    Bytes file;
    Truth truth;
    int depth;
  } const cases[] = {
      {"1 bit", BmpIndexed(mono, 1), mono.truth(), 1},
      {"4 bits", BmpIndexed(sixteen, 4), sixteen.truth(), 4},
      {"8 bits", BmpIndexed(full, 8), full.truth(), 8},
      {"8 bits, core header", BmpIndexed(full, 8, 0, true), full.truth(), 8},
      {"run-length 8", BmpIndexed(runs, 8, 1), runs.truth(), 8},
      {"run-length 4", BmpIndexed(runs4, 4, 2), runs4.truth(), 4},
      {"24 bits", BmpRgb(rgb, 24), rgb, 24},
      {"32 bits", BmpRgb(rgb, 32), rgb, 32},
      {"16 bits 5-5-5", Bmp16(rgb, false), Quantized(rgb, false, false), 24},
      {"16 bits 5-6-5 bit fields", Bmp16(rgb, true), Quantized(rgb, true, true), 24},
  };
  for (const Case& c : cases) {
    Decoded d(c.file, "bmp");
    ASSERT_EQ(d.result, 0) << c.name;
    EXPECT_EQ(d.image.depth, c.depth) << c.name;
    EXPECT_EQ(Compare(d.image, d.palette, c.truth, false), "") << c.name;
  }
}

TEST(ImageSuite, BmpRunLengthEscapes) {
  const std::vector<GalColor> gray = [] {
    std::vector<GalColor> p;
    for (int i = 0; i < 256; ++i) p.push_back(GalColor{uint8_t(i), uint8_t(i), uint8_t(i), 0});
    return p;
  }();
  // Last row first: a run of five 0x21, end of row; a delta of 2 then an
  // absolute run of 3 (one pad byte); end of image before the first row.
  const Bytes rows8 = {5, 0x21, 0, 0, 0, 2, 2, 0, 0, 3, 7, 8, 9, 0, 0, 0, 0, 1};
  Decoded d8(BmpFile(5, 3, 8, 1, gray, rows8), "bmp");
  ASSERT_EQ(d8.result, 0);
  const uint8_t want8[3][5] = {{0, 0, 0, 0, 0}, {0, 0, 7, 8, 9}, {0x21, 0x21, 0x21, 0x21, 0x21}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(d8.image.bits[y * d8.image.pitch + x], want8[y][x]) << x << "," << y;

  // 4 bits: 0x04 0xAB alternates the nibbles; an absolute run of 5 takes
  // its nibbles from two words.
  const Bytes rows4 = {4, 0xAB, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0x00, 0, 0, 0, 1};
  Decoded d4(BmpFile(5, 2, 4, 2, gray, rows4), "bmp");
  ASSERT_EQ(d4.result, 0);
  const uint8_t* first = d4.image.bits;  // top row: the absolute run
  const uint8_t* second = d4.image.bits + d4.image.pitch;
  EXPECT_EQ(first[0], 0x12);
  EXPECT_EQ(first[1], 0x34);
  EXPECT_EQ(first[2] & 0xF0, 0x50);
  EXPECT_EQ(second[0], 0xAB);
  EXPECT_EQ(second[1], 0xAB);

  // A run past the width fails without writing beyond the row.
  const Bytes overflow = {6, 0x21, 0, 0, 0, 1};
  Decoded bad(BmpFile(5, 1, 8, 1, gray, overflow), "bmp");
  EXPECT_EQ(bad.result, ERR_BMP_OTHER);
}

TEST(ImageSuite, GifPlainInterlacedTransparentAndAFullCodeTable) {
  const Indexed small = RandomIndexed(37, 23, 5, 7, 3);
  const Indexed noisy = RandomIndexed(128, 128, 256, 8);  // fills the code table: clear codes
  const Indexed pair = RandomIndexed(9, 4, 2, 9);
  for (const Indexed* image : {&small, &noisy, &pair})
    for (bool interlaced : {false, true}) {
      Decoded d(Gif(*image, interlaced), "gif");
      ASSERT_EQ(d.result, 0);
      EXPECT_EQ(d.image.depth, 8);
      EXPECT_EQ(Compare(d.image, d.palette, image->truth(), false), "") << image->w << " " << interlaced;
    }
  Decoded local(Gif(noisy, false, -1, false, true), "gif");
  ASSERT_EQ(local.result, 0);
  EXPECT_EQ(Compare(local.image, local.palette, noisy.truth(), false), "") << "a local map of 256 colours";
  Decoded keyed(Gif(small, false, 0, true), "gif");
  ASSERT_EQ(keyed.result, 0) << "extension blocks are skipped block by block";
  EXPECT_TRUE(keyed.image.flags & MYBMP_TRANSPARENT);
  EXPECT_EQ(keyed.image.transparent, 0u);
  EXPECT_EQ(Compare(keyed.image, keyed.palette, small.truth(), false), "");
}

void RecordRow(void* context, MyBitmap*, int row) { static_cast<std::vector<int>*>(context)->push_back(row); }

TEST(ImageSuite, InterlacedRowsArriveInPassOrderForGifAndInOrderForPng) {
  const Indexed image = RandomIndexed(4, 16, 4, 10);
  for (const char* ext : {"gif", "png"}) {
    const Bytes file = ext[0] == 'g' ? Gif(image, true) : Png(image, image.truth(), PNG_COLOR_TYPE_PALETTE, 8, true, false);
    MyBitmap my{};
    GalColor palette[256];
    GUI_RWops* source = GUI_RWFromMem(const_cast<uint8_t*>(file.data()), static_cast<int>(file.size()));
    void* handle = InitMyBitmapSL(source, ext, &my, palette);
    ASSERT_NE(handle, nullptr);
    std::vector<int> rows;
    EXPECT_EQ(LoadMyBitmapSL(source, handle, &my, RecordRow, &rows), 0);
    CleanupMyBitmapSL(&my, handle);
    GUI_RWclose(source);
    const std::vector<int> want = ext[0] == 'g'
        ? std::vector<int>{0, 8, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}
        : std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_EQ(rows, want) << ext;
  }
}

TEST(ImageSuite, PngColourTypesDepthsInterlaceAndTransparency) {
  const Indexed indexed = RandomIndexed(11, 9, 13, 11);
  const Truth truth = RandomTruth(11, 9, 12, true);
  struct Kind {
    int type;
    std::vector<int> depths;
  } const kinds[] = {{0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  for (const Kind& k : kinds)
    for (int depth : k.depths)
      for (bool interlaced : {false, true})
        for (bool trns : {false, true}) {
          if (trns && (k.type & 4)) continue;
          if (k.type == 3 && (1 << depth) < 13) continue;
          const std::string name = "type " + std::to_string(k.type) + " depth " + std::to_string(depth) +
                                   (interlaced ? " interlaced" : "") + (trns ? " tRNS" : "");
          Decoded d(Png(indexed, truth, k.type, depth, interlaced, trns), "png");
          ASSERT_EQ(d.result, 0) << name;
          const bool alpha = trns || (k.type & 4);
          EXPECT_EQ(d.image.depth, alpha ? 32 : 24) << name;
          EXPECT_EQ((d.image.flags & MYBMP_ALPHACHANNEL) != 0, alpha) << name;
          EXPECT_EQ(Compare(d.image, d.palette, PngTruth(indexed, truth, k.type, depth, trns), alpha), "") << name;
        }
}

TEST(ImageSuite, JpegGreyAndColourMatchTheLibraryRowForRow) {
  const Truth truth = RandomTruth(21, 13, 13);
  for (bool grey : {true, false}) {
    const Bytes file = Jpeg(truth, grey);
    int w = 0, h = 0;
    const Bytes want = JpegDecodedRgb(file, &w, &h);
    Decoded d(file, "jpg");
    ASSERT_EQ(d.result, 0) << grey;
    ASSERT_EQ(d.image.depth, 24);
    ASSERT_EQ(static_cast<int>(d.image.w), w);
    for (int y = 0; y < h; ++y)
      EXPECT_EQ(0, std::memcmp(d.image.bits + static_cast<size_t>(y) * d.image.pitch, &want[static_cast<size_t>(y) * w * 3],
                               static_cast<size_t>(w) * 3))
          << "row " << y << (grey ? " grey" : " colour");
  }
}

// The first pixel of a prefix's decoding that is neither the whole file's
// pixel nor zero, or "" (rows the prefix does not reach stay zeroed).
std::string PrefixMismatch(const MyBitmap& part, const MyBitmap& whole) {
  if (part.w != whole.w || part.h != whole.h || part.depth != whole.depth || part.pitch != whole.pitch)
    return "size or depth differs";
  const size_t rowBytes = (static_cast<size_t>(whole.w) * whole.depth + 7) / 8;
  const size_t step = whole.depth >= 8 ? whole.depth / 8 : 1;
  for (uint32_t y = 0; y < whole.h; ++y)
    for (size_t at = 0; at < rowBytes; at += step) {
      const uint8_t* p = part.bits + y * part.pitch + at;
      const uint8_t* w = whole.bits + y * whole.pitch + at;
      if (std::memcmp(p, w, step) != 0 && std::any_of(p, p + step, [](uint8_t b) { return b != 0; }))
        return "row " + std::to_string(y) + " byte " + std::to_string(at);
    }
  return "";
}

// Every prefix of a good file is refused as not starting (ERR_BMP_CANT_INIT)
// while its header is cut, and from some length on gets the format's answer
// for cut pixel data: ERR_BMP_OTHER, or 0 with the whole file's pixels and
// the rest zeroed (JPEG pads the missing blocks in its own way).
TEST(BrokenImages, TruncatedFilesFailWithTheirCodeOrDecodeWithZeroedRows) {
  const Indexed indexed = RandomIndexed(17, 11, 200, 14, 3);
  const Truth truth = RandomTruth(17, 11, 15);
  struct File {
    const char* ext;
    Bytes bytes;
    int dataCut;
  } const files[] = {{"bmp", BmpIndexed(indexed, 8), ERR_BMP_OTHER},
                     {"bmp", BmpIndexed(indexed, 8, 1), ERR_BMP_OTHER},
                     {"bmp", Bmp16(truth, true), ERR_BMP_OTHER},
                     {"gif", Gif(indexed, true, 3), 0},
                     {"png", Png(indexed, truth, 6, 16, true, false), ERR_BMP_OTHER},
                     {"png", Png(indexed, truth, 3, 8, false, true), ERR_BMP_OTHER},
                     {"jpg", Jpeg(truth, false), 0}};
  for (const File& f : files) {
    Decoded whole(f.bytes, f.ext);
    ASSERT_EQ(whole.result, 0) << f.ext;
    bool headerWhole = false;
    for (size_t cut = 0; cut < f.bytes.size(); cut += 1 + cut / 8) {
      const Bytes prefix(f.bytes.begin(), f.bytes.begin() + static_cast<long>(cut));
      Decoded d(prefix, f.ext);
      headerWhole = headerWhole || d.result != ERR_BMP_CANT_INIT;
      ASSERT_EQ(d.result, headerWhole ? f.dataCut : ERR_BMP_CANT_INIT) << f.ext << " cut at " << cut;
      if (d.result != 0) continue;
      if (std::string(f.ext) == "jpg")
        EXPECT_TRUE(d.image.w == whole.image.w && d.image.h == whole.image.h) << "cut at " << cut;
      else
        EXPECT_EQ(PrefixMismatch(d.image, whole.image), "") << f.ext << " cut at " << cut;
    }
    EXPECT_TRUE(headerWhole) << f.ext << ": no prefix got past its header";
  }
}

TEST(BrokenImages, HostileHeadersAreRefused) {
  const Indexed image = RandomIndexed(8, 8, 4, 16);
  auto patched = [](Bytes b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return b;
  };
  const Bytes bmp = BmpIndexed(image, 8);
  EXPECT_EQ(Decoded(patched(bmp, 10, 14 + 40 + 4 * 300, 4), "bmp").result, ERR_BMP_CANT_INIT) << "palette of 300";
  EXPECT_EQ(Decoded(patched(bmp, 22, static_cast<uint32_t>(-8), 4), "bmp").result, ERR_BMP_CANT_INIT) << "height -8";
  EXPECT_EQ(Decoded(patched(bmp, 18, 100000, 4), "bmp").result, ERR_BMP_CANT_INIT) << "width 100000";
  EXPECT_EQ(Decoded(patched(bmp, 18, 0, 4), "bmp").result, ERR_BMP_CANT_INIT) << "width 0";
  EXPECT_EQ(Decoded(patched(bmp, 28, 7, 2), "bmp").result, ERR_BMP_CANT_INIT) << "7 bits per pixel";
  EXPECT_EQ(Decoded(patched(bmp, 0, 0x4142, 2), "bmp").result, ERR_BMP_CANT_INIT) << "BA";
  EXPECT_EQ(Decoded(patched(bmp, 30, 9, 4), "bmp").result, ERR_BMP_OTHER) << "compression 9";

  const Bytes gif = Gif(image, false);
  EXPECT_EQ(Decoded(patched(gif, 3, '8' | '8' << 8, 2), "gif").result, ERR_BMP_CANT_INIT) << "88a";
  EXPECT_EQ(Decoded(patched(gif, 6, 40000, 2), "gif").result, 0) << "the logical screen is not used";
  Bytes trailerOnly(gif.begin(), gif.begin() + 13 + 12);
  trailerOnly.push_back(';');
  EXPECT_EQ(Decoded(trailerOnly, "gif").result, ERR_BMP_CANT_INIT);

  // A code beyond the next free one ends the image; the rest stays zero.
  Bytes badCode(gif.begin(), gif.begin() + 13 + 12 + 10);
  badCode.insert(badCode.end(), {2, 2, 0x84, 0x7F, 0, ';'});  // clear, 1, then 15 and more
  Decoded broken(badCode, "gif");
  EXPECT_EQ(broken.result, 0);
  for (size_t i = 8; i < broken.image.pitch * 8; ++i) ASSERT_EQ(broken.image.bits[i], 0) << i;

  Bytes png = Png(image, image.truth(), 3, 8, false, false);
  png = patched(png, 16, 0x00100000, 4);  // width 4096 (big-endian)
  EXPECT_EQ(Decoded(png, "png").result, ERR_BMP_CANT_INIT) << "IHDR CRC no longer matches";
}

}  // namespace
}  // namespace imagetest

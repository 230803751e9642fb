#include <cstring>
#include <vector>

#include "gdi/dc/tests/dc_fixture.h"

namespace {

using dctest::FakeMainWindow;
using dctest::Picture;

class MemDC : public dctest::ScreenTest {};
GUI_DC_ALL_DEPTHS(MemDC);

struct Layout {
  int bits;
  uint32_t r, g, b, a;
};
constexpr Layout kLayouts[] = {
    {8, 0, 0, 0, 0},
    {16, 0xF800, 0x07E0, 0x001F, 0},
    {16, 0xF000, 0x0F00, 0x00F0, 0x000F},
    {24, 0xFF0000, 0x00FF00, 0x0000FF, 0},
    {32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
};

// Each depth draws into its own pixels, clipped to its size, and leaves
// the screen alone.
TEST_P(MemDC, ExplicitFormatsDrawIntoTheirOwnSurface) {
  const Picture screen = Shot();
  for (const Layout& l : kLayouts) {
    HDC mem = CreateMemDC(7, 5, l.bits, GAL_SRCALPHA, l.r, l.g, l.b, l.a);
    ASSERT_NE(mem, 0u) << l.bits;
    const DC* dc = Record(mem);
    EXPECT_EQ(dc->dcType, kMemoryDC);
    EXPECT_EQ(dc->surface->format->bitsPerPixel, l.bits);
    EXPECT_EQ(dc->surface->format->aMask, l.a);
    EXPECT_EQ(GetGDCapability(mem, GDCAP_MAXX), 6u);
    EXPECT_EQ(GetGDCapability(mem, GDCAP_VPIXEL), 5u);
    EXPECT_EQ(GetDCAttr(mem, DC_ATTR_BK_COLOR), GAL_MapRGB(dc->surface->format, 255, 255, 255));
    SetPixel(mem, 6, 4, 0x5A);
    SetPixel(mem, 7, 4, 0x5A);
    EXPECT_EQ(GetPixel(mem, 6, 4), 0x5Au);
    EXPECT_EQ(GetPixel(mem, 7, 4), 0u);
    DeleteMemDC(mem);
  }
  EXPECT_EQ(CreateMemDC(0, 5, 16, 0, 0xF800, 0x07E0, 0x1F, 0), 0u);
  EXPECT_EQ(CreateMemDC(5, -1, 16, 0, 0xF800, 0x07E0, 0x1F, 0), 0u);
  EXPECT_EQ(Shot(), screen);
}

TEST_P(MemDC, ColourKeyAndSurfaceAlphaOnlyForMemoryDCs) {
  HDC mem = CreateMemDC(4, 4, 32, 0, 0xFF0000, 0xFF00, 0xFF, 0);
  GalSurface* surface = Record(mem)->surface;
  EXPECT_TRUE(SetMemDCColorKey(mem, GAL_SRCCOLORKEY, 0x123456));
  EXPECT_TRUE(surface->flags & GAL_SRCCOLORKEY);
  EXPECT_EQ(surface->format->colorKey, 0x123456u);
  EXPECT_TRUE(SetMemDCAlpha(mem, GAL_SRCALPHA, 90));
  EXPECT_TRUE(surface->flags & GAL_SRCALPHA);
  EXPECT_EQ(surface->format->alpha, 90);

  FakeMainWindow main({0, 0, 10, 10}, {0, 0, 10, 10});
  HDC window = GetClientDC(main.handle());
  EXPECT_FALSE(SetMemDCAlpha(window, GAL_SRCALPHA, 90));
  EXPECT_FALSE(SetMemDCColorKey(HDC_SCREEN, GAL_SRCCOLORKEY, 1));
  DeleteMemDC(window);  // not a memory DC: nothing happens
  DeleteMemDC(HDC_SCREEN);
  SetPixel(window, 1, 1, 3);
  EXPECT_EQ(screen_->pixel(1, 1), 3u);
  ReleaseDC(window);
  DeleteMemDC(mem);
}

// A compatible DC copies how the source draws but owns everything it
// holds: regions, alpha layer, surface. Drawing into it or deleting it
// leaves the source as it was (the address sanitizer build checks the
// ownership).
TEST_P(MemDC, CompatibleDCIsADeepCopy) {
  FakeMainWindow main({4, 4, 34, 24}, {4, 4, 34, 24});
  HDC source = GetClientDC(main.handle());
  const Rect corner{0, 0, 10, 10};
  SelectClipRect(source, &corner);
  SetDCAttr(source, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(source, DC_ATTR_TEXT_COLOR, RGB2Pixel(source, 0, 255, 0));
  SetRasterOperation(source, ROP_XOR);
  DC* src = Record(source);

  HDC copy = CreateCompatibleDCEx(source, 0, 0);
  ASSERT_NE(copy, 0u);
  DC* dc = Record(copy);
  EXPECT_EQ(dc->dcType, kMemoryDC);
  EXPECT_EQ(dc->devRect.right, 30);
  EXPECT_EQ(dc->devRect.bottom, 20);
  EXPECT_EQ(dc->surface->format->bitsPerPixel, bytes() * 8);
  EXPECT_EQ(GetDCAttr(copy, DC_ATTR_TEXT_COLOR), GetDCAttr(source, DC_ATTR_TEXT_COLOR));
  EXPECT_EQ(GetRasterOperation(copy), ROP_XOR);
  EXPECT_EQ(GetCurFont(copy), GetCurFont(source));
  EXPECT_EQ(std::memcmp(dc->textColors, src->textColors, sizeof dc->textColors), 0);
  EXPECT_NE(dc->effClip.head, src->effClip.head);
  EXPECT_TRUE(IsEmptyClipRgn(&dc->localClip));
  EXPECT_EQ(dc->clipInfo, nullptr);
  if (src->alphaFormat) {
    EXPECT_NE(dc->alphaFormat, src->alphaFormat);
  }

  const Picture before = Shot();
  const Rect hole{0, 0, 30, 20};
  ExcludeClipRect(copy, &hole);
  SelectClipRect(copy, nullptr);
  SetPixel(copy, 20, 15, 1);
  EXPECT_EQ(GetPixel(copy, 20, 15), 1u) << "the copy is clipped to its own size, not the corner";
  EXPECT_EQ(Shot(), before);
  DeleteMemDC(copy);

  SetPixel(source, 2, 2, 1);
  SetPixel(source, 12, 2, 1);
  EXPECT_EQ(screen_->pixel(6, 6), 1u) << "the source keeps its clip region";
  EXPECT_EQ(screen_->pixel(16, 6), 0u);
  ReleaseDC(source);

  HDC sized = CreateCompatibleDCEx(HDC_SCREEN, 3, 2);
  EXPECT_EQ(GetGDCapability(sized, GDCAP_HPIXEL), 3u);
  EXPECT_EQ(GetGDCapability(sized, GDCAP_VPIXEL), 2u);
  DeleteMemDC(sized);
  EXPECT_EQ(CreateCompatibleDCEx(HDC_INVALID, 3, 2), 0u);
}

TEST_P(MemDC, BitmapPixelsStayTheCallersAndFollowItsTypeFlags) {
  std::vector<uint8_t> bits(8 * 4 * 4, 0);
  Bitmap bmp{};
  bmp.bmBitsPerPixel = static_cast<uint8_t>(bytes() * 8);
  bmp.bmBytesPerPixel = static_cast<uint8_t>(bytes());
  bmp.bmWidth = 8;
  bmp.bmHeight = 4;
  bmp.bmPitch = 32;
  bmp.bmBits = bits.data();
  bmp.bmType = BMP_TYPE_COLORKEY | BMP_TYPE_ALPHACHANNEL;
  bmp.bmColorKey = 0x21;
  bmp.bmAlpha = 77;

  HDC mem = CreateMemDCFromBitmap(HDC_SCREEN, &bmp);
  ASSERT_NE(mem, 0u);
  const GalSurface* surface = Record(mem)->surface;
  EXPECT_EQ(surface->format->rMask, screen_->get()->format->rMask);
  EXPECT_TRUE(surface->flags & GAL_SRCCOLORKEY);
  EXPECT_EQ(surface->format->colorKey, 0x21u);
  EXPECT_EQ(surface->format->alpha, 77);
  SetPixel(mem, 1, 2, 0x3C);
  EXPECT_EQ(bits[2 * 32 + bytes()], 0x3C) << "drawn in place";
  DeleteMemDC(mem);
  EXPECT_EQ(bits[2 * 32 + bytes()], 0x3C);

  bmp.bmType = BMP_TYPE_ALPHA;
  bmp.bmBitsPerPixel = 16;
  mem = CreateMemDCFromBitmap(HDC_SCREEN, &bmp);
  ASSERT_NE(mem, 0u);
  EXPECT_EQ(Record(mem)->surface->format->aMask, 0x000Fu);
  EXPECT_EQ(GetGDCapability(mem, GDCAP_RMASK), 0xF000u);
  DeleteMemDC(mem);

  bmp.bmBitsPerPixel = 12;
  EXPECT_EQ(CreateMemDCFromBitmap(HDC_SCREEN, &bmp), 0u) << "no per-pixel alpha at 12 bits";
  bmp.bmBitsPerPixel = 32;
  bmp.bmPitch = 31;
  EXPECT_EQ(CreateMemDCFromBitmap(HDC_SCREEN, &bmp), 0u) << "rows wider than the pitch";
  bmp.bmPitch = 32;
  bmp.bmBits = nullptr;
  EXPECT_EQ(CreateMemDCFromBitmap(HDC_SCREEN, &bmp), 0u);
}

}  // namespace

TEST(MemDCImage, MasksFollowDepthOrderAndAlphaChannel) {
  std::vector<uint8_t> bits(16 * 4, 0);
  MyBitmap image{};
  image.w = 4;
  image.h = 4;
  image.pitch = 16;
  image.bits = bits.data();
  struct Case {
    uint8_t depth;
    uint32_t flags;
    uint32_t r, b, a;
  };
  const Case cases[] = {
      {24, MYBMP_TYPE_RGB, 0xFF0000, 0x0000FF, 0},
      {24, MYBMP_TYPE_BGR, 0x0000FF, 0xFF0000, 0},
      {24, MYBMP_TYPE_RGB | MYBMP_ALPHACHANNEL, 0xFC0000, 0x000FC0, 0x3F},
      {24, MYBMP_TYPE_RGBA | MYBMP_ALPHACHANNEL, 0x000FC0, 0xFC0000, 0x3F},
      {32, MYBMP_TYPE_RGB, 0xFF000000, 0x0000FF00, 0},
      {32, MYBMP_TYPE_BGR | MYBMP_ALPHACHANNEL, 0x0000FF00, 0xFF000000, 0xFF},
      {8, MYBMP_TYPE_RGB, 0, 0, 0},
  };
  for (const Case& c : cases) {
    image.depth = c.depth;
    image.flags = c.flags;
    HDC mem = CreateMemDCFromMyBitmap(&image, nullptr);
    ASSERT_NE(mem, 0u) << int{c.depth} << " " << c.flags;
    const GalPixelFormat* f = gui::dc::DcFromHandle(mem)->surface->format;
    EXPECT_EQ(f->rMask, c.r);
    EXPECT_EQ(f->bMask, c.b);
    EXPECT_EQ(f->aMask, c.a);
    DeleteMemDC(mem);
  }

  image.depth = 32;
  image.flags = MYBMP_TYPE_RGB | MYBMP_TRANSPARENT | MYBMP_ALPHA;
  image.transparent = 0x00FF00FF;
  image.alpha = 40;
  HDC mem = CreateMemDCFromMyBitmap(&image, nullptr);
  const GalSurface* surface = gui::dc::DcFromHandle(mem)->surface;
  EXPECT_TRUE(surface->flags & GAL_SRCCOLORKEY);
  EXPECT_EQ(surface->format->colorKey, 0x00FF00FFu);
  EXPECT_EQ(surface->format->alpha, 40);
  DeleteMemDC(mem);

  image.depth = 16;
  EXPECT_EQ(CreateMemDCFromMyBitmap(&image, nullptr), 0u);
  image.depth = 24;
  image.flags = MYBMP_TYPE_RGB | MYBMP_FLOW_UP;
  EXPECT_EQ(CreateMemDCFromMyBitmap(&image, nullptr), 0u);
  EXPECT_EQ(CreateMemDCFromMyBitmap(nullptr, nullptr), 0u);
}

// Until the graphics layer blits between these two formats the conversion
// fails, and then the DC must be left exactly as it was.
TEST(MemDCConvert, TakesTheReferenceFormatOrStaysUntouched) {
  HDC from = CreateMemDC(4, 3, 32, 0, 0xFF0000, 0xFF00, 0xFF, 0);
  HDC ref = CreateMemDC(1, 1, 16, 0, 0xF800, 0x07E0, 0x001F, 0);
  SetPixel(from, 2, 1, 0xFF0000);
  SetPixel(from, 3, 2, 0x0000FF);
  const GalSurface* old = gui::dc::DcFromHandle(from)->surface;
  if (ConvertMemDC(from, ref, 0) == 1) {
    EXPECT_EQ(GetGDCapability(from, GDCAP_BITSPP), 16u);
    EXPECT_EQ(GetPixel(from, 2, 1), 0xF800u);
    EXPECT_EQ(GetPixel(from, 3, 2), 0x001Fu);
    SetPixel(from, 0, 0, 0x07E0);
    EXPECT_EQ(GetPixel(from, 0, 0), 0x07E0u) << "pixel operations follow the new depth";
    EXPECT_EQ(GetPixel(from, 1, 0), 0u);
  } else {
    EXPECT_EQ(gui::dc::DcFromHandle(from)->surface, old);
    EXPECT_EQ(GetPixel(from, 2, 1), 0xFF0000u);
  }
  EXPECT_EQ(ConvertMemDC(HDC_SCREEN, ref, 0), 0) << "only memory DCs convert";
  EXPECT_EQ(ConvertMemDC(from, HDC_INVALID, 0), 0);
  DeleteMemDC(ref);
  DeleteMemDC(from);
}

TEST(MemDCConvert, SameFormatKeepsThePictureOnANewSurface) {
  HDC from = CreateMemDC(4, 3, 16, 0, 0xF800, 0x07E0, 0x001F, 0);
  HDC ref = CreateMemDC(1, 1, 16, 0, 0xF800, 0x07E0, 0x001F, 0);
  SetPixel(from, 3, 2, 0x1234);
  const GalSurface* old = gui::dc::DcFromHandle(from)->surface;
  ASSERT_EQ(ConvertMemDC(from, ref, 0), 1);
  EXPECT_NE(gui::dc::DcFromHandle(from)->surface, old);
  EXPECT_EQ(GetPixel(from, 3, 2), 0x1234u);
  SetPixel(from, 0, 0, 0x4321);
  EXPECT_EQ(GetPixel(from, 0, 0), 0x4321u);
  DeleteMemDC(ref);
  DeleteMemDC(from);
}

#include <cstring>

#include "gdi/dc/tests/dc_fixture.h"
#include "gui/font.h"
#include "gui/text.h"

namespace {

using dctest::FakeMainWindow;

class DCAttr : public dctest::ScreenTest {
 protected:
  const GalPixelFormat* format() const { return screen_->get()->format; }
  GalPixel Rgb(uint8_t r, uint8_t g, uint8_t b) const { return GAL_MapRGB(format(), r, g, b); }
};
GUI_DC_ALL_DEPTHS(DCAttr);

// A logical font with nothing but a style: the colour tables read no more.
LogFont FontWithStyle(uint32_t style) {
  LogFont lf{};
  std::strcpy(lf.family, "fake");
  lf.style = style;
  lf.size = 12;
  return lf;
}

TEST_P(DCAttr, WindowDefaultsRoundTripsAndOutOfRangeIndices) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC hdc = GetClientDC(main.handle());
  const uint32_t defaults[] = {Rgb(255, 255, 255), 0, Rgb(0, 0, 0), Rgb(255, 255, 255),
                               Rgb(0, 0, 0),       8, 0, 0, 0, 0};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(GetDCAttr(hdc, i), defaults[i]) << "attribute " << i;

  for (int i = 0; i < 10; ++i) {
    const uint32_t value = 0x10u + static_cast<uint32_t>(i);
    EXPECT_EQ(SetDCAttr(hdc, i, value), defaults[i]) << "attribute " << i;
    EXPECT_EQ(GetDCAttr(hdc, i), value) << "attribute " << i;
  }
  EXPECT_EQ(SetDCAttr(hdc, DC_ATTR_TAB_STOP, static_cast<uint32_t>(-4)), 0x15u);
  EXPECT_EQ(static_cast<int32_t>(GetDCAttr(hdc, DC_ATTR_TAB_STOP)), -4) << "signed words";

  EXPECT_EQ(SetDCAttr(hdc, 10, 77), 0u);
  EXPECT_EQ(SetDCAttr(hdc, -1, 77), 0u);
  EXPECT_EQ(GetDCAttr(hdc, -1), 0u);
  EXPECT_EQ(GetDCAttr(hdc, 10), 0u);
  for (int i = 0; i < 10; ++i) {
    if (i != DC_ATTR_TAB_STOP) {
      EXPECT_EQ(GetDCAttr(hdc, i), 0x10u + i);
    }
  }
  EXPECT_EQ(GetDCAttr(HDC_INVALID, DC_ATTR_TAB_STOP), 0u);
  ReleaseDC(hdc);
}

// Opaque text: sixteen steps from the background to the text colour, each
// channel advanced by its truncated sixteenth; at 8 bits only the two ends.
TEST_P(DCAttr, TextColourTableGradesFromBackgroundToText) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC hdc = GetClientDC(main.handle());
  DC* dc = Record(hdc);
  const GalPixel bk = Rgb(200, 40, 0), text = Rgb(8, 240, 100);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, bk);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, text);
  EXPECT_EQ(dc->textColors[0], bk);
  EXPECT_EQ(dc->textColors[16], text);
  if (bytes() == 1) {
    for (int i = 1; i < 16; ++i) EXPECT_EQ(dc->textColors[i], bk);
  } else {
    uint8_t from[3], to[3];
    GAL_GetRGB(bk, format(), &from[0], &from[1], &from[2]);
    GAL_GetRGB(text, format(), &to[0], &to[1], &to[2]);
    for (int i = 1; i < 16; ++i) {
      uint8_t got[3];
      GAL_GetRGB(dc->textColors[i], format(), &got[0], &got[1], &got[2]);
      for (int c = 0; c < 3; ++c) {
        const int want = from[c] + i * ((to[c] - from[c]) / 16);
        const int lossy = bytes() == 2 ? 8 : 0;  // 5-6-5 drops the low bits
        EXPECT_NEAR(got[c], want, lossy) << "entry " << i << " channel " << c;
      }
    }
  }

  // Only the text colour rebuilds the table.
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, Rgb(0, 0, 255));
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  EXPECT_EQ(dc->textColors[0], bk);
  EXPECT_EQ(dc->alphaFormat, nullptr);
  ReleaseDC(hdc);
}

// Transparent text goes through the DC's alpha layer: the text colour at
// alpha 16 x i, then opaque. 8-bit surfaces have no such layer.
TEST_P(DCAttr, TransparentTextUsesTheAlphaLayer) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC hdc = GetClientDC(main.handle());
  DC* dc = Record(hdc);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Rgb(255, 0, 0));
  if (bytes() == 1) {
    EXPECT_EQ(dc->alphaFormat, nullptr);
    EXPECT_EQ(dc->textColors[15], dc->bkColor);
  } else {
    ASSERT_NE(dc->alphaFormat, nullptr);
    EXPECT_EQ(dc->alphaFormat->bitsPerPixel, bytes() * 8);
    switch (bytes()) {
      case 2:
        EXPECT_EQ(dc->textColors[0], 0xF000u);
        EXPECT_EQ(dc->textColors[1], 0xF001u);
        EXPECT_EQ(dc->textColors[16], 0xF00Fu);
        break;
      case 3:
        EXPECT_EQ(dc->textColors[4], 0xFC0000u | (64 >> 2));
        EXPECT_EQ(dc->textColors[16], 0xFC003Fu);
        break;
      default:
        EXPECT_EQ(dc->textColors[1], 0xFF000010u);
        EXPECT_EQ(dc->textColors[15], 0xFF0000F0u);
        EXPECT_EQ(dc->textColors[16], 0xFF0000FFu);
    }
  }
  ReleaseDC(hdc);  // frees the alpha layer (the address sanitizer watches)
  EXPECT_EQ(dc->alphaFormat, nullptr);
}

TEST_P(DCAttr, GlyphTableFollowsTheFontStyle) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC hdc = GetClientDC(main.handle());
  DC* dc = Record(hdc);
  LogFont plain = FontWithStyle(0), grey = FontWithStyle(FONT_WEIGHT_GREY),
          outlined = FontWithStyle(FONT_WEIGHT_OUTLINE);

  SelectFont(hdc, &outlined);
  const GalPixel bk = dc->bkColor, text = dc->textColor;
  EXPECT_EQ(dc->textColors2[0], bk ^ 1);
  EXPECT_EQ(dc->textColors2[1], bk);
  EXPECT_EQ(dc->textColors2[2], text);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, bk ^ 1);
  EXPECT_EQ(dc->textColors2[0], bk ^ 3) << "the clear value never equals the text colour";
  EXPECT_EQ(dc->textColors2[2], bk ^ 1);

  GalPixel before[17];
  std::memcpy(before, dc->textColors2, sizeof before);
  SelectFont(hdc, &plain);
  EXPECT_EQ(std::memcmp(before, dc->textColors2, sizeof before), 0) << "left as it was";

  SelectFont(hdc, &grey);
  if (bytes() == 1) {
    EXPECT_EQ(std::memcmp(before, dc->textColors2, sizeof before), 0);
  } else {
    ASSERT_NE(dc->alphaFormat, nullptr);
    uint8_t r, g, b, a;
    GAL_GetRGBA(dc->textColors2[8], dc->alphaFormat, &r, &g, &b, &a);
    EXPECT_NEAR(a, 128, 4);
    GAL_GetRGBA(dc->textColors2[16], dc->alphaFormat, &r, &g, &b, &a);
    EXPECT_GE(a, 240) << "opaque, within the alpha layer's precision";
  }
  ReleaseDC(hdc);
}

// A fresh DC builds its tables on first use, yet exactly as if built when
// it was handed out: later background changes do not reach them, and a
// copy made from it has the alpha layer they were built on.
TEST_P(DCAttr, FreshDCTablesAreThoseOfItsSetUpWhenFirstUsed) {
  LogFont* saved[SYS_LOGFONT_SLOTS];
  std::memcpy(saved, g_SysLogFont, sizeof saved);
  LogFont grey = FontWithStyle(FONT_WEIGHT_GREY);
  g_SysLogFont[1] = &grey;
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC eager = GetClientDC(main.handle()), later = GetClientDC(main.handle());
  SetDCAttr(eager, DC_ATTR_TEXT_COLOR, GetDCAttr(eager, DC_ATTR_TEXT_COLOR));
  for (HDC hdc : {eager, later}) {
    SetDCAttr(hdc, DC_ATTR_BK_COLOR, Rgb(10, 200, 30));
    SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  }
  HDC copy = CreateCompatibleDCEx(later, 8, 8);
  ASSERT_NE(copy, HDC(0));
  for (DC* dc : {Record(later), Record(copy)}) {
    DC* want = Record(eager);
    EXPECT_EQ(std::memcmp(want->textColors, dc->textColors, sizeof want->textColors), 0);
    EXPECT_EQ(std::memcmp(want->textColors2, dc->textColors2, sizeof want->textColors2), 0);
    EXPECT_EQ(want->alphaFormat != nullptr, dc->alphaFormat != nullptr);
    EXPECT_EQ(dc->bkColor, Rgb(10, 200, 30)) << "the attributes themselves are the present ones";
    EXPECT_EQ(dc->bkMode, BM_TRANSPARENT);
  }
  DeleteMemDC(copy);
  ReleaseDC(later);
  ReleaseDC(eager);
  std::memcpy(g_SysLogFont, saved, sizeof saved);
}

TEST_P(DCAttr, FontSelectionFallsBackToTheSystemFonts) {
  LogFont* saved[SYS_LOGFONT_SLOTS];
  std::memcpy(saved, g_SysLogFont, sizeof saved);
  LogFont first = FontWithStyle(0), second = FontWithStyle(FONT_UNDERLINE), mine = FontWithStyle(0);
  g_SysLogFont[0] = &first;
  g_SysLogFont[1] = &second;

  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC hdc = GetClientDC(main.handle());
  EXPECT_EQ(GetCurFont(hdc), &second) << "window DCs start in system font 1";
  EXPECT_EQ(SelectFont(hdc, &mine), &second);
  EXPECT_EQ(GetCurFont(hdc), &mine);
  EXPECT_EQ(SelectFont(hdc, nullptr), &mine);
  EXPECT_EQ(GetCurFont(hdc), &second);
  g_SysLogFont[1] = nullptr;
  SelectFont(hdc, nullptr);
  EXPECT_EQ(GetCurFont(hdc), &first);

  SelectFont(hdc, &second);
  LogFont copy{};
  GetLogFontInfo(hdc, &copy);
  EXPECT_EQ(std::memcmp(&copy, &second, sizeof copy), 0);
  EXPECT_EQ(GetCurFont(HDC_INVALID), nullptr);
  ReleaseDC(hdc);
  std::memcpy(g_SysLogFont, saved, sizeof saved);
}

}  // namespace

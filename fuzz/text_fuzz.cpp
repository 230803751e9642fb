// Lays out and draws arbitrary text with DrawTextEx2 and the other output
// calls on a small screen, in a Latin raw font (with the 16x16 GB2312 font
// as its multibyte half) or a TrueType face.
//
// Input: bytes 0-1 the format word's low bits, byte 2 the tab stop, bytes
// 3-6 the rectangle (left, top, width, height, signed), byte 7 the indent,
// byte 8 the font (bit 0: TrueType, bit 1: GB2312 multibyte) and the
// right-to-left flag (bit 2); the rest is the text.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_setup.h"
#include "gdi/dc_record.h"
#include "gdi/text/devfont_load.h"
#include "gui/app_hooks.h"
#include "gui/config.h"
#include "gui/dc.h"
#include "gui/text.h"

namespace {

constexpr int kWidth = 96, kHeight = 64;
bool g_rightToLeft = false;

int readValue(const char* section, const char* key, char* value, int len) {
  const std::string s = section, k = key;
  const char* answer = nullptr;
  if (s == "rawbitmapfonts") {
    if (k == "font_number") answer = "2";
    if (k == "name0") answer = "rbf-fixed-rrncnn-8-16-ISO8859-1";
    if (k == "fontfile0") answer = "../guiRes/rirurRes/font/iso8859-1-8x16.bin";
    if (k == "name1") answer = "rbf-fixed-rrncnn-16-16-GB2312-0";
    if (k == "fontfile1") answer = "../guiRes/rirurRes/font/gb2312-16x16.bin";
  } else if (s == "truetypefonts") {
    if (k == "font_number") answer = "1";
    if (k == "name0") answer = "ttf-dejavu-rrncnn-0-0-ISO8859-1";
    if (k == "fontfile0") answer = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  }
  if (!answer) return ETC_NO_KEY;
  std::snprintf(value, static_cast<size_t>(len) + 1, "%s", answer);
  return ETC_OK;
}

struct Screen {
  Screen() : pixels(static_cast<size_t>(kWidth) * kHeight) {
    surface = GAL_CreateRGBSurfaceFrom(pixels.data(), kWidth, kHeight, 32, kWidth * 4, 0xFF0000,
                                       0xFF00, 0xFF, 0);
    RequireFuzzSetUp(surface && InitGDI(surface), "the screen cannot be made");
    RequireFuzzSetUp(devfont::LoadRawBitmapFontsFrom(readValue) && devfont::LoadTrueTypeFontsFrom(readValue),
                     "the fonts cannot be loaded");
    latin = CreateLogFont("rbf", "fixed", "ISO8859-1", 'r', 'r', 'n', 'c', 'n', 'n', 16, 0);
    g_SysLogFont[0] = latin;
    gb = CreateLogFont("rbf", "fixed", "GB2312-0", 'b', 'i', 'n', 'c', 'u', 's', 16, 0);
    trueType = CreateLogFont("ttf", "dejavu", "ISO8859-1", 'k', 'r', 'n', 'c', 'n', 'n', 14, 0);
    GuiAppCallbacks hooks{};
    hooks.isRightToLeftLang = [] { return g_rightToLeft ? 1 : 0; };
    SetAppCallbacks(&hooks);
  }
  std::vector<uint32_t> pixels;
  GalSurface* surface = nullptr;
  LogFont* latin = nullptr;
  LogFont* gb = nullptr;
  LogFont* trueType = nullptr;
};

Screen& screen() {
  static Screen s;
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kHeader = 9;
  if (size < kHeader) return 0;
  Screen& s = screen();
  DC* dc = gui::dc::ScreenDC();
  const uint8_t fontBits = data[8];
  LogFont* lf = (fontBits & 1) ? s.trueType : (fontBits & 2) ? s.gb : s.latin;
  if (!lf) return 0;
  dc->font = lf;
  dc->tabStop = data[2] % 16;
  dc->bkMode = (data[0] >> 7) & 1;
  g_rightToLeft = (fontBits & 4) != 0;
  const uint32_t format = (static_cast<uint32_t>(data[1]) << 8 | data[0]) | (uint32_t{data[2]} << 16);
  Rect rect{static_cast<int8_t>(data[3]), static_cast<int8_t>(data[4]), 0, 0};
  rect.right = rect.left + static_cast<int8_t>(data[5]);
  rect.bottom = rect.top + static_cast<int8_t>(data[6]);
  const std::string text(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
  const int len = static_cast<int>(text.size());

  Rect r = rect;
  DrawTextEx2(HDC_SCREEN, text.c_str(), len, &r, static_cast<int8_t>(data[7]), format, nullptr);
  r = rect;
  TextParam param{};
  DrawTextEx2(HDC_SCREEN, text.c_str(), len, &r, data[7], format, &param);
  r = rect;
  DrawTextOmitted(HDC_SCREEN, text.c_str(), len, &r, format, data[5]);
  TextOutOmitted(HDC_SCREEN, rect.left, rect.top, text.c_str(), len, data[6]);
  TabbedTextOutLen(HDC_SCREEN, rect.left, rect.top, text.c_str(), len);
  const int stops[] = {data[3] % 40, data[4] % 40};
  TabbedTextOutEx(HDC_SCREEN, rect.left, rect.top, text.c_str(), len, data[7] % 3, stops, rect.left);
  return 0;
}

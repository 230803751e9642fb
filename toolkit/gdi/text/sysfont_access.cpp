// Start-up and shut-down of text and fonts, and the accessors of the
// system fonts.
#include "gdi/sysfont.h"

namespace {

LogFont* slot(int n) { return n >= 0 && n < SYS_LOGFONT_SLOTS ? g_SysLogFont[n] : nullptr; }

int averageWidth(LogFont* lf, DevFont* df) {
  return lf && df ? df->fontOps->averageWidth(lf, df) : 0;
}

}  // namespace

extern "C" {

BOOL InitTextAndFonts(void) {
  ResetCharWidthCaches();
  return LoadRawBitmapFonts() && LoadTrueTypeFonts() && CreateSysLogFonts() && InitLangBoxFont();
}

// Logical fonts go before the TrueType faces they hold instances of.
void TerminateTextAndFonts(void) {
  DestroyUniqueSysLogFonts();
  sysfont::DestroyLangBoxFonts();
  UnloadTrueTypeFonts();
  UnloadRawBitmapFonts();
  ClearDevFontLists();
  FreeGlyphBuffers();
}

const char* GetSysCharset(BOOL multiByte) {
  LogFont* lf = multiByte ? slot(1) : slot(0);
  if (!lf) return nullptr;
  DevFont* df = multiByte ? lf->multiByteDevFont : lf->singleByteDevFont;
  return df && df->charsetOps ? df->charsetOps->name : nullptr;
}

int GetSysCharWidth(void) {
  LogFont* lf = slot(0);
  return lf ? averageWidth(lf, lf->singleByteDevFont) : 0;
}

int GetSysCCharWidth(void) {
  LogFont* lf = slot(1);
  if (lf && lf->multiByteDevFont) return averageWidth(lf, lf->multiByteDevFont);
  return 2 * GetSysCharWidth();
}

int GetSysCharHeight(void) { return slot(0) ? slot(0)->size : 0; }

int GetSysFontHeight(int n) { return slot(n) ? slot(n)->size : 0; }

int GetSysFontMaxWidth(int n) {
  LogFont* lf = slot(n);
  return lf ? lf->singleByteDevFont->fontOps->maxWidth(lf, lf->singleByteDevFont) : 0;
}

int GetSysFontAveWidth(int n) {
  LogFont* lf = slot(n);
  return lf ? averageWidth(lf, lf->singleByteDevFont) : 0;
}

}  // extern "C"

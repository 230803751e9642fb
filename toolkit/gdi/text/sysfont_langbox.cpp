// The fonts of the language-selection list: one per language index, in the
// language's own charset, at the height of the first system font.
#include <cstdio>
#include <string>

#include "gdi/core_layer.h"
#include "gdi/sysfont.h"
#include "gdi/text/devfont_load.h"

extern "C" {
LogFont* langbox_font[LANG_INDEX_COUNT];
}

namespace sysfont {
namespace {

void destroyLangBoxFonts() {
  for (LogFont*& lf : langbox_font) {
    DestroyLogFont(lf);
    lf = nullptr;
  }
}

}  // namespace

int InitLangBoxFontFrom(const devfont::ConfigRead& read) {
  std::string name;
  if (!devfont::ReadIndexedValue(read, "systemfont", "font", 0, 79, &name)) {
    std::printf("InitLangBoxFont:GetGuiEtcValue failed\n");
    return 0;
  }
  const int height = fontGetHeightFromName(name.c_str());
  if (height == -1) {
    std::printf("InitLangBoxFont:fontGetHeightFromName failed\n");
    return 0;
  }
  destroyLangBoxFonts();
  for (int index = 0; index < LANG_INDEX_COUNT; ++index) {
    char charset[LANG_CHARSET_BUFFER];
    CharsetOfLangIndex(index, charset);
    const char* type = IsMultiByteLangIndex(index) ? "rbf" : "ttf";
    langbox_font[index] =
        CreateLogFont(type, "times", charset, 'b', 'r', 'n', 'c', 'n', 'n', height, 0);
    if (!langbox_font[index]) {
      std::printf("CreateLogFont %d Failed!\n", index);
      std::printf("GDI: Error in creating system logical fonts!\n");
      destroyLangBoxFonts();
      return 0;
    }
  }
  return 1;
}

void DestroyLangBoxFonts() { destroyLangBoxFonts(); }

}  // namespace sysfont

extern "C" int InitLangBoxFont(void) { return sysfont::InitLangBoxFontFrom(Core().guiEtcValue); }

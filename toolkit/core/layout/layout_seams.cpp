// Stand-ins for calls into areas built separately; see layout_seams.h.
#include "core/layout/layout_seams.h"

#include <cstring>

#include "gdi/text/sysfont.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/gui_etc.h"
#include "gui/livevideo.h"
#include "gui/text.h"

namespace layout_seams {

int LanguageIndexOfId(int languageId) { return LangIndexFromLanguageId(languageId); }

Size ScreenExtent(int outputId) {
  Size size{0, 0};
  GetScreenExtentEx(outputId, &size);
  return size;
}

// The old fonts are retired rather than freed: windows still hold them. The
// configuration reader is named here so that the static link finds it
// beside this file rather than only after the text library.
int ReloadLanguageFonts() {
  sysfont::ReplaceSysLogFonts(GetGuiEtcValue, LangIndexFromLanguageId(DeviceConfigLanguageId()));
  ClearHighCharWidthCache();
  PreloadCharWidthCache(TRUE);
  ResetScreenDCFont();
  return 0;
}

}  // namespace layout_seams

// The device-font loaders start-up calls: they read [rawbitmapfonts] and
// [truetypefonts] of the main configuration (the loaded object while InitGUI
// runs, else the file).
#include "gdi/text/devfont_load.h"
#include "gui/gui_etc.h"

extern "C" {

BOOL LoadRawBitmapFonts(void) { return devfont::LoadRawBitmapFontsFrom(GetGuiEtcValue) ? TRUE : FALSE; }

BOOL LoadTrueTypeFonts(void) { return devfont::LoadTrueTypeFontsFrom(GetGuiEtcValue) ? TRUE : FALSE; }

}  // extern "C"

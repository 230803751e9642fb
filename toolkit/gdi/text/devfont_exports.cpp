// The device-font loaders start-up calls: they read [rawbitmapfonts] and
// [truetypefonts] of the main configuration (the loaded object while InitGUI
// runs, else the file).
#include "gdi/core_layer.h"
#include "gdi/text/devfont_load.h"

extern "C" {

BOOL LoadRawBitmapFonts(void) { return devfont::LoadRawBitmapFontsFrom(Core().guiEtcValue) ? TRUE : FALSE; }

BOOL LoadTrueTypeFonts(void) { return devfont::LoadTrueTypeFontsFrom(Core().guiEtcValue) ? TRUE : FALSE; }

}  // extern "C"

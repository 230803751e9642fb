// Calls the layout code makes into areas that are built separately (text and
// fonts, window geometry, pixels). Each stand-in answers as
// the finished call would for the default device, or does nothing, and is
// replaced by the real call once that area exists.
#pragma once

#include <cstdint>

#include "core/layout/window_bitmap.h"
#include "gui/bitmap.h"
#include "gui/common.h"

namespace layout_seams {

// Language index 0..18 of a device language id (LangIndexFromLanguageId).
int LanguageIndexOfId(int languageId);

// Screen size of an output (GetScreenExtentEx).
Size ScreenExtent(int outputId);


// Recreates the system fonts for the language in SystemInfo and refreshes the
// width caches and the screen DC font; 0 on success, -1 when the width cache
// cannot be cleared (DestroySysLogFonts, CreateSysLogFonts,
// ClearHighCharWidthCache, PreloadCharWidthCache, ResetScreenDCFont).
int ReloadLanguageFonts();

}  // namespace layout_seams

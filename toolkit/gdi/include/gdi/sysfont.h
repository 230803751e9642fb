// System logical fonts made from any source of configuration values, so that
// tests can feed them without a configuration file.
#ifndef TOOLKIT_GDI_TEXT_SYSFONT_H
#define TOOLKIT_GDI_TEXT_SYSFONT_H

#include "gdi/font_config_read.h"
#include "gui/text.h"

namespace sysfont {

// At most this many extra sizes are made: slots 7, 8 and 9.
constexpr int kFirstExtraSlot = 7;
constexpr int kMaxExtraFonts = SYS_LOGFONT_SLOTS - kFirstExtraSlot;
constexpr int kAuxSlot = 6;
constexpr int kAuxFontSize = 16;

// CreateSysLogFonts for the language index given: 1 on success, 0 on failure.
int CreateSysLogFontsFrom(const devfont::ConfigRead& read, int langIndex);
int InitLangBoxFontFrom(const devfont::ConfigRead& read);
void DestroyLangBoxFonts();

// The language index the device configuration names.
int CurrentLangIndex();

// Takes the system fonts out of the slots for a language switch without
// freeing them; DestroyUniqueSysLogFonts frees them at shut-down.
void RetireSysLogFonts();

// A language switch: retires the current system fonts and creates those of
// `langIndex`. When they cannot be made, the retired fonts go back into
// their slots so that nothing draws without a font. 1 on success.
int ReplaceSysLogFonts(const devfont::ConfigRead& read, int langIndex);

}  // namespace sysfont

#endif

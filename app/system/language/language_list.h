// The languages the device offers, as list items: value = language index
// + 1, text = the language's name in the current language.
#pragma once

#include "gui/common.h"

namespace language {

// Fills the combo with every selectable language that has a name in
// `section`; the number of items.
int fillLanguageList(WindowHandle owner, int comboId, const char* section);
// The item of the device language `languageId`; the first item when the
// list does not hold it.
void selectLanguage(WindowHandle owner, int comboId, int languageId);
// The device language id of the selected item, or -1 for none.
int selectedLanguageId(WindowHandle owner, int comboId);

}  // namespace language

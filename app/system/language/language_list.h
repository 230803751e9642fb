// The languages the device offers, as list items: value = language index
// + 1 and the language's picture (its name written in itself), or its name
// in the current language when the layout has no picture for it.
#pragma once

#include "gui/common.h"

namespace language {

// Fills the combo with every selectable language that has a picture or a
// name in `section`; the number of items. A language without a picture
// shows its name instead, so a layout that lacks the pictures loses nothing.
int fillLanguageList(WindowHandle owner, int comboId, const char* section);
// The one item of a device that offers a single language: the name of
// `key` in `section`, value `value`, without a picture.
void fillSingleLanguage(WindowHandle owner, int comboId, const char* section, const char* key, int value);
// The item of the device language `languageId`; the first item when the
// list does not hold it.
void selectLanguage(WindowHandle owner, int comboId, int languageId);
// The device language id of the selected item, or -1 for none.
int selectedLanguageId(WindowHandle owner, int comboId);

}  // namespace language

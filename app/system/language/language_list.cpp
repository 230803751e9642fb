// The language list the first-start dialog and the general settings share.
#include "app/system/language/language_list.h"

#include "app/formatting.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/text.h"
#include "gui/window.h"

namespace language {
namespace {

// The names the resources carry, by language index.
const char* nameKey(int index) {
  switch (index) {
    case 0: return "lang_english";
    case 1: return "lang_simp_cn";
    case 6: return "lang_german";
    default: return nullptr;
  }
}

}  // namespace

int fillLanguageList(WindowHandle owner, int comboId, const char* section) {
  SendDlgItemMessage(owner, comboId, CB_DELETEALL, 0, 0);
  int count = 0;
  for (int index = 0; index < LAYOUT_MAX_LANGUAGES; ++index) {
    const char* key = nameKey(index);
    const char* text = key && isLangSelectable(index) ? lookupText(section, key) : nullptr;
    if (!text) continue;
    SendDlgItemMessage(owner, comboId, CB_ADDSTRING, static_cast<WParam>(index + 1), reinterpret_cast<LParam>(text));
    ++count;
  }
  return count;
}

void selectLanguage(WindowHandle owner, int comboId, int languageId) {
  SendDlgItemMessage(owner, comboId, CB_SELECTVALUE, static_cast<WParam>(LangIndexFromLanguageId(languageId) + 1), 0);
  if (SendDlgItemMessage(owner, comboId, CB_GETCURSEL, 0, 0) < 0) SendDlgItemMessage(owner, comboId, CB_SETCURSEL, 0, 0);
}

int selectedLanguageId(WindowHandle owner, int comboId) {
  const LResult value = SendDlgItemMessage(owner, comboId, CB_GETSELVALUE, 0, 0);
  if (value < 1 || value > LAYOUT_MAX_LANGUAGES) return -1;
  return LanguageIdFromLangIndex(static_cast<int>(value) - 1);
}

}  // namespace language

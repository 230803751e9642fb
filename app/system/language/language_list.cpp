// The language list the first-start dialog and the general settings share.
#include "app/system/language/language_list.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "app/control_services.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/page_frame.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/listbox.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

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

// The lists keep pointers to these records, so they outlive every list.
// A slot is written only when the layout's picture changed (a new layout
// load), never while a list shows the one it holds.
std::mutex g_picturesLock;
std::array<Bitmap, LAYOUT_MAX_LANGUAGES> g_pictures{};

const Bitmap* picture(int index) {
  Bitmap found{};
  std::lock_guard<std::mutex> lock(g_picturesLock);
  Bitmap& kept = g_pictures[static_cast<size_t>(index)];
  if (!GetLayoutBitmap(index, &found)) return nullptr;
  if (std::memcmp(&kept, &found, sizeof found) != 0) kept = found;
  return &kept;
}

WindowHandle listOf(WindowHandle owner, int comboId) {
  WindowHandle list = 0;
  SendDlgItemMessage(owner, comboId, CB_GETCHILDREN, 0, reinterpret_cast<LParam>(&list));
  return list;
}

// Items of a picture list are ListBoxItemInfo records, of a text list bare
// texts; the list is emptied before its kind changes.
void usePictures(WindowHandle owner, int comboId, bool pictures) {
  SendDlgItemMessage(owner, comboId, CB_DELETEALL, 0, 0);
  const WindowHandle list = listOf(owner, comboId);
  if (!list) return;
  if (pictures)
    IncludeWindowStyle(list, LBS_USEICON);
  else
    ExcludeWindowStyle(list, LBS_USEICON);
}

}  // namespace

int fillLanguageList(WindowHandle owner, int comboId, const char* section) {
  usePictures(owner, comboId, true);
  int count = 0;
  for (int index = 0; index < LAYOUT_MAX_LANGUAGES; ++index) {
    if (!isLangSelectable(index)) continue;
    const Bitmap* shown = picture(index);
    const char* key = nameKey(index);
    const char* text = key ? lookupText(section, key) : nullptr;
    if (!shown && !text) continue;
    // The picture is the language's name: a row shows it alone.
    ListBoxItemInfo item{shown || !text ? "" : text, shown ? LBIF_BITMAP : 0u, reinterpret_cast<uintptr_t>(shown), 0};
    SendDlgItemMessage(owner, comboId, CB_ADDSTRING, static_cast<WParam>(index + 1), reinterpret_cast<LParam>(&item));
    ++count;
  }
  return count;
}

void fillSingleLanguage(WindowHandle owner, int comboId, const char* section, const char* key, int value) {
  usePictures(owner, comboId, false);
  ValueKeyRow row{};
  std::snprintf(row.key, sizeof row.key, "%s", key ? key : "");
  row.value = value;
  addValueComboItems(owner, comboId, &row, 1, section, 1);
}

void selectLanguage(WindowHandle owner, int comboId, int languageId) {
  selectComboValue(owner, comboId, LangIndexFromLanguageId(languageId) + 1);
  if (SendDlgItemMessage(owner, comboId, CB_GETCURSEL, 0, 0) < 0) SendDlgItemMessage(owner, comboId, CB_SETCURSEL, 0, 0);
}

int selectedLanguageId(WindowHandle owner, int comboId) {
  const LResult value = SendDlgItemMessage(owner, comboId, CB_GETSELVALUE, 0, 0);
  if (value < 1 || value > LAYOUT_MAX_LANGUAGES) return -1;
  return LanguageIdFromLangIndex(static_cast<int>(value) - 1);
}

}  // namespace language

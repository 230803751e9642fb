// The device's language ids, the language indexes the toolkit numbers its
// fonts and texts by, and the charset each language writes in.
#include <cstdio>
#include <cstring>

#include "gui/text.h"

namespace {

struct Language {
  int id;
  const char* charset;
};

constexpr Language kLanguages[LANG_INDEX_COUNT] = {
    {1, "ISO8859-1"},  {2, "GB2312-0"},   {20, "ISO8859-5"}, {21, "ISO8859-5"},
    {25, "ISO8859-2"}, {32, "ISO8859-7"}, {33, "ISO8859-1"}, {34, "ISO8859-9"},
    {39, "ISO8859-2"}, {59, "ISO8859-2"}, {41, "ISO8859-1"}, {42, "ISO8859-2"},
    {52, "ISO8859-1"}, {53, "ISO8859-1"}, {54, "ISO8859-1"}, {31, "ISO8859-8"},
    {50, "UTF-8"},     {28, "ISO8859-9"}, {4, "JISX0208-1"},
};

bool validIndex(int index) { return index >= 0 && index < LANG_INDEX_COUNT; }

}  // namespace

extern "C" {

int LanguageIdFromLangIndex(int index) { return validIndex(index) ? kLanguages[index].id : 1; }

int LangIndexFromLanguageId(int languageId) {
  for (int index = 0; index < LANG_INDEX_COUNT; ++index)
    if (kLanguages[index].id == languageId) return index;
  return 0;
}

void CharsetOfLangIndex(int index, char* charset) {
  if (!charset) return;
  std::memset(charset, 0, LANG_CHARSET_BUFFER);
  const char* name = validIndex(index) ? kLanguages[index].charset : "ISO8859-1";
  std::snprintf(charset, LANG_CHARSET_BUFFER, "%s", name);
}

BOOL IsMultiByteLangIndex(int index) {
  const int id = LanguageIdFromLangIndex(index);
  return id >= 2 && id <= 5;
}

}  // extern "C"

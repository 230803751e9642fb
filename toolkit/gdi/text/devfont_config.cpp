// Reading the font sections of a configuration.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gdi/text/devfont_load.h"

namespace devfont {

const char kRawBitmapSection[] = "rawbitmapfonts";
const char kTrueTypeSection[] = "truetypefonts";

bool ReadFontCount(const ConfigRead& read, const char* section, int* count) {
  char text[50] = {};
  if (read(section, "font_number", text, sizeof text - 1) != 0) return false;
  errno = 0;
  long n = std::strtol(text, nullptr, 0);
  // As the configuration's integer reader: text that is no number reads as 0.
  if (errno == ERANGE || n < INT32_MIN || n > INT32_MAX) return false;
  *count = static_cast<int>(n);
  return true;
}

bool ReadIndexedValue(const ConfigRead& read, const char* section, const char* key, int index,
                      size_t maxLen, std::string* value) {
  char fullKey[64];
  std::snprintf(fullKey, sizeof fullKey, "%s%d", key, index);
  std::vector<char> text(maxLen + 1, '\0');
  if (read(section, fullKey, text.data(), static_cast<int>(maxLen)) != 0) return false;
  text[maxLen] = '\0';
  value->assign(text.data());
  return true;
}

bool ReadFontEntry(const ConfigRead& read, const char* section, int index, size_t maxNameLen,
                   FontEntry* entry) {
  constexpr size_t kMaxPathLen = 1024;
  if (!ReadIndexedValue(read, section, "name", index, maxNameLen, &entry->name)) return false;
  char charset[FONT_FIELD_LEN + 1];
  if (!fontGetCharsetFromName(entry->name.c_str(), charset)) return false;
  entry->charset = GetCharsetOpsEx(charset);
  return entry->charset &&
         ReadIndexedValue(read, section, "fontfile", index, kMaxPathLen, &entry->file);
}

void InitDevFont(DevFont* df, const FontEntry& entry, const FontOps* ops, void* data) {
  std::snprintf(df->name, sizeof df->name, "%s", entry.name.c_str());
  uint32_t style = fontGetStyleFromName(entry.name.c_str());
  df->style = style == FONT_STYLE_INVALID ? 0 : style;
  df->fontOps = ops;
  df->charsetOps = entry.charset;
  df->nextSingleByte = df->nextMultiByte = nullptr;
  df->data = data;
}

}  // namespace devfont

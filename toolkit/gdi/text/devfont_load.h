// Loading device fonts from configuration values. The exported loaders read
// the main configuration; these take any source of values, so that tests and
// fuzzers can feed them directly.
#ifndef TOOLKIT_GDI_TEXT_DEVFONT_LOAD_H
#define TOOLKIT_GDI_TEXT_DEVFONT_LOAD_H

#include <memory>
#include <string>
#include <vector>

#include "gdi/font_config_read.h"
#include "gui/font.h"

namespace devfont {

extern const char kRawBitmapSection[];
extern const char kTrueTypeSection[];

// font_number of a section: false when it is missing or not a number.
bool ReadFontCount(const ConfigRead& read, const char* section, int* count);
// key%d of a section into a string of at most maxLen characters.
bool ReadIndexedValue(const ConfigRead& read, const char* section, const char* key, int index,
                      size_t maxLen, std::string* value);

// One font of a section: name%d, its first charset known by exact name, and
// fontfile%d.
struct FontEntry {
  std::string name;
  std::string file;
  const CharsetOps* charset = nullptr;
};
bool ReadFontEntry(const ConfigRead& read, const char* section, int index, size_t maxNameLen,
                   FontEntry* entry);
// Fills a device font's name, style, operations, charset and data.
void InitDevFont(DevFont* df, const FontEntry& entry, const FontOps* ops, void* data);

// Loads fonts 0..count-1 with loadOne(index), all or none: at the first
// failure the fonts loaded so far are dropped and the answer is false.
template <typename Font, typename LoadOne>
bool LoadEachFont(int count, LoadOne loadOne, std::vector<std::unique_ptr<Font>>* fonts) {
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<Font> font = loadOne(i);
    if (!font) {
      fonts->clear();
      return false;
    }
    fonts->push_back(std::move(font));
  }
  return true;
}

bool LoadRawBitmapFontsFrom(const ConfigRead& read);
bool LoadTrueTypeFontsFrom(const ConfigRead& read);

}  // namespace devfont

#endif

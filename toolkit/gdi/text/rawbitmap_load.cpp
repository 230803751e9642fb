// Loading the raw bitmap fonts named in the configuration.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gdi/text/devfont_list.h"
#include "gdi/text/devfont_load.h"
#include "gdi/text/rawbitmap_font.h"

namespace {

constexpr size_t kNameLen = 79;

struct LoadedRawFont {
  rawfont::RawBitmapFont font;
  DevFont devfont{};
};

std::vector<std::unique_ptr<LoadedRawFont>> g_rawFonts;

bool readWholeFile(const std::string& path, size_t needed, std::vector<unsigned char>* data) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  data->resize(needed);
  return needed == 0 || std::fread(data->data(), 1, needed, file.get()) == needed;
}

std::unique_ptr<LoadedRawFont> loadOne(const devfont::ConfigRead& read, int index) {
  devfont::FontEntry entry;
  if (!devfont::ReadFontEntry(read, devfont::kRawBitmapSection, index, kNameLen, &entry))
    return nullptr;
  auto loaded = std::make_unique<LoadedRawFont>();
  rawfont::RawBitmapFont& font = loaded->font;
  font.charset = entry.charset;
  font.nrChars = entry.charset->nr_chars;
  font.width = fontGetWidthFromName(entry.name.c_str());
  font.height = fontGetHeightFromName(entry.name.c_str());
  if (font.width <= 0 || font.height <= 0) return nullptr;
  if (!readWholeFile(entry.file, font.dataSize(), &font.data)) return nullptr;
  devfont::InitDevFont(&loaded->devfont, entry, &rawfont::kRawBitmapOps, &loaded->font);
  return loaded;
}

}  // namespace

namespace devfont {

bool LoadRawBitmapFontsFrom(const ConfigRead& read) {
  int count = 0;
  if (!ReadFontCount(read, kRawBitmapSection, &count)) return false;
  std::vector<std::unique_ptr<LoadedRawFont>> fonts;
  for (int i = 0; i < count; ++i) {
    auto font = loadOne(read, i);
    if (!font) return false;  // everything loaded so far goes with `fonts`
    fonts.push_back(std::move(font));
  }
  for (auto& font : fonts) {
    AppendToItsList(&font->devfont);
    g_rawFonts.push_back(std::move(font));
  }
  return true;
}

}  // namespace devfont

extern "C" void UnloadRawBitmapFonts(void) { g_rawFonts.clear(); }

// Loading the raw bitmap fonts named in the configuration.
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gdi/core_layer.h"
#include "gdi/readable_file.h"
#include "gdi/startup_report.h"
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

// Bytes of the glyphs of a width x height cell font; false when the count
// does not fit a size_t (a hostile name).
bool glyphDataSize(const rawfont::RawBitmapFont& font, size_t* size) {
  const size_t pitch = (static_cast<size_t>(font.width) + 7) / 8;
  size_t glyph = 0;
  return !__builtin_mul_overflow(pitch, static_cast<size_t>(font.height), &glyph) &&
         !__builtin_mul_overflow(glyph, static_cast<size_t>(font.nrChars), size);
}

// The file must hold the glyphs; they are read when first drawn.
bool holdsGlyphs(const std::string& path, size_t needed) {
  files::ReadableFile file(path.c_str(), files::kMaxBinaryFile);
  if (!file.IsOpen()) {
    ReportStartupProblem("font file \"%s\" %s", ShownPath(path.c_str()).c_str(), file.Why().c_str());
    return false;
  }
  if (file.Size() < needed) {
    ReportStartupProblem("font file \"%s\" is shorter than its %zu bytes of glyphs",
                         ShownPath(path.c_str()).c_str(), needed);
    return false;
  }
  return true;
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
  size_t needed = 0;
  if (!glyphDataSize(font, &needed) || !holdsGlyphs(entry.file, needed)) return nullptr;
  // Read later, from wherever the program then runs.
  std::unique_ptr<char, void (*)(void*)> absolute(::realpath(entry.file.c_str(), nullptr), std::free);
  font.file = absolute ? absolute.get() : entry.file;
  font.dataSize = needed;
  devfont::InitDevFont(&loaded->devfont, entry, &rawfont::kRawBitmapOps, &loaded->font);
  return loaded;
}

}  // namespace

namespace devfont {

bool LoadRawBitmapFontsFrom(const ConfigRead& read) {
  int count = 0;
  if (!ReadFontCount(read, kRawBitmapSection, &count)) return false;
  // A negative count is refused as one above the fonts listed is.
  if (count < 0) {
    ReportStartupProblem("configuration file \"%s\" has [%s] font_number %d; 0 or more fonts are needed",
                         ShownPath(Core().guiEtcPath()).c_str(), kRawBitmapSection, count);
    return false;
  }
  std::vector<std::unique_ptr<LoadedRawFont>> fonts;
  if (!LoadEachFont(count, [&read](int i) { return loadOne(read, i); }, &fonts)) return false;
  for (auto& font : fonts) {
    AppendToItsList(&font->devfont);
    g_rawFonts.push_back(std::move(font));
  }
  return true;
}

}  // namespace devfont

extern "C" void UnloadRawBitmapFonts(void) { g_rawFonts.clear(); }

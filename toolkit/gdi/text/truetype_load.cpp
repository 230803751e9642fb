// Loading the TrueType faces named in the configuration.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gdi/readable_file.h"
#include "gdi/startup_report.h"
#include "gdi/text/devfont_list.h"
#include "gdi/text/devfont_load.h"
#include "gdi/text/truetype_font.h"

namespace {

constexpr size_t kNameLen = 127;

struct LoadedFace {
  truetype::TrueTypeFont font;
  DevFont devfont{};
  // The same face bound to the further charsets of its name.
  std::vector<std::unique_ptr<DevFont>> copies;

  ~LoadedFace() {
    if (font.face) FT_Done_Face(font.face);
  }
};

FT_Library g_library = nullptr;
std::vector<std::unique_ptr<LoadedFace>> g_faces;

void stopLibrary() {
  if (g_faces.empty() && g_library) {
    FT_Done_FreeType(g_library);
    g_library = nullptr;
  }
}

// The first Unicode character map (Windows Unicode BMP, or Unicode).
FT_CharMap unicodeCharmap(FT_Face face) {
  for (int i = 0; i < face->num_charmaps; ++i) {
    FT_CharMap map = face->charmaps[i];
    if ((map->platform_id == 3 && map->encoding_id == 1) ||
        (map->platform_id == 0 && map->encoding_id == 0))
      return map;
  }
  return nullptr;
}

bool openFace(const std::string& path, truetype::TrueTypeFont* font) {
  // FreeType would wait on a FIFO and read a device: vetted first.
  std::string why;
  if (!files::IsReadableFile(path.c_str(), files::kMaxBinaryFile, &why)) {
    ReportStartupProblem("font file \"%s\" %s", ShownPath(path.c_str()).c_str(), why.c_str());
    return false;
  }
  if (FT_New_Face(g_library, path.c_str(), 0, &font->face) != 0) {
    font->face = nullptr;
    ReportStartupProblem("font file \"%s\" is missing or not a font FreeType can open",
                         ShownPath(path.c_str()).c_str());
    return false;
  }
  FT_Face face = font->face;
  if (!FT_IS_SCALABLE(face) || face->num_glyphs < 1) return false;
  font->charmap = unicodeCharmap(face);
  if (!font->charmap || FT_Set_Charmap(face, font->charmap) != 0) return false;
  font->kerningUsable = FT_HAS_KERNING(face);
  font->lastTableGlyph =
      static_cast<int>(std::min<FT_Long>(face->num_glyphs, truetype::kWidthTableSize)) - 1;
  font->valid = true;
  return true;
}

std::unique_ptr<LoadedFace> loadOne(const devfont::ConfigRead& read, int index) {
  devfont::FontEntry entry;
  if (!devfont::ReadFontEntry(read, devfont::kTrueTypeSection, index, kNameLen, &entry))
    return nullptr;
  auto loaded = std::make_unique<LoadedFace>();
  if (!openFace(entry.file, &loaded->font)) return nullptr;
  devfont::InitDevFont(&loaded->devfont, entry, &truetype::kTrueTypeOps, &loaded->font);
  return loaded;
}

// The face serves every further charset of its name that is known.
void appendWithFurtherCharsets(LoadedFace* face) {
  devfont::AppendToItsList(&face->devfont);
  char list[FONT_CHARSET_LIST_LEN + 1];
  if (!fontGetCharsetListFromName(face->devfont.name, list)) return;
  char charset[FONT_FIELD_LEN + 1];
  for (int n = 1; n < fontGetCharsetCount(list); ++n) {
    if (!fontGetNthCharsetFromName(list, charset, n)) continue;
    const CharsetOps* ops = GetCharsetOpsEx(charset);
    if (!ops) continue;
    auto copy = std::make_unique<DevFont>(face->devfont);
    copy->charsetOps = ops;
    devfont::AppendToItsList(copy.get());
    face->copies.push_back(std::move(copy));
  }
}

}  // namespace

namespace truetype {
FT_Library Library() { return g_library; }

std::mutex& FaceLock() {
  static std::mutex lock;
  return lock;
}
}  // namespace truetype

namespace devfont {

bool LoadTrueTypeFontsFrom(const ConfigRead& read) {
  int count = 0;
  if (!ReadFontCount(read, kTrueTypeSection, &count)) return false;
  if (count < 1) return true;
  if (!g_library && FT_Init_FreeType(&g_library) != 0) {
    g_library = nullptr;
    return false;
  }
  std::vector<std::unique_ptr<LoadedFace>> faces;
  if (!LoadEachFont(count, [&read](int i) { return loadOne(read, i); }, &faces)) {
    stopLibrary();  // the faces are closed before the library goes
    return false;
  }
  for (auto& face : faces) {
    appendWithFurtherCharsets(face.get());
    g_faces.push_back(std::move(face));
  }
  return true;
}

}  // namespace devfont

extern "C" void UnloadTrueTypeFonts(void) {
  g_faces.clear();
  stopLibrary();
}

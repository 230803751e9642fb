// The system logical fonts: one font per configured name, the language font
// chosen by charset in every slot, a 16-pixel copy for the auxiliary display
// and the extra sizes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gdi/core_layer.h"
#include "gdi/startup_report.h"
#include "gdi/sysfont.h"
#include "gdi/text/devfont_load.h"
#include "gui/app_hooks.h"
#include "gui/config.h"

namespace sysfont {
namespace {

const char kSection[] = "systemfont";
const char kExtraSection[] = "extrafontsize";
constexpr size_t kMaxFontName = 79;
constexpr int kCreatedCapacity = SYS_LOGFONT_SLOTS + 1;

// Every LogFont CreateSysLogFonts made, so that exactly these are freed.
std::vector<LogFont*>& created() {
  static std::vector<LogFont*> list;
  return list;
}

// Fonts of an earlier language, kept until shut-down.
std::vector<LogFont*>& retired() {
  static std::vector<LogFont*> list;
  return list;
}

// The fields of one configured name that a LogFont is made from.
struct FontName {
  std::string name;
  char type[FONT_FIELD_LEN + 1] = {};
  char family[FONT_FIELD_LEN + 1] = {};
  char charset[FONT_FIELD_LEN + 1] = {};
  char style[7] = {};
  int height = -1;
};

// The third '-' field's first six letters.
bool styleLetters(const std::string& name, char* letters) {
  size_t first = name.find('-');
  size_t second = first == std::string::npos ? first : name.find('-', first + 1);
  if (second == std::string::npos) return false;
  std::string field = name.substr(second + 1, 6);
  if (field.size() < 6 || field.find('-') != std::string::npos) return false;
  std::memcpy(letters, field.c_str(), 7);
  return true;
}

bool parseFontName(const std::string& name, FontName* font) {
  font->name = name;
  const char* n = name.c_str();
  if (!fontGetTypeNameFromName(n, font->type) || !fontGetFamilyFromName(n, font->family) ||
      !styleLetters(name, font->style) || !fontGetCharsetFromName(n, font->charset))
    return false;
  font->height = fontGetHeightFromName(n);
  return font->height != -1;
}

LogFont* createFrom(const FontName& font, int size) {
  const char* s = font.style;
  LogFont* lf = CreateLogFont(font.type, font.family, font.charset, s[0], s[1], s[2], s[3], s[4],
                              s[5], size, 0);
  if (lf && created().size() < kCreatedCapacity) created().push_back(lf);
  else if (lf) {
    DestroyLogFont(lf);
    lf = nullptr;
  }
  return lf;
}

int maxBytesOf(const char* charset) {
  const CharsetOps* ops = GetCharsetOps(charset);
  return ops ? ops->bytes_maxlen_char : 0;
}

// Font 0 always writes a single-byte charset: the language's own when it
// has one, else ISO8859-1.
void pickFirstFontCharset(int langIndex, FontName* font) {
  char langCharset[LANG_CHARSET_BUFFER];
  CharsetOfLangIndex(langIndex, langCharset);
  const bool singleByteLanguage = !IsMultiByteLangIndex(langIndex) && maxBytesOf(langCharset) == 1;
  std::snprintf(font->charset, sizeof font->charset, "%s",
                singleByteLanguage ? langCharset : "ISO8859-1");
}

bool readCount(const devfont::ConfigRead& read, const char* section, const char* key, int* value) {
  char text[32] = {};
  if (read(section, key, text, sizeof text - 1) != ETC_OK) return false;
  *value = std::atoi(text);
  return true;
}

// Diagnostics go to standard output: standard error carries the one line
// in which the program says why start-up failed.
int fail() {
  std::printf("GDI: Error in creating system logical fonts!\n");
  DestroySysLogFonts();
  return 0;
}

struct Counts {
  int fonts = 0;
  int extras = 0;
  // The counts read when, together, they asked for more than the slots:
  // the fonts then fill all but one slot and no extra size is made.
  int fontsAsked = 0;
  int extrasAsked = 0;
};

bool readCounts(const devfont::ConfigRead& read, Counts* counts) {
  if (!readCount(read, kSection, "font_number", &counts->fonts)) return false;
  if (!readCount(read, kExtraSection, "extra_number", &counts->extras)) counts->extras = 0;
  if (counts->fonts < 1) {
    ReportStartupProblem("configuration file \"%s\" has [%s] font_number %d; at least 1 font is needed",
                         ShownPath(Core().guiEtcPath()).c_str(), kSection, counts->fonts);
    return false;
  }
  // A negative count must not make room for more fonts than the slots hold.
  if (counts->extras < 0) {
    WarnOfFallback("configuration file \"%s\" has [%s] extra_number=%d; no extra font sizes are made instead",
                   ShownPath(Core().guiEtcPath()).c_str(), kExtraSection, counts->extras);
    counts->extras = 0;
  }
  if (counts->fonts > SYS_LOGFONT_SLOTS - counts->extras) {
    counts->fontsAsked = counts->fonts;
    counts->extrasAsked = counts->extras;
    counts->fonts = SYS_LOGFONT_SLOTS - 1;
    counts->extras = 0;
  }
  // The slot table has room for three extra sizes; further ones are ignored.
  if (counts->extras > kMaxExtraFonts) counts->extras = kMaxExtraFonts;
  return true;
}

// What the configured fonts gave: the language's font and its fields (font
// 0's when no charset matched).
struct Configured {
  bool ok = false;
  LogFont* language = nullptr;
  bool matched = false;
  FontName font;
};

// A font past those configured is read only because the counts together
// asked for more than the slots: the refusal names that cause.
void ReportUnusableFont(const Counts& counts, int i, const std::string& name) {
  const std::string file = ShownPath(Core().guiEtcPath());
  if (i < counts.fontsAsked || counts.extrasAsked == 0) {
    ReportStartupProblem("configuration file \"%s\" has an unusable [%s] font%d \"%s\"", file.c_str(), kSection, i,
                         name.c_str());
    return;
  }
  ReportStartupProblem("configuration file \"%s\" has [%s] extra_number %d, which with [%s] font_number %d asks for "
                       "more than the %d font slots, so %d fonts are read, and font%d \"%s\" is unusable",
                       file.c_str(), kExtraSection, counts.extrasAsked, kSection, counts.fontsAsked,
                       SYS_LOGFONT_SLOTS, counts.fonts, i, name.c_str());
}

Configured createConfiguredFonts(const devfont::ConfigRead& read, const Counts& counts, int langIndex) {
  Configured result;
  char langCharset[LANG_CHARSET_BUFFER];
  CharsetOfLangIndex(langIndex, langCharset);
  int languageFont = -1;
  for (int i = 0; i < counts.fonts; ++i) {
    std::string name;
    FontName font;
    if (!devfont::ReadIndexedValue(read, kSection, "font", i, kMaxFontName, &name) ||
        !parseFontName(name, &font)) {
      std::printf("GDI: Invalid system logical font name: %s.\n", name.c_str());
      ReportUnusableFont(counts, i, name);
      return result;
    }
    if (i == 0) pickFirstFontCharset(langIndex, &font);
    if (languageFont < 0 && std::strcmp(font.charset, langCharset) == 0) languageFont = i;
    if (i == 0 && maxBytesOf(font.charset) > 1) {
      std::printf("GDI: First system font should be a single-byte charset. font_name: %s\n", name.c_str());
      ReportStartupProblem("configuration file \"%s\" has a [%s] font0 \"%s\" of a multi-byte charset; the first "
                           "font must be single-byte",
                           ShownPath(Core().guiEtcPath()).c_str(), kSection, name.c_str());
      return result;
    }
    LogFont* lf = createFrom(font, font.height);
    if (!lf) {
      std::printf("GDI: Error when creating system logical font.\n");
      ReportStartupProblem("configuration file \"%s\" has a [%s] font%d \"%s\" that no loaded device font serves",
                           ShownPath(Core().guiEtcPath()).c_str(), kSection, i, name.c_str());
      return result;
    }
    if (i == 0) g_SysLogFont[0] = lf;
    if (i == 0 || i == languageFont) {
      result.font = font;
      result.language = lf;
    }
  }
  result.matched = languageFont >= 0;
  result.ok = true;
  return result;
}

bool createExtraFonts(const devfont::ConfigRead& read, int extras, const FontName& font) {
  for (int j = 0; j < extras; ++j) {
    char key[32];
    std::snprintf(key, sizeof key, "extra_font%d", j);
    int size = 0;
    LogFont* lf = readCount(read, kExtraSection, key, &size) ? createFrom(font, size) : nullptr;
    if (!lf) {
      std::printf("GDI: Error when creating system extra logical font.\n");
      ReportStartupProblem("configuration file \"%s\" has a [%s] %s that no font can be made at",
                           ShownPath(Core().guiEtcPath()).c_str(), kExtraSection, key);
      return false;
    }
    g_SysLogFont[kFirstExtraSlot + j] = lf;
  }
  return true;
}

}  // namespace

int CreateSysLogFontsFrom(const devfont::ConfigRead& read, int langIndex) {
  Counts counts;
  if (!readCounts(read, &counts)) return fail();
  const Configured fonts = createConfiguredFonts(read, counts, langIndex);
  if (!fonts.ok) return fail();
  if (!fonts.matched) std::fprintf(stderr, "Find font id failed,set font0 default!\n");
  LogFont* language = fonts.language;
  const FontName& languageFontName = fonts.font;
  for (LogFont*& slot : g_SysLogFont) slot = language;
  if (language->size != kAuxFontSize) {
    LogFont* copy = createFrom(languageFontName, kAuxFontSize);
    if (!copy) {
      std::printf("GDI: Error when creating system extra logical font.\n");
      return fail();
    }
    g_SysLogFont[kAuxSlot] = copy;
  }
  if (counts.extras == 0) {
    std::printf("Can't find extra seciton,use default extra logical font!\n");
    std::fflush(stdout);
    return 1;
  }
  return createExtraFonts(read, counts.extras, languageFontName) ? 1 : fail();
}

int CurrentLangIndex() { return LangIndexFromLanguageId(DeviceConfigLanguageId()); }

// Windows and DCs made before a language switch still point at the old
// fonts, so those stay allocated (a few per switch) until shut-down.
void RetireSysLogFonts() {
  for (LogFont*& slot : g_SysLogFont) slot = nullptr;
  retired().insert(retired().end(), created().begin(), created().end());
  created().clear();
}

int ReplaceSysLogFonts(const devfont::ConfigRead& read, int langIndex) {
  LogFont* previous[SYS_LOGFONT_SLOTS];
  std::memcpy(previous, g_SysLogFont, sizeof previous);
  RetireSysLogFonts();
  if (CreateSysLogFontsFrom(read, langIndex)) return 1;
  std::memcpy(g_SysLogFont, previous, sizeof previous);
  return 0;
}

}  // namespace sysfont

namespace {

bool isCreated(const LogFont* lf) {
  for (LogFont* c : sysfont::created())
    if (c == lf) return true;
  return false;
}

}  // namespace

extern "C" {

int CreateSysLogFonts(void) {
  return sysfont::CreateSysLogFontsFrom(Core().guiEtcValue, sysfont::CurrentLangIndex());
}

// The slots are cleared with the fonts so that nothing keeps a freed font.
void DestroySysLogFonts(void) {
  for (LogFont*& slot : g_SysLogFont)
    if (isCreated(slot)) slot = nullptr;
  for (LogFont* lf : sysfont::created()) DestroyLogFont(lf);
  sysfont::created().clear();
}

// Each distinct font once, also the configured fonts that hold no slot and
// those of earlier languages.
void DestroyUniqueSysLogFonts(void) {
  std::vector<LogFont*> fonts = sysfont::created();
  fonts.insert(fonts.end(), sysfont::retired().begin(), sysfont::retired().end());
  sysfont::retired().clear();
  for (LogFont* lf : g_SysLogFont)
    if (lf && !isCreated(lf)) fonts.push_back(lf);
  for (size_t i = 0; i < fonts.size(); ++i) {
    bool seen = false;
    for (size_t k = 0; k < i; ++k) seen = seen || fonts[k] == fonts[i];
    if (!seen) DestroyLogFont(fonts[i]);
  }
  sysfont::created().clear();
  for (LogFont*& slot : g_SysLogFont) slot = nullptr;
}

}  // extern "C"

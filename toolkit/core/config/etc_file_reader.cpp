// Single values read directly from a configuration file.
#include <cstdio>
#include <memory>
#include <string>

#include "core/config/etc_line.h"
#include "core/config/etc_store.h"
#include "core/config/etc_text.h"
#include "gui/config.h"

namespace {

using etc::FilePtr;

bool SkipToSection(std::FILE* f, const char* section) {
  std::string line;
  while (etc::ReadEtcLine(f, line))
    if (etc::IsSectionNamed(etc::ParseEtcLine(line), section)) return true;
  return false;
}

// Searches the key lines up to the next header; comments and blank lines
// are passed over.
int FindKeyInSection(std::FILE* f, const char* key, char* value, int len) {
  std::string line;
  while (etc::ReadEtcLine(f, line)) {
    etc::ParsedLine parsed = etc::ParseEtcLine(line);
    if (parsed.kind == etc::LineKind::Section) return ETC_NO_KEY;
    if (parsed.kind == etc::LineKind::Key && parsed.name == key) {
      std::string stored(parsed.value);
      etc::CopyValueOut(stored.c_str(), value, len);
      return ETC_OK;
    }
  }
  return ETC_NO_KEY;
}

}  // namespace

extern "C" int GetValueFromEtcFile(const char* path, const char* section, const char* key, char* value, int len) {
  if (path == nullptr || key == nullptr || value == nullptr || len <= 0) return ETC_BAD_ARGUMENT;
  // Never blocks on a FIFO nor reads a device or a huge file line by line.
  etc::ReadableFile file(path, files::kMaxTextFile);
  FilePtr f(file.TakeStream());
  if (!f) return ETC_BAD_ARGUMENT;
  if (section != nullptr && !SkipToSection(f.get(), section)) return ETC_NO_SECTION;
  return FindKeyInSection(f.get(), key, value, len);
}

extern "C" int GetIntValueFromEtcFile(const char* path, const char* section, const char* key, int* value) {
  if (value == nullptr) return ETC_BAD_ARGUMENT;
  char text[50];
  int rc = GetValueFromEtcFile(path, section, key, text, sizeof text);
  return rc == ETC_OK ? etc::TextToInt(text, value) : rc;
}

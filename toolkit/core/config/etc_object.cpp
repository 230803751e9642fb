// Configuration files loaded into EtcFile objects: load, query, change,
// save, unload.
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/config/etc_line.h"
#include "core/config/etc_replace.h"
#include "core/config/etc_store.h"
#include "gui/config.h"

namespace {

struct EtcFileDeleter {
  void operator()(EtcFile* file) const { etc::DeleteEtcFile(file); }
};
using EtcFilePtr = std::unique_ptr<EtcFile, EtcFileDeleter>;

using etc::FilePtr;

bool ReadWholeFile(std::FILE* f, std::vector<char>& buffer) {
  struct stat info {};
  if (::fstat(::fileno(f), &info) != 0) return false;
  // No configuration file comes near this; a larger size would only ask
  // for a buffer that cannot be had.
  if (info.st_size > INT_MAX) return false;
  buffer.resize(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0);
  size_t got = buffer.empty() ? 0 : std::fread(buffer.data(), 1, buffer.size(), f);
  if (std::ferror(f)) return false;
  buffer.resize(got);
  return true;
}

// Lines end at every CR and LF; text before the first header belongs to no
// section and is skipped.
bool ParseInto(EtcFile& file, const std::vector<char>& text) {
  EtcSection* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    etc::ParsedLine line = etc::ParseEtcLine(std::string_view(text.data() + pos, end - pos));
    pos = end + 1;
    if (line.kind == etc::LineKind::Section) {
      current = etc::AddSection(file, line.name);
      if (current == nullptr) return false;
    } else if (line.kind == etc::LineKind::Key && current != nullptr) {
      if (!etc::AppendKey(*current, line.name, line.value)) return false;
    }
  }
  return true;
}

bool IsReadOnly(const EtcFile& file) { return file.sectionCapacity <= 0; }

}  // namespace

extern "C" EtcFile* LoadEtcFile(const char* path) {
  EtcFilePtr file(etc::NewEtcFile());
  if (!file || path == nullptr) return file.release();
  FilePtr f(std::fopen(path, "r"));
  if (!f) return nullptr;
  std::vector<char> text;
  if (!ReadWholeFile(f.get(), text)) return nullptr;
  if (!ParseInto(*file, text)) return nullptr;
  return file.release();
}

extern "C" int UnloadEtcFile(EtcFile* hEtc) {
  if (hEtc == nullptr) return ETC_BAD_ARGUMENT;
  etc::DeleteEtcFile(hEtc);
  return ETC_OK;
}

extern "C" EtcSection* FindSectionInEtc(EtcFile* hEtc, const char* section, BOOL create) {
  if (hEtc == nullptr || section == nullptr) return nullptr;
  EtcSection* found = etc::LookupSection(*hEtc, section);
  if (found != nullptr || !create || IsReadOnly(*hEtc)) return found;
  return etc::AddSection(*hEtc, section);
}

extern "C" int GetValueFromEtcSec(EtcSection* hSect, const char* key, char* value, int len) {
  if (hSect == nullptr) return ETC_NULL_OBJECT;
  if (key == nullptr || value == nullptr) return ETC_BAD_ARGUMENT;
  if (len <= 0) return SetValueToEtcSec(hSect, key, value);
  int index = etc::LookupKey(*hSect, key);
  if (index < 0) return ETC_NO_KEY;
  etc::CopyValueOut(hSect->values[index], value, len);
  return ETC_OK;
}

extern "C" int SetValueToEtcSec(EtcSection* hSect, const char* key, const char* value) {
  if (hSect == nullptr) return ETC_NULL_OBJECT;
  if (key == nullptr || value == nullptr) return ETC_BAD_ARGUMENT;
  if (hSect->keyCapacity <= 0) return ETC_READ_ONLY;
  int index = etc::LookupKey(*hSect, key);
  bool stored = index >= 0 ? etc::ReplaceValue(*hSect, index, value) : etc::AppendKey(*hSect, key, value);
  return stored ? ETC_OK : ETC_BAD_ARGUMENT;
}

extern "C" int GetIntValueFromEtcSec(EtcSection* hSect, const char* key, int* value) {
  if (value == nullptr) return ETC_BAD_ARGUMENT;
  char text[50];
  int rc = GetValueFromEtcSec(hSect, key, text, sizeof text);
  return rc == ETC_OK ? etc::TextToInt(text, value) : rc;
}

extern "C" int GetValueFromEtc(EtcFile* hEtc, const char* section, const char* key, char* value, int len) {
  if (hEtc == nullptr || value == nullptr || section == nullptr || key == nullptr) return ETC_BAD_ARGUMENT;
  if (len > 0) {
    EtcSection* found = etc::LookupSection(*hEtc, section);
    return found ? GetValueFromEtcSec(found, key, value, len) : ETC_NO_SECTION;
  }
  if (IsReadOnly(*hEtc)) return ETC_READ_ONLY;
  EtcSection* target = FindSectionInEtc(hEtc, section, TRUE);
  if (target == nullptr) return ETC_BAD_ARGUMENT;  // out of memory
  return SetValueToEtcSec(target, key, value);
}

extern "C" int GetIntValueFromEtc(EtcFile* hEtc, const char* section, const char* key, int* value) {
  if (value == nullptr) return ETC_BAD_ARGUMENT;
  char text[50];
  int rc = GetValueFromEtc(hEtc, section, key, text, sizeof text);
  return rc == ETC_OK ? etc::TextToInt(text, value) : rc;
}

extern "C" int RemoveSectionInEtc(EtcFile* hEtc, const char* section) {
  if (hEtc == nullptr) return ETC_NULL_OBJECT;
  if (IsReadOnly(*hEtc)) return ETC_READ_ONLY;
  if (section == nullptr) return ETC_BAD_ARGUMENT;
  EtcSection* found = etc::LookupSection(*hEtc, section);
  if (found == nullptr) return ETC_NO_SECTION;
  etc::ClearSection(*found);
  return ETC_OK;
}

namespace {

bool WriteSection(std::FILE* out, const EtcSection& section) {
  if (std::fprintf(out, "[%s]\n", section.name) < 0) return false;
  for (int i = 0; i < section.keyCount; ++i)
    if (std::fprintf(out, "%s=%s\n", section.keys[i], section.values[i]) < 0) return false;
  return std::fputs("\n", out) >= 0;
}

}  // namespace

extern "C" int SaveEtcToFile(EtcFile* hEtc, const char* path) {
  if (hEtc == nullptr) return ETC_NULL_OBJECT;
  if (path == nullptr) return ETC_BAD_ARGUMENT;
  std::lock_guard<std::mutex> guard(etc::FileWriterLock());
  etc::FileReplacement replacement(path);
  std::FILE* out = replacement.Create();
  if (out == nullptr) return ETC_FILE_IO_FAILED;
  for (int i = 0; i < hEtc->sectionCount; ++i) {
    const EtcSection& section = hEtc->sections[i];
    if (section.name != nullptr && !WriteSection(out, section)) return ETC_FILE_IO_FAILED;
  }
  return replacement.Commit() ? ETC_OK : ETC_FILE_IO_FAILED;
}

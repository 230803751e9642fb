// Configuration files loaded into EtcFile objects: load, query, change,
// save, unload.
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/config/etc_line.h"
#include "core/config/etc_replace.h"
#include "core/config/etc_store.h"
#include "core/config/etc_text.h"
#include "gui/config.h"

namespace {

struct EtcFileDeleter {
  void operator()(EtcFile* file) const { etc::DeleteEtcFile(file); }
};
using EtcFilePtr = std::unique_ptr<EtcFile, EtcFileDeleter>;

// A parsed line whose strings are terminated in the text itself: the name
// of a section header (value null) or a key and its value.
struct InPlace {
  char* name;
  char* value;
};

// `view` lies in `text`, which is ours to write.
char* Terminate(char* text, std::string_view view) {
  char* start = text + (view.data() - text);
  start[view.size()] = '\0';
  return start;
}

// Lines end at every CR and LF; text before the first header belongs to no
// section and is skipped. Every name and value is cut off where it ends by
// a zero byte written over what follows it (the "=", a blank, the line's
// end, or the zero byte after the text); a key without a value shares its
// terminator as the empty value.
std::vector<InPlace> SplitInPlace(char* text, size_t size) {
  std::vector<InPlace> lines;
  lines.reserve(etc::LineCountAtMost(std::string_view(text, size), true));
  etc::ForEachLine(std::string_view(text, size), true, [&](std::string_view line) {
    const etc::ParsedLine parsed = etc::ParseEtcLine(line);
    if (parsed.kind == etc::LineKind::Section) {
      lines.push_back(InPlace{Terminate(text, parsed.name), nullptr});
    } else if (parsed.kind == etc::LineKind::Key && !lines.empty()) {
      char* name = Terminate(text, parsed.name);
      char* value = parsed.value.data() ? Terminate(text, parsed.value) : name + parsed.name.size();
      lines.push_back(InPlace{name, value});
    }
  });
  return lines;
}

// Arrays are sized once from counts taken first, to the capacities their
// growth steps would reach, so loading stays linear in the file's size.
bool ParseInto(EtcFile& file, char* text, size_t size) {
  const std::vector<InPlace> lines = SplitInPlace(text, size);
  size_t sections = 0;
  for (const InPlace& line : lines) sections += line.value == nullptr;
  if (sections > static_cast<size_t>(INT_MAX - etc::kSectionGrowth)) return false;
  if (!etc::ReserveSections(file, static_cast<int>(sections))) return false;
  std::vector<char*> keys, values;
  for (size_t i = 0; i < lines.size();) {
    keys.clear();
    values.clear();
    size_t next = i + 1;
    for (; next < lines.size() && lines[next].value != nullptr; ++next) {
      keys.push_back(lines[next].name);
      values.push_back(lines[next].value);
    }
    if (keys.size() > static_cast<size_t>(INT_MAX - etc::kKeyGrowth)) return false;
    if (!etc::AppendLoadedSection(file, lines[i].name, keys.data(), values.data(), static_cast<int>(keys.size())))
      return false;
    i = next;
  }
  return true;
}

bool IsReadOnly(const EtcFile& file) { return file.sectionCapacity <= 0; }

}  // namespace

namespace etc {

EtcFile* LoadEtcFile(const char* path, std::string* why) {
  EtcFilePtr file(etc::NewEtcFile());
  if (!file || path == nullptr) return file.release();
  etc::ReadableFile f(path, files::kMaxTextFile);
  etc::FileText text;
  if (f.IsOpen()) etc::RemoveStaleTemporaries(path);
  if (!f.IsOpen() || !f.ReadWhole(text)) {
    if (why != nullptr) *why = f.Why();
    return nullptr;
  }
  char* bytes = text.bytes.get();
  const size_t size = text.size;
  etc::AdoptText(*file, std::move(text.bytes), size + 1);
  if (!ParseInto(*file, bytes, size)) {
    if (why != nullptr) *why = "holds more than can be kept in memory";
    return nullptr;
  }
  return file.release();
}

}  // namespace etc

extern "C" EtcFile* LoadEtcFile(const char* path) { return etc::LoadEtcFile(path, nullptr); }

extern "C" int UnloadEtcFile(EtcFile* hEtc) {
  if (hEtc == nullptr) return ETC_BAD_ARGUMENT;
  etc::DeleteEtcFile(hEtc);
  return ETC_OK;
}

extern "C" EtcSection* FindSectionInEtc(EtcFile* hEtc, const char* section, BOOL create) {
  if (hEtc == nullptr || section == nullptr) return nullptr;
  EtcSection* found = etc::LookupSection(*hEtc, section);
  if (found != nullptr || !create || IsReadOnly(*hEtc)) return found;
  if (!etc::IsWritableSection(section)) return nullptr;
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
  if (!etc::IsWritableKeyLine(key, value)) return ETC_BAD_ARGUMENT;
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
  if (!etc::IsWritableSection(section) || !etc::IsWritableKeyLine(key, value)) return ETC_BAD_ARGUMENT;
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

// Objects are plain C data that callers may fill themselves, so what the
// setters refuse is checked again before it reaches a file.
bool IsWritable(const EtcFile& file) {
  for (int i = 0; i < file.sectionCount; ++i) {
    const EtcSection& section = file.sections[i];
    if (section.name == nullptr) continue;
    if (!etc::IsWritableSection(section.name)) return false;
    for (int k = 0; k < section.keyCount; ++k)
      if (section.keys[k] == nullptr || section.values[k] == nullptr ||
          !etc::IsWritableKeyLine(section.keys[k], section.values[k]))
        return false;
  }
  return true;
}

}  // namespace

extern "C" int SaveEtcToFile(EtcFile* hEtc, const char* path) {
  if (hEtc == nullptr) return ETC_NULL_OBJECT;
  if (path == nullptr || !IsWritable(*hEtc)) return ETC_BAD_ARGUMENT;
  // Whatever keeps the file from being written is a write failure here.
  etc::FileReplacement replacement(path);
  if (replacement.Lock() != ETC_OK) return ETC_FILE_IO_FAILED;
  std::FILE* out = replacement.Create();
  if (out == nullptr) return ETC_FILE_IO_FAILED;
  for (int i = 0; i < hEtc->sectionCount; ++i) {
    const EtcSection& section = hEtc->sections[i];
    if (section.name != nullptr && !WriteSection(out, section)) return ETC_FILE_IO_FAILED;
  }
  return replacement.Commit() ? ETC_OK : ETC_FILE_IO_FAILED;
}

// Single values and whole sections rewritten directly in a configuration
// file. Each call copies the file line by line into a temporary file with
// the change applied and then replaces the file with it (etc_replace.h).
#include <cstdio>
#include <memory>
#include <string>

#include "core/config/etc_line.h"
#include "core/config/etc_replace.h"
#include "gui/config.h"

namespace {

using etc::FilePtr;

bool Put(std::FILE* out, const std::string& line) {
  return std::fwrite(line.data(), 1, line.size(), out) == line.size();
}

bool PutKey(std::FILE* out, std::string_view key, std::string_view value) {
  return std::fprintf(out, "%.*s=%.*s\n", static_cast<int>(key.size()), key.data(),
                      static_cast<int>(value.size()), value.data()) >= 0;
}

// Copies lines into out until the header of `section`; the header is copied
// too when keepHeader is set. False when the file ends first.
bool CopyUpToSection(std::FILE* in, std::FILE* out, const char* section, bool keepHeader) {
  std::string line;
  while (etc::ReadEtcLine(in, line)) {
    bool header = etc::IsSectionNamed(etc::ParseEtcLine(line), section);
    if (!header || keepHeader) Put(out, line);
    if (!header) continue;
    // A header on the file's last line, without its line end, would glue the
    // key written next onto it, where no reader finds it.
    if (keepHeader && line.back() != '\n') std::fputc('\n', out);
    return true;
  }
  return false;
}

bool CopyRest(std::FILE* in, std::FILE* out) {
  std::string line;
  while (etc::ReadEtcLine(in, line)) Put(out, line);
  return !std::ferror(in);
}

// Inside the section: drops comments, blank lines and empty keys, writes the
// other keys back normalised, stops at `key` (true) or at the next header,
// which is left in `pending`, or at the end of the file (false).
bool RewriteUntilKey(std::FILE* in, std::FILE* out, const char* key, std::string& pending) {
  std::string line;
  while (etc::ReadEtcLine(in, line)) {
    etc::ParsedLine parsed = etc::ParseEtcLine(line);
    if (parsed.kind == etc::LineKind::Section) {
      pending = line;
      return false;
    }
    if (parsed.kind != etc::LineKind::Key || parsed.name.empty()) continue;
    if (parsed.name == key) return true;
    PutKey(out, parsed.name, parsed.value);
  }
  return false;
}

// Passes over the lines of a section up to the next header (kept in
// `pending`) or the end of the file.
void SkipSectionBody(std::FILE* in, std::string& pending) {
  std::string line;
  while (etc::ReadEtcLine(in, line)) {
    if (etc::ParseEtcLine(line).kind == etc::LineKind::Section) {
      pending = line;
      return;
    }
  }
}

int Finish(etc::FileReplacement& replacement, std::FILE* in, std::FILE* out) {
  if (std::ferror(in)) return ETC_FILE_IO_FAILED;
  if (std::ferror(out)) return ETC_FILE_IO_FAILED;
  return replacement.Commit() ? ETC_OK : ETC_FILE_IO_FAILED;
}

int WriteNewFile(etc::FileReplacement& replacement, std::FILE* out, const char* section, const char* key,
                 const char* value) {
  std::fprintf(out, "[%s]\n%s=%s\n", section, key, value);
  if (std::ferror(out)) return ETC_FILE_IO_FAILED;
  return replacement.Commit() ? ETC_OK : ETC_FILE_IO_FAILED;
}

}  // namespace

extern "C" int SetValueToEtcFile(const char* path, const char* section, const char* key, const char* value) {
  if (path == nullptr || section == nullptr || key == nullptr || value == nullptr) return ETC_BAD_ARGUMENT;
  if (!etc::IsWritableSection(section) || !etc::IsWritableKeyLine(key, value)) return ETC_BAD_ARGUMENT;
  etc::FileReplacement replacement(path);
  if (int rc = replacement.Lock()) return rc;
  std::FILE* out = replacement.Create();
  if (out == nullptr) return ETC_TEMP_FILE_FAILED;
  if (replacement.TargetMissing()) return WriteNewFile(replacement, out, section, key, value);
  FilePtr in(replacement.OpenTargetForReading());
  if (!in) return ETC_FILE_IO_FAILED;
  if (!CopyUpToSection(in.get(), out, section, true)) {
    if (std::ferror(in.get())) return ETC_FILE_IO_FAILED;
    std::fprintf(out, "\n[%s]\n%s=%s\n", section, key, value);
    return Finish(replacement, in.get(), out);
  }
  std::string pending;
  bool found = RewriteUntilKey(in.get(), out, key, pending);
  std::fprintf(out, found ? "%s=%s\n" : "%s=%s\n\n", key, value);
  Put(out, pending);
  if (!CopyRest(in.get(), out)) return ETC_FILE_IO_FAILED;
  return Finish(replacement, in.get(), out);
}

extern "C" int RemoveSectionInEtcFile(const char* path, const char* section) {
  if (path == nullptr || section == nullptr) return ETC_BAD_ARGUMENT;
  etc::FileReplacement replacement(path);
  // A file that cannot be opened for changing has no section to remove.
  if (int rc = replacement.Lock()) return rc == ETC_FILE_IO_FAILED ? ETC_NO_SECTION : rc;
  if (replacement.TargetMissing()) return ETC_NO_SECTION;
  std::FILE* out = replacement.Create();
  if (out == nullptr) return ETC_TEMP_FILE_FAILED;
  FilePtr in(replacement.OpenTargetForReading());
  if (!in) return ETC_FILE_IO_FAILED;
  if (!CopyUpToSection(in.get(), out, section, false))
    return std::ferror(in.get()) ? ETC_FILE_IO_FAILED : ETC_NO_SECTION;
  std::string pending;
  SkipSectionBody(in.get(), pending);
  Put(out, pending);
  if (!CopyRest(in.get(), out)) return ETC_FILE_IO_FAILED;
  return Finish(replacement, in.get(), out);
}

// The control library's way to the toolkit's one file reader and to its
// warning line.
#include "core/control_support.h"
#include "gdi/readable_file.h"
#include "gdi/startup_report.h"

std::FILE* OpenBinaryFile(const char* path, std::string* why) {
  files::ReadableFile file(path, files::kMaxBinaryFile);
  std::FILE* stream = file.TakeStream();
  if (stream == nullptr && why != nullptr) *why = file.Why();
  return stream;
}

void WarnOfUnusableFile(const char* kind, const char* file, const char* key, const std::string& why,
                        const char* instead) {
  WarnOfFallbackOnce(file, "%s \"%s\" (%s) %s; %s instead", kind, ShownPath(file).c_str(), key, why.c_str(), instead);
}

// The control library's way to the toolkit's one file reader and to its
// warning lines.
#include "core/control_support.h"
#include "gdi/readable_file.h"
#include "gdi/startup_report.h"
#include "gui/gui_etc.h"

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

void WarnOfUnusableSetting(const char* section, const char* key, const char* value, const char* what,
                           const std::string& instead) {
  WarnOfFallback("configuration file \"%s\" has [%s] %s=%s, which is %s; %s is used instead",
                 ShownPath(ETCFILEPATH).c_str(), section, key, value, what, instead.c_str());
}

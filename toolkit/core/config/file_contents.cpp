// Whole files replaced through the configuration files' writer.
#include <cstdio>

#include "core/config/etc_replace.h"
#include "gui/config.h"

extern "C" int ReplaceFileContents(const char* path, const void* data, size_t size) {
  if (path == nullptr || (data == nullptr && size != 0)) return ETC_BAD_ARGUMENT;
  etc::FileReplacement replacement(path);
  if (replacement.Lock() != ETC_OK) return ETC_FILE_IO_FAILED;
  std::FILE* out = replacement.Create();
  if (out == nullptr) return ETC_FILE_IO_FAILED;
  if (size != 0 && std::fwrite(data, 1, size, out) != size) return ETC_FILE_IO_FAILED;
  return replacement.Commit() ? ETC_OK : ETC_FILE_IO_FAILED;
}

extern "C" void RemoveStaleEtcTemps(const char* path) {
  if (path != nullptr) etc::RemoveStaleTemporaries(path);
}

// Whole files replaced through the configuration files' writer.
#include <sys/types.h>

#include <cstdio>

#include "core/config/etc_replace.h"
#include "gui/config.h"

namespace {

constexpr mode_t kOwnerOnly = 0600;

// `mode` null: the file keeps its permissions (a new one gets the usual).
int Replace(const char* path, const void* data, size_t size, const mode_t* mode) {
  if (path == nullptr || (data == nullptr && size != 0)) return ETC_BAD_ARGUMENT;
  etc::FileReplacement replacement(path);
  if (replacement.Lock() != ETC_OK) return ETC_FILE_IO_FAILED;
  std::FILE* out = mode ? replacement.Create(*mode) : replacement.Create();
  if (out == nullptr) return ETC_FILE_IO_FAILED;
  if (size != 0 && std::fwrite(data, 1, size, out) != size) return ETC_FILE_IO_FAILED;
  return replacement.Commit() ? ETC_OK : ETC_FILE_IO_FAILED;
}

}  // namespace

extern "C" int ReplaceFileContents(const char* path, const void* data, size_t size) {
  return Replace(path, data, size, nullptr);
}

extern "C" int ReplaceOwnerOnlyFileContents(const char* path, const void* data, size_t size) {
  return Replace(path, data, size, &kOwnerOnly);
}

extern "C" void RemoveStaleEtcTemps(const char* path) {
  if (path != nullptr) etc::RemoveStaleTemporaries(path);
}

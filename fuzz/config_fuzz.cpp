// Feeds arbitrary bytes to the configuration loader, the by-path reader and
// the by-path writer, and checks that a value written can be read back.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_setup.h"
#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

std::string g_scratchDir;

void RemoveScratch() {
  ::unlink((g_scratchDir + "/input.cfg").c_str());
  ::unlink((g_scratchDir + "/" ETC_TEMP_FILE_NAME).c_str());
  ::rmdir(g_scratchDir.c_str());
}

const std::string& ScratchFile() {
  static const std::string path = [] {
    char pattern[] = "/tmp/config_fuzz_XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    g_scratchDir = pattern;
    std::atexit(RemoveScratch);
    return g_scratchDir + "/input.cfg";
  }();
  return path;
}

bool WriteInput(const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(ScratchFile().c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

// Reads every key of the object back through both readers.
void QueryEverything(EtcFile* etc, const char* path) {
  char value[64];
  int number = 0;
  for (int s = 0; s < etc->sectionCount; ++s) {
    EtcSection& section = etc->sections[s];
    if (section.name == nullptr) continue;
    // A repeated section name is only reachable through its first occurrence.
    bool reachable = FindSectionInEtc(etc, section.name, FALSE) == &section;
    for (int k = 0; k < section.keyCount; ++k) {
      int rc = GetValueFromEtc(etc, section.name, section.keys[k], value, sizeof value);
      if (reachable && rc != ETC_OK) std::abort();
      if (rc == ETC_OK && std::strlen(value) >= sizeof value) std::abort();
      GetIntValueFromEtc(etc, section.name, section.keys[k], &number);
      GetValueFromEtcFile(path, section.name, section.keys[k], value, sizeof value);
      GetIntValueFromEtcFile(path, section.name, section.keys[k], &number);
    }
  }
  GetValueFromEtcFile(path, nullptr, "gal_engine", value, sizeof value);
}

void RewriteAndReadBack(EtcFile* etc, const char* path) {
  const char* section = "fuzz";
  for (int s = 0; s < etc->sectionCount; ++s)
    if (etc->sections[s].name != nullptr) {
      section = etc->sections[s].name;
      break;
    }
  if (SetValueToEtcFile(path, section, "fuzzkey", "written") != ETC_OK) return;
  char value[16];
  if (GetValueFromEtcFile(path, section, "fuzzkey", value, sizeof value) != ETC_OK) std::abort();
  if (std::strcmp(value, "written") != 0) std::abort();
  RemoveSectionInEtcFile(path, section);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool heapReady = InitFixStr();
  RequireFuzzSetUp(heapReady, "the fixed-string heap cannot be made");
  if (!WriteInput(data, size)) return 0;
  const char* path = ScratchFile().c_str();
  EtcFile* etc = LoadEtcFile(path);
  if (etc == nullptr) return 0;
  QueryEverything(etc, path);
  RewriteAndReadBack(etc, path);
  char scratch[] = "x";
  GetValueFromEtc(etc, "added", "key", scratch, 0);
  RemoveSectionInEtc(etc, "added");
  UnloadEtcFile(etc);
  return 0;
}

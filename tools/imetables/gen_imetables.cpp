// Writes the pinyin code table of the input method from a Debian pinyin
// dictionary:
//
//   gen_imetables <dictionary> <output directory> <table name>
//
// writes <name>.tab, <name>.tab.phr and <name>.tab.lx. A malformed entry or
// a key outside the key map fails the build, and nothing is written.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "tools/imetables/pinyin_source.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gen_imetables <dictionary> <output directory> <table name>\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1]);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    imetables::TableDraft draft;
    draft.name = argv[3];
    draft.displayName = "\xC6\xB4\xD2\xF4";  // "pinyin" in GB2312
    draft.keyChars = imetables::kPinyinKeys;
    draft.entries = imetables::ReadPinyinDict(in);
    imetables::TableFiles files = imetables::BuildTableFiles(draft);
    std::string base = std::string(argv[2]) + "/" + argv[3] + ".tab";
    if (!WriteFile(base, files.tab) || !WriteFile(base + ".phr", files.phr) || !WriteFile(base + ".lx", files.lx))
      throw std::runtime_error("cannot write " + base);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gen_imetables: %s: %s\n", argv[1], error.what());
    return 1;
  }
  return 0;
}

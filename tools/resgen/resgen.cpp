// Writes every registered skin as <name>.bmp into the folder given.
#include <cstdio>

#include "bmp_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resgen <output folder>\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  for (const Skin& skin : SkinRegistry()) {
    if (!skin.make().WriteBmp(dir + skin.file + ".bmp")) {
      std::fprintf(stderr, "resgen: cannot write %s%s.bmp\n", dir.c_str(), skin.file.c_str());
      return 1;
    }
  }
  return 0;
}

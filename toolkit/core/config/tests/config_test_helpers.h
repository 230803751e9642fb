// Scratch directories and file helpers for the configuration tests.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "gui/config.h"

class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/etc_test_XXXXXX";
    char* made = ::mkdtemp(pattern);
    path_ = made ? made : "";
  }
  ~ScratchDir() {
    std::string command = "rm -rf '" + path_ + "'";
    if (!path_.empty()) (void)std::system(command.c_str());
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Whether any writer's temporary file is in the folder.
inline bool TempFilesIn(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  bool found = false;
  while (dirent* entry = ::readdir(dir))
    if (std::string(entry->d_name).rfind(ETC_TEMP_FILE_NAME, 0) == 0) found = true;
  ::closedir(dir);
  return found;
}

// Scratch directories and file helpers for the configuration tests.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

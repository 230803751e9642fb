// Where a load or reload reads from: the main file's object while it is
// loaded, else files by path, each file read once per load.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/layout/config_text.h"

namespace layout {

class LayoutSources {
 public:
  LayoutSources();

  bool HasObject() const { return object_ != nullptr; }
  // The main display's configuration by the reader rule.
  const ConfigText* MainConfig();
  // The file the records of a display are read from (the object when loaded,
  // for the main display).
  const ConfigText* MainRecords();
  const ConfigText* AuxRecords();
  // Any file by path; null when it is refused or cannot be read, with the
  // reason (after the file's name) in `why`.
  const ConfigText* File(const std::string& path, std::string* why = nullptr);

 private:
  std::unique_ptr<ConfigText> object_;
  struct Read {
    std::unique_ptr<ConfigText> text;
    std::string why;
  };
  std::map<std::string, Read> files_;
};

// Number of languages the layout carries ([menuinfo] "language_num", above
// 2 counting as 2): 0 and the number, or -3 when missing, -6 when below 1.
int LanguageCount(const ConfigText& config, int* count);

}  // namespace layout

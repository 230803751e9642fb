#include "core/layout/source_files.h"

#include "core/layout/layout_state.h"
#include "gui/display.h"
#include "gui/gui_etc.h"

namespace layout {
namespace {

std::string& TextFileDirectory() {
  static std::string directory = STRING_FILE_DIR;
  return directory;
}

}  // namespace

std::string TextFilePath(int languageIndex) {
  return TextFileDirectory() + STRING_FILE_PREFIX + std::to_string(languageIndex) + ".cfg";
}

void SetTextFileDirectory(const std::string& directory) {
  TextFileDirectory() = directory.empty() ? STRING_FILE_DIR : directory;
}

std::string SourceFileFor(int display) {
  const int language = CurrentLanguageIndex();
  if (State().loadDone && language >= 2) return TextFilePath(language);
  if (IsLowResDisplay(display))
    return AUXSETCFILEPATH[0] ? AUXSETCFILEPATH : GUI_ETC_DIR GUI_ETC_AUX_FILE;
  return ETCFILEPATH;
}

}  // namespace layout

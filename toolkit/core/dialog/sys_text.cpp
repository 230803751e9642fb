// The built-in words and their translation list.
#include <cstring>

#include "gui/dialog.h"

const char* SysText[] = {"Close", "OK", "Next", "Cancel", "Previous", "Yes", "No", "Abort", "Retry", "Ignore", nullptr};
const char** local_SysText = SysText;

namespace {
constexpr int kWords = 10;
}

extern "C" const char* GetSysText(const char* word) {
  if (!word || !local_SysText || local_SysText == SysText) return word;
  for (int i = 0; i < kWords; ++i)
    if (std::strcmp(SysText[i], word) == 0) return local_SysText[i];
  return word;
}

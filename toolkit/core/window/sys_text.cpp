#include "gui/sys_text.h"

#include <cstring>

extern "C" {

const char* const SysText[SYS_TEXT_WORDS] = {"Close", "OK",  "Next",  "Cancel", "Previous",
                                             "Yes",   "No",  "Abort", "Retry",  "Ignore"};
const char* const* local_SysText = SysText;

const char* GetSysText(const char* word) {
  if (!word || !local_SysText || local_SysText == SysText) return word;
  for (int i = 0; i < SYS_TEXT_WORDS; ++i)
    if (std::strcmp(word, SysText[i]) == 0) return local_SysText[i];
  return word;
}

}  // extern "C"

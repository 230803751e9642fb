#include "core/layout/system_settings.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "gdi/startup/startup_report.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"

namespace layout {
namespace {

constexpr int kSettingChars = 64;

// "<width>x<height>-<bits>bpp", each number positive.
bool IsMode(const char* text) {
  int width = 0, height = 0, bits = 0, end = 0;
  return std::sscanf(text, "%dx%d-%dbpp%n", &width, &height, &bits, &end) == 3 && text[end] == '\0' &&
         width > 0 && height > 0 && bits > 0;
}

}  // namespace

void WarnOfIgnoredSystemSettings() {
  const std::string file = ShownPath(ETCFILEPATH);
  char engine[kSettingChars] = {0}, used[16] = {0};
  if (GetGuiEtcValue("system", "gal_engine", engine, sizeof engine) == ETC_OK && GAL_GetEngineName(used) == 0 &&
      std::strcmp(engine, used) != 0)
    WarnOfFallback("configuration file \"%s\" has [system] gal_engine=%s; the \"%s\" engine is used instead",
                   file.c_str(), engine, used);
  char mode[kSettingChars] = {0};
  if (GetGuiEtcValue("system", "defaultmode", mode, sizeof mode) == ETC_OK && !IsMode(mode))
    WarnOfFallback("configuration file \"%s\" has [system] defaultmode=%s, which is no <width>x<height>-<bits>bpp "
                   "mode; the device's own mode is used instead",
                   file.c_str(), mode);
}

}  // namespace layout

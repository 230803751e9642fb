#include "core/layout/system_settings.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <cstring>
#include <string>

#include "core/element/size_limit.h"
#include "gdi/startup_report.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"

namespace layout {
namespace {

constexpr int kSettingChars = 64;

constexpr int kScreenDepths[] = {8, 16, 24, 32};

// "<width>x<height>-<bits>bpp": a size a screen can have and one of its
// pixel depths.
bool IsMode(const char* text) {
  int width = 0, height = 0, bits = 0, end = 0;
  if (std::sscanf(text, "%dx%d-%dbpp%n", &width, &height, &bits, &end) != 3 || text[end] != '\0') return false;
  const bool depth = std::find(std::begin(kScreenDepths), std::end(kScreenDepths), bits) != std::end(kScreenDepths);
  return depth && width > 0 && height > 0 && element::WithinSizeLimit(width) && element::WithinSizeLimit(height);
}

// The mode of a section, when it is there and no mode.
void WarnOfModeOf(const std::string& file, const char* section) {
  char mode[kSettingChars] = {0};
  if (GetGuiEtcValue(section, "defaultmode", mode, sizeof mode) == ETC_OK && !IsMode(mode))
    WarnOfFallback("configuration file \"%s\" has [%s] defaultmode=%s, which is no <width>x<height>-<bits>bpp "
                   "mode; the device's own mode is used instead",
                   file.c_str(), section, mode);
}

}  // namespace

void WarnOfIgnoredSystemSettings() {
  const std::string file = ShownPath(ETCFILEPATH);
  char engine[kSettingChars] = {0}, used[16] = {0};
  if (GetGuiEtcValue("system", "gal_engine", engine, sizeof engine) == ETC_OK && GAL_GetEngineName(used) == 0 &&
      std::strcmp(engine, used) != 0)
    WarnOfFallback("configuration file \"%s\" has [system] gal_engine=%s; the \"%s\" engine is used instead",
                   file.c_str(), engine, used);
  for (const char* section : {"system", "windib"}) WarnOfModeOf(file, section);
}

}  // namespace layout

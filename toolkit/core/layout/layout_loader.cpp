// LoadLayoutRes: display-wide settings, soft-keyboard metrics, the window
// table, the control records and the bitmaps of both displays.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "core/control_support.h"
#include "core/element/size_limit.h"
#include "core/layout/control_entries.h"
#include "core/layout/layout_sources.h"
#include "core/layout/layout_state.h"
#include "core/layout/window_bitmap.h"
#include "core/layout/skb_metrics.h"
#include "gdi/startup_report.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "gui/text.h"

namespace layout {
namespace {

constexpr unsigned long kMaxColor = 0xFFFFFF;
constexpr size_t kColorTextMax = 11;

// Halves rounded toward minus infinity.
int FloorHalf(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

// Names the slots; their pictures are read when first asked for.
void FillBitmaps(const std::vector<BitmapEntry>& entries, PictureTable& table, size_t first, size_t slotCount) {
  for (size_t i = 0; i < entries.size() && i < slotCount; ++i) {
    char name[LAYOUT_NAME_SIZE];
    CopyCut(name, sizeof name, entries[i].name);
    table.Name(first + i, name, entries[i].file);
  }
}

// Says why the layout cannot be used, naming the configuration file; false.
bool Refuse(const std::string& why) {
  ReportStartupProblem("configuration file \"%s\" %s", ShownPath(ETCFILEPATH).c_str(), why.c_str());
  return false;
}

size_t KeyCount(const TextSection* section) {
  size_t count = 0;
  if (section)
    for (const auto& line : section->lines) count += line.blank ? 0 : 1;
  return count;
}

class LayoutLoader {
 public:
  bool Run() {
    const bool hasOutput = !HasNoOutput();
    if (hasOutput) LoadSoftKeyboardMetrics();
    if (!ReadWindowCount() || !ReadWindowNames()) return false;
    if (hasOutput && !ReadMenuGeometry()) return false;
    ReadLanguage();
    if (!ReadManufacturer()) return false;
    auto generation = std::make_unique<Generation>();
    if (!ReadWindowRecords(*generation) || !ReadMainControls(*generation)) return false;
    if (!hasOutput) {
      State().Publish(std::move(generation));
      return true;
    }
    if (HasAuxOutput()) ReadAuxControls(*generation);
    if (!ReadMainBitmaps(*generation)) return false;
    if (HasAuxOutput()) ReadAuxBitmaps(*generation);
    ReadMenuBitmaps();
    State().Publish(std::move(generation));
    return true;
  }

 private:
  // The language word is cleared through its setter like every write of it.
  static void ClearSystemInfo() {
    for (int word = 0; word < SYSINFO_WORDS; ++word)
      if (word != SYSINFO_LANGUAGE) SystemInfo[word] = 0;
    SetSysInfoLanguage(0);
  }

  bool ReadWindowCount() {
    ClearSystemInfo();
    int count = 0;
    if (GetGuiEtcIntValue("menuinfo", "win_number", &count) != ETC_OK) return false;
    if (count < 1 || count > LAYOUT_MAX_WINDOWS)
      return Refuse("has [menuinfo] win_number " + std::to_string(count) + "; 1 to " +
                    std::to_string(LAYOUT_MAX_WINDOWS) + " windows are allowed");
    SystemInfo[SYSINFO_WIN_NUMBER] = count;
    windowCount_ = count;
    return true;
  }

  bool ReadWindowNames() {
    const ConfigText* config = sources_.MainConfig();
    if (!config) return false;
    std::vector<std::string> names = config->NamesAfter("global_defines");
    if (static_cast<int>(names.size()) != windowCount_)
      return Refuse("names " + std::to_string(names.size()) + " windows after [global_defines] where [menuinfo] "
                    "win_number says " + std::to_string(windowCount_));
    LayoutState& state = State();
    state.windowNames = std::move(names);
    state.auxWindow.clear();
    for (const auto& name : state.windowNames) state.auxWindow.push_back(IsAuxWindowName(name));
    return true;
  }

  bool ReadMenuGeometry() {
    int width = 0, height = 0;
    if (GetGuiEtcIntValue("menuinfo", "win_width", &width) != ETC_OK ||
        GetGuiEtcIntValue("menuinfo", "win_height", &height) != ETC_OK)
      return false;
    const Size screen = ScreenExtent(getCurOutputHook());
    if (width < 1 || height < 1)
      return Refuse("has a [menuinfo] win_width x win_height of " + std::to_string(width) + " x " +
                    std::to_string(height) + ", which is no size a menu can have");
    if (!FitsOn(width, height, screen))
      return Refuse("has a [menuinfo] win_width x win_height of " + std::to_string(width) + " x " +
                    std::to_string(height) + ", which does not fit the " + std::to_string(screen.cx) + " x " +
                    std::to_string(screen.cy) + " screen");
    PlaceMenu(SystemInfo, width, height, screen);
    if (IsLowResDisplay(GetMainDisplayId()) != IsLowResDisplay(GetAuxDisplayId())) {
      if (GetAuxGuiEtcIntValue("menuinfo", "win_width", &width) != ETC_OK ||
          GetAuxGuiEtcIntValue("menuinfo", "win_height", &height) != ETC_OK)
        return false;
      // The auxiliary menu may overhang its screen, but not past the limit
      // of every file-given size.
      const Size auxScreen = ScreenExtent(GetAuxDisplayId());
      if (width < 1 || height < 1 || !element::WithinSizeLimit(width) || !element::WithinSizeLimit(height)) {
        ReportStartupProblem("configuration file \"%s\" has a [menuinfo] win_width x win_height of %d x %d, which "
                             "no screen can show",
                             ShownPath(AUXSETCFILEPATH).c_str(), width, height);
        return false;
      }
      PlaceMenu(AUX_SysInfo, width, height, auxScreen);
    } else {
      std::memcpy(AUX_SysInfo, SystemInfo, sizeof AUX_SysInfo);
    }
    return ReadBackground();
  }

  // A size already known to be at least 1 x 1.
  static bool FitsOn(int width, int height, Size screen) {
    return width <= screen.cx && height <= screen.cy;
  }

  static void PlaceMenu(int32_t* info, int width, int height, Size screen) {
    info[SYSINFO_MENU_WIDTH] = width;
    info[SYSINFO_MENU_HEIGHT] = height;
    info[SYSINFO_MENU_X] = FloorHalf(screen.cx - width);
    info[SYSINFO_MENU_Y] = FloorHalf(screen.cy - height);
  }

  static bool ReadBackground() {
    char text[64];
    if (GetGuiEtcValue("menuinfo", "win_bkcolor", text, sizeof text) != ETC_OK) return false;
    text[kColorTextMax] = '\0';
    char* end = nullptr;
    const unsigned long color = std::strtoul(text, &end, 0);
    if (color > kMaxColor) return Refuse("has a [menuinfo] win_bkcolor above 0xFFFFFF");
    if (end == text || *end != '\0') {
      char used[16];
      std::snprintf(used, sizeof used, "0x%06lX", color);
      WarnOfUnusableSetting("menuinfo", "win_bkcolor", text, "no colour number", used);
    }
    // The colour word has red in its low byte.
    SystemInfo[SYSINFO_BKCOLOR] = static_cast<int32_t>(
        RGB2Pixel(HDC_SCREEN, color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    return true;
  }

  // The layout first loads in the language of index 0 when the device's
  // language has a text file of its own; the captions follow later.
  static void ReadLanguage() {
    int id = DeviceConfigLanguageId();
    if (id <= 0) id = 1;
    SetSysInfoLanguage(id);
    State().stringsWanted = LangIndexFromLanguageId(id) >= 2;
    if (State().stringsWanted) SetSysInfoLanguage(1);
  }

  static bool ReadManufacturer() {
    int maker = 0;
    if (GetGuiEtcIntValue("menuinfo", "manufactor", &maker) != ETC_OK) return false;
    SystemInfo[SYSINFO_MANUFACTOR] = maker;
    return true;
  }

  bool ReadWindowRecords(Generation& generation) {
    State().loadDone = false;
    const ConfigText* config = sources_.MainConfig();
    const int language = CurrentLanguageIndex();
    generation.windows.assign(windowCount_, WinResInfo{});
    for (int i = 0; i < windowCount_; ++i) {
      const TextSection* section = config->Find(State().windowNames[i]);
      if (!section) return Refuse("has no section [" + State().windowNames[i] + "] for a window it names");
      if (!ReadWindowRecord(*section, language, generation.windows[i]))
        return Refuse("has a section [" + State().windowNames[i] + "] that cannot be read");
    }
    return true;
  }

  static std::vector<int> ControlCounts(const Generation& generation, bool auxOnly) {
    std::vector<int> counts;
    for (size_t i = 0; i < generation.windows.size(); ++i) {
      const bool included = !auxOnly || State().auxWindow[i];
      counts.push_back(included ? generation.windows[i].controlNumber : -1);
    }
    return counts;
  }

  bool ReadMainControls(Generation& generation) {
    long long total = 0;
    for (const auto& window : generation.windows) total += window.controlNumber;
    if (total > LAYOUT_MAX_CONTROLS)
      return Refuse("declares " + std::to_string(total) + " controls; at most " +
                    std::to_string(LAYOUT_MAX_CONTROLS) + " are allowed");
    generation.main.Reset(ControlCounts(generation, false));
    const ConfigText* source = sources_.MainRecords();
    if (!source) return Refuse("leads to a control records file that cannot be read");
    std::string refused;
    const int rc = ReadControls(*source, generation.main, &refused);
    if (rc == kBadGeometry) return Refuse("has " + refused + ", which is no place or size a control can have");
    if (rc != 0) return Refuse("leads to control records that cannot be read");
    State().loadDone = true;
    return true;
  }

  void ReadAuxControls(Generation& generation) {
    generation.aux.Reset(ControlCounts(generation, true));
    if (const ConfigText* source = sources_.AuxRecords()) ReadControls(*source, generation.aux);
  }

  // Every window of the set from its section of `source`; 0, or the first
  // error that stops the load (a refused geometry as "[window] key=value").
  static int ReadControls(const ConfigText& source, ControlSet& set, std::string* refused = nullptr) {
    int languages = 0;
    const int rc = LanguageCount(source, &languages);
    if (rc != 0) return rc;
    const int language = CurrentLanguageIndex();
    for (size_t i = 0; i < State().windowNames.size(); ++i) {
      if (!set.Has(i)) continue;
      const TextSection* section = source.Find(State().windowNames[i]);
      if (!section) continue;
      std::string line;
      const int rc = ParseControlEntries(*section, languages, language, set.WindowRecords(i), set.Count(i), &line);
      if (rc == kBadGeometry && refused) *refused = "[" + State().windowNames[i] + "] " + line;
      if (rc == kNoMemory || rc == kBadGeometry) return rc;
    }
    return 0;
  }

  static void ReadBitmaps(const ConfigText& source, const Generation& generation, bool auxOnly,
                          BitmapSet& set) {
    set.first.assign(generation.windows.size(), -1);
    set.count.assign(generation.windows.size(), 0);
    size_t total = 0;
    for (size_t i = 0; i < generation.windows.size(); ++i) {
      if (auxOnly && !State().auxWindow[i]) continue;
      set.first[i] = static_cast<int>(total);
      set.count[i] = generation.windows[i].bmpNumber;
      total += static_cast<size_t>(set.count[i]);
    }
    set.bitmaps.Reset(total);
    for (size_t i = 0; i < generation.windows.size(); ++i) {
      if (set.first[i] < 0 || set.count[i] == 0) continue;
      const TextSection* section = source.Find(State().windowNames[i]);
      if (!section) continue;
      FillBitmaps(WindowBitmapEntries(*section, set.count[i]), set.bitmaps, static_cast<size_t>(set.first[i]),
                  static_cast<size_t>(set.count[i]));
    }
  }

  bool ReadMainBitmaps(const Generation& generation) {
    long long total = 0;
    for (const auto& window : generation.windows) total += window.bmpNumber;
    if (total > LAYOUT_MAX_BITMAPS) return false;
    const ConfigText* source = sources_.MainRecords();
    if (!source) return false;
    ReadBitmaps(*source, generation, false, State().mainBitmaps);
    return true;
  }

  void ReadAuxBitmaps(const Generation& generation) {
    int total = 0;
    for (size_t i = 0; i < generation.windows.size(); ++i)
      if (State().auxWindow[i]) total += generation.windows[i].bmpNumber;
    const ConfigText* source = sources_.AuxRecords();
    if (total < 1 || !source) return;
    ReadBitmaps(*source, generation, true, State().auxBitmaps);
  }

  static PictureTable MenuTable(const ConfigText& config, bool byPath) {
    const TextSection* popup = config.Find("popupmenu");
    const TextSection* start = config.Find("startmenu");
    PictureTable table;
    table.Reset(KeyCount(popup) + KeyCount(start));
    if (table.size() == 0) return table;
    std::vector<BitmapEntry> entries;
    for (const TextSection* section : {popup, start}) {
      if (!section) continue;
      auto more = MenuBitmapEntries(*section, byPath);
      entries.insert(entries.end(), more.begin(), more.end());
    }
    FillBitmaps(entries, table, 0, table.size());
    return table;
  }

  void ReadMenuBitmaps() {
    LayoutState& state = State();
    state.menuBitmaps = MenuTable(*sources_.MainConfig(), !sources_.HasObject());
    state.auxMenuShared = true;
    if (!HasAuxOutput() || GuiApp()->getVideoOutNum() != GetMainDisplayId()) return;
    if (const ConfigText* aux = sources_.AuxRecords()) {
      state.auxMenuBitmaps = MenuTable(*aux, true);
      state.auxMenuShared = false;
    }
  }

  LayoutSources sources_;
  int windowCount_ = 0;
};

}  // namespace
}  // namespace layout

extern "C" BOOL LoadLayoutRes(void) {
  layout::State().Clear();
  bool loaded = false;
  try {
    loaded = layout::LayoutLoader().Run();
  } catch (const std::bad_alloc&) {
    loaded = false;
  }
  if (!loaded) layout::State().Clear();
  return loaded ? TRUE : FALSE;
}

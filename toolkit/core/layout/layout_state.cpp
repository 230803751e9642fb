#include "core/layout/layout_state.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "core/layout/config_text.h"
#include "core/layout/window_bitmap.h"
#include "gdi/sysfont.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/gui_etc.h"
#include "gui/livevideo.h"
#include "gui/text.h"

int32_t SystemInfo[SYSINFO_WORDS];
int32_t AUX_SysInfo[SYSINFO_WORDS];

int32_t GetSysInfoLanguage(void) { return __atomic_load_n(&SystemInfo[SYSINFO_LANGUAGE], __ATOMIC_RELAXED); }
void SetSysInfoLanguage(int32_t id) { __atomic_store_n(&SystemInfo[SYSINFO_LANGUAGE], id, __ATOMIC_RELAXED); }

namespace layout {

ControlSet::~ControlSet() { FreeCaptions(); }

void ControlSet::FreeCaptions() {
  for (auto& record : records_) {
    std::free(record.caption);
    record.caption = nullptr;
  }
}

void ControlSet::Reset(const std::vector<int>& counts) {
  FreeCaptions();
  first_.assign(counts.size(), -1);
  counts_.assign(counts.size(), 0);
  size_t total = 0;
  for (size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] < 0) continue;
    first_[i] = static_cast<int>(total);
    counts_[i] = counts[i];
    total += static_cast<size_t>(counts[i]);
  }
  records_.assign(total, CtrlResInfo{});
}

void ControlSet::CopyFrom(const ControlSet& other) {
  FreeCaptions();
  first_ = other.first_;
  counts_ = other.counts_;
  records_ = other.records_;
  for (auto& record : records_) record.caption = nullptr;
  for (size_t i = 0; i < records_.size(); ++i) {
    if (!other.records_[i].caption) continue;
    records_[i].caption = strdup(other.records_[i].caption);
    if (!records_[i].caption) throw std::bad_alloc();
  }
}

void LayoutState::Publish(std::unique_ptr<Generation> generation) {
  generations.push_back(std::move(generation));
  current.store(generations.back().get(), std::memory_order_release);
}

int LayoutState::FindWindow(std::string_view name, bool ignoreCase) const {
  for (size_t i = 0; i < windowNames.size(); ++i) {
    if (ignoreCase ? EqualsNoCase(windowNames[i], name) : windowNames[i] == name)
      return static_cast<int>(i);
  }
  return -1;
}

void LayoutState::Clear() {
  current.store(nullptr, std::memory_order_release);
  generations.clear();
  windowNames.clear();
  auxWindow.clear();
  mainBitmaps = BitmapSet{};
  auxBitmaps = BitmapSet{};
  menuBitmaps.Unload();
  auxMenuBitmaps.Unload();
  auxMenuShared = true;
}

LayoutState& State() {
  static LayoutState state;
  return state;
}

bool IsAuxWindowName(std::string_view name) {
  static const char* const kAuxWindows[] = {
      "login",    "defaultpasswd", "mainmenu",       "playback", "preview",
      "ptzcontrol", "ptzmenu",     "ptzset",         "setpasswd", "lock",
      "alarmexception", "commons", "panelopen",      "sidebar",  "ptzstatus"};
  for (const char* aux : kAuxWindows)
    if (EqualsNoCase(name, aux)) return true;
  return false;
}

int CurrentLanguageIndex() { return LangIndexFromLanguageId(GetSysInfoLanguage()); }

Size ScreenExtent(int outputId) {
  Size size{0, 0};
  GetScreenExtentEx(outputId, &size);
  return size;
}

// The old fonts are retired rather than freed: windows still hold them. The
// configuration reader is named here so that the static link finds it
// beside this file rather than only after the text library.
int ReloadLanguageFonts() {
  sysfont::ReplaceSysLogFonts(GetGuiEtcValue, LangIndexFromLanguageId(DeviceConfigLanguageId()));
  ClearHighCharWidthCache();
  PreloadCharWidthCache(TRUE);
  ResetScreenDCFont();
  return 0;
}

}  // namespace layout

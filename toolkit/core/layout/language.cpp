// Language names for the language selection, and the run-time language
// switch.
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "core/config/etc_line.h"
#include "core/config/etc_text.h"
#include "core/cursor/system_cursor.h"
#include "core/layout/config_text.h"
#include "core/layout/layout_state.h"
#include "core/layout/source_files.h"
#include "gdi/startup_report.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"

namespace {

constexpr const char* kDefaultName = "Default String";
constexpr int kNormalCursor = 0;
constexpr int kBusyCursor = 13;

std::array<std::optional<std::string>, LAYOUT_MAX_LANGUAGES> g_names;
std::atomic<int> g_langSwitch{0};

// The caption of one of the layout's own language-selection controls.
std::string LayoutLanguageName(const char* control) {
  CtrlResInfo* record = nullptr;
  if (!GetCtrlResInfo("displayset", control, &record)) return kDefaultName;
  return record->caption ? record->caption : "";
}

// The first key line of a text file names its language. A file that is
// missing, starts with a section header or holds no key line keeps the
// default name, so one bad file cannot stop start-up; a file refused is
// said so (once, as the captions' loader may have said it already).
std::string TextFileLanguageName(int index) {
  const std::string path = layout::TextFilePath(index);
  etc::ReadableFile text(path.c_str(), files::kMaxTextFile);
  etc::FilePtr file(text.TakeStream());
  if (!file) {
    if (!text.Missing())
      WarnOfFallbackOnce(path.c_str(), "language file \"%s\" %s; its language is named \"%s\" instead",
                         ShownPath(path.c_str()).c_str(), text.Why().c_str(), kDefaultName);
    return kDefaultName;
  }
  std::string line;
  while (etc::ReadEtcLine(file.get(), line)) {
    const etc::ParsedLine parsed = etc::ParseEtcLine(line);
    if (parsed.kind == etc::LineKind::Key) return std::string(parsed.name);
    if (parsed.kind == etc::LineKind::Section) break;
  }
  return kDefaultName;
}

}  // namespace

extern "C" {

BOOL LoadLanguageNames(void) {
  try {
    g_names[0] = LayoutLanguageName("lang_english");
    g_names[1] = LayoutLanguageName("lang_simp_cn");
    for (int i = 2; i < LAYOUT_MAX_LANGUAGES; ++i) g_names[i] = TextFileLanguageName(i);
  } catch (const std::bad_alloc&) {
    for (auto& name : g_names) name.reset();
    return FALSE;
  }
  return TRUE;
}

BOOL GetLanguageName(int index, const char** name) {
  if (index < 0 || index >= LAYOUT_MAX_LANGUAGES || !g_names[index] || !name) return FALSE;
  *name = g_names[index]->c_str();
  return TRUE;
}

int SetValueToGuiEtc(const char* section, const char* key, const char* value) {
  if (!section || !key || !value || !layout::EqualsNoCase(section, "menuinfo") ||
      !layout::EqualsNoCase(key, "language"))
    return 0;
  SetSysInfoLanguage(std::atoi(value));
  SetLangSwitchState(1);
  ShowSystemCursor(kBusyCursor);
  // A failed switch still gives the user the normal cursor back.
  const bool switched = layout::ReloadLanguageFonts() == 0 && LoadStrings();
  ShowSystemCursor(kNormalCursor);
  return switched ? 0 : -1;
}

void SetLangSwitchState(int state) { g_langSwitch.store(state, std::memory_order_relaxed); }
int GetLangSwitchState(void) { return g_langSwitch.load(std::memory_order_relaxed); }

}  // extern "C"

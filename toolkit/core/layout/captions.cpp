// Reloading the window and control captions for the current language, from
// the layout itself (its two carried languages) or from a language text file.
#include <new>
#include <string>

#include "core/layout/control_entries.h"
#include "core/layout/layout_sources.h"
#include "core/layout/layout_state.h"
#include "core/layout/source_files.h"
#include "gdi/startup_report.h"
#include "gui/display.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"

namespace layout {
namespace {

constexpr const char* kWindowCaptionsSection = "winsCaptions";

// A language text file that gives no captions leaves those in use: said in
// one line, rather than a silent fallback. `why` is the reader's reason when
// the file was refused.
void WarnOfNoCaptions(const std::string& path, const ConfigText* file, const std::string& why) {
  const std::string said = file ? "has no [" + std::string(kWindowCaptionsSection) + "]" : why;
  WarnOfFallbackOnce(path.c_str(), "language file \"%s\" %s; the captions in use stay instead (English at start-up)",
                 ShownPath(path.c_str()).c_str(), said.c_str());
}

int ReadWindowCaptionLines(const TextSection& section, int count, WinResInfo* windows) {
  for (int i = 0; i < count; ++i) {
    if (static_cast<size_t>(i) >= section.lines.size()) return kSectionEnded;
    const TextLine& line = section.lines[i];
    SetWindowCaption(windows[i], line.blank ? std::string_view() : std::string_view(line.key));
  }
  return 0;
}

// Full records (names, kinds, captions, geometry) or captions only.
int ReadWindowControls(const ConfigText& source, const std::string& window, bool captionsOnly,
                       CtrlResInfo* records, int count) {
  const TextSection* section = source.Find(window);
  if (!section) return -2;
  if (captionsOnly) return ReadCaptionLines(*section, records, count);
  int languages = 0;
  const int rc = LanguageCount(source, &languages);
  if (rc != 0) return rc;
  return ParseControlEntries(*section, languages, CurrentLanguageIndex(), records, count);
}

// The sections a language text file lacks or holds too few lines of (a
// file cut short): their captions stay as they are.
struct Shortfall {
  int sections = 0;
  std::string first;

  void Note(const std::string& section) {
    if (sections++ == 0) first = section;
  }
};

void ReadSetControls(const ConfigText* source, bool captionsOnly, ControlSet& set, Shortfall& shortfall) {
  if (!source) return;
  const auto& names = State().windowNames;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!set.Has(i) || set.Count(i) <= 0) continue;
    const int rc = ReadWindowControls(*source, names[i], captionsOnly, set.WindowRecords(i), set.Count(i));
    if (rc == -2 || rc == kSectionEnded) shortfall.Note(names[i]);
  }
}

std::vector<int> Counts(const std::vector<WinResInfo>& windows, bool auxOnly) {
  std::vector<int> counts;
  for (size_t i = 0; i < windows.size(); ++i)
    counts.push_back(!auxOnly || State().auxWindow[i] ? windows[i].controlNumber : -1);
  return counts;
}

class CaptionReload {
 public:
  bool Run() {
    if (GetSysInfoLanguage() < 1) SetSysInfoLanguage(1);
    language_ = CurrentLanguageIndex();
    captionsOnly_ = language_ >= 2 && State().loadDone && !sources_.HasObject();
    if (!ReadWindows()) return false;
    long long total = 0;
    for (const auto& window : next_->windows) total += window.controlNumber;
    if (total > LAYOUT_MAX_CONTROLS) return false;
    ReadControls(sources_.MainRecords(), false, next_->main);
    if (HasAuxOutput()) ReadControls(sources_.AuxRecords(), true, next_->aux);
    if (captionsOnly_ && shortfall_.sections > 0)
      WarnOfFallbackOnce(TextFilePath(language_).c_str(),
                         "language file \"%s\" has no or too few captions for %d sections, the first [%s], as if cut "
                         "short; their captions in use stay instead (English at start-up)",
                         ShownPath(TextFilePath(language_).c_str()).c_str(), shortfall_.sections,
                         shortfall_.first.c_str());
    State().Publish(std::move(next_));
    return true;
  }

 private:
  bool ReadWindows() {
    const size_t count = State().windowNames.size();
    if (language_ < 2) {
      const ConfigText* config = sources_.MainConfig();
      if (count > 0 && !config) return false;
      next_->windows.assign(count, WinResInfo{});
      for (size_t i = 0; i < count; ++i) {
        const TextSection* section = config->Find(State().windowNames[i]);
        if (!section || !ReadWindowRecord(*section, language_, next_->windows[i])) return false;
      }
      return true;
    }
    if (current_) next_->windows = current_->windows;
    next_->windows.resize(count, WinResInfo{});
    if (sources_.HasObject()) return true;
    const std::string path = State().loadDone ? TextFilePath(language_) : std::string(ETCFILEPATH);
    std::string why;
    const ConfigText* file = sources_.File(path, &why);
    const TextSection* section = file ? file->Find(kWindowCaptionsSection) : nullptr;
    if (section) {
      if (ReadWindowCaptionLines(*section, static_cast<int>(count), next_->windows.data()) == kSectionEnded)
        shortfall_.Note(kWindowCaptionsSection);
    } else if (State().loadDone) {
      WarnOfNoCaptions(path, file, why);
    }
    return true;
  }

  // A captions-only reload starts from the records in force; a full parse
  // starts from zero-filled records, as a fresh load would, unless there is
  // nothing to read them from.
  void ReadControls(const ConfigText* source, bool auxOnly, ControlSet& next) {
    const ControlSet* now = current_ ? (auxOnly ? &current_->aux : &current_->main) : nullptr;
    if (now && (captionsOnly_ || !source))
      next.CopyFrom(*now);
    else
      next.Reset(Counts(next_->windows, auxOnly));
    ReadSetControls(source, captionsOnly_, next, shortfall_);
  }

  LayoutSources sources_;
  const Generation* current_ = State().Current();
  std::unique_ptr<Generation> next_ = std::make_unique<Generation>();
  int language_ = 0;
  bool captionsOnly_ = false;
  Shortfall shortfall_;
};

}  // namespace
}  // namespace layout

extern "C" {

BOOL LoadStrings(void) {
  try {
    return layout::CaptionReload().Run() ? TRUE : FALSE;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}

int LoadWindowCaptions(const char* path, const char* section, int count, WinResInfo* windows) {
  if (!path || !section || !windows) return -1;
  try {
    auto file = layout::ConfigText::Read(path);
    if (!file) return -1;
    const layout::TextSection* found = file->Find(section);
    if (!found) return -2;
    return layout::ReadWindowCaptionLines(*found, count, windows);
  } catch (const std::bad_alloc&) {
    return layout::kNoMemory;
  }
}

int LoadControlCaptions(const char* path, const char* window, int count, CtrlResInfo* records) {
  if (!path || !window || (count > 0 && !records)) return -1;
  try {
    auto file = layout::ConfigText::Read(path);
    if (!file) return -1;
    const bool captionsOnly = layout::CurrentLanguageIndex() >= 2 && layout::State().loadDone;
    return layout::ReadWindowControls(*file, window, captionsOnly, records, count);
  } catch (const std::bad_alloc&) {
    return layout::kNoMemory;
  }
}

}  // extern "C"

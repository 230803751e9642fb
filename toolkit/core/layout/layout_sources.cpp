#include "core/layout/layout_sources.h"

#include "core/layout/source_files.h"
#include "gui/display.h"
#include "gui/gui_etc.h"

namespace layout {

LayoutSources::LayoutSources() {
  if (hGuiEtc) object_ = ConfigText::FromEtc(*hGuiEtc);
}

const ConfigText* LayoutSources::MainConfig() { return object_ ? object_.get() : File(ETCFILEPATH); }

const ConfigText* LayoutSources::MainRecords() {
  return object_ ? object_.get() : File(SourceFileFor(GetMainDisplayId()));
}

const ConfigText* LayoutSources::AuxRecords() { return File(SourceFileFor(GetAuxDisplayId())); }

const ConfigText* LayoutSources::File(const std::string& path, std::string* why) {
  auto found = files_.find(path);
  if (found == files_.end()) {
    found = files_.emplace(path, Read{}).first;
    found->second.text = ConfigText::Read(path, &found->second.why);
  }
  if (why != nullptr) *why = found->second.why;
  return found->second.text.get();
}

int LanguageCount(const ConfigText& config, int* count) {
  const TextSection* menu = config.Find("menuinfo");
  const TextLine* line = nullptr;
  if (menu)
    for (const auto& l : menu->lines)
      if (!l.blank && l.key == "language_num") {
        line = &l;
        break;
      }
  if (!line) return -3;
  const int n = ParseInt(line->value);
  if (n < 1) return -6;
  *count = n > 2 ? 2 : n;
  return 0;
}

}  // namespace layout

#include "core/layout/control_entries.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/element/size_limit.h"

namespace layout {
namespace {

constexpr std::string_view kCaptionSuffix = "_cap";

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The number of a key ending in "_cap<digits>", or -1.
int CaptionNumber(std::string_view key) {
  const size_t at = key.rfind(kCaptionSuffix);
  if (at == std::string_view::npos) return -1;
  std::string_view digits = key.substr(at + kCaptionSuffix.size());
  if (!AllDigits(digits) || digits.size() > 6) return -1;
  int number = 0;
  for (char c : digits) number = number * 10 + (c - '0');
  return number;
}

bool IsWindowCaptionKey(std::string_view key) {
  constexpr std::string_view prefix = "caption_lang";
  return StartsWithNoCase(key, prefix) && AllDigits(key.substr(prefix.size()));
}

bool IsHintKind(const char* kind) {
  for (const char* hint : {"hint", "hint_e", "hint_w", "hint_i", "hint_q"})
    if (EqualsNoCase(kind, hint)) return true;
  return false;
}

bool EndsWith(std::string_view key, std::string_view suffix) {
  return key.size() >= suffix.size() && key.substr(key.size() - suffix.size()) == suffix;
}

// Geometry field named by a "_x", "_y", "_w" or "_h" suffix, or null.
int32_t* GeometryField(CtrlResInfo& record, std::string_view key) {
  if (EndsWith(key, "_x")) return &record.x;
  if (EndsWith(key, "_y")) return &record.y;
  if (EndsWith(key, "_w")) return &record.w;
  if (EndsWith(key, "_h")) return &record.h;
  return nullptr;
}

// One window's control entries, fed line by line.
class EntryParser {
 public:
  EntryParser(int languageNum, int language, CtrlResInfo* records, int count)
      : languages_(languageNum > 0 ? languageNum : 1), language_(language), records_(records), count_(count) {}

  bool Complete() const { return done_ >= count_; }
  bool Stopped() const { return stopped_; }
  const std::string& Refused() const { return refused_; }

  int Feed(const TextLine& line) {
    if (line.blank || EqualsNoCase(line.key, "controlnumber") || IsWindowCaptionKey(line.key))
      return 0;
    if (EqualsNoCase(line.key, "bmpnumber")) {
      stopped_ = true;
      return 0;
    }
    const int number = CaptionNumber(line.key);
    if (number >= 0) return TakeCaption(number, line.value);
    if (int32_t* field = GeometryField(Current(), line.key)) {
      const int value = ParseInt(line.value);
      // A place may lie off the screen; a size below zero is no size.
      const bool isSize = field == &Current().w || field == &Current().h;
      if (!element::WithinSizeLimit(value) || (isSize && value < 0)) {
        refused_ = std::string(line.key) + "=" + std::string(line.value);
        return kBadGeometry;
      }
      *field = value;
      if (EndsWith(line.key, "_h")) NextControl();
      return 0;
    }
    StartControl(line);
    return 0;
  }

 private:
  CtrlResInfo& Current() { return records_[done_]; }

  // Caption keys cycle through the carried languages; once the wanted one
  // is taken the control's remaining caption keys are passed over, and so
  // are caption keys out of their turn.
  int TakeCaption(int number, std::string_view value) {
    if (captionTaken_ || number != expected_) return 0;
    if (expected_ != language_) {
      expected_ = (expected_ + 1) % languages_;
      return 0;
    }
    captionTaken_ = true;
    const int rc = SetCaption(Current(), value);
    if (rc == 0 && IsHintKind(Current().kind)) NextControl();
    return rc;
  }

  void StartControl(const TextLine& line) {
    CtrlResInfo& record = Current();
    CopyCut(record.name, sizeof record.name, line.key);
    CopyCut(record.kind, sizeof record.kind, line.value);
    expected_ = 0;
    captionTaken_ = false;
  }

  void NextControl() { ++done_; }

  const int languages_;
  const int language_;
  CtrlResInfo* const records_;
  const int count_;
  int done_ = 0;
  int expected_ = 0;
  bool captionTaken_ = false;
  bool stopped_ = false;
  std::string refused_;
};

}  // namespace

void CopyCut(char* field, size_t size, std::string_view text) {
  const size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memset(field, 0, size);
  if (n > 0) std::memcpy(field, text.data(), n);
}

int SetCaption(CtrlResInfo& record, std::string_view text) {
  char* copy = static_cast<char*>(std::realloc(record.caption, text.size() + 1));
  if (!copy) {
    std::printf("Ctrl: %s Out of Memory!\n", record.name);
    return kNoMemory;
  }
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  record.caption = copy;
  return 0;
}

void SetWindowCaption(WinResInfo& window, std::string_view caption) {
  CopyCut(window.caption, sizeof window.caption, caption);
}

bool ReadWindowRecord(const TextSection& section, int language, WinResInfo& window) {
  const std::string_view* controls = FindKeyNoCase(section, "controlnumber");
  const std::string_view* bitmaps = FindKeyNoCase(section, "bmpnumber");
  window.controlNumber = controls ? ParseInt(*controls) : 0;
  window.bmpNumber = bitmaps ? ParseInt(*bitmaps) : 0;
  // A negative count is as malformed as one too large: the load fails.
  if (window.controlNumber < 0 || window.bmpNumber < 0) return false;
  const std::string_view* caption = FindKeyNoCase(section, "caption_lang" + std::to_string(language));
  if (!caption) return false;
  SetWindowCaption(window, *caption);
  return true;
}

int ParseControlEntries(const TextSection& section, int languageNum, int language,
                        CtrlResInfo* records, int count, std::string* refused) {
  if (count <= 0) return 0;
  EntryParser parser(languageNum, language, records, count);
  for (const TextLine& line : section.lines) {
    const int rc = parser.Feed(line);
    if (rc == kBadGeometry && refused) *refused = parser.Refused();
    if (rc != 0) return rc;
    if (parser.Complete() || parser.Stopped()) return 0;
  }
  return kSectionEnded;
}

int ReadCaptionLines(const TextSection& section, CtrlResInfo* records, int count) {
  const auto& lines = section.lines;
  for (int i = 0; i < count; ++i) {
    if (static_cast<size_t>(i) >= lines.size()) return kSectionEnded;
    if (IsLangSelCtrl(&records[i])) continue;
    const int rc = SetCaption(records[i], lines[i].blank ? std::string_view() : lines[i].key);
    if (rc != 0) return rc;
  }
  return 0;
}

std::vector<BitmapEntry> WindowBitmapEntries(const TextSection& section, int count) {
  std::vector<BitmapEntry> entries;
  bool started = false;
  for (const TextLine& line : section.lines) {
    if (static_cast<int>(entries.size()) >= count) break;
    if (line.blank) continue;
    if (!started) {
      started = EqualsNoCase(line.key, "bmpnumber");
      continue;
    }
    entries.push_back(BitmapEntry{std::string(line.key), std::string(line.value)});
  }
  return entries;
}

std::vector<BitmapEntry> MenuBitmapEntries(const TextSection& section, bool byPath) {
  if (!byPath) {
    const std::string_view* number = FindKeyNoCase(section, "bmpnumber");
    return WindowBitmapEntries(section, number ? ParseInt(*number) : 0);
  }
  std::vector<BitmapEntry> entries;
  for (const TextLine& line : section.lines)
    if (!line.blank && !EqualsNoCase(line.key, "bmpnumber"))
      entries.push_back(BitmapEntry{std::string(line.key), std::string(line.value)});
  return entries;
}

}  // namespace layout

// The grammar of a window section: its window record, its control entries
// and its bitmap entries, and the caption lines of a language text file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/layout/config_text.h"
#include "gui/layout.h"

namespace layout {

constexpr int kSectionEnded = -3;
constexpr int kNoMemory = -9;
constexpr int kBadGeometry = -10;

// Copies text into a fixed field, cut to fit with its terminator.
void CopyCut(char* field, size_t size, std::string_view text);

// Copies text into the record's caption; kNoMemory, after the diagnostic,
// when it cannot be allocated.
int SetCaption(CtrlResInfo& record, std::string_view text);

// Control count, bitmap count and the caption of language index `language`
// of one window section; false when that caption key is missing.
bool ReadWindowRecord(const TextSection& section, int language, WinResInfo& window);
void SetWindowCaption(WinResInfo& window, std::string_view caption);

// Parses control entries into `count` records: names, kinds, the captions of
// language index `language` out of `languageNum` carried languages, and
// geometry. 0 when the controls are complete or "bmpnumber" ends the
// entries; kSectionEnded when the section ends first; kNoMemory;
// kBadGeometry for a place or size beyond the file-given limit or a size
// below zero, with its "key=value" in `refused` (when given).
int ParseControlEntries(const TextSection& section, int languageNum, int language,
                        CtrlResInfo* records, int count, std::string* refused = nullptr);

// One caption line of a language text file per record, in order; the
// language-selection controls keep their captions. 0, kSectionEnded when the
// lines run out first, kNoMemory.
int ReadCaptionLines(const TextSection& section, CtrlResInfo* records, int count);

struct BitmapEntry {
  std::string name;
  std::string file;
};

// The entries after the section's "bmpnumber" key, at most `count`.
std::vector<BitmapEntry> WindowBitmapEntries(const TextSection& section, int count);
// A popup or start menu section: read from an object, the entries after
// "bmpnumber" up to its value; read by path, every key but "bmpnumber".
std::vector<BitmapEntry> MenuBitmapEntries(const TextSection& section, bool byPath);

}  // namespace layout

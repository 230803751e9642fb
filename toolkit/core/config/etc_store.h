// Growth and release of the arrays and strings inside EtcFile and
// EtcSection records. The records are plain C data (they are part of the
// exported API), so these helpers are their only owners' code.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "gui/config.h"

namespace etc {

constexpr int kInitialSections = 16;
constexpr int kSectionGrowth = 8;
constexpr int kInitialKeys = 8;
constexpr int kKeyGrowth = 4;

// A zero-filled object with room for kInitialSections; null without memory.
EtcFile* NewEtcFile();
void DeleteEtcFile(EtcFile* file);

// Grows the section array at once to the capacity its steps would reach
// for `count` sections; false when memory runs out.
bool ReserveSections(EtcFile& file, int count);

// A new section at the end whose name, keys and values are strings of the
// file's loaded text (see AdoptText), taken as they are; false when memory
// runs out (the file is unchanged).
bool AppendLoadedSection(EtcFile& file, char* name, char* const* keys, char* const* values, int count);

// Gives a free slot (or a new one at the end) the name and an empty key
// array of kInitialKeys; null when memory runs out.
EtcSection* AddSection(EtcFile& file, std::string_view name);
// Frees names, keys and values and leaves the slot free.
void ClearSection(EtcSection& section);

// A loaded file's strings point into its text, parsed in place: the text
// goes with the object, and its strings are never freed one by one.
void AdoptText(const EtcFile& file, std::unique_ptr<char[]> text, size_t size);
// Frees a stored string unless it lies in a loaded text.
void FreeText(char* text);

// First section (or key) with that name in stored order, free slots skipped.
EtcSection* LookupSection(const EtcFile& file, std::string_view name);
int LookupKey(const EtcSection& section, std::string_view key);

// Appends a key; false when memory runs out (the section is unchanged).
bool AppendKey(EtcSection& section, std::string_view key, std::string_view value);
// Replaces the value of key `index`; false when memory runs out.
bool ReplaceValue(EtcSection& section, int index, std::string_view value);

// A copy of the text in the fixed-string heap; null without memory.
char* DupText(std::string_view text);

// Copies at most len bytes of stored into value, zero-fills the rest and
// always terminates, cutting a value of len bytes or more to len - 1.
void CopyValueOut(const char* stored, char* value, int len);

// strtol base 0 into an int; ETC_INT_OUT_OF_RANGE when it does not fit.
int TextToInt(const char* text, int* value);

}  // namespace etc

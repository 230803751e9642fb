// One loaded input-method code table: its header, its index records and
// its open phrase and association files, and the look-ups the engine runs
// on them.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "controls/ime/ime_format.h"

namespace ime {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A text slot of a candidate page: at most 19 bytes and a terminator.
constexpr int kSlotBytes = 20;
// Longest phrase the phrase file may give.
constexpr int kPhraseMaxBytes = 128;

struct Table {
  TableHeader header{};
  std::vector<IndexRecord> records;
  FilePtr phrases;
  FilePtr associations;
  long phraseFileSize = 0;
  uint32_t associationWords = 0;

  // The first record and the end of the records whose first key is k;
  // both within the records.
  uint32_t FirstRecord(int k) const;
  uint32_t RangeEnd(int k) const { return FirstRecord(k + 1); }

  // Phrase n into out (kSlotBytes), cut on a character boundary; "error"
  // when its offsets are out of order, over 128 bytes apart, or past the
  // file.
  void ReadPhrase(uint32_t n, char* out) const;
  // The association list of the GB2312 character h, l as word positions
  // [*begin, *end) of the association file; empty when there is none.
  void AssociationRange(uint8_t h, uint8_t l, uint32_t* begin, uint32_t* end) const;
  // The phrase number at word position pos of the association file.
  bool AssociationAt(uint32_t pos, uint32_t* phrase) const;
};

// Which of a table's files failed and why, in words that follow its name.
struct TableFailure {
  std::string file;
  std::string reason;
};

// Loads the table at tabPath (with tabPath + ".phr" and tabPath + ".lx"
// beside it when it has phrases); null on any failure, described in
// `failure` when given.
std::unique_ptr<Table> LoadTable(const std::string& tabPath, TableFailure* failure = nullptr);
// The same from open files; the table takes the phrase and association files.
std::unique_ptr<Table> LoadTableFiles(std::FILE* tab, FilePtr phrases, FilePtr associations);
// The built-in internal-code method.
std::unique_ptr<Table> BuildIntCodeTable();

// Copies text into a slot, cut on a GB2312 character boundary.
void CopyToSlot(const char* text, size_t len, char* slot);

}  // namespace ime

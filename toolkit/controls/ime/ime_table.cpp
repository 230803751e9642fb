// Loading the code tables. The files are untrusted: every count, offset and
// index read from them is checked against the file or the table it points
// into before it is used.
#include "controls/ime/ime_table.h"

#include <cstring>

#include "core/control_support.h"

namespace ime {
namespace {

bool ReadAt(std::FILE* f, long offset, void* out, size_t size) {
  return f && offset >= 0 && std::fseek(f, offset, SEEK_SET) == 0 && std::fread(out, 1, size, f) == size;
}

long FileSize(std::FILE* f) {
  if (!f || std::fseek(f, 0, SEEK_END) != 0) return -1;
  return std::ftell(f);
}

// True when the header describes records it can index safely.
bool HeaderHolds(const TableHeader& h) {
  if (std::strcmp(h.magic, kTableMagic) != 0) return false;
  for (uint16_t first : h.firstRecord)
    if (first > h.recordCount) return false;
  return true;
}

}  // namespace

uint32_t Table::FirstRecord(int k) const {
  // Key value 63 has no entry after it: its records end with the table.
  if (k < 0 || k >= kKeyValues) return static_cast<uint32_t>(records.size());
  return header.firstRecord[k];
}

void CopyToSlot(const char* text, size_t len, char* slot) {
  size_t used = 0;
  while (used < len && text[used]) {
    size_t step = static_cast<uint8_t>(text[used]) >= 0xA1 ? 2 : 1;
    if (used + step > static_cast<size_t>(kSlotBytes - 1) || used + step > len) break;
    used += step;
  }
  std::memcpy(slot, text, used);
  slot[used] = '\0';
}

void Table::ReadPhrase(uint32_t n, char* out) const {
  static const char kError[] = "error";
  uint32_t bounds[2];
  char text[kPhraseMaxBytes];
  // Phrase numbers past the header's count would read the text area as offsets.
  long textArea = 4 + 4 * static_cast<long>(header.phraseCount);
  bool ok = n < header.phraseCount && ReadAt(phrases.get(), 4 + 4 * static_cast<long>(n), bounds, sizeof bounds);
  uint32_t len = ok ? bounds[1] - bounds[0] : 0;
  ok = ok && bounds[1] > bounds[0] && len <= kPhraseMaxBytes && textArea + static_cast<long>(bounds[1]) <= phraseFileSize &&
       ReadAt(phrases.get(), textArea + static_cast<long>(bounds[0]), text, len);
  if (!ok) {
    CopyToSlot(kError, sizeof kError - 1, out);
    return;
  }
  CopyToSlot(text, len, out);
}

void Table::AssociationRange(uint8_t h, uint8_t l, uint32_t* begin, uint32_t* end) const {
  *begin = *end = 0;
  // Only the rows 0xB0..0xF7 and cells 0xA1..0xFE are indexed.
  if (h < 0xB0 || h > 0xF7 || l < 0xA1 || l > 0xFE) return;
  uint32_t index = (h - 0xB0) * 94u + (l - 0xA1u);
  uint32_t words[2];
  if (!ReadAt(associations.get(), static_cast<long>(index) * 4, words, sizeof words)) return;
  if (associationWords < kAssocListBase || words[0] >= words[1] || words[1] > associationWords - kAssocListBase) return;
  *begin = words[0] + kAssocListBase;
  *end = words[1] + kAssocListBase;
}

bool Table::AssociationAt(uint32_t pos, uint32_t* phrase) const {
  return pos < associationWords && ReadAt(associations.get(), static_cast<long>(pos) * 4, phrase, 4);
}

std::unique_ptr<Table> LoadTableFiles(std::FILE* tab, FilePtr phrases, FilePtr associations) {
  auto table = std::make_unique<Table>();
  TableHeader& h = table->header;
  if (!tab || std::fread(&h, 1, sizeof h, tab) != sizeof h) return nullptr;
  h.perPage = 5;
  std::memcpy(h.selectKeys, "12345", 5);
  std::memset(h.runtime, 0, sizeof h.runtime);
  if (!HeaderHolds(h)) return nullptr;
  // The count is checked against the file before anything is allocated.
  long here = std::ftell(tab), size = FileSize(tab);
  if (here < 0 || size < here || static_cast<uint64_t>(size - here) / sizeof(IndexRecord) < h.recordCount) return nullptr;
  table->records.resize(h.recordCount);
  if (!ReadAt(tab, here, table->records.data(), h.recordCount * sizeof(IndexRecord))) return nullptr;
  if (h.phraseCount == 0) return table;
  if (!phrases || !associations) return nullptr;
  table->phraseFileSize = FileSize(phrases.get());
  long lxSize = FileSize(associations.get());
  // The phrase file opens with its count and one offset per phrase.
  if (table->phraseFileSize < 0 || lxSize < 0 || table->phraseFileSize < 4 + 4 * static_cast<long>(h.phraseCount))
    return nullptr;
  table->associationWords = static_cast<uint32_t>(std::min<long>(lxSize / 4, UINT32_MAX));
  table->phrases = std::move(phrases);
  table->associations = std::move(associations);
  return table;
}

// Opens one of a table's files through the toolkit's reader; the file and
// the reason in `failure` when it is missing or refused.
FilePtr OpenTableFile(const std::string& path, TableFailure* failure) {
  std::string reason;
  FilePtr file(OpenBinaryFile(path.c_str(), &reason));
  if (!file && failure != nullptr) *failure = TableFailure{path, reason};
  return file;
}

std::unique_ptr<Table> LoadTable(const std::string& tabPath, TableFailure* failure) {
  FilePtr tab = OpenTableFile(tabPath, failure);
  if (!tab) return nullptr;
  TableHeader peek{};
  bool hasPhrases = std::fread(&peek, 1, sizeof peek, tab.get()) == sizeof peek && peek.phraseCount > 0;
  std::rewind(tab.get());
  FilePtr phr, lx;
  if (hasPhrases) {
    phr = OpenTableFile(tabPath + ".phr", failure);
    if (phr) lx = OpenTableFile(tabPath + ".lx", failure);
    if (!phr || !lx) return nullptr;
  }
  auto table = LoadTableFiles(tab.get(), std::move(phr), std::move(lx));
  if (!table && failure != nullptr) *failure = TableFailure{tabPath, "or a file beside it is damaged or cut short"};
  return table;
}

std::unique_ptr<Table> BuildIntCodeTable() {
  auto table = std::make_unique<Table>();
  TableHeader& h = table->header;
  std::memcpy(h.magic, kTableMagic, sizeof kTableMagic);
  std::strcpy(h.name, "IntCode");
  std::memcpy(h.displayName, "\xA1\xBE\xC4\xDA\xC2\xEB\xA1\xBF", 8);
  std::memcpy(h.selectKeys, "0123456789abcdef", 16);
  h.autoSelect = 1;
  const char hex[] = "0123456789abcdef";
  for (int v = 0; v < 16; ++v) {
    h.keyMap[static_cast<uint8_t>(hex[v])] = static_cast<uint8_t>(v);
    h.keyNames[v] = static_cast<char>(v < 10 ? hex[v] : hex[v] - 'a' + 'A');
  }
  return table;
}

}  // namespace ime

// The search table of the built-in charsets and the lookups by name. The order
// decides which record claims a name matched by substring: the longer ISO
// part numbers come before ISO8859-1, and GBK claims GB2312 names.
#include <algorithm>
#include <iterator>

#include "gdi/text/charset.h"
#include "gdi/text/charset_ops.h"
#include "gdi/text/charset_tables.h"

namespace charset {

namespace {

const CharsetOps* const kSearchTable[kCharsetCount] = {
    &kUsAscii,    &kIso8859[16], &kIso8859[15], &kIso8859[14], &kIso8859[13], &kIso8859[11],
    &kIso8859[10], &kIso8859[9], &kIso8859[8],  &kIso8859[7],  &kIso8859[6],  &kIso8859[5],
    &kIso8859[4], &kIso8859[3],  &kIso8859[2],  &kIso8859[1],  &kGb18030,     &kGbk,
    &kGb2312,     &kBig5,        &kEucKr,       &kJisX0201Euc, &kJisX0208Euc, &kJisX0201,
    &kJisX0208ShiftJis, &kUtf8};

}  // namespace

const CharsetOps* const* SearchTable() { return kSearchTable; }

}  // namespace charset

using charset::kSearchTable;

extern "C" const CharsetOps* GetCharsetOps(const char* name) {
  if (!name) return nullptr;
  for (const CharsetOps* ops : kSearchTable)
    if (ops->is_this_charset(name) == 0) return ops;
  return nullptr;
}

extern "C" const CharsetOps* GetCharsetOpsEx(const char* name) {
  if (!name) return nullptr;
  std::string upper = charset::UpperName(name);
  for (const CharsetOps* ops : kSearchTable)
    if (upper == ops->name) return ops;
  return nullptr;
}

extern "C" int CharsetNameMatchesOps(const char* name, const CharsetOps* ops) {
  if (!name || !ops) return 0;
  for (const CharsetOps* candidate : kSearchTable)
    if (candidate == ops && candidate->is_this_charset(name) == 0) return 1;
  return 0;
}

extern "C" const unsigned char* UnicodeToDBCSLookup(Uchar16 code) {
  using charset_tables::DbcsRange;
  if (code < 0x00A4 || code > 0xFFE5) return nullptr;
  const DbcsRange* begin = charset_tables::kUcs2ToGb2312Ranges;
  const DbcsRange* end = begin + charset_tables::kUcs2ToGb2312RangeCount;
  const DbcsRange* range =
      std::lower_bound(begin, end, code, [](const DbcsRange& r, Uchar16 c) { return r.last < c; });
  if (range == end || code < range->first) return nullptr;
  const unsigned char* bytes = range->bytes + 2 * (code - range->first);
  return bytes[0] || bytes[1] ? bytes : nullptr;
}

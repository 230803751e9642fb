// Inside the IP-address edit: the shared flags and the address text rules.
#pragma once

#include <string>
#include <vector>

#include "gui/common.h"

namespace ipedit {

bool ErrorFlag();
void ClearErrorFlag();
bool IconShown();
void SetIconShown(bool on);

// The digits typed into the current field since it became current (its
// length when Backspace went back into it), or kFreshField for a field
// reached by a move and not yet touched: the first digit replaces what a
// fresh field holds, a dot does not end it, and three digits typed end a
// field.
constexpr int kFreshField = -1;
int DigitsTyped();
void SetDigitsTyped(int count);

// A character typed into an IPv4 number field whose maximum is `max`: a
// dot ends a field that is not fresh, a digit replaces a fresh field or
// one holding "0" and is refused when it would pass `max`. True when it was
// handled here; false sends it on to the field (its text already emptied
// when the digit replaces it).
bool TypeIpv4(WindowHandle field, int c, int max);
// After a character went on to the field: three digits typed end it, even
// when leading zeros left it shorter.
void EndFullField(WindowHandle field, int c);

enum Variant { kNone = 0, kIpv4 = 1, kMac = 2 };

// Number of number fields of a variant (4 or 6; 0 for none).
int FieldCount(Variant v);
// The address from the fields' texts: IPv4 each as "%d" joined by ".", MAC
// each as two characters ("0" before a single one, "00" for none) joined by
// ":".
std::string Assemble(Variant v, const std::vector<std::string>& fields);
// The parts of an address text, split at "." or ":"; the last part is cut
// to the field width (3 or 2).
std::vector<std::string> Split(Variant v, const char* text);

}  // namespace ipedit

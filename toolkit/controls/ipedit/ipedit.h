// Inside the IP-address edit: the shared flags and the address text rules.
#pragma once

#include <string>
#include <vector>

namespace ipedit {

bool ErrorFlag();
void ClearErrorFlag();
bool IconShown();
void SetIconShown(bool on);

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

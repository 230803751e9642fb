// Generates the key maps, the accent table and the function-key strings of
// the "default" keyboard layout from a console keymap file (gzip or plain,
// with its includes) and the console's symbol table as `dumpkeys
// --long-info` prints it.
//
// usage: gen_keymaps <keymap file> <symbol table> <output .cpp> <maps>
//   maps: the key-map columns to emit, e.g. "0,1,2,4,5,8,12"
#include <zlib.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kKeyCount = 129;   // scan codes 0..128
constexpr int kColumnCount = 256;
constexpr int kLatinType = 0;
constexpr int kLetterType = 11;
constexpr int kMetaType = 8;

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

// ---- symbol table -------------------------------------------------------

struct Symbols {
  std::map<std::string, int> codes;      // name -> type << 8 | value
  std::map<std::string, int> modifiers;  // name -> column weight
};

Symbols ReadSymbols(const std::string& path) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path);
  Symbols s;
  std::map<std::string, std::string> synonyms;
  enum { kHead, kCodes, kSynonyms, kModifiers } part = kHead;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("Symbols recognized", 0) == 0) { part = kCodes; continue; }
    if (line.rfind("The following synonyms", 0) == 0) { part = kSynonyms; continue; }
    if (line.rfind("Recognized modifier names", 0) == 0) { part = kModifiers; continue; }
    std::istringstream fields(line);
    std::string a, b, c;
    fields >> a >> b >> c;
    if (a.empty()) continue;
    if (part == kCodes && a.rfind("0x", 0) == 0 && !b.empty())
      s.codes.emplace(b, static_cast<int>(std::strtol(a.c_str(), nullptr, 16)));
    else if (part == kSynonyms && b == "for" && !c.empty())
      synonyms.emplace(a, c);
    else if (part == kModifiers && !b.empty() && std::isdigit(static_cast<unsigned char>(b[0])))
      s.modifiers.emplace(a, std::atoi(b.c_str()));
  }
  for (const auto& [alias, name] : synonyms) {
    auto it = s.codes.find(name);
    if (it != s.codes.end()) s.codes.emplace(alias, it->second);
  }
  if (s.codes.size() < 256 || s.modifiers.empty()) Fail("symbol table incomplete: " + path);
  return s;
}

// ---- keymap source ------------------------------------------------------

std::string ReadMaybeGzip(const std::string& path) {
  gzFile f = gzopen(path.c_str(), "rb");
  if (!f) return {};
  std::string text;
  char buffer[4096];
  int n;
  while ((n = gzread(f, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  gzclose(f);
  return text;
}

bool Exists(const std::string& path) {
  std::ifstream probe(path);
  return static_cast<bool>(probe);
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Include files are looked for beside the including file and in the
// include folders of the keymap tree it belongs to.
std::string FindInclude(const std::string& from, const std::string& name) {
  std::string dir = DirectoryOf(from);
  std::vector<std::string> dirs = {dir, dir + "/../include", dir + "/../../include"};
  for (const std::string& d : dirs)
    for (const char* suffix : {"", ".inc", ".inc.gz", ".gz", ".map", ".map.gz", ".kmap.gz"}) {
      std::string candidate = (name[0] == '/' ? name : d + "/" + name) + suffix;
      if (Exists(candidate)) return candidate;
    }
  Fail("include not found: " + name + " (from " + from + ")");
}

// Logical lines: comments removed (outside quotes), backslash-newline joined.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  bool quoted = false, apostrophe = false, comment = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') {
      if (!comment && !current.empty() && current.back() == '\\') {
        current.pop_back();
        continue;
      }
      lines.push_back(current);
      current.clear();
      quoted = apostrophe = comment = false;
      continue;
    }
    if (comment) continue;
    if ((quoted || apostrophe) && c == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
      current += c;
      current += text[++i];
      continue;
    }
    if (c == '"' && !apostrophe) quoted = !quoted;
    if (c == '\'' && !quoted) apostrophe = !apostrophe;
    if ((c == '#' || c == '!') && !quoted && !apostrophe) {
      comment = true;
      continue;
    }
    current += c;
  }
  lines.push_back(current);
  return lines;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

// ---- the tables ---------------------------------------------------------

struct Tables {
  std::vector<bool> defined = std::vector<bool>(kColumnCount, false);
  bool explicitColumns = false;
  std::vector<std::vector<int>> keys = std::vector<std::vector<int>>(kKeyCount);  // per key: 256 codes, -1 unset
  std::map<int, std::string> strings;  // function value -> text
  struct Accent {
    int diacritic, base, result;
  };
  std::vector<Accent> accents;
};

class Parser {
 public:
  Parser(const Symbols& symbols, Tables& tables) : sym_(symbols), t_(tables) {}

  void File(const std::string& path) {
    std::string text = ReadMaybeGzip(path);
    if (text.empty()) Fail("cannot read " + path);
    int number = 0;
    for (const std::string& line : LogicalLines(text)) {
      ++number;
      try {
        Line(path, line);
      } catch (const std::runtime_error& e) {
        Fail(path + ":" + std::to_string(number) + ": " + e.what());
      }
    }
  }

 private:
  const Symbols& sym_;
  Tables& t_;
  int voidCode() const { return sym_.codes.at("VoidSymbol"); }

  void Line(const std::string& path, const std::string& line) {
    std::vector<std::string> w = Words(line);
    if (w.empty()) return;
    if (w[0] == "include") return File(FindInclude(path, Unquote(line.substr(line.find('"')))));
    if (w[0] == "keymaps") return Keymaps(w);
    if (w[0] == "charset") return;  // the default map stays within Latin-1
    if (w[0] == "alt_is_meta") return;
    if (w[0] == "strings" || (w[0] == "compose" && w.size() > 1 && w[1] == "as"))
      Fail("abbreviations are not supported: " + line);
    if (w[0] == "string") return String(line);
    if (w[0] == "compose") return Compose(line);
    KeyLine(w);
  }

  void Keymaps(const std::vector<std::string>& w) {
    if (w.size() < 2) Fail("keymaps without columns");
    t_.explicitColumns = true;
    std::istringstream ranges(w[1]);
    std::string range;
    while (std::getline(ranges, range, ',')) {
      size_t dash = range.find('-');
      int from = std::atoi(range.substr(0, dash).c_str());
      int to = dash == std::string::npos ? from : std::atoi(range.substr(dash + 1).c_str());
      if (from < 0 || to >= kColumnCount || from > to) Fail("bad keymaps range " + range);
      for (int c = from; c <= to; ++c) t_.defined[c] = true;
    }
  }

  std::vector<int> DefinedColumns() const {
    std::vector<int> columns;
    for (int c = 0; c < kColumnCount; ++c)
      if (t_.defined[c]) columns.push_back(c);
    return columns;
  }

  // One keysym: name, number, U+ code point; '+' makes a letter.
  int Keysym(std::string word) const {
    bool letter = false;
    if (word.size() > 1 && word[0] == '+') {
      letter = true;
      word.erase(0, 1);
    }
    int code;
    if (word.size() > 2 && (word[0] == 'U' || word[0] == 'u') && word[1] == '+') {
      code = static_cast<int>(std::strtol(word.c_str() + 2, nullptr, 16));
      if (code >= 0xF000) Fail("code point out of range: " + word);
      return code | 0x10000;  // marks a code point, stripped on output
    }
    if (std::isdigit(static_cast<unsigned char>(word[0]))) {
      code = static_cast<int>(std::strtol(word.c_str(), nullptr, 0));
    } else {
      auto it = sym_.codes.find(word);
      if (it == sym_.codes.end()) Fail("unknown keysym " + word);
      code = it->second;
    }
    int type = code >> 8, value = code & 0xFF;
    if (type == kLatinType && (letter || (value < 0x80 && std::isalpha(value))))
      code = kLetterType << 8 | value;
    return code;
  }

  int KeyNumber(const std::string& word) const {
    char* end = nullptr;
    long n = std::strtol(word.c_str(), &end, 0);
    if (*end || n < 0 || n > 255) Fail("bad keycode " + word);
    return static_cast<int>(n);
  }

  std::vector<int>& Key(int number) {
    std::vector<int>& key = t_.keys[static_cast<size_t>(number)];
    if (key.empty()) key.assign(kColumnCount, -1);
    return key;
  }

  void KeyLine(const std::vector<std::string>& w) {
    size_t keycodeAt = 0;
    while (keycodeAt < w.size() && w[keycodeAt] != "keycode") ++keycodeAt;
    if (keycodeAt + 2 >= w.size() || w[keycodeAt + 2] != "=") Fail("not a key definition");
    int number = KeyNumber(w[keycodeAt + 1]);
    std::vector<std::string> syms(w.begin() + static_cast<long>(keycodeAt) + 3, w.end());
    if (number >= kKeyCount) return;  // beyond the table the layout keeps
    if (keycodeAt > 0) return SingleColumn(w, keycodeAt, number, syms);
    if (!t_.explicitColumns) Fail("key definition before a keymaps line");
    std::vector<int>& key = Key(number);
    std::vector<int> columns = DefinedColumns();
    for (int c : columns) key[static_cast<size_t>(c)] = voidCode();
    if (syms.size() == 1) return Replicate(key, columns, Keysym(syms[0]));
    if (syms.size() > columns.size()) Fail("more keysyms than key maps");
    for (size_t i = 0; i < syms.size(); ++i) key[static_cast<size_t>(columns[i])] = Keysym(syms[i]);
  }

  void SingleColumn(const std::vector<std::string>& w, size_t keycodeAt, int number,
                    const std::vector<std::string>& syms) {
    int column = 0;
    for (size_t i = 0; i < keycodeAt; ++i) {
      if (w[i] == "plain") continue;
      auto it = sym_.modifiers.find(w[i]);
      if (it == sym_.modifiers.end()) Fail("unknown modifier " + w[i]);
      column += it->second;
    }
    if (syms.size() != 1) Fail("a single-column definition takes one keysym");
    if (column >= kColumnCount) Fail("column out of range");
    Key(number)[static_cast<size_t>(column)] = Keysym(syms[0]);
  }

  // A lone keysym fills every defined column; an ASCII letter follows the
  // shift, control and alt rules of the console.
  void Replicate(std::vector<int>& key, const std::vector<int>& columns, int code) {
    int value = code & 0xFF;
    bool letter = (code >> 8) == kLetterType && value < 0x80 && std::isalpha(value);
    for (int c : columns) {
      if (!letter) {
        key[static_cast<size_t>(c)] = code;
        continue;
      }
      bool shift = c & sym_.modifiers.at("shift");
      bool control = c & sym_.modifiers.at("control");
      bool alt = c & sym_.modifiers.at("alt");
      int flipped = shift ? (std::islower(value) ? std::toupper(value) : std::tolower(value)) : value;
      int controlCode = std::tolower(value) - 'a' + 1;
      if (control && alt) key[static_cast<size_t>(c)] = kMetaType << 8 | controlCode;
      else if (control) key[static_cast<size_t>(c)] = kLatinType << 8 | controlCode;
      else if (alt) key[static_cast<size_t>(c)] = kMetaType << 8 | flipped;
      else key[static_cast<size_t>(c)] = kLetterType << 8 | flipped;
    }
  }

  static std::string Unquote(const std::string& quoted) {
    size_t open = quoted.find('"');
    if (open == std::string::npos) Fail("missing quote");
    std::string out;
    for (size_t i = open + 1; i < quoted.size(); ++i) {
      char c = quoted[i];
      if (c == '"') return out;
      if (c != '\\' || i + 1 >= quoted.size()) {
        out += c;
        continue;
      }
      char e = quoted[++i];
      if (e == 'n') out += '\n';
      else if (e >= '0' && e <= '7') {
        int v = 0, digits = 0;
        while (digits < 3 && i < quoted.size() && quoted[i] >= '0' && quoted[i] <= '7') {
          v = v * 8 + (quoted[i++] - '0');
          ++digits;
        }
        --i;
        out += static_cast<char>(v);
      } else out += e;
    }
    Fail("unterminated string");
  }

  void String(const std::string& line) {
    std::vector<std::string> w = Words(line.substr(0, line.find('"')));
    if (w.size() != 3 || w[2] != "=") Fail("bad string definition");
    int code = Keysym(w[1]);
    if ((code >> 8) != 1) Fail("string for a non-function keysym " + w[1]);
    t_.strings[code & 0xFF] = Unquote(line);
  }

  // A compose character: 'c', '\c', '\ooo' or a number.
  static int ComposeChar(const std::string& line, size_t& at) {
    while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at]))) ++at;
    if (at >= line.size()) Fail("missing compose character");
    if (line[at] != '\'') {
      size_t end = at;
      while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
      int v = static_cast<int>(std::strtol(line.substr(at, end - at).c_str(), nullptr, 0));
      at = end;
      return v;
    }
    ++at;
    int v;
    if (line[at] == '\\' && at + 1 < line.size() && line[at + 1] >= '0' && line[at + 1] <= '7') {
      v = 0;
      ++at;
      for (int d = 0; d < 3 && line[at] >= '0' && line[at] <= '7'; ++d) v = v * 8 + (line[at++] - '0');
    } else {
      if (line[at] == '\\') ++at;
      v = static_cast<unsigned char>(line[at++]);
    }
    if (at >= line.size() || line[at] != '\'') Fail("bad compose character");
    ++at;
    return v;
  }

  void Compose(const std::string& line) {
    size_t at = line.find("compose") + 7;
    int diacritic = ComposeChar(line, at);
    int base = ComposeChar(line, at);
    size_t to = line.find("to", at);
    if (to == std::string::npos) Fail("compose without 'to'");
    at = to + 2;
    int result = ComposeChar(line, at);
    t_.accents.push_back({diacritic, base, result});
  }
};

// ---- output -------------------------------------------------------------

std::string Hex(int v) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%04x", v);
  return buffer;
}

std::string CString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\%03o", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Kernel-style 16-bit key codes: 0xF000 + type << 8 | value, or a code point.
int KeyCode(int code) { return code & 0x10000 ? code & 0xFFFF : 0xF000 | code; }

void Write(const Tables& t, const std::vector<int>& maps, int voidCode, const std::string& path) {
  std::ofstream out(path);
  if (!out) Fail("cannot write " + path);
  out << "// Generated by gen_keymaps from the console keymap files; do not edit.\n"
      << "#include \"core/input/keymap_tables.h\"\n\nnamespace {\n\n";
  for (int m : maps) {
    out << "const uint16_t kMap" << m << "[kKeyMapCodeCount] = {";
    for (int k = 0; k < kKeyCount; ++k) {
      int code = t.keys[static_cast<size_t>(k)].empty() ? -1 : t.keys[static_cast<size_t>(k)][static_cast<size_t>(m)];
      out << (k % 8 ? " " : "\n    ") << Hex(KeyCode(code < 0 ? voidCode : code)) << ",";
    }
    out << "\n};\n\n";
  }
  out << "}  // namespace\n\nconst KeyMapColumn kDefaultKeyMaps[] = {\n";
  for (int m : maps) out << "    {" << m << ", kMap" << m << "},\n";
  out << "};\nconst int kDefaultKeyMapCount = " << maps.size() << ";\n\n";
  out << "const AccentEntry kDefaultAccents[] = {\n";
  for (const auto& a : t.accents)
    out << "    {" << a.diacritic << ", " << a.base << ", " << a.result << "},\n";
  out << "};\nconst int kDefaultAccentCount = " << t.accents.size() << ";\n\n";
  int count = t.strings.empty() ? 0 : t.strings.rbegin()->first + 1;
  out << "const char* const kDefaultFuncStrings[] = {\n";
  for (int i = 0; i < count; ++i) {
    auto it = t.strings.find(i);
    out << "    " << (it == t.strings.end() ? "nullptr" : CString(it->second)) << ",\n";
  }
  out << "};\nconst int kDefaultFuncStringCount = " << count << ";\n";
}

std::vector<int> ParseMaps(const std::string& list) {
  std::vector<int> maps;
  std::istringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) maps.push_back(std::atoi(item.c_str()));
  return maps;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <keymap> <symbols> <output.cpp> <maps>\n", argv[0]);
    return 2;
  }
  try {
    Symbols symbols = ReadSymbols(argv[2]);
    Tables tables;
    Parser(symbols, tables).File(argv[1]);
    std::vector<int> maps = ParseMaps(argv[4]);
    for (int m : maps)
      if (m < 0 || m >= kColumnCount || !tables.defined[static_cast<size_t>(m)])
        Fail("key map " + std::to_string(m) + " is not defined by " + argv[1]);
    Write(tables, maps, symbols.codes.at("VoidSymbol"), argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_keymaps: %s\n", e.what());
    return 1;
  }
  return 0;
}

// Writes the toolkit's charset conversion tables as a C++ source file. Every
// entry is asked of the C library's iconv converters; nothing is typed in.
//
//   gen_charset_tables <output.cpp>
//
// Exits non-zero, writing nothing, when a converter is missing.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One iconv converter from a charset to UCS-4, decoding one character at a time.
class Decoder {
 public:
  explicit Decoder(const char* charset) : cd_(iconv_open("UCS-4LE", charset)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv has no converter for ") + charset);
  }
  ~Decoder() { iconv_close(cd_); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // The BMP code of the one character the bytes form; 0 when they form none,
  // more than one, or one outside the BMP.
  uint16_t Decode(const std::vector<unsigned char>& bytes) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> in(bytes.begin(), bytes.end());
    unsigned char out[16] = {};
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 0;
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 0;
    if (inLeft != 0 || sizeof out - outLeft != 4) return 0;
    uint32_t code = out[0] | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24;
    return code > 0xFFFF ? 0 : static_cast<uint16_t>(code);
  }

 private:
  iconv_t cd_;
};

using Table = std::vector<uint16_t>;

Table Euc94x94(const char* charset) {
  Decoder dec(charset);
  Table t;
  for (int b0 = 0xA1; b0 <= 0xFE; ++b0)
    for (int b1 = 0xA1; b1 <= 0xFE; ++b1)
      t.push_back(dec.Decode({static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)}));
  return t;
}

Table ShiftJis() {
  Decoder dec("SHIFT_JIS");
  Table t;
  auto row = [&](int b0) {
    for (int b1 = 0x40; b1 <= 0xFC; ++b1)
      t.push_back(dec.Decode({static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)}));
  };
  for (int b0 = 0x81; b0 <= 0x9F; ++b0) row(b0);
  for (int b0 = 0xE0; b0 <= 0xEE; ++b0) row(b0);
  return t;
}

Table Big5() {
  Decoder dec("BIG5");
  Table t;
  for (int b0 = 0xA1; b0 <= 0xFE; ++b0)
    for (int b1 = 0xA1; b1 <= 0xFE; ++b1)
      t.push_back(dec.Decode({static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)}));
  for (int b0 = 0xA1; b0 <= 0xFE; ++b0)
    for (int b1 = 0x40; b1 <= 0x7E; ++b1)
      t.push_back(dec.Decode({static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)}));
  return t;
}

// (b0 - 0x81) * 192 + (b1 - 0x40) for b1 0x40..0xFF; 0x7F and 0xFF stay empty.
Table GbkLayout(Decoder& dec) {
  Table t;
  for (int b0 = 0x81; b0 <= 0xFE; ++b0)
    for (int b1 = 0x40; b1 <= 0xFF; ++b1) {
      bool trail = b1 != 0x7F && b1 != 0xFF;
      t.push_back(trail ? dec.Decode({static_cast<unsigned char>(b0), static_cast<unsigned char>(b1)})
                        : 0);
    }
  return t;
}

Table Gbk() {
  Decoder dec("GBK");
  return GbkLayout(dec);
}

Table Gb18030() {
  Decoder dec("GB18030");
  Table t = GbkLayout(dec);
  for (int linear = 0; linear < 39420; ++linear) {
    std::vector<unsigned char> bytes = {
        static_cast<unsigned char>(0x81 + linear / 12600),
        static_cast<unsigned char>(0x30 + linear / 1260 % 10),
        static_cast<unsigned char>(0x81 + linear / 10 % 126),
        static_cast<unsigned char>(0x30 + linear % 10)};
    t.push_back(dec.Decode(bytes));
  }
  return t;
}

// Upper half 0xA1..0xFF of an ISO 8859 part; unassigned bytes keep their value.
Table IsoUpperHalf(int part) {
  Table t(95);
  if (part == 0 || part == 12) return t;
  std::string name = "ISO-8859-" + std::to_string(part);
  Decoder dec(name.c_str());
  for (int b = 0xA1; b <= 0xFF; ++b) {
    uint16_t code = dec.Decode({static_cast<unsigned char>(b)});
    t[b - 0xA1] = code ? code : static_cast<uint16_t>(b);
  }
  // Greek follows its 1987 repertoire: no euro, drachma or ypogegrammeni.
  if (part == 7)
    for (int b : {0xA4, 0xA5, 0xAA}) t[b - 0xA1] = static_cast<uint16_t>(b);
  return t;
}

// The em dash is the GB2312 dash in both directions.
constexpr int kGbDashIndex = (0xA1 - 0xA1) * 94 + (0xAA - 0xA1);

Table Gb2312() {
  Table t = Euc94x94("EUC-CN");
  t[kGbDashIndex] = 0x2014;
  return t;
}

// UCS-2 to GB2312 pairs from the forward table. The ideographic space goes to
// 0xD7 0xFE, the code the device's GB2312 fonts keep for it.
std::map<uint16_t, uint16_t> Gb2312Reverse(const Table& forward) {
  std::map<uint16_t, uint16_t> reverse;
  for (size_t i = 0; i < forward.size(); ++i) {
    if (!forward[i]) continue;
    uint16_t gb = static_cast<uint16_t>((0xA1 + i / 94) << 8 | (0xA1 + i % 94));
    reverse.emplace(forward[i], gb);
  }
  reverse[0x3000] = 0xD7FE;
  reverse.erase(0x2015);
  return reverse;
}

class Writer {
 public:
  explicit Writer(std::ofstream& out) : out_(out) {}

  void Array(const char* decl, const Table& t) {
    out_ << decl << " = {";
    for (size_t i = 0; i < t.size(); ++i) {
      if (i % 12 == 0) out_ << "\n   ";
      out_ << ' ' << t[i] << ',';
    }
    out_ << "\n};\n\n";
  }

  void IsoTables() {
    out_ << "const uint16_t kIso8859UpperHalf[17][kIsoUpperHalf] = {\n";
    for (int part = 0; part <= 16; ++part) {
      Table t = IsoUpperHalf(part);
      out_ << "  {";
      for (size_t i = 0; i < t.size(); ++i) out_ << (i % 12 == 0 ? "\n   " : "") << ' ' << t[i] << ',';
      out_ << "\n  },\n";
    }
    out_ << "};\n\n";
  }

  void Ranges(const std::map<uint16_t, uint16_t>& reverse) {
    std::vector<std::pair<uint16_t, uint16_t>> ranges;
    std::vector<uint16_t> codes;
    for (const auto& [ucs, gb] : reverse) {
      if (ranges.empty() || ranges.back().second + 1 != ucs) ranges.push_back({ucs, ucs});
      else ranges.back().second = ucs;
      codes.push_back(gb);
    }
    out_ << "const unsigned char kGb2312Bytes[] = {";
    for (size_t i = 0; i < codes.size(); ++i)
      out_ << (i % 8 == 0 ? "\n   " : "") << ' ' << (codes[i] >> 8) << ',' << (codes[i] & 0xFF) << ',';
    out_ << "\n};\n\n}  // namespace\n\n";
    out_ << "const DbcsRange kUcs2ToGb2312Ranges[] = {\n";
    size_t offset = 0;
    for (const auto& [first, last] : ranges) {
      out_ << "  {" << first << ", " << last << ", kGb2312Bytes + " << offset << "},\n";
      offset += 2u * (last - first + 1u);
    }
    out_ << "};\nconst int kUcs2ToGb2312RangeCount = " << ranges.size() << ";\n\n";
  }

 private:
  std::ofstream& out_;
};

void Generate(std::ofstream& out) {
  Writer w(out);
  out << "// Generated by gen_charset_tables from the C library's converters.\n"
         "#include \"gdi/text/charset_tables.h\"\n\nnamespace charset_tables {\n\n";
  Table gb2312 = Gb2312();
  w.Array("const uint16_t kGb2312ToUcs2[kEuc94x94Size]", gb2312);
  w.Array("const uint16_t kEucKrToUcs2[kEuc94x94Size]", Euc94x94("EUC-KR"));
  w.Array("const uint16_t kEucJisX0208ToUcs2[kEuc94x94Size]", Euc94x94("EUC-JP"));
  w.Array("const uint16_t kShiftJisToUcs2[kShiftJisSize]", ShiftJis());
  w.Array("const uint16_t kBig5ToUcs2[kBig5Size]", Big5());
  w.Array("const uint16_t kGbkToUcs2[kGbkSize]", Gbk());
  w.Array("const uint16_t kGb18030ToUcs2[kGb18030Size]", Gb18030());
  w.IsoTables();
  out << "namespace {\n\n";
  w.Ranges(Gb2312Reverse(gb2312));
  out << "}  // namespace charset_tables\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
    return 2;
  }
  std::string target = argv[1];
  std::string temp = target + ".tmp";
  try {
    std::ofstream out(temp, std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + temp);
    Generate(out);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + temp);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_charset_tables: %s\n", e.what());
    std::remove(temp.c_str());
    return 1;
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    std::perror("gen_charset_tables: rename");
    return 1;
  }
  return 0;
}

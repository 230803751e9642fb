// Skins of text entry: the character and numeric soft keyboards of each
// display, drawn key by key from the key rectangles of that display's
// configuration ([chskb_metrics], [nuskb_metrics]) so that what is drawn is
// what the keyboard's hit test finds; the caps-lock mark sized to the caps
// key; and the edits' five input-mode icons. Keys carry their labels in a
// small built-in pixel font.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bmp_writer.h"

namespace {

const Rgb kBoard{0x28, 0x24, 0x20}, kKeyTop{0x70, 0x68, 0x58}, kKeyBottom{0x48, 0x40, 0x38};
const Rgb kKeyFrame{0x98, 0x90, 0x80}, kLabel{0xF0, 0xF0, 0xE8}, kCaps{0xE0, 0xA0, 0x30};
const Rgb kIconTop{0x50, 0x58, 0x68}, kIconBottom{0x30, 0x34, 0x40};

// 3 x 5 glyphs, '#' set.
const std::map<char, const char*> kGlyphs = {
    {'0', "###" "#.#" "#.#" "#.#" "###"}, {'1', ".#." "##." ".#." ".#." "###"}, {'2', "###" "..#" "###" "#.." "###"},
    {'3', "###" "..#" "###" "..#" "###"}, {'4', "#.#" "#.#" "###" "..#" "..#"}, {'5', "###" "#.." "###" "..#" "###"},
    {'6', "###" "#.." "###" "#.#" "###"}, {'7', "###" "..#" "..#" "..#" "..#"}, {'8', "###" "#.#" "###" "#.#" "###"},
    {'9', "###" "#.#" "###" "..#" "###"}, {'A', "###" "#.#" "###" "#.#" "#.#"}, {'B', "##." "#.#" "##." "#.#" "##."},
    {'C', "###" "#.." "#.." "#.." "###"}, {'D', "##." "#.#" "#.#" "#.#" "##."}, {'E', "###" "#.." "##." "#.." "###"},
    {'F', "###" "#.." "##." "#.." "#.."}, {'G', "###" "#.." "#.#" "#.#" "###"}, {'H', "#.#" "#.#" "###" "#.#" "#.#"},
    {'I', "###" ".#." ".#." ".#." "###"}, {'J', "..#" "..#" "..#" "#.#" "###"}, {'K', "#.#" "#.#" "##." "#.#" "#.#"},
    {'L', "#.." "#.." "#.." "#.." "###"}, {'M', "#.#" "###" "###" "#.#" "#.#"}, {'N', "##." "#.#" "#.#" "#.#" "#.#"},
    {'O', "###" "#.#" "#.#" "#.#" "###"}, {'P', "###" "#.#" "###" "#.." "#.."}, {'Q', "###" "#.#" "#.#" "###" "..#"},
    {'R', "##." "#.#" "##." "#.#" "#.#"}, {'S', "###" "#.." "###" "..#" "###"}, {'T', "###" ".#." ".#." ".#." ".#."},
    {'U', "#.#" "#.#" "#.#" "#.#" "###"}, {'V', "#.#" "#.#" "#.#" "#.#" ".#."}, {'W', "#.#" "#.#" "###" "###" "#.#"},
    {'X', "#.#" "#.#" ".#." "#.#" "#.#"}, {'Y', "#.#" "#.#" ".#." ".#." ".#."}, {'Z', "###" "..#" ".#." "#.." "###"},
    {',', "..." "..." "..." ".#." "#.."}, {'.', "..." "..." "..." "..." ".#."}, {'?', "###" "..#" ".##" "..." ".#."},
    {'a', "..." "##." ".##" "#.#" "###"}, {'b', "#.." "#.." "###" "#.#" "###"}, {'c', "..." "..." "###" "#.." "###"},
};

int TextWidth(const std::string& text, int scale) { return static_cast<int>(text.size()) * 4 * scale - scale; }

void DrawText(Image& img, int x, int y, const std::string& text, int scale, Rgb colour) {
  for (char c : text) {
    auto glyph = kGlyphs.find(c);
    if (glyph != kGlyphs.end())
      for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
          if (glyph->second[row * 3 + col] == '#') img.FillRect(x + col * scale, y + row * scale, scale, scale, colour);
    x += 4 * scale;
  }
}

void CentredText(Image& img, int x, int y, int w, int h, const std::string& text, Rgb colour) {
  const int scale = h >= 24 ? 2 : 1;
  DrawText(img, x + (w - TextWidth(text, scale)) / 2, y + (h - 5 * scale) / 2, text, scale, colour);
}

// One display's configuration: key -> value of the keyboard sections.
using Section = std::map<std::string, std::string>;

std::map<std::string, Section> ReadSections(const std::string& path) {
  std::map<std::string, Section> out;
  std::ifstream in(path, std::ios::binary);
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      current = line.substr(1, line.find(']') - 1);
      continue;
    }
    const size_t eq = line.find('=');
    if (eq != std::string::npos && (current == "chskb_metrics" || current == "nuskb_metrics"))
      out[current][line.substr(0, eq)] = line.substr(eq + 1);
  }
  return out;
}

struct Key {
  std::string name;
  int x, y, w;
};

struct Board {
  int keyHeight = 0;
  std::vector<Key> keys;
};

// The keys in the keyboard's table order.
const std::vector<std::string> kCharKeys = {
    "char_escape", "char_1", "char_2", "char_3", "char_4", "char_5",    "char_6", "char_7",      "char_8",
    "char_9",      "char_0", "char_q", "char_w", "char_e", "char_r",    "char_t", "char_y",      "char_u",
    "char_i",      "char_o", "char_p", "char_punc", "char_a", "char_s", "char_d", "char_f",      "char_g",
    "char_h",      "char_j", "char_k", "char_l", "char_caps", "char_z", "char_x", "char_c",      "char_v",
    "char_b",      "char_n", "char_m", "char_remove", "char_space", "char_enter"};
const std::vector<std::string> kNumKeys = {"char_1", "char_2", "char_3",     "char_4",      "char_5",
                                           "char_6", "char_7", "char_8",     "char_9",      "char_escape",
                                           "char_0", "char_comma", "char_remove", "char_space", "char_enter"};

Board ReadBoard(const Section& s, const std::vector<std::string>& names) {
  Board b;
  auto number = [&s](const std::string& key) {
    auto it = s.find(key);
    return it == s.end() ? -1 : std::atoi(it->second.c_str());
  };
  b.keyHeight = number("char_h");
  for (const std::string& n : names) b.keys.push_back({n, number(n + "_x"), number(n + "_y"), number(n + "_w")});
  return b;
}

std::string Label(const std::string& name) {
  static const std::map<std::string, std::string> words = {
      {"char_escape", "ESC"}, {"char_punc", ",.?"}, {"char_caps", "CAPS"}, {"char_remove", "BACK"},
      {"char_space", "SPACE"}, {"char_enter", "ENTER"}, {"char_comma", ","}};
  auto it = words.find(name);
  if (it != words.end()) return it->second;
  return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(name.back()))));
}

struct Display {
  std::string file;    // configuration file
  std::string suffix;  // appended to the skin names of this display
};
const Display kDisplays[] = {{"1024x768.cfg", ""}, {"720x576.cfg", "_576"}};

struct Boards {
  Board chars, numbers;
  int width = 0, height = 0;  // both keyboards fit, so the window's size serves both
};

Boards Load(int display) {
  auto sections = ReadSections(std::string(RESGEN_CONF_DIR) + "/" + kDisplays[display].file);
  Boards b{ReadBoard(sections["chskb_metrics"], kCharKeys), ReadBoard(sections["nuskb_metrics"], kNumKeys)};
  for (const Board* board : {&b.chars, &b.numbers})
    for (const Key& k : board->keys) {
      b.width = std::max(b.width, k.x + k.w + 4);
      b.height = std::max(b.height, k.y + board->keyHeight + 4);
    }
  // Windows are placed on even sizes: the skin is made to match.
  b.width = std::max(b.width + (b.width & 1), 8);
  b.height = std::max(b.height + (b.height & 1), 8);
  return b;
}

Image DrawBoard(const Boards& all, const Board& board) {
  Image img(all.width, all.height, kBoard);
  for (const Key& k : board.keys) {
    if (k.w <= 0 || board.keyHeight <= 0) continue;
    img.Gradient(k.x, k.y, k.w, board.keyHeight, kKeyTop, kKeyBottom);
    img.FrameRect(k.x, k.y, k.w, board.keyHeight, kKeyFrame);
    CentredText(img, k.x, k.y, k.w, board.keyHeight, Label(k.name), kLabel);
  }
  return img;
}

template <int D>
Image CharBoard() {
  const Boards b = Load(D);
  return DrawBoard(b, b.chars);
}

template <int D>
Image NumBoard() {
  const Boards b = Load(D);
  return DrawBoard(b, b.numbers);
}

// The caps key lit: drawn over the key at its place.
template <int D>
Image CapsMark() {
  const Boards b = Load(D);
  const Key& caps = b.chars.keys[31];
  const int w = std::max(caps.w, 4), h = std::max(b.chars.keyHeight, 4);
  Image img(w, h);
  img.Gradient(0, 0, w, h, kCaps, kKeyBottom);
  img.FrameRect(0, 0, w, h, kKeyFrame);
  CentredText(img, 0, 0, w, h, "CAPS", kLabel);
  return img;
}

Image Icon(const std::string& label) {
  Image img(28, 20);
  img.Gradient(0, 0, 28, 20, kIconTop, kIconBottom);
  img.FrameRect(0, 0, 28, 20, kKeyFrame);
  CentredText(img, 0, 0, 28, 20, label, kLabel);
  return img;
}

Image Lower() { return Icon("abc"); }
Image Upper() { return Icon("ABC"); }
Image Numbers() { return Icon("123"); }
Image Chinese() { return Icon("CN"); }
Image Punctuation() { return Icon(",.?"); }

const SkinFamily kKeyboardSkins{
    {"SKBctrlbtn_chr", CharBoard<0>},      {"SKBctrlbtn_num", NumBoard<0>},      {"capslock_skb", CapsMark<0>},
    {"SKBctrlbtn_chr_576", CharBoard<1>},  {"SKBctrlbtn_num_576", NumBoard<1>},  {"capslock_skb_576", CapsMark<1>},
    {"switch_chrl", Lower},                {"switch_chrh", Upper},               {"switch_num", Numbers},
    {"switch_chinese", Chinese},           {"switch_punc", Punctuation},
};

}  // namespace

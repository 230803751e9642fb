// The caption file of the third language is read by position: one line per
// window, then per window one line per control in layout order (controls
// past the last line keep their English caption). Both layout files must
// agree with it: a line too many shifts every caption after it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "gui/layout.h"

namespace {

using Sections = std::map<std::string, std::vector<std::string>>;

// Section name -> its lines (comments dropped), in file order of names.
Sections Read(const std::string& path, std::vector<std::string>* order) {
  Sections sections;
  std::ifstream in(path);
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '#') continue;
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
      if (order) order->push_back(current);
      sections[current];
      continue;
    }
    if (!current.empty()) sections[current].push_back(line);
  }
  return sections;
}

int Number(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& l : lines)
    if (l.rfind(key + "=", 0) == 0) return std::stoi(l.substr(key.size() + 1));
  return -1;
}

// Windows whose every control has its German caption.
const std::set<std::string> kComplete{"shutdown", "shutdownhint", "copyweek", "handleset", "scheduleset"};

TEST(CaptionFiles, TheGermanCaptionsKeepStepWithBothLayouts) {
  std::vector<std::string> ignored;
  const Sections german = Read("../guiRes/rirurRes/string/gui_value6.cfg", &ignored);
  ASSERT_FALSE(german.empty());
  for (const char* file : {"../guiRes/rirurRes/conf/1024x768.cfg", "../guiRes/rirurRes/conf/720x576.cfg"}) {
    SCOPED_TRACE(file);
    std::vector<std::string> order;
    const Sections layout = Read(file, &order);
    ASSERT_FALSE(layout.empty());
    // The windows are the sections after [global_defines].
    std::vector<std::string> windows;
    bool after = false;
    for (const std::string& name : order) {
      if (after) windows.push_back(name);
      if (name == "global_defines") after = true;
    }
    EXPECT_EQ(Number(layout.at("menuinfo"), "win_number"), static_cast<int>(windows.size()));
    EXPECT_EQ(german.at("winsCaptions").size(), windows.size());
    for (const auto& [name, lines] : german) {
      if (name == "winsCaptions") continue;
      ASSERT_TRUE(layout.count(name)) << name;
      // Empty lines before the next section only separate it.
      size_t count = lines.size();
      while (count > 0 && lines[count - 1].empty()) --count;
      const int controls = Number(layout.at(name), "controlnumber");
      EXPECT_LE(static_cast<int>(count), controls) << name;
      if (kComplete.count(name)) {
        EXPECT_EQ(static_cast<int>(lines.size()), controls) << name;
      }
    }
  }
}

// Every caption of every layout record (window and control, drawn or kept
// for the pages' texts) in each language the program offers: the layout's
// two and every language text file. A language may write a text as English
// does only where the text is a number, a unit, a name or a technical term.
struct Record {
  std::string window, key, english, chinese;
};

constexpr int kFirstTextFileLanguage = 2;
constexpr int kGerman = 6;
constexpr const char* kLayouts[] = {"../guiRes/rirurRes/conf/1024x768.cfg", "../guiRes/rirurRes/conf/720x576.cfg"};

// The same in every language: names of products, interfaces and protocols.
const std::set<std::string> kSameEverywhere{
    "1 Kbps", "CABAC", "CVBS",  "DDNS",       "DHCP",  "DynDNS",   "EasyDDNS", "FAT32",    "FTP",
    "HDMI",   "HDMI/VGA", "ID", "IP SAN",     "IPServer", "LAN1",  "LAN2",     "MTU",      "NAS",
    "NO-IP",  "NTFS",  "NTP",   "PPPoE",      "RAID",  "RS-232",   "RS-485",   "S.M.A.R.T.", "SFTP",
    "SNMP",   "UPnP",  "V1",    "V2",         "V3",    "VGA",      "VGA/HDMI", "WD1",      "bond0",
    "eSATA",  "eSATA/miniSAS", "miniSAS"};
// German words written as the English ones.
const std::set<std::string> kSameInGerman{
    "ATM",      "Alarm",   "Analog",  "April",     "August",   "Bitrate", "Block",   "Decoder", "FPS",
    "Firmware", "Flags",   "Hardware", "Host/Ports", "Import/Export", "Information", "Link", "NIC",
    "Name",     "Normal",  "November", "OK",       "Offline",  "Online",  "POS",     "PTZ",
    "Parameter", "Pause",  "PeanutHull", "Port",   "Preset",   "September", "Server", "Software",
    "Standard", "Status",  "Stream",  "System",    "Test",     "Video",   "Video & Audio",
    "Zone 1",   "Zone 2",  "Zone 3",  "Zone 4"};
// Numbers with international units, times of a day and time zones, whose
// place names German keeps.
const std::regex kGermanAsEnglish(R"([0-9]+ (s|min|h|Minute)|\(GMT[-+][0-9:]+\) .*)");

bool HasLetter(const std::string& text) {
  for (unsigned char c : text)
    if (std::isalpha(c) || c >= 0x80) return true;
  return false;
}

// A text another language may write as English does.
bool MaySameAsEnglish(const std::string& text, bool german) {
  if (!HasLetter(text) || kSameEverywhere.count(text)) return true;
  return german && (kSameInGerman.count(text) || std::regex_match(text, kGermanAsEnglish));
}

std::string Value(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& l : lines)
    if (l.rfind(key + "=", 0) == 0) return l.substr(key.size() + 1);
  return {};
}

// A text file's caption line as the key parser reads it.
std::string CaptionOfLine(const std::string& line) {
  std::string text = line.substr(0, line.find_first_of("=;#"));
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

// Window sections in layout order with, per window, its caption record and
// one record per control (a key whose next key is its "_cap0").
std::vector<std::pair<std::string, std::vector<Record>>> LayoutRecords(const char* path) {
  std::vector<std::string> order;
  const Sections layout = Read(path, &order);
  std::vector<std::pair<std::string, std::vector<Record>>> windows;
  bool after = false;
  for (const std::string& name : order) {
    if (name == "global_defines") after = true;
    if (!after || name == "global_defines") continue;
    const std::vector<std::string>& lines = layout.at(name);
    std::vector<Record> records{{name, "caption_lang", Value(lines, "caption_lang0"), Value(lines, "caption_lang1")}};
    std::string previous;
    for (const std::string& l : lines) {
      const std::string key = l.substr(0, l.find('='));
      if (!previous.empty() && key == previous + "_cap0")
        records.push_back({name, previous, Value(lines, key), Value(lines, previous + "_cap1")});
      previous = key;
    }
    windows.emplace_back(name, std::move(records));
  }
  return windows;
}

// The language-selection records name each language in its own language.
bool IsLanguageName(const std::string& key) { return key.rfind("lang_", 0) == 0; }

TEST(CaptionFiles, EveryCaptionHasATextInEveryLanguage) {
  std::vector<std::pair<int, Sections>> textFiles;
  for (int language = kFirstTextFileLanguage; language < LAYOUT_MAX_LANGUAGES; ++language) {
    char path[64];
    std::snprintf(path, sizeof path, "../guiRes/rirurRes/string/gui_value%d.cfg", language);
    if (std::ifstream(path).good()) textFiles.emplace_back(language, Read(path, nullptr));
  }
  ASSERT_FALSE(textFiles.empty());
  for (const char* file : kLayouts) {
    SCOPED_TRACE(file);
    const auto windows = LayoutRecords(file);
    ASSERT_GT(windows.size(), 80u);
    for (const auto& [window, records] : windows) {
      for (size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        if (r.english.empty() || IsLanguageName(r.key)) continue;
        const std::string where = window + "/" + r.key + " \"" + r.english + "\"";
        EXPECT_FALSE(r.chinese.empty()) << where << ": no Chinese text";
        EXPECT_TRUE(r.chinese != r.english || MaySameAsEnglish(r.english, false)) << where << ": English in Chinese";
        for (const auto& [language, texts] : textFiles) {
          const bool isWindow = i == 0;
          const auto section = texts.find(isWindow ? "winsCaptions" : window);
          const std::vector<std::string>* lines = section == texts.end() ? nullptr : &section->second;
          size_t line = i - 1;
          if (isWindow) {
            line = 0;
            while (line < windows.size() && windows[line].first != window) ++line;
          }
          const std::string text = lines && line < lines->size() ? CaptionOfLine((*lines)[line]) : std::string();
          EXPECT_FALSE(text.empty()) << where << ": no text in language " << language;
          EXPECT_TRUE(text != r.english || MaySameAsEnglish(r.english, language == kGerman))
              << where << ": English in language " << language;
        }
      }
    }
  }
}

}  // namespace

// Every caption of both layouts, in each of the three languages, measured
// with the fonts the controls draw it in against the room its control
// gives it.
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/testing/page_harness.h"
#include "app/value_texts.h"
#include "gui/dc.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "gui/text.h"

namespace {

using livetest::LiveGui;

// Room the controls leave their text: a labelled control's label takes
// 3/10 of the item and draws its grey text from 8 pixels in with 12 to
// spare; a list's column (a static at the window's origin) draws its
// caption 2 pixels in with 4 to spare; every other control may use the
// item's whole width, and a static at least two lines high wraps its text.
constexpr int kLabelTenths = 3, kLabelSpare = 12, kColumnSpare = 4;
constexpr int kControlFontMain = 5, kControlFontAux = 6;
const char* const kLabelled[] = {"combobox", "sledit", "ipedit", "trackbar", "progressbar"};

struct Item {
  std::string window, name;
  bool operator==(const Item& o) const { return window == o.window && name == o.name; }
};

// Check boxes that their pages make with a label, as the kinds above.
const Item kLabelledBoxes[] = {
    {"advrecordset", "hddrecover"},   {"advrecordset", "aes_enable"},     {"alarmset", "handle"},
    {"exceptionset", "audio"},        {"exceptionset", "exupload"},       {"exceptionset", "email"},
    {"exceptionset", "alarmout"},     {"handleset", "callpreset"},        {"handleset", "callpatrol"},
    {"handleset", "callpattern"},     {"motionset", "motionen"},          {"motionset", "handle"},
    {"startpasswd", "setpasswd_static"}, {"usermodify", "enable_changepasswd"}, {"videolossset", "lossen"},
    {"videolossset", "handle"},       {"videotamperset", "tamperen"},     {"videotamperset", "handle"}};
// Picture buttons whose caption is their bubble tip, not drawn.
const Item kTipOnly[] = {{"leftcolorset", "brightnesspos"}, {"leftcolorset", "contrastpos"},
                         {"leftcolorset", "saturationpos"}, {"leftcolorset", "chromapos"},
                         {"leftcolorset", "sharpnesspos"},  {"leftcolorset", "denoisingpos"}};

template <size_t N>
bool In(const Item (&table)[N], const Item& item) {
  for (const Item& i : table)
    if (i == item) return true;
  return false;
}

// The windows' items as the layout file names them: an item is a key whose
// next line is its English caption.
std::vector<Item> ItemsOf(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Item> items;
  std::string line, window, previousKey;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      window = line.substr(1, line.size() - 2);
      previousKey.clear();
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos || line[0] == '#') continue;
    const std::string key = line.substr(0, eq);
    if (!previousKey.empty() && key == previousKey + "_cap0") items.push_back({window, previousKey});
    previousKey = key;
  }
  return items;
}

bool IsLabelled(const char* kind) {
  for (const char* k : kLabelled)
    if (std::string(kind) == k) return true;
  return false;
}

struct Layout {
  const char* what;
  const char* path;
  BOOL (*lookup)(const char*, const char*, CtrlResInfo**);
  int font;
};

// "window/item (kind): caption needs N of M" for each caption that does not fit.
std::vector<std::string> Misfits(HDC hdc, const Layout& layout) {
  SelectFont(hdc, g_SysLogFont[layout.font]);
  const int lineHeight = GetFontHeight(hdc);
  std::vector<std::string> misfits;
  for (const Item& item : ItemsOf(layout.path)) {
    CtrlResInfo* r = nullptr;
    if (!layout.lookup(item.window.c_str(), item.name.c_str(), &r) || !r->caption || !r->caption[0] || r->w <= 0)
      continue;
    if (std::string(r->kind).rfind("hint", 0) == 0 || In(kTipOnly, item)) continue;  // not drawn in the control
    const bool labelled = IsLabelled(r->kind) || In(kLabelledBoxes, item);
    const bool column = std::string(r->kind) == "static" && r->x == 0 && r->y == 0;
    const int room = labelled ? r->w * kLabelTenths / 10 - kLabelSpare : column ? r->w - kColumnSpare : r->w;
    Size size{};
    GetTextExtentEx(hdc, r->caption, -1, &size, 0);
    int need = size.cx;
    if (!labelled && !column && std::string(r->kind) == "static" && r->h >= 2 * lineHeight) {
      Rect rc{0, 0, room, 0};
      DrawTextEx2(hdc, r->caption, -1, &rc, 0, DT_WORDBREAK | DT_CALCRECT, nullptr);
      if (rc.bottom - rc.top <= r->h && rc.right - rc.left <= room) continue;
      need = rc.right - rc.left;
    }
    if (need <= room) continue;
    char text[512];
    std::snprintf(text, sizeof text, "%s/%s (%s): \"%s\" needs %d of %d", item.window.c_str(), item.name.c_str(),
                  r->kind, r->caption, need, room);
    misfits.emplace_back(text);
  }
  return misfits;
}

// A device with an auxiliary output, so that the toolkit loads its layout
// too: from start-up on, and again after each test's reset of the device.
void TwoOutputs() { device_seam::mutableAbility()->videoOutputCount = 2; }

class TextsFit : public LiveGui {
 protected:
  static void SetUpTestSuite() { StartGui(TwoOutputs); }
  void SetUp() override {
    LiveGui::SetUp();
    TwoOutputs();
  }
  void SwitchTo(int language) {
    getCachedDeviceConfig()->language = language;
    ASSERT_EQ(setDeviceConfig(nullptr, getCachedDeviceConfig(), 1), 0);
    ASSERT_EQ(SetValueToGuiEtc("menuinfo", "language", std::to_string(language).c_str()), 0);
    SetLangSwitchState(0);
  }
  void TearDown() override {
    SwitchTo(1);
    LiveGui::TearDown();
  }
};

TEST_F(TextsFit, EveryCaptionFitsItsControlInEachLanguage) {
  const WindowHandle page = Main({0, 0, 64, 64}, DefaultMainWinProc);
  const Layout layouts[] = {{"main", "../guiRes/rirurRes/conf/1024x768.cfg", GetCtrlResInfo, kControlFontMain},
                            {"auxiliary", "../guiRes/rirurRes/conf/720x576.cfg", GetCtrlResInfoAux, kControlFontAux}};
  for (const auto& language : {std::pair<int, const char*>{1, "English"}, {2, "Chinese"}, {33, "German"}}) {
    SwitchTo(language.first);
    for (const Layout& layout : layouts) {
      SCOPED_TRACE(std::string(language.second) + ", " + layout.what + " layout");
      ASSERT_GT(ItemsOf(layout.path).size(), 1000u) << layout.path;
      CtrlResInfo* probe = nullptr;
      ASSERT_TRUE(layout.lookup("mainmenu", "shutdown", &probe)) << "the layout is loaded";
      const HDC hdc = GetClientDC(page);
      const std::vector<std::string> misfits = Misfits(hdc, layout);
      ReleaseDC(hdc);
      for (const std::string& m : misfits) ADD_FAILURE() << m;
    }
  }
}

// A value no table knows is named in the interface language.
TEST_F(TextsFit, UnknownValuesAreNamedInTheInterfaceLanguage) {
  const ValueKeyRow rows[] = {{"ok", 1}};
  char out[64];
  for (const auto& language : {std::pair<int, const char*>{33, "Unbekannter Typwert: 7"},
                               {2, "\xce\xb4\xd6\xaa\xc0\xe0\xd0\xcd\xd6\xb5: 7"},
                               {1, "Unknown Type Value: 7"}}) {
    SwitchTo(language.first);
    EXPECT_EQ(formatValueName(rows, 1, 7, out, sizeof out), -1);
    EXPECT_STREQ(out, language.second) << language.first;
  }
}

// The German text file gives each window of the layout one line per
// control, in layout order: a window without its section, or with too few
// lines, shows the texts of the language before.
TEST(GermanTexts, EveryWindowHasALinePerControl) {
  std::ifstream layout("../guiRes/rirurRes/conf/1024x768.cfg", std::ios::binary);
  std::vector<std::pair<std::string, int>> windows;
  std::string line, window;
  while (std::getline(layout, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[') window = line.substr(1, line.size() - 2);
    if (line.rfind("controlnumber=", 0) == 0) windows.emplace_back(window, std::stoi(line.substr(14)));
  }
  ASSERT_GT(windows.size(), 80u);
  std::ifstream german("../guiRes/rirurRes/string/gui_value6.cfg", std::ios::binary);
  std::map<std::string, std::vector<std::string>> sections;
  std::vector<std::string>* current = nullptr;
  while (std::getline(german, line)) {
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      current = &sections[line.substr(1, line.size() - 2)];
      continue;
    }
    if (current) current->push_back(line);
  }
  for (const auto& [name, controls] : windows) {
    const auto found = sections.find(name);
    if (found == sections.end()) {
      ADD_FAILURE() << name << " has no German texts";
      continue;
    }
    const std::vector<std::string>& lines = found->second;
    EXPECT_GE(lines.size(), static_cast<size_t>(controls)) << name;
    for (size_t i = static_cast<size_t>(controls); i < lines.size(); ++i)
      EXPECT_EQ(lines[i], "") << name << ": a line beyond its controls";
  }
}

}  // namespace

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
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/system/language/tests/language_switch.h"
#include "app/testing/page_harness.h"
#include "app/value_texts.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/control_tip.h"
#include "gui/dc.h"
#include "gui/font.h"
#include "gui/gui_etc.h"
#include "gui/propsheet.h"
#include "gui/layout.h"
#include "gui/static.h"
#include "gui/text.h"
#include "gui/window.h"

namespace {

using livetest::LiveGui;

// Each caption is measured by a control of its record's kind, made as the
// pages make it, which answers whether its text is cut (as it answers the
// bubble tip): a button in the room its picture and padding leave, a
// label in its static frame, a static in its client area. A static at
// least two lines high wraps its text; a list's column (a static at the
// window's origin) draws its caption in the list header's font 2 pixels in
// with 4 to spare.
constexpr int kColumnSpare = 4;
constexpr int kHeaderFontMain = 3, kHeaderFontAux = 6;
constexpr int kProbeId = 100;
const char* const kLabelled[] = {"combobox", "sledit", "ipedit", "trackbar", "progressbar"};

struct Item {
  std::string window, name;
  bool operator==(const Item& o) const { return window == o.window && name == o.name; }
};

// Buttons and statics that their pages make with a label, as the kinds above.
const Item kLabelledItems[] = {
    {"advrecordset", "aes_enable"},       {"advrecordset", "hddrecover"},       {"disk_advance", "drawframe_ratio_cap"},
    {"disk_advance", "pic_capacity"},     {"disk_advance", "rec_capacity"},     {"disk_advance", "rec_time_extend"},
    {"disk_advance", "rec_time_now"},     {"disk_advance", "totalcap"},         {"disk_base", "free"},
    {"disk_base", "total"},               {"disk_detect", "block"},             {"disk_detect", "capacity"},
    {"disk_detect", "err"},               {"disk_detect", "status"},            {"disk_localhdset", "capacity"},
    {"disk_localhdset", "diskno"},        {"disk_nethdadd", "nethddir"},        {"disk_nethdadd", "nethdip"},
    {"disk_nethdset", "capacity"},        {"disk_nethdset", "diskno"},          {"disk_nethdset", "nethddir"},
    {"disk_nethdset", "nethdip"},         {"disk_nethdset", "nethdtype"},       {"disk_smartinfo", "alleva"},
    {"disk_smartinfo", "selfeva"},        {"disk_smartinfo", "smart_selftest_status"}, {"disk_smartinfo", "time"},
    {"encodeset", "sub_raterange"},       {"exceptionset", "alarmout"},         {"exceptionset", "audio"},
    {"exceptionset", "email"},            {"exceptionset", "exupload"},         {"handleset", "callpatrol"},
    {"handleset", "callpattern"},         {"handleset", "callpreset"},          {"logdetail", "camno"},
    {"logdetail", "detailtype"},          {"logdetail", "hostip"},              {"logdetail", "localuser"},
    {"logdetail", "paratype"},            {"logdetail", "recordtime"},          {"motionset", "handle"},
    {"motionset", "motionen"},            {"previewset", "audio"},              {"systeminfo", "hddfree"},
    {"systeminfo", "hddtotal"},           {"usermodify", "enable_changepasswd"}, {"userset", "curusername"},
    {"videolossset", "handle"},           {"videolossset", "lossen"},           {"videotamperset", "handle"},
    {"videotamperset", "tamperen"},       {"startpasswd", "setpasswd_static"}, {"alarmset", "handle"},
    {"alarmset", "laytime"},              {"disk_smartinfo", "temperature"},    {"alarmset", "inputhandle"},
    {"scheduleset", "rec_enable"},        {"scheduleset", "pic_enable"},        {"netset", "attach"},
    {"netset", "ddnsenable"},             {"netset", "enable_fastload"},        {"netset", "encomfirm"},
    {"netset", "ftp_enable"},             {"netset", "https_enable"},           {"netset", "ntpenable"},
    {"netset", "pppoeenable"},            {"netset", "snmp_enable"},            {"netset", "ssl"}};
// Check boxes and radio buttons that draw their caption beside the box,
// framed ones from an indent.
const Item kCheckBoxes[] = {{"copyweek", "week_all"},        {"displayset", "automode"},
                            {"displayset", "dstenable"},     {"displayset", "enablewizard"},
                            {"displayset", "operationpasswd"}};
const Item kFramedCheckBoxes[] = {{"disk_advance", "diskmode_enable"}, {"disk_smartinfo", "enable"},
                                  {"encodeset", "audiorecord"},       {"encodeset", "enable_cabac"},
                                  {"encodeset", "enable_wd1"},        {"encodeset", "redundant"},
                                  {"encodeset", "redundant_nopic"}};
const Item kFramedRadios[] = {{"disk_localhdset", "attr_rw"},        {"disk_localhdset", "attr_readonly"},
                              {"disk_localhdset", "attr_redundant"}, {"disk_nethdset", "attr_rw"},
                              {"disk_nethdset", "attr_readonly"},    {"disk_nethdset", "attr_redundant"},
                              {"previewstrategy", "realtime"},       {"previewstrategy", "balanced"},
                              {"previewstrategy", "fluency"}};
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

// A record's width as the layout file gives it; -1 when it gives none.
int WidthInFile(const char* path, const std::string& window, const std::string& item) {
  std::ifstream in(path, std::ios::binary);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') section = line.substr(1, line.size() - 2);
    else if (section == window && line.rfind(item + "_w=", 0) == 0) return std::stoi(line.substr(item.size() + 3));
  }
  return -1;
}

bool IsLabelled(const std::string& kind, const Item& item) {
  for (const char* k : kLabelled)
    if (kind == k) return true;
  return In(kLabelledItems, item);
}

struct Layout {
  const char* what;
  const char* path;
  BOOL (*lookup)(const char*, const char*, CtrlResInfo**);
  int headerFont;
};

int TextWidth(HDC hdc, const char* text) {
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  return size.cx;
}

// Whether a made control's text is cut, as it tells its bubble tip.
bool Cut(WindowHandle control) { return SendMessage(control, MSG_TIPQUERY, 0, 0) == TIP_OFFER_CUT; }

// A static's wrapped text within its client area.
bool WrapFits(WindowHandle control, const char* text) {
  Rect client{};
  GetClientRect(control, &client);
  SetControlFontByStyle(control);
  const HDC hdc = GetClientDC(control);
  SelectFont(hdc, GetWindowFont(control));
  Rect rc{0, 0, client.right, 0};
  DrawTextEx2(hdc, text, -1, &rc, 0, DT_WORDBREAK | DT_CALCRECT, nullptr);
  ReleaseDC(hdc);
  return rc.bottom - rc.top <= client.bottom && rc.right - rc.left <= client.right;
}

// Whether the record's caption fits where its control draws it.
bool Fits(WindowHandle page, const Layout& layout, const Item& item, const CtrlResInfo& r) {
  const std::string kind = r.kind;
  const char* text = r.caption;
  if (IsLabelled(kind, item)) {
    createLabeledCtrl(kind.c_str(), text, WS_CHILD, 0, kProbeId, r.x, r.y, r.w, r.h, page, 0);
    const WindowHandle label = GetDlgItem(page, kProbeId + CHANBOX_LABEL_OFFSET);
    const bool cut = Cut(label);
    DestroyWindow(label);
    DestroyWindow(GetDlgItem(page, kProbeId));
    return !cut;
  }
  if (kind == "static" && r.x == 0 && r.y == 0) {
    const HDC hdc = GetClientDC(page);
    SelectFont(hdc, g_SysLogFont[layout.headerFont]);
    const int width = TextWidth(hdc, text);
    ReleaseDC(hdc);
    return width <= r.w - kColumnSpare;
  }
  uint32_t style = WS_CHILD;
  const char* cls = kind.c_str();
  if (kind == "button") {
    style |= BS_ELLIPSIS | (In(kFramedCheckBoxes, item) ? BS_AUTOCHECKBOX | BS_FRAMED
                            : In(kFramedRadios, item)   ? BS_AUTORADIOBUTTON | BS_FRAMED
                            : In(kCheckBoxes, item)     ? BS_AUTOCHECKBOX
                                                        : BS_PUSHBUTTON);
  } else if (kind == "static") {
    style |= SS_ELLIPSIS;
  } else {
    return true;  // list views and the like show no caption of their own
  }
  const WindowHandle control = CreateWindowEx(cls, text, style, 0, kProbeId, r.x, r.y, r.w, r.h, page, 0);
  if (!IsValidHandle(control)) return false;
  const bool fits = !Cut(control) || (kind == "static" && r.h >= 2 * GetSysCharHeight() && WrapFits(control, text));
  DestroyWindow(control);
  return fits;
}

// The caption's width in the font a control draws it in, to report.
int ControlTextWidth(WindowHandle page, const char* text) {
  const WindowHandle probe = CreateWindowEx("static", "", WS_CHILD, 0, kProbeId, 0, 0, 1, 1, page, 0);
  SetControlFontByStyle(probe);
  const HDC hdc = GetClientDC(probe);
  SelectFont(hdc, GetWindowFont(probe));
  const int width = TextWidth(hdc, text);
  ReleaseDC(hdc);
  DestroyWindow(probe);
  return width;
}

// "window/item (kind): caption" for each caption that does not fit.
std::vector<std::string> Misfits(WindowHandle page, const Layout& layout) {
  std::vector<std::string> misfits;
  for (const Item& item : ItemsOf(layout.path)) {
    CtrlResInfo* r = nullptr;
    if (!layout.lookup(item.window.c_str(), item.name.c_str(), &r) || !r->caption || !r->caption[0] || r->w <= 0)
      continue;
    if (std::string(r->kind).rfind("hint", 0) == 0 || In(kTipOnly, item)) continue;  // not drawn in the control
    if (Fits(page, layout, item, *r)) continue;
    char text[512];
    std::snprintf(text, sizeof text, "%s/%s (%s, %d wide): \"%s\" (%d wide) is cut", item.window.c_str(),
                  item.name.c_str(), r->kind, r->w, r->caption, ControlTextWidth(page, r->caption));
    misfits.emplace_back(text);
  }
  return misfits;
}

// The sheet a window makes from its record "tab_<window>", with a page
// for each of the window's "tab_..." texts as the pages add them: every
// title is whole in its tab and every tab is shown without scrolling.
std::vector<std::string> TabMisfits(WindowHandle page, const Layout& layout) {
  std::map<std::string, std::vector<std::string>> titles;
  for (const Item& item : ItemsOf(layout.path)) {
    CtrlResInfo* r = nullptr;
    if (item.name.rfind("tab_", 0) != 0 || !layout.lookup(item.window.c_str(), item.name.c_str(), &r)) continue;
    if (std::string(r->kind) == "hint") titles[item.window].push_back(r->caption ? r->caption : "");
  }
  std::vector<std::string> misfits;
  for (const auto& [window, pages] : titles) {
    CtrlResInfo* r = nullptr;
    if (!layout.lookup(window.c_str(), ("tab_" + window).c_str(), &r)) continue;
    const WindowHandle sheet =
        CreateWindowEx("propsheet", "", WS_CHILD | PSS_SCROLLABLE, 0, kProbeId, r->x, r->y, r->w, r->h, page, 0);
    if (!IsValidHandle(sheet)) {
      misfits.push_back(window + ": no sheet");
      continue;
    }
    for (const std::string& title : pages) {
      DlgTemplate tmpl{};
      tmpl.caption = title.c_str();
      SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tmpl), 0);
    }
    const propsheet::Sheet* s = propsheet::SheetOf(sheet);
    std::string line;
    for (const auto& p : s->pages) {
      const int need = propsheet::TabWidth(sheet, *p, 0);
      line += std::string(" \"") + p->title + "\" (" + std::to_string(need) + ")";
      if (need > p->width) misfits.push_back(window + " tab \"" + p->title + "\" is cut");
    }
    if (s->overflow)
      misfits.push_back(window + ": the tabs run past the " + std::to_string(r->w) + " wide sheet:" + line);
    DestroyWindow(sheet);
  }
  return misfits;
}

// A device whose second output is a TV output (of low resolution), so that
// the toolkit loads that output's layout from 720x576.cfg: from start-up
// on, and again after each test's reset of the device. The simulated
// device calls every output a monitor, which takes the main file. No row
// measures 720x576.cfg as the main output's layout: the main output is
// always a monitor output, at 800 x 600 or more.
constexpr int kLowResOutput = 0;  // the output type of a TV output
void TwoOutputs() {
  device_seam::mutableAbility()->videoOutputCount = 2;
  int mainId = 0, auxId = 0;
  getDisplayOutputIds(&mainId, &auxId);
  device_seam::overrideAnswerFor(getDisplayOutputType, {auxId}, 0, &kLowResOutput, sizeof kLowResOutput);
}

class TextsFit : public LiveGui {
 protected:
  static void SetUpTestSuite() { StartGui(TwoOutputs); }
  void SetUp() override {
    LiveGui::SetUp();
    TwoOutputs();
  }
  void SwitchTo(int language) { langtest::SwitchLanguage(language); }
  void TearDown() override {
    SwitchTo(1);
    LiveGui::TearDown();
  }
};

TEST_F(TextsFit, EveryCaptionAndTabFitsItsControlInEachLanguage) {
  const WindowHandle page = Main({0, 0, 64, 64}, DefaultMainWinProc);
  const Layout layouts[] = {{"main", "../guiRes/rirurRes/conf/1024x768.cfg", GetCtrlResInfo, kHeaderFontMain},
                            {"auxiliary", "../guiRes/rirurRes/conf/720x576.cfg", GetCtrlResInfoAux, kHeaderFontAux}};
  for (const auto& language : {std::pair<int, const char*>{1, "English"}, {2, "Chinese"}, {33, "German"}}) {
    SwitchTo(language.first);
    for (const Layout& layout : layouts) {
      SCOPED_TRACE(std::string(language.second) + ", " + layout.what + " layout");
      ASSERT_GT(ItemsOf(layout.path).size(), 1000u) << layout.path;
      CtrlResInfo* probe = nullptr;
      ASSERT_TRUE(layout.lookup("mainmenu", "shutdown", &probe)) << "the layout is loaded";
      ASSERT_EQ(probe->w, WidthInFile(layout.path, "mainmenu", "shutdown")) << "the records come from " << layout.path;
      for (const std::string& m : Misfits(page, layout)) ADD_FAILURE() << m;
      for (const std::string& m : TabMisfits(page, layout)) ADD_FAILURE() << m;
    }
  }
}

// A Chinese line draws its Latin letters and its Chinese characters from
// one face, so that "IPv4" stands as tall as the characters beside it: both
// device fonts are one font file, their names alike up to the charsets.
std::string FaceOf(const DevFont* font) {
  const std::string name = font->name;
  size_t cut = 0;
  for (int field = 0; field < 5 && cut != std::string::npos; ++field) cut = name.find('-', cut + 1);
  return name.substr(0, cut);
}

TEST_F(TextsFit, ChineseFontsTakeLatinAndChineseFromOneFace) {
  SwitchTo(2);
  for (int slot = 0; slot < SYS_LOGFONT_SLOTS; ++slot) {
    const LogFont* font = g_SysLogFont[slot];
    if (!font || !font->multiByteDevFont) continue;
    EXPECT_EQ(FaceOf(font->singleByteDevFont), FaceOf(font->multiByteDevFont)) << "system font " << slot;
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

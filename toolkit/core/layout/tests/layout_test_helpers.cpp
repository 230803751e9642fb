#include "layout_test_helpers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/layout/source_files.h"
#include "gui/gui_etc.h"

namespace layout_test {
namespace {

alignas(uint32_t) uint8_t g_config[GUI_DEVICE_CONFIG_SIZE];

int FakeOutputCount(uint8_t* count) {
  if (!count) return -1;
  *count = static_cast<uint8_t>(Device().outputCount);
  return 0;
}

int FakeOutputType(int outputId, int* type) {
  if (type) *type = outputId == 3 ? Device().mainType : Device().auxType;
  return 0;
}

void* FakeConfig() {
  const int32_t language = Device().languageId;
  std::memcpy(g_config + GUI_DEVCFG_LANGUAGE_OFFSET, &language, sizeof language);
  g_config[GUI_DEVCFG_RESOLUTION(3)] = static_cast<uint8_t>(Device().mainResolutionCode);
  return g_config;
}

}  // namespace

FakeDevice& Device() {
  static FakeDevice device;
  return device;
}

const char* const kTestLayout = R"(# small layout for the tests
[system]
gal_engine=windib

[mouse]
mou_scale=4
mou_thresh=7

[menuinfo]
win_number=4
win_width=800
win_height=600
win_bkcolor=0x0000FF
manufactor=7
language_num=2

[chskb_metrics]
char_number=42
char_h=20
char_escape_x=1
char_escape_y=2
char_escape_w=3
char_enter_x=0x20
char_enter_y=40
char_enter_w=60

[nuskb_metrics]
char_number=14
char_h=18
char_1_x=5
char_1_y=6
char_1_w=7

[popupmenu]
bmpnumber=1
arrow=arrow.bmp

[startmenu]
bmpnumber=1
start=start.bmp

[global_defines]

[displayset]
controlnumber=2
caption_lang0=Display
caption_lang1=XianShi
lang_english=hint
lang_english_cap0=English
lang_english_cap1=English
lang_simp_cn=hint
lang_simp_cn_cap0=Chinese
lang_simp_cn_cap1=Chinese
bmpnumber=0

[login]
controlnumber=2
caption_lang0=Login
caption_lang1=DengLu
ok=button
ok_cap0=OK
ok_cap1=Sure
ok_x=10
ok_y=20
ok_w=80
ok_h=24
tip=hint
tip_cap0=Help
tip_cap1=Aide
bmpnumber=2
logo=logo.bmp
bg=bg.bmp

[setup]
ControlNumber=3
Caption_Lang0=Setup
Caption_Lang1=SheZhi
Name=edit
Name_cap0=Name
Name_cap1=MingZi
Name_x=0x10
Name_y=010
Name_w=100
Name_h=20
warn=HINT_E
warn_cap0=Careful
warn_cap1=XiaoXin
save=button
save_x=1
save_y=2
save_w=3
save_h=4
BMPNUMBER=1
gear=gear.bmp

[commons]
controlnumber=1
caption_lang0=Common
caption_lang1=TongYong
yes=hint
yes_cap0=Yes
yes_cap1=Shi
bmpnumber=0
)";

const char* const kTestStrings5 = R"(; language five
Deutsch = 1
[winsCaptions]
Anzeige
Anmeldung
Einrichtung
Allgemein
[displayset]
Englisch
Chinesisch
[login]
Aufnahme ; recording

[setup]
Name # comment after the text
Vorsicht
Sichern
[commons]
Ja
)";

void LayoutTest::SetUp() {
  char pattern[] = "/tmp/layout_test_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  dir_ = pattern;
  Device() = FakeDevice{};
  GuiAppCallbacks callbacks{};
  callbacks.getVideoOutputCount = FakeOutputCount;
  callbacks.getDisplayOutputType = FakeOutputType;
  callbacks.getCachedDeviceConfig = FakeConfig;
  SetAppCallbacks(&callbacks);
  std::memset(g_config, 0, sizeof g_config);
  UseMainLayout(kTestLayout);
  UseAuxLayout(kTestLayout);
  layout::SetTextFileDirectory(dir_ + "/");
  WriteStrings(5, kTestStrings5);
}

void LayoutTest::TearDown() {
  TerminateLayout();
  UnloadGuiEtc();
  SetAppCallbacks(nullptr);
  layout::SetTextFileDirectory("");
  SetLangSwitchState(0);
  ETCFILEPATH[0] = '\0';
  AUXSETCFILEPATH[0] = '\0';
  std::memset(SystemInfo, 0, sizeof SystemInfo);
  std::filesystem::remove_all(dir_);
}

void LayoutTest::Write(const std::string& name, const std::string& text) const {
  std::ofstream(Path(name), std::ios::binary) << text;
}

void LayoutTest::UseMainLayout(const std::string& text) const {
  Write("main.cfg", text);
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", Path("main.cfg").c_str());
}

void LayoutTest::UseAuxLayout(const std::string& text) const {
  Write("aux.cfg", text);
  std::snprintf(AUXSETCFILEPATH, sizeof AUXSETCFILEPATH, "%s", Path("aux.cfg").c_str());
}

void LayoutTest::WriteStrings(int index, const std::string& text) const {
  Write("gui_value" + std::to_string(index) + ".cfg", text);
}

std::string LayoutTest::Caption(const char* window, const char* control) {
  CtrlResInfo* record = nullptr;
  if (!GetCtrlResInfo(window, control, &record)) return "<missing>";
  return record->caption ? record->caption : "<none>";
}

std::string ReplaceLine(const std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find("\n" + from);
  if (at == std::string::npos) return text;
  const size_t end = text.find('\n', at + 1);
  return text.substr(0, at + 1) + to + text.substr(end);
}

}  // namespace layout_test

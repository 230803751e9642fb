// Language text files over a fixed small layout: the caption reload of both
// displays, the language names and the two caption readers.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/layout/source_files.h"
#include "gui/app_hooks.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"

namespace {

const char kLayout[] = R"([system]
gal_engine=windib
[menuinfo]
win_number=3
win_width=800
win_height=600
win_bkcolor=0x102030
manufactor=1
language_num=2
[global_defines]
[displayset]
controlnumber=2
caption_lang0=Display
caption_lang1=D
lang_english=hint
lang_english_cap0=English
lang_simp_cn=hint
lang_simp_cn_cap0=Chinese
bmpnumber=0
[login]
controlnumber=2
caption_lang0=Login
caption_lang1=L
ok=button
ok_cap0=OK
ok_cap1=Sure
ok_x=1
ok_y=2
ok_w=3
ok_h=4
tip=hint
tip_cap0=Help
bmpnumber=0
[commons]
controlnumber=1
caption_lang0=Common
caption_lang1=C
yes=hint
yes_cap0=Yes
bmpnumber=0
)";

constexpr int kLanguageId = 32;  // index 5

int TwoOutputs(uint8_t* count) {
  *count = 2;
  return 0;
}

void WriteFile(const std::string& path, const void* data, size_t size) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GuiAppCallbacks callbacks{};
  callbacks.getVideoOutputCount = TwoOutputs;
  SetAppCallbacks(&callbacks);
  const std::string dir = "/tmp/strings_fuzz_" + std::to_string(getpid()) + "_";
  const std::string layoutPath = dir + "layout.cfg";
  const std::string textPath = dir + "gui_value5.cfg";
  WriteFile(layoutPath, kLayout, sizeof kLayout - 1);
  WriteFile(textPath, data, size);
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", layoutPath.c_str());
  std::snprintf(AUXSETCFILEPATH, sizeof AUXSETCFILEPATH, "%s", layoutPath.c_str());
  layout::SetTextFileDirectory(dir);

  if (LoadLayoutRes()) {
    SetValueToGuiEtc("menuinfo", "language", std::to_string(kLanguageId).c_str());
    CtrlResInfo* record = nullptr;
    if (GetCtrlResInfo("login", "ok", &record) && record->caption) (void)record->caption[0];
    LoadLanguageNames();
    WinResInfo windows[4] = {};
    LoadWindowCaptions(textPath.c_str(), "winsCaptions", 4, windows);
    CtrlResInfo records[3] = {};
    LoadControlCaptions(textPath.c_str(), "login", 3, records);
    for (auto& r : records) free(r.caption);
    SetValueToGuiEtc("menuinfo", "language", "1");
  }
  TerminateLayout();
  SetLangSwitchState(0);
  layout::SetTextFileDirectory("");
  std::remove(layoutPath.c_str());
  std::remove(textPath.c_str());
  SetAppCallbacks(nullptr);
  return 0;
}

// Layout loader over arbitrary layout files: read by path and from the
// loaded object, with one and with two outputs, then every lookup kind and a
// caption reload.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "gui/app_hooks.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"

namespace {

int g_outputs = 1;
int g_auxType = 1;

int Outputs(uint8_t* count) {
  *count = static_cast<uint8_t>(g_outputs);
  return 0;
}

int OutputType(int outputId, int* type) {
  *type = outputId == 3 ? 1 : g_auxType;
  return 0;
}

std::string ScratchFile() { return "/tmp/layout_fuzz_" + std::to_string(getpid()) + ".cfg"; }

void Exercise() {
  CtrlResInfo* record = nullptr;
  Bitmap bitmap;
  GetCtrlResInfo("login", "ok", &record);
  if (record) (void)record->name[0];
  GetCtrlResInfoAux("login", "ok", &record);
  GetCtrlResInfoAux("commons", "yes", &record);
  GetWinBitmap("login", "bg", &bitmap);
  GetWinBitmap("popupmenu", "arrow", &bitmap);
  GetWinBitmapAux("startmenu", "start", &bitmap);
  SetSysInfoLanguage(2);
  LoadStrings();
  GetCtrlResInfo("login", "tip", &record);
}

void RunOnce(int outputs, int auxType, bool object) {
  g_outputs = outputs;
  g_auxType = auxType;
  if (object) LoadGuiEtc();
  if (LoadLayoutRes()) Exercise();
  TerminateLayout();
  UnloadGuiEtc();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GuiAppCallbacks callbacks{};
  callbacks.getVideoOutputCount = Outputs;
  callbacks.getDisplayOutputType = OutputType;
  SetAppCallbacks(&callbacks);
  const std::string path = ScratchFile();
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", path.c_str());
  std::snprintf(AUXSETCFILEPATH, sizeof AUXSETCFILEPATH, "%s", path.c_str());
  RunOnce(1, 1, false);
  RunOnce(2, 0, false);
  RunOnce(2, 1, true);
  std::remove(path.c_str());
  SetAppCallbacks(nullptr);
  return 0;
}

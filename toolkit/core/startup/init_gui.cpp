// InitGUI: every stage in its fixed order, each with its failure code, and
// the clean-up that a failure takes.
#include <clocale>
#include <cstring>
#include <iterator>

#include "core/desktop/zorder.h"
#include "core/element/system_res.h"
#include "core/message/refresh_list.h"
#include "core/startup/gui_locks.h"
#include "core/startup/pending_stages.h"
#include "core/startup/startup_internal.h"
#include "core/startup/startup_report.h"
#include "core/startup/system_threads.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/display.h"
#include "gui/fixstr.h"
#include "gui/gui_etc.h"
#include "gui/startup.h"

extern "C" WindowProc __gui_def_proc[3];
WindowProc __gui_def_proc[3];

namespace {

StartupStage g_failing = StartupStage::kNone;
StartupCleanup g_cleanup;
// The last stage run, passed or failed: a failure frees what it and the
// stages before it made.
StartupStage g_reached = StartupStage::kNone;

struct Stage {
  StartupStage id;
  int code;
  int (*run)();
  const char* name;
};

int RunStartSystemThreads() { return StartSystemThreads(); }
int RunInitControlClass() { return InitControlClass(); }

// Codes 5 to 11: a failure stops the graphics layer and drops the locks.
const Stage kEarlyStages[] = {
    {StartupStage::kFonts, 5, StageInitTextAndFonts, "fonts"},
    {StartupStage::kGdi, 6, StageInitGDI, "screen device context"},
    {StartupStage::kElementColors, 7, StageInitWindowElementColors, "window element colours"},
    {StartupStage::kExtraColors, 8, StageInitExtraColors, "extra colours"},
    {StartupStage::kIme, 9, StageInitIME, "input-method tables"},
    {StartupStage::kLayouts, 10, StageLoadLayoutRes, "layouts"},
};

// Codes 12 to 16: a failure also stops the input layer.
const Stage kLateStages[] = {
    {StartupStage::kCursors, 12, StageInitCursors, "cursors"},
    {StartupStage::kMenus, 13, StageInitMenu, "menus"},
    {StartupStage::kControlClasses, 14, RunInitControlClass, "control classes"},
    {StartupStage::kAccelerators, 15, StageInitAccel, "accelerators"},
    {StartupStage::kSystemThreads, 16, RunStartSystemThreads, "system threads"},
};

constexpr int kInputCode = 11;
constexpr int kRefreshCode = 17;
constexpr int kGraphicsCode = 1;
constexpr int kConfigCode = 3;
constexpr int kShortConfigCode = 1;
constexpr int kShortLateCode = 2;
constexpr char kFixStrName[] = "fixed-string heap";
constexpr char kConfigName[] = "configuration";
constexpr char kCaptionsName[] = "captions and language names";

// A stage that passes takes what it reported along: only the failing
// stage's own words explain a failure.
bool Passes(StartupStage stage, int result) {
  bool passed = result != 0 && g_failing != stage;
  if (passed) ClearStartupProblem();
  g_reached = stage;
  return passed;
}

bool Made(StartupStage stage) { return g_reached >= stage; }

// What the stages up to a failure made and no undo below frees: fonts,
// the screen DC, layouts, stock and system bitmaps, menus, control classes,
// accelerators and the loaded configuration. Runs once, after the threads
// that use them have stopped.
void FreeMadeStages() {
  if (Made(StartupStage::kAccelerators)) StageTerminateAccel();
  if (Made(StartupStage::kControlClasses)) TerminateControlClass();
  if (Made(StartupStage::kMenus)) StageTerminateMenu();
  if (Made(StartupStage::kLayouts)) {
    UnloadSystemResources();
    StageUnloadLayoutRes();
  }
  if (Made(StartupStage::kGdi)) StageTerminateGDI();
  if (Made(StartupStage::kFonts)) StageTerminateTextAndFonts();
  if (Made(StartupStage::kConfig)) StageUnloadGuiEtc();
  g_reached = StartupStage::kNone;
}

// The reason of a stage that gave none of its own: most stages read their
// settings from the configuration file; the others need only memory and
// threads.
std::string DefaultReason(const char* stage) {
  for (const char* own : {kFixStrName, "menus", "control classes", "accelerators", "system threads", "refresh queue"})
    if (std::strcmp(stage, own) == 0) return "the system refused it memory or a thread";
  if (!ETCFILEPATH[0]) return "no configuration file was loaded";
  return "its settings in configuration file \"" + ShownPath(ETCFILEPATH) + "\" cannot be used";
}

int Failed(int code, const char* stage) {
  SetFailedStartupStage(stage, DefaultReason(stage));
  return code;
}

void UndoGraphics() {
  FreeMadeStages();
  StageGalVideoQuit();
  g_cleanup.graphicsStopped = true;
  DestroyGuiLocks();
  g_cleanup.locksDestroyed = true;
}

// Threads started by then are ended too, so a failed start-up leaves none.
void UndoInputAndGraphics() {
  StopSystemThreads();
  DestroyRefreshList();
  g_cleanup.threadsStopped = true;
  FreeMadeStages();
  StageTerminateCursors();  // they draw into the surface about to go
  StageTermIAL();
  g_cleanup.inputStopped = true;
  UndoGraphics();
}

int RunStages(const Stage* first, const Stage* last, void (*undo)()) {
  for (const Stage* stage = first; stage != last; ++stage) {
    if (!Passes(stage->id, stage->run())) {
      undo();
      return Failed(stage->code, stage->name);
    }
  }
  return 0;
}

void LoadStockBitmapsOfBothDisplays() {
  StageLoadStockBitmaps();
  int mainOutput = getMainOutputHook();
  if (HasAuxOutput() && getCurOutputHook() == mainOutput) {
    setCurOutputHook(getAuxOutputHook());
    StageLoadStockBitmaps();
    setCurOutputHook(mainOutput);
  }
}

bool LoadConfiguration() { return Passes(StartupStage::kConfig, StageInitEtcFilePath() && StageLoadGuiEtc()); }

// Captions of the current language (when the layout asks for them), then
// the language names.
bool CommonTail() {
  bool ok = true;
  if (StageLayoutWantsStrings()) ok = StageLoadStrings() != 0;
  ok = ok && StageLoadLanguageNames() != 0;
  return ok && g_failing != StartupStage::kStrings;
}

void InstallDefaultProcs() {
  __gui_def_proc[0] = PendingDefaultMainWinProc;
  __gui_def_proc[1] = PendingDefaultDialogProc;
  __gui_def_proc[2] = PendingDefaultControlProc;
}

int ShortPath() {
  if (!Passes(StartupStage::kFixStr, InitFixStr())) return Failed(kFixStrFailureCode, kFixStrName);
  if (!LoadConfiguration()) return Failed(kShortConfigCode, kConfigName);
  if (!Passes(StartupStage::kLayouts, StageLoadLayoutRes())) {
    UndoGraphics();
    return Failed(kShortLateCode, "layouts");
  }
  StageUnloadGuiEtc();
  if (!CommonTail()) {
    UndoInputAndGraphics();
    return Failed(kShortLateCode, kCaptionsName);
  }
  return 0;
}

int FullPath() {
  GuiApp()->getDeviceConfig(getOutputLoginHook(getCurOutputHook()), getDeviceConfigHook());
  SetAuxDisplayPresent(HasAuxOutput());
  if (!Passes(StartupStage::kFixStr, InitFixStr())) return Failed(kFixStrFailureCode, kFixStrName);
  if (g_failing == StartupStage::kGraphics || StageInitGAL() < 0) return Failed(kGraphicsCode, "graphics layer");
  ClearStartupProblem();
  std::setlocale(LC_ALL, "C");
  InstallDefaultProcs();
  // The graphics layer is up by now and owns the host window's thread; a
  // start-up that ends here must not leave that window behind.
  if (!LoadConfiguration()) {
    UndoGraphics();
    return Failed(kConfigCode, kConfigName);
  }
  StageLoadMouseSettings();
  ClearStartupProblem();
  if (int code = RunStages(std::begin(kEarlyStages), std::end(kEarlyStages), UndoGraphics)) return code;
  LoadStockBitmapsOfBothDisplays();
  ClearStartupProblem();
  if (!Passes(StartupStage::kInput, StageInitLowLevelEvents())) {
    UndoGraphics();
    return Failed(kInputCode, "input layer");
  }
  if (int code = RunStages(std::begin(kLateStages), std::end(kLateStages), UndoInputAndGraphics)) return code;
  StagePreloadCharWidthCache();
  if (!Passes(StartupStage::kRefreshList, CreateRefreshList())) {
    UndoInputAndGraphics();
    return Failed(kRefreshCode, "refresh queue");
  }
  StageSetKeyboardLayout("default");
  StagePlaceCursorAtCentre();
  StageUnloadGuiEtc();
  ClearStartupProblem();
  if (!CommonTail()) {
    UndoInputAndGraphics();
    return Failed(kRefreshCode, kCaptionsName);
  }
  return 0;
}

}  // namespace

void FailStartupStageForTest(StartupStage stage) { g_failing = stage; }
StartupCleanup LastStartupCleanup() { return g_cleanup; }

extern "C" int InitGUI(int, const char* const*) {
  g_cleanup = StartupCleanup{};
  g_reached = StartupStage::kNone;
  ClearStartupProblem();
  SetFailedStartupStage("");
  CreateGuiLocks();
  return HasNoOutput() ? ShortPath() : FullPath();
}

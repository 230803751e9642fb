// InitGUI: every stage in its fixed order, each with its failure code, and
// the clean-up that a failure takes.
#include <clocale>
#include <cstring>
#include <iterator>

#include "core/desktop/clip_info.h"
#include "core/desktop/zorder.h"
#include "core/driver/windib.h"
#include "core/element/system_res.h"
#include "core/control_layer.h"
#include "core/layout/system_settings.h"
#include "core/message/refresh_list.h"
#include "core/startup/gui_locks.h"
#include "core/startup/startup_internal.h"
#include "gdi/startup_report.h"
#include "core/startup/system_threads.h"
#include "gdi/video_internal.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/fixstr.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"
#include "gui/ime.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/menu.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/window.h"

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

// The stages whose calls answer other than int (non-zero for success) or go
// up to the control library through its table.
int RunInitGDI() { return InitGDI(GAL_GetVideoSurface()) ? 1 : 0; }
int RunInitMenu() { return InitMenu() ? 1 : 0; }
int RunInitControlClass() { return Controls().initControlClass(); }
int RunInitIme() { return Controls().initIme(); }
int RunStartSystemThreads() { return StartSystemThreads(); }

// Codes 5 to 11: a failure stops the graphics layer and drops the locks.
const Stage kEarlyStages[] = {
    {StartupStage::kFonts, 5, InitTextAndFonts, "fonts"},
    {StartupStage::kGdi, 6, RunInitGDI, "screen device context"},
    {StartupStage::kElementColors, 7, InitWindowElementColors, "window element colours"},
    {StartupStage::kExtraColors, 8, InitExtraColors, "extra colours"},
    {StartupStage::kIme, 9, RunInitIme, "input-method tables"},
    {StartupStage::kLayouts, 10, LoadLayoutRes, "layouts"},
};

// Codes 12 to 16: a failure also stops the input layer. The desktop's set-up
// loads the window element metrics; they are read first on their own, so a
// bad one is named as such rather than as a thread that did not start.
const Stage kLateStages[] = {
    {StartupStage::kCursors, 12, InitCursors, "cursors"},
    {StartupStage::kMenus, 13, RunInitMenu, "menus"},
    {StartupStage::kControlClasses, 14, RunInitControlClass, "control classes"},
    {StartupStage::kAccelerators, 15, InitAccel, "accelerators"},
    {StartupStage::kElementMetrics, 16, InitMainWinMetrics, "window element metrics"},
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
  if (Made(StartupStage::kAccelerators)) TerminateAccel();
  if (Made(StartupStage::kControlClasses)) Controls().terminateControlClass();
  if (Made(StartupStage::kMenus)) TerminateMenu();
  if (Made(StartupStage::kLayouts)) {
    UnloadSystemResources();
    TerminateLayout();
  }
  if (Made(StartupStage::kGdi)) TerminateGDI();
  if (Made(StartupStage::kFonts)) TerminateTextAndFonts();
  if (Made(StartupStage::kConfig)) UnloadGuiEtc();
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
  GAL_VideoQuit();
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
  TermCursors();  // they draw into the surface about to go
  TermIAL();
  g_cleanup.inputStopped = true;
  UndoGraphics();
}

int GraphicsFailed() { return Failed(kGraphicsCode, "graphics layer"); }

// The host window opens in the background while the stages after the
// graphics layer run. A graphics layer that then did not come up is still
// the first failure, whichever stage failed after it: what that stage said
// gives way to the graphics layer's own words.
bool GraphicsCameUp() { return gal::waitVideoReady() == 0; }

// A stage that failed before the input layer and before the host window
// is known to be open.
int FailedWhileOpening(int code, const char* stage) {
  const bool cameUp = GraphicsCameUp();
  UndoGraphics();
  return cameUp ? Failed(code, stage) : GraphicsFailed();
}

// A stage that failed once the input layer stands, before the host window
// is known to be open.
int FailedLate(int code, const char* stage) {
  const bool cameUp = GraphicsCameUp();
  UndoInputAndGraphics();
  return cameUp ? Failed(code, stage) : GraphicsFailed();
}

int RunStages(const Stage* first, const Stage* last, int (*fail)(int code, const char* stage)) {
  for (const Stage* stage = first; stage != last; ++stage)
    if (!Passes(stage->id, stage->run())) return fail(stage->code, stage->name);
  return 0;
}

// The system bitmaps and icons come with the stock bitmaps; a skin that
// does not load leaves its part undrawn rather than stopping start-up.
void LoadStockBitmaps() {
  PreloadStockBitmaps();
  LoadSystemResources();
}

void LoadStockBitmapsOfBothDisplays() {
  LoadStockBitmaps();
  int mainOutput = getMainOutputHook();
  if (HasAuxOutput() && getCurOutputHook() == mainOutput) {
    setCurOutputHook(getAuxOutputHook());
    LoadStockBitmaps();
    setCurOutputHook(mainOutput);
  }
}

bool LoadConfiguration() { return Passes(StartupStage::kConfig, InitEtcFilePath() && LoadGuiEtc()); }

// The captions follow the interface language of the device configuration.
int LoadStringsOfDevice() {
  SetSysInfoLanguage(DeviceConfigLanguageId());
  return LoadStrings();
}

// System cursor 0, not made the default, at the middle of the screen
// (halves rounded toward minus infinity); where the host's pointer already
// rests over the window, there instead, as the first frame then shows it.
// Called once the host window is open.
void PlaceCursorAtStart() {
  SetCursorEx(GetSystemCursor(0), FALSE);
  const Rect& screen = ScreenRect();
  int x = screen.right >> 1, y = screen.bottom >> 1;
  windib::PointerOver(&x, &y);
  SetCursorPos(x, y);
}

// Captions of the current language (when the layout asks for them), then
// the language names.
bool CommonTail() {
  bool ok = true;
  if (IsStringTableWanted() != 0) ok = LoadStringsOfDevice() != 0;
  ok = ok && LoadLanguageNames() != 0;
  return ok && g_failing != StartupStage::kStrings;
}

void InstallDefaultProcs() {
  __gui_def_proc[0] = DefaultMainWinProc;
  __gui_def_proc[1] = DefaultDialogProc;
  __gui_def_proc[2] = DefaultControlProc;
}

int ShortPath() {
  if (!Passes(StartupStage::kFixStr, InitFixStr())) return Failed(kFixStrFailureCode, kFixStrName);
  if (!LoadConfiguration()) return Failed(kShortConfigCode, kConfigName);
  if (!Passes(StartupStage::kLayouts, LoadLayoutRes())) {
    UndoGraphics();
    return Failed(kShortLateCode, "layouts");
  }
  UnloadGuiEtc();
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
  if (g_failing == StartupStage::kGraphics || gal::initInBackground() < 0) return GraphicsFailed();
  ClearStartupProblem();
  std::setlocale(LC_ALL, "C");
  InstallDefaultProcs();
  // The graphics layer is up by now (its screen surface takes drawing) and
  // owns the host window's thread, which is still opening the window; a
  // start-up that ends here must not leave that window behind.
  if (!LoadConfiguration()) return FailedWhileOpening(kConfigCode, kConfigName);
  layout::WarnOfIgnoredSystemSettings();
  LoadMouseSettings();
  ClearStartupProblem();
  if (int code = RunStages(std::begin(kEarlyStages), std::end(kEarlyStages), FailedWhileOpening)) return code;
  LoadStockBitmapsOfBothDisplays();
  ClearStartupProblem();
  if (!Passes(StartupStage::kInput, InitLowLevelEvents())) return FailedWhileOpening(kInputCode, "input layer");
  if (int code = RunStages(std::begin(kLateStages), std::end(kLateStages), FailedLate)) return code;
  WarnOfStockBitmapsNotLoaded();
  PreloadCharWidthCache(TRUE);
  if (!Passes(StartupStage::kRefreshList, CreateRefreshList())) return FailedLate(kRefreshCode, "refresh queue");
  SetKeyboardLayout("default");
  UnloadGuiEtc();
  ClearStartupProblem();
  if (!CommonTail()) return FailedLate(kRefreshCode, kCaptionsName);
  // The host window has been opening all along; start-up ends once it is.
  if (!GraphicsCameUp()) {
    UndoInputAndGraphics();
    return GraphicsFailed();
  }
  PlaceCursorAtStart();
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

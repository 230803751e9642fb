#include "core/startup/pending_stages.h"

#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"
#include "gui/ime.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/text.h"
#include "gui/window.h"

int StageInitGAL() { return InitGAL(); }
void StageGalVideoQuit() { GAL_VideoQuit(); }
int StageInitEtcFilePath() { return InitEtcFilePath(); }
int StageLoadGuiEtc() { return LoadGuiEtc(); }
void StageUnloadGuiEtc() { UnloadGuiEtc(); }
void StageLoadMouseSettings() { LoadMouseSettings(); }
int StageInitTextAndFonts() { return InitTextAndFonts(); }
void StageTerminateTextAndFonts() { TerminateTextAndFonts(); }
int StageInitGDI() { return InitGDI(GAL_GetVideoSurface()) ? 1 : 0; }
void StageTerminateGDI() { TerminateGDI(); }
int StageInitWindowElementColors() { return 1; }
int StageInitExtraColors() { return 1; }
int StageInitIME() { return InitIME(); }
int StageLoadLayoutRes() { return LoadLayoutRes(); }
void StageUnloadLayoutRes() { TerminateLayout(); }
void StageLoadStockBitmaps() {}
int StageInitLowLevelEvents() { return InitLowLevelEvents(); }
void StageTermIAL() { TermIAL(); }
int StageInitCursors() { return 1; }
void StageTerminateCursors() {}
int StageInitMenu() { return 1; }
void StageTerminateMenu() {}
int StageInitAccel() { return InitAccel(); }
void StageTerminateAccel() { TerminateAccel(); }
int StageInitDesktop() { return InitDesktop(); }
void StageTerminateDesktop() { TerminateDesktop(); }
void StagePreloadCharWidthCache() { PreloadCharWidthCache(TRUE); }
void StageSetKeyboardLayout(const char* name) { SetKeyboardLayout(name); }
void StagePlaceCursorAtCentre() {}
bool StageLayoutWantsStrings() { return IsStringTableWanted() != 0; }
// The captions follow the interface language of the device configuration.
int StageLoadStrings() {
  SystemInfo[SYSINFO_LANGUAGE] = DeviceConfigLanguageId();
  return LoadStrings();
}
int StageLoadLanguageNames() { return LoadLanguageNames(); }

LResult PendingDefaultMainWinProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}
LResult PendingDefaultDialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}
LResult PendingDefaultControlProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

void PendingSwitchDispDev() {}
long PendingEventTimeoutUsec() { return 300000; }
bool PendingShouldBroadcastIdleTick() { return true; }

#include "core/startup/pending_stages.h"

#include "core/desktop/clip_info.h"
#include "core/element/system_res.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"
#include "gui/ime.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/menu.h"
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
int StageInitWindowElementColors() { return InitWindowElementColors(); }
int StageInitExtraColors() { return InitExtraColors(); }
int StageInitIME() { return InitIME(); }
int StageLoadLayoutRes() { return LoadLayoutRes(); }
void StageUnloadLayoutRes() { TerminateLayout(); }
// The system bitmaps and icons come with the stock bitmaps; a skin that
// does not load leaves its part undrawn rather than stopping start-up.
void StageLoadStockBitmaps() {
  PreloadStockBitmaps();
  LoadSystemResources();
}
int StageInitLowLevelEvents() { return InitLowLevelEvents(); }
void StageTermIAL() { TermIAL(); }
int StageInitCursors() { return InitCursors(); }
void StageTerminateCursors() { TermCursors(); }
int StageInitMenu() { return InitMenu() ? 1 : 0; }
void StageTerminateMenu() { TerminateMenu(); }
int StageInitAccel() { return InitAccel(); }
void StageTerminateAccel() { TerminateAccel(); }
int StageInitDesktop() { return InitDesktop(); }
void StageTerminateDesktop() {
  TerminateDesktop();
  UnloadSystemResources();
}
void StagePreloadCharWidthCache() { PreloadCharWidthCache(TRUE); }
void StageSetKeyboardLayout(const char* name) { SetKeyboardLayout(name); }
// System cursor 0, not made the default, at the middle of the screen
// (halves rounded toward minus infinity).
void StagePlaceCursorAtCentre() {
  SetCursorEx(GetSystemCursor(0), FALSE);
  const Rect& screen = ScreenRect();
  SetCursorPos(screen.right >> 1, screen.bottom >> 1);
}
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
  return DefaultDialogProc(hwnd, msg, wParam, lParam);
}
LResult PendingDefaultControlProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

void PendingSwitchDispDev() { SwitchDispDev(); }
long PendingEventTimeoutUsec() { return 300000; }

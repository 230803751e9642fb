// Start-up and shut-down steps of areas that are not built yet. Each one
// succeeds and does nothing; it is replaced by the real call when its area
// lands. Start-up functions answer non-zero for success.
#pragma once

#include "gui/common.h"

int StageInitGAL();  // negative on failure
void StageGalVideoQuit();
int StageInitEtcFilePath();
int StageLoadGuiEtc();
void StageUnloadGuiEtc();
void StageLoadMouseSettings();
int StageInitTextAndFonts();
void StageTerminateTextAndFonts();
int StageInitGDI();
void StageTerminateGDI();
int StageInitWindowElementColors();
int StageInitExtraColors();
int StageInitIME();
int StageLoadLayoutRes();
void StageUnloadLayoutRes();
void StageLoadStockBitmaps();  // for the current display
int StageInitLowLevelEvents();
void StageTermIAL();
int StageInitCursors();
void StageTerminateCursors();
int StageInitMenu();
void StageTerminateMenu();
int StageInitAccel();
void StageTerminateAccel();
int StageInitDesktop();
void StageTerminateDesktop();
void StagePreloadCharWidthCache();
void StageSetKeyboardLayout(const char* name);
void StagePlaceCursorAtCentre();
bool StageLayoutWantsStrings();
int StageLoadStrings();
int StageLoadLanguageNames();

LResult PendingDefaultMainWinProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
LResult PendingDefaultDialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
LResult PendingDefaultControlProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);

// Display layer: switch the display the menus run on.
void PendingSwitchDispDev();
// Event layer: the engine wait's time-out.
long PendingEventTimeoutUsec();

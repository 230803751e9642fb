#include "core/startup/pending_stages.h"

int StageInitGAL() { return 0; }
void StageGalVideoQuit() {}
int StageInitEtcFilePath() { return 1; }
int StageLoadGuiEtc() { return 1; }
void StageUnloadGuiEtc() {}
void StageLoadMouseSettings() {}
int StageInitTextAndFonts() { return 1; }
void StageTerminateTextAndFonts() {}
int StageInitGDI() { return 1; }
void StageTerminateGDI() {}
int StageInitWindowElementColors() { return 1; }
int StageInitExtraColors() { return 1; }
int StageInitIME() { return 1; }
int StageLoadLayoutRes() { return 1; }
void StageUnloadLayoutRes() {}
void StageLoadStockBitmaps() {}
int StageInitLowLevelEvents() { return 1; }
void StageTermIAL() {}
int StageInitCursors() { return 1; }
void StageTerminateCursors() {}
int StageInitMenu() { return 1; }
void StageTerminateMenu() {}
int StageInitAccel() { return 1; }
void StageTerminateAccel() {}
int StageInitDesktop() { return 1; }
void StageTerminateDesktop() {}
void StagePreloadCharWidthCache() {}
void StageSetKeyboardLayout(const char*) {}
void StagePlaceCursorAtCentre() {}
bool StageLayoutWantsStrings() { return false; }
int StageLoadStrings() { return 1; }
int StageLoadLanguageNames() { return 1; }

LResult PendingDefaultMainWinProc(WindowHandle, int, WParam, LParam) { return 0; }
LResult PendingDefaultDialogProc(WindowHandle, int, WParam, LParam) { return 0; }
LResult PendingDefaultControlProc(WindowHandle, int, WParam, LParam) { return 0; }

void PendingSwitchDispDev() {}
long PendingEventTimeoutUsec() { return 300000; }
bool PendingShouldBroadcastIdleTick() { return true; }

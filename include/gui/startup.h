/* Start-up and shut-down of the toolkit, its system threads, and the state
 * shared by the input helpers (input method and soft keyboard). */
#ifndef GUI_STARTUP_H
#define GUI_STARTUP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 0 on success, else the code of the stage that failed. */
int InitGUI(int argc, const char* const* argv);
void TerminateGUI(int rcByGUI);
void ExitGUISafely(int exitcode);
BOOL ReinitDesktopEx(BOOL init_sys_text);
void GetEventHintRect(int display, Rect* rect);

BOOL StartSystemThreads(void);
void* EventThreadMain(void* startSemaphore);

/* Input helpers: state word 0 normal, 1 held (closed and kept closed). */
int GetInputHelperState(void);
void CloseInputHelpers(void);
void CloseInputHelpersHeld(void);
void ClearInputHelperState(void);
int GetSoftKeyboardMode(void);
void SetSoftKeyboardMode(int input_kind);

/* Blocks the calling thread until an orderly quit is requested (SIGTERM,
 * SIGINT or RequestQuit). Used by the program's main until the application's
 * own window loop replaces it. */
void RunUntilQuit(void);
/* Asks RunUntilQuit to return; safe from any thread. */
void RequestQuit(void);

GUI_EXTERN_C_END

#endif

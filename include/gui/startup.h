/* Start-up and shut-down of the toolkit, its system threads, and the state
 * shared by the input helpers (input method and soft keyboard). */
#ifndef GUI_STARTUP_H
#define GUI_STARTUP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 0 on success, else the code of the stage that failed. */
int InitGUI(int argc, const char* const* argv);
/* After a failed InitGUI: the stage's name ("fonts") and, when the stage
 * said why, the reason with the file concerned; "" otherwise. The strings
 * stay valid until the next InitGUI. */
const char* GetStartupFailureStage(void);
const char* GetStartupFailureReason(void);
/* Closes the tool windows (input method, soft keyboard, bubble tip) and joins
 * their threads, then stops the system threads and frees what InitGUI made. */
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

/* The program's own claim on its configuration folder, so that a second
 * copy does not share its files: 1 claimed (for the life of the process;
 * a folder that cannot be written is then named in one warning line on
 * stderr); 0 another process holds it; -1 the lock cannot be taken (a link
 * or something other than a file at its name, a folder that cannot be
 * written and holds no lock file yet); both with one line in words in
 * `why`. -2 there is no such folder (InitGUI then says which file it
 * misses). */
int ClaimConfigurationFolder(char* why, int len);

/* Makes SIGTERM, SIGINT and SIGHUP request an orderly quit (as RequestQuit
 * does) from now on; a program calls it before anything else, so that a
 * signal during start-up ends it in order too. */
void InstallQuitSignals(void);

/* Grows the main heap once by what start-up fills and asks for it to be
 * backed by huge pages, which makes the first touches of start-up's memory
 * far cheaper; a program calls it first in main, before it allocates much.
 * Without huge pages only the growth in one step remains. */
void PrepareStartupHeap(void);

/* Blocks the calling thread until an orderly quit is requested (SIGTERM,
 * SIGINT, SIGHUP or RequestQuit). Used by the program's main until the
 * application's own window loop replaces it. */
void RunUntilQuit(void);
/* Asks RunUntilQuit to return; safe from any thread. */
void RequestQuit(void);

GUI_EXTERN_C_END

#endif

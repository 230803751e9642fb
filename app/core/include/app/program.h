/* The recorder program's start-up: the device parameters, the live-view
 * window of the current output and the thread that creates the tool
 * windows. */
#ifndef APP_PROGRAM_H
#define APP_PROGRAM_H

#include "gui/common.h"
#include "gui/window.h"

GUI_EXTERN_C_BEGIN

/* The program's entry: the exit code (0 normal end or no video output, 1 the
 * toolkit did not start, 3 no device parameters or no live-view window). */
int runRecorder(void);
/* Reads the device's parameters and logs the outputs in; 1 on success. */
/* Loads the settings an earlier run saved; before InitGUI. */
void loadSavedDeviceParams(void);
int loadDeviceParams(void);
/* The creation record of the current output's live-view window. */
void initPreviewCreateInfo(MainWinCreate* info);
/* Called by the live-view window on creation: disables the live view when
 * the wizard comes first and starts initMenuMain on a detached thread. */
void startMenuMainThread(void);
/* Creates the tool windows (on a thread beside, in their order), and
 * meanwhile the wizard or the ordinary start; returns once both are done. */
void* initMenuMain(void* unused);
/* Ends what startMenuMainThread began: no start-up message reaches a
 * live-view window any more and the start-up threads have ended (the tool
 * windows they opened close with TerminateGUI). Call it after the live-view
 * window is destroyed and before the toolkit shuts down (runRecorder does). */
void stopMenuMainThread(void);

/* Ends the running program as closing the live view does. */
void requestShutdown(void);
/* Restarts in-process: menus and pages close, the live view ends, outputs
 * are logged out, the power-key flag is cleared, display switching and the
 * live view come back, and the start-up runs again; the device's records
 * stay as they are. */
void requestReboot(void);
/* Logs the current output out and closes every menu over the live view. */
void lockScreen(void);

/* The live-view window's procedure (extended-style mark WS_EX_PREVIEW). */
LResult previewMainWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
/* The PTZ status indicator over the current live-view window, then the PTZ
 * panel, modal; its result. */
int openLiveViewPtz(int output, WindowHandle owner);

GUI_EXTERN_C_END

#endif

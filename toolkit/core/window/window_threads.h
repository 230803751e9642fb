// Threads made for main windows. They stay joinable so that
// WaitMainWindowClose can always join them; one that ended without anyone
// waiting is joined by the next CreateThreadForMainWindow, and one that made
// no window by its creator (JoinThreadWithoutWindow).
#pragma once

#include "gui/common.h"

// Ties a new main window to the thread it was made on, when that thread
// was made by CreateThreadForMainWindow and has no window yet.
void NoteMainWindowOfThread(WindowHandle hwnd);
// Joins the made threads that ended without anyone waiting for them.
void ReapMainWindowThreads();
// The window the calling thread was made for has been cleaned up on it:
// the thread's loop is over and it returns next.
void NoteMainWindowEnded(WindowHandle hwnd);
// Joins also the made threads whose window has ended but which have not
// returned yet: at the toolkit's end none may run on past what it frees.
void JoinThreadsOfEndedWindows();
// The window was registered as a tool window (input method, soft keyboard,
// bubble tip): its thread is joined at the toolkit's end.
void NoteToolWindow(WindowHandle hwnd);
// Joins the threads of the tool windows, closed by now: a close another
// thread began may still be under way after the tool left its registration.
void JoinToolWindowThreads();
// Threads made by CreateThreadForMainWindow not yet joined.
size_t UnjoinedMainWindowThreads();

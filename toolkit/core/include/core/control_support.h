// The few calls the control library makes on the core beyond the public
// headers. Controls reach windows only through these and the public API;
// none of them reads a window record itself.
#pragma once

#include <pthread.h>

#include <cstdio>
#include <string>

#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/font.h"

// The input-method and soft-keyboard windows registered with the desktop;
// 0 when none is.
WindowHandle ImeWindow();
WindowHandle SoftKeyboardWindow();

// Joins a thread made by CreateThreadForMainWindow that made no window: a
// tool window that could not be made leaves no thread behind to run past
// the toolkit's end. False for a thread that made one (WaitMainWindowClose
// waits for that) or that was not made so.
bool JoinThreadWithoutWindow(pthread_t thread);

// The active window of the current display as the desktop keeps it (0 for
// none), read without a request to the desktop thread.
WindowHandle ActiveOfCurrentDisplay();

// A stock bitmap of the main or the auxiliary display, whichever is
// current: a caller that reads the output once loads every skin of one
// display even while the current one changes.
const Bitmap* GetDisplayStockBitmap(bool auxiliary, const char* name, int x, int y);

// Keeps a timer installed (its slot and IsTimerInstalled stay) but lets it
// neither count nor come due, so nobody wakes for it, until ResetTimer
// starts its period afresh. False when the window has no such timer.
bool RestTimer(WindowHandle hwnd, int id);

// The foreground (layer 0) or background (layer 1) bitmap that
// SetCtrlBitmaps put in slot 1 to 3 of a window; null when none is set, and
// for an invalid window, slot or layer.
const Bitmap* GetCtrlBitmap(WindowHandle hwnd, int slot, int layer);

// Stores a control's font in its record without the font-change messages;
// false, with nothing stored, for a handle that is not a valid control.
bool StoreControlFont(WindowHandle control, LogFont* font);

// A binary file the control library reads (an input-method table), through
// the toolkit's one reader: opened without waiting, taken only as a regular
// file within the bound of such files. Null when missing or refused, with
// the reason, as it follows the file's name, in `why`.
std::FILE* OpenBinaryFile(const char* path, std::string* why);

// One warning line on stderr for a file that cannot be used, said once for
// each file: '<kind> "<file>" (<key>) <why>; <instead> instead'.
void WarnOfUnusableFile(const char* kind, const char* file, const char* key, const std::string& why,
                        const char* instead);

// One warning line on stderr for a value of the main configuration file
// that cannot be used as it stands: 'configuration file "<file>" has
// [<section>] <key>=<value>, which is <what>; <instead> is used instead'.
void WarnOfUnusableSetting(const char* section, const char* key, const char* value, const char* what,
                           const std::string& instead);

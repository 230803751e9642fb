// The four process-wide locks made by InitGUI and destroyed by TerminateGUI.
#pragma once

#include <pthread.h>

enum GuiLock { kNcPaintLock, kDisplaySwitchLock, kGlyphBufferLock, kSpareLock, kGuiLockCount };

pthread_mutex_t* GuiLockOf(GuiLock which);
bool CreateGuiLocks();
void DestroyGuiLocks();
bool GuiLocksCreated();

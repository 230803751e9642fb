// The window module's share of the live-video area tables.
#pragma once

#include "core/window/window_record.h"

// Gives the window's slot back (moving or hiding it).
void ReleaseLiveVideoSlot(MainWinRecord* win);
// Hiding a main window: slot 0 or its own slot, as the full-screen state
// asks.
void ReleaseLiveVideoSlotOnHide(MainWinRecord* win);
// Destroying a main window that owns a slot: the same as hiding it, and
// the window owns none afterwards.
void ReleaseLiveVideoSlotOnDestroy(MainWinRecord* win);
// Paint-time planning for a main window and repaint planning for the
// preview window of the current display.
void RefreshLiveVideoAreas(WindowRecord* win);
void ReplanLiveVideoAreas(const Rect& damaged);
// A close of all windows asked while a display switch runs is held and
// made by the switch once the new display is current: true when held.
bool HoldCloseDuringSwitch();
void SetOutputSwitchRequest(bool raised);
bool OutputSwitchRequested();
void TakeOutputSwitchRequest();
// Clears every slot of an output's table (return to the live view).
void ClearVideoWindowRecords(int output);
// An open popup menu takes a free slot of the current display for its
// rectangle (the slot, or -1 when it takes none) and gives it back.
int ClaimPopupVideoSlot(const Rect& popup);
void ReleasePopupVideoSlot(int slot);

// The host window thread: SDL video, one window per host display, the
// host's message loop, and presentation of the displays' dirty areas.
#ifndef CORE_DRIVER_HOST_THREAD_H
#define CORE_DRIVER_HOST_THREAD_H

#include <functional>

#include "core/driver/host_display.h"

namespace host {

constexpr int kMainSlot = 0;
constexpr int kAuxSlot = 1;
constexpr int kSlotCount = 2;

// Starts the host thread and waits until its main window of the given
// client size exists; false (with the thread gone) when it cannot be made.
bool StartHost(int width, int height);
// Destroys the windows and ends the thread.
void StopHost();
bool HostRunning();
bool OnHostThread();

HostDisplay& Display(int slot);
// Shows a slot's display in a window of exactly its size (made or remade
// as needed); false when the window cannot be made.
bool ShowDisplay(int slot);
void CloseDisplay(int slot);
// Wakes the host thread to present what changed.
void RequestPresent();
// Runs `task` on the host thread and waits for it; false when no host runs.
bool RunOnHost(const std::function<void()>& task);

// Host thread only.
void HideHostCursor();
// Shows every display's whole image again.
void RepaintAll();

// Pointer position in client coordinates, as the host last reported it.
void RecordCursor(int x, int y, bool inside);

// Depth of the host desktop: this host always offers a 32-bit desktop.
int GetDesktopDepth();

}  // namespace host

#endif

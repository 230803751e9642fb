// The host window thread: SDL video, one window per host display, the
// host's message loop, and presentation of the displays' dirty areas.
#ifndef CORE_DRIVER_HOST_THREAD_H
#define CORE_DRIVER_HOST_THREAD_H

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/driver/host_display.h"

namespace host {

constexpr int kMainSlot = 0;
constexpr int kAuxSlot = 1;
constexpr int kSlotCount = 2;

// Starts the host thread and waits until its main window of the given
// client size exists; false (with the thread gone) when it cannot be made.
bool StartHost(int width, int height);
// StartHost in two halves, so that the caller's own start-up overlaps the
// window system's: the thread starts and opens its main window while the
// caller goes on; FinishHostStart waits for it and answers as StartHost
// (the reason of a failure is reported on the calling thread). Work handed
// to the host meanwhile waits for the start to end.
bool StartHostInBackground(int width, int height);
bool FinishHostStart();
// Whether a start is under way (its main window may not exist yet).
bool HostStarting();
// Destroys the windows and ends the thread.
void StopHost();
bool HostRunning();
bool OnHostThread();

HostDisplay& Display(int slot);
// Makes sure a slot has a window of exactly that client size: a new window
// is made before the old one goes, so a failure keeps the old one. False
// when no window of that size can be made.
bool ShowDisplay(int slot, int width, int height);
void CloseDisplay(int slot);
// Asks the host thread to present what changed: it is woken only when no
// wake is pending and it is not about to wake by itself (within a frame of
// handing motion to the input engine), and presents about once a frame
// (see PresentPacer).
void RequestPresent();
// How many paced presents the host has made (tests).
uint64_t PresentsMade();
// Whether a present was asked for and has not gone out yet (tests).
bool PresentPending();
// When the last paced present had reached the window system (benchmarks).
std::chrono::steady_clock::time_point LastPresentTime();
// Presents every display's changes now, on the host thread, and waits.
void PresentNow();
// Drawing that must show whole (a window or menu being drawn for the first
// time) holds presents back until the last hold is released, at most
// kMaxPresentHoldMs after the first, so that a hung painter cannot freeze
// the screen.
constexpr int kMaxPresentHoldMs = 40;
// Tests that look at every picture shown while a slow (sanitized) run
// paints give the holds longer; 0 or less restores kMaxPresentHoldMs.
void SetMaxPresentHoldMs(int ms);
void HoldPresents();
void ReleasePresents(int count);
// How many holds are out.
int HeldPresents();
// The main host window is made unshown and shows with the first present
// after this (or 3 s after start at the latest): the first frame seen is a
// complete one.
void OpenStartGate();
// Whether the main window is still kept unshown for its first frame.
bool StartGateClosed();
// The program's first screen may be more than the first window painted (a
// start-up page opening over it): while the gate is held it also waits for
// the release. A release now opens it once a window has been painted (and
// ends a wait for a next window); a release with the next window opens it
// once the next window shown has been painted whole (the page the caller
// is about to open). Both do nothing once the gate is open; the gate's time
// limit holds regardless.
// The program reaches both through gui/host.h (HostHoldStartGate and
// HostReleaseStartGate).
enum class GateRelease { kNow, kWithNextWindow };
void HoldStartGate();
void ReleaseStartGate(GateRelease how);
// Tests that look at the first picture while a slow (sanitized) run starts
// give the gate's time limit longer, set before the host starts; 0 or less
// restores 3 s.
void SetMaxStartGateMs(int ms);
// Every kShownSampleStep-th pixel of every kShownSampleStep-th row of the
// picture the slot's window appeared with, as 0x00RRGGBB (tests); empty
// before it has appeared.
constexpr int kShownSampleStep = 8;
std::vector<uint32_t> FirstShownSamples(int slot);
// Whether the slot's host window is shown (tests).
bool WindowShown(int slot);
// Every picture a host window shows (tests): called on the host thread as
// each present goes out, with the slot and the window's whole image as
// rows of 0x00RRGGBB; an empty function stops it.
using PresentObserver = std::function<void(int slot, const std::vector<uint32_t>& image, int width, int height)>;
void ObservePresents(PresentObserver observer);
class PresentHold {
 public:
  PresentHold() { HoldPresents(); }
  ~PresentHold() { ReleasePresents(1); }
  PresentHold(const PresentHold&) = delete;
  PresentHold& operator=(const PresentHold&) = delete;
};
// Runs `task` on the host thread and waits for it; false when no host runs.
// Never called with a display's GDI lock held: the host takes those locks
// to present.
bool RunOnHost(const std::function<void()>& task);

// Host thread only.
void HideHostCursor();
// Shows every display's whole image again.
void RepaintAll();

// Depth of the host desktop: this host always offers a 32-bit desktop.
int GetDesktopDepth();

}  // namespace host

#endif

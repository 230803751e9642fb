// The frame-buffer driver "windib": its entry in the video-driver table,
// its device operations and its window procedure.
#ifndef CORE_DRIVER_WINDIB_H
#define CORE_DRIVER_WINDIB_H

#include "gui/common.h"
#include "gui/gal.h"

extern "C" {
extern const GalBootstrap WinDibBootstrap;
GalVideoDevice* WinDibCreateDevice(int index);
}

namespace windib {

// Host window messages the window procedure handles.
constexpr unsigned kCreate = 1;
constexpr unsigned kDestroy = 2;
constexpr unsigned kPaint = 15;
constexpr unsigned kKeyDown = 0x100;
constexpr unsigned kKeyUp = 0x101;
constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kLeftDown = 0x201;
constexpr unsigned kLeftUp = 0x202;
constexpr unsigned kLeftDouble = 0x203;
constexpr unsigned kRightDown = 0x204;
constexpr unsigned kRightUp = 0x205;
constexpr unsigned kRightDouble = 0x206;
constexpr unsigned kMiddleDown = 0x207;
constexpr unsigned kMiddleUp = 0x208;
constexpr unsigned kMiddleDouble = 0x209;
constexpr unsigned kWheel = 0x20A;

// Parameters as the host packs them: the wheel delta in the high word of the
// first parameter, the key code in the high half of the second.
WParam WheelParam(int delta);
LParam KeyParam(int linuxKeyCode);

LResult WinDibWndProc(unsigned message, WParam wParam, LParam lParam);

// The pointer in client coordinates as the host saw it last: the next move
// or button message is recorded there.
void RecordPointer(int x, int y, bool inside);
// The pointer as the host saw it last, when it was over the window.
bool PointerOver(int* x, int* y);
// For the host thread: its mouse messages wake the input engine only when
// it calls DeliverInput, once it has handled all it took in at one wake-up.
void PaceInputOnThisThread();
// Wakes the input engine for the mouse changes recorded on this thread, a
// button change at once, motion at most once a frame. Answers in how many
// milliseconds motion held back falls due (call again then), -1 for none;
// `*motionOnly` (when given) tells whether the engine was woken for motion
// alone (it is left false otherwise).
int DeliverInput(bool* motionOnly = nullptr);

}  // namespace windib

#endif

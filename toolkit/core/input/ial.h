// Input layer internals shared by the engines, the event layer and the
// cursor.
#pragma once

#include "gui/input.h"

// The engine started last; null before the first start.
IalEngine* CurrentIalEngine();

// Looks the engine up by name (at most 16 characters compared); an unknown
// name keeps the engine chosen before, or the first one. Answers 0 when
// the engine starts, -21 when it does not.
int StartIalEngine(const char* name, const char* mdev, const char* mtype);

// Makes an engine built elsewhere current without starting it (tests).
void UseIalEngineForTest(IalEngine* engine);

// Applies the installed calibration to a position read from the engine;
// leaves it alone when none is installed.
void CalibrateMousePosition(int* x, int* y);
// Forgets the calibration (tests).
void ResetMouseCalibration();

// Copies an engine's operations (every slot but the name, init and the
// device path) into its table entry.
void SetEngineOperations(IalEngine* engine, const IalEngine& operations);

// The built-in engines' init operations.
int InitWinIAL(IalEngine* engine, const char* mdev, const char* mtype);
int InitDummyIAL(IalEngine* engine, const char* mdev, const char* mtype);

// Ends the current engine's wait early (it answers a retry) where the engine
// can be woken; the "dummy" engine's waits end by themselves.
void WakeIalWait();
void WakeWinIalWait();

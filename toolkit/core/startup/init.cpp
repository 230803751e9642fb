// Placeholder start-up: replaced stage by stage as the toolkit grows.
#include "gui/startup.h"

extern "C" int InitGUI(int, const char* const*) { return 0; }
extern "C" void TerminateGUI(int) {}
extern "C" void ExitGUISafely(int exitcode) { TerminateGUI(exitcode <= 0 ? exitcode : -exitcode); }
extern "C" void RunUntilQuit(void) {}

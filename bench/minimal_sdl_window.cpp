// The baseline of the start-up from exec: a minimal SDL2 program whose
// window appears with its one present.
#include "bench/bench_exec_window.h"

int main() { return benchexec::RunMinimalSdlWindow(); }

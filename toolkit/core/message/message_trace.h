// The opt-in trace of messages reaching window procedures: with
// GUI_TRACE_MESSAGES set (and not 0) in the environment at start-up, each
// one is printed to stderr with its name, window and parameters. Off, a
// procedure call costs one test of a word read once.
#pragma once

#include <atomic>
#include <cstdio>

#include "gui/common.h"

extern std::atomic<FILE*> g_messageTraceSink;

// Where the trace goes from now on; null turns it off.
void SetMessageTraceSink(FILE* sink);
void PrintTracedMessage(FILE* sink, WindowHandle hwnd, int message, WParam wParam, LParam lParam);

// Calls `proc` with the message, tracing it first when the trace is on.
inline LResult CallTracedProcedure(WindowProc proc, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  FILE* sink = g_messageTraceSink.load(std::memory_order_relaxed);
  if (__builtin_expect(sink != nullptr, 0)) PrintTracedMessage(sink, hwnd, message, wParam, lParam);
  return proc(hwnd, message, wParam, lParam);
}

// A fuzz target whose set-up fails would return at once on every input and
// fuzz nothing while looking busy: it stops with a message instead.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void RequireFuzzSetUp(bool ready, const char* what, const char* why = "") {
  if (ready) return;
  std::fprintf(stderr,
               "fuzz target set-up failed: %s%s%s (make fuzz-run starts each target where ../guiRes holds its "
               "resources)\n",
               what, why[0] ? ": " : "", why);
  // Not exit(): libFuzzer would take it for a crash of the input at hand.
  std::_Exit(1);
}

// Why start-up failed, in words for the person who started the program: a
// stage (or what it calls) says what went wrong with which file, and a
// setting looked for and not found is remembered as the likely cause when
// the stage says nothing more. InitGUI forgets both each time a stage passes.
#pragma once

#include <string>

// The latest problem reported wins.
void ReportStartupProblem(const char* format, ...) __attribute__((format(printf, 1, 2)));
void NoteMissingSetting(const char* file, const char* section, const char* key);
// A setting that cannot be used and is replaced: one line on standard error
// at once, "<program>: warning: <text>", the text naming the file, the key
// and what is used instead.
void WarnOfFallback(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same, said at most once for each `file` (or other name of what is
// warned of) in the process's life: a damaged file read by two loaders is
// named in one line.
void WarnOfFallbackOnce(const char* file, const char* format, ...) __attribute__((format(printf, 2, 3)));
void ClearStartupProblem();
// Called by InitGUI when a stage fails; "" clears it. A stage that said
// nothing and missed no setting is given `fallback` as its reason.
void SetFailedStartupStage(const char* name, const std::string& fallback = "");

// The path as the user would find it: absolute, "." and ".." resolved
// without following links, so a missing file can be named too.
std::string ShownPath(const char* path);

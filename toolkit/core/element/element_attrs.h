// The window module frees a window's element overrides when it goes.
#pragma once

#include "core/window/window_record.h"

void FreeElementAttributes(WindowRecord* win);
// Metric text with an operator on a system font's size; false for a
// division by zero.
bool ParseElementMetric(const char* text, int baseSize, int32_t* value);

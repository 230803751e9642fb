// Inside the control class registry: the built-in class table and the
// registration walk over it.
#pragma once

#include <vector>

#include "gui/control_class.h"

namespace controls {

// Registers one built-in class (and does whatever set-up it needs first);
// TRUE when the registry accepted it.
using RegisterClassFn = BOOL (*)();

// The built-in classes in their registration order.
const std::vector<RegisterClassFn>& BuiltinControlClasses();

// Registers a built-in class: style, extended style and additional data
// 0; TRUE when the registry took it.
BOOL RegisterBuiltinClass(const char* name, uintptr_t cursor, GalPixel background, WindowProc proc);

// Empties the registry, then calls each function in order and stops at the
// first that fails.
bool RegisterControlClasses(const std::vector<RegisterClassFn>& table);

}  // namespace controls

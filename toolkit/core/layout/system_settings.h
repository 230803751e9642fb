// The [system] settings this build reads but does not follow: the graphics
// engine and the screen mode come from the device.
#pragma once

namespace layout {

// One warning line for each such setting that asks for something else
// than what is used.
void WarnOfIgnoredSystemSettings();

}  // namespace layout

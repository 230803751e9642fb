#pragma once

namespace button {

// Builds the check mark for the screen's pixel format; false when the
// screen has none yet.
bool BuildCheckMark();

}  // namespace button

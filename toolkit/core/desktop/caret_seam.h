// Tests that compare pictures of the screen read them whenever a slow run
// gets there: `holdBlink` keeps every caret as it was shown (no blink) while
// held, so that a picture does not depend on the clock.
#pragma once

namespace caret_seam {
void holdBlink(bool held);
}  // namespace caret_seam

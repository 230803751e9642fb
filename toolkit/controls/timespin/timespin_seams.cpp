// Stand-in until the combo box exists: its record names the edit that shows
// the spinner's time. Without it the time goes to the spinner's parent.
#include "controls/timespin/timespin_internal.h"
#include "gui/window.h"

namespace timespin {

WindowHandle TextTarget(WindowHandle spinner) { return GetParent(spinner); }

}  // namespace timespin

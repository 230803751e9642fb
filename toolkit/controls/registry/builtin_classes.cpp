// The built-in control classes, in registration order. Each control adds
// its registration function here when it is built, in its place in the
// order; a class that must come after another (one built on "container",
// say) stands below it.
#include "controls/button/button_class.h"
#include "controls/propsheet/propsheet_class.h"
#include "controls/registry/control_registry.h"
#include "controls/static/static_class.h"
#include "gui/text_entry.h"

namespace controls {

const std::vector<RegisterClassFn>& BuiltinControlClasses() {
  static const std::vector<RegisterClassFn> table = {
      RegisterStaticControl,     // 1 "static"
      RegisterButtonControl,     // 2 "button"
      RegisterSLEditClass,       // 4 "sledit"
      RegisterIPEditClass,       // 13 "ipedit"
      RegisterPropSheetControl,  // 15 "propsheet"
  };
  return table;
}

}  // namespace controls

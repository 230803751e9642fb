// The built-in control classes, in registration order. Each control adds
// its registration function here when it is built; a class that must come
// after another (one built on "container", say) stands below it.
#include "controls/registry/control_registry.h"
#include "gui/text_entry.h"

namespace controls {

const std::vector<RegisterClassFn>& BuiltinControlClasses() {
  static const std::vector<RegisterClassFn> table = {
      RegisterSLEditClass,
      RegisterIPEditClass,
  };
  return table;
}

}  // namespace controls

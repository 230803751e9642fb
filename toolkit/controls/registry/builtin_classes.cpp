// The built-in control classes, in registration order. Each control adds
// its registration function here when it is built; a class that must come
// after another (one built on "container", say) stands below it.
#include "controls/combine/combine_class.h"
#include "controls/combobox/combobox_class.h"
#include "controls/listbox/listbox_class.h"
#include "controls/registry/control_registry.h"

namespace controls {

const std::vector<RegisterClassFn>& BuiltinControlClasses() {
  static const std::vector<RegisterClassFn> table = {
      RegisterListBoxControl,   // 6 "listbox"
      RegisterComboBoxControl,  // 12 "combobox"
      RegisterCombineControl,   // 14 "combine"
  };
  return table;
}

}  // namespace controls

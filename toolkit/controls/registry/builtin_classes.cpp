// The built-in control classes, in registration order. Each control adds
// its registration function here when it is built; a class that must come
// after another (one built on "container", say) stands below it.
#include "controls/listview/listview_class.h"
#include "controls/registry/control_registry.h"
#include "controls/scrolled/scrollview_class.h"
#include "controls/scrollwnd/scrollwnd_class.h"

namespace controls {

const std::vector<RegisterClassFn>& BuiltinControlClasses() {
  static const std::vector<RegisterClassFn> table = {
      RegisterScrollViewControl,  // 16 "scrollview"
      RegisterScrollWndControl,   // 17 "container", 18 "scrollwnd"
      RegisterListViewControl,    // 21 "ListView"
  };
  return table;
}

}  // namespace controls

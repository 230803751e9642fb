// The built-in control classes, in registration order; a class that must
// come after another (one built on "container", say) stands below it.
#include "controls/button/button_class.h"
#include "controls/combine/combine_class.h"
#include "controls/combobox/combobox_class.h"
#include "controls/edit/edit_class.h"
#include "controls/listbox/listbox_class.h"
#include "controls/listview/listview_class.h"
#include "controls/menubutton/menubutton_class.h"
#include "controls/monthcalendar/monthcalendar_class.h"
#include "controls/progressbar/progressbar_class.h"
#include "controls/propsheet/propsheet_class.h"
#include "controls/registry/control_registry.h"
#include "controls/scrollview/scrollview_class.h"
#include "controls/scrollwnd/scrollwnd_class.h"
#include "controls/segrate/segrate_class.h"
#include "controls/static/static_class.h"
#include "controls/spintime/spintime_class.h"
#include "controls/toolbar/toolbar_class.h"
#include "controls/trackbar/trackbar_class.h"
#include "gui/text_entry.h"

namespace controls {

const std::vector<RegisterClassFn>& BuiltinControlClasses() {
  static const std::vector<RegisterClassFn> table = {
      RegisterStaticControl,         // 1 "static"
      RegisterButtonControl,         // 2 "button"
      RegisterEditControl,           // 3 "edit"
      RegisterSLEditClass,           // 4 "sledit"
      RegisterProgressBarControl,    // 5 "progressbar"
      RegisterListBoxControl,        // 6 "listbox"
      RegisterToolBarControl,        // 7 "toolbar"
      RegisterNewToolBarControl,     // 8 "newtoolbar"
      RegisterMenuButtonControl,     // 9 "menubutton"
      RegisterTrackBarControl,       // 10 "trackbar"
      RegisterSegRateControl,        // 11 "segrate"
      RegisterComboBoxControl,       // 12 "combobox"
      RegisterIPEditClass,           // 13 "ipedit"
      RegisterCombineControl,        // 14 "combine"
      RegisterPropSheetControl,      // 15 "propsheet"
      RegisterScrollViewControl,     // 16 "scrollview"
      RegisterScrollWndControl,      // 17 "container", 18 "scrollwnd"
      RegisterTimeSpinnerControl,    // 19 "spintime"
      RegisterMonthCalendarControl,  // 20 "monthcalendar"
      RegisterListViewControl,       // 21 "ListView"
  };
  return table;
}

}  // namespace controls

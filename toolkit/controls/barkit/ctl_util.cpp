#include "controls/barkit/ctl_util.h"

#include "gui/control_class.h"
#include "gui/cursor.h"

namespace barkit {

BOOL RegisterBuiltin(const char* name, int cursor, GalPixel background, WindowProc proc) {
  WndClassInfo info{};
  info.className = name;
  info.cursor = static_cast<uintptr_t>(GetSystemCursor(cursor));
  info.backgroundColor = background;
  info.windowProc = proc;
  return AddNewControlClass(&info) == 0;
}

}  // namespace barkit

// The output logo rectangle handed to the device layer.
#include "core/layout/layout_state.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"

extern "C" int SetOutLogoIdx(int output, int index) {
  if (index < 4 || index > 11) index = 4;
  const int height = layout::ScreenExtent(output).cy;
  OutputLogoRect logo{};
  if (output == GuiApp()->getVideoOutNum()) {
    logo = OutputLogoRect{index == 7 ? 84 : 20, height - 84, 64, 64, {0, 0, 0, 0}, 1};
  } else {
    logo = OutputLogoRect{index == 11 ? 72 : 40, height - 52, 32, 32, {0, 0, 0, 0}, 1};
  }
  GuiApp()->setOutputLogoRect(output, &logo, index, index == 7 || index == 11 ? 1 : 2);
  return 1;
}

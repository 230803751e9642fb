// Fills the core's table of control-library calls as the program starts.
// Every program that links the control library keeps this object: the
// library's link interface names GuiControlLayerInstalled as undefined.
#include "core/control_layer.h"
#include "gui/control_paint.h"
#include "gui/ime.h"
#include "gui/text_entry.h"

namespace {

int Install() {
  ControlLayer layer{};
  layer.initControlClass = InitControlClass;
  layer.terminateControlClass = TerminateControlClass;
  layer.addNewControlClass = AddNewControlClass;
  layer.deleteControlClass = DeleteControlClass;
  layer.findControlClass = FindControlClass;
  layer.controlClassInfoOp = ControlClassInfoOp;
  layer.initIme = InitIME;
  layer.setSLEditSkbState = SetSLEditSKBState;
  layer.setIPEditSkbState = SetIPEditSKBState;
  layer.getSLEditParentKind = GetSLEditParentKind;
  layer.isFreeStandingEdit = IsFreeStandingEdit;
  layer.draw3DThickFrameEx = Draw3DThickFrameEx;
  layer.drawBoxWithBitmapCombine = DrawBoxWithBitmapCombine;
  InstallControlLayer(layer);
  return 1;
}

}  // namespace

extern "C" {
extern const int GuiControlLayerInstalled;
const int GuiControlLayerInstalled = Install();
}

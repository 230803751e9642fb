#include "core/control_layer.h"

namespace {

// A toolkit without controls: start-up registers no class, lookups find
// none, registration is refused and the painters draw nothing.
BOOL NoClasses() { return TRUE; }
void Nothing() {}
int Refused(const WndClassInfo*) { return -1; }
int NotFound(const char*) { return -1; }
ControlClass* NoClass(const char*) { return nullptr; }
int NoInfo(int, WndClassInfo*) { return -1; }
int NoIme() { return 1; }
void NoSkbState(int) {}
int NoParentKind(WindowHandle) { return 0; }
BOOL NotFreeStanding(WindowHandle) { return FALSE; }
void NoFrame(HDC, WindowHandle, int, int, int, int, uint32_t, GalPixel) {}
int NoBox(HDC, const Rect*, const Bitmap*) { return 0; }

ControlLayer g_layer{NoClasses, Nothing,    Refused,          NotFound,         NoClass, NoInfo, NoIme,
                     NoSkbState, NoSkbState, NoParentKind, NotFreeStanding, NoFrame, NoBox};

template <typename F>
void Take(F*& slot, F* given) {
  if (given) slot = given;
}

}  // namespace

const ControlLayer& Controls() { return g_layer; }

// Runs once, from a static initializer, before any thread of the toolkit.
void InstallControlLayer(const ControlLayer& layer) {
  Take(g_layer.initControlClass, layer.initControlClass);
  Take(g_layer.terminateControlClass, layer.terminateControlClass);
  Take(g_layer.addNewControlClass, layer.addNewControlClass);
  Take(g_layer.deleteControlClass, layer.deleteControlClass);
  Take(g_layer.findControlClass, layer.findControlClass);
  Take(g_layer.controlClassInfoOp, layer.controlClassInfoOp);
  Take(g_layer.initIme, layer.initIme);
  Take(g_layer.setSLEditSkbState, layer.setSLEditSkbState);
  Take(g_layer.setIPEditSkbState, layer.setIPEditSkbState);
  Take(g_layer.getSLEditParentKind, layer.getSLEditParentKind);
  Take(g_layer.isFreeStandingEdit, layer.isFreeStandingEdit);
  Take(g_layer.draw3DThickFrameEx, layer.draw3DThickFrameEx);
  Take(g_layer.drawBoxWithBitmapCombine, layer.drawBoxWithBitmapCombine);
}

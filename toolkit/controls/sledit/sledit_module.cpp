// State every single-line edit shares: the dialog code, whether the soft
// keyboard serves an edit, the edit-box skins and the mode icons; and what
// the window core and the dialogs ask of the edits.
#include <atomic>

#include "controls/registry/control_registry.h"
#include "controls/sledit/sledit.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace sledit {
namespace {

constexpr uint32_t kComboNumberStyle = 0x4;

// Written by the window core's threads as well as the edits' own.
std::atomic<int> g_dialogCode{entry::kDlgIdle};
std::atomic<int> g_keyboardServes{0};

}  // namespace

int DialogCode() { return g_dialogCode; }
void SetDialogCode(int code) { g_dialogCode = code; }
bool KeyboardServes() { return g_keyboardServes != 0; }
void SetKeyboardServes(bool on) { g_keyboardServes = on ? 1 : 0; }

const Bitmap* ModeIcon(uint32_t mode) {
  switch (mode & entry::kModeMask) {
    case entry::kModeLower: return GetStockBitmap("switch_chrl", -1, -1);
    case entry::kModeUpper: return GetStockBitmap("switch_chrh", -1, -1);
    case entry::kModeNumber: return GetStockBitmap("switch_num", -1, -1);
    case entry::kModeChinese: return GetStockBitmap("switch_chinese", -1, -1);
    case entry::kModePunct: return GetStockBitmap("switch_punc", -1, -1);
    default: return nullptr;
  }
}

int IconWidth() {
  const Bitmap* icon = GetStockBitmap("switch_chrl", -1, -1);
  return icon ? static_cast<int>(icon->bmWidth) : 0;
}

int IconHeight() {
  const Bitmap* icon = GetStockBitmap("switch_chrl", -1, -1);
  return icon ? static_cast<int>(icon->bmHeight) : 0;
}

int CurrentOutput() { return getCurOutputHook(); }
bool OnAuxOutput() { return getCurOutputHook() != getMainOutputHook(); }
bool LowRes() { return IsLowResDisplay(getCurOutputHook()) != 0; }

SLEditData* DataOf(WindowHandle hwnd) { return reinterpret_cast<SLEditData*>(GetWindowAdditionalData2(hwnd)); }
uint32_t Style(WindowHandle hwnd) { return GetWindowStyle(hwnd); }
int HostKind(WindowHandle hwnd) { return GetSLEditParentKind(hwnd); }

LResult SLEditProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);

}  // namespace sledit

extern "C" {

void SetSLEditSKBState(int flag) { sledit::SetKeyboardServes(flag != 0); }
int GetSLEditSKBState(void) { return sledit::KeyboardServes() ? 1 : 0; }

int GetSLEditParentKind(WindowHandle edit) {
  WindowHandle parent = GetParent(edit);
  if (!parent || parent == GUI_INVALID_HANDLE || IsControl(parent) != 1) return 0;
  if (IsControlOfClass(parent, "ipedit")) return 2;
  if (IsControlOfClass(parent, "combobox")) return (GetWindowStyle(parent) & sledit::kComboNumberStyle) ? 1 : 3;
  return 0;
}

// Only single-line edits answer; the dialogs ask it of any control.
BOOL IsFreeStandingEdit(WindowHandle edit) {
  if (!IsControlOfClass(edit, "sledit")) return FALSE;
  return (GetWindowStyle(edit) & sledit::kPlain) || GetSLEditParentKind(edit) == 0;
}

BOOL RegisterSLEditClass(void) {
  return controls::RegisterBuiltinClass("sledit", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], sledit::SLEditProc);
}

}  // extern "C"

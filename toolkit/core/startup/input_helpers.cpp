// State words shared by the edits and the two helper windows. They are
// plain words written by one thread and read by others, hence atomics.
#include "core/startup/input_helpers.h"

#include <atomic>

#include "core/desktop/zorder.h"
#include "core/window/window_record.h"
#include "gui/desktop.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/startup.h"

namespace {

constexpr uint32_t kVisibleStyle = 0x08000000;

enum SoftKeyboardKind { kKindNumeric = 16, kKindUpper = 128, kKindChinese = 64, kKindSymbol = 256, kKindLower = 32 };

std::atomic<int> g_helperState{0};
std::atomic<int> g_softKeyboardMode{0};
std::atomic<WindowHandle> g_imeWindow{0};
std::atomic<WindowHandle> g_softKeyboardWindow{0};

bool Exists(WindowHandle hwnd) { return ValidWindow(hwnd) != nullptr; }
bool IsShown(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return false;
  GeometryReadLock hold;  // the desktop thread shows and hides the helpers
  return (win->style & kVisibleStyle) != 0;
}

void NotifyHelpersToClose() {
  if (IsShown(g_softKeyboardWindow)) SendNotifyMessage(g_softKeyboardWindow, MSG_SKBCLOSE, 0, 0);
  if (IsShown(g_imeWindow)) SendNotifyMessage(g_imeWindow, MSG_IMECLOSE, 0, 0);
}

void SwitchToSymbols(WindowHandle skb, WindowHandle ime) {
  SendNotifyMessage(skb, MSG_DT_SKBCMD, 2, 2);
  SendNotifyMessage(ime, MSG_DT_IMECMD, 1, 0);
  SendNotifyMessage(ime, MSG_IMESHOW, 0, 0);
  SendNotifyMessage(ime, MSG_KEYDOWN, PANEL_KEY_SYMBOLS, 0);
  SendNotifyMessage(ime, MSG_CHAR, 130, 0);
}

}  // namespace

void SetImeWindow(WindowHandle hwnd) { g_imeWindow = hwnd; }
void SetSoftKeyboardWindow(WindowHandle hwnd) { g_softKeyboardWindow = hwnd; }
WindowHandle ImeWindow() { return g_imeWindow; }
WindowHandle SoftKeyboardWindow() { return g_softKeyboardWindow; }

extern "C" {

int GetInputHelperState(void) { return g_helperState; }

void CloseInputHelpers(void) {
  NotifyHelpersToClose();
  g_helperState = 0;
}

void CloseInputHelpersHeld(void) {
  NotifyHelpersToClose();
  g_helperState = 1;
  g_softKeyboardMode = 0;
}

void ClearInputHelperState(void) { g_helperState = 0; }

int GetSoftKeyboardMode(void) { return g_softKeyboardMode; }

void SetSoftKeyboardMode(int input_kind) {
  WindowHandle skb = g_softKeyboardWindow, ime = g_imeWindow;
  switch (input_kind) {
    case kKindNumeric:
    case kKindUpper:
      g_softKeyboardMode = input_kind == kKindNumeric ? 1 : 2;
      if (Exists(skb)) SendNotifyMessage(skb, MSG_DT_SKBCMD, 2, 0);
      break;
    case kKindChinese:
      g_softKeyboardMode = 4;
      if (Exists(ime)) {
        SendNotifyMessage(skb, MSG_DT_SKBCMD, 2, 2);
        SendNotifyMessage(ime, MSG_DT_IMECMD, 1, 1);
      }
      break;
    case kKindSymbol:
      g_softKeyboardMode = 3;
      if (Exists(skb)) SwitchToSymbols(skb, ime);
      break;
    case kKindLower:
      g_softKeyboardMode = 0;
      if (Exists(skb)) SendNotifyMessage(skb, MSG_DT_SKBCMD, 2, 1);
      break;
    default:
      g_softKeyboardMode = 1;
      if (Exists(skb)) SendNotifyMessage(skb, MSG_DT_SKBCMD, 2, 0);
      break;
  }
}

}  // extern "C"

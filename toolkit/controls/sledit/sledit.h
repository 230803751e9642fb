// Inside the single-line edit: its per-control record, the module state all
// fields share, and the pieces of its procedure.
#pragma once

#include <cstdint>

#include "controls/sledit/entry_common.h"
#include "controls/sledit/sledit_model.h"
#include "gui/control_paint.h"
#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/edit.h"
#include "gui/font.h"

namespace sledit {

// Style bits.
constexpr uint32_t kCentre = 0x1, kRight = 0x2, kNumberFirst = 0x4, kUpper = ES_UPPERCASE, kLower = ES_LOWERCASE;
constexpr uint32_t kPassword = ES_PASSWORD, kNoIcon = 0x40, kNoChinese = ES_NOCHINESE, kRange = 0x200;
constexpr uint32_t kKeepCaret = ES_KEEPCARET, kReadOnly = ES_READONLY;
constexpr uint32_t kPlain = 0x1000, kTip = 0x8000, kIpField = 0x10000, kSelectOnSet = 0x20000;

// Status bits.
constexpr uint32_t kFocused = 0x1, kSwallowPress = 0x4, kOverwrite = 0x8;

constexpr int kTipSize = 64;

struct SLEditData {
  uint32_t status = 0;
  EditModel model;
  int scroll = 0, contentWidth = 0;
  Rect textRect{};
  int textWidth = 0, textStart = 0, textTop = 0;
  int leftMargin = 6, topMargin = 1, rightMargin = 2, bottomMargin = 1;
  char* tip = nullptr;  // fixed string, style 0x8000 only
  int rangeMin = -1, rangeMax = -1;
  int passwordChar = '*';
  bool changed = false;
};

// ---- module state ----
int DialogCode();
void SetDialogCode(int code);
bool KeyboardServes();              // SLEditSKBState
void SetKeyboardServes(bool on);
const Bitmap* ModeIcon(uint32_t mode);  // null for no mode
int IconWidth();
int IconHeight();
int CurrentOutput();
bool OnAuxOutput();
bool LowRes();

// ---- the control ----
SLEditData* DataOf(WindowHandle hwnd);
uint32_t Style(WindowHandle hwnd);
inline bool IsReadOnly(uint32_t style) { return style & kReadOnly; }
inline bool IsRangeField(uint32_t style) { return style & kRange; }
int HostKind(WindowHandle hwnd);

// Layout and caret (sledit_layout.cpp).
LogFont* DrawFont(WindowHandle hwnd);
int SystemFontHeight();
int TextWidth(WindowHandle hwnd, const SLEditData* d, int bytes);
void Layout(WindowHandle hwnd, SLEditData* d, bool fromScratch);
void MeasureContent(WindowHandle hwnd, SLEditData* d);
void PlaceCaret(WindowHandle hwnd, SLEditData* d);
// Scrolls so that byte position p is shown; true when the scroll moved.
bool ShowPosition(WindowHandle hwnd, SLEditData* d, int p);
void ScrollToCaret(WindowHandle hwnd, SLEditData* d);
int PositionAt(WindowHandle hwnd, SLEditData* d, int x);
int CharLenBefore(WindowHandle hwnd, const SLEditData* d, int p);
int CharLenAfter(WindowHandle hwnd, const SLEditData* d, int p);

// Editing with repaint and notifications (sledit_proc.cpp).
void Notify(WindowHandle hwnd, int code);
void Repaint(WindowHandle hwnd);
void ApplyEdit(WindowHandle hwnd, SLEditData* d, const char* bytes, int n);
void UpdateCaretVisibility(WindowHandle hwnd, SLEditData* d);

// Input (sledit_input.cpp).
void OnPress(WindowHandle hwnd, SLEditData* d, int x, int y);
void OnMouseMove(WindowHandle hwnd, SLEditData* d, LParam lParam);
void OnKey(WindowHandle hwnd, SLEditData* d, int scan, LParam state);
void OnChar(WindowHandle hwnd, SLEditData* d, WParam ch);
void OnFocus(WindowHandle hwnd, SLEditData* d);
void OnBlur(WindowHandle hwnd, SLEditData* d);
void OnSetMode(WindowHandle hwnd, SLEditData* d, WParam mode);

// Painting (sledit_paint.cpp).
void Paint(WindowHandle hwnd, SLEditData* d);

}  // namespace sledit


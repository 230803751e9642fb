// Painting of the single-line edit: tip, text with selection, mode icon,
// focus frame, and the range check of numeric fields.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/sledit/sledit.h"
#include "gui/bitmap.h"
#include "gui/desktop.h"
#include "gui/image.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using namespace entry;

namespace sledit {

void MarkIpEditError();

namespace {

constexpr uint32_t kWarningBox = 0x30;

bool Editable(uint32_t style) { return !IsReadOnly(style) && !IsRangeField(style); }

const char* LayoutCaption(const char* control) {
  CtrlResInfo* record = nullptr;
  if (!GetCtrlResInfo("preview", control, &record) || !record || !record->caption) return nullptr;
  return record->caption;
}

// The box owner: the parent when it is a main window, else its parent.
WindowHandle BoxOwner(WindowHandle hwnd) {
  WindowHandle parent = GetParent(hwnd);
  return IsMainWindow(parent) == 1 ? parent : GetParent(parent);
}

void ShowRangeBox(WindowHandle hwnd, long entered, int low, int high) {
  const char* title = LayoutCaption("error");
  const char* format = LayoutCaption("errorip");
  if (!title || !format) return;
  char text[256];
  if (GuiApp()->isRightToLeftLang())
    std::snprintf(text, sizeof text, format, high, low, static_cast<int>(entered));
  else
    std::snprintf(text, sizeof text, format, static_cast<int>(entered), low, high);
  if (WindowHandle skb = LiveSoftKeyboard(); skb && SendMessage(skb, MSG_DT_SKBQUERY, 1, 0) == 1) {
    ShowWindow(skb, 0);
    PostMessage(skb, MSG_SKBCLOSE, 0, 0);
  }
  if (WindowHandle ime = LiveIme(); ime && SendMessage(ime, MSG_DT_IMEQUERY, 1, 0) == 1) SendMessage(ime, MSG_IMECLOSE, 0, 0);
  MarkIpEditError();
  MessageBox(BoxOwner(hwnd), text, title, kWarningBox);
  SetFocusChild(hwnd);
}

// Corrects an out-of-range number to the nearer bound, with the error box.
// The whole text is read, however long.
void CheckRange(WindowHandle hwnd, SLEditData* d) {
  if (d->rangeMin < 0 || d->rangeMax < 0 || d->model.text.Length() == 0) return;
  const std::string text(d->model.text.Data(), static_cast<size_t>(d->model.text.Length()));
  const long value = std::strtol(text.c_str(), nullptr, 10);
  int bound;
  if (value < d->rangeMin) bound = d->rangeMin;
  else if (value > d->rangeMax) bound = d->rangeMax;
  else return;
  char corrected[16];
  std::snprintf(corrected, sizeof corrected, "%d", bound);
  // The bound is written whole: cut by a lower limit it could stay out of
  // range and open the box again on every paint.
  const int limit = d->model.limit;
  d->model.limit = -1;
  d->model.SetText(corrected, false, false);
  d->model.limit = limit;
  MeasureContent(hwnd, d);
  ShowRangeBox(hwnd, value, d->rangeMin, d->rangeMax);
}

void DrawIcon(WindowHandle hwnd, HDC hdc, SLEditData* d, const Rect& client) {
  const uint32_t style = Style(hwnd);
  if (!Editable(style) || (style & kNoIcon)) return;
  const Bitmap* icon = ModeIcon(d->status);
  if (!icon) return;
  const int x = client.right - IconWidth() - ((style & kPlain) ? 0 : 4);
  const int y = client.top + (client.bottom - client.top - IconHeight()) / 2;
  FillBoxWithBitmap(hdc, x, y, 0, 0, icon);
  if (!(d->status & kFocused)) {
    SetFocusChild(hwnd);
    SendMessage(hwnd, MSG_SETFOCUS, 0, 0);
  }
}

void NormalColours(HDC hdc, bool disabled) {
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinElementColors[disabled ? WEC_FC_CONTROL_DISABLED : WEC_FC_CONTROL_NORMAL]);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
}

void DrawText(WindowHandle hwnd, HDC hdc, SLEditData* d, const std::string& shown) {
  const bool disabled = Style(hwnd) & WS_DISABLED;
  const EditModel& m = d->model;
  const int x0 = d->textStart - d->scroll + d->leftMargin, y = d->textTop;
  NormalColours(hdc, disabled);
  if (!m.HasSelection()) {
    TextOutLen(hdc, x0, y, shown.data(), static_cast<int>(shown.size()));
    return;
  }
  const int low = m.SelLow(), high = m.SelHigh();
  const int xs = x0 + TextWidth(hwnd, d, low), xe = x0 + TextWidth(hwnd, d, high);
  TextOutLen(hdc, x0, y, shown.data(), low);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, WinElementColors[WEC_BKC_DEFCONTROL_SELECTED]);
  FillBox(hdc, xs, y, xe - xs, GetFontHeight(hdc));
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, disabled ? GetExtraColorEx(WEC_EX_FC_CONTROL_SELDISABLE) : WinElementColors[WEC_FC_CONTROL_SELECTED]);
  TextOutLen(hdc, xs, y, shown.data() + low, high - low);
  NormalColours(hdc, disabled);
  TextOutLen(hdc, xe, y, shown.data() + high, static_cast<int>(shown.size()) - high);
}

}  // namespace

void Paint(WindowHandle hwnd, SLEditData* d) {
  const uint32_t style = Style(hwnd);
  // The check may run a message box: before the paint takes its DC.
  if (!d->model.HasSelection() && IsRangeField(style)) CheckRange(hwnd, d);
  HDC hdc = BeginPaint(hwnd);
  SelectFont(hdc, DrawFont(hwnd));
  Rect client{};
  GetClientRect(hwnd, &client);
  WindowHandle parent = GetParent(hwnd);
  if ((style & kTip) && d->tip && d->model.text.Length() == 0 && GetFocusChild(parent) != hwnd) {
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinElementColors[WEC_FC_CONTROL_DISABLED]);
    SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
    TextOutLen(hdc, d->leftMargin, d->textTop, d->tip, -1);
    EndPaint(hwnd, hdc);
    return;
  }
  DrawIcon(hwnd, hdc, d, client);
  if ((d->status & kFocused) && IsFreeStandingEdit(hwnd) && !IsReadOnly(style) && !(style & kPlain)) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[WEC_FRAME_CONTROL_HILITE]);
    Rectangle2(hdc, client.left, client.top, client.right - 1, client.bottom - 1);
  }
  ClipRectIntersect(hdc, &d->textRect);
  std::string shown(d->model.text.Data(), static_cast<size_t>(d->model.text.Length()));
  if (style & kPassword) shown.assign(shown.size(), static_cast<char>(d->passwordChar));
  DrawText(hwnd, hdc, d, shown);
  EndPaint(hwnd, hdc);
}

}  // namespace sledit

// The plain "edit" procedure: keys, characters, the mouse, focus and the
// text messages over the buffer of edit_text, with the caret and painting.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <linux/input-event-codes.h>

#include "controls/barkit/caller_copy.h"
#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "gui/control_paint.h"
#include "controls/edit/edit_class.h"
#include "controls/edit/edit_text.h"
#include "gui/caret.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/fixstr.h"
#include "gui/font.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text.h"

namespace controls {

namespace {

using namespace barkit;
using edit::Change;
using edit::EditText;

constexpr uint32_t kFocused = 0x01, kOverwrite = 0x08;
constexpr int kMarginLeft = 1, kMarginTop = 1, kMarginRight = 2, kMarginBottom = 1;
constexpr int kFontSlot = 2;

struct EditData {
  uint32_t flags = 0;
  int32_t bufferSize = EDIT_BUFFER_SIZE;
  EditText text;
  int32_t charWidth = 1;
  uint8_t passwordChar = '*';
};

bool ReadOnly(WindowHandle hwnd) { return (GetWindowStyle(hwnd) & ES_READONLY) != 0; }

Rect TextArea(WindowHandle hwnd) {
  Rect c{};
  GetClientRect(hwnd, &c);
  return Rect{c.left + kMarginLeft, c.top + kMarginTop, c.right - kMarginRight, c.bottom - kMarginBottom};
}

void Measure(WindowHandle hwnd, EditData* d) {
  const Rect a = TextArea(hwnd);
  d->text.cells = std::max(1, (a.right - a.left) / std::max(1, d->charWidth));
}

void PlaceCaret(WindowHandle hwnd, const EditData* d) {
  if (d->flags & kFocused) SetCaretPos(hwnd, kMarginLeft + d->charWidth * d->text.column, kMarginTop);
}

void Repaint(WindowHandle hwnd, const EditData* d, Change change, int fromColumn) {
  if (change == Change::kWhole) return (void)InvalidateRect(hwnd, nullptr, TRUE);
  if (change != Change::kFromCaret) return;
  Rect a = TextArea(hwnd);
  a.left += std::max(0, fromColumn) * d->charWidth;
  InvalidateRect(hwnd, &a, TRUE);
}

// Applies an edit: caret, repaint from the old caret column, change note.
void Apply(WindowHandle hwnd, EditData* d, Change change, bool changed, int fromColumn) {
  if (change == Change::kNone) return;
  PlaceCaret(hwnd, d);
  Repaint(hwnd, d, change, fromColumn);
  if (changed) NotifyParentEx(hwnd, EN_CHANGE, 0);
}

LResult KeyDown(WindowHandle hwnd, EditData* d, int scan) {
  EditText& t = d->text;
  const int from = t.column;
  switch (scan) {
    case KEY_BACKSPACE:
      if (!ReadOnly(hwnd)) {
        const int at = t.column - (t.caret ? edit::SizeBefore(t, t.caret) : 0);
        Apply(hwnd, d, edit::Backspace(t), true, at);
      }
      break;
    case KEY_DELETE:
      if (!ReadOnly(hwnd)) Apply(hwnd, d, edit::Delete(t), true, from);
      break;
    case KEY_ENTER: NotifyParentEx(hwnd, EN_ENTER, 0); break;
    case KEY_HOME: Apply(hwnd, d, edit::Home(t), false, from); break;
    case KEY_END: Apply(hwnd, d, edit::End(t), false, from); break;
    case KEY_LEFT: Apply(hwnd, d, edit::Left(t), false, from); break;
    case KEY_RIGHT: Apply(hwnd, d, edit::Right(t), false, from); break;
    case KEY_INSERT: d->flags ^= kOverwrite; break;
    default: break;
  }
  return 0;
}

LResult Char(WindowHandle hwnd, EditData* d, WParam ch) {
  if (ReadOnly(hwnd)) return 0;
  uint8_t bytes[2];
  int n = 1;
  if (ch > 255) {
    bytes[0] = static_cast<uint8_t>(ch & 0xFF);
    bytes[1] = static_cast<uint8_t>((ch >> 8) & 0xFF);
    n = 2;
  } else {
    int c = static_cast<int>(ch);
    if (c < 32 || c == 127) return 0;
    const uint32_t style = GetWindowStyle(hwnd);
    if (style & ES_UPPERCASE) c = std::toupper(c);
    else if (style & ES_LOWERCASE) c = std::tolower(c);
    bytes[0] = static_cast<uint8_t>(c);
  }
  const int from = d->text.column;
  const Change change = edit::Insert(d->text, bytes, n, (d->flags & kOverwrite) != 0);
  if (change == Change::kFull) {
    Ping();
    NotifyParentEx(hwnd, EN_MAXTEXT, 0);
    return 0;
  }
  Apply(hwnd, d, change, true, from);
  return 0;
}

LResult SetText(WindowHandle hwnd, EditData* d, const char* text) {
  EditText& t = d->text;
  int n = text ? static_cast<int>(strnlen(text, EDIT_BUFFER_SIZE)) : 0;
  if (t.limit >= 0 && n > t.limit) n = edit::BoundaryWithin(reinterpret_cast<const uint8_t*>(text), n, t.limit);
  if (n) std::memcpy(t.buffer, text, static_cast<size_t>(n));
  t.length = n;
  if (t.caret > n) {
    t.caret = t.column = t.first = 0;
    PlaceCaret(hwnd, d);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LResult GetText(const EditData* d, WParam size, char* out) {
  // At most size - 1 bytes, so the terminating zero stays inside the buffer.
  return static_cast<LResult>(barkit::CopyTerminated(out, size, reinterpret_cast<const char*>(d->text.buffer),
                                                     static_cast<size_t>(d->text.length)));
}

void Paint(WindowHandle hwnd, HDC hdc, const EditData* d) {
  const Rect area = TextArea(hwnd);
  ClipRectIntersect(hdc, &area);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, 1);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(Disabled(hwnd) ? WEC_FC_CONTROL_DISABLED : WEC_FC_CONTROL_NORMAL));
  const int n = edit::VisibleBytes(d->text);
  if (GetWindowStyle(hwnd) & ES_PASSWORD) {
    char stars[EDIT_BUFFER_SIZE];
    std::memset(stars, d->passwordChar, static_cast<size_t>(n));
    TextOutLen(hdc, kMarginLeft, kMarginTop, stars, n);
  } else {
    TextOutLen(hdc, kMarginLeft, kMarginTop, reinterpret_cast<const char*>(d->text.buffer + d->text.first), n);
  }
}

LResult Create(WindowHandle hwnd) {
  EditData* d = new (std::nothrow) EditData;
  if (!d) return -1;
  SetWindowFont(hwnd, g_SysLogFont[kFontSlot]);
  d->charWidth = std::max(1, GetSysFontMaxWidth(kFontSlot));
  if (!CreateCaret(hwnd, nullptr, 1, GetSysFontHeight(kFontSlot))) {
    delete d;
    return -1;
  }
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  Measure(hwnd, d);
  const char* caption = GetWindowCaption(hwnd);
  const int n = caption ? static_cast<int>(strnlen(caption, EDIT_BUFFER_SIZE)) : 0;
  if (n) std::memcpy(d->text.buffer, caption, static_cast<size_t>(n));
  d->text.length = n;
  return 0;
}

LResult Focus(WindowHandle hwnd, EditData* d, bool gained) {
  if (gained && !(d->flags & kFocused)) {
    d->flags |= kFocused;
    PlaceCaret(hwnd, d);
    ShowCaret(hwnd);
    ActiveCaret(hwnd);
    NotifyParentEx(hwnd, EN_SETFOCUS, 0);
  } else if (!gained && (d->flags & kFocused)) {
    d->flags &= ~kFocused;
    HideCaret(hwnd);
    NotifyParentEx(hwnd, EN_KILLFOCUS, 0);
  }
  return Default(hwnd, gained ? MSG_SETFOCUS : MSG_KILLFOCUS, 0, 0);
}

LResult Messages(WindowHandle hwnd, EditData* d, int msg, WParam wParam, LParam lParam) {
  EditText& t = d->text;
  switch (msg) {
    case EM_GETCARETPOS:
      if (wParam) *reinterpret_cast<int*>(wParam) = 0;
      if (lParam) *reinterpret_cast<int*>(lParam) = t.caret;
      return t.caret;
    case EM_SETCARETPOS:
      if (lParam < 0 || lParam > t.length) return -1;
      t.caret = static_cast<int>(lParam);
      t.column = t.caret - t.first;
      PlaceCaret(hwnd, d);
      return 0;
    case EM_LIMITTEXT:
      if (static_cast<int>(wParam) >= 0) t.limit = static_cast<int>(wParam) > d->bufferSize ? -1 : static_cast<int>(wParam);
      return 0;
    case EM_SETPASSWORDCHAR:
      if ((GetWindowStyle(hwnd) & ES_PASSWORD) && d->passwordChar != static_cast<uint8_t>(wParam)) {
        d->passwordChar = static_cast<uint8_t>(wParam);
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case EM_SETREADONLY:
      wParam ? IncludeWindowStyle(hwnd, ES_READONLY) : ExcludeWindowStyle(hwnd, ES_READONLY);
      return 0;
    case EM_GETPASSWORDCHAR: return d->passwordChar;
    default: return Default(hwnd, msg, wParam, lParam);
  }
}

LResult EditProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  EditData* d = Data<EditData>(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  switch (msg) {
    case MSG_DESTROY:
      DestroyCaret(hwnd);
      FreeData<EditData>(hwnd);
      break;
    case MSG_SETFOCUS: return Focus(hwnd, d, true);
    case MSG_KILLFOCUS: return Focus(hwnd, d, false);
    // A quick second press is a press too: it places the caret before it
    // tells of the double click.
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: {
      Rect a = TextArea(hwnd);
      edit::ClickAt(d->text, LowX(lParam) - a.left, d->charWidth);
      PlaceCaret(hwnd, d);
      if (msg == MSG_LBUTTONDBLCLK) NotifyParentEx(hwnd, EN_DBLCLK, 0);
      break;
    }
    case MSG_LBUTTONUP: NotifyParentEx(hwnd, EN_CLICKED, 0); break;
    case MSG_KEYDOWN: return KeyDown(hwnd, d, static_cast<int>(wParam & 0xFFFF));
    case MSG_CHAR: return Char(hwnd, d, wParam);
    case MSG_SETCURSOR:
      if (!Disabled(hwnd)) break;
      SetCursorEx(GetSystemCursor(0), FALSE);
      return 0;
    case MSG_ERASEBKGND:
      return EraseTwoToneBkgndCaret(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
    case MSG_PAINT: return PaintWith(hwnd, [&](HDC hdc) { Paint(hwnd, hdc, d); });
    case MSG_GETDLGCODE: return 0x99;
    case MSG_GETTEXTLENGTH: return d->text.length;
    case MSG_GETTEXT: return GetText(d, wParam, reinterpret_cast<char*>(lParam));
    case MSG_SETTEXT: return SetText(hwnd, d, reinterpret_cast<const char*>(lParam));
    case MSG_ENABLE:
      if (ApplyEnable(hwnd, wParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case MSG_NEEDIME: case MSG_NEEDSKB: return ReadOnly(hwnd) ? 0 : 1;
    case MSG_SIZECHANGED: Measure(hwnd, d); break;
    default: return Messages(hwnd, d, msg, wParam, lParam);
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL RegisterEditControl() {
  return RegisterBuiltinClass("edit", GetSystemCursor(1), Color(WEC_BKC_CONTROL_NORMAL), EditProc);
}

}  // namespace controls

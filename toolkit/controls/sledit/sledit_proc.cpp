// The single-line edit's procedure: creation, the text messages and the
// editing routine's repaint and notifications.
#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "controls/barkit/caller_copy.h"
#include "controls/sledit/sledit.h"
#include "gui/caret.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/fixstr.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using namespace entry;

namespace sledit {
namespace {

constexpr int kTipCopy = kTipSize - 1;
constexpr uint32_t kMacParent = 0x2;
constexpr int kMacIconInset = 4;

void CreateEditCaret(WindowHandle hwnd) { CreateCaret(hwnd, nullptr, 1, SystemFontHeight() - 4); }

LResult Create(WindowHandle hwnd) {
  SetDialogCode(kDlgIdle);
  auto* d = new (std::nothrow) SLEditData;
  if (!d) return -1;
  const uint32_t style = Style(hwnd);
  SetKeyboardServes(false);  // every creation clears the module flag
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  if (style & kPlain) d->leftMargin = 1;
  if (LowRes()) d->rightMargin = 3;
  if (style & kTip) {
    d->tip = FixStrAlloc(kTipSize);
    if (d->tip) d->tip[0] = '\0';
  }
  d->model.password = style & kPassword;
  const char* caption = GetWindowCaption(hwnd);
  d->model.SetText(caption ? caption : "", style & kSelectOnSet, false);
  Layout(hwnd, d, true);
  if (style & kPassword) SetWindowFont(hwnd, g_SysLogFont[0]);
  WindowHandle parent = GetParent(hwnd);
  if (IsReadOnly(style) && IsValidHandle(parent)) SetWindowFont(hwnd, GetWindowFont(parent));
  CreateEditCaret(hwnd);
  return 0;
}

void Destroy(WindowHandle hwnd, SLEditData* d) {
  DestroyCaret(hwnd);
  if (d->tip) FreeFixStr(d->tip);
  SetWindowAdditionalData2(hwnd, 0);
  delete d;
}

int CharCount(WindowHandle hwnd, const SLEditData* d) {
  int count = 0;
  for (int p = 0; p < d->model.text.Length(); p += CharLenAfter(hwnd, d, p)) ++count;
  return count;
}

// The byte position of character index i (the length for the count).
int BytePos(WindowHandle hwnd, const SLEditData* d, int i) {
  int p = 0;
  for (; i > 0 && p < d->model.text.Length(); --i) p += CharLenAfter(hwnd, d, p);
  return p;
}

int CharIndex(WindowHandle hwnd, const SLEditData* d, int pos) {
  int count = 0;
  for (int p = 0; p < pos; p += CharLenAfter(hwnd, d, p)) ++count;
  return count;
}

LResult SelectTo(WindowHandle hwnd, SLEditData* d, LParam index, bool moveCaret) {
  if (index < 0 || index > CharCount(hwnd, d)) return -1;
  const int pos = BytePos(hwnd, d, static_cast<int>(index));
  EditModel& m = d->model;
  if (moveCaret) {
    m.caret = pos;
    m.Collapse();
    ScrollToCaret(hwnd, d);
    Repaint(hwnd);
    return m.caret;
  }
  m.selStart = std::min(pos, m.caret);
  m.selEnd = std::max(pos, m.caret);
  UpdateCaretVisibility(hwnd, d);
  Repaint(hwnd);
  return m.selEnd - m.selStart;
}

LResult Position(WindowHandle hwnd, SLEditData* d, int pos, WParam line, LParam index) {
  if (line) *reinterpret_cast<int*>(line) = 0;
  if (index) *reinterpret_cast<int*>(index) = CharIndex(hwnd, d, pos);
  return pos;
}

LResult Anchor(WindowHandle hwnd, SLEditData* d, WParam line, LParam index) {
  const EditModel& m = d->model;
  const int pos = m.caret == m.selStart ? m.selEnd : m.selStart;
  return Position(hwnd, d, pos, line, index);
}

// 307: at most size - 1 bytes and always the terminator.
LResult GetText(const SLEditData* d, WParam size, LParam buffer) {
  return static_cast<LResult>(barkit::CopyTerminated(reinterpret_cast<char*>(buffer), size, d->model.text.Data(),
                                                     static_cast<size_t>(d->model.text.Length())));
}

// EM_GETSELTEXT: at most count - 1 bytes of the selection, terminated.
LResult GetSelected(const SLEditData* d, WParam count, LParam buffer) {
  const EditModel& m = d->model;
  if (!m.HasSelection()) return 0;
  return static_cast<LResult>(barkit::CopyTerminated(reinterpret_cast<char*>(buffer), count, m.text.Data() + m.SelLow(),
                                                     static_cast<size_t>(m.SelHigh() - m.SelLow())));
}

LResult SetText(WindowHandle hwnd, SLEditData* d, WParam toEnd, LParam text) {
  if (!text) return -1;
  const uint32_t style = Style(hwnd);
  d->model.password = style & kPassword;
  d->model.charset = DrawFont(hwnd);
  d->model.SetText(reinterpret_cast<const char*>(text), style & kSelectOnSet, toEnd == 1 && !IsReadOnly(style));
  MeasureContent(hwnd, d);
  ScrollToCaret(hwnd, d);
  Repaint(hwnd);
  d->changed = true;
  Notify(hwnd, EN_CHANGE);
  return 0;
}

LResult SetLimit(WindowHandle hwnd, SLEditData* d, WParam limit) {
  if (static_cast<LParam>(limit) < 0) return 0;
  d->model.limit = static_cast<int>(std::min<WParam>(limit, INT_MAX));  // 2^31 and up: no lower than int allows
  d->model.charset = DrawFont(hwnd);
  if (d->model.CutToLimit()) {
    MeasureContent(hwnd, d);
    ScrollToCaret(hwnd, d);
    Repaint(hwnd);
    Notify(hwnd, EN_MAXTEXT);
  }
  return 0;
}

LResult SetTip(WindowHandle hwnd, SLEditData* d, LParam text) {
  if (!(Style(hwnd) & kTip) || !text || !d->tip) return -1;
  std::strncpy(d->tip, reinterpret_cast<const char*>(text), kTipCopy);
  d->tip[kTipCopy] = '\0';
  if (d->model.text.Length() == 0) Repaint(hwnd);
  return static_cast<LResult>(std::strlen(d->tip));
}

// Copies into the caller's buffer of `size` bytes, terminated within it.
LResult GetTip(WindowHandle hwnd, SLEditData* d, WParam size, LParam buffer) {
  if (!(Style(hwnd) & kTip) || !d->tip) return -1;
  char* out = reinterpret_cast<char*>(buffer);
  if (out && size > 0) {
    const size_t n = std::min<size_t>({std::strlen(d->tip), static_cast<size_t>(kTipCopy), size - 1});
    std::memcpy(out, d->tip, n);
    out[n] = '\0';
  }
  return static_cast<LResult>(std::strlen(d->tip));
}

LResult Enable(WindowHandle hwnd, WParam on) {
  const bool disabled = Style(hwnd) & WS_DISABLED;
  if (!on && !disabled) {
    IncludeWindowStyle(hwnd, WS_DISABLED);
    CloseInputHelpers();
    Repaint(hwnd);
  } else if (on && disabled) {
    ExcludeWindowStyle(hwnd, WS_DISABLED);
    Repaint(hwnd);
  }
  return 0;
}

LResult DisplayChanged(WindowHandle hwnd, SLEditData* d) {
  Layout(hwnd, d, false);
  d->model.caret = 0;
  d->model.Collapse();
  DestroyCaret(hwnd);
  CreateEditCaret(hwnd);
  PlaceCaret(hwnd, d);
  Repaint(hwnd);
  return 0;
}

LResult Erase(WindowHandle hwnd, SLEditData* d, WParam wParam, LParam lParam) {
  HDC hdc = static_cast<HDC>(wParam);
  const Rect* clip = reinterpret_cast<const Rect*>(lParam);
  if ((Style(hwnd) & kPlain) || HostKind(hwnd) != 0)
    EraseSLEditBkgnd(hwnd, hdc, clip, &d->textRect);
  else
    EraseEditFrameBkgndCaret(hwnd, hdc, clip);
  return 0;
}

LResult WantsIme(WindowHandle hwnd, const SLEditData* d) {
  const uint32_t style = Style(hwnd);
  if (IsRangeField(style) || IsReadOnly(style)) return 0;
  return (d->status & kModeMask) == kModeNumber ? 0 : 1;
}

LResult Mode(const SLEditData* d) {
  for (uint32_t bit : {kModeChinese, kModePunct, kModeUpper, kModeLower, kModeNumber})
    if (d->status & bit) return bit;
  return 0;
}

// Messages that answer without passing on.
bool Answer(WindowHandle hwnd, SLEditData* d, int msg, WParam wParam, LParam lParam, LResult* result) {
  const uint32_t style = Style(hwnd);
  switch (msg) {
    case MSG_MOUSEMOVE: OnMouseMove(hwnd, d, lParam); break;
    case MSG_KEYDOWN: OnKey(hwnd, d, static_cast<int>(wParam), lParam); break;
    case MSG_CHAR: OnChar(hwnd, d, wParam); break;
    case MSG_CALCCLIENTRECT: Layout(hwnd, d, true); break;
    case MSG_ERASEBKGND: *result = Erase(hwnd, d, wParam, lParam); return true;
    case MSG_PAINT: Paint(hwnd, d); break;
    case MSG_GETDLGCODE: *result = DialogCode(); return true;
    case MSG_FONTCHANGING: *result = (style & kPassword) ? -1 : 0; return true;  // a password keeps its font
    case MSG_FONTCHANGED: *result = DisplayChanged(hwnd, d); return true;
    case MSG_GETTEXTLENGTH: *result = d->model.text.Length(); return true;
    case MSG_GETTEXT: *result = GetText(d, wParam, lParam); return true;
    case MSG_SETTEXT: *result = SetText(hwnd, d, wParam, lParam); return true;
    case MSG_ENABLE: *result = Enable(hwnd, wParam); return true;
    case MSG_NEEDIME: *result = WantsIme(hwnd, d); return true;
    case MSG_EDIT_GETINPUTMODE: *result = Mode(d); return true;
    case MSG_NEEDSKB: *result = IsReadOnly(style) ? 0 : 1; return true;
    case EM_GETSELTEXT: *result = GetSelected(d, wParam, lParam); return true;
    case EM_SETSEL: *result = SelectTo(hwnd, d, lParam, false); return true;
    case EM_SETCARETPOS: *result = SelectTo(hwnd, d, lParam, true); return true;
    case EM_GETSELPOS: *result = Anchor(hwnd, d, wParam, lParam); return true;
    case EM_GETCARETPOS: *result = Position(hwnd, d, d->model.caret, wParam, lParam); return true;
    case EM_GETLIMITTEXT: *result = d->model.limit; return true;
    case EM_LIMITTEXT: *result = SetLimit(hwnd, d, wParam); return true;
    case EM_SETPASSWORDCHAR: {
      const bool changed = d->passwordChar != static_cast<int>(wParam);
      d->passwordChar = static_cast<int>(wParam);
      if (changed && (style & kPassword)) Repaint(hwnd);
      break;
    }
    case EM_SETRANGE:
      // Both ends must fit an int as they are kept: a bound cut to its low
      // half could fall below the minimum, and no number would then pass.
      if (IsRangeField(style) && static_cast<LParam>(wParam) >= 0 && static_cast<LParam>(wParam) < lParam &&
          lParam <= INT_MAX) {
        d->rangeMin = static_cast<int>(wParam);
        d->rangeMax = static_cast<int>(lParam);
      }
      break;
    case EM_SETREADONLY:
      if (wParam) IncludeWindowStyle(hwnd, kReadOnly);
      else ExcludeWindowStyle(hwnd, kReadOnly);
      break;
    case EM_SETTIPTEXT: *result = SetTip(hwnd, d, lParam); return true;
    case EM_GETTIPTEXT: *result = GetTip(hwnd, d, wParam, lParam); return true;
    default:
      if (msg >= EM_FIRSTIGNORED && msg <= EM_LASTIGNORED) break;
      return false;
  }
  *result = 0;
  return true;
}

// Messages handled and then passed to the default procedure.
void Before(WindowHandle hwnd, SLEditData* d, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_LBUTTONDOWN: OnPress(hwnd, d, LowX(lParam), HighY(lParam)); break;
    case MSG_LBUTTONUP: case MSG_NCLBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      Notify(hwnd, EN_CLICKED);
      if (d->model.HasSelection()) Notify(hwnd, EN_SELCHANGE);
      break;
    case MSG_LBUTTONDBLCLK:
      // A quick second press is first the press it is: it may be the first
      // on this field, which starts the typing.
      OnPress(hwnd, d, LowX(lParam), HighY(lParam));
      SetFocusChild(hwnd);
      d->model.selStart = 0;
      d->model.selEnd = d->model.caret = d->model.text.Length();
      UpdateCaretVisibility(hwnd, d);
      Repaint(hwnd);
      Notify(hwnd, EN_DBLCLK);
      break;
    case MSG_SETFOCUS: OnFocus(hwnd, d); break;
    case MSG_KILLFOCUS: OnBlur(hwnd, d); break;
    case MSG_MOUSEENTER:
      if (Style(hwnd) & WS_DISABLED) break;
      if (wParam) SetFocusChild(hwnd);
      else SendMessage(hwnd, MSG_KILLFOCUS, 0, 0);
      break;
    case MSG_EDITSKBMODE: OnSetMode(hwnd, d, wParam); break;
    case MSG_FREESTANDING_EDIT:
      if (!(Style(hwnd) & kPlain) && IsFreeStandingEdit(hwnd)) Repaint(hwnd);
      break;
    default: break;
  }
}

}  // namespace

// A selection change in the last field of a MAC-address edit repaints the
// edit's mode icon at its right edge.
void RepaintMacIcon(WindowHandle hwnd) {
  WindowHandle parent = GetParent(hwnd);
  if (HostKind(hwnd) != 2 || !(GetWindowStyle(parent) & kMacParent)) return;
  if (static_cast<WindowHandle>(SendMessage(parent, IPM_GETLASTFIELD, 0, 0)) != hwnd) return;
  Rect r{};
  GetClientRect(parent, &r);
  r.left = r.right - IconWidth() - kMacIconInset;
  InvalidateRect(parent, &r, TRUE);
}

void Notify(WindowHandle hwnd, int code) {
  NotifyParentEx(hwnd, code, 0);
  if (code == EN_SELCHANGE) RepaintMacIcon(hwnd);
}
void Repaint(WindowHandle hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

void UpdateCaretVisibility(WindowHandle hwnd, SLEditData* d) {
  if (!d->model.HasSelection() && !IsReadOnly(Style(hwnd)))
    ShowCaret(hwnd);
  else
    HideCaret(hwnd);
}

namespace {

// A right-aligned field whose text fits moves what stands left of the caret
// by the change in width and repaints only the strip it uncovered; false
// when the whole field must be repainted instead.
bool ShiftRightAligned(WindowHandle hwnd, SLEditData* d, int oldWidth, int oldCaretX) {
  const int newWidth = TextWidth(hwnd, d, d->model.text.Length());
  if (oldWidth > d->textWidth || newWidth > d->textWidth || (d->status & kOverwrite)) return false;
  const int delta = newWidth - oldWidth;
  if (delta == 0) return true;
  const Rect& t = d->textRect;
  // What stood left of the caret moves within the part left of the caret.
  Rect moved{t.left, t.top, oldCaretX, t.bottom};
  Rect strip = delta > 0 ? Rect{oldCaretX - delta, t.top, oldCaretX, t.bottom} : Rect{t.left, t.top, t.left - delta, t.bottom};
  if (moved.right > moved.left) ScrollWindow(hwnd, -delta, 0, &moved, &t);
  InvalidateRect(hwnd, &strip, TRUE);
  return true;
}

}  // namespace

void ApplyEdit(WindowHandle hwnd, SLEditData* d, const char* bytes, int n) {
  const uint32_t style = Style(hwnd);
  EditModel& m = d->model;
  const bool rightAligned = (style & kRight) && !m.HasSelection();
  m.password = style & kPassword;
  m.cutAtLimit = rightAligned || (style & kIpField) || HostKind(hwnd) == 2;
  m.keepSeparators = !rightAligned && HostKind(hwnd) == 1;
  m.overwrite = d->status & kOverwrite;
  m.charset = DrawFont(hwnd);
  const int oldWidth = rightAligned ? TextWidth(hwnd, d, m.text.Length()) : 0;
  const int oldCaretX = rightAligned ? d->textStart + TextWidth(hwnd, d, m.caret) - d->scroll + d->leftMargin : 0;
  const EditOutcome out = m.Edit(bytes, n);
  if (out.limitHit) {
    Ping();
    Notify(hwnd, EN_MAXTEXT);
  }
  if (!out.changed) return;
  MeasureContent(hwnd, d);
  UpdateCaretVisibility(hwnd, d);
  if (!(rightAligned && ShiftRightAligned(hwnd, d, oldWidth, oldCaretX))) Repaint(hwnd);
  ScrollToCaret(hwnd, d);
  d->changed = true;
  Notify(hwnd, EN_CHANGE);
  Notify(hwnd, EN_UPDATE);
}

LResult SLEditProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) {
    if (Create(hwnd) != 0) return -1;
    return DefaultControlProc(hwnd, msg, wParam, lParam);
  }
  SLEditData* d = DataOf(hwnd);
  if (!d) return DefaultControlProc(hwnd, msg, wParam, lParam);
  if (msg == MSG_DESTROY) {
    Destroy(hwnd, d);
    return DefaultControlProc(hwnd, msg, wParam, lParam);
  }
  if (msg == MSG_SETCURSOR && ((Style(hwnd) & WS_DISABLED) || IsReadOnly(Style(hwnd)))) {
    ShowArrowCursor();
    return 0;
  }
  LResult result = 0;
  if (Answer(hwnd, d, msg, wParam, lParam, &result)) return result;
  Before(hwnd, d, msg, wParam, lParam);
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

}  // namespace sledit

// The IP-address edit: number fields (single-line edits) with read-only
// separators between them; it moves the focus between the fields, joins and
// splits the address, and for MAC addresses shows its own mode icon.
#include <atomic>
#include <cstring>
#include <new>
#include <string>

#include "controls/ipedit/ipedit.h"
#include "controls/registry/control_registry.h"
#include "controls/sledit/entry_common.h"
#include "gui/bitmap.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/image.h"
#include "gui/app_hooks.h"
#include "gui/caret.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/control_paint.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using namespace entry;

namespace ipedit {
namespace {

constexpr int kChildren = 11, kFirstId = 100;
constexpr uint32_t kVariantMask = 0x7, kReadOnlyFields = 0x4, kPassNotes = 0x8, kSkinned = 0x10;
constexpr uint32_t kFirstLimited = 0x20 | 0x80, kReadOnly = 0x800;
constexpr uint32_t kFieldBase = 0x48011400, kFieldIpv4 = 0x240, kFieldMac = 0x50, kSeparator = 0x4A00;
constexpr uint32_t kPlain = 0x1000, kHead = 0x80, kTail = 0x2000, kNoEnds = 0x4000;
constexpr uint16_t kFocused = 0x10;
constexpr int kDlgStart = 0x11;
constexpr int kFieldMax = 255, kFirstLimitedMax = 223;

struct IPEditData {
  uint16_t status = 0;
  WindowHandle child[kChildren] = {};
  Rect separators[5] = {};
  Rect fields[6] = {};
};

// Shared by all IP-address edits: one is edited at a time.
std::atomic<int> g_current{0};
std::atomic<int> g_dialogCode{kDlgStart};
std::atomic<WindowProc> g_fieldProc{nullptr};

IPEditData* DataOf(WindowHandle hwnd) { return reinterpret_cast<IPEditData*>(GetWindowAdditionalData2(hwnd)); }
Variant VariantOf(WindowHandle hwnd) {
  const uint32_t v = GetWindowStyle(hwnd) & kVariantMask;
  return v == 1 ? kIpv4 : v == 2 ? kMac : kNone;
}
int LastChild(Variant v) { return 2 * (FieldCount(v) - 1); }
WindowHandle Current(const IPEditData* d) { return d->child[g_current]; }

int IconWidth() {
  const Bitmap* icon = GetStockBitmap("switch_chrl", -1, -1);
  return icon ? static_cast<int>(icon->bmWidth) : 0;
}

Rect IconArea(WindowHandle hwnd) {
  Rect client{};
  GetClientRect(hwnd, &client);
  const int inset = (GetWindowStyle(hwnd) & kSkinned) ? 0 : 4;
  return Rect{client.right - IconWidth() - inset, client.top, client.right - inset, client.bottom};
}

void RepaintIcon(WindowHandle hwnd) {
  Rect r = IconArea(hwnd);
  InvalidateRect(hwnd, &r, TRUE);
}

void ForEachField(const IPEditData* d, Variant v, void (*fn)(WindowHandle)) {
  for (int i = 0; i <= LastChild(v); i += 2) fn(d->child[i]);
}

void Blur(WindowHandle field) {
  HideCaret(field);
  SendMessage(field, MSG_KILLFOCUS, 0, 0);
}

// The MAC fields take hexadecimal digits only.
LResult MacFieldProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CHAR) {
    const int c = static_cast<int>(wParam & 0xFF);
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == 127;
    if (!hex) return 0;
  }
  return g_fieldProc.load()(hwnd, msg, wParam, lParam);
}

// The IPv4 fields take digits and dots by the address rules.
LResult Ipv4FieldProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CHAR) {
    const WindowHandle parent = GetParent(hwnd);
    const bool first = GetDlgCtrlID(hwnd) == kFirstId;
    const int max = first && (GetWindowStyle(parent) & kFirstLimited) ? kFirstLimitedMax : kFieldMax;
    const int c = static_cast<int>(wParam & 0xFF);
    if (TypeIpv4(hwnd, c, max)) return 0;
    const LResult result = g_fieldProc.load()(hwnd, msg, wParam, lParam);
    EndFullField(hwnd, c);
    return result;
  }
  return g_fieldProc.load()(hwnd, msg, wParam, lParam);
}

int Measure(const char* text) {
  Size size{};
  GetTextExtentEx(HDC_SCREEN, text, -1, &size, getCurOutputHook());
  return size.cx;
}

uint32_t FieldStyle(uint32_t style, Variant v, int k, int last) {
  uint32_t s = kFieldBase | ((style & kReadOnlyFields) ? 0x800u : 0u);
  s = v == kIpv4 ? (s | kFieldIpv4) : ((s & ~0xFFu) | kFieldMac);
  s |= style & WS_DISABLED;
  if (style & kSkinned) s |= kPlain | (k == 0 ? kHead : k == last ? kTail : kNoEnds);
  return s;
}

bool CreateFields(WindowHandle hwnd, IPEditData* d, Variant v) {
  if (v == kNone) return true;
  const uint32_t style = GetWindowStyle(hwnd);
  const int fieldW = Measure(v == kIpv4 ? "999" : "991") + 4, sepW = Measure(v == kIpv4 ? "." : ":") + 2;
  Rect client{};
  GetClientRect(hwnd, &client);
  const int height = client.bottom - client.top, x0 = (style & kSkinned) ? 0 : 4;
  const int count = FieldCount(v);
  const uint32_t sepStyle = kFieldBase | kSeparator | (style & WS_DISABLED) | ((style & kSkinned) ? kPlain : 0u);
  for (int k = 0; k < count; ++k) {
    const int x = x0 + k * (fieldW + sepW);
    const int w = k == count - 1 ? client.right - x : fieldW;
    d->fields[k] = Rect{x, 0, x + w, height};
    WindowHandle field = CreateWindowEx("sledit", "", FieldStyle(style, v, k, count - 1), 0, kFirstId + 2 * k, x, 0,
                                        w, height, hwnd, 0);
    if (field == GUI_INVALID_HANDLE) return false;
    d->child[2 * k] = field;
    SendMessage(field, EM_LIMITTEXT, v == kIpv4 ? 3 : 2, 0);
    if (v == kIpv4) {
      const bool limited = k == 0 && (style & kFirstLimited);
      SendMessage(field, EM_SETRANGE, limited ? 1 : 0, limited ? kFirstLimitedMax : kFieldMax);
    }
    g_fieldProc = SetWindowCallbackProc(field, v == kMac ? MacFieldProc : Ipv4FieldProc);
    if (k == count - 1) break;
    d->separators[k] = Rect{x + fieldW, 0, x + fieldW + sepW, height};
    WindowHandle sep = CreateWindowEx("sledit", v == kIpv4 ? "." : ":", sepStyle, 0, kFirstId + 2 * k + 1,
                                      x + fieldW, 0, sepW, height, hwnd, 0);
    if (sep == GUI_INVALID_HANDLE) return false;
    d->child[2 * k + 1] = sep;
  }
  return true;
}

void SetAddress(IPEditData* d, Variant v, const char* text) {
  const std::vector<std::string> parts = Split(v, text);
  for (size_t k = 0; k < parts.size(); ++k) SendMessage(d->child[2 * k], MSG_SETTEXT, 0, reinterpret_cast<LParam>(parts[k].c_str()));
}

LResult Create(WindowHandle hwnd) {
  auto* d = new (std::nothrow) IPEditData;
  if (!d) return -1;
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  g_dialogCode = kDlgStart;
  const Variant v = VariantOf(hwnd);
  if (!CreateFields(hwnd, d, v)) {
    for (WindowHandle child : d->child)
      if (child) DestroyWindow(child);
    SetWindowAdditionalData2(hwnd, 0);
    delete d;
    return -1;
  }
  const char* caption = GetWindowCaption(hwnd);
  if (caption && *caption) SetAddress(d, v, caption);
  return 0;
}

void FocusField(IPEditData* d, Variant v, int index) {
  ForEachField(d, v, Blur);
  g_current = index;
  SetDigitsTyped(kFreshField);
  SendMessage(Current(d), MSG_SETFOCUS, 0, 0);
  ShowCaret(Current(d));
}

void MoveField(IPEditData* d, Variant v, bool next) {
  const int current = g_current;
  if (next ? current >= LastChild(v) : current <= 0) return;
  ForEachField(d, v, Blur);
  g_current = current + (next ? 2 : -2);
  WindowHandle field = Current(d);
  const LResult length = SendMessage(field, MSG_GETTEXTLENGTH, 0, 0);
  SetDigitsTyped(next ? kFreshField : static_cast<int>(length));  // Backspace goes on deleting in the field before
  SendMessage(field, EM_SETCARETPOS, 0, length);
  SendMessage(field, EM_SETSEL, 0, 0);
  SendMessage(field, MSG_SETFOCUS, 0, 0);
  if (WindowHandle ime = LiveIme()) {
    SendMessage(ime, MSG_DT_IMECMD, 1, 1);
    SendMessage(ime, MSG_IMEACTIVEWIN, field, 0);
  }
  ShowCaret(field);
}

bool KeyboardOpen() {
  const WindowHandle skb = LiveSoftKeyboard();
  return skb && IsWindowVisible(skb);
}

bool InRect(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// True when the press was taken by the MAC mode icon.
bool PressIcon(WindowHandle hwnd, IPEditData* d, int x, int y) {
  WindowHandle skb = LiveSoftKeyboard(), last = d->child[LastChild(kMac)];
  if (!IconShown()) {
    if (skb) SendMessage(skb, MSG_DT_SKBCMD, 2, 0);
    SendMessage(last, MSG_EDITSKBMODE, kModeLower, 0);
    RepaintIcon(hwnd);
    SetIconShown(true);
    return false;
  }
  RepaintIcon(hwnd);
  if (!InRect(IconArea(hwnd), x, y)) return false;
  const LResult kind = skb ? SendMessage(skb, MSG_DT_SKBQUERY, 2, 0) : -1;
  if (kind == 0) {
    SendMessage(skb, MSG_DT_SKBCMD, 2, 1);
    SendMessage(last, MSG_EDITSKBMODE, kModeNumber, 0);
  } else if (kind == 1) {
    SendMessage(skb, MSG_DT_SKBCMD, 2, 0);
    SendMessage(last, MSG_EDITSKBMODE, kModeLower, 0);
  }
  return true;
}

// `msg` is the press or the double click the event layer made of a quick
// second press: both are presses; the hit field hears which it was.
LResult Press(WindowHandle hwnd, IPEditData* d, int msg, int x, int y) {
  const Variant v = VariantOf(hwnd);
  g_dialogCode = kDlgIdle;
  SetFocusChild(hwnd);
  if (v == kMac && PressIcon(hwnd, d, x, y)) return 0;
  int hit = -1;
  for (int k = 0; k < FieldCount(v); ++k) {
    if (InRect(d->fields[k], x, y)) hit = k;
    if (k + 1 < FieldCount(v) && InRect(d->separators[k], x, y)) hit = k + 1;
  }
  if (hit >= 0) g_current = 2 * hit;
  SetDigitsTyped(0);
  WindowHandle ime = LiveIme();
  if (ime) SendMessage(ime, MSG_DT_IMECMD, 1, 1);
  if (hit < 0) return 0;
  WindowHandle field = d->child[2 * hit], last = d->child[LastChild(v)];
  for (int i = 0; i <= LastChild(v); i += 2)
    if (d->child[i] != field) SendMessage(d->child[i], MSG_KILLFOCUS, 0, 0);
  SendMessage(field, msg, 0, Pack(x - d->fields[hit].left, y));
  SetCapture(field);
  if (ime) SendMessage(ime, MSG_IMEACTIVEWIN, field, 0);
  if (field != last) {
    HideCaret(last);
    SendMessage(last, MSG_EDITSKBMODE, 0, 0);
  }
  ForEachField(d, v, Blur);
  SendMessage(field, MSG_SETFOCUS, 0, 0);
  SendMessage(field, MSG_MOUSEACTIVE, 12, d->fields[hit].left);
  return 0;
}

void TypeInto(WindowHandle field, int scan, LParam state) {
  char ch = 0;
  if (TranslateKeyMsgToChar(MSG_KEYDOWN, static_cast<WParam>(scan), state, &ch))
    SendMessage(field, MSG_CHAR, static_cast<unsigned char>(ch), state);
}

bool IsTypedKey(Variant v, int scan) {
  if (scan == KEY_BACKSPACE || (scan >= KEY_1 && scan <= KEY_0)) return true;
  if (v != kMac) return scan == KEY_DOT || scan == KEY_KPDOT;
  for (int letter : {30, 48, 46, 32, 18, 33})
    if (scan == letter) return true;
  return false;
}

void HideIcon(WindowHandle hwnd) {
  SetIconShown(false);
  RepaintIcon(hwnd);
}

void DialogKeys(WindowHandle hwnd, Variant v, int scan) {
  const bool mac = v == kMac;
  if (scan == KEY_ENTER) {
    if (!(g_dialogCode & DLGC_WANTALLKEYS)) {
      g_dialogCode = kDlgEditing;
    } else {
      g_dialogCode = kDlgIdle;
      CloseInputHelpers();
      if (mac) HideIcon(hwnd);
    }
  } else if (scan == PANEL_KEY_TYPE) {
    if (mac) {
      SetIconShown(true);
      RepaintIcon(hwnd);
    }
    if (!(g_dialogCode & DLGC_WANTALLKEYS)) g_dialogCode = kDlgEditing;
  } else if (scan == PANEL_KEY_CHECK) {
    if (mac && IconShown()) RepaintIcon(hwnd);
  } else if (scan == KEY_ESC) {
    g_dialogCode = kDlgIdle;
    CloseInputHelpers();
    if (mac) HideIcon(hwnd);
  }
}

LResult Key(WindowHandle hwnd, IPEditData* d, int scan, LParam state) {
  const Variant v = VariantOf(hwnd);
  DialogKeys(hwnd, v, scan);
  if (!(g_dialogCode & DLGC_WANTALLKEYS) || v == kNone) return 0;
  if (v == kMac && g_current == LastChild(v) && IconShown()) RepaintIcon(hwnd);
  WindowHandle field = Current(d);
  const LResult caret = SendMessage(field, EM_GETCARETPOS, 0, 0), length = SendMessage(field, MSG_GETTEXTLENGTH, 0, 0);
  if (scan == KEY_LEFT && (caret == 0 || length == 0) && g_current > 0) {
    FocusField(d, v, g_current - 2);
  } else if (scan == KEY_RIGHT && caret >= length && g_current < LastChild(v)) {
    FocusField(d, v, g_current + 2);
  } else if (IsTypedKey(v, scan)) {
    TypeInto(field, scan, state);
  } else {
    // A caret key inside the field: what it holds is being edited.
    if (DigitsTyped() == kFreshField) SetDigitsTyped(0);
    SendMessage(field, MSG_KEYDOWN, static_cast<WParam>(scan), state);
  }
  return 0;
}

void Focus(WindowHandle hwnd, IPEditData* d) {
  if (d->status & kFocused) return;
  if (VariantOf(hwnd) == kIpv4 && ErrorFlag()) {
    if (g_current > 0 && GetFocusChild(hwnd) != Current(d)) g_current = g_current - 2;
    ClearErrorFlag();
  } else {
    if (GetFocusChild(hwnd) != d->child[0] && d->child[0]) SetFocusChild(d->child[0]);
    g_current = 0;
  }
  SetDigitsTyped(kFreshField);
  d->status |= kFocused;
  SendMessage(hwnd, MSG_FREESTANDING_EDIT, 1, 0);
}

void Blur(WindowHandle hwnd, IPEditData* d) {
  if (!(d->status & kFocused)) return;
  const Variant v = VariantOf(hwnd);
  if (!(v == kIpv4 && ErrorFlag())) ClearInputHelperState();
  if (v != kNone) ForEachField(d, v, Blur);
  if (v == kMac) {
    SetIconShown(false);
    RepaintIcon(hwnd);
  }
  if (d->child[0]) SendMessage(d->child[0], MSG_KILLFOCUS, 0, 0);
  d->status &= static_cast<uint16_t>(~kFocused);
  SendMessage(hwnd, MSG_FREESTANDING_EDIT, 0, 0);
}

// 307: 16 (IPv4) or 18 (MAC) bytes when no size is given, else size - 1.
LResult GetAddress(WindowHandle hwnd, IPEditData* d, WParam size, LParam buffer) {
  const Variant v = VariantOf(hwnd);
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || v == kNone) return 0;
  std::vector<std::string> fields;
  for (int i = 0; i <= LastChild(v); i += 2) {
    char text[8] = {};
    SendMessage(d->child[i], MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
    fields.emplace_back(text);
  }
  const std::string address = Assemble(v, fields);
  const size_t room = size ? size - 1 : (v == kIpv4 ? 15 : 17);
  const size_t n = std::min(address.size(), room);
  std::memcpy(out, address.data(), n);
  out[n] = '\0';
  return static_cast<LResult>(n);
}

LResult Enable(WindowHandle hwnd, IPEditData* d, WParam on) {
  for (WindowHandle child : d->child)
    if (child) SendMessage(child, MSG_ENABLE, on, 0);
  const bool disabled = GetWindowStyle(hwnd) & WS_DISABLED;
  if (!on && !disabled) IncludeWindowStyle(hwnd, WS_DISABLED);
  if (on && disabled) ExcludeWindowStyle(hwnd, WS_DISABLED);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

void Paint(WindowHandle hwnd, IPEditData* d) {
  HDC hdc = BeginPaint(hwnd);
  Rect client{};
  GetClientRect(hwnd, &client);
  const uint32_t style = GetWindowStyle(hwnd);
  if (VariantOf(hwnd) == kMac && IconShown()) {
    WindowHandle skb = LiveSoftKeyboard();
    const LResult kind = skb ? SendMessage(skb, MSG_DT_SKBQUERY, 2, 0) : 0;
    const Bitmap* icon = kind == 0 ? GetStockBitmap("switch_chrl", -1, -1)
                         : kind == 1 ? GetStockBitmap("switch_num", -1, -1) : nullptr;
    if (icon) {
      const Rect area = IconArea(hwnd);
      FillBoxWithBitmap(hdc, area.left, (client.bottom - static_cast<int>(icon->bmHeight)) / 2, 0, 0, icon);
    }
  }
  if (!(style & kSkinned) && (d->status & kFocused)) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[WEC_FRAME_CONTROL_HILITE]);
    Rectangle2(hdc, client.left, client.top, client.right - 1, client.bottom - 1);
  }
  EndPaint(hwnd, hdc);
}

void Command(WindowHandle hwnd, IPEditData* d, WParam wParam) {
  const int id = static_cast<int>(wParam & 0xFFFF), code = static_cast<int>((wParam >> 16) & 0xFFFF);
  if (id < kFirstId || id > kFirstId + 10 || (id - kFirstId) % 2) return;
  if (VariantOf(hwnd) == kMac && IconShown() && id == kFirstId + 10) RepaintIcon(hwnd);
  if (code == EN_CLICKED) NotifyParentEx(hwnd, IPN_CLICKED, 0);
  if (!(GetWindowStyle(hwnd) & kPassNotes)) return;
  if (code == EN_DBLCLK) NotifyParentEx(hwnd, IPN_DBLCLK, 0);
  if (code == EN_UPDATE) NotifyParentEx(hwnd, IPN_UPDATE, 0);
}

void RepaintFrame(WindowHandle hwnd, IPEditData* d) {
  if (GetWindowStyle(hwnd) & kSkinned) return;
  // Without the focus the control looks as it was first painted: a frame
  // drawn over the client area at once would cut the fields' edges and
  // leave a look of its own.
  if (!(d->status & kFocused)) {
    InvalidateRect(hwnd, nullptr, TRUE);
    const Variant v = VariantOf(hwnd);
    if (v != kNone) ForEachField(d, v, [](WindowHandle field) { InvalidateRect(field, nullptr, TRUE); });
    return;
  }
  HDC hdc = GetClientDC(hwnd);
  if (!hdc) return;
  Rect client{};
  GetClientRect(hwnd, &client);
  DrawFocusEditFrame(hwnd, hdc, &client, 1);
  ReleaseDC(hdc);
}

// Messages that answer at once.
bool Answer(WindowHandle hwnd, IPEditData* d, int msg, WParam wParam, LParam lParam, LResult* result) {
  const Variant v = VariantOf(hwnd);
  WindowHandle field = Current(d);
  switch (msg) {
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK:
      *result = Press(hwnd, d, msg, LowX(lParam), HighY(lParam));
      return true;
    case MSG_MOUSEMOVE:
      if (v == kMac && IconShown() && InRect(IconArea(hwnd), LowX(lParam), HighY(lParam))) ShowArrowCursor();
      *result = 0;
      return true;
    case MSG_KEYDOWN: *result = Key(hwnd, d, static_cast<int>(wParam), lParam); return true;
    case MSG_CHAR:
      // The open soft keyboard types into the current field without Enter;
      // while editing, the key downs have typed already.
      if (KeyboardOpen() && !(g_dialogCode & DLGC_WANTALLKEYS) && field) SendMessage(field, MSG_CHAR, wParam, lParam);
      *result = 0;
      return true;
    case MSG_NEEDIME: *result = 0; return true;
    case MSG_DESTROY:
      for (WindowHandle child : d->child)
        if (child) DestroyWindow(child);
      SetWindowAdditionalData2(hwnd, 0);
      delete d;
      *result = 0;
      return true;
    case MSG_ERASEBKGND:
      if (!(GetWindowStyle(hwnd) & kSkinned))
        EraseEditFrameBkgnd(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
      *result = 0;
      return true;
    case MSG_PAINT: Paint(hwnd, d); *result = 0; return true;
    case MSG_GETDLGCODE: *result = g_dialogCode; return true;
    case MSG_GETTEXTLENGTH: *result = field ? SendMessage(field, MSG_GETTEXTLENGTH, 0, 0) : 0; return true;
    case MSG_GETTEXT: *result = GetAddress(hwnd, d, wParam, lParam); return true;
    case MSG_SETTEXT:
      if (!lParam) { *result = -1; return true; }
      SetAddress(d, v, reinterpret_cast<const char*>(lParam));
      *result = 0;
      return true;
    case MSG_ENABLE: *result = Enable(hwnd, d, wParam); return true;
    case MSG_NEEDSKB: *result = (GetWindowStyle(hwnd) & kReadOnly) ? 0 : 1; return true;
    case EM_SETSEL: case EM_GETCARETPOS: case EM_SETCARETPOS: case EM_GETLIMITTEXT:
      *result = field ? SendMessage(field, msg, wParam, lParam) : 0;
      return true;
    case IPM_GETLASTFIELD: *result = v == kNone ? -1 : static_cast<LResult>(d->child[LastChild(v)]); return true;
    case IPM_GETFIELDTEXT:
      *result = wParam < kChildren && d->child[wParam] ? SendMessage(d->child[wParam], MSG_GETTEXT, 5, lParam) : 0;
      return true;
    case IPM_SHOWCARET: if (field) ShowCaret(field); *result = 0; return true;
    default: return false;
  }
}

LResult IPEditProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  IPEditData* d = DataOf(hwnd);
  if (!d) return DefaultControlProc(hwnd, msg, wParam, lParam);
  LResult result = 0;
  if (Answer(hwnd, d, msg, wParam, lParam, &result)) return result;
  switch (msg) {
    case MSG_LBUTTONUP: if (Current(d)) SendMessage(Current(d), MSG_LBUTTONUP, wParam, lParam); break;
    case MSG_SETFOCUS: Focus(hwnd, d); break;
    case MSG_KILLFOCUS: Blur(hwnd, d); break;
    case MSG_MOUSEENTER:
      if (GetWindowStyle(hwnd) & WS_DISABLED) break;
      if (wParam) SetFocusChild(hwnd);
      else SendMessage(hwnd, MSG_KILLFOCUS, 0, 0);
      break;
    case MSG_IPEDIT_MOVEFIELD: MoveField(d, VariantOf(hwnd), lParam == 1); break;
    case MSG_COMMAND: Command(hwnd, d, wParam); break;
    case MSG_FREESTANDING_EDIT: RepaintFrame(hwnd, d); break;
    default: break;
  }
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

}  // namespace
}  // namespace ipedit

extern "C" BOOL RegisterIPEditClass(void) {
  return controls::RegisterBuiltinClass("ipedit", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], ipedit::IPEditProc);
}

// The message box: a modal dialog built on the fly from the built-in words
// and the "commons" layout, sized to its text, placed by its type.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "core/desktop/clip_info.h"
#include "core/dialog/dialog_internal.h"
#include "core/window/window_messages.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/fixstr.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kBoxStyle = 0xB0400000u;
constexpr uint32_t kFirstButtonStyle = 0x08038000u, kButtonStyle = 0x08018000u;
constexpr uint32_t kIconStyle = 0x08020003u, kTextStyle = 0x08020000u, kRightToLeft = 0x02u;
constexpr uint32_t kControlExStyle = 0x20u;
constexpr int kIconId = 100, kTextId = 101;
constexpr int kButtonW = 80, kButtonH = 26, kButtonStep = 90, kButtonRoom = 100;
constexpr int kIconSize = 32, kMargin = 10;

std::atomic<int> g_state{0};
std::mutex g_rectLock;
Rect g_boxRect{};

struct Button {
  int id;
  const char* word;
};

// The built-in word of each button, the key of its "commons" caption.
const char* WordOf(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "Cancel";
  }
}

// Types 6 and 7 have no buttons of their own; they are laid out as type 0
// so that the box can be closed at all.
std::vector<Button> ButtonsOf(uint32_t type) {
  std::vector<int> ids;
  switch (type & 7) {
    case 1: ids = {IDOK, IDCANCEL}; break;
    case 2: ids = {IDYES, IDNO}; break;
    case 3: ids = {IDRETRY, IDCANCEL}; break;
    case 4: ids = {IDABORT, IDRETRY, IDIGNORE}; break;
    case 5: ids = {IDYES, IDNO, IDCANCEL}; break;
    default: ids = {IDOK}; break;
  }
  std::vector<Button> buttons;
  for (int id : ids)
    buttons.push_back({id, id == IDCANCEL && (type & MB_CANCELASBACK) ? "Previous" : WordOf(id)});
  return buttons;
}

const char* CaptionOf(const char* word) {
  std::string key(word);
  for (char& ch : key) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  CtrlResInfo* record = nullptr;
  if (GetCtrlResInfo("commons", key.c_str(), &record) && record && record->caption) return record->caption;
  return "";
}

// What the box remembers between its messages.
struct BoxState {
  uint32_t type = 0;
  WindowHandle disabled = 0;  // the window the box disabled, if any
};

void End(WindowHandle hwnd, int id) {
  auto* box = reinterpret_cast<BoxState*>(GetWindowAdditionalData(hwnd));
  g_state = 0;
  if (box && box->disabled) {
    EnableWindow(box->disabled, TRUE);
    box->disabled = 0;
  }
  EndDialog(hwnd, id);
}

void Opened(WindowHandle hwnd, LParam type) {
  auto* box = reinterpret_cast<BoxState*>(GetWindowAdditionalData(hwnd));
  WindowHandle host = GetHosting(hwnd);
  WindowHandle outer = ValidMainWindow(host) ? GetHosting(host) : 0;
  if (box && ValidMainWindow(outer) && (GetWindowExStyle(outer) & WS_EX_ROUTE_OUTPUTSWITCH) && IsWindowEnabled(outer)) {
    EnableWindow(outer, FALSE);
    box->disabled = outer;
  }
  {
    ChildWalk walk;
    for (const ChildView& c : DialogChildren(walk, hwnd))
      if (HasDialogCode(HandleOf(c.record), DLGC_PUSHBUTTON | DLGC_DEFPUSHBUTTON)) {
        SetFocusChild(HandleOf(c.record));
        break;
      }
  }
  CloseInputHelpers();
  g_state = 1;
  if (box) box->type = static_cast<uint32_t>(type);
  std::lock_guard<std::mutex> hold(g_rectLock);
  GetWindowRect(hwnd, &g_boxRect);
}

// The buttons that a letter key presses, first come first served: each by
// the first letter of the caption it shows, or of its built-in word when
// the caption starts with no Latin letter (as a Chinese one does).
constexpr int kLetterButtons[] = {IDABORT, IDIGNORE, IDNO, IDRETRY, IDYES};

int LetterOf(WindowHandle button, int id) {
  const char* caption = GetWindowCaption(button);
  const auto first = static_cast<unsigned char>(caption ? caption[0] : 0);
  const bool latin = first < 0x80 && std::isalpha(first);
  return std::tolower(latin ? first : static_cast<unsigned char>(WordOf(id)[0]));
}

int ShortcutId(WindowHandle box, int ch) {
  for (int id : kLetterButtons) {
    const WindowHandle button = GetDlgItem(box, id);
    if (button && LetterOf(button, id) == std::tolower(ch)) return id;
  }
  return 0;
}

LResult BoxProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_INITDIALOG:
      Opened(hwnd, lParam);
      return 0;
    case MSG_COMMAND: {
      int id = static_cast<int>(wParam & 0xFFFF);
      if (id >= IDOK && id <= IDNO && GetDlgItem(hwnd, id)) End(hwnd, id);
      return 0;
    }
    case MSG_CLOSE:
      for (int id : {IDCANCEL, IDIGNORE, IDNO, IDOK})
        if (GetDlgItem(hwnd, id)) {
          End(hwnd, id);
          break;
        }
      return 0;
    case MSG_CHAR:
      if ((wParam & 0xFF00) == 0) {
        const int id = ShortcutId(hwnd, static_cast<int>(wParam & 0xFF));
        if (id) End(hwnd, id);
      }
      return 0;
    case MSG_NCLBUTTONDBLCLK:
      return 0;
    default:
      return DefaultDialogProc(hwnd, msg, wParam, lParam);
  }
}

Size MeasureText(const char* text, int minWidth, bool lowRes) {
  const bool aux = getCurOutputHook() != getMainOutputHook();
  LogFont* old = SelectFont(HDC_SCREEN, g_SysLogFont[aux ? 6 : 1]);
  Rect r{0, 0, minWidth, GetSysFontHeight(lowRes ? 6 : 0)};
  const uint32_t format = 0x450u | (GuiApp()->isRightToLeftLang() ? DT_RIGHT : 0u);
  DrawTextEx2(HDC_SCREEN, text, -1, &r, 0, format, nullptr);
  SelectFont(HDC_SCREEN, old);
  return Size{std::max<int>(r.right - r.left, minWidth), r.bottom - r.top};
}

Rect Place(WindowHandle owner, uint32_t type, int w, int h) {
  Rect area = ScreenRect();
  if ((type & MB_BASEDONPARENT) && ValidWindow(owner)) GetWindowRect(owner, &area);
  int x, y;
  switch (type & 0x70000) {
    case MB_ALIGNTOPLEFT: x = area.left, y = area.top; break;
    case MB_ALIGNBTMLEFT: x = area.left, y = area.bottom - h; break;
    case MB_ALIGNTOPRIGHT: x = area.right - w, y = area.top; break;
    case MB_ALIGNBTMRIGHT: x = area.right - w, y = area.bottom - h; break;
    default: x = area.left + (area.right - area.left - w) / 2, y = area.top + (area.bottom - area.top - h) / 2;
  }
  const Rect& screen = ScreenRect();
  if (x + w > screen.right) x = screen.right - w;
  if (y + h > screen.bottom) y = screen.bottom - h;
  return Rect{x, y, x + w, y + h};
}

}  // namespace

bool MessageBoxShown() { return g_state != 0; }

extern "C" {

int GetMsgBoxState(void) { return g_state; }
void SetMsgBoxState(int state) { g_state = state; }

Rect GetMsgBoxRect(void) {
  std::lock_guard<std::mutex> hold(g_rectLock);
  return g_boxRect;
}

void MessageBeep(uint32_t) { Ping(); }

int MessageBox(WindowHandle owner, const char* text, const char* caption, uint32_t type) {
  const std::vector<Button> buttons = ButtonsOf(type);
  const int n = static_cast<int>(buttons.size());
  const bool lowRes = IsLowResDisplay(getCurOutputHook()) != 0;
  const int iconKind = (type & 0xF0) >> 4;
  const int iconOffset = iconKind >= 1 && iconKind <= 4 ? kIconSize : 0;
  int minWidth = std::max(kButtonRoom * n, 320);
  if (lowRes) minWidth = minWidth * 3 / 4 - 10;
  const Size textSize = MeasureText(text ? text : "", minWidth, lowRes);
  const int border = WinMainMetrics[WEM_BORDER], captionY = WinMainMetrics[WEM_CAPTIONY];
  const int row = std::max(iconOffset, static_cast<int>(textSize.cy));
  const int boxW = std::max<int>(textSize.cx, kButtonRoom * n - 20) + 2 * border + 40 + iconOffset;
  const int boxH = row + 2 * border + 56 + captionY;

  std::vector<CtrlData> controls;
  const int firstX = (boxW - (kButtonRoom * n - 20)) / 2;
  for (int i = 0; i < n; ++i)
    controls.push_back(CtrlData{"button", i == 0 ? kFirstButtonStyle : kButtonStyle, firstX + i * kButtonStep, row + 20,
                                kButtonW, kButtonH, buttons[i].id, CaptionOf(buttons[i].word), 0, 0});
  if (iconOffset)
    controls.push_back(CtrlData{"static", kIconStyle, kMargin, kMargin, kIconSize, kIconSize, kIconId, "Hello",
                                static_cast<LParam>(GetLargeSystemIcon(iconKind)), kControlExStyle});
  const uint32_t textStyle = kTextStyle | (GuiApp()->isRightToLeftLang() ? kRightToLeft : 0u);
  controls.push_back(CtrlData{"static", textStyle, iconOffset + 20, kMargin, textSize.cx, textSize.cy, kTextId,
                              text ? text : "", 0, kControlExStyle});

  BoxState state;
  const Rect place = Place(owner, type, boxW, boxH);
  DlgTemplate dlg{kBoxStyle, WS_EX_NOCLOSEBOX, place.left, place.top, boxW, boxH, caption ? caption : "Message", 0, 0,
                  static_cast<int32_t>(controls.size()), controls.data(), reinterpret_cast<LParam>(&state)};
  return static_cast<int>(DialogBoxIndirectParam(&dlg, owner, BoxProc, static_cast<LParam>(type)));
}

}  // extern "C"

// The "propsheet" control's messages: pages added from templates, removed,
// enabled, titled and activated, and the sheet command walk.
#include <cstring>
#include <new>

#include "controls/propsheet/propsheet_class.h"
#include "controls/propsheet/propsheet_internal.h"
#include "controls/registry/control_registry.h"
#include "gui/control_class.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/fixstr.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace propsheet {
namespace {

const Bitmap* g_light = nullptr;
const Bitmap* g_dark = nullptr;

constexpr uint32_t kPageStyle = 15;  // a hidden static of kind 15
constexpr LResult kNone = -1;

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

bool Scrollable(WindowHandle hwnd) { return LayoutOf(GetWindowStyle(hwnd)) == Layout::kScrollable; }

void Repaint(WindowHandle hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

void FreePage(Page* p) {
  if (p->title) FreeFixStr(p->title);
  p->title = nullptr;
  if (p->hwnd) DestroyWindow(p->hwnd);
  p->hwnd = 0;
}

int ClientWidth(WindowHandle hwnd, int* height) {
  Rect rc{};
  GetClientRect(hwnd, &rc);
  *height = rc.bottom;
  return rc.right;
}

bool CreatePageControls(WindowHandle page, const DlgTemplate* dlg) {
  for (int i = 0; i < dlg->controlnr; ++i) {
    const CtrlData& c = dlg->controls[i];
    WindowHandle ctrl = CreateWindowEx(c.class_name, c.caption, c.dwStyle | WS_CHILD, c.dwExStyle, c.id, c.x, c.y,
                                       c.w, c.h, page, c.dwAddData);
    if (!IsValidHandle(ctrl)) return false;
  }
  return true;
}

LResult AddPage(WindowHandle hwnd, Sheet* s, const DlgTemplate* dlg, WindowProc proc) {
  if (!dlg) return kNone;
  const bool scrollable = Scrollable(hwnd);
  if (!scrollable && (s->headRight - s->headLeft) / (s->Count() + 1) < 10) return kNone;
  if (dlg->controlnr > 0 && !dlg->controls) return kNone;
  int h = 0;
  const int w = ClientWidth(hwnd, &h);
  const bool bottom = HeaderOf(GetWindowStyle(hwnd)) == Header::kBottom;
  std::unique_ptr<Page> page(new (std::nothrow) Page{});
  if (!page) return kNone;
  page->hwnd = bottom ? CreateWindowEx("static", "", kPageStyle, 0, 0, 2, 2, w - 4, h - 4, hwnd, dlg->dwAddData)
                      : CreateWindowEx("static", "", kPageStyle, 0, 0, 0, s->headBottom, w, h - s->headBottom, hwnd,
                                       dlg->dwAddData);
  if (!IsValidHandle(page->hwnd)) return kNone;
  if (Skinned()) SendMessage(page->hwnd, MSG_SETBKCOLOR, 0, static_cast<LParam>(GetExtraColorEx(WEC_EX_LISTBOX_COMM_FILL0)));
  if (dlg->caption) page->title = FixStrDup(dlg->caption);
  page->icon = static_cast<uint32_t>(dlg->hIcon);
  page->proc = proc ? proc : DefaultPageProc;
  if (!CreatePageControls(page->hwnd, dlg)) {
    FreePage(page.get());
    return kNone;
  }
  SetWindowCallbackProc(page->hwnd, page->proc);
  SendMessage(page->hwnd, MSG_INITPAGE, 0, dlg->dwAddData);
  const int index = s->Count();
  Page* added = page.get();
  s->pages.push_back(std::move(page));
  if (scrollable) {
    added->width = TabWidth(hwnd, *added, ScrollLimit(s));
    s->active = index;
    RecalcFirstVisible(s);
    Repaint(hwnd);
    return index;
  }
  RecalcWidths(hwnd, s);
  Activate(hwnd, s, index);
  return index;
}

// The scrollable layout moves the active and first visible pages off a
// page about to go.
void LeaveScrollable(Sheet* s, int index) {
  const int next = index + 1 < s->Count() ? index + 1 : NearestEnabledBefore(s, index);
  if (s->active == index) s->active = next;
  if (s->firstVisible == index) s->firstVisible = next;
}

int Shifted(int value, int removed) { return value > removed ? value - 1 : value; }

LResult RemovePage(WindowHandle hwnd, Sheet* s, int index) {
  if (!s->Valid(index)) return kNone;
  const bool scrollable = Scrollable(hwnd);
  const bool wasActive = s->active == index;
  if (scrollable) LeaveScrollable(s, index);
  FreePage(s->pages[index].get());
  s->pages.erase(s->pages.begin() + index);
  s->active = Shifted(s->active, index);
  s->firstVisible = Shifted(s->firstVisible, index);
  if (scrollable) {
    if (!s->pages.empty()) RecalcFirstVisible(s);
    if (s->Valid(s->active)) ShowPage(*s->pages[s->active], true);
    Repaint(hwnd);
    return 0;
  }
  RecalcWidths(hwnd, s);
  if (wasActive) {
    s->active = -1;
    if (!s->pages.empty()) Activate(hwnd, s, 0);
  }
  Repaint(hwnd);
  return 0;
}

LResult EnablePage(WindowHandle hwnd, Sheet* s, int index, LParam how) {
  if (!s->Valid(index) || (how != 0 && how != 1)) return kNone;
  Page& p = *s->pages[index];
  if ((how == 0) == p.disabled) return kNone;
  p.disabled = how == 0;
  if (p.disabled && s->active == index) {
    // Only an enabled page may take over; with none the page stays.
    const int next = NextEnabledWrapping(s);
    if (next >= 0) Activate(hwnd, s, next);
  }
  RecalcFirstVisible(s);
  Repaint(hwnd);
  return 0;
}

LResult SetTitle(WindowHandle hwnd, Sheet* s, int index, const char* title) {
  if (!s->Valid(index)) return kNone;
  Page& p = *s->pages[index];
  if (p.title) FreeFixStr(p.title);
  p.title = title ? FixStrDup(title) : nullptr;
  const bool failed = title && !p.title;
  if (Scrollable(hwnd)) {
    p.width = TabWidth(hwnd, p, ScrollLimit(s));
    RecalcFirstVisible(s);
  } else {
    RecalcWidths(hwnd, s);
  }
  Repaint(hwnd);
  return failed ? kNone : 0;
}

LResult SwitchKey(WindowHandle hwnd, Sheet* s, WParam wParam, LParam lParam) {
  if (Scrollable(hwnd)) {
    if (s->Count() == 1) return 0;
    RequestSwitch();
    ForwardStep(hwnd, s, true);
    return 0;
  }
  const int next = s->Valid(s->active) ? NextEnabledWrapping(s) : -1;
  if (next < 0) return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
  Activate(hwnd, s, next);
  return 0;
}

LResult SheetCommand(Sheet* s, WParam wParam, LParam lParam) {
  for (int i = 0; i < s->Count(); ++i)
    if (SendMessage(s->pages[i]->hwnd, MSG_SHEETCMD, wParam, lParam) != 0) return i + 1;
  return 0;
}

LResult PageQuery(Sheet* s, int msg, WParam wParam, LParam lParam) {
  const int index = static_cast<int>(wParam);
  switch (msg) {
    case PSM_GETACTIVEPAGE: return s->Valid(s->active) ? static_cast<LResult>(s->pages[s->active]->hwnd) : kNone;
    case PSM_GETPAGE: return s->Valid(index) ? static_cast<LResult>(s->pages[index]->hwnd) : kNone;
    case PSM_GETACTIVEINDEX: return s->Valid(s->active) ? s->active : kNone;
    case PSM_GETPAGEINDEX:
      for (int i = 0; i < s->Count(); ++i)
        if (s->pages[i]->hwnd == static_cast<WindowHandle>(wParam)) return i;
      return kNone;
    case PSM_GETPAGECOUNT: return s->Count();
    case PSM_GETTITLELENGTH:
      if (!s->Valid(index)) return kNone;
      return s->pages[index]->title ? static_cast<LResult>(std::strlen(s->pages[index]->title)) : 0;
    case PSM_GETTITLE: {
      if (!s->Valid(index) || !lParam) return kNone;
      const char* title = s->pages[index]->title ? s->pages[index]->title : "";
      std::memcpy(reinterpret_cast<char*>(lParam), title, std::strlen(title) + 1);
      return 0;
    }
    default: return kNone;
  }
}

void Destroy(WindowHandle hwnd, Sheet* s) {
  for (auto& p : s->pages) FreePage(p.get());
  delete s;
  SetWindowAdditionalData2(hwnd, 0);
}

void SizeChanged(WindowHandle hwnd, Sheet* s, const Rect* window, Rect* client) {
  if (!window) return;
  if (client) *client = *window;
  PlaceHeader(hwnd, s, window->right - window->left, window->bottom - window->top);
  MovePages(hwnd, s);
  Repaint(hwnd);
}

LResult SheetProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) {
    Sheet* s = new (std::nothrow) Sheet{};
    if (!s) return -1;
    s->scrollable = Scrollable(hwnd);
    SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(s));
    LoadSkins((GetWindowStyle(hwnd) & PSS_PLAIN) != 0);
    Rect r{};
    GetWindowRect(hwnd, &r);
    PlaceHeader(hwnd, s, r.right - r.left, r.bottom - r.top);
    return Default(hwnd, msg, wParam, lParam);
  }
  Sheet* s = SheetOf(hwnd);
  if (!s) return Default(hwnd, msg, wParam, lParam);
  switch (msg) {
    case MSG_CALCCLIENTRECT:
      SizeChanged(hwnd, s, reinterpret_cast<const Rect*>(wParam), reinterpret_cast<Rect*>(lParam));
      return 1;
    case MSG_DESTROY:
      Destroy(hwnd, s);
      break;
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONDBLCLK:  // a quick second press of a tab or an arrow acts again
      Click(hwnd, s, static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF));
      break;
    case MSG_KEYDOWN:
      if ((wParam & 0xFFFF) == PS_SWITCH_KEY) return SwitchKey(hwnd, s, wParam, lParam);
      break;
    case MSG_ERASEBKGND: case MSG_NCPAINT: return 0;
    case MSG_PAINT: Paint(hwnd, s); return 0;
    case MSG_GETDLGCODE: return 7;
    case PSM_GETACTIVEPAGE: case PSM_GETPAGE: case PSM_GETACTIVEINDEX: case PSM_GETPAGEINDEX:
    case PSM_GETPAGECOUNT: case PSM_GETTITLELENGTH: case PSM_GETTITLE:
      return PageQuery(s, msg, wParam, lParam);
    case PSM_SETACTIVEINDEX: {
      const int index = static_cast<int>(wParam);
      if (!s->Valid(index) || s->pages[index]->disabled) return kNone;
      Activate(hwnd, s, index);
      return 0;
    }
    case PSM_SETTITLE: return SetTitle(hwnd, s, static_cast<int>(wParam), reinterpret_cast<const char*>(lParam));
    case PSM_ENABLEPAGE: return EnablePage(hwnd, s, static_cast<int>(wParam), lParam);
    case PSM_ADDPAGE:
      return AddPage(hwnd, s, reinterpret_cast<const DlgTemplate*>(wParam), reinterpret_cast<WindowProc>(lParam));
    case PSM_REMOVEPAGE: return RemovePage(hwnd, s, static_cast<int>(wParam));
    case PSM_SHEETCMD: return SheetCommand(s, wParam, lParam);
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

Sheet* SheetOf(WindowHandle hwnd) { return reinterpret_cast<Sheet*>(GetWindowAdditionalData2(hwnd)); }

const Bitmap* LightSkin() { return g_light; }
const Bitmap* DarkSkin() { return g_dark; }
bool Skinned() { return g_light != nullptr; }

void LoadSkins(bool plain) {
  g_light = g_dark = nullptr;
  if (plain) return;
  const Bitmap* light = GetStockBitmap("propsheet_h_light", 0, 0);
  if (!light || !light->bmBits) return;
  g_light = light;
  const Bitmap* dark = GetStockBitmap("propsheet_h_dark", 0, 0);
  g_dark = dark && dark->bmBits ? dark : nullptr;
}

}  // namespace propsheet

namespace controls {

BOOL RegisterPropSheetControl() {
  return RegisterBuiltinClass("propsheet", 0, WinElementColors[WEC_BKC_CONTROL_SELECTED], propsheet::SheetProc);
}

}  // namespace controls

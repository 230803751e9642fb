// The "static" control: texts in several formats, icons, bitmaps, frames,
// group boxes and coloured boxes, chosen by the low four bits of its style.
#include "controls/painters/ctrl_text.h"
#include "controls/painters/painter_util.h"
#include "controls/static/static_class.h"
#include "controls/painters/blitters.h"
#include "core/element_color.h"
#include "controls/registry/control_registry.h"
#include "gui/control_class.h"
#include "gui/control_paint.h"
#include "gui/control_tip.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/static.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kFormatSingleCentred = DT_SINGLELINE | DT_VCENTER;  // 36
constexpr uint32_t kFormatNoPrefix = 0x800;
constexpr int kEditFrameInset = 8, kGrayTextInset = 8, kGrayTextSpare = 12;

uint32_t Kind(WindowHandle hwnd) { return GetWindowStyle(hwnd) & SS_TYPEMASK; }

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

GalPixel TextColor(uint32_t style) {
  if (style & WS_DISABLED) return Color(WEC_FC_CONTROL_DISABLED);
  if (style & SS_HILITE) return Color(WEC_FC_CONTROL_HILITE);
  if (style & SS_DISABLEDTEXT) return Color(WEC_FC_CONTROL_DISABLED);
  return Color(WEC_FC_CONTROL_NORMAL);
}

uint32_t BaseFormat(uint32_t kind) {
  switch (kind) {
    case SS_CENTER: return DT_WORDBREAK | DT_CENTER;
    case SS_RIGHT: return DT_WORDBREAK | DT_RIGHT;
    case SS_LEFTNOWORDWRAP: return DT_SINGLELINE | DT_EXPANDTABS;
    default: return DT_WORDBREAK;
  }
}

int Measure(HDC hdc, const char* text) {
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  return size.cx;
}

void PaintText(WindowHandle hwnd, HDC hdc, Rect rc, uint32_t style, const char* text) {
  const uint32_t kind = style & SS_TYPEMASK;
  uint32_t format = BaseFormat(kind);
  if (kind == SS_EDITFRAME) {
    rc.left += kEditFrameInset;
    rc.right -= kEditFrameInset;
    style |= SS_VCENTER;
  }
  if ((style & SS_VCENTER) && Measure(hdc, text) <= rc.right - rc.left) format |= kFormatSingleCentred;
  if (style & SS_NOPREFIX) format |= kFormatNoPrefix;
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
  if (style & SS_ELLIPSIS)
    DrawTextOmitted(hdc, text, -1, &rc, format | kFormatSingleCentred, rc.right - rc.left);
  else
    DrawTextEx2(hdc, text, -1, &rc, 0, format, nullptr);
}

// At its own size from (0, 0), or centred in the client area.
Point ImageOrigin(uint32_t style, int w, int h, int imageW, int imageH) {
  if (!(style & SS_CENTERIMAGE)) return Point{0, 0};
  return Point{(w - imageW) >> 1, (h - imageH) >> 1};
}

void PaintImage(WindowHandle hwnd, HDC hdc, const Rect& rc, uint32_t style) {
  const LParam image = GetWindowAdditionalData2(hwnd);
  if (!image) return;
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if ((style & SS_TYPEMASK) == SS_ICON) {
    const HICON icon = static_cast<HICON>(image);
    int iw = 0, ih = 0;
    if (!(style & SS_REALSIZEIMAGE) || !GetIconSize(icon, &iw, &ih)) {
      DrawIcon(hdc, 0, 0, w, h, icon);
      return;
    }
    const Point at = ImageOrigin(style, w, h, iw, ih);
    DrawIcon(hdc, at.x, at.y, iw, ih, icon);
    return;
  }
  const Bitmap* bitmap = reinterpret_cast<const Bitmap*>(image);
  if (!(style & SS_REALSIZEIMAGE)) {
    FillBoxWithBitmap(hdc, 0, 0, w, h, bitmap);
    return;
  }
  const int bw = static_cast<int>(bitmap->bmWidth), bh = static_cast<int>(bitmap->bmHeight);
  const Point at = ImageOrigin(style, w, h, bw, bh);
  FillBoxWithBitmap(hdc, at.x, at.y, bw, bh, bitmap);
}

void PaintGroupBox(WindowHandle hwnd, HDC hdc, const Rect& rc, const char* text) {
  const LogFont* font = GetWindowFont(hwnd);
  const int s = font ? font->size : GetSysCharHeight();
  if (text && *text) {
    SetDCAttr(hdc, DC_ATTR_BK_MODE, (GetWindowExStyle(hwnd) & WS_EX_TRANSPARENT) ? BM_TRANSPARENT : BM_OPAQUE);
    SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
    TextOutLen(hdc, s, 2, text, -1);
    Size size{};
    GetTextExtentEx(hdc, text, -1, &size, 0);
    const Rect hole{s - 1, 0, s - 1 + size.cx + 2, size.cy};
    ExcludeClipRect(hdc, &hole);
  }
  Draw3DBorderEx(hdc, hwnd, rc.left, rc.top + s / 2, rc.right, rc.bottom);
}

void PaintSimple(WindowHandle hwnd, HDC hdc, const Rect& rc, uint32_t style, const char* text) {
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  const bool gray = (style & SS_TYPEMASK) == SS_GRAYTEXT;
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, gray ? Color(WEC_BKC_CONTROL_NORMAL) : GetWindowBkColor(hwnd));
  if (gray && (style & SS_ELLIPSIS)) {
    const int y = (rc.bottom - rc.top - GetFontHeight(hdc)) / 2;
    TextOutOmitted(hdc, kGrayTextInset, y, text, -1, rc.right - rc.left - kGrayTextSpare);
    return;
  }
  TextOutLen(hdc, 0, 0, text, -1);
}

void Paint(WindowHandle hwnd) {
  HDC hdc = BeginPaint(hwnd);
  SetControlFontByStyle(hwnd);
  SelectFont(hdc, GetWindowFont(hwnd));
  const uint32_t style = GetWindowStyle(hwnd);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, TextColor(style));
  Rect rc{};
  GetClientRect(hwnd, &rc);
  const char* caption = GetWindowCaption(hwnd);
  const char* text = caption ? caption : "";
  switch (style & SS_TYPEMASK) {
    case SS_LEFT: case SS_CENTER: case SS_RIGHT: case SS_LEFTNOWORDWRAP: case SS_EDITFRAME: case SS_LEFTTEXT:
      PaintText(hwnd, hdc, rc, style, text);
      break;
    case SS_ICON: case SS_BITMAP: PaintImage(hwnd, hdc, rc, style); break;
    case SS_BLACKFRAME: painters::Outline(hdc, SysPixelIndex[SYSPIXEL_BLACK], 0, 0, rc.right - 1, rc.bottom - 1); break;
    case SS_GRAYFRAME: painters::Outline(hdc, SysPixelIndex[SYSPIXEL_LIGHTGREY], 0, 0, rc.right - 1, rc.bottom - 1); break;
    case SS_WHITEFRAME: painters::Outline(hdc, SysPixelIndex[SYSPIXEL_WHITE], 0, 0, rc.right - 1, rc.bottom - 1); break;
    case SS_GROUPBOX: PaintGroupBox(hwnd, hdc, rc, caption); break;
    case SS_GRAYTEXT: case SS_SIMPLE: PaintSimple(hwnd, hdc, rc, style, text); break;
    default: break;  // the coloured boxes are all background
  }
  EndPaint(hwnd, hdc);
}

void Create(WindowHandle hwnd) {
  SetWindowAdditionalData2(hwnd, GetWindowAdditionalData(hwnd));
  switch (Kind(hwnd)) {
    case SS_WHITERECT: SetWindowBkColor(hwnd, Color(WEC_BKC_MENUITEM_NORMAL)); break;
    case SS_GRAYRECT: SetWindowBkColor(hwnd, Color(WEC_BKC_CONTROL_SELECTED)); break;
    case SS_GRAYTEXT: IncludeWindowStyle(hwnd, SS_DISABLEDTEXT | SS_ELLIPSIS); break;
    default: break;
  }
}

LResult TipQuery(WindowHandle hwnd) {
  const uint32_t style = GetWindowStyle(hwnd);
  Rect rc{};
  GetClientRect(hwnd, &rc);
  const int width = painters::TextWidth(hwnd, GetWindowCaption(hwnd)), client = rc.right - rc.left;
  if ((style & SS_TYPEMASK) == SS_GRAYTEXT) return width > client - kGrayTextSpare ? TIP_OFFER_CUT : 0;
  if (!(style & SS_ELLIPSIS)) return 0;
  const int room = (style & SS_TYPEMASK) == SS_EDITFRAME ? client - 2 * kEditFrameInset : client;
  return width > room ? TIP_OFFER_CUT : 0;
}

LResult TipText(WindowHandle hwnd, WParam wParam) {
  auto* tip = reinterpret_cast<BubbleTipExchange*>(wParam);
  const char* caption = GetWindowCaption(hwnd);
  if (!tip || !caption) return 0;
  tip->flags = (tip->flags & ~0x0Du) | 0x2u;
  return painters::CopyTipText(caption, tip);
}

void Enable(WindowHandle hwnd, bool enable) {
  // EnableWindow has changed the bit before this arrives, so the look is
  // redrawn whether or not the bit still needs changing.
  if (enable)
    ExcludeWindowStyle(hwnd, WS_DISABLED);
  else
    IncludeWindowStyle(hwnd, WS_DISABLED);
  InvalidateRect(hwnd, nullptr, TRUE);
}

LResult StaticProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  const uint32_t style = GetWindowStyle(hwnd);
  switch (msg) {
    case MSG_CREATE: Create(hwnd); return 0;
    case MSG_LBUTTONDOWN:
      if (style & SS_NOTIFY) NotifyParentEx(hwnd, STN_CLICKED, 0);
      break;
    case MSG_LBUTTONDBLCLK:
      if (style & SS_NOTIFY) NotifyParentEx(hwnd, STN_DBLCLK, 0);
      break;
    case MSG_HITTEST: return (style & SS_TYPEMASK) == SS_GROUPBOX ? HT_TRANSPARENT : (style & SS_NOTIFY) ? HT_CLIENT : HT_OUT;
    case MSG_ERASEBKGND:
      if ((style & SS_TYPEMASK) == SS_GRAYTEXT)
        return EraseStaticFrameBkgnd(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
      if ((style & SS_TYPEMASK) == SS_EDITFRAME)
        return EraseEditFrameBkgnd(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
      break;
    case MSG_PAINT: Paint(hwnd); return 0;
    case MSG_GETDLGCODE: return DLGC_STATIC;
    case MSG_FONTCHANGED: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case MSG_SETTEXT:
      SetWindowCaption(hwnd, reinterpret_cast<const char*>(lParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case MSG_ENABLE: Enable(hwnd, wParam != 0); return 0;
    case MSG_SETBKCOLOR: SetWindowBkColor(hwnd, static_cast<GalPixel>(lParam)); break;
    case MSG_TIPQUERY: return TipQuery(hwnd);
    case MSG_TIPTEXT: return TipText(hwnd, wParam);
    case STM_SETIMAGE: {
      const LParam old = SetWindowAdditionalData2(hwnd, static_cast<LParam>(wParam));
      InvalidateRect(hwnd, nullptr, (style & SS_TYPEMASK) == SS_ICON);
      return old;
    }
    case STM_GETIMAGE: return GetWindowAdditionalData2(hwnd);
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

namespace controls {

BOOL RegisterStaticControl() {
  return RegisterBuiltinClass("static", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], StaticProc);
}

}  // namespace controls

// Drawing the button: the skin or face by state, then the caption or
// image; and the sizes auto-sized buttons ask for.
#include <algorithm>

#include "controls/button/button_internal.h"
#include "controls/painters/painter_util.h"
#include "controls/painters/blitters.h"
#include "core/control_support.h"
#include "core/element_color.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/livevideo.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace button {
namespace {

constexpr int kRightCell = 18, kFramedIndent = 6, kFramedGap = 8, kGap = 2, kCheckMarkInset = 18;
constexpr int kImageIndent = 6;

bool Drawable(const Bitmap* b) { return b && b->bmBits && b->bmWidth && b->bmHeight; }

const Bitmap* Stock(const char* name, bool strip) { return GetStockBitmap(name, strip ? -1 : 0, strip ? -1 : 0); }

enum class Look { kNormal, kChecked, kIndeterminate, kPushed, kFocused };

Look LookOf(uint32_t state) {
  if (state & BST_PUSHED) return Look::kPushed;
  if (state & BST_FOCUS) return Look::kFocused;
  if (state & BST_CHECKED) return Look::kChecked;
  if (state & BST_INDETERMINATE) return Look::kIndeterminate;
  return Look::kNormal;
}

struct Layout {
  Rect client{}, text{}, cell{};
  bool hasCell = false;
};

Layout LayoutOf(WindowHandle hwnd) {
  Layout lay;
  GetClientRect(hwnd, &lay.client);
  const Rect& c = lay.client;
  lay.text = Rect{c.left + 2, c.top + 2, c.right - 1, c.bottom - 1};
  const uint32_t style = GetWindowStyle(hwnd), kind = KindOf(style);
  if (!IsCheckKind(kind) || (style & BS_PUSHLIKE)) return lay;
  const CellSkin skin = CheckSkin(kind, false);
  const int w = skin.cellW, h = skin.cellH;
  lay.hasCell = true;
  const bool framed = style & BS_FRAMED;
  if ((style & BS_CONTENTMASK) == BS_LEFTTEXT) {
    lay.cell = Rect{c.right - kRightCell, (c.top + c.bottom - h) / 2, c.right - kRightCell + w, 0};
    lay.text.right = lay.cell.left - kGap;
  } else if ((style & BS_PLACEMASK) == BS_TOP) {
    lay.cell = Rect{c.left + 2, c.top + GetSysCharHeight() + 4, c.left + 2 + w, 0};
  } else {
    const int x = c.left + (framed ? kFramedIndent : 0);
    lay.cell = Rect{x, (c.top + c.bottom - h) / 2, x + w, 0};
    lay.text.left = lay.cell.right + (framed ? kFramedGap : kGap);
  }
  lay.cell.bottom = lay.cell.top + h;
  return lay;
}

void DrawCell(HDC hdc, const CellSkin& skin, const Rect& cell, int col, int row) {
  if (!Drawable(skin.bitmap)) return;
  FillBoxWithBitmapPart(hdc, cell.left, cell.top, skin.cellW, skin.cellH, static_cast<int>(skin.bitmap->bmWidth),
                        static_cast<int>(skin.bitmap->bmHeight), skin.bitmap, col * skin.cellW, row * skin.cellH);
}

// Rows of the grids: checkbox and onoff 0 normal, 1 disabled; radiobutton
// 0 focused, 1 normal, 2 disabled; onoff3state 0 normal, 1 focused, 2
// disabled.
void PaintCheckCell(HDC hdc, uint32_t kind, uint32_t state, bool disabled, bool framed, const Rect& cell,
                    const Rect& client) {
  const Look look = LookOf(state);
  const CellSkin skin = CheckSkin(kind, look == Look::kFocused);
  const int check = static_cast<int>(state & 3u);
  const bool radio = kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
  const bool threeSwitch = kind == BS_AUTO3STATESWITCH;
  const int normalRow = radio ? 1 : 0;
  const int disabledRow = (radio || threeSwitch) ? 2 : 1;
  if (check == 2 && (kind == BS_3STATE || kind == BS_AUTO3STATE) && look != Look::kPushed) {
    const Bitmap* part = Stock("button", false);
    if (Drawable(part))
      FillBoxWithBitmapPart(hdc, cell.left, cell.top, 16, 16, static_cast<int>(part->bmWidth),
                            static_cast<int>(part->bmHeight), part, 32, 0);
    return;
  }
  int col = std::min(check, skin.cols - 1), row = disabled ? disabledRow : normalRow;
  if (look == Look::kPushed) col = check & 1;
  if (look == Look::kFocused && !disabled) {
    if (radio) row = 0;
    if (threeSwitch) row = 1;
  }
  DrawCell(hdc, skin, cell, col, row);
  // Kept inside the button: a cell at its edge would lose the outline's
  // sides there, and the focus would show as a lone line.
  if (look == Look::kFocused && !framed && !radio && !threeSwitch && kind != BS_ONOFF)
    painters::Outline(hdc, Color(WEC_FRAME_CONTROL_HILITE), std::max(cell.left - 1, client.left),
                      std::max(cell.top - 1, client.top), std::min(cell.right, client.right - 1),
                      std::min(cell.bottom, client.bottom - 1));
}

void PaintOctagon(HDC hdc, const Rect& c, GalPixel pen) {
  const int l = c.left, t = c.top, r = c.right - 1, b = c.bottom - 1, k = 2;
  painters::Path(hdc, pen,
                 {{l + k, t}, {r - k, t}, {r, t + k}, {r, b - k}, {r - k, b}, {l + k, b}, {l, b - k}, {l, t + k}, {l + k, t}});
}

void PaintPushFace(HDC hdc, const Rect& c, bool normal) {
  const GalPixel start = Color(normal ? WEC_BKC_PUSHBUTTON_START_NORMAL : WEC_BKC_PUSHBUTTON_START_PUSHED);
  const GalPixel end = Color(normal ? WEC_BKC_PUSHBUTTON_END_NORMAL : WEC_BKC_PUSHBUTTON_END_PUSHED);
  // The box runs its gradient from the bottom up, so the end colour goes
  // in first to put the start colour at the top.
  DrawGradientBox(hdc, end, start, c.left, c.top, c.right, c.bottom, TRUE, TRUE, 0);
  PaintOctagon(hdc, c, Color(WEC_FRAME_CONTROL_NORMAL));
}

void PaintCombined(HDC hdc, const Rect& c, const char* name) {
  const Bitmap* skin = Stock(name, false);
  if (Drawable(skin)) FillBoxWithBitampCombineEx(hdc, c.left, c.top, c.right - c.left, c.bottom - c.top, skin, TRUE, TRUE, FALSE);
}

// The pairs set by SetCtrlBitmaps: slot 1 normal, slot 2 under the pointer
// or with the focus (both set 0x08), slot 3 disabled.
const Bitmap* PairBitmap(WindowHandle hwnd, bool disabled, bool lit, int which) {
  const Bitmap* chosen = disabled ? GetCtrlBitmap(hwnd, 3, which) : lit ? GetCtrlBitmap(hwnd, 2, which) : nullptr;
  return chosen ? chosen : GetCtrlBitmap(hwnd, 1, which);
}

bool Outlined(WindowHandle hwnd, const Bitmap* back, const Bitmap* fore, bool disabled) {
  return Drawable(back) && Drawable(fore) && fore->bmWidth >= back->bmWidth && fore->bmHeight >= back->bmHeight &&
         back != PairBitmap(hwnd, disabled, false, 1);
}

void PaintImageKinds(WindowHandle hwnd, HDC hdc, const Layout& lay, uint32_t kind, uint32_t state, bool disabled) {
  const Rect& c = lay.client;
  const Bitmap* back = PairBitmap(hwnd, disabled, (state & BST_FOCUS) != 0, 1);
  const Data* d = DataOf(hwnd);
  const Bitmap* disabledFore = disabled ? GetCtrlBitmap(hwnd, 3, 0) : nullptr;
  const Bitmap* fore = disabledFore ? disabledFore : reinterpret_cast<const Bitmap*>(d->image);
  if (kind == BS_IMAGEBUTTON) {
    PaintCombined(hdc, c, (state & BST_FOCUS) ? "pushbutton_hilite" : "pushbutton");
    if (Drawable(back) && static_cast<int>(back->bmHeight) <= c.bottom - c.top)
      FillBoxWithBitmap(hdc, c.left + kImageIndent, (c.top + c.bottom - static_cast<int>(back->bmHeight)) / 2, 0, 0, back);
    if (Drawable(fore))
      FillBoxWithBitmap(hdc, (c.left + c.right - static_cast<int>(fore->bmWidth)) / 2,
                        (c.top + c.bottom - static_cast<int>(fore->bmHeight)) / 2, 0, 0, fore);
    return;
  }
  if (Drawable(back)) FillBoxWithBitmap(hdc, 0, 0, 0, 0, back);
  if (Drawable(fore)) FillBoxWithBitmap(hdc, 0, 0, 0, 0, fore);
  // A picture that covers its hover background whole would hide the mark
  // of the button under the pointer or with the focus: it gets a frame.
  const bool lit = (state & BST_FOCUS) && !disabled;
  if (lit && Outlined(hwnd, back, fore, disabled))
    painters::Outline(hdc, Color(WEC_FRAME_CONTROL_HILITE), c.left, c.top, c.right - 1, c.bottom - 1);
}

void PaintFace(WindowHandle hwnd, HDC hdc, const Layout& lay, uint32_t style, uint32_t state) {
  const uint32_t kind = KindOf(style);
  const bool disabled = style & WS_DISABLED;
  const Look look = LookOf(state);
  const Rect& c = lay.client;
  if (IsCheckKind(kind) && (style & BS_PUSHLIKE)) return PaintPushFace(hdc, c, look == Look::kNormal);
  switch (kind) {
    case BS_PUSHBUTTON: case BS_PLAINPUSHBUTTON:
      return PaintCombined(hdc, c, look == Look::kFocused ? "pushbutton_hilite" : "pushbutton");
    case BS_DEFPUSHBUTTON: {
      const bool noFrame = (style & BS_PLACEMASK) == BS_NOFRAME;
      GalPixel fill = GetWindowBkColor(hwnd), pen = SysPixelIndex[SYSPIXEL_WHITE];
      if (look == Look::kPushed) fill = pen = GetDCAttr(hdc, DC_ATTR_PEN_COLOR);
      if (look == Look::kFocused) pen = Color(WEC_FRAME_CONTROL_HILITE);
      painters::Fill(hdc, fill, c.left, c.top, c.right - c.left, c.bottom - c.top);
      if (!noFrame || look == Look::kFocused) painters::Outline(hdc, pen, c.left, c.top, c.right - 1, c.bottom - 1);
      return;
    }
    case BS_IMAGEBUTTON: case BS_BITMAPBUTTON: return PaintImageKinds(hwnd, hdc, lay, kind, state, disabled);
    case BS_FRAMEBUTTON: {
      PaintCombined(hdc, c, disabled ? "framebutton_disable" : look == Look::kFocused ? "framebutton_hilite" : "framebutton");
      const Bitmap* mark = GetCheckMarkBitmap();
      if (disabled && mark)
        FillBoxWithBitmap(hdc, c.right - kCheckMarkInset, (c.top + c.bottom - static_cast<int>(mark->bmHeight)) / 2, 0, 0, mark);
      return;
    }
    case BS_ARROW: {
      const Bitmap* skin = Stock("button_arrow", false);
      if (!Drawable(skin)) return;
      CellSkin grid{skin, 3, 2, static_cast<int>(skin->bmWidth) / 3, static_cast<int>(skin->bmHeight) / 2};
      const int row = (style & BS_PLACEMASK) == 0x700u ? 1 : 0;
      const int col = disabled ? 2 : (look == Look::kPushed || look == Look::kFocused) ? 1 : 0;
      return DrawCell(hdc, grid, c, col, row);
    }
    default:
      if (lay.hasCell) PaintCheckCell(hdc, kind, state, disabled, style & BS_FRAMED, lay.cell, lay.client);
      return;
  }
}

GalPixel CaptionColor(uint32_t style, uint32_t state) {
  const uint32_t kind = KindOf(style);
  const uint32_t place = style & BS_PLACEMASK;
  const bool focused = state & BST_FOCUS;
  if (style & WS_DISABLED) {
    if (kind == BS_FRAMEBUTTON) return Color(WEC_FC_CONTROL_SELECTED);
    if (kind == BS_BITMAPBUTTON && place == 0xA00u) return SysPixelIndex[SYSPIXEL_WHITE];
    return Color(WEC_FC_CONTROL_DISABLED);
  }
  if (kind == BS_BITMAPBUTTON) {
    if (place == 0xA00u) return SysPixelIndex[focused ? SYSPIXEL_BLACK : SYSPIXEL_WHITE];
    return Color(WEC_FC_CAPTION_NORMAL);
  }
  if (kind == BS_IMAGEBUTTON || kind == BS_FRAMEBUTTON) return Color(focused ? WEC_FC_CONTROL_HILITE : WEC_FC_CONTROL_NORMAL);
  const bool pushLike = kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_PLAINPUSHBUTTON ||
                        (IsCheckKind(kind) && (style & BS_PUSHLIKE));
  if (pushLike && focused && !(state & (BST_CHECKED | BST_PUSHED))) return Color(WEC_FC_CONTROL_HILITE);
  return Color(WEC_FC_CONTROL_NORMAL);
}

uint32_t CaptionFormat(uint32_t style) {
  const uint32_t kind = KindOf(style), place = style & BS_PLACEMASK;
  const uint32_t base = (style & BS_MULTLINE) ? DT_WORDBREAK : DT_SINGLELINE;
  if (kind == BS_PUSHBUTTON || kind == BS_PLAINPUSHBUTTON || (IsCheckKind(kind) && (style & BS_PUSHLIKE)))
    return base | DT_CENTER | DT_VCENTER;
  if (kind == BS_DEFPUSHBUTTON) return base | (place == BS_NOFRAME ? DT_VCENTER : DT_CENTER | DT_VCENTER);
  if (kind == BS_BITMAPBUTTON)
    return base | (place == 0xA00u ? DT_VCENTER : place == 0xB00u ? (DT_CENTER | DT_BOTTOM) : DT_CENTER | DT_VCENTER);
  if (kind == BS_IMAGEBUTTON || kind == BS_FRAMEBUTTON) return base | DT_VCENTER;
  switch (place) {
    case BS_RIGHT: return base | DT_RIGHT | DT_VCENTER;
    case BS_CENTER: return base | DT_CENTER | DT_VCENTER;
    case BS_TOP: return base | DT_CENTER;
    case BS_BOTTOM: return base | DT_BOTTOM;
    default: return base | DT_VCENTER;
  }
}

void PaintCaption(WindowHandle hwnd, HDC hdc, const Layout& lay, uint32_t style, uint32_t state) {
  const char* caption = GetWindowCaption(hwnd);
  if (!caption || !*caption) return;
  const uint32_t kind = KindOf(style);
  SetControlFontByStyle(hwnd);
  SelectFont(hdc, GetWindowFont(hwnd));
  GalPixel back = GetWindowBkColor(hwnd), text = CaptionColor(style, state);
  if ((style & BS_CONTENTMASK) == BS_TRANSPARENTTEXT)
    text = Color((style & WS_DISABLED) ? WEC_FC_CONTROL_DISABLED : WEC_FC_CONTROL_NORMAL);
  if (kind != BS_IMAGEBUTTON && kind != BS_FRAMEBUTTON && kind != BS_BITMAPBUTTON && GetWindowAdditionalData(hwnd) == 15) {
    back = Color(WEC_BKC_CONTROL_SELECTED);
    text = Color(WEC_FC_CONTROL_HILITE);
  }
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, back);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, text);
  Rect r = lay.text;
  if ((style & BS_CONTENTMASK) == BS_ELLIPSIS)
    DrawTextOmitted(hdc, caption, -1, &r, CaptionFormat(style), r.right - r.left);
  else
    DrawTextEx2(hdc, caption, -1, &r, 0, CaptionFormat(style), nullptr);
}

void PaintContentImage(WindowHandle hwnd, HDC hdc, const Layout& lay, uint32_t style) {
  const Bitmap* image = reinterpret_cast<const Bitmap*>(DataOf(hwnd)->image);
  if (!Drawable(image)) return;
  const Rect& c = lay.client;
  const int bw = static_cast<int>(image->bmWidth), bh = static_cast<int>(image->bmHeight);
  const bool larger = bw > c.right - c.left || bh > c.bottom - c.top;
  if ((style & BS_AUTOSIZE) && !larger) {
    const Rect& t = lay.text;
    FillBoxWithBitmap(hdc, (t.left + t.right - bw) / 2, (t.top + t.bottom - bh) / 2, bw, bh, image);
    return;
  }
  FillBoxWithBitmap(hdc, c.left + 2, c.top + 2, c.right - c.left - 5, c.bottom - c.top - 5, image);
}

int Height(const char* name) {
  const Bitmap* b = Stock(name, false);
  return Drawable(b) ? static_cast<int>(b->bmHeight) : 0;
}

}  // namespace

CellSkin CheckSkin(uint32_t kind, bool focused) {
  CellSkin s;
  switch (kind) {
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: s = {Stock("radiobutton", true), 2, 3}; break;
    case BS_AUTO3STATESWITCH: s = {Stock("onoff3state", true), 3, 3}; break;
    case BS_ONOFF: s = {Stock(focused ? "onoffSel" : "onoff", true), 2, 2}; break;
    default: s = {Stock("checkbox", true), 2, 2}; break;
  }
  if (Drawable(s.bitmap)) {
    s.cellW = static_cast<int>(s.bitmap->bmWidth) / s.cols;
    s.cellH = static_cast<int>(s.bitmap->bmHeight) / s.rows;
  }
  return s;
}

Rect TextRect(WindowHandle hwnd) { return LayoutOf(hwnd).text; }

void ClearOutlineBeyondPicture(WindowHandle hwnd) {
  const uint32_t style = GetWindowStyle(hwnd);
  const Data* d = DataOf(hwnd);
  if (KindOf(style) != BS_BITMAPBUTTON || !d) return;
  const bool disabled = style & WS_DISABLED;
  const Bitmap* back = PairBitmap(hwnd, disabled, true, 1);
  const Bitmap* fore = reinterpret_cast<const Bitmap*>(d->image);
  if (disabled || !Outlined(hwnd, back, fore, disabled)) return;
  const WindowHandle parent = GetParent(hwnd);
  Rect r{};
  if (!IsValidHandle(parent) || !GetWindowRect(hwnd, &r)) return;
  // The picture is drawn from the top left corner; what it leaves of the
  // window to the right and below shows the parent.
  const int64_t right = static_cast<int64_t>(r.left) + back->bmWidth;
  const int64_t bottom = static_cast<int64_t>(r.top) + back->bmHeight;
  if (right < r.right) {
    Rect strip{static_cast<int>(right), r.top, r.right, r.bottom};
    InvalidateRect(parent, &strip, TRUE);
  }
  if (bottom < r.bottom) {
    Rect strip{r.left, static_cast<int>(bottom), r.right, r.bottom};
    InvalidateRect(parent, &strip, TRUE);
  }
}

void Paint(WindowHandle hwnd) {
  HDC hdc = BeginPaint(hwnd);
  const Data* d = DataOf(hwnd);
  const uint32_t style = GetWindowStyle(hwnd), state = d ? d->state : 0;
  const Layout lay = LayoutOf(hwnd);
  PaintFace(hwnd, hdc, lay, style, state);
  if ((style & BS_FRAMED) && (state & BST_FOCUS)) {
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, Color(WEC_FRAME_CONTROL_HILITE));
    Rectangle2(hdc, lay.client.left, lay.client.top, lay.client.right, lay.client.bottom);
  }
  if ((style & BS_CONTENTMASK) == BS_BITMAP) {
    if (d) PaintContentImage(hwnd, hdc, lay, style);
  } else if ((style & BS_CONTENTMASK) != BS_TIPALWAYS) {
    // A tip-always button offers its caption in the bubble tip only.
    PaintCaption(hwnd, hdc, lay, style, state);
  }
  EndPaint(hwnd, hdc);
}

LResult SizeCalc(WindowHandle hwnd, int msg, const Rect* requested, Rect* out) {
  if (!requested || !out) return 0;
  const uint32_t style = GetWindowStyle(hwnd), kind = KindOf(style);
  const bool autoSize = style & BS_AUTOSIZE;
  const Data* d = DataOf(hwnd);
  const bool image = d && d->image;
  const bool calc = msg == MSG_SIZECHANGING;
  if (kind == BS_BITMAPBUTTON || ((kind == BS_IMAGEBUTTON || kind == BS_FRAMEBUTTON) && calc)) {
    if (!image) return -1;
  }
  Rect r = *requested;
  if ((kind == BS_PUSHBUTTON || kind == BS_PLAINPUSHBUTTON) && autoSize) {
    r.bottom = r.top + Height("pushbutton_hilite");
  } else if (kind == BS_ARROW) {
    const Bitmap* skin = Stock("button_arrow", false);
    if (Drawable(skin)) {
      r.right = r.left + static_cast<int>(skin->bmWidth) / 3;
      r.bottom = r.top + static_cast<int>(skin->bmHeight) / 2;
    }
  } else if ((kind == BS_IMAGEBUTTON || kind == BS_FRAMEBUTTON) && calc && autoSize) {
    const int h = Height(kind == BS_IMAGEBUTTON ? "pushbutton_hilite" : "framebutton_hilite");
    r.bottom = std::max(r.bottom, r.top + h);
  } else if (IsCheckKind(kind) && kind != BS_DEFPUSHBUTTON && autoSize && !(style & BS_FRAMED)) {
    const CellSkin cell = CheckSkin(kind, false);
    const char* caption = GetWindowCaption(hwnd);
    if (!calc) {
      if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE) return 0;
      if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX) {
        r.right = r.left + cell.cellW;
        r.bottom = r.top + cell.cellH;
      }
    } else if (!caption || !*caption) {
      r.right = r.left + cell.cellW;
      r.bottom = r.top + cell.cellH;
    } else {
      HDC hdc = GetClientDC(hwnd);
      SetControlFontByStyle(hwnd);
      SelectFont(hdc, GetWindowFont(hwnd));
      if (style & BS_MULTLINE) {
        Rect room{0, 0, requested->right - requested->left - cell.cellW - kGap, 0};
        DrawTextEx2(hdc, caption, -1, &room, 0, DT_WORDBREAK | DT_CALCRECT, nullptr);
        r.right = r.left + requested->right - requested->left;
        r.bottom = r.top + std::max(cell.cellH, static_cast<int>(room.bottom - room.top));
      } else {
        Size size{};
        GetTextExtentEx(hdc, caption, -1, &size, 0);
        r.right = r.left + cell.cellW + size.cx + kGap;
        r.bottom = r.top + cell.cellH;
      }
      if (hdc != HDC_INVALID) ReleaseDC(hdc);
    }
  }
  *out = r;
  return 0;
}

}  // namespace button

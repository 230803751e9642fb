// Painting of the arrows and the drop-down button by kind, the focus frame,
// and the chosen row's picture in the field of a list of pictures.
#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/item_image.h"
#include "controls/sledit/sledit.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/paint.h"

namespace combobox {

namespace {

void Part(HDC hdc, const Rect& at, const Bitmap* bmp, int xo, int yo, int w, int h) {
  FillBoxWithBitmapPart(hdc, at.left, at.top, w, h, 0, 0, bmp, xo, yo);
}

void PaintSpin(WindowHandle hwnd, const ComboBoxData& d, HDC hdc) {
  const uint32_t style = GetWindowStyle(hwnd);
  if (Kind(hwnd) == CBS_SPINNUMBER && (style & WS_DISABLED) && !(style & CBS_TRANSPARENT)) return;
  const Skins skins = LoadSkins();
  if ((style & CBS_SPINARROW_LEFTRIGHT) && skins.leftRight) {
    const int half = static_cast<int>(skins.leftRight->bmWidth) / 2, h = static_cast<int>(skins.leftRight->bmHeight);
    Part(hdc, d.first, skins.leftRight, half, 0, half, h);
    Part(hdc, d.second, skins.leftRight, 0, 0, half, h);
    return;
  }
  if (!skins.spin) return;  // no skin, no arrows
  const int w = static_cast<int>(skins.spin->bmWidth), quarter = static_cast<int>(skins.spin->bmHeight) / 4;
  Part(hdc, d.first, skins.spin, 0, (d.state & kFirstMarked) ? 0 : quarter, w, quarter);
  Part(hdc, d.second, skins.spin, 0, (d.state & kSecondMarked) ? 2 * quarter : 3 * quarter, w, quarter);
}

void PaintDropButton(const ComboBoxData& d, HDC hdc) {
  const Bitmap* down = d.button;
  if (!down) return;
  const int w = static_cast<int>(down->bmWidth), half = static_cast<int>(down->bmHeight) / 2;
  const int y = d.first.top + (d.first.bottom - d.first.top - half) / 2;
  FillBoxWithBitmapPart(hdc, d.first.left, y, w, half, 0, 0, down, 0, (d.state & kPressed) ? half : 0);
}

// The chosen row's picture when the row has no text: while the list is
// open that is the row it opened with, not the one the keys mark.
bool PictureAlone(const ComboBoxData& d, ListBoxItemInfo* info) {
  if (!d.list || !(GetWindowStyle(d.list) & LBS_USEICON)) return false;
  const LResult index = (d.state & kOpen) ? d.openedAt : SendMessage(d.list, LB_GETCURSEL, 0, 0);
  if (index < 0 || SendMessage(d.list, LB_GETTEXTLEN, static_cast<WParam>(index), 0) != 0) return false;
  return SendMessage(d.list, LB_GETITEMADDDATA, static_cast<WParam>(index), reinterpret_cast<LParam>(info)) == 0 &&
         info->hIcon;
}

// The edit's text is empty, so its own paint would add nothing: the
// picture stands in the text's place at the list's row height, centred.
void PaintPicture(WindowHandle edit, const ComboBoxData& d, const ListBoxItemInfo& info) {
  Rect client{};
  GetClientRect(edit, &client);
  const sledit::SLEditData* field = sledit::DataOf(edit);
  const Rect text = field ? field->textRect : client;
  const int h = static_cast<int>(SendMessage(d.list, LB_GETITEMHEIGHT, 0, 0));
  HDC hdc = BeginPaint(edit);
  ClipRectIntersect(hdc, &text);
  int x = text.left;
  if (h > 0) listbox::PaintItemImage(hdc, info.hIcon, info.cmFlag & LBIF_BITMAP, x, (client.bottom - h) / 2, h);
  EndPaint(edit, hdc);
}

}  // namespace

LResult PictureField(WindowHandle edit, int msg, WParam wParam, LParam lParam) {
  const ComboBoxData* d = msg == MSG_PAINT ? Of(GetParent(edit)) : nullptr;
  ListBoxItemInfo info{};
  if (d && PictureAlone(*d, &info)) {
    PaintPicture(edit, *d, info);
    return 0;
  }
  return EditOwn(edit, msg, wParam, lParam);
}

void Paint(WindowHandle hwnd, ComboBoxData& d, HDC hdc) {
  const uint32_t kind = Kind(hwnd);
  switch (kind) {
    case CBS_SPINNUMBER: case CBS_SPINLIST: PaintSpin(hwnd, d, hdc); break;
    case CBS_DROPDOWNLIST: PaintDropButton(d, hdc); break;
    case CBS_SIMPLE: case CBS_FIXEDLIST:
      if (d.button)
        FillBoxWithBitmap(hdc, d.first.left, d.first.top, static_cast<int>(d.button->bmWidth),
                          static_cast<int>(d.button->bmHeight), d.button);
      break;
    case CBS_DATE: case CBS_TIME:
      if (d.button && !(GetWindowStyle(hwnd) & WS_DISABLED)) {
        const int bh = static_cast<int>(d.button->bmHeight);
        FillBoxWithBitmap(hdc, d.first.left, d.first.top + (d.first.bottom - d.first.top - bh) / 2,
                          static_cast<int>(d.button->bmWidth), bh, d.button);
      }
      break;
    default: break;
  }
  const uint32_t style = GetWindowStyle(hwnd);
  if ((style & CBS_TRANSPARENT) || !(d.state & kFocused) || kind == CBS_SPINLIST) return;
  Rect r{};
  GetClientRect(hwnd, &r);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[WEC_FRAME_CONTROL_HILITE]);
  Rectangle(hdc, r.left, r.top, r.right - 1, r.bottom - 1);
}

LResult EraseBackground(WindowHandle hwnd, WParam wParam, LParam lParam) {
  const uint32_t style = GetWindowStyle(hwnd);
  if (style & CBS_TRANSPARENT) return 0;
  HDC hdc = static_cast<HDC>(wParam);
  const Rect* clip = reinterpret_cast<const Rect*>(lParam);
  return (style & CBS_CONTROLBKGND) ? EraseControlBkgnd(hwnd, hdc, clip) : EraseEditFrameBkgnd(hwnd, hdc, clip);
}

}  // namespace combobox

// Pictures of the main menu and its sub-menus: the nine main-menu buttons
// (a large and a small set for the two screen sizes) with their hover
// background, the tip line's help icon, the title strip, and the small item
// icons of the sub-menus with their selected twins.
#include "bmp_writer.h"

namespace {

const Rgb kTile{0x2B, 0x26, 0x21}, kHover{0x55, 0x4A, 0x3C}, kInk{0xE8, 0xE4, 0xDC};
const Rgb kAccents[9] = {{0x40, 0xB0, 0x60}, {0x40, 0x90, 0xD0}, {0xD0, 0x90, 0x30}, {0x90, 0x90, 0xA0},
                         {0xD0, 0x40, 0x40}, {0x50, 0x70, 0xC0}, {0x80, 0x80, 0x80}, {0xB0, 0x80, 0x50},
                         {0xC0, 0x38, 0x30}};

// One glyph per button, drawn into the square (x, y, s).
void Glyph(Image& im, int item, int x, int y, int s) {
  const int u = s / 8 > 0 ? s / 8 : 1;
  switch (item) {
    case 0:  // play
      for (int k = 0; k < 4 * u; ++k) im.FillRect(x + 2 * u + k, y + u + k / 2, 1, 6 * u - k, kInk);
      break;
    case 1:  // arrow into a tray
      im.FillRect(x + 3 * u + u / 2, y + u, u, 4 * u, kInk);
      im.FillRect(x + 2 * u, y + 4 * u, 4 * u, u, kInk);
      im.FillRect(x + u, y + 6 * u, 6 * u, u, kInk);
      break;
    case 2:  // hand: a disc
      for (int j = 0; j < 6 * u; ++j)
        for (int i = 0; i < 6 * u; ++i)
          if ((i - 3 * u) * (i - 3 * u) + (j - 3 * u) * (j - 3 * u) <= 9 * u * u) im.Set(x + u + i, y + u + j, kInk);
      break;
    case 3:  // disks
      for (int d = 0; d < 3; ++d) im.FrameRect(x + u, y + u + d * 2 * u, 6 * u, 2 * u - 1, kInk);
      break;
    case 4:  // record: frame and dot
      im.FrameRect(x + u, y + u, 6 * u, 6 * u, kInk);
      im.FillRect(x + 3 * u, y + 3 * u, 2 * u, 2 * u, kInk);
      break;
    case 5:  // camera body and lens
      im.FillRect(x + u, y + 2 * u, 5 * u, 4 * u, kInk);
      im.FillRect(x + 6 * u, y + 3 * u, u, 2 * u, kInk);
      break;
    case 6:  // settings cross
      im.FillRect(x + 3 * u, y + u, 2 * u, 6 * u, kInk);
      im.FillRect(x + u, y + 3 * u, 6 * u, 2 * u, kInk);
      break;
    case 7:  // wrench: an L
      im.FillRect(x + 2 * u, y + u, u, 6 * u, kInk);
      im.FillRect(x + 2 * u, y + 6 * u, 4 * u, u, kInk);
      break;
    default:  // power: ring and bar
      im.FrameRect(x + u, y + 2 * u, 6 * u, 5 * u, kInk);
      im.FillRect(x + 3 * u + u / 2, y, u, 4 * u, kInk);
      break;
  }
}

// The glyph sits in the upper part, leaving the middle to the caption.
template <int Item, int Size>
Image Picture() {
  Image im(Size, Size, kTile);
  const int s = Size / 4;
  im.FillRect((Size - s) / 2 - 2, 4, s + 4, s + 4, kAccents[Item]);
  Glyph(im, Item, (Size - s) / 2, 6, s);
  return im;
}

template <int Size>
Image Hover() {
  Image im(Size, Size, kHover);
  im.FrameRect(0, 0, Size, Size, kInk);
  return im;
}

Image Help() {
  Image im(16, 16, Rgb{0x1C, 0x1A, 0x1B});
  im.FrameRect(2, 2, 12, 12, kInk);
  im.FillRect(7, 4, 2, 5, kInk);
  im.FillRect(7, 10, 2, 2, kInk);
  return im;
}

Image TitleStrip() {
  Image im(24, 6);
  im.Gradient(0, 0, 24, 6, Rgb{0xC0, 0x70, 0x30}, Rgb{0x60, 0x38, 0x18});
  return im;
}

// Sub-menu item icons: a small tile with a mark per item; the selected twin
// is lit.
template <int Mark, bool Selected>
Image ItemIcon() {
  Image im(20, 20, Selected ? Rgb{0xC0, 0x70, 0x30} : Rgb{0x40, 0x40, 0x40});
  const Rgb ink = Selected ? Rgb{0xFF, 0xFF, 0xFF} : Rgb{0xB0, 0xB0, 0xB0};
  im.FrameRect(3, 3, 14, 14, ink);
  im.FillRect(5 + (Mark % 3) * 4, 5 + (Mark / 3 % 3) * 4, 3, 3, ink);
  return im;
}

#define MENU_PICTURES(name, item) \
  {"mainmenu_" name, Picture<item, 100>}, {"mainmenu_" name "_s", Picture<item, 72>}
#define ITEM_ICONS(name, mark) {name, ItemIcon<mark, false>}, {name "_sel", ItemIcon<mark, true>}

const SkinFamily kMenuSkins{
    MENU_PICTURES("playback", 0),
    MENU_PICTURES("export", 1),
    MENU_PICTURES("manual", 2),
    MENU_PICTURES("disk", 3),
    MENU_PICTURES("recordconfig", 4),
    MENU_PICTURES("cameraconfig", 5),
    MENU_PICTURES("systemconfig", 6),
    MENU_PICTURES("maintenance", 7),
    MENU_PICTURES("shutdown", 8),
    {"mainmenu_bg_hover", Hover<100>},
    {"mainmenu_bg_hover_s", Hover<72>},
    {"mainmenu_help", Help},
    {"mainmenu_topmiddle", TitleStrip},
    ITEM_ICONS("submenu_item0", 0),
    ITEM_ICONS("submenu_item1", 1),
    ITEM_ICONS("submenu_item2", 2),
    ITEM_ICONS("submenu_item3", 3),
    ITEM_ICONS("submenu_item4", 4),
    ITEM_ICONS("submenu_item5", 5),
    ITEM_ICONS("submenu_item6", 6),
    ITEM_ICONS("submenu_item7", 7),
    ITEM_ICONS("submenu_item8", 8),
    ITEM_ICONS("submenu_home", 4),
};

}  // namespace

// Skins of window frames: captions, frame corners, the menu highlight band,
// and the system bitmaps of the caption buttons (four cells: maximize,
// minimize, restore, close) and scroll arrows (four cells up, down, left,
// right; the second row for a disabled bar).
#include "bmp_writer.h"

namespace {

const Rgb kCaptionTop{0x48, 0x68, 0x98}, kCaptionBottom{0x20, 0x30, 0x58}, kLight{0xC0, 0xD0, 0xE8};
const Rgb kButtonFace{0x38, 0x48, 0x70}, kGlyph{0xF0, 0xF0, 0xF0}, kClose{0xB0, 0x30, 0x30};
const Rgb kArrowFace{0x50, 0x48, 0x40}, kArrow{0xE0, 0xE0, 0xE0}, kArrowDim{0x80, 0x80, 0x80};

Image Caption(int height) {
  Image img(30, height);
  img.Gradient(0, 0, 30, height, kCaptionTop, kCaptionBottom);
  img.FillRect(0, 0, 30, 1, kLight);
  return img;
}

Image Corners() {
  Image img(16, 16, Rgb{0x30, 0x28, 0x20});
  img.FrameRect(0, 0, 16, 16, Rgb{0x68, 0x88, 0xA0});
  img.FrameRect(1, 1, 14, 14, Rgb{0x40, 0x50, 0x60});
  return img;
}

Image MenuBand() {
  Image img(30, 24);
  img.Gradient(0, 0, 30, 24, Rgb{0x40, 0x80, 0xC0}, Rgb{0x28, 0x50, 0x90});
  return img;
}

void Cross(Image& img, int x0, int y0, int size, Rgb c) {
  for (int i = 0; i < size; ++i) {
    img.FillRect(x0 + i, y0 + i, 2, 1, c);
    img.FillRect(x0 + size - 1 - i, y0 + i, 2, 1, c);
  }
}

Image CaptionButtons() {
  constexpr int kCell = 20;
  Image img(4 * kCell, kCell);
  for (int cell = 0; cell < 4; ++cell) {
    const int x = cell * kCell;
    img.FillRect(x + 1, 1, kCell - 2, kCell - 2, cell == 3 ? kClose : kButtonFace);
    img.FrameRect(x, 0, kCell, kCell, kLight);
  }
  img.FrameRect(5, 5, 10, 10, kGlyph);  // maximize
  img.FillRect(5, 6, 10, 2, kGlyph);
  img.FillRect(kCell + 5, 13, 10, 2, kGlyph);  // minimize
  img.FrameRect(2 * kCell + 7, 4, 8, 8, kGlyph);  // restore
  img.FrameRect(2 * kCell + 4, 8, 8, 8, kGlyph);
  Cross(img, 3 * kCell + 5, 5, 10, kGlyph);  // close
  return img;
}

// A triangle pointing in one of four directions inside a cell.
void Arrow(Image& img, int x0, int y0, int cell, int dir, Rgb c) {
  const int mid = cell / 2;
  for (int i = 0; i < 5; ++i) {
    switch (dir) {
      case 0: img.FillRect(x0 + mid - i, y0 + 5 + i, 2 * i + 1, 1, c); break;       // up
      case 1: img.FillRect(x0 + mid - i, y0 + 10 - i, 2 * i + 1, 1, c); break;      // down
      case 2: img.FillRect(x0 + 5 + i, y0 + mid - i, 1, 2 * i + 1, c); break;       // left
      default: img.FillRect(x0 + 10 - i, y0 + mid - i, 1, 2 * i + 1, c); break;     // right
    }
  }
}

Image ScrollArrows() {
  constexpr int kCell = 16;
  Image img(4 * kCell, 2 * kCell);
  for (int row = 0; row < 2; ++row)
    for (int dir = 0; dir < 4; ++dir) {
      img.FillRect(dir * kCell, row * kCell, kCell, kCell, kArrowFace);
      img.FrameRect(dir * kCell, row * kCell, kCell, kCell, Rgb{0x70, 0x68, 0x60});
      Arrow(img, dir * kCell, row * kCell, kCell, dir, row ? kArrowDim : kArrow);
    }
  return img;
}

const SkinFamily kWindowSkins{
    {"caption", [] { return Caption(24); }},
    {"winextra_caption", [] { return Caption(28); }},
    {"corners", Corners},
    {"rirur_menu", MenuBand},
    {"sys_capbtns", CaptionButtons},
    {"sys_arrows", ScrollArrows},
};

}  // namespace

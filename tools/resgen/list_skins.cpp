// Skins of the list box and the value selectors: the three check-mark
// frames side by side (checked, unchecked, partly checked), the drop-down
// arrow's normal and pressed halves, the spin arrows' four quarter rows
// (up pressed, up, down pressed, down), the left and right arrow halves,
// and the combine control's clear mark (system bitmap 7).
#include <initializer_list>

#include "bmp_writer.h"

namespace {

const Rgb kFrame{0x90, 0x88, 0x78}, kFace{0x70, 0x68, 0x58}, kFaceDark{0x40, 0x38, 0x30};
const Rgb kPressed{0xD0, 0x90, 0x40}, kPressedDark{0x90, 0x58, 0x28};
const Rgb kArrow{0xF0, 0xE8, 0xD8}, kBox{0x20, 0x1C, 0x18}, kTick{0xF0, 0xC0, 0x40};

enum class Dir { kUp, kDown, kLeft, kRight };

// A filled triangle pointing one way, centred in the cell.
void Arrow(Image& img, int x, int y, int w, int h, Dir dir) {
  const int size = (w < h ? w : h) / 3;
  const int cx = x + w / 2, cy = y + h / 2;
  for (int i = 0; i <= size; ++i) {
    for (int j = -i; j <= i; ++j) {
      switch (dir) {
        case Dir::kUp: img.Set(cx + j, cy - size / 2 + i, kArrow); break;
        case Dir::kDown: img.Set(cx + j, cy + size / 2 - i, kArrow); break;
        case Dir::kLeft: img.Set(cx - size / 2 + i, cy + j, kArrow); break;
        case Dir::kRight: img.Set(cx + size / 2 - i, cy + j, kArrow); break;
      }
    }
  }
}

void Cell(Image& img, int x, int y, int w, int h, bool pressed, Dir dir) {
  img.Gradient(x, y, w, h, pressed ? kPressed : kFace, pressed ? kPressedDark : kFaceDark);
  img.FrameRect(x, y, w, h, kFrame);
  Arrow(img, x, y, w, h, dir);
}

Image CheckMark() {
  Image img(33, 11);
  for (int i = 0; i < 3; ++i) {
    const int x = i * 11;
    img.FillRect(x, 0, 11, 11, kBox);
    img.FrameRect(x, 0, 11, 11, kFrame);
  }
  for (int k = 0; k < 3; ++k) {  // the tick of the first frame
    img.Set(2 + k, 5 + k, kTick);
    img.Set(2 + k, 4 + k, kTick);
  }
  for (int k = 0; k < 5; ++k) {
    img.Set(5 + k, 6 - k, kTick);
    img.Set(5 + k, 5 - k, kTick);
  }
  img.FillRect(22 + 3, 3, 5, 5, kTick);  // partly checked: a square
  return img;
}

struct CellLook {
  int x, y, w, h;
  bool pressed;
  Dir dir;
};

Image Cells(int w, int h, std::initializer_list<CellLook> cells) {
  Image img(w, h);
  for (const CellLook& c : cells) Cell(img, c.x, c.y, c.w, c.h, c.pressed, c.dir);
  return img;
}

Image DownArrow() { return Cells(20, 26, {{0, 0, 20, 13, false, Dir::kDown}, {0, 13, 20, 13, true, Dir::kDown}}); }

Image SpinArrows() {
  return Cells(16, 52, {{0, 0, 16, 13, true, Dir::kUp},
                        {0, 13, 16, 13, false, Dir::kUp},
                        {0, 26, 16, 13, true, Dir::kDown},
                        {0, 39, 16, 13, false, Dir::kDown}});
}

Image LeftRightArrows() {
  return Cells(32, 20, {{0, 0, 16, 20, false, Dir::kLeft}, {16, 0, 16, 20, false, Dir::kRight}});
}

// System bitmap 7: the combine control's clear mark, a cross in a box.
Image ClearMark() {
  Image img(12, 12, kBox);
  img.FrameRect(0, 0, 12, 12, kFrame);
  for (int k = 3; k <= 8; ++k) {
    img.Set(k, k, kArrow);
    img.Set(11 - k, k, kArrow);
  }
  return img;
}

// System bitmaps 2 to 6 are not drawn by anything yet; they hold their
// numbers so that 7 can be loaded.
Image Blank() { return Image(4, 4, kBox); }

const SkinFamily kListSkins{
    {"checkmark", CheckMark},
    {"downarrow", DownArrow},  // also the menu button's: upper half normal, lower half the other look
    {"spin_updown_arrow", SpinArrows},
    {"leftrightarrow", LeftRightArrows},
    {"sys_clearmark", ClearMark},
    {"sys_blank", Blank},
};

}  // namespace

// The live-view side menu: a bar with a ridged drag grip in its left third,
// and one 40 x 44 picture per item in a normal and a dimmed (disabled) ink.
#include "bmp_writer.h"

namespace {

constexpr int kW = 40, kH = 44;
const Rgb kFace{0x26, 0x2A, 0x32}, kHoverFace{0x3C, 0x50, 0x70};
const Rgb kInk{0xE4, 0xE8, 0xEE}, kDimInk{0x70, 0x74, 0x7A}, kRed{0xD8, 0x40, 0x40}, kDimRed{0x6C, 0x40, 0x40};

struct Inks {
  Rgb ink, accent;
};
const Inks kNormal{kInk, kRed}, kDisabled{kDimInk, kDimRed};

Image Face() { return Image(kW, kH, kFace); }

// Glyphs inside the 40 x 44 picture, centred near (20, 22).
void Fullscreen(Image& i, const Inks& k) {
  for (int d = 0; d < 8; ++d) {
    i.FillRect(9 + d, 11, 1, 1, k.ink), i.FillRect(9, 11 + d, 1, 1, k.ink);
    i.FillRect(30 - d, 32, 1, 1, k.ink), i.FillRect(30, 32 - d, 1, 1, k.ink);
  }
}
void Comeback(Image& i, const Inks& k) {
  i.FrameRect(12, 14, 16, 16, k.ink);
  i.FillRect(16, 18, 8, 8, k.ink);
}
void Record(Image& i, const Inks& k) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int dx = 2 * x - 15, dy = 2 * y - 15;
      if (dx * dx + dy * dy <= 225) i.Set(12 + x, 14 + y, k.accent);
    }
}
void Recording(Image& i, const Inks& k) {
  Record(i, k);
  i.FillRect(17, 19, 6, 6, k.ink);
}
void Playback5m(Image& i, const Inks& k) {
  i.FrameRect(8, 12, 24, 20, k.ink);
  for (int d = 0; d < 6; ++d) i.FillRect(17 + d, 16 + d, 1, 12 - 2 * d, k.ink);
}
void Speaker(Image& i, const Inks& k) {
  i.FillRect(10, 18, 5, 8, k.ink);
  for (int d = 0; d < 6; ++d) i.FillRect(15 + d, 18 - d, 1, 8 + 2 * d, k.ink);
}
void NoSound(Image& i, const Inks& k) {
  Speaker(i, k);
  for (int d = 0; d < 8; ++d) i.FillRect(24 + d, 18 + d, 2, 1, k.accent), i.FillRect(31 - d, 18 + d, 2, 1, k.accent);
}
void Sound(Image& i, const Inks& k) {
  Speaker(i, k);
  i.FillRect(25, 19, 2, 6, k.ink);
  i.FillRect(29, 16, 2, 12, k.ink);
}
void Snapshot(Image& i, const Inks& k) {
  i.FrameRect(9, 15, 22, 16, k.ink);
  i.FillRect(14, 12, 8, 3, k.ink);
  i.FrameRect(16, 19, 8, 8, k.ink);
}
void Ptz(Image& i, const Inks& k) {
  for (int d = 0; d < 5; ++d) {
    i.FillRect(20 - d, 10 + d, 2 * d + 1, 1, k.ink), i.FillRect(20 - d, 34 - d, 2 * d + 1, 1, k.ink);
    i.FillRect(8 + d, 22 - d, 1, 2 * d + 1, k.ink), i.FillRect(32 - d, 22 - d, 1, 2 * d + 1, k.ink);
  }
  i.FrameRect(17, 19, 7, 7, k.ink);
}
void ZoomIn(Image& i, const Inks& k) {
  i.FrameRect(10, 12, 16, 16, k.ink);
  i.FillRect(14, 19, 8, 2, k.ink), i.FillRect(17, 16, 2, 8, k.ink);
  for (int d = 0; d < 6; ++d) i.FillRect(25 + d, 27 + d, 3, 2, k.ink);
}
void Picture(Image& i, const Inks& k) {
  i.FrameRect(9, 12, 22, 20, k.ink);
  for (int d = 0; d < 7; ++d) i.FillRect(12 + d, 28 - d, 1, d + 1, k.accent);
  i.FillRect(24, 16, 4, 4, k.ink);
}
void Strategy(Image& i, const Inks& k) {
  for (int b = 0; b < 3; ++b) i.FillRect(11 + 7 * b, 28 - 6 * b, 5, 4 + 6 * b, k.ink);
}
void Hide(Image& i, const Inks& k) {
  for (int d = 0; d < 7; ++d) i.FillRect(14 + d, 16 + d, 13 - 2 * d, 2, k.ink);
  i.FillRect(13, 30, 15, 2, k.ink);
}

template <void (*Glyph)(Image&, const Inks&), bool Dim>
Image Item() {
  Image img = Face();
  Glyph(img, Dim ? kDisabled : kNormal);
  return img;
}

// The bar: head third the grip (ridges), middle and tail the plain face,
// stretched by the three-part fill.
Image Background() {
  Image img(144, 48, kFace);
  img.Gradient(0, 0, 144, 48, Rgb{0x34, 0x3A, 0x44}, kFace);
  for (int x = 18; x < 32; x += 4) img.FillRect(x, 12, 2, 24, Rgb{0x90, 0x96, 0xA0});
  img.FillRect(47, 6, 1, 36, Rgb{0x50, 0x56, 0x60});
  return img;
}
Image Hover() { return Image(kW, kH, kHoverFace); }

#define LEFTMENU_ITEM(name, glyph) \
  {"leftclick_" name, Item<glyph, false>}, { "leftclick_" name "_dis", Item<glyph, true> }

const SkinFamily kLeftMenuSkins{
    LEFTMENU_ITEM("fullscreen", Fullscreen), LEFTMENU_ITEM("comeback", Comeback),
    LEFTMENU_ITEM("record", Record),         LEFTMENU_ITEM("recording", Recording),
    LEFTMENU_ITEM("playback5m", Playback5m), LEFTMENU_ITEM("nosound", NoSound),
    LEFTMENU_ITEM("sound", Sound),           LEFTMENU_ITEM("snapshot", Snapshot),
    LEFTMENU_ITEM("ptz", Ptz),               LEFTMENU_ITEM("zoomin", ZoomIn),
    LEFTMENU_ITEM("picture", Picture),       LEFTMENU_ITEM("previewstrategy", Strategy),
    LEFTMENU_ITEM("hide", Hide),             {"leftclick_bg", Background},
    {"leftclick_bghover", Hover},
};

}  // namespace

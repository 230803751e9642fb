// Skins of the track bar, the playback time bar and its zoom buttons, the
// segmented selector's divider mark and the menu button's arrow. Most are
// loaded with the top-left pixel as the transparent colour, so those start
// with the key colour; "timebar_hour" starts with the colour the time bar
// draws its base line in.
#include "bmp_writer.h"

namespace {

const Rgb kKey{0xFF, 0x00, 0xFF}, kCorner{0x2A, 0x2A, 0x2E};
const Rgb kGroove{0x20, 0x20, 0x20}, kGrooveLight{0x58, 0x58, 0x58};
const Rgb kThumb{0xE0, 0xA8, 0x50}, kThumbDark{0x98, 0x60, 0x20}, kEdge{0xF8, 0xE0, 0xB0};
const Rgb kPanel{0x34, 0x34, 0x38}, kPanelDark{0x1C, 0x1C, 0x20};
const Rgb kBase{0x90, 0x98, 0xA0}, kMark{0xE8, 0xE8, 0xE8};
const Rgb kFace{0x60, 0x60, 0x68}, kFaceDark{0x38, 0x38, 0x40}, kHover{0xD0, 0x90, 0x40};
const Rgb kGlyph{0xF0, 0xF0, 0xF0}, kGlyphDim{0x78, 0x78, 0x78};

// Three equal parts along the width: rounded head, plain middle, rounded
// tail. The corners carry a colour of their own, so the loaded key hides
// only them.
Image ThreePartGroove(int w, int h, Rgb top, Rgb bottom) {
  Image img(w, h);
  img.Gradient(0, 0, w, h, top, bottom);
  for (int y : {0, h - 1}) {
    img.Set(0, y, kCorner);
    img.Set(w - 1, y, kCorner);
  }
  return img;
}

Image TrackBar() { return ThreePartGroove(30, 8, kGroove, kGrooveLight); }
// The time bar's background is laid from the bar's top at the skin's own
// height: tall enough for the bars the pages make.
Image TimeBarBackground() { return ThreePartGroove(30, 96, kPanel, kPanelDark); }

Image VerticalTrack() {
  Image img(6, 30);
  img.Gradient(0, 0, 6, 30, kGroove, kGrooveLight);
  return img;
}

// A thumb box with a grip line along its long side. The horizontal thumb
// is loaded without a key; the vertical one keys out its top-left corner.
Image Thumb(int w, int h, bool keyCorner) {
  Image img(w, h);
  img.Gradient(0, 0, w, h, kThumb, kThumbDark);
  img.FrameRect(0, 0, w, h, kEdge);
  if (w < h)
    img.FillRect(w / 2 - 1, 3, 2, h - 6, kThumbDark);
  else
    img.FillRect(3, h / 2 - 1, w - 6, 2, kThumbDark);
  if (keyCorner) img.Set(0, 0, kKey);
  return img;
}

Image HourMark() {
  Image img(2, 10, kMark);
  img.Set(0, 0, kBase);
  return img;
}

Image MinuteMark() {
  Image img(1, 7, kMark);
  img.Set(0, 0, kKey);
  return img;
}

// Zoom buttons: a face with a frame (hover: a light frame), and glyphs on
// the same face, so they look alike with or without the key colour.
Image ZoomBackground(Rgb frame) {
  Image img(20, 20, kFace);
  img.FrameRect(0, 0, 20, 20, frame);
  return img;
}

// 16 x 16 glyphs: a minus, and a plus for zooming in.
Image ZoomGlyph(bool plus, Rgb color) {
  Image img(16, 16, kFace);
  img.FillRect(3, 7, 10, 2, color);
  if (plus) img.FillRect(7, 3, 2, 10, color);
  return img;
}

Image SegRateArrow() {
  Image img(9, 4, kKey);
  for (int i = 0; i < 4; ++i) img.FillRect(4 - i, i, 2 * i + 1, 1, kThumb);
  return img;
}

// Two half rows: the arrow, then the same arrow disabled.
const SkinFamily kBarSkins{
    {"trackbar", TrackBar},
    {"timebar_bk", TimeBarBackground},
    {"trackbar_vbg", VerticalTrack},
    {"trackbar_hslider", [] { return Thumb(12, 15, false); }},
    {"trackbar_vslider", [] { return Thumb(15, 12, true); }},
    {"timebar_hour", HourMark},
    {"timebar_min", MinuteMark},
    {"zoom_bk_normal", [] { return ZoomBackground(kFaceDark); }},
    {"zoom_bk_hover", [] { return ZoomBackground(kHover); }},
    {"zoomin_fg_normal", [] { return ZoomGlyph(true, kGlyph); }},
    {"zoomin_fg_dis", [] { return ZoomGlyph(true, kGlyphDim); }},
    {"zoomout_fg_normal", [] { return ZoomGlyph(false, kGlyph); }},
    {"zoomout_fg_dis", [] { return ZoomGlyph(false, kGlyphDim); }},
    {"segrate_arrow", SegRateArrow},
};

}  // namespace

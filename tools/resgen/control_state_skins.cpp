// Skins of the basic controls, each in the shape its control cuts it by:
// three-part strips (head, repeated middle, tail) for push and frame
// buttons, the edit background and the sheet tabs; grids of state cells
// (columns by check value, rows by look) for check boxes, radio buttons
// and switches; the arrow button's cells; the edit frame's four corner
// quadrants; and the 16 x 16 indeterminate mark at (32, 0) of "button".
#include "bmp_writer.h"

namespace {

const Rgb kEdge{0x90, 0x88, 0x78}, kInk{0xF0, 0xF0, 0xF0}, kDimInk{0x80, 0x80, 0x80};
const Rgb kFace{0x70, 0x68, 0x58}, kFaceDark{0x40, 0x38, 0x30};
const Rgb kHilite{0xD0, 0x90, 0x40}, kHiliteDark{0x90, 0x58, 0x28};
const Rgb kDim{0x58, 0x58, 0x58}, kDimDark{0x40, 0x40, 0x40};
const Rgb kWell{0x20, 0x20, 0x20}, kBack{0x30, 0x30, 0x30}, kOn{0x40, 0xA0, 0x50};

struct Tone {
  Rgb top, bottom, edge;
};
const Tone kNormal{kFace, kFaceDark, kEdge}, kFocus{kHilite, kHiliteDark, kInk}, kOff{kDim, kDimDark, kDimInk};

// A strip of three equal parts: rounded head and tail, plain middle.
Image Strip(int w, int h, const Tone& t) {
  Image img(w, h, kBack);
  img.Gradient(0, 0, w, h, t.top, t.bottom);
  img.FillRect(2, 0, w - 4, 1, t.edge);
  img.FillRect(2, h - 1, w - 4, 1, t.edge);
  img.FillRect(0, 2, 1, h - 4, t.edge);
  img.FillRect(w - 1, 2, 1, h - 4, t.edge);
  img.Set(1, 1, t.edge);
  img.Set(w - 2, 1, t.edge);
  img.Set(1, h - 2, t.edge);
  img.Set(w - 2, h - 2, t.edge);
  return img;
}

void Tick(Image& img, int x, int y, int s, Rgb c) {
  for (int i = 0; i < s / 3; ++i) img.FillRect(x + s / 4 + i, y + s / 2 + i - 1, 1, 2, c);
  for (int i = 0; i < s / 2; ++i) img.FillRect(x + s / 4 + s / 3 + i, y + s / 2 + s / 3 - 2 - i, 1, 2, c);
}

// One check cell: a framed well; value 1 ticked, 2 half-filled.
void CheckCell(Image& img, int x, int y, int s, int value, const Tone& t) {
  img.FillRect(x, y, s, s, kBack);
  img.FillRect(x + 1, y + 1, s - 2, s - 2, kWell);
  img.FrameRect(x + 1, y + 1, s - 2, s - 2, t.edge);
  if (value == 1) Tick(img, x, y, s, t.edge);
  if (value == 2) img.FillRect(x + 4, y + s / 2 - 1, s - 8, 2, t.edge);
}

void RadioCell(Image& img, int x, int y, int s, int value, const Tone& t) {
  img.FillRect(x, y, s, s, kBack);
  const int c = s / 2, r = s / 2 - 1;
  for (int j = 0; j < s; ++j)
    for (int i = 0; i < s; ++i) {
      const int d = (i - c) * (i - c) + (j - c) * (j - c);
      if (d <= r * r) img.Set(x + i, y + j, d >= (r - 1) * (r - 1) ? t.edge : kWell);
      if (value && d <= (r / 2) * (r / 2)) img.Set(x + i, y + j, t.edge);
    }
}

// A switch: a track with the knob at the left (0), right (1) or middle.
void SwitchCell(Image& img, int x, int y, int w, int h, int value, const Tone& t) {
  img.FillRect(x, y, w, h, kBack);
  img.FillRect(x + 1, y + 2, w - 2, h - 4, value == 1 ? kOn : kWell);
  img.FrameRect(x + 1, y + 2, w - 2, h - 4, t.edge);
  const int knob = h - 2, kx = value == 0 ? x + 1 : value == 1 ? x + w - 1 - knob : x + (w - knob) / 2;
  img.Gradient(kx, y + 1, knob, knob, t.top, t.bottom);
  img.FrameRect(kx, y + 1, knob, knob, t.edge);
}

Image CheckGrid() {
  const int s = 13;
  Image img(2 * s, 2 * s);
  for (int v = 0; v < 2; ++v) {
    CheckCell(img, v * s, 0, s, v, kNormal);
    CheckCell(img, v * s, s, s, v, kOff);
  }
  return img;
}

// Rows: focused, normal, disabled.
Image RadioGrid() {
  const int s = 13;
  Image img(2 * s, 3 * s);
  const Tone rows[] = {kFocus, kNormal, kOff};
  for (int r = 0; r < 3; ++r)
    for (int v = 0; v < 2; ++v) RadioCell(img, v * s, r * s, s, v, rows[r]);
  return img;
}

Image SwitchGrid(const Tone& look) {
  const int w = 36, h = 18;
  Image img(2 * w, 2 * h);
  for (int v = 0; v < 2; ++v) {
    SwitchCell(img, v * w, 0, w, h, v, look);
    SwitchCell(img, v * w, h, w, h, v, kOff);
  }
  return img;
}

Image OnOff() { return SwitchGrid(kNormal); }
Image OnOffSelected() { return SwitchGrid(kFocus); }

// Rows: normal, focused, disabled; columns off, on, middle.
Image ThreeStateGrid() {
  const int w = 36, h = 18;
  Image img(3 * w, 3 * h);
  const Tone rows[] = {kNormal, kFocus, kOff};
  for (int r = 0; r < 3; ++r)
    for (int v = 0; v < 3; ++v) SwitchCell(img, v * w, r * h, w, h, v, rows[r]);
  return img;
}

// Columns normal, pressed, disabled; rows left and right arrows.
Image ArrowGrid() {
  const int s = 16;
  Image img(3 * s, 2 * s);
  const Tone cols[] = {kNormal, kFocus, kOff};
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 2; ++r) {
      const int x = c * s, y = r * s;
      img.Gradient(x, y, s, s, cols[c].top, cols[c].bottom);
      img.FrameRect(x, y, s, s, cols[c].edge);
      for (int i = 0; i < 5; ++i) {
        const int col = r == 0 ? x + 5 + i : x + 10 - i;
        img.FillRect(col, y + 8 - i, 1, 2 * i + 1, cols[c].edge);
      }
    }
  return img;
}

// Three 16 x 16 parts; the third is the indeterminate mark.
Image ButtonParts() {
  Image img(48, 16, kBack);
  CheckCell(img, 0, 0, 16, 0, kNormal);
  CheckCell(img, 16, 0, 16, 1, kNormal);
  CheckCell(img, 32, 0, 16, 2, kNormal);
  return img;
}

// Four quadrants, each a rounded corner of a two-pixel frame.
Image Corners(Rgb edge, Rgb fill) {
  const int s = 12, c = s / 2;
  Image img(s, s, fill);
  for (int j = 0; j < s; ++j)
    for (int i = 0; i < s; ++i) {
      const int dx = i < c ? c - 1 - i : i - c, dy = j < c ? c - 1 - j : j - c;
      const int d = dx * dx + dy * dy;
      if (d >= 16 && d <= 34) img.Set(i, j, edge);
      if (d > 34) img.Set(i, j, kBack);
    }
  return img;
}

Image PushButton() { return Strip(30, 26, kNormal); }
Image PushButtonHilite() { return Strip(30, 26, kFocus); }
Image FrameButton() { return Strip(30, 26, Tone{kWell, kBack, kEdge}); }
Image FrameButtonHilite() { return Strip(30, 26, Tone{kWell, kBack, kHilite}); }
Image FrameButtonDisable() { return Strip(30, 26, Tone{kDimDark, kBack, kDimInk}); }
Image EditBack() { return Strip(30, 24, Tone{kWell, kBack, kEdge}); }
Image EditBackDisabled() { return Strip(30, 24, Tone{kDimDark, kDimDark, kDimInk}); }
Image TabLight() { return Strip(30, 28, kFocus); }
Image TabDark() { return Strip(30, 28, kNormal); }
Image EditCorner() { return Corners(Rgb{0x58, 0x58, 0x58}, kWell); }
Image EditCornerDisabled() { return Corners(kDimInk, kDimDark); }

const SkinFamily kStateSkins{
    Skin{"pushbutton", PushButton},
    Skin{"pushbutton_hilite", PushButtonHilite},
    Skin{"framebutton", FrameButton},
    Skin{"framebutton_hilite", FrameButtonHilite},
    Skin{"framebutton_disable", FrameButtonDisable},
    Skin{"edit_bk", EditBack},
    Skin{"edit_bk_dis", EditBackDisabled},
    Skin{"propsheet_h_light", TabLight},
    Skin{"propsheet_h_dark", TabDark},
    Skin{"checkbox", CheckGrid},
    Skin{"radiobutton", RadioGrid},
    Skin{"onoff", OnOff},
    Skin{"onoffSel", OnOffSelected},
    Skin{"onoff3state", ThreeStateGrid},
    Skin{"button_arrow", ArrowGrid},
    Skin{"button", ButtonParts},
    Skin{"editcorner", EditCorner},
    Skin{"editcorner_dis", EditCornerDisabled},
};

}  // namespace

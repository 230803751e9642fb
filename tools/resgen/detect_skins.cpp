// The event handling button of the video loss and tamper pages: a small
// sheet with three lines over a rounded button face, and its greyed twin.
#include "bmp_writer.h"

namespace {

constexpr int kW = 40, kH = 28;
const Rgb kFace{0x3A, 0x3E, 0x46}, kEdge{0x5A, 0x60, 0x6C}, kPaper{0xE0, 0xE4, 0xEA}, kInk{0x30, 0x50, 0x90};
const Rgb kGreyPaper{0x80, 0x84, 0x8A}, kGreyInk{0x50, 0x54, 0x5A};

Image Background() {
  Image img(kW, kH, kFace);
  img.FrameRect(0, 0, kW, kH, kEdge);
  return img;
}

Image Sheet(Rgb paper, Rgb ink) {
  Image img(kW, kH, kFace);
  img.FillRect(12, 4, 16, 20, paper);
  for (int row = 0; row < 3; ++row) img.FillRect(15, 8 + row * 5, 10, 2, ink);
  return img;
}

Image Handle() { return Sheet(kPaper, kInk); }
Image HandleDisabled() { return Sheet(kGreyPaper, kGreyInk); }

const SkinFamily kDetectSkins{
    {"detect_handle_bg", Background},
    {"detect_handle", Handle},
    {"detect_handle_dis", HandleDisabled},
};

}  // namespace
